// Whole texts of the generated units of a small module under each server option, with and without
// the application handle, ShareMem and single instancing, and of a class with external classes
// reaching library servers directly and transitively and a COM server. The expected texts are the
// files under tests/generator/golden.
#include <gtest/gtest.h>

#include "UnitsTestSupport.h"
#include "generator/UnitBuilder.h"

namespace quillon {
namespace {

using test::MatchesGolden;

class UnitTexts : public ::testing::Test {
protected:
    std::string Text(const TemgModule& module, TFileKind kind) const { return BuildUnitText(module, kind, project); }

    test::UnitsProject project;
};

TEST_F(UnitTexts, LibraryServer) {
    const TemgModule& calc = test::AddCalc(project, moServerInDll);
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::GeneratorServerUnit), "library/genCalc.pas"));
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::DeveloperServerUnit), "library/devCalc.pas"));
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::ControllerUnit), "library/cntrCalc.pas"));
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::LibraryProject), "library/Calc.dpr"));
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::DatabaseSupportController), "library/Calc.pas"));
    EXPECT_EQ(Text(calc, TFileKind::InterfaceUnit), "");
}

TEST_F(UnitTexts, LibraryServerWithoutApplicationHandleAndShareMemWithOneInstance) {
    TemgModule& calc = test::AddCalc(project, moServerInDll);
    calc.SetInterfaceSupport(false);
    calc.SetShareMemSupport(false);
    calc.MainClass().SetDllClassInstancing(dllciSingleInstance);
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::GeneratorServerUnit), "library-plain/genCalc.pas"));
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::ControllerUnit), "library-plain/cntrCalc.pas"));
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::LibraryProject), "library-plain/Calc.dpr"));
}

TEST_F(UnitTexts, DirectServer) {
    const TemgModule& calc = test::AddCalc(project, moDirectUsesServer);
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::GeneratorServerUnit), "direct/genCalc.pas"));
    // The host compiles the server in: no exported routines, and the unit does not use the
    // developer's unit.
    EXPECT_EQ(Text(calc, TFileKind::GeneratorServerUnit).find("export;"), std::string::npos);
    EXPECT_EQ(Text(calc, TFileKind::GeneratorServerUnit).find("   devCalc;"), std::string::npos);
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::DeveloperServerUnit), "library/devCalc.pas"));
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::ControllerUnit), "direct/cntrCalc.pas"));
    EXPECT_EQ(Text(calc, TFileKind::LibraryProject), "");
}

TEST_F(UnitTexts, ComServerInLibrary) {
    const TemgModule& calc = test::AddCalc(project, moComServerInDll);
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::GeneratorServerUnit), "com-library/genCalc.pas"));
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::InterfaceUnit), "com-library/intfCalc.pas"));
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::DeveloperServerUnit), "com-library/devCalc.pas"));
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::ControllerUnit), "com-library/cntrCalc.pas"));
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::LibraryProject), "com-library/Calc.dpr"));
}

TEST_F(UnitTexts, ComServerInLibraryWithoutApplicationHandleAndShareMem) {
    TemgModule& calc = test::AddCalc(project, moComServerInDll);
    calc.SetInterfaceSupport(false);
    calc.SetShareMemSupport(false);
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::GeneratorServerUnit), "com-library-plain/genCalc.pas"));
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::InterfaceUnit), "com-library-plain/intfCalc.pas"));
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::ControllerUnit), "com-library-plain/cntrCalc.pas"));
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::LibraryProject), "com-library-plain/Calc.dpr"));
}

TEST_F(UnitTexts, ComServer) {
    const TemgModule& calc = test::AddCalc(project, moComServer);
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::GeneratorServerUnit), "com/genCalc.pas"));
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::InterfaceUnit), "com/intfCalc.pas"));
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::ControllerUnit), "com/cntrCalc.pas"));
    for (TFileKind kind : {TFileKind::GeneratorServerUnit, TFileKind::InterfaceUnit, TFileKind::ControllerUnit})
        EXPECT_EQ(Text(calc, kind).find("Application.Handle"), std::string::npos) << static_cast<int>(kind);
    EXPECT_EQ(Text(calc, TFileKind::LibraryProject), "");
}

// Calc holds a Shelf of the library server Store, which keeps its Backup in the library server
// Archive, and an Output of the COM server Printer.
class ExternalClassTexts : public UnitTexts {
protected:
    TemgModule& AddProject(TServerOption calcOption) {
        project.AddModule("Archive", moServerInDll);
        AddExternal(project.AddModule("Store", moServerInDll), "Archive", "Backup");
        project.AddModule("Printer", moComServerInDll);
        TemgModule& calc = test::AddCalc(project, calcOption);
        AddExternal(calc, "Store", "Shelf").SetCaption("Shelf of stored results");
        AddExternal(calc, "Printer", "Output");
        return calc;
    }

    static TemgExternalClass& AddExternal(TemgModule& owner, std::string_view referenced, std::string_view property) {
        TemgExternalClass& external = *owner.MainClass().ExternalClasses().Add();
        external.SetName(referenced);
        external.SetPropertyName(property);
        return external;
    }
};

TEST_F(ExternalClassTexts, InALibraryServer) {
    const TemgModule& calc = AddProject(moServerInDll);
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::GeneratorServerUnit), "external-library/genCalc.pas"));
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::ControllerUnit), "external-library/cntrCalc.pas"));
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::LibraryProject), "external-library/Calc.dpr"));
    EXPECT_TRUE(MatchesGolden(Text(*project.FindModule("Store"), TFileKind::ControllerUnit),
                              "external-library/cntrStore.pas"));
}

TEST_F(ExternalClassTexts, InAComServer) {
    const TemgModule& calc = AddProject(moComServerInDll);
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::GeneratorServerUnit), "external-com/genCalc.pas"));
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::InterfaceUnit), "external-com/intfCalc.pas"));
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::ControllerUnit), "external-com/cntrCalc.pas"));
}

TEST_F(ExternalClassTexts, InADirectServer) {
    const TemgModule& calc = AddProject(moDirectUsesServer);
    EXPECT_TRUE(MatchesGolden(Text(calc, TFileKind::ControllerUnit), "external-direct/cntrCalc.pas"));
}

TEST_F(UnitTexts, TheTypesUnitDeclaresTheFirstModulesEnumeratedTypes) {
    project.common.CreateEnumType("TShade", "Shade of a colour", {"shLight", "shDark"});
    project.common.CreateEnumType("TSize", "", {"szSmall", "szLarge"});
    EXPECT_TRUE(MatchesGolden(Text(project.common, TFileKind::TypesUnit), "genCommonTypes.pas"));
}

}  // namespace
}  // namespace quillon
