// The database connection dialog: the alias (a configured data source, or any typed name), the
// user name, the password and the login prompt of a connection, and a connection test against the
// database engine with exactly those values.
#pragma once

#include "workbench/EditorFramework.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace quillon {

class TemgDatabaseConnection;

class TedConnection : public TfmBaseDialog {
    Q_OBJECT

public:
    // Loads the values of `connection`; OK writes them back into it.
    TedConnection(QWidget* parent, TemgDatabaseConnection& connection);

    void Apply() override;
    QString HelpTopic() const override { return QStringLiteral("dialog-connection"); }

    // "Test Connection": connects with the typed alias, user name and password and reports the
    // outcome in a message box; the engine's reason is shown when it fails. Answers whether the
    // connection was established.
    bool TestConnection();

    QComboBox& AliasCombo() const { return *FAlias; }
    QLineEdit& UserNameEdit() const { return *FUserName; }
    QLineEdit& PasswordEdit() const { return *FPassword; }
    QCheckBox& LoginPromptBox() const { return *FLoginPrompt; }
    QPushButton& TestButton() const { return *FTest; }

private:
    std::string AliasName() const;

    TemgDatabaseConnection& FConnection;
    QComboBox* FAlias = nullptr;
    QLineEdit* FUserName = nullptr;
    QLineEdit* FPassword = nullptr;
    QCheckBox* FLoginPrompt = nullptr;
    QPushButton* FTest = nullptr;
};

// Opens the connection dialog on `connection`; answers whether the user confirmed it with OK (the
// values are then written into `connection`, which marks it modified where they changed).
bool RunConnectionDialog(QWidget* parent, TemgDatabaseConnection& connection);

}  // namespace quillon
