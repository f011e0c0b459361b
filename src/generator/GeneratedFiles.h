// Where generated files go and how they are written: the output directory of a module or a debug
// application, the header of a generated file, the files a generation writes, and the one
// writing routine every generated file goes through (replace or keep, ask before replacing,
// create the directory, read-only files).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "elements/ModuleOptions.h"

#include "platform/TextEncoding.h"

namespace quillon {

struct EnumTypeInfo;

// How generated files that hold text beyond ASCII are written: in a Windows ANSI code page, which
// Delphi reads a file without byte-order mark in, or in UTF-8 after a byte-order mark. A file of
// ASCII text is the same either way.
enum TGeneratedFileEncoding { geAnsi, geUtf8Bom };
extern const EnumTypeInfo GeneratedFileEncodingNames;

// The project's choice; the code page is stored with the project, never taken from the machine,
// so that output and check do not depend on where they run.
struct TFileEncoding {
    TGeneratedFileEncoding encoding = geAnsi;
    int codePage = kWesternCodePage;
};

// Whether `text` can be written in `encoding`: everything can in UTF-8.
bool EncodingHolds(const TFileEncoding& encoding, std::string_view text);
// The bytes of a generated file holding `text` (UTF-8) in `encoding`: `text` itself when it is
// ASCII, else `storage`, which receives them. Raises Exception "%s cannot be written in code page
// %d" naming `fileName` when the code page lacks a character of it.
std::string_view EncodedFileText(std::string_view text, const TFileEncoding& encoding, const std::string& fileName,
                                 std::string& storage);

// `srcPath` expanded against `projectSrcPath` (the project's source path itself when `srcPath`
// is empty), with a trailing separator. Computed only: the process's current directory is
// neither used nor changed, and the directories need not exist.
std::string ExpandOutputDirectory(std::string_view srcPath, std::string_view projectSrcPath);

// The project's unit header, followed for a file the generator recreates by the recreated-file
// block. The unit's text is appended directly.
std::string GeneratedFileHeader(std::string_view unitHeader, bool recreated);

struct TWriteRules {
    // The file ends read-only; an existing read-only file is made writable first.
    bool makeReadOnly = false;
    // The file's directory is created with all missing parents.
    bool createDirectory = true;
    // An existing file is replaced only after the user answered Yes to "File '%s' exists.
    // Overwrite?" (No keeps it, Cancel raises EAbort).
    bool askBeforeReplacing = false;
    // Off: an existing file is kept.
    bool replaceExisting = true;
    // The encoding of the file's text, which the writers are handed in UTF-8.
    TFileEncoding encoding = {};
};

// Recreated files end read-only and are always replaced.
inline constexpr TWriteRules kRecreatedRules{.makeReadOnly = true, .createDirectory = true,
                                             .askBeforeReplacing = false, .replaceExisting = true};
// Projects and project groups are replaced but stay writable.
inline constexpr TWriteRules kReplacedRules{.makeReadOnly = false, .createDirectory = true,
                                            .askBeforeReplacing = false, .replaceExisting = true};
// The developer's files and the options files are written only when absent.
inline constexpr TWriteRules kWrittenOnceRules{.makeReadOnly = false, .createDirectory = true,
                                               .askBeforeReplacing = false, .replaceExisting = false};

// One file that a module or a debug application generates: its full name, what it holds and the
// rules it is written by. Generation writes exactly the files of this list, and the check and
// the checks before a run judge the same list, so that they cannot disagree about which file
// a generation writes.
struct TGeneratedFile {
    enum class Content {
        // The kind's text after the header with the recreated-file block.
        RecreatedUnit,
        // The kind's text after the plain header: the developer completes it.
        DeveloperUnit,
        // The form file of the kind.
        Form,
        // The kind's text as it stands, without header.
        Plain,
        // The project options file of the library or program.
        ProjectOptions,
    };
    std::string fileName;
    TFileKind kind;
    Content content;
    TWriteRules rules;
};

// The key two file names share when Windows takes them for one file: the name expanded against
// `baseDir`, "\" read as "/", letters folded to one case. The output is built on Windows, so
// the names compare this way on every platform.
std::string FileNameKey(std::string_view fileName, std::string_view baseDir = {});

// Raises, before a run writes anything, when one of `files` could not be written: an existing
// file that the run would replace without clearing its protection and that is read-only ("Cannot
// create file %s (read-only)"), a name that is a directory, and an output directory that cannot
// be created or written. A file written only when absent that exists is not judged; nor is its
// content, which is not built for this.
void CheckFilesWritable(const std::vector<TGeneratedFile>& files);

// Whether the file `fileName` holds exactly `text`. A file of another size is not read at all;
// one of the same size is compared block by block, never read whole into memory. False when the
// file is missing or cannot be read.
bool FileHoldsText(const std::string& fileName, std::string_view text);

// Writes `text` to `fileName` by `rules`; true when the file was written. A file that holds the
// text already is left as it is (made read-only when the rules ask for it). Raises Exception when
// the directory cannot be created or the file cannot be written, EAbort on Cancel.
bool WriteGeneratedFile(std::string_view text, const std::string& fileName, const TWriteRules& rules);

}  // namespace quillon
