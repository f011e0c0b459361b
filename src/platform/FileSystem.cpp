#include "platform/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/Exception.h"
#include "platform/FileSystemInternal.h"
#include "platform/Format.h"
#include "platform/PlatformMessages.h"

namespace fs = std::filesystem;

namespace quillon {

fs::path PathFromUtf8(std::string_view path) {
    return fs::path(std::u8string(path.begin(), path.end()));
}

std::string Utf8FromPath(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool RemoveFile(const std::string& path) {
    std::error_code ec;
    return fs::remove(PathFromUtf8(path), ec);
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(PathFromUtf8(path), ec);
}

bool IsIrregularFile(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(PathFromUtf8(path), ec);
    if (ec) return ec == std::errc::too_many_symbolic_link_levels;
    return status.type() != fs::file_type::not_found && status.type() != fs::file_type::regular;
}

bool DirectoryExists(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(PathFromUtf8(path), ec);
}

bool ForceDirectories(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    fs::create_directories(PathFromUtf8(path), ec);
    return fs::is_directory(PathFromUtf8(path), ec);
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

std::string NormalizePath(std::string_view path) { return Utf8FromPath(PathFromUtf8(path).lexically_normal()); }

namespace {

// A UNC path (Windows only) normalised below its root, which ".." does not leave.
std::string NormalizeBelowUncRoot(std::string_view path, std::size_t rootLength) {
    std::string root(path.substr(0, rootLength));
    std::replace(root.begin(), root.end(), '/', '\\');
    const std::string_view rest = path.substr(rootLength);
    return root + (rest.empty() ? std::string() : NormalizePath(rest));
}

}  // namespace

std::string ExpandFileName(std::string_view path, std::string_view baseDir) {
    if (const std::size_t root = UncRootLength(path)) return NormalizeBelowUncRoot(path, root);
    fs::path p = PathFromUtf8(path);
    if (!p.is_relative()) return Utf8FromPath(p.lexically_normal());
    // On Windows "\dir" and "C:dir" are relative too: "\dir" takes the base's drive (or UNC
    // root), "C:dir" keeps its drive.
    if (const std::size_t root = UncRootLength(baseDir); root && !p.has_root_name()) {
        const std::string below = p.has_root_directory() ? std::string(path)
                                                         : std::string(baseDir.substr(root)) + "/" + std::string(path);
        return NormalizeBelowUncRoot(std::string(baseDir.substr(0, root)) + below, root);
    }
    return Utf8FromPath((PathFromUtf8(baseDir) / p).lexically_normal());
}

std::string CurrentDirectory() { return Utf8FromPath(fs::current_path()); }

std::string ExtractRelativePath(std::string_view path, std::string_view baseDir) {
    const fs::path base = PathFromUtf8(ExpandFileName(baseDir, "/"));
    const fs::path full = PathFromUtf8(ExpandFileName(path, Utf8FromPath(base)));
    const fs::path relative = full.lexically_relative(base);
    return Utf8FromPath(relative.empty() ? full : relative);
}

std::string SlashSeparated(std::string_view path) {
    std::string result(path);
    std::replace(result.begin(), result.end(), '\\', '/');
    return result;
}

std::string ReadFileBytes(const std::string& path) {
    if (IsIrregularFile(path)) throw Exception(Format(kNotRegularFile, path));
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    if (!in) throw Exception(Format(kCannotOpenFile, path));
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) throw Exception(Format(kCannotOpenFile, path));
    return content.str();
}

Exception CannotCreateFile(const std::string& path, const std::string& reason) {
    return Exception(Format(kCannotCreateFile, path) + (reason.empty() ? "" : " (" + reason + ")"));
}

void WriteFileAtomic(const std::string& path, std::string_view bytes, WriteDurability durability) {
    AtomicFileBatch batch(durability);
    batch.Add(path, bytes);
    batch.Commit();
}

AtomicFileBatch::AtomicFileBatch(WriteDurability durability) : durability_(durability) {}

AtomicFileBatch::~AtomicFileBatch() {
    for (std::size_t i = committed_; i < pending_.size(); ++i) RemoveTemporaryFile(pending_[i]);
}

void AtomicFileBatch::Add(const std::string& path, std::string_view bytes) {
    pending_.reserve(pending_.size() + 1);
    pending_.push_back(WriteTemporaryFile(path, bytes, durability_));
}

void AtomicFileBatch::Commit() {
    // Every file is on the disk before any takes its place: a failure up to the last flush
    // leaves all of them as they were.
    if (durability_ == WriteDurability::Synced) FlushTemporaryFiles(pending_, committed_);
    for (; committed_ < pending_.size(); ++committed_) RenameTemporaryFile(pending_[committed_]);
    if (durability_ == WriteDurability::Synced) SyncDirectories(pending_);
}

namespace {
ScopedWriteFault* installedWriteFault = nullptr;
}  // namespace

const ScopedWriteFault* InstalledWriteFault() { return installedWriteFault; }

ScopedWriteFault::ScopedWriteFault(std::size_t bytesBeforeFailure)
    : step_(Step::Write), error_(ENOSPC), bytesBeforeFailure_(bytesBeforeFailure), previous_(installedWriteFault) {
    installedWriteFault = this;
}

ScopedWriteFault::ScopedWriteFault(Step step, int error)
    : step_(step), error_(error), previous_(installedWriteFault) {
    installedWriteFault = this;
}

ScopedWriteFault::ScopedWriteFault(int signal, std::size_t filesBeforeInterrupt)
    : step_(Step::Interrupt), error_(signal), filesBeforeInterrupt_(filesBeforeInterrupt),
      previous_(installedWriteFault) {
    installedWriteFault = this;
}

bool ScopedWriteFault::InterruptsNextFile() const {
    if (filesBeforeInterrupt_ == 0) return true;
    --filesBeforeInterrupt_;
    return false;
}

ScopedWriteFault::~ScopedWriteFault() { installedWriteFault = previous_; }

}  // namespace quillon
