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

class CliRegister : public CliProject {
protected:
    void SetUp() override {
        New();
        const std::unique_ptr<TemgpProject> loaded = cli::LoadProject(project);
        library = loaded->FindModule("CommonTypes")->LibraryFileName(loaded->GetSrcPath());
    }

    std::string project = ProjectFile();
    std::string library;
};

TEST_F(CliRegister, RegistersTheModulesLibraryOnWindowsAndSaysItNeedsWindowsElsewhere) {
    EXPECT_EQ(RunCommand({"register", project, "Teller"}), (Outcome{3, "", "quillon-cli: Class 'Teller' not found\n"}));
    if (!ComRegistrationAvailable()) {
        EXPECT_EQ(RunCommand({"register", project, "commontypes"}),
                  (Outcome{3, "", "quillon-cli: Registering the COM server " + library + " needs Windows\n"}));
        return;
    }
    const Outcome notBuilt = RunCommand({"register", project, "CommonTypes"});
    EXPECT_EQ(notBuilt.status, 3);
    EXPECT_NE(notBuilt.err.find("Cannot open file " + library), std::string::npos) << notBuilt.err;
    ASSERT_TRUE(ForceDirectories(ExtractFilePath(library)));
    CopyFileOver(Fixture("fake_com_ok"), library);
    EXPECT_EQ(RunCommand({"register", project, "CommonTypes"}),
              (Outcome{0, "Server " + library + " is registered successfully\n", ""}));
    CopyFileOver(Fixture("fake_com_failing"), library);
    EXPECT_EQ(RunCommand({"register", project, "CommonTypes"}),
              (Outcome{3, "", "quillon-cli: DllRegisterServer of " + library + " failed with code 80004005\n"}));
}

}  // namespace
}  // namespace quillon::test
