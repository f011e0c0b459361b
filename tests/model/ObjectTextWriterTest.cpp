#include <gtest/gtest.h>

#include "SampleModel.h"
#include "model/Locker.h"
#include "model/ObjectText.h"
#include "support/Lines.h"

namespace quillon::test {
namespace {

std::string StringValue(std::string_view value, int level = 1) {
    std::string out;
    AppendStringValue(out, value, level);
    return out;
}

TEST(ObjectTextWriter, WritesEveryValueKindFloatsInShortestFormAndStringsWithCodesCutAfter64Characters) {
    // Collections are always written, no-default ordinals even when zero or empty, the rest not.
    EXPECT_EQ(ObjectToText(TSampleModel()), CrLf({"object TSampleModel",
                                                  "  Items = <>",
                                                  "  Count = 0",
                                                  "  Shared = False",
                                                  "  Flags = []",
                                                  "  Details.Parts = <>",
                                                  "end"}));
    TSampleModel full;
    full.SetComponentName("Model1");
    full.SetTag(-7);
    full.Appellation().SetName("Calc");
    TSampleItem* item = full.Items().Add();
    item->Appellation().SetCaption("First");
    item->SetSettings({sfHidden, sfRead});
    item->SetKind(skLarge);
    item->SetExported(false);
    item->SetSize(-12);
    item->Values().Add()->SetNumber(3);
    item->Values().Add()->Appellation().SetName("kTwo");
    full.Items().Add();
    full.SetCount(2);
    full.SetSmall(5);
    full.SetActive(false);
    full.SetKind(skNone);
    full.SetFlags({sfWrite, sfRead});
    full.SetAccess({});
    full.SetStamp(37890.5);
    full.SetTitle("It's");
    full.Lines().Add("one");
    full.Lines().Add("");
    full.Details().Inner().SetName("Deep");
    full.Details().Notes().Add("n");
    full.Details().SetRatio(1e20);
    full.Details().Parts().Add()->SetNumber(38000);

    EXPECT_EQ(ObjectToText(full), CrLf({"object Model1: TSampleModel",
                                         "  Tag = -7",
                                         "  Appellation.Name = 'Calc'",
                                         "  Items = <",
                                         "    item",
                                         "      Appellation.Caption = 'First'",
                                         "      Settings = [sfRead, sfHidden]",
                                         "      Kind = skLarge",
                                         "      Exported = False",
                                         "      Size = -12",
                                         "      Values = <",
                                         "        item",
                                         "          Number = 3",
                                         "        end",
                                         "        item",
                                         "          Appellation.Name = 'kTwo'",
                                         "        end>",
                                         "    end",
                                         "    item",
                                         "      Settings = []",
                                         "      Kind = skNone",
                                         "      Values = <>",
                                         "    end>",
                                         "  Count = 2",
                                         "  Small = 5",
                                         "  Active = False",
                                         "  Shared = False",
                                         "  Kind = skNone",
                                         "  Flags = [sfRead, sfWrite]",
                                         "  Access = []",
                                         "  Stamp = 37890.5",
                                         "  Title = 'It'#39's'",
                                         "  Lines.Strings = (",
                                         "    'one'",
                                         "    '')",
                                         "  Details.Inner.Name = 'Deep'",
                                         "  Details.Notes.Strings = (",
                                         "    'n')",
                                         "  Details.Ratio = 1E20",
                                         "  Details.Parts = <",
                                         "    item",
                                         "      Number = 38000",
                                         "    end>",
                                         "end"}));
    EXPECT_EQ(FloatToText(37890.5), "37890.5");
    EXPECT_EQ(FloatToText(38000), "38000");
    EXPECT_EQ(FloatToText(1e20), "1E20");
    EXPECT_EQ(FloatToText(-1.5e-7), "-1.5E-7");
    EXPECT_EQ(FloatToText(0.001), "0.001");
    EXPECT_EQ(FloatToText(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(FloatToText(123456789012345678.0), "1.23456789012346E17");
    // Rounding the largest double up would overflow: it is cut instead, so it reads back.
    EXPECT_EQ(FloatToText(1.7976931348623157e308), "1.79769313486231E308");
    // Quotes, control characters and every character beyond ASCII (as its UTF-16 code units) are
    // written as codes, so that model files are ASCII; each code counts as one character towards the
    // cut width: a string longer than 64 starts on a new line and is cut after 64. Bytes that are not
    // UTF-8 are the Western code page's characters.
    const std::string a64(64, 'a'), a62(62, 'a');
    const struct {
        std::string value;
        int level;
        std::string text;
    } cases[] = {
        {a64, 1, "'" + a64 + "'"},
        {a64 + "a", 1, "\r\n    '" + a64 + "' +\r\n    'a'"},
        {"a'b", 1, "'a'#39'b'"},
        {"\r\n", 1, "#13#10"},
        {"'", 1, "#39"},
        {std::string("x\0y", 3), 1, "'x'#0'y'"},
        {"", 1, "''"},
        {std::string(60, 'a') + "\r\n" + std::string(10, 'b'), 0,
         "\r\n  '" + std::string(60, 'a') + "'#13#10'bb' +\r\n  '" + std::string(8, 'b') + "'"},
        {"\xC3\x9C" "berweisung", 1, "#220'berweisung'"},
        {"\xE2\x82\xAC\xF0\x9F\x98\x80", 1, "#8364#55357#56832"},
        {"a\x80\xFC", 1, "'a'#8364#252"},
        {a62 + "\xD0\x9F\xD0\xB9" + "b", 0, "\r\n  '" + a62 + "'#1055#1081 +\r\n  'b'"},
        {a64 + "\xC3\xA4", 0, "\r\n  '" + a64 + "' +\r\n  #228"},
    };
    for (const auto& c : cases) EXPECT_EQ(StringValue(c.value, c.level), c.text) << c.value;
    TSampleModel model;
    model.Lines().Add(std::string(70, 'x'));
    const std::string text = PropertiesToText(model, 1);
    EXPECT_NE(text.find(CrLf({"  Lines.Strings = (",
                              "    ",
                              "      '" + std::string(64, 'x') + "' +"}) +
                        "      'xxxxxx')\r\n"),
              std::string::npos)
        << text;
}

TEST(Locker, NamesTheLockFileNeverReportsAFileLockedAndWritesTheRecordWithItsDateAsFloat) {
    EXPECT_EQ(LockFileName("/p/Calc.qlm"), "/p/Calc.lck");
    EXPECT_EQ(LockFileName("/p.qlm/Calc.qlm"), "/p.lck/Calc.lck");
    EXPECT_EQ(LockFileName("/p.d/Calc"), "/p.d/Calc.lck");
    // A file is never reported locked.
    LockModelFile("/p/Calc.qlm");
    EXPECT_FALSE(IsModelFileLocked("/p/Calc.qlm"));
    UnlockModelFile("/p/Calc.qlm");
    TLockInfo info;
    EXPECT_EQ(ObjectToText(info), CrLf({"object TLockInfo", "end"}));
    info.SetComputerName("PC1");
    info.SetLockDate(45000.5);
    EXPECT_TRUE(info.GetModified());
    const std::string text = ObjectToText(info);
    EXPECT_EQ(text, CrLf({"object TLockInfo", "  ComputerName = 'PC1'", "  LockDate = 45000.5", "end"}));
    TLockInfo copy;
    ObjectFromText(text, copy);
    EXPECT_EQ(copy.GetLockDate(), 45000.5);
}

}  // namespace
}  // namespace quillon::test
