#include "workbench/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "elements/ElementMessages.h"
#include "elements/ElementRules.h"
#include "elements/ProceduralTypes.h"
#include "generator/DebugApplication.h"
#include "generator/DebugApplicationUnits.h"
#include "generator/DeveloperUnitUpdate.h"
#include "generator/GeneratedFileWriters.h"
#include "generator/UnitBuilder.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/ShellOpen.h"
#include "platform/Text.h"
#include "platform/UserDialogs.h"
#include "project/ProjectMessages.h"
#include "workbench/EditorFramework.h"
#include "workbench/FileDialogs.h"
#include "workbench/Icons.h"
#include "workbench/ListEditors.h"
#include "workbench/ProjectTree.h"
#include "workbench/QtText.h"
#include "workbench/TypeEditors.h"
#include "workbench/UpdateDeveloperUnitDialog.h"
#include "workbench/WorkbenchMessages.h"
#include "workbench/WorkbenchSettings.h"

namespace quillon {

namespace {

// A message text of the workbench in the user's language; the text itself without a translation.
// The texts are null-terminated literals.
QString TrText(std::string_view text) { return TfmQLN::tr(text.data()); }
std::string Tr(std::string_view text) { return TrText(text).toStdString(); }

// Shows a type just registered on `module` under the module's group of its kind; answers the
// new node (nullptr when the module has no node).
QTreeWidgetItem* AddTypeNode(QTreeWidget& tree, TemgpProject& project, TemgModule& module, TPersistent& type) {
    for (int i = 0; i < project.Modules().Count(); ++i) {
        TemgpModule* entry = project.Modules().Items(i);
        if (&entry->Module() != &module) continue;
        QTreeWidgetItem* moduleNode = FindNodeOf(tree, entry);
        if (!moduleNode) return nullptr;
        const TreeNodeKind group = dynamic_cast<TgmcEnumType*>(&type)           ? TreeNodeKind::EnumTypes
                                   : dynamic_cast<TemgProceduralType*>(&type) ? TreeNodeKind::ProceduralTypes
                                                                               : TreeNodeKind::RegisteredTypes;
        return AddElementNode(*EnsureGroupNode(*moduleNode, group), type);
    }
    return nullptr;
}

// The window's designed size and tree width, used on first start.
constexpr int kDesignedWidth = 1000;
constexpr int kDesignedHeight = 680;
constexpr int kDesignedTreeWidth = 300;

// The tree's width on first start: the designed width, or more when a generated unit's caption
// under its module (depth 3: project, module, "Generated Units", unit) needs it in the tree's font.
int FirstTreeWidth(const QTreeWidget& tree) {
    const TemgModule sample;
    int text = 0;
    for (int i = 0; i < sample.Units().Count(); ++i)
        text = std::max(text, tree.fontMetrics().horizontalAdvance(ToQ(sample.Units().Items(i)->Caption())));
    constexpr int kUnitDepth = 3;
    constexpr int kIconSpacing = 8;
    const int needed = tree.indentation() * (kUnitDepth + 1) + tree.iconSize().width() + kIconSpacing + text +
                       2 * tree.frameWidth() + tree.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return std::max(kDesignedTreeWidth, needed);
}

// The letter a menu text underlines ("&Generate": 'g'), or a null character.
QChar MnemonicOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') return text[i + 1].toLower();
        ++i;
    }
    return {};
}

// `text` with a mnemonic that no other entry of `menu` has: the first free letter that starts a
// word, else any free letter. A text that has one keeps it.
QString WithMnemonic(const QString& text, const QMenu& menu, const QAction* self) {
    if (!MnemonicOf(text).isNull()) return text;
    QString taken;
    for (const QAction* other : menu.actions())
        if (other != self) taken += MnemonicOf(other->text());
    for (const bool wordStart : {true, false})
        for (qsizetype i = 0; i < text.size(); ++i) {
            const bool starts = i == 0 || !text[i - 1].isLetterOrNumber();
            if (text[i].isLetter() && (starts || !wordStart) && !taken.contains(text[i].toLower()))
                return QString(text).insert(i, '&');
        }
    return text;
}

// Member kinds of the "New" commands.
enum MemberKind { kNewPropertyKind, kNewEventKind, kNewMethodKind, kNewExternalKind };

// Puts a generation's files on disk and counts those actually written (an unchanged file is not).
class CountingFileWriter final : public IGeneratedFileWriter {
public:
    void CheckWritable(const std::vector<TGeneratedFile>& files) const override { disk_.CheckWritable(files); }
    bool Write(std::string_view text, const std::string& fileName, const TWriteRules& rules) override {
        const bool written = disk_.Write(text, fileName, rules);
        if (written) ++written_;
        return written;
    }
    int Written() const { return written_; }

private:
    DiskFileWriter disk_;
    int written_ = 0;
};

// While a generation runs: the wait cursor and the status bar's progress bar, one step per module.
// Only paint and timer events are processed between steps, so no other command can start.
class GenerationProgress {
public:
    GenerationProgress(QProgressBar& bar, int steps) : bar_(bar) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        bar_.setRange(0, steps);
        bar_.setValue(0);
        bar_.show();
        Refresh();
    }
    ~GenerationProgress() {
        bar_.hide();
        QApplication::restoreOverrideCursor();
    }
    GenerationProgress(const GenerationProgress&) = delete;
    GenerationProgress& operator=(const GenerationProgress&) = delete;

    void Step() {
        bar_.setValue(bar_.value() + 1);
        Refresh();
    }

private:
    static void Refresh() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

    QProgressBar& bar_;
};

}  // namespace

TfmQLN::TfmQLN(std::unique_ptr<TWorkbenchSettings> settings, std::unique_ptr<IFileDialogs> fileDialogs,
               std::string startFile, QWidget* parent)
    : QMainWindow(parent),
      FSettings(std::move(settings)),
      FFileDialogs(fileDialogs ? std::move(fileDialogs) : std::make_unique<QtFileDialogs>()),
      FStartFile(std::move(startFile)) {
    setObjectName("fmQLN");
    setWindowIcon(ImageIcon(12));
    CreateWidgets();
    CreateActions();
    CreateMenus();
    ReadSettings();
    FReopenProjects.OnOpenProject = [this](const std::string& fileName) {
        Run([&] { OpenProjectFile(fileName); });
    };
    FReopenProjects.SetText(FSettings->ReadString("reopen", ""));
    BuildReopenMenu();
    RebuildTree();
}

TfmQLN::~TfmQLN() { WriteSettings(); }

// --- Construction ------------------------------------------------------------------------------

