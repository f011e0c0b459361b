// The editor area between the commands: what is typed in the open editor is applied before a
// command opens, closes or adds a project file; a closed editor leaves its node's empty state; a
// refused apply keeps the highlight on the edited node; every editor fits the window at its
// first start and at 1024 x 768. The keyboard as a Delphi developer's hands expect it, through
// the real window: the first field focused, Enter and Escape, the command keys, the mnemonics and
// the Tab order.
#include <filesystem>
#include <map>
#include <set>
#include <typeinfo>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeWidgetItemIterator>

#include "elements/DesignClass.h"
#include "elements/ExternalClasses.h"
#include "generator/DebugApplication.h"
#include "generator/UnitsManager.h"
#include "project/Project.h"
#include "workbench/ElementEditors.h"
#include "workbench/WorkbenchFixture.h"

namespace quillon::test {
namespace {

namespace fs = std::filesystem;

class EditorAreaTest : public WorkbenchTest {
protected:
    void SetUp() override { OpenWindow(); }

    TemgpModule& Module(int index) { return *Window().Project().Modules().Items(index); }
    TemgProperties& Properties() { return Module(1).Module().MainClass().Properties(); }

    // A saved project in `dir` with one class and its property Property1, whose editor is open.
    void SavedProjectWithAProperty(const std::string& dir) {
        NewProjectIn(dir);
        Trigger("actNewClassToProject");
        Trigger("actNewProperty");
        Trigger("actSave");
        ASSERT_TRUE(dialogs.Messages().empty()) << dialogs.Messages().front();
        ASSERT_NE(dynamic_cast<TfrPropertyEditor*>(Window().Editors().CurrentEditor()), nullptr);
    }
    QString PlaceholderText(const char* label) {
        auto* found = Window().Editors().findChild<QLabel*>(label);
        return found ? found->text() : QStringLiteral("(no label)");
    }
};

TEST_F(EditorAreaTest, AddingAClassReopeningAndOpeningAFileApplyTheTypedNameFirst) {
    const std::string other = work.File("Other"), first = work.File("First");
    NewProjectIn(other);
    Trigger("actSave");
    Trigger("actCloseProject");
    SavedProjectWithAProperty(first);
    Select(&Window().Project());
    TypeName("Bank");
    files->answers.push_back(std::nullopt);
    Trigger("actAddClass");
    EXPECT_EQ(Window().Project().GetName(), "Bank");

    TypeName("Savings");
    dialogs.QueueAnswer(DialogAnswer::Yes);
    // Saving put the open project on the list too, at the top.
    const QList<QAction*> entries = Window().ReopenMenu().actions();
    ASSERT_EQ(entries.size(), 2);
    ASSERT_EQ(entries.at(1)->text().toStdString(), work.File("Other/Project1.qlp"));
    entries.at(1)->trigger();
    EXPECT_EQ(Window().Project().GetFileName(), work.File("Other/Project1.qlp"));
    EXPECT_NE(ReadText(work.File("First/Project1.qlp")).find("Savings"), std::string::npos);

    // The way the reopen list and the command line open a file.
    Select(&Window().Project());
    TypeName("Loans");
    dialogs.QueueAnswer(DialogAnswer::Yes);
    Window().OpenProjectFile(work.File("Other/Project1.qlp"));
    EXPECT_EQ(dialogs.Questions(), (Names{"Save 'Savings'?", "Save 'Loans'?"}));
    EXPECT_EQ(Window().Project().GetName(), "Loans");  // saved, then read again
}

// A refused apply keeps the highlight on the edited node; a closed editor leaves its node's empty
// state, and a click opens it again.
TEST_F(EditorAreaTest, ARefusedApplyKeepsTheHighlightAndAClosedEditorLeavesTheEmptyState) {
    SavedProjectWithAProperty(work.Path());
    Window().show();
    QApplication::processEvents();
    QTreeWidget& tree = Window().Tree();
    QTreeWidgetItem* edited = tree.currentItem();
    TypeName("1st");
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(Node(&Module(1))).center());
    Settle();
    EXPECT_EQ(dialogs.Messages(), Names{"The field value is not an identifier"});
    EXPECT_EQ(tree.currentItem(), edited);
    EXPECT_EQ(tree.selectedItems(), QList<QTreeWidgetItem*>{edited});
    EXPECT_EQ(Properties().Items(0)->GetName(), "Property1");

