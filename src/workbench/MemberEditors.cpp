#include "workbench/MemberEditors.h"
#include "workbench/QtText.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "elements/DesignClass.h"
#include "elements/ElementMessages.h"
#include "elements/ElementRules.h"
#include "elements/Methods.h"
#include "generator/Module.h"
#include "platform/Text.h"

namespace quillon {

namespace {

QString ModifierText(TParameterCategory category) {
    switch (category) {
        case pcNone: return {};
        case pcConst: return QStringLiteral("const");
        case pcVar: return QStringLiteral("var");
    }
    return {};
}

}  // namespace

QWidget* LabelledRow(const QString& label, QWidget* field) {
    auto* widget = new QWidget;
    auto* row = new QHBoxLayout(widget);
    row->setContentsMargins(0, 0, 0, 0);
    QLabel* text = RowLabel(label);
    if (!field) {
        row->addWidget(text);
        return widget;
    }
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setBuddy(field);
    row->addWidget(text, 0, Qt::AlignTop);
    row->addWidget(field, 1);
    return widget;
}

QHBoxLayout& Row(QWidget* row) { return *static_cast<QHBoxLayout*>(row->layout()); }

// --- TfrParameters ---------------------------------------------------------------------------------

TfrParameters::TfrParameters(QWidget* parent)
    : TfrEditedListView({tr("Name"), tr("Type"), tr("Modifier"), tr("Default Value")}, parent),
      FParameters(std::make_unique<TemgParameters>()) {
    setObjectName("frParameters");
    List().setObjectName("lvParameters");
}

TfrParameters::~TfrParameters() = default;

void TfrParameters::Load(const TemgParameters& parameters) {
    FParameters->Assign(parameters);
    Refresh(0);
}

void TfrParameters::ApplyTo(TemgParameters& parameters) const { parameters.Assign(*FParameters); }

bool TfrParameters::Validate() {
    if (const std::string refusal = ParametersRefusal(*FParameters); !refusal.empty()) return Refuse(refusal, &List());
    return true;
}

int TfrParameters::Count() const { return FParameters->Count(); }

QStringList TfrParameters::RowTexts(int row) const {
    const TemgParameter& parameter = *FParameters->Items(row);
    return {ToQ(parameter.GetName()), ToQ(parameter.DataType().GetName()), ModifierText(parameter.GetCategory()),
            ToQ(parameter.GetDefaultValue())};
}

bool TfrParameters::NewEntry() {
    // Edited apart from the list, so that a cancelled dialog leaves no entry behind.
    TemgParameter draft;
    TedParameter dialog(this, draft, *FParameters, -1, FModule);
    if (!ExecDialog(dialog)) return false;
    FParameters->Add()->Assign(draft);
    return true;
}

bool TfrParameters::EditEntry(int row) {
    TemgParameter draft;
    draft.Assign(*FParameters->Items(row));
    TedParameter dialog(this, draft, *FParameters, row, FModule);
    if (!ExecDialog(dialog)) return false;
    FParameters->Items(row)->Assign(draft);
    return true;
}

void TfrParameters::DeleteEntry(int row) { FParameters->Delete(row); }

void TfrParameters::MoveEntry(int from, int to) { FParameters->Move(from, to); }

// --- TfrParameterFields ----------------------------------------------------------------------------

TfrParameterFields::TfrParameterFields(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    FDataTypes = new TfrDataTypes;
    FDataTypes->setObjectName("frDataTypes");
    layout->addWidget(FDataTypes);

    QWidget* modifier = LabelledRow(tr("Modifier"));
    FNone = new QRadioButton(tr("none"));
    FNone->setObjectName("rbNone");
    FConst = new QRadioButton(tr("const"));
    FConst->setObjectName("rbConst");
    FVar = new QRadioButton(tr("var "));
    FVar->setObjectName("rbVar");
    for (QRadioButton* button : {FNone, FConst, FVar}) Row(modifier).addWidget(button);
    Row(modifier).addStretch(1);
    layout->addWidget(modifier);

    FDefaultValue = new TfrDefaultValue(tr("Default Value"));
    FDefaultValue->setObjectName("frDefaultValue");
    FDefaultValue->Edit().setObjectName("edDefaultValue");
    layout->addWidget(FDefaultValue);

    // The values to choose a default from follow the chosen type.
    FDataTypes->OnChanged = [this] {
        if (FModule) FDefaultValue->SetValues(FModule->TypeValues(FDataTypes->TypeName()));
    };
}

void TfrParameterFields::SetModule(TemgModule* module) {
    FModule = module;
    if (module) FDataTypes->SetModule(*module);
}

void TfrParameterFields::Load(const TemgParameter& parameter) {
    FDataTypes->Load(parameter.DataType());
    switch (parameter.GetCategory()) {
        case pcNone: FNone->setChecked(true); break;
        case pcConst: FConst->setChecked(true); break;
        case pcVar: FVar->setChecked(true); break;
    }
    FDefaultValue->SetValue(parameter.GetDefaultValue());
    FDataTypes->OnChanged();
}

void TfrParameterFields::ApplyTo(TemgParameter& parameter) const {
    FDataTypes->ApplyTo(parameter.DataType());
    parameter.SetCategory(FConst->isChecked() ? pcConst : FVar->isChecked() ? pcVar : pcNone);
    parameter.SetDefaultValue(FDefaultValue->Value());
}

void TfrParameterFields::SetReadOnly(bool readOnly) {
    FDataTypes->SetReadOnly(readOnly);
    for (QRadioButton* button : {FNone, FConst, FVar}) button->setEnabled(!readOnly);
    FDefaultValue->SetReadOnly(readOnly);
}

bool TfrParameterFields::Validate() const { return FDataTypes->Validate(); }

// --- TfrParameterEditor ----------------------------------------------------------------------------

TfrParameterEditor::TfrParameterEditor(TfrEditors& editors, const TEditorEnvironment& environment)
    : TfrAppellationEditor(editors, environment) {
    FFields = new TfrParameterFields;
    FFields->setObjectName("frParameterFields");
    Body().addWidget(FFields);
    Body().addStretch(1);
}

void TfrParameterEditor::SetReadOnly(bool readOnly) {
    TfrAppellationEditor::SetReadOnly(readOnly);
    FFields->SetReadOnly(readOnly);
}

void TfrParameterEditor::Initialize(TEditorItem& item) {
    TfrAppellationEditor::Initialize(item);
    FFields->SetModule(Module());
    FFields->Load(static_cast<const TemgParameter&>(*Object()));
}

bool TfrParameterEditor::Validate() { return TfrAppellationEditor::Validate() && FFields->Validate(); }

void TfrParameterEditor::Apply() {
    TfrAppellationEditor::Apply();
    FFields->ApplyTo(static_cast<TemgParameter&>(*Object()));
}

// --- TedParameter ----------------------------------------------------------------------------------

TedParameter::TedParameter(QWidget* parent, TemgParameter& parameter, const TemgParameters& siblings,
                           int editedRow, TemgModule* module)
    : TfmBaseDialog(parent, tr("Parameter")), FParameter(parameter), FSiblings(siblings), FEditedRow(editedRow) {
    setObjectName("edParameter");
    FAppellation = new TfrAppellation;
    FAppellation->setObjectName("frAppellation");
    // The copy stands for its entry: an edited entry does not collide with itself.
    FAppellation->IsUnique = [this](std::string_view name) {
        for (int i = 0; i < FSiblings.Count(); ++i)
            if (i != FEditedRow && SameText(FSiblings.Items(i)->GetName(), name)) return false;
        return true;
    };
    Body().addWidget(FAppellation);
    FFields = new TfrParameterFields;
    FFields->setObjectName("frParameterFields");
    FFields->SetModule(module);
    Body().addWidget(FFields);
    Body().addStretch(1);
    FAppellation->Load(parameter.GetName(), parameter.GetCaption());
    FFields->Load(parameter);
    resize(480, 300);
}

bool TedParameter::Validate() { return FAppellation->Validate() && FFields->Validate(); }

void TedParameter::Apply() {
    FParameter.SetName(FAppellation->Name());
    FParameter.SetCaption(FAppellation->Comment());
    FFields->ApplyTo(FParameter);
}

// --- TfrRoutineKind --------------------------------------------------------------------------------

TfrRoutineKind::TfrRoutineKind(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addSpacing(kLabelWidth + layout->spacing());
    FProcedure = new QRadioButton(tr("Procedure"));
    FProcedure->setObjectName("rbProcedure");
    FFunction = new QRadioButton(tr("Function"));
    FFunction->setObjectName("rbFunction");
    layout->addWidget(FProcedure);
    layout->addWidget(FFunction);
    layout->addStretch(1);
    FProcedure->setChecked(true);
    connect(FFunction, &QRadioButton::toggled, this, [this] { emit Toggled(); });
}

bool TfrRoutineKind::IsFunction() const { return FFunction->isChecked(); }

void TfrRoutineKind::SetFunction(bool function) { (function ? FFunction : FProcedure)->setChecked(true); }

void TfrRoutineKind::SetReadOnly(bool readOnly) {
    FProcedure->setEnabled(!readOnly);
    FFunction->setEnabled(!readOnly);
}

// --- TfrRoutineSignature ---------------------------------------------------------------------------

TfrRoutineSignature::TfrRoutineSignature(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    FKindRow = new QHBoxLayout;
    FKind = new TfrRoutineKind;
    FKind->setObjectName("frRoutineKind");
    FKindRow->addWidget(FKind);
    layout->addLayout(FKindRow);
    FResultType = new TfrDataTypes(nullptr, tr("Result Type"));
    FResultType->setObjectName("frResultType");
    layout->addWidget(FResultType);
    FParameters = new TfrParameters;
    layout->addWidget(LabelledRow(tr("Parameters"), FParameters), 1);
    connect(FKind, &TfrRoutineKind::Toggled, this, [this] { UpdateControls(); });
    UpdateControls();
}

void TfrRoutineSignature::SetModule(TemgModule* module) {
    if (module) FResultType->SetModule(*module);
    FParameters->SetModule(module);
}

void TfrRoutineSignature::Load(bool function, const TemgDataType& result, const TemgParameters& parameters) {
    FKind->SetFunction(function);
    FResultType->Load(result);
    FParameters->Load(parameters);
    UpdateControls();
}

void TfrRoutineSignature::SetReadOnly(bool readOnly) {
    FReadOnly = readOnly;
    FKind->SetReadOnly(readOnly);
    FParameters->SetReadOnly(readOnly);
    UpdateControls();
}

bool TfrRoutineSignature::IsFunction() const { return FKind->IsFunction(); }

void TfrRoutineSignature::UpdateControls() { FResultType->SetReadOnly(FReadOnly || !IsFunction()); }

bool TfrRoutineSignature::Validate() {
    if (IsFunction() && !FResultType->Validate()) return false;
    return FParameters->Validate();
}

void TfrRoutineSignature::ApplyResultTo(TemgDataType& result) const {
    if (IsFunction()) {
        FResultType->ApplyTo(result);
        return;
    }
    result.SetName("");
    result.SetCategory(dtRegistered);
}

// --- TfrMethodEditor -------------------------------------------------------------------------------

TfrMethodEditor::TfrMethodEditor(TfrEditors& editors, const TEditorEnvironment& environment)
    : TfrAppellationEditor(editors, environment) {
    FSignature = new TfrRoutineSignature;
    FExport = NamedCheckBox(tr("Export"), "cbExport");
    FSignature->KindRow().addSpacing(16);
    FSignature->KindRow().addWidget(FExport);
    FSignature->KindRow().addStretch(1);
    Body().addWidget(FSignature, 1);
    // "Export" stands in the row of the routine kind and follows it in the Tab order.
    setTabOrder(FSignature->findChild<QRadioButton*>("rbFunction"), FExport);

    FDeclaration = new QTextEdit;
    FDeclaration->setObjectName("meDeclaration");
    FDeclaration->setReadOnly(true);
    FDeclaration->setAcceptRichText(false);
    FDeclaration->setLineWrapMode(QTextEdit::WidgetWidth);
    // Lines break between words only, never inside an identifier; a longer run scrolls.
    FDeclaration->setWordWrapMode(QTextOption::WordWrap);
    FDeclaration->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    FDeclaration->setFixedHeight(FDeclaration->fontMetrics().lineSpacing() * 3 + 12);
    // The preview looks like the read-only text it is.
    QPalette palette = FDeclaration->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    FDeclaration->setPalette(palette);
    FCopy = new QPushButton(tr("Copy"));
    FCopy->setObjectName("btCopy");
    FCopy->setToolTip(tr("Copy the declaration to the clipboard"));
    QWidget* declaration = LabelledRow(tr("Declaration"), FDeclaration);
    Row(declaration).addWidget(FCopy, 0, Qt::AlignTop);
    Body().addWidget(declaration);

    connect(FCopy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(FDeclaration->toPlainText()); });
    // The declaration follows every control it depends on.
    connect(&Appellation().NameEdit().Edit(), &QLineEdit::textChanged, this, [this] { UpdateControls(); });
    connect(&Kind(), &TfrRoutineKind::Toggled, this, [this] { UpdateControls(); });
    connect(&ResultType().Combo(), &QComboBox::currentTextChanged, this, [this] { UpdateControls(); });
    connect(&ParameterList(), &TfrEditedListView::Changed, this, [this] { UpdateControls(); });
}

