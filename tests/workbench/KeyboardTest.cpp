// The keyboard as a Delphi developer's hands expect it, through the real window: the first field
// focused, Enter and Escape, the command keys, the mnemonics and the Tab order.
#include <QApplication>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "elements/DesignClass.h"
#include "workbench/WorkbenchFixture.h"

namespace quillon::test {
namespace {

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
    const auto report = [&] { return Window().findChild<QLabel*>("lbGenerated")->text().toStdString(); };
    Press(Qt::Key_F9, Qt::ShiftModifier);
    EXPECT_EQ(report().rfind("Generated ExtClass1: ", 0), 0u) << report();
    Press(Qt::Key_F9, Qt::ControlModifier);
    EXPECT_EQ(report(), "Generated Project1: 0 files written");
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
