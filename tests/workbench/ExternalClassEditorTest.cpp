// The external property editor: choosing the referenced class among those the class may refer to,
// the referenced class's members, the property name rules, and a reference to a class the project
// no longer has.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include "elements/DesignClass.h"
#include "elements/ElementRules.h"
#include "elements/ExternalClasses.h"
#include "elements/Methods.h"
#include "elements/Properties.h"
#include "workbench/ExternalClassEditor.h"
#include "workbench/WorkbenchFixture.h"

namespace quillon::test {
namespace {

class ExternalClassEditorTest : public WorkbenchTest {
protected:
    void SetUp() override {
        OpenWindow();
        NewProjectIn(work.Path());
        Trigger("actNewClassToProject");  // ExtClass1, the class that refers
        Trigger("actNewClassToProject");  // ExtClass2, the class referred to
        TemgClass& referenced = Window().Project().Modules().Items(2)->Module().MainClass();
        NewProperty(referenced.Properties()).SetName("Balance");
        NewEvent(referenced.Events()).SetName("OnChange");
        TemgMethod& deposit = NewMethod(referenced.Methods());
        deposit.SetName("Deposit");
        deposit.SetCategory(mcFunction);

        owner = &Window().Project().Modules().Items(1)->Module().MainClass();
        NewProperty(owner->Properties()).SetName("Owned");
        Select(Window().Project().Modules().Items(1));
        Trigger("actNewExternalClassReference");
        external = owner->ExternalClasses().Items(0);
        ASSERT_EQ(NodeObject(Window().Tree().currentItem()), external);
    }

    TfrExternalClassEditor& Editor() { return CurrentEditor<TfrExternalClassEditor>(); }
    void TypeName(const QString& name) {
        QLineEdit& edit = Editor().Appellation().NameEdit().Edit();
        edit.selectAll();
        QTest::keyClicks(&edit, name);
    }
    void ChooseClass(const QString& name) {
        QComboBox& combo = Editor().ClassCombo();
        combo.setCurrentText(name);
        emit combo.activated(combo.currentIndex());
    }
    QStringList Classes() {
        QStringList names;
        for (int i = 0; i < Editor().ClassCombo().count(); ++i) names << Editor().ClassCombo().itemText(i);
        return names;
    }
    // The tree's nodes as "parent/child" paths below the root.
    QStringList TreePaths() {
        QStringList paths;
        QTreeWidget& tree = Editor().ClassTree();
        if (tree.topLevelItemCount() == 0) return paths;
        QTreeWidgetItem* root = tree.topLevelItem(0);
        paths << root->text(0);
        for (int g = 0; g < root->childCount(); ++g)
            for (int m = 0; m < root->child(g)->childCount(); ++m)
                paths << root->child(g)->text(0) + "/" + root->child(g)->child(m)->text(0);
        return paths;
    }

