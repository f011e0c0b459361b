// The rules of the project check: the names and types of every module's design that generated
// code needs, the external classes of every module against the modules they refer to, and the
// member rules.
#pragma once

#include <string_view>
#include <vector>

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
// The module's name faults, a chain of directly used servers that leads back to the module
// ("Circular reference between directly used servers: %s"), the untyped elements ("Type is not
// set"), then every external class of the module's class, in order, then the member rules.
// Results about the module itself point to `moduleObject` (the project's entry of the module,
// which the tree shows), or to the module without one.
void CheckModule(const TemgModule& module, const IModuleResolver& modules, TCheckCollection& results,
                 const TPersistent* moduleObject = nullptr);

// A module whose name one of `earlier` has in any letter case ("Name %s is not unique"): the two
// would write one set of files where file names ignore case, and references to either find the
// first. Results point to `moduleObject` as above.
void CheckModuleNameUnique(const TemgModule& module, const std::vector<const TemgModule*>& earlier,
                           TCheckCollection& results, const TPersistent* moduleObject = nullptr);

// Each debug application of the module whose name (in any letter case) and output directory an
// earlier application has, of `earlier` or of the module itself: the second writer is refused on
// the application, as the two would overwrite each other's program and form units.
// `projectSrcPath` is the path the output directories are relative to.
void CheckDebugApplicationFiles(const TemgModule& module, const std::vector<const TemgModule*>& earlier,
                                std::string_view projectSrcPath, TCheckCollection& results);

// A module with its own database connection whose data module unit ("gen_dmu" + DataModuleName)
// one of `earlier` (the modules checked before it) writes as well: the second writer is refused,
// as the two units would overwrite each other. Results point to `moduleObject` as above.
void CheckDataModuleUnit(const TemgModule& module, const std::vector<const TemgModule*>& earlier,
                         TCheckCollection& results, const TPersistent* moduleObject = nullptr);

}  // namespace quillon
