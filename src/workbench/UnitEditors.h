// The editors of the generated units: one unit's text as the generator writes it, the group of
// a module's generated units, and the declarations of any other collection of elements.
#pragma once

#include "workbench/EditorFramework.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace quillon {

class PascalHighlighter;
class TUnitsManager;
class TfrEdit;

// A read-only code memo in a fixed font with Pascal colouring.
QPlainTextEdit* NewCodeMemo(const char* objectName, QWidget* parent = nullptr);

// One generated unit: its file, its text built from the model as it stands (without the unit
// header), and "Open in Delphi" for the file on disk.
class TfrUnitEditor : public TfrEditor {
    Q_OBJECT

public:
    TfrUnitEditor(TfrEditors& editors, const TEditorEnvironment& environment);

    void Initialize(TEditorItem& item) override;
    void RefreshEditor() override;
    QString HelpTopic() const override { return QStringLiteral("editor-unit"); }

    TfrEdit& FileNameEdit() const { return *FFileName; }
    QPlainTextEdit& CodeMemo() const { return *FCode; }
    QPushButton& OpenButton() const { return *FOpen; }
    // "Open in Delphi": the generated file in the program the desktop associates with it.
    void OpenInDelphi();

private:
    const TUnitsManager& Unit() const;
    std::string FilePath() const;
    // Why the module never writes this unit; empty when it does.
    std::string NotWrittenReason() const;

    TfrEdit* FFileName = nullptr;
    QPlainTextEdit* FCode = nullptr;
    QPushButton* FOpen = nullptr;
};

// The group of a module's generated units: which units there are and where each is written.
class TfrUnitsGroupEditor : public TfrEditor {
    Q_OBJECT

public:
    TfrUnitsGroupEditor(TfrEditors& editors, const TEditorEnvironment& environment);

    void Initialize(TEditorItem& item) override;
    void RefreshEditor() override;
    QString HelpTopic() const override { return QStringLiteral("editor-units-group"); }

    QPlainTextEdit& DescriptionMemo() const { return *FDescription; }

private:
    QPlainTextEdit* FDescription = nullptr;
};

// Any other collection (the "Methods" or "Properties" group, say): the declarations of its
// elements, one per line, as the class declares them.
class TfrCodeEditor : public TfrEditor {
    Q_OBJECT

public:
    TfrCodeEditor(TfrEditors& editors, const TEditorEnvironment& environment);

    void Initialize(TEditorItem& item) override;
    void RefreshEditor() override;
    QString HelpTopic() const override { return QStringLiteral("editor-code"); }

    QPlainTextEdit& CodeMemo() const { return *FCode; }

private:
    QPlainTextEdit* FCode = nullptr;
};

}  // namespace quillon
