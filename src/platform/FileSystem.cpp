#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/Exception.h"
#include "platform/Format.h"
#include "platform/PlatformMessages.h"

namespace fs = std::filesystem;

namespace quillon {

std::optional<TDateTime> FileAge(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return UnixToDateTime(info.st_mtim.tv_sec, info.st_mtim.tv_nsec);
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool DirectoryExists(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
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

bool ForceDirectories(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    fs::create_directories(path, ec);
    return fs::is_directory(path, ec);
}

std::string IncludeTrailingPathDelimiter(std::string_view dir) {
    std::string result(dir);
    if (!result.empty() && result.back() != '/') result += '/';
    return result;
}

namespace {
std::size_t LastDelimiter(std::string_view path) { return path.find_last_of("/\\:"); }
}  // namespace

std::string ExtractFileName(std::string_view path) {
    const std::size_t pos = LastDelimiter(path);
    return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

std::string ExtractFilePath(std::string_view path) {
    const std::size_t pos = LastDelimiter(path);
    return pos == std::string_view::npos ? std::string() : std::string(path.substr(0, pos + 1));
}

std::string ExpandFileName(std::string_view path, std::string_view baseDir) {
    fs::path p{std::string(path)};
    if (p.is_relative()) p = fs::path(std::string(baseDir)) / p;
    return p.lexically_normal().string();
}

std::string ExtractRelativePath(std::string_view path, std::string_view baseDir) {
    const fs::path base = fs::path(ExpandFileName(baseDir, "/"));
    const fs::path full = fs::path(ExpandFileName(path, base.string()));
    const fs::path relative = full.lexically_relative(base);
    return relative.empty() ? full.string() : relative.string();
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in || DirectoryExists(path)) throw Exception(Format(kCannotOpenFile, path));
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) throw Exception(Format(kCannotOpenFile, path));
    return content.str();
}

namespace {

ScopedWriteFault* installedWriteFault = nullptr;

// True, with errno set as the system would, when the installed fault fails `step`.
bool FaultAt(ScopedWriteFault::Step step) {
    if (!installedWriteFault || installedWriteFault->FailingStep() != step) return false;
    errno = installedWriteFault->Error();
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
    if (installedWriteFault && installedWriteFault->FailingStep() == ScopedWriteFault::Step::Write &&
        bytes.size() > installedWriteFault->BytesBeforeFailure()) {
        if (!WriteAll(fd, bytes.substr(0, installedWriteFault->BytesBeforeFailure()))) return false;
        return !FaultAt(ScopedWriteFault::Step::Write);
    }
    return WriteAll(fd, bytes);
}

}  // namespace

ScopedWriteFault::ScopedWriteFault(std::size_t bytesBeforeFailure)
    : step_(Step::Write), error_(ENOSPC), bytesBeforeFailure_(bytesBeforeFailure), previous_(installedWriteFault) {
    installedWriteFault = this;
}

ScopedWriteFault::ScopedWriteFault(Step step, int error)
    : step_(step), error_(error), previous_(installedWriteFault) {
    installedWriteFault = this;
}

ScopedWriteFault::~ScopedWriteFault() { installedWriteFault = previous_; }

void CheckFileWritable(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return;
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0)
        throw Exception(Format(kCannotCreateFile, path));
}

void WriteFileAtomic(const std::string& path, std::string_view bytes, WriteDurability durability) {
    const auto fail = [&](const std::string& reason) {
        return Exception(Format(kCannotCreateFile, path) + (reason.empty() ? "" : " (" + reason + ")"));
    };
    // Replace the final target of a symbolic link (or chain of links), not the link.
    std::error_code ec;
    fs::path target{path};
    for (int hops = 0; fs::is_symlink(target, ec); ++hops) {
        if (hops == 40) throw fail("too many levels of symbolic links");
        fs::path resolved = fs::read_symlink(target, ec);
        if (ec) throw fail(ec.message());
        target = resolved.is_relative() ? target.parent_path() / resolved : resolved;
    }
    if (fs::is_directory(target, ec)) throw fail("it is a directory");
    // The rename would replace a protected file: the directory's permission is all it asks.
    CheckFileWritable(target.string());

    mode_t mode = 0666 & ~[] { mode_t m = ::umask(0); ::umask(m); return m; }();
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) mode = info.st_mode & 07777;

    static thread_local std::mt19937 random{std::random_device{}()};
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string tempName = ".";
    tempName += target.filename().string();
    tempName += ".tmp";
    tempName += std::to_string(random());
    const fs::path temp = dir / tempName;

    const int fd = FaultAt(ScopedWriteFault::Step::Create)
                       ? -1
                       : ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) throw fail(std::strerror(errno));
    const bool written = WriteContent(fd, bytes) && ::fchmod(fd, mode) == 0 &&
                         (durability == WriteDurability::Unsynced || ::fsync(fd) == 0) &&
                         !FaultAt(ScopedWriteFault::Step::Sync);
    const int savedErrno = errno;
    if (::close(fd) != 0 || !written) {
        ::unlink(temp.c_str());
        throw fail(std::strerror(written ? errno : savedErrno));
    }
    if (FaultAt(ScopedWriteFault::Step::Rename) || ::rename(temp.c_str(), target.c_str()) != 0) {
        const int renameErrno = errno;
        ::unlink(temp.c_str());
        throw fail(std::strerror(renameErrno));
    }
}

}  // namespace quillon
