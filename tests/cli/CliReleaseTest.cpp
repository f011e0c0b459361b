// The release command and the generation of one debug application from the command line, on
// projects in temporary directories.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "CliRun.h"
#include "cli/CliCommands.h"
#include "generator/DebugApplication.h"
#include "generator/Module.h"
#include "platform/FileSystem.h"
#include "project/Project.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

namespace fs = std::filesystem;

// A project in dir/bank with the library servers ExtClass1 and ExtClass2, the second referring to
// the first, and the releases "Ship" (the whole project into dir/bank/out) and "Teller" (module
// ExtClass2 into dir/teller).
class CliRelease : public ::testing::Test {
protected:
    CliRelease() {
        EXPECT_EQ(RunCommand({"new", dir.File("bank")}).status, 0);
        Edit([&](TemgpProject& project) {
            project.AddClassModule();
            TemgModule& second = project.AddClassModule().Module();
            TemgExternalClass& reference = *second.MainClass().ExternalClasses().Add();
            reference.SetName("ExtClass1");
            reference.SetPropertyName("Partner");
            TReleaseDll& ship = *project.Releases().Add();
            ship.SetName("Ship");
            ship.SetPath("out");
            TReleaseDll& teller = *project.Releases().Add();
            teller.SetName("Teller");
            teller.SetPath(dir.File("teller"));
            teller.SetOption(roModule);
            teller.SetModuleName("ExtClass2");
            project.SetModified(true);
        });
    }

    std::string ProjectFile() const { return dir.File("bank/Project1.qlp"); }

    // Loads the project, lets `change` edit it and saves it.
    void Edit(const std::function<void(TemgpProject&)>& change) {
        std::unique_ptr<TemgpProject> project = cli::LoadProject(ProjectFile());
        change(*project);
        project->SaveToFile(project->GetFileName());
    }

    // Where the release looks for the built library of `className`.
    std::string LibraryOf(const std::string& className) const {
        const std::unique_ptr<TemgpProject> project = cli::LoadProject(ProjectFile());
        const TemgModule& module = *project->FindModule(className);
        return module.OutputDirectory(project->GetSrcPath()) + module.LibraryProjectName() + ".dll";
    }

    TempDir dir;
};

TEST_F(CliRelease, AProjectReleaseReportsEachMissingLibraryAndCopiesTheBuiltOnes) {
    const Outcome release = RunCommand({"release", ProjectFile(), "sHIP"});
    EXPECT_EQ(release.status, 1);
    EXPECT_EQ(Lines(release.err), (std::vector<std::string>{"File '" + LibraryOf("ExtClass1") + "' not found",
                                                            "File '" + LibraryOf("ExtClass2") + "' not found"}));
    EXPECT_EQ(Lines(release.out), (std::vector<std::string>{"Release directory: " + dir.File("bank/out"),
                                                            "Released Ship with 2 problems"}));
    // The units of every module are released all the same; the common types module has no library.
    EXPECT_TRUE(fs::is_directory(dir.File("bank/out/dll")));
    EXPECT_TRUE(FileExists(dir.File("bank/out/pas/cntrExtClass1.pas")));
    EXPECT_TRUE(FileExists(dir.File("bank/out/pas/cntrExtClass2.pas")));
    EXPECT_TRUE(fs::is_empty(dir.File("bank/out/dll")));
    // Once built, the libraries are copied.
    for (const char* name : {"ExtClass1", "ExtClass2"}) WriteText(LibraryOf(name), std::string("built ") + name);
    const Outcome built = RunCommand({"release", ProjectFile(), "Ship"});
    EXPECT_EQ(built.status, 0) << built.err;
    EXPECT_EQ(built.err, "");
    EXPECT_EQ(Lines(built.out).back(), "Released Ship");
    EXPECT_EQ(ReadText(dir.File("bank/out/dll/ExtClass1.dll")), "built ExtClass1");
    EXPECT_EQ(ReadText(dir.File("bank/out/dll/ExtClass2.dll")), "built ExtClass2");
}

TEST_F(CliRelease, AModuleReleaseBringsOnlyTheLibrariesOfTheReferencedModules) {
    WriteText(LibraryOf("ExtClass1"), "built ExtClass1");
    const Outcome release = RunCommand({"release", ProjectFile(), "teller"});
    EXPECT_EQ(release.status, 1);
    EXPECT_EQ(release.err, "File '" + LibraryOf("ExtClass2") + "' not found\n");
    EXPECT_EQ(Lines(release.out).front(), "Release directory: " + dir.File("teller"));
    EXPECT_EQ(ReadText(dir.File("teller/dll/ExtClass1.dll")), "built ExtClass1");
    EXPECT_TRUE(FileExists(dir.File("teller/pas/cntrExtClass2.pas")));
    EXPECT_FALSE(FileExists(dir.File("teller/pas/cntrExtClass1.pas")));
}

TEST_F(CliRelease, AModuleReleaseOfAVanishedClassStillMakesItsDirectories) {
    Edit([](TemgpProject& project) { project.Releases().Items(1)->SetModuleName("Gone"); });
    const Outcome release = RunCommand({"release", ProjectFile(), "Teller"});
    EXPECT_EQ(release.status, 1);
    EXPECT_EQ(release.err, "Class 'Gone' not found\n");
    EXPECT_TRUE(fs::is_directory(dir.File("teller/pas")));
}

