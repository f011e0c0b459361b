#include <gtest/gtest.h>

#include "checking/CheckResults.h"
#include "generator/Module.h"

namespace quillon::test {
namespace {

TEST(CheckResults, ImagesByCategory) {
    for (const auto& [category, image] : {std::pair{cicError, 42}, {cicWarning, 43}, {cicHint, 44},
                                          {static_cast<TCheckInfoCategory>(7), -1}})
        EXPECT_EQ(CheckCategoryImageIndex(category), image);
}

TEST(CheckResults, LineNamesTheCategoryCaptionAndObjectPath) {
    TemgClass account;
    account.SetName("Account");
    TemgExternalClass& owner = *account.ExternalClasses().Add();
    owner.SetPropertyName("Owner");
    TCheckCollection results;
    EXPECT_EQ(CheckResultLine(results.Add("Class not found", &owner)), "error: Class not found [Account.Owner]");
    EXPECT_EQ(CheckResultLine(results.Add("Look here", &account, cicWarning)), "warning: Look here [Account]");
    EXPECT_EQ(CheckResultLine(results.Add("Consider", nullptr, cicHint)), "hint: Consider");
    TemgModule module;  // an element of the module itself is named after the module's class
    module.MakeCommonTypesModule();
    EXPECT_EQ(CheckObjectPath(module.CreateEnumType("TShade", "", {"Add"}).Values().Items(0)), "CommonTypes.TShade.Add");
}

}  // namespace
}  // namespace quillon::test
