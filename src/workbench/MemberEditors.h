// The editors of methods and parameters: the parameter list, the parameter's fields (as an
// editor and as the dialog the list opens) and the method editor with its declaration preview.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "workbench/ElementEditors.h"

class QCheckBox;
class QHBoxLayout;
class QPushButton;
class QRadioButton;
class QTextEdit;

namespace quillon {

class TemgMethod;
class TemgModule;
class TemgParameter;
class TemgParameters;

// A row whose label lines up with the labels of TfrEdit (a widget of its own, so that its spacing
// is TfrEdit's wherever it is put); with `field` (a list, a memo) the label stays at the field's
// top and the field takes the rest of the row. Further controls go into Row(row).
QWidget* LabelledRow(const QString& label, QWidget* field = nullptr);
QHBoxLayout& Row(QWidget* row);

// The parameters of a method or procedural type. The list edits a working copy loaded by Load
// and written back by ApplyTo, so that cancelling the editor around it changes nothing.
class TfrParameters : public TfrEditedListView {
    Q_OBJECT

public:
    explicit TfrParameters(QWidget* parent = nullptr);
    ~TfrParameters() override;

    // The module whose types the parameters may have.
    void SetModule(TemgModule* module) { FModule = module; }
    void Load(const TemgParameters& parameters);
    void ApplyTo(TemgParameters& parameters) const;
    const TemgParameters& Parameters() const { return *FParameters; }
    // "Parameter with default value has wrong order" when a parameter without a default value
    // follows one with a default value.
    bool Validate();

protected:
    int Count() const override;
    QStringList RowTexts(int row) const override;
    bool NewEntry() override;
    bool EditEntry(int row) override;
    void DeleteEntry(int row) override;
    void MoveEntry(int from, int to) override;

private:
    TemgModule* FModule = nullptr;
    std::unique_ptr<TemgParameters> FParameters;
};

// The fields of a parameter after its name and comment: the type, "Modifier" and "Default
// Value". Shared by the parameter editor and the parameter dialog.
class TfrParameterFields : public QWidget {
    Q_OBJECT

public:
    explicit TfrParameterFields(QWidget* parent = nullptr);

    void SetModule(TemgModule* module);
    void Load(const TemgParameter& parameter);
    void ApplyTo(TemgParameter& parameter) const;
    void SetReadOnly(bool readOnly);
    bool Validate() const;

    TfrDataTypes& DataTypes() const { return *FDataTypes; }
    QRadioButton& NoneButton() const { return *FNone; }
    QRadioButton& ConstButton() const { return *FConst; }
    QRadioButton& VarButton() const { return *FVar; }
    TfrDefaultValue& DefaultValue() const { return *FDefaultValue; }

private:
    TemgModule* FModule = nullptr;
    TfrDataTypes* FDataTypes = nullptr;
    QRadioButton* FNone = nullptr;
    QRadioButton* FConst = nullptr;
    QRadioButton* FVar = nullptr;
    TfrDefaultValue* FDefaultValue = nullptr;
};

// A parameter in the editor area (a parameter reached as an object of its own).
class TfrParameterEditor : public TfrAppellationEditor {
    Q_OBJECT

public:
    TfrParameterEditor(TfrEditors& editors, const TEditorEnvironment& environment);

    void SetReadOnly(bool readOnly) override;
    void Initialize(TEditorItem& item) override;
    void Apply() override;
    bool Validate() override;
    QString HelpTopic() const override { return QStringLiteral("editor-parameter"); }

    TfrParameterFields& Fields() const { return *FFields; }

private:
    TfrParameterFields* FFields = nullptr;
};

// The dialog "Parameter" of the parameter list: edits `parameter`, a copy of the entry at
// `editedRow` of `siblings` (-1 for a new entry), whose name must be unique among the others.
class TedParameter : public TfmBaseDialog {
    Q_OBJECT

public:
    TedParameter(QWidget* parent, TemgParameter& parameter, const TemgParameters& siblings, int editedRow,
                 TemgModule* module);

