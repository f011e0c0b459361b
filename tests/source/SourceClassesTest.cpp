#include <gtest/gtest.h>

#include "source/SourceUnit.h"
#include "support/Lines.h"

namespace quillon {
namespace {

using test::Lines;

TgmcParameter* AddParameter(TgmcParameters& list, std::string_view name, std::string_view type,
                            TParameterCategory category = pcNone) {
    TgmcParameter* p = list.Add();
    p->SetName(name);
    p->DataType().SetName(type);
    p->SetCategory(category);
    return p;
}

TgmcMethod* AddMethod(TgmcMethods& list, std::string_view name, TMemberVisibility visibility = mvPublic) {
    TgmcMethod* m = list.Add();
    m->SetName(name);
    m->SetVisibility(visibility);
    return m;
}

class SourceClass : public ::testing::Test {
protected:
    SourceClass() {
        demo = classes.Add();
        demo->SetName("TDemo");
        demo->ParentClass().SetName("TObject");
    }

    TgmcClasses classes;
    TgmcClass* demo;
};

}  // namespace

TEST_F(SourceClass, DeclaresMethodsWithDirectivesAndOptionsListsLocalVariablesAndAssignCopiesThem) {
    TgmcMethod* get = AddMethod(demo->Methods(), "Get");
    get->SetCategory(mcFunction);
    AddParameter(get->Parameters(), "A", "Integer");
    get->DataType().SetName("Integer");
    get->SetInheritance({miVirtual});
    get->SetOptions({moStdCall});
    EXPECT_EQ(get->SrcCode(3), "function Get(A:Integer):Integer;virtual; stdcall;");

    TgmcMethods routines;
    routines.SetForward(true);
    EXPECT_EQ(AddMethod(routines, "Run")->SrcCode(0), "procedure Run;forward;");

    TgmcMethod* all = AddMethod(demo->Methods(), "All");
    all->SetInheritance({miAbstract, miReintroduce, miOverload, miOverride, miVirtual});
    all->SetOptions({moExport, moSafeCall});
    EXPECT_EQ(all->SrcCode(0), "procedure All;virtual;override;overload;reintroduce; safecall;export;abstract;");
    EXPECT_EQ(all->ImplementationSrcCode(3), "");

    TgmcMethod* count = AddMethod(demo->Methods(), "Count");
    count->SetClassMethod(true);
    count->SetCategory(mcFunction);
    count->DataType().SetName("Integer");
    count->MethodImplementation().SetCode("Result:=0;");
    EXPECT_EQ(count->SrcCode(0), "class function Count:Integer;");
    EXPECT_EQ(count->ImplementationSrcCode(3),
              Lines({"class function TDemo.Count:Integer;", "begin", "   Result:=0;", "end;"}));

    // Assign copies the whole class.
    TgmcProperty* p = demo->Properties().Add();
    p->SetName("P");
    p->DataType().SetName("Integer");
    p->SetReadMethodName("Get");
    demo->SupportedInterfaces().Add()->SetName("IFoo");
    TgmcClass copy;
    copy.Assign(*demo);
    EXPECT_EQ(copy.SrcCode(3), demo->SrcCode(3));
    EXPECT_EQ(copy.ImplementationSrcCode(3), demo->ImplementationSrcCode(3));
    TgmcMethod* run = AddMethod(demo->Methods(), "Run");
    TgmcVar* i = run->MethodImplementation().LocalVars().Add();
    i->SetName("I");
    i->DataType().SetName("Integer");
    EXPECT_EQ(run->ImplementationSrcCode(3),
              Lines({"procedure TDemo.Run;", "var ", "   I:Integer;", "begin", "   ", "end;"}));

    AddParameter(run->Parameters(), "AFirstParameterWithALongName", "Integer", pcConst);
    AddParameter(run->Parameters(), "ASecondParameterWithALongName", "string", pcVar);
    EXPECT_EQ(run->ImplementationSrcCode(0),
              Lines({"procedure TDemo.Run(const AFirstParameterWithALongName:Integer;var ASecondParameterWithALongName:string);",
                     "", "var ", "I:Integer;", "begin", "end;"}));
}

TEST_F(SourceClass, WritesCaptionAndSupportedInterfacesInTheHeading) {
    demo->SetCaption("A demo");
    demo->ParentClass().SetName("TInterfacedObject");
    demo->SupportedInterfaces().Add()->SetName("IFoo");
    demo->SupportedInterfaces().Add()->SetName("IBar");
    AddMethod(demo->Methods(), "Run")->MethodImplementation().SetCode("Beep;");
    EXPECT_EQ(demo->SrcCode(3), Lines({" ", "   {A demo}", "   TDemo = class(TInterfacedObject,   IFoo,IBar)",
                                       "   PUBLIC", "   procedure Run;", "   end;"}));
    EXPECT_EQ(classes.ImplementationSrcCode(3),
              Lines({"", "{TDemo}", "{A demo}", "", "procedure TDemo.Run;", "begin", "   Beep;", "end;"}));
}

TEST_F(SourceClass, VisibilityWordsRepeatDuplicateMembersStayPropertiesWriteIndexAndDefaultAndParametersWrap) {
    demo->ParentClass().SetName("");
    AddMethod(demo->Methods(), "Abstract", mvProtected)->SetInheritance({miVirtual, miAbstract});
    TgmcField* a = demo->Fields().Add();
    a->SetName("A");
    a->SetVisibility(mvPublished);
    a->DataType().SetName("Byte");
    TgmcField* again = demo->Fields().Add();
    again->SetName("a");
    again->SetVisibility(mvProtected);
    again->DataType().SetName("Byte");
    EXPECT_EQ(demo->SrcCode(3), Lines({" ", "   TDemo = class()", "   PROTECTED", "   a:Byte;", "   PROTECTED",
                                       "   procedure Abstract;virtual;abstract;", "   PUBLISHED", "   A:Byte;",
                                       "   end;"}));
    EXPECT_EQ(demo->ImplementationSrcCode(3), "");  // only abstract methods: no class-name comment
    TgmcProperty items;
    items.SetName("Items");
    items.IndexVar().SetName("Index");
    items.IndexVar().DataType().SetName("Integer");
    items.DataType().SetName("TItem");
    items.SetReadMethodName("GetItem");
    items.SetIsDefault(true);
    EXPECT_EQ(items.SrcCode(3), "property Items[Index:Integer]:TItem read GetItem; default;");

    TgmcProperty size;
    size.SetName("Size");
    size.DataType().SetName("Integer");
    size.SetDefaultValue("10");
    size.SetVisibility(mvPublic);
    EXPECT_EQ(size.SrcCode(3), "property Size:Integer;");
    size.SetVisibility(mvPublished);
    size.SetWriteMethodName("SetSize");
    size.SetCaption("in bytes");
    EXPECT_EQ(size.SrcCode(3), "{in bytes}\r\n   property Size:Integer write SetSize default 10;");
    TgmcParameters params;
    EXPECT_EQ(params.SrcCode(0, ";"), "");
    EXPECT_EQ(params.NamesList(), "");
    AddParameter(params, "AValue", "Integer", pcConst)->SetDefaultValue("0");
    AddParameter(params, "AText", "string", pcVar)->DataType().SetModuleName("System");
    EXPECT_EQ(params.SrcCode(0, ";"), "(const AValue:Integer=0;var AText:System.string)");
    for (const char* name : {"AThird", "AFourth", "AFifth", "ASixth"}) AddParameter(params, name, "Integer");
    // The line passes 80 characters with AFifth: the next ";" ends it, ASixth starts at column 1.
    EXPECT_EQ(params.SrcCode(0, ";"),
              "(const AValue:Integer=0;var AText:System.string;AThird:Integer;AFourth:Integer;AFifth:Integer;\r\n"
              "ASixth:Integer)");
    EXPECT_EQ(params.NamesList(), "(AValue,AText,AThird,AFourth,AFifth,ASixth)");

    // Within a heading the list wraps where it does alone: what precedes it does not count.
    TgmcMethods routines;
    TgmcMethod* configure = AddMethod(routines, "Configure");
    configure->SetParameters(params);
    configure->SetCategory(mcFunction);
    configure->DataType().SetName("Boolean");
    EXPECT_EQ(configure->SrcCode(0),
              "function Configure(const AValue:Integer=0;var AText:System.string;AThird:Integer;AFourth:Integer;"
              "AFifth:Integer;\r\nASixth:Integer):Boolean;");

    TgmcParameters copy;
    params.Items(0)->SetCaption("first");
    params.CopyTo(copy);
    ASSERT_EQ(copy.Count(), 6);
    EXPECT_EQ(copy.Items(0)->GetCaption(), "first");
    EXPECT_EQ(copy.Items(0)->SrcCode(0), "AValue:");  // no type, category or default
}

}  // namespace quillon