void TfmQLN::CreateWidgets() {
    tvProject = new QTreeWidget;
    tvProject->setObjectName("tvProject");
    tvProject->setHeaderHidden(true);
    tvProject->setContextMenuPolicy(Qt::CustomContextMenu);
    tvProject->setIconSize(QSize(16, 16));
    tvProject->setUniformRowHeights(true);

    FEditors = new TfrEditors;
    TEditorEnvironment& environment = FEditors->Environment();
    environment.project = &FProject;
    environment.fileDialogs = FFileDialogs.get();
    environment.openHelp = [this](const QString& topic) { OpenHelp(topic); };
    TfmBaseDialog::HelpHandler() = environment.openHelp;
    environment.runRelease = [this](TReleaseDll& release) { RunProjectRelease(FProject, release); };
    FEditors->RunCommand = [this](const std::function<void()>& command) { return Run(command); };
    environment.typeRegistered = [this](TemgModule& module, TPersistent& type) {
        AddTypeNode(*tvProject, FProject, module, type);
        RedrawTree();
        RunCheck();
    };
    environment.showStatus = [this](const QString& text) { statusBar()->showMessage(text); };
    FEditors->OnBecameModified = [this](QTreeWidgetItem*) { RedrawTree(); };
    FEditors->OnPlaceholderShown = [this] { UpdatePlaceholder(); };
    FEditors->OnCommitted = [this](TEditorItem& item) {
        if (QTreeWidgetItem* node = item.Node()) RefreshNode(*node);
        RedrawTree();
        UpdateCaption();
        UpdateActions();
        RunCheck();
    };

    FTreeSplitter = new QSplitter(Qt::Horizontal);
    FTreeSplitter->setObjectName("spTree");
    FTreeSplitter->addWidget(tvProject);
    FTreeSplitter->addWidget(FEditors);
    // The tree keeps its width when the window is resized; the editor area takes the rest.
    FTreeSplitter->setStretchFactor(0, 0);
    FTreeSplitter->setStretchFactor(1, 1);
    FTreeSplitter->setChildrenCollapsible(false);

    lvCheck = new QListWidget;
    lvCheck->setObjectName("lvCheck");
    lvCheck->setIconSize(QSize(16, 16));
    lvCheck->setAlternatingRowColors(true);

    FCheckSplitter = new QSplitter(Qt::Vertical);
    FCheckSplitter->setObjectName("spCheck");
    FCheckSplitter->addWidget(FTreeSplitter);
    FCheckSplitter->addWidget(lvCheck);
    FCheckSplitter->setStretchFactor(0, 1);
    FCheckSplitter->setChildrenCollapsible(false);
    lvCheck->hide();
    setCentralWidget(FCheckSplitter);

    connect(tvProject, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem*, QTreeWidgetItem* previous) {
        if (FReselecting) return;
        // Leaving a node applies its editor; when the editor refuses, the selection stays with it
        // so that nothing typed is lost.
        if (previous && FEditors->Current() && !Run([&] { ApplyEditor(); })) {
            if (FEditors->Current()->Node()) {
                ReselectEditedNode();
                // A mouse press selects the clicked node after making it current: the selection
                // is put back once the press is handled.
                QTimer::singleShot(0, this, [this] { ReselectEditedNode(); });
                return;
            }
        }
        UpdateActions();
        UpdateEditorArea();
    });
    // A click on the selected node reopens its editor after OK or Cancel closed it.
    connect(tvProject, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) {
        if (node == tvProject->currentItem() && !FEditors->Current()) UpdateEditorArea();
    });
    connect(tvProject, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (QTreeWidgetItem* node = tvProject->itemAt(at)) tvProject->setCurrentItem(node);
        pmTree->popup(tvProject->viewport()->mapToGlobal(at));
    });
    connect(lvCheck, &QListWidget::itemDoubleClicked, this, &TfmQLN::CheckItemActivated);
    // Enter on a result does what a double click does.
    connect(lvCheck, &QListWidget::itemActivated, this, &TfmQLN::CheckItemActivated);
    // Shift+F10 (and the menu key) open the tree's pop-up menu at the current node.
    auto* popupKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), tvProject, nullptr, nullptr,
                                   Qt::WidgetShortcut);
    connect(popupKey, &QShortcut::activated, this, [this] {
        const QModelIndex current = tvProject->currentIndex();
        const QRect at = tvProject->visualRect(current);
        emit tvProject->customContextMenuRequested(current.isValid() ? at.bottomLeft() : QPoint(0, 0));
    });
    // F10 reaches the menu bar, as a lone Alt does.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this, [this] {
        if (!menuBar()->actions().isEmpty()) menuBar()->setActiveAction(menuBar()->actions().first());
    });
    statusBar()->setObjectName("sbMain");
    FProgress = new QProgressBar;
    FProgress->setObjectName("pbGenerate");
    FProgress->setMaximumWidth(200);
    FProgress->setTextVisible(false);
    FProgress->hide();
    statusBar()->addPermanentWidget(FProgress);
    // The last generation's report stays readable: status tips pass over it.
    FGenerated = new QLabel;
    FGenerated->setObjectName("lbGenerated");
    statusBar()->addPermanentWidget(FGenerated);
}

