#include <gtest/gtest.h>

#include "checking/CheckResults.h"
#include "generator/Module.h"

namespace quillon::test {
namespace {

TEST(CheckResults, ObjectPathLeadsFromTheOutermostItemOrFromBelowAStopLineInTheFormCompilersUseAndImageByCategory) {
    TemgClass account;
    account.SetName("Account");
    TemgExternalClass& owner = *account.ExternalClasses().Add();
    owner.SetPropertyName("Owner");
    EXPECT_EQ(CheckObjectPath(&owner), "Account.Owner");
    EXPECT_EQ(CheckObjectPath(&owner, [&](const TPersistent* item) { return item == &account; }), "Owner");
    EXPECT_EQ(CheckObjectPath(nullptr), "");
    TemgModule module;  // an element of the module itself is named after the module's class
    module.MakeCommonTypesModule();
    const auto* value = module.CreateEnumType("TShade", "", {"Add"}).Values().Items(0);
    EXPECT_EQ(CheckObjectPath(value), "CommonTypes.TShade.Add");
    EXPECT_EQ(CheckObjectPath(value, [&](const TPersistent* owner) { return owner == &module; }), "TShade.Add");
    TCheckCollection results;
    const struct {
        TCheckInfoCategory category;
        CheckResultPlace place;
        std::string line;
    } cases[] = {
        {cicError, {"/p/Account.qlm", 40, "Account", "Deposit.Amount"}, "/p/Account.qlm(40): error: Wrong [Account.Deposit.Amount]"},
        {cicWarning, {"/p/Account.qlm", 6, "Account", ""}, "/p/Account.qlm(6): warning: Wrong [Account]"},
        {cicHint, {"/p/Project1.qlp", 4, "", "Release1"}, "/p/Project1.qlp(4): hint: Wrong [Release1]"},
        {cicError, {"/p/Project1.qlp", 4, "", ""}, "/p/Project1.qlp(4): error: Wrong"},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckResultLine(results.Add("Wrong", nullptr, c.category), c.place), c.line);
    // Each category has its image.
    for (const auto& [category, image] : {std::pair{cicError, 42}, {cicWarning, 43}, {cicHint, 44},
                                          {static_cast<TCheckInfoCategory>(7), -1}})
        EXPECT_EQ(CheckCategoryImageIndex(category), image);
}

}  // namespace
}  // namespace quillon::test
