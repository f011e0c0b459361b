// Names compared and hashed without regard to case: ASCII letters fold, nothing else does.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/Text.h"

namespace quillon {
namespace {

TEST(TextHash, KeysNamesWithoutRegardToCaseAndFindsThemByView) {
    EXPECT_EQ(TextHash{}("FGetShadeMethod"), TextHash{}("fgetSHADEmethod"));
    EXPECT_NE(TextHash{}("Shade"), TextHash{}("Shades"));
    // Bytes beyond ASCII are not folded.
    EXPECT_FALSE(SameTextEqual{}("\xC3\xA4", "\xC3\x84"));

    std::unordered_map<std::string, int, TextHash, SameTextEqual> names;
    names.try_emplace("Create", 1);
    names.try_emplace("CREATE", 2);
    names.try_emplace("Destroy", 3);
    EXPECT_EQ(names.size(), 2u);
    const std::string_view probe = "create";
    ASSERT_NE(names.find(probe), names.end());
    EXPECT_EQ(names.find(probe)->second, 1);
    EXPECT_EQ(names.find(std::string_view("Destroyed")), names.end());
}

}  // namespace
}  // namespace quillon
