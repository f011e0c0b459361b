// Elements written in the model-file notation and read back: what is stored, in which order,
// which defaults are left out, and that reading the text back gives the same text.
#include <gtest/gtest.h>

#include "elements/AddedUnits.h"
#include "elements/DatabaseElements.h"
#include "elements/DesignClass.h"
#include "elements/ProceduralTypes.h"
#include "elements/RegisteredTypes.h"
#include "elements/ReleaseElements.h"
#include "model/ObjectText.h"
#include "elements/ElementTestSupport.h"
#include "support/Lines.h"

namespace quillon {
namespace {

using test::CrLf;

// The text of `object` after it was written and read back into a fresh object.
template <class T>
std::string RewrittenText(const T& object) {
    T copy;
    ObjectFromText(ObjectToText(object), copy);
    return ObjectToText(copy);
}

// A class with every kind of member.
void FillCalc(TemgClass& calc) {
    calc.SetName("Calc");
    calc.SetCaption("Calculator");
    calc.SetGUID("{3F2504E0-4F89-11D3-9A0C-0305E82C3301}");
    calc.SetComDescription("It's a calculator");
    calc.SetDllClassInstancing(dllciSingleInstance);
    calc.SetComThreadingModel(tmFree);
    TemgProperty& count = test::AddTyped(calc.Properties(), "Count", "Integer");
    count.SetDefaultValue("10");
    count.SetDebugValue("5");
    TemgProperty& limit = test::AddTyped(calc.Properties(), "Limit", "Double");
    limit.SetAccessTypes({atWrite});
    limit.SetExported(false);
    limit.SetVisibility(mvProtected);
    test::AddTyped(calc.Events(), "OnChange", "TNotifyEvent", dtRegisteredProcedural);
    test::AddTyped(calc.Events(), "CreateQueryMethod", "TCreateQueryMethod", dtProcedural).SetSettings({isSystemItem, isDSC});
    TemgMethod& sum = test::AddTyped(calc.Methods(), "Sum", "Integer");
    sum.SetCategory(mcFunction);
    sum.SetCode("Result:=a+b;\r\nLog('sum');");
    for (const char* name : {"a", "b"}) {
        TemgParameter& parameter = test::AddTyped(sum.Parameters(), name, "Integer");
        parameter.SetCategory(pcConst);
        parameter.SetDebugValue("1");
    }
    sum.Parameters().Items(1)->SetDefaultValue("0");
    calc.Methods().Add()->SetName("AfterInitInstance");
    calc.Methods().Items(1)->SetSettings({isSystemItem});
    TemgExternalClass* stock = calc.ExternalClasses().Add();
    stock->SetName("Stock");
    stock->SetCaption("Stock items");
    stock->SetPropertyName("StockItems");
    stock->SetAutoCreate(false);
}

}  // namespace

// Read back or assigned, a class with every kind of member gives the same text.
TEST(ElementFiles, EveryElementReadsBackAndAssignsToTheSameTextAndTheEventFlagFollowsTheType) {
    TemgClass calc;
    FillCalc(calc);
    const std::string text = ObjectToText(calc);
    EXPECT_EQ(RewrittenText(calc), text);
    TemgClass assigned;
    assigned.Assign(calc);
    EXPECT_EQ(ObjectToText(assigned), text);
    EXPECT_TRUE(assigned.GetModified());

    // Spot checks of what the text holds.
    EXPECT_NE(text.find("  ComDescription = 'It'#39's a calculator'\r\n"), std::string::npos);
    EXPECT_NE(text.find("  DllClassInstancing = dllciSingleInstance\r\n"), std::string::npos);
    EXPECT_NE(text.find("      AccessTypes = [atWrite]\r\n"), std::string::npos);
    EXPECT_NE(text.find("      Exported = False\r\n      Visibility = mvProtected\r\n"), std::string::npos);
    EXPECT_NE(text.find("      Settings = [isSystemItem, isDSC]\r\n"), std::string::npos);
    EXPECT_NE(text.find("      DataType.Category = dtRegisteredProcedural\r\n"), std::string::npos);
    EXPECT_NE(text.find("      Event = True\r\n"), std::string::npos);
    EXPECT_NE(text.find("      Code = 'Result:=a+b;'#13#10'Log('#39'sum'#39');'\r\n"), std::string::npos);
    EXPECT_NE(text.find("      AutoCreate = False\r\n      PropertyName = 'StockItems'\r\n"), std::string::npos);
    EXPECT_EQ(text.find("ComClassInstancing"), std::string::npos);

    TemgClass copy;
    ObjectFromText(text, copy);
    EXPECT_EQ(copy.Methods().Items(0)->Parameters().Items(1)->GetDefaultValue(), "0");
    EXPECT_TRUE(copy.Events().Items(1)->HasSetting(isDSC));
    EXPECT_FALSE(copy.ExternalClasses().Items(0)->GetAutoCreate());
    TemgRegisteredDataTypes registered;
    AddBuiltInRegisteredTypes(registered);
    EXPECT_EQ(RewrittenText(*registered.Items(26)), ObjectToText(*registered.Items(26)));
    EXPECT_EQ(ObjectToText(*registered.Items(21)),
              CrLf({"object TemgRegisteredDataType", "  Appellation.Name = 'TNotifyEvent'", "  Settings = []",
                    "  ModuleName = 'Classes'", "  ProceduralType = True", "end"}));

    TemgProceduralTypes procedural;
    AddSystemProceduralTypes(procedural);
    test::AddTyped(procedural.Items(0)->Parameters(), "Sender", "TObject");
    EXPECT_EQ(RewrittenText(*procedural.Items(0)), ObjectToText(*procedural.Items(0)));

    TemgAddUnit unit;
    unit.SetName("Main.pas");
    unit.SetUnitType(autForm);
    unit.SetFormName("MainForm");
    EXPECT_EQ(RewrittenText(unit), ObjectToText(unit));

    TReleaseDll release;
    release.SetName("Nightly");
    release.SetDateTime(45000.5);
    release.SetOption(roModule);
    release.SetModuleName("Calc");
    EXPECT_EQ(ObjectToText(release),
              CrLf({"object TReleaseDll", "  Appellation.Name = 'Nightly'", "  Settings = []", "  DllSubdir = 'dll'",
                    "  PasSubdir = 'pas'", "  DateTime = 45000.5", "  ModuleName = 'Calc'", "  Option = roModule",
                    "end"}));
    EXPECT_EQ(RewrittenText(release), ObjectToText(release));

    TCopyFileItem copyRule;
    copyRule.SetDllPath("bin");
    copyRule.SetAllDlls(false);
    EXPECT_EQ(RewrittenText(copyRule), ObjectToText(copyRule));

    TemgDatabaseConnection connection;
    connection.SetAliasName("Orders");
    connection.SetPassword("se'cret");
    connection.SetLoginPrompt(false);
    EXPECT_EQ(ObjectToText(connection), CrLf({"object TemgDatabaseConnection", "  AliasName = 'Orders'",
                                              "  Password = 'se'#39'cret'", "  LoginPrompt = False", "end"}));
    EXPECT_EQ(RewrittenText(connection), ObjectToText(connection));
    TemgProperty property;
    ObjectFromText(CrLf({"object TemgProperty", "  Appellation.Name = 'Count'", "  Settings = []",
                         "  DataType.Name = 'Integer'", "  Event = True", "end"}),
                   property);
    EXPECT_FALSE(property.GetEvent());
    EXPECT_EQ(property.GetName(), "Count");
}

}  // namespace quillon
