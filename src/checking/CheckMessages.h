// The texts of the check results, each kept once and verbatim; callers fill them in with Format.
#pragma once

#include <string_view>

namespace quillon {

// An external class names a class that no module of the project has.
inline constexpr std::string_view kCheckClassNotFound = "Class not found";
// A property, event, parameter or function result whose type is empty.
inline constexpr std::string_view kCheckTypeNotSet = "Type is not set";
// Modules with the direct-uses server option whose references lead back to themselves: their
// units would use each other. The module names joined by " -> ".
inline constexpr std::string_view kCheckCircularDirectUses = "Circular reference between directly used servers: %s";
// A module with dataset support refers to a class of a module with its own database connection.
inline constexpr std::string_view kCheckHostToOwnConnection =
    "External property '%s' has an error: class with 'Host DB connection' support cannot references to class "
    "with 'Own DB connection' support";
// A module without database support refers to a class of a module with some.
inline constexpr std::string_view kCheckNoneToDatabase =
    "External property '%s' has an error: class with 'None' database support cannot references to class with "
    "'Use Own DB connection' or 'Use Host DB connection' support";

}  // namespace quillon
