// The editor area of the main window and the bases of every element editor and modal dialog.
//
// One editor is open at a time: `TfrEditors` holds the current `TEditorItem`, which owns the
// editor frame built for the class of the selected node's object. An editor loads the object into
// its controls when initialized and writes them back when applied; applying validates first and
// a failed validation aborts silently (the validation has already shown its message). Closing an
// editor is deferred, so that a frame is never destroyed inside one of its own handlers.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QWidget>

class QKeyEvent;
class QLabel;
class QPushButton;
class QScrollArea;
class QTreeWidgetItem;
class QVBoxLayout;

namespace quillon {

class IFileDialogs;
class TPersistent;
class TReleaseDll;
class TemgModule;
class TemgpModule;
class TemgpProject;
class TfrEditor;

// What the editors need from the window around them.
struct TEditorEnvironment {
    TemgpProject* project = nullptr;
    IFileDialogs* fileDialogs = nullptr;
    // Opens a topic of the user guide ("editor-property").
    std::function<void(const QString& topic)> openHelp;
    // Runs a release of the project (the release dialog's OK leads here after its question).
    std::function<void(TReleaseDll& release)> runRelease;
    // A type was registered on a module from a type field's "Register"; the window shows it.
    std::function<void(TemgModule& module, TPersistent& type)> typeRegistered;
    // Shows a note in the window's status bar.
    std::function<void(const QString& text)> showStatus;
};

// One open editor: the frame, the object it edits (not owned) and the tree node showing it.
class TEditorItem {
public:
    TEditorItem(TPersistent& object, QTreeWidgetItem* node, TemgpModule* moduleEntry);
    ~TEditorItem();
    TEditorItem(const TEditorItem&) = delete;
    TEditorItem& operator=(const TEditorItem&) = delete;

    TPersistent& Object() const { return FObject; }
    QTreeWidgetItem* Node() const { return FNode; }
    void SetNode(QTreeWidgetItem* node) { FNode = node; }
    // The module entry the object belongs to; nullptr for the project and its releases.
    TemgpModule* ModuleEntry() const { return FModuleEntry; }
    TfrEditor* Editor() const { return FEditor; }
    void SetEditor(TfrEditor* editor) { FEditor = editor; }

private:
    TPersistent& FObject;
    QTreeWidgetItem* FNode;
    TemgpModule* FModuleEntry;
    QPointer<TfrEditor> FEditor;  // owned through the Qt parent (the editor area), freed with the item
};

class TfrEditors;

// The base of every element editor: a title, the descendant's controls and the OK / Apply /
// Cancel bar.
class TfrEditor : public QWidget {
    Q_OBJECT

public:
    TfrEditor(TfrEditors& editors, const TEditorEnvironment& environment);

    TEditorItem* Item() const { return FItem; }
    QTreeWidgetItem* Node() const;
    TPersistent* Object() const { return FObject; }
    bool ReadOnly() const { return FReadOnly; }

    // Stores the flag; descendants disable their controls after calling the base.
    virtual void SetReadOnly(bool readOnly);
    // Stores item, node and object; descendants then load their controls from the object.
    virtual void Initialize(TEditorItem& item);
    // Validates and, when that fails, aborts silently (EAbort); descendants call the base first
    // and then write their controls into the object.
    virtual void Apply();
    // Frees the editor through a one-shot timer, never synchronously.
    virtual void Close();
    // True in the base; descendants show a message and focus the control at fault.
    virtual bool Validate();
    // Reloads what the editor shows from outside the object (the unit editors' generated text
    // after a generation); nothing in the base.
    virtual void RefreshEditor() {}

    // The help topic of the "Help" link.
    virtual QString HelpTopic() const { return QStringLiteral("editors"); }
    // Updates the tree node's text and the title.
    void SetDisplayName(const QString& name);
    // The object is a change-tracked item that reports modified.
    bool Modified() const;
    // The user changed a control since the editor was initialized or last applied. Leaving a
    // node or running a command applies only a changed editor, so an untouched editor of a
    // new element never stands in the way; OK and Apply always apply.
    bool Changed() const { return FChanged; }
    void MarkChanged() { FChanged = true; }

    // The buttons' work, also reachable from tests: OK applies then closes; Apply applies;
    // Cancel closes without applying. OK and Apply go through the editor area's commit, so the
    // window hears of the change.
    void ClickOK();
    void ClickApply();
    void ClickCancel();

    // Gives the first field of the editor the focus, its text selected (a new element's name).
    void FocusFirstField();
    // Puts OK, Apply and Cancel after the fields in the Tab order (the buttons are made before
    // the descendant's fields).
    void PutButtonsLast();

protected:
    // Enter in a one-line field applies, as Apply does (in a memo it stays a line break);
    // Escape cancels, as Cancel does.
    void keyPressEvent(QKeyEvent* event) override;
    // Where descendants put their controls.
    QVBoxLayout& Body() const { return *FBody; }
    const TEditorEnvironment& Environment() const { return FEnvironment; }
    TfrEditors& Editors() const { return FEditors; }
    // The kind shown above the name ("Property").
    void SetKindCaption(const QString& caption);
    // Watches the user's edits in every standard input control of the editor (edit boxes, memos,
    // combo boxes, buttons, spin boxes, list frames); descendants call MarkChanged for controls of
    // their own. Runs after Initialize and clears the flag.
    void WatchChanges();

private:
    friend class TfrEditors;  // clears the changed flag after applying

