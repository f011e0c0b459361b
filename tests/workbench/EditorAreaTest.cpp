// The editor area between the commands: what is typed in the open editor is applied before a
// command opens, closes or adds a project file; a closed editor leaves its node's empty state; a
// refused apply keeps the highlight on the edited node; every editor fits the window at its
// first start and at 1024 x 768.
#include <filesystem>
#include <set>
#include <typeinfo>

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTreeWidgetItemIterator>

#include "elements/DesignClass.h"
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
// Apply and Cancel stay in view, and the tree keeps its width.
TEST_F(EditorAreaTest, EveryEditorFitsTheFirstStartSizeAnd1024By768) {
    if (QApplication::primaryScreen()->availableSize().width() < 1024) GTEST_SKIP() << "the screen is too small";
    for (const auto& entry : fs::directory_iterator(fs::path(QUILLON_EXAMPLES_DIR) / "Bank"))
        fs::copy_file(entry.path(), fs::path(work.Path()) / entry.path().filename());
    OpenWindow(work.File("Project1.qlp")).show();
    Select(&Module(1));
    Trigger("actNewDebugApplication");
    auto* splitter = Window().findChild<QSplitter*>("spTree");
    const int treeWidth = splitter->sizes().value(0);
    const QWidget& area = *Window().Editors().findChild<QScrollArea*>("sbEditor")->viewport();
    for (const QSize size : {Window().size(), QSize(1024, 768)}) {
        Window().resize(size);
        std::set<std::string> kinds;
        for (QTreeWidgetItemIterator node(&Window().Tree()); *node; ++node) {
            (*node)->setExpanded(true);  // a module's nodes are made when it is first expanded
            Window().Tree().setCurrentItem(*node);
            QApplication::processEvents();
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

}  // namespace
}  // namespace quillon::test
