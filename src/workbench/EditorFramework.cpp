#include "workbench/EditorFramework.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

#include "model/ModifiedClasses.h"
#include "platform/Exception.h"
#include "platform/UserDialogs.h"
#include "workbench/EditorFrames.h"
#include "workbench/ProjectTree.h"

namespace quillon {

// --- TEditorItem -----------------------------------------------------------------------------------

TEditorItem::TEditorItem(TPersistent& object, QTreeWidgetItem* node, TemgpModule* moduleEntry)
    : FObject(object), FNode(node), FModuleEntry(moduleEntry) {}

TEditorItem::~TEditorItem() { delete FEditor.data(); }

// --- TfrEditor -------------------------------------------------------------------------------------

TfrEditor::TfrEditor(TfrEditors& editors, const TEditorEnvironment& environment)
    : FEditors(editors), FEnvironment(environment) {
    setObjectName("frEditorFrame");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 12, 20, 12);
    FKindLabel = new QLabel;
    FKindLabel->setObjectName("lbEditorKind");
    FTitle = new QLabel;
    FTitle->setObjectName("lbEditorName");
    QFont titleFont = FTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    FTitle->setFont(titleFont);
    layout->addWidget(FKindLabel);
    layout->addWidget(FTitle);
    auto* rule = new QFrame;
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    layout->addWidget(rule);

    // The fields scroll between the title and the buttons, so that OK, Apply and Cancel stay in
    // view however tall the editor is.
    auto* fields = new QWidget;
    fields->setObjectName("frEditorFields");
    FBody = new QVBoxLayout(fields);
    FBody->setContentsMargins(0, 0, 0, 0);
    FBody->setSpacing(8);
    auto* scroll = new QScrollArea;
    scroll->setObjectName("sbEditorFields");
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidget(fields);
    layout->addWidget(scroll, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    FOK = new QPushButton(tr("OK"));
    FOK->setObjectName("btOK");
    FApply = new QPushButton(tr("Apply"));
    FApply->setObjectName("btApply");
    FCancel = new QPushButton(tr("Cancel"));
    FCancel->setObjectName("btCancel");
    buttons->addWidget(FOK);
    buttons->addWidget(FApply);
    buttons->addWidget(FCancel);
    layout->addLayout(buttons);
    connect(FOK, &QPushButton::clicked, this, &TfrEditor::ClickOK);
    connect(FApply, &QPushButton::clicked, this, &TfrEditor::ClickApply);
    connect(FCancel, &QPushButton::clicked, this, &TfrEditor::ClickCancel);
    setStyleSheet("#lbEditorKind { color: #5b6b80; text-transform: uppercase; letter-spacing: 1px; }");
}

QTreeWidgetItem* TfrEditor::Node() const { return FItem ? FItem->Node() : nullptr; }

void TfrEditor::SetReadOnly(bool readOnly) {
    FReadOnly = readOnly;
    FOK->setEnabled(!readOnly);
    FApply->setEnabled(!readOnly);
}

void TfrEditor::Initialize(TEditorItem& item) {
    FItem = &item;
    FObject = &item.Object();
    if (QTreeWidgetItem* node = item.Node()) {
        FTitle->setText(node->text(0));
        FKindLabel->setText(TreeNodeKindName(NodeKind(node)));
    }
}

void TfrEditor::Apply() {
    if (!Validate()) Abort();
}

void TfrEditor::Close() { FEditors.CloseLater(*this); }

bool TfrEditor::Validate() { return true; }

void TfrEditor::SetDisplayName(const QString& name) {
    if (QTreeWidgetItem* node = Node()) node->setText(0, name);
    FTitle->setText(name);
}

void TfrEditor::WatchChanges() {
    const auto changed = [this] { FChanged = true; };
    for (QLineEdit* edit : findChildren<QLineEdit*>()) connect(edit, &QLineEdit::textEdited, this, changed);
    for (QPlainTextEdit* memo : findChildren<QPlainTextEdit*>()) {
        memo->document()->setModified(false);
        connect(memo, &QPlainTextEdit::modificationChanged, this, [this](bool modified) {
            if (modified) FChanged = true;
        });
    }
    for (QComboBox* combo : findChildren<QComboBox*>())
        connect(combo, qOverload<int>(&QComboBox::activated), this, changed);
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        if (button->isCheckable()) connect(button, &QAbstractButton::clicked, this, changed);
    for (QAbstractSpinBox* spin : findChildren<QAbstractSpinBox*>())
        connect(spin, &QAbstractSpinBox::editingFinished, this, [this, spin] {
            if (spin->hasAcceptableInput()) FChanged = true;
        });
    for (TfrEditedListView* list : findChildren<TfrEditedListView*>())
        connect(list, &TfrEditedListView::Changed, this, changed);
    FChanged = false;
}

void TfrEditor::SetKindCaption(const QString& caption) { FKindLabel->setText(caption); }

bool TfrEditor::Modified() const {
    if (const auto* state = dynamic_cast<const IItemState*>(FObject)) return state->GetModified();
    return false;
}

void TfrEditor::ClickOK() {
    if (FReadOnly) return;
    const auto commit = [this] { FEditors.Commit(true); };
    if (FEditors.RunCommand ? FEditors.RunCommand(commit) : (commit(), true)) Close();
}

void TfrEditor::ClickApply() {
    if (FReadOnly) return;
    const auto commit = [this] { FEditors.Commit(true); };
    if (FEditors.RunCommand)
        FEditors.RunCommand(commit);
    else
        commit();
}

void TfrEditor::ClickCancel() { Close(); }

namespace {

// The first widget of `within` in its Tab order that takes the focus by Tab and is a field,
// not a button; nullptr when there is none.
QWidget* FirstField(QWidget& within) {
    for (QWidget* widget = within.nextInFocusChain(); widget && widget != &within; widget = widget->nextInFocusChain())
        if (within.isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() &&
            !widget->isHidden() && !qobject_cast<QAbstractButton*>(widget))
            return widget;
    return nullptr;
}

void FocusAndSelect(QWidget& field) {
    field.setFocus(Qt::TabFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(&field)) edit->selectAll();
}

}  // namespace

void TfrEditor::FocusFirstField() {
    if (QWidget* field = FirstField(*this)) FocusAndSelect(*field);
}

void TfrEditor::PutButtonsLast() {
    QWidget* last = nullptr;
    for (QWidget* widget = nextInFocusChain(); widget && widget != this; widget = widget->nextInFocusChain())
        if (isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus) && widget != FOK && widget != FApply &&
            widget != FCancel)
            last = widget;
    if (!last) return;
    setTabOrder(last, FOK);
    setTabOrder(FOK, FApply);
    setTabOrder(FApply, FCancel);
}

