#include "workbench/ConnectionDialog.h"

#include <exception>
#include <optional>
#include <string>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "elements/DatabaseElements.h"
#include "elements/ElementMessages.h"
#include "platform/DataSources.h"
#include "platform/Exception.h"
#include "platform/Format.h"
#include "platform/PlatformMessages.h"
#include "platform/UserDialogs.h"
#include "workbench/EditorFrames.h"
#include "workbench/QtText.h"

namespace quillon {

namespace {

// The wait cursor while the engine connects, which may take a while on a remote database.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

TedConnection::TedConnection(QWidget* parent, TemgDatabaseConnection& connection)
    : TfmBaseDialog(parent, tr("Connection")), FConnection(connection) {
    setObjectName("edConnection");
    auto* grid = new QGridLayout;
    grid->setColumnMinimumWidth(0, kLabelWidth);
    grid->setColumnStretch(1, 1);
    const auto addRow = [grid](int row, const QString& label, QWidget* field) {
        auto* caption = new QLabel(label);
        caption->setBuddy(field);
        grid->addWidget(caption, row, 0);
        grid->addWidget(field, row, 1);
    };

    FAlias = new QComboBox;
    FAlias->setObjectName("cbAlias");
    FAlias->setEditable(true);
    FAlias->setInsertPolicy(QComboBox::NoInsert);
    // The engine's configured aliases; any other name may still be typed. Without a working
    // driver manager the list stays empty and a test reports why.
    try {
        for (const std::string& name : DataSourceNames()) FAlias->addItem(ToQ(name));
    } catch (const std::exception&) {
    }
    addRow(0, tr("Database Alias"), FAlias);

    FUserName = new QLineEdit;
    FUserName->setObjectName("edUserName");
    addRow(1, tr("User Name"), FUserName);

    FPassword = new QLineEdit;
    FPassword->setObjectName("edPassword");
    FPassword->setEchoMode(QLineEdit::Password);
    addRow(2, tr("Password"), FPassword);

    FLoginPrompt = new QCheckBox(tr("Login Prompt"));
    FLoginPrompt->setObjectName("cbLoginPrompt");
    grid->addWidget(FLoginPrompt, 3, 1);

    FTest = new QPushButton(tr("Test Connection"));
    FTest->setObjectName("btTestConnection");
    FTest->setAutoDefault(false);
    grid->addWidget(FTest, 4, 1, Qt::AlignLeft);
    connect(FTest, &QPushButton::clicked, this, [this] { TestConnection(); });

    Body().addLayout(grid);
    Body().addStretch(1);

    FAlias->setCurrentText(ToQ(connection.GetAliasName()));
    FUserName->setText(ToQ(connection.GetUserName()));
    FPassword->setText(ToQ(connection.GetPassword()));
    FLoginPrompt->setChecked(connection.GetLoginPrompt());
    resize(440, sizeHint().height());
}

std::string TedConnection::AliasName() const { return FAlias->currentText().trimmed().toStdString(); }

void TedConnection::Apply() {
    FConnection.SetAliasName(AliasName());
    FConnection.SetUserName(FUserName->text().toStdString());
    FConnection.SetPassword(FPassword->text().toStdString());
    FConnection.SetLoginPrompt(FLoginPrompt->isChecked());
}

bool TedConnection::TestConnection() {
    const std::string alias = AliasName();
    if (alias.empty()) return Refuse(Format(kFillInField, tr("Database Alias").toStdString()), FAlias);
    // Whatever the engine or its driver raises is a failed test to report, never the end of the
    // program.
    std::optional<std::string> failure;
    try {
        WaitCursor wait;
        quillon::TestConnection(alias, FUserName->text().toStdString(), FPassword->text().toStdString());
    } catch (const std::exception& error) {
        failure = error.what();
        if (failure->empty()) failure = Format(kCannotConnect, alias, std::string(kNoDiagnostic));
    } catch (...) {
        failure = Format(kCannotConnect, alias, std::string(kNoDiagnostic));
    }
    if (failure) {
        Dialogs().ShowMessage(MessageKind::Error, *failure);
        return false;
    }
    Dialogs().ShowMessage(MessageKind::Information, std::string(kConnectionEstablished));
    return true;
}

bool RunConnectionDialog(QWidget* parent, TemgDatabaseConnection& connection) {
    TedConnection dialog(parent, connection);
    return ExecDialog(dialog);
}

}  // namespace quillon
