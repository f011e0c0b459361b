// The module's generation, the writing of single kinds, the texts of its kinds, and the release
// of its built library and host units.
#include <functional>

#include "generator/CommonTypesUnit.h"
#include "generator/GeneratorMessages.h"
#include "generator/LibraryProject.h"
#include "generator/Module.h"
#include "generator/ServerUnits.h"
#include "generator/UnitBuilder.h"
#include "generator/WrittenValues.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"

namespace quillon {

class TemgModule::ResolverScope {
public:
    ResolverScope(const TemgModule& module, const IModuleResolver& resolver)
        : module_(module), previous_(module.FResolver) {
        // Only a change is written: a project generating its modules on several threads points
        // every module at itself beforehand, and threads then read each other's modules.
        if (previous_ != &resolver) module_.FResolver = &resolver;
    }
    ~ResolverScope() {
        if (module_.FResolver != previous_) module_.FResolver = previous_;
    }
    ResolverScope(const ResolverScope&) = delete;
    ResolverScope& operator=(const ResolverScope&) = delete;

private:
    const TemgModule& module_;
    const IModuleResolver* previous_;
};

namespace {

// Runs `step`; a failure becomes an entry of `errors` instead of stopping the release.
void CollectFailure(std::vector<std::string>& errors, const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception& e) {
        errors.emplace_back(e.what());
    }
}

// `subdir` below `baseDir`, made absolute against the project's source path.
std::string ReleaseDirectory(std::string_view baseDir, std::string_view subdir, std::string_view projectSrcPath) {
    return ExpandFileName(SlashSeparated(IncludeTrailingPathDelimiter(baseDir) + std::string(subdir)), projectSrcPath);
}

}  // namespace

std::string TemgModule::UnitText(TFileKind kind, const IModuleResolver& resolver) const {
    const ResolverScope scope(*this, resolver);
    return StandardUnitBuilder().UnitText(*this, kind, resolver);
}

void TemgModule::ServerUnitModels(const IModuleResolver& resolver, TgmcModule& developer,
                                  TgmcModule* generator) const {
    const ResolverScope scope(*this, resolver);
    const TypeReferencesScope references(*this, resolver);
    BuildDeveloperServerModel(developer, *this, resolver);
    if (generator) BuildGeneratorServerModel(*generator, *this, resolver);
}

std::string TemgModule::DeveloperUnitFileName(std::string_view projectSrcPath) const {
    return OutputDirectory(projectSrcPath) + KindFileName(TFileKind::DeveloperServerUnit);
}

bool TemgModule::WriteKindTo(const std::string& directory, TFileKind kind, const IModuleResolver& resolver,
                             std::string_view header, const TWriteRules& kindRules, const GenerationTools& tools) const {
    const ResolverScope scope(*this, resolver);
    TWriteRules rules = kindRules;
    rules.encoding = resolver.FileEncoding();
    const std::string fileName = directory + KindFileName(kind);
    bool written = false;
    // The developer's unit is written once: when it exists its text is not even built.
    if (!tools.writer.KeepsExisting(fileName, rules)) {
        std::string text = tools.builder.UnitText(*this, kind, resolver);
        if (text.empty()) return false;
        text.insert(0, header);
        written = tools.writer.Take(std::move(text), fileName, rules);
    }
    const std::string form = tools.builder.FormText(*this, kind, resolver);
    if (!form.empty()) tools.writer.Write(form, directory + KindFormFileName(kind), rules);
    return written;
}

bool TemgModule::WriteKind(TFileKind kind, std::string_view projectSrcPath, const IModuleResolver& resolver,
                           std::string_view header, const TWriteRules& rules) const {
    return WriteKind(kind, projectSrcPath, resolver, header, rules, StandardUnitBuilder());
}

bool TemgModule::WriteKind(TFileKind kind, std::string_view projectSrcPath, const IModuleResolver& resolver,
                           std::string_view header, const TWriteRules& rules, const IUnitBuilder& builder) const {
    DiskFileWriter disk;
    return WriteKind(kind, projectSrcPath, resolver, header, rules, GenerationTools{builder, disk});
}

