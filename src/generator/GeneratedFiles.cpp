#include "generator/GeneratedFiles.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>
#include <unordered_set>

#include "generator/GeneratorMessages.h"
#include "model/Published.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "platform/UserDialogs.h"

namespace quillon {

std::string ExpandOutputDirectory(std::string_view srcPath, std::string_view projectSrcPath) {
    if (srcPath.empty()) return IncludeTrailingPathDelimiter(projectSrcPath);
    return IncludeTrailingPathDelimiter(ExpandFileName(SlashSeparated(srcPath), projectSrcPath));
}

std::string GeneratedFileHeader(std::string_view unitHeader, bool recreated) {
    std::string header(unitHeader);
    if (recreated) header += kRecreatedFileBlock;
    return header;
}

const EnumTypeInfo GeneratedFileEncodingNames{"TGeneratedFileEncoding", {"geAnsi", "geUtf8Bom"}};

bool EncodingHolds(const TFileEncoding& encoding, std::string_view text) {
    return encoding.encoding == geUtf8Bom || IsAscii(text) || CodePageFromUtf8(text, encoding.codePage).has_value();
}

std::string_view EncodedFileText(std::string_view text, const TFileEncoding& encoding, const std::string& fileName,
                                 std::string& storage) {
    if (IsAscii(text)) return text;
    if (encoding.encoding == geUtf8Bom) {
        storage = std::string(kUtf8ByteOrderMark) + std::string(text);
        return storage;
    }
    std::optional<std::string> bytes = CodePageFromUtf8(text, encoding.codePage);
    if (!bytes) throw Exception(Format(kCannotWriteInCodePage, fileName, encoding.codePage));
    storage = std::move(*bytes);
    return storage;
}

std::string FileNameKey(std::string_view fileName, std::string_view baseDir) {
    const std::string path = SlashSeparated(fileName);
    std::string key = baseDir.empty() ? NormalizePath(path) : ExpandFileName(path, baseDir);
    std::replace(key.begin(), key.end(), '\\', '/');
    return LowerCase(key);
}

namespace {

// Raises when no file can be created in `directory` (which need not exist yet): the nearest
// directory that exists on its way must be writable, and no file may stand in its place.
// `fileName` is the first file the run writes there.
void CheckDirectoryWritable(const std::string& directory, const std::string& fileName) {
    std::filesystem::path existing = PathFromUtf8(directory);
    std::error_code error;
    while (!std::filesystem::exists(existing, error) && existing.has_relative_path())
        existing = existing.parent_path();
    if (!std::filesystem::is_directory(existing, error))
        throw Exception(std::string(kUnableToCreateDirectory) + " " + directory + " (" + Utf8FromPath(existing) +
                        " is a file)");
    if (!IsDirectoryWritable(Utf8FromPath(existing)))
        throw Exception(Format(kCannotCreateInReadOnlyDirectory, fileName, Utf8FromPath(existing)));
}

}  // namespace

void CheckFilesWritable(const std::vector<TGeneratedFile>& files) {
    std::unordered_set<std::string> directories;
    for (const TGeneratedFile& file : files) {
        if (std::string directory = ExtractFilePath(file.fileName); directories.insert(directory).second)
            CheckDirectoryWritable(directory, file.fileName);
        std::error_code error;
        const std::filesystem::file_status status = std::filesystem::status(PathFromUtf8(file.fileName), error);
        if (std::filesystem::is_directory(status)) throw Exception(Format(kCannotCreateOverDirectory, file.fileName));
        // Files written once are kept when they exist; recreated ones lose their protection first.
        if (!std::filesystem::exists(status) || !file.rules.replaceExisting || file.rules.makeReadOnly) continue;
        if (IsFileReadOnly(file.fileName)) throw Exception(Format(kCannotCreateReadOnlyFile, file.fileName));
    }
}

bool FileHoldsText(const std::string& fileName, std::string_view text) {
    // The path crosses into the system as UTF-16 on Windows: a narrow name would be read in the
    // ANSI code page there and miss a file in a folder named beyond it.
    const std::filesystem::path path = PathFromUtf8(fileName);
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size != text.size()) return false;
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    char block[65536];
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t wanted = std::min(sizeof block, text.size() - at);
        if (!file.read(block, static_cast<std::streamsize>(wanted))) return false;
        if (std::memcmp(block, text.data() + at, wanted) != 0) return false;
        at += wanted;
    }
    // The file may have grown since its size was taken.
    return file.peek() == std::ifstream::traits_type::eof();
}

bool WriteGeneratedFile(std::string_view utf8Text, const std::string& fileName, const TWriteRules& rules) {
    std::string encoded;
    const std::string_view text = EncodedFileText(utf8Text, rules.encoding, fileName, encoded);
    const bool exists = FileExists(fileName);
    if (exists && !rules.replaceExisting) return false;
    // A file that holds the text already keeps its time stamp, so that builds see no change.
    if (exists && FileHoldsText(fileName, text)) {
        if (rules.makeReadOnly) SetFileReadOnly(fileName, true);
        return false;
    }
    if (exists && rules.askBeforeReplacing) {
        switch (Dialogs().Ask(Format(kFileExistsOverwrite, fileName), AskButtons::YesNoCancel)) {
            case DialogAnswer::Yes: break;
            case DialogAnswer::No: return false;
            case DialogAnswer::Cancel: Abort();
        }
    }
    // An existing file's directory exists.
    if (rules.createDirectory && !exists) {
        const std::filesystem::path dir = PathFromUtf8(fileName).parent_path();
        std::error_code error;
        if (!dir.empty() && !std::filesystem::is_directory(dir, error) &&
            !std::filesystem::create_directories(dir, error) && error)
            throw Exception(std::string(kUnableToCreateDirectory) + " " + Utf8FromPath(dir) + " (" + error.message() + ")");
    }
    if (!rules.makeReadOnly) {
        WriteFileAtomic(fileName, text, WriteDurability::Unsynced);
        return true;
    }
    if (exists) SetFileReadOnly(fileName, false);
    try {
        WriteFileAtomic(fileName, text, WriteDurability::Unsynced);
    } catch (...) {
        // The old file stays as it was, protection included.
        if (exists) SetFileReadOnly(fileName, true);
        throw;
    }
    SetFileReadOnly(fileName, true);
    return true;
}

}  // namespace quillon
