#include "workbench/ExternalClassEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include "elements/DesignClass.h"
#include "elements/ExternalClasses.h"
#include "elements/Methods.h"
#include "elements/Properties.h"
#include "generator/Module.h"
#include "project/Project.h"
#include "workbench/Icons.h"
#include "workbench/QtText.h"
#include "workbench/WorkbenchMessages.h"

namespace quillon {

namespace {

// The project tree's images of the groups and members shown.
constexpr int kGroupImage = 9;
constexpr int kPropertyImage = 6;
constexpr int kEventImage = 19;
constexpr int kFunctionImage = 8;
constexpr int kProcedureImage = 11;

QTreeWidgetItem* AddTreeNode(QTreeWidgetItem* parent, std::string_view text, int image) {
    auto* node = new QTreeWidgetItem(parent, {ToQ(text)});
    node->setIcon(0, ImageIcon(image));
    return node;
}

// A group with the members of `collection` under `parent`; nothing for an empty collection.
template <class Collection, class ImageOf>
void AddMemberGroup(QTreeWidgetItem* parent, std::string_view caption, const Collection& collection, ImageOf imageOf) {
    if (collection.Count() == 0) return;
    QTreeWidgetItem* group = AddTreeNode(parent, caption, kGroupImage);
    for (int i = 0; i < collection.Count(); ++i)
        AddTreeNode(group, collection.Items(i)->GetDisplayName(), imageOf(*collection.Items(i)));
    group->setExpanded(true);
}

}  // namespace

TfrExternalClassEditor::TfrExternalClassEditor(TfrEditors& editors, const TEditorEnvironment& environment)
    : TfrAppellationEditor(editors, environment) {
    auto* classRow = new QHBoxLayout;
    FClass = new QComboBox;
    FClass->setObjectName("cbClass");
    FClass->setEditable(true);
    FClass->setInsertPolicy(QComboBox::NoInsert);
    auto* classLabel = new QLabel(tr("Class"));
    classLabel->setFixedWidth(kLabelWidth);
    classLabel->setBuddy(FClass);
    classRow->addWidget(classLabel);
    classRow->addWidget(FClass, 1);
    Body().addLayout(classRow);
    connect(FClass, &QComboBox::currentTextChanged, this, [this] { ShowChosenClass(); });

    // The members of the chosen class, shown, not edited, in the field column.
    const auto fieldRow = [this](QWidget* field, int stretch = 0) {
        // An empty cell as wide as the labels, so the field starts where the others do.
        auto* row = new QWidget;
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* indent = new QWidget;
        indent->setFixedWidth(kLabelWidth);
        layout->addWidget(indent);
        layout->addWidget(field, 1);
        Body().addWidget(row, stretch);
        return row;
    };
    FAutoCreate = new QCheckBox(tr("Auto create controller"));
    FAutoCreate->setObjectName("cbAutoCreate");
    fieldRow(FAutoCreate);

    FClassTree = new QTreeWidget;
    FClassTree->setObjectName("tvClass");
    FClassTree->setHeaderHidden(true);
    FClassTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FClassTree->setUniformRowHeights(true);
    fieldRow(FClassTree, 1);

    FMessages = new QPlainTextEdit;
    FMessages->setObjectName("meMessages");
    FMessages->setReadOnly(true);
    FMessages->setFocusPolicy(Qt::NoFocus);
    FMessages->setFixedHeight(FMessages->fontMetrics().lineSpacing() * 2 + 12);
    QPalette palette = FMessages->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    palette.setColor(QPalette::Text, QColor(0xb0, 0x20, 0x20));
    FMessages->setPalette(palette);
    // Shown only while there is something to say.
    FMessagesRow = fieldRow(FMessages);
    FMessagesRow->hide();
}

TemgExternalClass& TfrExternalClassEditor::External() const { return *static_cast<TemgExternalClass*>(Object()); }

void TfrExternalClassEditor::SetReadOnly(bool readOnly) {
    TfrAppellationEditor::SetReadOnly(readOnly);
    FClass->setEnabled(!readOnly);
    FAutoCreate->setEnabled(!readOnly);
}

void TfrExternalClassEditor::LoadAppellation() {
    const TemgExternalClass& external = External();
    Appellation().Load(external.GetPropertyName(), external.GetCaption());
}

void TfrExternalClassEditor::ApplyAppellation() {
    TemgExternalClass& external = External();
    external.SetPropertyName(Appellation().Name());
    external.SetCaption(Appellation().Comment());
}

bool TfrExternalClassEditor::IsNameUnique(std::string_view name) const {
    const TemgModule* module = Module();
    return !module || module->MainClass().IsMemberNameUnique(Object(), name, 0);
}

void TfrExternalClassEditor::Initialize(TEditorItem& item) {
    TfrAppellationEditor::Initialize(item);
    const TemgExternalClass& external = External();
    {
        const QSignalBlocker blocker(FClass);
        FClass->clear();
        // The classes this one may refer to (not itself, not one that refers back, not one the
        // database support forbids), always with the one referred to now.
        TemgModule* module = Module();
        if (TemgpProject* project = Environment().project; project && module) {
            TStringList classes;
            project->ListReferencableClasses(classes, module->MainClass(), *module, external.GetName());
            for (const std::string& name : classes.Items()) FClass->addItem(ToQ(name));
        }
        FClass->setCurrentText(ToQ(external.GetName()));
    }
    FAutoCreate->setChecked(external.GetAutoCreate());
    ShowChosenClass();
}

const TemgClass* TfrExternalClassEditor::ChosenClass() const {
    const QString text = FClass->currentText().trimmed();
    if (text.isEmpty() || !Environment().project) return nullptr;
    const int index = FClass->findText(text, Qt::MatchFixedString);
    if (index < 0) return nullptr;
    const TemgModule* module = Environment().project->FindModule(FClass->itemText(index).toStdString());
    return module ? &module->MainClass() : nullptr;
}

void TfrExternalClassEditor::ShowChosenClass() {
    FClassTree->clear();
    const TemgClass* cls = ChosenClass();
    const bool missing = !cls && !FClass->currentText().trimmed().isEmpty();
    FMessages->setPlainText(missing ? ToQ(kReferencedClassNotFound) : QString());
    FMessagesRow->setVisible(missing);
    if (!cls) return;
    const TemgModule* module = Environment().project->FindModule(cls->GetName());
    auto* root = new QTreeWidgetItem(FClassTree, {ToQ(cls->GetName())});
    root->setIcon(0, ImageIcon(module ? module->ImageIndex() : kGroupImage));
    AddMemberGroup(root, kPropertiesNode, cls->Properties(), [](const TemgProperty&) { return kPropertyImage; });
    AddMemberGroup(root, kEventsNode, cls->Events(), [](const TemgProperty&) { return kEventImage; });
    AddMemberGroup(root, kMethodsNode, cls->Methods(), [](const TemgMethod& method) {
        return method.GetCategory() == mcFunction ? kFunctionImage : kProcedureImage;
    });
    root->setExpanded(true);
}

bool TfrExternalClassEditor::Validate() {
    if (!TfrAppellationEditor::Validate()) return false;
    if (!ChosenClass()) return Refuse(std::string(kObjectNotFound), FClass);
    return true;
}

void TfrExternalClassEditor::Apply() {
    TfrAppellationEditor::Apply();
    TemgExternalClass& external = External();
    external.SetName(ChosenClass()->GetName());
    external.SetAutoCreate(FAutoCreate->isChecked());
}

}  // namespace quillon
