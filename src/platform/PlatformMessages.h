// The user-visible message texts that the platform layer raises, each kept once and verbatim.
#pragma once

#include <string_view>

namespace quillon {

inline constexpr std::string_view kCannotOpenFile = "Cannot open file %s";
inline constexpr std::string_view kCannotCreateFile = "Cannot create file %s";
// Something is at the path, but nothing that can be read as a file: a directory, a FIFO, a device,
// or symbolic links that lead round in a loop.
inline constexpr std::string_view kNotRegularFile = "'%s' is not a regular file";
inline constexpr std::string_view kServerRegistered = "Server %s is registered successfully";
inline constexpr std::string_view kRegisterExportMissing = "DllRegisterServer not found in %s";
inline constexpr std::string_view kRegistrationFailed = "DllRegisterServer of %s failed with code %s";
inline constexpr std::string_view kInvalidFormat = "Format '%s' invalid or incompatible with argument";

// Database aliases (ODBC data sources) and the connection test.
inline constexpr std::string_view kConnectionEstablished = "Connection is successfully established";
inline constexpr std::string_view kCannotConnect = "Cannot connect to data source '%s': %s";
inline constexpr std::string_view kNoDiagnostic = "the driver manager gave no reason";
inline constexpr std::string_view kDriverManagerUnavailable = "Cannot start the ODBC driver manager";

}  // namespace quillon