bool TemgModule::WriteKind(TFileKind kind, std::string_view projectSrcPath, const IModuleResolver& resolver,
                           std::string_view header, const TWriteRules& rules, const GenerationTools& tools) const {
    return WriteKindTo(OutputDirectory(projectSrcPath), kind, resolver, header, rules, tools);
}

std::vector<TGeneratedFile> TemgModule::GeneratedFiles(std::string_view projectSrcPath, bool firstModule) const {
    using Content = TGeneratedFile::Content;
    const std::string directory = OutputDirectory(projectSrcPath);
    std::vector<TGeneratedFile> files;
    const auto add = [&](TFileKind kind, Content content, const TWriteRules& rules) {
        files.push_back({directory + (content == Content::Form             ? KindFormFileName(kind)
                                      : content == Content::ProjectOptions ? ProjectOptionsFileName()
                                                                           : KindFileName(kind)),
                         kind, content, rules});
    };
    if (firstModule) {
        if (FEnumTypes->Count() > 0) add(TFileKind::TypesUnit, Content::RecreatedUnit, kRecreatedRules);
        return files;
    }
    add(TFileKind::GeneratorServerUnit, Content::RecreatedUnit, kRecreatedRules);
    if (IsComOption(FServerOption)) add(TFileKind::InterfaceUnit, Content::RecreatedUnit, kRecreatedRules);
    add(TFileKind::DeveloperServerUnit, Content::DeveloperUnit, kWrittenOnceRules);
    if (HasOwnConnection()) {
        add(TFileKind::DataModuleUnit, Content::RecreatedUnit, kRecreatedRules);
        add(TFileKind::DataModuleUnit, Content::Form, kRecreatedRules);
    }
    if (IsLibraryOption(FServerOption)) {
        add(TFileKind::LibraryProject, Content::RecreatedUnit, kReplacedRules);
        add(TFileKind::LibraryProject, Content::ProjectOptions, kWrittenOnceRules);
    }
    add(TFileKind::ControllerUnit, Content::RecreatedUnit, kRecreatedRules);
    add(TFileKind::DatabaseSupportController, Content::RecreatedUnit, kRecreatedRules);
    return files;
}

void TemgModule::Generate(std::string_view projectSrcPath, std::string_view searchPath, bool allReferenced,
                          const IModuleResolver& resolver, std::string_view unitHeader,
                          const TemgModule* firstModule) const {
    Generate(projectSrcPath, searchPath, allReferenced, resolver, unitHeader, firstModule, StandardUnitBuilder());
}

void TemgModule::Generate(std::string_view projectSrcPath, std::string_view searchPath, bool allReferenced,
                          const IModuleResolver& resolver, std::string_view unitHeader, const TemgModule* firstModule,
                          const IUnitBuilder& builder) const {
    DiskFileWriter disk;
    Generate(projectSrcPath, searchPath, allReferenced, resolver, unitHeader, firstModule,
             GenerationTools{builder, disk});
}

void TemgModule::Generate(std::string_view projectSrcPath, std::string_view searchPath, bool allReferenced,
                          const IModuleResolver& resolver, std::string_view unitHeader, const TemgModule* firstModule,
                          const GenerationTools& tools) const {
    // A reference to a module the project lacks, and a design that would give code that does not
    // compile, stop generation before any file is written.
    const ResolverScope scope(*this, resolver);
    const TypeReferencesScope references(*this, resolver);
    CheckGeneratable();
    std::vector<const TemgModule*> referenced;
    if (allReferenced) {
        const TemgExternalClasses& externalClasses = FMainClass->ExternalClasses();
        for (int i = 0; i < externalClasses.Count(); ++i) {
            const std::string& className = externalClasses.Items(i)->GetName();
            const TemgModule* module = resolver.FindModule(className);
            if (!module) throw Exception(Format(kReferencedClassNotFound, className));
            module->CheckGeneratable();
            referenced.push_back(module);
        }
    }

    const std::string recreatedHeader = GeneratedFileHeader(unitHeader, true);
    const std::string developerHeader = GeneratedFileHeader(unitHeader, false);
    for (const TGeneratedFile& file : GeneratedFiles(projectSrcPath, this == firstModule)) {
        using Content = TGeneratedFile::Content;
        TWriteRules rules = file.rules;
        rules.encoding = resolver.FileEncoding();
        switch (file.content) {
            case Content::RecreatedUnit:
            case Content::DeveloperUnit:
            case Content::Plain: {
                // The developer's unit is written once: when it exists its text is not even built.
                if (tools.writer.KeepsExisting(file.fileName, rules)) break;
                std::string text = tools.builder.UnitText(*this, file.kind, resolver);
                if (text.empty()) break;
                if (file.content != Content::Plain)
                    text.insert(0, file.content == Content::RecreatedUnit ? recreatedHeader : developerHeader);
                tools.writer.Take(std::move(text), file.fileName, rules);
                break;
            }
            case Content::Form:
                if (std::string form = tools.builder.FormText(*this, file.kind, resolver); !form.empty())
                    tools.writer.Take(std::move(form), file.fileName, rules);
                break;
            case Content::ProjectOptions:
                tools.writer.Write(ProjectOptionsText(searchPath, projectSrcPath), file.fileName, rules);
                break;
        }
    }

    for (const TemgModule* module : referenced)
        module->Generate(projectSrcPath, searchPath, false, resolver, unitHeader, firstModule, tools);
}

