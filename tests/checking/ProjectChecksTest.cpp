#include <gtest/gtest.h>

#include "checking/CheckMessages.h"
#include "checking/ProjectChecks.h"
#include "generator/GeneratorTestSupport.h"

namespace quillon::test {
namespace {

const std::string kHostToOwn =
    "External property 'Owner' has an error: class with 'Host DB connection' support cannot references to class "
    "with 'Own DB connection' support";
const std::string kNoneToAny =
    "External property 'Owner' has an error: class with 'None' database support cannot references to class with "
    "'Use Own DB connection' or 'Use Host DB connection' support";

// An Account module whose class refers to a Customer module, both in one stand-in project.
class ExternalClassCheck : public ::testing::Test {
protected:
    ExternalClassCheck() {
        account.MainClass().SetName("Account");
        customer.MainClass().SetName("Customer");
        project.modules = {&common, &account, &customer};
    }

    TemgExternalClass& Refer(std::string_view className, std::string_view propertyName) {
        TemgExternalClass& external = *account.MainClass().ExternalClasses().Add();
        external.SetName(className);
        external.SetPropertyName(propertyName);
        return external;
    }

    // The captions of the results of checking `module` (the Account module).
    std::vector<std::string> Check(const TemgModule* module = nullptr) {
        results.Clear();
        CheckModule(module ? *module : account, project, results);
        std::vector<std::string> captions;
        for (int i = 0; i < results.Count(); ++i) captions.push_back(results.Items(i)->GetCaption());
        return captions;
    }

