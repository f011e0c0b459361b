// The texts elements give of themselves (declaration and display texts, the class's identifier
// and factory statement), the built-in types, added units' uses entries and form files, and change
// tracking.
#include <gtest/gtest.h>

#include "elements/AddedUnits.h"
#include "elements/DatabaseElements.h"
#include "elements/DesignClass.h"
#include "elements/ProceduralTypes.h"
#include "elements/RegisteredTypes.h"
#include "model/ObjectText.h"
#include "source/SourceUnit.h"
#include "support/NativePath.h"

namespace quillon {
using test::NativePath;

TEST(ElementTexts, BuiltInTypesConnectionFactoryStatementAddedUnitsAndChangeTracking) {
    TemgRegisteredDataTypes registered;
    AddBuiltInRegisteredTypes(registered);
    ASSERT_EQ(registered.Count(), 27);
    EXPECT_EQ(registered.Items(0)->GetName(), "Boolean");
    EXPECT_EQ(registered.Items(20)->GetName(), "TDateTime");
    EXPECT_EQ(registered.Items(21)->DeclarationText(), "TNotifyEvent declared in Classes");
    EXPECT_TRUE(registered.Items(21)->GetProceduralType());
    EXPECT_EQ(registered.Items(23)->DeclarationText(), "TMessageEvent declared in Forms");
    EXPECT_EQ(registered.Items(26)->DeclarationText(), "TStoredProc declared in DBTables");
    EXPECT_TRUE(registered.Items(26)->IsSystemItem());
    EXPECT_FALSE(registered.Items(1)->IsSystemItem());
    EXPECT_EQ(registered.Items(1)->DeclarationText(), "Integer");

    TemgProceduralTypes procedural;
    AddSystemProceduralTypes(procedural);
    EXPECT_EQ(procedural.DeclarationText(),
              "TCreateQueryMethod=function:TQuery of object;\r\nTCreateTableMethod=function:TTable of object;\r\n"
              "TCreateStoredProcMethod=function:TStoredProc of object;");
    EXPECT_TRUE(procedural.Items(2)->IsSystemItem());
    TemgDatabaseConnection connection;
    EXPECT_EQ(connection.GetDisplayName(), "AliasName = ; UserName = ; ");
    connection.SetAliasName("Orders");
    connection.SetUserName("sa");
    connection.SetPassword("secret");
    EXPECT_EQ(connection.GetDisplayName(), "AliasName = Orders; UserName = sa; ");
    connection.SetLoginPrompt(false);
    connection.SetPassword("");
    EXPECT_EQ(connection.GetDisplayName(), "AliasName = Orders; UserName = sa;  Password = *****; ");
    TemgClass calc;
    calc.SetName("Calc");
    calc.SetComDescription("Calculator");
    EXPECT_EQ(calc.ClassIdentifierName(), "Class_Calc");
    EXPECT_EQ(calc.ComFactoryCreation(),
              "ComObj.TComObjectFactory.Create(ComServ.ComServer,TdevCalc,Class_Calc,'TdevCalc','Calculator',ciMultiInstance,"
              "tmApartment);");
    calc.SetComDescription("Bob's");
    calc.SetComClassInstancing(ciSingleInstance);
    calc.SetComThreadingModel(tmBoth);
    EXPECT_EQ(calc.ComFactoryCreation(),
              "ComObj.TComObjectFactory.Create(ComServ.ComServer,TdevCalc,Class_Calc,'TdevCalc','Bob''s',ciSingleInstance,tmBoth);");
    TemgAddUnits units;
    units.Add()->SetName("Main.dfm");
    TemgAddUnit* main = units.Add();
    main->SetName("..\\forms\\Main.PAS");
    main->SetFormName("MainForm");
    TemgAddUnit* frame = units.Add();
    frame->SetName(NativePath("/abs/Frame1.pas"));
    frame->SetFormName("Frame1");
    frame->SetFrame(true);
    TgmcUsesModules uses;
    units.AddUnitUses(uses, NativePath("/work/src"));

    ASSERT_EQ(uses.Count(), 2);
    EXPECT_EQ(uses.SrcCode(3, ",\r\n"), "uses \r\n   Main in '" + NativePath("/work/forms/Main.PAS") + "' {MainForm},\r\n" +
                                            "   Frame1 in '" + NativePath("/abs/Frame1.pas") + "' {Frame1: TFrame};\r\n");
    const std::pair<const char*, const char*> firstLines[] = {
        {"object Form1: TForm1", "Form1"}, {"inherited Frame2: TFrame2\r", "Frame2"}, {"object Form1 : TForm1", "Form1"},
        {"", ""}, {"object Form1", ""} /* no class after a colon */, {"TPF0\x06TForm1", ""} /* binary */,
        {" object Form1: TForm1", ""}};
    for (const auto& [line, name] : firstLines) EXPECT_EQ(FormNameFromFirstLine(line), name) << line;
    EXPECT_EQ(FormFileOfUnit("src/Main.pas"), "src/Main.dfm");
    EXPECT_EQ(FormFileOfUnit("..\\forms\\About.PAS"), "..\\forms\\About.dfm");
    EXPECT_EQ(FormFileOfUnit("my.dir/Main"), "my.dir/Main.dfm");
    TemgClass design;
    TemgMethod* run = design.Methods().Add();
    TemgParameter* value = run->Parameters().Add();
    design.SetModified(false);
    EXPECT_FALSE(design.GetModified());

    value->DataType().SetName("Integer");
    EXPECT_TRUE(run->GetModified());
    EXPECT_TRUE(design.GetModified());
    design.SetModified(false);
    EXPECT_FALSE(value->DataType().GetModified());
    EXPECT_FALSE(design.GetModified());

    // Setting an equal value is no change.
    value->DataType().SetName("Integer");
    run->SetExported(true);
    design.Events().Add()->SetModified(false);
    EXPECT_FALSE(design.GetModified());
    design.Events().Items(0)->Appellation().SetCaption("changed");
    EXPECT_TRUE(design.GetModified());
}

}  // namespace quillon
