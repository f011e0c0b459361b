// The check's rules on names that generated code builds on: the class's system methods, and names
// from which it derives identifiers or string constants longer than the compilers take.
#pragma once

#include "checking/CheckResults.h"

namespace quillon {

class IModuleResolver;
class TemgModule;

// Identifiers longer than this are cut by Free Pascal (Delphi takes 255), so two derived names
// that differ only further on become one; a string literal holds at most kStringLimit characters.
inline constexpr int kIdentifierLimit = 127;
inline constexpr int kStringLimit = 255;

// For each system method the module's class has (TemgModule::SystemMethods): a method of its name
// that is no system item, "Name %s is taken by the generated code: the system method %s", and a
// system item whose declaration differs from the fixed form, "System method %s differs from its
// fixed form". `classModule`: the module is not the project's first.
void CheckSystemMethods(const TemgModule& module, bool classModule, TCheckCollection& results);

// The identifiers and string literals of every text the module and its debug applications
// generate, against the limits: one "Name %s is too long: %s would have %d characters (at most
// %d)" on each element (the module, a member, parameter, type, value or debug application) whose
// name the longest offending text holds. The texts are built only when some name is long enough
// to reach a limit. Results about the module itself point to `moduleObject` when given.
void CheckLongNames(const TemgModule& module, const IModuleResolver& modules, bool firstModule,
                    TCheckCollection& results, const TPersistent* moduleObject = nullptr);

}  // namespace quillon
