#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "CliRun.h"
#include "cli/CliCommands.h"
#include "platform/FileSystem.h"
#include "project/Project.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

namespace fs = std::filesystem;

// A module file as the writer writes it: a class module Account with one property, one method
// with a parameter and a reference to the class Customer.
const std::string kCanonicalAccount =
    "object TModelFileHeader\r\n"
    "  Signature = 'MIF'\r\n"
    "end\r\n"
    "object TModelFileOptions\r\n"
    "end\r\n"
    "object TemgModule\r\n"
    "  Appellation.Name = 'Account'\r\n"
    "  Appellation.Caption = 'Bank account'\r\n"
    "  MainClass.Appellation.Name = 'Account'\r\n"
    "  MainClass.Appellation.Caption = 'Bank account'\r\n"
    "  MainClass.Settings = []\r\n"
    "  MainClass.Properties = <\r\n"
    "    item\r\n"
    "      Appellation.Name = 'Balance'\r\n"
    "      Settings = []\r\n"
    "      DataType.Name = 'Currency'\r\n"
    "      Event = False\r\n"
    "    end>\r\n"
    "  MainClass.Events = <>\r\n"
    "  MainClass.Methods = <\r\n"
    "    item\r\n"
    "      Appellation.Name = 'AfterInitInstance'\r\n"
    "      Settings = [isSystemItem]\r\n"
    "      Parameters = <>\r\n"
    "      Category = mcProcedure\r\n"
    "    end\r\n"
    "    item\r\n"
    "      Appellation.Name = 'Deposit'\r\n"
    "      Settings = []\r\n"
    "      Parameters = <\r\n"
    "        item\r\n"
    "          Appellation.Name = 'Amount'\r\n"
    "          Settings = []\r\n"
    "          DataType.Name = 'Currency'\r\n"
    "          Category = pcConst\r\n"
    "        end>\r\n"
    "      Category = mcProcedure\r\n"
    "    end>\r\n"
    "  MainClass.ExternalClasses = <\r\n"
    "    item\r\n"
    "      Appellation.Name = 'Customer'\r\n"
    "      Settings = []\r\n"
    "      PropertyName = 'Owner'\r\n"
    "    end>\r\n"
    "  MainClass.GUID = '{3F2504E0-4F89-11D3-9A0C-0305E82C3301}'\r\n"
    "  ProceduralTypes = <>\r\n"
    "  EnumTypes = <>\r\n"
    "  RegisteredDataTypes = <>\r\n"
    "  DebugApplications = <>\r\n"
    "  LibraryPathSameExe = False\r\n"
    "  AddUnits = <>\r\n"
    "  DatabaseSupport = []\r\n"
    "  CopyFiles = <>\r\n"
    "  SetDatabaseParamsSupport = False\r\n"
    "  Connection.LoginPrompt = False\r\n"
    "end\r\n";

class Cli : public ::testing::Test {
protected:
    std::string ProjectFile() const { return dir.File("bank/Project1.qlp"); }

    // A new project in dir/bank, made by the command.
    void New() { ASSERT_EQ(RunCommand({"new", dir.File("bank")}).status, 0); }

    // Loads the project, lets `change` edit it and saves it.
    void Edit(const std::function<void(TemgpProject&)>& change) {
        std::unique_ptr<TemgpProject> project = cli::LoadProject(ProjectFile());
        change(*project);
        project->SaveToFile(project->GetFileName());
    }

    TempDir dir;
};

TEST_F(Cli, NewWritesTheProjectAndItsCommonTypesModule) {
    const Outcome outcome = RunCommand({"new", dir.File("bank")});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(Lines(outcome.out), (std::vector<std::string>{ProjectFile(), dir.File("bank/CommonTypes.qlm"),
                                                            "Created project Project1 with 1 module in " +
                                                                dir.File("bank")}));
    EXPECT_EQ(outcome.err, "");

    const Outcome again = RunCommand({"new", dir.File("bank")});
    EXPECT_EQ(again.status, 3);
    EXPECT_EQ(again.err, "quillon-cli: Project file '" + ProjectFile() + "' already exists\n");
}

TEST_F(Cli, ANewProjectShowsChecksAndIsCanonical) {
    New();
    const Outcome show = RunCommand({"show", ProjectFile()});
    EXPECT_EQ(show.status, 0) << show.err;
    EXPECT_EQ(Lines(show.out),
              (std::vector<std::string>{"Project1 (" + ProjectFile() + ")", "  CommonTypes [CommonTypes.qlm] common types",
                                        "    procedural type TCreateQueryMethod",
                                        "    procedural type TCreateTableMethod",
                                        "    procedural type TCreateStoredProcMethod", "    registered types: 27",
                                        "1 module, 0 releases"}));
    const Outcome check = RunCommand({"check", ProjectFile()});
    EXPECT_EQ(check.status, 0) << check.err;
    EXPECT_EQ(check.out, "0 errors, 0 warnings, 0 hints in 1 module\n");
    const Outcome format = RunCommand({"format", ProjectFile(), "--check"});
    EXPECT_EQ(format.status, 0) << format.out << format.err;
    EXPECT_EQ(format.out, "All 2 files are in canonical form\n");
}

