// Debug applications: the program, the generator's and developer's form units and form files,
// and the project group, with and without database support; form files as component trees.
#include <gtest/gtest.h>

#include <filesystem>

#include "generator/DebugApplicationUnits.h"
#include "generator/FormFiles.h"
#include "generator/GeneratedFileWriters.h"
#include "platform/FileSystem.h"
#include "support/Lines.h"
#include "support/NativePath.h"
#include "support/PascalCompiler.h"

#include "UnitsTestSupport.h"

namespace quillon {
namespace {

using test::Lines;
using test::MatchesGolden;

TFormObject SampleForm() {
    TFormObject form("Form1", "TForm1");
    form.String("Caption", "Tom's").Integer("Top", -5);
    TFormObject& panel = form.Add("Panel1", "TPanel");
    panel.Value("Align", "alTop").Strings("Lines", {});
    panel.Add("Button1", "TButton").Boolean("Default", true);
    form.Add("Panel2", "TPanel", true);
    return form;
}

class DebugApplication : public ::testing::Test {
protected:
    DebugApplication() {
        TemgClass& cls = account.MainClass();
        TemgMethod& deposit = test::Typed(*cls.Methods().Add(), "Deposit", "");
        deposit.SetCaption("Puts money in");
        test::Typed(*deposit.Parameters().Add(), "Amount", "Integer").SetDebugValue("100");
        test::Typed(*test::Typed(*cls.Methods().Add(), "Transfer", "").Parameters().Add(), "Target", "String");
        test::Typed(*cls.Methods().Add(), "Balance", "Integer").SetCategory(mcFunction);
        TemgProperty& owner = test::Typed(*cls.Properties().Add(), "Owner", "String");
        owner.SetExported(true);
        owner.SetDebugValue("'Smith'");
        app = &account.DebugApplications().NewDebugApplication();
        app->SetName("Teller");
        app->SetSrcPath("debug");
        app->Methods().SetItems({"deposit", "Transfer", "Balance"});
    }

    // Full paths spelt the POSIX way on every platform, as the expected texts are.
    std::string Text(TFileKind kind) { return test::PosixPaths(app->UnitText(kind, project)); }

    // Both form units with their form files, against a stand-in of the database support
    // controller; the resource directives name "*.DFM", so the files are spelt that way.
    ::testing::AssertionResult FormUnitsCompile() {
        return test::PascalCompiles({{"Account.pas", kAccountStandIn},
                                     {"genuTellerForm.pas", Text(TFileKind::DebugFormGeneratorUnit)},
                                     {"genuTellerForm.DFM", BuildDebugGeneratorForm(*app, account)},
                                     {"devuTellerForm.pas", Text(TFileKind::DebugFormDeveloperUnit)},
                                     {"devuTellerForm.DFM", BuildDebugDeveloperForm(*app)}},
                                    "devuTellerForm.pas");
    }

    static constexpr const char* kAccountStandIn = R"(unit Account;
interface
uses Classes;
type
  TAccount = class(TComponent)
  public
    Owner: string;
    DatabaseName: string;
    constructor CreateFromPath(AOwner: TComponent; const aPath: string);
    procedure Deposit(Amount: Integer);
    procedure Transfer(Target: string);
    function Balance: Integer;
    procedure SetDatabaseParams(const aAliasName, aUserName, aPassword: string);
  end;
implementation
constructor TAccount.CreateFromPath(AOwner: TComponent; const aPath: string);
begin
  inherited Create(AOwner);
end;
procedure TAccount.Deposit(Amount: Integer);
begin
end;
procedure TAccount.Transfer(Target: string);
begin
end;
function TAccount.Balance: Integer;
begin
  Result := 0;
end;
procedure TAccount.SetDatabaseParams(const aAliasName, aUserName, aPassword: string);
begin
end;
end.
)";

    test::UnitsProject project;
    TemgModule& account = project.AddModule("Account", moServerInDll);
    TemgDebugApplication* app = nullptr;
};

}  // namespace

