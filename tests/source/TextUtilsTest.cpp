#include <gtest/gtest.h>

#include "source/SourceBase.h"
#include "source/TextUtils.h"

namespace quillon {

TEST(Append, SkipsEmptyValuesSeparatesIndentsWrapsWhenAskedAndTakesTheSeparatorBackWhenTheWriterAppendsNothing) {
    std::string text;
    EXPECT_FALSE(AppendSeparated(text, "", ","));
    EXPECT_TRUE(AppendSeparated(text, "a", ","));
    EXPECT_FALSE(AppendSeparated(text, "", ","));
    EXPECT_TRUE(AppendSeparated(text, "b", ","));
    // Every line a line-break separator starts is indented.
    AppendSeparated(text, "y", "\r\n", 3);
    AppendSeparated(text, "z", ";", 3);  // no line break: no indent
    EXPECT_EQ(text, "a,b\r\n   y;z");
    std::string noWrap(81, 'a');
    AppendSeparated(noWrap, "b", ",", 3, false);
    EXPECT_EQ(noWrap, std::string(81, 'a') + ",b");
    std::string twoLines = std::string(100, 'a') + "\r\nshort";
    AppendSeparated(twoLines, "b", ",", 0, true);
    EXPECT_EQ(twoLines, std::string(100, 'a') + "\r\nshort,b");
    std::string uses = "uses " + std::string(78, 'a');
    const std::size_t from = uses.size();
    // Nothing from the offset on yet: the first value, without separator.
    EXPECT_FALSE(AppendSeparatedFrom(uses, from, "", ",", 0, true));
    EXPECT_TRUE(AppendSeparatedFrom(uses, from, "b", ",", 0, true));
    EXPECT_EQ(uses.substr(from), "b");
    // The line is 84 characters long, but only 1 from the offset: no break.
    AppendSeparatedFrom(uses, from, "c", ",", 0, true);
    EXPECT_EQ(uses.substr(from), "b,c");
    AppendSeparatedFrom(uses, from, std::string(80, 'd'), ",", 2, true);
    AppendSeparatedFrom(uses, from, "e", ",", 2, true);
    EXPECT_EQ(uses.substr(from), "b,c," + std::string(80, 'd') + ",\r\n  e");
    std::string head = "head:";
    const std::size_t start = head.size();
    const auto write = [](std::string_view value) { return [value](std::string& dest) { dest.append(value); }; };
    EXPECT_TRUE(AppendSeparatedWith(head, start, "\r\n", 2, false, write("a")));
    EXPECT_FALSE(AppendSeparatedWith(head, start, "\r\n", 2, false, write("")));
    EXPECT_TRUE(AppendSeparatedWith(head, start, "\r\n", 2, false, write("b")));
    EXPECT_EQ(head, "head:a\r\n  b");
    // A long line wraps before what the writer appends, as AppendSeparatedFrom does.
    std::string list(81, 'x');
    AppendSeparatedWith(list, 0, ",", 3, true, write("y"));
    EXPECT_EQ(list, std::string(81, 'x') + ",\r\n   y");
    // Prefix and suffix stand only around text.
    AppendEnclosedWith(list, "(", ")", write(""));
    AppendEnclosedWith(list, "(", ")", write("b"));
    EXPECT_EQ(list, std::string(81, 'x') + ",\r\n   y(b)");
    std::string indented = "  ";
    AppendIndentedLines(indented, "x;\r\ny;\r\n", "  ");
    EXPECT_EQ(indented, "  x;\r\n  y;\r\n  ");
    std::string single;
    AppendIndentedLines(single, "z", "    ");
    EXPECT_EQ(single, "z");
    EXPECT_FALSE(LastLineLongerThanWrapWidth(""));
    EXPECT_FALSE(LastLineLongerThanWrapWidth(std::string(80, 'a')));
    EXPECT_TRUE(LastLineLongerThanWrapWidth(std::string(81, 'a')));
    EXPECT_TRUE(LastLineLongerThanWrapWidth("ab\r\n" + std::string(81, 'a')));
    EXPECT_FALSE(LastLineLongerThanWrapWidth(std::string(200, 'a') + "\r\n" + std::string(80, 'a')));
    EXPECT_FALSE(LastLineLongerThanWrapWidth(std::string(200, 'a') + "\r\n"));
}

TEST(PascalText, DoublesQuotesWritesLineBreaksAsCodesReplacesWithoutRescanningAndKeepsBraceCommentsClosed) {
    EXPECT_EQ(PascalLiteralBody("Bob's"), "Bob''s");
    EXPECT_EQ(PascalLiteralBody("a\r\nb\rc\nd"), "a'#13#10'b'#13'c'#10'd");
    EXPECT_EQ(PascalLiteralBody("\r\n"), "'#13#10'");
    EXPECT_EQ(ReplaceAll("a.b.c", ".", "::"), "a::b::c");
    EXPECT_EQ(ReplaceAll("aaa", "aa", "X"), "Xa");
    EXPECT_EQ(ReplaceAll("ab", "a", "aa"), "aab");
    EXPECT_EQ(ReplaceAll("Abc", "a", "x"), "Abc");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(BraceCommentText("rate in {EUR}"), "rate in (EUR)");
    EXPECT_EQ(BraceCommentText("Simple} procedure Injected; {calculator"), "Simple) procedure Injected; (calculator");
    EXPECT_EQ(BraceCommentText("$I x"), " $I x");
    EXPECT_EQ(BraceCommentText("costs $5 (* net *)"), "costs $5 (* net *)");
    EXPECT_EQ(BraceCommentText(""), "");
    // The appellation writes the safe copy and keeps the caption as typed.
    TgmcAppellation appellation;
    appellation.SetCaption("a}b");
    EXPECT_EQ(appellation.CaptionComment(), "{a)b}");
    EXPECT_EQ(appellation.GetCaption(), "a}b");
}

}  // namespace quillon
