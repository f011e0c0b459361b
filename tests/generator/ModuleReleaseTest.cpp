// Releasing a module: its built library copied into the library directory, the host's units
// regenerated into the unit directory, and every problem collected instead of raised.
#include <gtest/gtest.h>

#include <filesystem>

#include "generator/GeneratedFiles.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"

#include "UnitsTestSupport.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;

class ModuleRelease : public ::testing::Test {
protected:
    ModuleRelease() {
        project.unitHeader = "{ header }\r\n";
        project.common.CreateEnumType("TSide", "", {"sdLeft", "sdRight"});
        account.SetSrcPath("bin");
        fs::create_directories(release + "/dll");
        fs::create_directories(release + "/pas");
    }

    std::vector<std::string> Release(bool withUnits) {
        std::vector<std::string> errors;
        account.Release(release, "dll", errors, project, withUnits, "pas", builder);
        return errors;
    }
    void BuildLibrary(const std::string& content = "MZ library") {
        fs::create_directories(dir.File("bin"));
        test::WriteText(dir.File("bin/Account.dll"), content);
    }

    test::TempDir dir;
    std::string release = dir.File("release");
    test::UnitsProject project{dir.Prefix()};
    test::RecordingBuilder builder;
    TemgModule& account = project.AddModule("Account", moServerInDll);
};

using Errors = std::vector<std::string>;

TEST_F(ModuleRelease, CopiesTheLibraryOverAnEarlierCopyAndWithUnitsRegeneratesTheHostsUnitsReadOnly) {
    BuildLibrary("new build");
    test::WriteText(release + "/dll/Account.dll", "old build");
    EXPECT_TRUE(Release(false).empty());
    EXPECT_EQ(test::ReadText(release + "/dll/Account.dll"), "new build");
    EXPECT_FALSE(FileExists(release + "/pas/cntrAccount.pas"));
    EXPECT_TRUE(builder.TakeRequests().empty());
    EXPECT_TRUE(Release(true).empty());
    EXPECT_EQ(builder.TakeRequests(), (std::vector<std::string>{"Account:4", "Account:11"}));
    const std::string controller = release + "/pas/cntrAccount.pas";
    EXPECT_TRUE(IsFileReadOnly(controller));
    EXPECT_EQ(test::ReadText(controller), GeneratedFileHeader("{ header }\r\n", true) + "unit cntrAccount;\r\nend.");
    EXPECT_TRUE(IsFileReadOnly(release + "/pas/Account.pas"));
    EXPECT_FALSE(FileExists(release + "/pas/genCommonTypes.pas"));
    // A module that uses the common types also gets the types unit.
    builder.usesCommonTypes = true;
    EXPECT_TRUE(Release(true).empty());
    EXPECT_EQ(builder.TakeRequests(), (std::vector<std::string>{"Account:4", "Account:11", "CommonTypes:8"}));
    EXPECT_TRUE(IsFileReadOnly(release + "/pas/genCommonTypes.pas"));
}

// A missing library or added unit (a value names its constant), then missing targets: reported, the rest released.
TEST_F(ModuleRelease, MissingFilesAndTargetDirectoriesAreReportedWithoutStopping) {
    for (const char* name : {"Limits.pas", "Gone.pas"}) account.AddUnits().Add()->SetName(name);
    test::Typed(*account.MainClass().Properties().Add(), "Rows", "Integer").SetDefaultValue("MaxRows");
    fs::create_directories(dir.File("bin"));
    test::WriteText(dir.File("bin/Limits.pas"), "unit Limits;");
    EXPECT_EQ(Release(true), (Errors{"File '" + dir.File("bin/Account.dll") + "' not found",
                                     "File '" + dir.File("bin/Gone.pas") + "' not found"}));
    EXPECT_TRUE(FileExists(release + "/pas/cntrAccount.pas"));
    EXPECT_EQ(test::ReadText(release + "/pas/Limits.pas"), "unit Limits;");
    BuildLibrary();
    test::RemoveAll(release);
    EXPECT_EQ(Release(true),
              (Errors{"Path '" + dir.File("release/dll") + "' not found",
                      "Path '" + dir.File("release/pas") + "' not found"}));
    EXPECT_FALSE(fs::exists(release));
}

TEST_F(ModuleRelease, AFailureWhileWritingBecomesAnErrorEntry) {
    struct FailingBuilder : test::RecordingBuilder {
        std::string UnitText(const TemgModule&, TFileKind, const IModuleResolver&) const override {
            throw Exception("Cannot create file cntrAccount.pas");
        }
    } failing;
    BuildLibrary();
    std::vector<std::string> errors;
    EXPECT_NO_THROW(account.Release(release, "dll", errors, project, true, "pas", failing));
    EXPECT_EQ(errors, (Errors(2, "Cannot create file cntrAccount.pas")));
    EXPECT_TRUE(FileExists(release + "/dll/Account.dll"));
}

}  // namespace
}  // namespace quillon
