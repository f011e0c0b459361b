#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <sstream>

#include "CliRun.h"
#include "cli/CliCommands.h"
#include "generator/UnitsTestSupport.h"
#include "platform/FileSystem.h"
#include "project/Project.h"
#include "support/PascalCompiler.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

namespace fs = std::filesystem;

const std::string kBankDir = std::string(QUILLON_EXAMPLES_DIR) + "/Bank";
const std::string kBank = kBankDir + "/Project1.qlp";

// The example's model files copied into `dir`; answers the project file.
std::string CopyOfTheExample(const TempDir& dir) {
    for (const auto& entry : fs::directory_iterator(kBankDir))
        if (entry.is_regular_file()) fs::copy_file(entry.path(), dir.File(entry.path().filename().string()));
    return dir.File("Project1.qlp");
}

TEST(BundledExample, IsCanonicalChecksCleanAndUsesEveryServerOptionAndAReferenceBetweenLibraryServers) {
    std::ostringstream out;
    EXPECT_EQ(cli::CommandFormat(kBank, true, out), cli::kExitSuccess) << out.str();
    EXPECT_EQ(cli::CommandCheck(kBank, out), cli::kExitSuccess) << out.str();
    const std::unique_ptr<TemgpProject> project = cli::LoadProject(kBank);
    std::vector<TServerOption> options;
    for (const TemgModule* module : project->ClassModules()) options.push_back(module->GetServerOption());
    EXPECT_EQ(options, (std::vector<TServerOption>{moServerInDll, moComServerInDll, moDirectUsesServer, moComServer}));
    const TemgExternalClass& holder = *project->FindModule("Account")->MainClass().ExternalClasses().Items(0);
    EXPECT_TRUE(IsLibraryOption(project->FindModule(holder.GetName())->GetServerOption()));
    EXPECT_GT(project->FirstModule().EnumTypes().Count(), 0);
}

// Only the library servers build a library to release; every module's units are released.
TEST(BundledExample, AProjectReleaseCopiesTheLibrariesOfTheLibraryServersOnlyAndOneModuleIsGeneratedFirst) {
    TempDir dir;
    const std::string project = CopyOfTheExample(dir);
    std::set<std::string> libraries;
    {
        const std::unique_ptr<TemgpProject> model = cli::LoadProject(project);
        model->Releases().Add()->SetName("Ship");
        model->Releases().Items(0)->SetPath("ship");
        for (const TemgModule* module : model->ClassModules())
            if (IsLibraryOption(module->GetServerOption())) {
                const std::string built = module->LibraryFileName(model->GetSrcPath());
                ForceDirectories(ExtractFilePath(built));
                WriteText(built, "built");
                libraries.insert(ExtractFileName(built));
            }
        model->SaveToFile(project);
    }
    const Outcome outcome = RunCommand({"release", project, "Ship"});
    EXPECT_EQ(outcome.status, cli::kExitSuccess) << outcome.err;
    EXPECT_EQ(FileNames(dir.File("ship/dll")), libraries);
    EXPECT_TRUE(FileExists(dir.File("ship/pas/cntrStatement.pas")));
    // As the workbench's Generate Class: the module (and the modules its class refers to), then
    // the first module.
    for (const bool referenced : {false, true}) {
        std::vector<std::string> args{"generate", project, "--dry-run", "--module", "Account"};
        if (referenced) args.push_back("--with-referenced");
        const std::vector<std::string> lines = Lines(RunCommand(args).out);
        ASSERT_EQ(lines.size(), referenced ? 15u : 9u);
        EXPECT_EQ(lines.front(), dir.File("Source/genAccount.pas"));
        EXPECT_EQ(lines[lines.size() - 2], dir.File("Source/genCommonTypes.pas"));
    }
}

