// Which editor frame serves which object: the first matching class in this order.
#include "elements/ExternalClasses.h"
#include "elements/Methods.h"
#include "elements/ProceduralTypes.h"
#include "elements/Properties.h"
#include "elements/RegisteredTypes.h"
#include "generator/DebugApplication.h"
#include "generator/UnitsManager.h"
#include "project/Project.h"
#include "source/SourceTypes.h"
#include "workbench/DebugApplicationEditor.h"
#include "workbench/EditorFramework.h"
#include "workbench/ElementEditors.h"
#include "workbench/ExternalClassEditor.h"
#include "workbench/ListEditors.h"
#include "workbench/MemberEditors.h"
#include "workbench/ModuleEditors.h"
#include "workbench/TypeEditors.h"
#include "workbench/UnitEditors.h"

namespace quillon {

TfrEditor* CreateEditorFrame(TPersistent& object, TfrEditors& editors, const TEditorEnvironment& environment) {
    if (dynamic_cast<TemgpProject*>(&object)) return new TfrProjectEditor(editors, environment);
    if (dynamic_cast<TemgpModule*>(&object)) return new TfrModuleEditor(editors, environment);
    if (dynamic_cast<TemgRegisteredDataType*>(&object)) return new TfrRegisteredDataTypeEditor(editors, environment);
    if (dynamic_cast<TgmcEnumType*>(&object)) return new TfrEnumDataTypeEditor(editors, environment);
    if (dynamic_cast<TemgProceduralType*>(&object)) return new TfrProceduralDataTypeEditor(editors, environment);
    if (dynamic_cast<TemgMethod*>(&object)) return new TfrMethodEditor(editors, environment);
    if (dynamic_cast<TemgParameter*>(&object)) return new TfrParameterEditor(editors, environment);
    if (dynamic_cast<TemgProperty*>(&object)) return new TfrPropertyEditor(editors, environment);
    if (dynamic_cast<TemgExternalClass*>(&object)) return new TfrExternalClassEditor(editors, environment);
    if (dynamic_cast<TemgDebugApplication*>(&object)) return new TfrDebugApplication(editors, environment);
    if (const auto* unit = dynamic_cast<TUnitsManager*>(&object)) {
        if (unit->Kind() != TFileKind::UnitsGroup) return new TfrUnitEditor(editors, environment);
        return new TfrUnitsGroupEditor(editors, environment);
    }
    // The "Generated Units" node stands for the module's units as a group.
    if (dynamic_cast<TUnitsManagerCollection*>(&object)) return new TfrUnitsGroupEditor(editors, environment);
    if (dynamic_cast<TemgAddUnits*>(&object)) return new TfrAddUnitsEditor(editors, environment);
    if (dynamic_cast<TReleaseDllCollection*>(&object)) return new TfrReleasesEditor(editors, environment);
    if (dynamic_cast<TCopyFileCollection*>(&object)) return new TfrCopyFilesEditor(editors, environment);
    if (dynamic_cast<TCollection*>(&object)) return new TfrCodeEditor(editors, environment);
    return new TfrValuesEditor(editors, environment);
}

}  // namespace quillon
