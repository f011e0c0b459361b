// The server, developer and controller classes that a property, an event and methods contribute
// to must compile with Free Pascal in Delphi mode. The units around them are assembled here as
// the generator will assemble them; stand-ins of the run-time units the generated code names
// come with the test.
#include <gtest/gtest.h>

#include "elements/DesignClass.h"
#include "elements/ElementTestSupport.h"
#include "source/SourceUnit.h"
#include "support/Lines.h"
#include "support/PascalCompiler.h"

namespace quillon {
namespace {

using test::AddTyped;
using test::Lines;
using test::PascalCompiles;

// What the library controller calls from the target's Windows and SysUtils units.
const std::string kLibraryCalls = Lines({
    "unit LibraryCalls;", "interface", "uses Windows;",
    "function GetProcAddress(aModule: HMODULE; aName: PChar): Pointer;", "procedure Win32Check(aOk: Boolean);",
    "implementation", "function GetProcAddress(aModule: HMODULE; aName: PChar): Pointer;", "begin",
    "  Result := nil;", "end;", "procedure Win32Check(aOk: Boolean);", "begin", "end;", "end."});

void AddUses(TgmcModulePart& part, std::initializer_list<const char*> names) {
    for (const char* name : names) part.UsesModules().Add()->SetName(name);
}

TgmcMethod* AddLifetimeMethod(TgmcClass& target, std::string_view name) {
    TgmcMethod* method = target.Methods().Add();
    method->SetName(name);
    method->SetVisibility(mvPublic);
    method->SetInheritance({miOverride});
    method->MethodImplementation().SetCode("inherited;");
    return method;
}

class GeneratedClassCompile : public ::testing::Test {
protected:
    GeneratedClassCompile() {
        calc.SetName("Calc");
        AddTyped(calc.Properties(), "Count", "Integer").SetDefaultValue("10");
        AddTyped(calc.Properties(), "Limit", "Integer").SetAccessTypes({atWrite});
        AddTyped(calc.Properties(), "Total", "Integer").SetAccessTypes({atRead});
        AddTyped(calc.Events(), "OnChange", "TNotifyEvent", dtRegisteredProcedural);
        TemgMethod& sum = AddTyped(calc.Methods(), "Sum", "Integer");
        sum.SetCategory(mcFunction);
        AddTyped(sum.Parameters(), "a", "Integer");
        AddTyped(sum.Parameters(), "b", "Integer");
        TemgMethod& twice = AddTyped(calc.Methods(), "Twice", "Integer");
        twice.SetCategory(mcFunction);
        twice.SetCode("Result:=Sum(FCount,FCount);");
        calc.Methods().Add()->SetName("Run");
        TemgMethod& tidy = *calc.Methods().Add();
        tidy.SetName("Tidy");
        tidy.SetVisibility(mvPrivate);
    }

    std::string GeneratorUnit() const {
        TgmcModule unit;
        unit.Appellation().SetName("genCalc");
        AddUses(unit.InterfacePart(), {"DLLServerCollection", "Windows", "Classes", "SysUtils"});
        AddUses(unit.ImplementationPart(), {"devCalc"});
        TgmcClass& server = *unit.InterfacePart().Classes().Add();
        server.SetName("TgenCalc");
        server.ParentClass().SetName("TDLLServer");
        const TGenerationTarget serverClass = TGenerationTarget::ServerClass("TdevCalc");
        calc.Methods().AddMethods(server.Methods(), &server.Fields(), serverClass, module, calc.ExternalClasses());
        TgmcMethod* afterConstruction = AddLifetimeMethod(server, "AfterConstruction");
        AddLifetimeMethod(server, "BeforeDestruction");
        calc.Properties().AddClassMembers(server, afterConstruction, serverClass, module);
        calc.Events().AddClassMembers(server, afterConstruction, serverClass, module);

        TgmcMethods& routines = unit.InterfacePart().Methods();
        const TGenerationTarget exported = TGenerationTarget::ExportedRoutine("TdevCalc");
        calc.Methods().AddMethods(routines, nullptr, exported, module, calc.ExternalClasses());
        calc.Properties().AddExportFunctions(routines, exported);
        calc.Events().AddExportFunctions(routines, exported);
        TgmcMethod* findInstance = routines.Add();
        findInstance->SetName("FindInstance");
        findInstance->SetCategory(mcFunction);
        findInstance->DataType().SetName("TDllServer");
        AddTyped(findInstance->Parameters(), "aInstanceID", "Integer").SetCategory(pcConst);
        findInstance->MethodImplementation().SetCode("Result:=DLLServers.FindServer(aInstanceID) as TdevCalc;");
        return unit.SrcCode();
    }