void TfrEditor::keyPressEvent(QKeyEvent* event) {
    QWidget* focus = focusWidget();
    const bool oneLine = qobject_cast<QLineEdit*>(focus) || qobject_cast<QComboBox*>(focus) ||
                         qobject_cast<QAbstractSpinBox*>(focus);
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!oneLine || event->modifiers() & ~Qt::KeypadModifier) break;
            ClickApply();
            return;
        case Qt::Key_Escape:
            ClickCancel();
            return;
        default: break;
    }
    QWidget::keyPressEvent(event);
}

// --- TfrEditors ------------------------------------------------------------------------------------

TfrEditors::TfrEditors(QWidget* parent) : QWidget(parent) {
    setObjectName("frEditors");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* top = new QHBoxLayout;
    top->setContentsMargins(20, 6, 20, 0);
    top->addStretch(1);
    auto* help = new QLabel(QStringLiteral("<a href=\"help\">%1</a>").arg(tr("Help")));
    help->setObjectName("lbHelp");
    connect(help, &QLabel::linkActivated, this, [this] { OpenHelp(); });
    top->addWidget(help);
    layout->addLayout(top);

    FPlaceholder = new QWidget;
    FPlaceholder->setObjectName("frPlaceholder");
    auto* placeholder = new QVBoxLayout(FPlaceholder);
    placeholder->setContentsMargins(20, 12, 20, 12);
    FPlaceholderTitle = new QLabel;
    FPlaceholderTitle->setObjectName("lbPlaceholderTitle");
    QFont titleFont = FPlaceholderTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    FPlaceholderTitle->setFont(titleFont);
    FPlaceholderDetails = new QLabel;
    FPlaceholderDetails->setObjectName("lbPlaceholderDetails");
    FPlaceholderDetails->setWordWrap(true);
    placeholder->addWidget(FPlaceholderTitle);
    placeholder->addWidget(FPlaceholderDetails);
    placeholder->addStretch(1);

    FScroll = new QScrollArea;
    FScroll->setObjectName("sbEditor");
    FScroll->setWidgetResizable(true);
    FScroll->setFrameShape(QFrame::NoFrame);
    FScroll->hide();

    FStack = new QVBoxLayout;
    FStack->setContentsMargins(0, 0, 0, 0);
    FStack->addWidget(FPlaceholder);
    FStack->addWidget(FScroll);
    layout->addLayout(FStack, 1);
}

TfrEditors::~TfrEditors() { FCurrent.reset(); }

