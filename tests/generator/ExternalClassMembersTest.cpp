// External classes in the generated server: following references from class to class, the
// creation statements with their library paths and what the owner hands on, the release lines,
// and generation that stops on a class the project lacks.
#include <gtest/gtest.h>

#include <filesystem>

#include "UnitsTestSupport.h"
#include "generator/ExternalClassMembers.h"
#include "generator/UnitBuilder.h"
#include "support/Lines.h"

namespace quillon {
namespace {

using test::AddExternal;
using test::Lines;

class ExternalClassMembers : public ::testing::Test {
protected:
    std::vector<std::string> Names(const std::vector<const TemgModule*>& modules) const {
        std::vector<std::string> names;
        for (const TemgModule* module : modules) names.push_back(module->MainClassName());
        return names;
    }
    // The server class's external members for `owner`, after a BeforeDestruction with `code`.
    TgmcClass& ServerClass(const TemgModule& owner, std::string_view code = "inherited;") {
        beforeDestruction = server.Methods().Add();
        beforeDestruction->SetName("BeforeDestruction");
        beforeDestruction->MethodImplementation().SetCode(code);
        AddExternalMembers(server, *beforeDestruction, owner, project);
        return server;
    }
    std::string CodeOf(std::string_view method) const {
        for (int i = 0; i < server.Methods().Count(); ++i)
            if (server.Methods().Items(i)->GetName() == method)
                return server.Methods().Items(i)->MethodImplementation().GetCode();
        return "(no method " + std::string(method) + ")";
    }

