// The check's rules on a module's members that the editors apply while a member is typed (unique
// names, the parameter list's defaults), again for files edited by hand.
#pragma once

#include "checking/CheckResults.h"

namespace quillon {

class TemgModule;

// Adds an error on each member of the module's class whose name repeats an earlier member's
// (properties, events, methods and external properties share one name space; any letter case),
// and on each method and procedural type whose parameters the parameter list refuses or repeat a
// name.
void CheckMembers(const TemgModule& module, TCheckCollection& results);

}  // namespace quillon
