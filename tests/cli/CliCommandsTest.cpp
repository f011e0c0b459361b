#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "CliRun.h"
#include "cli/CliCommands.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/TextEncoding.h"
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

using Cli = CliProject;

TEST_F(Cli, ANewProjectIsWrittenOnceShowsChecksAndIsCanonical) {
    EXPECT_EQ(RunCommand({"new", dir.File("bank")}),
              (Outcome{0, ProjectFile() + "\n" + dir.File("bank/CommonTypes.qlm") + "\nCreated project Project1 with 1 module in " +
                              dir.File("bank") + "\n", ""}));
    const std::string shown = "Project1 (" + ProjectFile() + ")\n  CommonTypes [CommonTypes.qlm] common types\n"
                              "    procedural type TCreateQueryMethod\n    procedural type TCreateTableMethod\n"
                              "    procedural type TCreateStoredProcMethod\n    registered types: 27\n1 module, 0 releases\n";
    for (const auto& [args, outcome] : std::vector<std::pair<std::vector<std::string>, Outcome>>{
             {{"new", dir.File("bank")}, {3, "", "quillon-cli: Project file '" + ProjectFile() + "' already exists\n"}},
             {{"show", ProjectFile()}, {0, shown, ""}},
             {{"check", ProjectFile()}, {0, "0 errors, 0 warnings, 0 hints in 1 module\n", ""}},
             {{"format", ProjectFile(), "--check"}, {0, "All 2 files are in canonical form\n", ""}},
             {{"generate", ProjectFile(), "--module", "Teller", "--with-referenced"}, {3, "", "quillon-cli: Class 'Teller' not found\n"}}})
        EXPECT_EQ(RunCommand(args), outcome) << args[0];
}

