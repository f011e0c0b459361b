#include "workbench/ElementEditors.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "elements/DesignClass.h"
#include "elements/Properties.h"
#include "generator/Module.h"
#include "model/ModifiedClasses.h"
#include "project/Project.h"
#include "workbench/PublishedValues.h"
#include "workbench/QtText.h"
#include "workbench/WorkbenchMessages.h"

namespace quillon {

// --- TfrAppellationEditor --------------------------------------------------------------------------

TfrAppellationEditor::TfrAppellationEditor(TfrEditors& editors, const TEditorEnvironment& environment)
    : TfrEditor(editors, environment) {
    FAppellation = new TfrAppellation;
    FAppellation->setObjectName("frAppellation");
    FAppellation->IsUnique = [this](std::string_view name) { return IsNameUnique(name); };
    Body().addWidget(FAppellation);
}

void TfrAppellationEditor::SetReadOnly(bool readOnly) {
    TfrEditor::SetReadOnly(readOnly);
    FAppellation->SetReadOnly(readOnly);
}

void TfrAppellationEditor::Initialize(TEditorItem& item) {
    TfrEditor::Initialize(item);
    LoadAppellation();
}

void TfrAppellationEditor::Apply() {
    TfrEditor::Apply();
    ApplyAppellation();
    SetDisplayName(QString::fromStdString(FAppellation->Name()));
}

bool TfrAppellationEditor::Validate() {
    if (!TfrEditor::Validate() || !FAppellation->Validate()) return false;
    // A name the generated code declares already: the module editor edits its module's entry.
    const TemgModule* module = Module();
    if (!module || !FAppellation->NameEdit().isEnabled()) return true;
    const TPersistent* element = dynamic_cast<const TemgpModule*>(Object()) ? module : Object();
    const std::string taken = module->TakenNameMessage(element, FAppellation->Name());
    return taken.empty() || Refuse(taken, &FAppellation->NameEdit().Edit());
}

TemgModule* TfrAppellationEditor::Module() const {
    TemgpModule* entry = Item() ? Item()->ModuleEntry() : nullptr;
    return entry ? &entry->Module() : nullptr;
}

void TfrAppellationEditor::LoadAppellation() {
    if (const auto* element = dynamic_cast<const TemgAppellationItem*>(Object()))
        FAppellation->Load(element->GetName(), element->GetCaption());
}

void TfrAppellationEditor::ApplyAppellation() {
    if (auto* element = dynamic_cast<TemgAppellationItem*>(Object())) {
        element->SetName(FAppellation->Name());
        element->SetCaption(FAppellation->Comment());
    }
}

bool TfrAppellationEditor::IsNameUnique(std::string_view name) const {
    auto* element = dynamic_cast<TCollectionItem*>(Object());
    auto* collection = element ? dynamic_cast<TModifiedCollection*>(element->Collection()) : nullptr;
    return !collection || IsTextUnique(collection, element, name, 0);
}

// --- TfrPropertyEditor -----------------------------------------------------------------------------

TfrPropertyEditor::TfrPropertyEditor(TfrEditors& editors, const TEditorEnvironment& environment)
    : TfrAppellationEditor(editors, environment) {
    FDataTypes = new TfrDataTypes;
    FDataTypes->setObjectName("frDataTypes");
    Body().addWidget(FDataTypes);

    auto* access = new QHBoxLayout;
    access->addSpacing(kLabelWidth + access->spacing());
    FExport = new QCheckBox(tr("Export"));
    FExport->setObjectName("cbExport");
    FRead = new QCheckBox(tr("Read"));
    FRead->setObjectName("cbRead");
    FWrite = new QCheckBox(tr("Write"));
    FWrite->setObjectName("cbWrite");
    access->addWidget(FExport);
    access->addSpacing(16);
    access->addWidget(FRead);
    access->addWidget(FWrite);
    access->addStretch(1);
    Body().addLayout(access);

    FDefaultValue = new TfrDefaultValue(tr("Default Value"));
    FDefaultValue->setObjectName("frDefaultValue");
    FDefaultValue->Edit().setObjectName("edDefaultValue");
    Body().addWidget(FDefaultValue);
    Body().addStretch(1);

    // The values to choose a default from follow the chosen type.
    FDataTypes->OnChanged = [this] {
        if (TemgModule* module = Module()) FDefaultValue->SetValues(module->TypeValues(FDataTypes->TypeName()));
    };
}

TemgProperty& TfrPropertyEditor::Property() const { return *static_cast<TemgProperty*>(Object()); }

void TfrPropertyEditor::SetReadOnly(bool readOnly) {
    TfrAppellationEditor::SetReadOnly(readOnly);
    FDataTypes->SetReadOnly(readOnly);
    for (QCheckBox* box : {FExport, FRead, FWrite}) box->setEnabled(!readOnly);
    FDefaultValue->SetReadOnly(readOnly);
}

void TfrPropertyEditor::Initialize(TEditorItem& item) {
    TfrAppellationEditor::Initialize(item);
    const TemgProperty& property = Property();
    // An event's type is a procedural type.
    if (TemgModule* module = Module()) FDataTypes->SetModule(*module, property.GetEvent());
    FDataTypes->Load(property.DataType());
    FExport->setChecked(property.GetExported());
    FRead->setChecked(property.IsReadable());
    FWrite->setChecked(property.IsWritable());
    FDefaultValue->SetValue(property.GetDefaultValue());
    if (FDataTypes->OnChanged) FDataTypes->OnChanged();
}

bool TfrPropertyEditor::Validate() {
    if (!TfrAppellationEditor::Validate() || !FDataTypes->Validate()) return false;
    if (!FRead->isChecked() && !FWrite->isChecked()) return Refuse(std::string(kReadOrWriteMustBeSet), FRead);
    return true;
}

void TfrPropertyEditor::Apply() {
    TfrAppellationEditor::Apply();
    TemgProperty& property = Property();
    FDataTypes->ApplyTo(property.DataType());
    property.SetExported(FExport->isChecked());
    TAccessTypes access;
    if (FRead->isChecked()) access.Include(atRead);
    if (FWrite->isChecked()) access.Include(atWrite);
    property.SetAccessTypes(access);
    property.SetDefaultValue(FDefaultValue->Value());
}

bool TfrPropertyEditor::IsNameUnique(std::string_view name) const {
    const TemgModule* module = Module();
    return !module || module->MainClass().IsMemberNameUnique(Object(), name, 0);
}

// --- TfrValuesEditor -------------------------------------------------------------------------------

TfrValuesEditor::TfrValuesEditor(TfrEditors& editors, const TEditorEnvironment& environment)
    : TfrEditor(editors, environment) {
    FValues = new QTreeWidget;
    FValues->setObjectName("tvValues");
    FValues->setColumnCount(2);
    FValues->setHeaderLabels({tr("Property"), tr("Value")});
    FValues->setRootIsDecorated(false);
    FValues->setAlternatingRowColors(true);
    FValues->setSelectionMode(QAbstractItemView::NoSelection);
    FValues->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    Body().addWidget(FValues, 1);
    SetReadOnly(true);
}

void TfrValuesEditor::Initialize(TEditorItem& item) {
    TfrEditor::Initialize(item);
    for (const auto& [name, value] : PublishedValues(item.Object())) {
        QString text = ToQ(value).trimmed();
        text.replace("\r\n", " \u21B5 ");
        new QTreeWidgetItem(FValues, {ToQ(name), text});
    }
}

}  // namespace quillon
