#include <gtest/gtest.h>

#include "platform/Exception.h"
#include "platform/Format.h"

namespace quillon {

TEST(Format, SubstitutesStringsIntegersAndPercent) {
    EXPECT_EQ(Format("File '%s' not found", "/a/b.qlm"), "File '/a/b.qlm' not found");
    EXPECT_EQ(Format("%s on line %d", "String expected", 12), "String expected on line 12");
    EXPECT_EQ(Format("100%% of %d", -3), "100% of -3");
    EXPECT_EQ(Format("File  name for %s not assigned", std::string("Calc")), "File  name for Calc not assigned");
}

TEST(Format, RejectsMissingOrMismatchedArguments) {
    EXPECT_THROW(Format("%s and %s", "one"), Exception);
    EXPECT_THROW(Format("%d", "text"), Exception);
    EXPECT_THROW(Format("%s", 5), Exception);
    EXPECT_THROW(Format("trailing %"), Exception);
    EXPECT_THROW(Format("%x", 5), Exception);
}

}  // namespace quillon
