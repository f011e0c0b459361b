// The library project of a library server (N + ".dpr"): the units the library is built from and
// the routines it exports; and the project options file beside it with the unit search path.
#pragma once

#include <string>
#include <string_view>

namespace quillon {

class IModuleResolver;
class TemgModule;

// Kind 3; empty for a module whose server option needs no library.
std::string BuildLibraryProject(const TemgModule& module, const IModuleResolver& resolver);

// "[Directories]" CR LF "SearchPath=" and the search path's directories, each made absolute
// against the project's source path and written with this platform's separator, joined by ";".
std::string ProjectOptionsText(std::string_view searchPath, std::string_view projectSrcPath);

// Writes the options file N + ".dof" into the module's output directory unless it exists, so
// that a developer's changes to it stay; true when written.
bool WriteProjectOptionsFile(const TemgModule& module, std::string_view projectSrcPath, std::string_view searchPath);

}  // namespace quillon
