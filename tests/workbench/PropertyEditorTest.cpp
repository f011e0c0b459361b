// The editor framework through the property editor: applying with OK, Apply and Cancel, the name
// rule, the type field, the access check, and how the editor follows the tree's selection.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "elements/DesignClass.h"
#include "elements/Properties.h"
#include "workbench/ElementEditors.h"
#include "workbench/WorkbenchFixture.h"

namespace quillon::test {
namespace {

class PropertyEditorTest : public WorkbenchTest {
protected:
    void SetUp() override {
        OpenWindow();
        NewProjectIn(work.Path());
        Trigger("actNewClassToProject");
        Trigger("actNewProperty");
        property = Window().Project().Modules().Items(1)->Module().MainClass().Properties().Items(0);
    }

    TfrPropertyEditor& Editor() { return CurrentEditor<TfrPropertyEditor>(); }
    // Types into the name box as the user does.
    void TypeName(const QString& name) {
        QLineEdit& edit = Editor().Appellation().NameEdit().Edit();
        edit.selectAll();
        QTest::keyClicks(&edit, name);
    }
    void ChooseType(const QString& type) {
        QComboBox& combo = Editor().DataTypes().Combo();
        combo.setCurrentText(type);
        emit combo.activated(combo.currentIndex());
    }

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

    EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.Messages().front();
    EXPECT_EQ(property->GetName(), "Balance");
    EXPECT_EQ(property->GetCaption(), "Money left");
    EXPECT_EQ(property->DataType().GetName(), "Integer");
    EXPECT_EQ(property->DataType().GetCategory(), dtRegistered);
    EXPECT_TRUE(property->IsReadable());
    EXPECT_FALSE(property->IsWritable());
    EXPECT_EQ(property->GetDefaultValue(), "10");
    EXPECT_EQ(Node(property)->text(0), "Balance");
    Settle();
    EXPECT_EQ(Window().Editors().CurrentEditor(), nullptr);
}

TEST_F(PropertyEditorTest, ApplyKeepsTheEditorOpenAndCancelChangesNothing) {
    TypeName("Balance");
    ChooseType("Integer");
    TfrEditor* editor = &Editor();
    editor->ClickApply();
    Settle();
    EXPECT_EQ(property->GetName(), "Balance");
    EXPECT_EQ(Window().Editors().CurrentEditor(), editor);

    TypeName("Other");
    editor->ClickCancel();
    Settle();
    EXPECT_EQ(property->GetName(), "Balance");
    EXPECT_EQ(Node(property)->text(0), "Balance");
    EXPECT_EQ(Window().Editors().CurrentEditor(), nullptr);
}

TEST_F(PropertyEditorTest, RefusedNamesAndTypesWriteNothing) {
    ChooseType("Integer");
    struct Case {
        QString name;
        std::string message;
    };
    for (const Case& c : {Case{"1Balance", "The field value is not an identifier"},
                          Case{"", "Please, fill in the field 'Name'"},
                          Case{"afterinitinstance", "Name afterinitinstance is not unique"},
                          Case{"Label", "The field value is not an identifier"},
                          Case{"Create", "Name Create is taken by the generated code: the generated member Create"},
                          Case{"FAfterInitInstanceMethod",
                               "Name FAfterInitInstanceMethod is taken by the generated code: the method pointer "
                               "field of method AfterInitInstance"}}) {
        TypeName(c.name);
        if (c.name.isEmpty()) Editor().Appellation().NameEdit().Edit().clear();
        Editor().ClickOK();
        Settle();
        ASSERT_FALSE(dialogs.Messages().empty()) << c.name.toStdString();
        EXPECT_EQ(dialogs.Messages().back(), c.message);
        EXPECT_EQ(property->GetName(), "Property1");
        EXPECT_EQ(Node(property)->text(0), "Property1");
        // The editor stays open with the name box focused for correction.
        EXPECT_NE(Window().Editors().CurrentEditor(), nullptr);
    }

    TypeName("Balance");
    ChooseType("TNoSuchType");
    Editor().ClickApply();
    EXPECT_EQ(dialogs.Messages().back(), "Type 'TNoSuchType' is not registered");
    ChooseType("");
    Editor().ClickApply();
    EXPECT_EQ(dialogs.Messages().back(), "Please, fill in the field 'Type'");
    ChooseType("Integer");
    Editor().ReadBox().click();
    Editor().WriteBox().click();
    Editor().ClickApply();
    EXPECT_EQ(dialogs.Messages().back(), "Read or Write must be set");
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

TEST_F(PropertyEditorTest, SelectingTheEditedNodeKeepsItsEditor) {
    TfrEditor* editor = &Editor();
    TypeName("Half");  // typed, not applied
    EXPECT_TRUE(Window().SelectObject(property));
    EXPECT_EQ(Window().Editors().CurrentEditor(), editor);
    EXPECT_EQ(Editor().Appellation().Name(), "Half");
}

TEST_F(PropertyEditorTest, AClickOnTheSelectedNodeReopensAClosedEditor) {
    Editor().ClickCancel();
    Settle();
    ASSERT_EQ(Window().Editors().CurrentEditor(), nullptr);
    QTreeWidget& tree = Window().Tree();
    QTreeWidgetItem* node = tree.currentItem();
    tree.scrollToItem(node);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(node).center());
    EXPECT_EQ(Editor().Object(), property);
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
    EXPECT_EQ(dialogs.Messages().back(), "The field value is not an identifier");
    EXPECT_EQ(NodeObject(Window().Tree().currentItem()), property);
    EXPECT_EQ(Editor().Appellation().Name(), "2Balance");  // what was typed is still there
    EXPECT_EQ(property->GetName(), "Balance");
}

TEST_F(PropertyEditorTest, AnUntouchedEditorOfANewMemberDoesNotBlockTheNextCommand) {
    Trigger("actNewProperty");  // Property1 has no type yet; its untouched editor is not applied
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(Window().Tree().currentItem()->text(0), "Property2");
}

TEST_F(PropertyEditorTest, Screenshot) {
    ChooseType("Integer");
    TypeName("Balance");
    Editor().Appellation().CommentMemo().setPlainText("The account's balance in cents");
    SaveScreenshot("editor-property");
}

}  // namespace
}  // namespace quillon::test
