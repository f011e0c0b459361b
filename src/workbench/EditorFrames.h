// The controls the element editors and dialogs share: labelled edit boxes, the name and comment
// of an element, the type selector, and the list with New / Edit / Delete / Up / Down.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include <QDialog>
#include <QStringList>
#include <QWidget>

#include "workbench/EditorFramework.h"

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QToolButton;
class QTreeWidget;

namespace quillon {

class TemgDataType;
class TemgModule;

// Every labelled row starts its field at the same column.
inline constexpr int kLabelWidth = 130;

// A label of the common width, so that the fields of a frame line up; `buddy` takes the focus
// of its accelerator.
QLabel* RowLabel(const QString& text, QWidget* buddy = nullptr);
// A check box with its object name (the tests and style sheets find controls by name).
QCheckBox* NamedCheckBox(const QString& text, const char* objectName);
// A row that starts under the fields, past the label column: `widgets`, then a stretch.
QHBoxLayout* FieldRow(std::initializer_list<QWidget*> widgets);

// A label and an edit box.
class TfrEdit : public QWidget {
    Q_OBJECT

public:
    explicit TfrEdit(const QString& label, QWidget* parent = nullptr);

    QString Label() const;
    QLabel& LabelWidget() const { return *FLabel; }
    QLineEdit& Edit() const { return *FEdit; }
    std::string Text() const;
    void SetText(std::string_view text);
    virtual void SetReadOnly(bool readOnly);

protected:
    // The row after the label, where descendants add their controls.
    QWidget& Row() const { return *FRow; }

private:
    QLabel* FLabel = nullptr;
    QLineEdit* FEdit = nullptr;
    QWidget* FRow = nullptr;
};

// The field's refusal when it is empty: "Please, fill in the field '%s'" with its label.
bool RequireField(const TfrEdit& field);

// A TfrEdit with a "..." browse button.
class TfrEditButton : public TfrEdit {
    Q_OBJECT

public:
    explicit TfrEditButton(const QString& label, QWidget* parent = nullptr);

    QToolButton& Button() const { return *FButton; }
    std::function<void()> OnBrowse;
    void SetReadOnly(bool readOnly) override;

private:
    QToolButton* FButton = nullptr;
};

// A default value: typed, or chosen from the values of an enumerated type or True/False.
class TfrDefaultValue : public TfrEdit {
    Q_OBJECT

public:
    explicit TfrDefaultValue(const QString& label, QWidget* parent = nullptr);

    // The values to choose from; none shows the plain edit box.
    void SetValues(const std::vector<std::string>& values);
    std::string Value() const;
    void SetValue(std::string_view value);
    QComboBox& Choices() const { return *FChoices; }
    void SetReadOnly(bool readOnly) override;

private:
    QComboBox* FChoices = nullptr;
};

// The name and comment of an element. Validate applies the name rule while the name is enabled:
// not empty, an identifier, and unique when a uniqueness test is given.
class TfrAppellation : public QWidget {
    Q_OBJECT

public:
    explicit TfrAppellation(QWidget* parent = nullptr, const QString& nameLabel = QString());

    TfrEdit& NameEdit() const { return *FName; }
    QPlainTextEdit& CommentMemo() const { return *FComment; }
    std::string Name() const { return FName->Text(); }
    std::string Comment() const;
    void Load(std::string_view name, std::string_view comment);
    void SetNameEnabled(bool enabled);
    void SetReadOnly(bool readOnly);
    // Answers whether a name is unique where the element lives.
    std::function<bool(std::string_view name)> IsUnique;

    bool Validate() const;

private:
    void EditComment();

    TfrEdit* FName = nullptr;
    QPlainTextEdit* FComment = nullptr;
    QToolButton* FEditWindow = nullptr;
};

// The larger window for a comment or description.
class TedText : public TfmBaseDialog {
    Q_OBJECT

public:
    TedText(QWidget* parent, const QString& caption, const QString& text);
    QPlainTextEdit& Memo() const { return *FMemo; }
    QString Text() const;

private:
    QPlainTextEdit* FMemo = nullptr;
};

// The type of a member, parameter or result: the known types of the module to choose from or
// type, and "Register" for a new one.
class TfrDataTypes : public QWidget {
    Q_OBJECT

public:
    explicit TfrDataTypes(QWidget* parent = nullptr, const QString& label = QString());

    // Lists the types known to `module`, which also receives what "Register" registers; only the
    // procedural ones when `procedural` (an event's type).
    void SetModule(TemgModule& module, bool procedural = false);
    void Load(const TemgDataType& type);
    // Writes the typed name and the category of the type found under it.
    void ApplyTo(TemgDataType& type) const;
    std::string TypeName() const;
    void SetTypeName(std::string_view name);
    QComboBox& Combo() const { return *FCombo; }
    QString Label() const;
    void SetReadOnly(bool readOnly);

    // "Please, fill in the field '%s'" when empty, "Type '%s' is not registered" when unknown.
    bool Validate() const;
    // Opens the type registration for the typed name; answers whether a type was registered.
    bool Register();

    // Called when the chosen type changes (the property editor offers the type's values).
    std::function<void()> OnChanged;

private:
    void FillTypes();

    TemgModule* FModule = nullptr;
    bool FProcedural = false;
    QLabel* FLabel = nullptr;
    QComboBox* FCombo = nullptr;
    QToolButton* FRegister = nullptr;
};

// Opens the type registration dialog for `name` on `module`; answers whether a type was
// registered (see RegisterDataType.cpp).
bool RunRegisterDataType(QWidget* parent, TemgModule& module, const std::string& name);

// A list of entries with the actions New, Edit, Delete, Up and Down (buttons and a pop-up menu);
// a double click edits. Descendants say what the entries are and how each action changes them.
class TfrEditedListView : public QWidget {
    Q_OBJECT

public:
    explicit TfrEditedListView(const QStringList& columns, QWidget* parent = nullptr);

    // Rebuilds the rows from Count/RowTexts, keeping the selection at `select` when given.
    void Refresh(int select = -1);
    int Selected() const;
    void Select(int row);
    QTreeWidget& List() const { return *FList; }
    void SetReadOnly(bool readOnly);

    // The actions, also reachable from tests.
    void DoNew();
    void DoEdit();
    void DoDelete();
    void DoMove(int delta);

signals:
    // An action changed the entries.
    void Changed();

protected:
    virtual int Count() const = 0;
    virtual QStringList RowTexts(int row) const = 0;
    // Each answers whether the list changed.
    virtual bool NewEntry() = 0;
    virtual bool EditEntry(int row) = 0;
    virtual void DeleteEntry(int row) = 0;
    virtual void MoveEntry(int from, int to) = 0;
    // A question with one %s for the entry's caption (its first column); empty deletes at once.
    virtual std::string DeleteQuestion() const { return {}; }

private:
    void UpdateButtons();

    QTreeWidget* FList = nullptr;
    QToolButton* FNew = nullptr;
    QToolButton* FEdit = nullptr;
    QToolButton* FDelete = nullptr;
    QToolButton* FUp = nullptr;
    QToolButton* FDown = nullptr;
    QMenu* FMenu = nullptr;
    bool FReadOnly = false;
};

}  // namespace quillon