void TfrEditors::OpenEditor(TPersistent& object, QTreeWidgetItem* node, TemgpModule* moduleEntry) {
    if (FCurrent && &FCurrent->Object() == &object && FCurrent->Editor()) {
        FCurrent->SetNode(node);
        return;
    }
    auto item = std::make_unique<TEditorItem>(object, node, moduleEntry);
    TfrEditor* editor = CreateEditorFrame(object, *this, FEnvironment);
    item->SetEditor(editor);
    editor->setParent(this);
    // System items (built-in types, the class's system methods) are shown, not edited.
    const auto* state = dynamic_cast<const IItemState*>(&object);
    editor->SetReadOnly(editor->ReadOnly() || (state && state->IsSystemItem()));
    editor->Initialize(*item);
    editor->WatchChanges();
    editor->PutButtonsLast();
    FScroll->takeWidget();       // the previous frame goes with its item, not with the scroll area
    FCurrent = std::move(item);  // frees the previous item with its frame
    FPlaceholder->hide();
    FScroll->setWidget(editor);
    FScroll->show();
}

void TfrEditors::Commit(bool always) {
    TfrEditor* current = CurrentEditor();
    if (!current || current->ReadOnly() || (!always && !current->Changed())) return;
    TfrEditor& editor = *current;
    const bool wasModified = editor.Modified();
    editor.Apply();
    editor.FChanged = false;
    if (!wasModified && editor.Modified() && OnBecameModified) OnBecameModified(FCurrent->Node());
    if (OnCommitted) OnCommitted(*FCurrent);
}

void TfrEditors::CloseEditors() {
    FScroll->takeWidget();
    FCurrent.reset();
    FScroll->hide();
    FPlaceholder->show();
    if (OnPlaceholderShown) OnPlaceholderShown();
}

void TfrEditors::CloseLater(TfrEditor& editor) {
    QPointer<TfrEditor> guard(&editor);
    QTimer::singleShot(10, this, [this, guard] {
        if (guard && FCurrent && FCurrent->Editor() == guard) CloseEditors();
    });
}

void TfrEditors::RefreshEditors() {
    if (TfrEditor* editor = CurrentEditor()) editor->RefreshEditor();
}

void TfrEditors::SetPlaceholder(const QString& title, const QString& details) {
    FPlaceholderTitle->setText(title);
    FPlaceholderDetails->setText(details);
}

void TfrEditors::OpenHelp() const {
    const QString topic = CurrentEditor() ? CurrentEditor()->HelpTopic() : QStringLiteral("contents");
    if (FEnvironment.openHelp) FEnvironment.openHelp(topic);
}

// --- TfmBaseDialog ---------------------------------------------------------------------------------

std::function<void(const QString&)>& TfmBaseDialog::HelpHandler() {
    static std::function<void(const QString&)> handler;
    return handler;
}

TfmBaseDialog::TfmBaseDialog(QWidget* parent, const QString& caption) : QDialog(parent) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    FBody = new QVBoxLayout;
    FBody->setSpacing(8);
    layout->addLayout(FBody, 1);
    auto* buttons = new QDialogButtonBox;
    FOK = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    FOK->setObjectName("btOK");
    FOK->setDefault(true);
    buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole)->setObjectName("btCancel");
    buttons->addButton(tr("&Help"), QDialogButtonBox::HelpRole)->setObjectName("btHelp");
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &TfmBaseDialog::ClickOK);
    connect(buttons, &QDialogButtonBox::rejected, this, &TfmBaseDialog::ClickCancel);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
        if (HelpHandler()) HelpHandler()(HelpTopic());
    });
}

void TfmBaseDialog::ClickOK() {
    if (!Validate()) return;
    Apply();
    done(QDialog::Accepted);
}

void TfmBaseDialog::ClickCancel() { done(QDialog::Rejected); }

void TfmBaseDialog::PrepareKeyboard() {
    // A push button that takes the focus would otherwise become the default for as long as it
    // has it.
    for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(button == FOK);
    FOK->setDefault(true);
    if (QWidget* field = FirstField(*this)) FocusAndSelect(*field);
}

namespace {

std::function<void(TfmBaseDialog&)>& DialogRunner() {
    static std::function<void(TfmBaseDialog&)> runner;
    return runner;
}

}  // namespace

bool ExecDialog(TfmBaseDialog& dialog) {
    dialog.PrepareKeyboard();
    if (DialogRunner()) {
        dialog.setResult(QDialog::Rejected);
        DialogRunner()(dialog);
        return dialog.result() == QDialog::Accepted;
    }
    return dialog.exec() == QDialog::Accepted;
}

ScopedDialogRunner::ScopedDialogRunner(std::function<void(TfmBaseDialog&)> run)
    : FPrevious(std::exchange(DialogRunner(), std::move(run))) {}

ScopedDialogRunner::~ScopedDialogRunner() { DialogRunner() = std::move(FPrevious); }

bool Refuse(const std::string& message, QWidget* focus) {
    Dialogs().ShowMessage(MessageKind::Error, message);
    if (focus) focus->setFocus();
    return false;
}

}  // namespace quillon
