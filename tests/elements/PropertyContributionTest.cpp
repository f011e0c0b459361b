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
    std::string Bodies() const { return classes.ImplementationSrcCode(3); }

    TemgClass design;
    StandInModule module{moServerInDll};
    TgmcClasses classes;
    TgmcClass* target;
};

}  // namespace

TEST_F(PropertyContribution, CountWithDefault10InTheServerClassOfALibraryServer) {
    AddTyped(design.Properties(), "Count", "Integer").SetDefaultValue("10");
    design.Properties().Items(0)->SetVisibility(mvPublished);
    AddTyped(design.Properties(), "Total", "Integer");  // no default: nothing for the constructor
    AddTo(TGenerationTarget::ServerClass("TdevCalc"), &AddAfterConstruction());

    EXPECT_EQ(Declaration(),
              Lines({"type", "    ", "   TgenCalc = class(TDLLServer)", "   PROTECTED", "   FCount:Integer;",
                     "   FTotal:Integer;", "   PROTECTED", "   procedure SetCount(const Value:Integer);virtual;",
                     "   procedure SetTotal(const Value:Integer);virtual;", "   PUBLIC",
                     "   procedure AfterConstruction;override;", "   PUBLIC",
                     "   property Total:Integer read FTotal write SetTotal;", "   PUBLISHED",
                     "   property Count:Integer read FCount write SetCount default 10;", "   end;"}));
    EXPECT_EQ(Bodies(), Lines({"", "{TgenCalc}", "", "", "procedure TgenCalc.AfterConstruction;", "begin",
                               "   inherited;", "   FCount := 10;", "end;",
                               "procedure TgenCalc.SetCount(const Value:Integer);", "begin", "   FCount := Value;",
                               "end;", "procedure TgenCalc.SetTotal(const Value:Integer);", "begin",
                               "   FTotal := Value;", "end;"}));
}

TEST_F(PropertyContribution, CountIsReadAndWrittenThroughExportedRoutinesOfALibraryServer) {
    AddTyped(design.Properties(), "Count", "Integer");
    const LibraryParts library(design);

    EXPECT_EQ(library.routines.SrcCode(0, "\r\n"),
              Lines({"function GetCount(const aInstanceID:Integer;var VErrorMessage:string):Integer; stdcall;export;",
                     "procedure SetCount(const aInstanceID:Integer;var VErrorMessage:string;const Value:Integer); "
                     "stdcall;export;"}));
    EXPECT_EQ(library.routines.Items(0)->MethodImplementation().GetCode(),
              "Result:=(FindInstance(aInstanceID) as TdevCalc).Count;");
    EXPECT_EQ(library.routines.Items(1)->MethodImplementation().GetCode(),
              Lines({"try", "   (FindInstance(aInstanceID) as TdevCalc).SetCount(Value);", "except",
                     "   on E:Exception do", "   begin", "      VErrorMessage:=E.Message;", "   end;", "end;"}));
    EXPECT_EQ(library.exports.SrcCode(6, ",\r\n"),
              Lines({"exports", "      GetCount name 'GetCount',", "      SetCount name 'SetCount';"}));
}

TEST_F(PropertyContribution, AComServerReadsThroughASafecallGetter) {
    module.serverOption = moComServerInDll;
    AddTyped(design.Properties(), "Count", "Integer");
    AddTo(TGenerationTarget::ServerClass("TdevCalc"));

    EXPECT_EQ(target->Methods().VisibilitySrcCode(mvProtected, 3),
              Lines({"PROTECTED", "   procedure SetCount(const Value:Integer);virtual; safecall;",
                     "   function GetCount:Integer; safecall;"}));
    EXPECT_EQ(target->Properties().Items(0)->SrcCode(3), "property Count:Integer read GetCount write SetCount;");
    EXPECT_NE(Bodies().find("function TgenCalc.GetCount:Integer;\r\nbegin\r\n   Result:=FCount;\r\nend;"),
              std::string::npos);
}

TEST_F(PropertyContribution, AComServerHasTheGetterOfAWriteOnlyPropertyAndOfAnEventThatItsInterfaceDeclares) {
    module.serverOption = moComServer;
    AddTyped(design.Properties(), "Limit", "Integer").SetAccessTypes({atWrite});
    AddTyped(design.Events(), "OnChange", "TNotifyEvent", dtRegisteredProcedural).SetAccessTypes({atWrite});
    AddTo(TGenerationTarget::ServerClass("TdevCalc"));

    EXPECT_EQ(target->Methods().VisibilitySrcCode(mvProtected, 3),
              Lines({"PROTECTED", "   procedure SetLimit(const Value:Integer);virtual; safecall;",
                     "   function GetLimit:Integer; safecall;",
                     "   procedure SetOnChange(const Value:TNotifyEvent);virtual; safecall;",
                     "   function GetOnChange:TNotifyEvent; safecall;"}));
}

