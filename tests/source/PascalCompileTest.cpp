// A unit with every kind of declaration the source model writes must compile with Free Pascal in
// Delphi mode against our stubs of the target environment (the generated libraries and programs
// are compiled by the generator's tests).
#include <gtest/gtest.h>

#include "source/SourceUnit.h"
#include "support/PascalCompiler.h"

namespace quillon {
namespace {

using test::PascalCompiles;

TgmcMethod* AddMethod(TgmcMethods& list, std::string_view name, TMemberVisibility visibility, std::string_view code,
                      std::string_view result = {}) {
    TgmcMethod* m = list.Add();
    m->SetName(name);
    m->SetVisibility(visibility);
    m->MethodImplementation().SetCode(code);
    if (!result.empty()) {
        m->SetCategory(mcFunction);
        m->DataType().SetName(result);
    }
    return m;
}

template <class Item>
Item* AddTyped(Item* item, std::string_view name, std::string_view type) {
    item->SetName(name);
    item->DataType().SetName(type);
    return item;
}

// A unit with every kind of declaration the model writes.
std::string ClassesUnit() {
    TgmcModule unit;
    unit.Appellation().SetName("Demo");
    unit.Appellation().SetCaption("Compile test");
    TgmcModulePart& intf = unit.InterfacePart();
    for (const char* name : {"Windows", "SysUtils", "Classes"}) intf.UsesModules().Add()->SetName(name);
    TgmcResourceString* hello = intf.ResourceStrings().Add();
    hello->SetName("SHello");
    hello->SetValue("Hello");
    TgmcEnumType* kind = intf.EnumTypes().Add();
    kind->SetName("TKind");
    kind->Values().Add()->SetName("kA");
    kind->Values().Add()->SetName("kB");
    TgmcSet* kinds = intf.Sets().Add();
    kinds->SetName("TKinds");
    kinds->EnumDataType().SetName("TKind");
    TgmcProceduralType* onChange = intf.ProceduralTypes().Add();
    onChange->SetName("TOnChange");
    AddTyped(onChange->Parameters().Add(), "Sender", "TObject");
    onChange->SetOptions({moOfObject, moStdCall});
    TgmcConst* max = AddTyped(intf.Consts().Add(), "Max", "Integer");
    max->SetValue("10");

    TgmcClass* idemo = intf.Classes().Add();
    idemo->SetName("IDemo");
    idemo->SetOption(cgoInterface);
    idemo->ParentClass().SetName("IUnknown");
    idemo->SetInterfaceGUIDIdentifier("'{8D0C4F4B-6F0D-4F5B-9C7D-6E6C7A2B1F10}'");
    AddMethod(idemo->Methods(), "GetValue", mvNone, "", "Integer")->SetOptions({moStdCall});

    TgmcClass* demo = intf.Classes().Add();
    demo->SetName("TDemo");
    demo->SetCaption("The demo class");
    demo->ParentClass().SetName("TInterfacedObject");
    demo->SupportedInterfaces().Add()->SetName("IDemo");
    AddTyped(demo->Fields().Add(), "FValue", "Integer");
    AddTyped(demo->Fields().Add(), "FOnChange", "TOnChange");
    AddTyped(AddMethod(demo->Methods(), "GetItem", mvPrivate, "Result:=Index+FValue;", "Integer")->Parameters().Add(),
             "Index", "Integer");
    AddMethod(demo->Methods(), "GetValue", mvPublic, "Result:=FValue;", "Integer")->SetOptions({moStdCall});
    AddMethod(demo->Methods(), "Draw", mvPublic, "")->SetInheritance({miVirtual, miAbstract});
    TgmcMethod* count = AddMethod(demo->Methods(), "Count", mvPublic, "I:=1;\r\nResult:=I;", "Integer");
    count->SetClassMethod(true);
    AddTyped(count->MethodImplementation().LocalVars().Add(), "I", "Integer");
    TgmcProperty* items = AddTyped(demo->Properties().Add(), "Items", "Integer");
    items->SetVisibility(mvPublic);
    items->IndexVar().SetName("Index");
    items->IndexVar().DataType().SetName("Integer");
    items->SetReadMethodName("GetItem");
    items->SetIsDefault(true);
    TgmcProperty* value = AddTyped(demo->Properties().Add(), "Value", "Integer");
    value->SetVisibility(mvPublished);
    value->SetReadMethodName("FValue");
    value->SetWriteMethodName("FValue");
    value->SetDefaultValue("0");
    value->SetCaption("the value");
    TgmcProperty* event = AddTyped(demo->Properties().Add(), "OnChange", "TOnChange");
    event->SetVisibility(mvPublic);
    event->SetReadMethodName("FOnChange");
    event->SetWriteMethodName("FOnChange");

    AddTyped(intf.Vars().Add(), "Counter", "Integer");
    AddTyped(AddMethod(intf.Methods(), "Get", mvPublic, "Result:=A;", "Integer")->Parameters().Add(), "A", "Integer")
        ->SetCategory(pcConst);
    unit.ImplementationPart().UsesModules().Add()->SetName("Math");
    AddMethod(unit.ImplementationPart().Methods(), "Run", mvPublic, "Counter:=TDemo.Count;");
    unit.SetInitializationPart("   Counter:=Max;");
    unit.SetFinalizationPart("   Counter:=0;");
    return unit.SrcCode();
}

}  // namespace

TEST(PascalCompileLinuxOnly, AUnitWithClassesInterfacesTypesAndRoutinesCompilesAgainstTheWindowsStub) {
    EXPECT_TRUE(PascalCompiles({{"Demo.pas", ClassesUnit()}}, "Demo.pas"));
}

TEST(PascalCompileLinuxOnly, TheHelperReportsTheFirstCompilerError) {
    const test::PascalCompileResult result =
        test::CompilePascal({{"Broken.pas", "unit Broken;\r\ninterface\r\nprocedure X;\r\nimplementation\r\nend."}},
                            "Broken.pas");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.firstError.find("Broken.pas"), std::string::npos) << result.output;
}

}  // namespace quillon