// The program uses the forms and the module's units and shows the developer's form; the
// generator's form unit calls the listed methods through the controller, and its form holds a
// row of each with its bindings; the developer's unit and form derive from the generator's.
TEST_F(DebugApplication, WholeTextsOfTheProgramAndTheFormUnitsAndFormsLinuxOnly) {
    EXPECT_TRUE(MatchesGolden(Text(TFileKind::DebugProjectUnit), "debug/Teller.dpr"));
    EXPECT_TRUE(MatchesGolden(Text(TFileKind::DebugFormGeneratorUnit), "debug/genuTellerForm.pas"));
    EXPECT_TRUE(MatchesGolden(BuildDebugGeneratorForm(*app, account), "debug/genuTellerForm.dfm"));
    EXPECT_TRUE(MatchesGolden(Text(TFileKind::DebugFormDeveloperUnit), "debug/devuTellerForm.pas"));
    EXPECT_TRUE(MatchesGolden(BuildDebugDeveloperForm(*app), "debug/devuTellerForm.dfm"));
    EXPECT_TRUE(test::FormTextAccepted(BuildDebugGeneratorForm(*app, account)));
    EXPECT_TRUE(test::FormTextAccepted(BuildDebugDeveloperForm(*app)));
    EXPECT_TRUE(FormUnitsCompile());
}

TEST_F(DebugApplication, AServerCompiledIntoTheProgramBringsItsUnitsAndThoseOfItsReferences) {
    project.AddModule("Ledger", moDirectUsesServer);
    account.SetServerOption(moDirectUsesServer);
    account.SetShareMemSupport(false);
    account.MainClass().ExternalClasses().Add()->SetName("Ledger");
    account.SetDatabaseSupport({dbsSetDatabaseParams});
    const std::string text = Text(TFileKind::DebugProjectUnit);
    EXPECT_NE(text.find(Lines({"   uses ", "   Forms,"}).substr(3)), std::string::npos) << text;
    EXPECT_NE(text.find(Lines({"   Account in '/work/demo/Account.pas',", "   genAccount in '/work/demo/genAccount.pas',",
                               "   devAccount in '/work/demo/devAccount.pas',",
                               "   cntrLedger in '/work/demo/cntrLedger.pas',", "   Ledger in '/work/demo/Ledger.pas',",
                               "   genLedger in '/work/demo/genLedger.pas',", "   devLedger in '/work/demo/devLedger.pas',",
                               "   gen_dmu in '/work/demo/gen_dmu.pas' {gen_dm};"})),
              std::string::npos)
        << text;
}

TEST_F(DebugApplication, AMethodNotListedGetsNoRowAndTheLastRowFillsTheClientOnlyForTheClassesLastMethodLinuxOnly) {
    app->Methods().SetItems({"Deposit", "Transfer"});
    const std::string unit = Text(TFileKind::DebugFormGeneratorUnit);
    EXPECT_EQ(unit.find("Balance"), std::string::npos);
    const std::string form = BuildDebugGeneratorForm(*app, account);
    EXPECT_EQ(form.find("Balance"), std::string::npos);
    EXPECT_EQ(form.find("alClient\r\n      Height"), std::string::npos);
    EXPECT_NE(form.find(Lines({"    object paTransferMain: TPanel", "      Top = 30", "      Align = alTop"})),
              std::string::npos)
        << form;
    EXPECT_TRUE(test::FormTextAccepted(form));
}

// The query factory's routine variable is the database support's, set by the controller itself:
// the form does not assign it.
TEST_F(DebugApplication, WithDatabaseSupportTheFormConnectsThroughTheAliasPanelAndAnOwnConnectionHandsTheParametersOnLinuxOnly) {
    account.SetDatabaseSupport({dbsQuery});
    app->Connection().SetAliasName("BANK");
    app->Connection().SetUserName("teller");
    app->Connection().SetLoginPrompt(false);
    ASSERT_NE(account.MainClass().Events().Count(), 0);
    EXPECT_TRUE(MatchesGolden(Text(TFileKind::DebugFormGeneratorUnit), "debug-database/genuTellerForm.pas"));
    EXPECT_TRUE(MatchesGolden(BuildDebugGeneratorForm(*app, account), "debug-database/genuTellerForm.dfm"));
    EXPECT_NE(Text(TFileKind::DebugFormDeveloperUnit).find("SysUtils,DbTables,ExtCtrls"), std::string::npos);
    EXPECT_TRUE(test::FormTextAccepted(BuildDebugGeneratorForm(*app, account)));
    EXPECT_TRUE(FormUnitsCompile());
    account.SetDatabaseSupport({dbsSetDatabaseParams});
    EXPECT_NE(Text(TFileKind::DebugFormGeneratorUnit)
                  .find(Lines({"   FDatabase.LoginPrompt:=True;",
                               "   FController.SetDatabaseParams(cbAlias.Text, FDatabase.Params.Values['User Name'], "
                               "FDatabase.Params.Values['Password']);",
                               "   SetProperties;"})),
              std::string::npos);
    EXPECT_TRUE(FormUnitsCompile());
    account.SetConnectToHostDB(false);
    EXPECT_EQ(Text(TFileKind::DebugFormGeneratorUnit).find("FController.SetDatabaseParams"), std::string::npos);
}

