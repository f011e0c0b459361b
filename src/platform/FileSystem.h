// File-system services the model and the generators use: file times, the read-only attribute,
// directory creation, path rules, and whole-file reading and safe (atomic) writing.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DateTime.h"

namespace quillon {

// Paths are UTF-8 inside Quillon. These two cross into and out of std::filesystem, whose narrow
// strings are the system's code page on Windows (UTF-16 underneath) rather than UTF-8.
std::filesystem::path PathFromUtf8(std::string_view path);
std::string Utf8FromPath(const std::filesystem::path& path);

// Modification time of a file, or nullopt when it does not exist.
std::optional<TDateTime> FileAge(const std::string& path);
bool FileExists(const std::string& path);
// Whether something other than a regular file is at `path`: a directory, a FIFO, a device or a
// loop of symbolic links. Nothing there, or a link to nothing, is not irregular but missing.
bool IsIrregularFile(const std::string& path);
bool DirectoryExists(const std::string& path);
// Removes the file `path`; false when it is not there or cannot be removed.
bool RemoveFile(const std::string& path);

bool IsFileReadOnly(const std::string& path);
// Removes every write permission (true) or gives the owner write permission back (false).
void SetFileReadOnly(const std::string& path, bool readOnly);

// Creates the directory with all missing parents; false when that fails.
bool ForceDirectories(const std::string& path);

// The trailing-separator rule for directories, with this platform's separator: an empty string
// stays empty, one that already ends in a separator stays unchanged, anything else gets one
// appended. On Windows a string ending in "/" or ":" stays unchanged too and a single drive
// letter "C" becomes "C:\".
std::string IncludeTrailingPathDelimiter(std::string_view dir);
// The bare file name: the text after the last "/", "\" or ":", so that names written on either
// platform work.
std::string ExtractFileName(std::string_view path);
// The directory part including its trailing separator ("" when there is none): the text up to
// the same "/", "\" or ":" that ExtractFileName splits at.
std::string ExtractFilePath(std::string_view path);
// `path` with "." and ".." resolved by computation and this platform's separators.
std::string NormalizePath(std::string_view path);
// The process's current directory, which paths given on a command line are relative to.
std::string CurrentDirectory();
// `path` made absolute against `baseDir` (never the process's current directory) and
// normalised; an absolute `path` is only normalised.
std::string ExpandFileName(std::string_view path, std::string_view baseDir);

// `path` expressed relative to `baseDir` ("../lib/Unit1.pas"); both are made absolute against
// `baseDir` first. A path that shares no root with the directory comes back absolute. Names the
// user picks in a dialog are stored this way, so that a project moves with its files.
std::string ExtractRelativePath(std::string_view path, std::string_view baseDir);
// `path` with every "\" read as a separator: paths stored on Windows name their directories
// with backslashes.
std::string SlashSeparated(std::string_view path);
// Reads a whole file; raises Exception "Cannot open file %s" when it cannot be read, and
// "'%s' is not a regular file" without opening what IsIrregularFile finds (a FIFO would wait for a
// writer).
std::string ReadFileBytes(const std::string& path);
// Copies `source` to `target`, replacing a file there; raises std::filesystem::filesystem_error.
void CopyFileOver(const std::string& source, const std::string& target);
// Whether WriteFileAtomic forces the new file's bytes to the disk before it takes the old one's
// place. Synced costs a disk flush (per file, or per batch: AtomicFileBatch), which dominates
// writing thousands of small files;
// it is for what cannot be made again (model files), while generated files, which the next
// generation rewrites from the model, are left to the system's write-back as a copy would be.
enum class WriteDurability { Synced, Unsynced };

// Raises Exception "Cannot create file %s" when `path` names an existing file without write
// permission: no write bit in its mode (tested on the bits, so that it holds for the super-user
// too), or one the process may not write. A missing file passes.
void CheckFileWritable(const std::string& path);

// Whether files can be created in the existing directory `path`. On POSIX it needs a write bit
// (tested on the bits, as CheckFileWritable does) and the process's permission to write and enter
// it; Windows ignores a directory's read-only attribute when files are created in it.
bool IsDirectoryWritable(const std::string& path);

// Writes `bytes` to a temporary file beside `path` and renames it into place, so a failure never
// leaves a half-written file: the old file stays intact. A symbolic link is kept and its target
// replaced; an existing file's permissions are kept, and one without write permission is refused
// (CheckFileWritable) rather than replaced by the rename. Raises Exception "Cannot create file %s".
// An AtomicFileBatch of one file.
void WriteFileAtomic(const std::string& path, std::string_view bytes,
                     WriteDurability durability = WriteDurability::Synced);

// Writes several files so that each is either whole or as it was, forcing them to the disk
// together: Add writes each file's temporary file beside it, Commit then flushes all of them and
// only after that renames them into place in the order added, and syncs their directories once.
// Flushing one file after another as each is written costs the disk a commit per file; on Linux
// the batch waits for each file's data and then flushes its file system once. Temporary files
// the batch did not rename are removed when it ends, so a batch abandoned by an exception leaves
// every file as it was.
class AtomicFileBatch {
public:
    explicit AtomicFileBatch(WriteDurability durability = WriteDurability::Synced);
    ~AtomicFileBatch();
    AtomicFileBatch(const AtomicFileBatch&) = delete;
    AtomicFileBatch& operator=(const AtomicFileBatch&) = delete;

