// The editor area between the commands: what is typed in the open editor is applied before a
// command opens, closes or adds a project file; a closed editor leaves its node's empty state; a
// refused apply keeps the highlight on the edited node; a wide editor scrolls instead of
// squeezing the tree.
#include <filesystem>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QSplitter>
#include <QTest>
#include <QTreeWidget>

#include "elements/DesignClass.h"
#include "support/TempDir.h"
#include "workbench/ElementEditors.h"
#include "workbench/ModuleEditors.h"
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
    // Types `name` over the open property editor's name, as the user does; nothing is applied.
    void TypePropertyName(const QString& name) {
        QLineEdit& edit = CurrentEditor<TfrPropertyEditor>().Appellation().NameEdit().Edit();
        edit.selectAll();
        QTest::keyClicks(&edit, name);
    }
    // Types `name` over the open project editor's name, likewise.
    void TypeProjectName(const QString& name) {
        QLineEdit& edit = CurrentEditor<TfrProjectEditor>().Appellation().NameEdit().Edit();
        edit.selectAll();
        QTest::keyClicks(&edit, name);
    }
    QString PlaceholderText(const char* label) {
        auto* found = Window().Editors().findChild<QLabel*>(label);
        return found ? found->text() : QStringLiteral("(no label)");
    }
};

TEST_F(EditorAreaTest, ReopenAppliesTheTypedNameAndAsksToSaveIt) {
    const std::string other = work.Path() + "/Other", first = work.Path() + "/First";
    NewProjectIn(other);
    Trigger("actSave");
    Trigger("actCloseProject");
    SavedProjectWithAProperty(first);

    Select(&Window().Project());
    TypeProjectName("Bank");
    dialogs.QueueAnswer(DialogAnswer::Yes);
    // Saving put the open project on the list too, at the top.
    const QList<QAction*> entries = Window().ReopenMenu().actions();
    ASSERT_EQ(entries.size(), 2);
    ASSERT_EQ(entries.at(1)->text().toStdString(), other + "/Project1.qlp");
    entries.at(1)->trigger();
    EXPECT_EQ(dialogs.Questions(), std::vector<std::string>{"Save 'Bank'?"});
    EXPECT_EQ(Window().Project().GetFileName(), other + "/Project1.qlp");
    EXPECT_NE(ReadText(first + "/Project1.qlp").find("Bank"), std::string::npos);
}

TEST_F(EditorAreaTest, OpeningAProjectFileAndAddingAClassApplyTheTypedNameFirst) {
    SavedProjectWithAProperty(work.Path());
    Select(&Window().Project());
    TypeProjectName("Bank");
    files->answers.push_back(std::nullopt);
    Trigger("actAddClass");
    EXPECT_EQ(Window().Project().GetName(), "Bank");
    Trigger("actSave");

    // The way the reopen list and the command line open a file.
    TypeProjectName("Savings");
    dialogs.QueueAnswer(DialogAnswer::Yes);
    Window().OpenProjectFile(work.File("Project1.qlp"));
    EXPECT_EQ(dialogs.Questions(), std::vector<std::string>{"Save 'Savings'?"});
    EXPECT_EQ(Window().Project().GetName(), "Savings");  // saved, then read again
}

TEST_F(EditorAreaTest, AClosedEditorLeavesItsNodesEmptyStateAndAClickOpensItAgain) {
    SavedProjectWithAProperty(work.Path());
    CurrentEditor<TfrPropertyEditor>().ClickCancel();
    Settle();
    EXPECT_EQ(Window().Editors().CurrentEditor(), nullptr);
    EXPECT_EQ(PlaceholderText("lbPlaceholderTitle"), "Property1");
    EXPECT_EQ(PlaceholderText("lbPlaceholderDetails"), "The editor is closed. Click the node to open it again.");

    QTreeWidgetItem* node = Window().Tree().currentItem();
    emit Window().Tree().itemClicked(node, 0);
    CurrentEditor<TfrPropertyEditor>().ClickOK();
    Settle();
    EXPECT_EQ(PlaceholderText("lbPlaceholderTitle"), "Property1");

    Trigger("actCloseProject");
    EXPECT_EQ(PlaceholderText("lbPlaceholderTitle"), "Open or create a project");
}

TEST_F(EditorAreaTest, ARefusedApplyKeepsTheHighlightOnTheEditedNode) {
    SavedProjectWithAProperty(work.Path());
    Window().resize(1000, 700);
    Window().show();
    QApplication::processEvents();
    QTreeWidget& tree = Window().Tree();
    QTreeWidgetItem* edited = tree.currentItem();
    QTreeWidgetItem* clicked = Node(&Module(1));
    TypePropertyName("1st");

    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(clicked).center());
    Settle();
    EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{"The field value is not an identifier"});
    EXPECT_EQ(tree.currentItem(), edited);
    EXPECT_EQ(tree.selectedItems(), QList<QTreeWidgetItem*>{edited});
    EXPECT_EQ(Properties().Items(0)->GetName(), "Property1");
}

TEST_F(EditorAreaTest, AWideEditorScrollsAndTheTreeKeepsItsWidth) {
    NewProjectIn(work.Path());
    Trigger("actNewClassToProject");
    Window().resize(1000, 700);
    Window().show();
    Select(&Window().Project());
    QApplication::processEvents();
    auto* splitter = Window().findChild<QSplitter*>("spTree");
    ASSERT_NE(splitter, nullptr);
    const int treeWidth = splitter->sizes().value(0);
    EXPECT_GE(treeWidth, 300);

    // The widest editor: a COM server's module with its options.
    Module(1).Module().SetServerOption(moComServerInDll);
    RefreshNode(*Node(&Module(1)));
    Select(&Module(1));
    ASSERT_NE(dynamic_cast<TfrModuleEditor*>(Window().Editors().CurrentEditor()), nullptr);
    Settle();
    EXPECT_EQ(splitter->sizes().value(0), treeWidth);
    auto* scroll = Window().Editors().findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(scroll->widget(), Window().Editors().CurrentEditor());
}

}  // namespace
}  // namespace quillon::test
