// The connection dialog against a temporary ODBC configuration: the aliases offered, a real
// connection test with its success and failure reports, and what OK and Cancel write.
#include <gtest/gtest.h>

#include <cstdlib>

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
    const auto edit = [](TfmBaseDialog& d, bool ok) {
        auto& dialog = dynamic_cast<TedConnection&>(d);
        EXPECT_EQ(dialog.UserNameEdit().text(), "clerk");
        EXPECT_EQ(dialog.PasswordEdit().echoMode(), QLineEdit::Password);
        EXPECT_TRUE(dialog.LoginPromptBox().isChecked());
        dialog.AliasCombo().setCurrentText(" Bank ");
        dialog.UserNameEdit().setText("teller");
        dialog.PasswordEdit().setText(" pass word ");
        dialog.LoginPromptBox().click();
        ok ? d.ClickOK() : d.ClickCancel();
    };
    {
        ScopedDialogRunner runner([&](TfmBaseDialog& d) { edit(d, false); });
        EXPECT_FALSE(RunConnectionDialog(nullptr, connection));
    }
    EXPECT_EQ(connection.GetAliasName(), "");
    EXPECT_FALSE(connection.GetModified());

    ScopedDialogRunner runner([&](TfmBaseDialog& d) { edit(d, true); });
    EXPECT_TRUE(RunConnectionDialog(nullptr, connection));
    EXPECT_EQ(connection.GetAliasName(), "Bank");
    EXPECT_EQ(connection.GetUserName(), "teller");
    EXPECT_EQ(connection.GetPassword(), " pass word ");  // as entered
    EXPECT_FALSE(connection.GetLoginPrompt());
    EXPECT_TRUE(connection.GetModified());
}

}  // namespace
}  // namespace quillon::test