    TemgModule common, account, customer;
    StandInProject project;
    TCheckCollection results;
};

TEST_F(ExternalClassCheck, AMissingClassGivesOnlyClassNotFound) {
    account.SetDatabaseSupport({});
    TemgExternalClass& gone = Refer("Branch", "Owner");
    EXPECT_EQ(Check(), std::vector<std::string>{"Class not found"});
    EXPECT_EQ(results.Items(0)->GetObjectReference(), &gone);
    EXPECT_EQ(results.Items(0)->GetCategory(), cicError);
}

// Dataset support may not refer to an own connection (parameters beside a dataset kind are
// dataset support); no database support may not refer to any.
TEST_F(ExternalClassCheck, DatabaseSupportRulesOfAReferenceAndMembersOfTheCommonTypesModuleAreWarnings) {
    Refer("Customer", "Owner");
    const struct {
        TDatabaseSupport referring, referenced;
        std::vector<std::string> expected;
    } rows[] = {{{dbsQuery}, {dbsSetDatabaseParams}, {kHostToOwn}},
                {{dbsSetDatabaseParams, dbsStoredProc}, {dbsSetDatabaseParams}, {kHostToOwn}},
                {{dbsSetDatabaseParams, dbsStoredProc}, {dbsSetDatabaseParams, dbsTable}, {}},
                {{dbsSetDatabaseParams}, {dbsSetDatabaseParams}, {}},
                {{}, {dbsTable}, {kNoneToAny}},
                {{}, {dbsSetDatabaseParams}, {kNoneToAny}},
                {{}, {}, {}},
                {{dbsQuery}, {dbsQuery, dbsTable}, {}}};
    for (const auto& row : rows) {
        account.SetDatabaseSupport(row.referring);
        customer.SetDatabaseSupport(row.referenced);
        EXPECT_EQ(Check(), row.expected);
    }
    // The common types module has no class: what its class holds is not generated, a warning each.
    common.MainClass().SetName("CommonTypes");
    TemgProperty& tint = *common.MainClass().Properties().Add();
    tint.SetName("Tint");
    tint.DataType().SetName("Integer");
    TemgExternalClass& owner = *common.MainClass().ExternalClasses().Add();
    owner.SetName("Nobody");
    owner.SetPropertyName("Owner");
    EXPECT_EQ(Check(&common), (std::vector<std::string>{"The common types module has no class: Tint is not generated",
                                                  "The common types module has no class: Owner is not generated"}));
    EXPECT_EQ(results.CountOf(cicWarning), 2);
}

TEST_F(ExternalClassCheck, TwoExternalClassesWithOneProblemGiveTwoResults) {
    customer.SetDatabaseSupport({dbsQuery});
    const TemgExternalClass* referring[] = {&Refer("Customer", "Owner"), &Refer("Customer", "Payee"),
                                            &Refer("Nobody", "Nothing")};
    const std::vector<std::string> captions = Check();
    ASSERT_EQ(captions.size(), 3u);
    EXPECT_EQ(captions[0], kNoneToAny);
    EXPECT_NE(captions[1].find("'Payee'"), std::string::npos);
    EXPECT_EQ(captions[2], "Class not found");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(results.Items(i)->GetObjectReference(), referring[i]);
}

TEST_F(ExternalClassCheck, NamesGeneratedCodeCannotDeclareAndMissingTypesAreErrorsOnTheirElement) {
    TemgClass& design = account.MainClass();
    TemgProperty& count = *design.Properties().Add();
    count.SetName("Count");
    count.DataType().SetName("Integer");
    TemgProperty& untyped = *design.Properties().Add();
    untyped.SetName("Property1");
    TemgProperty& label = *design.Properties().Add();
    label.SetName("Label");
    label.DataType().SetName("string");
    TemgMethod& setCount = *design.Methods().Add();
    setCount.SetName("SetCount");
    TemgMethod& evil = *design.Methods().Add();
    evil.SetName("Count; Evil");
    TemgProceduralType& type = *account.ProceduralTypes().Add();
    type.SetName("TOnRate");
    TemgParameter& rate = *type.Parameters().Add();
    rate.SetName("Rate");

    EXPECT_EQ(Check(), (std::vector<std::string>{
                           "Name Label is a reserved word",
                           "Name SetCount is taken by the generated code: the setter of property Count",
                           "Name Count; Evil is not an identifier", "Type is not set", "Type is not set"}));
    const TPersistent* objects[] = {&label, &setCount, &evil, &untyped, &rate};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(results.Items(i)->GetObjectReference(), objects[i]);
    EXPECT_EQ(results.CountOf(cicError), 5);
}

TEST_F(ExternalClassCheck, AModuleNamedLikeAUnitOfGeneratedCodeOrOfARegisteredTypeIsAnError) {
    common.CreateRegisteredType("TMoney", "", "MoneyUnit", false);
    const TgmcAppellation entry;  // stands for the project's entry of the module
    for (const char* name : {"Classes", "windows", "MoneyUnit"}) {
        account.MainClass().SetName(name);
        results.Clear();
        CheckModule(account, project, results, &entry);
        ASSERT_EQ(results.Count(), 1) << name;
        EXPECT_NE(results.Items(0)->GetCaption().find(" is taken by the generated code: the unit "), std::string::npos);
        EXPECT_EQ(results.Items(0)->GetObjectReference(), &entry);
    }
    account.MainClass().SetName("Account");
    EXPECT_TRUE(Check().empty());
}

TEST(DirectUsesCheck, ACycleOfDirectlyUsedServersIsAnErrorOnEachOfItsModules) {
    TemgModule common, x, y, z, library;
    StandInProject project;
    project.modules = {&common, &x, &y, &z, &library};
    const auto make = [](TemgModule& module, std::string_view name, TServerOption option) {
        module.MainClass().SetName(name);
        module.SetServerOption(option);
    };
    const auto refer = [](TemgModule& from, std::string_view to) {
        TemgExternalClass& external = *from.MainClass().ExternalClasses().Add();
        external.SetName(to);
        external.SetPropertyName(std::string(to) + "Ref");
    };
    make(x, "X", moDirectUsesServer);
    make(y, "Y", moDirectUsesServer);
    make(z, "Z", moDirectUsesServer);
    make(library, "L", moServerInDll);
    refer(x, "L");
    refer(x, "Y");
    refer(y, "Z");
    refer(z, "X");
    refer(library, "X");
    const auto check = [&](const TemgModule& module) {
        TCheckCollection results;
        CheckModule(module, project, results);
        std::vector<std::string> captions;
        for (int i = 0; i < results.Count(); ++i) {
            captions.push_back(results.Items(i)->GetCaption());
            EXPECT_EQ(results.Items(i)->GetObjectReference(), &module);
        }
        return captions;
    };
    for (const auto& [module, cycle] : {std::pair{&x, "X -> Y -> Z -> X"}, {&y, "Y -> Z -> X -> Y"}, {&z, "Z -> X -> Y -> Z"}})
        EXPECT_EQ(check(*module), std::vector<std::string>{"Circular reference between directly used servers: " + std::string(cycle)});
    // A library server in the loop breaks it: its units do not use the others'.
    EXPECT_TRUE(check(library).empty());
    y.SetServerOption(moServerInDll);
    EXPECT_TRUE(check(x).empty());
}

}  // namespace
}  // namespace quillon::test