void TfmQLN::CreateActions() {
    struct Command {
        const char* name;
        const char* caption;
        const char* hint;
        const char* icon;
        std::function<void()> run;
    };
    const Command commands[] = {
        {"actNewProject", QT_TR_NOOP("New..."), QT_TR_NOOP("New Project"), "new", [this] { NewProject(); }},
        {"actOpenProject", QT_TR_NOOP("Open..."), QT_TR_NOOP("Open Project"), "open", [this] { OpenProject(); }},
        {"actCloseProject", QT_TR_NOOP("Close Project"), QT_TR_NOOP("Close Project"), "", [this] {
             ApplyEditor();
             SaveProject(true);
             CloseProject();
         }},
        {"actSave", QT_TR_NOOP("Save"), QT_TR_NOOP("Save"), "save", [this] { SaveProject(false); }},
        {"actAddClass", QT_TR_NOOP("Add Class..."), QT_TR_NOOP("Add Class"), "addclass",
         [this] { AddExistingClass(); }},
        {"actNewClassToProject", QT_TR_NOOP("Class"), QT_TR_NOOP("New Class"), "module_dll",
         [this] { NewClassModule(); }},
        {"actNewProperty", QT_TR_NOOP("Property"), QT_TR_NOOP("New Property"), "property",
         [this] { NewMember(kNewPropertyKind); }},
        {"actNewEvent", QT_TR_NOOP("Event"), QT_TR_NOOP("New Event"), "event", [this] { NewMember(kNewEventKind); }},
        {"actNewMethod", QT_TR_NOOP("Method"), QT_TR_NOOP("New Method"), "method_procedure",
         [this] { NewMember(kNewMethodKind); }},
        {"actNewDataset", QT_TR_NOOP("Query"), QT_TR_NOOP("New Query"), "query", [] {}},
        {"actNewExternalClassReference", QT_TR_NOOP("New External Property"),
         QT_TR_NOOP("New External Property"), "external",
         [this] { NewMember(kNewExternalKind); }},
        {"actNewDebugApplication", QT_TR_NOOP("Debug Application"), QT_TR_NOOP("New Debug Application"), "debugapp",
         [this] { NewDebugApplication(); }},
        {"actRegisterDataType", QT_TR_NOOP("New Type..."), QT_TR_NOOP("New Type"), "newtype", [this] {
             if (FProject.IsEmpty()) throw Exception(Tr(kNoProject));
             ApplyEditor();
             // Types registered here are shared: they go to the common types module.
             TemgModule& module = FProject.FirstModule();
             TPersistent* type = RegisterDataType(this, module, "");
             if (!type) return;
             if (QTreeWidgetItem* node = AddTypeNode(*tvProject, FProject, module, *type)) EditNewNode(node);
             RedrawTree();
             RunCheck();
         }},
        {"actDelete", QT_TR_NOOP("Delete..."), QT_TR_NOOP("Delete"), "delete", [this] { DeleteCurrent(); }},
        {"actCloseEditors", QT_TR_NOOP("Close Editors"), "", "", [this] { FEditors->CloseEditors(); }},
        {"actGenerateProjectSrc", QT_TR_NOOP("Generate Source Code"), "", "generate", [this] { GenerateAll(); }},
        {"actCheckProject", QT_TR_NOOP("Check Project"), "", "", [this] { CheckProjectNow(); }},
        {"actGenerateClass", QT_TR_NOOP("Generate Class"), "", "", [this] { GenerateClass(false); }},
        {"actGenerateDebugApp", QT_TR_NOOP("Generate Debug Application"), "", "",
         [this] { GenerateDebugApplication(); }},
        {"actGenerateDebugAppAndCurrentClass", QT_TR_NOOP("Generate Debug Application and Class"), "", "", [this] {
             if (CurrentDebugApplication()) GenerateDebugApplication();
             else if (CurrentModuleEntry()) GenerateClass(false);
         }},
        {"actGenerateDebugAppAndAllReferencedClasses",
         QT_TR_NOOP("Generate Debug Application And All Referenced Classes"), "", "", [this] {
             if (CurrentDebugApplication()) GenerateDebugApplication();
             else if (CurrentModuleEntry()) GenerateClass(true);
         }},
        {"actGenerateCurrent", QT_TR_NOOP("Generate Source Code"), "", "", [this] { GenerateCurrent(); }},
        {"actUpdateDeveloperUnit", QT_TR_NOOP("Update Developer's Unit"), "", "", [this] { UpdateDeveloperUnit(); }},
        {"actOpenModuleA", QT_TR_NOOP("Generator's Server Unit"), "", "", [this] { OpenModuleFile(0); }},
        {"actOpenModuleU", QT_TR_NOOP("Developer's Server Unit"), "", "", [this] { OpenModuleFile(1); }},
        {"actOpenModuleT", QT_TR_NOOP("Common Types Unit"), "", "", [this] { OpenModuleFile(8); }},
        {"actOpenController", QT_TR_NOOP("Controller Unit"), "", "", [this] { OpenModuleFile(4); }},
        {"actOpenLibrary", QT_TR_NOOP("Server Library Project"), "", "", [this] { OpenModuleFile(3); }},
        {"actOpenModuleI", QT_TR_NOOP("Interface Unit"), QT_TR_NOOP("Open Interface module"), "",
         [this] { OpenModuleFile(2); }},
        {"actOpenDSC", QT_TR_NOOP("Database Support Controller Unit"), "", "", [this] { OpenModuleFile(11); }},
        {"actOpenGenDataModule", QT_TR_NOOP("DataModule"), "", "", [this] { OpenModuleFile(12); }},
        {"actOpenDebugProject", QT_TR_NOOP("Debug Application Group"), "", "", [this] { OpenDebugFiles(true); }},
        {"actOpenDebugForm", QT_TR_NOOP("Debug Form"), "", "", [this] { OpenDebugFiles(false); }},
    };
    for (const Command& command : commands) {
        auto* action = new QAction(tr(command.caption), this);
        action->setObjectName(command.name);
        action->setToolTip(tr(*command.hint ? command.hint : command.caption));
        action->setStatusTip(*command.hint ? tr(command.hint) : QString());
        if (*command.icon) action->setIcon(NamedIcon(command.icon));
        connect(action, &QAction::triggered, this, [this, run = command.run] { Run(run); });
        FActions.insert(command.name, action);
    }
    // Queries have no element of their own yet.
    FActions["actNewDataset"]->setVisible(false);
    FActions["actSave"]->setShortcut(QKeySequence::Save);
    FActions["actOpenProject"]->setShortcut(QKeySequence::Open);
    FActions["actNewProject"]->setShortcut(QKeySequence::New);
    // The keys a Delphi developer's hands know: building is Ctrl+F9.
    FActions["actGenerateProjectSrc"]->setShortcut(Qt::CTRL | Qt::Key_F9);
    FActions["actGenerateClass"]->setShortcut(Qt::SHIFT | Qt::Key_F9);
    FActions["actCheckProject"]->setShortcut(Qt::ALT | Qt::Key_F9);
    // The menus show the commands through entries of their own: the window holds the commands,
    // so that their keys work wherever the focus is.
    for (QAction* action : std::as_const(FActions))
        if (action != FActions["actDelete"]) addAction(action);
    // Del deletes a node only while the tree has the focus: in an editor it belongs to the field.
    QAction* deleteAction = FActions["actDelete"];
    deleteAction->setShortcut(QKeySequence::Delete);
    deleteAction->setShortcutContext(Qt::WidgetShortcut);
    tvProject->addAction(deleteAction);
}

