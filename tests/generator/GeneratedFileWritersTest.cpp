// The planning writer: what a generation would create or change, judged by the writing rules,
// with nothing on disk touched.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "generator/GeneratedFileWriters.h"
#include "platform/FileSystem.h"
#include "platform/UserDialogs.h"

#include "GeneratorTestSupport.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;
using Change = PlanningFileWriter::Change;

constexpr TWriteRules kRecreated{.makeReadOnly = true};
constexpr TWriteRules kWrittenOnce{.replaceExisting = false};

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
TEST_F(PlanningWriter, LaterWritesOfAFileSeeTheEarlierOnes) {
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
}

// The comparison with the disk that decides whether a generated file is written at all.
TEST(FileHoldsText, OnlyTheSameBytesCountAcrossBlocks) {
    test::TempDir dir;
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
