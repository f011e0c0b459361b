// Compiles Object Pascal sources with Free Pascal in Delphi mode against the shipped run-time unit
// (runtime/) and our stub units of the target environment (tests/pascal-stubs), inside a
// temporary directory that also receives every object and unit file the compiler writes.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillon::test {

struct PascalFile {
    std::string name;  // file name, e.g. "Unit1.pas"
    std::string text;
};

struct PascalCompileResult {
    bool ok = false;
    std::string firstError;  // the compiler's first "Error:" or "Fatal:" line
    std::string output;      // everything the compiler printed
};

// Runs `command` through the shell and answers its standard output and error together; `status`
// gets the exit status (-1 when the command could not be started).
std::string RunShell(const std::string& command, int& status);

// The stub directory: $QUILLON_PASCAL_STUBS, else the one in the source tree.
std::string PascalStubsDir();

// Writes `files` into a fresh temporary directory and compiles `mainFile` (one of them) without
// linking; the other files are found as units.
PascalCompileResult CompilePascal(const std::vector<PascalFile>& files, const std::string& mainFile);

// Compiles the file at `path` where it lies, without linking, finding units in `unitDirs` and the
// stubs; every unit and object file goes to `outputDir`, where later compiles find them again.
PascalCompileResult CompilePascalFile(const std::string& path, const std::vector<std::string>& unitDirs,
                                      const std::string& outputDir);

// For EXPECT_TRUE: success, or a failure naming the first compiler error and the main text.
::testing::AssertionResult PascalCompiles(const std::vector<PascalFile>& files, const std::string& mainFile);

// For EXPECT_TRUE: Free Pascal's object-text reader (ObjectTextToBinary of its Classes unit)
// accepts `formText`, checked by a small program built and run in a temporary directory.
::testing::AssertionResult FormTextAccepted(const std::string& formText);

}  // namespace quillon::test