void TfmQLN::CreateMenus() {
    // Every entry is an action of its own that runs the command and follows its state and text;
    // `caption` replaces the command's caption in this menu. The entry shows the command's key
    // and gets a mnemonic no other entry of its menu has.
    auto item = [this](QMenu* menu, const char* actionName, const char* caption = nullptr) {
        QAction* action = FActions.value(actionName);
        auto* entry = new QAction(menu);
        entry->setObjectName(QString(menu == pmTree ? "pm" : "mi") + (actionName + 3));
        entry->setIcon(action->icon());
        entry->setStatusTip(action->statusTip());
        menu->addAction(entry);
        const QString fixed = caption ? tr(caption) : QString();
        auto sync = [entry, action, menu, fixed] {
            QString text = WithMnemonic(fixed.isEmpty() ? action->text() : fixed, *menu, entry);
            if (!action->shortcut().isEmpty()) text += '\t' + action->shortcut().toString(QKeySequence::NativeText);
            entry->setText(text);
            entry->setEnabled(action->isEnabled());
            entry->setVisible(action->isVisible());
        };
        sync();
        connect(action, &QAction::changed, entry, sync);
        connect(entry, &QAction::triggered, action, &QAction::trigger);
    };

    pmTree = new QMenu(this);
    pmTree->setObjectName("pmTree");
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName("miFile");
    item(file, "actNewProject", QT_TR_NOOP("&New"));
    item(file, "actOpenProject");
    miReopen = file->addMenu(tr("&Reopen"));
    miReopen->setObjectName("miReopen");
    item(file, "actAddClass", QT_TR_NOOP("Add Class..."));
    item(file, "actCloseProject");
    item(file, "actSave");
    file->addSeparator();
    QAction* closeWindow = file->addAction(tr("C&lose"), this, &QWidget::close);
    closeWindow->setObjectName("miClose");

    QMenu* itemMenu = menuBar()->addMenu(tr("&Item"));
    itemMenu->setObjectName("miItem");
    QMenu* newMenu = itemMenu->addMenu(tr("&New"));
    newMenu->setObjectName("miNew");
    item(newMenu, "actNewClassToProject", QT_TR_NOOP("External Class"));
    item(newMenu, "actNewMethod");
    item(newMenu, "actNewProperty");
    item(newMenu, "actNewEvent");
    item(newMenu, "actNewDataset");
    item(newMenu, "actNewExternalClassReference", QT_TR_NOOP("External Property"));
    item(newMenu, "actNewDebugApplication");
    newMenu->addSeparator();
    item(newMenu, "actRegisterDataType");
    item(itemMenu, "actDelete");

    QMenu* generate = menuBar()->addMenu(tr("&Generate"));
    generate->setObjectName("miGenerate");
    item(generate, "actGenerateProjectSrc", QT_TR_NOOP("All"));
    item(generate, "actGenerateClass", QT_TR_NOOP("Class"));
    item(generate, "actUpdateDeveloperUnit");
    item(generate, "actCheckProject");
    item(generate, "actGenerateDebugApp", QT_TR_NOOP("Debug Application"));
    item(generate, "actGenerateDebugAppAndCurrentClass");
    item(generate, "actGenerateDebugAppAndAllReferencedClasses");

    QMenu* delphi = menuBar()->addMenu(tr("&Delphi"));
    delphi->setObjectName("miDelphi");
    for (const char* name : {"actOpenModuleA", "actOpenModuleU", "actOpenModuleT", "actOpenController",
                             "actOpenLibrary", "actOpenModuleI", "actOpenDSC", "actOpenGenDataModule"})
        item(delphi, name);
    delphi->addSeparator();
    item(delphi, "actOpenDebugProject");
    item(delphi, "actOpenDebugForm");

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName("miHelp");
    help->addAction(tr("Quillon &Help"), this, [this] { Run([this] { OpenHelp(); }); })->setObjectName("miQuillonHelp");
    help->addAction(tr("&About..."), this, &TfmQLN::ShowAbout)->setObjectName("miAbout");


    connect(pmTree, &QMenu::aboutToShow, this, &TfmQLN::PreparePopup);
    item(pmTree, "actGenerateDebugAppAndCurrentClass");
    item(pmTree, "actGenerateDebugAppAndAllReferencedClasses");
    item(pmTree, "actGenerateCurrent");
    item(pmTree, "actUpdateDeveloperUnit");
    item(pmTree, "actDelete");

    QToolBar* tools = addToolBar(tr("Tools"));
    tools->setObjectName("tbMain");
    tools->setIconSize(QSize(20, 20));
    tools->setMovable(false);
    auto tool = [&](const char* name) { tools->addAction(FActions.value(name)); };
    tool("actNewProject");
    tool("actOpenProject");
    tool("actSave");
    tools->addSeparator();
    tool("actAddClass");
    tool("actDelete");
    tools->addSeparator();
    tool("actNewClassToProject");
    tool("actNewProperty");
    tool("actNewEvent");
    tool("actNewMethod");
    tools->addSeparator();
    tool("actNewDataset");
    tool("actNewExternalClassReference");
    tools->addSeparator();
    tool("actNewDebugApplication");
    tool("actRegisterDataType");
}

// --- Settings and the reopen list ----------------------------------------------------------------

void TfmQLN::ReadSettings() {
    const QScreen* screen = QApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    // A screen smaller than the designed size gets a window that fits it.
    resize(screen ? QSize(kDesignedWidth, kDesignedHeight).boundedTo(available.size())
                  : QSize(kDesignedWidth, kDesignedHeight));
    const int left = FSettings->ReadInteger("left", -1);
    if (left == -1) {
        if (screen) move(available.center() - QPoint(width() / 2, height() / 2));
    } else {
        move(left, FSettings->ReadInteger("top", y()));
        resize(FSettings->ReadInteger("width", width()), FSettings->ReadInteger("height", height()));
    }
    const int treeWidth = FSettings->ReadInteger("treewidth", FirstTreeWidth(*tvProject));
    FTreeSplitter->setSizes({treeWidth, width() - treeWidth});
    if (FSettings->ReadInteger("maximized", 0) == 1) setWindowState(windowState() | Qt::WindowMaximized);
}

void TfmQLN::WriteSettings() {
    const QRect placement = isMaximized() ? normalGeometry() : geometry();
    // Stored as it is restored: move() places the window's frame, resize() sets its inner size.
    const QPoint frameCorner = placement.topLeft() - (geometry().topLeft() - pos());
    // A project never saved has no file yet: the next start would fail to open it, or open an
    // older project of the same name.
    const std::string& projectFile = FProject.GetFileName();
    FSettings->WriteString("lastproject", FileExists(projectFile) ? projectFile : std::string());
    FSettings->WriteInteger("left", frameCorner.x());
    FSettings->WriteInteger("top", frameCorner.y());
    FSettings->WriteInteger("width", placement.width());
    FSettings->WriteInteger("height", placement.height());
    FSettings->WriteInteger("treewidth", FTreeSplitter->sizes().value(0, kDesignedTreeWidth));
    FSettings->WriteInteger("maximized", isMaximized() ? 1 : 0);
    FSettings->WriteString("reopen", FReopenProjects.GetText());
    FSettings->Flush();
}

