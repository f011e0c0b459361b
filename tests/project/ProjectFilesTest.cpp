#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>

#include "generator/GeneratorTestSupport.h"
#include "model/ComponentFile.h"
#include "platform/FileSystem.h"
#include "platform/UserDialogs.h"
#ifdef _WIN32
#include "platform/Win32.h"
#endif
#include "project/Project.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

namespace fs = std::filesystem;

// Moves a file's modification time `seconds` away, as another program's write would.
void ShiftFileTime(const std::string& path, int seconds) {
    fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(seconds));
}

fs::file_time_type TimeOf(const std::string& path) { return fs::last_write_time(path); }

std::string ModuleNames(const TemgpProject& project) {
    std::string names;
    project.ForEachModule([&](TemgModule& module) { names += (names.empty() ? "" : ",") + module.ModuleName(); });
    return names;
}

class ProjectFiles : public ::testing::Test {
protected:
    // A saved project in `dir`: CommonTypes and ExtClass1 renamed Account.
    void SaveNewProject() {
        project.NewProject(dir.Path());
        TemgModule& account = project.AddClassModule().Module();
        account.MainClass().SetName("Account");
        account.SetAppellation(account.MainClass().Appellation());
        project.FindModuleEntry("Account")->SetFileName(dir.File("Account.qlm"));
        project.SaveToFile(project.GetFileName());
    }

    TempDir dir;
    ScriptedDialogs dialogs;
    ScopedDialogs installed{dialogs};
    TemgpProject project;
};

TEST_F(ProjectFiles, SavesEveryFileOfANewProjectLoadsItBackAndSavesOnlyWhatChanged) {
    SaveNewProject();
    EXPECT_FALSE(project.GetModified());
    EXPECT_FALSE(project.Modules().GetModified());
    EXPECT_EQ(project.GetFileDate(), *FileAge(dir.File("Project1.qlp")));

    TemgpProject loaded;
    loaded.LoadFromFile(dir.File("Project1.qlp"));
    EXPECT_EQ(ModuleNames(loaded), "CommonTypes,Account");
    EXPECT_EQ(loaded.GetName(), "Project1");
    EXPECT_EQ(loaded.GetUnitHeader(), project.GetUnitHeader());
    EXPECT_EQ(loaded.GetSrcPath(), dir.Prefix());
    EXPECT_EQ(loaded.Modules().Items(1)->GetFileName(), dir.File("Account.qlm"));
    EXPECT_EQ(loaded.FindModule("Account")->Resolver(), &loaded);
    EXPECT_FALSE(loaded.GetModified());
    EXPECT_FALSE(loaded.Modules().GetModified());
    EXPECT_TRUE(dialogs.Log().empty());
    // Module files by bare name, and no source path.
    const std::string text = ReadText(dir.File("Project1.qlp"));
    EXPECT_EQ(text.rfind("object TModelFileHeader\r\n  Signature = 'PIF'\r\nend\r\nobject TModelFileOptions\r\nend\r\n"
                         "object TemgpProject\r\n  Modules = <\r\n    item\r\n      FileName = 'CommonTypes.qlm'\r\n"
                         "    end\r\n    item\r\n      FileName = 'Account.qlm'\r\n    end>\r\n",
                         0),
              0u)
        << text;
    EXPECT_EQ(text.find("SrcPath"), std::string::npos);
    EXPECT_EQ(text.find(dir.Path()), std::string::npos);

    // Saving again writes only what changed.
    const auto projectTime = TimeOf(dir.File("Project1.qlp"));
    const auto commonTime = TimeOf(dir.File("CommonTypes.qlm"));
    const auto accountTime = TimeOf(dir.File("Account.qlm"));

    project.SaveToFile(project.GetFileName());
    EXPECT_EQ(TimeOf(dir.File("Project1.qlp")), projectTime);
    EXPECT_EQ(TimeOf(dir.File("CommonTypes.qlm")), commonTime);
    EXPECT_EQ(TimeOf(dir.File("Account.qlm")), accountTime);

    project.FindModule("Account")->SetDataModuleName("Ledger");
    project.SaveToFile(project.GetFileName());
    EXPECT_EQ(TimeOf(dir.File("Project1.qlp")), projectTime);
    EXPECT_EQ(TimeOf(dir.File("CommonTypes.qlm")), commonTime);
    EXPECT_NE(ReadText(dir.File("Account.qlm")).find("DataModuleName = 'Ledger'"), std::string::npos);

    project.SetSearchPath("lib");
    project.SaveToFile(project.GetFileName());
    EXPECT_NE(ReadText(dir.File("Project1.qlp")).find("SearchPath = 'lib'"), std::string::npos);
    EXPECT_EQ(TimeOf(dir.File("CommonTypes.qlm")), commonTime);
    EXPECT_TRUE(dialogs.Log().empty());
}