// A hand-written canonical module: shown with its options and members, and drawn in the graph.
TEST_F(Cli, AHandWrittenModuleShowsItsOptionsAndMembersAndTheGraphDrawsItsReferences) {
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
    // The graph draws the modules and their references, those to missing classes dashed.
    Edit([](TemgpProject& project) {
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
    EXPECT_EQ(RunCommand({"graph", ProjectFile()}),
              (Outcome{0, "digraph \"Project1\" {\n"
              "  node [shape=box];\n"
              "  \"CommonTypes\" [label=\"CommonTypes\\ncommon types\"];\n"
              "  \"Account\" [label=\"Account\\nmoServerInDll\"];\n"
              "  \"ExtClass1\" [label=\"ExtClass1\\nmoComServerInDll\"];\n"
              "  \"Customer\" [label=\"Customer\\nmissing\", style=dashed];\n"
              "  \"Account\" -> \"Customer\" [label=\"Owner\", style=dashed];\n"
              "  \"ExtClass1\" -> \"Account\" [label=\"Books\"];\n"
              "  \"ExtClass1\" -> \"Customer\" [label=\"Client\", style=dashed];\n"
              "}\n", ""}));
}

// Each result names the module file and the line where its element's item starts there.
TEST_F(Cli, CheckPrintsOneLinePerResultAsCompilersDoOrJsonAndFailsOnErrors) {
    New();
    std::string account = kCanonicalAccount;
    account.erase(account.find("          DataType.Name = 'Currency'\r\n"), 38);
    WriteText(dir.File("bank/Account.qlm"), account);
    Edit([](TemgpProject& project) { project.AddExistingModule("Account.qlm"); project.SetModified(true); });
    const std::string file = dir.File("bank/Account.qlm");
    EXPECT_EQ(RunCommand({"check", ProjectFile()}),
              (Outcome{1, file + "(31): error: Type is not set [Account.Deposit.Amount]\n" + file +
                              "(39): error: Class not found [Account.Owner]\n2 errors, 0 warnings, 0 hints in 2 modules\n", ""}));
    std::string jsonFile;  // a Windows path's backslashes escaped
    for (const char c : file) jsonFile += c == '\\' ? std::string("\\\\") : std::string(1, c);
    EXPECT_EQ(RunCommand({"check", "--format", "json", ProjectFile()}),
              (Outcome{1, "[\n {\"severity\": \"error\", \"message\": \"Type is not set\", \"module\": \"Account\", "
                          "\"element\": \"Deposit.Amount\", \"file\": \"" + jsonFile + "\", \"line\": 31},\n"
                          " {\"severity\": \"error\", \"message\": \"Class not found\", \"module\": \"Account\", "
                          "\"element\": \"Owner\", \"file\": \"" + jsonFile + "\", \"line\": 39}\n]\n", ""}));
    // The module, its entry and its class lie at the module's object; the rest at the project's.
    const std::unique_ptr<TemgpProject> project = cli::LoadProject(ProjectFile());
    const TemgpModule& entry = *project->Modules().Items(1);
    for (const TPersistent* object : std::initializer_list<const TPersistent*>{&entry, &entry.Module(), &entry.Module().MainClass()}) {
        const CheckResultPlace place = project->PlaceOf(object);
        EXPECT_EQ(std::tie(place.file, place.line, place.module, place.element), std::make_tuple(file, 6, std::string("Account"), std::string()));
    }
    const CheckResultPlace whole = project->PlaceOf(nullptr);
    EXPECT_EQ(std::tie(whole.file, whole.line, whole.module), std::make_tuple(ProjectFile(), 6, std::string()));
}

TEST_F(Cli, FormatListsOrRewritesWhatIsNotCanonicalAndStopsAtAProtectedFile) {
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

    EXPECT_EQ(RunCommand({"format", ProjectFile(), "--check"}),
              (Outcome{1, ProjectFile() + "\n" + dir.File("bank/Account.qlm") + "\n2 files would be reformatted\n", ""}));
    EXPECT_EQ(ReadText(dir.File("bank/Account.qlm")), loose);
    // A protected file refuses the command before any file is rewritten.
    fs::permissions(dir.File("bank/Account.qlm"), fs::perms::owner_read | fs::perms::group_read);
    const Outcome refused = RunCommand({"format", ProjectFile()});
    EXPECT_EQ(refused.status, 3);
    EXPECT_NE(refused.err.find("Cannot create file " + dir.File("bank/Account.qlm")), std::string::npos) << refused.err;
    EXPECT_EQ(ReadText(ProjectFile()), project);
    fs::permissions(dir.File("bank/Account.qlm"), fs::perms::owner_read | fs::perms::owner_write);

    const Outcome format = RunCommand({"format", ProjectFile()});
    EXPECT_EQ(format.status, 0);
    EXPECT_EQ(Lines(format.out).back(), "Reformatted 2 of 3 files");
    EXPECT_EQ(ReadText(dir.File("bank/Account.qlm")), kCanonicalAccount);
    // Canonical files are left alone, time stamps included.
    EXPECT_EQ(RunCommand({"format", ProjectFile(), "--check"}).status, 0);
    const auto time = fs::last_write_time(dir.File("bank/Account.qlm"));
    EXPECT_EQ(RunCommand({"format", ProjectFile()}).out, "Reformatted 0 of 3 files\n");
    EXPECT_EQ(fs::last_write_time(dir.File("bank/Account.qlm")), time);
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

    EXPECT_EQ(RunCommand({"generate", ProjectFile(), "--check"}), (Outcome{0, "Every generated file is up to date\n", ""}));
    // Quiet: the exit status alone tells.
    for (const auto& [args, status] : std::vector<std::pair<std::vector<std::string>, int>>{
             {{"generate", "-q", ProjectFile()}, 0}, {{"format", "--quiet", "--check", ProjectFile()}, 0},
             {{"update-dev", "-q", ProjectFile()}, 0}, {{"new", "-q", dir.File("bank")}, 3}}) {
        const Outcome quiet = RunCommand(args);
        EXPECT_EQ(std::tie(quiet.status, quiet.out), std::make_tuple(status, std::string())) << args[0];
    }
    // The options file is written only once.
    EXPECT_EQ(RunCommand({"generate", ProjectFile(), "--module", "extclass1"}).out.find(options), std::string::npos);
}

TEST_F(Cli, GenerateWritesNothingTheCheckRefuses) {
    New();
    WriteText(dir.File("bank/Account.qlm"), kCanonicalAccount);
    Edit([](TemgpProject& project) {
        project.AddExistingModule("Account.qlm").Module().DebugApplications().NewDebugApplication();
        project.SetModified(true);
    });
    // The errors as the check prints them, on standard error.
    const std::string error = Lines(RunCommand({"check", ProjectFile()}).out).front();
    for (const std::vector<std::string>& options : std::vector<std::vector<std::string>>{
             {}, {"--module", "Account"}, {"--debug-app", "Account/DebugApp1"}, {"--dry-run"}, {"--check"}}) {
        std::vector<std::string> args{"generate", ProjectFile()};
        args.insert(args.end(), options.begin(), options.end());
        EXPECT_EQ(RunCommand(args), (Outcome{1, "", error + "\nGeneration stopped: the check found 1 error\n"}));
    }
    EXPECT_FALSE(fs::exists(dir.File("bank/genAccount.pas")));
}

// Output that cannot be written stops; the command goes on (a generation writes all its files) and
// fails. A reader that closed the pipe (`quillon-cli show P | head -1`) is told nothing.
TEST_F(Cli, AFailedWriteToStandardOutputFailsTheCommand) {
    New();
    Edit([](TemgpProject& project) { project.AddClassModule(); });
    ASSERT_EQ(RunCommand({"generate", ProjectFile()}).status, 0);
    Edit([](TemgpProject& project) {
        project.FindModule("ExtClass1")->MainClass().Methods().Add()->SetName("Close");
    });
    struct : std::streambuf {
        int_type overflow(int_type) override { return traits_type::eof(); }
    } full;
    const std::string project = ProjectFile();
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"show", project}, {"graph", project}, {"check", project}, {"update-dev", project, "--diff"},
             {"generate", project, "--dry-run"}, {"generate", project}}) {
        const Outcome outcome = RunCommand(args, &full);
        EXPECT_EQ(outcome.status, 3) << args[0];
        EXPECT_TRUE(outcome.err.ends_with("quillon-cli: Cannot write to standard output\n")) << outcome.err;
    }
    EXPECT_EQ(RunCommand({"generate", ProjectFile(), "--check"}).status, 0);