    std::string DeveloperUnit() const {
        TgmcModule unit;
        unit.Appellation().SetName("devCalc");
        AddUses(unit.InterfacePart(), {"genCalc", "Classes", "SysUtils"});
        TgmcClass& developer = *unit.InterfacePart().Classes().Add();
        developer.SetName("TdevCalc");
        developer.ParentClass().SetName("TgenCalc");
        calc.Methods().AddMethods(developer.Methods(), &developer.Fields(), TGenerationTarget::DeveloperClass("TdevCalc"),
                                  module, calc.ExternalClasses());
        calc.Properties().AddDeveloperOverrides(developer.Methods());
        calc.Events().AddDeveloperOverrides(developer.Methods());
        // The developer's own code sets the read-only property through its field.
        TgmcMethod* recount = developer.Methods().Add();
        recount->SetName("Recount");
        recount->MethodImplementation().SetCode("FTotal:=FCount+1;");
        return unit.SrcCode();
    }

    std::string LibraryControllerUnit() const {
        TgmcModule unit;
        unit.Appellation().SetName("cntrCalc");
        AddUses(unit.InterfacePart(), {"Windows", "Classes", "SysUtils", "LibraryCalls"});
        TgmcProceduralTypes& types = unit.InterfacePart().ProceduralTypes();
        calc.Properties().AddFunctionPointerTypes(types);
        calc.Events().AddFunctionPointerTypes(types);
        calc.Methods().AddFunctionPointerTypes(types);
        TgmcClass& controller = *unit.InterfacePart().Classes().Add();
        controller.SetName("TcntrCalc");
        controller.ParentClass().SetName("TComponent");
        AddTyped(controller.Fields(), "FInstanceID", "Integer");
        AddTyped(controller.Fields(), "FLibrary", "HModule");
        calc.Properties().AddFunctionPointerFields(controller.Fields());
        calc.Events().AddFunctionPointerFields(controller.Fields());
        calc.Methods().AddFunctionPointerFields(controller.Fields());
        const TGenerationTarget target = TGenerationTarget::Controller(moServerInDll);
        calc.Methods().AddMethods(controller.Methods(), &controller.Fields(), target, module, calc.ExternalClasses());
        calc.Properties().AddClassMembers(controller, nullptr, target, module);
        calc.Events().AddClassMembers(controller, nullptr, target, module);
        return unit.SrcCode();
    }

    TemgClass calc;
    test::StandInModule module{moServerInDll};
};

}  // namespace

// Twice's own code reads the server's field FCount: the developer's override runs the generated
// implementation rather than repeat that code. The developer's class, in its own unit, sets the
// read-only Total through its field and overrides Tidy, a private method of the design.
TEST_F(GeneratedClassCompile, TheServerAndDeveloperClassesOfALibraryServerCompile) {
    EXPECT_TRUE(PascalCompiles({{"genCalc.pas", GeneratorUnit()},
                                {"devCalc.pas", DeveloperUnit()}},
                               "genCalc.pas"));
}

TEST_F(GeneratedClassCompile, TheLibraryControllerClassCompiles) {
    EXPECT_TRUE(PascalCompiles({{"LibraryCalls.pas", kLibraryCalls}, {"cntrCalc.pas", LibraryControllerUnit()}},
                               "cntrCalc.pas"));
}

}  // namespace quillon
