// What one method, property or event contributes to each unit, written through the source writer
// (as whole class and routine texts where they matter), and the parameter list operations.
#include <gtest/gtest.h>

#include "elements/DesignClass.h"
#include "elements/ElementTestSupport.h"
#include "support/Lines.h"

namespace quillon {
namespace {

using test::AddTyped;
using test::Lines;
using test::StandInModule;

TemgParameter& AddParameter(TemgParameters& list, std::string_view name, std::string_view type = "Integer") {
    return AddTyped(list, name, type);
}

// A design class and the server class TgenCalc its members are added to.
class Contribution : public ::testing::Test {
protected:
    Contribution() {
        target = classes.Add();
        target->SetName("TgenCalc");
        target->ParentClass().SetName("TDLLServer");
    }
    std::string Declaration() const { return classes.SrcCode(3, "\r\n"); }

    TemgClass design;
    StandInModule module{moServerInDll};
    TgmcClasses classes;
    TgmcClass* target;
};

class MethodContribution : public Contribution {
protected:
    // function Sum(a, b: Integer): Integer
    TemgMethod& AddSum() {
        TemgMethod& sum = AddMethod("Sum", mcFunction, "Integer");
        AddParameter(sum.Parameters(), "a");
        AddParameter(sum.Parameters(), "b");
        return sum;
    }
    TemgMethod& AddMethod(std::string_view name, TMethodCategory category = mcProcedure,
                          std::string_view result = {}) {
        TemgMethod& method = AddTyped(design.Methods(), name, result);
        method.SetCategory(category);
        return method;
    }
    void AddTo(const TGenerationTarget& unit) {
        design.Methods().AddMethods(target->Methods(), &target->Fields(), unit, module, design.ExternalClasses());
    }
};

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

class PropertyContribution : public Contribution {
protected:
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
};

}  // namespace

// The developer's class overrides from another unit, and exported methods are called from other
// units: a private or protected method is public in both classes when exported, and a private
// one protected otherwise; the controller and the design keep the designed visibility.
TEST_F(MethodContribution, APrivateMethodIsPublicOrProtectedInTheServerAndDeveloperClasses) {
    AddMethod("Tidy").SetVisibility(mvPrivate);
    TemgMethod& hidden = AddMethod("Hidden");
    hidden.SetVisibility(mvPrivate);
    hidden.SetExported(false);
    AddMethod("Guarded").SetVisibility(mvProtected);
    for (const TGenerationTarget& unit :
         {TGenerationTarget::ServerClass("TdevCalc"), TGenerationTarget::DeveloperClass("TdevCalc")}) {
        target->Methods().Clear();
        AddTo(unit);
        ASSERT_EQ(target->Methods().Count(), 3);
        EXPECT_EQ(target->Methods().Items(0)->GetVisibility(), mvPublic);
        EXPECT_EQ(target->Methods().Items(1)->GetVisibility(), mvProtected);
        EXPECT_EQ(target->Methods().Items(2)->GetVisibility(), mvPublic);
    }
    target->Methods().Clear();
    AddTo(TGenerationTarget::Controller(moServerInDll));
    EXPECT_EQ(target->Methods().Items(0)->GetVisibility(), mvPrivate);
    EXPECT_EQ(target->Methods().Items(1)->GetVisibility(), mvProtected);
    EXPECT_EQ(design.Methods().Items(0)->GetVisibility(), mvPrivate);
}

// The golden texts hold the server's raising body of a method without code, the developer's empty
// override and AfterInitInstance's remark: the server class keeps a method's own code, the
// developer's overrides of methods with code run the generated code.
TEST_F(MethodContribution, TheServerKeepsAMethodsCodeAndTheDevelopersOverridesRunIt) {
    TemgMethod& twice = AddMethod("Twice", mcFunction, "Integer");
    AddParameter(twice.Parameters(), "x");
    twice.SetCode("Result:=FPrivate*x;");
    AddMethod("Reset").SetCode("FCount:=0;");
    AddTo(TGenerationTarget::ServerClass("TdevCalc"));
    EXPECT_EQ(target->Methods().Items(0)->MethodImplementation().GetCode(), "Result:=FPrivate*x;");
    target->Methods().Clear();
    AddTo(TGenerationTarget::DeveloperClass("TdevCalc"));
    EXPECT_EQ(target->Methods().Items(0)->MethodImplementation().GetCode(), "Result:=inherited Twice(x);");
    EXPECT_EQ(target->Methods().Items(1)->MethodImplementation().GetCode(), "inherited;");
}

TEST_F(MethodContribution, TheInterfaceDeclaresEveryMethodSafecallEvenWhenNotExported) {
    AddSum().SetExported(false);
    AddMethod("Run").SetVisibility(mvProtected);
    AddTo(TGenerationTarget::Interface("ICalc"));
    EXPECT_EQ(target->Methods().VisibilitySrcCode(mvNone, 3),
              Lines({"function Sum(a:Integer;b:Integer):Integer; safecall;", "   procedure Run; safecall;"}));
}

TEST_F(MethodContribution, ANonExportedMethodReachesNeitherTheControllerNorTheLibrary) {
    AddMethod("Run").SetExported(false);
    TgmcMethods routines;
    design.Methods().AddMethods(routines, nullptr, TGenerationTarget::ExportedRoutine("TdevCalc"), module,
                                design.ExternalClasses());
    AddTo(TGenerationTarget::Controller(moServerInDll));
    TgmcExportMethods exports;
    design.Methods().AddExportEntries(exports);
    EXPECT_EQ(routines.Count() + target->Methods().Count() + exports.Count(), 0);
}

TEST_F(MethodContribution, ADatasetSupportMethodIsDeclaredOnlyInTheServerAndTheInterface) {
    AddMethod("CreateQuery", mcFunction, "TQuery").SetSettings({isSystemItem, isDSC});
    auto countIn = [&](const TGenerationTarget& unit) {
        TgmcMethods methods;
        TgmcFields fields;
        design.Methods().AddMethods(methods, &fields, unit, module, design.ExternalClasses());
        return methods.Count();
    };
    EXPECT_EQ(countIn(TGenerationTarget::ServerClass("TdevCalc")), 1);
    EXPECT_EQ(countIn(TGenerationTarget::Interface("ICalc")), 1);
    EXPECT_EQ(countIn(TGenerationTarget::DeveloperClass("TdevCalc")), 0);
    EXPECT_EQ(countIn(TGenerationTarget::Controller(moServerInDll)), 0);
    EXPECT_EQ(countIn(TGenerationTarget::ExportedRoutine("TdevCalc")), 0);
    TgmcExportMethods exports;
    design.Methods().AddExportEntries(exports);
    TgmcFields pointers;
    design.Methods().AddFunctionPointerFields(pointers);
    TgmcProceduralTypes types;
    design.Methods().AddFunctionPointerTypes(types);
    EXPECT_EQ(exports.Count() + pointers.Count() + types.Count(), 0);
}

TEST_F(MethodContribution, SetDatabaseParamsStoresTheParametersAndPassesThemOn) {
    TemgMethod& set = AddMethod("SetDatabaseParams");
    set.SetSettings({isSystemItem, isSetDatabaseParams});
    for (const char* name : {"aAliasName", "aUserName", "aPassword"}) AddParameter(set.Parameters(), name, "string")
                                                                          .SetCategory(pcConst);
    module.databaseSupport = {dbsSetDatabaseParams};
    module.dataModuleName = "Orders";
    StandInModule stock, plain;
    stock.databaseSupport = {dbsSetDatabaseParams};
    module.otherModules = {{"Stock", &stock}, {"Plain", &plain}};
    for (const char* referenced : {"Stock", "Plain"}) {
        TemgExternalClass* external = design.ExternalClasses().Add();
        external->SetName(referenced);
        external->SetPropertyName(std::string(referenced) + "Items");
    }
    AddTo(TGenerationTarget::ServerClass("TdevCalc"));

    EXPECT_EQ(Declaration(),
              Lines({"type", "    ", "   TgenCalc = class(TDLLServer)", "   PROTECTED", "   FAliasName:string;",
                     "   FUserName:string;", "   FPassword:string;", "   PUBLIC",
                     "   procedure SetDatabaseParams(const aAliasName:string;const aUserName:string;const "
                     "aPassword:string);virtual;",
                     "   end;"}));
    EXPECT_EQ(target->Methods().Items(0)->MethodImplementation().GetCode(),
              Lines({"dmOrders.SetDatabaseParams(aAliasName,aUserName,aPassword);", "FAliasName:=aAliasName;",
                     "FUserName:=aUserName;", "FPassword:=aPassword;",
                     "if FStockItems <> nil then FStockItems.SetDatabaseParams(FAliasName, FUserName, FPassword);"}));

    // Without a connection from the host there is no data module call.
    module.connectToHostDB = false;
    TgmcMethods methods;
    TgmcFields fields;
    set.AddMethod(methods, &fields, TGenerationTarget::ServerClass("TdevCalc"), module, TemgExternalClasses());
    EXPECT_EQ(methods.Items(0)->MethodImplementation().GetCode(),
              Lines({"FAliasName:=aAliasName;", "FUserName:=aUserName;", "FPassword:=aPassword;"}));

    TgmcMethods developer;
    set.AddMethod(developer, nullptr, TGenerationTarget::DeveloperClass("TdevCalc"), module, TemgExternalClasses());
    EXPECT_EQ(developer.Items(0)->MethodImplementation().GetCode(), "inherited;");
}

TEST_F(MethodContribution, TheDeclarationTextIsAnOverrideDefaultsFollowEveryParameterWithoutAndTheListConverts) {
    EXPECT_EQ(AddSum().DeclarationText(), "function Sum(a:Integer;b:Integer):Integer;override;");
    // A procedure keeps no result type from an earlier category.
    EXPECT_EQ(AddMethod("Run", mcProcedure, "Integer").DeclarationText(), "procedure Run;override;");
    EXPECT_EQ(design.Methods().DeclarationText(),
              "function Sum(a:Integer;b:Integer):Integer;override;\r\nprocedure Run;override;");
    TemgParameters parameters;
    EXPECT_TRUE(parameters.DefaultsInOrder());
    AddParameter(parameters, "a");
    AddParameter(parameters, "b").SetDefaultValue("1");
    EXPECT_TRUE(parameters.DefaultsInOrder());
    TemgParameter& c = AddParameter(parameters, "c");
    EXPECT_FALSE(parameters.DefaultsInOrder());
    c.SetDefaultValue("2");
    EXPECT_TRUE(parameters.DefaultsInOrder());
    TemgParameters list;
    EXPECT_EQ(list.CallList(), "");
    TemgParameter& value = AddParameter(list, "Value");
    value.SetCategory(pcConst);
    value.SetDefaultValue("5");
    AddParameter(list, "Name", "string").SetCategory(pcVar);
    EXPECT_EQ(list.CallList(), "(Value,Name)");
    EXPECT_EQ(value.GetDisplayName(), "const Value:Integer=5");

    TgmcParameters converted;
    list.ConvertParameters(converted, true);
    EXPECT_EQ(converted.SrcCode(0, ";"),
              "(const aInstanceID:Integer;var VErrorMessage:string;const Value:Integer=5;var Name:string)");
}

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
