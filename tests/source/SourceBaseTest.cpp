#include <gtest/gtest.h>

#include "model/Published.h"
#include "source/MemberEnums.h"
#include "source/SourceBase.h"
#include "source/SourceUnit.h"
#include "support/Lines.h"

namespace quillon {
namespace {

using test::Lines;

// An item whose text is its name, so the collection's joining rules can be watched alone.
class NameItem : public TgmcAppellationItem {
public:
    void AppendSrcCode(std::string& dest, int) const override { dest.append(GetName()); }
};

class NameList : public TgmcCollectionOf<NameItem> {
public:
    NameItem* AddNamed(std::string_view name) {
        NameItem* item = Add();
        item->SetName(name);
        return item;
    }
};

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

TEST(TgmcAppellation, RaisesModifiedOnACaseSensitiveChangeAssignsAndItemsAndListsFollowIt) {
    TgmcAppellation a, b;
    a.SetName("");
    EXPECT_FALSE(a.GetModified());
    a.SetName("Run");
    a.SetModified(false);
    a.SetName("run");
    EXPECT_TRUE(a.GetModified());
    EXPECT_EQ(a.CaptionComment(), "");
    a.SetCaption("Runs it");
    EXPECT_EQ(a.CaptionComment(), "{Runs it}");
    b.Assign(a);
    EXPECT_EQ(b.GetName(), "run");
    EXPECT_EQ(b.GetCaption(), "Runs it");
    EXPECT_TRUE(b.GetModified());
    EXPECT_EQ(PropertyNames(a), (std::vector<std::string>{"Name", "Caption"}));
    TgmcDataType t;
    t.SetName("TKind");
    EXPECT_EQ(t.QualifiedName(), "TKind");
    t.SetModuleName("Types");
    EXPECT_EQ(t.QualifiedName(), "Types.TKind");
    t.SetName("");
    EXPECT_EQ(t.QualifiedName(), "Types");
    NameList items;
    NameItem* item = items.AddNamed("A");
    EXPECT_TRUE(item->GetModified());
    EXPECT_TRUE(items.GetModified());  // forwarded by GetItemModified
    items.SetModified(false);
    EXPECT_FALSE(item->Appellation().GetModified());
    EXPECT_FALSE(items.GetModified());

    // The setter copies values into the owned appellation.
    TgmcAppellation other;
    other.SetName("B");
    const TgmcAppellation* owned = &item->Appellation();
    item->SetAppellation(other);
    EXPECT_EQ(&item->Appellation(), owned);
    EXPECT_EQ(item->GetName(), "B");
    EXPECT_EQ(item->GetDisplayName(), "B");
    EXPECT_EQ(PropertyNames(*item), (std::vector<std::string>{"Appellation"}));
    NameList list;
    NameItem* first = list.AddNamed("Windows");
    NameItem* second = list.AddNamed("WINDOWS");
    list.AddNamed("SysUtils");
    EXPECT_FALSE(list.IsDuplicate(*first));
    EXPECT_TRUE(list.IsDuplicate(*second));
    EXPECT_EQ(list.SrcCode(0, ","), "Windows,SysUtils");

    // Creation order decides, not position: an item inserted in front later is the duplicate.
    list.Insert(0)->SetName("sysutils");
    EXPECT_TRUE(list.IsDuplicate(*list.Items(0)));
    EXPECT_EQ(list.SrcCode(0, ","), "Windows,SysUtils");

    // A long list is judged by a map instead of pairs, with the same outcome.
    std::string expected = "Windows\r\nSysUtils";
    for (int i = 0; i < 20; ++i) {
        list.AddNamed("Unit" + std::to_string(i));
        expected += "\r\nUnit" + std::to_string(i);
    }
    list.AddNamed("UNIT7");
    list.Insert(0)->SetName("unit19");
    EXPECT_TRUE(list.IsDuplicate(*list.Items(0)));
    EXPECT_EQ(list.SrcCode(0, "\r\n"), expected);
    // Only separators without line breaks wrap; every line is indented.
    list.Clear();
    EXPECT_EQ(list.SrcCode(3, ","), "");
    list.AddNamed("");  // empty texts add neither text nor separator
    EXPECT_EQ(list.SrcCode(3, ","), "");
    const std::string wide(80, 'a'), c(78, 'c');
    for (const std::string& name : {wide, std::string("b"), c, std::string("d")}) list.AddNamed(name);
    // The first line is measured before the 3 leading blanks are added (80: no break yet);
    // a line a break started counts its blanks (3 + 78 = 81: break).
    EXPECT_EQ(list.SrcCode(3, ","), "   " + wide + ",b,\r\n   " + c + ",\r\n   d");
    EXPECT_EQ(list.SrcCode(2, "\r\n"), "  " + wide + "\r\n  b\r\n  " + c + "\r\n  d");
    NameList source, target;
    source.AddNamed("A");
    source.AddNamed("B");
    target.Assign(source);
    EXPECT_EQ(target.SrcCode(0, ","), "A,B");
    EXPECT_TRUE(target.GetModified());
    target.SetModified(false);
    // Needs the real stored-property comparison.
    target.Assign(source);
    EXPECT_FALSE(target.GetModified());
}

TEST(TgmcTypes, MethodPointerTypesWithOptionWordsAndEnumeratedTypesWithCaptionsWithoutRepeatsWrapped) {
    EXPECT_EQ(MethodOptionsText({}), "");
    EXPECT_EQ(MethodOptionsText({moExport, moOfObject, moStdCall}), " of object;stdcall;export");
    EXPECT_EQ(MethodInheritanceNames.ValueOf("miabstract"), static_cast<int>(miAbstract));
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

TEST(TgmcEnumTypes, SetsFollowThemInAModulePartAndValueNamesRepeatOnlyInsideTheEditedTypeWhoseValuesMarkIt) {
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
