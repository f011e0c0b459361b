// Default names of new elements, the identifier rule, member-name uniqueness and the refusals of
// a deletion.
#include <gtest/gtest.h>

#include "elements/ElementRules.h"
#include "elements/ElementTestSupport.h"
#include "elements/ProceduralTypes.h"
#include "elements/RegisteredTypes.h"
#include "platform/UserDialogs.h"
#include "source/SourceTypes.h"

namespace quillon {

using test::ExceptionMessage;

TEST(DefaultNames, TheNextNumberFollowsTheLargestOfNamesAndCaptions) {
    TemgProperties properties;
    EXPECT_EQ(NewProperty(properties).GetName(), "Property1");
    properties.Items(0)->SetName("Property3");
    properties.Add()->SetName("PropertyX");
    TemgProperty& fourth = NewProperty(properties);
    EXPECT_EQ(fourth.GetName(), "Property4");
    EXPECT_TRUE(fourth.GetModified());
    EXPECT_EQ(fourth.GetCaption(), "");

    fourth.SetCaption("Property7");
    EXPECT_EQ(NewProperty(properties).GetName(), "Property8");
}

TEST(DefaultNames, EventsAreProceduralAndMethodsNumberedApart) {
    TemgProperties events;
    TemgProperty& event = NewEvent(events);
    EXPECT_EQ(event.GetName(), "Event1");
    EXPECT_EQ(event.DataType().GetCategory(), dtProcedural);
    EXPECT_TRUE(event.GetEvent());

    TemgMethods methods;
    methods.Add()->SetName("Method2");
    EXPECT_EQ(NewMethod(methods).GetName(), "Method3");

    TemgExternalClasses externals;
    TemgExternalClass& external = NewExternalClass(externals);
    EXPECT_EQ(external.GetPropertyName(), "ExternalProperty1");
    EXPECT_EQ(external.GetDisplayName(), "ExternalProperty1");
    external.SetName("ExternalProperty5");  // the referenced class's name does not count
    EXPECT_EQ(NewExternalClass(externals).GetPropertyName(), "ExternalProperty2");
}

TEST(IdentifierRule, EmptyInvalidAndRepeatedNamesAreRefusedWithTheFieldsLabel) {
    EXPECT_TRUE(IsValidIdent("_count2"));
    EXPECT_FALSE(IsValidIdent("2count"));
    EXPECT_FALSE(IsValidIdent("my count"));
    EXPECT_EQ(ExceptionMessage([] { CheckIdentifierField("Name", ""); }), "Please, fill in the field 'Name'");
    EXPECT_EQ(ExceptionMessage([] { CheckIdentifierField("Name", "a-b"); }), "The field value is not an identifier");
    EXPECT_EQ(ExceptionMessage([] { CheckIdentifierField("Name", "Run", [](std::string_view) { return false; }); }),
              "Name Run is not unique");
    EXPECT_NO_THROW(CheckIdentifierField("Name", "Run", [](std::string_view) { return true; }));
}

TEST(MemberNames, AreUniqueAcrossPropertiesEventsMethodsAndExternalClasses) {
    TemgClass design;
    TemgProperty* run = design.Properties().Add();
    run->SetName("Run");
    run->SetCaption("Runs it");
    design.Events().Add()->SetName("OnRun");
    TemgExternalClass* external = design.ExternalClasses().Add();
    external->SetName("Stock");
    external->SetPropertyName("StockItems");

    EXPECT_FALSE(design.IsMemberNameUnique(nullptr, "run", 0));
    EXPECT_FALSE(design.IsMemberNameUnique(nullptr, "ONRUN", 0));
    EXPECT_FALSE(design.IsMemberNameUnique(nullptr, "stockitems", 0));
    EXPECT_TRUE(design.IsMemberNameUnique(nullptr, "Stock", 0));
    EXPECT_FALSE(design.IsMemberNameUnique(nullptr, "runs it", 1));
    // The item being edited may keep its own name.
    EXPECT_TRUE(design.IsMemberNameUnique(run, "Run", 0));
}

class Deletion : public ::testing::Test {
protected:
    Deletion() {
        AddBuiltInRegisteredTypes(registered);
        TemgRegisteredDataType* grid = registered.Add();
        grid->SetName("TGrid");
        registered.SetModified(false);
    }
    // Finds references to the names in `referenced`.
    ReferenceSearch Search(std::vector<std::string> referenced) {
        return [this, referenced](const TgmcAppellation& name, TStringList& found) {
            ++searches;
            for (const std::string& r : referenced)
                if (r == name.GetName()) found.Add(r);
        };
    }
    TemgRegisteredDataType& Type(std::string_view name) {
        return *const_cast<TemgRegisteredDataType*>(registered.Find(name));
    }

    TemgRegisteredDataTypes registered;
    int searches = 0;
    ScriptedDialogs dialogs;
    ScopedDialogs scope{dialogs};
};

TEST_F(Deletion, ASystemItemIsRefusedBeforeAnyReferenceSearch) {
    EXPECT_EQ(ExceptionMessage([&] { DeleteElement(Type("TQuery"), "TQuery", Search({})); }),
              "Current item is system. Action is forbidden");
    EXPECT_EQ(searches, 0);
    EXPECT_TRUE(dialogs.Questions().empty());
}

TEST_F(Deletion, AReferencedTypeIsRefused) {
    EXPECT_EQ(ExceptionMessage([&] { DeleteElement(Type("TGrid"), "TGrid", Search({"TGrid"})); }),
              "Deletion forbidden, because there are references to the deleted item");
    EXPECT_NE(registered.Find("TGrid"), nullptr);

    TgmcEnumTypes enums;
    enums.Add()->SetName("TKind");
    EXPECT_EQ(ExceptionMessage([&] { CheckDeletion(*enums.Items(0), Search({"TKind"})); }),
              "Deletion forbidden, because there are references to the deleted item");
}

TEST_F(Deletion, TheUserConfirmsAndTheCollectionRemembersTheChange) {
    dialogs.QueueAnswer(DialogAnswer::No);
    EXPECT_FALSE(DeleteElement(Type("TGrid"), "TGrid node", Search({})));
    EXPECT_NE(registered.Find("TGrid"), nullptr);

    dialogs.QueueAnswer(DialogAnswer::Yes);
    EXPECT_TRUE(DeleteElement(Type("TGrid"), "TGrid node", Search({})));
    EXPECT_EQ(registered.Find("TGrid"), nullptr);
    EXPECT_TRUE(registered.GetModified());
    EXPECT_EQ(dialogs.Questions(), (std::vector<std::string>{"Delete 'TGrid node'?", "Delete 'TGrid node'?"}));

    // Members are not searched for references.
    TemgMethods methods;
    methods.Add()->SetName("Run");
    dialogs.QueueAnswer(DialogAnswer::Yes);
    EXPECT_TRUE(DeleteElement(*methods.Items(0), "Run", Search({"Run"})));
}

}  // namespace quillon
