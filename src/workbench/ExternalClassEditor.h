// The editor of an external property: a reference from the module's class to the class of another
// module. The name and comment are those of the generated property (PropertyName and Caption);
// "Class" chooses the referenced class, whose members are shown below it.
#pragma once

#include "workbench/ElementEditors.h"

class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QTreeWidget;

namespace quillon {

class TemgClass;
class TemgExternalClass;

class TfrExternalClassEditor : public TfrAppellationEditor {
    Q_OBJECT

public:
    TfrExternalClassEditor(TfrEditors& editors, const TEditorEnvironment& environment);

    void SetReadOnly(bool readOnly) override;
    void Initialize(TEditorItem& item) override;
    void Apply() override;
    bool Validate() override;
    QString HelpTopic() const override { return QStringLiteral("editor-external-class"); }

    QComboBox& ClassCombo() const { return *FClass; }
    QCheckBox& AutoCreateBox() const { return *FAutoCreate; }
    QTreeWidget& ClassTree() const { return *FClassTree; }
    QPlainTextEdit& MessageMemo() const { return *FMessages; }

protected:
    void LoadAppellation() override;
    void ApplyAppellation() override;
    // Property names are unique among all members of the class (methods, properties, events and
    // the other external properties).
    bool IsNameUnique(std::string_view name) const override;

private:
    TemgExternalClass& External() const;
    // The class named in "Class" when it is one of the classes offered, else nullptr.
    const TemgClass* ChosenClass() const;
    // Shows the chosen class's members, or the message that it is missing.
    void ShowChosenClass();

    QComboBox* FClass = nullptr;
    QCheckBox* FAutoCreate = nullptr;
    QTreeWidget* FClassTree = nullptr;
    QPlainTextEdit* FMessages = nullptr;
    QWidget* FMessagesRow = nullptr;
};

}  // namespace quillon
