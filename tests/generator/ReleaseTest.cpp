// Releases and copy rules over a small project: Account refers to Customer; built libraries lie
// in the modules' output directories. The units a release regenerates come from the standard
// builders (the database support controller N.pas at least).
#include <gtest/gtest.h>

#include <filesystem>

#include "elements/ReleaseElements.h"
#include "generator/Release.h"
#include "platform/FileSystem.h"
#include "platform/ShellOpen.h"

#include "UnitsTestSupport.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;
using Errors = std::vector<std::string>;

class Releases : public ::testing::Test {
protected:
    Releases() : opened_([this](const std::string& path) { opened.push_back(path); }) {
        for (TemgModule* module : {&account, &customer}) module->SetSrcPath("bin");
        account.MainClass().ExternalClasses().Add()->SetName("Customer");
        release.SetPath("out");
    }

    void BuildLibrary(const std::string& name) {
        fs::create_directories(dir.File("bin"));
        test::WriteText(dir.File("bin/" + name + ".dll"), name + " library");
    }
    Errors Run() { return RunRelease(release, project, {&account, &customer}); }
    std::string Out(const std::string& name) const { return dir.File("out/" + name); }

    test::TempDir dir;
    test::UnitsProject project{dir.Prefix()};
    TemgModule& account = project.AddModule("Account", moServerInDll);
    TemgModule& customer = project.AddModule("Customer", moServerInDll);
    TReleaseDll release;
    std::vector<std::string> opened;

private:
    ShellOpenScope opened_;
};

}  // namespace

// A project release copies the libraries and units of every module; a module release only the
// libraries of the modules it refers to.
TEST_F(Releases, AProjectReleaseCopiesEveryModuleAModuleReleaseTheReferencedLibraries) {
    BuildLibrary("Account");
    BuildLibrary("Customer");
    EXPECT_EQ(Run(), Errors{});
    EXPECT_EQ(test::ReadText(Out("dll/Account.dll")), "Account library");
    EXPECT_EQ(test::ReadText(Out("dll/Customer.dll")), "Customer library");
    EXPECT_TRUE(FileExists(Out("pas/Account.pas")));
    EXPECT_TRUE(FileExists(Out("pas/Customer.pas")));
    EXPECT_EQ(opened, Errors{dir.File("out")});
    release.SetOption(roModule);
    release.SetModuleName("account");
    release.SetDllSubdir("bin");
    release.SetPasSubdir("src");
    EXPECT_EQ(Run(), Errors{});
    EXPECT_TRUE(FileExists(Out("bin/Account.dll")));
    EXPECT_TRUE(FileExists(Out("bin/Customer.dll")));
    EXPECT_TRUE(FileExists(Out("src/Account.pas")));
    EXPECT_FALSE(FileExists(Out("src/Customer.pas")));
}

// A missing module is reported after the directories are made, and the folder still opens; a
// release without a directory stops with an error.
TEST_F(Releases, AMissingModuleIsReportedAfterTheDirectoriesAreMadeAndNoDirectoryStops) {
    release.SetOption(roModule);
    release.SetModuleName("Gone");
    EXPECT_EQ(Run(), Errors{"Class 'Gone' not found"});
    EXPECT_TRUE(DirectoryExists(Out("dll")));
    EXPECT_TRUE(DirectoryExists(Out("pas")));
    EXPECT_EQ(opened, Errors{dir.File("out")});
    release.SetPath("");
    EXPECT_EQ(test::ExceptionMessage([&] { Run(); }), "Unable to create directory");
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(Releases, ACopyRuleCopiesTheReferencedLibrariesOnlyWithAllDlls) {
    BuildLibrary("Account");
    BuildLibrary("Customer");
    fs::create_directories(dir.File("host/bin"));
    fs::create_directories(dir.File("host/pas"));
    TCopyFileItem& rule = *account.CopyFiles().Add();
    rule.SetDllPath("host/bin");
    rule.SetPasPath("host/pas");
    rule.SetAllDlls(false);
    EXPECT_EQ(RunCopyRules(account, project), Errors{});
    EXPECT_TRUE(FileExists(dir.File("host/bin/Account.dll")));
    EXPECT_TRUE(FileExists(dir.File("host/pas/Account.pas")));
    EXPECT_FALSE(FileExists(dir.File("host/bin/Customer.dll")));

    rule.SetAllDlls(true);
    EXPECT_EQ(RunCopyRule(rule, project, "Account"), Errors{});
    EXPECT_TRUE(FileExists(dir.File("host/bin/Customer.dll")));
    EXPECT_FALSE(FileExists(dir.File("host/pas/Customer.pas")));
    EXPECT_TRUE(opened.empty());
}

TEST_F(Releases, ACopyRuleOfAMissingModuleOrDirectoryIsReported) {
    BuildLibrary("Account");
    TCopyFileItem rule;
    rule.SetDllPath("nowhere");
    rule.SetPasPath("host/pas");
    EXPECT_EQ(RunCopyRule(rule, project, "Gone"), Errors{"Class 'Gone' not found"});
    Errors errors;
    EXPECT_TRUE(ClassReferencedModules("Customer", project, errors).empty());
    customer.MainClass().ExternalClasses().Add()->SetName("Branch");
    customer.MainClass().ExternalClasses().Add()->SetName("Account");
    customer.MainClass().ExternalClasses().Add()->SetName("account");
    EXPECT_EQ(ClassReferencedModules("Customer", project, errors), (std::vector<const TemgModule*>{&account}));
    EXPECT_EQ(errors, Errors{"Class 'Branch' not found"});
    EXPECT_EQ(RunCopyRule(rule, project, "Account"),
              (Errors{"Path '" + dir.File("nowhere") + "' not found", "Path '" + dir.File("host/pas") + "' not found",
                      "File '" + dir.File("bin/Customer.dll") + "' not found"}));
}

}  // namespace quillon