TEST_F(PropertyContribution, TheLibraryControllerCallsTheExportedAccessors) {
    AddTyped(design.Properties(), "Count", "Integer");
    target->SetName("TcntrCalc");
    AddTo(TGenerationTarget::Controller(moServerInDll));
    const LibraryParts library(design);

    EXPECT_EQ(Declaration(), Lines({"type", "    ", "   TcntrCalc = class(TDLLServer)", "   PROTECTED",
                                    "   procedure SetCount(const Value:Integer);virtual;",
                                    "   function GetCount:Integer;virtual;", "   PUBLIC",
                                    "   property Count:Integer read GetCount write SetCount;", "   end;"}));
    // Each accessor calls its routine variable (the whole call is in the method tests).
    EXPECT_NE(Bodies().find("   FSetCountMethod(FInstanceID,sErrorMessage,Value);\r\n"), std::string::npos);
    EXPECT_NE(Bodies().find("   Result:=FGetCountMethod(FInstanceID,sErrorMessage);\r\n"), std::string::npos);
    EXPECT_EQ(library.pointers.SrcCode(3, "\r\n"),
              Lines({"   FGetCountMethod:TGetCountMethod;", "   FSetCountMethod:TSetCountMethod;"}));
    EXPECT_EQ(library.types.SrcCode(3, "\r\n"),
              Lines({"type", "   TGetCountMethod=function(const aInstanceID:Integer;var VErrorMessage:string):Integer"
                             " stdcall;",
                     "   TSetCountMethod=procedure(const aInstanceID:Integer;var VErrorMessage:string;const "
                     "Value:Integer) stdcall;"}));
}

TEST_F(PropertyContribution, TheDirectAndComControllersForwardToTheServerObject) {
    AddTyped(design.Properties(), "Count", "Integer");
    for (TServerOption option : {moDirectUsesServer, moComServerInDll, moComServer}) {
        TgmcClass controller;
        controller.SetName("TcntrCalc");
        module.serverOption = option;
        design.Properties().AddClassMembers(controller, nullptr, TGenerationTarget::Controller(option), module);
        EXPECT_EQ(controller.ImplementationSrcCode(3),
                  Lines({"", "{TcntrCalc}", "", "", "procedure TcntrCalc.SetCount(const Value:Integer);", "begin",
                         "   FServer.Count:=Value;", "end;", "function TcntrCalc.GetCount:Integer;", "begin",
                         "   Result:=FServer.Count;", "end;"}))
            << ServerOptionNames.NameOf(static_cast<int>(option));
    }
}

TEST_F(PropertyContribution, TheInterfaceDeclaresSafecallAccessorsWithoutVisibility) {
    AddTyped(design.Properties(), "Count", "Integer").SetAccessTypes({atWrite});
    target->SetName("ICalc");
    target->SetOption(cgoInterface);
    target->ParentClass().SetName("IUnknown");
    target->SetInterfaceGUIDIdentifier("'{00000000-0000-0000-0000-000000000001}'");
    AddTo(TGenerationTarget::Interface("ICalc"));

    // The getter exists whatever the access types say.
    EXPECT_EQ(Declaration(),
              Lines({"type", "    ", "   ICalc = interface(IUnknown)", "   ['{00000000-0000-0000-0000-000000000001}']",
                     "   procedure SetCount(const Value:Integer); safecall;", "   function GetCount:Integer; safecall;",
                     "   property Count:Integer read GetCount write SetCount;", "   end;"}));
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

TEST_F(PropertyContribution, AnEventIsNeverReadThroughTheLibrary) {
    AddTyped(design.Events(), "OnChange", "TNotifyEvent", dtRegisteredProcedural);
    const LibraryParts library(design);
    target->SetName("TcntrCalc");
    AddTo(TGenerationTarget::Controller(moServerInDll));

    EXPECT_EQ(library.routines.Count(), 1);
    EXPECT_EQ(library.routines.Items(0)->GetName(), "SetOnChange");
    EXPECT_EQ(library.exports.SrcCode(6, ",\r\n"), Lines({"exports", "      SetOnChange name 'SetOnChange';"}));
    EXPECT_EQ(library.pointers.SrcCode(3, "\r\n"), "   FSetOnChangeMethod:TSetOnChangeMethod;");
    // The controller reads its own field, which the setter keeps, and forwards the new value.
    EXPECT_EQ(Declaration(), Lines({"type", "    ", "   TcntrCalc = class(TDLLServer)", "   PRIVATE",
                                    "   FOnChange:TNotifyEvent;", "   PROTECTED",
                                    "   procedure SetOnChange(const Value:TNotifyEvent);virtual;", "   PUBLIC",
                                    "   property OnChange:TNotifyEvent read FOnChange write SetOnChange;", "   end;"}));
    const std::string& code = target->Methods().Items(0)->MethodImplementation().GetCode();
    EXPECT_EQ(code.substr(0, code.find("if not")), "FOnChange:=Value;\r\n");
    EXPECT_NE(code.find("FSetOnChangeMethod(FInstanceID,sErrorMessage,Value);"), std::string::npos);
}

TEST_F(PropertyContribution, TheDirectControllerKeepsAnEventBeforeForwardingIt) {
    module.serverOption = moDirectUsesServer;
    AddTyped(design.Events(), "OnChange", "TNotifyEvent", dtRegisteredProcedural);
    AddTo(TGenerationTarget::Controller(moDirectUsesServer));

    EXPECT_EQ(target->Methods().Count(), 1);
    EXPECT_EQ(target->Methods().Items(0)->MethodImplementation().GetCode(),
              "FOnChange:=Value;\r\nFServer.OnChange:=Value;");
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

TEST_F(PropertyContribution, DebugAssignmentsAndTheDeclarationText) {
    TemgProperty& count = AddTyped(design.Properties(), "Count", "Integer");
    count.SetDebugValue("10");
    AddTyped(design.Properties(), "Name", "string");
    EXPECT_EQ(design.Properties().DebugAssignment("FController"),
              "FController.Count:=10;\r\n//FController.Name:= ;");
    EXPECT_EQ(count.DeclarationText(), "property Count:Integer;");
    count.SetDefaultValue("10");
    EXPECT_EQ(count.DeclarationText(), "property Count:Integer;default 10;");
}

TEST_F(PropertyContribution, TheDebugFormAssignsNoDatabaseSupportEvent) {
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
