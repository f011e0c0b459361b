// Which editor frame serves which object: the first matching class in this order.
#include "elements/ExternalClasses.h"
#include "elements/Methods.h"
#include "elements/ProceduralTypes.h"
#include "elements/Properties.h"
#include "elements/RegisteredTypes.h"
#include "generator/DebugApplication.h"
#include "source/SourceTypes.h"
#include "workbench/DebugApplicationEditor.h"
#include "workbench/EditorFramework.h"
#include "workbench/ElementEditors.h"
#include "workbench/ExternalClassEditor.h"
#include "workbench/MemberEditors.h"
#include "workbench/TypeEditors.h"

namespace quillon {

TfrEditor* CreateEditorFrame(TPersistent& object, TfrEditors& editors, const TEditorEnvironment& environment) {
    if (dynamic_cast<TemgRegisteredDataType*>(&object)) return new TfrRegisteredDataTypeEditor(editors, environment);
    if (dynamic_cast<TgmcEnumType*>(&object)) return new TfrEnumDataTypeEditor(editors, environment);
    if (dynamic_cast<TemgProceduralType*>(&object)) return new TfrProceduralDataTypeEditor(editors, environment);
    if (dynamic_cast<TemgMethod*>(&object)) return new TfrMethodEditor(editors, environment);
    if (dynamic_cast<TemgParameter*>(&object)) return new TfrParameterEditor(editors, environment);
    if (dynamic_cast<TemgProperty*>(&object)) return new TfrPropertyEditor(editors, environment);
    if (dynamic_cast<TemgExternalClass*>(&object)) return new TfrExternalClassEditor(editors, environment);
    if (dynamic_cast<TemgDebugApplication*>(&object)) return new TfrDebugApplication(editors, environment);
    return new TfrValuesEditor(editors, environment);
}

}  // namespace quillon
