// Inside the platform layer: what the shared code asks of a system's half about the process.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/Process.h"

namespace quillon {

std::uint64_t CurrentProcessId();
// Whether the process `pid` still runs (one that may not be asked about runs).
bool ProcessRuns(std::uint64_t pid);

// Writes all of `text` (whole UTF-8 characters) to standard output; answers how that failed.
StandardOutputBuffer::Failure WriteStandardOutput(std::string_view text);

// The installed write fault's interrupt: the signal `signal` (SIGINT or SIGTERM) arrives while a
// temporary file is being written, as InstallInterruptHandling takes it. Never returns.
[[noreturn]] void InterruptWrite(int signal);

// Removes every temporary file being written and keeps any other from starting: the process is
// about to end.
void RemoveTemporaryFilesInFlight();

}  // namespace quillon