// The developer's units are scanned on several threads; the lines still come in the modules' order.
TEST(BundledExample, EveryDeveloperUnitLackingAnOverrideIsNamedInModuleOrder) {
    TempDir dir;
    const std::string project = CopyOfTheExample(dir);
    ASSERT_EQ(RunCommand({"generate", project}).status, cli::kExitSuccess);
    std::string expected;
    {
        const std::unique_ptr<TemgpProject> model = cli::LoadProject(project);
        for (TemgModule* module : model->ClassModules()) {
            module->MainClass().Methods().Add()->SetName("Close");
            expected += module->DeveloperUnitFileName(model->GetSrcPath()) + " lacks the overrides Close; " +
                        "run quillon-cli update-dev " + project + " --module " + module->ModuleName() + " to add them\n";
        }
        model->SaveToFile(project);
    }
    const Outcome outcome = RunCommand({"generate", "--check", project});
    EXPECT_EQ(outcome.status, cli::kExitFindings);
    EXPECT_EQ(outcome.err, expected);
}

// What `make run` does, twice, on a copy of the example's model files.
TEST(BundledExample, ASecondGenerationRewritesNothingAndThenChecksClean) {
    TempDir dir;
    const std::string project = CopyOfTheExample(dir);
    const Outcome first = RunCommand({"generate", project});
    ASSERT_EQ(first.status, cli::kExitSuccess);
    // Every generated file, set back a day so that a rewrite shows in its time stamp (in whole
    // seconds: MinGW's std::filesystem sets no finer time).
    const auto past =
        std::chrono::floor<std::chrono::seconds>(fs::file_time_type::clock::now() - std::chrono::hours(24));
    std::map<std::string, fs::file_time_type> times;
    for (const auto& entry : fs::recursive_directory_iterator(dir.File("Source"))) {
        if (!entry.is_regular_file()) continue;
        fs::last_write_time(entry.path(), past);
        times[entry.path().string()] = past;
    }
    EXPECT_GT(times.size(), 20u);
    EXPECT_NE(first.out.find("Wrote " + std::to_string(times.size()) + " files\n"), std::string::npos) << first.out;
    EXPECT_EQ(RunCommand({"generate", project}).out, "Wrote 0 files\n");
    for (const auto& [file, time] : times) EXPECT_EQ(fs::last_write_time(file), time) << file;
    EXPECT_EQ(RunCommand({"generate", "--check", project}), (Outcome{0, "Every generated file is up to date\n", ""}));
}

