#include "workbench/TypeEditors.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "elements/ProceduralTypes.h"
#include "elements/RegisteredTypes.h"
#include "generator/Module.h"
#include "platform/Text.h"
#include "project/Project.h"
#include "source/SourceTypes.h"
#include "workbench/QtText.h"
#include "workbench/WorkbenchMessages.h"

namespace quillon {

// --- TfrEnumValues ---------------------------------------------------------------------------------

TfrEnumValues::TfrEnumValues(QWidget* parent)
    : TfrEditedListView({tr("Name"), tr("Comment")}, parent), FValues(std::make_unique<TgmcEnumValues>()) {
    setObjectName("frEnumValues");
    List().setObjectName("lvValues");
}

TfrEnumValues::~TfrEnumValues() = default;

void TfrEnumValues::SetContext(const TgmcEnumTypes* types, std::string_view typeName) {
    FTypes = types;
    FTypeName = typeName;
}

void TfrEnumValues::Load(const TgmcEnumValues& values) {
    FValues->Assign(values);
    Refresh(0);
}

void TfrEnumValues::ApplyTo(TgmcEnumValues& values) const { values.Assign(*FValues); }

bool TfrEnumValues::Validate() {
    if (FValues->Count() == 0) return Refuse(std::string(kEnumNeedsValue), &List());
    return true;
}

int TfrEnumValues::Count() const { return FValues->Count(); }

QStringList TfrEnumValues::RowTexts(int row) const {
    const TgmcEnumValue& value = *FValues->Items(row);
    return {ToQ(value.GetName()), ToQ(value.GetCaption())};
}

bool TfrEnumValues::EditValue(TgmcEnumValue& value, int row) {
    TedEnumValue dialog(this, value, [this, row](std::string_view name) {
        for (int i = 0; i < FValues->Count(); ++i)
            if (i != row && SameText(FValues->Items(i)->GetName(), name)) return false;
        // The stored values of the edited type are the working copy's business, not a clash.
        return !FTypes || FTypes->IsValueNameUnique(FTypeName, name);
    });
    return ExecDialog(dialog);
}

bool TfrEnumValues::NewEntry() {
    // Edited apart from the list, so that a cancelled dialog leaves no entry behind.
    TgmcEnumValue draft;
    if (!EditValue(draft, -1)) return false;
    FValues->Add()->Assign(draft);
    return true;
}

bool TfrEnumValues::EditEntry(int row) {
    TgmcEnumValue draft;
    draft.Assign(*FValues->Items(row));
    if (!EditValue(draft, row)) return false;
    FValues->Items(row)->Assign(draft);
    return true;
}

void TfrEnumValues::DeleteEntry(int row) { FValues->Delete(row); }

void TfrEnumValues::MoveEntry(int from, int to) { FValues->Move(from, to); }

// --- TedEnumValue ----------------------------------------------------------------------------------

TedEnumValue::TedEnumValue(QWidget* parent, TgmcEnumValue& value, std::function<bool(std::string_view)> isUnique)
    : TfmBaseDialog(parent, tr("Value")), FValue(value) {
    setObjectName("edEnumValue");
    FAppellation = new TfrAppellation;
    FAppellation->setObjectName("frAppellation");
    FAppellation->IsUnique = std::move(isUnique);
    FAppellation->Load(value.GetName(), value.GetCaption());
    Body().addWidget(FAppellation);
    Body().addStretch(1);
    resize(440, 200);
}

bool TedEnumValue::Validate() { return FAppellation->Validate(); }

void TedEnumValue::Apply() {
    FValue.SetName(FAppellation->Name());
    FValue.SetCaption(FAppellation->Comment());
}

// --- TfrTypeEditor ---------------------------------------------------------------------------------

void TfrTypeEditor::ApplyAppellation() {
    TgmcAppellation& appellation = TypeAppellation();
    TgmcAppellation old;
    old.Assign(appellation);
    appellation.SetName(Appellation().Name());
    appellation.SetCaption(Appellation().Comment());
    // Members and procedural types name their types: they follow the new name.
    if (old.GetName() != appellation.GetName() && Environment().project)
        Environment().project->RenameReferences(old, &appellation, nullptr);
}

bool TfrTypeEditor::IsNameUnique(std::string_view name) const {
    const TemgModule* module = Module();
    return !module || module->IsTypeNameUnique(name, Object());
}

// --- TfrRegisteredDataTypeEditor -------------------------------------------------------------------

TfrRegisteredDataTypeEditor::TfrRegisteredDataTypeEditor(TfrEditors& editors, const TEditorEnvironment& environment)
    : TfrTypeEditor(editors, environment) {
    FUnit = new TfrEdit(tr("Declared in Unit"));
    FUnit->setObjectName("frUnit");
    FUnit->Edit().setObjectName("edUnit");
    Body().addWidget(FUnit);
    FProcedural = NamedCheckBox(tr("Procedural Type"), "cbProceduralType");
    Body().addLayout(FieldRow({FProcedural}));
    Body().addStretch(1);
}

TgmcAppellation& TfrRegisteredDataTypeEditor::TypeAppellation() const {
    return static_cast<TemgRegisteredDataType&>(*Object()).Appellation();
}

void TfrRegisteredDataTypeEditor::SetReadOnly(bool readOnly) {
    TfrTypeEditor::SetReadOnly(readOnly);
    FUnit->SetReadOnly(readOnly);
    FProcedural->setEnabled(!readOnly);
}

void TfrRegisteredDataTypeEditor::Initialize(TEditorItem& item) {
    TfrTypeEditor::Initialize(item);
    const auto& type = static_cast<const TemgRegisteredDataType&>(*Object());
    FUnit->SetText(type.GetModuleName());
    FProcedural->setChecked(type.GetProceduralType());
}

void TfrRegisteredDataTypeEditor::Apply() {
    TfrTypeEditor::Apply();
    auto& type = static_cast<TemgRegisteredDataType&>(*Object());
    type.SetModuleName(FUnit->Text());
    type.SetProceduralType(FProcedural->isChecked());
}

// --- TfrEnumDataTypeEditor -------------------------------------------------------------------------

TfrEnumDataTypeEditor::TfrEnumDataTypeEditor(TfrEditors& editors, const TEditorEnvironment& environment)
    : TfrTypeEditor(editors, environment) {
    FValues = new TfrEnumValues;
    Body().addWidget(LabelledRow(tr("Values"), FValues), 1);
}

TgmcAppellation& TfrEnumDataTypeEditor::TypeAppellation() const {
    return static_cast<TgmcEnumType&>(*Object()).Appellation();
}

void TfrEnumDataTypeEditor::LoadAppellation() {
    const auto& type = static_cast<const TgmcEnumType&>(*Object());
    Appellation().Load(type.GetName(), type.GetCaption());
}

void TfrEnumDataTypeEditor::SetReadOnly(bool readOnly) {
    TfrTypeEditor::SetReadOnly(readOnly);
    FValues->SetReadOnly(readOnly);
}

void TfrEnumDataTypeEditor::Initialize(TEditorItem& item) {
    TfrTypeEditor::Initialize(item);
    const auto& type = static_cast<const TgmcEnumType&>(*Object());
    const TemgModule* module = Module();
    FValues->SetContext(module ? &module->EnumTypes() : nullptr, type.GetName());
    FValues->Load(type.Values());
}

bool TfrEnumDataTypeEditor::Validate() { return TfrTypeEditor::Validate() && FValues->Validate(); }

void TfrEnumDataTypeEditor::Apply() {
    TfrTypeEditor::Apply();
    auto& type = static_cast<TgmcEnumType&>(*Object());
    FValues->ApplyTo(type.Values());
    // The value names now clash with other types only under the applied name.
    FValues->SetContext(Module() ? &Module()->EnumTypes() : nullptr, type.GetName());
}

// --- TfrProceduralDataTypeEditor -------------------------------------------------------------------

TfrProceduralDataTypeEditor::TfrProceduralDataTypeEditor(TfrEditors& editors, const TEditorEnvironment& environment)
    : TfrTypeEditor(editors, environment) {
    FSignature = new TfrRoutineSignature;
    FSignature->KindRow().addStretch(1);
    Body().addWidget(FSignature, 1);
}

TgmcAppellation& TfrProceduralDataTypeEditor::TypeAppellation() const {
    return static_cast<TemgProceduralType&>(*Object()).Appellation();
}

void TfrProceduralDataTypeEditor::SetReadOnly(bool readOnly) {
    TfrTypeEditor::SetReadOnly(readOnly);
    FSignature->SetReadOnly(readOnly);
}

void TfrProceduralDataTypeEditor::Initialize(TEditorItem& item) {
    TfrTypeEditor::Initialize(item);
    const auto& type = static_cast<const TemgProceduralType&>(*Object());
    FSignature->SetModule(Module());
    FSignature->Load(type.GetMethodCategory() == mcFunction, type.DataType(), type.Parameters());
}

bool TfrProceduralDataTypeEditor::Validate() {
    return TfrTypeEditor::Validate() && FSignature->Validate();
}

void TfrProceduralDataTypeEditor::Apply() {
    TfrTypeEditor::Apply();
    auto& type = static_cast<TemgProceduralType&>(*Object());
    type.SetMethodCategory(FSignature->IsFunction() ? mcFunction : mcProcedure);
    FSignature->ApplyResultTo(type.DataType());
    FSignature->ParameterList().ApplyTo(type.Parameters());
}

}  // namespace quillon