void TfmQLN::BuildReopenMenu() {
    // The entry being chosen may be the one that rebuilds the menu: entries go when control
    // is back in the event loop.
    for (QAction* entry : miReopen->actions()) {
        miReopen->removeAction(entry);
        entry->deleteLater();
    }
    for (int i = 0; i < FReopenProjects.Count(); ++i) {
        QAction* entry = miReopen->addAction(QString::fromStdString(FReopenProjects.Items()[static_cast<std::size_t>(i)]));
        entry->setData(i);
        connect(entry, &QAction::triggered, this, [this, i] { FReopenProjects.OpenEntry(i); });
    }
    miReopen->setEnabled(FReopenProjects.Count() > 0);
}

// --- Start and stop ------------------------------------------------------------------------------

void TfmQLN::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (FShownOnce) return;
    FShownOnce = true;
    const std::string fileName = !FStartFile.empty() ? FStartFile : FSettings->ReadString("lastproject", "");
    if (!fileName.empty()) Run([&] { OpenProjectFile(fileName); });
}

void TfmQLN::closeEvent(QCloseEvent* event) {
    const bool saved = Run([this] {
        ApplyEditor();
        SaveProject(true);
    });
    if (!saved) {
        event->ignore();
        return;
    }
    FProject.UnlockAll();
    event->accept();
}

bool TfmQLN::Run(const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const EAbort&) {
    } catch (const std::exception& error) {
        Dialogs().ShowMessage(MessageKind::Error, error.what());
    }
    UpdateActions();
    return false;
}

// --- Tree, caption, check results ----------------------------------------------------------------

void TfmQLN::ApplyEditor() {
    // An applied change ends with the project check (OnCommitted); an untouched editor changed
    // nothing, so the results shown still hold and the check is not run again.
    FEditors->Commit();
}

void TfmQLN::RunCheck() {
    if (FProject.IsEmpty()) {
        ShowCheckResults(TCheckCollection());
        return;
    }
    FProject.CheckProject(this);
}

void TfmQLN::ShowCheckResults(const TCheckCollection& results) {
    lvCheck->clear();
    for (int i = 0; i < results.Count(); ++i) {
        const TCheckItem& result = *results.Items(i);
        // Each row names its element first ("Calc.TShade.Add"), as a compiler names the file.
        const std::string path = CheckObjectPath(result.GetObjectReference());
        auto* row = new QListWidgetItem(ImageIcon(CheckCategoryImageIndex(result.GetCategory())),
                                        ToQ(path.empty() ? result.GetCaption() : path + ": " + result.GetCaption()),
                                        lvCheck);
        row->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(result.GetObjectReference())));
    }
    for (const auto& [moduleName, hint] : FDeveloperUnitHints) {
        const TemgpModule* entry = FProject.FindModuleEntry(moduleName);
        if (!entry) continue;
        auto* row = new QListWidgetItem(ImageIcon(CheckCategoryImageIndex(cicHint)), ToQ(moduleName + ": " + hint), lvCheck);
        row->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(static_cast<const TPersistent*>(entry))));
    }
    lvCheck->setVisible(lvCheck->count() > 0);
    if (lvCheck->count() > 0 && FCheckSplitter->sizes().value(1) == 0) {
        FCheckSplitter->setSizes({height() - 140, 140});
        // The panel takes its room from the tree: the node being worked on stays in view.
        if (QTreeWidgetItem* current = tvProject->currentItem()) tvProject->scrollToItem(current);
    }
}

bool TfmQLN::CheckPanelShown() const { return !lvCheck->isHidden(); }

void TfmQLN::CheckItemActivated(QListWidgetItem* row) {
    if (!row) return;
    // An object without a node of its own (an enumeration value, a parameter) selects the
    // nearest owner that has one.
    for (const TPersistent* object = reinterpret_cast<const TPersistent*>(row->data(Qt::UserRole).value<quintptr>());
         object;) {
        if (SelectObject(object)) return;
        const auto* item = dynamic_cast<const TCollectionItem*>(object);
        const TCollection* collection = item ? item->Collection() : nullptr;
        if (!collection) return;
        object = SelectObject(collection) ? nullptr : collection->Owner();
    }
}

void TfmQLN::RebuildTree() {
    // The editors' objects may be gone with the old tree; whatever they held was applied before.
    FEditors->CloseEditors();
    BuildProjectTree(*tvProject, FProject);
    if (QTreeWidgetItem* root = tvProject->topLevelItem(0)) {
        tvProject->setCurrentItem(root);
    }
    FGenerated->clear();
    RedrawTree();
    UpdateCaption();
    RunCheck();
    UpdateActions();
    UpdateEditorArea();
}

void TfmQLN::RedrawTree() { RefreshNodeStyles(*tvProject); }

void TfmQLN::UpdateCaption() {
    const QString title = TrText(kApplicationTitle);
    const QString caption = FProject.IsEmpty() ? title : QString::fromStdString(FProject.GetName()) + " - " + title;
    // Only the window's own title: the application's display name would be appended to the title
    // of every dialog.
    setWindowTitle(caption);
}

bool TfmQLN::SelectObject(const TPersistent* object) {
    QTreeWidgetItem* node = FindNodeOf(*tvProject, object);
    if (!node) return false;
    SelectNode(node);
    return true;
}

void TfmQLN::SelectNode(QTreeWidgetItem* node) {
    for (QTreeWidgetItem* parent = node->parent(); parent; parent = parent->parent()) parent->setExpanded(true);
    tvProject->setCurrentItem(node);
    tvProject->scrollToItem(node);
    tvProject->setFocus();
}

void TfmQLN::EditNewNode(QTreeWidgetItem* node) {
    SelectNode(node);
    if (TfrEditor* editor = FEditors->CurrentEditor()) editor->FocusFirstField();
}

TemgpModule* TfmQLN::CurrentModuleEntry() const {
    QTreeWidgetItem* node = AncestorOfKind(tvProject->currentItem(), TreeNodeKind::Module);
    return node ? static_cast<TemgpModule*>(NodeObject(node)) : nullptr;
}

TemgDebugApplication* TfmQLN::CurrentDebugApplication() const {
    QTreeWidgetItem* node = AncestorOfKind(tvProject->currentItem(), TreeNodeKind::DebugApplication);
    return node ? static_cast<TemgDebugApplication*>(NodeObject(node)) : nullptr;
}

