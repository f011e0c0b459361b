// The Windows half of the process: its id, the console's control events, and standard output
// written as the standard text is (UTF-16 to a console window, CR LF when redirected).
#include <windows.h>

#include <csignal>

#include "platform/ProcessInternal.h"
#include "platform/Win32.h"

namespace quillon {

namespace {

[[noreturn]] void EndProcess(int status) {
    RemoveTemporaryFilesInFlight();
    // At once: the other threads may hold the run-time's locks that an orderly exit would take.
    ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(status));
    for (;;) ::Sleep(INFINITE);
}

// Runs in a thread of its own that the system starts for the event.
BOOL WINAPI ConsoleControl(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT: EndProcess(kInterruptedStatus);
        case CTRL_CLOSE_EVENT: EndProcess(kTerminatedStatus);
        default: return FALSE;
    }
}

}  // namespace

std::uint64_t CurrentProcessId() { return ::GetCurrentProcessId(); }

bool ProcessRuns(std::uint64_t pid) {
    const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (!process) return ::GetLastError() == ERROR_ACCESS_DENIED;
    const bool runs = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    ::CloseHandle(process);
    return runs;
}

void InstallInterruptHandling() { ::SetConsoleCtrlHandler(ConsoleControl, TRUE); }

void InterruptWrite(int signal) {
    ConsoleControl(signal == SIGINT ? CTRL_C_EVENT : CTRL_CLOSE_EVENT);
    for (;;) ::Sleep(INFINITE);
}

StandardOutputBuffer::Failure WriteStandardOutput(std::string_view text) {
    static Utf8TextBuffer::Sink sink = win32::StandardStreamSink(1);
    if (sink(text)) return StandardOutputBuffer::Failure::None;
    const DWORD error = ::GetLastError();
    return error == ERROR_BROKEN_PIPE || error == ERROR_NO_DATA ? StandardOutputBuffer::Failure::ReaderGone
                                                                : StandardOutputBuffer::Failure::WriteFailed;
}

}  // namespace quillon
