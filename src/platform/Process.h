// The command-line process: how it ends when interrupted or terminated (without leaving the
// temporary files of its writes behind), and its standard output, whose failed writes it reports.
#pragma once

#include <ostream>

#include "platform/Console.h"

namespace quillon {

inline constexpr int kInterruptedStatus = 130;  // SIGINT; Ctrl+C and Ctrl+Break on Windows
inline constexpr int kTerminatedStatus = 143;   // SIGTERM; the console closed on Windows

// Installs the process's handling: SIGINT and SIGTERM (Windows: Ctrl+C, Ctrl+Break, closing the
// console) remove the temporary files of the writes in flight and end the process with
// kInterruptedStatus or kTerminatedStatus; SIGPIPE is ignored, so that writing to a closed pipe
// fails as a write. Call it first thing in main, before any thread starts: on POSIX the signals
// are blocked in every thread and taken by a thread of its own.
void InstallInterruptHandling();

// A stream buffer over the process's standard output that keeps why a write failed. After a
// failed write it writes nothing more: what a command prints after that is dropped, while the
// command goes on (a generation still finishes its files). It writes whole UTF-8 characters, as
// the standard text does: on Windows to a console window in UTF-16, redirected with CR LF.
class StandardOutputBuffer final : public Utf8TextBuffer {
public:
    enum class Failure { None, WriteFailed, ReaderGone };

    StandardOutputBuffer();
    ~StandardOutputBuffer() override;

    Failure GetFailure() const { return failure_; }

private:
    Failure failure_ = Failure::None;
};

// Whether `out` writes into a StandardOutputBuffer whose reader closed its end (a pipe into
// `head`): the failure the user caused, reported by no message.
bool OutputReaderGone(const std::ostream& out);

}  // namespace quillon
