#include "generator/UnitBuilder.h"

#include "generator/DatabaseSupport.h"
#include "generator/Module.h"
#include "generator/ModuleResolver.h"

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

// Each builder adds the common types unit to its unit's uses itself (every kind but the types
// unit); the generator's server unit, the interface, controller and database support units,
// the library project, the data module and the types unit each get one function here.
std::string BuildUnitText(const TemgModule& module, TFileKind kind, const IModuleResolver& resolver) {
    switch (kind) {
        case TFileKind::GeneratorServerUnit:
        case TFileKind::DeveloperServerUnit:
        case TFileKind::InterfaceUnit:
        case TFileKind::LibraryProject:
        case TFileKind::ControllerUnit:
        case TFileKind::TypesUnit: return {};
        case TFileKind::DatabaseSupportController: return DatabaseSupportControllerText(module, resolver);
        case TFileKind::DataModuleUnit: return DataModuleUnitText(module, resolver);
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
    return kind == TFileKind::DataModuleUnit ? DataModuleFormText(module) : std::string();
}

// The walk over the module's members and procedural types joins the types unit builder; until
// then no module uses the types unit.
bool UsesCommonTypesUnit(const TemgModule&, const IModuleResolver&) { return false; }

}  // namespace quillon
