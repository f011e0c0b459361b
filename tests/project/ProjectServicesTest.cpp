#include <gtest/gtest.h>

#include <filesystem>

#include "checking/CheckMessages.h"
#include "elements/ElementRules.h"
#include "generator/GeneratorTestSupport.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "project/Project.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

std::vector<std::string> Strings(const TStringList& list) { return list.Items(); }

// CommonTypes, then Account, Customer, Branch and Ledger.
class ProjectServices : public ::testing::Test {
protected:
    void SetUp() override {
        project.NewProject(dir.Path());
        for (const char* name : {"Account", "Customer", "Branch", "Ledger"}) Rename(project.AddClassModule().Module(), name);
    }

    static TemgModule& Rename(TemgModule& module, std::string_view name) {
        module.MainClass().SetName(name);
        module.SetAppellation(module.MainClass().Appellation());
        return module;
    }

    TemgModule& Module(std::string_view name) { return *project.FindModule(name); }

    TemgExternalClass& Refer(std::string_view from, std::string_view to, std::string_view propertyName) {
        return AddExternal(Module(from), to, propertyName);
    }

    std::vector<std::string> Referencable(std::string_view from, std::string_view currentName = "") {
        TStringList target;
        target.Add("stale");
        TemgModule& module = Module(from);
        project.ListReferencableClasses(target, module.MainClass(), module, currentName);
        for (int i = 0; i < target.Count(); ++i)
            EXPECT_EQ(target.Objects(i), &project.FindModule(target.Strings(i))->MainClass());
        return Strings(target);
    }

    TempDir dir;
    TemgpProject project;
};

TEST_F(ProjectServices, ListsReferencableClassesWithItsSkipRules) {
    EXPECT_EQ(Referencable("Account"), (std::vector<std::string>{"Customer", "Branch", "Ledger"}));
    // Already referred to, or referring back.
    Refer("Account", "customer", "Owner");
    Refer("Branch", "Account", "Accounts");
    EXPECT_EQ(Referencable("Account"), std::vector<std::string>{"Ledger"});
    // The class the edited reference names now stays in the list.
    EXPECT_EQ(Referencable("Account", "Customer"), (std::vector<std::string>{"Customer", "Ledger"}));
    EXPECT_EQ(Referencable("Account", "CommonTypes"), (std::vector<std::string>{"CommonTypes", "Ledger"}));
    // The database-support rules.
    Module("Ledger").SetDatabaseSupport({dbsQuery});
    EXPECT_TRUE(Referencable("Account").empty());
    Module("Account").SetDatabaseSupport({dbsTable});
    EXPECT_EQ(Referencable("Account"), std::vector<std::string>{"Ledger"});
    Module("Ledger").SetDatabaseSupport({dbsSetDatabaseParams});
    EXPECT_TRUE(Referencable("Account").empty());
}

TEST_F(ProjectServices, RenamingATypeAClassOrItsModuleRenamesTheReferencesInEveryModule) {
    TemgProperty& balance = AddTyped(Module("Account").MainClass().Properties(), "Balance", "tmoney");
    TemgParameter& amount = AddTyped(AddTyped(Module("Customer").MainClass().Methods(), "Pay", "").Parameters(), "Amount", "TMoney");
    TemgProceduralType& onPaid = AddTyped(Module("Ledger").ProceduralTypes(), "TOnPaid", "");
    AddTyped(onPaid.Parameters(), "", "TMoney");

    TgmcAppellation money, amountType;
    money.SetName("TMoney");
    TStringList found;
    project.TypeReferenceSearch()(money, found);
    EXPECT_EQ(found.Count(), 3);
    const TemgRegisteredDataType& type = project.FirstModule().CreateRegisteredType("TMoney", "", "Money", false);
    EXPECT_EQ(ExceptionMessage([&] { CheckDeletion(type, project.TypeReferenceSearch()); }),
              "Deletion forbidden, because there are references to the deleted item");

    amountType.SetName("TAmount");
    project.RenameReferences(money, &amountType, nullptr);
    EXPECT_EQ(balance.DataType().GetName(), "TAmount");
    EXPECT_EQ(amount.DataType().GetName(), "TAmount");
    EXPECT_EQ(onPaid.Parameters().Items(0)->DataType().GetName(), "TAmount");
    // Renaming a class renames the references to it in every module; renaming a module renames its
    // class and the references to it, a new caption alone leaves them as they are.
    TemgExternalClass& owner = Refer("Account", "Customer", "Owner");
    TemgExternalClass& client = Refer("Branch", "CUSTOMER", "Client");
    TgmcAppellation oldName, newName;
    oldName.SetName("Customer");
    newName.SetName("Client");
    TStringList renamed;
    project.RenameClassReferences(oldName, &newName, &renamed);
    EXPECT_EQ(owner.GetName(), "Client");
    EXPECT_EQ(client.GetName(), "Client");
    EXPECT_EQ(owner.GetPropertyName(), "Owner");
    EXPECT_EQ(renamed.Count(), 2);

    TemgpModule& entry = *project.FindModuleEntry("Customer");
    project.RenameModule(entry, "Patron", "The bank's client");
    EXPECT_EQ((std::vector<std::string>{entry.Module().MainClassName(), entry.Module().GetName(),
                                        entry.Module().ModuleCaption(), entry.Module().MainClass().GetCaption()}),
              (std::vector<std::string>{"Patron", "Patron", "The bank's client", "The bank's client"}));
    EXPECT_EQ(owner.GetName(), "Client");
    Refer("Ledger", "Patron", "Payer");
    project.RenameModule(entry, "Client", "");
    EXPECT_EQ(Module("Ledger").MainClass().ExternalClasses().Items(0)->GetName(), "Client");
    EXPECT_EQ(project.FindModule("Client"), &entry.Module());
    owner.SetName("CLIENT");
    project.RenameModule(entry, "Client", "");
    EXPECT_EQ(owner.GetName(), "CLIENT");
    EXPECT_EQ(entry.Module().ModuleCaption(), "");
}

