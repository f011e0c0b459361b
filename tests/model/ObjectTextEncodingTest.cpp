// Characters beyond ASCII in model files: read from codes, UTF-8 or the bytes of older tools'
// files, after a byte-order mark.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "SampleModel.h"
#include "model/ComponentFile.h"
#include "model/ObjectText.h"

namespace quillon::test {
namespace {

// A code is a UTF-16 code unit; quoted bytes are UTF-8 when the whole file is, else the Western
// code page of older tools' files.
TEST(ObjectTextEncoding, ReadsCodesAsCharactersAndQuotedBytesAsUtf8OrTheWesternCodePage) {
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
}

// Editors on Windows put a byte-order mark before UTF-8: reading skips it, writing adds none.
TEST(ObjectTextEncoding, SkipsAByteOrderMarkBeforeAModelFile) {
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
