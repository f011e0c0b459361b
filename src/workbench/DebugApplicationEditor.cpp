#include "workbench/DebugApplicationEditor.h"

#include <filesystem>

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "elements/DatabaseElements.h"
#include "elements/DesignClass.h"
#include "elements/Methods.h"
#include "generator/DebugApplication.h"
#include "generator/GeneratedFiles.h"
#include "generator/Module.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/TextIndex.h"
#include "project/Project.h"
#include "workbench/ConnectionDialog.h"
#include "workbench/FileDialogs.h"
#include "workbench/Icons.h"
#include "workbench/QtText.h"

namespace quillon {

namespace {

// The tree's images of a procedure and a function.
constexpr int kProcedureImage = 11;
constexpr int kFunctionImage = 8;

// `chosen` relative to the project's directory when it lies inside it (the form the generator
// expands again), else as chosen.
std::string StoredSrcPath(const std::string& chosen, const std::string& projectDir) {
    if (projectDir.empty()) return chosen;
    namespace fs = std::filesystem;
    const fs::path relative =
        PathFromUtf8(chosen).lexically_normal().lexically_relative(PathFromUtf8(projectDir).lexically_normal());
    if (relative.empty()) return chosen;
    const std::string text = Utf8FromPath(relative);
    if (text == ".") return {};
    if (text.starts_with("..")) return chosen;
    return text;
}

}  // namespace

TfrDebugApplication::TfrDebugApplication(TfrEditors& editors, const TEditorEnvironment& environment)
    : TfrAppellationEditor(editors, environment), FConnection(std::make_unique<TemgDatabaseConnection>()) {
    // The connection: its display text (never the password) and the dialog that edits it.
    auto* connection = new QHBoxLayout;
    FConnectionText = new QLineEdit;
    FConnectionText->setObjectName("edConnection");
    FConnectionText->setReadOnly(true);
    FConnectionText->setFocusPolicy(Qt::NoFocus);
    FOptions = new QPushButton(tr("Options..."));
    FOptions->setObjectName("btOptions");
    connection->addWidget(RowLabel(tr("Database Connection"), FOptions));
    connection->addWidget(FConnectionText, 1);
    connection->addWidget(FOptions);
    Body().addLayout(connection);
    connect(FOptions, &QPushButton::clicked, this, &TfrDebugApplication::EditConnection);

    // The methods to call, one checkable entry per method of the module's class.
    auto* methods = new QHBoxLayout;
    FMethods = new QListWidget;
    FMethods->setObjectName("lvMethods");
    FMethods->setAlternatingRowColors(true);
    FMethods->setUniformItemSizes(true);
    FMethods->setIconSize(QSize(16, 16));
    QLabel* methodsLabel = RowLabel(tr("Methods to Call"), FMethods);
    methodsLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* selection = new QVBoxLayout;
    FSelectAll = new QPushButton(tr("Select All"));
    FSelectAll->setObjectName("btSelectAll");
    FSelectNone = new QPushButton(tr("Select None"));
    FSelectNone->setObjectName("btSelectNone");
    selection->addWidget(FSelectAll);
    selection->addWidget(FSelectNone);
    selection->addStretch(1);
    methods->addWidget(methodsLabel);
    methods->addWidget(FMethods, 1);
    methods->addLayout(selection);
    Body().addLayout(methods, 1);
    connect(FSelectAll, &QPushButton::clicked, this, &TfrDebugApplication::SelectAll);
    connect(FSelectNone, &QPushButton::clicked, this, &TfrDebugApplication::SelectNone);
    // Checking an entry is the user's change; the framework does not watch list entries.
    connect(FMethods, &QListWidget::itemChanged, this, [this] {
        if (!FLoading) MarkChanged();
    });

    FSrcPath = new TfrEditButton(tr("Source Path"));
    FSrcPath->setObjectName("frSrcPath");
    FSrcPath->Edit().setObjectName("edSrcPath");
    FSrcPath->OnBrowse = [this] { BrowseSrcPath(); };
    Body().addWidget(FSrcPath);
}

TfrDebugApplication::~TfrDebugApplication() = default;

TemgDebugApplication& TfrDebugApplication::Application() const {
    return *static_cast<TemgDebugApplication*>(Object());
}

void TfrDebugApplication::SetReadOnly(bool readOnly) {
    TfrAppellationEditor::SetReadOnly(readOnly);
    for (QPushButton* button : {FOptions, FSelectAll, FSelectNone}) button->setEnabled(!readOnly);
    FMethods->setEnabled(!readOnly);
    FSrcPath->SetReadOnly(readOnly);
}

void TfrDebugApplication::Initialize(TEditorItem& item) {
    TfrAppellationEditor::Initialize(item);
    const TemgDebugApplication& application = Application();
    FConnection->Assign(application.Connection());
    ShowConnection();

    FLoading = true;
    FMethods->clear();
    if (const TemgModule* module = Module()) {
        const TemgMethods& classMethods = module->MainClass().Methods();
        const TNameList chosen(application.Methods().Items());
        for (int i = 0; i < classMethods.Count(); ++i) {
            const TemgMethod& method = *classMethods.Items(i);
            auto* entry = new QListWidgetItem(ToQ(method.GetName()), FMethods);
            entry->setIcon(ImageIcon(method.GetCategory() == mcFunction ? kFunctionImage : kProcedureImage));
            entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            entry->setCheckState(chosen.Find(method.GetName()) ? Qt::Checked : Qt::Unchecked);
        }
    }
    FLoading = false;
    FSrcPath->SetText(application.GetSrcPath());
}

void TfrDebugApplication::Apply() {
    TfrAppellationEditor::Apply();
    TemgDebugApplication& application = Application();
    application.SetConnection(*FConnection);
    // Through the setter, which marks the application modified when the list changes.
    TStringList methods;
    methods.SetItems(CheckedMethods());
    application.SetMethods(methods);
    application.SetSrcPath(FSrcPath->Text());
}

std::vector<std::string> TfrDebugApplication::CheckedMethods() const {
    // By name, the first entry of each: a class may list thousands of methods.
    TextMap<const QListWidgetItem*> listed(static_cast<std::size_t>(FMethods->count()));
    for (int i = 0; i < FMethods->count(); ++i) listed.Add(FMethods->item(i)->text().toStdString(), FMethods->item(i));
    std::vector<std::string> names;
    TextMap<bool> kept;
    for (const std::string& name : Application().Methods().Items()) {
        const QListWidgetItem* entry = listed.ValueOf(name);
        if (!entry || entry->checkState() == Qt::Checked) {
            names.push_back(name);
            kept.Add(name, true);
        }
    }
    for (int i = 0; i < FMethods->count(); ++i) {
        const std::string name = FMethods->item(i)->text().toStdString();
        if (FMethods->item(i)->checkState() == Qt::Checked && kept.Add(name, true)) names.push_back(name);
    }
    return names;
}

void TfrDebugApplication::ShowConnection() {
    // A summary to read, not the stored form ("AliasName = Bank; ..."); the password stays hidden.
    const TemgDatabaseConnection& connection = *FConnection;
    QString text = connection.GetAliasName().empty() ? tr("No database alias")
                                                     : tr("Database alias %1").arg(ToQ(connection.GetAliasName()));
    if (!connection.GetUserName().empty()) text += tr(", user %1").arg(ToQ(connection.GetUserName()));
    text += connection.GetLoginPrompt() ? tr(", login prompt") : tr(", password stored");
    FConnectionText->setText(text);
    FConnectionText->setCursorPosition(0);
}

void TfrDebugApplication::EditConnection() {
    if (ReadOnly()) return;
    if (!RunConnectionDialog(this, *FConnection)) return;
    ShowConnection();
    MarkChanged();
}

void TfrDebugApplication::CheckAll(bool checked) {
    if (ReadOnly()) return;
    for (int i = 0; i < FMethods->count(); ++i) FMethods->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void TfrDebugApplication::SelectAll() { CheckAll(true); }

void TfrDebugApplication::SelectNone() { CheckAll(false); }

void TfrDebugApplication::BrowseSrcPath() {
    if (ReadOnly() || !Environment().fileDialogs) return;
    const std::string projectDir = Environment().project ? Environment().project->GetSrcPath() : std::string();
    const std::string start = projectDir.empty() ? FSrcPath->Text() : ExpandOutputDirectory(FSrcPath->Text(), projectDir);
    const auto chosen = Environment().fileDialogs->Directory(this, tr("Source Path").toStdString(), start);
    if (!chosen) return;
    FSrcPath->SetText(StoredSrcPath(*chosen, projectDir));
    MarkChanged();
}

}  // namespace quillon
