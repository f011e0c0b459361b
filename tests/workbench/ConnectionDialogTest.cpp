// The connection dialog against a temporary ODBC configuration: the aliases offered, a real
// connection test with its success and failure reports, and what OK and Cancel write.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "elements/DatabaseElements.h"
#include "platform/UserDialogs.h"
#include "support/OdbcConfig.h"
#include "workbench/ConnectionDialog.h"

namespace quillon::test {
namespace {

// Names no other test configures: unixODBC remembers a name's configuration for a while.
constexpr const char* kDataSource = "QuillonConnectionDialog";
constexpr const char* kMissingSource = "QuillonNoSuchSource";

class ConnectionDialogTest : public ::testing::Test {
protected:
    ConnectionDialogTest() : installed_(dialogs) {}

    const ScriptedDialogs::Entry& LastMessage() {
        if (dialogs.Log().empty()) throw std::logic_error("no message shown");
        return dialogs.Log().back();
    }

    ScriptedDialogs dialogs;
    TemgDatabaseConnection connection;

private:
    ScopedDialogs installed_;
};

TEST_F(ConnectionDialogTest, OffersTheConfiguredDataSourcesAndLoadsTheConnection) {
    TempOdbcConfig config(kDataSource);
    connection.SetAliasName("Typed");
    connection.SetUserName("clerk");
    connection.SetPassword("secret");
    connection.SetLoginPrompt(false);
    TedConnection dialog(nullptr, connection);
    EXPECT_EQ(dialog.windowTitle(), "Connection");
    EXPECT_GE(dialog.AliasCombo().findText(kDataSource), 0);
    EXPECT_TRUE(dialog.AliasCombo().isEditable());
    EXPECT_EQ(dialog.AliasCombo().currentText(), "Typed");
    EXPECT_EQ(dialog.UserNameEdit().text(), "clerk");
    EXPECT_EQ(dialog.PasswordEdit().text(), "secret");
    EXPECT_EQ(dialog.PasswordEdit().echoMode(), QLineEdit::Password);
    EXPECT_FALSE(dialog.LoginPromptBox().isChecked());
}

TEST_F(ConnectionDialogTest, TestConnectionReportsSuccessAgainstARealDataSource) {
    TempOdbcConfig config(kDataSource);
    TedConnection dialog(nullptr, connection);
    dialog.AliasCombo().setCurrentText(kDataSource);
    dialog.TestButton().click();
    EXPECT_EQ(LastMessage().text, "Connection is successfully established");
    EXPECT_EQ(LastMessage().kind, MessageKind::Information);
    // A test writes nothing into the connection.
    EXPECT_EQ(connection.GetAliasName(), "");
    EXPECT_FALSE(connection.GetModified());
}

TEST_F(ConnectionDialogTest, TestConnectionReportsTheEngineReasonForAMissingDataSource) {
    TempOdbcConfig config(kDataSource);
    TedConnection dialog(nullptr, connection);
    dialog.AliasCombo().setCurrentText(kMissingSource);
    dialog.UserNameEdit().setText("clerk");
    EXPECT_FALSE(dialog.TestConnection());
    EXPECT_EQ(LastMessage().kind, MessageKind::Error);
    EXPECT_NE(LastMessage().text.find(kMissingSource), std::string::npos) << LastMessage().text;
    EXPECT_NE(LastMessage().text.find("[IM002]"), std::string::npos) << LastMessage().text;
    EXPECT_NE(LastMessage().text.find("Data source name not found"), std::string::npos) << LastMessage().text;

    dialog.AliasCombo().setCurrentText("  ");
    EXPECT_FALSE(dialog.TestConnection());
    EXPECT_EQ(LastMessage().text, "Please, fill in the field 'Database Alias'");
    EXPECT_EQ(LastMessage().kind, MessageKind::Error);
}

TEST_F(ConnectionDialogTest, OKWritesTheFourValuesAndCancelNone) {
    TempOdbcConfig config;
    const auto fill = [](TedConnection& dialog) {
        dialog.AliasCombo().setCurrentText(" Bank ");
        dialog.UserNameEdit().setText("clerk");
        dialog.PasswordEdit().setText(" pass word ");
        dialog.LoginPromptBox().click();
    };
    {
        ScopedDialogRunner runner([&](TfmBaseDialog& d) {
            fill(dynamic_cast<TedConnection&>(d));
            d.ClickCancel();
        });
        EXPECT_FALSE(RunConnectionDialog(nullptr, connection));
    }
    EXPECT_EQ(connection.GetAliasName(), "");
    EXPECT_TRUE(connection.GetLoginPrompt());
    EXPECT_FALSE(connection.GetModified());

    ScopedDialogRunner runner([&](TfmBaseDialog& d) {
        fill(dynamic_cast<TedConnection&>(d));
        d.ClickOK();
    });
    EXPECT_TRUE(RunConnectionDialog(nullptr, connection));
    EXPECT_EQ(connection.GetAliasName(), "Bank");
    EXPECT_EQ(connection.GetUserName(), "clerk");
    EXPECT_EQ(connection.GetPassword(), " pass word ");  // as entered
    EXPECT_FALSE(connection.GetLoginPrompt());
    EXPECT_TRUE(connection.GetModified());
}

}  // namespace
}  // namespace quillon::test