    bool Validate() override;
    void Apply() override;
    QString HelpTopic() const override { return QStringLiteral("editor-parameter"); }

    TfrAppellation& Appellation() const { return *FAppellation; }
    TfrParameterFields& Fields() const { return *FFields; }

private:
    TemgParameter& FParameter;
    const TemgParameters& FSiblings;
    int FEditedRow;
    TfrAppellation* FAppellation = nullptr;
    TfrParameterFields* FFields = nullptr;
};

// "Procedure" / "Function" radio buttons on one labelled row; the method and procedural type
// editors and the type registration share it.
class TfrRoutineKind : public QWidget {
    Q_OBJECT

public:
    explicit TfrRoutineKind(QWidget* parent = nullptr);

    bool IsFunction() const;
    void SetFunction(bool function);
    void SetReadOnly(bool readOnly);
    QRadioButton& ProcedureButton() const { return *FProcedure; }
    QRadioButton& FunctionButton() const { return *FFunction; }

signals:
    void Toggled();

private:
    QRadioButton* FProcedure = nullptr;
    QRadioButton* FFunction = nullptr;
};

// The signature of a routine: "Procedure" or "Function" on a row that has room for more (the
// method's "Export"), the "Result Type", open for a function only, and the parameters. The method
// and procedural type editors and the type registration's "Procedural" page share it.
class TfrRoutineSignature : public QWidget {
    Q_OBJECT

public:
    explicit TfrRoutineSignature(QWidget* parent = nullptr);

    // The module whose types the result type and the parameters offer (none: no list).
    void SetModule(TemgModule* module);
    void Load(bool function, const TemgDataType& result, const TemgParameters& parameters);
    void SetReadOnly(bool readOnly);
    bool IsFunction() const;
    // A function's result type, then the parameter list.
    bool Validate();
    // The typed result type for a function; none for a procedure, whose stale result type would
    // otherwise still count as a reference to its former type.
    void ApplyResultTo(TemgDataType& result) const;

    QHBoxLayout& KindRow() const { return *FKindRow; }
    TfrRoutineKind& Kind() const { return *FKind; }
    TfrDataTypes& ResultType() const { return *FResultType; }
    TfrParameters& ParameterList() const { return *FParameters; }

private:
    void UpdateControls();

    QHBoxLayout* FKindRow = nullptr;
    TfrRoutineKind* FKind = nullptr;
    TfrDataTypes* FResultType = nullptr;
    TfrParameters* FParameters = nullptr;
    bool FReadOnly = false;
};

// A method: procedure or function, "Export", the result type, the parameters and the
// declaration as the current controls give it, with "Copy".
class TfrMethodEditor : public TfrAppellationEditor {
    Q_OBJECT

public:
    TfrMethodEditor(TfrEditors& editors, const TEditorEnvironment& environment);

    void SetReadOnly(bool readOnly) override;
    void Initialize(TEditorItem& item) override;
    void Apply() override;
    bool Validate() override;
    QString HelpTopic() const override { return QStringLiteral("editor-method"); }

    TfrRoutineKind& Kind() const { return FSignature->Kind(); }
    QCheckBox& ExportBox() const { return *FExport; }
    TfrDataTypes& ResultType() const { return FSignature->ResultType(); }
    TfrParameters& ParameterList() const { return FSignature->ParameterList(); }
    QTextEdit& DeclarationMemo() const { return *FDeclaration; }
    QPushButton& CopyButton() const { return *FCopy; }
    // The declaration the controls describe now.
    std::string Declaration() const;

protected:
    bool IsNameUnique(std::string_view name) const override;

private:
    TemgMethod& Method() const;
    void UpdateControls();

    TfrRoutineSignature* FSignature = nullptr;
    QCheckBox* FExport = nullptr;
    QTextEdit* FDeclaration = nullptr;
    QPushButton* FCopy = nullptr;
    bool FLoading = false;
};

}  // namespace quillon