TemgModule& TfmQLN::RequireCurrentModule() const {
    TemgpModule* entry = CurrentModuleEntry();
    if (!entry) throw Exception(Tr(kNoCurrentClass));
    return entry->Module();
}

void TfmQLN::UpdateActions() {
    QTreeWidgetItem* node = tvProject->currentItem();
    const TemgpModule* entry = CurrentModuleEntry();
    const TemgModule* module = entry ? &entry->Module() : nullptr;
    const TemgDebugApplication* debugApp = CurrentDebugApplication();
    const bool onDebugApp = node && NodeKind(node) == TreeNodeKind::DebugApplication;

    for (const char* name : {"actGenerateDebugApp", "actOpenDebugProject", "actOpenDebugForm"})
        FActions[name]->setEnabled(onDebugApp);

    // Elements can be deleted, and every module but the common types module.
    const bool deletable = node && (NodeKind(node) == TreeNodeKind::Module ? entry && entry->Index() > 0
                                                                           : IsElementKind(NodeKind(node)));
    FActions["actDelete"]->setEnabled(deletable);

    for (const char* name : {"actGenerateClass", "actOpenModuleA", "actOpenModuleU", "actOpenController", "actOpenDSC"})
        FActions[name]->setEnabled(module != nullptr);
    FActions["actOpenLibrary"]->setEnabled(
        module && (module->GetServerOption() == moServerInDll || module->GetServerOption() == moComServerInDll));
    FActions["actOpenModuleI"]->setEnabled(
        module && (module->GetServerOption() == moComServerInDll || module->GetServerOption() == moComServer));
    FActions["actOpenGenDataModule"]->setEnabled(module && module->HasOwnConnection());
    FActions["actGenerateCurrent"]->setEnabled(module || onDebugApp);
    FActions["actUpdateDeveloperUnit"]->setEnabled(entry && entry->Index() > 0);
    // The common types module has no class: nothing would generate its members. Without a
    // current module the commands stay, to say why they cannot run.
    for (const char* name : {"actNewProperty", "actNewEvent", "actNewMethod", "actNewExternalClassReference"})
        FActions[name]->setEnabled(!entry || entry->Index() > 0);

    QAction* andClass = FActions["actGenerateDebugAppAndCurrentClass"];
    const bool bothCurrent = debugApp && module;
    andClass->setVisible(bothCurrent);
    andClass->setText(bothCurrent ? QString::fromStdString(Format(Tr(kGenerateDebugAppAndClass), debugApp->GetName(),
                                                                  module->MainClassName()))
                                  : tr("Generate Debug Application and Class"));
    QAction* andReferenced = FActions["actGenerateDebugAppAndAllReferencedClasses"];
    const bool referenced = bothCurrent && module->MainClass().ExternalClasses().Count() > 0;
    andReferenced->setVisible(referenced);
    if (referenced)
        andReferenced->setText(QString::fromStdString(Format(Tr(kGenerateDebugAppAndReferenced), debugApp->GetName())));
}

void TfmQLN::CheckProjectNow() {
    if (FProject.IsEmpty()) throw Exception(Tr(kNoProject));
    ApplyEditor();
    RunCheck();
    const int found = lvCheck->count();
    statusBar()->showMessage(found == 1 ? tr("Check Project: 1 result") : tr("Check Project: %1 results").arg(found));
    if (found > 0) {
        lvCheck->setCurrentRow(0);
        lvCheck->setFocus();
    }
}

void TfmQLN::PreparePopup() {
    QAction* current = FActions["actGenerateCurrent"];
    QTreeWidgetItem* node = tvProject->currentItem();
    if (node && CurrentDebugApplication())
        current->setText(tr("Generate %1").arg(node->text(0)));
    else if (const TemgpModule* entry = CurrentModuleEntry())
        current->setText(tr("Generate %1").arg(QString::fromStdString(entry->Module().MainClassName())));
    else
        current->setText(tr("Generate Source Code"));
}

void TfmQLN::UpdateEditorArea() {
    QTreeWidgetItem* node = tvProject->currentItem();
    TPersistent* object = NodeObject(node);
    if (!object) {
        FEditors->CloseEditors();
        return;
    }
    FEditors->OpenEditor(*object, node, CurrentModuleEntry());
}

void TfmQLN::UpdatePlaceholder() {
    if (FProject.IsEmpty()) {
        FEditors->SetPlaceholder(TrText(kNoProjectOpen), TrText(kNoProjectOpenDetails));
        return;
    }
    // The current node's editor was closed (OK, Cancel, Close Editors).
    QTreeWidgetItem* node = tvProject->currentItem();
    FEditors->SetPlaceholder(node ? node->text(0) : QString(), node ? TrText(kEditorClosed) : QString());
}

void TfmQLN::ReselectEditedNode() {
    const TEditorItem* item = FEditors->Current();
    QTreeWidgetItem* edited = item ? item->Node() : nullptr;
    if (!edited) return;
    FReselecting = true;
    tvProject->setCurrentItem(edited);
    FReselecting = false;
}

// --- Project commands ----------------------------------------------------------------------------

bool TfmQLN::ProjectModified() const { return FProject.GetModified() || FProject.Modules().GetModified(); }

void TfmQLN::SaveProject(bool ask) {
    ApplyEditor();
    if (FProject.IsEmpty()) return;
    if (ask && ProjectModified()) {
        switch (Dialogs().Ask(Format(Tr(kSaveQuestion), FProject.GetName()), AskButtons::YesNoCancel)) {
            case DialogAnswer::Yes: break;
            case DialogAnswer::No: return;
            case DialogAnswer::Cancel: Abort();
        }
    }
    if (FProject.GetFileName().empty()) {
        const auto chosen = FFileDialogs->SaveFile(this, tr("Save Project").toStdString(), "",
                                                   std::string(kProjectFilter), std::string(kProjectExtension));
        if (!chosen) return;
        FProject.SetFileName(*chosen);
    }
    FProject.SaveToFile(FProject.GetFileName());
    FReopenProjects.Add(FProject.GetFileName());
    BuildReopenMenu();
    RedrawTree();
}

void TfmQLN::CloseProject() {
    FReopenProjects.Add(FProject.GetFileName());
    BuildReopenMenu();
    FEditors->CloseEditors();
    FProject.CloseProject();
    RebuildTree();
}

