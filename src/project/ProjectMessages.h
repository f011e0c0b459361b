// The texts the project raises, each kept once and verbatim; callers fill them in with Format.
#pragma once

#include <string_view>

namespace quillon {

inline constexpr std::string_view kNoModuleFound = "No module found";
// Two blanks after "File": the text as the workbench has always shown it.
inline constexpr std::string_view kFileNameNotAssigned = "File  name for %s not assigned";
// A project file that lists one module file twice would load one file into two modules: the
// second entry is left out, and the next save writes the project without it.
inline constexpr std::string_view kModuleFileTwice =
    "Module file '%s' is named twice in the project; the second entry is left out";
// "Add existing module" of a file that an entry of the project names already.
inline constexpr std::string_view kModuleFileInProject = "Module file '%s' is already in the project";
// A module file that cannot be read; the second argument is the reader's message.
inline constexpr std::string_view kModuleFileUnreadable = "Cannot load module file '%s': %s";
// The same for the project file.
inline constexpr std::string_view kProjectFileUnreadable = "Cannot load project file '%s': %s";

// Opening a project whose entries name module files that are not there: the project file and
// the number of files; the question follows the list of files, one a line.
inline constexpr std::string_view kModuleFilesMissing = "Project '%s' lacks %d of its module files";
inline constexpr std::string_view kOpenWithoutModuleFiles =
    "Open it without them? Their entries are dropped when the project is saved.";

// Names of new projects and modules.
// A generation whose check found errors writes nothing.
inline constexpr std::string_view kGenerationStoppedOneError = "Generation stopped: the check found 1 error";
inline constexpr std::string_view kGenerationStoppedErrors = "Generation stopped: the check found %d errors";
inline constexpr std::string_view kNewProjectName = "Project1";
inline constexpr std::string_view kNewClassWord = "ExtClass";

// The unit header of a new project: six lines of 68 characters, each ended by CR LF.
inline constexpr std::string_view kStandardUnitHeader =
    "{******************************************************************}\r\n"
    "{                                                                  }\r\n"
    "{                Borland Delphi Runtime Library                    }\r\n"
    "{                    Quillon generated                             }\r\n"
    "{                                                                  }\r\n"
    "{******************************************************************}\r\n";

}  // namespace quillon
