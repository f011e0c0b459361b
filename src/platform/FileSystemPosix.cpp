// The POSIX half of the file-system services: file times and permissions through stat, the
// trailing "/" rule, and the atomic writer on open/write/fsync/rename.
#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/Exception.h"
#include "platform/FileSystemInternal.h"
#include "platform/Format.h"
#include "platform/PlatformMessages.h"

namespace fs = std::filesystem;

namespace quillon {

std::optional<TDateTime> FileAge(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return UnixToDateTime(info.st_mtim.tv_sec, info.st_mtim.tv_nsec);
}

bool IsFileReadOnly(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

void SetFileReadOnly(const std::string& path, bool readOnly) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return;
    mode_t mode = info.st_mode & 07777;
    mode = readOnly ? (mode & ~(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
    ::chmod(path.c_str(), mode);
}

void CopyFileOver(const std::string& source, const std::string& target) {
    fs::copy_file(source, target, fs::copy_options::overwrite_existing);
}

std::size_t UncRootLength(std::string_view) { return 0; }

std::string IncludeTrailingPathDelimiter(std::string_view dir) {
    std::string result(dir);
    if (!result.empty() && result.back() != '/') result += '/';
    return result;
}

namespace {

// True, with errno set as the system would, when the installed fault fails `step`.
bool FailAt(ScopedWriteFault::Step step) {
    if (!FaultAt(step)) return false;
    errno = InstalledWriteFault()->Error();
    return true;
}

// Writes all of `bytes` to `fd`; false on any error.
bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// WriteAll, cut short where an installed fault fills the disk.
bool WriteContent(int fd, std::string_view bytes) {
    if (FaultAt(ScopedWriteFault::Step::Write) && bytes.size() > InstalledWriteFault()->BytesBeforeFailure()) {
        if (!WriteAll(fd, bytes.substr(0, InstalledWriteFault()->BytesBeforeFailure()))) return false;
        return !FailAt(ScopedWriteFault::Step::Write);
    }
    return WriteAll(fd, bytes);
}

// A file that a rename would replace although it is protected: the directory's permission is all
// the rename asks. `info` is the file's status.
bool IsProtectedFile(const std::string& path, const struct stat& info) {
    return !S_ISDIR(info.st_mode) &&
           ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0);
}

// The process's file mode creation mask, read once: reading it means setting it, which a thread
// writing at the same moment would see.
mode_t ProcessUmask() {
    static const mode_t mask = [] {
        const mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }();
    return mask;
}

}  // namespace

bool IsDirectoryWritable(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && ::access(path.c_str(), W_OK | X_OK) == 0;
}

void CheckFileWritable(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && IsProtectedFile(path, info))
        throw Exception(Format(kCannotCreateFile, path));
}

AtomicFileBatch::Pending WriteTemporaryFile(const std::string& path, std::string_view bytes,
                                            WriteDurability durability) {
    const auto fail = [&](const std::string& reason) { return CannotCreateFile(path, reason); };
    // Replace the final target of a symbolic link (or chain of links), not the link. One lstat
    // per name tells the link, the directory, the protection and the mode to keep: a generation
    // writes thousands of files, and each status asked costs a system call.
    std::error_code ec;
    fs::path target{path};
    struct stat info {};
    bool exists = ::lstat(target.c_str(), &info) == 0;
    for (int hops = 0; exists && S_ISLNK(info.st_mode); ++hops) {
        if (hops == 40) throw fail("too many levels of symbolic links");
        fs::path resolved = fs::read_symlink(target, ec);
        if (ec) throw fail(ec.message());
        target = resolved.is_relative() ? target.parent_path() / resolved : resolved;
        exists = ::lstat(target.c_str(), &info) == 0;
    }
    if (exists && S_ISDIR(info.st_mode)) throw fail("it is a directory");
    if (exists && IsProtectedFile(target.string(), info))
        throw Exception(Format(kCannotCreateFile, target.string()));
    const mode_t mode = exists ? info.st_mode & 07777 : 0666 & ~ProcessUmask();

    AtomicFileBatch::Pending file{path, target, NewTemporaryFile(target)};

    const int fd = FailAt(ScopedWriteFault::Step::Create)
                       ? -1
                       : ::open(file.temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        const int savedErrno = errno;
        ForgetTemporaryFile(file.temp);
        throw fail(std::strerror(savedErrno));
    }
    InterruptIfDue();
    const bool written = WriteContent(fd, bytes) && ::fchmod(fd, mode) == 0;
    const int savedErrno = errno;
#ifdef __linux__
    // Start writing the data now, without waiting: the flushes that follow the batch's last file
    // then find it written, and the disk got all the files' blocks together.
    if (written && durability == WriteDurability::Synced) ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
#else
    (void)durability;
#endif
    if (::close(fd) != 0 || !written) {
        DiscardTemporaryFile(file.temp);
        throw fail(std::strerror(written ? errno : savedErrno));
    }
    return file;
}

namespace {

// fdatasync: the bytes and what reading them back needs (the size). A descriptor opened for
// reading may sync.
void SyncEachFile(const std::vector<AtomicFileBatch::Pending>& files, std::size_t from) {
    for (std::size_t i = from; i < files.size(); ++i) {
        const int fd = ::open(files[i].temp.c_str(), O_RDONLY | O_CLOEXEC);
        const bool synced = fd >= 0 && ::fdatasync(fd) == 0 && !FailAt(ScopedWriteFault::Step::Sync);
        const int savedErrno = errno;
        if (fd >= 0) ::close(fd);
        if (!synced) throw CannotCreateFile(files[i].path, std::strerror(savedErrno));
    }
}

#ifdef __linux__
void WaitForEachFileAndSyncFileSystems(const std::vector<AtomicFileBatch::Pending>& files, std::size_t from) {
    // Each file's data is written and waited for (its write errors are reported for it), then one
    // syncfs per file system commits the files' metadata and flushes the disk's cache once for
    // all of them; a flush per file costs the disk a cache flush each, which made saving a
    // thousand modules take seconds. The price: syncfs also writes what other programs left
    // unwritten on that file system.
    // A descriptor per directory, opened before the waits: its file system may hold a link's
    // target elsewhere, and syncfs reports only the errors after the opening.
    std::vector<std::pair<int, std::size_t>> dirs;  // descriptor, the first file in that directory
    const auto closeDirs = [&] {
        for (const auto& dir : dirs) ::close(dir.first);
    };
    std::vector<fs::path> dirPaths;
    for (std::size_t i = from; i < files.size(); ++i) {
        fs::path dir = files[i].temp.parent_path();
        if (std::find(dirPaths.begin(), dirPaths.end(), dir) != dirPaths.end()) continue;
        const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            const int savedErrno = errno;
            closeDirs();
            throw CannotCreateFile(files[i].path, std::strerror(savedErrno));
        }
        dirs.emplace_back(fd, i);
        dirPaths.push_back(std::move(dir));
    }
    for (std::size_t i = from; i < files.size(); ++i) {
        const int fd = ::open(files[i].temp.c_str(), O_RDONLY | O_CLOEXEC);
        const bool written =
            fd >= 0 &&
            ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER) == 0 &&
            !FailAt(ScopedWriteFault::Step::Sync);
        const int savedErrno = errno;
        if (fd >= 0) ::close(fd);
        if (!written) {
            closeDirs();
            throw CannotCreateFile(files[i].path, std::strerror(savedErrno));
        }
    }
    for (const auto& [fd, first] : dirs)
        if (::syncfs(fd) != 0) {
            const int savedErrno = errno;
            closeDirs();
            throw CannotCreateFile(files[first].path, std::strerror(savedErrno));
        }
    closeDirs();
}
#endif

}  // namespace