TEST_F(Cli, ShowListsModuleOptionsAndMembers) {
    New();
    WriteText(dir.File("bank/Account.qlm"), kCanonicalAccount);
    Edit([](TemgpProject& project) { project.AddExistingModule("Account.qlm"); project.SetModified(true); });
    const Outcome show = RunCommand({"show", ProjectFile()});
    EXPECT_EQ(show.status, 0) << show.err;
    const std::string expected =
        "  Account \"Bank account\" [Account.qlm]\n"
        "    server option: moServerInDll\n"
        "    database support: [], connect to host database: yes\n"
        "    forms: yes, sharemem: yes, library in exe path only: no\n"
        "    output directory: .\n"
        "    class identifier: {3F2504E0-4F89-11D3-9A0C-0305E82C3301}\n"
        "    property Balance: Currency\n"
        "    procedure AfterInitInstance\n"
        "    procedure Deposit(const Amount:Currency)\n"
        "    external property Owner: Customer\n"
        "2 modules, 0 releases\n";
    EXPECT_NE(show.out.find(expected), std::string::npos) << show.out;
}

TEST_F(Cli, CheckPrintsOneLinePerResultAndFailsOnErrors) {
    New();
    WriteText(dir.File("bank/Account.qlm"), kCanonicalAccount);
    Edit([](TemgpProject& project) { project.AddExistingModule("Account.qlm"); project.SetModified(true); });
    const Outcome check = RunCommand({"check", ProjectFile()});
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.out, "error: Class not found [Account.Owner]\n1 error, 0 warnings, 0 hints in 2 modules\n");
}

TEST_F(Cli, FormatLeavesACanonicalHandWrittenFileAlone) {
    New();
    WriteText(dir.File("bank/Account.qlm"), kCanonicalAccount);
    Edit([](TemgpProject& project) { project.AddExistingModule("Account.qlm"); project.SetModified(true); });
    const auto time = fs::last_write_time(dir.File("bank/Account.qlm"));

    const Outcome check = RunCommand({"format", ProjectFile(), "--check"});
    EXPECT_EQ(check.status, 0) << check.out;
    const Outcome format = RunCommand({"format", ProjectFile()});
    EXPECT_EQ(format.status, 0);
    EXPECT_EQ(format.out, "Reformatted 0 of 3 files\n");
    EXPECT_EQ(fs::last_write_time(dir.File("bank/Account.qlm")), time);
    EXPECT_EQ(ReadText(dir.File("bank/Account.qlm")), kCanonicalAccount);
}

TEST_F(Cli, FormatRewritesWhatIsNotCanonicalAndCheckOnlyLists) {
    New();
    // Another notation of the same module: keywords in other case, a split string, extra blanks.
    std::string loose = kCanonicalAccount;
    loose.replace(loose.find("object TemgModule"), 17, "OBJECT TemgModule");
    loose.replace(loose.find("'Bank account'"), 14, "'Bank ' + 'account'");
    loose.replace(loose.find("LibraryPathSameExe = False"), 26, "libraryPathSameExe   =   false");
    WriteText(dir.File("bank/Account.qlm"), loose);
    std::string project = ReadText(ProjectFile());
    project.replace(project.find("    end>"), 8,
                    "    end\r\n    item\r\n      FileName = 'C:\\Work\\Account.qlm'\r\n    end>");
    WriteText(ProjectFile(), project);

    const Outcome check = RunCommand({"format", ProjectFile(), "--check"});
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(Lines(check.out), (std::vector<std::string>{ProjectFile(), dir.File("bank/Account.qlm"),
                                                          "2 files would be reformatted"}));
    EXPECT_EQ(ReadText(dir.File("bank/Account.qlm")), loose);

    const Outcome format = RunCommand({"format", ProjectFile()});
    EXPECT_EQ(format.status, 0);
    EXPECT_EQ(Lines(format.out).back(), "Reformatted 2 of 3 files");
    EXPECT_EQ(ReadText(dir.File("bank/Account.qlm")), kCanonicalAccount);
    EXPECT_EQ(RunCommand({"format", ProjectFile(), "--check"}).status, 0);
}

