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
class CliRelease : public CliProject {
protected:
    CliRelease() {
        New();
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

    // Where the release looks for the built library of `className`.
    std::string LibraryOf(const std::string& className) const {
        const std::unique_ptr<TemgpProject> project = cli::LoadProject(ProjectFile());
        const TemgModule& module = *project->FindModule(className);
        return module.OutputDirectory(project->GetSrcPath()) + module.LibraryProjectName() + ".dll";
    }
};

TEST_F(CliRelease, AProjectReleaseReportsEachMissingLibraryAndCopiesTheBuiltOnesAModuleReleaseTheReferencedOnes) {
    EXPECT_EQ(RunCommand({"release", ProjectFile(), "sHIP"}),
              (Outcome{1, "Release directory: " + dir.File("bank/out") + "\nReleased Ship with 2 problems\n",
                       "File '" + LibraryOf("ExtClass1") + "' not found\nFile '" + LibraryOf("ExtClass2") + "' not found\n"}));
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
    // A module release brings only the libraries of the referenced modules.
    fs::remove(LibraryOf("ExtClass2"));
    const Outcome release = RunCommand({"release", ProjectFile(), "teller"});
    EXPECT_EQ(release.status, 1);
    EXPECT_EQ(release.err, "File '" + LibraryOf("ExtClass2") + "' not found\n");
    EXPECT_EQ(Lines(release.out).front(), "Release directory: " + dir.File("teller"));
    EXPECT_EQ(ReadText(dir.File("teller/dll/ExtClass1.dll")), "built ExtClass1");
    EXPECT_TRUE(FileExists(dir.File("teller/pas/cntrExtClass2.pas")));
    EXPECT_FALSE(FileExists(dir.File("teller/pas/cntrExtClass1.pas")));
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

    EXPECT_EQ(RunCommand({"generate", ProjectFile(), "--debug-app", "ExtClass1/Teller", "--check"}),
              (Outcome{0, "Every generated file is up to date\n", ""}));

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

// A missing release, module or debug application is named; a release directory that cannot be
// made stops the command; a release of a vanished class still makes its directories.
TEST_F(CliDebugApplication, NamesWhatItCannotFind) {
    Edit([](TemgpProject& project) { project.Releases().Items(1)->SetModuleName("Gone"); });
    WriteText(dir.File("bank/out"), "in the way");
    const std::string project = ProjectFile();
    const std::string teller = "Release directory: " + dir.File("teller") + "\nReleased Teller with 1 problem\n";
    for (const auto& [args, outcome] : std::vector<std::pair<std::vector<std::string>, Outcome>>{
             {{"release", project, "Nope"}, {3, "", "quillon-cli: Release 'Nope' not found\n"}},
             {{"release", project, "Ship"}, {3, "", "quillon-cli: Unable to create directory\n"}},
             {{"release", project, "Teller"}, {1, teller, "Class 'Gone' not found\n"}},
             {{"generate", project, "--debug-app", "Nobody/Teller"}, {3, "", "quillon-cli: Class 'Nobody' not found\n"}},
             {{"generate", project, "--debug-app", "extclass2/Teller"},
              {3, "", "quillon-cli: Debug application 'Teller' not found in class 'ExtClass2'\n"}}})
        EXPECT_EQ(RunCommand(args), outcome) << args[2];
    EXPECT_TRUE(fs::is_directory(dir.File("teller/pas")));
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"release", project},
             {"generate", project, "--debug-app", "Teller"},
             {"generate", project, "--debug-app", "ExtClass1/"},
             {"generate", project, "--debug-app", "ExtClass1/Teller", "--module", "ExtClass1"}}) {
        const Outcome usage = RunCommand(args);
        EXPECT_EQ(usage.status, 2) << args.back();
        EXPECT_FALSE(usage.err.empty());
    }
    EXPECT_FALSE(fs::exists(dir.File("bank/debug")));
}

}  // namespace
}  // namespace quillon::test
