// Whole texts of the generated units of a small module under each server option, with and without
// the application handle, ShareMem and single instancing, with values naming an added unit's
// constants, and of a class with external classes reaching library servers directly and
// transitively and a COM server. The expected texts are the
// files under tests/generator/golden.
#include <gtest/gtest.h>

#include "UnitsTestSupport.h"
#include "generator/DebugApplicationUnits.h"
#include "generator/UnitBuilder.h"

namespace quillon {
namespace {

using test::AddExternal;
using test::MatchesGolden;

// Calc holds a Shelf of the library server Store, which keeps its Backup in the library server
// Archive, and an Output of the COM server Printer.
TemgModule& AddExternalProject(test::UnitsProject& project, TServerOption calcOption) {
    project.AddModule("Archive", moServerInDll);
    AddExternal(project.AddModule("Store", moServerInDll), "Archive", "Backup");
    project.AddModule("Printer", moComServerInDll);
    TemgModule& calc = test::AddCalc(project, calcOption);
    AddExternal(calc, "Store", "Shelf").SetCaption("Shelf of stored results");
    AddExternal(calc, "Printer", "Output");
    return calc;
}

// Each server option's units against the golden folder named. kPlain: without the application
// handle and ShareMem, a library server with one instance; kConstants: default and debug values
// naming constants of the added unit Limits.pas, in declarations (the units use it in their
// interface) and in the debug form's code (in its implementation; the program lists it);
// kExternal: the classes of AddExternalProject. A kind the option does not write has no text; a
// direct server's developer unit is the library server's.
TEST(UnitTexts, EachServerOptionWithAndWithoutApplicationHandleShareMemConstantsExternalClassesAndTheTypesUnit) {
    using K = TFileKind;
    enum class Variant { kFull, kPlain, kConstants, kExternal };
    const struct {
        TServerOption option;
        Variant variant;
        const char* folder;
        std::vector<K> kinds;
        std::vector<K> none;
    } cases[] = {
        {moServerInDll, Variant::kFull, "library",
         {K::GeneratorServerUnit, K::DeveloperServerUnit, K::ControllerUnit, K::LibraryProject,
          K::DatabaseSupportController},
         {K::InterfaceUnit}},
        {moServerInDll, Variant::kPlain, "library-plain", {K::GeneratorServerUnit, K::ControllerUnit, K::LibraryProject}, {}},
        {moServerInDll, Variant::kConstants, "library-constants",
         {K::GeneratorServerUnit, K::DeveloperServerUnit, K::ControllerUnit, K::LibraryProject}, {}},
        {moDirectUsesServer, Variant::kFull, "direct", {K::GeneratorServerUnit, K::ControllerUnit}, {K::LibraryProject}},
        {moComServerInDll, Variant::kFull, "com-library",
         {K::GeneratorServerUnit, K::InterfaceUnit, K::DeveloperServerUnit, K::ControllerUnit, K::LibraryProject}, {}},
        {moComServerInDll, Variant::kPlain, "com-library-plain",
         {K::GeneratorServerUnit, K::InterfaceUnit, K::ControllerUnit, K::LibraryProject}, {}},
        {moComServerInDll, Variant::kConstants, "com-library-constants", {K::InterfaceUnit}, {}},
        {moComServer, Variant::kFull, "com", {K::GeneratorServerUnit, K::InterfaceUnit, K::ControllerUnit}, {K::LibraryProject}},
        {moServerInDll, Variant::kExternal, "external-library", {K::GeneratorServerUnit, K::ControllerUnit, K::LibraryProject}, {}},
        {moComServerInDll, Variant::kExternal, "external-com", {K::GeneratorServerUnit, K::InterfaceUnit, K::ControllerUnit}, {}},
        {moDirectUsesServer, Variant::kExternal, "external-direct", {K::ControllerUnit}, {}},
    };
    for (const auto& c : cases) {
        test::UnitsProject own;
        TemgModule& calc = c.variant == Variant::kExternal ? AddExternalProject(own, c.option) : test::AddCalc(own, c.option);
        if (c.variant == Variant::kPlain) {
            calc.SetInterfaceSupport(false);
            calc.SetShareMemSupport(false);
            if (c.option == moServerInDll) calc.MainClass().SetDllClassInstancing(dllciSingleInstance);
        }
        if (c.variant == Variant::kConstants) {
            calc.AddUnits().Add()->SetName("Limits.pas");
            calc.MainClass().Properties().Items(0)->SetDefaultValue("MaxRows");
            calc.MainClass().Properties().Items(0)->SetDebugValue("MinRows + 1");
            TemgParameters& sum = calc.MainClass().Methods().Items(1)->Parameters();
            sum.Items(1)->SetDefaultValue("MinRows");
            for (int i = 0; i < 2; ++i) sum.Items(i)->SetDebugValue(i == 0 ? "MaxRows" : "2");
            calc.DebugApplications().NewDebugApplication().Methods().SetItems({"Sum"});
        }
        for (K kind : c.kinds)
            EXPECT_TRUE(MatchesGolden(BuildUnitText(calc, kind, own), std::string(c.folder) + "/" + calc.KindFileName(kind)));
        for (K kind : c.none) EXPECT_EQ(BuildUnitText(calc, kind, own), "") << c.folder;
        if (c.option == moDirectUsesServer && c.variant == Variant::kFull) {
            EXPECT_TRUE(MatchesGolden(BuildUnitText(calc, K::DeveloperServerUnit, own), "library/devCalc.pas"));
        }
        if (c.option == moServerInDll && c.variant == Variant::kExternal) {
            EXPECT_TRUE(MatchesGolden(BuildUnitText(*own.FindModule("Store"), K::ControllerUnit, own), "external-library/cntrStore.pas"));
        }
        if (c.variant == Variant::kConstants && c.option == moServerInDll) {
            const TemgDebugApplication& app = *calc.DebugApplications().Items(0);
            EXPECT_TRUE(MatchesGolden(BuildDebugProgram(app, calc, own), std::string(c.folder) + "/DebugApp1.dpr"));
            EXPECT_TRUE(MatchesGolden(BuildDebugGeneratorFormUnit(app, calc, own), std::string(c.folder) + "/genuDebugApp1Form.pas"));
        }
    }
    test::UnitsProject project;
    project.common.CreateEnumType("TShade", "Shade of a colour", {"shLight", "shDark"});
    project.common.CreateEnumType("TSize", "", {"szSmall", "szLarge"});
    EXPECT_TRUE(MatchesGolden(BuildUnitText(project.common, TFileKind::TypesUnit, project), "genCommonTypes.pas"));
}

}  // namespace
}  // namespace quillon
