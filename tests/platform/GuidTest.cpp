#include <gtest/gtest.h>

#include <regex>

#include "platform/Guid.h"

namespace quillon {
namespace {

TEST(Guid, HasRegistryFormInUpperCaseAndIsNewEachTime) {
    const std::string first = CreateGuidString();
    const std::regex form("\\{[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}\\}");
    EXPECT_TRUE(std::regex_match(first, form)) << first;
    EXPECT_NE(CreateGuidString(), first);
}

}  // namespace
}  // namespace quillon
