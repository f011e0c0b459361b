// The editors of a module's added units and copy rules and of the project's releases: each a list
// edited on a working copy (Apply writes it back, Cancel forgets it) whose entries open a small
// dialog; and the releases' run from the window.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "workbench/EditorFrames.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace quillon {

class IFileDialogs;
class TCopyFileCollection;
class TCopyFileItem;
class TReleaseDll;
class TReleaseDllCollection;
class TemgAddUnit;
class TemgAddUnits;
class TemgpProject;

// A list frame whose rows and actions are given as functions by the editor that owns it.
class TfrFunctionList : public TfrEditedListView {
public:
    using TfrEditedListView::TfrEditedListView;

    std::function<int()> count;
    std::function<QStringList(int row)> rowTexts;
    std::function<bool()> newEntry;
    std::function<bool(int row)> editEntry;
    std::function<void(int row)> deleteEntry;
    std::function<void(int from, int to)> moveEntry;
    // Empty: an entry is deleted without a question.
    std::string deleteQuestion;

protected:
    int Count() const override { return count ? count() : 0; }
    QStringList RowTexts(int row) const override { return rowTexts(row); }
    bool NewEntry() override { return newEntry && newEntry(); }
    bool EditEntry(int row) override { return editEntry && editEntry(row); }
    void DeleteEntry(int row) override { deleteEntry(row); }
    void MoveEntry(int from, int to) override { moveEntry(from, to); }
    std::string DeleteQuestion() const override { return deleteQuestion; }
};

// The form name the form file's first line declares; nullopt, after telling the user why, when
// the file cannot be read or does not begin with an object declaration.
std::optional<std::string> ReadFormName(const std::string& formFile);

// "Form Resources": the unit's file, its form file, the form's name and whether it is a frame.
class TedFormDescription : public TfmBaseDialog {
    Q_OBJECT

public:
    // `showForm`: the form fields are shown only for a form unit.
    TedFormDescription(QWidget* parent, const std::string& fileName, const std::string& formFile,
                       const std::string& formName, bool frame, bool showForm = true);

    bool Validate() override;
    QString HelpTopic() const override { return QStringLiteral("dialog-form-resources"); }

    TfrEdit& FileNameEdit() const { return *FFileName; }
    TfrEdit& FormFileEdit() const { return *FFormFile; }
    TfrEdit& FormNameEdit() const { return *FFormName; }
    QCheckBox& FrameBox() const { return *FFrame; }

private:
    TfrEdit* FFileName = nullptr;
    TfrEdit* FFormFile = nullptr;
    TfrEdit* FFormName = nullptr;
    QCheckBox* FFrame = nullptr;
};

// A module's added units: "Add to project" adds .pas files (describing the form of a form unit),
// an entry's form resources are edited in TedFormDescription.
class TfrAddUnitsEditor : public TfrEditor {
    Q_OBJECT

public:
    TfrAddUnitsEditor(TfrEditors& editors, const TEditorEnvironment& environment);
    ~TfrAddUnitsEditor() override;

    void SetReadOnly(bool readOnly) override;
    void Initialize(TEditorItem& item) override;
    void Apply() override;
    QString HelpTopic() const override { return QStringLiteral("editor-added-units"); }

    TfrEditedListView& List() const { return *FList; }
    QPushButton& AddButton() const { return *FAdd; }
    const TemgAddUnits& Working() const { return *FWorking; }

private:
    std::string SourceDirectory() const;
    // "Add to project": the chosen files in the order given, each file once.
    bool AddUnits();
    bool EditUnit(int row);

    std::unique_ptr<TemgAddUnits> FWorking;
    TfrFunctionList* FList = nullptr;
    QPushButton* FAdd = nullptr;
};

// "Release": one release of the project. OK with "Copy files" checked asks "Copy files to %s?"
// and on Yes runs the release through `run`.
class TedRelease : public TfmBaseDialog {
    Q_OBJECT

public:
    // `release` is written on OK; `isNameUnique` tells whether another release has a name.
    TedRelease(QWidget* parent, TReleaseDll& release, const TemgpProject& project, IFileDialogs* fileDialogs,
               std::function<bool(const std::string&)> isNameUnique,
               std::function<void(TReleaseDll&)> run);

    bool Validate() override;
    void Apply() override;
    QString HelpTopic() const override { return QStringLiteral("dialog-release"); }

