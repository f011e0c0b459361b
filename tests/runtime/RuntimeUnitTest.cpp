// The shipped run-time unit on its own, built for Win64 and run under wine64: instance numbers,
// shared servers, errors for unknown and freed numbers, several threads at once, and the servers
// a library frees when it unloads. The checks live in pascal/RuntimeUnitCheck.dpr.
#include <gtest/gtest.h>

#include <algorithm>

#include "RuntimeSupport.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

TEST(RuntimeUnit, EveryCheckPassesUnderWine) {
    RuntimeScenario scenario("runtime-unit");
    for (const char* name : {"RuntimeUnitCheck.dpr", "Leftover.dpr"})
        scenario.Write(name, ReadText(std::string(QUILLON_RUNTIME_TESTS_DIR) + "/pascal/" + name));
    ASSERT_TRUE(scenario.BuildWin64("Leftover.dpr"));
    ASSERT_TRUE(scenario.BuildWin64("RuntimeUnitCheck.dpr"));
    int status = -1;
    const std::string output = scenario.RunWin64("RuntimeUnitCheck.exe", &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(output.find("FAIL"), std::string::npos);
    EXPECT_NE(output.find("ok   unloading a library frees the servers still registered\n"), std::string::npos);
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 14) << "one line per check";
}

}  // namespace
}  // namespace quillon::test
