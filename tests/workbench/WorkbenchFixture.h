// The fixture of the workbench tests: a main window on a temporary configuration file, with
// scripted message boxes and file dialogs answered from queues, and the user's hands on the
// editors' fields.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "platform/UserDialogs.h"
#include "support/TempDir.h"
#include "workbench/EditorFramework.h"
#include "workbench/FileDialogs.h"
#include "workbench/MainWindow.h"
#include "workbench/ProjectTree.h"
#include "workbench/WorkbenchSettings.h"

namespace quillon::test {

using Names = std::vector<std::string>;

// Types `text` over the whole of `edit` as the user does; an empty text clears it.
inline void TypeInto(QLineEdit& edit, const QString& text) {
    edit.selectAll();
    if (text.isEmpty()) {
        edit.clear();
        emit edit.textEdited(QString());
        return;
    }
    QTest::keyClicks(&edit, text);
}

// Chooses `text` in `combo` (an entry, or typed into an editable one) as the user does.
inline void Choose(QComboBox& combo, const QString& text) {
    combo.setCurrentText(text);
    emit combo.activated(combo.currentIndex());
}

// Runs `open`, playing the user in every dialog it opens, a `Dialog`, with `play`.
template <class Dialog>
void Playing(const std::function<void(Dialog&)>& play, const std::function<void()>& open) {
    ScopedDialogRunner runner([&](TfmBaseDialog& dialog) { play(dynamic_cast<Dialog&>(dialog)); });
    open();
}

// Answers every file or directory question with the next queued answer (nullopt = Cancel) and
// fails the test on one nobody queued.
class ScriptedFileDialogs : public IFileDialogs {
public:
    std::deque<std::optional<std::string>> answers;
    std::deque<std::string> askedDirs;

    std::optional<std::string> OpenFile(QWidget*, const std::string&, const std::string& dir,
                                        const std::string&) override {
        return Next(dir);
    }
    std::optional<std::string> SaveFile(QWidget*, const std::string&, const std::string& dir, const std::string&,
                                        const std::string&) override {
        return Next(dir);
    }
    std::optional<std::string> Directory(QWidget*, const std::string&, const std::string& dir) override {
        return Next(dir);
    }
    // The next answer, whose file names are separated by line breaks.
    std::optional<std::vector<std::string>> OpenFiles(QWidget*, const std::string&, const std::string& dir,
                                                      const std::string&) override {
        const auto answer = Next(dir);
        if (!answer) return std::nullopt;
        std::vector<std::string> names;
        std::size_t start = 0;
        for (std::size_t end; (end = answer->find('\n', start)) != std::string::npos; start = end + 1)
            names.push_back(answer->substr(start, end - start));
        names.push_back(answer->substr(start));
        return names;
    }

private:
    std::optional<std::string> Next(const std::string& dir) {
        askedDirs.push_back(dir);
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted file dialog";
            return std::nullopt;
        }
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class WorkbenchTest : public ::testing::Test {
protected:
    WorkbenchTest() : installed_(dialogs) {}
#ifdef _WIN32
    // A registry key outlives the test: its values go with it.
    ~WorkbenchTest() override {
        window_.reset();
        StoredSettings()->clear();
    }
#endif

    // The test's own settings store, kept as the workbench keeps its own: on Windows a registry
    // key (in the run's private Wine prefix), elsewhere an INI file.
    std::string ConfigFile() const {
#ifdef _WIN32
        return "HKEY_CURRENT_USER\\quillon-test-" + std::filesystem::path(config_.Path()).filename().string();
#else
        return config_.File("quillon.conf");
#endif
    }
    // The stored values as another reader of the store sees them.
    std::unique_ptr<QSettings> StoredSettings() const {
        const QString name = QString::fromStdString(ConfigFile());
        return std::make_unique<QSettings>(name, name.startsWith("HKEY_") ? QSettings::NativeFormat
                                                                          : QSettings::IniFormat);
    }

    // A new window on the test's configuration file; the previous one is destroyed first (and so
    // writes its settings).
    TfmQLN& OpenWindow(const std::string& startFile = {}) {
        window_.reset();
        auto fileDialogs = std::make_unique<ScriptedFileDialogs>();
        files = fileDialogs.get();
        window_ = std::make_unique<TfmQLN>(std::make_unique<TWorkbenchSettings>(ConfigFile()), std::move(fileDialogs),
                                           startFile);
        return *window_;
    }
    void DestroyWindow() {
        window_.reset();
        files = nullptr;
    }
    TfmQLN& Window() { return *window_; }

    void Trigger(const char* actionName) {
        QAction* action = Window().Action(actionName);
        ASSERT_NE(action, nullptr) << actionName;
        action->trigger();
    }

    // A new project in `dir` through the New command.
    void NewProjectIn(const std::string& dir) {
        files->answers.push_back(dir);
        Trigger("actNewProject");
    }

    // A new project in the work directory with one class module, ExtClass1, selected (in a new
    // window when none is open).
    TemgpModule& NewProjectWithAClass() {
        if (!window_) OpenWindow();
        NewProjectIn(work.Path());
        Trigger("actNewClassToProject");
        return *Window().Project().Modules().Items(1);
    }

    QTreeWidgetItem* Node(const TPersistent* object) { return FindNodeOf(Window().Tree(), object); }
    QTreeWidgetItem* Select(const TPersistent* object) {
        EXPECT_TRUE(Window().SelectObject(object));
        return Window().Tree().currentItem();
    }

    // The open editor as `Editor` (fails the test when another kind or none is open).
    template <class Editor>
    Editor& CurrentEditor() {
        auto* editor = dynamic_cast<Editor*>(Window().Editors().CurrentEditor());
        if (!editor) throw std::logic_error("the open editor is not of the expected kind");
        return *editor;
    }
    // Types over the name of the open editor; nothing is applied.
    void TypeName(const QString& name) {
        auto* edit = Window().Editors().CurrentEditor()->findChild<QLineEdit*>("edName");
        if (!edit) throw std::logic_error("the open editor has no name field");
        TypeInto(*edit, name);
    }
    // The open editor once deferred work ran (nullptr when none is open).
    TfrEditor* SettledEditor() {
        Settle();
        return Window().Editors().CurrentEditor();
    }
    // The report of the last generation in the status bar.
    std::string GenerationReport() { return Window().findChild<QLabel*>("lbGenerated")->text().toStdString(); }
    // The last message shown, or "" when none was.
    std::string LastMessage() const { return dialogs.Messages().empty() ? "" : dialogs.Messages().back(); }
    // Lets deferred work run (an editor's close).
    static void Settle() {
        for (int i = 0; i < 3; ++i) {
            QTest::qWait(15);
            QCoreApplication::processEvents();
        }
    }
    // Leaves a picture of the window at `size` under the build directory, for people to look at.
    void SaveScreenshot(const char* name, QSize size = {1100, 720}) {
        Window().resize(size);
        Window().show();
        QCoreApplication::processEvents();
        std::filesystem::create_directories(QUILLON_SCREENSHOT_DIR);
        EXPECT_TRUE(Window().grab().toImage().save(QString(QUILLON_SCREENSHOT_DIR) + "/" + name + ".png"));
    }

    ScriptedDialogs dialogs;
    ScriptedFileDialogs* files = nullptr;
    TempDir work;

private:
    TempDir config_;
    ScopedDialogs installed_;
    std::unique_ptr<TfmQLN> window_;
};

}  // namespace quillon::test