    TemgClass* owner = nullptr;
    TemgExternalClass* external = nullptr;
};

TEST_F(ExternalClassEditorTest, OffersTheOtherClassesAndShowsTheChosenClassMembers) {
    // Neither the class itself nor the common types module can be referred to.
    EXPECT_EQ(Classes(), QStringList{"ExtClass2"});
    EXPECT_EQ(Editor().Appellation().Name(), "ExternalProperty1");
    EXPECT_TRUE(Editor().AutoCreateBox().isChecked());
    EXPECT_EQ(Editor().ClassTree().topLevelItemCount(), 0);
    EXPECT_TRUE(Editor().MessageMemo().toPlainText().isEmpty());

    ChooseClass("ExtClass2");
    const QStringList paths = TreePaths();
    EXPECT_EQ(paths.value(0), "ExtClass2");
    EXPECT_TRUE(paths.contains("Properties/Balance")) << paths.join(", ").toStdString();
    EXPECT_TRUE(paths.contains("Events/OnChange"));
    EXPECT_TRUE(paths.contains("Methods/Deposit"));
    EXPECT_FALSE(Editor().ClassTree().topLevelItem(0)->child(0)->icon(0).isNull());
}

TEST_F(ExternalClassEditorTest, OKWritesTheReferenceIntoTheModelAndTheTreeShowsThePropertyName) {
    ChooseClass("extclass2");  // the class's own spelling is stored
    TypeName("Account");
    QTest::keyClicks(&Editor().Appellation().CommentMemo(), "The account object");
    Editor().AutoCreateBox().click();
    Editor().ClickOK();

    EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.Messages().front();
    EXPECT_EQ(external->GetName(), "ExtClass2");
    EXPECT_EQ(external->GetPropertyName(), "Account");
    EXPECT_EQ(external->GetCaption(), "The account object");
    EXPECT_FALSE(external->GetAutoCreate());
    EXPECT_EQ(Node(external)->text(0), "Account");
    Settle();
    EXPECT_EQ(Window().Editors().CurrentEditor(), nullptr);
}

TEST_F(ExternalClassEditorTest, ApplyKeepsTheEditorOpenAndCancelChangesNothing) {
    ChooseClass("ExtClass2");
    TypeName("Account");
    TfrEditor* editor = &Editor();
    editor->ClickApply();
    Settle();
    EXPECT_EQ(external->GetPropertyName(), "Account");
    EXPECT_EQ(Window().Editors().CurrentEditor(), editor);

    TypeName("Other");
    Editor().AutoCreateBox().click();
    editor->ClickCancel();
    Settle();
    EXPECT_EQ(external->GetPropertyName(), "Account");
    EXPECT_TRUE(external->GetAutoCreate());
    EXPECT_EQ(Node(external)->text(0), "Account");
    EXPECT_EQ(Window().Editors().CurrentEditor(), nullptr);
}

TEST_F(ExternalClassEditorTest, RefusedNamesAndClassesWriteNothing) {
    ChooseClass("ExtClass2");
    struct Case {
        QString name;
        std::string message;
    };
    // The property name is unique among all members of the class, the property "Owned" included.
    for (const Case& c : {Case{"1Account", "The field value is not an identifier"},
                          Case{"owned", "Name owned is not unique"},
                          Case{"AfterInitInstance", "Name AfterInitInstance is not unique"}}) {
        TypeName(c.name);
        Editor().ClickOK();
        Settle();
        ASSERT_FALSE(dialogs.Messages().empty()) << c.name.toStdString();
        EXPECT_EQ(dialogs.Messages().back(), c.message);
        EXPECT_EQ(external->GetPropertyName(), "ExternalProperty1");
        EXPECT_EQ(Node(external)->text(0), "ExternalProperty1");
        EXPECT_NE(Window().Editors().CurrentEditor(), nullptr);
    }

    TypeName("Account");
    for (const QString& cls : {QString("NoSuchClass"), QString("ExtClass1"), QString()}) {
        ChooseClass(cls);
        Editor().ClickApply();
        EXPECT_EQ(dialogs.Messages().back(), "Object not found") << cls.toStdString();
        EXPECT_EQ(external->GetName(), "");
        EXPECT_EQ(external->GetPropertyName(), "ExternalProperty1");
    }
}

TEST_F(ExternalClassEditorTest, AReferenceToAClassNoLongerInTheProjectIsReported) {
    external->SetName("Vanished");
    external->SetPropertyName("Gone");
    Select(&Window().Project());
    Select(external);

    EXPECT_EQ(Editor().ClassCombo().currentText(), "Vanished");
    EXPECT_EQ(Editor().MessageMemo().toPlainText(), "Referenced class not found");
    EXPECT_TRUE(Editor().MessageMemo().isVisibleTo(&Editor()));
    EXPECT_EQ(Editor().ClassTree().topLevelItemCount(), 0);
    Editor().ClickApply();
    EXPECT_EQ(dialogs.Messages().back(), "Object not found");
    EXPECT_EQ(external->GetName(), "Vanished");

    // Choosing a class of the project clears the message and applies.
    ChooseClass("ExtClass2");
    EXPECT_TRUE(Editor().MessageMemo().toPlainText().isEmpty());
    EXPECT_FALSE(Editor().MessageMemo().isVisibleTo(&Editor()));
    Editor().ClickApply();
    EXPECT_EQ(external->GetName(), "ExtClass2");
}

TEST_F(ExternalClassEditorTest, Screenshot) {
    ChooseClass("ExtClass2");
    TypeName("Account");
    Editor().Appellation().CommentMemo().setPlainText("The customer's account, created on first use");
    SaveScreenshot("editor-external-class");
}

}  // namespace
}  // namespace quillon::test
