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

// The options file's text: "[Directories]" CR LF "SearchPath=" and the search path's entries,
// each made absolute against the project's source path and written with this platform's
// separator, joined by ";" as before (an empty entry stays empty).
std::string ProjectOptionsText(std::string_view searchPath, std::string_view projectSrcPath);

}  // namespace quillon
