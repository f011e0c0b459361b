// The Debian package as a user receives it: built by CPack from this build, taken apart with
// dpkg-deb into a root of its own, its programs run from there, judged by lintian; and the manual
// pages it carries, formatted by man with its warnings on.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "support/Process.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class Package : public ::testing::Test {
protected:
    // One package for the suite: stripping and reading the dependencies take a while.
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        const CommandOutcome built = RunShellCommand("cd " QUILLON_BINARY_DIR " && cpack -G DEB -B " +
                                                     Quoted(dir_->File("out")) + " 2>&1");
        packed_ = built.status == 0 && fs::exists(Deb());
        if (!packed_) std::fprintf(stderr, "%s", built.out.c_str());
        if (packed_) RunShellCommand("dpkg-deb -x " + Quoted(Deb()) + " " + Quoted(Root()));
    }
    static void TearDownTestSuite() { delete dir_; }
    void SetUp() override { ASSERT_TRUE(packed_) << "cpack failed"; }

    static std::string Deb() { return dir_->File("out/" QUILLON_PACKAGE_FILE); }
    static std::string Root() { return dir_->File("root"); }

    static inline TempDir* dir_ = nullptr;
    static inline bool packed_ = false;
};

TEST_F(Package, HoldsStrippedProgramsTheirDataAndTheirDependencies) {
    std::vector<std::string> files{"usr/bin/quillon-cli", "usr/share/quillon/guide.html",
                                   "usr/share/quillon/runtime/DLLServerCollection.pas",
                                   "usr/share/doc/quillon/copyright", "usr/share/doc/quillon/changelog.gz",
                                   "usr/share/man/man1/quillon-cli.1.gz", "usr/bin/quillon-fpc-win64-units",
                                   "usr/share/man/man1/quillon-fpc-win64-units.1.gz"};
    if (QUILLON_HAS_WORKBENCH)
        files.insert(files.end(), {"usr/bin/quillon", "usr/share/man/man1/quillon.1.gz",
                                   "usr/share/applications/quillon.desktop", "usr/share/mime/packages/quillon.xml",
                                   "usr/share/icons/hicolor/scalable/apps/quillon.svg"});
    for (const std::string& file : files) EXPECT_TRUE(fs::is_regular_file(Root() + "/" + file)) << file;
    for (const std::string program : {"quillon-cli", "quillon"}) {
        if (program == "quillon" && !QUILLON_HAS_WORKBENCH) continue;
        const std::string kind = RunShellCommand("file -b " + Quoted(Root() + "/usr/bin/" + program)).out;
        EXPECT_NE(kind.find(", stripped"), std::string::npos) << kind;
    }
    const std::string depends = RunShellCommand("dpkg-deb -f " + Quoted(Deb()) + " Depends").out;
    EXPECT_NE(depends.find("libc6"), std::string::npos) << depends;
    EXPECT_NE(depends.find("libodbc"), std::string::npos) << depends;
    if (QUILLON_HAS_WORKBENCH) EXPECT_NE(depends.find("libqt6widgets6"), std::string::npos) << depends;
}

TEST_F(Package, TheExtractedCommandLineGeneratesTheExample) {
    const std::string work = dir_->File("work");
    fs::copy(QUILLON_SOURCE_DIR "/examples/Bank", work, fs::copy_options::recursive);
    fs::remove_all(work + "/Source");
    const std::string program = Quoted(Root() + "/usr/bin/quillon-cli");
    EXPECT_EQ(RunShellCommand(program + " --version").out, "quillon-cli " QUILLON_VERSION "\n");
    const CommandOutcome generated = RunShellCommand(program + " generate " + Quoted(work + "/Project1.qlp") + " 2>&1");
    EXPECT_EQ(generated.status, 0) << generated.out;
    EXPECT_NE(generated.out.find("\nWrote "), std::string::npos) << generated.out;
    EXPECT_TRUE(fs::exists(work + "/Source/genAccount.pas")) << generated.out;
}

// The workbench answers --help and --version without a display, and opens no window for them.
TEST_F(Package, TheExtractedWorkbenchPrintsHelpAndVersionWithoutADisplay) {
    if (!QUILLON_HAS_WORKBENCH) GTEST_SKIP() << "built without the workbench";
    const std::string program = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + Quoted(Root() + "/usr/bin/quillon");
    const CommandOutcome version = RunShellCommand(program + " --version 2>&1");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "quillon " QUILLON_VERSION "\n");
    const CommandOutcome help = RunShellCommand(program + " --help 2>&1");
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: quillon [PROJECT.qlp]\n")) << help.out;
}

// lintian's errors are mended; each warning it still gives is one the README explains.
TEST_F(Package, LintianFindsNoErrorAndOnlyTheWarningsTheReadmeExplains) {
    const CommandOutcome lintian = RunShellCommand("lintian --tag-display-limit 0 " + Quoted(Deb()) + " 2>/dev/null");
    const std::string readme = ReadText(QUILLON_SOURCE_DIR "/README.md");
    for (const std::string& line : Lines(lintian.out)) {
        EXPECT_FALSE(line.starts_with("E: ")) << line;
        if (!line.starts_with("W: ")) continue;
        // "W: quillon: TAG [details]"
        const std::size_t tag = line.find(": ", 3) + 2;
        EXPECT_NE(readme.find("`" + line.substr(tag, line.find(' ', tag) - tag) + "`"), std::string::npos) << line;
    }
}

TEST(ManualPages, FormatWithoutWarnings) {
    for (const std::string page : {"quillon.1", "quillon-cli.1", "quillon-fpc-win64-units.1"}) {
        const CommandOutcome man = RunShellCommand("MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z " +
                                                   Quoted(QUILLON_SOURCE_DIR "/docs/man/" + page) + " 2>&1 >/dev/null");
        EXPECT_EQ(man.status, 0) << page;
        EXPECT_EQ(man.out, "") << page;
    }
}

}  // namespace
}  // namespace quillon::test