// The controller is created from the libraries' directories where it needs them; the project group
// builds the referenced libraries, this library and the program.
TEST_F(DebugApplication, TheControllerAndProjectGroupFollowTheReferencedLibrariesAndGenerationKeepsTheDevelopersFiles) {
    project.AddModule("Ledger", moServerInDll).SetSrcPath("ledger");
    project.AddModule("Store", moDirectUsesServer);
    account.MainClass().ExternalClasses().Add()->SetName("Ledger");
    account.MainClass().ExternalClasses().Add()->SetName("Store");
    EXPECT_NE(Text(TFileKind::ProjectGroup)
                  .find(Lines({"PROJECTS = Ledger.dll Account.dll Teller.exe",
                               "#------------------------------------------------------------------------------",
                               "default: $(PROJECTS)",
                               "#------------------------------------------------------------------------------",
                               "Ledger.dll: /work/demo/ledger/Ledger.dpr", "  $(DCC)", "",
                               "Account.dll: /work/demo/Account.dpr", "  $(DCC)", "",
                               "Teller.exe: /work/demo/debug/Teller.dpr", "  $(DCC)"})),
              std::string::npos)
        << Text(TFileKind::ProjectGroup);
    account.MainClass().ExternalClasses().Delete(1);
    const auto creates = [&](const std::string& call) {
        return Text(TFileKind::DebugFormGeneratorUnit).find("   FController:=" + call) != std::string::npos;
    };
    EXPECT_TRUE(creates("TAccount.CreateFromPath(Self,'/work/demo/','/work/demo/ledger/');"));
    account.SetServerOption(moComServer);
    EXPECT_TRUE(creates("TAccount.CreateFromPath(Self,'/work/demo/ledger/');"));
    account.MainClass().ExternalClasses().Delete(0);
    EXPECT_TRUE(creates("TAccount.Create(Self);"));
    // A planned generation touches nothing and, after generation, agrees with the disk; generation
    // writes the generator's form unit and form read-only, and keeps the developer's files.
    test::TempDir dir;
    project.srcPath = dir.Prefix();
    project.searchPath = "lib;..\\shared";
    PlanningFileWriter before;
    GenerateDebugApplication(*app, account, project, before);
    EXPECT_EQ(before.ChangedFiles().size(), 7u);
    EXPECT_FALSE(std::filesystem::exists(dir.File("debug")));
    GenerateDebugApplication(*app, account, project);
    for (const char* name : {"Teller.dpr", "Teller.dof", "genuTellerForm.pas", "genuTellerForm.dfm",
                             "devuTellerForm.pas", "devuTellerForm.dfm", "TellerGROUP.bpg"})
        EXPECT_TRUE(FileExists(dir.File(std::string("debug/") + name))) << name;
    EXPECT_TRUE(IsFileReadOnly(dir.File("debug/genuTellerForm.pas")));
    EXPECT_TRUE(IsFileReadOnly(dir.File("debug/genuTellerForm.dfm")));
    EXPECT_FALSE(IsFileReadOnly(dir.File("debug/Teller.dpr")));
    EXPECT_EQ(test::ReadText(dir.File("debug/Teller.dof")),
              "[Directories]\r\nSearchPath=" + dir.File("lib") + ";" + ExpandFileName("../shared", dir.Path()));
    PlanningFileWriter after;
    GenerateDebugApplication(*app, account, project, after);
    EXPECT_EQ(after.Files().size(), 7u);
    EXPECT_TRUE(after.ChangedFiles().empty());

    test::WriteText(dir.File("debug/devuTellerForm.pas"), "mine");
    test::WriteText(dir.File("debug/devuTellerForm.dfm"), "mine too");
    app->Methods().SetItems({"Balance"});
    GenerateDebugApplication(*app, account, project);
    EXPECT_EQ(test::ReadText(dir.File("debug/devuTellerForm.pas")), "mine");
    EXPECT_EQ(test::ReadText(dir.File("debug/devuTellerForm.dfm")), "mine too");
    EXPECT_EQ(test::ReadText(dir.File("debug/genuTellerForm.pas")).find("DepositClick"), std::string::npos);
}

