#include "generator/GeneratedFiles.h"

#include <filesystem>
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

bool WriteGeneratedFile(std::string_view text, const std::string& fileName, const TWriteRules& rules) {
    const bool exists = FileExists(fileName);
    if (exists && !rules.replaceExisting) return false;
    // A file that holds the text already keeps its time stamp, so that builds see no change.
    if (exists && ReadFileBytes(fileName) == text) {
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
    if (rules.createDirectory) {
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
