#include "workbench/ListEditors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "elements/AddedUnits.h"
#include "elements/ElementMessages.h"
#include "elements/ReleaseElements.h"
#include "generator/Release.h"
#include "platform/DateTime.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "platform/UserDialogs.h"
#include "project/Project.h"
#include "workbench/FileDialogs.h"
#include "workbench/ModuleEditors.h"
#include "workbench/QtText.h"
#include "workbench/WorkbenchMessages.h"

namespace quillon {

namespace {

TfrEdit* Field(const QString& label, const char* frameName, const char* editName) {
    auto* field = new TfrEdit(label);
    field->setObjectName(frameName);
    field->Edit().setObjectName(editName);
    return field;
}

TfrEditButton* FolderField(const QString& label, const char* frameName, const char* editName) {
    auto* field = new TfrEditButton(label);
    field->setObjectName(frameName);
    field->Edit().setObjectName(editName);
    return field;
}

// A folder browse that stores the chosen folder relative to `baseDir` where it can.
void BrowseFolder(QWidget* parent, IFileDialogs* dialogs, TfrEditButton& field, const std::string& baseDir) {
    if (!dialogs) return;
    const std::string start = ExpandFileName(field.Text(), baseDir);
    if (const auto chosen = dialogs->Directory(parent, ToStd(field.Label()), start))
        field.SetText(StoredDirectory(*chosen, baseDir));
}

// Problems a release or copy rule found, one per line under `title`.
void ShowProblems(const std::string& title, const std::vector<std::string>& problems) {
    std::string text = title;
    for (const std::string& problem : problems) text += "\n" + problem;
    Dialogs().ShowMessage(MessageKind::Warning, text);
}

// The list frame of an editor with the working copy's buttons.
TfrFunctionList* NewList(const QStringList& columns) {
    auto* list = new TfrFunctionList(columns);
    list->setObjectName("lvList");
    return list;
}

}  // namespace

// --- Form resources --------------------------------------------------------------------------------

std::optional<std::string> ReadFormName(const std::string& formFile) {
    std::string content;
    try {
        content = ReadFileBytes(formFile);
    } catch (const std::exception& error) {
        Dialogs().ShowMessage(MessageKind::Warning, Format(kFormFileUnreadable, formFile, std::string(error.what())));
        return std::nullopt;
    }
    const std::string line = content.substr(0, content.find('\n'));
    std::string name = FormNameFromFirstLine(line);
    if (name.empty()) {
        Dialogs().ShowMessage(MessageKind::Warning, Format(kFormFileWithoutForm, formFile));
        return std::nullopt;
    }
    return name;
}

TedFormDescription::TedFormDescription(QWidget* parent, const std::string& fileName, const std::string& formFile,
                                       const std::string& formName, bool frame, bool showForm)
    : TfmBaseDialog(parent, tr("Form Resources")) {
    setObjectName("edFormDescription");
    FFileName = Field(tr("File Name"), "frFileName", "edFileName");
    FFileName->SetText(fileName);
    Body().addWidget(FFileName);
    FFormFile = Field(tr("Resources File Name"), "frResourcesFileName", "edResourcesFileName");
    FFormFile->SetText(formFile);
    FFormFile->SetReadOnly(true);
    Body().addWidget(FFormFile);
    FFormName = Field(tr("Name"), "frFormName", "edFormName");
    FFormName->SetText(formName);
    Body().addWidget(FFormName);
    FFrame = NamedCheckBox(tr("Inherits TFrame"), "cbFrame");
    FFrame->setChecked(frame);
    Body().addLayout(FieldRow({FFrame}));
    Body().addStretch(1);
    for (QWidget* widget : std::initializer_list<QWidget*>{FFormFile, FFormName, FFrame}) widget->setVisible(showForm);
    resize(520, 200);
}

bool TedFormDescription::Validate() { return RequireField(*FFileName); }

// --- TfrAddUnitsEditor -----------------------------------------------------------------------------

TfrAddUnitsEditor::TfrAddUnitsEditor(TfrEditors& editors, const TEditorEnvironment& environment)
    : TfrEditor(editors, environment), FWorking(std::make_unique<TemgAddUnits>(nullptr)) {
    FList = NewList({tr("File Name"), tr("Type"), tr("Form"), tr("Frame")});
    FList->count = [this] { return FWorking->Count(); };
    FList->rowTexts = [this](int row) {
        const TemgAddUnit& unit = *FWorking->Items(row);
        const bool form = unit.GetUnitType() == autForm;
        return QStringList{ToQ(unit.GetName()), form ? tr("Form") : tr("Unit"), ToQ(unit.GetFormName()),
                           form && unit.GetFrame() ? tr("Yes") : QString()};
    };
    FList->newEntry = [this] { return AddUnits(); };
    FList->editEntry = [this](int row) { return EditUnit(row); };
    // An added unit is only a name in the list: it goes without a question.
    FList->deleteEntry = [this](int row) { FWorking->Delete(row); };
    FList->moveEntry = [this](int from, int to) { FWorking->Move(from, to); };
    Body().addWidget(FList, 1);

    auto* buttons = new QHBoxLayout;
    FAdd = new QPushButton(tr("Add to project"));
    FAdd->setObjectName("btAddToProject");
    buttons->addWidget(FAdd);
    buttons->addStretch(1);
    Body().addLayout(buttons);
    connect(FAdd, &QPushButton::clicked, FList, &TfrEditedListView::DoNew);
}

TfrAddUnitsEditor::~TfrAddUnitsEditor() = default;

void TfrAddUnitsEditor::SetReadOnly(bool readOnly) {
    TfrEditor::SetReadOnly(readOnly);
    FList->SetReadOnly(readOnly);
    FAdd->setEnabled(!readOnly);
}

void TfrAddUnitsEditor::Initialize(TEditorItem& item) {
    TfrEditor::Initialize(item);
    FWorking->Assign(*static_cast<TemgAddUnits*>(Object()));
    FList->Refresh(0);
}

void TfrAddUnitsEditor::Apply() {
    TfrEditor::Apply();
    static_cast<TemgAddUnits*>(Object())->Assign(*FWorking);
}

std::string TfrAddUnitsEditor::SourceDirectory() const {
    const TemgpProject* project = Environment().project;
    const TemgpModule* entry = Item() ? Item()->ModuleEntry() : nullptr;
    if (!project || !entry) return {};
    return entry->Module().OutputDirectory(project->GetSrcPath());
}

bool TfrAddUnitsEditor::AddUnits() {
    if (!Environment().fileDialogs) return false;
    const std::string sourceDir = SourceDirectory();
    const auto chosen = Environment().fileDialogs->OpenFiles(this, std::string(kAddToProjectTitle), sourceDir,
                                                             std::string(kDelphiUnitFilter));
    if (!chosen) return false;
    // The units are gathered first: Cancel in a form's dialog drops the whole choice.
    TemgAddUnits added(nullptr);
    const auto known = [&](const std::string& name) {
        for (const TemgAddUnits* units : {FWorking.get(), &added})
            for (int i = 0; i < units->Count(); ++i)
                if (SameText(units->Items(i)->GetName(), name)) return true;
        return false;
    };
    for (const std::string& file : *chosen) {
        const std::string name = sourceDir.empty() ? file : ExtractRelativePath(file, sourceDir);
        if (known(name)) continue;
        const std::string formFile = FormFileOfUnit(file);
        std::string unitName = name;
        std::string formName;
        bool frame = false;
        const bool form = FileExists(formFile);
        if (form) {
            if (const std::optional<std::string> proposed = ReadFormName(formFile)) {
                TedFormDescription dialog(this, name, FormFileOfUnit(name), *proposed, false);
                if (!ExecDialog(dialog)) return false;
                unitName = dialog.FileNameEdit().Text();
                formName = dialog.FormNameEdit().Text();
                frame = dialog.FrameBox().isChecked();
            }
        }
        TemgAddUnit& unit = *added.Add();
        unit.SetName(unitName);
        unit.SetUnitType(form ? autForm : autUnit);
        unit.SetFormName(formName);
        unit.SetFrame(frame);
    }
    for (int i = 0; i < added.Count(); ++i) FWorking->Add()->Assign(*added.Items(i));
    return added.Count() > 0;
}

bool TfrAddUnitsEditor::EditUnit(int row) {
    TemgAddUnit& unit = *FWorking->Items(row);
    const bool form = unit.GetUnitType() == autForm;
    const std::string formFile = FormFileOfUnit(unit.GetName());
    std::string formName = unit.GetFormName();
    // A form unit without a form name yet: the form file may tell it.
    if (form && formName.empty()) {
        const std::string sourceDir = SourceDirectory();
        if (std::optional<std::string> read = ReadFormName(ExpandFileName(formFile, sourceDir))) formName = *read;
    }
    TedFormDescription dialog(this, unit.GetName(), formFile, formName, unit.GetFrame(), form);
    if (!ExecDialog(dialog)) return false;
    unit.SetName(dialog.FileNameEdit().Text());
    if (form) {
        unit.SetFormName(dialog.FormNameEdit().Text());
        unit.SetFrame(dialog.FrameBox().isChecked());
    }
    return true;
}

// --- TedRelease ------------------------------------------------------------------------------------

TedRelease::TedRelease(QWidget* parent, TReleaseDll& release, const TemgpProject& project, IFileDialogs* fileDialogs,
                       std::function<bool(const std::string&)> isNameUnique, std::function<void(TReleaseDll&)> run)
    : TfmBaseDialog(parent, tr("Release")),
      FRelease(release),
      FProject(project),
      FFileDialogs(fileDialogs),
      FIsNameUnique(std::move(isNameUnique)),
      FRun(std::move(run)) {
    setObjectName("edRelease");
    FName = Field(tr("Name"), "frName", "edName");
    FName->SetText(release.GetName());
    Body().addWidget(FName);
    FVersion = Field(tr("Version"), "frVersion", "edVersion");
    FVersion->SetText(release.GetCaption());
    Body().addWidget(FVersion);

    auto* options = new QGroupBox(tr("Options"));
    options->setObjectName("gbOptions");
    auto* optionRows = new QVBoxLayout(options);
    FProjectOption = new QRadioButton(tr("Project: every class with its units"));
    FProjectOption->setObjectName("rbProject");
    FClassOption = new QRadioButton(tr("Class: one class with the libraries of the classes it references"));
    FClassOption->setObjectName("rbClass");
    optionRows->addWidget(FProjectOption);
    optionRows->addWidget(FClassOption);
    Body().addWidget(options);

    auto* classRow = new QHBoxLayout;
    auto* classLabel = new QLabel(tr("Class"));
    classLabel->setFixedWidth(kLabelWidth);
    FClass = new QComboBox;
    FClass->setObjectName("cbClass");
    TStringList modules;
    project.ListClassModules(modules);
    for (const std::string& name : modules.Items()) FClass->addItem(ToQ(name));
    classLabel->setBuddy(FClass);
    classRow->addWidget(classLabel);
    classRow->addWidget(FClass, 1);
    Body().addLayout(classRow);

    FDirectory = FolderField(tr("Directory"), "frDirectory", "edDirectory");
    FDirectory->SetText(release.GetPath());
    FDirectory->OnBrowse = [this] { BrowseFolder(this, FFileDialogs, *FDirectory, FProject.GetSrcPath()); };
    Body().addWidget(FDirectory);
    FDllSubdir = Field(tr("Subdirectory for dll"), "frDllSubdir", "edDllSubdir");
    FDllSubdir->SetText(release.GetDllSubdir());
    Body().addWidget(FDllSubdir);
    FPasSubdir = Field(tr("Subdirectory for pas"), "frPasSubdir", "edPasSubdir");
    FPasSubdir->SetText(release.GetPasSubdir());
    Body().addWidget(FPasSubdir);

    FCopyFiles = NamedCheckBox(tr("Copy files"), "cbCopyFiles");
    FCopyFiles->setToolTip(tr("Release now: copy the libraries and units when OK is clicked"));
    FCopyFiles->setChecked(true);
    Body().addLayout(FieldRow({FCopyFiles}));
    Body().addStretch(1);

    (release.GetOption() == roModule ? FClassOption : FProjectOption)->setChecked(true);
    if (release.GetOption() == roModule || !release.GetModuleName().empty()) {
        const int index = FClass->findText(ToQ(release.GetModuleName()), Qt::MatchFixedString);
        if (index < 0 && !release.GetModuleName().empty()) FClass->addItem(ToQ(release.GetModuleName()));
        FClass->setCurrentIndex(index >= 0 ? index : FClass->count() - 1);
    }
    connect(FProjectOption, &QRadioButton::toggled, this, &TedRelease::UpdateControls);
    UpdateControls();
    resize(560, 420);
}

void TedRelease::UpdateControls() { FClass->setEnabled(FClassOption->isChecked()); }

bool TedRelease::Validate() {
    if (!RequireField(*FName)) return false;
    if (FIsNameUnique && !FIsNameUnique(FName->Text()))
        return Refuse(Format(kNotUnique, ToStd(FName->Label()), FName->Text()), &FName->Edit());
    if (FClassOption->isChecked() && FClass->currentText().isEmpty())
        return Refuse(Format(kFillInField, ToStd(tr("Class"))), FClass);
    return RequireField(*FDirectory);
}

void TedRelease::Apply() {
    FRelease.SetName(FName->Text());
    FRelease.SetCaption(FVersion->Text());
    FRelease.SetOption(FClassOption->isChecked() ? roModule : roProject);
    FRelease.SetModuleName(FClassOption->isChecked() ? ToStd(FClass->currentText()) : std::string());
    FRelease.SetPath(FDirectory->Text());
    FRelease.SetDllSubdir(FDllSubdir->Text());
    FRelease.SetPasSubdir(FPasSubdir->Text());
    if (!FCopyFiles->isChecked() || !FRun) return;
    const std::string directory = ReleaseDirectory(FRelease, FProject);
    if (Dialogs().Ask(Format(kCopyFilesQuestion, directory), AskButtons::YesNo) != DialogAnswer::Yes) return;
    // The release definition is kept whatever the run finds; its failure is told, not raised.
    try {
        FRun(FRelease);
    } catch (const EAbort&) {
    } catch (const std::exception& error) {
        Dialogs().ShowMessage(MessageKind::Error, error.what());
    }
}

// --- TfrReleasesEditor -----------------------------------------------------------------------------

TfrReleasesEditor::TfrReleasesEditor(TfrEditors& editors, const TEditorEnvironment& environment)
    : TfrEditor(editors, environment), FWorking(std::make_unique<TReleaseDllCollection>(nullptr)) {
    FList = NewList({tr("Name"), tr("Class"), tr("Version"), tr("Date & Time")});
    FList->count = [this] { return FWorking->Count(); };
    FList->rowTexts = [this](int row) {
        const TReleaseDll& release = *FWorking->Items(row);
        return QStringList{ToQ(release.GetName()), ToQ(release.GetOption() == roModule ? release.GetModuleName() : ""),
                           ToQ(release.GetCaption()),
                           release.GetDateTime() == 0 ? QString() : ToQ(DateTimeToText(release.GetDateTime()))};
    };
    FList->newEntry = [this] {
        TReleaseDll& release = *FWorking->Add();
        release.SetName(UniqueText(FWorking.get(), "Release", 0));
        release.SetDateTime(Now());
        if (EditRelease(release)) return true;
        FWorking->Delete(release.Index());
        return false;
    };
    FList->editEntry = [this](int row) {
        TReleaseDll copy;
        copy.Assign(*FWorking->Items(row));
        // The dialog works on a copy: Cancel leaves the entry as it was.
        TReleaseDll& release = *FWorking->Items(row);
        if (!EditRelease(copy)) return false;
        release.Assign(copy);
        return true;
    };
    FList->deleteEntry = [this](int row) { FWorking->Delete(row); };
    FList->moveEntry = [this](int from, int to) { FWorking->Move(from, to); };
    FList->deleteQuestion = std::string(kDeleteQuestion);
    Body().addWidget(FList, 1);
}

TfrReleasesEditor::~TfrReleasesEditor() = default;

bool TfrReleasesEditor::EditRelease(TReleaseDll& release) {
    if (!Environment().project) return false;
    const int index = FList->Selected();
    const TReleaseDll* edited = release.Collection() ? &release : (index >= 0 ? FWorking->Items(index) : nullptr);
    TedRelease dialog(
        this, release, *Environment().project, Environment().fileDialogs,
        [this, edited](const std::string& name) { return IsTextUnique(FWorking.get(), edited, name, 0); },
        Environment().runRelease);
    return ExecDialog(dialog);
}

void TfrReleasesEditor::SetReadOnly(bool readOnly) {
    TfrEditor::SetReadOnly(readOnly);
    FList->SetReadOnly(readOnly);
}

void TfrReleasesEditor::Initialize(TEditorItem& item) {
    TfrEditor::Initialize(item);
    FWorking->Assign(*static_cast<TReleaseDllCollection*>(Object()));
    FList->Refresh(0);
}

void TfrReleasesEditor::Apply() {
    TfrEditor::Apply();
    static_cast<TReleaseDllCollection*>(Object())->Assign(*FWorking);
}

// --- TedCopyFile -----------------------------------------------------------------------------------

TedCopyFile::TedCopyFile(QWidget* parent, TCopyFileItem& rule, const TemgpProject& project, std::string moduleName,
                         IFileDialogs* fileDialogs, std::function<bool(const std::string&)> isNameUnique)
    : TfmBaseDialog(parent, tr("Copy Files")),
      FRule(rule),
      FProject(project),
      FModuleName(std::move(moduleName)),
      FFileDialogs(fileDialogs),
      FIsNameUnique(std::move(isNameUnique)) {
    setObjectName("edCopyFile");
    FName = Field(tr("Name"), "frName", "edName");
    FName->SetText(rule.GetName());
    Body().addWidget(FName);
    FPasPath = FolderField(tr("Controller Units Path"), "frPasPath", "edPasPath");
    FPasPath->SetText(rule.GetPasPath());
    FPasPath->OnBrowse = [this] { BrowseFolder(this, FFileDialogs, *FPasPath, FProject.GetSrcPath()); };
    Body().addWidget(FPasPath);
    FDllPath = FolderField(tr("DLL Path"), "frDllPath", "edDllPath");
    FDllPath->SetText(rule.GetDllPath());
    FDllPath->OnBrowse = [this] { BrowseFolder(this, FFileDialogs, *FDllPath, FProject.GetSrcPath()); };
    Body().addWidget(FDllPath);
    auto* row = new QHBoxLayout;
    row->addSpacing(kLabelWidth + row->spacing());
    FAllDlls = new QCheckBox(tr("Include Referenced DLLs"));
    FAllDlls->setObjectName("cbAllDlls");
    FAllDlls->setChecked(rule.GetAllDlls());
    row->addWidget(FAllDlls);
    row->addStretch(1);
    FCopy = new QPushButton(tr("Copy Files"));
    FCopy->setObjectName("btCopyFiles");
    FCopy->setAutoDefault(false);
    FCopy->setToolTip(tr("Copy the files now, as the fields say"));
    row->addWidget(FCopy);
    Body().addLayout(row);
    Body().addStretch(1);
    connect(FCopy, &QPushButton::clicked, this, &TedCopyFile::CopyFiles);
    resize(560, 240);
}

bool TedCopyFile::Validate() {
    if (!RequireField(*FName)) return false;
    if (FIsNameUnique && !FIsNameUnique(FName->Text()))
        return Refuse(Format(kNotUnique, ToStd(FName->Label()), FName->Text()), &FName->Edit());
    return RequireField(*FPasPath) && RequireField(*FDllPath);
}

void TedCopyFile::WriteTo(TCopyFileItem& rule) const {
    rule.SetName(FName->Text());
    rule.SetPasPath(FPasPath->Text());
    rule.SetDllPath(FDllPath->Text());
    rule.SetAllDlls(FAllDlls->isChecked());
}

void TedCopyFile::Apply() { WriteTo(FRule); }

void TedCopyFile::CopyFiles() {
    if (!RequireField(*FPasPath) || !RequireField(*FDllPath)) return;
    TCopyFileItem rule;
    WriteTo(rule);
    const std::vector<std::string> problems = RunCopyRule(rule, FProject, FModuleName);
    if (problems.empty())
        Dialogs().ShowMessage(MessageKind::Information, Format(kFilesCopied, FModuleName));
    else
        ShowProblems(Format(kCopyRuleProblems, rule.GetName()), problems);
}

// --- TfrCopyFilesEditor ----------------------------------------------------------------------------

TfrCopyFilesEditor::TfrCopyFilesEditor(TfrEditors& editors, const TEditorEnvironment& environment)
    : TfrEditor(editors, environment), FWorking(std::make_unique<TCopyFileCollection>(nullptr)) {
    FList = NewList({tr("Name"), tr("Controller Units Path"), tr("DLL Path"), tr("Include Referenced DLLs")});
    FList->count = [this] { return FWorking->Count(); };
    FList->rowTexts = [this](int row) {
        const TCopyFileItem& rule = *FWorking->Items(row);
        return QStringList{ToQ(rule.GetName()), ToQ(rule.GetPasPath()), ToQ(rule.GetDllPath()),
                           rule.GetAllDlls() ? tr("Yes") : tr("No")};
    };
    FList->newEntry = [this] {
        TCopyFileItem& rule = *FWorking->Add();
        rule.SetName(UniqueText(FWorking.get(), "CopyRule", 0));
        if (EditRule(rule)) return true;
        FWorking->Delete(rule.Index());
        return false;
    };
    FList->editEntry = [this](int row) {
        TCopyFileItem copy;
        copy.Assign(*FWorking->Items(row));
        TCopyFileItem& rule = *FWorking->Items(row);
        if (!EditRule(copy)) return false;
        rule.Assign(copy);
        return true;
    };
    FList->deleteEntry = [this](int row) { FWorking->Delete(row); };
    FList->moveEntry = [this](int from, int to) { FWorking->Move(from, to); };
    FList->deleteQuestion = std::string(kDeleteQuestion);
    Body().addWidget(FList, 1);
}

TfrCopyFilesEditor::~TfrCopyFilesEditor() = default;

bool TfrCopyFilesEditor::EditRule(TCopyFileItem& rule) {
    const TemgpModule* entry = Item() ? Item()->ModuleEntry() : nullptr;
    if (!Environment().project || !entry) return false;
    const int index = FList->Selected();
    const TCopyFileItem* edited = rule.Collection() ? &rule : (index >= 0 ? FWorking->Items(index) : nullptr);
    TedCopyFile dialog(
        this, rule, *Environment().project, entry->Module().MainClassName(), Environment().fileDialogs,
        [this, edited](const std::string& name) { return IsTextUnique(FWorking.get(), edited, name, 0); });
    return ExecDialog(dialog);
}

void TfrCopyFilesEditor::SetReadOnly(bool readOnly) {
    TfrEditor::SetReadOnly(readOnly);
    FList->SetReadOnly(readOnly);
}

void TfrCopyFilesEditor::Initialize(TEditorItem& item) {
    TfrEditor::Initialize(item);
    FWorking->Assign(*static_cast<TCopyFileCollection*>(Object()));
    FList->Refresh(0);
}

void TfrCopyFilesEditor::Apply() {
    TfrEditor::Apply();
    static_cast<TCopyFileCollection*>(Object())->Assign(*FWorking);
}

// --- Releases from the window ----------------------------------------------------------------------

void RunProjectRelease(const TemgpProject& project, const TReleaseDll& release) {
    const std::vector<TemgModule*> classModules = project.ClassModules();
    const std::vector<std::string> problems =
        RunRelease(release, project, std::vector<const TemgModule*>(classModules.begin(), classModules.end()));
    if (!problems.empty()) ShowProblems(Format(kReleaseProblems, release.GetName()), problems);
}

}  // namespace quillon