TEST_F(Cli, FormatRefusesAProtectedFileBeforeRewritingAny) {
    New();
    std::string loose = kCanonicalAccount;
    loose.replace(loose.find("object TemgModule"), 17, "OBJECT TemgModule");
    WriteText(dir.File("bank/Account.qlm"), loose);
    std::string project = ReadText(ProjectFile());
    project.replace(project.find("    end>"), 8, "    end\r\n    item\r\n      FileName = 'Account.qlm'\r\n    end>");
    const std::string looseProject = project;
    WriteText(ProjectFile(), looseProject + "\r\n");
    fs::permissions(dir.File("bank/Account.qlm"), fs::perms::owner_read | fs::perms::group_read);

    const Outcome format = RunCommand({"format", ProjectFile()});
    EXPECT_EQ(format.status, 3);
    EXPECT_NE(format.err.find("Cannot create file " + dir.File("bank/Account.qlm")), std::string::npos) << format.err;
    EXPECT_EQ(ReadText(dir.File("bank/Account.qlm")), loose);
    EXPECT_EQ(ReadText(ProjectFile()), looseProject + "\r\n");
}

TEST_F(Cli, GenerateListsTheFilesItWritesAndChecksForStaleOnes) {
    New();
    Edit([](TemgpProject& project) { project.AddClassModule(); });
    const std::string options = dir.File("bank/ExtClass1.dof");

    const Outcome stale = RunCommand({"generate", ProjectFile(), "--check"});
    EXPECT_EQ(stale.status, 1);
    EXPECT_NE(stale.out.find(options + "\n"), std::string::npos) << stale.out;
    EXPECT_FALSE(FileExists(options));
    EXPECT_EQ(RunCommand({"generate", ProjectFile(), "--dry-run"}).status, 0);
    EXPECT_FALSE(FileExists(options));

    const Outcome generate = RunCommand({"generate", ProjectFile()});
    EXPECT_EQ(generate.status, 0) << generate.err;
    EXPECT_NE(generate.out.find(options + "\n"), std::string::npos) << generate.out;
    EXPECT_TRUE(FileExists(options));

    const Outcome fresh = RunCommand({"generate", ProjectFile(), "--check"});
    EXPECT_EQ(fresh.status, 0) << fresh.out;
    EXPECT_EQ(fresh.out, "Every generated file is up to date\n");
    // The options file is written only once.
    EXPECT_EQ(RunCommand({"generate", ProjectFile(), "--module", "extclass1"}).out.find(options), std::string::npos);
}

TEST_F(Cli, GenerateRefusesAnUnknownModule) {
    New();
    const Outcome unknown = RunCommand({"generate", ProjectFile(), "--module", "Teller", "--with-referenced"});
    EXPECT_EQ(unknown.status, 3);
    EXPECT_EQ(unknown.err, "quillon-cli: Class 'Teller' not found\n");
}

TEST_F(Cli, ATrialRunNamesFilesOutsideTheProjectAndCreatesNothingThere) {
    New();
    Edit([&](TemgpProject& project) {
        TemgModule& module = project.AddClassModule().Module();
        module.SetSrcPath(dir.File("elsewhere"));
        module.SetServerOption(moDirectUsesServer);
    });
    const Outcome trial = RunCommand({"generate", ProjectFile(), "--dry-run"});
    EXPECT_EQ(trial.status, 0) << trial.err;
    EXPECT_EQ(Lines(trial.out), (std::vector<std::string>{dir.File("elsewhere/genExtClass1.pas"),
                                                         dir.File("elsewhere/devExtClass1.pas"),
                                                         dir.File("elsewhere/cntrExtClass1.pas"),
                                                         dir.File("elsewhere/ExtClass1.pas"),
                                                         "4 files would be written: 4 new, 0 changed"}));
    EXPECT_FALSE(fs::exists(dir.File("elsewhere")));
}

TEST_F(Cli, CheckNamesTheStaleFilesAndKeepsTheDevelopersEdits) {
    New();
    Edit([](TemgpProject& project) { project.AddClassModule().Module().SetServerOption(moDirectUsesServer); });
    ASSERT_EQ(RunCommand({"generate", ProjectFile()}).status, 0);
    // The developer completes the server; a recreated unit goes missing; the class gains a property.
    WriteText(dir.File("bank/devExtClass1.pas"), "completed by hand");
    fs::remove(dir.File("bank/cntrExtClass1.pas"));
    Edit([](TemgpProject& project) { 
        TemgProperty& size = *project.FindModule("ExtClass1")->MainClass().Properties().Add();
        size.SetName("Size");
        size.DataType().SetName("Integer");
    });

    const Outcome check = RunCommand({"generate", ProjectFile(), "--check"});
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(Lines(check.out), (std::vector<std::string>{dir.File("bank/genExtClass1.pas"),
                                                         dir.File("bank/cntrExtClass1.pas"),
                                                         "2 files would be written: 1 new, 1 changed"}));
    EXPECT_EQ(ReadText(dir.File("bank/devExtClass1.pas")), "completed by hand");
    EXPECT_FALSE(FileExists(dir.File("bank/cntrExtClass1.pas")));

    const Outcome generate = RunCommand({"generate", ProjectFile()});
    EXPECT_EQ(Lines(generate.out), (std::vector<std::string>{dir.File("bank/genExtClass1.pas"),
                                                            dir.File("bank/cntrExtClass1.pas"), "Wrote 2 files"}));
    EXPECT_EQ(RunCommand({"generate", ProjectFile(), "--check"}).status, 0);
}

