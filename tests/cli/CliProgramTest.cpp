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
    EXPECT_EQ(RunProgram("show " + project).status, 0);
    EXPECT_EQ(RunProgram("check " + project).status, 0);
    EXPECT_EQ(RunProgram("format --check " + project).status, 0);
    EXPECT_EQ(RunProgram("generate " + project).status, 0);
    EXPECT_EQ(RunProgram("frobnicate").status, 2);
    EXPECT_EQ(RunProgram("check '" + dir.File("missing.qlp") + "'").status, 3);
}

}  // namespace
}  // namespace quillon::test
