// The check's rules on the values a design writes into code as typed (default and debug values)
// and on what the debug forms write around them (the click handlers' locals, the form's members).
#pragma once

#include <string_view>

#include "checking/CheckResults.h"

namespace quillon {

class ClassScope;
class IModuleResolver;
class TemgDataType;
class TemgModule;
class TgmcEnumType;

// The enumerated type `name` of `module` (any letter case), or nullptr; none without a module.
const TgmcEnumType* FindEnumType(const TemgModule* module, std::string_view name);

// How a value written as `value` fits an element of `type`: kFits when nothing can be decided or
// it fits, kWrong for a literal of another kind (a number for a text, a quoted text for a number,
// True for an enumeration), operands side by side (text with a blank), an unbalanced quote or a
// name that is no value of the element's enumerated type, kUnresolved for a bare name the design
// does not declare where a text is expected (a constant of an added unit may still be meant).
// The enumerated types are `module`'s and `first`'s; a name that is no value of the element's
// enumeration is only kUnresolved when the module adds units, whose constants it may name.
// `scope`, for a value written inside the generated classes (a default value of a member): a name
// they declare (a dotted name's first part) is kWrong, as they read the member there; an
// enumeration value of that name is refused on its own.
enum class TValueFit { kFits, kWrong, kUnresolved };
TValueFit ValueFit(std::string_view value, const TemgDataType& type, const TemgModule& module,
                   const TemgModule* first, const ClassScope* scope = nullptr);

// Every default value of the module's properties and parameters and every debug value its debug
// forms write: "Default value %s does not fit type %s" / "Debug value %s does not fit type %s"
// (errors, warnings for an unresolved name; an error for a member's default value that names what
// the class's generated classes declare); "Debug value of %s is not used: the controller does
// not offer it" (a warning) for an exported property the forms cannot reach (protected or
// private); and, where a debug form writes them, "Name %s is taken by the generated code: %s" for
// a var parameter named like what a click handler declares or calls, and for an enumeration value
// written as a debug value that names a member of the form.
void CheckModuleValues(const TemgModule& module, const IModuleResolver& modules, TCheckCollection& results);

}  // namespace quillon