TEST_F(ProjectServices, ListsClassModulesAndExternalClasses) {
    TStringList modules;
    project.ListClassModules(modules);
    EXPECT_EQ(Strings(modules), (std::vector<std::string>{"Account", "Customer", "Branch", "Ledger"}));
    EXPECT_EQ(modules.Objects(3), &Module("Ledger"));
    EXPECT_EQ(project.ClassModules().size(), 4u);

    TemgExternalClass& owner = Refer("Account", "Customer", "Owner");
    TemgExternalClass& payee = Refer("Account", "Customer", "Payee");
    TStringList result;
    std::vector<std::string> errors;
    project.ExternalClassesOf(result, "account", errors);
    EXPECT_EQ(Strings(result), (std::vector<std::string>{"Customer", "Customer"}));
    EXPECT_EQ(result.Objects(0), &owner);
    EXPECT_EQ(result.Objects(1), &payee);
    EXPECT_TRUE(errors.empty());
    project.ExternalClassesOf(result, "Teller", errors);
    EXPECT_EQ(errors, std::vector<std::string>{"Class 'Teller' not found"});
    EXPECT_EQ(result.Count(), 2);

    std::vector<std::string> visited;
    project.ForEachModule([&](TemgModule& module) { visited.push_back(module.ModuleName()); });
    EXPECT_EQ(visited, (std::vector<std::string>{"CommonTypes", "Account", "Customer", "Branch", "Ledger"}));
}