void TfmQLN::OpenProjectFile(const std::string& fileName) {
    // What is typed in the editor is part of the project that may have to be saved.
    ApplyEditor();
    if (ProjectModified()) SaveProject(true);
    // The file is read into a project of its own that takes the place of the open one only once
    // all of it is read: a file that fails to load leaves the open project as it was.
    const std::string previous = FProject.GetFileName();
    FEditors->CloseEditors();
    try {
        FProject.LoadFromFile(fileName);
    } catch (...) {
        UpdateEditorArea();
        throw;
    }
    FReopenProjects.Add(previous);
    FReopenProjects.Remove(fileName);
    BuildReopenMenu();
    RebuildTree();
}

void TfmQLN::NewProject() {
    SaveProject(true);
    // The directory may be typed before it exists: it is created.
    const auto dir = FFileDialogs->NewDirectory(this, tr("New Project").toStdString(), "");
    if (!dir) return;
    if (!ForceDirectories(*dir)) throw Exception(Format(Tr(kCannotCreateDirectory), *dir));
    if (!FProject.IsEmpty()) CloseProject();
    FProject.NewProject(*dir);
    RebuildTree();
}

void TfmQLN::OpenProject() {
    SaveProject(true);
    const std::string start = FProject.IsEmpty() ? std::string() : FProject.GetSrcPath();
    const auto chosen =
        FFileDialogs->OpenFile(this, tr("Open Project").toStdString(), start, std::string(kProjectFilter));
    if (!chosen) return;
    OpenProjectFile(*chosen);
}

void TfmQLN::AddExistingClass() {
    if (FProject.IsEmpty()) throw Exception(Tr(kNoProject));
    ApplyEditor();
    const std::string projectDir = FProject.GetSrcPath();
    const auto chosen =
        FFileDialogs->OpenFile(this, tr("Add Class").toStdString(), projectDir, std::string(kClassFilter));
    if (!chosen) return;
    if (!SameText(IncludeTrailingPathDelimiter(ExtractFilePath(*chosen)), IncludeTrailingPathDelimiter(projectDir)))
        throw Exception(Format(Tr(kModelFileNotInProjectDir), projectDir));
    TemgpModules& modules = FProject.Modules();
    TemgpModule& entry = FProject.AddExistingModule(*chosen);
    const std::string name = entry.Module().GetName();
    for (int i = 0; i < modules.Count(); ++i) {
        if (modules.Items(i) != &entry && SameText(modules.Items(i)->Module().GetName(), name)) {
            modules.Delete(entry.Index());
            throw Exception(Format(Tr(kModuleAlreadyInProject), name));
        }
    }
    FProject.SetModified(true);
    QTreeWidgetItem* node = AddModuleNode(*tvProject->topLevelItem(0), entry, false);
    SelectNode(node);
    RedrawTree();
    UpdateCaption();
}

void TfmQLN::NewClassModule() {
    if (FProject.IsEmpty()) throw Exception(Tr(kNoProject));
    ApplyEditor();
    TemgpModule& entry = FProject.AddClassModule();
    QTreeWidgetItem* node = AddModuleNode(*tvProject->topLevelItem(0), entry, false);
    EditNewNode(node);
    RedrawTree();
}

void TfmQLN::NewMember(int kind) {
    QTreeWidgetItem* moduleNode = AncestorOfKind(tvProject->currentItem(), TreeNodeKind::Module);
    TemgModule& module = RequireCurrentModule();
    ApplyEditor();
    TemgClass& cls = module.MainClass();
    TPersistent* element = nullptr;
    TreeNodeKind group = TreeNodeKind::Properties;
    switch (kind) {
        case kNewPropertyKind: element = &NewProperty(cls.Properties()); group = TreeNodeKind::Properties; break;
        case kNewEventKind: element = &NewEvent(cls.Events()); group = TreeNodeKind::Events; break;
        case kNewMethodKind: element = &NewMethod(cls.Methods()); group = TreeNodeKind::Methods; break;
        default: element = &NewExternalClass(cls.ExternalClasses()); group = TreeNodeKind::ExternalProperties; break;
    }
    QTreeWidgetItem* node = AddElementNode(*EnsureGroupNode(*moduleNode, group), *element);
    EditNewNode(node);
    RedrawTree();
    RunCheck();
}

void TfmQLN::NewDebugApplication() {
    QTreeWidgetItem* moduleNode = AncestorOfKind(tvProject->currentItem(), TreeNodeKind::Module);
    if (!moduleNode) throw Exception(Tr(kNoModuleFound));
    ApplyEditor();
    TemgModule& module = static_cast<TemgpModule*>(NodeObject(moduleNode))->Module();
    TemgDebugApplication& app = module.DebugApplications().NewDebugApplication();
    EditNewNode(AddElementNode(*EnsureGroupNode(*moduleNode, TreeNodeKind::DebugApplications), app));
    RedrawTree();
    RunCheck();
}

void TfmQLN::DeleteCurrent() {
    QTreeWidgetItem* node = tvProject->currentItem();
    if (!node) return;
    auto* element = dynamic_cast<TCollectionItem*>(NodeObject(node));
    if (!element) return;
    const std::string caption = node->text(0).toStdString();
    if (NodeKind(node) == TreeNodeKind::Module) {
        auto& entry = static_cast<TemgpModule&>(*element);
        TStringList found;
        FProject.RenameClassReferences(entry.Module().MainClass().Appellation(), nullptr, &found);
        if (found.Count() > 0) throw Exception(Tr(kDeletionForbidden));
        ApplyEditor();
        if (Dialogs().Ask(Format(Tr(kDeleteQuestion), caption), AskButtons::YesNo) != DialogAnswer::Yes) return;
        FEditors->CloseEditors();
        FProject.SetModified(true);
        FProject.Modules().Delete(entry.Index());
    } else {
        CheckDeletion(*element, FProject.TypeReferenceSearch());
        ApplyEditor();
        if (!DeleteElement(*element, caption, FProject.TypeReferenceSearch(), [this] { FEditors->CloseEditors(); }))
            return;
    }
    QTreeWidgetItem* parent = node->parent();
    delete node;
    // A group left empty goes with its last element.
    if (parent && parent->childCount() == 0 && NodeKind(parent) != TreeNodeKind::Project) {
        QTreeWidgetItem* above = parent->parent();
        delete parent;
        parent = above;
    }
    if (parent) tvProject->setCurrentItem(parent);
    RedrawTree();
    RunCheck();
    UpdateActions();
}

// --- Generation and files ------------------------------------------------------------------------

void TfmQLN::GenerateAll() {
    ApplyEditor();
    const int written = RunGeneration(TGenerationRun{}, FProject.Modules().Count());
    ReportGenerated(QString::fromStdString(FProject.GetName()), written);
    std::vector<const TemgModule*> modules;
    for (int i = 1; i < FProject.Modules().Count(); ++i) modules.push_back(&FProject.Modules().Items(i)->Module());
    ScanDeveloperUnits(modules);
}

