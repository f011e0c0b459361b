// The writing routine of generated files, the planning writer (what a generation would create or
// change, judged by the writing rules, with nothing on disk touched), the output directory and the
// header of a generated file.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "generator/GeneratedFileWriters.h"
#include "generator/GeneratedFiles.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/UserDialogs.h"
#include "support/Lines.h"
#include "support/NativePath.h"

#include "GeneratorTestSupport.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;
using Change = PlanningFileWriter::Change;

constexpr TWriteRules kRecreated{.makeReadOnly = true};
constexpr TWriteRules kWrittenOnce{.replaceExisting = false};

class WriteRules : public ::testing::Test {
protected:
    WriteRules() : scope(dialogs) { test::WriteText(existing, "old"); }

    test::TempDir dir;
    std::string existing = dir.File("genA.pas");
    ScriptedDialogs dialogs;
    ScopedDialogs scope;
};

TEST_F(WriteRules, ANewFileIsWrittenInCreatedDirectoriesAnExistingOneKeptWhenNotReplacingOrAsAnswered) {
    EXPECT_FALSE(WriteGeneratedFile("new", existing, {.replaceExisting = false}));
    EXPECT_EQ(test::ReadText(existing), "old");
    EXPECT_TRUE(WriteGeneratedFile("new", dir.File("devA.pas"), {.askBeforeReplacing = true}));
    EXPECT_EQ(test::ReadText(dir.File("devA.pas")), "new");
    EXPECT_TRUE(dialogs.Log().empty());
    EXPECT_TRUE(WriteGeneratedFile("text", dir.File("a/b/c/genA.pas"), {.createDirectory = true}));
    EXPECT_EQ(test::ReadText(dir.File("a/b/c/genA.pas")), "text");
    test::WriteText(dir.File("blocker"), "");
    EXPECT_THROW(WriteGeneratedFile("text", dir.File("blocker/sub/genA.pas"), {}), Exception);
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

TEST(GeneratedFiles, ARelativeOutputDirectoryIsTakenAgainstTheProjectAndTheRecreatedBlockFollowsTheUnitHeader) {
    const auto before = std::filesystem::current_path();
    EXPECT_EQ(test::PosixPaths(ExpandOutputDirectory("out/gen", "/no/such/project/")), "/no/such/project/out/gen/");
    EXPECT_EQ(test::PosixPaths(ExpandOutputDirectory("../shared/", "/no/such/project/")), "/no/such/shared/");
    EXPECT_EQ(test::PosixPaths(ExpandOutputDirectory("./gen", "/no/such/project")), "/no/such/project/gen/");
    EXPECT_EQ(std::filesystem::current_path(), before);
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

class PlanningWriter : public ::testing::Test {
protected:
    PlanningWriter() : scope(dialogs) {
        test::WriteText(existing, "old");
        SetFileReadOnly(existing, true);
        fs::last_write_time(existing, past);
    }

    // The plan as "name: change" lines, names relative to the directory.
    std::vector<std::string> Plan() const {
        std::vector<std::string> lines;
        for (const PlanningFileWriter::PlannedFile& file : plan.Files()) {
            const char* change = file.change == Change::Created ? "created"
                                 : file.change == Change::Changed ? "changed"
                                                                  : "unchanged";
            lines.push_back(fs::relative(file.fileName, dir.Path()).generic_string() + ": " + change);
        }
        return lines;
    }

    // The existing file is as it was: text, time stamp and protection.
    void ExpectExistingUntouched() const {
        EXPECT_EQ(test::ReadText(existing), "old");
        EXPECT_EQ(fs::last_write_time(existing), past);
        EXPECT_TRUE(IsFileReadOnly(existing));
    }

    test::TempDir dir;
    std::string existing = dir.File("genA.pas");
    // Whole seconds: MinGW's std::filesystem sets no finer file time.
    fs::file_time_type past =
        std::chrono::floor<std::chrono::seconds>(fs::file_time_type::clock::now() - std::chrono::hours(24));
    ScriptedDialogs dialogs;  // fails on any question
    ScopedDialogs scope;
    PlanningFileWriter plan;
};

TEST_F(PlanningWriter, ANewFileWouldBeCreatedButNeitherItNorItsDirectoryAppears) {
    EXPECT_TRUE(plan.Write("text", dir.File("out/sub/devA.pas"), {.createDirectory = true}));
    EXPECT_EQ(Plan(), (std::vector<std::string>{"out/sub/devA.pas: created"}));
    EXPECT_FALSE(fs::exists(dir.File("out")));
}

TEST_F(PlanningWriter, AnExistingFileIsUnchangedWhenItHoldsTheTextAndChangedWithoutAskingForOther) {
    EXPECT_FALSE(plan.Write("old", existing, kRecreated));
    test::WriteText(dir.File("devA.pas"), "edited");
    EXPECT_FALSE(plan.Write("generated", dir.File("devA.pas"), kWrittenOnce));
    EXPECT_EQ(Plan(), (std::vector<std::string>{"genA.pas: unchanged", "devA.pas: unchanged"}));
    EXPECT_TRUE(plan.ChangedFiles().empty());
    ExpectExistingUntouched();
    // Other text would change a read-only file without asking, even when asked to.
    EXPECT_TRUE(plan.Write("new", existing, {.makeReadOnly = true, .askBeforeReplacing = true}));
    EXPECT_EQ(plan.ChangedFiles(), (std::vector<std::string>{existing}));
    EXPECT_EQ(Plan(), (std::vector<std::string>{"genA.pas: changed", "devA.pas: unchanged"}));
    EXPECT_TRUE(dialogs.Log().empty());
    ExpectExistingUntouched();
}

// Created once, then written only when absent: the plan already has it. Changed, then changed
// back to the disk's text: no change in the end. A second change of the same size is a change.
// One file under two spellings is planned once.
TEST_F(PlanningWriter, LaterWritesOfAFileSeeTheEarlierOnesAndOnlyTheSameBytesCountAsTheSameText) {
    EXPECT_TRUE(plan.Write("first", dir.File("A.dof"), kRecreated));
    EXPECT_FALSE(plan.Write("second", dir.File("A.dof"), kWrittenOnce));
    EXPECT_FALSE(plan.Write("first", dir.File("A.dof"), kRecreated));
    EXPECT_TRUE(plan.Write("new", existing, kRecreated));
    EXPECT_TRUE(plan.Write("old", existing, kRecreated));
    EXPECT_TRUE(plan.Write("abc", dir.File("A.pas"), kRecreated));
    EXPECT_TRUE(plan.Write("abd", dir.File("A.pas"), kRecreated));
    EXPECT_FALSE(plan.Write("abd", dir.File("A.pas"), kRecreated));
    EXPECT_EQ(Plan(), (std::vector<std::string>{"A.dof: created", "genA.pas: unchanged", "A.pas: created"}));
    EXPECT_TRUE(plan.Write("ole", dir.File("out/../genA.pas"), kRecreated));
    EXPECT_TRUE(plan.Write("olf", dir.File("./genA.pas"), kRecreated));
    EXPECT_FALSE(plan.Write("olf", existing, kRecreated));
    EXPECT_EQ(plan.ChangedFiles(), (std::vector<std::string>{dir.File("A.dof"), existing, dir.File("A.pas")}));
    // The comparison with the disk that decides whether a generated file is written at all.
    std::string large(200000, 'x');
    large.replace(large.size() - 2, 2, "\r\n");
    const std::string file = dir.File("large.pas");
    test::WriteText(file, large);
    EXPECT_TRUE(FileHoldsText(file, large));
    std::string lastByte = large;
    lastByte.back() = 'y';
    EXPECT_FALSE(FileHoldsText(file, lastByte));
    std::string firstBlock = large;
    firstBlock[10] = 'y';
    EXPECT_FALSE(FileHoldsText(file, firstBlock));
    EXPECT_FALSE(FileHoldsText(file, large.substr(0, large.size() - 1)));
    EXPECT_FALSE(FileHoldsText(file, large + "x"));
    EXPECT_FALSE(FileHoldsText(dir.File("missing.pas"), ""));
    test::WriteText(dir.File("empty.pas"), "");
    EXPECT_TRUE(FileHoldsText(dir.File("empty.pas"), ""));
    EXPECT_FALSE(FileHoldsText(dir.File("empty.pas"), "x"));
}

}  // namespace
}  // namespace quillon
