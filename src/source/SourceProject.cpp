#include "source/SourceProject.h"

#include "source/TextUtils.h"

namespace quillon {

namespace {

constexpr std::string_view kPathSeparators = "\\/:";

// "#" and 78 "-": the rule line of a project group file.
const std::string kRuleLine = "#" + std::string(78, '-');

}  // namespace

std::string_view FileNamePart(std::string_view path) {
    const std::size_t separator = path.find_last_of(kPathSeparators);
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::string ChangeExtension(std::string_view fileName, std::string_view newExtension) {
    std::string extension(newExtension);
    if (extension.empty() || extension.front() != '.') extension = std::string(".").append(extension);
    const std::size_t dot = fileName.rfind('.');
    const std::size_t separator = fileName.find_last_of(kPathSeparators);
    if (dot == std::string_view::npos || (separator != std::string_view::npos && dot < separator))
        return std::string(fileName);
    // Every occurrence is replaced, also one earlier in the path.
    return ReplaceAll(fileName, fileName.substr(dot), extension);
}

// TgmcExportMethod

void TgmcExportMethod::PublishProperties(PropertyList& p) {
    TgmcAppellationItem::PublishProperties(p);
    p.String("UnitName", &TgmcExportMethod::GetUnitName, &TgmcExportMethod::SetUnitName);
}

void TgmcExportMethod::AppendSrcCode(std::string& dest, int) const {
    if (!FUnitName.empty()) dest.append(FUnitName).push_back('.');
    dest.append(GetName()).append(" name '").append(GetName()).push_back('\'');
}

void TgmcExportMethod::AssignTo(TPersistent& dest) const {
    TgmcAppellationItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TgmcExportMethod*>(&dest)) target->SetUnitName(FUnitName);
}

void TgmcExportMethods::AppendSrcCode(std::string& dest, int indent, std::string_view separator) const {
    AppendSection(dest, "exports\r\n", ";", indent, separator);
}

// TgmcProject

void TgmcProject::PublishProperties(PropertyList& p) {
    TComponent::PublishProperties(p);
    p.String("ImplementCode", &TgmcProject::GetImplementCode, &TgmcProject::SetImplementCode);
    p.Object("Appellation", Mutable(&TgmcProject::Appellation));
    p.Collection("ExportMethods", Mutable(&TgmcProject::ExportMethods));
    p.Collection("UsesModules", Mutable(&TgmcProject::UsesModules));
}

TgmcProject::TgmcProject()
    : FAppellation(std::make_unique<TgmcAppellation>()),
      FExportMethods(std::make_unique<TgmcExportMethods>(this)),
      FUsesModules(std::make_unique<TgmcUsesModules>(this)) {}

TgmcProject::~TgmcProject() = default;

std::string TgmcProject::SrcCode(TgmcProjectKind kind, std::string_view header) const {
    std::string result(header);
    switch (kind) {
        case pkProgram: AppendSeparated(result, "program " + FAppellation->GetName() + ";", kCrLf); break;
        case pkLibrary: AppendSeparated(result, "library " + FAppellation->GetName() + ";", kCrLf); break;
    }
    AppendSeparated(result, FAppellation->CaptionComment(), kCrLf);
    AppendSeparatedWith(result, 0, kCrLf, 0, false,
                        [&](std::string& text) { FUsesModules->AppendSrcCode(text, 3, ",\r\n"); });
    if (kind == pkLibrary)
        AppendSeparatedWith(result, 0, kCrLf, 0, false,
                            [&](std::string& text) { FExportMethods->AppendSrcCode(text, 6, ",\r\n"); });
    AppendSeparated(result, "begin", kCrLf);
    AppendSeparated(result, FImplementCode, kCrLf);
    AppendSeparated(result, "end.", kCrLf);
    return result;
}

void TgmcProject::AssignTo(TPersistent& dest) const {
    if (auto* target = dynamic_cast<TgmcProject*>(&dest)) {
        target->SetAppellation(*FAppellation);
        target->SetUsesModules(*FUsesModules);
        target->SetExportMethods(*FExportMethods);
        target->SetImplementCode(FImplementCode);
        return;
    }
    TComponent::AssignTo(dest);
}

// TgmcProjectGroup

void TgmcProjectGroup::PublishProperties(PropertyList& p) {
    TComponent::PublishProperties(p);
    p.StringList("ProjectFiles", Mutable(&TgmcProjectGroup::ProjectFiles));
}

TgmcProjectGroup::TgmcProjectGroup() : FProjectFiles(std::make_unique<TStringList>()) {}

TgmcProjectGroup::~TgmcProjectGroup() = default;

std::string TgmcProjectGroup::SrcCode() const {
    std::string result = kRuleLine + "\r\n"
                         "VERSION = BWS.01\r\n" +
                         kRuleLine + "\r\n"
                         "!ifndef ROOT\r\n"
                         "ROOT = $(MAKEDIR)\\..\r\n"
                         "!endif\r\n" +
                         kRuleLine + "\r\n"
                         "MAKE = $(ROOT)\\bin\\make.exe -$(MAKEFLAGS) -f$**\r\n"
                         "DCC = $(ROOT)\\bin\\dcc32.exe $**\r\n"
                         "BRCC = $(ROOT)\\bin\\brcc32.exe $**\r\n" +
                         kRuleLine + "\r\n"
                         "PROJECTS = ";
    std::string names;
    for (const std::string& file : FProjectFiles->Items()) AppendSeparated(names, FileNamePart(file), " ");
    result += names;
    result += "\r\n" + kRuleLine + "\r\ndefault: $(PROJECTS)\r\n" + kRuleLine + "\r\n";
    std::string targets;
    for (const std::string& file : FProjectFiles->Items())
        AppendSeparated(targets, std::string(FileNamePart(file)) + ": " + ChangeExtension(file, ".dpr") + "\r\n  $(DCC)",
                        "\r\n\r\n");
    result += targets;
    return result;
}

}  // namespace quillon
