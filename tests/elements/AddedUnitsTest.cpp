// The form name a form file's first line declares, and the form file beside a unit.
#include <gtest/gtest.h>

#include "elements/AddedUnits.h"

namespace quillon {
namespace {

TEST(AddedUnitForms, TakesTheNameBetweenTheFirstWordAndTheColon) {
    EXPECT_EQ(FormNameFromFirstLine("object Form1: TForm1"), "Form1");
    EXPECT_EQ(FormNameFromFirstLine("inherited Frame2: TFrame2\r"), "Frame2");
    EXPECT_EQ(FormNameFromFirstLine("object Form1 : TForm1"), "Form1");
}

TEST(AddedUnitForms, AnyOtherFirstLineGivesNoName) {
    EXPECT_EQ(FormNameFromFirstLine(""), "");
    EXPECT_EQ(FormNameFromFirstLine("object Form1"), "");      // no class after a colon
    EXPECT_EQ(FormNameFromFirstLine("TPF0\x06TForm1"), "");    // a binary form file
    EXPECT_EQ(FormNameFromFirstLine(" object Form1: TForm1"), "");
}

TEST(AddedUnitForms, TheFormFileSitsBesideTheUnit) {
    EXPECT_EQ(FormFileOfUnit("src/Main.pas"), "src/Main.dfm");
    EXPECT_EQ(FormFileOfUnit("..\\forms\\About.PAS"), "..\\forms\\About.dfm");
    EXPECT_EQ(FormFileOfUnit("my.dir/Main"), "my.dir/Main.dfm");
}

}  // namespace
}  // namespace quillon