#ifndef _WIN32
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ::close(ends[0]);
    const auto previous = ::signal(SIGPIPE, SIG_IGN);
    std::fflush(stdout);
    const int savedOut = ::dup(STDOUT_FILENO);
    ::dup2(ends[1], STDOUT_FILENO);
    const Outcome closed = RunCommand({"show", ProjectFile()}, std::make_unique<StandardOutputBuffer>().get());
    ::dup2(savedOut, STDOUT_FILENO);
    ::close(savedOut);
    ::close(ends[1]);
    ::signal(SIGPIPE, previous);
    EXPECT_EQ(closed.status, 3);
    EXPECT_EQ(closed.err, "");
#endif
}

// An interrupt while a file is written: its temporary file is removed, the files written before
// it were listed, and the status tells the signal. (Under Windows the test's child process starts
// the test again in directories of its own: the parent sees the status only.)
TEST_F(Cli, AnInterruptedGenerationLeavesNoTemporaryFile) {
    New();
    Edit([](TemgpProject& project) { project.AddClassModule(); });
    const std::string listing = dir.File("listing.txt");
    for (const auto& [signal, status] : {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}}) {
        EXPECT_EXIT(
            {
                InstallInterruptHandling();
                const ScopedWriteFault interrupt(signal, 2);
                std::ofstream out(PathFromUtf8(listing), std::ios::binary);
                std::ostringstream err;
                cli::RunCli({"generate", ProjectFile()}, out, err);
            },
            ::testing::ExitedWithCode(status), "");
#ifndef _WIN32
        EXPECT_EQ(Lines(ReadText(listing)).size(), 2u) << ReadText(listing);
        for (const auto& entry : fs::directory_iterator(dir.File("bank")))
            EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
#endif
    }
}

TEST_F(Cli, ATrialRunNamesFilesOutsideTheProjectAndCreatesNothingThere) {
    New();
    Edit([&](TemgpProject& project) {
        TemgModule& module = project.AddClassModule().Module();
        module.SetSrcPath(dir.File("elsewhere"));
        module.SetServerOption(moDirectUsesServer);
    });
    EXPECT_EQ(RunCommand({"generate", ProjectFile(), "--dry-run"}),
              (Outcome{0, dir.File("elsewhere/genExtClass1.pas") + "\n" + dir.File("elsewhere/devExtClass1.pas") + "\n" +
                              dir.File("elsewhere/cntrExtClass1.pas") + "\n" + dir.File("elsewhere/ExtClass1.pas") +
                              "\n4 files would be written: 4 new, 0 changed\n", ""}));
    EXPECT_FALSE(fs::exists(dir.File("elsewhere")));
}