TEST_F(ProjectFiles, AsksBeforeReplacingAProjectFileChangedOnDiskAndLoadsModulesNamedWithAnotherPlatformsPaths) {
    SaveNewProject();
    const std::string fileName = dir.File("Project1.qlp");
    ShiftFileTime(fileName, -60);
    const std::string before = ReadText(fileName);

    project.SetSearchPath("lib");
    project.FindModule("Account")->SetDataModuleName("Ledger");
    // A module's file renamed: the old one stays while the project file on disk names it.
    TemgpModule& renamed = *project.FindModuleEntry("Account");
    project.RenameModule(renamed, "Teller", "");
    ASSERT_TRUE(project.RenameModuleFile(renamed));
    dialogs.QueueAnswer(DialogAnswer::No);
    project.SaveToFile(fileName);
    ASSERT_EQ(dialogs.Questions().size(), 1u);
    EXPECT_EQ(dialogs.Questions()[0].rfind("File '" + fileName + "' has another version. File has been changed ", 0),
              0u);
    EXPECT_EQ(ReadText(fileName), before);
    EXPECT_TRUE(project.GetModified());
    // The modules are saved all the same.
    EXPECT_NE(ReadText(dir.File("Teller.qlm")).find("Ledger"), std::string::npos);
    EXPECT_TRUE(FileExists(dir.File("Account.qlm")));

    dialogs.QueueAnswer(DialogAnswer::Cancel);
    EXPECT_THROW(project.SaveToFile(fileName), EAbort);

    dialogs.QueueAnswer(DialogAnswer::Yes);
    project.SaveToFile(fileName);
    EXPECT_NE(ReadText(fileName).find("SearchPath = 'lib'"), std::string::npos);
    EXPECT_NE(ReadText(fileName).find("'Teller.qlm'"), std::string::npos);
    EXPECT_FALSE(FileExists(dir.File("Account.qlm")));
    EXPECT_FALSE(project.GetModified());
    EXPECT_EQ(dialogs.PendingAnswers(), 0u);
    TemgModule common;
    common.MakeCommonTypesModule();
    WriteModelFile(common, dir.File("CommonTypes.qlm"), kModuleSignature, "");
    TemgModule account;
    account.MainClass().SetName("Account");
    account.SetAppellation(account.MainClass().Appellation());
    WriteModelFile(account, dir.File("Account.qlm"), kModuleSignature, "");
    WriteText(dir.File("Bank.qlp"),
              "object TModelFileHeader\r\n  Signature = 'PIF'\r\nend\r\nobject TModelFileOptions\r\nend\r\n"
              "object TemgpProject\r\n  Modules = <\r\n"
              "    item\r\n      FileName = '/home/someone/bank/CommonTypes.qlm'\r\n    end\r\n"
              "    item\r\n      FileName = 'C:\\Work\\Account.qlm'\r\n    end>\r\n"
              "  Appellation.Name = 'Bank'\r\n  SrcPath = 'C:\\Work\\'\r\nend\r\n");

    project.LoadFromFile(dir.File("Bank.qlp"));
    EXPECT_EQ(ModuleNames(project), "CommonTypes,Account");
    EXPECT_EQ(project.Modules().Items(0)->GetFileName(), dir.File("CommonTypes.qlm"));
    EXPECT_EQ(project.Modules().Items(1)->GetFileName(), dir.File("Account.qlm"));
    EXPECT_EQ(project.GetSrcPath(), dir.Prefix());
    // The first module is the common types module, every other one a class module.
    EXPECT_EQ(project.FirstModule().MainClass().Methods().Count(), 0);
    EXPECT_EQ(project.FindModule("account")->MainClass().Methods().Items(0)->GetName(), "AfterInitInstance");
    EXPECT_FALSE(project.GetModified());
    EXPECT_FALSE(project.Modules().GetModified());
}

void ReplaceOnce(std::string& text, const std::string& what, const std::string& with) {
    const std::size_t at = text.find(what);
    ASSERT_NE(at, std::string::npos) << what;
    text.replace(at, what.size(), with);
}

