// The form name a form file's first line declares, and the form file beside a unit.
#include <gtest/gtest.h>

#include "elements/AddedUnits.h"

namespace quillon {
namespace {

TEST(AddedUnitForms, TheNameStandsBetweenTheFirstWordAndTheColonAndTheFileBesideTheUnit) {
    const std::pair<const char*, const char*> firstLines[] = {
        {"object Form1: TForm1", "Form1"}, {"inherited Frame2: TFrame2\r", "Frame2"}, {"object Form1 : TForm1", "Form1"},
        {"", ""}, {"object Form1", ""} /* no class after a colon */, {"TPF0\x06TForm1", ""} /* binary */,
        {" object Form1: TForm1", ""}};
    for (const auto& [line, name] : firstLines) EXPECT_EQ(FormNameFromFirstLine(line), name) << line;
    EXPECT_EQ(FormFileOfUnit("src/Main.pas"), "src/Main.dfm");
    EXPECT_EQ(FormFileOfUnit("..\\forms\\About.PAS"), "..\\forms\\About.dfm");
    EXPECT_EQ(FormFileOfUnit("my.dir/Main"), "my.dir/Main.dfm");
}

}  // namespace
}  // namespace quillon
