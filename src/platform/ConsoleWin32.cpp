// Windows: a console window takes UTF-16 through WriteConsoleW, whatever its code page; redirected
// output is written in binary with the line ends a text-mode stream would give.
#include "platform/Console.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>

#include "platform/Win32.h"

namespace quillon {

namespace {

HANDLE ConsoleOf(int fd) {
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode) ? handle : nullptr;
}

}  // namespace

Utf8TextBuffer::Sink win32::StandardStreamSink(int fd) {
    if (HANDLE console = ConsoleOf(fd)) {
        return [console](std::string_view text) {
            std::wstring wide = win32::Widen(text);
            std::wstring_view rest(wide);
            while (!rest.empty()) {
                DWORD written = 0;
                if (!::WriteConsoleW(console, rest.data(), static_cast<DWORD>(rest.size()), &written, nullptr) ||
                    written == 0)
                    return false;
                rest.remove_prefix(written);
            }
            return true;
        };
    }
    ::_setmode(fd, _O_BINARY);
    return [fd, afterCr = false](std::string_view text) mutable {
        const std::string bytes = WindowsLineEnds(text, afterCr);
        std::string_view rest(bytes);
        while (!rest.empty()) {
            const int n = ::_write(fd, rest.data(), static_cast<unsigned>(std::min<std::size_t>(rest.size(), 1u << 30)));
            if (n <= 0) return false;  // GetLastError tells a closed pipe
            rest.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    };
}

void AttachToCallingConsole() {
    if (::GetFileType(::GetStdHandle(STD_OUTPUT_HANDLE)) != FILE_TYPE_UNKNOWN) return;  // redirected
    if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return;
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
}

struct ScopedStandardText::Streams {
    Utf8TextBuffer out{win32::StandardStreamSink(1)};
    Utf8TextBuffer err{win32::StandardStreamSink(2)};
    std::streambuf* previousOut = nullptr;
    std::streambuf* previousErr = nullptr;
};

ScopedStandardText::ScopedStandardText() : streams_(std::make_unique<Streams>()) {
    std::cout.flush();
    std::cerr.flush();
    streams_->previousOut = std::cout.rdbuf(&streams_->out);
    streams_->previousErr = std::cerr.rdbuf(&streams_->err);
}

ScopedStandardText::~ScopedStandardText() {
    std::cout.flush();
    std::cerr.flush();
    std::cout.rdbuf(streams_->previousOut);
    std::cerr.rdbuf(streams_->previousErr);
}

}  // namespace quillon