    // Writes the temporary file of `path`, with WriteFileAtomic's rules for links, directories
    // and permissions. Raises Exception "Cannot create file %s"; no file has changed then.
    void Add(const std::string& path, std::string_view bytes);
    // Flushes every temporary file, then renames each into place. A failed flush renames none;
    // a failed rename leaves the files added before it replaced and the later ones as they were.
    // Raises Exception "Cannot create file %s" naming the file that failed.
    void Commit();
    // The number of files, in the order added, that have taken their places.
    std::size_t Committed() const { return committed_; }

    // One file on its way: the path asked for, the file it replaces (a link's target), the
    // temporary file.
    struct Pending {
        std::string path;
        std::filesystem::path target;
        std::filesystem::path temp;
    };

private:
    WriteDurability durability_;
    std::vector<Pending> pending_;
    std::size_t committed_ = 0;
};

// A test seam for the atomic writer's failure paths. While one is installed, WriteFileAtomic
// fails at its `step` as the system would, with `error` as errno: at Write after
// `bytesBeforeFailure` bytes of the file have reached the disk (a full disk), or at creating the
// temporary file, syncing it or renaming it into place. Or an interrupt: the signal (SIGINT or
// SIGTERM; on Windows the console event each stands for) arrives once the temporary file after
// the first `filesBeforeInterrupt` is created, and the process ends as InstallInterruptHandling
// says. Production code never installs one; the writer only tests one pointer. Scopes nest: the
// innermost one is in force.
class ScopedWriteFault {
public:
    enum class Step { Create, Write, Sync, Rename, Interrupt };

    // A full disk after `bytesBeforeFailure` bytes.
    explicit ScopedWriteFault(std::size_t bytesBeforeFailure);
    ScopedWriteFault(Step step, int error);
    ScopedWriteFault(int signal, std::size_t filesBeforeInterrupt);
    ~ScopedWriteFault();
    ScopedWriteFault(const ScopedWriteFault&) = delete;
    ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;

    Step FailingStep() const { return step_; }
    int Error() const { return error_; }
    std::size_t BytesBeforeFailure() const { return bytesBeforeFailure_; }
    // At Interrupt: counts a temporary file created; true when the signal arrives at it.
    bool InterruptsNextFile() const;

private:
    Step step_;
    int error_;
    std::size_t bytesBeforeFailure_ = 0;
    mutable std::size_t filesBeforeInterrupt_ = 0;
    ScopedWriteFault* previous_;
};

}  // namespace quillon
