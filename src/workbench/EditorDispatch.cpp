// Which editor frame serves which object: the first matching class in this order.
#include "elements/Properties.h"
#include "workbench/EditorFramework.h"
#include "workbench/ElementEditors.h"

namespace quillon {

TfrEditor* CreateEditorFrame(TPersistent& object, TfrEditors& editors, const TEditorEnvironment& environment) {
    if (dynamic_cast<TemgProperty*>(&object)) return new TfrPropertyEditor(editors, environment);
    return new TfrValuesEditor(editors, environment);
}

}  // namespace quillon