TEST_F(Cli, GraphDrawsModulesAndTheirReferencesWithMissingClassesDashed) {
    New();
    WriteText(dir.File("bank/Account.qlm"), kCanonicalAccount);
    Edit([](TemgpProject& project) {
        project.AddExistingModule("Account.qlm");
        TemgModule& teller = project.AddClassModule().Module();
        teller.SetServerOption(moComServerInDll);
        TemgExternalClasses& references = teller.MainClass().ExternalClasses();
        // Spelled in another case: the edge goes to the module's node all the same.
        references.Add()->SetName("account");
        references.Items(0)->SetPropertyName("Books");
        references.Add()->SetName("Customer");
        references.Items(1)->SetPropertyName("Client");
        project.SetModified(true);
    });
    const Outcome graph = RunCommand({"graph", ProjectFile()});
    EXPECT_EQ(graph.status, 0) << graph.err;
    EXPECT_EQ(graph.out,
              "digraph \"Project1\" {\n"
              "  node [shape=box];\n"
              "  \"CommonTypes\" [label=\"CommonTypes\\ncommon types\"];\n"
              "  \"Account\" [label=\"Account\\nmoServerInDll\"];\n"
              "  \"ExtClass1\" [label=\"ExtClass1\\nmoComServerInDll\"];\n"
              "  \"Customer\" [label=\"Customer\\nmissing\", style=dashed];\n"
              "  \"Account\" -> \"Customer\" [label=\"Owner\", style=dashed];\n"
              "  \"ExtClass1\" -> \"Account\" [label=\"Books\"];\n"
              "  \"ExtClass1\" -> \"Customer\" [label=\"Client\", style=dashed];\n"
              "}\n");
}

TEST_F(Cli, FailsOnMissingOrBrokenFiles) {
    const Outcome missing = RunCommand({"show", dir.File("none.qlp")});
    EXPECT_EQ(missing.status, 3);
    EXPECT_EQ(missing.err, "quillon-cli: File '" + dir.File("none.qlp") + "' not found\n");

    New();
    fs::remove(dir.File("bank/CommonTypes.qlm"));
    const Outcome lacking = RunCommand({"format", ProjectFile()});
    EXPECT_EQ(lacking.status, 3);
    EXPECT_EQ(lacking.err, "error: File '" + dir.File("bank/CommonTypes.qlm") + "' not found\nquillon-cli: Project '" +
                               ProjectFile() + "' lacks 1 of its module files\n");
}

TEST_F(Cli, UsageErrorsHelpAndVersion) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"publish", "x.qlp"},
                                               {"show"},
                                               {"generate", "x.qlp", "--with-referenced"},
                                               {"generate", "x.qlp", "--dry-run", "--check"},
                                               {"format", "x.qlp", "--quick"}}) {
        const Outcome outcome = RunCommand(args);
        EXPECT_EQ(outcome.status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_FALSE(outcome.err.empty());
    }
    const Outcome version = RunCommand({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "quillon-cli 2.3.0\n");
    const Outcome help = RunCommand({"--help"});
    EXPECT_EQ(help.status, 0);
    // Each command on one line of its own, with what it does.
    for (const std::string command : {"new", "generate", "check", "release", "show", "graph", "format"}) {
        const std::vector<std::string> lines = Lines(help.out);
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [&](const std::string& line) {
                                    return line.starts_with("  " + command + " ") &&
                                           line.find_first_not_of(' ', command.size() + 2) != std::string::npos;
                                }),
                  1)
            << command << "\n" << help.out;
    }
    EXPECT_NE(help.out.find("Exit status: 0 success; 1 "), std::string::npos);
    const std::string generateHelp = RunCommand({"generate", "--help"}).out;
    EXPECT_NE(generateHelp.find("--with-referenced"), std::string::npos);
    EXPECT_NE(generateHelp.find("--debug-app MODULE/APP"), std::string::npos) << generateHelp;
}

}  // namespace
}  // namespace quillon::test
