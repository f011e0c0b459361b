// The editors of a module's types: registered, enumerated and procedural types, the value list
// of an enumerated type with its dialog, and the type registration dialog.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "workbench/MemberEditors.h"

class QTabWidget;

namespace quillon {

class TPersistent;
class TemgModule;
class TgmcAppellation;
class TgmcEnumTypes;
class TgmcEnumValue;
class TgmcEnumValues;

// The values of an enumerated type, edited on a working copy loaded by Load and written back by
// ApplyTo. A value name must be unique in the list and must not name a value of another
// enumerated type of the module (the types of one unit share one name space).
class TfrEnumValues : public TfrEditedListView {
    Q_OBJECT

public:
    explicit TfrEnumValues(QWidget* parent = nullptr);
    ~TfrEnumValues() override;

    // The enumerated types whose values the names must not repeat, and the stored name of the
    // type being edited (empty for a type not yet created).
    void SetContext(const TgmcEnumTypes* types, std::string_view typeName);
    void Load(const TgmcEnumValues& values);
    void ApplyTo(TgmcEnumValues& values) const;
    const TgmcEnumValues& Values() const { return *FValues; }
    // "There must be at least one value of enumerated type" for an empty list.
    bool Validate();

protected:
    int Count() const override;
    QStringList RowTexts(int row) const override;
    bool NewEntry() override;
    bool EditEntry(int row) override;
    void DeleteEntry(int row) override;
    void MoveEntry(int from, int to) override;

private:
    bool EditValue(TgmcEnumValue& value, int row);

    const TgmcEnumTypes* FTypes = nullptr;
    std::string FTypeName;
    std::unique_ptr<TgmcEnumValues> FValues;
};

// The dialog "Value": the name and comment of one value of an enumerated type.
class TedEnumValue : public TfmBaseDialog {
    Q_OBJECT

public:
    TedEnumValue(QWidget* parent, TgmcEnumValue& value, std::function<bool(std::string_view)> isUnique);

    bool Validate() override;
    void Apply() override;
    QString HelpTopic() const override { return QStringLiteral("editor-enum-type"); }

    TfrAppellation& Appellation() const { return *FAppellation; }

private:
    TgmcEnumValue& FValue;
    TfrAppellation* FAppellation = nullptr;
};

// The common base of the type editors: the name is unique among the module's types, and a
// renamed type takes the references to it along (in every module of the project).
class TfrTypeEditor : public TfrAppellationEditor {
    Q_OBJECT

public:
    using TfrAppellationEditor::TfrAppellationEditor;

protected:
    void ApplyAppellation() override;
    bool IsNameUnique(std::string_view name) const override;
    // The edited type's appellation.
    virtual TgmcAppellation& TypeAppellation() const = 0;
};

// A registered type: "Declared in Unit" and "Procedural Type".
class TfrRegisteredDataTypeEditor : public TfrTypeEditor {
    Q_OBJECT

public:
    TfrRegisteredDataTypeEditor(TfrEditors& editors, const TEditorEnvironment& environment);

    void SetReadOnly(bool readOnly) override;
    void Initialize(TEditorItem& item) override;
    void Apply() override;
    QString HelpTopic() const override { return QStringLiteral("editor-registered-type"); }

    TfrEdit& UnitEdit() const { return *FUnit; }
    QCheckBox& ProceduralBox() const { return *FProcedural; }

protected:
    TgmcAppellation& TypeAppellation() const override;

private:
    TfrEdit* FUnit = nullptr;
    QCheckBox* FProcedural = nullptr;
};

// An enumerated type of the module: its values.
class TfrEnumDataTypeEditor : public TfrTypeEditor {
    Q_OBJECT

public:
    TfrEnumDataTypeEditor(TfrEditors& editors, const TEditorEnvironment& environment);

    void SetReadOnly(bool readOnly) override;
    void Initialize(TEditorItem& item) override;
    void Apply() override;
    bool Validate() override;
    QString HelpTopic() const override { return QStringLiteral("editor-enum-type"); }

    TfrEnumValues& ValueList() const { return *FValues; }

protected:
    void LoadAppellation() override;
    TgmcAppellation& TypeAppellation() const override;

private:
    TfrEnumValues* FValues = nullptr;
};

// A procedural type: "Procedure" or "Function", "Result Type" and the parameters.
class TfrProceduralDataTypeEditor : public TfrTypeEditor {
    Q_OBJECT

public:
    TfrProceduralDataTypeEditor(TfrEditors& editors, const TEditorEnvironment& environment);

    void SetReadOnly(bool readOnly) override;
    void Initialize(TEditorItem& item) override;
    void Apply() override;
    bool Validate() override;
    QString HelpTopic() const override { return QStringLiteral("editor-procedural-type"); }

    TfrRoutineKind& Kind() const { return FSignature->Kind(); }
    TfrDataTypes& ResultType() const { return FSignature->ResultType(); }
    TfrParameters& ParameterList() const { return FSignature->ParameterList(); }

protected:
    TgmcAppellation& TypeAppellation() const override;

private:
    TfrRoutineSignature* FSignature = nullptr;
};

// The dialog "Type Registration": a new type's name and comment above the pages "Registered",
// "Enum" and "Procedural"; OK creates the type of the current page on the module.
class TedRegisterDataType : public TfmBaseDialog {
    Q_OBJECT

public:
    TedRegisterDataType(QWidget* parent, TemgModule& module, const std::string& name);

    bool Validate() override;
    void Apply() override;
    QString HelpTopic() const override { return QStringLiteral("register-type"); }

    // The type OK created, or nullptr.
    TPersistent* Created() const { return FCreated; }

    TfrAppellation& Appellation() const { return *FAppellation; }
    QTabWidget& Pages() const { return *FPages; }
    // "Registered"
    TfrEdit& UnitEdit() const { return *FUnit; }
    QCheckBox& ProceduralBox() const { return *FProcedural; }
    // "Enum"
    TfrEnumValues& ValueList() const { return *FValues; }
    // "Procedural"
    TfrRoutineKind& Kind() const { return FSignature->Kind(); }
    TfrDataTypes& ResultType() const { return FSignature->ResultType(); }
    TfrParameters& ParameterList() const { return FSignature->ParameterList(); }

private:
    TemgModule& FModule;
    TPersistent* FCreated = nullptr;
    TfrAppellation* FAppellation = nullptr;
    QTabWidget* FPages = nullptr;
    TfrEdit* FUnit = nullptr;
    QCheckBox* FProcedural = nullptr;
    TfrEnumValues* FValues = nullptr;
    TfrRoutineSignature* FSignature = nullptr;
};

// Runs the type registration for `name` on `module`; answers the created type or nullptr. The
// window's "New Type..." uses it directly; the type fields' "Register" goes through
// RunRegisterDataType, which also tells the window so that the tree shows the new type.
TPersistent* RegisterDataType(QWidget* parent, TemgModule& module, const std::string& name);

}  // namespace quillon