    TfrEditors& FEditors;
    const TEditorEnvironment& FEnvironment;
    TEditorItem* FItem = nullptr;
    TPersistent* FObject = nullptr;
    bool FReadOnly = false;
    bool FChanged = false;
    QLabel* FKindLabel = nullptr;
    QLabel* FTitle = nullptr;
    QVBoxLayout* FBody = nullptr;
    QPushButton* FOK = nullptr;
    QPushButton* FApply = nullptr;
    QPushButton* FCancel = nullptr;
};

// The editor area: a "Help" link above the one current editor.
class TfrEditors : public QWidget {
    Q_OBJECT

public:
    explicit TfrEditors(QWidget* parent = nullptr);
    ~TfrEditors() override;

    TEditorEnvironment& Environment() { return FEnvironment; }

    // Opens the editor of `object` shown by `node`, unless the current item already edits it (its
    // node is then updated). `moduleEntry` is the module the object belongs to, if any.
    void OpenEditor(TPersistent& object, QTreeWidgetItem* node, TemgpModule* moduleEntry);
    // Applies the current editor when `always` or when the user changed it; raises what the apply
    // raises (EAbort on a failed validation). When the object was not modified before and is
    // after, OnBecameModified hears of its node; every apply ends with OnCommitted. An untouched
    // editor is not applied.
    void Commit(bool always = false);
    // Frees the current editor at once (the window's Close Editors, closing the project); the
    // placeholder takes its place and OnPlaceholderShown fills it in.
    void CloseEditors();
    std::function<void()> OnPlaceholderShown;
    // Frees the current item later, when `editor` is still its editor.
    void CloseLater(TfrEditor& editor);
    // Refreshes what the current editor shows from outside its object.
    void RefreshEditors();

    TEditorItem* Current() const { return FCurrent.get(); }
    TfrEditor* CurrentEditor() const { return FCurrent ? FCurrent->Editor() : nullptr; }

    // Shown when no editor is open.
    void SetPlaceholder(const QString& title, const QString& details);
    void OpenHelp() const;

    std::function<void(QTreeWidgetItem* node)> OnBecameModified;
    std::function<void(TEditorItem& item)> OnCommitted;
    // Runs an editor button's work the way the window runs commands (errors shown, Cancel silent).
    std::function<bool(const std::function<void()>&)> RunCommand;

private:
    TEditorEnvironment FEnvironment;
    std::unique_ptr<TEditorItem> FCurrent;
    QWidget* FPlaceholder = nullptr;
    QLabel* FPlaceholderTitle = nullptr;
    QLabel* FPlaceholderDetails = nullptr;
    QVBoxLayout* FStack = nullptr;
    // Holds the current editor: an editor wider or taller than the area scrolls, so that it never
    // takes its room from the project tree.
    QScrollArea* FScroll = nullptr;
};

// Builds the editor frame for `object`, by its class (see EditorDispatch.cpp).
TfrEditor* CreateEditorFrame(TPersistent& object, TfrEditors& editors, const TEditorEnvironment& environment);

// The base of the modal dialogs: a body for the descendant and a bottom bar with "OK", "Cancel"
// and "&Help". OK runs Validate; when it succeeds Apply runs and the dialog closes with OK.
class TfmBaseDialog : public QDialog {
    Q_OBJECT

public:
    explicit TfmBaseDialog(QWidget* parent = nullptr, const QString& caption = {});

    virtual bool Validate() { return true; }
    virtual void Apply() {}
    virtual QString HelpTopic() const { return QStringLiteral("dialogs"); }

    // The buttons' work, also reachable from tests.
    void ClickOK();
    void ClickCancel();

    QVBoxLayout& Body() const { return *FBody; }
    // Before the dialog runs: its first field gets the focus, its text selected, and OK stays
    // the button Enter presses wherever the focus goes.
    void PrepareKeyboard();

    // Opens the help topic through this hook (the window installs its guide); unset does nothing.
    static std::function<void(const QString&)>& HelpHandler();

private:
    QVBoxLayout* FBody = nullptr;
    QPushButton* FOK = nullptr;
};

// Runs `dialog` modally and answers whether it closed with OK. Tests install a handler that
// drives the dialog instead of a modal loop (ScopedDialogRunner).
bool ExecDialog(TfmBaseDialog& dialog);

class ScopedDialogRunner {
public:
    // `run` gets each dialog the code under test opens and plays the user; it ends by clicking
    // OK or Cancel (or leaving it open, which counts as Cancel).
    explicit ScopedDialogRunner(std::function<void(TfmBaseDialog&)> run);
    ~ScopedDialogRunner();
    ScopedDialogRunner(const ScopedDialogRunner&) = delete;
    ScopedDialogRunner& operator=(const ScopedDialogRunner&) = delete;

private:
    std::function<void(TfmBaseDialog&)> FPrevious;
};

// A validation's refusal: shows `message` as an error box with one OK button, gives `focus` the
// focus and answers false.
bool Refuse(const std::string& message, QWidget* focus = nullptr);

}  // namespace quillon