// The expected full paths are spelled with POSIX roots and separators.
TEST_F(DebugApplication, PathsWrittenTheWindowsWayOrHoldingApostrophesMakeValidPathsAndLiteralsLinuxOnly) {
    project.srcPath = "/work/o'k/";
    account.SetSrcPath("out\\win");
    app->SetSrcPath("debug\\teller");
    project.AddModule("Ledger", moServerInDll).SetSrcPath("..\\ledger");
    // Two external classes refer to Ledger: its library is built once.
    for (const char* property : {"Book", "Journal"}) test::AddExternal(account, "Ledger", property);
    EXPECT_EQ(account.OutputDirectory(project.srcPath), "/work/o'k/out/win/");
    EXPECT_EQ(app->OutputDirectory(project.srcPath), "/work/o'k/debug/teller/");
    EXPECT_NE(Text(TFileKind::DebugFormGeneratorUnit)
                  .find("   FController:=TAccount.CreateFromPath(Self,'/work/o''k/out/win/','/work/ledger/');"),
              std::string::npos);
    EXPECT_NE(Text(TFileKind::DebugProjectUnit).find("in '/work/o''k/out/win/cntrAccount.pas'"), std::string::npos)
        << Text(TFileKind::DebugProjectUnit);
    const std::string group = Text(TFileKind::ProjectGroup);
    EXPECT_NE(group.find("PROJECTS = Ledger.dll Account.dll Teller.exe\r\n"), std::string::npos) << group;
}

TEST_F(DebugApplication, AReadOnlyPropertyGetsTheCommentedAssignmentEvenWithADebugValue) {
    TemgProperty& owner = *account.MainClass().Properties().Items(0);
    const std::string assigned = "FController.Owner:='Smith';";
    EXPECT_NE(Text(TFileKind::DebugFormGeneratorUnit).find(assigned), std::string::npos);
    owner.SetAccessTypes({atRead});
    const std::string text = Text(TFileKind::DebugFormGeneratorUnit);
    EXPECT_EQ(text.find(assigned), std::string::npos);
    EXPECT_NE(text.find("//FController.Owner:= ;"), std::string::npos);
}

// Form files as component trees: nesting, value spelling, and the event bindings that the form
// builders collect and the writer inserts into the blocks of their components.
TEST(FormFiles, WritesNestedBlocksAndInsertsBindingsIntoTheNamedComponentsLinuxOnly) {
    TFormObject form = SampleForm();
    InsertEventBindings(form, {EventBinding("button1", "OnClick", "Button1Click"), "Form1=OnClose = FormClose",
                               "Missing=OnClick = Gone", "NoEventHere"});
    const std::string text = form.Text();
    EXPECT_EQ(text, Lines({"object Form1: TForm1", "  Caption = 'Tom'#39's'", "  Top = -5", "  OnClose = FormClose",
                           "  object Panel1: TPanel", "    Align = alTop", "    Lines.Strings = ()",
                           "    object Button1: TButton", "      Default = True", "      OnClick = Button1Click",
                           "    end", "  end", "  inherited Panel2: TPanel", "  end", "end", ""}));
    EXPECT_TRUE(test::FormTextAccepted(text));
    // A binding is split at its first equals sign.
    TFormObject bare("Form1", "TForm1");
    InsertEventBindings(bare, {"Form1=OnClose = Close=Now"});
    EXPECT_EQ(bare.Text(), Lines({"object Form1: TForm1", "  OnClose = Close=Now", "end", ""}));
}

}  // namespace quillon
