// Registration of a built COM server library: load it, call its DllRegisterServer export, free it.
#pragma once

#include <string>

namespace quillon {

// Whether this system can register COM servers: Windows only. Elsewhere RegisterComServer still
// loads a library of this system (which the tests use), but no COM server can exist.
bool ComRegistrationAvailable();

// Registers the COM server in `libraryPath` and returns the success message
// ("Server %s is registered successfully"). Raises Exception with the system's message when the
// library cannot be loaded (a Windows library on this platform, say) or lacks the export, and
// when the registration routine reports a failure.
std::string RegisterComServer(const std::string& libraryPath);

}  // namespace quillon
