// Inside the platform layer: what the shared file-system code asks of a system's half, and the
// write fault a test installed, for the system-specific halves of the atomic writer.
#pragma once

#include "platform/FileSystem.h"

namespace quillon {

// The length of the UNC root (\\server\share) that `path` starts with; 0 when it starts with
// none, always on POSIX. std::filesystem of GCC 12 does not know UNC names on Windows.
std::size_t UncRootLength(std::string_view path);

// The innermost installed ScopedWriteFault, or nullptr (always, outside tests).
const ScopedWriteFault* InstalledWriteFault();

// True when the installed fault fails `step`.
inline bool FaultAt(ScopedWriteFault::Step step) {
    const ScopedWriteFault* fault = InstalledWriteFault();
    return fault && fault->FailingStep() == step;
}

}  // namespace quillon
