// What one method contributes to each unit, written through the source writer, and the
// parameter list operations.
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

class MethodContribution : public ::testing::Test {
protected:
    MethodContribution() {
        target = classes.Add();
        target->SetName("TgenCalc");
        target->ParentClass().SetName("TDLLServer");
    }

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
    std::string Declaration() const { return classes.SrcCode(3, "\r\n"); }

    TemgClass design;
    StandInModule module{moServerInDll};
    TgmcClasses classes;
    TgmcClass* target;
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

TEST_F(MethodContribution, TheDeclarationTextIsAnOverrideWithoutInstanceParameters) {
    EXPECT_EQ(AddSum().DeclarationText(), "function Sum(a:Integer;b:Integer):Integer;override;");
    // A procedure keeps no result type from an earlier category.
    EXPECT_EQ(AddMethod("Run", mcProcedure, "Integer").DeclarationText(), "procedure Run;override;");
    EXPECT_EQ(design.Methods().DeclarationText(),
              "function Sum(a:Integer;b:Integer):Integer;override;\r\nprocedure Run;override;");
}

TEST(ParameterList, DefaultsMustFollowEveryParameterWithout) {
    TemgParameters parameters;
    EXPECT_TRUE(parameters.DefaultsInOrder());
    AddParameter(parameters, "a");
    AddParameter(parameters, "b").SetDefaultValue("1");
    EXPECT_TRUE(parameters.DefaultsInOrder());
    TemgParameter& c = AddParameter(parameters, "c");
    EXPECT_FALSE(parameters.DefaultsInOrder());
    c.SetDefaultValue("2");
    EXPECT_TRUE(parameters.DefaultsInOrder());
}

TEST(ParameterList, ConvertsWithInstanceParametersAndNamesTheCallList) {
    TemgParameters parameters;
    EXPECT_EQ(parameters.CallList(), "");
    TemgParameter& value = AddParameter(parameters, "Value");
    value.SetCategory(pcConst);
    value.SetDefaultValue("5");
    AddParameter(parameters, "Name", "string").SetCategory(pcVar);
    EXPECT_EQ(parameters.CallList(), "(Value,Name)");
    EXPECT_EQ(value.GetDisplayName(), "const Value:Integer=5");

    TgmcParameters converted;
    parameters.ConvertParameters(converted, true);
    EXPECT_EQ(converted.SrcCode(0, ";"),
              "(const aInstanceID:Integer;var VErrorMessage:string;const Value:Integer=5;var Name:string)");
}

}  // namespace quillon
