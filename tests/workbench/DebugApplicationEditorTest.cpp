// The debug application editor: the methods to call, the connection edited through its dialog,
// the source path, and that OK, Apply and Cancel treat all of them like the name.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

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
        OpenWindow();
        NewProjectIn(work.Path());
        Trigger("actNewClassToProject");
        TemgClass& cls = Window().Project().Modules().Items(1)->Module().MainClass();
        NewMethod(cls.Methods()).SetName("Deposit");
        NewMethod(cls.Methods()).SetName("Withdraw");
        Trigger("actNewDebugApplication");
        application = Window().Project().Modules().Items(1)->Module().DebugApplications().Items(0);
        ASSERT_EQ(NodeObject(Window().Tree().currentItem()), application);
        application->SetModified(false);
    }

    TfrDebugApplication& Editor() { return CurrentEditor<TfrDebugApplication>(); }
    void TypeName(const QString& name) {
        QLineEdit& edit = Editor().Appellation().NameEdit().Edit();
        edit.selectAll();
        QTest::keyClicks(&edit, name);
    }
    QListWidgetItem* Method(const QString& name) {
        const auto found = Editor().MethodList().findItems(name, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.front();
    }
    QStringList Checked() {
        QStringList names;
        for (int i = 0; i < Editor().MethodList().count(); ++i)
            if (Editor().MethodList().item(i)->checkState() == Qt::Checked) names << Editor().MethodList().item(i)->text();
        return names;
    }
    // Plays the connection dialog: fills in the four values and confirms.
    void EditConnectionWith(const QString& alias, const QString& user, const QString& password, bool loginPrompt) {
        ScopedDialogRunner runner([&](TfmBaseDialog& d) {
            auto& dialog = dynamic_cast<TedConnection&>(d);
            dialog.AliasCombo().setCurrentText(alias);
            dialog.UserNameEdit().setText(user);
            dialog.PasswordEdit().setText(password);
            if (dialog.LoginPromptBox().isChecked() != loginPrompt) dialog.LoginPromptBox().click();
            d.ClickOK();
        });
        Editor().OptionsButton().click();
    }

    TemgDebugApplication* application = nullptr;
};

TEST_F(DebugApplicationEditorTest, ListsTheClassMethodsCheckedAsStored) {
    TStringList stored;
    stored.SetItems({"withdraw"});
    application->SetMethods(stored);
    Select(&Window().Project());
    Select(application);
    ASSERT_NE(Method("Deposit"), nullptr);
    ASSERT_NE(Method("AfterInitInstance"), nullptr);  // the class's system method may be called too
    EXPECT_EQ(Checked(), QStringList{"Withdraw"});
    EXPECT_EQ(Editor().ConnectionText().text().toStdString(), application->Connection().GetDisplayName());
}

TEST_F(DebugApplicationEditorTest, OKWritesEveryFieldIntoTheModelAndTheTree) {
    TypeName("Teller");
    QTest::keyClicks(&Editor().Appellation().CommentMemo(), "Calls the cash methods");
    Method("Withdraw")->setCheckState(Qt::Checked);
    EditConnectionWith("Bank", "clerk", "secret", false);
    EXPECT_EQ(Editor().ConnectionText().text().toStdString(),
              "AliasName = Bank; UserName = clerk;  Password = *****; ");
    files->answers.push_back(work.File("debug"));
    Editor().SrcPath().Button().click();
    EXPECT_EQ(Editor().SrcPath().Text(), "debug");  // inside the project: relative to it
    Editor().ClickOK();

    EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.Messages().front();
    EXPECT_EQ(application->GetName(), "Teller");
    EXPECT_EQ(application->GetCaption(), "Calls the cash methods");
    EXPECT_EQ(application->Methods().Items(), std::vector<std::string>{"Withdraw"});
    EXPECT_EQ(application->Connection().GetAliasName(), "Bank");
    EXPECT_EQ(application->Connection().GetUserName(), "clerk");
    EXPECT_EQ(application->Connection().GetPassword(), "secret");
    EXPECT_FALSE(application->Connection().GetLoginPrompt());
    EXPECT_EQ(application->GetSrcPath(), "debug");
    EXPECT_TRUE(application->GetModified());
    EXPECT_EQ(Node(application)->text(0), "Teller");
    Settle();
    EXPECT_EQ(Window().Editors().CurrentEditor(), nullptr);
}

