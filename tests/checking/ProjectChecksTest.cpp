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

    // The captions of the results of checking the Account module.
    std::vector<std::string> Check() {
        results.Clear();
        CheckModule(account, project, results);
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

TEST_F(ExternalClassCheck, DatasetSupportMayNotReferToAnOwnConnection) {
    Refer("Customer", "Owner");
    customer.SetDatabaseSupport({dbsSetDatabaseParams});
    account.SetDatabaseSupport({dbsQuery});
    EXPECT_EQ(Check(), std::vector<std::string>{kHostToOwn});
    // Parameters beside a dataset kind are dataset support, not an own connection.
    account.SetDatabaseSupport({dbsSetDatabaseParams, dbsStoredProc});
    EXPECT_EQ(Check(), std::vector<std::string>{kHostToOwn});
    customer.SetDatabaseSupport({dbsSetDatabaseParams, dbsTable});
    EXPECT_TRUE(Check().empty());
    account.SetDatabaseSupport({dbsSetDatabaseParams});
    customer.SetDatabaseSupport({dbsSetDatabaseParams});
    EXPECT_TRUE(Check().empty());
}

TEST_F(ExternalClassCheck, NoDatabaseSupportMayNotReferToAnyDatabaseSupport) {
    Refer("Customer", "Owner");
    for (TDatabaseSupport support : {TDatabaseSupport{dbsTable}, TDatabaseSupport{dbsSetDatabaseParams}}) {
        customer.SetDatabaseSupport(support);
        EXPECT_EQ(Check(), std::vector<std::string>{kNoneToAny});
    }
    customer.SetDatabaseSupport({});
    EXPECT_TRUE(Check().empty());
    // With support of its own the referring module may use a module with dataset support.
    account.SetDatabaseSupport({dbsQuery});
    customer.SetDatabaseSupport({dbsQuery, dbsTable});
    EXPECT_TRUE(Check().empty());
}

TEST_F(ExternalClassCheck, TwoExternalClassesWithOneProblemGiveTwoResults) {
    customer.SetDatabaseSupport({dbsQuery});
    TemgExternalClass& first = Refer("Customer", "Owner");
    TemgExternalClass& second = Refer("Customer", "Payee");
    TemgExternalClass& third = Refer("Nobody", "Nothing");
    const std::vector<std::string> captions = Check();
    ASSERT_EQ(captions.size(), 3u);
    EXPECT_EQ(captions[0], kNoneToAny);
    EXPECT_NE(captions[1].find("'Payee'"), std::string::npos);
    EXPECT_EQ(captions[2], "Class not found");
    EXPECT_EQ(results.Items(0)->GetObjectReference(), &first);
    EXPECT_EQ(results.Items(1)->GetObjectReference(), &second);
    EXPECT_EQ(results.Items(2)->GetObjectReference(), &third);
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
    EXPECT_EQ(results.Items(0)->GetObjectReference(), &label);
    EXPECT_EQ(results.Items(1)->GetObjectReference(), &setCount);
    EXPECT_EQ(results.Items(2)->GetObjectReference(), &evil);
    EXPECT_EQ(results.Items(3)->GetObjectReference(), &untyped);
    EXPECT_EQ(results.Items(4)->GetObjectReference(), &rate);
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
    EXPECT_EQ(check(x), std::vector<std::string>{"Circular reference between directly used servers: X -> Y -> Z -> X"});
    EXPECT_EQ(check(y), std::vector<std::string>{"Circular reference between directly used servers: Y -> Z -> X -> Y"});
    EXPECT_EQ(check(z), std::vector<std::string>{"Circular reference between directly used servers: Z -> X -> Y -> Z"});
    // A library server in the loop breaks it: its units do not use the others'.
    EXPECT_TRUE(check(library).empty());
    y.SetServerOption(moServerInDll);
    EXPECT_TRUE(check(x).empty());
}

}  // namespace
}  // namespace quillon::test
