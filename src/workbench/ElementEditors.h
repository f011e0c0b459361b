// The editors of a class module's elements: the common base of editors that start with the
// element's name and comment, and the member editors.
#pragma once

#include "workbench/EditorFrames.h"

class QCheckBox;
class QTreeWidget;

namespace quillon {

class TemgAppellationItem;
class TemgModule;
class TemgProperty;

// An editor that starts with the name and comment of its object. By default the object is a
// TemgAppellationItem whose name must be unique among its collection's items; descendants
// change that through LoadAppellation / ApplyAppellation / IsNameUnique.
class TfrAppellationEditor : public TfrEditor {
    Q_OBJECT

public:
    TfrAppellationEditor(TfrEditors& editors, const TEditorEnvironment& environment);

    void SetReadOnly(bool readOnly) override;
    void Initialize(TEditorItem& item) override;
    void Apply() override;
    bool Validate() override;

    TfrAppellation& Appellation() const { return *FAppellation; }

protected:
    // The module the edited object belongs to (nullptr for project-level objects).
    TemgModule* Module() const;
    virtual void LoadAppellation();
    virtual void ApplyAppellation();
    virtual bool IsNameUnique(std::string_view name) const;

private:
    TfrAppellation* FAppellation = nullptr;
};

// A property or an event: "Export", "Read", "Write", "Default Value" and the type.
class TfrPropertyEditor : public TfrAppellationEditor {
    Q_OBJECT

public:
    TfrPropertyEditor(TfrEditors& editors, const TEditorEnvironment& environment);

    void SetReadOnly(bool readOnly) override;
    void Initialize(TEditorItem& item) override;
    void Apply() override;
    bool Validate() override;
    QString HelpTopic() const override { return QStringLiteral("editor-property"); }

    TfrDataTypes& DataTypes() const { return *FDataTypes; }
    QCheckBox& ExportBox() const { return *FExport; }
    QCheckBox& ReadBox() const { return *FRead; }
    QCheckBox& WriteBox() const { return *FWrite; }
    TfrDefaultValue& DefaultValue() const { return *FDefaultValue; }

protected:
    bool IsNameUnique(std::string_view name) const override;

private:
    TemgProperty& Property() const;

    TfrDataTypes* FDataTypes = nullptr;
    QCheckBox* FExport = nullptr;
    QCheckBox* FRead = nullptr;
    QCheckBox* FWrite = nullptr;
    TfrDefaultValue* FDefaultValue = nullptr;
};

// Shows the stored values of an object that has no editor of its own yet, read-only.
class TfrValuesEditor : public TfrEditor {
    Q_OBJECT

public:
    TfrValuesEditor(TfrEditors& editors, const TEditorEnvironment& environment);
    void Initialize(TEditorItem& item) override;

private:
    QTreeWidget* FValues = nullptr;
};

}  // namespace quillon
