#include "workbench/EditorFrames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "elements/ElementBase.h"
#include "elements/ElementMessages.h"
#include "elements/ElementRules.h"
#include "generator/Module.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "platform/UserDialogs.h"
#include "workbench/QtText.h"
#include "workbench/WorkbenchMessages.h"

namespace quillon {

namespace {

QToolButton* ToolButton(const char* objectName, const QString& text, const QString& hint) {
    auto* button = new QToolButton;
    button->setObjectName(objectName);
    button->setText(text);
    button->setToolTip(hint);
    return button;
}

}  // namespace

QLabel* RowLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setFixedWidth(kLabelWidth);
    if (buddy) label->setBuddy(buddy);
    return label;
}

QCheckBox* NamedCheckBox(const QString& text, const char* objectName) {
    auto* box = new QCheckBox(text);
    box->setObjectName(objectName);
    return box;
}

QHBoxLayout* FieldRow(std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    row->addSpacing(kLabelWidth + row->spacing());
    for (QWidget* widget : widgets) row->addWidget(widget);
    row->addStretch(1);
    return row;
}

// --- TfrEdit ---------------------------------------------------------------------------------------

TfrEdit::TfrEdit(const QString& label, QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    FLabel = RowLabel(label);
    FEdit = new QLineEdit;
    FLabel->setBuddy(FEdit);
    FRow = new QWidget;
    auto* row = new QHBoxLayout(FRow);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(FEdit, 1);
    layout->addWidget(FLabel);
    layout->addWidget(FRow, 1);
}

QString TfrEdit::Label() const { return FLabel->text().remove('&'); }
std::string TfrEdit::Text() const { return ToStd(FEdit->text()); }
void TfrEdit::SetText(std::string_view text) { FEdit->setText(ToQ(text)); }
void TfrEdit::SetReadOnly(bool readOnly) { FEdit->setReadOnly(readOnly); }

bool RequireField(const TfrEdit& field) {
    if (!field.Text().empty()) return true;
    return Refuse(Format(kFillInField, ToStd(field.Label())), &field.Edit());
}

// --- TfrEditButton ---------------------------------------------------------------------------------

TfrEditButton::TfrEditButton(const QString& label, QWidget* parent) : TfrEdit(label, parent) {
    FButton = ToolButton("btBrowse", QStringLiteral("..."), tr("Browse"));
    Row().layout()->addWidget(FButton);
    connect(FButton, &QToolButton::clicked, this, [this] {
        if (OnBrowse) OnBrowse();
    });
}

void TfrEditButton::SetReadOnly(bool readOnly) {
    TfrEdit::SetReadOnly(readOnly);
    FButton->setEnabled(!readOnly);
}

// --- TfrDefaultValue -------------------------------------------------------------------------------

TfrDefaultValue::TfrDefaultValue(const QString& label, QWidget* parent) : TfrEdit(label, parent) {
    FChoices = new QComboBox;
    FChoices->setObjectName("cbValues");
    FChoices->setEditable(true);
    FChoices->hide();
    Row().layout()->addWidget(FChoices);
    static_cast<QHBoxLayout*>(Row().layout())->setStretchFactor(FChoices, 1);
}

void TfrDefaultValue::SetValues(const std::vector<std::string>& values) {
    const std::string current = Value();
    FChoices->clear();
    // An empty first entry: no default value.
    if (!values.empty()) FChoices->addItem(QString());
    for (const std::string& value : values) FChoices->addItem(ToQ(value));
    FChoices->setVisible(!values.empty());
    Edit().setVisible(values.empty());
    SetValue(current);
}

std::string TfrDefaultValue::Value() const {
    return FChoices->isVisibleTo(this) || !FChoices->isHidden() ? ToStd(FChoices->currentText()) : Text();
}

void TfrDefaultValue::SetValue(std::string_view value) {
    SetText(value);
    FChoices->setCurrentText(ToQ(value));
}

