// Collecting, renaming and resolving type references.
#include <gtest/gtest.h>

#include "elements/DataTypeReferences.h"
#include "elements/DesignClass.h"
#include "elements/ElementMessages.h"
#include "elements/ElementTestSupport.h"
#include "platform/Exception.h"

namespace quillon {
namespace {

using test::AddTyped;
using test::ExceptionMessage;
using test::StandInModule;
using test::Typed;

std::unique_ptr<TgmcAppellation> Named(std::string_view name) {
    auto appellation = std::make_unique<TgmcAppellation>();
    appellation->SetName(name);
    return appellation;
}

// A class that refers to one type from a method result, a parameter, a property and an event.
class TypeReferences : public ::testing::Test {
protected:
    TypeReferences() {
        TemgMethod& load = AddTyped(design.Methods(), "Load", "mytype");
        load.SetCategory(mcFunction);
        AddTyped(load.Parameters(), "Source", "MyType");
        AddTyped(design.Properties(), "Current", "MYTYPE");
        AddTyped(design.Events(), "OnLoad", "TLoadEvent", dtProcedural);
        design.SetModified(false);
    }
    TemgClass design;
};

}  // namespace

// Finding without a new name changes nothing; renaming a type renames every reference whatever its
// letter case.
TEST_F(TypeReferences, RenamingATypeOrAClassRenamesEveryReferenceWhateverItsLetterCase) {
    TStringList found;
    design.RenameReferences(*Named("tloadevent"), nullptr, &found);
    EXPECT_EQ(found.Count(), 1);
    EXPECT_EQ(design.Events().Items(0)->DataType().GetName(), "TLoadEvent");
    EXPECT_FALSE(design.GetModified());
    found.Clear();
    design.RenameReferences(*Named("MyType"), Named("NewType").get(), &found);
    EXPECT_EQ(design.Methods().Items(0)->DataType().GetName(), "NewType");
    EXPECT_EQ(design.Methods().Items(0)->Parameters().Items(0)->DataType().GetName(), "NewType");
    EXPECT_EQ(design.Properties().Items(0)->DataType().GetName(), "NewType");
    EXPECT_EQ(design.Events().Items(0)->DataType().GetName(), "TLoadEvent");
    EXPECT_EQ(found.Count(), 3);
    EXPECT_EQ(found.Objects(0), &design.Methods().Items(0)->DataType());
    EXPECT_TRUE(design.GetModified());
    // An external class follows a renamed class and keeps the property's caption.
    TemgExternalClasses externals;
    TemgExternalClass* stock = externals.Add();
    stock->SetName("Stock");
    stock->SetCaption("Stock items");
    auto inventory = Named("Inventory");
    inventory->SetCaption("The inventory");
    found.Clear();
    externals.FindOrRename(*Named("STOCK"), inventory.get(), &found);
    EXPECT_EQ(stock->GetName(), "Inventory");
    EXPECT_EQ(stock->GetCaption(), "Stock items");
    EXPECT_EQ(found.Count(), 1);
}

TEST_F(TypeReferences, CollectingTakesOneCategoryListsExportedMembersApartAndParametersBeforeTheResult) {
    design.Properties().Items(0)->SetExported(false);
    AddTyped(design.Properties(), "Unnamed", "");
    TReferencedDataTypes all, exported;
    CollectReferences(design.Methods(), all, &exported, dtRegistered);
    CollectReferences(design.Properties(), all, &exported, dtRegistered);
    CollectReferences(design.Events(), all, &exported, dtRegistered);

    EXPECT_EQ(all.Items(), (std::vector<std::string>{"mytype", "MyType", "MYTYPE"}));
    EXPECT_EQ(exported.Items(), (std::vector<std::string>{"mytype", "MyType"}));

    TReferencedDataTypes procedural;
    CollectReferences(design.Events(), procedural, nullptr, dtProcedural);
    EXPECT_EQ(procedural.Items(), std::vector<std::string>{"TLoadEvent"});
    TemgProceduralTypes types;
    TemgProceduralType& filter = AddTyped(types, "TFilterEvent", "TKind", dtEnum);
    filter.SetMethodCategory(mcFunction);
    AddTyped(filter.Parameters(), "Value", "TColor", dtEnum);
    TReferencedDataTypes parts, exportedParts;
    types.CollectReferencesOf("tfilterevent", parts, &exportedParts, dtEnum);
    EXPECT_EQ(parts.Items(), (std::vector<std::string>{"TColor", "TKind"}));
    EXPECT_EQ(exportedParts.Count(), 0);
    EXPECT_EQ(ExceptionMessage([&] { types.CollectReferencesOf("TMissing", parts, nullptr, dtEnum); }),
              "The reference to the procedural type TMissing not found");
    TemgProceduralTypes events;
    TemgProceduralType& load = AddTyped(events, "TLoadEvent", "Boolean");
    load.SetMethodCategory(mcFunction);
    load.SetCaption("loads");
    AddTyped(load.Parameters(), "Sender", "TObject");
    AddTyped(events, "TUnused", "");
    TStringList wanted;
    wanted.Add("tloadevent");
    TgmcProceduralTypes declared;
    events.ConvertProceduralTypes(declared, &wanted);

    EXPECT_EQ(declared.SrcCode(3, "\r\n"), "type\r\n   TLoadEvent=function(Sender:TObject):Boolean of object;{loads}");
    EXPECT_EQ(load.DeclarationText(), "TLoadEvent=function(Sender:TObject):Boolean of object;{loads}");
}

class TypeResolution : public ::testing::Test {
protected:
    TypeResolution() {
        AddBuiltInRegisteredTypes(common.registeredTypes);
        AddSystemProceduralTypes(common.proceduralTypes);
        module.firstModule = &common;
        TemgRegisteredDataType* grid = module.registeredTypes.Add();
        grid->SetName("TGrid");
        grid->SetModuleName("Grids");
        AddTyped(module.proceduralTypes, "TLoadEvent", "");
    }
    static std::unique_ptr<TStringList> Names(std::vector<std::string> names) {
        auto list = std::make_unique<TStringList>();
        list->SetItems(std::move(names));
        return list;
    }
    StandInModule common, module;
};

TEST_F(TypeResolution, RegisteredTypesResolveFromTheModuleThenTheFirstModuleUnknownNamesRaiseAndProceduralTypesAreFollowed) {
    TgmcUsesModules uses;
    ResolveRegisteredTypes(module, *Names({"tgrid", "TNotifyEvent", "Integer"}), uses);

    ASSERT_EQ(uses.Count(), 3);
    EXPECT_EQ(uses.Items(0)->GetName(), "Grids");
    EXPECT_EQ(uses.Items(1)->GetName(), "Classes");
    // Integer needs no unit: its empty entry is left out of the uses clause.
    EXPECT_EQ(uses.Items(2)->GetName(), "");
    EXPECT_EQ(uses.SrcCode(3, ","), "uses \r\n   Grids,Classes;\r\n");
    // Unknown names raise the not-found messages; the references of a referenced procedural type are
    // followed into the first module.
    EXPECT_EQ(ExceptionMessage([&] { ResolveRegisteredTypes(module, *Names({"Integer", "TWidget"}), uses); }),
              "The reference to the registered type TWidget not found");
    EXPECT_EQ(ExceptionMessage([&] { ResolveProceduralTypes(module, *Names({"TLoadEvent", "TCreateQueryMethod",
                                                                           "TOnMissing"})); }),
              "The reference to the procedural type TOnMissing not found");
    TReferencedDataTypes all;
    CollectReferencesOf(module, "TCreateTableMethod", all, nullptr, dtRegistered);
    EXPECT_EQ(all.Items(), std::vector<std::string>{"TTable"});
    EXPECT_EQ(ExceptionMessage([&] { CollectReferencesOf(module, "TNone", all, nullptr, dtRegistered); }),
              "The reference to the procedural type TNone not found");
    // Without a first module only the module's own types count.
    module.firstModule = nullptr;
    EXPECT_EQ(ExceptionMessage([&] { ResolveRegisteredTypes(module, *Names({"Integer"}), uses); }),
              "The reference to the registered type Integer not found");
}

}  // namespace quillon
