// The common types unit and what other modules' units take from the first module: the rule that
// adds the types unit (last in the uses, with its file in the library project), the copies of the
// first module's procedural types, the units of registered types, and unknown type names.
#include <gtest/gtest.h>

#include "UnitsTestSupport.h"
#include "generator/CommonTypesUnit.h"
#include "generator/UnitBuilder.h"
#include "platform/Exception.h"

namespace quillon {
namespace {

using test::Typed;

class CommonTypesRule : public ::testing::Test {
protected:
    CommonTypesRule() { project.common.CreateEnumType("TShade", "", {"shLight", "shDark"}); }

    std::string Text(TFileKind kind) const { return BuildUnitText(calc, kind, project); }
    bool Uses() const { return UsesCommonTypesUnit(calc, project); }
    // A first-module procedural type TOnShade(aShade:TShade) and an event of it.
    void AddShadeEvent() {
        TemgProceduralType& onShade = *project.common.ProceduralTypes().Add();
        onShade.SetName("TOnShade");
        Typed(*onShade.Parameters().Add(), "aShade", "TShade", dtEnum);
        Typed(*calc.MainClass().Events().Add(), "OnShade", "TOnShade", dtProcedural);
    }

    test::UnitsProject project;
    TemgModule& calc = project.AddModule("Calc", moServerInDll);
};

// A module that names no enumerated type does not use the types unit; an enumerated parameter of
// the module's own procedural type counts; a first module without enumerated types has none.
TEST_F(CommonTypesRule, OnlyAnEnumeratedTypeOfTheFirstModuleIsReasonToUseIt) {
    Typed(*calc.MainClass().Properties().Add(), "Count", "Integer");
    EXPECT_FALSE(Uses());
    EXPECT_EQ(Text(TFileKind::GeneratorServerUnit).find("genCommonTypes"), std::string::npos);
    TemgProceduralType& onTint = *calc.ProceduralTypes().Add();
    onTint.SetName("TOnTint");
    Typed(*onTint.Parameters().Add(), "aShade", "TShade", dtEnum);
    EXPECT_TRUE(Uses());
    calc.ProceduralTypes().Clear();
    project.common.EnumTypes().Clear();
    calc.CreateEnumType("TMode", "", {"mdFast", "mdExact"});
    Typed(*calc.MainClass().Properties().Add(), "Mode", "TMode", dtEnum);
    EXPECT_FALSE(Uses());
    EXPECT_EQ(Text(TFileKind::ControllerUnit).find("genCommonTypes"), std::string::npos);
}

TEST_F(CommonTypesRule, AnEnumeratedPropertyPutsItLastInTheUsesOfEveryUnit) {
    Typed(*calc.MainClass().Properties().Add(), "Shade", "TShade", dtEnum);
    Typed(*calc.MainClass().Events().Add(), "OnChange", "TNotifyEvent", dtRegisteredProcedural);
    EXPECT_TRUE(Uses());
    for (TServerOption option : {moServerInDll, moDirectUsesServer, moComServerInDll, moComServer}) {
        calc.SetServerOption(option);
        std::vector<TFileKind> kinds{TFileKind::GeneratorServerUnit, TFileKind::DeveloperServerUnit,
                                     TFileKind::ControllerUnit, TFileKind::DatabaseSupportController};
        if (IsComOption(option)) kinds.push_back(TFileKind::InterfaceUnit);
        for (TFileKind kind : kinds) {
            const std::string text = Text(kind);
            // The first uses clause is the interface part's.
            const std::size_t end = text.find(";\r\n\r\n", text.find("uses \r\n"));
            EXPECT_EQ(text.substr(end - 15, 15), ",genCommonTypes")
                << ServerOptionNames.NameOf(static_cast<int>(option)) << " kind " << static_cast<int>(kind);
        }
    }
    calc.SetServerOption(moComServerInDll);
    EXPECT_NE(Text(TFileKind::LibraryProject)
                  .find("   intfCalc in '/work/demo/intfCalc.pas',\r\n"
                        "   genCommonTypes in '/work/demo/genCommonTypes.pas',\r\n"
                        "   genCalc in '/work/demo/genCalc.pas',\r\n"),
              std::string::npos);
}

TEST_F(CommonTypesRule, TheFirstModulesProceduralTypesAreCopiedWhereTheModulesOwnStand) {
    AddShadeEvent();
    TemgProceduralType& onResult = *calc.ProceduralTypes().Add();
    onResult.SetName("TOnResult");
    EXPECT_TRUE(Uses());
    const std::string copy = "   TOnShade=procedure(aShade:TShade) of object;\r\n";
    const std::string own = "   TOnResult=procedure of object;\r\n";

    EXPECT_NE(Text(TFileKind::GeneratorServerUnit).find("type\r\n" + copy + own), std::string::npos);
    EXPECT_NE(Text(TFileKind::ControllerUnit)
                  .find("   TInitInstance=procedure(var VInstanceID:Integer;const aApplicationHandle:THandle) "
                        "stdcall;\r\n" + copy + own + "   TSetOnShadeMethod="),
              std::string::npos);
    calc.SetServerOption(moDirectUsesServer);
    EXPECT_NE(Text(TFileKind::GeneratorServerUnit).find("type\r\n" + copy + own), std::string::npos);
    EXPECT_EQ(Text(TFileKind::ControllerUnit).find("TOnShade="), std::string::npos);
    // A COM server's copies and own types are the interface unit's.
    calc.SetServerOption(moComServerInDll);
    EXPECT_NE(Text(TFileKind::InterfaceUnit).find("type\r\n" + copy + own), std::string::npos);
    EXPECT_EQ(Text(TFileKind::GeneratorServerUnit).find("TOnShade="), std::string::npos);
    EXPECT_EQ(Text(TFileKind::ControllerUnit).find("TOnShade="), std::string::npos);
}

TEST_F(CommonTypesRule, CopiedTypesBringTheUnitsOfTheirRegisteredTypesAndAnUnknownTypeNameStopsTheUnit) {
    TemgMethod& factory = *calc.MainClass().Methods().Add();
    factory.SetName("UseFactory");
    Typed(*factory.Parameters().Add(), "aFactory", "TCreateQueryMethod", dtProcedural);
    EXPECT_FALSE(Uses());
    const std::string text = Text(TFileKind::GeneratorServerUnit);
    EXPECT_NE(text.find("   DLLServerCollection,Windows,Classes,SysUtils,Forms,DBTables;\r\n"), std::string::npos);
    EXPECT_NE(text.find("   TCreateQueryMethod=function:TQuery of object;\r\n"), std::string::npos);
    Typed(*calc.MainClass().Properties().Add(), "Size", "TSize");
    EXPECT_EQ(test::ExceptionMessage([&] { Text(TFileKind::GeneratorServerUnit); }),
              "The reference to the registered type TSize not found");
    calc.MainClass().Properties().Clear();
    Typed(*calc.MainClass().Events().Add(), "OnSize", "TOnSize", dtProcedural);
    EXPECT_EQ(test::ExceptionMessage([&] { Text(TFileKind::ControllerUnit); }),
              "The reference to the procedural type TOnSize not found");
}

// A module's generation collects the types once and keeps them while it runs: only for that
// module, and not past its end, when the design may have changed.
TEST_F(CommonTypesRule, KeptReferencesBelongToOneModuleAndEndWithTheGeneration) {
    TemgModule& tint = project.AddModule("Tint", moServerInDll);
    Typed(*tint.MainClass().Properties().Add(), "Shade", "TShade", dtEnum);
    {
        const TypeReferencesScope kept(calc, project);
        EXPECT_FALSE(Uses());
        EXPECT_TRUE(UsesCommonTypesUnit(tint, project));
        EXPECT_EQ(Text(TFileKind::ControllerUnit).find("genCommonTypes"), std::string::npos);
    }
    Typed(*calc.MainClass().Properties().Add(), "Shade", "TShade", dtEnum);
    EXPECT_TRUE(Uses());
    {
        const TypeReferencesScope kept(calc, project);
        EXPECT_NE(Text(TFileKind::ControllerUnit).find("genCommonTypes"), std::string::npos);
        // An unknown name still stops every unit that asks, not only the first.
        Typed(*calc.MainClass().Events().Add(), "OnTint", "TOnTint", dtProcedural);
        const TypeReferencesScope inner(calc, project);
        EXPECT_THROW(Text(TFileKind::GeneratorServerUnit), Exception);
        EXPECT_THROW(Text(TFileKind::ControllerUnit), Exception);
    }
}

}  // namespace
}  // namespace quillon
