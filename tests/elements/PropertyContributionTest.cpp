// What one property or event contributes to each unit, written through the source writer as
// whole class and routine texts.
#include <gtest/gtest.h>

#include "elements/DesignClass.h"
#include "elements/StandInModule.h"
#include "support/Lines.h"

namespace quillon {
namespace {

using test::Lines;
using test::StandInModule;

class PropertyContribution : public ::testing::Test {
protected:
    PropertyContribution() {
        target = classes.Add();
        target->SetName("TgenCalc");
        target->ParentClass().SetName("TDLLServer");
    }

    TemgProperty& AddProperty(TemgProperties& list, std::string_view name, std::string_view type,
                              TDataTypeCategory category = dtRegistered) {
        TemgProperty* property = list.Add();
        property->SetName(name);
        property->DataType().SetName(type);
        property->DataType().SetCategory(category);
        return *property;
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
    // Standalone routines as a unit part writes them: declarations, then bodies.
    static std::string Routines(const TgmcMethods& routines) {
        return routines.SrcCode(0, "\r\n") + "\r\n" + routines.ImplementationSrcCode(3);
    }

    TemgClass design;
    StandInModule module{moServerInDll};
    TgmcClasses classes;
    TgmcClass* target;
};

}  // namespace

TEST_F(PropertyContribution, CountWithDefault10InTheServerClassOfALibraryServer) {
    AddProperty(design.Properties(), "Count", "Integer").SetDefaultValue("10");
    design.Properties().Items(0)->SetVisibility(mvPublished);
    AddTo(TGenerationTarget::ServerClass("TdevCalc"), &AddAfterConstruction());

    EXPECT_EQ(Declaration(), Lines({"type", "    ", "   TgenCalc = class(TDLLServer)", "   PRIVATE",
                                    "   FCount:Integer;", "   PROTECTED",
                                    "   procedure SetCount(const Value:Integer);virtual;", "   PUBLIC",
                                    "   procedure AfterConstruction;override;", "   PUBLISHED",
                                    "   property Count:Integer read FCount write SetCount default 10;", "   end;"}));
    EXPECT_EQ(Bodies(), Lines({"", "{TgenCalc}", "", "", "procedure TgenCalc.AfterConstruction;", "begin",
                               "   inherited;", "   FCount := 10;", "end;",
                               "procedure TgenCalc.SetCount(const Value:Integer);", "begin", "   FCount := Value;",
                               "end;"}));
}

TEST_F(PropertyContribution, CountIsReadAndWrittenThroughExportedRoutinesOfALibraryServer) {
    AddProperty(design.Properties(), "Count", "Integer");
    TgmcMethods routines;
    design.Properties().AddExportFunctions(routines, TGenerationTarget::ExportedRoutine("TdevCalc"));
    TgmcExportMethods exports;
    design.Properties().AddExportEntries(exports);

    EXPECT_EQ(Routines(routines),
              Lines({"function GetCount(const aInstanceID:Integer;var VErrorMessage:string):Integer; stdcall;export;",
                     "procedure SetCount(const aInstanceID:Integer;var VErrorMessage:string;const Value:Integer); "
                     "stdcall;export;",
                     "function GetCount(const aInstanceID:Integer;var VErrorMessage:string):Integer;", "begin",
                     "   Result:=(FindInstance(aInstanceID) as TdevCalc).Count;", "end;",
                     "procedure SetCount(const aInstanceID:Integer;var VErrorMessage:string;const Value:Integer);",
                     "begin", "   try", "      (FindInstance(aInstanceID) as TdevCalc).SetCount(Value);",
                     "   except", "      on E:Exception do", "      begin", "         VErrorMessage:=E.Message;",
                     "      end;", "   end;", "end;"}));
    EXPECT_EQ(exports.SrcCode(6, ",\r\n"),
              Lines({"exports", "      GetCount name 'GetCount',", "      SetCount name 'SetCount';"}));
}

TEST_F(PropertyContribution, APublicPropertyWithoutDefaultValueAddsNothingToTheConstructor) {
    AddProperty(design.Properties(), "Count", "Integer").SetDefaultValue("10");
    AddProperty(design.Properties(), "Total", "Integer");
    TgmcMethod& afterConstruction = AddAfterConstruction();
    AddTo(TGenerationTarget::ServerClass("TdevCalc"), &afterConstruction);

    EXPECT_EQ(afterConstruction.MethodImplementation().GetCode(), "inherited;\r\nFCount := 10;");
    EXPECT_EQ(target->Properties().Items(0)->SrcCode(3), "property Count:Integer read FCount write SetCount;");
}

TEST_F(PropertyContribution, AComServerReadsThroughASafecallGetter) {
    module.serverOption = moComServerInDll;
    AddProperty(design.Properties(), "Count", "Integer");
    AddTo(TGenerationTarget::ServerClass("TdevCalc"));

    EXPECT_EQ(Declaration(), Lines({"type", "    ", "   TgenCalc = class(TDLLServer)", "   PRIVATE",
                                    "   FCount:Integer;", "   PROTECTED",
                                    "   procedure SetCount(const Value:Integer);virtual; safecall;",
                                    "   function GetCount:Integer; safecall;", "   PUBLIC",
                                    "   property Count:Integer read GetCount write SetCount;", "   end;"}));
    EXPECT_NE(Bodies().find("function TgenCalc.GetCount:Integer;\r\nbegin\r\n   Result:=FCount;\r\nend;"),
              std::string::npos);
}

TEST_F(PropertyContribution, TheLibraryControllerCallsTheExportedAccessors) {
    AddProperty(design.Properties(), "Count", "Integer");
    target->SetName("TcntrCalc");
    AddTo(TGenerationTarget::Controller(moServerInDll));
    TgmcFields pointers;
    design.Properties().AddFunctionPointerFields(pointers);
    TgmcProceduralTypes types;
    design.Properties().AddFunctionPointerTypes(types);

    EXPECT_EQ(Declaration(), Lines({"type", "    ", "   TcntrCalc = class(TDLLServer)", "   PROTECTED",
                                    "   procedure SetCount(const Value:Integer);virtual;",
                                    "   function GetCount:Integer;virtual;", "   PUBLIC",
                                    "   property Count:Integer read GetCount write SetCount;", "   end;"}));
    EXPECT_EQ(Bodies(),
              Lines({"", "{TcntrCalc}", "", "", "procedure TcntrCalc.SetCount(const Value:Integer);", "var ",
                     "   sErrorMessage:string;", "begin", "   if not Assigned(FSetCountMethod)", "   then",
                     "   begin", "      FSetCountMethod:=GetProcAddress(FLibrary,'SetCount');",
                     "      Win32Check(@FSetCountMethod <> nil);", "   end;",
                     "   FSetCountMethod(FInstanceID,sErrorMessage,Value);", "   if sErrorMessage<>''", "   then",
                     "   begin", "      raise Exception.Create(sErrorMessage);", "   end;", "end;",
                     "function TcntrCalc.GetCount:Integer;", "var ", "   sErrorMessage:string;", "begin",
                     "   if not Assigned(FGetCountMethod)", "   then", "   begin",
                     "      FGetCountMethod:=GetProcAddress(FLibrary,'GetCount');",
                     "      Win32Check(@FGetCountMethod <> nil);", "   end;",
                     "   Result:=FGetCountMethod(FInstanceID,sErrorMessage);", "   if sErrorMessage<>''", "   then",
                     "   begin", "      raise Exception.Create(sErrorMessage);", "   end;", "end;"}));
    EXPECT_EQ(pointers.VisibilitySrcCode(mvPrivate, 3),
              Lines({"PRIVATE", "   FGetCountMethod:TGetCountMethod;", "   FSetCountMethod:TSetCountMethod;"}));
    EXPECT_EQ(types.SrcCode(3, "\r\n"),
              Lines({"type", "   TGetCountMethod=function(const aInstanceID:Integer;var VErrorMessage:string):Integer"
                             " stdcall;",
                     "   TSetCountMethod=procedure(const aInstanceID:Integer;var VErrorMessage:string;const "
                     "Value:Integer) stdcall;"}));
}

TEST_F(PropertyContribution, TheDirectAndComControllersForwardToTheServerObject) {
    AddProperty(design.Properties(), "Count", "Integer");
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
    AddProperty(design.Properties(), "Count", "Integer").SetAccessTypes({atWrite});
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
    AddProperty(design.Properties(), "Limit", "Integer").SetAccessTypes({atWrite});
    TgmcMethods routines;
    design.Properties().AddExportFunctions(routines, TGenerationTarget::ExportedRoutine("TdevCalc"));
    TgmcExportMethods exports;
    design.Properties().AddExportEntries(exports);
    TgmcFields pointers;
    design.Properties().AddFunctionPointerFields(pointers);
    TgmcProceduralTypes types;
    design.Properties().AddFunctionPointerTypes(types);
    AddTo(TGenerationTarget::Controller(moServerInDll));

    EXPECT_EQ(routines.SrcCode(0, "\r\n"),
              "procedure SetLimit(const aInstanceID:Integer;var VErrorMessage:string;const Value:Integer); "
              "stdcall;export;");
    EXPECT_EQ(exports.SrcCode(6, ",\r\n"), Lines({"exports", "      SetLimit name 'SetLimit';"}));
    EXPECT_EQ(pointers.SrcCode(3, "\r\n"), "   FSetLimitMethod:TSetLimitMethod;");
    EXPECT_EQ(types.Count(), 1);
    EXPECT_EQ(target->Methods().Count(), 1);
    EXPECT_EQ(target->Properties().Items(0)->SrcCode(3), "property Limit:Integer write SetLimit;");
}

TEST_F(PropertyContribution, AnEventIsNeverReadThroughTheLibrary) {
    AddProperty(design.Events(), "OnChange", "TNotifyEvent", dtRegisteredProcedural);
    TgmcMethods routines;
    design.Events().AddExportFunctions(routines, TGenerationTarget::ExportedRoutine("TdevCalc"));
    TgmcExportMethods exports;
    design.Events().AddExportEntries(exports);
    TgmcFields pointers;
    design.Events().AddFunctionPointerFields(pointers);
    target->SetName("TcntrCalc");
    AddTo(TGenerationTarget::Controller(moServerInDll));

    EXPECT_EQ(routines.Count(), 1);
    EXPECT_EQ(routines.Items(0)->GetName(), "SetOnChange");
    EXPECT_EQ(exports.SrcCode(6, ",\r\n"), Lines({"exports", "      SetOnChange name 'SetOnChange';"}));
    EXPECT_EQ(pointers.SrcCode(3, "\r\n"), "   FSetOnChangeMethod:TSetOnChangeMethod;");
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
    AddProperty(design.Events(), "OnChange", "TNotifyEvent", dtRegisteredProcedural);
    AddTo(TGenerationTarget::Controller(moDirectUsesServer));

    EXPECT_EQ(target->Methods().Count(), 1);
    EXPECT_EQ(target->Methods().Items(0)->MethodImplementation().GetCode(),
              "FOnChange:=Value;\r\nFServer.OnChange:=Value;");
}

TEST_F(PropertyContribution, ANonExportedPropertyStaysInTheServerClass) {
    TemgProperty& secret = AddProperty(design.Properties(), "Secret", "Integer");
    secret.SetExported(false);
    secret.SetDebugValue("5");
    AddTo(TGenerationTarget::ServerClass("TdevCalc"));
    EXPECT_EQ(target->Properties().Count(), 1);
    EXPECT_EQ(target->Fields().Count(), 1);

    TgmcClass controller, intf;
    design.Properties().AddClassMembers(controller, nullptr, TGenerationTarget::Controller(moServerInDll), module);
    design.Properties().AddClassMembers(intf, nullptr, TGenerationTarget::Interface("ICalc"), module);
    TgmcMethods routines;
    design.Properties().AddExportFunctions(routines, TGenerationTarget::ExportedRoutine("TdevCalc"));
    TgmcExportMethods exports;
    design.Properties().AddExportEntries(exports);
    TgmcFields pointers;
    design.Properties().AddFunctionPointerFields(pointers);
    EXPECT_EQ(controller.Properties().Count() + controller.Methods().Count() + intf.Properties().Count() +
                  intf.Methods().Count() + routines.Count() + exports.Count() + pointers.Count(),
              0);
    EXPECT_EQ(secret.DebugAssignment("FController"), "//FController.Secret:= ;");
}

TEST_F(PropertyContribution, TheDeveloperOverridesEveryWritableMemberButTheDatasetSupport) {
    AddProperty(design.Properties(), "Count", "Integer");
    AddProperty(design.Properties(), "Total", "Integer").SetAccessTypes({atRead});
    AddProperty(design.Events(), "CreateQueryMethod", "TCreateQueryMethod", dtProcedural).SetSettings({isDSC});
    AddProperty(design.Events(), "OnChange", "TNotifyEvent", dtRegisteredProcedural).SetExported(false);
    target->SetName("TdevCalc");
    design.Properties().AddDeveloperOverrides(target->Methods());
    design.Events().AddDeveloperOverrides(target->Methods());

    EXPECT_EQ(Declaration(), Lines({"type", "    ", "   TdevCalc = class(TDLLServer)", "   PROTECTED",
                                    "   procedure SetCount(const Value:Integer);override;",
                                    "   procedure SetOnChange(const Value:TNotifyEvent);override;", "   end;"}));
    EXPECT_NE(Bodies().find("procedure TdevCalc.SetCount(const Value:Integer);\r\nbegin\r\n   inherited;\r\n   \r\nend;"),
              std::string::npos);
}

TEST_F(PropertyContribution, DebugAssignmentsAreOneLinePerProperty) {
    AddProperty(design.Properties(), "Count", "Integer").SetDebugValue("10");
    AddProperty(design.Properties(), "Name", "string");
    EXPECT_EQ(design.Properties().DebugAssignment("FController"),
              "FController.Count:=10;\r\n//FController.Name:= ;");
}

TEST_F(PropertyContribution, TheDeclarationTextAppendsTheDefaultDirectly) {
    TemgProperty& count = AddProperty(design.Properties(), "Count", "Integer");
    EXPECT_EQ(count.DeclarationText(), "property Count:Integer;");
    count.SetDefaultValue("10");
    EXPECT_EQ(count.DeclarationText(), "property Count:Integer;default 10;");
}

}  // namespace quillon
