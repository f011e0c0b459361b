// Saving a project's modules when the disk does not cooperate: a write that fails at any byte or
// at any step of the atomic writer, a read-only or missing directory, a module file that is a
// symbolic link or has its own permissions. A failed save names the file, keeps the previous file
// byte for byte, leaves no temporary file behind and keeps the changes to save again.
#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>

#include "model/ComponentFile.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/UserDialogs.h"
#ifdef _WIN32
#include "platform/Win32.h"
#endif
#include "project/Project.h"
#include "support/Raised.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

namespace fs = std::filesystem;

std::set<std::string> FilesIn(const std::string& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename().string());
    return names;
}

class ModuleSaveFaults : public ::testing::Test {
protected:
    // A saved project with the class module Account, whose module is then changed.
    void SetUp() override {
        project.NewProject(dir.Path());
        TemgModule& account = project.AddClassModule().Module();
        account.MainClass().SetName("Account");
        account.SetAppellation(account.MainClass().Appellation());
        project.FindModuleEntry("Account")->SetFileName(modulePath);
        project.SaveToFile(projectPath);
        before = ReadText(modulePath);
        filesBefore = FilesIn(dir.Path());
        Account().SetDataModuleName("Ledger");
    }

    TemgModule& Account() { return *project.FindModule("Account"); }
    // What a successful save writes now.
    std::string NewText() {
        return ModelFileText(Account(), kModuleSignature, project.FindModuleEntry("Account")->Options().CommaText());
    }

    // The save failed naming the module file, and nothing was lost: the old file is there byte
    // for byte, no temporary file is left, and the module still counts as changed.
    void ExpectFailedSave(const std::string& error, const std::string& reason) {
        EXPECT_EQ(error, "Cannot create file " + modulePath + " (" + reason + ")");
        EXPECT_EQ(ReadText(modulePath), before);
        EXPECT_EQ(FilesIn(dir.Path()), filesBefore);
        EXPECT_TRUE(Account().GetModified());
        EXPECT_TRUE(project.Modules().GetModified());
    }

    TempDir dir;
    ScriptedDialogs dialogs;
    ScopedDialogs installed{dialogs};
    TemgpProject project;
    const std::string projectPath = dir.File("Project1.qlp");
    const std::string modulePath = dir.File("Account.qlm");
    std::string before;
    std::set<std::string> filesBefore;
};

// A disk that fills up at any byte, or a failure at any step of the atomic writer.
TEST_F(ModuleSaveFaults, AFailedWriteAtAnyByteOrStepKeepsThePreviousFile) {
    const std::string text = NewText();
    ASSERT_GT(text.size(), 500u);  // a real module file, not a toy
    const auto failedSave = [&](auto... fault) {
        ScopedWriteFault active(fault...);
        return test::ExceptionMessage([&] { project.SaveToFile(projectPath); });
    };
    for (std::size_t n = 0; n < text.size() && !HasFailure(); ++n) {
        SCOPED_TRACE("disk full after " + std::to_string(n) + " bytes");
        ExpectFailedSave(failedSave(n), std::strerror(ENOSPC));
    }
    const std::pair<ScopedWriteFault::Step, int> faults[] = {{ScopedWriteFault::Step::Create, EACCES},
                                                             {ScopedWriteFault::Step::Create, EROFS},
                                                             {ScopedWriteFault::Step::Sync, EIO},
                                                             {ScopedWriteFault::Step::Rename, EBUSY}};
    for (const auto& [step, error] : faults)
        ExpectFailedSave(failedSave(step, error), std::strerror(error));
    // Room for every byte: the same save goes through.
    {
        ScopedWriteFault full(text.size());
        project.SaveToFile(projectPath);
    }
    EXPECT_EQ(ReadText(modulePath), text);
    EXPECT_FALSE(Account().GetModified());
    EXPECT_EQ(FilesIn(dir.Path()), filesBefore);
    EXPECT_TRUE(dialogs.Log().empty());
}

#ifndef _WIN32
TEST_F(ModuleSaveFaults, AReadOnlyDirectoryIsReportedNamingTheFileLinuxOnly) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into a read-only directory";
    ::chmod(dir.Path().c_str(), 0555);
    const std::string error = test::ExceptionMessage([&] { project.SaveToFile(projectPath); });
    ::chmod(dir.Path().c_str(), 0755);
    ExpectFailedSave(error, std::strerror(EACCES));
}
#endif

// The system's reason for a file in a directory that is not there.
std::string MissingDirectoryReason() {
#ifdef _WIN32
    return win32::ErrorText(3);  // ERROR_PATH_NOT_FOUND
#else
    return std::strerror(ENOENT);
#endif
}

TEST_F(ModuleSaveFaults, AMissingDirectoryIsReportedNamingTheFileAndKeepsEveryChange) {
    const std::string missing = dir.File("gone/Project1.qlp");
    project.SetSearchPath("lib");
    EXPECT_EQ(test::ExceptionMessage([&] { project.SaveToFile(missing); }),
              "Cannot create file " + missing + " (" + MissingDirectoryReason() + ")");
    EXPECT_TRUE(project.GetModified());
    // A module saved into a directory that is not there.
    TemgpModule& entry = *project.FindModuleEntry("Account");
    const std::string missingModule = dir.File("gone/Account.qlm");
    EXPECT_EQ(test::ExceptionMessage([&] { entry.SaveToDir(dir.File("gone")); }),
              "Cannot create file " + missingModule + " (" + MissingDirectoryReason() + ")");
    EXPECT_TRUE(Account().GetModified());
    EXPECT_EQ(entry.GetFileName(), modulePath);
    EXPECT_FALSE(fs::exists(dir.File("gone")));
    // Everything is still there to save where it belongs.
    project.SaveToFile(projectPath);
    EXPECT_NE(ReadText(projectPath).find("SearchPath = 'lib'"), std::string::npos);
    EXPECT_NE(ReadText(modulePath).find("DataModuleName = 'Ledger'"), std::string::npos);
}

