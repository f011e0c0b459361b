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

}  // namespace
}  // namespace quillon::test
