#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "SampleModel.h"
#include "model/ComponentFile.h"
#include "model/ObjectText.h"
#include "platform/Exception.h"
#include "support/Lines.h"
#include "support/Raised.h"

namespace quillon::test {
namespace {

// The message of the Exception that reading `text` into a fresh model raises.
std::string ReadError(std::string_view text) {
    TSampleModel model;
    return ExceptionMessage([&] { ObjectFromText(text, model); });
}

TEST(ObjectTextReader, ReadsBackWhatTheWriterWroteAndAcceptsAnyCaseBlanksDoubledQuotesJoinedPiecesAndItemIndexes) {
    TSampleModel model;
    FillSampleModel(model, 3);
    model.SetComponentName("Model1");
    model.SetSmall(-2147483647 - 1);
    model.SetTag(9223372036854775807);
    model.SetAccess({});
    model.SetActive(false);
    model.Details().Inner().SetName(std::string("\x01\x7F\xFF'\"", 5));
    model.Details().Notes().Add(std::string(200, 'n'));
    model.Details().SetRatio(-1.7976931348623157e308);
    model.Details().Parts().Add()->SetNumber(-1);
    const std::string text = ObjectToText(model);

    TSampleModel copy;
    ObjectFromText(text, copy);
    EXPECT_EQ(ObjectToText(copy), text);
    EXPECT_EQ(copy.ComponentName(), "Model1");
    EXPECT_EQ(copy.Items().Items(2)->Values().Items(1)->Appellation().GetName(), "v1");
    TSampleModel typed;
    ObjectFromText("OBJECT m1 : tsamplemodel  title='It''s'+#32 +\n 'ok' items=<ITEM[0]\n"
                   "appellation . NAME = 'a' weight = 3 End item [ 7 ] END> STAMP=-2 kind = SKLARGE "
                   "active = false flags=[ SFHIDDEN ,sfRead ] details.notes.STRINGS = ( 'x' 'y' )\r\nend",
                   typed);
    EXPECT_EQ(typed.ComponentName(), "m1");
    EXPECT_EQ(typed.GetTitle(), "It's ok");
    ASSERT_EQ(typed.Items().Count(), 2);
    EXPECT_EQ(typed.Items().Items(0)->Appellation().GetName(), "a");
    EXPECT_EQ(typed.Items().Items(0)->GetWeight(), 3.0);
    EXPECT_EQ(typed.GetStamp(), -2.0);
    EXPECT_EQ(typed.GetKind(), skLarge);
    EXPECT_FALSE(typed.GetActive());
    EXPECT_EQ(typed.GetFlags(), (TSampleFlags{sfRead, sfHidden}));
    EXPECT_EQ(typed.Details().Notes().Items(), (std::vector<std::string>{"x", "y"}));
    // Each item knows the line where its text starts.
    EXPECT_EQ(typed.Items().Items(0)->SourceLine(), 2);
    EXPECT_EQ(typed.Items().Items(1)->SourceLine(), 3);
}

TEST(ObjectTextReader, ReplacesCollectionItemsOnlyWhenItemsFollowReplacesStringsAndReadsConsecutiveObjects) {
    TSampleModel model;
    model.Items().Add()->Appellation().SetName("kept");
    model.Lines().Add("old");
    ObjectFromText("object T Items = <> Lines.Strings = ('new') end", model);
    ASSERT_EQ(model.Items().Count(), 1);
    EXPECT_EQ(model.Items().Items(0)->Appellation().GetName(), "kept");
    EXPECT_EQ(model.Lines().Items(), std::vector<std::string>{"new"});

    ObjectFromText("object T Items = < item end item end > end", model);
    ASSERT_EQ(model.Items().Count(), 2);
    EXPECT_EQ(model.Items().Items(0)->Appellation().GetName(), "");
    TSampleModel first, second;
    const std::string text = ObjectToText(TSampleModel()) + "object B: TOther\r\n  Title = 'b'\r\nend\r\n";
    ObjectsFromText(text, std::array<TPersistent*, 2>{&first, &second});
    EXPECT_EQ(second.ComponentName(), "B");
    EXPECT_EQ(second.GetTitle(), "b");
    EXPECT_EQ(first.SourceLine(), 1);
    EXPECT_EQ(second.SourceLine(), static_cast<int>(std::count(text.begin(), text.end(), '\n')) - 2);
}

// Syntax errors, unknown properties and wrong values (with the property's path) are reported
// with their line: CR LF, LF and a lone CR end one line each. Numbers outside a property's
// range are wrong values.
TEST(ObjectTextReader, ReportsFaultsWithTheirLineReadsFloatsWithAPointLimitsNestingAndLeavesARejectedTargetUntouched) {
    const std::pair<const char*, const char*> cases[] = {
        {"object T\r  Title 'x'\rend", "''='' expected on line 2"},
        {"object T\r\r\r  Title 'x'\rend", "''='' expected on line 4"},
        {"object T\r\n\r  Title 'x'\nend", "''='' expected on line 3"},
        {"", "''object'' expected on line 1"},
        {"object\n\n", "Identifier expected on line 3"},
        {"object T\n  Title 'x'\nend", "''='' expected on line 2"},
        {"object T\n  Title = 'abc\nend", "Invalid string constant on line 2"},
        {"object T\n  Title = #\nend", "Invalid string constant on line 2"},
        {"object T\n  Title = #65536\nend", "Invalid string constant on line 2"},
        {"object T\n  Title = 'a' +\n  Count = 1\nend", "String expected on line 3"},
        {"object T\n  Count = -\nend", "Number expected on line 2"},
        {"object T\n  Stamp = 1e\nend", "Number expected on line 2"},
        {"object T\n  Count = { 0A 1 }\nend", "Invalid binary value on line 2"},
        {"object T\n  Count = )\nend", "Invalid property value on line 2"},
        {"object T\n  Flags = [sfRead sfWrite]\nend", "'','' expected on line 2"},
        {"object T\n  Items = < thing end>\nend", "''item'' expected on line 2"},
        {"object T\n  Items = <\n    item\n", "''end'' expected on line 4"},
        {"object T\n  object C: TChild\n  end\nend", "Class TChild not found on line 2"},
        {"object T\n  Nope = 1\nend", "Property does not exist: Nope on line 2"},
        {"object T\n\n  Appellation . Nope = ''\nend", "Property does not exist: Appellation.Nope on line 3"},
        {"object T\n  Title.Name = ''\nend", "Property does not exist: Title.Name on line 2"},
        {"object T\n  Items = <\n    item\n      Bogus = 1\n    end>\nend", "Property does not exist: Bogus on line 4"},
        {"object T Count = 'x' end", "Invalid property value: Count on line 1"},
        {"object T Active = 1 end", "Invalid property value: Active on line 1"},
        {"object T Kind = skHuge end", "Invalid property value: Kind on line 1"},
        {"object T Flags = [sfNone] end", "Invalid property value: Flags on line 1"},
        {"object T Title = Title end", "Invalid property value: Title on line 1"},
        {"object T Appellation = 'x' end", "Invalid property value: Appellation on line 1"},
        {"object T Lines = ('x') end", "Invalid property value: Lines on line 1"},
        {"object T Lines.Strings = (1) end", "Invalid property value: Lines.Strings on line 1"},
        {"object T Items = 1 end", "Invalid property value: Items on line 1"},
        {"object T Count = {00} end", "Invalid property value: Count on line 1"},
        {"object T Small = 2147483648 end", "Invalid property value: Small on line 1"},
        {"object T Count = 9223372036854775808 end", "Invalid property value: Count on line 1"},
        {"object T Count = 99999999999999999999999 end", "Invalid property value: Count on line 1"},
        {"object T Stamp = 1E400 end", "Invalid property value: Stamp on line 1"},
        {"object T Count = 1.5 end", "Invalid property value: Count on line 1"},
        {"object T Stamp = 100000000000000000000E300 end", "Invalid property value: Stamp on line 1"},
    };
    for (const auto& [text, error] : cases) EXPECT_EQ(ReadError(text), error) << text;
    TSampleModel extremes;
    ObjectFromText("object T Count = -9223372036854775808 Small = -2147483648 end", extremes);
    EXPECT_EQ(extremes.GetCount(), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(extremes.GetSmall(), std::numeric_limits<int>::min());
    const auto stamp = [](std::string_view value) {
        TSampleModel model;
        ObjectFromText("object T Stamp = " + std::string(value) + " end", model);
        return model.GetStamp();
    };
    EXPECT_EQ(stamp("37890.5"), 37890.5);
    EXPECT_EQ(stamp("1.5E+003"), 1500.0);
    EXPECT_EQ(stamp("2.5e-3"), 0.0025);
    EXPECT_EQ(stamp("1."), 1.0);
    EXPECT_EQ(stamp("-1.7976931348623157E308"), -1.7976931348623157e308);
    EXPECT_EQ(stamp("4.9E-324"), 4.9e-324);  // the smallest denormal still reads as itself
    // Below the smallest double: zero of the value's sign, not an error.
    EXPECT_EQ(stamp("1E-400"), 0.0);
    EXPECT_EQ(stamp("-0.000000000000000000000000000000000001E-300"), 0.0);
    EXPECT_EQ(stamp("100000000000000000000E-350"), 0.0);
    std::string collections = "object T Items = <";
    for (int i = 0; i < 100000; ++i) collections += " item Values = <";
    EXPECT_EQ(ReadError(collections), "Nesting too deep on line 1");
    std::string lists = "object T Lines.Strings = ";
    lists.append(100000, '(');
    EXPECT_EQ(ReadError(lists), "Nesting too deep on line 1");
    std::string objects;
    for (int i = 0; i < 100000; ++i) objects += "object T ";
    EXPECT_EQ(ReadError(objects), "Nesting too deep on line 1");
    TSampleModel model;
    FillSampleModel(model, 2);
    model.SetModified(false);
    const std::string before = ObjectToText(model);
    // Valid lines first, then a fault deep inside a new item.
    const std::string text = "object T Title = 'changed' Items = < item Appellation.Name = 'new' Values = < item "
                             "Number = 'x' end> end> end";
    EXPECT_THROW(ObjectFromText(text, model), Exception);
    EXPECT_EQ(ObjectToText(model), before);
    EXPECT_FALSE(model.GetModified());
    EXPECT_THROW(ObjectFromText("object T Title = 'changed' Items = <>", model), Exception);
    EXPECT_EQ(ObjectToText(model), before);
}

// A code is a UTF-16 code unit; quoted bytes are UTF-8 when the whole file is, else the Western
// code page of older tools' files.
TEST(ObjectTextEncoding, ReadsCodesAsCharactersAndQuotedBytesAsUtf8OrTheWesternCodePageAndSkipsAByteOrderMark) {
    const struct {
        std::string_view value, read;
    } cases[] = {
        {"#220'berweisung'", "\xC3\x9C" "berweisung"},
        {"#1055#1088#1086#1077#1082#1090#1099", "\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB5\xD0\xBA\xD1\x82\xD1\x8B"},
        {"#8364#65535", "\xE2\x82\xAC\xEF\xBF\xBF"},
        {"#55357#56832", "\xF0\x9F\x98\x80"},
        {"#55357'x'#56832", "\xEF\xBF\xBDx\xEF\xBF\xBD"},
        {"'\xC3\x9C' + 'ber'", "\xC3\x9C" "ber"},
        {"'\xDC' + 'ber\x80'", "\xC3\x9C" "ber\xE2\x82\xAC"},
    };
    for (const auto& c : cases) {
        TSampleModel model;
        ObjectFromText("object T\r\n  Title = " + std::string(c.value) + "\r\nend", model);
        EXPECT_EQ(model.GetTitle(), c.read) << c.value;
    }
    // Editors on Windows put a byte-order mark before UTF-8: reading skips it, writing adds none.
    TSampleModel model;
    FillSampleModel(model, 1);
    const std::string text = ModelFileText(model, kModuleSignature, "x");
    TSampleModel read;
    std::string options;
    ReadModelText(read, "\xEF\xBB\xBF" + text, kModuleSignature, options);
    EXPECT_EQ(ModelFileText(read, kModuleSignature, options), text);
}

}  // namespace
}  // namespace quillon::test
