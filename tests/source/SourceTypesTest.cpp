#include <gtest/gtest.h>

#include "source/SourceUnit.h"
#include "support/Lines.h"

namespace quillon {
namespace {

using test::Lines;

TgmcEnumType* AddEnum(TgmcEnumTypes& types, std::string_view name, std::initializer_list<std::string_view> values) {
    TgmcEnumType* type = types.Add();
    type->SetName(name);
    for (std::string_view value : values) type->Values().Add()->SetName(value);
    return type;
}

std::vector<std::string> PropertyNames(const TPersistent& object) {
    std::vector<std::string> names;
    for (const PropertyInfo& p : object.Published().Properties()) names.push_back(p.name);
    return names;
}

}  // namespace

TEST(TgmcProceduralType, WritesTheMethodPointerTypeTOnChange) {
    TgmcProceduralType onChange;
    onChange.SetName("TOnChange");
    TgmcParameter* sender = onChange.Parameters().Add();
    sender->SetName("Sender");
    sender->DataType().SetName("TObject");
    onChange.SetOptions({moOfObject, moStdCall});
    EXPECT_EQ(onChange.SrcCode(3), "TOnChange=procedure(Sender:TObject) of object;stdcall;");

    TgmcProceduralType func;
    func.SetName("TGet");
    func.SetMethodCategory(mcFunction);
    func.SetCaption("getter");
    EXPECT_EQ(func.SrcCode(0), "TGet=function;{getter}");
    func.ResultType().SetName("Integer");
    func.ResultType().SetModuleName("System");  // only the name is written
    EXPECT_EQ(func.SrcCode(0), "TGet=function:Integer;{getter}");
}

TEST(TgmcEnumType, WritesValuesWithCaptionsDropsRepeatsAndWrapsAtColumnOne) {
    TgmcEnumTypes types;
    EXPECT_EQ(AddEnum(types, "TEmpty", {})->SrcCode(3), "TEmpty=();");
    TgmcEnumType* kind = AddEnum(types, "TKind", {"kA", "kB", "KA"});
    kind->Values().Items(1)->SetCaption("second");
    kind->SetCaption("kinds");
    EXPECT_EQ(kind->SrcCode(3), "TKind=(kA,kB{second});{kinds}");
    EXPECT_EQ(kind->PlainSrcCode(), kind->SrcCode(3));

    TgmcEnumType* colors = AddEnum(types, "TColor", {});
    for (int i = 0; i < 12; ++i) colors->Values().Add()->SetName("clColorNumber" + std::to_string(i));
    EXPECT_EQ(colors->SrcCode(3),
              "TColor=(clColorNumber0,clColorNumber1,clColorNumber2,clColorNumber3,clColorNumber4,clColorNumber5,\r\n"
              "clColorNumber6,clColorNumber7,clColorNumber8,clColorNumber9,clColorNumber10,clColorNumber11);");
    EXPECT_EQ(types.PlainSrcCode(), "TEmpty=();\r\n" + kind->SrcCode(0) + "\r\n" + colors->SrcCode(0));
}

TEST(TgmcModulePart, SetsContinueTheEnumeratedTypesBeforeTheProceduralTypes) {
    TgmcModulePart part;
    AddEnum(part.EnumTypes(), "TKind", {"kA"});
    TgmcSet* kinds = part.Sets().Add();
    kinds->SetName("TKinds");
    kinds->EnumDataType().SetName("TKind");
    kinds->EnumDataType().SetModuleName("Types");
    TgmcProceduralType* proc = part.ProceduralTypes().Add();
    proc->SetName("TProc");
    EXPECT_EQ(part.SrcCode(), Lines({"type", "   TKind=(kA);", "   TKinds= set of Types.TKind;", "type",
                                     "   TProc=procedure;"}));
}

TEST(TgmcEnumTypes, ValueNamesMayRepeatOnlyInsideTheEditedTypeWhoseValuesMarkIt) {
    TgmcEnumTypes types;
    AddEnum(types, "TKind", {"kA", "kB"});
    AddEnum(types, "TMode", {"mdOn"});
    EXPECT_FALSE(types.Items(0)->Values().IsValueNameUnique("KB"));
    EXPECT_TRUE(types.Items(0)->Values().IsValueNameUnique("kC"));
    EXPECT_TRUE(types.IsValueNameUnique("tkind", "kA"));
    EXPECT_FALSE(types.IsValueNameUnique("TMode", "KA"));
    EXPECT_TRUE(types.IsValueNameUnique("TNew", "kC"));

    EXPECT_EQ(types.GetItemText(1, 0), "TMode");
    types.Items(1)->SetCaption("Mode");
    EXPECT_EQ(types.GetItemText(1, 1), "Mode");
    EXPECT_EQ(types.GetItemText(1, 2), "");
    EXPECT_EQ(types.Items(0)->Values().GetItemText(1, 0), "kB");

    TStringList list;
    list.Add("stale");
    types.Items(0)->Values().FillStringList(list);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Strings(1), "kB");
    EXPECT_EQ(list.Objects(1), types.Items(0)->Values().Items(1));
    // A type is modified through its values and streams its appellation, then its values.
    TgmcEnumTypes others;
    TgmcEnumType* kind = AddEnum(others, "TKind", {"kA"});
    others.SetModified(false);
    kind->Values().Items(0)->SetName("kB");
    EXPECT_TRUE(kind->GetModified());
    EXPECT_TRUE(others.GetModified());
    kind->SetModified(false);
    EXPECT_FALSE(kind->Values().GetModified());

    TgmcEnumType copy;
    copy.Assign(*kind);
    EXPECT_EQ(copy.SrcCode(0), "TKind=(kB);");
    EXPECT_EQ(PropertyNames(copy), (std::vector<std::string>{"Appellation", "Values"}));
    EXPECT_EQ(PropertyNames(*kind->Values().Items(0)), (std::vector<std::string>{"Appellation"}));
}

}  // namespace quillon
