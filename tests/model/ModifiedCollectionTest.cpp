#include <gtest/gtest.h>

#include "platform/Exception.h"

#include "SampleModel.h"
#include "model/ModifiedClasses.h"
#include "support/Raised.h"

namespace quillon::test {
namespace {

class ModifiedCollection : public ::testing::Test {
protected:
    // Adds items named by `names`, then clears every flag as after a load.
    void AddNamed(std::initializer_list<const char*> names) {
        for (const char* name : names) items.Add()->Appellation().SetName(name);
        items.SetModified(false);
    }

    TSampleItems items;
};

// The collection is modified by its own flag, even without items, or by a changed item without
// raising its own flag; only real changes raise flags, a change in an owned collection too.
// Clearing clears the items, setting touches none.
TEST_F(ModifiedCollection, IsModifiedByItsOwnFlagOrByARealChangeOfAnItemAndClearingClearsThem) {
    EXPECT_FALSE(items.GetModified());
    items.SetModified(true);
    EXPECT_TRUE(items.GetModified());
    AddNamed({"a", "b"});
    TSampleItem& item = *items.Items(1);
    item.SetSize(0);
    item.SetExported(true);
    item.Appellation().SetName("b");
    EXPECT_FALSE(items.GetModified());
    item.SetSize(4);
    EXPECT_TRUE(items.GetModified());
    item.SetModified(false);
    EXPECT_FALSE(items.GetModified());
    item.Values().Add()->SetNumber(1);
    EXPECT_TRUE(item.GetModified());
    AddNamed({"a", "b"});
    items.SetModified(true);
    EXPECT_FALSE(items.Items(0)->GetModified());
    items.Items(0)->SetKind(skLarge);
    items.Items(1)->Values().Add()->SetNumber(1);
    items.SetModified(false);
    EXPECT_FALSE(items.Items(0)->GetModified());
    EXPECT_FALSE(items.Items(1)->GetModified());
    EXPECT_FALSE(items.GetModified());
}

TEST_F(ModifiedCollection, AssigningAnEqualCollectionLeavesTheFlagAndADifferentOneSetsIt) {
    AddNamed({"a", "b"});
    TSampleItems same;
    same.Add()->Appellation().SetName("a");
    same.Add()->Appellation().SetName("b");
    items.Assign(same);
    EXPECT_FALSE(items.GetModified());

    same.Items(1)->SetWeight(2.5);
    items.Assign(same);
    EXPECT_TRUE(items.GetModified());
    EXPECT_EQ(items.Items(1)->GetWeight(), 2.5);

    TSampleItems shorter;
    items.SetModified(false);
    items.Assign(shorter);
    EXPECT_EQ(items.Count(), 0);
    EXPECT_TRUE(items.GetModified());
}

TEST_F(ModifiedCollection, NextNumberFollowsTheLargestNumberAfterAnExactPrefixWithoutWrapping) {
    AddNamed({"Class1", "Class7", "ClassX", "MyClass3", "class9", "Class"});
    EXPECT_EQ(NextNumber(&items, "Class", 0), 8);
    EXPECT_EQ(UniqueText(&items, "Class", 0), "Class8");
    EXPECT_EQ(NextNumber(&items, "Other", 0), 1);
    TSampleItems empty;
    EXPECT_EQ(NextNumber(&empty, "Class", 0), 1);
    TSampleAppellation notAList;
    EXPECT_EQ(NextNumber(&notAList, "Class", 0), -1);
    // No number follows the largest one instead of wrapping to a taken name; one less still has
    // its successor.
    AddNamed({"Class9223372036854775807"});
    EXPECT_EQ(ExceptionMessage([&] { NextNumber(&items, "Class", 0); }), "No number follows Class9223372036854775807");
    items.Items(6)->Appellation().SetName("Class9223372036854775806");
    EXPECT_EQ(NextNumber(&items, "Class", 0), 9223372036854775807LL);
}

TEST_F(ModifiedCollection, FindsAndComparesTextsWithoutRegardToCaseAndAnswersInterfaceQueriesByGuid) {
    AddNamed({"Alpha", "Beta"});
    items.Items(1)->Appellation().SetCaption("Second");
    EXPECT_EQ(FindItemByText(&items, "BETA"), items.Items(1));
    EXPECT_EQ(FindItemByText(&items, "Gamma"), nullptr);
    EXPECT_FALSE(IsTextUnique(&items, nullptr, "alpha", 0));
    EXPECT_TRUE(IsTextUnique(&items, items.Items(0), "ALPHA", 0));  // only the item itself has it
    EXPECT_FALSE(IsTextUnique(&items, items.Items(0), "second", 1));
    TSampleAppellation notAList;
    EXPECT_TRUE(IsTextUnique(&notAList, nullptr, "x", 0));
    EXPECT_EQ(FindItemByText(&notAList, "x"), nullptr);
    // Interface queries are answered by GUID.
    EXPECT_EQ(QueryInterface(items, IItemList::kGuid), S_OK);
    EXPECT_EQ(QueryInterface(*items.Items(0), "{97ad8c72-b74b-4cc2-969b-199b6bd5b8c8}"), S_OK);
    EXPECT_EQ(QueryInterface(*items.Items(0), IItemList::kGuid), E_NOINTERFACE);
    EXPECT_EQ(E_NOINTERFACE, static_cast<long>(0x80004002L));
    SetModifiedOf(items.Items(0), true);
    EXPECT_TRUE(items.Items(0)->GetModified());
}

}  // namespace
}  // namespace quillon::test