TEST_F(Cli, CheckNamesTheStaleFilesAndKeepsTheDevelopersEdits) {
    New();
    Edit([](TemgpProject& project) { project.AddClassModule().Module().SetServerOption(moDirectUsesServer); });
    ASSERT_EQ(RunCommand({"generate", ProjectFile()}).status, 0);
    // The developer completes the server; a recreated unit goes missing; the class gains a property.
    WriteText(dir.File("bank/devExtClass1.pas"), "completed by hand");
    SetFileReadOnly(dir.File("bank/cntrExtClass1.pas"), false);  // Windows deletes no read-only file
    fs::remove(dir.File("bank/cntrExtClass1.pas"));
    Edit([](TemgpProject& project) { 
        TemgProperty& size = *project.FindModule("ExtClass1")->MainClass().Properties().Add();
        size.SetName("Size");
        size.DataType().SetName("Integer");
    });

    const std::string units = dir.File("bank/genExtClass1.pas") + "\n" + dir.File("bank/cntrExtClass1.pas") + "\n";
    EXPECT_EQ(RunCommand({"generate", ProjectFile(), "--check"}), (Outcome{1, units + "2 files would be written: 1 new, 1 changed\n", ""}));
    EXPECT_EQ(ReadText(dir.File("bank/devExtClass1.pas")), "completed by hand");
    EXPECT_FALSE(FileExists(dir.File("bank/cntrExtClass1.pas")));

    EXPECT_EQ(RunCommand({"generate", ProjectFile()}), (Outcome{0, units + "Wrote 2 files\n", ""}));
    EXPECT_EQ(RunCommand({"generate", ProjectFile(), "--check"}).status, 0);
}

// Each file in turn spoilt: the message names it.
TEST_F(Cli, FailsOnMissingOrBrokenFilesNamingThem) {
    New();
    const std::string project = ProjectFile(), common = dir.File("bank/CommonTypes.qlm");
    const std::string lacking = "quillon-cli: Project '" + project + "' lacks 1 of its module files\n";
    using Spoil = std::function<void(const std::string&)>;
    const Spoil remove = [](const std::string&) {}, directory = [](const std::string& file) { fs::create_directory(file); };
    const auto text = [](std::string content) -> Spoil { return [=](const std::string& file) { WriteText(file, content); }; };
    const auto notRegular = [](const std::string& file) { return "'" + file + "' is not a regular file\n"; };
    const std::vector<std::tuple<std::string, Spoil, std::string>> cases{
        {project, remove, "quillon-cli: File '" + project + "' not found\n"},
        // A reader's failure names file and line as compilers do, without the line in the text.
        {project, text(""), project + "(1): error: ''object'' expected\n"},
        {project, text("object TModelFileHeader\r\n  Signature = 'PIF'\r\n"), project + "(3): error: ''end'' expected\n"},
        {common, text("object TModelFileHeader\r\n  Signature = 'MIF'\r\nend\r\nobject X\r\n  Nope = 1\r\nend\r\n"),
         common + "(5): error: Property does not exist: Nope\n"},
        {project, text(ReadText(common)), "quillon-cli: Cannot load project file '" + project + "': Error file format\n"},
        {project, directory, "quillon-cli: " + notRegular(project)},
#ifndef _WIN32
        // A FIFO would keep the reader waiting for a writer.
        {project, [](const std::string& file) { ::mkfifo(file.c_str(), 0600); }, "quillon-cli: " + notRegular(project)},
        {project, [](const std::string& file) { fs::create_symlink(file, file); }, "quillon-cli: " + notRegular(project)},
#endif
        {common, remove, "error: File '" + common + "' not found\n" + lacking},
        {common, directory, "error: " + notRegular(common) + lacking}};
    for (const auto& [file, spoil, message] : cases) {
        const std::string kept = ReadText(file);
        fs::remove(file);
        spoil(file);
        EXPECT_EQ(RunCommand({"format", project}), (Outcome{3, "", message}));
        fs::remove(file);
        WriteText(file, kept);
    }

}

