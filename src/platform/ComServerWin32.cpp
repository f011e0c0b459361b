// COM registration on Windows: load the library with LoadLibraryW and call its
// DllRegisterServer inside an initialised COM apartment, as the system's regsvr32 does.
#include "platform/ComServer.h"

#include <windows.h>
#include <objbase.h>

#include <cstdint>
#include <cstdio>
#include <memory>

#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/PlatformMessages.h"
#include "platform/Win32.h"

namespace quillon {

namespace {

struct LibraryFree {
    void operator()(HMODULE module) const { ::FreeLibrary(module); }
};

// COM initialised for the registration's duration when this thread had no apartment yet.
class ComApartment {
public:
    ComApartment() : initialised_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialised_) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialised_;
};

}  // namespace

bool ComRegistrationAvailable() { return true; }

std::string RegisterComServer(const std::string& libraryPath) {
    const ComApartment apartment;
    // The library's own directory first, so that DLLs beside it are found.
    std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryFree> library(
        ::LoadLibraryExW(PathFromUtf8(libraryPath).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!library)
        throw Exception(Format(kCannotOpenFile, libraryPath) + " (" + win32::ErrorText(::GetLastError()) + ")");

    using RegisterRoutine = HRESULT(STDAPICALLTYPE*)();
    const FARPROC symbol = ::GetProcAddress(library.get(), "DllRegisterServer");
    if (!symbol) throw Exception(Format(kRegisterExportMissing, libraryPath));
    const auto registerServer = reinterpret_cast<RegisterRoutine>(reinterpret_cast<void*>(symbol));
    const HRESULT result = registerServer();
    if (FAILED(result)) {
        char code[16];
        std::snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(result));
        throw Exception(Format(kRegistrationFailed, libraryPath, std::string(code)));
    }
    return Format(kServerRegistered, libraryPath);
}

}  // namespace quillon