TEST_F(ModuleSaveFaults, SavingThroughASymbolicLinkWritesItsTargetAndKeepsTheLinkLinuxOnly) {
    // The module file lives elsewhere; the project's directory holds a link to it.
    fs::create_directory(dir.File("shared"));
    const std::string target = dir.File("shared/Account.qlm");
    fs::rename(modulePath, target);
    fs::create_symlink("shared/Account.qlm", modulePath);
    TemgpProject loaded;
    loaded.LoadFromFile(projectPath);
    TemgModule& account = *loaded.FindModule("Account");
    account.SetDataModuleName("Ledger");
    loaded.SaveToFile(projectPath);
    EXPECT_TRUE(fs::is_symlink(modulePath));
    EXPECT_NE(ReadText(target).find("DataModuleName = 'Ledger'"), std::string::npos);
    // The date kept is the target's: the next save does not take the file for changed on disk.
    account.SetDataModuleName("Journal");
    loaded.SaveToFile(projectPath);
    EXPECT_TRUE(fs::is_symlink(modulePath));
    EXPECT_NE(ReadText(target).find("DataModuleName = 'Journal'"), std::string::npos);
    EXPECT_EQ(FilesIn(dir.File("shared")), std::set<std::string>{"Account.qlm"});
    EXPECT_TRUE(dialogs.Log().empty());
}

TEST_F(ModuleSaveFaults, AModuleThatCannotBeWrittenKeepsTheProjectFileAndTheOtherModulesAsTheyWere) {
    TemgModule& journal = project.AddClassModule().Module();
    journal.MainClass().SetName("Journal");
    journal.SetAppellation(journal.MainClass().Appellation());
    const std::string journalPath = dir.File("Journal.qlm");
    project.FindModuleEntry("Journal")->SetFileName(journalPath);
    project.SaveToFile(projectPath);
    const std::string projectBefore = ReadText(projectPath);
    const std::string accountBefore = ReadText(modulePath);
    const std::set<std::string> files = FilesIn(dir.Path());
    // Every file has a change to save; the last module's file has become a directory.
    project.SetSearchPath("lib");
    Account().SetDataModuleName("Books");
    journal.SetDataModuleName("Ledger");
    fs::remove(journalPath);
    fs::create_directory(journalPath);
    EXPECT_EQ(test::ExceptionMessage([&] { project.SaveToFile(projectPath); }),
              "Cannot create file " + journalPath + " (it is a directory)");
    EXPECT_EQ(ReadText(projectPath), projectBefore);
    EXPECT_EQ(ReadText(modulePath), accountBefore);
    EXPECT_EQ(FilesIn(dir.Path()), files);
    EXPECT_TRUE(project.GetModified());
    EXPECT_TRUE(Account().GetModified());
    EXPECT_TRUE(journal.GetModified());
    // With the directory gone, the same save writes all three.
    fs::remove(journalPath);
    project.SaveToFile(projectPath);
    EXPECT_NE(ReadText(projectPath).find("SearchPath = 'lib'"), std::string::npos);
    EXPECT_NE(ReadText(modulePath).find("DataModuleName = 'Books'"), std::string::npos);
    EXPECT_NE(ReadText(journalPath).find("DataModuleName = 'Ledger'"), std::string::npos);
    EXPECT_FALSE(project.GetModified() || Account().GetModified() || journal.GetModified());
    EXPECT_TRUE(dialogs.Log().empty());
}

TEST_F(ModuleSaveFaults, AReadOnlyModuleFileRefusesTheSaveBeforeAnyFileIsWritten) {
    // The mode bits decide, as root too.
    ::chmod(modulePath.c_str(), 0444);
    project.SetSearchPath("lib");
    const std::string projectBefore = ReadText(projectPath);
    EXPECT_EQ(test::ExceptionMessage([&] { project.SaveToFile(projectPath); }), "Cannot create file " + modulePath);
    EXPECT_EQ(ReadText(modulePath), before);
    EXPECT_EQ(ReadText(projectPath), projectBefore);
    EXPECT_EQ(FilesIn(dir.Path()), filesBefore);
    EXPECT_TRUE(project.GetModified());
    EXPECT_TRUE(Account().GetModified());
    // A read-only project file likewise.
    ::chmod(modulePath.c_str(), 0644);
    ::chmod(projectPath.c_str(), 0444);
    EXPECT_EQ(test::ExceptionMessage([&] { project.SaveToFile(projectPath); }), "Cannot create file " + projectPath);
    EXPECT_EQ(ReadText(projectPath), projectBefore);
}

TEST_F(ModuleSaveFaults, AModuleFileKeepsItsPermissionsLinuxOnly) {
    ::chmod(modulePath.c_str(), 0640);
    project.SaveToFile(projectPath);
    struct stat info {};
    ASSERT_EQ(::stat(modulePath.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_NE(ReadText(modulePath).find("DataModuleName = 'Ledger'"), std::string::npos);
}

}  // namespace
}  // namespace quillon::test