TemgMethod& TfrMethodEditor::Method() const { return static_cast<TemgMethod&>(*Object()); }

void TfrMethodEditor::SetReadOnly(bool readOnly) {
    TfrAppellationEditor::SetReadOnly(readOnly);
    FSignature->SetReadOnly(readOnly);
    FExport->setEnabled(!readOnly);
    UpdateControls();
}

void TfrMethodEditor::Initialize(TEditorItem& item) {
    FLoading = true;
    TfrAppellationEditor::Initialize(item);
    const TemgMethod& method = Method();
    FSignature->SetModule(Module());
    FSignature->Load(method.GetCategory() == mcFunction, method.DataType(), method.Parameters());
    FExport->setChecked(method.GetExported());
    FLoading = false;
    UpdateControls();
}

void TfrMethodEditor::UpdateControls() {
    if (FLoading) return;
    FDeclaration->setPlainText(ToQ(Declaration()));
}

std::string TfrMethodEditor::Declaration() const {
    // A method that is in no collection, described by the controls, declares itself.
    TemgMethod draft;
    draft.SetName(Appellation().Name());
    draft.SetCategory(FSignature->IsFunction() ? mcFunction : mcProcedure);
    draft.DataType().SetName(ResultType().TypeName());
    draft.SetParameters(ParameterList().Parameters());
    return draft.DeclarationText();
}

bool TfrMethodEditor::Validate() {
    return TfrAppellationEditor::Validate() && FSignature->Validate();
}

void TfrMethodEditor::Apply() {
    TfrAppellationEditor::Apply();
    TemgMethod& method = Method();
    // Constructors and destructors keep their category: the editor offers only the two kinds.
    const TMethodCategory category = method.GetCategory();
    if (FSignature->IsFunction())
        method.SetCategory(mcFunction);
    else if (category == mcFunction)
        method.SetCategory(mcProcedure);
    FSignature->ApplyResultTo(method.DataType());
    method.SetExported(FExport->isChecked());
    ParameterList().ApplyTo(method.Parameters());
}

bool TfrMethodEditor::IsNameUnique(std::string_view name) const {
    const TemgModule* module = Module();
    return !module || module->MainClass().IsMemberNameUnique(Object(), name, 0);
}

}  // namespace quillon