TEST_F(DebugApplicationEditorTest, CheckingAMethodIsAChangeThatLeavingTheNodeApplies) {
    Method("Deposit")->setCheckState(Qt::Checked);
    EXPECT_TRUE(Editor().Changed());
    Select(&Window().Project());
    EXPECT_EQ(application->Methods().Items(), std::vector<std::string>{"Deposit"});
    EXPECT_TRUE(application->GetModified());
    EXPECT_TRUE(Node(application)->font(0).bold());
}

TEST_F(DebugApplicationEditorTest, SelectAllAndSelectNoneDecideTheMethodsToCall) {
    Editor().SelectAllButton().click();
    EXPECT_EQ(Checked(), (QStringList{"AfterInitInstance", "Deposit", "Withdraw"}));
    Editor().ClickApply();
    EXPECT_EQ(application->Methods().Items(), (std::vector<std::string>{"AfterInitInstance", "Deposit", "Withdraw"}));

    // Applying the same selection again leaves the application unmodified.
    application->SetModified(false);
    Editor().ClickApply();
    EXPECT_FALSE(application->GetModified());

    Editor().SelectNoneButton().click();
    EXPECT_TRUE(Checked().isEmpty());
    Editor().ClickApply();
    EXPECT_TRUE(application->Methods().Items().empty());
    EXPECT_TRUE(application->GetModified());
}

TEST_F(DebugApplicationEditorTest, NamesTheClassNoLongerHasStayWhenTheListIsApplied) {
    TStringList stored;
    stored.SetItems({"Closed", "Deposit"});
    application->SetMethods(stored);
    Select(&Window().Project());
    Select(application);
    Method("Withdraw")->setCheckState(Qt::Checked);
    Method("Deposit")->setCheckState(Qt::Unchecked);
    Editor().ClickApply();
    EXPECT_EQ(application->Methods().Items(), (std::vector<std::string>{"Closed", "Withdraw"}));
}

TEST_F(DebugApplicationEditorTest, ApplyKeepsTheEditorOpenAndCancelChangesNothing) {
    TypeName("Teller");
    TfrEditor* editor = &Editor();
    editor->ClickApply();
    Settle();
    EXPECT_EQ(application->GetName(), "Teller");
    EXPECT_EQ(Window().Editors().CurrentEditor(), editor);

    application->SetModified(false);
    TypeName("Other");
    Method("Deposit")->setCheckState(Qt::Checked);
    EditConnectionWith("Bank", "clerk", "secret", false);  // confirmed in the dialog, not in the editor
    Editor().SrcPath().Edit().setText("elsewhere");
    editor->ClickCancel();
    Settle();
    EXPECT_EQ(application->GetName(), "Teller");
    EXPECT_TRUE(application->Methods().Items().empty());
    EXPECT_EQ(application->Connection().GetAliasName(), "");
    EXPECT_TRUE(application->Connection().GetLoginPrompt());
    EXPECT_EQ(application->GetSrcPath(), "");
    EXPECT_FALSE(application->GetModified());
    EXPECT_EQ(Window().Editors().CurrentEditor(), nullptr);
}

TEST_F(DebugApplicationEditorTest, ALeadingDigitNameIsRefusedAndNothingIsWritten) {
    TypeName("1Teller");
    Method("Deposit")->setCheckState(Qt::Checked);
    Editor().ClickOK();
    Settle();
    ASSERT_FALSE(dialogs.Messages().empty());
    EXPECT_EQ(dialogs.Messages().back(), "The field value is not an identifier");
    EXPECT_EQ(application->GetName(), "DebugApp1");
    EXPECT_TRUE(application->Methods().Items().empty());
    EXPECT_NE(Window().Editors().CurrentEditor(), nullptr);
}

TEST_F(DebugApplicationEditorTest, ASourcePathOutsideTheProjectStaysAsChosenAndCancelKeepsTheField) {
    TempDir outside;
    files->answers.push_back(outside.Path());
    Editor().SrcPath().Button().click();
    EXPECT_EQ(Editor().SrcPath().Text(), outside.Path());
    files->answers.push_back(std::nullopt);
    Editor().SrcPath().Button().click();
    EXPECT_EQ(Editor().SrcPath().Text(), outside.Path());
    Editor().ClickApply();
    EXPECT_EQ(application->GetSrcPath(), outside.Path());
}

TEST_F(DebugApplicationEditorTest, Screenshot) {
    TypeName("Teller");
    Editor().Appellation().CommentMemo().setPlainText("Calls the cash methods of the account");
    Method("Deposit")->setCheckState(Qt::Checked);
    Method("Withdraw")->setCheckState(Qt::Checked);
    EditConnectionWith("Bank", "clerk", "secret", true);
    Editor().SrcPath().SetText("debug");
    SaveScreenshot("editor-debug-application");
}

}  // namespace
}  // namespace quillon::test
