// The editor framework through the property editor: applying with OK, Apply and Cancel, the name
// rule, the type field, the access check, and how the editor follows the tree's selection.
#include "elements/DesignClass.h"
#include "elements/Properties.h"
#include "workbench/ElementEditors.h"
#include "workbench/WorkbenchFixture.h"

namespace quillon::test {
namespace {

class PropertyEditorTest : public WorkbenchTest {
protected:
    void SetUp() override {
        NewProjectWithAClass();
        Trigger("actNewProperty");
        property = Window().Project().Modules().Items(1)->Module().MainClass().Properties().Items(0);
    }

    TfrPropertyEditor& Editor() { return CurrentEditor<TfrPropertyEditor>(); }
    void ChooseType(const QString& type) { Choose(Editor().DataTypes().Combo(), type); }

    TemgProperty* property = nullptr;
};

TEST_F(PropertyEditorTest, OKWritesTheFieldsIntoTheModelAndTheTreeThenCloses) {
    ASSERT_EQ(NodeObject(Window().Tree().currentItem()), property);
    TypeName("Balance");
    QTest::keyClicks(&Editor().Appellation().CommentMemo(), "Money left");
    ChooseType("Integer");
    Editor().ExportBox().click();
    Editor().WriteBox().click();  // read-only from now on
    Editor().DefaultValue().SetValue("10");
    Editor().ClickOK();

    EXPECT_EQ(LastMessage(), "");
    EXPECT_EQ(property->GetName(), "Balance");
    EXPECT_EQ(property->GetCaption(), "Money left");
    EXPECT_EQ(property->DataType().GetName(), "Integer");
    EXPECT_EQ(property->DataType().GetCategory(), dtRegistered);
    EXPECT_TRUE(property->IsReadable());
    EXPECT_FALSE(property->IsWritable());
    EXPECT_EQ(property->GetDefaultValue(), "10");
    EXPECT_EQ(Node(property)->text(0), "Balance");
    EXPECT_EQ(SettledEditor(), nullptr);
}

TEST_F(PropertyEditorTest, ApplyKeepsTheEditorOpenAndCancelChangesNothing) {
    TypeName("Balance");
    ChooseType("Integer");
    TfrEditor* editor = &Editor();
    editor->ClickApply();
    EXPECT_EQ(SettledEditor(), editor);
    EXPECT_EQ(property->GetName(), "Balance");

    TypeName("Other");
    editor->ClickCancel();
    EXPECT_EQ(SettledEditor(), nullptr);
    EXPECT_EQ(property->GetName(), "Balance");
    EXPECT_EQ(Node(property)->text(0), "Balance");
}

// Refused names, types and access write nothing; the editor stays open for correction.
TEST_F(PropertyEditorTest, RefusedNamesTypesAndAccessWriteNothing) {
    struct Case {
        QString name, type;
        std::string message;
    };
    for (const Case& c : {Case{"1Balance", "Integer", "The field value is not an identifier"},
                          Case{"", "Integer", "Please, fill in the field 'Name'"},
                          Case{"afterinitinstance", "Integer", "Name afterinitinstance is not unique"},
                          Case{"Label", "Integer", "The field value is not an identifier"},
                          Case{"Create", "Integer", "Name Create is taken by the generated code: the generated member Create"},
                          Case{"FAfterInitInstanceMethod", "Integer",
                               "Name FAfterInitInstanceMethod is taken by the generated code: the method pointer "
                               "field of method AfterInitInstance"},
                          Case{"Balance", "TNoSuchType", "Type 'TNoSuchType' is not registered"},
                          Case{"Balance", "", "Please, fill in the field 'Type'"}}) {
        TypeName(c.name);
        ChooseType(c.type);
        Editor().ClickOK();
        EXPECT_EQ(LastMessage(), c.message);
        EXPECT_NE(SettledEditor(), nullptr) << c.message;
        EXPECT_EQ(property->GetName(), "Property1");
        EXPECT_EQ(Node(property)->text(0), "Property1");
    }
    ChooseType("Integer");
    Editor().ReadBox().click();
    Editor().WriteBox().click();
    Editor().ClickApply();
    EXPECT_EQ(LastMessage(), "Read or Write must be set");
    EXPECT_TRUE(property->IsReadable() && property->IsWritable());
    EXPECT_EQ(property->GetName(), "Property1");
}

TEST_F(PropertyEditorTest, TheDefaultValueOffersTheValuesOfTheChosenType) {
    ChooseType("Boolean");
    EXPECT_FALSE(Editor().DefaultValue().Choices().isHidden());
    EXPECT_EQ(Editor().DefaultValue().Choices().findText("True"), 1);
    ChooseType("Integer");
    EXPECT_TRUE(Editor().DefaultValue().Choices().isHidden());
    Trigger("actNewEvent");  // an event's type is a procedural type
    EXPECT_GE(Editor().DataTypes().Combo().findText("TNotifyEvent"), 0);
    EXPECT_EQ(Editor().DataTypes().Combo().findText("Boolean"), -1);
}

// Selecting the edited node again keeps its editor and what was typed; a click on the selected
// node reopens a closed editor.
TEST_F(PropertyEditorTest, SelectingTheEditedNodeKeepsItsEditorAndAClickReopensAClosedOne) {
    TfrEditor* editor = &Editor();
    TypeName("Half");  // typed, not applied
    EXPECT_TRUE(Window().SelectObject(property));
    EXPECT_EQ(Window().Editors().CurrentEditor(), editor);
    EXPECT_EQ(Editor().Appellation().Name(), "Half");

    Editor().ClickCancel();
    ASSERT_EQ(SettledEditor(), nullptr);
    QTreeWidget& tree = Window().Tree();
    QTreeWidgetItem* node = tree.currentItem();
    tree.scrollToItem(node);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(node).center());
    EXPECT_EQ(Editor().Object(), property);
    EXPECT_EQ(Editor().Appellation().Name(), "Property1");
}

TEST_F(PropertyEditorTest, LeavingTheNodeAppliesTheEditorAndARefusalKeepsTheSelection) {
    ChooseType("Integer");
    TypeName("Balance");
    Window().SelectObject(&Window().Project());
    EXPECT_EQ(property->GetName(), "Balance");
    EXPECT_TRUE(Node(property)->font(0).bold());

    Window().SelectObject(property);
    TypeName("2Balance");
    Window().SelectObject(&Window().Project());
    EXPECT_EQ(LastMessage(), "The field value is not an identifier");
    EXPECT_EQ(NodeObject(Window().Tree().currentItem()), property);
    EXPECT_EQ(Editor().Appellation().Name(), "2Balance");  // what was typed is still there
    EXPECT_EQ(property->GetName(), "Balance");
}

TEST_F(PropertyEditorTest, AnUntouchedEditorOfANewMemberDoesNotBlockTheNextCommand) {
    Trigger("actNewProperty");  // Property1 has no type yet; its untouched editor is not applied
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(Window().Tree().currentItem()->text(0), "Property2");
}

}  // namespace
}  // namespace quillon::test
