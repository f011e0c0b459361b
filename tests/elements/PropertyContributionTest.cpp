// What one property or event contributes to each unit, written through the source writer as
// whole class and routine texts.
#include <gtest/gtest.h>

#include "elements/DesignClass.h"
#include "elements/ElementTestSupport.h"
#include "support/Lines.h"

namespace quillon {
namespace {

using test::AddTyped;
using test::Lines;
using test::StandInModule;

// What the properties and events give a library server's exports and its controller.
struct LibraryParts {
    TgmcMethods routines;
    TgmcExportMethods exports;
    TgmcFields pointers;
    TgmcProceduralTypes types;

    explicit LibraryParts(const TemgClass& design) {
        for (const TemgProperties* list : {&design.Properties(), &design.Events()}) {
            list->AddExportFunctions(routines, TGenerationTarget::ExportedRoutine("TdevCalc"));
            list->AddExportEntries(exports);
            list->AddFunctionPointerFields(pointers);
            list->AddFunctionPointerTypes(types);
        }
    }
};

class PropertyContribution : public ::testing::Test {
protected:
    PropertyContribution() {
        target = classes.Add();
        target->SetName("TgenCalc");
        target->ParentClass().SetName("TDLLServer");
    }

    // The constructor that default values are assigned in, as the server unit declares it.
    TgmcMethod& AddAfterConstruction() {
        TgmcMethod* method = target->Methods().Add();
        method->SetName("AfterConstruction");
        method->SetVisibility(mvPublic);
        method->SetInheritance({miOverride});
        method->MethodImplementation().SetCode("inherited;");
        return *method;
    }
    void AddTo(const TGenerationTarget& unit, TgmcMethod* constructorMethod = nullptr) {
        design.Properties().AddClassMembers(*target, constructorMethod, unit, module);
        design.Events().AddClassMembers(*target, constructorMethod, unit, module);
    }
    std::string Declaration() const { return classes.SrcCode(3, "\r\n"); }

