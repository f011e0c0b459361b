// The Debian package as a user receives it: built by CPack from this build, taken apart with
// dpkg-deb into a root of its own, its programs run from there, judged by lintian; and the manual
// pages it carries, formatted by man with its warnings on.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <tuple>

#include "platform/CommandLine.h"
#include "support/Process.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

namespace fs = std::filesystem;

class Package : public ::testing::Test {
protected:
    // One package for the suite: stripping and reading the dependencies take a while.
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        const CommandOutcome built =
            RunShellCommand("cd " QUILLON_BINARY_DIR " && cpack -G DEB -B " + ShellQuoted(dir_->File("out")) + " 2>&1");
        packed_ = built.status == 0 && fs::exists(Deb()) &&
                  RunShellCommand("dpkg-deb -x " + ShellQuoted(Deb()) + " " + ShellQuoted(Root())).status == 0;
        if (!packed_) std::fprintf(stderr, "%s", built.out.c_str());
    }
    static void TearDownTestSuite() { delete dir_; }
    void SetUp() override { ASSERT_TRUE(packed_) << "cpack failed"; }

    static std::string Deb() { return dir_->File("out/" QUILLON_PACKAGE_FILE); }
    static std::string Root() { return dir_->File("root"); }
    // A program of the package, run from the unpacked root without a display.
    static CommandOutcome Run(const std::string& program, const std::string& arguments) {
        return RunShellCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                               ShellQuoted(Root() + "/usr/bin/" + program) + " " + arguments + " 2>&1");
    }

    static inline TempDir* dir_ = nullptr;
    static inline bool packed_ = false;
};

TEST_F(Package, HoldsStrippedProgramsTheirDataAndTheirDependencies) {
    std::vector<std::string> files{"bin/quillon-cli", "bin/quillon-fpc-win64-units", "share/quillon/guide.html",
                                   "share/quillon/runtime/DLLServerCollection.pas", "share/doc/quillon/copyright",
                                   "share/doc/quillon/changelog.gz", "share/man/man1/quillon-cli.1.gz",
                                   "share/man/man1/quillon-fpc-win64-units.1.gz"};
    if (QUILLON_HAS_WORKBENCH)
        files.insert(files.end(), {"bin/quillon", "share/man/man1/quillon.1.gz", "share/applications/quillon.desktop",
                                   "share/mime/packages/quillon.xml", "share/icons/hicolor/scalable/apps/quillon.svg"});
    for (const std::string& file : files) {
        EXPECT_TRUE(fs::is_regular_file(Root() + "/usr/" + file)) << file;
        if (file == "bin/quillon-cli" || file == "bin/quillon") {
            EXPECT_NE(RunShellCommand("file -b " + ShellQuoted(Root() + "/usr/" + file)).out.find(", stripped"),
                      std::string::npos) << file;
        }
    }
    const std::string depends = RunShellCommand("dpkg-deb -f " + ShellQuoted(Deb()) + " Depends").out;
    for (const std::string library : {"libc6", "libodbc", QUILLON_HAS_WORKBENCH ? "libqt6widgets6" : "libstdc++6"})
        EXPECT_NE(depends.find(library), std::string::npos) << depends;
}

// The command line generates the example; the workbench answers --help and --version without a
// display, and opens no window for them.
TEST_F(Package, TheUnpackedProgramsRun) {
    const std::string work = dir_->File("work");
    fs::copy(QUILLON_SOURCE_DIR "/examples/Bank", work, fs::copy_options::recursive);
    fs::remove_all(work + "/Source");
    EXPECT_EQ(Run("quillon-cli", "--version").out, "quillon-cli " QUILLON_VERSION "\n");
    const CommandOutcome generated = Run("quillon-cli", "generate " + ShellQuoted(work + "/Project1.qlp"));
    EXPECT_EQ(generated.status, 0) << generated.out;
    EXPECT_NE(generated.out.find("\nWrote "), std::string::npos) << generated.out;
    EXPECT_TRUE(fs::exists(work + "/Source/genAccount.pas")) << generated.out;
    if (!QUILLON_HAS_WORKBENCH) return;
    const CommandOutcome version = Run("quillon", "--version"), help = Run("quillon", "--help");
    EXPECT_EQ(std::tie(version.status, version.out), std::make_tuple(0, std::string("quillon " QUILLON_VERSION "\n")));
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: quillon [PROJECT.qlp]\n")) << help.out;
}

// lintian's errors are mended; each warning it still gives is one the README explains.
TEST_F(Package, LintianFindsNoErrorAndOnlyTheWarningsTheReadmeExplains) {
    std::istringstream lintian(RunShellCommand("lintian --tag-display-limit 0 " + ShellQuoted(Deb()) + " 2>/dev/null").out);
    const std::string readme = ReadText(QUILLON_SOURCE_DIR "/README.md");
    for (std::string line; std::getline(lintian, line);) {
        EXPECT_FALSE(line.starts_with("E: ")) << line;
        // "W: quillon: TAG [details]"
        const std::size_t tag = line.find(": ", 3) + 2;
        if (line.starts_with("W: ")) {
            EXPECT_NE(readme.find("`" + line.substr(tag, line.find(' ', tag) - tag) + "`"), std::string::npos) << line;
        }
    }
}

TEST(ManualPages, FormatWithoutWarnings) {
    for (const std::string page : {"quillon.1", "quillon-cli.1", "quillon-fpc-win64-units.1"}) {
        const CommandOutcome man = RunShellCommand("MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z " +
                                                   ShellQuoted(QUILLON_SOURCE_DIR "/docs/man/" + page) + " 2>&1 >/dev/null");
        EXPECT_EQ(std::tie(man.status, man.out), std::make_tuple(0, std::string())) << page;
    }
}

}  // namespace
}  // namespace quillon::test
