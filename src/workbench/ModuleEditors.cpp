#include "workbench/ModuleEditors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "elements/ElementMessages.h"
#include "platform/ComServer.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/Guid.h"
#include "platform/ShellOpen.h"
#include "platform/Text.h"
#include "platform/TextEncoding.h"
#include "platform/UserDialogs.h"
#include "project/Project.h"
#include "workbench/ConnectionDialog.h"
#include "workbench/FileDialogs.h"
#include "workbench/QtText.h"
#include "workbench/WorkbenchMessages.h"

namespace quillon {

namespace {

// A labelled row holding `field`, lined up with the TfrEdit rows.
QHBoxLayout* LabelledRow(const QString& label, QWidget* field) {
    auto* row = new QHBoxLayout;
    QLabel* caption = RowLabel(label);
    caption->setBuddy(field);
    row->addWidget(caption);
    row->addWidget(field, 1);
    return row;
}

QRadioButton* RadioButton(const QString& text, const char* name) {
    auto* button = new QRadioButton(text);
    button->setObjectName(name);
    return button;
}

QComboBox* Choices(const char* name, const QStringList& items) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->addItems(items);
    return combo;
}

// The language of a Windows code page, as Windows names it.
QString CodePageName(int codePage) {
    switch (codePage) {
        case 874: return QObject::tr("Thai");
        case 1250: return QObject::tr("Central European");
        case 1251: return QObject::tr("Cyrillic");
        case 1252: return QObject::tr("Western European");
        case 1253: return QObject::tr("Greek");
        case 1254: return QObject::tr("Turkish");
        case 1255: return QObject::tr("Hebrew");
        case 1256: return QObject::tr("Arabic");
        case 1257: return QObject::tr("Baltic");
        case 1258: return QObject::tr("Vietnamese");
        default: return {};
    }
}

// Where a project's splitting of the search path happens: ";" between directories, blanks
// around them ignored, empty entries dropped.
QStringList SplitSearchPath(const QString& text) {
    QStringList directories;
    for (const QString& part : text.split(';')) {
        const QString directory = part.trimmed();
        if (!directory.isEmpty()) directories << directory;
    }
    return directories;
}

}  // namespace

QString ServerOptionCaption(TServerOption option) {
    switch (option) {
        case moServerInDll: return TfrModuleEditor::tr("DLL");
        case moDirectUsesServer: return TfrModuleEditor::tr("UNIT");
        case moComServerInDll: return TfrModuleEditor::tr("COM DLL");
        case moComServer: return TfrModuleEditor::tr("COM");
    }
    return {};
}

std::string StoredDirectory(const std::string& chosen, const std::string& baseDir) {
    if (baseDir.empty()) return chosen;
    const std::string relative = ExtractRelativePath(chosen, baseDir);
    if (relative == ".") return {};
    return relative.rfind("..", 0) == 0 ? chosen : relative;
}

// --- TfrProjectEditor ------------------------------------------------------------------------------

TfrProjectEditor::TfrProjectEditor(TfrEditors& editors, const TEditorEnvironment& environment)
    : TfrAppellationEditor(editors, environment) {
    FFileName = new TfrEdit(tr("File Name"));
    FFileName->setObjectName("frFileName");
    FFileName->Edit().setObjectName("edFileName");
    FFileName->SetReadOnly(true);
    Body().addWidget(FFileName);

    FUnitHeader = new QPlainTextEdit;
    FUnitHeader->setObjectName("meUnitHeader");
    FUnitHeader->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    FUnitHeader->setLineWrapMode(QPlainTextEdit::NoWrap);
    FUnitHeader->setTabChangesFocus(true);
    auto* header = new QHBoxLayout;
    QLabel* headerLabel = RowLabel(tr("Unit Header"));
    headerLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    headerLabel->setBuddy(FUnitHeader);
    header->addWidget(headerLabel);
    header->addWidget(FUnitHeader, 1);
    Body().addLayout(header, 1);

    FSearchPath = new TfrEditButton(tr("Search Path"));
    FSearchPath->setObjectName("frSearchPath");
    FSearchPath->Edit().setObjectName("edSearchPath");
    FSearchPath->Button().setToolTip(tr("Directoties"));
    FSearchPath->OnBrowse = [this] { EditSearchPath(); };
    Body().addWidget(FSearchPath);

    // Both stored properties in one list: a Windows code page (its number as the item's data), or
    // UTF-8 after a byte-order mark (data 0).
    FEncoding = Choices("cbGeneratedFileEncoding", {});
    for (const int codePage : SupportedCodePages())
        FEncoding->addItem(tr("Windows code page %1 (%2)").arg(codePage).arg(CodePageName(codePage)), codePage);
    FEncoding->addItem(tr("UTF-8 with byte-order mark"), 0);
    Body().addLayout(LabelledRow(tr("Encoding of generated files"), FEncoding));

    // The base path is where the project file lies: shown, and opened in the file browser,
    // never typed (the project computes it from its file name).
    FBasePath = new TfrEditButton(tr("Project Base Path"));
    FBasePath->setObjectName("frBasePath");
    FBasePath->Edit().setObjectName("edBasePath");
    FBasePath->Edit().setReadOnly(true);
    FBasePath->Button().setToolTip(tr("Open the folder"));
    FBasePath->OnBrowse = [this] {
        if (!FBasePath->Text().empty()) ShellOpen(FBasePath->Text());
    };
    Body().addWidget(FBasePath);
}

