#include "generator/UnitsManager.h"

namespace quillon {

int FileKindImage(TFileKind kind) {
    switch (kind) {
        case TFileKind::GeneratorServerUnit:
        case TFileKind::DeveloperServerUnit:
        case TFileKind::InterfaceUnit:
        case TFileKind::ControllerUnit:
        case TFileKind::TypesUnit:
        case TFileKind::DatabaseSupportController: return 32;
        case TFileKind::LibraryProject: return 33;
        case TFileKind::DebugProjectUnit: return 34;
        case TFileKind::DebugFormGeneratorUnit:
        case TFileKind::DebugFormDeveloperUnit:
        case TFileKind::DataModuleUnit: return 30;
        case TFileKind::UnitsGroup: return 29;
        case TFileKind::ProjectGroup: return 12;
    }
    return -1;
}

const IUnitsOwner& TUnitsManager::Owner() const {
    return static_cast<const TUnitsManagerCollection*>(Collection())->UnitsOwner();
}

TUnitsManager& TUnitsManagerCollection::AddKind(TFileKind kind) {
    TUnitsManager* entry = Add();
    entry->SetKind(kind);
    return *entry;
}

const TUnitsManager* TUnitsManagerCollection::FindKind(TFileKind kind) const {
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Kind() == kind) return Items(i);
    return nullptr;
}

}  // namespace quillon
