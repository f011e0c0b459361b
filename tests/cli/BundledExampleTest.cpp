#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <sstream>

#include "cli/CliCommands.h"
#include "project/Project.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

namespace fs = std::filesystem;

const std::string kBankDir = std::string(QUILLON_EXAMPLES_DIR) + "/Bank";
const std::string kBank = kBankDir + "/Project1.qlp";

TEST(BundledExample, IsCanonicalAndChecksClean) {
    std::ostringstream out;
    EXPECT_EQ(cli::CommandFormat(kBank, true, out), cli::kExitSuccess) << out.str();
    EXPECT_EQ(cli::CommandCheck(kBank, out), cli::kExitSuccess) << out.str();
}

TEST(BundledExample, UsesEveryServerOptionAndAReferenceBetweenLibraryServers) {
    const std::unique_ptr<TemgpProject> project = cli::LoadProject(kBank);
    std::vector<TServerOption> options;
    for (const TemgModule* module : project->ClassModules()) options.push_back(module->GetServerOption());
    EXPECT_EQ(options, (std::vector<TServerOption>{moServerInDll, moComServerInDll, moDirectUsesServer, moComServer}));
    const TemgExternalClass& holder = *project->FindModule("Account")->MainClass().ExternalClasses().Items(0);
    EXPECT_TRUE(IsLibraryOption(project->FindModule(holder.GetName())->GetServerOption()));
    EXPECT_GT(project->FirstModule().EnumTypes().Count(), 0);
}

// What `make run` does, twice, on a copy of the example's model files.
TEST(BundledExample, ASecondGenerationRewritesNothingAndThenChecksClean) {
    TempDir dir;
    for (const auto& entry : fs::directory_iterator(kBankDir))
        if (entry.is_regular_file()) fs::copy_file(entry.path(), dir.File(entry.path().filename().string()));
    const std::string project = dir.File("Project1.qlp");

    std::ostringstream first;
    ASSERT_EQ(cli::CommandGenerate(project, {}, first), cli::kExitSuccess);
    // Every generated file, set back a day so that a rewrite shows in its time stamp (in whole
    // seconds: MinGW's std::filesystem sets no finer time).
    const auto past =
        std::chrono::floor<std::chrono::seconds>(fs::file_time_type::clock::now() - std::chrono::hours(24));
    std::map<std::string, fs::file_time_type> times;
    for (const auto& entry : fs::recursive_directory_iterator(dir.File("Source"))) {
        if (!entry.is_regular_file()) continue;
        fs::last_write_time(entry.path(), past);
        times[entry.path().string()] = past;
    }
    EXPECT_GT(times.size(), 20u);
    EXPECT_NE(first.str().find("Wrote " + std::to_string(times.size()) + " files\n"), std::string::npos)
        << first.str();

    std::ostringstream second;
    EXPECT_EQ(cli::CommandGenerate(project, {}, second), cli::kExitSuccess);
    EXPECT_EQ(second.str(), "Wrote 0 files\n");
    for (const auto& [file, time] : times) EXPECT_EQ(fs::last_write_time(file), time) << file;

    cli::GenerateOptions checkOnly;
    checkOnly.check = true;
    std::ostringstream check;
    EXPECT_EQ(cli::CommandGenerate(project, checkOnly, check), cli::kExitSuccess);
    EXPECT_EQ(check.str(), "Every generated file is up to date\n");
}

}  // namespace
}  // namespace quillon::test