TEST_F(CliRelease, FailsWithoutTheReleaseOrItsDirectory) {
    const Outcome missing = RunCommand({"release", ProjectFile(), "Nope"});
    EXPECT_EQ(missing.status, 3);
    EXPECT_EQ(missing.err, "quillon-cli: Release 'Nope' not found\n");
    EXPECT_EQ(missing.out, "");

    // A file where the release directory should be.
    WriteText(dir.File("bank/out"), "in the way");
    const Outcome blocked = RunCommand({"release", ProjectFile(), "Ship"});
    EXPECT_EQ(blocked.status, 3);
    EXPECT_EQ(blocked.err, "quillon-cli: Unable to create directory\n");
    EXPECT_EQ(blocked.out, "");

    EXPECT_EQ(RunCommand({"release", ProjectFile()}).status, 2);
}

// The debug application Teller of ExtClass1, written into dir/bank/debug.
class CliDebugApplication : public CliRelease {
protected:
    CliDebugApplication() {
        Edit([](TemgpProject& project) {
            TemgModule& module = *project.FindModule("ExtClass1");
            module.MainClass().Methods().Add()->SetName("Open");
            TemgDebugApplication& application = module.DebugApplications().NewDebugApplication();
            application.SetName("Teller");
            application.SetSrcPath("debug");
            application.Methods().SetItems({"Open"});
            project.SetModified(true);
        });
    }

    std::vector<std::string> Files() const {
        std::vector<std::string> files;
        for (const char* name : {"Teller.dpr", "Teller.dof", "genuTellerForm.pas", "devuTellerForm.pas",
                                 "genuTellerForm.dfm", "devuTellerForm.dfm", "TellerGROUP.bpg"})
            files.push_back(dir.File(std::string("bank/debug/") + name));
        return files;
    }
};

TEST_F(CliDebugApplication, ATrialRunWritesNothingThenOnlyTheApplicationIsGeneratedAndChecksClean) {
    const Outcome trial = RunCommand({"generate", ProjectFile(), "--debug-app", "extclass1/TELLER", "--dry-run"});
    EXPECT_EQ(trial.status, 0) << trial.err;
    std::vector<std::string> expected = Files();
    expected.push_back("7 files would be written: 7 new, 0 changed");
    EXPECT_EQ(Lines(trial.out), expected);
    EXPECT_FALSE(fs::exists(dir.File("bank/debug")));
    EXPECT_EQ(RunCommand({"generate", ProjectFile(), "--debug-app", "ExtClass1/Teller", "--check"}).status, 1);
    EXPECT_FALSE(fs::exists(dir.File("bank/debug")));

    const Outcome generate = RunCommand({"generate", ProjectFile(), "--debug-app", "ExtClass1/Teller"});
    EXPECT_EQ(generate.status, 0) << generate.err;
    expected.back() = "Wrote 7 files";
    EXPECT_EQ(Lines(generate.out), expected);
    // Not the module's own units.
    EXPECT_FALSE(FileExists(dir.File("bank/ExtClass1.pas")));

    const Outcome check = RunCommand({"generate", ProjectFile(), "--debug-app", "ExtClass1/Teller", "--check"});
    EXPECT_EQ(check.status, 0) << check.out;
    EXPECT_EQ(check.out, "Every generated file is up to date\n");

    // The developer's form is theirs; a changed method list rewrites only the generator's files.
    WriteText(dir.File("bank/debug/devuTellerForm.pas"), "mine");
    Edit([](TemgpProject& project) {
        project.FindModule("ExtClass1")->DebugApplications().Items(0)->SetMethods(TStringList());
    });
    const Outcome again = RunCommand({"generate", ProjectFile(), "--debug-app", "ExtClass1/Teller"});
    EXPECT_EQ(Lines(again.out), (std::vector<std::string>{dir.File("bank/debug/genuTellerForm.pas"),
                                                         dir.File("bank/debug/genuTellerForm.dfm"), "Wrote 2 files"}));
    EXPECT_EQ(ReadText(dir.File("bank/debug/devuTellerForm.pas")), "mine");
}

TEST_F(CliDebugApplication, NamesWhatItCannotFind) {
    const Outcome noModule = RunCommand({"generate", ProjectFile(), "--debug-app", "Nobody/Teller"});
    EXPECT_EQ(noModule.status, 3);
    EXPECT_EQ(noModule.err, "quillon-cli: Class 'Nobody' not found\n");
    const Outcome noApplication = RunCommand({"generate", ProjectFile(), "--debug-app", "extclass2/Teller"});
    EXPECT_EQ(noApplication.status, 3);
    EXPECT_EQ(noApplication.err, "quillon-cli: Debug application 'Teller' not found in class 'ExtClass2'\n");

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"generate", ProjectFile(), "--debug-app", "Teller"},
             {"generate", ProjectFile(), "--debug-app", "ExtClass1/"},
             {"generate", ProjectFile(), "--debug-app", "ExtClass1/Teller", "--module", "ExtClass1"}}) {
        const Outcome usage = RunCommand(args);
        EXPECT_EQ(usage.status, 2) << args[3];
        EXPECT_FALSE(usage.err.empty());
    }
    EXPECT_FALSE(fs::exists(dir.File("bank/debug")));
}

}  // namespace
}  // namespace quillon::test
