#include <gtest/gtest.h>

#include <filesystem>

#include "generator/GeneratorTestSupport.h"
#include "model/ComponentFile.h"
#include "platform/FileSystem.h"
#include "platform/UserDialogs.h"
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

TEST_F(ProjectFiles, AsksBeforeReplacingAProjectFileChangedOnDisk) {
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
}

TEST_F(ProjectFiles, LoadsModulesNamedWithAnotherPlatformsPathsFromTheProjectDirectory) {
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

// Missing module files: the user is asked (No aborts), the common types module cannot be left out,
// and a caller that refuses such a project has each file reported.
TEST_F(FailedLoad, AProjectLackingModuleFilesOpensOnlyWithoutThemAndOnYes) {
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

TEST_F(FailedLoad, AModuleFileThatDoesNotParseIsRefusedNamingIt) {
    WriteText(dir.File("Account.qlm"), "object TModelFileHeader\r\n  Signature = 'MIF'\r\nend\r\nobject = 1\r\n");
    ExpectRefused("Cannot load module file '" + dir.File("Account.qlm") + "': Identifier expected on line 4");
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

}  // namespace
}  // namespace quillon::test