    TfrEdit& NameEdit() const { return *FName; }
    TfrEdit& VersionEdit() const { return *FVersion; }
    QRadioButton& ProjectOption() const { return *FProjectOption; }
    QRadioButton& ClassOption() const { return *FClassOption; }
    QComboBox& ClassCombo() const { return *FClass; }
    TfrEditButton& DirectoryEdit() const { return *FDirectory; }
    TfrEdit& DllSubdirEdit() const { return *FDllSubdir; }
    TfrEdit& PasSubdirEdit() const { return *FPasSubdir; }
    QCheckBox& CopyFilesBox() const { return *FCopyFiles; }

private:
    void UpdateControls();

    TReleaseDll& FRelease;
    const TemgpProject& FProject;
    IFileDialogs* FFileDialogs;
    std::function<bool(const std::string&)> FIsNameUnique;
    std::function<void(TReleaseDll&)> FRun;
    TfrEdit* FName = nullptr;
    TfrEdit* FVersion = nullptr;
    QRadioButton* FProjectOption = nullptr;
    QRadioButton* FClassOption = nullptr;
    QComboBox* FClass = nullptr;
    TfrEditButton* FDirectory = nullptr;
    TfrEdit* FDllSubdir = nullptr;
    TfrEdit* FPasSubdir = nullptr;
    QCheckBox* FCopyFiles = nullptr;
};

// The project's releases: "Name", "Class", "Version" (the release's caption) and "Date & Time".
class TfrReleasesEditor : public TfrEditor {
    Q_OBJECT

public:
    TfrReleasesEditor(TfrEditors& editors, const TEditorEnvironment& environment);
    ~TfrReleasesEditor() override;

    void SetReadOnly(bool readOnly) override;
    void Initialize(TEditorItem& item) override;
    void Apply() override;
    QString HelpTopic() const override { return QStringLiteral("editor-releases"); }

    TfrEditedListView& List() const { return *FList; }
    const TReleaseDllCollection& Working() const { return *FWorking; }

private:
    bool EditRelease(TReleaseDll& release);

    std::unique_ptr<TReleaseDllCollection> FWorking;
    TfrFunctionList* FList = nullptr;
};

// "Copy Files": one copy rule of a module; "Copy Files" runs the rule as it stands in the dialog.
class TedCopyFile : public TfmBaseDialog {
    Q_OBJECT

public:
    TedCopyFile(QWidget* parent, TCopyFileItem& rule, const TemgpProject& project, std::string moduleName,
                IFileDialogs* fileDialogs, std::function<bool(const std::string&)> isNameUnique);

    bool Validate() override;
    void Apply() override;
    QString HelpTopic() const override { return QStringLiteral("dialog-copy-files"); }

    TfrEdit& NameEdit() const { return *FName; }
    TfrEditButton& PasPathEdit() const { return *FPasPath; }
    TfrEditButton& DllPathEdit() const { return *FDllPath; }
    QCheckBox& AllDllsBox() const { return *FAllDlls; }
    QPushButton& CopyButton() const { return *FCopy; }
    void CopyFiles();

private:
    void WriteTo(TCopyFileItem& rule) const;

    TCopyFileItem& FRule;
    const TemgpProject& FProject;
    std::string FModuleName;
    IFileDialogs* FFileDialogs;
    std::function<bool(const std::string&)> FIsNameUnique;
    TfrEdit* FName = nullptr;
    TfrEditButton* FPasPath = nullptr;
    TfrEditButton* FDllPath = nullptr;
    QCheckBox* FAllDlls = nullptr;
    QPushButton* FCopy = nullptr;
};

// A module's copy rules.
class TfrCopyFilesEditor : public TfrEditor {
    Q_OBJECT

public:
    TfrCopyFilesEditor(TfrEditors& editors, const TEditorEnvironment& environment);
    ~TfrCopyFilesEditor() override;

    void SetReadOnly(bool readOnly) override;
    void Initialize(TEditorItem& item) override;
    void Apply() override;
    QString HelpTopic() const override { return QStringLiteral("editor-copy-files"); }

    TfrEditedListView& List() const { return *FList; }
    const TCopyFileCollection& Working() const { return *FWorking; }

private:
    bool EditRule(TCopyFileItem& rule);

    std::unique_ptr<TCopyFileCollection> FWorking;
    TfrFunctionList* FList = nullptr;
};

// Runs `release` of `project` as the window does: the problems it finds are listed in one
// warning; a failure that stops it is raised.
void RunProjectRelease(const TemgpProject& project, const TReleaseDll& release);

}  // namespace quillon
