#include <gtest/gtest.h>

#include "checking/CheckResults.h"
#include "elements/DesignClass.h"

namespace quillon::test {
namespace {

TEST(CheckResults, ImagesByCategory) {
    EXPECT_EQ(CheckCategoryImageIndex(cicError), 42);
    EXPECT_EQ(CheckCategoryImageIndex(cicWarning), 43);
    EXPECT_EQ(CheckCategoryImageIndex(cicHint), 44);
    EXPECT_EQ(CheckCategoryImageIndex(static_cast<TCheckInfoCategory>(7)), -1);
}

TEST(CheckResults, LineNamesTheCategoryCaptionAndObjectPath) {
    TemgClass account;
    account.SetName("Account");
    TemgExternalClass& owner = *account.ExternalClasses().Add();
    owner.SetName("Customer");
    owner.SetPropertyName("Owner");
    TCheckCollection results;
    EXPECT_EQ(CheckResultLine(results.Add("Class not found", &owner)), "error: Class not found [Account.Owner]");
    EXPECT_EQ(CheckResultLine(results.Add("Look here", &account, cicWarning)), "warning: Look here [Account]");
    EXPECT_EQ(CheckResultLine(results.Add("Consider", nullptr, cicHint)), "hint: Consider");
}

}  // namespace
}  // namespace quillon::test