TEST_F(ProjectServices, ChecksEveryModuleIntoOneClearedCollectionAndEveryGeneratedFileHasOneOwner) {
    struct Receiver : ICheckResultsReceiver {
        void ShowCheckResults(const TCheckCollection& results) override { shown.push_back(results.Count()); }
        std::vector<int> shown;
    } receiver;
    EXPECT_EQ(project.CheckProject(&receiver).Count(), 0);
    Refer("Ledger", "Teller", "Cash");
    Module("Customer").SetDatabaseSupport({dbsQuery});
    TemgExternalClass& owner = Refer("Account", "Customer", "Owner");
    const TCheckCollection& results = project.CheckProject(&receiver);
    ASSERT_EQ(results.Count(), 2);
    EXPECT_EQ(results.Items(0)->GetObjectReference(), &owner);
    EXPECT_EQ(results.Items(1)->GetCaption(), kCheckClassNotFound);
    EXPECT_EQ(&results, project.CheckResults());
    EXPECT_EQ(receiver.shown, (std::vector<int>{0, 2}));
    // Every file generation writes has one owner: two owners of one file, and a unit the user added
    // that generation would write, are refused on both sides, names compared as Windows compares them.
    struct Case {
        const char* account;        // Account's new name
        const char* unit;           // a unit added to Account
        const char* ledgerProgram;  // a debug application of Ledger
        std::vector<std::string> captions;  // each on both owners; "~" is the project's directory
    };
    const std::vector<Case> cases{
        {"Calc", "calc.PAS", "", {"Added unit ~calc.PAS is a file that module Calc writes"}},
        {"Calc", "..\\DIR\\CNTRCALC.pas", "", {"Added unit ~CNTRCALC.pas is a file that module Calc writes"}},
        {"Account", "Ledger.pas", "", {"Added unit ~Ledger.pas is a file that module Ledger writes"}},
        {"CNTRLEDGER", "", "", {"File ~cntrLedger.pas is written by module CNTRLEDGER and by module Ledger"}},
        {"genLedger", "", "", {"File ~genLedger.pas is written by module genLedger and by module Ledger"}},
        {"LedgerTest", "", "LedgerTest",
         {"File ~LedgerTest.dpr is written by module LedgerTest and by debug application Ledger/LedgerTest",
          "File ~LedgerTest.dof is written by module LedgerTest and by debug application Ledger/LedgerTest"}},
        {"Sub/cntrLedger", "", "", {}},  // in another directory the files are apart
    };
    for (const Case& c : cases) {
        project.CloseProject();
        SetUp();
        std::string name = c.account;
        if (name.rfind("Sub/", 0) == 0) Module("Account").SetSrcPath("Sub");
        project.RenameModule(*project.FindModuleEntry("Account"), ExtractFileName(name), "");
        if (*c.unit) {
            std::string unit = c.unit;
            if (const auto at = unit.find("DIR"); at != std::string::npos) unit.replace(at, 3, ExtractFileName(dir.Path()));
            Module(ExtractFileName(name)).AddUnits().Add()->SetName(unit);
        }
        if (*c.ledgerProgram) Module("Ledger").DebugApplications().NewDebugApplication().SetName(c.ledgerProgram);
        const TCheckCollection& results = project.CheckProject();
        ASSERT_EQ(results.Count(), static_cast<int>(2 * c.captions.size())) << name;
        for (int i = 0; i < results.Count(); ++i) {
            std::string caption = c.captions[static_cast<std::size_t>(i / 2)];
            caption.replace(caption.find('~'), 1, dir.Prefix());
            EXPECT_EQ(results.Items(i)->GetCaption(), caption);
            EXPECT_NE(results.Items(i)->GetObjectReference(), results.Items(i ^ 1)->GetObjectReference());
        }
    }
    // The added unit and the module, the module and the debug application.
    EXPECT_EQ(project.CheckResults()->Count(), 0);
    TemgAddUnit& unit = *Module("Ledger").AddUnits().Add();
    unit.SetName("Ledger.pas");
    EXPECT_EQ(project.CheckProject().Items(0)->GetObjectReference(), &unit);
    EXPECT_EQ(project.CheckResults()->Items(1)->GetObjectReference(), project.FindModuleEntry("Ledger"));
    // A narrower rule names its pair, on both sides, alone.
    for (const char* name : {"cntrLedger", "Ledger"}) {
        Module(name).SetDatabaseSupport({dbsSetDatabaseParams});
        Module(name).SetDataModuleName("Main");
    }
    Module("Ledger").AddUnits().Delete(unit.Index());
    const TCheckCollection& narrower = project.CheckProject();
    ASSERT_EQ(narrower.Count(), 2);
    EXPECT_EQ(narrower.Items(0)->GetObjectReference(), project.FindModuleEntry("cntrLedger"));
    EXPECT_EQ(narrower.Items(1)->GetCaption(), "Data module unit gen_dmuMain is generated by module cntrLedger too: "
                                               "give this module its own DataModuleName");
}