    TemgClass design;
    StandInModule module{moServerInDll};
    TgmcClasses classes;
    TgmcClass* target;
};

}  // namespace

// The golden texts hold a public Count with a default: published, the default is declared too;
// a property without one gives the constructor nothing.
TEST_F(PropertyContribution, APublishedDefaultIsDeclaredAndOnlyDefaultsReachTheConstructor) {
    AddTyped(design.Properties(), "Count", "Integer").SetDefaultValue("10");
    design.Properties().Items(0)->SetVisibility(mvPublished);
    AddTyped(design.Properties(), "Total", "Integer");
    TgmcMethod& afterConstruction = AddAfterConstruction();
    AddTo(TGenerationTarget::ServerClass("TdevCalc"), &afterConstruction);
    EXPECT_NE(Declaration().find(Lines({"   PUBLISHED", "   property Count:Integer read FCount write SetCount default 10;"})),
              std::string::npos)
        << Declaration();
    EXPECT_EQ(afterConstruction.MethodImplementation().GetCode(), "inherited;\r\nFCount := 10;");
}

// Whatever the access types say, a COM server's class and its interface have the getters the
// interface declares.
TEST_F(PropertyContribution, AComServerAndItsInterfaceHaveTheGettersOfWriteOnlyMembers) {
    module.serverOption = moComServer;
    AddTyped(design.Properties(), "Limit", "Integer").SetAccessTypes({atWrite});
    AddTyped(design.Events(), "OnChange", "TNotifyEvent", dtRegisteredProcedural).SetAccessTypes({atWrite});
    AddTo(TGenerationTarget::ServerClass("TdevCalc"));
    EXPECT_EQ(target->Methods().VisibilitySrcCode(mvProtected, 3),
              Lines({"PROTECTED", "   procedure SetLimit(const Value:Integer);virtual; safecall;",
                     "   function GetLimit:Integer; safecall;",
                     "   procedure SetOnChange(const Value:TNotifyEvent);virtual; safecall;",
                     "   function GetOnChange:TNotifyEvent; safecall;"}));
    TgmcClass intf;
    design.Properties().AddClassMembers(intf, nullptr, TGenerationTarget::Interface("ICalc"), module);
    design.Events().AddClassMembers(intf, nullptr, TGenerationTarget::Interface("ICalc"), module);
    EXPECT_EQ(intf.Methods().VisibilitySrcCode(mvNone, 3),
              Lines({"procedure SetLimit(const Value:Integer); safecall;", "   function GetLimit:Integer; safecall;",
                     "   procedure SetOnChange(const Value:TNotifyEvent); safecall;",
                     "   function GetOnChange:TNotifyEvent; safecall;"}));
}

TEST_F(PropertyContribution, AWriteOnlyPropertyHasNoGetterRoutinePointerOrType) {
    AddTyped(design.Properties(), "Limit", "Integer").SetAccessTypes({atWrite});
    const LibraryParts library(design);
    AddTo(TGenerationTarget::Controller(moServerInDll));

    EXPECT_EQ(library.routines.SrcCode(0, "\r\n"),
              "procedure SetLimit(const aInstanceID:Integer;var VErrorMessage:string;const Value:Integer); "
              "stdcall;export;");
    EXPECT_EQ(library.exports.SrcCode(6, ",\r\n"), Lines({"exports", "      SetLimit name 'SetLimit';"}));
    EXPECT_EQ(library.pointers.SrcCode(3, "\r\n"), "   FSetLimitMethod:TSetLimitMethod;");
    EXPECT_EQ(library.types.Count(), 1);
    EXPECT_EQ(target->Methods().Count(), 1);
    EXPECT_EQ(target->Properties().Items(0)->SrcCode(3), "property Limit:Integer write SetLimit;");
}

TEST_F(PropertyContribution, ANonExportedPropertyStaysInTheServerClass) {
    TemgProperty& secret = AddTyped(design.Properties(), "Secret", "Integer");
    secret.SetExported(false);
    secret.SetDebugValue("5");
    AddTo(TGenerationTarget::ServerClass("TdevCalc"));
    EXPECT_EQ(target->Properties().Count(), 1);
    EXPECT_EQ(target->Fields().Count(), 1);

    TgmcClass controller, intf;
    design.Properties().AddClassMembers(controller, nullptr, TGenerationTarget::Controller(moServerInDll), module);
    design.Properties().AddClassMembers(intf, nullptr, TGenerationTarget::Interface("ICalc"), module);
    const LibraryParts library(design);
    EXPECT_EQ(controller.Properties().Count() + intf.Properties().Count() + library.routines.Count() +
                  library.exports.Count() + library.pointers.Count(),
              0);
    EXPECT_EQ(secret.DebugAssignment("FController"), "//FController.Secret:= ;");
}

TEST_F(PropertyContribution, TheDeveloperOverridesEveryWritableMemberButTheDatasetSupport) {
    AddTyped(design.Properties(), "Count", "Integer");
    AddTyped(design.Properties(), "Total", "Integer").SetAccessTypes({atRead});
    AddTyped(design.Events(), "CreateQueryMethod", "TCreateQueryMethod", dtProcedural).SetSettings({isDSC});
    AddTyped(design.Events(), "OnChange", "TNotifyEvent", dtRegisteredProcedural).SetExported(false);
    design.Properties().AddDeveloperOverrides(target->Methods());
    design.Events().AddDeveloperOverrides(target->Methods());

    EXPECT_EQ(target->Methods().SrcCode(3, "\r\n"),
              Lines({"   procedure SetCount(const Value:Integer);override;",
                     "   procedure SetOnChange(const Value:TNotifyEvent);override;"}));
    EXPECT_EQ(target->Methods().Items(0)->GetVisibility(), mvProtected);
    EXPECT_EQ(target->Methods().Items(0)->MethodImplementation().GetCode(), "inherited;\r\n");
}

TEST_F(PropertyContribution, DebugAssignmentsWithoutTheDatabaseSupportsAndTheDeclarationText) {
    TemgProperty& count = AddTyped(design.Properties(), "Count", "Integer");
    count.SetDebugValue("10");
    AddTyped(design.Properties(), "Name", "string");
    EXPECT_EQ(design.Properties().DebugAssignment("FController"),
              "FController.Count:=10;\r\n//FController.Name:= ;");
    EXPECT_EQ(count.DeclarationText(), "property Count:Integer;");
    count.SetDefaultValue("10");
    EXPECT_EQ(count.DeclarationText(), "property Count:Integer;default 10;");
    // The debug form assigns no database support event.
    const TItemSettings databaseSupport{isSystemItem, isDSC};
    AddTyped(design.Events(), "CreateQueryMethod", "TCreateQueryMethod", dtProcedural).SetSettings(databaseSupport);
    AddTyped(design.Events(), "OnChange", "TNotifyEvent", dtRegisteredProcedural);
    AddTyped(design.Events(), "CreateTableMethod", "TCreateTableMethod", dtProcedural).SetSettings(databaseSupport);
    // A system item that is not the database support's keeps its line.
    AddTyped(design.Events(), "OnInit", "TNotifyEvent", dtRegisteredProcedural).SetSettings({isSystemItem});
    EXPECT_EQ(design.Events().Items(0)->DebugAssignment("FController"), "");
    EXPECT_EQ(design.Events().DebugAssignment("FController"),
              "//FController.OnChange:= ;\r\n//FController.OnInit:= ;");
}

}  // namespace quillon
