// The rules of the project check: the external classes of every module are checked against the
// modules they refer to, and its members by the member rules.
#pragma once

#include "checking/CheckResults.h"
#include "elements/ModuleOptions.h"

namespace quillon {

class IModuleResolver;
class TemgExternalClass;
class TemgModule;

// The database-support rules between a referring module and the module it refers to: false when
// a module with dataset support would refer to one with only its own connection, or a module
// without database support to one with any.
bool MayReferenceByDatabaseSupport(TDatabaseSupport referring, TDatabaseSupport referenced);

// One external class of `owner`'s class: "Class not found" when the project has no module of
// that class (and nothing else is tested), else the two database-support rules, independently.
void CheckExternalClass(const TemgExternalClass& externalClass, const TemgModule& owner,
                        const IModuleResolver& modules, TCheckCollection& results);
// Every external class of the module's class, in order, then the member rules.
void CheckModule(const TemgModule& module, const IModuleResolver& modules, TCheckCollection& results);

}  // namespace quillon
