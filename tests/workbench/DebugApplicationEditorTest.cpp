// The debug application editor: the methods to call, the connection edited through its dialog,
// the source path, and that OK, Apply and Cancel treat all of them like the name. The connection
// dialog against a temporary ODBC configuration: the aliases offered, a real connection test with
// its success and failure reports, and what OK and Cancel write.
#include <cstdlib>

#include <QListWidget>

#include "elements/DatabaseElements.h"
#include "elements/DesignClass.h"
#include "elements/ElementRules.h"
#include "elements/Methods.h"
#include "generator/DebugApplication.h"
#include "support/OdbcConfig.h"
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

// The methods, the connection and the source path go with the name: a refusal and Cancel write
// none of them, OK writes them all.
TEST_F(DebugApplicationEditorTest, OKWritesEveryFieldIntoTheModelAndTheTree) {
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

    Select(&Window().Project());
    Select(application);
    TypeName("Teller");
    QTest::keyClicks(&Editor().Appellation().CommentMemo(), "Calls the cash methods");
    Check("Withdraw");
    EditConnection();
    EXPECT_EQ(Editor().ConnectionText().text(), "Database alias Bank, user clerk, password stored");
    files->answers.push_back(work.File("debug"));
    Editor().SrcPath().Button().click();
    EXPECT_EQ(Editor().SrcPath().Text(), "debug");  // inside the project: relative to it
    Editor().ClickOK();
    EXPECT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(application->GetName(), "Teller");
    EXPECT_EQ(application->GetCaption(), "Calls the cash methods");
    EXPECT_EQ(application->Methods().Items(), Names{"Withdraw"});
    EXPECT_EQ(application->Connection().GetAliasName(), "Bank");
    EXPECT_EQ(application->Connection().GetUserName(), "clerk");
    EXPECT_EQ(application->Connection().GetPassword(), "secret");
    EXPECT_FALSE(application->Connection().GetLoginPrompt());
    EXPECT_EQ(application->GetSrcPath(), "debug");
    EXPECT_EQ(Node(application)->text(0), "Teller");
}

// Checking a method is a change, and names the class lacks are kept; Select All and Select None
// decide the methods to call, and the same selection applied again is no change.
TEST_F(DebugApplicationEditorTest, TheCheckedMethodsAreTheMethodsToCall) {
    SetStoredMethods({"Closed", "deposit"});
    EXPECT_EQ(Checked(), QStringList{"Deposit"});
    EXPECT_EQ(Editor().MethodList().item(0)->text(), "AfterInitInstance");  // the system method too
    Check("Withdraw");
    Check("Deposit", false);
    EXPECT_TRUE(Editor().Changed());
    Select(&Window().Project());  // leaving the node applies a changed editor
    EXPECT_EQ(application->Methods().Items(), (Names{"Closed", "Withdraw"}));
    EXPECT_TRUE(application->GetModified());

    SetStoredMethods({});
    Editor().SelectAllButton().click();
    Editor().ClickApply();
    EXPECT_EQ(application->Methods().Items(), (Names{"AfterInitInstance", "Deposit", "Withdraw"}));
    application->SetModified(false);
    Editor().ClickApply();
    EXPECT_FALSE(application->GetModified());
    Editor().SelectNoneButton().click();
    EXPECT_TRUE(Checked().isEmpty());
    Editor().ClickApply();
    EXPECT_TRUE(application->Methods().Items().empty());
}

// --- The connection dialog --------------------------------------------------------------------------

// Names no other test configures: unixODBC remembers a name's configuration for a while.
constexpr const char* kDataSource = "QuillonConnectionDialog";
constexpr const char* kMissingSource = "QuillonNoSuchSource";

class ConnectionDialogTest : public ::testing::Test {
protected:
    ConnectionDialogTest() : installed_(dialogs) {}

    ScriptedDialogs::Entry LastMessage() const {
        return dialogs.Log().empty() ? ScriptedDialogs::Entry{} : dialogs.Log().back();
    }

    ScriptedDialogs dialogs;
    TemgDatabaseConnection connection;

private:
    ScopedDialogs installed_;
};

TEST_F(ConnectionDialogTest, TestConnectionReportsSuccessOrTheEngineReason) {
#ifdef _WIN32
    // Under Wine odbc32 hands over to the Linux unixODBC, configured by the test run (tests/windows)
    // with the data source it names here.
    const char* underWine = std::getenv("QUILLON_WINE_DATA_SOURCE");
    if (!underWine || !*underWine) GTEST_SKIP() << "no data source is configured for this Windows run";
    const std::string dataSource = underWine;
#else
    TempOdbcConfig config(kDataSource);
    const std::string dataSource = kDataSource;
#endif
    TedConnection dialog(nullptr, connection);
    EXPECT_GE(dialog.AliasCombo().findText(QString::fromStdString(dataSource)), 0);

    dialog.AliasCombo().setCurrentText(QString::fromStdString(dataSource));
    dialog.TestButton().click();
    EXPECT_EQ(LastMessage().text, "Connection is successfully established");
    EXPECT_EQ(LastMessage().kind, MessageKind::Information);
    EXPECT_EQ(connection.GetAliasName(), "");  // a test writes nothing

    dialog.AliasCombo().setCurrentText(kMissingSource);
    EXPECT_FALSE(dialog.TestConnection());
    EXPECT_EQ(LastMessage().kind, MessageKind::Error);
    EXPECT_NE(LastMessage().text.find(kMissingSource), std::string::npos) << LastMessage().text;
    EXPECT_NE(LastMessage().text.find("[IM002]"), std::string::npos) << LastMessage().text;

    dialog.AliasCombo().setCurrentText("  ");
    EXPECT_FALSE(dialog.TestConnection());
    EXPECT_EQ(LastMessage().text, "Please, fill in the field 'Database Alias'");
}

TEST_F(ConnectionDialogTest, LoadsTheConnectionAndOKWritesTheFourValuesCancelNone) {
    TempOdbcConfig config;
    connection.SetUserName("clerk");
    connection.SetModified(false);
    for (const bool ok : {false, true}) {
        Playing<TedConnection>(
            [&](TedConnection& dialog) {
                EXPECT_EQ(dialog.UserNameEdit().text(), "clerk");
                EXPECT_EQ(dialog.PasswordEdit().echoMode(), QLineEdit::Password);
                EXPECT_TRUE(dialog.LoginPromptBox().isChecked());
                dialog.AliasCombo().setCurrentText(" Bank ");
                dialog.UserNameEdit().setText("teller");
                dialog.PasswordEdit().setText(" pass word ");
                dialog.LoginPromptBox().click();
                ok ? dialog.ClickOK() : dialog.ClickCancel();
            },
            [&] { EXPECT_EQ(RunConnectionDialog(nullptr, connection), ok); });
        EXPECT_EQ(connection.GetAliasName(), ok ? "Bank" : "");  // Cancel writes nothing
        EXPECT_EQ(connection.GetModified(), ok);
    }
    EXPECT_EQ(connection.GetUserName(), "teller");
    EXPECT_EQ(connection.GetPassword(), " pass word ");  // as entered
    EXPECT_FALSE(connection.GetLoginPrompt());
}

}  // namespace
}  // namespace quillon::test
