// The check's rules on what generated code writes as the design gives it: the types members name
// and the units of registered types, the project's unit header, the data module name, the added
// units' names and the class identifiers of COM modules.
#pragma once

#include <string_view>
#include <vector>

#include "checking/CheckResults.h"

namespace quillon {

class IModuleResolver;
class TemgModule;

// "The unit header must hold only comments, compiler directives and blank lines" (about no
// object) when `header` holds anything else: it stands before "unit" in every generated unit.
void CheckUnitHeader(std::string_view header, TCheckCollection& results);

// A "{" 8-4-4-4-12 hexadecimal digits "}" text, as the generated units write a class identifier.
bool IsRegistryFormGuid(std::string_view guid);

// The module's types (a member's type that no module declares, or that another class module
// declares), the units of its registered types, its system methods, its default and debug values
// (ValueChecks), names too long for what generated code derives from them, its data module name,
// its added units' names, and, for the COM options, its GUID. Results about the module itself point to `moduleObject`
// when given. `all` are the project's modules in order: a GUID that a COM module before this one
// has is reported on both.
void CheckModuleDesign(const TemgModule& module, const IModuleResolver& modules,
                       const std::vector<const TemgModule*>& all, TCheckCollection& results,
                       const TPersistent* moduleObject = nullptr);

}  // namespace quillon
