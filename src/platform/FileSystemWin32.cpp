// The Windows half of the file-system services: file times and the read-only attribute through
// the wide-character API, the trailing "\" rule with its drive-letter cases, and the atomic
// writer on CreateFileW/WriteFile/FlushFileBuffers and ReplaceFileW/MoveFileExW.
#include "platform/FileSystem.h"

#include <windows.h>

#include <cstring>
#include <filesystem>

#include "platform/Exception.h"
#include "platform/FileSystemInternal.h"
#include "platform/Format.h"
#include "platform/PlatformMessages.h"
#include "platform/Win32.h"

namespace fs = std::filesystem;

namespace quillon {

namespace {

// 100-nanosecond ticks between 1601-01-01 (FILETIME's epoch) and 1970-01-01.
constexpr std::uint64_t kUnixEpochTicks = 116444736000000000ULL;

DWORD Attributes(const std::string& path) { return ::GetFileAttributesW(PathFromUtf8(path).c_str()); }

}  // namespace

std::optional<TDateTime> FileAge(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(PathFromUtf8(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    const std::uint64_t ticks =
        (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    const std::uint64_t sinceUnixEpoch = ticks - kUnixEpochTicks;
    return UnixToDateTime(static_cast<std::time_t>(sinceUnixEpoch / 10000000),
                          static_cast<long>(sinceUnixEpoch % 10000000) * 100);
}

bool IsFileReadOnly(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

void SetFileReadOnly(const std::string& path, bool readOnly) {
    const DWORD attributes = Attributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    const DWORD changed = readOnly ? (attributes | FILE_ATTRIBUTE_READONLY) : (attributes & ~FILE_ATTRIBUTE_READONLY);
    if (changed != attributes) ::SetFileAttributesW(PathFromUtf8(path).c_str(), changed);
}

std::string IncludeTrailingPathDelimiter(std::string_view dir) {
    std::string result(dir);
    if (result.size() == 1 && result[0] >= 'A' && result[0] <= 'Z') return result + ":\\";
    // Windows takes "/" for a separator too: "C:/Work/" gets no second one.
    if (!result.empty() && result.back() != '\\' && result.back() != '/' && result.back() != ':') result += '\\';
    return result;
}

// CopyFileW: GCC 12's std::filesystem::copy_file refuses to replace a file on Windows ("File
// exists") whatever the options say.
void CopyFileOver(const std::string& source, const std::string& target) {
    const fs::path from = PathFromUtf8(source), to = PathFromUtf8(target);
    if (!::CopyFileW(from.c_str(), to.c_str(), FALSE))
        throw fs::filesystem_error("cannot copy file", from, to,
                                   std::error_code(static_cast<int>(::GetLastError()), std::system_category()));
}

std::size_t UncRootLength(std::string_view path) {
    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    if (path.size() < 3 || !separator(path[0]) || !separator(path[1]) || separator(path[2])) return 0;
    // \\server\share: the root ends before the separator after the share name, or at the end.
    const std::size_t server = path.find_first_of("\\/", 2);
    if (server == std::string_view::npos) return path.size();
    const std::size_t share = path.find_first_of("\\/", server + 1);
    return share == std::string_view::npos ? path.size() : share;
}

namespace {

// Owns a file handle; closing is explicit where its result matters.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        if (!Valid()) return true;
        const bool closed = ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

// Writes all of `bytes`; false with the system's error on failure.
bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

bool IsDirectoryWritable(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(PathFromUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void CheckFileWritable(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(PathFromUtf8(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    if (attributes & FILE_ATTRIBUTE_READONLY) throw Exception(Format(kCannotCreateFile, path));
}

namespace {

std::string FaultText() { return std::strerror(InstalledWriteFault()->Error()); }

}  // namespace

AtomicFileBatch::Pending WriteTemporaryFile(const std::string& path, std::string_view bytes, WriteDurability) {
    const auto fail = [&](const std::string& reason) { return CannotCreateFile(path, reason); };

    const fs::path target = PathFromUtf8(path);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw fail("it is a directory");
    // A read-only file is the user's protection: it is refused, not replaced.
    CheckFileWritable(path);

    AtomicFileBatch::Pending file{path, target, NewTemporaryFile(target)};

    if (FaultAt(ScopedWriteFault::Step::Create)) {
        ForgetTemporaryFile(file.temp);
        throw fail(FaultText());
    }
    // Shared for deletion only: an interrupt removes the file while it is being written.
    FileHandle handle(::CreateFileW(file.temp.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.Valid()) {
        const DWORD error = ::GetLastError();
        ForgetTemporaryFile(file.temp);
        throw fail(win32::ErrorText(error));
    }
    InterruptIfDue();

    std::string reason;
    const ScopedWriteFault* fault = InstalledWriteFault();
    if (FaultAt(ScopedWriteFault::Step::Write) && bytes.size() > fault->BytesBeforeFailure()) {
        WriteAll(handle.Get(), bytes.substr(0, fault->BytesBeforeFailure()));
        reason = FaultText();
    } else if (!WriteAll(handle.Get(), bytes)) {
        reason = win32::ErrorText(::GetLastError());
    }
    if (!handle.Close() && reason.empty()) reason = win32::ErrorText(::GetLastError());
    if (!reason.empty()) {
        DiscardTemporaryFile(file.temp);
        throw fail(reason);
    }
    return file;
}

void FlushTemporaryFiles(const std::vector<AtomicFileBatch::Pending>& files, std::size_t from) {
    // A file at a time: flushing a whole volume asks for administrator rights. FlushFileBuffers
    // asks for a handle with write access; the files are the batch's own.
    for (std::size_t i = from; i < files.size(); ++i) {
        FileHandle handle(::CreateFileW(files[i].temp.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        std::string reason;
        if (!handle.Valid() || !::FlushFileBuffers(handle.Get()))
            reason = win32::ErrorText(::GetLastError());
        else if (FaultAt(ScopedWriteFault::Step::Sync))
            reason = FaultText();
        if (!handle.Close() && reason.empty()) reason = win32::ErrorText(::GetLastError());
        if (!reason.empty()) throw CannotCreateFile(files[i].path, reason);
    }
}

void RenameTemporaryFile(const AtomicFileBatch::Pending& file) {
    std::string reason;
    const bool exists = ::GetFileAttributesW(file.target.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (FaultAt(ScopedWriteFault::Step::Rename)) reason = FaultText();
    // ReplaceFileW keeps the old file's attributes and security; where it cannot be used (no
    // old file, or a file system without its support) a plain replacing move does the same.
    else if (!(exists && ::ReplaceFileW(file.target.c_str(), file.temp.c_str(), nullptr,
                                         REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) &&
             !::MoveFileExW(file.temp.c_str(), file.target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        reason = win32::ErrorText(::GetLastError());
    if (!reason.empty()) {
        DiscardTemporaryFile(file.temp);
        throw CannotCreateFile(file.path, reason);
    }
    ForgetTemporaryFile(file.temp);
}

// Windows offers no directory flush: the move writes through (MOVEFILE_WRITE_THROUGH), and a
// replacement's change of names goes into the file system's own log.
void SyncDirectories(const std::vector<AtomicFileBatch::Pending>&) {}

void RemoveTemporaryFile(const AtomicFileBatch::Pending& file) { DiscardTemporaryFile(file.temp); }

}  // namespace quillon
