// The check's promise, tried on designs: a design the check passes generates code that compiles.
// A fixed list of seeds of the design generator, and the regression designs that each stand for
// a class of failure the fuzzer once found (kept under regressions/, one project per directory).
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "designs/DesignOracle.h"
#include "platform/UserDialogs.h"
#include "project/Project.h"
#include "support/TempDir.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;

::testing::AssertionResult Kept(const DesignOutcome& outcome, const std::string& dir) {
    if (!outcome.failed) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "seed " << outcome.seed << ": " << outcome.file << ": "
                                         << outcome.firstError << "\n" << DesignFilesText(dir);
}

class FixedSeeds : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(FixedSeeds, ADesignTheCheckPassesCompiles) {
    test::TempDir dir;
    const DesignOutcome outcome = RunDesign(GetParam(), dir.Path());
    EXPECT_TRUE(Kept(outcome, dir.Path()));
}

// Seeds chosen for their spread: every server option, external classes, database support and
// debug applications, designs the check refuses and designs it passes.
INSTANTIATE_TEST_SUITE_P(Designs, FixedSeeds, ::testing::Range<std::uint32_t>(1, 41));

// A regression design: a directory whose name says what the check must do with it ("refused-")
// or that its code must compile ("compiles-").
class RegressionDesigns : public ::testing::TestWithParam<std::string> {};

TEST_P(RegressionDesigns, TheCheckRefusesItOrItsCodeCompiles) {
    const fs::path source = fs::path(QUILLON_REGRESSION_DESIGNS) / GetParam();
    test::TempDir dir;
    for (const fs::directory_entry& entry : fs::directory_iterator(source))
        fs::copy(entry.path(), fs::path(dir.Path()) / entry.path().filename(), fs::copy_options::recursive);
    std::ostringstream messages;
    NonInteractiveDialogs dialogs(messages, DialogAnswer::Yes);
    const ScopedDialogs installed(dialogs);
    TemgpProject project;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir.Path()))
        if (entry.path().extension() == ".qlp") project.LoadFromFile(entry.path().string());
    ASSERT_FALSE(project.IsEmpty());
    const DesignOutcome outcome = JudgeDesign(project);
    if (GetParam().starts_with("refused-"))
        EXPECT_FALSE(outcome.accepted) << GetParam() << " passed the check";
    else
        EXPECT_TRUE(outcome.accepted && !outcome.failed) << outcome.file << ": " << outcome.firstError;
}

std::vector<std::string> RegressionNames() {
    std::vector<std::string> names;
    if (fs::exists(QUILLON_REGRESSION_DESIGNS))
        for (const fs::directory_entry& entry : fs::directory_iterator(QUILLON_REGRESSION_DESIGNS))
            if (entry.is_directory()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Regressions, RegressionDesigns, ::testing::ValuesIn(RegressionNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(RegressionDesigns);

}  // namespace
}  // namespace quillon
