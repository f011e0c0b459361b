// Where generated files go and how they are written: the output directory of a module or a debug
// application, the header of a generated file, and the one writing routine every generated file
// goes through (replace or keep, ask before replacing, create the directory, read-only files).
#pragma once

#include <string>
#include <string_view>

namespace quillon {

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
};

// Whether the file `fileName` holds exactly `text`. A file of another size is not read at all;
// one of the same size is compared block by block, never read whole into memory. False when the
// file is missing or cannot be read.
bool FileHoldsText(const std::string& fileName, std::string_view text);

// Writes `text` to `fileName` by `rules`; true when the file was written. A file that holds the
// text already is left as it is (made read-only when the rules ask for it). Raises Exception when
// the directory cannot be created or the file cannot be written, EAbort on Cancel.
bool WriteGeneratedFile(std::string_view text, const std::string& fileName, const TWriteRules& rules);

}  // namespace quillon
