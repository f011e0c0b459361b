// `register`: the COM server library built from a module's library project, registered where
// the system can register COM servers (Windows) and refused with a reason elsewhere.
#include <gtest/gtest.h>

#include "CliRun.h"
#include "generator/Module.h"
#include "platform/ComServer.h"
#include "platform/FileSystem.h"
#include "project/Project.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

std::string Fixture(const std::string& name) {
    return std::string(QUILLON_FIXTURE_DIR) + "/" + name + QUILLON_FIXTURE_SUFFIX;
}

class CliRegister : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(RunCommand({"new", dir.File("bank")}).status, 0);
        const std::unique_ptr<TemgpProject> loaded = cli::LoadProject(project);
        library = loaded->FindModule("CommonTypes")->LibraryFileName(loaded->GetSrcPath());
    }

    TempDir dir;
    std::string project = dir.File("bank/Project1.qlp");
    std::string library;
};

TEST_F(CliRegister, RefusesAnUnknownModule) {
    const Outcome unknown = RunCommand({"register", project, "Teller"});
    EXPECT_EQ(unknown.status, 3);
    EXPECT_EQ(unknown.err, "quillon-cli: Class 'Teller' not found\n");
}

TEST_F(CliRegister, RegistersTheModulesLibraryOnWindowsAndSaysItNeedsWindowsElsewhere) {
    if (!ComRegistrationAvailable()) {
        const Outcome refused = RunCommand({"register", project, "commontypes"});
        EXPECT_EQ(refused.status, 3);
        EXPECT_EQ(refused.err, "quillon-cli: Registering the COM server " + library + " needs Windows\n");
        EXPECT_EQ(refused.out, "");
        return;
    }
    const Outcome notBuilt = RunCommand({"register", project, "CommonTypes"});
    EXPECT_EQ(notBuilt.status, 3);
    EXPECT_NE(notBuilt.err.find("Cannot open file " + library), std::string::npos) << notBuilt.err;

    ASSERT_TRUE(ForceDirectories(ExtractFilePath(library)));
    CopyFileOver(Fixture("fake_com_ok"), library);
    const Outcome registered = RunCommand({"register", project, "CommonTypes"});
    EXPECT_EQ(registered.status, 0) << registered.err;
    EXPECT_EQ(registered.out, "Server " + library + " is registered successfully\n");

    CopyFileOver(Fixture("fake_com_failing"), library);
    const Outcome failed = RunCommand({"register", project, "CommonTypes"});
    EXPECT_EQ(failed.status, 3);
    EXPECT_EQ(failed.err, "quillon-cli: DllRegisterServer of " + library + " failed with code 80004005\n");
}

}  // namespace
}  // namespace quillon::test
