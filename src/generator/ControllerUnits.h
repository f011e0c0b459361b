// The controller unit ("cntr" + N) through which a host drives a module's server: the library
// controller that loads the library and calls its exported routines, the direct controller that
// creates the developer's class itself, and the COM controller that creates the COM object.
#pragma once

#include <string>
#include <string_view>

namespace quillon {

class IModuleResolver;
class TemgModule;

// Kind 4: the controller that the module's server option asks for.
std::string BuildControllerUnit(const TemgModule& module, const IModuleResolver& resolver);

std::string BuildLibraryController(const TemgModule& module, const IModuleResolver& resolver);
std::string BuildDirectController(const TemgModule& module, const IModuleResolver& resolver);
std::string BuildComController(const TemgModule& module, const IModuleResolver& resolver);

// The statements that put the library's file name into `fileVariable`: the library constant
// `libraryConstant` behind the directory `path` when that is not empty, else the bare constant;
// with `withCheck` a library missing from the given directory raises "Library %s not found".
std::string LibraryPathBlock(std::string_view path, std::string_view fileVariable, std::string_view libraryConstant,
                             bool withCheck);

}  // namespace quillon
