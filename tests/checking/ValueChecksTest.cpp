// How a value written as typed fits its element's type: what the check can decide, and what it
// leaves to the compiler.
#include <gtest/gtest.h>

#include "checking/ValueChecks.h"
#include "elements/ElementRules.h"
#include "generator/Module.h"

namespace quillon {
namespace {

// `inClass`: a default value, written inside the generated classes, where a name means their member.
struct Fit { const char* value; const char* type; TValueFit fit; bool inClass = true; };

constexpr TValueFit kFits = TValueFit::kFits, kWrong = TValueFit::kWrong, kUnresolved = TValueFit::kUnresolved;

TEST(ValueFit, DecidesLiteralsOfTheWrongKindAndLeavesExpressionsToTheCompiler) {
    TemgModule module;
    module.CreateEnumType("TMode", "", {"mdFast", "mdExact"});
    module.CreateEnumType("TShade", "", {"shLight", "Limit"});
    module.MainClass().Properties().Add()->SetName("Count");
    module.MainClass().Methods().Add()->SetName("Limit");
    const ClassScope scope(module.MainClass());
    const Fit cases[] = {
        {"MaxInt", "Integer", kFits}, {"High(Integer)", "Integer", kFits}, {"$FF", "Byte", kFits},
        {"-$10", "Integer", kFits}, {"clRed", "Integer", kFits}, {"Graphics.clRed", "LongInt", kFits},
        {"1 + 2", "Integer", kFits}, {"-1", "Int64", kFits}, {"1.5E-3", "Double", kFits}, {"7", "Double", kFits},
        {"#13#10", "String", kFits}, {"'It''s' + #9", "string", kFits}, {"'x'", "Char", kFits},
        {"#$41", "WideChar", kFits}, {"not True", "Boolean", kFits}, {"mdExact", "TMode", kFits},
        {"Low(TMode)", "TMode", kFits}, {"42", "Variant", kFits}, {"Limits.Count + 1", "Int64", kFits},
        {"Pair(1).Count", "Byte", kFits}, {"Count", "Integer", kFits, false}, {"Limit", "Variant", kFits},
        {"'7'", "Integer", kWrong}, {"2.5", "Integer", kWrong}, {"'2.5'", "Double", kWrong}, {"42", "String", kWrong},
        {"65", "Char", kWrong}, {"1", "Boolean", kWrong}, {"-'a'", "string", kWrong}, {"True", "string", kWrong},
        {"mdFast", "Integer", kWrong}, {"Hello World", "string", kWrong}, {"f(1) 2", "Integer", kWrong},
        {"'open", "string", kWrong}, {"'a''", "Char", kWrong}, {"shLight", "TMode", kWrong},
        {"mdSlow", "TMode", kWrong}, {"'mdFast'", "TMode", kWrong}, {"Count", "Integer", kWrong},
        {"fcount", "Integer", kWrong}, {"2 * High(Count)", "Int64", kWrong}, {"Create", "Integer", kWrong},
        {"Self", "Variant", kWrong}, {"Hello", "string", kUnresolved}, {"Maybe", "Boolean", kUnresolved},
    };
    const auto fit = [&](const Fit& c) {
        TemgDataType type;
        type.SetName(c.type);
        type.SetCategory(std::string_view(c.type).starts_with("TM") ? dtEnum : dtRegistered);
        return ValueFit(c.value, type, module, nullptr, c.inClass ? &scope : nullptr);
    };
    for (const Fit& c : cases) EXPECT_EQ(fit(c), c.fit) << c.value << " for " << c.type << (c.inClass ? " in class" : "");
    // A unit the module adds may declare a constant of the enumeration.
    module.AddUnits().Add()->SetName("Modes.pas");
    EXPECT_EQ(fit({"mdDefault", "TMode", kUnresolved}), kUnresolved);
}

}  // namespace
}  // namespace quillon
