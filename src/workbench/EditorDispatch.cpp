// Which editor frame serves which object: the first matching class in this order.
#include "elements/ExternalClasses.h"
#include "elements/Properties.h"
#include "generator/DebugApplication.h"
#include "workbench/DebugApplicationEditor.h"
#include "workbench/EditorFramework.h"
#include "workbench/ElementEditors.h"
#include "workbench/ExternalClassEditor.h"

namespace quillon {

TfrEditor* CreateEditorFrame(TPersistent& object, TfrEditors& editors, const TEditorEnvironment& environment) {
    if (dynamic_cast<TemgProperty*>(&object)) return new TfrPropertyEditor(editors, environment);
    if (dynamic_cast<TemgExternalClass*>(&object)) return new TfrExternalClassEditor(editors, environment);
    if (dynamic_cast<TemgDebugApplication*>(&object)) return new TfrDebugApplication(editors, environment);
    return new TfrValuesEditor(editors, environment);
}

}  // namespace quillon