// A file may state DatabaseSupport before the class's members: the members' lists replace the
// system items the set brought. Every module, the common types module as well, has them after
// loading, so the file it saves loads back to the same text.
TEST_F(ProjectFiles, EveryModuleLoadsTheDatabaseSystemItemsOfItsSetWhereverTheFileStatesIt) {
    SaveNewProject();
    for (const char* name : {"CommonTypes.qlm", "Account.qlm"}) {
        std::string text = ReadText(dir.File(name));
        ReplaceOnce(text, "  DatabaseSupport = []\r\n", "");
        ReplaceOnce(text, "object TemgModule\r\n", "object TemgModule\r\n  DatabaseSupport = [dbsTable]\r\n");
        if (text.find("  MainClass.Methods = <>") != std::string::npos)
            ReplaceOnce(text, "  MainClass.Methods = <>",
                        "  MainClass.Methods = <\r\n    item\r\n      Appellation.Name = 'Open'\r\n    end>");
        WriteText(dir.File(name), text);
    }
    TemgpProject loaded;
    loaded.LoadFromFile(dir.File("Project1.qlp"));
    for (TemgModule* module : {&loaded.FirstModule(), loaded.FindModule("Account")}) {
        SCOPED_TRACE(module->ModuleName());
        EXPECT_NE(FindItemByText(&module->MainClass().Methods(), "CreateTable"), nullptr);
        EXPECT_NE(FindItemByText(&module->MainClass().Events(), "CreateTableMethod"), nullptr);
    }
    loaded.ForEachModule([](TemgModule& module) { module.SetModified(true); });
    loaded.SaveToFile(loaded.GetFileName());
    const std::string common = ReadText(dir.File("CommonTypes.qlm"));
    TemgpProject again;
    again.LoadFromFile(dir.File("Project1.qlp"));
    again.ForEachModule([](TemgModule& module) { module.SetModified(true); });
    again.SaveToFile(again.GetFileName());
    EXPECT_EQ(ReadText(dir.File("CommonTypes.qlm")), common);
}

class FailedLoad : public ProjectFiles {
protected:
    void SetUp() override {
        SaveNewProject();
        project.SetSearchPath("kept");
    }
    // The load fails with `message` and leaves the open project as it was.
    void ExpectRefused(const std::string& message) {
        EXPECT_EQ(ExceptionMessage([&] { project.LoadFromFile(dir.File("Project1.qlp")); }), message);
        EXPECT_EQ(ModuleNames(project), "CommonTypes,Account");
        EXPECT_EQ(project.GetSearchPath(), "kept");
        EXPECT_EQ(project.FirstModule().RegisteredDataTypes().Count(), 27);
        EXPECT_EQ(project.FindModule("Account")->Resolver(), &project);
    }
};

// A module file that does not parse is named. Missing module files: the user is asked (No aborts),
// the common types module cannot be left out, and a caller that refuses such a project has each
// file reported.
TEST_F(FailedLoad, AModuleFileThatDoesNotParseOrIsMissingIsReported) {
    WriteText(dir.File("Account.qlm"), "object TModelFileHeader\r\n  Signature = 'MIF'\r\nend\r\nobject = 1\r\n");
    ExpectRefused("Cannot load module file '" + dir.File("Account.qlm") + "': Identifier expected on line 4");
    fs::remove(dir.File("Account.qlm"));
    dialogs.QueueAnswer(DialogAnswer::No);
    ExpectRefused("Operation aborted");
    fs::remove(dir.File("CommonTypes.qlm"));
    const std::string lacks = "Project '" + dir.File("Project1.qlp") + "' lacks 2 of its module files";
    ExpectRefused(lacks + "\n" + dir.File("CommonTypes.qlm") + "\n" + dir.File("Account.qlm"));
    EXPECT_EQ(ExceptionMessage([&] { project.LoadFromFile(dir.File("Project1.qlp"), TMissingModuleFiles::Refuse); }),
              lacks);
    EXPECT_EQ(dialogs.Messages(), (std::vector<std::string>{"File '" + dir.File("CommonTypes.qlm") + "' not found",
                                                            "File '" + dir.File("Account.qlm") + "' not found"}));
    EXPECT_EQ(dialogs.Questions().size(), 1U);
}

TEST_F(ProjectFiles, AModuleFileNamedTwiceOpensWithTheSecondEntryLeftOutAndSavesWithoutIt) {
    SaveNewProject();
    std::string text = ReadText(dir.File("Project1.qlp"));
    text.replace(text.find("'Account.qlm'"), 13, "'C:\\Work\\CommonTypes.qlm'");
    WriteText(dir.File("Project1.qlp"), text);
    TemgpProject loaded;
    loaded.LoadFromFile(dir.File("Project1.qlp"));
    EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{"Module file '" + dir.File("CommonTypes.qlm") +
                                                           "' is named twice in the project; the second entry is "
                                                           "left out"});
    EXPECT_EQ(ModuleNames(loaded), "CommonTypes");
    EXPECT_TRUE(loaded.GetModified());
    loaded.SaveToFile(loaded.GetFileName());
    EXPECT_EQ(ReadText(dir.File("Project1.qlp")).find("CommonTypes.qlm'"),
              ReadText(dir.File("Project1.qlp")).rfind("CommonTypes.qlm'"));
    TemgpProject again;
    again.LoadFromFile(dir.File("Project1.qlp"));
    EXPECT_EQ(ModuleNames(again), "CommonTypes");
    EXPECT_FALSE(again.GetModified());
    EXPECT_EQ(dialogs.Messages().size(), 1U);
}

