// What a class's external classes add to the generated units: the members that create, hand out
// and free the objects of other modules' classes in the server, and the library paths that a
// class holds for the library servers it reaches, directly or through the classes it refers to.
#pragma once

#include <string>
#include <vector>

#include "source/SourceClasses.h"
#include "source/SourceDeclarations.h"

namespace quillon {

class IModuleResolver;
class TemgModule;

// The modules whose classes `module`'s class reaches through its external classes, following each
// referenced class's own external classes in turn: every module once, depth first in the order of
// the external class lists. Raises "Class '%s' not found" for a class no module of the project has.
std::vector<const TemgModule*> ReferencedModules(const TemgModule& module, const IModuleResolver& resolver);

// The library servers (moServerInDll) among the referenced modules, in that order: each one's path
// is a field of the class and a parameter of its SetDLLsPaths and CreateFromPath.
std::vector<const TemgModule*> ReferencedLibraryServers(const TemgModule& module, const IModuleResolver& resolver);

// The library path test: the class reaches at least one library server.
bool NeedsLibraryPaths(const TemgModule& module, const IModuleResolver& resolver);

// "a" + X + "Path": the parameter that carries library server X's directory.
std::string LibraryPathParameter(const TemgModule& server);
// The private field "F" + X + "Path" of type string per library server X.
void AddLibraryPathFields(TgmcFields& target, const std::vector<const TemgModule*>& servers);
// The parameter "a" + X + "Path" of type string per library server X, defaulting to '' on request.
void AddLibraryPathParameters(TgmcParameters& target, const std::vector<const TemgModule*>& servers,
                              bool withDefaults);
// "F" + X + "Path" + ":=" + "a" + X + "Path" + ";" per library server, one per line.
std::string LibraryPathAssignments(const std::vector<const TemgModule*>& servers);
// "(aXPath,aYPath)": the path parameters as the arguments of a call.
std::string LibraryPathArguments(const std::vector<const TemgModule*>& servers);

// For each external class, the unit that declares its field's type: the referenced module's
// controller unit, or its database support controller when `module` has its own connection; in a
// library project with the full path of the unit's file.
void AddExternalClassUnits(TgmcUsesModules& uses, const TemgModule& module, const IModuleResolver& resolver,
                           bool withFileNames = false);

// Per external class of the module's class, in order: its field, property and the Get, Create and
// Free methods in `target`; then one "Free" line per external class at the end of
// `beforeDestruction`'s code. Raises "Class '%s' not found" for a class the project lacks.
void AddExternalMembers(TgmcClass& target, TgmcMethod& beforeDestruction, const TemgModule& module,
                        const IModuleResolver& resolver);

}  // namespace quillon
