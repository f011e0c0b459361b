// The module's data: Assign, the modified flag, derived names, type look-ups, the marking of
// class modules and the common types module, and the kinds of generated files with their names.
#include <gtest/gtest.h>

#include <functional>

#include "generator/Module.h"
#include "model/ObjectText.h"
#include "platform/Text.h"
#include "support/NativePath.h"

#include "GeneratorTestSupport.h"

namespace quillon {
namespace {

std::vector<int> KindsOf(const TUnitsManagerCollection& units) {
    std::vector<int> kinds;
    for (int i = 0; i < units.Count(); ++i) kinds.push_back(static_cast<int>(units.Items(i)->Kind()));
    return kinds;
}

TEST(ModuleAssign, CopiesEveryStoredValueButLibraryPathSameExeAndTheAppellationFollowsTheClass) {
    TemgModule source;
    test::FillEveryField(source);
    TemgModule target;
    target.Assign(source);

    EXPECT_FALSE(target.GetLibraryPathSameExe());
    target.SetLibraryPathSameExe(true);
    EXPECT_EQ(ObjectToText(target), ObjectToText(source));
    EXPECT_EQ(target.DebugApplications().Module(), &target);
    // The module's appellation follows its class, assigned or set; other sources are ignored.
    TemgModule named;
    named.MainClass().SetName("Account");
    named.Appellation().SetName("Accounts");
    TemgModule assigned;
    assigned.Assign(named);
    EXPECT_EQ(assigned.MainClassName(), "Account");
    EXPECT_EQ(assigned.ModuleName(), "Accounts");

    TemgModule module;
    TemgClass account;
    account.SetName("Account");
    account.SetCaption("Bank account");
    module.Assign(account);
    EXPECT_EQ(module.MainClassName(), "");
    EXPECT_FALSE(module.GetModified());
    module.SetMainClass(account);
    EXPECT_EQ(module.ModuleName(), "Account");
    EXPECT_EQ(module.ModuleCaption(), "Bank account");
    EXPECT_EQ(module.GetName(), "Account");
}

class ModuleModified : public ::testing::Test {
protected:
    void SetUp() override {
        test::FillEveryField(module);
        module.SetModified(false);
    }
    TemgModule module;
};

TEST_F(ModuleModified, ClearingClearsEveryPartEqualValuesKeepItClearAndEveryChangeSetsIt) {
    EXPECT_FALSE(TemgModule().GetModified());
    EXPECT_FALSE(module.GetModified());
    module.SetServerOption(moComServerInDll);
    module.SetSrcPath("src/account");
    module.SetDatabaseSupport({dbsSetDatabaseParams});
    module.SetInterfaceSupport(false);
    module.SetLibraryPathSameExe(true);
    module.SetConnectToHostDB(false);
    module.SetDatabaseName("Bank");
    TemgModule same;
    test::FillEveryField(same);
    module.Assign(same);
    EXPECT_FALSE(module.GetModified());
    // Setting the flag leaves the parts alone.
    module.SetModified(true);
    EXPECT_TRUE(module.GetModified());
    EXPECT_FALSE(module.MainClass().GetModified());
    const std::vector<std::function<void(TemgModule&)>> changes = {
        [](TemgModule& m) { m.SetServerOption(moServerInDll); },
        [](TemgModule& m) { m.SetLibraryPathSameExe(false); },
        [](TemgModule& m) { m.SetSrcPath("out"); },
        [](TemgModule& m) { m.SetDatabaseSupport({}); },
        [](TemgModule& m) { m.SetShareMemSupport(true); },
        [](TemgModule& m) { m.SetSetDatabaseParamsSupport(false); },
        [](TemgModule& m) { m.SetDatabaseName("Other"); },
        [](TemgModule& m) { m.SetDataModuleName("Other"); },
        [](TemgModule& m) { m.SetConnectToHostDB(true); },
        [](TemgModule& m) { m.SetInterfaceSupport(true); },
        [](TemgModule& m) { m.MainClass().Methods().Items(0)->SetCode("Inc(x);"); },
        [](TemgModule& m) { m.Appellation().SetCaption("Other"); },
        [](TemgModule& m) { m.RegisteredDataTypes().Items(0)->SetModuleName("Other"); },
        [](TemgModule& m) { m.EnumTypes().Items(0)->Values().Items(0)->SetName("akOther"); },
        [](TemgModule& m) { m.ProceduralTypes().Items(0)->SetMethodCategory(mcFunction); },
        [](TemgModule& m) { m.DebugApplications().Items(0)->Connection().SetUserName("Other"); },
        [](TemgModule& m) { m.AddUnits().Items(0)->SetFrame(true); },
        [](TemgModule& m) { m.CopyFiles().Items(0)->SetDllPath("other"); },
        [](TemgModule& m) { m.Connection().SetPassword("other"); },
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        module.SetModified(false);
        changes[i](module);
        EXPECT_TRUE(module.GetModified()) << "change " << i;
    }
}

TEST(ModuleTypes, FindCreateAndCheckTypeNamesAndComeFromThisModuleAndTheFirstThroughTheResolver) {
    TemgModule typed;
    typed.CreateRegisteredType("TStrings", "String list", "Classes", false);
    typed.CreateEnumType("TColor", "Colour", {"clRed", "clBlue"});
    TemgDataType result;
    result.SetName("Integer");
    TemgParameters parameters;
    parameters.Add()->SetName("Sender");
    TemgProceduralType& onCount = typed.CreateProceduralType("TOnCount", "Counting", result, parameters, mcFunction);

    EXPECT_EQ(onCount.DataType().GetName(), "Integer");
    EXPECT_EQ(onCount.Parameters().Count(), 1);
    EXPECT_EQ(typed.FindTypeCaption("tcolor"), "Colour");
    EXPECT_EQ(typed.FindTypeCaption("TStrings"), "String list");
    EXPECT_EQ(typed.FindTypeCaption("TOnCount"), "Counting");
    EXPECT_EQ(typed.FindTypeAppellation("TMissing"), nullptr);
    EXPECT_FALSE(typed.IsTypeNameUnique("TONCOUNT"));
    EXPECT_TRUE(typed.IsTypeNameUnique("TOnCount", &onCount));
    EXPECT_FALSE(typed.IsTypeNameUnique("tstrings"));
    EXPECT_TRUE(typed.IsTypeNameUnique("TOther"));
    EXPECT_TRUE(typed.GetModified());
    // A module reaches the project's modules through its resolver: the first module's types count
    // beside its own, once each (its own shadow the first module's), with their category and values.
    TemgModule common;
    common.MakeCommonTypesModule();
    common.CreateEnumType("TSide", "", {"sdLeft", "sdRight"});
    TemgModule module;
    module.MainClass().SetName("Account");
    module.SetDataModuleName("Bank");
    module.CreateEnumType("TColor", "", {"clRed", "clBlue"});
    EXPECT_EQ(module.GetFirstModule(), nullptr);
    EXPECT_EQ(module.FindModule("CommonTypes"), nullptr);
    test::StandInProject project;
    project.modules = {&common, &module};
    module.SetResolver(&project);
    const IElementContext& context = module;
    EXPECT_EQ(context.GetFirstModule(), &common);
    EXPECT_EQ(context.FindModule("commontypes"), &common);
    EXPECT_EQ(context.FindModule("Missing"), nullptr);
    EXPECT_EQ(context.DataModuleVariable(), "dmBank");

    EXPECT_EQ(module.TypeValues("boolean"), (std::vector<std::string>{"True", "False"}));
    EXPECT_EQ(module.TypeValues("TColor"), (std::vector<std::string>{"clRed", "clBlue"}));
    EXPECT_EQ(module.TypeValues("TSide"), (std::vector<std::string>{"sdLeft", "sdRight"}));
    EXPECT_TRUE(module.TypeValues("Integer").empty());

    module.CreateRegisteredType("tside", "", "Sides", true);
    const auto known = module.KnownTypes();
    int sides = 0;
    for (std::size_t i = 1; i < known.size(); ++i) EXPECT_LE(CompareText(known[i - 1].name, known[i].name), 0);
    for (const auto& type : known) sides += SameText(type.name, "TSide") ? 1 : 0;
    EXPECT_EQ(sides, 1);
    EXPECT_EQ(module.FindKnownType("TSIDE").category, dtRegisteredProcedural);
    EXPECT_EQ(module.FindKnownType("tcolor").category, dtEnum);
    EXPECT_EQ(module.FindKnownType("TCreateQueryMethod").category, dtProcedural);
    EXPECT_EQ(module.FindKnownType("Integer").name, "Integer");
    EXPECT_EQ(module.FindKnownType("TMissing").name, "");
}

// A class module gets the system method once; the common types module loses it and holds the
// built-in and system types.
TEST(ModuleKinds, ClassAndCommonTypesModulesAreMarkedDebugApplicationsNumberedAndKindsHaveTheirFiles) {
    TemgModule marked;
    marked.MainClass().Methods().Add()->SetName("Run");
    marked.MarkClassModule(true);
    marked.MarkClassModule(true);
    ASSERT_EQ(marked.MainClass().Methods().Count(), 2);
    const TemgMethod& method = *marked.MainClass().Methods().Items(1);
    EXPECT_EQ(method.GetName(), "AfterInitInstance");
    EXPECT_TRUE(method.IsSystemItem());
    EXPECT_TRUE(method.GetExported());
    EXPECT_EQ(method.GetCategory(), mcProcedure);
    EXPECT_EQ(method.GetVisibility(), mvPublic);
    marked.SetModified(false);
    marked.MarkClassModule(false);
    ASSERT_EQ(marked.MainClass().Methods().Count(), 1);
    EXPECT_EQ(marked.MainClass().Methods().Items(0)->GetName(), "Run");
    EXPECT_TRUE(marked.GetModified());

    marked.MainClass().Methods().Clear();
    marked.MarkClassModule(true);
    marked.MakeCommonTypesModule();
    EXPECT_EQ(marked.ModuleName(), "CommonTypes");
    EXPECT_EQ(marked.MainClassName(), "CommonTypes");
    EXPECT_EQ(marked.RegisteredDataTypes().Count(), 27);
    EXPECT_EQ(marked.ProceduralTypes().Count(), 3);
    EXPECT_NE(marked.ProceduralTypes().Find("TCreateQueryMethod"), nullptr);
    EXPECT_EQ(marked.MainClass().Methods().Count(), 0);
    TemgModule owner;
    TemgDebugApplications& list = owner.DebugApplications();
    EXPECT_EQ(list.NewDebugApplication().GetName(), "DebugApp1");
    list.SetModified(false);
    TemgDebugApplication& second = list.NewDebugApplication();
    EXPECT_EQ(second.GetName(), "DebugApp2");
    EXPECT_TRUE(list.GetModified());
    EXPECT_EQ(list.MainClass(), &owner.MainClass());

    second.Methods().SetItems({"Run", "Stop"});
    second.SetModified(false);
    TStringList same;
    same.SetItems({"Run", "Stop"});
    second.SetMethods(same);
    EXPECT_FALSE(second.GetModified());
    same.Add("Pause");
    second.SetMethods(same);
    EXPECT_TRUE(second.GetModified());
    EXPECT_EQ(second.Methods().Count(), 3);
    second.SetModified(false);
    second.Connection().SetAliasName("DB");
    EXPECT_TRUE(second.GetModified());
    // The golden texts and the generation tests hold the names the kinds derive from the class.
    TemgModule module;
    EXPECT_EQ(KindsOf(module.Units()), (std::vector<int>{0, 1, 2, 3, 4, 8, 11, 12}));
    module.MainClass().SetName("Account");
    module.SetDataModuleName("Bank");
    module.SetSrcPath("gen");
    std::vector<std::string> names;
    for (int i = 0; i < module.Units().Count(); ++i) names.push_back(module.Units().Items(i)->FileName());
    EXPECT_EQ(names, (std::vector<std::string>{"genAccount.pas", "devAccount.pas", "intfAccount.pas", "Account.dpr",
                                               "cntrAccount.pas", "genAccount.pas", "Account.pas", "gen_dmuBank.pas"}));
    EXPECT_EQ(test::PosixPaths(module.Units().FindKind(TFileKind::LibraryProject)->FileName("/work/project/")),
              "/work/project/gen/Account.dpr");
    EXPECT_EQ(module.KindFormFileName(TFileKind::DataModuleUnit), "gen_dmuBank.dfm");
    EXPECT_EQ(module.KindFormFileName(TFileKind::ControllerUnit), "");
    EXPECT_EQ(module.ProjectOptionsFileName(), "Account.dof");
    EXPECT_EQ(module.Units().Items(0)->FormName(), "");
    EXPECT_EQ(module.KindFileName(TFileKind::DebugProjectUnit), "");
    EXPECT_EQ(test::PosixPaths(module.UnitFileName(TFileKind::ControllerUnit, "/work/project/")),
              "/work/project/gen/cntrAccount.pas");

    TemgDebugApplication& application = module.DebugApplications().NewDebugApplication();
    EXPECT_EQ(KindsOf(application.Units()), (std::vector<int>{5, 6, 7, 10, 3}));
    application.SetName("Try");
    application.SetSrcPath("debug");
    names.clear();
    for (int i = 0; i < application.Units().Count(); ++i)
        names.push_back(test::PosixPaths(application.Units().Items(i)->FileName("/p/")));
    EXPECT_EQ(names, (std::vector<std::string>{"/p/debug/Try.dpr", "/p/debug/genuTryForm.pas",
                                               "/p/debug/devuTryForm.pas", "/p/debug/TryGROUP.bpg",
                                               "/p/gen/Account.dpr"}));
    EXPECT_EQ(application.Units().Items(1)->FormName(), "genTryForm");
    EXPECT_EQ(application.Units().Items(2)->FormName(), "devTryForm");
}

}  // namespace
}  // namespace quillon