void TfrDefaultValue::SetReadOnly(bool readOnly) {
    TfrEdit::SetReadOnly(readOnly);
    FChoices->setEnabled(!readOnly);
}

// --- TfrAppellation --------------------------------------------------------------------------------

TfrAppellation::TfrAppellation(QWidget* parent, const QString& nameLabel) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    FName = new TfrEdit(nameLabel.isEmpty() ? tr("Name") : nameLabel);
    FName->setObjectName("frName");
    FName->Edit().setObjectName("edName");
    layout->addWidget(FName);
    auto* row = new QHBoxLayout;
    auto* label = RowLabel(tr("Comment"));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    FComment = new QPlainTextEdit;
    FComment->setObjectName("meComment");
    FComment->setTabChangesFocus(true);
    FComment->setFixedHeight(FComment->fontMetrics().lineSpacing() * 3 + 12);
    label->setBuddy(FComment);
    FEditWindow = ToolButton("btEditWindow", QStringLiteral("..."), tr("Edit Window"));
    FEditWindow->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    row->addWidget(label);
    row->addWidget(FComment, 1);
    row->addWidget(FEditWindow, 0, Qt::AlignTop);
    layout->addLayout(row);
    connect(FEditWindow, &QToolButton::clicked, this, &TfrAppellation::EditComment);
}

std::string TfrAppellation::Comment() const { return ToStd(FComment->toPlainText()); }

void TfrAppellation::Load(std::string_view name, std::string_view comment) {
    FName->SetText(name);
    FComment->setPlainText(ToQ(comment));
}

void TfrAppellation::SetNameEnabled(bool enabled) { FName->setEnabled(enabled); }

void TfrAppellation::SetReadOnly(bool readOnly) {
    FName->SetReadOnly(readOnly);
    FComment->setReadOnly(readOnly);
    FEditWindow->setEnabled(!readOnly);
    // A read-only comment looks like the window around it.
    QPalette palette = FComment->palette();
    palette.setColor(QPalette::Base, readOnly ? this->palette().color(QPalette::Window)
                                              : this->palette().color(QPalette::Base));
    FComment->setPalette(palette);
}

bool TfrAppellation::Validate() const {
    if (!FName->isEnabled()) return true;
    const std::string label = ToStd(FName->Label());
    const std::string name = FName->Text();
    QLineEdit* focus = &FName->Edit();
    if (name.empty()) return Refuse(Format(kFillInField, label), focus);
    if (!IsValidIdent(name)) return Refuse(std::string(kNotAnIdentifier), focus);
    if (IsUnique && !IsUnique(name)) return Refuse(Format(kNotUnique, label, name), focus);
    return true;
}

void TfrAppellation::EditComment() {
    TedText dialog(this, tr("Comment"), FComment->toPlainText());
    if (!ExecDialog(dialog)) return;
    FComment->setPlainText(dialog.Text());
    FComment->document()->setModified(true);
}

// --- TedText ---------------------------------------------------------------------------------------

TedText::TedText(QWidget* parent, const QString& caption, const QString& text) : TfmBaseDialog(parent, caption) {
    setObjectName("edText");
    FMemo = new QPlainTextEdit(text);
    FMemo->setObjectName("meText");
    Body().addWidget(FMemo);
    resize(520, 360);
}

QString TedText::Text() const { return FMemo->toPlainText(); }

// --- TfrDataTypes ----------------------------------------------------------------------------------

TfrDataTypes::TfrDataTypes(QWidget* parent, const QString& label) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    FLabel = RowLabel(label.isEmpty() ? tr("Type") : label);
    FCombo = new QComboBox;
    FCombo->setObjectName("cbType");
    FCombo->setEditable(true);
    FCombo->setInsertPolicy(QComboBox::NoInsert);
    FCombo->setMaxVisibleItems(20);
    FLabel->setBuddy(FCombo);
    FRegister = new QToolButton;
    FRegister->setObjectName("btRegister");
    FRegister->setText(tr("Register"));
    FRegister->setToolTip(tr("Register the typed name as a new type"));
    layout->addWidget(FLabel);
    layout->addWidget(FCombo, 1);
    layout->addWidget(FRegister);
    connect(FRegister, &QToolButton::clicked, this, [this] { Register(); });
    connect(FCombo, &QComboBox::currentTextChanged, this, [this] {
        if (OnChanged) OnChanged();
    });
}

