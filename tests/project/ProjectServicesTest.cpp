#include <gtest/gtest.h>

#include "checking/CheckMessages.h"
#include "elements/ElementRules.h"
#include "generator/GeneratorTestSupport.h"
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
        for (const char* name : {"Account", "Customer", "Branch", "Ledger"}) {
            TemgModule& module = project.AddClassModule().Module();
            module.MainClass().SetName(name);
            module.SetAppellation(module.MainClass().Appellation());
        }
    }

    TemgModule& Module(std::string_view name) { return *project.FindModule(name); }

    TemgExternalClass& Refer(std::string_view from, std::string_view to, std::string_view propertyName) {
        TemgExternalClass& external = *Module(from).MainClass().ExternalClasses().Add();
        external.SetName(to);
        external.SetPropertyName(propertyName);
        return external;
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

TEST_F(ProjectServices, RenamesAndFindsTypeReferencesInEveryModule) {
    TemgProperty& balance = *Module("Account").MainClass().Properties().Add();
    balance.SetName("Balance");
    balance.DataType().SetName("tmoney");
    TemgMethod& pay = *Module("Customer").MainClass().Methods().Add();
    pay.SetName("Pay");
    TemgParameter& amount = *pay.Parameters().Add();
    amount.SetName("Amount");
    amount.DataType().SetName("TMoney");
    TemgProceduralType& onPaid = *Module("Ledger").ProceduralTypes().Add();
    onPaid.SetName("TOnPaid");
    onPaid.Parameters().Add()->DataType().SetName("TMoney");

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
}

TEST_F(ProjectServices, RenamesClassReferencesInEveryModule) {
    TemgExternalClass& owner = Refer("Account", "Customer", "Owner");
    TemgExternalClass& client = Refer("Branch", "CUSTOMER", "Client");
    TgmcAppellation oldName, newName;
    oldName.SetName("Customer");
    newName.SetName("Client");
    TStringList found;
    project.RenameClassReferences(oldName, &newName, &found);
    EXPECT_EQ(owner.GetName(), "Client");
    EXPECT_EQ(client.GetName(), "Client");
    EXPECT_EQ(owner.GetPropertyName(), "Owner");
    EXPECT_EQ(found.Count(), 2);
}

TEST_F(ProjectServices, RenamingAModuleRenamesItsClassAndTheReferencesToIt) {
    TemgExternalClass& owner = Refer("Account", "Customer", "Owner");
    TemgpModule& entry = *project.FindModuleEntry("Customer");
    project.RenameModule(entry, "Client", "The bank's client");
    EXPECT_EQ(entry.Module().MainClassName(), "Client");
    EXPECT_EQ(entry.Module().GetName(), "Client");
    EXPECT_EQ(entry.Module().ModuleCaption(), "The bank's client");
    EXPECT_EQ(entry.Module().MainClass().GetCaption(), "The bank's client");
    EXPECT_EQ(owner.GetName(), "Client");
    EXPECT_EQ(project.FindModule("Client"), &entry.Module());

    // A new caption alone leaves the references as they are.
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

TEST_F(ProjectServices, ChecksEveryModuleIntoOneClearedCollection) {
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
}

// Generation and the check look modules up through an index while they run: it must answer as
// the walk over the modules does (any letter case, the first of two modules of one name, none
// for an unknown name) and be gone afterwards, when modules may be renamed.
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
    TemgModule& twin = Module("Branch");
    twin.MainClass().SetName("customer");
    twin.SetAppellation(twin.MainClass().Appellation());
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
    const TCheckCollection& results = project.CheckProject();
    ASSERT_EQ(results.Count(), 2);
    EXPECT_EQ(results.Items(0)->GetCaption(), kCheckClassNotFound);
    // The twin itself is refused: it would write Customer's files where names ignore case.
    EXPECT_EQ(results.Items(1)->GetCaption(), "Name customer is not unique");

    // Renamed after the generation: found under the new name only.
    TemgModule& ledger = Module("Ledger");
    ledger.MainClass().SetName("Journal");
    ledger.SetAppellation(ledger.MainClass().Appellation());
    EXPECT_EQ(project.FindModule("journal"), &ledger);
    EXPECT_EQ(project.FindModule("Ledger"), nullptr);
}

}  // namespace
}  // namespace quillon::test
