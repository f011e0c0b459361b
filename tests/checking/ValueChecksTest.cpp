// How a value written as typed fits its element's type: what the check can decide, and what it
// leaves to the compiler.
#include <gtest/gtest.h>

#include "checking/ValueChecks.h"
#include "generator/Module.h"

namespace quillon {
namespace {

struct Fit {
    const char* value;
    const char* type;
    TValueFit fit;
};

constexpr TValueFit kFits = TValueFit::kFits, kWrong = TValueFit::kWrong, kUnresolved = TValueFit::kUnresolved;

TEST(ValueFit, DecidesLiteralsOfTheWrongKindAndLeavesExpressionsToTheCompiler) {
    TemgModule module;
    module.CreateEnumType("TMode", "", {"mdFast", "mdExact"});
    module.CreateEnumType("TShade", "", {"shLight"});
    const Fit cases[] = {
        {"MaxInt", "Integer", kFits},      {"High(Integer)", "Integer", kFits}, {"$FF", "Byte", kFits},
        {"-$10", "Integer", kFits},        {"clRed", "Integer", kFits},        {"Graphics.clRed", "LongInt", kFits},
        {"1 + 2", "Integer", kFits},       {"-1", "Int64", kFits},             {"1.5E-3", "Double", kFits},
        {"7", "Double", kFits},            {"#13#10", "String", kFits},        {"'It''s' + #9", "string", kFits},
        {"'x'", "Char", kFits},            {"#$41", "WideChar", kFits},        {"not True", "Boolean", kFits},
        {"mdExact", "TMode", kFits},       {"Low(TMode)", "TMode", kFits},     {"42", "Variant", kFits},
        {"'7'", "Integer", kWrong},        {"2.5", "Integer", kWrong},         {"'2.5'", "Double", kWrong},
        {"42", "String", kWrong},          {"65", "Char", kWrong},             {"1", "Boolean", kWrong},
        {"-'a'", "string", kWrong},        {"True", "string", kWrong},         {"mdFast", "Integer", kWrong},
        {"Hello World", "string", kWrong}, {"f(1) 2", "Integer", kWrong},      {"'open", "string", kWrong},
        {"'a''", "Char", kWrong},          {"shLight", "TMode", kWrong},       {"mdSlow", "TMode", kWrong},
        {"'mdFast'", "TMode", kWrong},     {"Hello", "string", kUnresolved},   {"Maybe", "Boolean", kUnresolved},
    };
    for (const Fit& c : cases) {
        TemgDataType type;
        type.SetName(c.type);
        type.SetCategory(std::string_view(c.type).starts_with("TM") ? dtEnum : dtRegistered);
        EXPECT_EQ(ValueFit(c.value, type, module, nullptr), c.fit) << c.value << " for " << c.type;
    }
    // A unit the module adds may declare a constant of the enumeration.
    module.AddUnits().Add()->SetName("Modes.pas");
    TemgDataType mode;
    mode.SetName("TMode");
    mode.SetCategory(dtEnum);
    EXPECT_EQ(ValueFit("mdDefault", mode, module, nullptr), kUnresolved);
}

}  // namespace
}  // namespace quillon