    CurrentEditor<TfrPropertyEditor>().ClickCancel();
    EXPECT_EQ(SettledEditor(), nullptr);
    EXPECT_EQ(PlaceholderText("lbPlaceholderTitle"), "Property1");
    EXPECT_EQ(PlaceholderText("lbPlaceholderDetails"), "The editor is closed. Click the node to open it again.");
    emit tree.itemClicked(tree.currentItem(), 0);
    CurrentEditor<TfrPropertyEditor>().ClickOK();
    Settle();
    EXPECT_EQ(PlaceholderText("lbPlaceholderTitle"), "Property1");
    Trigger("actCloseProject");
    EXPECT_EQ(PlaceholderText("lbPlaceholderTitle"), "Open or create a project");
}

// Every editor of the bundled example, a debug application added, at the first start's size and
// at 1024 x 768: nothing scrolls sideways, every button shows its whole text within the area, OK,
// Apply and Cancel stay in view, and the tree keeps its width. At the first start's size it leaves
// pictures of the window and of each main editor for people to look at, under the build directory.
TEST_F(EditorAreaTest, EveryEditorFitsTheFirstStartSizeAnd1024By768) {
    if (QApplication::primaryScreen()->availableSize().width() < 1024) GTEST_SKIP() << "the screen is too small";
    for (const auto& entry : fs::directory_iterator(fs::path(QUILLON_EXAMPLES_DIR) / "Bank"))
        fs::copy_file(entry.path(), fs::path(work.Path()) / entry.path().filename());
    OpenWindow(work.File("Project1.qlp")).show();
    Select(&Module(2));
    Trigger("actNewDebugApplication");
    const TemgModule& account = Module(2).Module();
    const std::map<const TPersistent*, const char*> pictures{
        {&Window().Project(), "workbench"},
        {&Module(2), "editor-module"},
        {account.MainClass().Properties().Items(0), "editor-property"},
        {account.MainClass().Methods().Items(1), "editor-method"},
        {account.MainClass().ExternalClasses().Items(0), "editor-external-class"},
        {account.DebugApplications().Items(0), "editor-debug-application"},
        {account.Units().FindKind(TFileKind::ControllerUnit), "editor-unit"},
        {&Window().Project().Releases(), "editor-releases"}};
    const QSize firstStart = Window().size();
    auto* splitter = Window().findChild<QSplitter*>("spTree");
    const int treeWidth = splitter->sizes().value(0);
    const QWidget& area = *Window().Editors().findChild<QScrollArea*>("sbEditor")->viewport();
    for (const QSize size : {firstStart, QSize(1024, 768)}) {
        Window().resize(size);
        std::set<std::string> kinds;
        for (QTreeWidgetItemIterator node(&Window().Tree()); *node; ++node) {
            (*node)->setExpanded(true);  // a module's nodes are made when it is first expanded
            Window().Tree().setCurrentItem(*node);
            QApplication::processEvents();
            if (size == firstStart && pictures.count(NodeObject(*node)))
                SaveScreenshot(pictures.at(NodeObject(*node)), size);
            TfrEditor& editor = *Window().Editors().CurrentEditor();
            kinds.insert(typeid(editor).name());
            SCOPED_TRACE((*node)->text(0).toStdString() + " at " + std::to_string(size.width()));
            EXPECT_EQ(splitter->sizes().value(0), treeWidth);
            for (const QScrollArea* scroll : Window().Editors().findChildren<QScrollArea*>())
                EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
            for (const QAbstractButton* button : editor.findChildren<QAbstractButton*>()) {
                // OK, Apply and Cancel (the editor's own) whole in view, the fields' within its width.
                const QRect shown(button->mapTo(&area, QPoint(0, 0)), button->size());
                const bool inView = button->parent() == &editor ? area.rect().contains(shown)
                                                                 : shown.left() >= 0 && shown.right() < area.width();
                EXPECT_TRUE(!button->isVisible() || (inView && button->sizeHint().width() <= button->width()))
                    << button->text().toStdString();
            }
        }
        EXPECT_EQ(kinds.size(), 15U);  // every kind but the parameter's and the published values'
    }
}

class KeyboardTest : public WorkbenchTest {
protected:
    void SetUp() override {
        NewProjectWithAClass();
        Window().show();
        Window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    }
    static void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }
    QString Caption() { return Window().Tree().currentItem()->text(0); }
};