TEST_F(Cli, UsageErrorsHelpAndVersionAndTextBeyondAsciiInTheProjectsEncodingGeneratedOnce) {
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
    const Outcome unknown = RunCommand({"publish", "x.qlp"});
    EXPECT_EQ(Lines(unknown.err).at(0), "'publish' is not a quillon-cli command");
    EXPECT_EQ(Lines(unknown.err).at(1), "Commands:");
    EXPECT_TRUE(Lines(unknown.err).at(2).starts_with("  new         Create the project")) << unknown.err;
    EXPECT_EQ(RunCommand({"--version"}), (Outcome{0, "quillon-cli 2.3.0\n", ""}));
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
    // A folder and a caption beyond ASCII: the generated files hold both in the project's encoding
    // byte for byte, a second run writes nothing, and the model files stay ASCII.
    const std::string project = dir.File("J\xC3\xBCrgen/Project1.qlp");
    ASSERT_EQ(RunCommand({"new", dir.File("J\xC3\xBCrgen")}).status, 0);
    std::string moduleFile;
    Edit([&](TemgpProject& p) {
        TemgpModule& entry = p.AddClassModule();
        entry.Module().MainClass().SetCaption("\xC3\x9C" "berweisung");
        moduleFile = entry.GetFileName();
    }, project);
    EXPECT_NE(ReadText(moduleFile).find("Caption = #220'berweisung'"), std::string::npos);
    const std::string unit = dir.File("J\xC3\xBCrgen/genExtClass1.pas");
    const std::string library = dir.File("J\xC3\xBCrgen/ExtClass1.dpr");
    const struct {
        TGeneratedFileEncoding encoding;
        std::string caption, folder;
    } encodings[] = {{geAnsi, "\xDC" "berweisung", "J\xFCrgen"}, {geUtf8Bom, "\xC3\x9C" "berweisung", "J\xC3\xBCrgen"}};
    for (const auto& e : encodings) {
        Edit([&](TemgpProject& p) { p.SetGeneratedFileEncoding(e.encoding); }, project);
        EXPECT_EQ(RunCommand({"generate", project}).status, 0);
        const Outcome again = RunCommand({"generate", project});
        EXPECT_EQ(again.out, "Wrote 0 files\n") << again.err;
        EXPECT_EQ(RunCommand({"generate", project, "--check"}).status, 0);
        EXPECT_EQ(ReadText(unit).starts_with("\xEF\xBB\xBF"), e.encoding == geUtf8Bom);
        EXPECT_NE(ReadText(unit).find("{" + e.caption + "}"), std::string::npos);
        EXPECT_NE(ReadText(library).find(e.folder), std::string::npos);
    }
    EXPECT_TRUE(IsAscii(ReadText(project)) && IsAscii(ReadText(moduleFile)));

    // Cyrillic has no place in the Western code page: the check names the folder; UTF-8 holds it.
    const std::string cyrillic = dir.File("\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB5\xD0\xBA\xD1\x82\xD1\x8B/Project1.qlp");
    ASSERT_EQ(RunCommand({"new", ExtractFilePath(cyrillic)}).status, 0);
    const Outcome check = RunCommand({"check", cyrillic});
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.out.find("error: " + ExtractFilePath(cyrillic) + " cannot be written in code page 1252"),
              std::string::npos)
        << check.out;
    Edit([](TemgpProject& p) { p.SetGeneratedFileEncoding(geUtf8Bom); }, cyrillic);
    EXPECT_EQ(RunCommand({"check", cyrillic}).status, 0);
}

#ifdef _WIN32
// A network name stays whole (Wine has no such share, so it is not found under its own name).
TEST(CliText, ExpandsANetworkNameAsAWhole) {
    EXPECT_EQ(RunCommand({"show", "\\\\srv\\share\\Bank\\Project1.qlp"}).err,
              "quillon-cli: File '\\\\srv\\share\\Bank\\Project1.qlp' not found\n");
}
#endif

}  // namespace
}  // namespace quillon::test
