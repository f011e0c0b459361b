// The user-visible message texts that the model layer raises or shows, each kept once and
// verbatim; callers fill them in with Format.
#pragma once

#include <string_view>

namespace quillon {

// Object-text parser: "<what> on line <n>".
inline constexpr std::string_view kParseError = "%s on line %d";
// A name already ends in the largest number there is: no new name can follow it.
inline constexpr std::string_view kNoNextNumber = "No number follows %s%s";
inline constexpr std::string_view kIdentifierExpected = "Identifier expected";
inline constexpr std::string_view kStringExpected = "String expected";
inline constexpr std::string_view kNumberExpected = "Number expected";
inline constexpr std::string_view kCharExpected = "''%s'' expected";
inline constexpr std::string_view kInvalidString = "Invalid string constant";
inline constexpr std::string_view kInvalidPropertyValue = "Invalid property value";
inline constexpr std::string_view kInvalidBinary = "Invalid binary value";
// Object-text reader: a path that names no published property.
inline constexpr std::string_view kPropertyDoesNotExist = "Property does not exist";
// Object-text reader limits of our own: model files never come near them.
inline constexpr std::string_view kNestingTooDeep = "Nesting too deep";
inline constexpr std::string_view kClassNotFound = "Class %s not found";

// Assign between classes that do not know each other.
inline constexpr std::string_view kCannotAssign = "Cannot assign a %s to a %s";

// Model files.
inline constexpr std::string_view kErrorFileFormat = "Error file format";
inline constexpr std::string_view kFileNotFound = "File '%s' not found";
inline constexpr std::string_view kFileReplaceQuestion =
    "File '%s' has another version. File has been changed %s. Replace it with the version of %s";
inline constexpr std::string_view kFileChangedQuestion = "File '%s' is changed. Update?";

}  // namespace quillon