// A new element's editor opens with its name selected: what is typed replaces it, Enter applies
// it as Apply does, and Escape leaves the element as it was.
TEST_F(KeyboardTest, ANewElementsNameIsSelectedEnterAppliesAndEscapeCancels) {
    // A property and an event need their type before they apply; the module keeps its file.
    dialogs.QueueAnswer(DialogAnswer::No);
    for (const auto& [command, name] : {std::pair{"actNewProperty", ""}, {"actNewEvent", ""},
                                        {"actNewClassToProject", "Account"}, {"actNewMethod", "Pay"},
                                        {"actNewDebugApplication", "PayTest"}}) {
        Trigger(command);
        auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(edit, nullptr) << command;
        EXPECT_EQ(edit->selectedText(), Caption()) << command;
        if (!*name) continue;
        QTest::keyClicks(edit, name);
        Press(Qt::Key_Return);
        EXPECT_EQ(Caption().toStdString(), name);
    }
    QTest::keyClicks(QApplication::focusWidget(), "Lost");
    Press(Qt::Key_Escape);
    Settle();
    EXPECT_TRUE(Window().Editors().CurrentEditor() == nullptr && Caption() == "PayTest" && dialogs.Messages().empty());
}

// A dialog opens in its first field; Enter presses OK, also after OK refused and after another
// button had the focus; Escape cancels.
TEST_F(KeyboardTest, ADialogOpensInItsFirstFieldAndEnterPressesOK) {
    int shown = 0;
    const ScopedDialogRunner runner([&](TfmBaseDialog& dialog) {
        dialog.show();
        auto* name = qobject_cast<QLineEdit*>(dialog.focusWidget());
        ASSERT_NE(name, nullptr);
        if (shown == 0)  // a picture of the dialog as it opens, for people to look at
            dialog.grab().save(QString(QUILLON_SCREENSHOT_DIR) + "/dialog-register-type.png");
        if (shown++ == 1) {
            QTest::keyClick(name, Qt::Key_Escape);
            return;
        }
        QTest::keyClick(name, Qt::Key_Return);
        EXPECT_EQ(dialogs.Messages().back(), "Please, fill in the field 'Name'");
        QTest::keyClicks(name, "TOnPaid");
        dialog.findChild<QTabWidget*>()->setCurrentIndex(2);
        QPushButton* help = dialog.findChild<QPushButton*>("btHelp");
        help->setFocus();
        QTest::keyClick(help, Qt::Key_Return);
    });
    Trigger("actRegisterDataType");
    EXPECT_EQ(Caption(), "TOnPaid");
    Trigger("actRegisterDataType");
    EXPECT_TRUE(shown == 2 && Caption() == "TOnPaid");
}