void TfrDataTypes::SetModule(TemgModule& module, bool procedural) {
    FModule = &module;
    FProcedural = procedural;
    FillTypes();
}

void TfrDataTypes::FillTypes() {
    const QString current = FCombo->currentText();
    const QSignalBlocker blocker(FCombo);
    FCombo->clear();
    if (FModule)
        for (const TemgModule::TKnownType& type : FModule->KnownTypes())
            if (!FProcedural || type.category == dtProcedural || type.category == dtRegisteredProcedural)
                FCombo->addItem(ToQ(type.name));
    FCombo->setCurrentText(current);
}

void TfrDataTypes::Load(const TemgDataType& type) { SetTypeName(type.GetName()); }

void TfrDataTypes::ApplyTo(TemgDataType& type) const {
    const std::string name = TypeName();
    if (FModule)
        if (const TemgModule::TKnownType known = FModule->FindKnownType(name); !known.name.empty()) {
            type.SetName(known.name);
            type.SetCategory(known.category);
            return;
        }
    type.SetName(name);
}

std::string TfrDataTypes::TypeName() const { return ToStd(FCombo->currentText().trimmed()); }

void TfrDataTypes::SetTypeName(std::string_view name) { FCombo->setCurrentText(ToQ(name)); }

QString TfrDataTypes::Label() const { return FLabel->text().remove('&'); }

void TfrDataTypes::SetReadOnly(bool readOnly) {
    FCombo->setEnabled(!readOnly);
    FRegister->setEnabled(!readOnly);
}

bool TfrDataTypes::Validate() const {
    const std::string name = TypeName();
    if (name.empty()) return Refuse(Format(kFillInField, ToStd(Label())), FCombo);
    if (FModule && FModule->FindKnownType(name).name.empty())
        return Refuse(Format(kTypeNotRegistered, name), FCombo);
    return true;
}

bool TfrDataTypes::Register() {
    if (!FModule) return false;
    const std::string name = TypeName();
    if (!name.empty() && !FModule->FindKnownType(name).name.empty())
        return Refuse(Format(kTypeAlreadyRegistered, name), FCombo);
    if (!RunRegisterDataType(this, *FModule, name)) return false;
    FillTypes();
    // The typed name is a type now (an enumerated one offers its values as defaults).
    if (OnChanged) OnChanged();
    return true;
}

// --- TfrEditedListView -----------------------------------------------------------------------------

