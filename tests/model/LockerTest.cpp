#include <gtest/gtest.h>

#include "model/Locker.h"
#include "model/ObjectText.h"
#include "support/Lines.h"

namespace quillon {
namespace {

TEST(Locker, NamesTheLockFileByReplacingEveryExtensionAndNeverReportsAFileLocked) {
    EXPECT_EQ(LockFileName("/p/Calc.qlm"), "/p/Calc.lck");
    EXPECT_EQ(LockFileName("/p.qlm/Calc.qlm"), "/p.lck/Calc.lck");
    EXPECT_EQ(LockFileName("/p.d/Calc"), "/p.d/Calc.lck");
    // A file is never reported locked.
    LockModelFile("/p/Calc.qlm");
    EXPECT_FALSE(IsModelFileLocked("/p/Calc.qlm"));
    UnlockModelFile("/p/Calc.qlm");
}

TEST(Locker, WritesTheLockRecordWithItsDateAsFloat) {
    TLockInfo info;
    EXPECT_EQ(ObjectToText(info), test::CrLf({"object TLockInfo", "end"}));
    info.SetComputerName("PC1");
    info.SetLockDate(45000.5);
    EXPECT_TRUE(info.GetModified());
    const std::string text = ObjectToText(info);
    EXPECT_EQ(text, test::CrLf({"object TLockInfo", "  ComputerName = 'PC1'", "  LockDate = 45000.5", "end"}));
    TLockInfo copy;
    ObjectFromText(text, copy);
    EXPECT_EQ(copy.GetLockDate(), 45000.5);
}

}  // namespace
}  // namespace quillon
