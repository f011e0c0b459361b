// The common types unit: the first module's enumerated types in a unit of their own, the rule by
// which another module's units use it, and what those units take over from the first module's
// types (copies of its procedural types, the units its registered types come from).
#pragma once

#include <memory>
#include <string>

#include "source/SourceDeclarations.h"
#include "source/SourceTypes.h"

namespace quillon {

class IModuleResolver;
class TemgModule;

// While it lives, the types `module` refers to (through its members, its procedural types and
// the first module's procedural types they use) are collected once on this thread, at the first
// question about them, and kept for the functions below: a module's units ask about a dozen
// times. A module's generation sets it up; the design does not change while it runs.
class TypeReferencesScope {
public:
    TypeReferencesScope(const TemgModule& module, const IModuleResolver& resolver);
    ~TypeReferencesScope();
    TypeReferencesScope(const TypeReferencesScope&) = delete;
    TypeReferencesScope& operator=(const TypeReferencesScope&) = delete;

    struct State;

private:
    std::unique_ptr<State> state_;
    State* previous_;
};

// Kind 8: the unit "gen" + the module's class name declaring the module's enumerated types.
std::string BuildTypesUnit(const TemgModule& module);

// True when the module's members or procedural types, or the first module's procedural types
// they use, refer to an enumerated type, and the project's first module (another than `module`)
// declares at least one: only then is there a types unit to use.
bool ModuleUsesCommonTypes(const TemgModule& module, const IModuleResolver& resolver);

// Adds the types unit to `uses` when the module uses it; in a library project with the full
// path of its file.
void AddCommonTypesUnit(TgmcUsesModules& uses, const TemgModule& module, const IModuleResolver& resolver,
                        bool withFileName = false);

// Declares in `target` a copy of each of the first module's procedural types that the module
// refers to (through its members, its own procedural types, or other copied types).
void AddFirstModuleProceduralTypes(TgmcProceduralTypes& target, const TemgModule& module,
                                   const IModuleResolver& resolver);

// Adds the units that declare the registered types the module refers to, including those of the
// first module's procedural types it uses. Raises "The reference to the registered type %s not
// found" or "The reference to the procedural type %s not found" for a name nothing declares.
void AddRegisteredTypeUnits(TgmcUsesModules& uses, const TemgModule& module, const IModuleResolver& resolver);

}  // namespace quillon