TfrEditedListView::TfrEditedListView(const QStringList& columns, QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    FList = new QTreeWidget;
    FList->setObjectName("lvItems");
    FList->setColumnCount(static_cast<int>(columns.size()));
    FList->setHeaderLabels(columns);
    FList->setHeaderHidden(columns.size() <= 1);
    FList->setRootIsDecorated(false);
    FList->setAlternatingRowColors(true);
    FList->setUniformRowHeights(true);
    FList->setContextMenuPolicy(Qt::CustomContextMenu);
    FList->header()->setStretchLastSection(true);
    layout->addWidget(FList, 1);

    auto* buttons = new QVBoxLayout;
    FNew = ToolButton("btNew", QStringLiteral("+"), tr("New"));
    FEdit = ToolButton("btEdit", QStringLiteral("\u270E"), tr("Edit"));
    FDelete = ToolButton("btDelete", QStringLiteral("\u2212"), tr("Delete"));
    FUp = ToolButton("btUp", QStringLiteral("\u2191"), tr("Up"));
    FDown = ToolButton("btDown", QStringLiteral("\u2193"), tr("Down"));
    for (QToolButton* button : {FNew, FEdit, FDelete, FUp, FDown}) {
        button->setFixedWidth(28);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);

    FMenu = new QMenu(this);
    FMenu->addAction(tr("New..."), this, &TfrEditedListView::DoNew)->setObjectName("miNew");
    FMenu->addAction(tr("Edit..."), this, &TfrEditedListView::DoEdit)->setObjectName("miEdit");
    FMenu->addAction(tr("Delete"), this, &TfrEditedListView::DoDelete)->setObjectName("miDelete");

    connect(FNew, &QToolButton::clicked, this, &TfrEditedListView::DoNew);
    connect(FEdit, &QToolButton::clicked, this, &TfrEditedListView::DoEdit);
    connect(FDelete, &QToolButton::clicked, this, &TfrEditedListView::DoDelete);
    connect(FUp, &QToolButton::clicked, this, [this] { DoMove(-1); });
    connect(FDown, &QToolButton::clicked, this, [this] { DoMove(1); });
    connect(FList, &QTreeWidget::itemDoubleClicked, this, [this] { DoEdit(); });
    connect(FList, &QTreeWidget::currentItemChanged, this, [this] { UpdateButtons(); });
    connect(FList, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (FReadOnly) return;
        const int row = Selected();
        for (QAction* action : FMenu->actions())
            action->setEnabled(action->objectName() == "miNew" || row >= 0);
        FMenu->popup(FList->viewport()->mapToGlobal(at));
    });
    UpdateButtons();
}

void TfrEditedListView::Refresh(int select) {
    const int keep = select >= 0 ? select : Selected();
    FList->clear();
    for (int i = 0; i < Count(); ++i) new QTreeWidgetItem(FList, RowTexts(i));
    for (int i = 0; i < FList->columnCount() - 1; ++i) FList->resizeColumnToContents(i);
    if (Count() > 0 && keep >= 0) Select(keep < Count() ? keep : Count() - 1);
    UpdateButtons();
}

int TfrEditedListView::Selected() const {
    QTreeWidgetItem* item = FList->currentItem();
    return item ? FList->indexOfTopLevelItem(item) : -1;
}

void TfrEditedListView::Select(int row) {
    if (QTreeWidgetItem* item = FList->topLevelItem(row)) FList->setCurrentItem(item);
}

void TfrEditedListView::SetReadOnly(bool readOnly) {
    FReadOnly = readOnly;
    UpdateButtons();
}

void TfrEditedListView::UpdateButtons() {
    const int row = Selected();
    FNew->setEnabled(!FReadOnly);
    FEdit->setEnabled(!FReadOnly && row >= 0);
    FDelete->setEnabled(!FReadOnly && row >= 0);
    FUp->setEnabled(!FReadOnly && row > 0);
    FDown->setEnabled(!FReadOnly && row >= 0 && row + 1 < Count());
}

void TfrEditedListView::DoNew() {
    if (FReadOnly) return;
    if (!NewEntry()) return;
    Refresh(Count() - 1);
    emit Changed();
}

void TfrEditedListView::DoEdit() {
    const int row = Selected();
    if (FReadOnly || row < 0) return;
    if (!EditEntry(row)) return;
    Refresh(row);
    emit Changed();
}

void TfrEditedListView::DoDelete() {
    const int row = Selected();
    if (FReadOnly || row < 0) return;
    if (const std::string question = DeleteQuestion(); !question.empty()) {
        const std::string caption = ToStd(RowTexts(row).value(0));
        if (Dialogs().Ask(Format(question, caption), AskButtons::YesNo) != DialogAnswer::Yes) return;
    }
    DeleteEntry(row);
    Refresh(row);
    emit Changed();
}

void TfrEditedListView::DoMove(int delta) {
    const int row = Selected();
    const int to = row + delta;
    if (FReadOnly || row < 0 || to < 0 || to >= Count()) return;
    MoveEntry(row, to);
    Refresh(to);
    emit Changed();
}

}  // namespace quillon
