// An argument written for the system's shell: it comes back as one argument, quoted only where
// the shell needs it.
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/CommandLine.h"

namespace quillon {
namespace {

TEST(ShellQuoted, TheShellReadsTheArgumentBackAsOne) {
    struct Case {
        std::string argument, posix, cmd;
    };
    const Case cases[] = {
        {"/work/Proj/Project1.qlp", "/work/Proj/Project1.qlp", "/work/Proj/Project1.qlp"},
        {R"(Z:\x\With Space\Project1.qlp)", R"('Z:\x\With Space\Project1.qlp')", R"("Z:\x\With Space\Project1.qlp")"},
        {"Bob's $HOME/a&b(1);*.qlp", R"('Bob'\''s $HOME/a&b(1);*.qlp')", R"("Bob's $HOME/a&b(1);*.qlp")"},
        {"", "''", R"("")"},
    };
    for (const Case& c : cases) {
#ifdef _WIN32
        EXPECT_EQ(ShellQuoted(c.argument), c.cmd);
#else
        EXPECT_EQ(ShellQuoted(c.argument), c.posix);
        FILE* shell = popen(("printf '[%s]' " + ShellQuoted(c.argument)).c_str(), "r");
        ASSERT_NE(shell, nullptr);
        std::string echoed;
        for (int ch; (ch = std::fgetc(shell)) != EOF;) echoed += static_cast<char>(ch);
        pclose(shell);
        EXPECT_EQ(echoed, "[" + c.argument + "]");
#endif
    }
}

}  // namespace
}  // namespace quillon
