#include <gtest/gtest.h>

#include "model/Locker.h"

namespace quillon {
namespace {

TEST(Locker, NamesTheLockFileByReplacingEveryOccurrenceOfTheExtension) {
    EXPECT_EQ(LockFileName("/p/Calc.qlm"), "/p/Calc.lck");
    EXPECT_EQ(LockFileName("/p.qlm/Calc.qlm"), "/p.lck/Calc.lck");
    EXPECT_EQ(LockFileName("/p.d/Calc"), "/p.d/Calc.lck");
}

TEST(Locker, NeverReportsAFileLocked) {
    LockModelFile("/p/Calc.qlm");
    EXPECT_FALSE(IsModelFileLocked("/p/Calc.qlm"));
    UnlockModelFile("/p/Calc.qlm");
}

}  // namespace
}  // namespace quillon
