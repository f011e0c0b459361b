#include "generator/GeneratedFiles.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "generator/GeneratorMessages.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
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

bool FileHoldsText(const std::string& fileName, std::string_view text) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(fileName, error);
    if (error || size != text.size()) return false;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(fileName.c_str(), "rb"), &std::fclose);
    if (!file) return false;
    char block[65536];
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t wanted = std::min(sizeof block, text.size() - at);
        if (std::fread(block, 1, wanted, file.get()) != wanted) return false;
        if (std::memcmp(block, text.data() + at, wanted) != 0) return false;
        at += wanted;
    }
    // The file may have grown since its size was taken.
    return std::fgetc(file.get()) == EOF;
}

bool WriteGeneratedFile(std::string_view text, const std::string& fileName, const TWriteRules& rules) {
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
