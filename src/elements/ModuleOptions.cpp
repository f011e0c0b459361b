#include "elements/ModuleOptions.h"

namespace quillon {

const EnumTypeInfo ServerOptionNames{"TServerOption",
                                     {"moServerInDll", "moDirectUsesServer", "moComServerInDll", "moComServer"}};
const EnumTypeInfo DatabaseSupportComponentNames{"TDatabaseSupportComponent",
                                                 {"dbsQuery", "dbsTable", "dbsStoredProc", "dbsSetDatabaseParams"}};

std::string_view FileKindCaption(TFileKind kind) {
    switch (kind) {
        case TFileKind::GeneratorServerUnit: return "Server Unit recreated by Generator";
        case TFileKind::DeveloperServerUnit: return "Server Unit changed by Developer";
        case TFileKind::InterfaceUnit: return "Interface Unit";
        case TFileKind::LibraryProject: return "Dynamic Link Library Project";
        case TFileKind::ControllerUnit: return "Controller Unit";
        case TFileKind::DebugProjectUnit: return "Debug Project Unit";
        case TFileKind::DebugFormGeneratorUnit: return "Debug Form Unit recreated by Code Generator";
        case TFileKind::DebugFormDeveloperUnit: return "Debug Form Unit changed by Developer";
        case TFileKind::TypesUnit: return "Unit for Type declarations";
        case TFileKind::UnitsGroup: return "Unit's Group";
        case TFileKind::ProjectGroup: return "Project Group";
        case TFileKind::DatabaseSupportController: return "Database Support Controller";
        case TFileKind::DataModuleUnit: return "Generated Data Module Unit";
    }
    return {};
}

}  // namespace quillon
