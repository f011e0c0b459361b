// The user-visible texts that the module and its generation raise, ask or write into generated
// files, each kept once and verbatim; callers fill them in with Format.
#pragma once

#include <string_view>

namespace quillon {

// Generation.
inline constexpr std::string_view kFileExistsOverwrite = "File '%s' exists. Overwrite?";
inline constexpr std::string_view kReferencedClassNotFound = "Class '%s' not found";
inline constexpr std::string_view kUnableToCreateDirectory = "Unable to create directory";
// A member, parameter or function result without a type would be written as "Name:;".
inline constexpr std::string_view kTypeNotSet = "Type of '%s' is not set";

// Release of a module's library and units.
inline constexpr std::string_view kPathNotFound = "Path '%s' not found";
inline constexpr std::string_view kReleaseFileNotFound = "File '%s' not found";

// The block that follows the unit header in every file the generator recreates: two empty
// lines, the four-line banner, and a line break after it.
inline constexpr std::string_view kRecreatedFileBlock =
    "\r\n"
    "\r\n"
    "{******************************************************************}\r\n"
    "{            This unit will be recreated by code generator.        }\r\n"
    "{                    Don't change manually                         }\r\n"
    "{******************************************************************}\r\n";

// Raised by a generated library controller for a library path without the library in it;
// written into the generated code as a Pascal literal.
inline constexpr std::string_view kLibraryNotFound = "Library %s not found";

// Names of the common types module and its class.
inline constexpr std::string_view kCommonTypesName = "CommonTypes";
// The system method of every class module's class.
inline constexpr std::string_view kAfterInitInstance = "AfterInitInstance";
inline constexpr std::string_view kSetDatabaseParams = "SetDatabaseParams";
// Prefix of a new debug application's name.
inline constexpr std::string_view kDebugAppPrefix = "DebugApp";

}  // namespace quillon
