// The debug application editor: the methods to call, the connection edited through its dialog,
// the source path, and that OK, Apply and Cancel treat all of them like the name.
#include <QListWidget>

#include "elements/DesignClass.h"
#include "elements/ElementRules.h"
#include "elements/Methods.h"
#include "generator/DebugApplication.h"
#include "workbench/ConnectionDialog.h"
#include "workbench/DebugApplicationEditor.h"
#include "workbench/WorkbenchFixture.h"

namespace quillon::test {
namespace {

class DebugApplicationEditorTest : public WorkbenchTest {
protected:
    void SetUp() override {
        TemgModule& module = NewProjectWithAClass().Module();
        NewMethod(module.MainClass().Methods()).SetName("Deposit");
        NewMethod(module.MainClass().Methods()).SetName("Withdraw");
        Trigger("actNewDebugApplication");
        application = module.DebugApplications().Items(0);
        ASSERT_EQ(NodeObject(Window().Tree().currentItem()), application);
        application->SetModified(false);
    }

    TfrDebugApplication& Editor() { return CurrentEditor<TfrDebugApplication>(); }
    void Check(const QString& method, bool checked = true) {
        const auto found = Editor().MethodList().findItems(method, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << method.toStdString();
        found.front()->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
    QStringList Checked() {
        QStringList names;
        for (int i = 0; i < Editor().MethodList().count(); ++i)
            if (Editor().MethodList().item(i)->checkState() == Qt::Checked) names << Editor().MethodList().item(i)->text();
        return names;
    }
    // Plays the connection dialog: fills in alias Bank, user clerk, password secret, no login
    // prompt, and confirms.
    void EditConnection() {
        Playing<TedConnection>(
            [](TedConnection& dialog) {
                dialog.AliasCombo().setCurrentText("Bank");
                dialog.UserNameEdit().setText("clerk");
                dialog.PasswordEdit().setText("secret");
                dialog.LoginPromptBox().setChecked(false);
                dialog.ClickOK();
            },
            [&] { Editor().OptionsButton().click(); });
    }
    void SetStoredMethods(const Names& names) {
        TStringList stored;
        stored.SetItems(names);
        application->SetMethods(stored);
        Select(&Window().Project());
        Select(application);
    }

    TemgDebugApplication* application = nullptr;
};

TEST_F(DebugApplicationEditorTest, OKWritesEveryFieldIntoTheModelAndTheTree) {
    TypeName("Teller");
    QTest::keyClicks(&Editor().Appellation().CommentMemo(), "Calls the cash methods");
    Check("Withdraw");
    EditConnection();
    EXPECT_EQ(Editor().ConnectionText().text(), "Database alias Bank, user clerk, password stored");
    files->answers.push_back(work.File("debug"));
    Editor().SrcPath().Button().click();
    EXPECT_EQ(Editor().SrcPath().Text(), "debug");  // inside the project: relative to it
    Editor().ClickOK();

    EXPECT_EQ(LastMessage(), "");
    EXPECT_EQ(application->GetName(), "Teller");
    EXPECT_EQ(application->GetCaption(), "Calls the cash methods");
    EXPECT_EQ(application->Methods().Items(), Names{"Withdraw"});
    EXPECT_EQ(application->Connection().GetAliasName(), "Bank");
    EXPECT_EQ(application->Connection().GetUserName(), "clerk");
    EXPECT_EQ(application->Connection().GetPassword(), "secret");
    EXPECT_FALSE(application->Connection().GetLoginPrompt());
    EXPECT_EQ(application->GetSrcPath(), "debug");
    EXPECT_EQ(Node(application)->text(0), "Teller");
    EXPECT_EQ(SettledEditor(), nullptr);
}

TEST_F(DebugApplicationEditorTest, CheckingAMethodIsAChangeAndNamesTheClassLacksAreKept) {
    SetStoredMethods({"Closed", "deposit"});
    EXPECT_EQ(Checked(), QStringList{"Deposit"});
    EXPECT_EQ(Editor().MethodList().item(0)->text(), "AfterInitInstance");  // the system method too

    Check("Withdraw");
    Check("Deposit", false);
    EXPECT_TRUE(Editor().Changed());
    Select(&Window().Project());  // leaving the node applies a changed editor
    EXPECT_EQ(application->Methods().Items(), (Names{"Closed", "Withdraw"}));
    EXPECT_TRUE(application->GetModified());
}

TEST_F(DebugApplicationEditorTest, SelectAllAndSelectNoneDecideTheMethodsToCall) {
    Editor().SelectAllButton().click();
    Editor().ClickApply();
    EXPECT_EQ(application->Methods().Items(), (Names{"AfterInitInstance", "Deposit", "Withdraw"}));
    EXPECT_TRUE(application->GetModified());

    // The same selection applied again is no change.
    application->SetModified(false);
    Editor().ClickApply();
    EXPECT_FALSE(application->GetModified());

    Editor().SelectNoneButton().click();
    EXPECT_TRUE(Checked().isEmpty());
    Editor().ClickApply();
    EXPECT_TRUE(application->Methods().Items().empty());
}

// The methods, the connection and the source path go with the name: a refusal and Cancel write
// none of them.
TEST_F(DebugApplicationEditorTest, ARefusalAndCancelChangeNothing) {
    const std::string name = application->GetName();
    TypeName("1Teller");
    Check("Deposit");
    EditConnection();  // confirmed in the dialog, not in the editor
    Editor().SrcPath().Edit().setText("elsewhere");
    Editor().ClickOK();
    EXPECT_EQ(LastMessage(), "The field value is not an identifier");
    Editor().ClickCancel();
    EXPECT_EQ(SettledEditor(), nullptr);
    EXPECT_EQ(application->GetName(), name);
    EXPECT_TRUE(application->Methods().Items().empty());
    EXPECT_EQ(application->Connection().GetAliasName(), "");
    EXPECT_TRUE(application->Connection().GetLoginPrompt());
    EXPECT_EQ(application->GetSrcPath(), "");
    EXPECT_FALSE(application->GetModified());
}

}  // namespace
}  // namespace quillon::test