void FlushTemporaryFiles(const std::vector<AtomicFileBatch::Pending>& files, std::size_t from) {
#ifdef __linux__
    // One file is flushed alone: syncfs would write back the whole file system for it.
    if (files.size() > from + 1) {
        WaitForEachFileAndSyncFileSystems(files, from);
        return;
    }
#endif
    SyncEachFile(files, from);
}

void RenameTemporaryFile(const AtomicFileBatch::Pending& file) {
    if (FailAt(ScopedWriteFault::Step::Rename) || ::rename(file.temp.c_str(), file.target.c_str()) != 0) {
        const int renameErrno = errno;
        DiscardTemporaryFile(file.temp);
        throw CannotCreateFile(file.path, std::strerror(renameErrno));
    }
    ForgetTemporaryFile(file.temp);
}

void SyncDirectories(const std::vector<AtomicFileBatch::Pending>& files) {
    std::vector<fs::path> synced;
    for (const AtomicFileBatch::Pending& file : files) {
        fs::path dir = file.temp.parent_path();
        if (std::find(synced.begin(), synced.end(), dir) != synced.end()) continue;
        const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
        synced.push_back(std::move(dir));
    }
}

void RemoveTemporaryFile(const AtomicFileBatch::Pending& file) { DiscardTemporaryFile(file.temp); }

}  // namespace quillon