// A run checks first and writes all its files or none: a check error of a module the run writes
// or reaches, a unit the user added, a protected file or directory stop it before the first write.
TEST_F(ProjectServices, AGenerationRunChecksFirstAndWritesAllItsFilesOrNone) {
    namespace fs = std::filesystem;
    const std::string p = dir.Prefix();
    Refer("Account", "Customer", "Owner");
    TemgModule& account = Module("Account");
    const TGenerationRun all, accountOnly{&account, false, nullptr}, ledgerOnly{&Module("Ledger"), true, nullptr},
        debugApp{&account, false, &account.DebugApplications().NewDebugApplication()};
    const auto written = [&] {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(dir.Path()))
            if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
        return names;
    };
    const auto attempt = [&](const TGenerationRun& run, bool checked = true) {
        DiskFileWriter disk;
        try {
            if (checked) project.Generate(run, GenerationTools{StandardUnitBuilder(), disk});
            else project.WriteGeneration(run, GenerationTools{StandardUnitBuilder(), disk});
        } catch (const Exception& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    // A method renamed to a property's name, in a module that Account reaches.
    TemgProperty& rate = AddTyped(Module("Customer").MainClass().Properties(), "Rate", "Integer");
    TemgMethod& method = AddTyped(Module("Customer").MainClass().Methods(), "RATE", "");
    for (const TGenerationRun& run : {all, accountOnly, debugApp}) {
        EXPECT_EQ(attempt(run), "Generation stopped: the check found 1 error");
        EXPECT_EQ(project.CheckResults()->Items(0)->GetObjectReference(), &method);
        EXPECT_TRUE(written().empty());
    }
    EXPECT_EQ(attempt(ledgerOnly), "");
    EXPECT_FALSE(written().empty());
    // Recreated units are read-only, which Windows keeps from being removed.
    for (const auto& entry : fs::directory_iterator(dir.Path())) {
        SetFileReadOnly(Utf8FromPath(entry.path()), false);
        fs::remove(entry.path());
    }
    method.SetName("Reset");
    // A unit added to a module is never written over, checked or not.
    TemgAddUnit& unit = *Module("Branch").AddUnits().Add();
    unit.SetName("genAccount.pas");
    EXPECT_EQ(attempt(all, false), "Generation stopped: " + p + "genAccount.pas is an added unit of module Branch");
    EXPECT_TRUE(written().empty());
    Module("Branch").AddUnits().Delete(unit.Index());
    // A library project replaced without clearing its protection; a directory that cannot be written.
    WriteText(p + "Customer.dpr", "program Customer;");
    SetFileReadOnly(p + "Customer.dpr", true);
    EXPECT_EQ(attempt(all), "Cannot create file " + p + "Customer.dpr (read-only)");
    SetFileReadOnly(p + "Customer.dpr", false);
#ifndef _WIN32  // Windows lets files be created in a directory marked read-only
    fs::create_directory(p + "Out");
    Module("Ledger").SetSrcPath("Out");
    fs::permissions(p + "Out", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_EQ(attempt(all), "Cannot create file " + p + "Out/genLedger.pas (directory " + p + "Out/ is read-only)");
    EXPECT_EQ(written(), std::vector<std::string>{"Customer.dpr"});
    fs::permissions(p + "Out", fs::perms::owner_write, fs::perm_options::add);
#endif
    // Recreated units stay read-only, and are made writable for each rewrite.
    EXPECT_EQ(attempt(all), "");
    EXPECT_TRUE(IsFileReadOnly(p + "genCustomer.pas"));
    rate.SetName("Interest");
    EXPECT_EQ(attempt(all), "");
    EXPECT_NE(ReadText(p + "genCustomer.pas").find("Interest"), std::string::npos);
}

// Generation and the check look modules up through an index while they run, the check also the
// enumerated types by name and by value: it must answer as the walk does (any letter case, the
// first of two of one name, none for an unknown name) and be gone afterwards, when names change.
class LookupRecordingBuilder : public RecordingBuilder {
public:
    std::string UnitText(const TemgModule& module, TFileKind kind, const IModuleResolver& resolver) const override {
        for (const char* name : {"account", "CUSTOMER", "Ledger", "Nowhere"}) found.push_back(resolver.FindModule(name));
        return RecordingBuilder::UnitText(module, kind, resolver);
    }
    mutable std::vector<const TemgModule*> found;
};

TEST_F(ProjectServices, FindsModulesDuringGenerationAndCheckAsOutsideThem) {
    // A second module named like the first class module but one: the first one wins.
    TemgModule& twin = Rename(Module("Branch"), "customer");
    const std::vector<const TemgModule*> expected{project.FindModule("Account"), project.FindModule("Customer"),
                                                  project.FindModule("Ledger"), nullptr};
    ASSERT_NE(expected[1], &twin);

    LookupRecordingBuilder builder;
    PlanningFileWriter plan;
    project.GenerateAll(GenerationTools{builder, plan});
    ASSERT_FALSE(builder.found.empty());
    for (std::size_t i = 0; i < builder.found.size(); ++i) EXPECT_EQ(builder.found[i], expected[i % 4]) << i;

    Refer("Account", "LEDGER", "Journal");
    Refer("Account", "Nowhere", "Lost");
    TgmcEnumType& mode = project.FirstModule().CreateEnumType("TMode", "", {"mdFast", "mdExact"});
    AddTyped(Module("Account").MainClass().Properties(), "Mode", "tmode", dtEnum).SetDefaultValue("MDEXACT");
    const TCheckCollection& results = project.CheckProject();
    ASSERT_EQ(results.Count(), 2);
    EXPECT_EQ(results.Items(0)->GetCaption(), kCheckClassNotFound);
    // The twin itself is refused: it would write Customer's files where names ignore case.
    EXPECT_EQ(results.Items(1)->GetCaption(), "Name customer is not unique");

    // Renamed after the generation: found under the new name only.
    TemgModule& ledger = Rename(Module("Ledger"), "Journal");
    EXPECT_EQ(project.FindModule("journal"), &ledger);
    EXPECT_EQ(project.FindModule("Ledger"), nullptr);
    mode.Values().Items(1)->SetName("mdSlow");
    EXPECT_EQ(project.FirstModule().FindEnumTypeOfValue("MDSLOW"), &mode);
    EXPECT_EQ(project.FirstModule().FindEnumTypeOfValue("mdExact"), nullptr);
}

}  // namespace
}  // namespace quillon::test
