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

// Each server option's units against the golden folder named; "plain": without the application
// handle and ShareMem, a library server with one instance. A kind the option does not write has
// no text; a direct server's developer unit is the library server's.
TEST_F(UnitTexts, EachServerOptionWithAndWithoutApplicationHandleAndShareMem) {
    using K = TFileKind;
    const struct {
        TServerOption option;
        bool plain;
        const char* folder;
        std::vector<K> kinds;
        std::vector<K> none;
    } cases[] = {
        {moServerInDll, false, "library",
         {K::GeneratorServerUnit, K::DeveloperServerUnit, K::ControllerUnit, K::LibraryProject,
          K::DatabaseSupportController},
         {K::InterfaceUnit}},
        {moServerInDll, true, "library-plain", {K::GeneratorServerUnit, K::ControllerUnit, K::LibraryProject}, {}},
        {moDirectUsesServer, false, "direct", {K::GeneratorServerUnit, K::ControllerUnit}, {K::LibraryProject}},
        {moComServerInDll, false, "com-library",
         {K::GeneratorServerUnit, K::InterfaceUnit, K::DeveloperServerUnit, K::ControllerUnit, K::LibraryProject}, {}},
        {moComServerInDll, true, "com-library-plain",
         {K::GeneratorServerUnit, K::InterfaceUnit, K::ControllerUnit, K::LibraryProject}, {}},
        {moComServer, false, "com", {K::GeneratorServerUnit, K::InterfaceUnit, K::ControllerUnit}, {K::LibraryProject}},
    };
    for (const auto& c : cases) {
        test::UnitsProject own;
        TemgModule& calc = test::AddCalc(own, c.option);
        if (c.plain) {
            calc.SetInterfaceSupport(false);
            calc.SetShareMemSupport(false);
            if (c.option == moServerInDll) calc.MainClass().SetDllClassInstancing(dllciSingleInstance);
        }
        for (K kind : c.kinds)
            EXPECT_TRUE(MatchesGolden(BuildUnitText(calc, kind, own), std::string(c.folder) + "/" + calc.KindFileName(kind)));
        for (K kind : c.none) EXPECT_EQ(BuildUnitText(calc, kind, own), "") << c.folder;
        if (c.option == moDirectUsesServer) {
            EXPECT_TRUE(MatchesGolden(BuildUnitText(calc, K::DeveloperServerUnit, own), "library/devCalc.pas"));
        }
    }
}

// Calc holds a Shelf of the library server Store, which keeps its Backup in the library server
// Archive, and an Output of the COM server Printer.
class ExternalClassTexts : public UnitTexts {
protected:
    static TemgModule& AddProject(test::UnitsProject& project, TServerOption calcOption) {
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

TEST_F(ExternalClassTexts, InALibraryAComAndADirectServer) {
    using K = TFileKind;
    const struct {
        TServerOption option;
        const char* folder;
        std::vector<K> kinds;
    } cases[] = {{moServerInDll, "external-library", {K::GeneratorServerUnit, K::ControllerUnit, K::LibraryProject}},
                 {moComServerInDll, "external-com", {K::GeneratorServerUnit, K::InterfaceUnit, K::ControllerUnit}},
                 {moDirectUsesServer, "external-direct", {K::ControllerUnit}}};
    for (const auto& c : cases) {
        test::UnitsProject own;
        const TemgModule& calc = AddProject(own, c.option);
        for (K kind : c.kinds) {
            EXPECT_TRUE(MatchesGolden(BuildUnitText(calc, kind, own), std::string(c.folder) + "/" + calc.KindFileName(kind)));
        }
        if (c.option == moServerInDll) {
            EXPECT_TRUE(MatchesGolden(BuildUnitText(*own.FindModule("Store"), K::ControllerUnit, own), "external-library/cntrStore.pas"));
        }
    }
}

TEST_F(UnitTexts, TheTypesUnitDeclaresTheFirstModulesEnumeratedTypes) {
    project.common.CreateEnumType("TShade", "Shade of a colour", {"shLight", "shDark"});
    project.common.CreateEnumType("TSize", "", {"szSmall", "szLarge"});
    EXPECT_TRUE(MatchesGolden(Text(project.common, TFileKind::TypesUnit), "genCommonTypes.pas"));
}

}  // namespace
}  // namespace quillon
