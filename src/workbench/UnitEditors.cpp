#include "workbench/UnitEditors.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "elements/ElementBase.h"
#include "generator/UnitsManager.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/ShellOpen.h"
#include "platform/UserDialogs.h"
#include "project/Project.h"
#include "source/SourceBase.h"
#include "workbench/EditorFrames.h"
#include "workbench/ModuleEditors.h"
#include "workbench/PascalHighlighter.h"
#include "workbench/QtText.h"
#include "workbench/WorkbenchMessages.h"

namespace quillon {

namespace {

// Why the module of `entry` never writes `unit`, one of its generated-unit kinds; empty when it
// writes it. The common types module writes its types unit only; a class module the units of its
// server option and, with a connection of its own, the data module.
std::string UnitNotWrittenReason(const TemgpModule& entry, const TUnitsManager& unit) {
    const TemgModule& module = entry.Module();
    if (unit.Collection() != &module.Units()) return {};
    const std::string caption(unit.Caption());
    const TServerOption server = module.GetServerOption();
    const auto notForServer = [&] {
        return Format(kUnitNotForServerOption, caption, ToStd(ServerOptionCaption(server)));
    };
    if (entry.Index() == 0)
        return unit.Kind() == TFileKind::TypesUnit ? std::string() : Format(kUnitNotForCommonTypes, caption);
    switch (unit.Kind()) {
        case TFileKind::TypesUnit: return Format(kUnitOnlyForCommonTypes, caption);
        case TFileKind::InterfaceUnit: return IsComOption(server) ? std::string() : notForServer();
        case TFileKind::LibraryProject: return IsLibraryOption(server) ? std::string() : notForServer();
        case TFileKind::DataModuleUnit:
            return module.HasOwnConnection() ? std::string() : Format(kUnitOnlyForOwnConnection, caption);
        default: return {};
    }
}

// Generated text ends its lines with CR LF; the memo wants plain line breaks.
QString MemoText(std::string_view text) {
    QString result = ToQ(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

}  // namespace

QPlainTextEdit* NewCodeMemo(const char* objectName, QWidget* parent) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(objectName);
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    new PascalHighlighter(memo->document());
    return memo;
}

// --- TfrUnitEditor ---------------------------------------------------------------------------------

TfrUnitEditor::TfrUnitEditor(TfrEditors& editors, const TEditorEnvironment& environment)
    : TfrEditor(editors, environment) {
    FFileName = new TfrEdit(tr("File Name"));
    FFileName->setObjectName("frFileName");
    FFileName->Edit().setObjectName("edFileName");
    FFileName->SetReadOnly(true);
    FOpen = new QPushButton(tr("Open in Delphi"));
    FOpen->setObjectName("btOpenInDelphi");
    FFileName->layout()->addWidget(FOpen);
    Body().addWidget(FFileName);
    FCode = NewCodeMemo("meCode");
    Body().addWidget(FCode, 1);
    connect(FOpen, &QPushButton::clicked, this, &TfrUnitEditor::OpenInDelphi);
    // A generated unit is shown, never edited.
    SetReadOnly(true);
}

const TUnitsManager& TfrUnitEditor::Unit() const { return *static_cast<const TUnitsManager*>(Object()); }

std::string TfrUnitEditor::FilePath() const {
    const TemgpProject* project = Environment().project;
    return Unit().FileName(project ? project->GetSrcPath() : std::string());
}

void TfrUnitEditor::Initialize(TEditorItem& item) {
    TfrEditor::Initialize(item);
    RefreshEditor();
}

std::string TfrUnitEditor::NotWrittenReason() const {
    const TemgpModule* entry = Item() ? Item()->ModuleEntry() : nullptr;
    return entry ? UnitNotWrittenReason(*entry, Unit()) : std::string();
}

void TfrUnitEditor::RefreshEditor() {
    FFileName->SetText(FilePath());
    const std::string notWritten = NotWrittenReason();
    FOpen->setEnabled(notWritten.empty());
    if (!notWritten.empty()) {
        FCode->setPlainText(QStringLiteral("{ %1 }").arg(ToQ(notWritten)));
        return;
    }
    const TemgpProject* project = Environment().project;
    if (!project) return;
    // A written unit shows as the file has it, header and the developer's own code included;
    // one not written yet as the generator would build it. A model the generator cannot build
    // yet (a reference to a missing class, say) shows why.
    try {
        const std::string fileName = FilePath();
        FCode->setPlainText(MemoText(FileExists(fileName) ? ReadFileBytes(fileName) : Unit().Text(*project)));
    } catch (const std::exception& error) {
        FCode->setPlainText(QStringLiteral("{ %1 }").arg(ToQ(error.what())));
    }
}

void TfrUnitEditor::OpenInDelphi() {
    if (const std::string notWritten = NotWrittenReason(); !notWritten.empty()) {
        Dialogs().ShowMessage(MessageKind::Information, notWritten);
        return;
    }
    const std::string path = FilePath();
    if (!FileExists(path)) {
        Dialogs().ShowMessage(MessageKind::Information, Format(kUnitFileNotGenerated, path));
        return;
    }
    ShellOpen(path);
}

// --- TfrUnitsGroupEditor ---------------------------------------------------------------------------

TfrUnitsGroupEditor::TfrUnitsGroupEditor(TfrEditors& editors, const TEditorEnvironment& environment)
    : TfrEditor(editors, environment) {
    auto* label = new QLabel(tr("Description"));
    Body().addWidget(label);
    FDescription = new QPlainTextEdit;
    FDescription->setObjectName("meDescription");
    FDescription->setReadOnly(true);
    FDescription->setLineWrapMode(QPlainTextEdit::NoWrap);
    Body().addWidget(FDescription, 1);
    SetReadOnly(true);
}

void TfrUnitsGroupEditor::Initialize(TEditorItem& item) {
    TfrEditor::Initialize(item);
    RefreshEditor();
}

void TfrUnitsGroupEditor::RefreshEditor() {
    // The group node stands for the module's unit list; a unit of the group kind for the list it
    // belongs to.
    const TUnitsManagerCollection* units = dynamic_cast<const TUnitsManagerCollection*>(Object());
    if (const auto* unit = dynamic_cast<const TUnitsManager*>(Object()))
        units = dynamic_cast<const TUnitsManagerCollection*>(unit->Collection());
    if (!units) return;
    const TemgpProject* project = Environment().project;
    const std::string base = project ? project->GetSrcPath() : std::string();
    QString text = tr("The units the generator writes for this module, and their files:") + "\n\n";
    for (int i = 0; i < units->Count(); ++i) {
        const TUnitsManager& unit = *units->Items(i);
        if (unit.Kind() == TFileKind::UnitsGroup) continue;
        text += ToQ(unit.Caption()) + "\n    " + ToQ(unit.FileName(base)) + "\n";
    }
    FDescription->setPlainText(text);
}

// --- TfrCodeEditor ---------------------------------------------------------------------------------

TfrCodeEditor::TfrCodeEditor(TfrEditors& editors, const TEditorEnvironment& environment)
    : TfrEditor(editors, environment) {
    FCode = NewCodeMemo("meCode");
    Body().addWidget(FCode, 1);
    SetReadOnly(true);
}

void TfrCodeEditor::Initialize(TEditorItem& item) {
    TfrEditor::Initialize(item);
    RefreshEditor();
}

void TfrCodeEditor::RefreshEditor() {
    // Design elements give their declarations, source-model items (enumerated types) their code;
    // a collection of objects that declare nothing lists their names.
    std::string code;
    if (const auto* elements = dynamic_cast<const TemgCollection*>(Object())) code = elements->DeclarationText();
    if (const auto* source = dynamic_cast<const TgmcCollection*>(Object())) code = source->PlainSrcCode();
    if (!code.empty()) {
        FCode->setPlainText(MemoText(code));
        return;
    }
    QString text;
    if (const auto* collection = dynamic_cast<const TCollection*>(Object()))
        for (int i = 0; i < collection->Count(); ++i) text += ToQ(collection->Item(i)->GetDisplayName()) + "\n";
    FCode->setPlainText(text);
}

}  // namespace quillon
