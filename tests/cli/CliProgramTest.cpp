#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <memory>

#include "platform/FileSystem.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

struct ProgramOutcome {
    int status;
    std::string out;
};

// Runs the built program with `arguments` (already quoted for the shell), standard input
// closed, standard error discarded.
ProgramOutcome RunProgram(const std::string& arguments) {
    const std::string command = std::string("'") + QUILLON_CLI_PROGRAM + "' " + arguments + " </dev/null 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return {-1, {}};
    std::string out;
    std::array<char, 4096> buffer;
    for (std::size_t n; (n = fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0;) out.append(buffer.data(), n);
    const int raw = pclose(pipe.release());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, out};
}

TEST(CliProgram, RunsTheCommandsWithTheirExitStatuses) {
    TempDir dir;
    const std::string project = "'" + dir.File("demo/Project1.qlp") + "'";
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