void TemgModule::Release(std::string_view baseDir, std::string_view libraryDir, std::vector<std::string>& errors,
                         const IModuleResolver& project, bool withUnits, std::string_view unitDir) const {
    Release(baseDir, libraryDir, errors, project, withUnits, unitDir, StandardUnitBuilder());
}

void TemgModule::Release(std::string_view baseDir, std::string_view libraryDir, std::vector<std::string>& errors,
                         const IModuleResolver& project, bool withUnits, std::string_view unitDir,
                         const IUnitBuilder& builder) const {
    std::string projectSrcPath;
    CollectFailure(errors, [&] { projectSrcPath = project.GetSrcPath(); });

    // Only the library options build a library; a direct server is compiled into its host and an
    // out-of-process server is a program, so for them the units are all there is to release.
    const std::string library = LibraryFileName(projectSrcPath);
    if (IsLibraryOption(FServerOption))
        CollectFailure(errors, [&] {
            if (!FileExists(library)) {
                errors.push_back(Format(kReleaseFileNotFound, library));
                return;
            }
            const std::string target = ReleaseDirectory(baseDir, libraryDir, projectSrcPath);
            if (!DirectoryExists(target)) {
                errors.push_back(Format(kPathNotFound, target));
                return;
            }
            CopyFileOver(library, IncludeTrailingPathDelimiter(target) + ExtractFileName(library));
        });
    if (!withUnits) return;

    CollectFailure(errors, [&] {
        const std::string target = ReleaseDirectory(baseDir, unitDir, projectSrcPath);
        if (!DirectoryExists(target)) {
            errors.push_back(Format(kPathNotFound, target));
            return;
        }
        const std::string directory = IncludeTrailingPathDelimiter(target);
        const std::string header = GeneratedFileHeader(project.GetUnitHeader(), true);
        DiskFileWriter disk;
        const GenerationTools tools{builder, disk};
        for (TFileKind kind : {TFileKind::ControllerUnit, TFileKind::DatabaseSupportController})
            CollectFailure(errors, [&] { WriteKindTo(directory, kind, project, header, kRecreatedRules, tools); });
        CollectFailure(errors, [&] {
            const ResolverScope scope(*this, project);
            const TemgModule* first = project.GetFirstModule();
            if (first && first != this && builder.UsesCommonTypesUnit(*this, project))
                first->WriteKindTo(directory, TFileKind::TypesUnit, project, header, kRecreatedRules, tools);
        });
        // The host's units use the added units whose constants the design's values name.
        const ResolverScope scope(*this, project);
        if (!ValuesNameUndeclared(project.GetFirstModule())) return;
        for (int i = 0; i < FAddUnits->Count(); ++i)
            CollectFailure(errors, [&] {
                const TemgAddUnit& unit = *FAddUnits->Items(i);
                const std::string source = unit.FileName(OutputDirectory(projectSrcPath));
                if (unit.UnitName().empty()) return;
                if (!FileExists(source)) errors.push_back(Format(kReleaseFileNotFound, source));
                else CopyFileOver(source, directory + ExtractFileName(source));
            });
    });
}

}  // namespace quillon
