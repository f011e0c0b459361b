#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliCommands.h"
#include "project/Project.h"

namespace quillon::test {
namespace {

const std::string kBank = std::string(QUILLON_EXAMPLES_DIR) + "/Bank/Project1.qlp";

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

}  // namespace
}  // namespace quillon::test
