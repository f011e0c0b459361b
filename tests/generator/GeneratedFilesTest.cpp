// The writing routine of generated files, the output directory and the header of a generated
// file.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "generator/GeneratedFiles.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/UserDialogs.h"
#include "support/Lines.h"
#include "support/NativePath.h"

#include "GeneratorTestSupport.h"

namespace quillon {
namespace {

class WriteRules : public ::testing::Test {
protected:
    WriteRules() : scope(dialogs) { test::WriteText(existing, "old"); }

    test::TempDir dir;
    std::string existing = dir.File("genA.pas");
    ScriptedDialogs dialogs;
    ScopedDialogs scope;
};

TEST_F(WriteRules, ANewFileIsWrittenInCreatedDirectoriesAndAnExistingOneKeptWhenNotReplacing) {
    EXPECT_FALSE(WriteGeneratedFile("new", existing, {.replaceExisting = false}));
    EXPECT_EQ(test::ReadText(existing), "old");
    EXPECT_TRUE(WriteGeneratedFile("new", dir.File("devA.pas"), {.askBeforeReplacing = true}));
    EXPECT_EQ(test::ReadText(dir.File("devA.pas")), "new");
    EXPECT_TRUE(dialogs.Log().empty());
    EXPECT_TRUE(WriteGeneratedFile("text", dir.File("a/b/c/genA.pas"), {.createDirectory = true}));
    EXPECT_EQ(test::ReadText(dir.File("a/b/c/genA.pas")), "text");
    test::WriteText(dir.File("blocker"), "");
    EXPECT_THROW(WriteGeneratedFile("text", dir.File("blocker/sub/genA.pas"), {}), Exception);
}

TEST_F(WriteRules, AskingBeforeReplacingFollowsTheAnswerAndCancelAbortsQuietly) {
    dialogs.QueueAnswer(DialogAnswer::No);
    EXPECT_FALSE(WriteGeneratedFile("new", existing, {.askBeforeReplacing = true}));
    EXPECT_EQ(test::ReadText(existing), "old");
    dialogs.QueueAnswer(DialogAnswer::Cancel);
    EXPECT_THROW(WriteGeneratedFile("new", existing, {.askBeforeReplacing = true}), EAbort);
    EXPECT_EQ(test::ReadText(existing), "old");
    dialogs.QueueAnswer(DialogAnswer::Yes);
    EXPECT_TRUE(WriteGeneratedFile("new", existing, {.askBeforeReplacing = true}));
    EXPECT_EQ(test::ReadText(existing), "new");
    EXPECT_EQ(dialogs.Questions(), (std::vector<std::string>(3, "File '" + existing + "' exists. Overwrite?")));
    EXPECT_EQ(dialogs.Log().back().buttons, AskButtons::YesNoCancel);
    EXPECT_TRUE(dialogs.Messages().empty());
}

// A file that holds the text already keeps its time; a read-only one is rewritten; both end
// read-only.
TEST_F(WriteRules, AReadOnlyFileIsRewrittenOnlyForOtherTextAndProtectedAgain) {
    const auto past = std::filesystem::last_write_time(existing) - std::chrono::hours(24);
    std::filesystem::last_write_time(existing, past);
    EXPECT_FALSE(WriteGeneratedFile("old", existing, {.makeReadOnly = true, .askBeforeReplacing = true}));
    EXPECT_EQ(std::filesystem::last_write_time(existing), past);
    EXPECT_TRUE(IsFileReadOnly(existing));
    EXPECT_TRUE(dialogs.Log().empty());
    EXPECT_TRUE(WriteGeneratedFile("new", existing, {.makeReadOnly = true}));
    EXPECT_EQ(test::ReadText(existing), "new");
    EXPECT_TRUE(IsFileReadOnly(existing));
}

TEST(OutputDirectory, ARelativeSourcePathIsTakenAgainstTheProjectEvenWhenNeitherExists) {
    const auto before = std::filesystem::current_path();
    EXPECT_EQ(test::PosixPaths(ExpandOutputDirectory("out/gen", "/no/such/project/")), "/no/such/project/out/gen/");
    EXPECT_EQ(test::PosixPaths(ExpandOutputDirectory("../shared/", "/no/such/project/")), "/no/such/shared/");
    EXPECT_EQ(test::PosixPaths(ExpandOutputDirectory("./gen", "/no/such/project")), "/no/such/project/gen/");
    EXPECT_EQ(std::filesystem::current_path(), before);
}

TEST(GeneratedFileHeader, TheRecreatedBlockFollowsTheUnitHeaderAndEndsWithALineBreak) {
    const std::string unitHeader = test::CrLf({"{****}", "{ Quillon generated }", "{****}"});
    EXPECT_EQ(GeneratedFileHeader(unitHeader, false), unitHeader);
    EXPECT_EQ(GeneratedFileHeader(unitHeader, true) + "unit genA;",
              test::CrLf({"{****}", "{ Quillon generated }", "{****}", "", "",
                          "{******************************************************************}",
                          "{            This unit will be recreated by code generator.        }",
                          "{                    Don't change manually                         }",
                          "{******************************************************************}"}) +
                  "unit genA;");
}

}  // namespace
}  // namespace quillon
