#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "support/Process.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

// Runs the built program with `arguments` (already quoted for the shell), standard input
// closed, standard error discarded.
CommandOutcome RunProgram(const std::string& arguments) {
    return RunShellCommand(std::string("'") + QUILLON_CLI_PROGRAM + "' " + arguments + " </dev/null 2>/dev/null");
}

TEST(CliProgram, RunsTheCommandsWithTheirExitStatusesLinuxOnly) {
    TempDir dir;
    const std::string project = std::string("'").append(dir.File("demo/Project1.qlp")).append("'");
    EXPECT_EQ(RunProgram("--version").out, "quillon-cli 2.3.0\n");
    EXPECT_EQ(RunProgram("new '" + dir.File("demo") + "'").status, 0);
    EXPECT_TRUE(FileExists(dir.File("demo/CommonTypes.qlm")));
    for (const std::string command : {"show ", "check ", "format --check ", "generate "})
        EXPECT_EQ(RunProgram(command + project).status, 0) << command;
    EXPECT_EQ(RunProgram("frobnicate").status, 2);
    EXPECT_EQ(RunProgram("check '" + dir.File("missing.qlp") + "'").status, 3);
    // Standard output on a full disk; the message goes where standard output was.
    const CommandOutcome full = RunShellCommand("'" QUILLON_CLI_PROGRAM "' show " + project + " 2>&1 >/dev/full");
    EXPECT_EQ(full.status, 3);
    EXPECT_EQ(full.out, "quillon-cli: Cannot write to standard output\n");
}

}  // namespace
}  // namespace quillon::test
