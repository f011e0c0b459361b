// The user-visible texts that the module and its generation raise, ask or write into generated
// files, each kept once and verbatim; callers fill them in with Format.
#pragma once

#include <string_view>

namespace quillon {

// Generation.
inline constexpr std::string_view kFileExistsOverwrite = "File '%s' exists. Overwrite?";
inline constexpr std::string_view kReferencedClassNotFound = "Class '%s' not found";
inline constexpr std::string_view kUnableToCreateDirectory = "Unable to create directory";
inline constexpr std::string_view kCannotWriteInCodePage = "%s cannot be written in code page %d";
// The checks before a run writes its first file: a file that the run would replace without
// clearing its protection, a name that is taken by a directory, a directory that cannot be
// written.
inline constexpr std::string_view kCannotCreateReadOnlyFile = "Cannot create file %s (read-only)";
inline constexpr std::string_view kCannotCreateOverDirectory = "Cannot create file %s (it is a directory)";
inline constexpr std::string_view kCannotCreateInReadOnlyDirectory = "Cannot create file %s (directory %s is read-only)";
// A generated file of the run is a unit the user added to a module: the file's name, the module.
inline constexpr std::string_view kGenerationStoppedAddedUnit = "Generation stopped: %s is an added unit of module %s";
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

// The update of an existing developer's unit. The reader names the file, what it missed and the
// line where it lost its way; the update reports, with file and line, what it leaves alone.
inline constexpr std::string_view kDevUnitRefused = "The developer's unit %s is left unchanged: %s on line %d";
// The same where the file and line are printed apart, as compilers do.
inline constexpr std::string_view kDevUnitRefusedHere = "%s; the developer's unit is left unchanged";
inline constexpr std::string_view kDevUnitMissingWord = "'%s' expected";
inline constexpr std::string_view kDevUnitClassMissing = "no declaration of the class %s";
inline constexpr std::string_view kDevUnitClassTwice = "a second declaration of the class %s";
inline constexpr std::string_view kDevUnitClassNoEnd = "the declaration of the class %s has no 'end'";
inline constexpr std::string_view kDevUnitOpenComment = "a comment that is not closed";
inline constexpr std::string_view kDevUnitOpenString = "a string that is not closed";
inline constexpr std::string_view kDevUnitStrayEnd = "an 'end' that closes nothing";
inline constexpr std::string_view kDevUnitOpenBlock = "a block that is not closed";
inline constexpr std::string_view kDevUnitBinary = "a zero byte (not a Pascal text)";
inline constexpr std::string_view kDevUnitSignatureDiffers = "%s(%d): warning: %s differs from the design, which declares: %s";
inline constexpr std::string_view kDevUnitParameterRenamed =
    "%s: warning: parameter %s is now %s; the body may still use the old name";
inline constexpr std::string_view kDevUnitLocation = "%s(%d)";
inline constexpr std::string_view kDevUnitNotDesigned = "%s(%d): warning: the design has no method for the override: %s";
inline constexpr std::string_view kDevUnitChangedMeanwhile =
    "The developer's unit %s changed after it was read; nothing was written";

}  // namespace quillon
