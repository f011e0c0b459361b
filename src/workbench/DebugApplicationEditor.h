// The editor of a debug application: its name and comment, the database connection preset into
// the generated form, the methods of the module's class that get a row, and the output directory.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "workbench/ElementEditors.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace quillon {

class TemgDatabaseConnection;
class TemgDebugApplication;

class TfrDebugApplication : public TfrAppellationEditor {
    Q_OBJECT

public:
    TfrDebugApplication(TfrEditors& editors, const TEditorEnvironment& environment);
    ~TfrDebugApplication() override;

    void SetReadOnly(bool readOnly) override;
    void Initialize(TEditorItem& item) override;
    void Apply() override;
    QString HelpTopic() const override { return QStringLiteral("editor-debug-application"); }

    // The buttons' work, also reachable from tests.
    void EditConnection();
    void SelectAll();
    void SelectNone();
    void BrowseSrcPath();

    QLineEdit& ConnectionText() const { return *FConnectionText; }
    QPushButton& OptionsButton() const { return *FOptions; }
    QListWidget& MethodList() const { return *FMethods; }
    QPushButton& SelectAllButton() const { return *FSelectAll; }
    QPushButton& SelectNoneButton() const { return *FSelectNone; }
    TfrEditButton& SrcPath() const { return *FSrcPath; }
    // The connection as edited here, written into the application on apply.
    const TemgDatabaseConnection& EditedConnection() const { return *FConnection; }

private:
    TemgDebugApplication& Application() const;
    void ShowConnection();
    void CheckAll(bool checked);
    // The methods to call: the stored names in their order, less those unchecked here, then the
    // newly checked ones in the class's order. Stored names the class no longer has stay.
    std::vector<std::string> CheckedMethods() const;

    std::unique_ptr<TemgDatabaseConnection> FConnection;
    QLineEdit* FConnectionText = nullptr;
    QPushButton* FOptions = nullptr;
    QListWidget* FMethods = nullptr;
    QPushButton* FSelectAll = nullptr;
    QPushButton* FSelectNone = nullptr;
    TfrEditButton* FSrcPath = nullptr;
    bool FLoading = false;
};

}  // namespace quillon