TEST_F(ProjectFiles, ANewModuleNeverTakesTheFileOfAnotherEntryOrOneOnDisk) {
    // ExtClass2 renamed Account keeps its file ExtClass2.qlm; ExtClass3.qlm lies on disk.
    project.NewProject(dir.Path());
    project.AddClassModule();
    TemgpModule& renamed = project.AddClassModule();
    ASSERT_EQ(ExtractFileName(renamed.GetFileName()), "ExtClass2.qlm");
    project.RenameModule(renamed, "Account", "");
    WriteText(dir.File("ExtClass3.qlm"), "someone else's");
    TemgpModule& added = project.AddClassModule();
    EXPECT_EQ(added.Module().ModuleName(), "ExtClass4");
    EXPECT_EQ(added.GetFileName(), dir.File("ExtClass4.qlm"));
    project.SaveToFile(project.GetFileName());
    EXPECT_EQ(ReadText(dir.File("ExtClass3.qlm")), "someone else's");
    TemgpProject loaded;
    loaded.LoadFromFile(project.GetFileName());
    EXPECT_EQ(ModuleNames(loaded), "CommonTypes,ExtClass1,Account,ExtClass4");
    EXPECT_TRUE(dialogs.Log().empty());
}

TEST_F(ProjectFiles, AddsAnExistingModuleFromTheProjectDirectoryOnly) {
    SaveNewProject();
    TemgModule ledger;
    ledger.MainClass().SetName("Ledger");
    ledger.SetAppellation(ledger.MainClass().Appellation());
    WriteModelFile(ledger, dir.File("Ledger.qlm"), kModuleSignature, "");
    TemgpModule& entry = project.AddExistingModule("D:\\Elsewhere\\Ledger.qlm");
    EXPECT_EQ(entry.GetFileName(), dir.File("Ledger.qlm"));
    EXPECT_EQ(project.FindModule("Ledger"), &entry.Module());

    WriteText(dir.File("Broken.qlm"), "garbage");
    EXPECT_NE(ExceptionMessage([&] { project.AddExistingModule("Broken.qlm"); })
                  .find("Cannot load module file '" + dir.File("Broken.qlm") + "': "),
              std::string::npos);
    EXPECT_EQ(ExceptionMessage([&] { project.AddExistingModule("/elsewhere/Account.qlm"); }),
              "Module file '" + dir.File("Account.qlm") + "' is already in the project");
    EXPECT_EQ(ModuleNames(project), "CommonTypes,Account,Ledger");
}

TEST_F(ProjectFiles, AnEntryWithoutFileNameCannotBeSaved) {
    project.NewProject(dir.Path());
    TemgpModule& entry = project.AddClassModule();
    entry.SetFileName("");
    EXPECT_EQ(ExceptionMessage([&] { entry.CanSave(); }), "File  name for ExtClass1 not assigned");
    EXPECT_EQ(ExceptionMessage([&] { project.SaveToFile(project.GetFileName()); }),
              "File  name for ExtClass1 not assigned");
}

// Saving a project's modules when the disk does not cooperate: a write that fails at any byte or
// at any step of the atomic writer, a read-only or missing directory, a module file that is a
// symbolic link or has its own permissions. A failed save names the file, keeps the previous file
// byte for byte, leaves no temporary file behind and keeps the changes to save again.
class ModuleSaveFaults : public ProjectFiles {
protected:
    // A saved project with the class module Account, whose module is then changed.
    void SetUp() override {
        SaveNewProject();
        before = ReadText(modulePath);
        filesBefore = FileNames(dir.Path());
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
        EXPECT_EQ(FileNames(dir.Path()), filesBefore);
        EXPECT_TRUE(Account().GetModified());
        EXPECT_TRUE(project.Modules().GetModified());
    }

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
    EXPECT_EQ(FileNames(dir.Path()), filesBefore);
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
    EXPECT_EQ(FileNames(dir.File("shared")), std::set<std::string>{"Account.qlm"});
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
    const std::set<std::string> files = FileNames(dir.Path());
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
    EXPECT_EQ(FileNames(dir.Path()), files);
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
    EXPECT_EQ(FileNames(dir.Path()), filesBefore);
    EXPECT_TRUE(project.GetModified());
    EXPECT_TRUE(Account().GetModified());
    // A read-only project file likewise.
    ::chmod(modulePath.c_str(), 0644);
    ::chmod(projectPath.c_str(), 0444);
    EXPECT_EQ(test::ExceptionMessage([&] { project.SaveToFile(projectPath); }), "Cannot create file " + projectPath);
    EXPECT_EQ(ReadText(projectPath), projectBefore);
}

}  // namespace
}  // namespace quillon::test
