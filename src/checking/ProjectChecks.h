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

// A module as the project-wide rules see it: the module and the object that results about it
// point to (the project's entry of the module, which the tree shows).
struct TCheckedModule {
    const TemgModule* module;
    const TPersistent* object;
};

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
// earlier application has, of `earlier` or of the module itself: both writers are refused, each on
// its application naming the other's module, as the two would overwrite each other's program and
// form units.
// `projectSrcPath` is the path the output directories are relative to.
void CheckDebugApplicationFiles(const TemgModule& module, const std::vector<const TemgModule*>& earlier,
                                std::string_view projectSrcPath, TCheckCollection& results);

// A module with its own database connection whose data module unit ("gen_dmu" + DataModuleName)
// one of `earlier` (the modules checked before it) writes as well: both writers are refused, each
// naming the other, as the two units would overwrite each other. Results point to `moduleObject`
// and to the earlier module's object.
void CheckDataModuleUnit(const TemgModule& module, const std::vector<TCheckedModule>& earlier,
                         TCheckCollection& results, const TPersistent* moduleObject = nullptr);

// Every file that generation writes, for each of `modules` (the first being the project's first
// module) and each of their debug applications, against every other and against the units added
// to every module, names compared as Windows compares them (GeneratedFiles' FileNameKey). A file
// two owners write gives "File %s is written by %s and by %s" on each owner, unless a narrower
// rule refuses the pair: two modules of one name, two modules' data module units, two debug
// applications of one name. An added unit that generation writes gives "Added unit %s is a file
// that %s writes" on the added unit and on the owner. `projectSrcPath` as above.
void CheckGeneratedFileOwners(const std::vector<TCheckedModule>& modules, std::string_view projectSrcPath,
                              TCheckCollection& results);

}  // namespace quillon
