// The editors of the project and of a module entry, and the ordered directory list of the
// project's search path.
#pragma once

#include <memory>

#include <QStringList>

#include "elements/ModuleOptions.h"
#include "workbench/ElementEditors.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace quillon {

class IFileDialogs;
class TemgDatabaseConnection;
class TemgpModule;
class TemgpProject;

// The project: name and comment, "File Name", "Unit Header", "Search Path" (edited as text or in
// the directory list) and "Project Base Path", the directory of the project file.
class TfrProjectEditor : public TfrAppellationEditor {
    Q_OBJECT

public:
    TfrProjectEditor(TfrEditors& editors, const TEditorEnvironment& environment);

    void SetReadOnly(bool readOnly) override;
    void Initialize(TEditorItem& item) override;
    void Apply() override;
    QString HelpTopic() const override { return QStringLiteral("editor-project"); }

    TfrEdit& FileNameEdit() const { return *FFileName; }
    QPlainTextEdit& UnitHeaderMemo() const { return *FUnitHeader; }
    TfrEditButton& SearchPathEdit() const { return *FSearchPath; }
    TfrEditButton& BasePathEdit() const { return *FBasePath; }
    QComboBox& EncodingChoices() const { return *FEncoding; }
    // The search path's "..." button: the directory list dialog.
    void EditSearchPath();

protected:
    void LoadAppellation() override;
    void ApplyAppellation() override;
    bool IsNameUnique(std::string_view) const override { return true; }

private:
    TemgpProject& Project() const;

    TfrEdit* FFileName = nullptr;
    QPlainTextEdit* FUnitHeader = nullptr;
    TfrEditButton* FSearchPath = nullptr;
    TfrEditButton* FBasePath = nullptr;
    QComboBox* FEncoding = nullptr;
};

// An ordered list of directories: a directory is typed or browsed for, then added, or put in
// place of the selected one; entries are deleted and moved up and down.
class TedDirectoties : public TfmBaseDialog {
    Q_OBJECT

public:
    TedDirectoties(QWidget* parent, IFileDialogs* fileDialogs, const QStringList& directories,
                   const QString& baseDir = {});

    QStringList Directories() const;
    QListWidget& List() const { return *FList; }
    TfrEditButton& DirectoryEdit() const { return *FDirectory; }
    QString HelpTopic() const override { return QStringLiteral("dialog-directories"); }

    void ClickAdd();
    void ClickReplace();
    void ClickDelete();
    void ClickMove(int delta);

private:
    void UpdateButtons();

    IFileDialogs* FFileDialogs;
    QString FBaseDir;
    QListWidget* FList = nullptr;
    TfrEditButton* FDirectory = nullptr;
    QPushButton* FAdd = nullptr;
    QPushButton* FReplace = nullptr;
    QPushButton* FDelete = nullptr;
    QToolButton* FUp = nullptr;
    QToolButton* FDown = nullptr;
};

// A module entry: the module's name (its class's) and comment, its file, the units it uses, its
// server option with the options of that server, its database support and its source path.
class TfrModuleEditor : public TfrAppellationEditor {
    Q_OBJECT

public:
    TfrModuleEditor(TfrEditors& editors, const TEditorEnvironment& environment);
    ~TfrModuleEditor() override;

    void SetReadOnly(bool readOnly) override;
    void Initialize(TEditorItem& item) override;
    void Apply() override;
    bool Validate() override;
    QString HelpTopic() const override { return QStringLiteral("editor-module"); }