TemgpProject& TfrProjectEditor::Project() const { return *static_cast<TemgpProject*>(Object()); }

void TfrProjectEditor::SetReadOnly(bool readOnly) {
    TfrAppellationEditor::SetReadOnly(readOnly);
    FUnitHeader->setReadOnly(readOnly);
    FSearchPath->SetReadOnly(readOnly);
    FEncoding->setEnabled(!readOnly);
}

void TfrProjectEditor::LoadAppellation() {
    Appellation().Load(Project().Appellation().GetName(), Project().Appellation().GetCaption());
}

void TfrProjectEditor::ApplyAppellation() {
    Project().Appellation().SetName(Appellation().Name());
    Project().Appellation().SetCaption(Appellation().Comment());
}

void TfrProjectEditor::Initialize(TEditorItem& item) {
    TfrAppellationEditor::Initialize(item);
    const TemgpProject& project = Project();
    FFileName->SetText(project.GetFileName());
    // The header goes into generated files with their CR LF line ends; the memo shows plain lines.
    FUnitHeader->setPlainText(ToQ(project.GetUnitHeader()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    FSearchPath->SetText(project.GetSearchPath());
    FBasePath->SetText(project.GetSrcPath());
    // A code page the list lacks (stored by hand) is shown as its number.
    const int codePage = project.GetGeneratedFileCodePage();
    if (FEncoding->findData(codePage) < 0)
        FEncoding->insertItem(FEncoding->count() - 1, tr("Windows code page %1").arg(codePage), codePage);
    FEncoding->setCurrentIndex(FEncoding->findData(project.GetGeneratedFileEncoding() == geUtf8Bom ? 0 : codePage));
}

void TfrProjectEditor::Apply() {
    TfrAppellationEditor::Apply();
    TemgpProject& project = Project();
    project.SetUnitHeader(ToStd(FUnitHeader->toPlainText().replace('\n', QStringLiteral("\r\n"))));
    project.SetSearchPath(FSearchPath->Text());
    const int codePage = FEncoding->currentData().toInt();
    project.SetGeneratedFileEncoding(codePage == 0 ? geUtf8Bom : geAnsi);
    if (codePage != 0) project.SetGeneratedFileCodePage(codePage);
}

void TfrProjectEditor::EditSearchPath() {
    TedDirectoties dialog(this, Environment().fileDialogs, SplitSearchPath(FSearchPath->Edit().text()),
                          ToQ(Project().GetSrcPath()));
    if (!ExecDialog(dialog)) return;
    const QString joined = dialog.Directories().join(';');
    if (joined == FSearchPath->Edit().text()) return;
    FSearchPath->Edit().setText(joined);
    MarkChanged();
}

// --- TedDirectoties --------------------------------------------------------------------------------

TedDirectoties::TedDirectoties(QWidget* parent, IFileDialogs* fileDialogs, const QStringList& directories,
                               const QString& baseDir)
    : TfmBaseDialog(parent, tr("Directoties")), FFileDialogs(fileDialogs), FBaseDir(baseDir) {
    setObjectName("edDirectoties");
    auto* listRow = new QHBoxLayout;
    FList = new QListWidget;
    FList->setObjectName("lbDirectories");
    FList->addItems(directories);
    listRow->addWidget(FList, 1);
    auto* moves = new QVBoxLayout;
    FUp = new QToolButton;
    FUp->setObjectName("btUp");
    FUp->setText(QStringLiteral("\u2191"));
    FUp->setToolTip(tr("Up"));
    FDown = new QToolButton;
    FDown->setObjectName("btDown");
    FDown->setText(QStringLiteral("\u2193"));
    FDown->setToolTip(tr("Down"));
    moves->addWidget(FUp);
    moves->addWidget(FDown);
    moves->addStretch(1);
    listRow->addLayout(moves);
    Body().addLayout(listRow, 1);

    FDirectory = new TfrEditButton(tr("Directory"));
    FDirectory->setObjectName("frDirectory");
    FDirectory->Edit().setObjectName("edDirectory");
    FDirectory->OnBrowse = [this] {
        if (!FFileDialogs) return;
        const QString start = FDirectory->Edit().text().isEmpty() ? FBaseDir : FDirectory->Edit().text();
        if (const auto chosen = FFileDialogs->Directory(this, tr("Directory").toStdString(), ToStd(start)))
            FDirectory->SetText(*chosen);
    };
    Body().addWidget(FDirectory);

    auto* actions = new QHBoxLayout;
    actions->addSpacing(kLabelWidth + actions->spacing());
    FAdd = new QPushButton(tr("&Add"));
    FAdd->setObjectName("btAdd");
    FReplace = new QPushButton(tr("&Replace"));
    FReplace->setObjectName("btReplace");
    FDelete = new QPushButton(tr("&Delete"));
    FDelete->setObjectName("btDelete");
    for (QPushButton* button : {FAdd, FReplace, FDelete}) {
        button->setAutoDefault(false);
        actions->addWidget(button);
    }
    actions->addStretch(1);
    Body().addLayout(actions);

    connect(FAdd, &QPushButton::clicked, this, &TedDirectoties::ClickAdd);
    connect(FReplace, &QPushButton::clicked, this, &TedDirectoties::ClickReplace);
    connect(FDelete, &QPushButton::clicked, this, &TedDirectoties::ClickDelete);
    connect(FUp, &QToolButton::clicked, this, [this] { ClickMove(-1); });
    connect(FDown, &QToolButton::clicked, this, [this] { ClickMove(1); });
    connect(FList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) FDirectory->Edit().setText(FList->item(row)->text());
        UpdateButtons();
    });
    connect(&FDirectory->Edit(), &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
    UpdateButtons();
    resize(560, 360);
}

QStringList TedDirectoties::Directories() const {
    QStringList directories;
    for (int i = 0; i < FList->count(); ++i) directories << FList->item(i)->text();
    return directories;
}

void TedDirectoties::ClickAdd() {
    const QString directory = FDirectory->Edit().text().trimmed();
    if (directory.isEmpty()) return;
    FList->addItem(directory);
    FList->setCurrentRow(FList->count() - 1);
}

void TedDirectoties::ClickReplace() {
    const QString directory = FDirectory->Edit().text().trimmed();
    const int row = FList->currentRow();
    if (directory.isEmpty() || row < 0) return;
    FList->item(row)->setText(directory);
}

void TedDirectoties::ClickDelete() {
    const int row = FList->currentRow();
    if (row < 0) return;
    delete FList->takeItem(row);
    UpdateButtons();
}

void TedDirectoties::ClickMove(int delta) {
    const int row = FList->currentRow();
    const int to = row + delta;
    if (row < 0 || to < 0 || to >= FList->count()) return;
    FList->insertItem(to, FList->takeItem(row));
    FList->setCurrentRow(to);
}

void TedDirectoties::UpdateButtons() {
    const int row = FList->currentRow();
    const bool typed = !FDirectory->Edit().text().trimmed().isEmpty();
    FAdd->setEnabled(typed);
    FReplace->setEnabled(typed && row >= 0);
    FDelete->setEnabled(row >= 0);
    FUp->setEnabled(row > 0);
    FDown->setEnabled(row >= 0 && row + 1 < FList->count());
}

// --- TfrModuleEditor -------------------------------------------------------------------------------

TfrModuleEditor::~TfrModuleEditor() = default;

TfrModuleEditor::TfrModuleEditor(TfrEditors& editors, const TEditorEnvironment& environment)
    : TfrAppellationEditor(editors, environment), FEditedConnection(std::make_unique<TemgDatabaseConnection>()) {
    FFileName = new TfrEdit(tr("File Name"));
    FFileName->setObjectName("frFileName");
    FFileName->Edit().setObjectName("edFileName");
    FFileName->SetReadOnly(true);
    Body().addWidget(FFileName);

    FSrcPath = new TfrEditButton(tr("Source Path"));
    FSrcPath->setObjectName("frSrcPath");
    FSrcPath->Edit().setObjectName("edSrcPath");
    FSrcPath->Edit().setPlaceholderText(tr("the project's directory"));
    FSrcPath->OnBrowse = [this] {
        const TemgpProject* project = Environment().project;
        if (!Environment().fileDialogs || !project) return;
        const std::string base = project->GetSrcPath();
        const std::string start = ExpandFileName(FSrcPath->Text(), base);
        if (const auto chosen = Environment().fileDialogs->Directory(this, tr("Source Path").toStdString(), start)) {
            FSrcPath->SetText(StoredDirectory(*chosen, base));
            MarkChanged();
        }
    };
    Body().addWidget(FSrcPath);

    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    Body().addLayout(columns);

    // Uses
    FUses = new QGroupBox(tr("Uses"));
    FUses->setObjectName("gbUses");
    auto* uses = new QHBoxLayout(FUses);
    FForms = NamedCheckBox(tr("Forms"), "cbForms");
    FShareMem = NamedCheckBox(tr("ShareMem"), "cbShareMem");
    uses->addWidget(FForms);
    uses->addWidget(FShareMem);
    uses->addStretch(1);
    left->addWidget(FUses);

    // Server
    FServer = new QGroupBox(tr("Server"));
    FServer->setObjectName("gbServer");
    auto* server = new QVBoxLayout(FServer);
    auto* options = new QHBoxLayout;
    const char* names[] = {"rbDll", "rbUnit", "rbComDll", "rbCom"};
    for (int i = 0; i < 4; ++i) {
        FServerButtons[i] = RadioButton(ServerOptionCaption(static_cast<TServerOption>(i)), names[i]);
        options->addWidget(FServerButtons[i]);
        connect(FServerButtons[i], &QRadioButton::toggled, this, [this] { UpdateControls(); });
    }
    options->addStretch(1);
    server->addLayout(options);
    auto* library = new QHBoxLayout;
    FLibraryPathSameExe = NamedCheckBox(tr("Search DLL only in EXE path"), "cbLibraryPathSameExe");
    FRegister = new QPushButton(tr("Register"));
    FRegister->setObjectName("btRegister");
    FRegister->setToolTip(tr("Register the built COM library"));
    library->addWidget(FLibraryPathSameExe);
    library->addStretch(1);
    library->addWidget(FRegister);
    server->addLayout(library);
    left->addWidget(FServer);
    connect(FRegister, &QPushButton::clicked, this, &TfrModuleEditor::RegisterServer);

    // COM options, one per row: the GUID needs its full width
    FComOptions = new QGroupBox(tr("COM"));
    FComOptions->setObjectName("gbComOptions");
    auto* com = new QVBoxLayout(FComOptions);
    FGuid = new TfrEdit(tr("GUID"));
    FGuid->setObjectName("frGUID");
    FGuid->Edit().setObjectName("edGUID");
    FGuid->Edit().setMinimumWidth(FGuid->Edit().fontMetrics().horizontalAdvance(QString(40, '0')));
    FNewGuid = new QToolButton;
    FNewGuid->setObjectName("btNewGUID");
    FNewGuid->setText(tr("New"));
    FNewGuid->setToolTip(tr("Make a new GUID"));
    FGuid->layout()->addWidget(FNewGuid);
    connect(FNewGuid, &QToolButton::clicked, this, [this] {
        FGuid->SetText(CreateGuidString());
        MarkChanged();
    });
    com->addWidget(FGuid);
    FDescription = new TfrEdit(tr("Description"));
    FDescription->setObjectName("frDescription");
    FDescription->Edit().setObjectName("edDescription");
    com->addWidget(FDescription);
    FClassInstancing =
        Choices("cbClassInstancing", {tr("Internal"), tr("Single Instance"), tr("Multiple Instance")});
    com->addLayout(LabelledRow(tr("Class Instancing"), FClassInstancing));
    FThreadModel = Choices("cbThreadModel", {tr("Single"), tr("Apartment"), tr("Free"), tr("Both")});
    com->addLayout(LabelledRow(tr("Thread Model"), FThreadModel));
    Body().addWidget(FComOptions);

    // DLL options
    FDllOptions = new QGroupBox(tr("DLL"));
    FDllOptions->setObjectName("gbDllOptions");
    auto* dll = new QVBoxLayout(FDllOptions);
    FDllClassInstancing = Choices("cbDllClassInstancing", {tr("Single Instance"), tr("Multiple Instance")});
    dll->addLayout(LabelledRow(tr("Class Instancing"), FDllClassInstancing));
    left->addWidget(FDllOptions);
    left->addStretch(1);

    // Database support
    FDatabase = new QGroupBox(tr("Database Support"));
    FDatabase->setObjectName("gbDatabase");
    auto* database = new QVBoxLayout(FDatabase);
    FHostDB = RadioButton(tr("Use host DB connection"), "rbHostDB");
    database->addWidget(FHostDB);
    // The choices under their radio button, one a line: the group shares the editor's width
    // with the server's.
    auto* creates = new QVBoxLayout;
    creates->setContentsMargins(20, 0, 0, 0);
    const char* createNames[] = {"cbCreateQuery", "cbCreateTable", "cbCreateStoredProc"};
    const QString createCaptions[] = {tr("CreateQuery"), tr("CreateTable"), tr("CreateStoredProc")};
    for (int i = 0; i < 3; ++i) {
        FCreateBoxes[i] = NamedCheckBox(createCaptions[i], createNames[i]);
        creates->addWidget(FCreateBoxes[i]);
    }
    database->addLayout(creates);

    FOwnDB = RadioButton(tr("Use own DB connection"), "rbOwnDB");
    database->addWidget(FOwnDB);
    auto* own = new QVBoxLayout;
    own->setContentsMargins(20, 0, 0, 0);
    FDatabaseName = new TfrEdit(tr("DatabaseName"));
    FDatabaseName->setObjectName("frDatabaseName");
    FDatabaseName->Edit().setObjectName("edDatabaseName");
    own->addWidget(FDatabaseName);
    FDataModuleName = new TfrEdit(tr("DataModuleName"));
    FDataModuleName->setObjectName("frDataModuleName");
    FDataModuleName->Edit().setObjectName("edDataModuleName");
    own->addWidget(FDataModuleName);
    auto* hostDB = new QHBoxLayout;
    hostDB->addSpacing(kLabelWidth + hostDB->spacing());
    FConnection = new QPushButton(tr("Connection..."));
    FConnection->setObjectName("btConnection");
    FConnection->setToolTip(tr("The module's own database connection"));
    connect(FConnection, &QPushButton::clicked, this, &TfrModuleEditor::EditConnection);
    hostDB->addWidget(FConnection);
    hostDB->addStretch(1);
    own->addLayout(hostDB);
    auto* useHost = new QHBoxLayout;
    useHost->addSpacing(kLabelWidth + useHost->spacing());
    FUseHostDB = NamedCheckBox(tr("Use host DB"), "cbUseHostDB");
    useHost->addWidget(FUseHostDB, 1);
    own->addLayout(useHost);
    // What the host hands over when its database is used: explained in the guide.
    FHostDBLinks = new QLabel(tr("<a href=\"editor-module-connection-params\">connection params</a>, "
                                 "<a href=\"editor-module-session-name\">SessionName</a>"));
    FHostDBLinks->setObjectName("lbHostDBLinks");
    connect(FHostDBLinks, &QLabel::linkActivated, this, [this](const QString& topic) {
        if (Environment().openHelp) Environment().openHelp(topic);
    });
    FHostDBLinks->setWordWrap(true);
    auto* links = new QHBoxLayout;
    links->addSpacing(kLabelWidth + links->spacing());
    links->addWidget(FHostDBLinks, 1);
    own->addLayout(links);
    database->addLayout(own);

    FNoDB = RadioButton(tr("None"), "rbNoDB");
    database->addWidget(FNoDB);
    for (QRadioButton* button : {FHostDB, FOwnDB, FNoDB})
        connect(button, &QRadioButton::toggled, this, [this] { UpdateControls(); });
    right->addWidget(FDatabase);
    right->addStretch(1);
    Body().addStretch(1);
}

TemgpModule& TfrModuleEditor::Entry() const { return *static_cast<TemgpModule*>(Object()); }

bool TfrModuleEditor::IsFirstModule() const { return Entry().Index() == 0; }

QRadioButton& TfrModuleEditor::ServerButton(TServerOption option) const {
    return *FServerButtons[static_cast<int>(option)];
}

QCheckBox& TfrModuleEditor::CreateBox(TDatabaseSupportComponent component) const {
    return *FCreateBoxes[static_cast<int>(component)];
}

TServerOption TfrModuleEditor::ChosenServer() const {
    for (int i = 0; i < 4; ++i)
        if (FServerButtons[i]->isChecked()) return static_cast<TServerOption>(i);
    return moServerInDll;
}

TDatabaseSupport TfrModuleEditor::ChosenDatabaseSupport() const {
    TDatabaseSupport support;
    if (FOwnDB->isChecked()) return TDatabaseSupport{dbsSetDatabaseParams};
    if (FHostDB->isChecked())
        for (const TDatasetFactory& factory : kDatasetFactories)
            if (CreateBox(factory.component).isChecked()) support.Include(factory.component);
    return support;
}

void TfrModuleEditor::UpdateControls() {
    const TServerOption server = ChosenServer();
    const bool first = Object() && IsFirstModule();
    FComOptions->setVisible(!first && IsComOption(server));
    FDllOptions->setVisible(!first && server == moServerInDll);
    FRegister->setEnabled(!ReadOnly() && server == moComServerInDll);
    const bool editable = !ReadOnly();
    for (QCheckBox* box : FCreateBoxes) box->setEnabled(editable && FHostDB->isChecked());
    for (QWidget* widget :
         std::initializer_list<QWidget*>{FDatabaseName, FDataModuleName, FConnection, FUseHostDB, FHostDBLinks})
        widget->setEnabled(editable && FOwnDB->isChecked());
}

void TfrModuleEditor::SetReadOnly(bool readOnly) {
    TfrAppellationEditor::SetReadOnly(readOnly);
    for (QWidget* widget : std::initializer_list<QWidget*>{FUses, FServer, FComOptions, FDllOptions, FDatabase})
        widget->setEnabled(!readOnly);
    FSrcPath->SetReadOnly(readOnly);
    UpdateControls();
}

void TfrModuleEditor::LoadAppellation() {
    const TemgModule& module = Entry().Module();
    Appellation().Load(module.GetName(), module.ModuleCaption());
}

void TfrModuleEditor::ApplyAppellation() {
    TemgpProject* project = Environment().project;
    if (!project) return;
    const std::string oldName = Entry().Module().GetName();
    project->RenameModule(Entry(), Appellation().Name(), Appellation().Comment());
    // The module's file may follow its new name; the save writes it and removes the old one.
    const std::string file = TemgpProject::NamedModuleFile(Entry());
    const std::string current = ExtractFileName(Entry().GetFileName());
    if (SameText(oldName, Entry().Module().GetName()) || SameText(current, file) ||
        Dialogs().Ask(Format(kRenameModuleFileQuestion, file), AskButtons::YesNo) != DialogAnswer::Yes)
        return;
    if (project->RenameModuleFile(Entry()))
        FFileName->SetText(Entry().GetFileName());
    else if (Environment().showStatus)
        Environment().showStatus(ToQ(Format(kModuleFileKept, file, current)));
}

bool TfrModuleEditor::IsNameUnique(std::string_view name) const {
    const TemgpProject* project = Environment().project;
    const TemgpModule* found = project ? project->FindModuleEntry(name) : nullptr;
    return !found || found == &Entry();
}

void TfrModuleEditor::Initialize(TEditorItem& item) {
    TfrAppellationEditor::Initialize(item);
    const TemgModule& module = Entry().Module();
    const TemgClass& cls = module.MainClass();
    // The common types module keeps its name and writes only its types unit: its server and
    // database choices do not apply.
    const bool first = IsFirstModule();
    if (first) SetKindCaption(tr("Common Types Module"));
    Appellation().SetNameEnabled(!first);
    for (QWidget* widget : std::initializer_list<QWidget*>{FUses, FServer, FDatabase}) widget->setVisible(!first);

    FFileName->SetText(Entry().GetFileName());
    FForms->setChecked(module.GetInterfaceSupport());
    FShareMem->setChecked(module.GetShareMemSupport());
    ServerButton(module.GetServerOption()).setChecked(true);
    FLibraryPathSameExe->setChecked(module.GetLibraryPathSameExe());
    FGuid->SetText(cls.GetGUID());
    FDescription->SetText(cls.GetComDescription());
    FClassInstancing->setCurrentIndex(static_cast<int>(cls.GetComClassInstancing()));
    FThreadModel->setCurrentIndex(static_cast<int>(cls.GetComThreadingModel()));
    FDllClassInstancing->setCurrentIndex(static_cast<int>(cls.GetDllClassInstancing()));

    FLoadedSupport = module.GetDatabaseSupport();
    if (FLoadedSupport.Empty())
        FNoDB->setChecked(true);
    else if (module.HasOwnConnection())
        FOwnDB->setChecked(true);
    else
        FHostDB->setChecked(true);
    for (const TDatasetFactory& factory : kDatasetFactories)
        CreateBox(factory.component).setChecked(FLoadedSupport.Contains(factory.component));
    FEditedConnection->Assign(module.Connection());
    FDatabaseName->SetText(module.GetDatabaseName());
    FDataModuleName->SetText(module.GetDataModuleName());
    FUseHostDB->setChecked(module.GetConnectToHostDB());
    FSrcPath->SetText(module.GetSrcPath());
    UpdateControls();
}

bool TfrModuleEditor::Validate() {
    if (!TfrAppellationEditor::Validate()) return false;
    if (IsFirstModule()) return true;
    if (IsComOption(ChosenServer()) && FGuid->Text().empty())
        return Refuse(Format(kFillInField, ToStd(FGuid->Label())), &FGuid->Edit());
    if (FHostDB->isChecked() && ChosenDatabaseSupport().Empty())
        return Refuse(std::string(kCreateMethodMustBeChecked), FCreateBoxes[0]);
    return true;
}

void TfrModuleEditor::Apply() {
    TfrAppellationEditor::Apply();
    TemgModule& module = Entry().Module();
    module.SetSrcPath(FSrcPath->Text());
    if (IsFirstModule()) return;
    TemgClass& cls = module.MainClass();
    module.SetInterfaceSupport(FForms->isChecked());
    module.SetShareMemSupport(FShareMem->isChecked());
    module.SetServerOption(ChosenServer());
    module.SetLibraryPathSameExe(FLibraryPathSameExe->isChecked());
    cls.SetGUID(FGuid->Text());
    cls.SetComDescription(FDescription->Text());
    cls.SetComClassInstancing(static_cast<TClassInstancing>(FClassInstancing->currentIndex()));
    cls.SetComThreadingModel(static_cast<TThreadingModel>(FThreadModel->currentIndex()));
    cls.SetDllClassInstancing(static_cast<TDllClassInstancing>(FDllClassInstancing->currentIndex()));

    // What the loaded set looks like in the controls: the same choice keeps the set as it was.
    TDatabaseSupport shown;
    if (HasOwnConnection(FLoadedSupport))
        shown = FLoadedSupport;
    else
        shown = FLoadedSupport * TDatabaseSupport{dbsQuery, dbsTable, dbsStoredProc};
    const TDatabaseSupport chosen = ChosenDatabaseSupport();
    if (!(chosen == shown)) module.SetDatabaseSupport(chosen);
    FLoadedSupport = module.GetDatabaseSupport();
    module.SetConnection(*FEditedConnection);
    module.SetDatabaseName(FDatabaseName->Text());
    module.SetDataModuleName(FDataModuleName->Text());
    module.SetConnectToHostDB(FUseHostDB->isChecked());
}

void TfrModuleEditor::EditConnection() {
    // The dialog edits the editor's copy: the module's connection changes with the rest on Apply.
    if (RunConnectionDialog(this, *FEditedConnection)) MarkChanged();
}

void TfrModuleEditor::RegisterServer() {
    const TemgpProject* project = Environment().project;
    if (!project) return;
    const TemgModule& module = Entry().Module();
    const std::string library = module.LibraryFileName(project->GetSrcPath());
    try {
        Dialogs().ShowMessage(MessageKind::Information, RegisterComServer(library));
    } catch (const std::exception& error) {
        Dialogs().ShowMessage(MessageKind::Error, error.what());
    }
}

}  // namespace quillon
