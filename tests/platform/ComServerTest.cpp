#include <gtest/gtest.h>

#include "platform/ComServer.h"
#include "platform/Exception.h"
#include "support/Raised.h"
#include "support/TempDir.h"

namespace quillon {
namespace {

std::string Fixture(const std::string& name) { return std::string(QUILLON_FIXTURE_DIR) + "/" + name + QUILLON_FIXTURE_SUFFIX; }

std::string FailureOf(const std::string& path) {
    return test::ExceptionMessage([&] { RegisterComServer(path); });
}

TEST(ComServerRegistration, ReportsSuccessWithTheLibraryPathAndFailsWithAMessageForEveryKindOfBrokenLibrary) {
    const std::string path = Fixture("fake_com_ok");
    EXPECT_EQ(RegisterComServer(path), "Server " + path + " is registered successfully");
    EXPECT_EQ(FailureOf(Fixture("fake_com_failing")),
              "DllRegisterServer of " + Fixture("fake_com_failing") + " failed with code 80004005");
    EXPECT_NE(FailureOf(Fixture("fake_com_noexport")).find("DllRegisterServer"), std::string::npos);

    // A Windows library, or any file that is no library here, fails with the loader's message.
    test::TempDir dir;
    test::WriteText(dir.File("Calc.dll"), "MZ\x90\x00 not an ELF file");
    const std::string message = FailureOf(dir.File("Calc.dll"));
    EXPECT_NE(message.find("Calc.dll"), std::string::npos) << message;
    EXPECT_NE(FailureOf(dir.File("missing.dll")).find("missing.dll"), std::string::npos);
}

}  // namespace
}  // namespace quillon
