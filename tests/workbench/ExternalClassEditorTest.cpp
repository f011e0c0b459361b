// The external property editor: choosing the referenced class among those the class may refer to,
// the referenced class's members, the property name rules, and a reference to a class the project
// no longer has.
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
        NewProjectWithAClass();           // ExtClass1, the class that refers
        Trigger("actNewClassToProject");  // ExtClass2, the class referred to
        TemgClass& referenced = Window().Project().Modules().Items(2)->Module().MainClass();
        NewProperty(referenced.Properties()).SetName("Balance");
        NewEvent(referenced.Events()).SetName("OnChange");
        NewMethod(referenced.Methods()).SetName("Deposit");

        TemgClass& owner = Window().Project().Modules().Items(1)->Module().MainClass();
        NewProperty(owner.Properties()).SetName("Owned");
        Select(Window().Project().Modules().Items(1));
        Trigger("actNewExternalClassReference");
        external = owner.ExternalClasses().Items(0);
        ASSERT_EQ(NodeObject(Window().Tree().currentItem()), external);
    }

    TfrExternalClassEditor& Editor() { return CurrentEditor<TfrExternalClassEditor>(); }
    void ChooseClass(const QString& name) { Choose(Editor().ClassCombo(), name); }
    // The group ("Methods") of a member shown in the class tree, or "" when it is not shown.
    QString GroupOf(const QString& member) {
        const auto found = Editor().ClassTree().findItems(member, Qt::MatchExactly | Qt::MatchRecursive);
        return found.size() == 1 && found.front()->parent() ? found.front()->parent()->text(0) : QString();
    }

    TemgExternalClass* external = nullptr;
};

TEST_F(ExternalClassEditorTest, OffersTheOtherClassesAndShowsTheChosenClassMembers) {
    // Neither the class itself nor the common types module can be referred to.
    ASSERT_EQ(Editor().ClassCombo().count(), 1);
    EXPECT_EQ(Editor().ClassCombo().itemText(0), "ExtClass2");
    EXPECT_EQ(Editor().Appellation().Name(), "ExternalProperty1");
    EXPECT_TRUE(Editor().AutoCreateBox().isChecked());
    EXPECT_EQ(Editor().ClassTree().topLevelItemCount(), 0);
    EXPECT_FALSE(Editor().MessageMemo().isVisibleTo(&Editor()));

    ChooseClass("ExtClass2");
    EXPECT_EQ(Editor().ClassTree().topLevelItem(0)->text(0), "ExtClass2");
    EXPECT_EQ(GroupOf("Balance"), "Properties");
    EXPECT_EQ(GroupOf("OnChange"), "Events");
    EXPECT_EQ(GroupOf("Deposit"), "Methods");
    EXPECT_FALSE(Editor().ClassTree().findItems("Deposit", Qt::MatchRecursive).front()->icon(0).isNull());
}

TEST_F(ExternalClassEditorTest, OKWritesTheReferenceIntoTheModelAndTheTreeShowsThePropertyName) {
    ChooseClass("extclass2");  // the class's own spelling is stored
    TypeName("Account");
    QTest::keyClicks(&Editor().Appellation().CommentMemo(), "The account object");
    Editor().AutoCreateBox().click();
    Editor().ClickOK();

    EXPECT_EQ(LastMessage(), "");
    EXPECT_EQ(external->GetName(), "ExtClass2");
    EXPECT_EQ(external->GetPropertyName(), "Account");
    EXPECT_EQ(external->GetCaption(), "The account object");
    EXPECT_FALSE(external->GetAutoCreate());
    EXPECT_EQ(Node(external)->text(0), "Account");
    EXPECT_EQ(SettledEditor(), nullptr);
}

TEST_F(ExternalClassEditorTest, RefusedNamesAndClassesWriteNothing) {
    ChooseClass("ExtClass2");
    // The property name is unique among all members of the class, its property "Owned" included.
    for (const auto& [name, message] : {std::pair<QString, std::string>{"1Account", "The field value is not an identifier"},
                                        {"owned", "Name owned is not unique"},
                                        {"AfterInitInstance", "Name AfterInitInstance is not unique"}}) {
        TypeName(name);
        Editor().ClickOK();
        EXPECT_EQ(LastMessage(), message);
        EXPECT_NE(SettledEditor(), nullptr);
        EXPECT_EQ(external->GetPropertyName(), "ExternalProperty1");
        EXPECT_EQ(Node(external)->text(0), "ExternalProperty1");
    }

    TypeName("Account");
    for (const QString& cls : {QString("NoSuchClass"), QString("ExtClass1"), QString()}) {
        ChooseClass(cls);
        Editor().ClickApply();
        EXPECT_EQ(LastMessage(), "Object not found") << cls.toStdString();
        EXPECT_EQ(external->GetName(), "");
        EXPECT_EQ(external->GetPropertyName(), "ExternalProperty1");
    }
}

TEST_F(ExternalClassEditorTest, AReferenceToAClassNoLongerInTheProjectIsReported) {
    external->SetName("Vanished");
    Select(&Window().Project());
    Select(external);
    EXPECT_EQ(Editor().ClassCombo().currentText(), "Vanished");
    EXPECT_EQ(Editor().MessageMemo().toPlainText(), "Referenced class not found");
    EXPECT_TRUE(Editor().MessageMemo().isVisibleTo(&Editor()));
    EXPECT_EQ(Editor().ClassTree().topLevelItemCount(), 0);
    Editor().ClickApply();
    EXPECT_EQ(LastMessage(), "Object not found");

    ChooseClass("ExtClass2");
    EXPECT_FALSE(Editor().MessageMemo().isVisibleTo(&Editor()));
    Editor().ClickApply();
    EXPECT_EQ(external->GetName(), "ExtClass2");
}

}  // namespace
}  // namespace quillon::test
