#include <gtest/gtest.h>

#include <algorithm>

#include "elements/DesignClass.h"
#include "elements/ElementRules.h"
#include "workbench/PublishedValues.h"

namespace quillon {
namespace {

std::string ValueOf(const std::vector<PublishedRow>& rows, const std::string& name) {
    const auto it = std::find_if(rows.begin(), rows.end(), [&](const PublishedRow& r) { return r.first == name; });
    return it == rows.end() ? "<missing>" : it->second;
}

TEST(PublishedValues, ShowSubObjectsDottedAndOrdinalsByTheirIdentifiers) {
    TemgClass cls;
    TemgProperty& property = NewProperty(cls.Properties());
    const auto rows = PublishedValues(property);
    EXPECT_EQ(ValueOf(rows, "Appellation.Name"), "Property1");
    EXPECT_EQ(ValueOf(rows, "AccessTypes"), "[atRead, atWrite]");
    EXPECT_EQ(ValueOf(rows, "Visibility"), "mvPublic");
    EXPECT_EQ(ValueOf(rows, "Event"), "False");
    // In stream order: the appellation comes first.
    EXPECT_EQ(rows.front().first, "Appellation.Name");
}

TEST(PublishedValues, ShowCollectionsByTheirItemCount) {
    TemgClass cls;
    NewProperty(cls.Properties());
    NewProperty(cls.Properties());
    const auto rows = PublishedValues(cls);
    EXPECT_EQ(ValueOf(rows, "Properties"), "(2 items)");
    EXPECT_EQ(ValueOf(rows, "Methods"), "(0 items)");
}

}  // namespace
}  // namespace quillon
