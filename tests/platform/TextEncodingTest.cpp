// Text across Quillon's boundaries: UTF-8 inside, Windows code pages in generated files, UTF-16
// in model file codes and on the Windows console.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/TextEncoding.h"

namespace quillon {
namespace {

// Generated files in a Windows code page: what it holds becomes its byte, what it lacks is
// refused; every byte a code page defines reads back as the character it was written from.
TEST(CodePages, WriteTheCharactersTheyHoldReadEveryDefinedByteBackAndUtf8IsCheckedAndSpeltAsUtf16) {
    const struct {
        int codePage;
        std::string_view text;
        std::optional<std::string_view> bytes;
    } cases[] = {
        {1252, "J\xC3\xBCrgen \xE2\x82\xAC", "J\xFCrgen \x80"},
        {1252, "\xD0\x9F", std::nullopt},
        {1251, "\xD0\x9F", "\xCF"},
        {1250, "\xC5\x81\xC3\xB3" "d\xC5\xBA", "\xA3\xF3" "d\x9F"},
        {932, "plain ASCII", "plain ASCII"},
        {932, "\xC3\xBC", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(CodePageFromUtf8(c.text, c.codePage), c.bytes) << c.codePage << c.text;
    for (const int codePage : SupportedCodePages()) {
        for (int byte = 0; byte < 256; ++byte) {
            const std::string one(1, static_cast<char>(byte));
            const std::string text = Utf8FromCodePage(one, codePage);
            if (text == "\xEF\xBF\xBD") continue;  // a byte the code page leaves undefined
            EXPECT_EQ(CodePageFromUtf8(text, codePage), one) << codePage << " " << byte;
        }
    }
    EXPECT_TRUE(IsValidUtf8("J\xC3\xBCrgen \xF0\x9F\x98\x80"));
    for (const std::string_view bad : {"\xFC", "\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82"})
        EXPECT_FALSE(IsValidUtf8(bad)) << bad;
    EXPECT_EQ(Utf16FromUtf8("J\xFC\xC3\xBC\xF0\x9F\x98\x80"), u"J\u00FC\u00FC\U0001F600");
}

}  // namespace
}  // namespace quillon
