#include "generator/DebugApplication.h"

#include "generator/DebugApplicationUnits.h"
#include "generator/GeneratedFiles.h"
#include "generator/GeneratorMessages.h"
#include "generator/Module.h"

namespace quillon {

void TemgDebugApplication::PublishProperties(PropertyList& p) {
    TemgAppellationItem::PublishProperties(p);
    p.StringList("Methods", Mutable(&TemgDebugApplication::Methods));
    p.Object("Connection", Mutable(&TemgDebugApplication::Connection));
    p.String("SrcPath", &TemgDebugApplication::GetSrcPath, &TemgDebugApplication::SetSrcPath);
}

TemgDebugApplication::TemgDebugApplication()
    : FConnection(std::make_unique<TemgDatabaseConnection>()),
      FMethods(std::make_unique<TStringList>()),
      FUnits(std::make_unique<TUnitsManagerCollection>(*this)) {
    for (TFileKind kind : {TFileKind::DebugProjectUnit, TFileKind::DebugFormGeneratorUnit,
                           TFileKind::DebugFormDeveloperUnit, TFileKind::ProjectGroup, TFileKind::LibraryProject})
        FUnits->AddKind(kind);
}

TemgDebugApplication::~TemgDebugApplication() = default;

void TemgDebugApplication::SetMethods(const TStringList& value) {
    if (*FMethods == value) return;
    FMethods->Assign(value);
    FModified = true;
}

const TemgModule* TemgDebugApplication::Module() const {
    const auto* applications = dynamic_cast<const TemgDebugApplications*>(Collection());
    return applications ? applications->Module() : nullptr;
}

bool TemgDebugApplication::GetModified() const {
    return TemgAppellationItem::GetModified() || FConnection->GetModified();
}

void TemgDebugApplication::SetModified(bool value) {
    TemgAppellationItem::SetModified(value);
    if (!value) FConnection->SetModified(false);
}

std::string TemgDebugApplication::OutputDirectory(std::string_view projectSrcPath) const {
    return ExpandOutputDirectory(FSrcPath, projectSrcPath);
}

std::string TemgDebugApplication::UnitFileName(TFileKind kind, std::string_view basePath) const {
    std::string name;
    switch (kind) {
        case TFileKind::DebugProjectUnit: name = ProgramProjectName() + ".dpr"; break;
        case TFileKind::DebugFormGeneratorUnit: name = GeneratorFormUnitName() + ".pas"; break;
        case TFileKind::DebugFormDeveloperUnit: name = DeveloperFormUnitName() + ".pas"; break;
        case TFileKind::ProjectGroup: name = ProgramProjectName() + "GROUP.bpg"; break;
        // The library project is the module's, in the module's output directory.
        case TFileKind::LibraryProject: {
            const TemgModule* module = Module();
            return module ? module->UnitFileName(kind, basePath) : std::string();
        }
        case TFileKind::GeneratorServerUnit:
        case TFileKind::DeveloperServerUnit:
        case TFileKind::InterfaceUnit:
        case TFileKind::ControllerUnit:
        case TFileKind::TypesUnit:
        case TFileKind::UnitsGroup:
        case TFileKind::DatabaseSupportController:
        case TFileKind::DataModuleUnit: return {};
    }
    if (basePath.empty()) return name;
    return OutputDirectory(basePath) + name;
}

std::vector<TGeneratedFile> TemgDebugApplication::GeneratedFiles(std::string_view projectSrcPath) const {
    using Content = TGeneratedFile::Content;
    const std::string directory = OutputDirectory(projectSrcPath);
    const std::string program = directory + ProgramProjectName();
    const std::string generatorUnit = directory + GeneratorFormUnitName();
    const std::string developerUnit = directory + DeveloperFormUnitName();
    return {
        {program + ".dpr", TFileKind::DebugProjectUnit, Content::RecreatedUnit, kReplacedRules},
        {program + ".dof", TFileKind::DebugProjectUnit, Content::ProjectOptions, kWrittenOnceRules},
        {generatorUnit + ".pas", TFileKind::DebugFormGeneratorUnit, Content::RecreatedUnit, kRecreatedRules},
        {developerUnit + ".pas", TFileKind::DebugFormDeveloperUnit, Content::DeveloperUnit, kWrittenOnceRules},
        {generatorUnit + ".dfm", TFileKind::DebugFormGeneratorUnit, Content::Form, kRecreatedRules},
        {developerUnit + ".dfm", TFileKind::DebugFormDeveloperUnit, Content::Form, kWrittenOnceRules},
        {program + "GROUP.bpg", TFileKind::ProjectGroup, Content::Plain, kReplacedRules},
    };
}

std::string TemgDebugApplication::UnitFormName(TFileKind kind) const {
    switch (kind) {
        case TFileKind::DebugFormGeneratorUnit: return GeneratorFormName();
        case TFileKind::DebugFormDeveloperUnit: return DeveloperFormName();
        default: return {};
    }
}

std::string TemgDebugApplication::UnitText(TFileKind kind, const IModuleResolver& resolver) const {
    const TemgModule* module = Module();
    return module ? BuildDebugApplicationText(*this, *module, kind, resolver) : std::string();
}

void TemgDebugApplication::AssignTo(TPersistent& dest) const {
    TemgAppellationItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TemgDebugApplication*>(&dest)) {
        target->SetMethods(*FMethods);
        target->SetConnection(*FConnection);
        target->SetSrcPath(FSrcPath);
    }
}

const TemgClass* TemgDebugApplications::MainClass() const { return FModule ? &FModule->MainClass() : nullptr; }

TemgDebugApplication& TemgDebugApplications::NewDebugApplication() {
    const std::string name = UniqueText(this, kDebugAppPrefix, 0);
    TemgDebugApplication& application = *Add();
    application.SetName(name);
    SetModified(true);
    return application;
}

}  // namespace quillon