// A method added to a module after its developer's unit was written: generate names what the
// unit lacks, update-dev shows, checks and inserts it, and the unit compiles. Then its signature
// changes: update-dev --check fails until update-dev rewrote the headings, and reports name the
// lines of the file as written.
TEST(BundledExample, UpdateDevAddsAMethodAddedAfterTheFirstGenerationLinuxOnly) {
    TempDir dir;
    const std::string project = CopyOfTheExample(dir);
    const std::string unit = dir.File("Source/devAccount.pas");
    const auto changeAccount = [&](const std::function<void(TemgMethods&)>& change) {
        const std::unique_ptr<TemgpProject> model = cli::LoadProject(project);
        change(model->FindModule("Account")->MainClass().Methods());
        model->SaveToFile(project);
    };
    const auto closeLine = [](const std::string& text) { return std::to_string(1 + std::count(text.begin(), text.begin() + text.find("function TdevAccount.Close("), '\n')); };
    Outcome outcome = RunCommand({"generate", project});
    ASSERT_EQ(outcome.status, cli::kExitSuccess) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    std::string edited = ReadText(unit);
    edited.replace(edited.find("\r\nend."), 0, "\r\n// The developer's own remark.\n");
    WriteText(unit, edited);
    changeAccount([](TemgMethods& methods) {
        TemgMethod& close = Typed(*methods.Add(), "Close", "Integer");
        close.SetCategory(mcFunction);
        Typed(*close.Parameters().Add(), "Force", "Boolean");
    });
    EXPECT_NE(RunCommand({"update-dev", project, "--dry-run"}).err.find(dir.File("Source/genAccount.pas") +
              " is not up to date with the design: run quillon-cli generate first\n"), std::string::npos);
    outcome = RunCommand({"generate", project});
    EXPECT_EQ(outcome.status, cli::kExitSuccess);
    EXPECT_EQ(outcome.out.find("lacks"), std::string::npos);
    EXPECT_EQ(outcome.err, unit + " lacks the overrides Close; run quillon-cli update-dev " + project +
                               " --module Account to add them\n");

    EXPECT_EQ(RunCommand({"update-dev", project, "--dry-run"}), (Outcome{0, unit + "\nWould update 1 developer's unit\n", ""}));
    EXPECT_EQ(RunCommand({"update-dev", project, "--check"}).status, cli::kExitFindings);
    outcome = RunCommand({"update-dev", project, "--module", "Account", "--diff"});
    EXPECT_EQ(outcome.status, cli::kExitSuccess);
    EXPECT_EQ(outcome.out.rfind("--- " + unit + "\n+++ " + unit + "\n@@ ", 0), 0u) << outcome.out;
    EXPECT_NE(outcome.out.find("\n+   function Close(Force:Boolean):Integer;override; safecall;\r\n"), std::string::npos);
    EXPECT_NE(outcome.out.find("\n+function TdevAccount.Close(Force:Boolean):Integer;\r\n"), std::string::npos);
    EXPECT_EQ(ReadText(unit), edited);

    EXPECT_EQ(RunCommand({"update-dev", project}), (Outcome{0, unit + "\nUpdated 1 developer's unit\n", ""}));
    EXPECT_EQ(ReadText(dir.File("Source/devAccount.~pas")), edited);
    const auto compiles = [&] {
        std::vector<PascalFile> files;
        for (const auto& entry : fs::directory_iterator(dir.File("Source")))
            if (entry.path().extension() == ".pas") files.push_back({entry.path().filename().string(), ReadText(entry.path().string())});
        return PascalCompiles(files, "devAccount.pas");
    };
    EXPECT_TRUE(compiles());

    for (const std::string flag : {"--check", "--diff"})
        EXPECT_EQ(RunCommand({"update-dev", project, flag}), (Outcome{0, "Every developer's unit is up to date\n", ""})) << flag;
    EXPECT_EQ(RunCommand({"generate", project}).err, "");

    // The parameter is renamed and gains a default, and a method is added: the report of the
    // rename names the body's line in the unit as it stands, before and after the insertion.
    changeAccount([](TemgMethods& methods) {
        TemgParameter& force = *methods.Items(methods.Count() - 1)->Parameters().Items(0);
        force.SetName("Permanent");
        force.SetDefaultValue("False");
        methods.Add()->SetName("Open");
    });
    ASSERT_EQ(RunCommand({"generate", project}).status, cli::kExitSuccess);
    // A developer's unit that differs from the design does not stop the project check.
    EXPECT_EQ(RunCommand({"check", project}).status, cli::kExitSuccess);
    const std::string renamed = "): warning: parameter Force is now Permanent; the body may still use the old name\n";
    EXPECT_EQ(RunCommand({"update-dev", project, "--check"}),
              (Outcome{cli::kExitFindings, unit + "\nWould update 1 developer's unit\n1 of 4 developer's units differ from the design\n",
                       unit + "(" + closeLine(ReadText(unit)) + renamed}));
    outcome = RunCommand({"update-dev", project});
    EXPECT_EQ(outcome.status, cli::kExitSuccess);
    EXPECT_EQ(outcome.err, unit + "(" + closeLine(ReadText(unit)) + renamed);
    EXPECT_NE(ReadText(unit).find("function TdevAccount.Close(Permanent:Boolean=False):Integer;\r\n"), std::string::npos);
    EXPECT_TRUE(compiles());
    EXPECT_EQ(RunCommand({"update-dev", project, "--check"}).status, cli::kExitSuccess);

    // A unit the reader cannot follow is named and left as it is; the others are still updated.
    const std::string ledger = dir.File("Source/devLedger.pas"), broken = "unit devLedger;\r\ninterface\r\n{ lost\r\n";
    WriteText(ledger, broken);
    EXPECT_EQ(RunCommand({"update-dev", project}),
              (Outcome{cli::kExitFailure, "1 of 4 developer's units differ from the design\n",
                       ledger + "(3): error: a comment that is not closed; the developer's unit is left unchanged\n"}));
    EXPECT_EQ(ReadText(ledger), broken);
    EXPECT_FALSE(fs::exists(dir.File("Source/devLedger.~pas")));
}

}  // namespace
}  // namespace quillon::test
