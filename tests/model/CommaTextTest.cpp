#include <gtest/gtest.h>

#include "model/Persistent.h"

namespace quillon {
namespace {

std::string CommaTextOf(std::vector<std::string> strings) {
    TStringList list;
    list.SetItems(std::move(strings));
    return list.CommaText();
}

TEST(CommaText, QuotesEntriesWithBlanksControlCharactersCommasOrQuotesAndReadsUnquotedOnes) {
    EXPECT_EQ(CommaTextOf({"a", "b"}), "a,b");
    EXPECT_EQ(CommaTextOf({"a b", "c,d", "say \"hi\"", "tab\there", "plain"}),
              "\"a b\",\"c,d\",\"say \"\"hi\"\"\",\"tab\there\",plain");
    EXPECT_EQ(CommaTextOf({}), "");
    EXPECT_EQ(CommaTextOf({""}), "\"\"");
    EXPECT_EQ(CommaTextOf({"a", "", "b"}), "a,,b");
    // Reading separates at unquoted blanks and tolerates an unclosed quote.
    TStringList list;
    list.SetCommaText("  one two , \"three");
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"one", "two", "three"}));
}

TEST(CommaText, ReadsBackWhatItWrote) {
    for (const std::vector<std::string>& strings :
         std::vector<std::vector<std::string>>{{"a b", "c,d", "say \"hi\"", "", "x"}, {""}, {"", ""}, {"a", ""}, {}}) {
        TStringList list;
        list.Add("stale");
        list.SetCommaText(CommaTextOf(strings));
        EXPECT_EQ(list.Items(), strings) << CommaTextOf(strings);
    }
}

}  // namespace
}  // namespace quillon
