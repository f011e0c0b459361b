// The workbench's main window: the project tree, the editor area, the check results, the menus,
// the toolbar and every command as a named action.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QHash>
#include <QMainWindow>

#include "checking/CheckResults.h"
#include "project/Project.h"
#include "project/ReopenProjects.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QProgressBar;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;

namespace quillon {

class IFileDialogs;
class TWorkbenchSettings;
class TemgDebugApplication;
class TfrEditors;

class TfmQLN : public QMainWindow, public ICheckResultsReceiver {
    Q_OBJECT

public:
    // `fileDialogs` answers the commands' file and directory questions (Qt's dialogs when null);
    // `settings` is read now and written when the window is destroyed; `startFile` is the
    // command line's project file, opened instead of the last project when the window is first
    // shown.
    TfmQLN(std::unique_ptr<TWorkbenchSettings> settings, std::unique_ptr<IFileDialogs> fileDialogs = nullptr,
           std::string startFile = {}, QWidget* parent = nullptr);
    ~TfmQLN() override;

    TemgpProject& Project() { return FProject; }
    TReopenProjects& ReopenProjects() { return FReopenProjects; }
    QTreeWidget& Tree() const { return *tvProject; }
    QListWidget& CheckList() const { return *lvCheck; }
    TfrEditors& Editors() const { return *FEditors; }
    QMenu& ReopenMenu() const { return *miReopen; }
    // The command named `name` ("actSave"), or nullptr.
    QAction* Action(const QString& name) const { return FActions.value(name); }
    // The results panel is shown (independent of whether the window itself is).
    bool CheckPanelShown() const;

    // Opens a project file as the Open command does after its dialog; failures raise.
    void OpenProjectFile(const std::string& fileName);
    // Selects the node of `object`; false when it has none.
    bool SelectObject(const TPersistent* object);
    // The module entry the selected node belongs to, or nullptr.
    TemgpModule* CurrentModuleEntry() const;
    TemgDebugApplication* CurrentDebugApplication() const;

    void ShowCheckResults(const TCheckCollection& results) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateWidgets();
    void CreateActions();
    void CreateMenus();
    void ReadSettings();
    void WriteSettings();
    void BuildReopenMenu();

    // Runs a command: Cancel ends it silently, any other failure is shown as an error.
    bool Run(const std::function<void()>& command);

    void ApplyEditor();
    void RunCheck();
    void RebuildTree();
    void RedrawTree();
    void UpdateCaption();
    void UpdateActions();
    void UpdateEditorArea();
    // Fills in the editor area while it has no editor: the current node's empty state, or how to
    // start without a project.
    void UpdatePlaceholder();
    // Makes the node of the open editor current and selected again (its apply was refused).
    void ReselectEditedNode();

    // Asks to save a modified project when `ask` (Cancel aborts); writes what is modified.
    void SaveProject(bool ask);
    void CloseProject();
    bool ProjectModified() const;

    // Commands.
    void NewProject();
    void OpenProject();
    void AddExistingClass();
    void NewClassModule();
    void NewMember(int kind);
    void NewDebugApplication();
    void DeleteCurrent();
    void GenerateAll();
    void GenerateClass(bool allReferenced);
    void GenerateDebugApplication();
    void GenerateCurrent();
    // Generates `run` with the progress bar at `steps` steps and answers the number of files
    // written. When the run's check finds errors nothing is written: the check panel shows them
    // and EGenerationStopped, whose message says so, goes on to the command's handler.
    int RunGeneration(const TGenerationRun& run, int steps);
    // Shows what the update of the current module's developer's unit would insert and writes it
    // on OK.
    void UpdateDeveloperUnit();
    // Scans the developer's units of `modules` for missing overrides; the check panel lists the
    // findings as hints until the next scan.
    void ScanDeveloperUnits(const std::vector<const TemgModule*>& modules);
    // Says in the status bar that generating `what` wrote `written` files.
    void ReportGenerated(const QString& what, int written);
    void OpenModuleFile(int kind);
    void OpenDebugFiles(bool project);
    // Opens the user guide, at `topic` when given.
    void OpenHelp(const QString& topic = QString());
    void ShowAbout();
    // Runs the project check, shows its results and says how many it found.
    void CheckProjectNow();
    void PreparePopup();
    void CheckItemActivated(QListWidgetItem* item);

    TemgModule& RequireCurrentModule() const;
    void SelectNode(QTreeWidgetItem* node);
    // Selects the node of a new element and gives its editor's first field (the name) the focus.
    void EditNewNode(QTreeWidgetItem* node);

    TemgpProject FProject;
    TReopenProjects FReopenProjects;
    std::unique_ptr<TWorkbenchSettings> FSettings;
    std::unique_ptr<IFileDialogs> FFileDialogs;
    std::string FStartFile;
    bool FShownOnce = false;

    QHash<QString, QAction*> FActions;
    QTreeWidget* tvProject = nullptr;
    QListWidget* lvCheck = nullptr;
    QSplitter* FTreeSplitter = nullptr;    // tree | editor area
    QSplitter* FCheckSplitter = nullptr;   // above | check results
    TfrEditors* FEditors = nullptr;
    bool FReselecting = false;           // the selection goes back to a refused editor's node
    QMenu* miReopen = nullptr;
    QMenu* pmTree = nullptr;
    QProgressBar* FProgress = nullptr;     // in the status bar while generating
    QLabel* FGenerated = nullptr;          // in the status bar: the last generation's report
    // Module name and hint text of each developer's unit the last generation found lacking.
    std::vector<std::pair<std::string, std::string>> FDeveloperUnitHints;
};

}  // namespace quillon
