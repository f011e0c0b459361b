#include "generator/UnitBuilder.h"

#include "generator/CommonTypesUnit.h"
#include "generator/ControllerUnits.h"
#include "generator/DatabaseSupport.h"
#include "generator/DatabaseSupportController.h"
#include "generator/InterfaceUnit.h"
#include "generator/LibraryProject.h"
#include "generator/Module.h"
#include "generator/ModuleResolver.h"
#include "generator/ServerUnits.h"

namespace quillon {

namespace {

class TStandardUnitBuilder : public IUnitBuilder {
public:
    std::string UnitText(const TemgModule& module, TFileKind kind, const IModuleResolver& resolver) const override {
        return BuildUnitText(module, kind, resolver);
    }
    std::string FormText(const TemgModule& module, TFileKind kind, const IModuleResolver& resolver) const override {
        return BuildFormText(module, kind, resolver);
    }
    bool UsesCommonTypesUnit(const TemgModule& module, const IModuleResolver& resolver) const override {
        return quillon::UsesCommonTypesUnit(module, resolver);
    }
};

}  // namespace

const IUnitBuilder& StandardUnitBuilder() {
    static const TStandardUnitBuilder builder;
    return builder;
}

// Each builder adds the common types unit to its unit's uses itself, after its own entries (every
// kind but the types unit).
std::string BuildUnitText(const TemgModule& module, TFileKind kind, const IModuleResolver& resolver) {
    switch (kind) {
        case TFileKind::GeneratorServerUnit: return BuildGeneratorServerUnit(module, resolver);
        case TFileKind::DeveloperServerUnit: return BuildDeveloperServerUnit(module, resolver);
        case TFileKind::InterfaceUnit: return BuildInterfaceUnit(module, resolver);
        case TFileKind::LibraryProject: return BuildLibraryProject(module, resolver);
        case TFileKind::ControllerUnit: return BuildControllerUnit(module, resolver);
        case TFileKind::TypesUnit: return BuildTypesUnit(module);
        case TFileKind::DatabaseSupportController: return BuildDatabaseSupportController(module, resolver);
        case TFileKind::DataModuleUnit: return BuildDataModuleUnit(module, resolver);
        // The debug application's kinds and the group caption are no module texts.
        case TFileKind::DebugProjectUnit:
        case TFileKind::DebugFormGeneratorUnit:
        case TFileKind::DebugFormDeveloperUnit:
        case TFileKind::UnitsGroup:
        case TFileKind::ProjectGroup: return {};
    }
    return {};
}

std::string BuildFormText(const TemgModule& module, TFileKind kind, const IModuleResolver&) {
    return kind == TFileKind::DataModuleUnit ? BuildDataModuleForm(module) : std::string();
}

bool UsesCommonTypesUnit(const TemgModule& module, const IModuleResolver& resolver) {
    return ModuleUsesCommonTypes(module, resolver);
}

}  // namespace quillon
