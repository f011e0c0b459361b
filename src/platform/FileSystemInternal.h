// Inside the platform layer: what the shared file-system code asks of a system's half, and the
// write fault a test installed, for the system-specific halves of the atomic writer.
#pragma once

#include <filesystem>

#include "platform/Exception.h"
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

// Ends the process by the installed fault's signal when it is due at the temporary file just
// created.
void InterruptIfDue();

// The system halves of AtomicFileBatch. WriteTemporaryFile resolves and checks `path` as
// WriteFileAtomic does, writes `bytes` to a new temporary file beside the file it replaces and
// closes it (on Linux, with durability Synced, after starting its write-back); raises Exception
// "Cannot create file %s" and leaves no temporary file when it fails.
AtomicFileBatch::Pending WriteTemporaryFile(const std::string& path, std::string_view bytes,
                                            WriteDurability durability);
// Forces the temporary files from index `from` on to the disk; raises as above, naming the file
// that failed.
void FlushTemporaryFiles(const std::vector<AtomicFileBatch::Pending>& files, std::size_t from);
// Renames the temporary file into place; raises as above (the temporary file is removed).
void RenameTemporaryFile(const AtomicFileBatch::Pending& file);
// Forces the renames of `files` to the disk: each distinct directory once. Best effort: the files
// are whole either way, and some file systems refuse to sync a directory.
void SyncDirectories(const std::vector<AtomicFileBatch::Pending>& files);
void RemoveTemporaryFile(const AtomicFileBatch::Pending& file);

// The temporary file that takes `target`'s new bytes: ".NAME.tmp<pid>-<n>" beside it, registered as
// in flight, so that an interrupt removes it. The first one in a directory removes the leftovers
// there of processes that no longer run.
std::filesystem::path NewTemporaryFile(const std::filesystem::path& target);
// The temporary file has taken its target's place.
void ForgetTemporaryFile(const std::filesystem::path& temp);
// Removes the temporary file and forgets it.
void DiscardTemporaryFile(const std::filesystem::path& temp);

// "Cannot create file %s", with the system's reason in brackets when there is one.
Exception CannotCreateFile(const std::string& path, const std::string& reason);

}  // namespace quillon
