// The database support controller, the own connection's data module with its form file, the
// server-unit lines of the own connection, and the module's database system items.
#include <gtest/gtest.h>

#include "generator/DatabaseSupport.h"
#include "generator/DatabaseSupportController.h"
#include "platform/FileSystem.h"
#include "support/Lines.h"
#include "support/PascalCompiler.h"

#include "UnitsTestSupport.h"

namespace quillon {
namespace {

using test::Lines;
using test::MatchesGolden;

class DatabaseSupport : public ::testing::Test {
protected:
    std::string Controller() { return BuildDatabaseSupportController(account, project); }

    test::UnitsProject project{""};
    TemgModule& account = project.AddModule("Account", moServerInDll);
};

}  // namespace

// The controller unit the database support controller derives from, as far as it needs it: the
// routine variables of the dataset factories and the system method.
constexpr const char* kControllerStandIn = R"(unit cntrAccount;
interface
uses Classes, DBTables;
type
  TCreateQueryMethod = function: TQuery of object;
  TCreateTableMethod = function: TTable of object;
  TCreateStoredProcMethod = function: TStoredProc of object;
  TcntrAccount = class(TComponent)
  public
    CreateQueryMethod: TCreateQueryMethod;
    CreateTableMethod: TCreateTableMethod;
    CreateStoredProcMethod: TCreateStoredProcMethod;
    procedure AfterInitInstance;
  end;
implementation
procedure TcntrAccount.AfterInitInstance;
begin
end;
end.
)";

// Without database support, or with an own connection, the controller only reports its set-up;
// with the host's connection each dataset factory has a method and an assignment, in the table's
// order.
TEST_F(DatabaseSupport, TheControllerWithoutWithAnOwnAndWithTheHostsConnectionLinuxOnly) {
    EXPECT_TRUE(MatchesGolden(Controller(), "database/none/Account.pas"));
    account.SetDatabaseSupport({dbsSetDatabaseParams});
    EXPECT_TRUE(MatchesGolden(Controller(), "database/none/Account.pas"));
    EXPECT_TRUE(test::PascalCompiles({{"cntrAccount.pas", kControllerStandIn}, {"Account.pas", Controller()}},
                                     "Account.pas"));
    account.SetDatabaseSupport({dbsTable});
    EXPECT_TRUE(MatchesGolden(Controller(), "database/table/Account.pas"));
    account.SetDatabaseSupport({dbsStoredProc, dbsQuery, dbsTable});
    EXPECT_TRUE(MatchesGolden(Controller(), "database/factories/Account.pas"));
    EXPECT_TRUE(test::PascalCompiles({{"cntrAccount.pas", kControllerStandIn}, {"Account.pas", Controller()}},
                                     "Account.pas"));
}

TEST_F(DatabaseSupport, CompilesAgainstTheGeneratedControllerOfEachServerOptionLinuxOnly) {
    account.SetDatabaseSupport({dbsQuery, dbsTable, dbsStoredProc});
    for (TServerOption option : {moServerInDll, moDirectUsesServer, moComServerInDll}) {
        account.SetServerOption(option);
        std::vector<test::PascalFile> files{{"Account.pas", Controller()},
                                            {"cntrAccount.pas", BuildUnitText(account, TFileKind::ControllerUnit, project)}};
        if (option == moDirectUsesServer) {
            files.push_back({"genAccount.pas", BuildUnitText(account, TFileKind::GeneratorServerUnit, project)});
            files.push_back({"devAccount.pas", BuildUnitText(account, TFileKind::DeveloperServerUnit, project)});
        }
        if (option == moComServerInDll)
            files.push_back({"intfAccount.pas", BuildUnitText(account, TFileKind::InterfaceUnit, project)});
        EXPECT_TRUE(test::PascalCompiles(files, "Account.pas")) << static_cast<int>(option);
    }
}

class OwnConnection : public DatabaseSupport {
protected:
    OwnConnection() {
        account.SetDatabaseSupport({dbsSetDatabaseParams});
        account.SetDataModuleName("Bank");
    }
};

// The data module's form holds the connection with the default session name and quotes the
// connection's values; the server unit compiles with the data module.
TEST_F(OwnConnection, DataModuleUnitAndFormLinuxOnly) {
    const std::string text = BuildDataModuleUnit(account, project);
    EXPECT_TRUE(MatchesGolden(text, "database/own/gen_dmuBank.pas"));
    EXPECT_TRUE(MatchesGolden(BuildDataModuleForm(account), "database/own/gen_dmuBank.dfm"));
    // The resource directive names "*.DFM"; a case-sensitive file system needs that spelling.
    EXPECT_TRUE(test::PascalCompiles({{"genAccount.pas", BuildUnitText(account, TFileKind::GeneratorServerUnit, project)},
                                      {"devAccount.pas", BuildUnitText(account, TFileKind::DeveloperServerUnit, project)},
                                      {"gen_dmuBank.pas", text},
                                      {"gen_dmuBank.DFM", BuildDataModuleForm(account)}},
                                     "genAccount.pas"));
    account.SetDatabaseName("Bank");
    account.Connection().SetAliasName("BANK");
    account.Connection().SetUserName("teller");
    account.Connection().SetPassword("it's secret");
    account.Connection().SetLoginPrompt(true);
    const std::string form = BuildDataModuleForm(account);
    EXPECT_NE(form.find(Lines({"    AliasName = 'BANK'", "    DatabaseName = 'Bank'", "    LoginPrompt = True",
                               "    Params.Strings = (", "      'User Name=teller'", "      'Password=it'#39's secret')",
                               "    SessionName = 'Session4Bank'"})),
              std::string::npos)
        << form;
    EXPECT_TRUE(test::FormTextAccepted(form));
}