// Del (in the tree), Shift+F10, F10 and the Generate keys; every menu entry has a mnemonic of
// its own and shows its key.
TEST_F(KeyboardTest, CommandKeysAndMnemonics) {
    Trigger("actNewProperty");
    Window().Project().Modules().Items(1)->Module().MainClass().Properties().Items(0)->DataType().SetName("Integer");
    Window().Tree().setFocus();
    dialogs.QueueAnswer(DialogAnswer::No);
    Press(Qt::Key_Delete);
    EXPECT_EQ(dialogs.Questions(), Names{"Delete 'Property1'?"});
    Press(Qt::Key_F9, Qt::ShiftModifier);
    EXPECT_EQ(GenerationReport().rfind("Generated ExtClass1: ", 0), 0u) << GenerationReport();
    Press(Qt::Key_F9, Qt::ControlModifier);
    EXPECT_EQ(GenerationReport(), "Generated Project1: 0 files written");
    Press(Qt::Key_F9, Qt::AltModifier);
    EXPECT_EQ(Window().statusBar()->currentMessage(), "Check Project: 0 results");
    for (const int key : {Qt::Key_Alt, Qt::Key_F10}) {  // a lone Alt, pressed and released
        Window().Tree().setFocus();
        Press(key);
        EXPECT_NE(Window().menuBar()->activeAction(), nullptr) << key;
        Window().menuBar()->setActiveAction(nullptr);
    }
    Window().Tree().setFocus();
    Press(Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(Window().findChild<QMenu*>("pmTree")->isVisible());
    EXPECT_EQ(dialogs.Messages(), Names{});

    for (const auto& [entry, key] : {std::pair{"miGenerateProjectSrc", "Ctrl+F9"}, {"miGenerateClass", "Shift+F9"},
                                     {"miCheckProject", "Alt+F9"}, {"miDelete", "Del"}, {"pmDelete", "Del"}})
        EXPECT_TRUE(Window().findChild<QAction*>(entry)->text().endsWith(QString("\t") + key)) << entry;
    QList<QWidget*> menus{Window().menuBar()};
    for (QMenu* menu : Window().findChildren<QMenu*>())
        if (menu != &Window().ReopenMenu()) menus.append(menu);  // the reopen entries are paths
    for (const QWidget* menu : menus) {
        QString mnemonics;
        for (const QAction* entry : menu->actions()) {
            if (entry->isSeparator() || !entry->isVisible()) continue;
            const qsizetype at = entry->text().indexOf('&');
            ASSERT_GE(at, 0) << entry->text().toStdString();
            EXPECT_FALSE(mnemonics.contains(entry->text()[at + 1].toLower())) << entry->text().toStdString();
            mnemonics += entry->text()[at + 1].toLower();
        }
    }
}

// Tab goes through an editor's fields in reading order (top to bottom, left to right in a row),
// then OK, Apply and Cancel.
TEST_F(KeyboardTest, TabGoesThroughTheFieldsInReadingOrderThenTheButtons) {
    Trigger("actNewProperty");
    Trigger("actNewMethod");
    const TemgModule& module = Window().Project().Modules().Items(1)->Module();
    for (const TPersistent* object : {static_cast<const TPersistent*>(&Window().Project()),
                                      static_cast<const TPersistent*>(Window().Project().Modules().Items(1)),
                                      static_cast<const TPersistent*>(module.MainClass().Properties().Items(0)),
                                      static_cast<const TPersistent*>(module.MainClass().Methods().Items(1))}) {
        Select(object);
        Settle();
        TfrEditor* editor = Window().Editors().CurrentEditor();
        std::vector<QWidget*> chain;
        for (QWidget* w = editor->nextInFocusChain(); w != editor; w = w->nextInFocusChain())
            if (editor->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisible()) chain.push_back(w);
        ASSERT_GE(chain.size(), 4u);
        const std::string where = Caption().toStdString();
        EXPECT_EQ(chain[chain.size() - 3]->objectName() + chain[chain.size() - 2]->objectName() + chain.back()->objectName(),
                  "btOKbtApplybtCancel") << where;
        // Group boxes side by side are gone through one after the other.
        const auto group = [&](const QWidget* widget) {
            for (const QWidget* p = widget->parentWidget(); p != editor; p = p->parentWidget())
                if (qobject_cast<const QGroupBox*>(p)) return p;
            return static_cast<const QWidget*>(editor);
        };
        for (std::size_t i = 1; i + 3 < chain.size(); ++i) {
            if (group(chain[i - 1]) != group(chain[i])) continue;
            const QRect before(chain[i - 1]->mapTo(editor, QPoint()), chain[i - 1]->size());
            const QRect after(chain[i]->mapTo(editor, QPoint()), chain[i]->size());
            const bool sameRow = after.top() < before.bottom() && before.top() < after.bottom();
            EXPECT_TRUE(sameRow ? after.left() > before.left() : after.top() > before.top())
                << where << ": " << chain[i]->objectName().toStdString();
        }
    }
}

}  // namespace
}  // namespace quillon::test
