// COM registration on POSIX: dlopen/dlsym load a library built for this system; a Windows
// library fails to load with the loader's message.
#include "platform/ComServer.h"

#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <memory>

#include "platform/Exception.h"
#include "platform/Format.h"
#include "platform/PlatformMessages.h"

namespace quillon {

namespace {

struct LibraryCloser {
    void operator()(void* handle) const { ::dlclose(handle); }
};

std::string LastLoaderError(const std::string& fallback) {
    const char* error = ::dlerror();
    return error ? std::string(error) : fallback;
}

}  // namespace

bool ComRegistrationAvailable() { return false; }

std::string RegisterComServer(const std::string& libraryPath) {
    ::dlerror();  // clear a stale error
    std::unique_ptr<void, LibraryCloser> library(::dlopen(libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL));
    if (!library) throw Exception(LastLoaderError(Format(kCannotOpenFile, libraryPath)));

    using RegisterRoutine = std::int32_t (*)();
    void* symbol = ::dlsym(library.get(), "DllRegisterServer");
    if (!symbol) throw Exception(LastLoaderError(Format(kRegisterExportMissing, libraryPath)));
    const auto registerServer = reinterpret_cast<RegisterRoutine>(symbol);
    const std::int32_t result = registerServer();
    if (result < 0) {  // a failure HRESULT has the high bit set
        char code[16];
        std::snprintf(code, sizeof code, "%08X", static_cast<std::uint32_t>(result));
        throw Exception(Format(kRegistrationFailed, libraryPath, std::string(code)));
    }
    return Format(kServerRegistered, libraryPath);
}

}  // namespace quillon