    test::UnitsProject project;
    TgmcClass server;
    TgmcMethod* beforeDestruction = nullptr;
};

TEST_F(ExternalClassMembers, ReferencesAreFollowedDepthFirstOnceEachAndALibraryReachedThroughAComServerIsCreatedFromPath) {
    TemgModule& a = project.AddModule("A", moServerInDll);
    TemgModule& b = project.AddModule("B", moComServerInDll);
    TemgModule& c = project.AddModule("C", moServerInDll);
    project.AddModule("D", moServerInDll);
    AddExternal(a, "B", "Bee");
    AddExternal(a, "C", "Sea");
    AddExternal(b, "D", "Dee");
    AddExternal(b, "A", "Back");
    AddExternal(c, "d", "Dee");
    EXPECT_EQ(Names(ReferencedModules(a, project)), (std::vector<std::string>{"B", "D", "A", "C"}));
    EXPECT_EQ(Names(ReferencedLibraryServers(a, project)), (std::vector<std::string>{"D", "A", "C"}));
    EXPECT_TRUE(NeedsLibraryPaths(b, project));
    EXPECT_FALSE(NeedsLibraryPaths(project.AddModule("E", moServerInDll), project));
    TemgModule& calc = project.AddModule("Calc", moDirectUsesServer);
    AddExternal(project.AddModule("Printer", moComServerInDll), "Spooler", "Queue");
    project.AddModule("Spooler", moServerInDll);
    AddExternal(calc, "Printer", "Output");
    ServerClass(calc);
    EXPECT_EQ(CodeOf("CreateOutput"), Lines({"if FOutput = nil", "then ", "begin", "CoInitialize(nil);",
                                             "FOutput:=TcntrPrinter.CreateFromPath(nil,FSpoolerPath);",
                                             "FOutput.AfterInitInstance;", "end;"}));
    EXPECT_EQ(CodeOf("FreeOutput"), Lines({"if FOutput <> nil", "then ", "begin", "   TObject(FOutput).Free;",
                                           "   FOutput:=nil;", "   CoUninitialize;", "end;"}));
    EXPECT_EQ(CodeOf("BeforeDestruction"), Lines({"inherited;", "FreeOutput;"}));
}

TEST_F(ExternalClassMembers, TheDatasetFactoriesBothSupportAreHandedOn) {
    TemgModule& calc = project.AddModule("Calc", moServerInDll);
    calc.SetDatabaseSupport({dbsQuery, dbsTable});
    project.AddModule("Store", moDirectUsesServer).SetDatabaseSupport({dbsTable, dbsStoredProc});
    AddExternal(calc, "Store", "Shelf");
    ServerClass(calc, "");
    EXPECT_EQ(CodeOf("CreateShelf"), Lines({"if FShelf = nil", "then ", "begin", "FShelf:=TcntrStore.Create(nil);",
                                            "FShelf.CreateTableMethod:=CreateTableMethod;",
                                            "FShelf.AfterInitInstance;", "end;"}));
    EXPECT_EQ(CodeOf("FreeShelf"), Lines({"TObject(FShelf).Free;", "FShelf:=nil;"}));
    // Nothing stood in BeforeDestruction, so no line break goes before the release.
    EXPECT_EQ(CodeOf("BeforeDestruction"), "FreeShelf;");
}

TEST_F(ExternalClassMembers, AnOwnConnectionIsHandedOnAndTheReferenceIsTheDatabaseSupportController) {
    TemgModule& calc = project.AddModule("Calc", moServerInDll);
    calc.SetDatabaseSupport({dbsSetDatabaseParams});
    calc.SetDataModuleName("Main");
    TemgModule& ledger = project.AddModule("Ledger", moServerInDll);
    ledger.SetDatabaseSupport({dbsSetDatabaseParams});
    project.AddModule("Store", moServerInDll).SetDatabaseSupport({dbsQuery});
    AddExternal(calc, "Ledger", "Book");
    AddExternal(calc, "Store", "Shelf");
    ServerClass(calc);
    EXPECT_EQ(server.Fields().SrcCode(0, "\r\n"), Lines({"FBook:TLedger;", "FShelf:TStore;"}));
    EXPECT_EQ(CodeOf("CreateBook"),
              Lines({"if FBook = nil", "then ", "begin", "FBook:=TLedger.CreateFromPath(nil,FLedgerPath);",
                     "FBook.SetDatabaseParams(dmMain.Database1.AliasName, dmMain.Database1.Params.Values['User "
                     "Name'], dmMain.Database1.Params.Values['Password']);",
                     "FBook.AfterInitInstance;", "end;"}));
    EXPECT_EQ(CodeOf("CreateShelf"),
              Lines({"if FShelf = nil", "then ", "begin", "FShelf:=TStore.CreateFromPath(nil,FStorePath);",
                     "FShelf.DatabaseName:=dmMain.Database1.DatabaseName;",
                     "FShelf.SessionName:=dmMain.Session1.SessionName;", "FShelf.AfterInitInstance;", "end;"}));
    EXPECT_EQ(CodeOf("BeforeDestruction"), Lines({"inherited;", "FreeBook;", "FreeShelf;"}));

    ledger.SetConnectToHostDB(false);
    // Calc's own SetDatabaseParams (its system method) still hands the values on; creating Book does not.
    EXPECT_EQ(BuildUnitText(calc, TFileKind::GeneratorServerUnit, project).find("FBook.SetDatabaseParams(dmMain"),
              std::string::npos);
    EXPECT_NE(BuildUnitText(calc, TFileKind::LibraryProject, project)
                  .find("   Ledger in '/work/demo/Ledger.pas',\r\n   Store in '/work/demo/Store.pas';"),
              std::string::npos);
}

TEST_F(ExternalClassMembers, OnlyAReferencedModuleWithItsOwnConnectionIsHandedTheDatabaseParameters) {
    TemgModule& calc = project.AddModule("Calc", moServerInDll);
    calc.SetDatabaseSupport({dbsSetDatabaseParams});
    calc.SetDataModuleName("Main");
    // Queries beside the parameters are dataset support: Ledger has no SetDatabaseParams.
    TemgModule& ledger = project.AddModule("Ledger", moServerInDll);
    ledger.SetDatabaseSupport({dbsQuery, dbsSetDatabaseParams});
    TemgModule& store = project.AddModule("Store", moServerInDll);
    store.SetDatabaseSupport({dbsSetDatabaseParams});
    AddExternal(calc, "Ledger", "Book");
    AddExternal(calc, "Store", "Shelf");
    const std::string text = BuildUnitText(calc, TFileKind::GeneratorServerUnit, project);
    EXPECT_EQ(text.find("FBook.SetDatabaseParams"), std::string::npos);
    EXPECT_NE(text.find("if FShelf <> nil then FShelf.SetDatabaseParams(FAliasName, FUserName, FPassword);"),
              std::string::npos);
    EXPECT_EQ(BuildUnitText(ledger, TFileKind::GeneratorServerUnit, project).find("SetDatabaseParams"),
              std::string::npos);
}

TEST_F(ExternalClassMembers, GeneratingAClassThatRefersToAMissingModuleStopsBeforeWritingAnything) {
    TemgModule& calc = project.AddModule("Calc", moServerInDll);
    AddExternal(project.AddModule("Store", moServerInDll), "Gone", "Lost");
    AddExternal(calc, "Store", "Shelf");
    test::TempDir dir;
    EXPECT_EQ(test::ExceptionMessage([&] {
                  calc.Generate(dir.Prefix(), "", false, project, "", &project.common);
              }),
              "Class 'Gone' not found");
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

}  // namespace
}  // namespace quillon