// Generation writes the form file beside the unit; the server releases the shared data module and
// clears its variable.
TEST_F(OwnConnection, GenerationWritesTheFormFileBesideTheUnitAndTheServerReleasesTheDataModule) {
    test::TempDir dir;
    project.srcPath = dir.Prefix();
    account.Generate(project.srcPath, "", false, project, "", &project.common);
    EXPECT_TRUE(FileExists(dir.File("gen_dmuBank.pas")));
    EXPECT_EQ(test::ReadText(dir.File("gen_dmuBank.dfm")), BuildDataModuleForm(account));
    EXPECT_TRUE(FileExists(dir.File("Account.pas")));
    EXPECT_EQ(DataModuleDestructionCode(account), Lines({"dmBank.Free;", "dmBank:=nil;"}));
    const std::string server = BuildUnitText(account, TFileKind::GeneratorServerUnit, project);
    EXPECT_NE(server.find(Lines({"   Forms.Application.Handle:=0;", "   dmBank.Free;", "   dmBank:=nil;", "end;"})), std::string::npos)
        << server;
    account.SetDatabaseSupport({});
    EXPECT_EQ(DataModuleDestructionCode(account), "");
}

// The module's database system items

std::vector<std::string> Names(const TCollection& collection) {
    std::vector<std::string> names;
    for (int i = 0; i < collection.Count(); ++i)
        names.push_back(static_cast<const TemgAppellationItem*>(collection.Item(i))->GetName());
    return names;
}

using StringVector = std::vector<std::string>;

// Parameters beside a factory are no own connection.
TEST_F(DatabaseSupport, FactoryItemsFollowTheSetTheOwnConnectionHasTheParametersProcedureAndExistingItemsStay) {
    account.SetDatabaseSupport({dbsSetDatabaseParams, dbsQuery});
    EXPECT_EQ(BuildDataModuleUnit(account, project), "");
    EXPECT_EQ(BuildDataModuleForm(account), "");
    EXPECT_NE(Controller().find("CreateQueryMethod:=CreateQuery;"), std::string::npos);
    account.SetDatabaseSupport({dbsQuery, dbsStoredProc});
    EXPECT_EQ(Names(account.MainClass().Events()), (StringVector{"CreateQueryMethod", "CreateStoredProcMethod"}));
    EXPECT_EQ(Names(account.MainClass().Methods()),
              (StringVector{"AfterInitInstance", "CreateQuery", "CreateStoredProc"}));
    const TemgProperty& event = *account.MainClass().Events().Items(0);
    EXPECT_EQ(event.DataType().GetName(), "TCreateQueryMethod");
    EXPECT_EQ(event.DataType().GetCategory(), dtProcedural);
    EXPECT_EQ(event.GetSettings(), (TItemSettings{isSystemItem, isDSC}));
    const TemgMethod& query = *account.MainClass().Methods().Items(1);
    EXPECT_EQ(query.GetCategory(), mcFunction);
    EXPECT_EQ(query.DataType().GetName(), "TQuery");
    EXPECT_EQ(query.GetCode(), "Result:=CreateQueryMethod();");
    EXPECT_EQ(query.GetSettings(), (TItemSettings{isSystemItem, isDSC}));

    account.SetDatabaseSupport({dbsStoredProc});
    EXPECT_EQ(Names(account.MainClass().Events()), (StringVector{"CreateStoredProcMethod"}));
    EXPECT_EQ(Names(account.MainClass().Methods()), (StringVector{"AfterInitInstance", "CreateStoredProc"}));
    // Items are restored when the module is marked after loading.
    account.MainClass().Events().Delete(0);
    account.MarkClassModule(true);
    EXPECT_EQ(Names(account.MainClass().Events()), (StringVector{"CreateStoredProcMethod"}));
    TemgMethod& own = *account.MainClass().Methods().Add();
    own.SetName("setdatabaseparams");
    own.SetCode("// mine");
    account.SetDatabaseSupport({dbsSetDatabaseParams});
    EXPECT_EQ(Names(account.MainClass().Methods()), (StringVector{"AfterInitInstance", "setdatabaseparams"}));
    EXPECT_EQ(own.GetCode(), "// mine");
    // An item the developer made is no system item and stays when the set changes again.
    account.SetDatabaseSupport({});
    EXPECT_EQ(Names(account.MainClass().Methods()), (StringVector{"AfterInitInstance", "setdatabaseparams"}));

    account.MainClass().Methods().Delete(1);
    account.SetDatabaseSupport({dbsSetDatabaseParams});
    const TemgMethod& made = *account.MainClass().Methods().Items(1);
    EXPECT_EQ(made.GetName(), "SetDatabaseParams");
    EXPECT_EQ(made.GetSettings(), (TItemSettings{isSystemItem, isSetDatabaseParams}));
    EXPECT_EQ(made.DeclarationText(),
              "procedure SetDatabaseParams(const aAliasName:String;const aUserName:String;const aPassword:String);"
              "override;");
    account.SetDatabaseSupport({dbsSetDatabaseParams, dbsTable});
    EXPECT_EQ(Names(account.MainClass().Methods()), (StringVector{"AfterInitInstance", "CreateTable"}));
}

}  // namespace quillon