    TfrEdit& FileNameEdit() const { return *FFileName; }
    QCheckBox& FormsBox() const { return *FForms; }
    QCheckBox& ShareMemBox() const { return *FShareMem; }
    QRadioButton& ServerButton(TServerOption option) const;
    QCheckBox& LibraryPathSameExeBox() const { return *FLibraryPathSameExe; }
    QPushButton& RegisterButton() const { return *FRegister; }
    QGroupBox& ComOptions() const { return *FComOptions; }
    QGroupBox& DllOptions() const { return *FDllOptions; }
    TfrEdit& GuidEdit() const { return *FGuid; }
    QToolButton& NewGuidButton() const { return *FNewGuid; }
    TfrEdit& DescriptionEdit() const { return *FDescription; }
    QComboBox& ClassInstancingCombo() const { return *FClassInstancing; }
    QComboBox& ThreadModelCombo() const { return *FThreadModel; }
    QComboBox& DllClassInstancingCombo() const { return *FDllClassInstancing; }
    QRadioButton& HostDBButton() const { return *FHostDB; }
    QRadioButton& OwnDBButton() const { return *FOwnDB; }
    QRadioButton& NoDBButton() const { return *FNoDB; }
    QCheckBox& CreateBox(TDatabaseSupportComponent component) const;
    TfrEdit& DatabaseNameEdit() const { return *FDatabaseName; }
    TfrEdit& DataModuleNameEdit() const { return *FDataModuleName; }
    QPushButton& ConnectionButton() const { return *FConnection; }
    QCheckBox& UseHostDBBox() const { return *FUseHostDB; }
    TfrEditButton& SrcPathEdit() const { return *FSrcPath; }

    // "Register": registers the module's built COM library.
    void RegisterServer();
    // "Connection...": the connection dialog on the editor's copy of the module's connection.
    void EditConnection();
    const TemgDatabaseConnection& EditedConnection() const { return *FEditedConnection; }

protected:
    void LoadAppellation() override;
    void ApplyAppellation() override;
    bool IsNameUnique(std::string_view name) const override;

private:
    TemgpModule& Entry() const;
    bool IsFirstModule() const;
    TServerOption ChosenServer() const;
    // The set the database controls stand for.
    TDatabaseSupport ChosenDatabaseSupport() const;
    // Shows the option groups of the chosen server and enables the controls of the chosen
    // database support.
    void UpdateControls();

    TfrEdit* FFileName = nullptr;
    QGroupBox* FUses = nullptr;
    QCheckBox* FForms = nullptr;
    QCheckBox* FShareMem = nullptr;
    QGroupBox* FServer = nullptr;
    QRadioButton* FServerButtons[4] = {};
    QCheckBox* FLibraryPathSameExe = nullptr;
    QPushButton* FRegister = nullptr;
    QGroupBox* FComOptions = nullptr;
    TfrEdit* FGuid = nullptr;
    QToolButton* FNewGuid = nullptr;
    TfrEdit* FDescription = nullptr;
    QComboBox* FClassInstancing = nullptr;
    QComboBox* FThreadModel = nullptr;
    QGroupBox* FDllOptions = nullptr;
    QComboBox* FDllClassInstancing = nullptr;
    QGroupBox* FDatabase = nullptr;
    QRadioButton* FHostDB = nullptr;
    QCheckBox* FCreateBoxes[3] = {};
    QRadioButton* FOwnDB = nullptr;
    TfrEdit* FDatabaseName = nullptr;
    TfrEdit* FDataModuleName = nullptr;
    QPushButton* FConnection = nullptr;
    QCheckBox* FUseHostDB = nullptr;
    QLabel* FHostDBLinks = nullptr;
    QRadioButton* FNoDB = nullptr;
    TfrEditButton* FSrcPath = nullptr;
    // The database support as loaded: kept when the controls still say the same, so that a set
    // the controls cannot show (own parameters beside dataset factories) survives an edit of
    // something else.
    TDatabaseSupport FLoadedSupport;
    // The connection as edited, written into the module on Apply.
    std::unique_ptr<TemgDatabaseConnection> FEditedConnection;
};

// The caption of a server option in the module editor ("DLL", "UNIT", "COM DLL", "COM").
QString ServerOptionCaption(TServerOption option);

// A directory the user chose, as the model stores it: relative to `baseDir` when it lies inside
// it, else absolute.
std::string StoredDirectory(const std::string& chosen, const std::string& baseDir);

}  // namespace quillon