void TfmQLN::GenerateClass(bool allReferenced) {
    ApplyEditor();
    const TemgModule& module = RequireCurrentModule();
    const int written = RunGeneration({.module = &module, .withReferenced = allReferenced, .debugApplication = nullptr}, 2);
    ReportGenerated(QString::fromStdString(module.MainClassName()), written);
    if (&module != &FProject.FirstModule()) ScanDeveloperUnits({&module});
}

int TfmQLN::RunGeneration(const TGenerationRun& run, int steps) {
    CountingFileWriter writer;
    try {
        GenerationProgress progress(*FProgress, steps);
        FProject.Generate(run, GenerationTools{StandardUnitBuilder(), writer}, 1, [&](int, int) { progress.Step(); });
    } catch (const EGenerationStopped&) {
        // The panel lists what stopped it; the message says that nothing was written.
        ShowCheckResults(*FProject.CheckResults());
        throw;
    }
    return writer.Written();
}

void TfmQLN::ScanDeveloperUnits(const std::vector<const TemgModule*>& modules) {
    const std::string srcPath = FProject.GetSrcPath();
    for (const TemgModule* module : modules) {
        std::erase_if(FDeveloperUnitHints, [&](const auto& hint) { return SameText(hint.first, module->MainClassName()); });
        const std::vector<std::string> missing = MissingDeveloperOverrides(*module, FProject, srcPath);
        if (missing.empty()) continue;
        std::string names;
        for (const std::string& name : missing) names += (names.empty() ? "" : ", ") + name;
        FDeveloperUnitHints.emplace_back(module->MainClassName(),
                                         Format(Tr(kDevUnitLacksOverridesHint),
                                                ExtractFileName(module->DeveloperUnitFileName(srcPath)), names));
    }
    RunCheck();
}

void TfmQLN::UpdateDeveloperUnit() {
    ApplyEditor();
    const TemgModule& module = RequireCurrentModule();
    const std::string srcPath = FProject.GetSrcPath();
    const std::string fileName = module.DeveloperUnitFileName(srcPath);
    if (!FileExists(fileName)) throw Exception(Format(Tr(kDevUnitNotWritten), fileName));
    const TDeveloperUnitUpdate update = PlanDeveloperUnitUpdate(module, FProject, srcPath);
    if (!update.Changed()) {
        std::string text = Format(Tr(kDevUnitUpToDate), fileName);
        for (const std::string& finding : update.findings) text += "\n" + finding;
        Dialogs().ShowMessage(MessageKind::Information, text);
        return;
    }
    // The generator's units come first, written as Generate Class writes them (the check
    // included), so that the developer's unit and what it builds on are in step: the preview
    // lists the generated files that will change.
    PlanningFileWriter plan;
    for (const TemgModule* generated : {&module, static_cast<const TemgModule*>(&FProject.FirstModule())})
        generated->Generate(srcPath, FProject.GetSearchPath(), false, FProject, FProject.GetUnitHeader(),
                            &FProject.FirstModule(), GenerationTools{StandardUnitBuilder(), plan});
    TedUpdateDeveloperUnit dialog(this, update, plan.ChangedFiles());
    if (!ExecDialog(dialog)) return;
    GenerateClass(false);
    ApplyDeveloperUnitUpdate(update);
    statusBar()->showMessage(ToQ(Format(Tr(kDevUnitUpdated), ExtractFileName(fileName),
                                        ExtractFileName(DeveloperUnitBackupFileName(fileName)))));
    ScanDeveloperUnits({&module});
}

void TfmQLN::GenerateDebugApplication() {
    const TemgDebugApplication* app = CurrentDebugApplication();
    if (!app) throw Exception(Tr(kNotDebugApplication));
    ApplyEditor();
    const int written =
        RunGeneration({.module = &RequireCurrentModule(), .withReferenced = false, .debugApplication = app}, 1);
    ReportGenerated(QString::fromStdString(app->GetName()), written);
}

void TfmQLN::ReportGenerated(const QString& what, int written) {
    const QString text = written == 1 ? tr("Generated %1: 1 file written").arg(what)
                                      : tr("Generated %1: %2 files written").arg(what, QString::number(written));
    FGenerated->setText(text);
}

void TfmQLN::GenerateCurrent() {
    QTreeWidgetItem* node = tvProject->currentItem();
    if (node && NodeKind(node) == TreeNodeKind::DebugApplication)
        GenerateDebugApplication();
    else if (CurrentModuleEntry())
        GenerateClass(false);
}

void TfmQLN::OpenModuleFile(int kind) {
    const TemgModule& module = kind == 8 ? FProject.FirstModule() : RequireCurrentModule();
    if (kind == 8 && !CurrentModuleEntry()) throw Exception(Tr(kNoCurrentClass));
    const std::string fileName = module.UnitFileName(static_cast<TFileKind>(kind), FProject.GetSrcPath());
    ShellOpen(fileName);
}

void TfmQLN::OpenDebugFiles(bool project) {
    const TemgDebugApplication* app = CurrentDebugApplication();
    if (!app) throw Exception(Tr(kNotDebugApplication));
    const std::string base = FProject.GetSrcPath();
    const TFileKind first = project ? TFileKind::DebugProjectUnit : TFileKind::DebugFormGeneratorUnit;
    const TFileKind second = project ? TFileKind::ProjectGroup : TFileKind::DebugFormDeveloperUnit;
    for (TFileKind kind : {first, second})
        ShellOpen(app->UnitFileName(kind, base));
}

void TfmQLN::OpenHelp(const QString& topic) {
    const QDir programDir(QCoreApplication::applicationDirPath());
    QString guide = programDir.filePath(ToQ(kGuideFileName));
    if (!QFileInfo::exists(guide))
        guide = QDir::cleanPath(programDir.filePath(ToQ(kInstalledGuideDir) + '/' + ToQ(kGuideFileName)));
    ShellOpen(topic.isEmpty() ? guide.toStdString() : (guide + '#' + topic).toStdString());
}

void TfmQLN::ShowAbout() {
    QMessageBox::about(
        this, tr("About Quillon"),
        tr("<b>Quillon</b> %1<p>Designs Object Pascal library servers and generates their source code.</p>"
           "<p>Released under the MIT licence. Copyright (c) The Quillon developers.</p>")
            .arg(QString::fromLatin1(QUILLON_VERSION)));
}

}  // namespace quillon
