// Standard output as text: whole UTF-8 characters to the console, Windows line ends when
// redirected without doubling a CR LF (a unified diff of CR LF files).
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/Console.h"

namespace quillon {
namespace {

TEST(StandardText, AddsCrBeforeALoneLfOnlyAcrossPieces) {
    bool afterCr = false;
    EXPECT_EQ(WindowsLineEnds("a\nb\r\nc\r", afterCr), "a\r\nb\r\nc\r");
    EXPECT_EQ(WindowsLineEnds("\nd\n\n", afterCr), "\nd\r\n\r\n");
}

TEST(StandardText, HandsOverWholeCharactersWhenFlushed) {
    std::vector<std::string> pieces;
    {
        Utf8TextBuffer buffer([&](std::string_view text) {
            pieces.emplace_back(text);
            return true;
        });
        std::ostream out(&buffer);
        out << "J\xC3" << std::flush << "\xBCrgen \xE2\x82" << std::flush << "\xAC\n" << std::flush;
        out << std::string(5000, 'x') << "\xD0";
    }
    ASSERT_EQ(pieces.size(), 5u);
    EXPECT_EQ(pieces[0], "J");
    EXPECT_EQ(pieces[1], "\xC3\xBCrgen ");
    EXPECT_EQ(pieces[2], "\xE2\x82\xAC\n");
    EXPECT_EQ(pieces[3] + pieces[4], std::string(5000, 'x') + "\xD0");

    Utf8TextBuffer failing([](std::string_view) { return false; });
    std::ostream broken(&failing);
    broken << "x" << std::flush;
    EXPECT_TRUE(broken.bad());
}

}  // namespace
}  // namespace quillon
