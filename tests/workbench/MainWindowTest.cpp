#include <filesystem>
#include <vector>

#include <QApplication>
#include <QKeySequence>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QStatusTipEvent>

#include "platform/FileSystem.h"
#include "platform/ShellOpen.h"
#include "elements/DesignClass.h"
#include "elements/ExternalClasses.h"
#include "generator/DebugApplication.h"
#include "workbench/UpdateDeveloperUnitDialog.h"
#include "workbench/WorkbenchFixture.h"

namespace quillon::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> ChildCaptions(const QTreeWidgetItem* node) {
    std::vector<std::string> captions;
    for (int i = 0; i < node->childCount(); ++i) captions.push_back(node->child(i)->text(0).toStdString());
    return captions;
}

class MainWindowTest : public WorkbenchTest {
protected:
    void SetUp() override { OpenWindow(); }

    TemgpModule& Module(int index) { return *Window().Project().Modules().Items(index); }
    // A saved project in the work directory with two class modules, ExtClass1 and ExtClass2.
    void SavedProjectWithTwoClasses() {
        NewProjectWithAClass();
        Trigger("actNewClassToProject");
        Trigger("actSave");
        ASSERT_EQ(LastMessage(), "");
    }
};

// The window starts empty with the plain caption and no check panel; a new project shows the
// project, releases and common types nodes; new modules and members are selected in view under
// their groups.
TEST_F(MainWindowTest, NewProjectModulesAndMembersAreSelectedInViewUnderTheirGroups) {
    EXPECT_EQ(Window().windowTitle(), "Quillon 2.3");
    EXPECT_EQ(Window().Tree().topLevelItemCount(), 0);
    EXPECT_FALSE(Window().CheckPanelShown());
    files->answers.push_back(std::nullopt);  // cancelling the directory dialog makes no project
    Trigger("actNewProject");
    EXPECT_TRUE(Window().Project().IsEmpty());

    NewProjectIn(work.File("Fresh"));
    EXPECT_TRUE(fs::is_directory(work.File("Fresh")));
    EXPECT_EQ(Window().windowTitle(), "Project1 - Quillon 2.3");
    // The platform appends the application's display name to every other window's title.
    EXPECT_FALSE(QGuiApplication::applicationDisplayName().contains("Project1"));
    QTreeWidgetItem* root = Window().Tree().topLevelItem(0);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->text(0), "Project1");
    EXPECT_EQ(NodeImage(root), 12);
    EXPECT_EQ(ChildCaptions(root), (Names{"Releases", "CommonTypes"}));
    EXPECT_EQ(NodeImage(root->child(0)), 36);
    // The common types module: image 10, no added units or copy files, its registered and
    // procedural types listed once it is expanded.
    QTreeWidgetItem* common = root->child(1);
    EXPECT_EQ(NodeImage(common), 10);
    common->setExpanded(true);
    const Names groups = ChildCaptions(common);
    EXPECT_EQ(groups.front(), "Generated Units");
    EXPECT_EQ(std::count(groups.begin(), groups.end(), "Added Units"), 0);
    EXPECT_NE(std::find(groups.begin(), groups.end(), "Registered Types"), groups.end());

    // New modules are numbered, selected and show their groups; new members go under their groups
    // in tree order. Every new node is in view, also at the end of a tree longer than the window
    // and above the check panel that its check results open.
    Window().show();
    QTreeWidget& tree = Window().Tree();
    const auto inView = [&] { return tree.viewport()->rect().contains(tree.visualItemRect(tree.currentItem())); };
    for (int i = 0; i < 40; ++i) Trigger("actNewClassToProject");
    EXPECT_EQ(ChildCaptions(tree.topLevelItem(0)).at(41), "ExtClass40");
    QTreeWidgetItem* module = tree.currentItem();
    EXPECT_TRUE(module->text(0) == "ExtClass40" && inView());
    EXPECT_EQ(NodeImage(module), 21);  // a new module serves from a library
    EXPECT_EQ(ChildCaptions(module), (Names{"Added Units", "Copy Files", "Generated Units", "Methods"}));
    // The system method is grey, the new module bold.
    EXPECT_EQ(module->child(3)->child(0)->text(0), "AfterInitInstance");
    EXPECT_EQ(module->child(3)->child(0)->foreground(0).color(), QColor(0x80, 0x80, 0x80));
    EXPECT_TRUE(module->font(0).bold());
    for (const char* command : {"actNewEvent", "actNewProperty"}) {
        Trigger(command);
        QApplication::processEvents();
        EXPECT_TRUE(inView()) << command;
    }
    EXPECT_EQ(tree.currentItem()->text(0), "Property1");
    EXPECT_EQ(NodeImage(tree.currentItem()), 6);
    EXPECT_EQ(ChildCaptions(module),
              (Names{"Added Units", "Copy Files", "Generated Units", "Methods", "Properties", "Events"}));
}

// --- The tree of an opened project: module nodes make their children when first needed ---------

class OpenedProjectTree : public MainWindowTest {
protected:
    // Saves two class modules, the first with a property, and opens the project again.
    void SetUp() override {
        MainWindowTest::SetUp();
        SavedProjectWithTwoClasses();
        Select(&Module(2));
        Trigger("actNewProperty");
        Trigger("actSave");
        Window().OpenProjectFile(work.File("Project1.qlp"));
    }
    QTreeWidgetItem* ModuleNode(int index) { return Window().Tree().topLevelItem(0)->child(index + 1); }
    TemgClass& Class(int index) { return Module(index).Module().MainClass(); }
};

// A module shows its expander before it has children; selecting a node deep in it makes that
// module's children only, its groups styled, and expanding it again makes nothing twice.
TEST_F(OpenedProjectTree, SelectingANodeDeepInAModuleMakesThatModuleOnly) {
    QTreeWidgetItem* module = ModuleNode(2);
    ASSERT_EQ(module->text(0), "ExtClass2");
    EXPECT_EQ(module->childCount(), 0);
    EXPECT_EQ(module->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    QTreeWidgetItem* node = Select(Class(2).Properties().Items(0));
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->text(0), "Property1");
    EXPECT_TRUE(module->isExpanded());
    EXPECT_NE(Window().Editors().CurrentEditor(), nullptr);
    EXPECT_EQ(ModuleNode(0)->childCount(), 0);
    EXPECT_EQ(ModuleNode(1)->childCount(), 0);
    // An object no node shows (a module's empty group) has none, and makes none.
    EXPECT_EQ(Node(&Class(1).Properties()), nullptr);
    EXPECT_EQ(ModuleNode(1)->childCount(), 0);

    EXPECT_EQ(ChildCaptions(module), (Names{"Added Units", "Copy Files", "Generated Units", "Methods", "Properties"}));
    EXPECT_EQ(module->child(3)->child(0)->foreground(0).color(), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(NodeObject(module->child(4)->child(0)), Class(2).Properties().Items(0));
    Window().Tree().collapseItem(module);
    Window().Tree().expandItem(module);
    EXPECT_EQ(module->childCount(), 5);
    EXPECT_EQ(module->child(4)->childCount(), 1);
}

TEST_F(OpenedProjectTree, MembersAddedAndModulesRenamedBeforeExpandingShowOnce) {
    // A new member of a module whose node was never expanded: one node, selected.
    Select(&Module(1));
    EXPECT_EQ(ModuleNode(1)->childCount(), 0);
    Trigger("actNewEvent");
    EXPECT_EQ(Window().Tree().currentItem()->text(0), "Event1");
    EXPECT_EQ(Window().Tree().currentItem()->parent()->childCount(), 1);
    EXPECT_EQ(ChildCaptions(ModuleNode(1)), (Names{"Added Units", "Copy Files", "Generated Units", "Methods", "Events"}));
    EXPECT_TRUE(Window().Tree().currentItem()->font(0).bold());
    // A module renamed while its node has no children takes the new caption, and its children
    // show the module as it is then.
    TemgModule& second = Module(2).Module();
    second.MainClass().SetName("Ledger");
    second.SetAppellation(second.MainClass().Appellation());
    Class(2).Properties().Delete(0);
    RefreshNode(*ModuleNode(2));
    EXPECT_EQ(ModuleNode(2)->text(0), "Ledger");
    EXPECT_EQ(ModuleNode(2)->childCount(), 0);
    Window().Tree().expandItem(ModuleNode(2));
    EXPECT_EQ(ChildCaptions(ModuleNode(2)), (Names{"Added Units", "Copy Files", "Generated Units", "Methods"}));
}

// Commands needing a project say so without one; member commands need a current module.
TEST_F(MainWindowTest, CommandsWithoutTheirProjectOrModuleAreRefused) {
    for (const char* command : {"actNewClassToProject", "actAddClass", "actRegisterDataType", "actGenerateProjectSrc"})
        Trigger(command);
    NewProjectIn(work.Path());
    Select(&Window().Project());
    Trigger("actNewProperty");
    Trigger("actNewDebugApplication");
    EXPECT_EQ(dialogs.Messages(), (Names{"No project", "No project", "No project", "No module found",
                                         "Current node doesn't relate to any of the class", "No module found"}));
}

// Save writes every file of a new project without asking, then only the modified module, and asks
// for the file name of a project that has none.
TEST_F(MainWindowTest, SaveWritesEveryFileOfANewProjectWithoutAskingThenOnlyTheModifiedModule) {
    SavedProjectWithTwoClasses();
    for (const char* name : {"Project1.qlp", "CommonTypes.qlm", "ExtClass1.qlm", "ExtClass2.qlm"})
        EXPECT_TRUE(fs::exists(work.File(name))) << name;
    EXPECT_TRUE(dialogs.Questions().empty());
    EXPECT_FALSE(Node(&Module(1))->font(0).bold());
    EXPECT_EQ(Window().ReopenProjects().Items(), (Names{work.File("Project1.qlp")}));
    // Files that are rewritten would come back.
    for (const char* name : {"Project1.qlp", "CommonTypes.qlm", "ExtClass1.qlm"}) fs::remove(work.File(name));
    Select(&Module(2));
    Trigger("actNewProperty");
    EXPECT_TRUE(Node(&Module(2))->font(0).bold());
    Trigger("actSave");
    for (const char* name : {"Project1.qlp", "CommonTypes.qlm", "ExtClass1.qlm"}) EXPECT_FALSE(fs::exists(work.File(name)));
    EXPECT_NE(ReadText(work.File("ExtClass2.qlm")).find("Property1"), std::string::npos);

    // A changed project without file name asks for one; Cancel writes nothing.
    Window().Project().SetFileName("");
    Window().Project().SetModified(true);
    files->answers.push_back(std::nullopt);
    Trigger("actSave");
    EXPECT_FALSE(fs::exists(work.File("Project1.qlp")));
    files->answers.push_back(work.File("Named.qlp"));
    Trigger("actSave");
    EXPECT_TRUE(fs::exists(work.File("Named.qlp")));
    EXPECT_EQ(Window().Project().GetFileName(), work.File("Named.qlp"));
}

// Closing the window asks to save: Cancel keeps it open with the project, Yes saves.
TEST_F(MainWindowTest, ClosingTheWindowOrTheProjectAsksToSave) {
    NewProjectIn(work.Path());
    Window().show();
    dialogs.QueueAnswer(DialogAnswer::Cancel);
    EXPECT_FALSE(Window().close());
    EXPECT_TRUE(Window().isVisible());
    EXPECT_EQ(dialogs.Questions(), (Names{"Save 'Project1'?"}));
    EXPECT_FALSE(Window().Project().IsEmpty());
    EXPECT_FALSE(fs::exists(work.File("Project1.qlp")));

    dialogs.QueueAnswer(DialogAnswer::Yes);
    EXPECT_TRUE(Window().close());
    EXPECT_TRUE(fs::exists(work.File("Project1.qlp")));

    // Close Project with No writes nothing and empties the tree.
    NewProjectIn(work.File("Other"));
    dialogs.QueueAnswer(DialogAnswer::No);
    Trigger("actCloseProject");
    EXPECT_TRUE(Window().Project().IsEmpty());
    EXPECT_EQ(Window().Tree().topLevelItemCount(), 0);
    EXPECT_EQ(Window().windowTitle(), "Quillon 2.3");
    EXPECT_FALSE(fs::exists(work.File("Other/Project1.qlp")));
}

TEST_F(MainWindowTest, ReopenListTakesOutTheOpenProjectAndPutsItBackOnTopWhenClosed) {
    const std::string a = work.File("A"), b = work.File("B");
    const std::string pa = work.File("A/Project1.qlp"), pb = work.File("B/Project1.qlp");
    NewProjectIn(a);
    Trigger("actSave");
    Trigger("actCloseProject");
    NewProjectIn(b);
    Trigger("actSave");
    Trigger("actCloseProject");
    EXPECT_EQ(Window().ReopenProjects().Items(), (Names{pb, pa}));

    QMenu& menu = Window().ReopenMenu();
    ASSERT_EQ(menu.actions().size(), 2);
    EXPECT_EQ(menu.actions().at(1)->text().toStdString(), pa);
    menu.actions().at(1)->trigger();
    EXPECT_EQ(Window().Project().GetFileName(), pa);
    EXPECT_EQ(Window().ReopenProjects().Items(), (Names{pb}));
    EXPECT_EQ(menu.actions().size(), 1);

    Trigger("actCloseProject");
    EXPECT_EQ(Window().ReopenProjects().Items(), (Names{pa, pb}));
    // Reopening another project puts the open one back on the list.
    Window().ReopenMenu().actions().at(1)->trigger();
    Window().ReopenMenu().actions().at(0)->trigger();
    EXPECT_EQ(Window().Project().GetFileName(), pa);
    EXPECT_EQ(Window().ReopenProjects().Items(), (Names{pb}));
    // A project listed in other letter case keeps one entry, which opening it takes out.
    Window().ReopenProjects().Add(work.File("B/PROJECT1.QLP"));
    EXPECT_EQ(Window().ReopenProjects().Count(), 1);
    files->answers.push_back(pb);
    Trigger("actOpenProject");
    EXPECT_EQ(Window().ReopenProjects().Items(), (Names{pa}));
}

// Opening a project asks to save the open one: Cancel opens nothing, Yes saves it and reads the
// chosen file.
TEST_F(MainWindowTest, OpeningTheOpenProjectAsksToSaveThenReadsItAgain) {
    SavedProjectWithTwoClasses();
    Select(&Module(1));
    Trigger("actNewProperty");
    const std::size_t asked = files->askedDirs.size();
    dialogs.QueueAnswer(DialogAnswer::Cancel);
    Trigger("actOpenProject");
    EXPECT_EQ(files->askedDirs.size(), asked);
    EXPECT_EQ(Module(1).Module().MainClass().Properties().Count(), 1);

    dialogs.QueueAnswer(DialogAnswer::Yes);
    files->answers.push_back(work.File("Project1.qlp"));
    Trigger("actOpenProject");
    EXPECT_EQ(dialogs.Questions(), (Names(2, "Save 'Project1'?")));
    EXPECT_EQ(LastMessage(), "");
    ASSERT_EQ(Window().Project().Modules().Count(), 3);
    EXPECT_EQ(Module(1).Module().MainClass().Properties().Count(), 1);
    EXPECT_FALSE(Window().Project().Modules().GetModified());
}

// A failed open keeps the open project; a project lacking module files opens without them only on
// Yes.
TEST_F(MainWindowTest, AFailedOpenKeepsTheOpenProject) {
    SavedProjectWithTwoClasses();
    const std::vector<std::string> reopen = Window().ReopenProjects().Items();
    WriteText(work.File("Broken.qlp"), "not a project file");
    files->answers.push_back(work.File("Broken.qlp"));
    Trigger("actOpenProject");
    EXPECT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(Window().Project().GetFileName(), work.File("Project1.qlp"));
    EXPECT_EQ(Window().Project().Modules().Count(), 3);
    EXPECT_EQ(Window().windowTitle(), "Project1 - Quillon 2.3");
    ASSERT_EQ(Window().Tree().topLevelItemCount(), 1);
    EXPECT_EQ(ChildCaptions(Window().Tree().topLevelItem(0)),
              (Names{"Releases", "CommonTypes", "ExtClass1", "ExtClass2"}));
    // Neither the open project nor the broken file changed places on the reopen list.
    EXPECT_EQ(Window().ReopenProjects().Items(), reopen);

    // A vanished file on the reopen list likewise.
    Window().ReopenProjects().Add(work.File("Gone.qlp"));
    Window().ReopenProjects().OpenEntry(0);
    EXPECT_EQ(dialogs.Messages().size(), 2u);
    EXPECT_EQ(Window().Project().GetFileName(), work.File("Project1.qlp"));
    EXPECT_EQ(Window().Tree().topLevelItemCount(), 1);

    // A project lacking module files replaces the open one only when the user agrees; without its
    // common types module it is refused.
    fs::remove(work.File("ExtClass1.qlm"));
    NewProjectIn(work.File("Other"));
    Trigger("actSave");
    const std::string other = Window().Project().GetFileName(), lacks = "Project '" + work.File("Project1.qlp") +
                                                                        "' lacks 1 of its module files\n" +
                                                                        work.File("ExtClass1.qlm");
    for (DialogAnswer answer : {DialogAnswer::No, DialogAnswer::Yes}) {
        dialogs.QueueAnswer(answer);
        files->answers.push_back(work.File("Project1.qlp"));
        Trigger("actOpenProject");
    }
    EXPECT_EQ(dialogs.Questions(), (Names(2, lacks + "\nOpen it without them? Their entries are dropped when the "
                                                        "project is saved.")));
    EXPECT_EQ(ChildCaptions(Window().Tree().topLevelItem(0)), (Names{"Releases", "CommonTypes", "ExtClass2"}));
    EXPECT_TRUE(Window().Project().GetModified());
    Trigger("actSave");
    EXPECT_EQ(ReadText(work.File("Project1.qlp")).find("ExtClass1"), std::string::npos);
    Window().OpenProjectFile(other);
    fs::remove(work.File("CommonTypes.qlm"));
    files->answers.push_back(work.File("Project1.qlp"));
    Trigger("actOpenProject");
    EXPECT_EQ(LastMessage(), "Project '" + work.File("Project1.qlp") + "' lacks 1 of its module files\n" +
                                 work.File("CommonTypes.qlm"));
    EXPECT_EQ(dialogs.Messages().size(), 3u);
    EXPECT_EQ(Window().Project().GetFileName(), other);
}

// Delete refuses the system method and a referenced module; elsewhere it asks with the node's
// caption and removes the node, an emptied group with it.
TEST_F(MainWindowTest, DeleteAsksWithTheNodeCaptionAndRefusesTheSystemMethodAndAReferencedModule) {
    NewProjectWithAClass();
    Trigger("actNewProperty");
    Trigger("actNewClassToProject");
    Trigger("actNewExternalClassReference");
    Module(2).Module().MainClass().ExternalClasses().Items(0)->Appellation().SetName("ExtClass1");
    for (const TPersistent* refused : {static_cast<const TPersistent*>(Module(1).Module().MainClass().Methods().Items(0)),
                                       static_cast<const TPersistent*>(&Module(1))}) {
        Select(refused);
        Trigger("actDelete");
    }
    EXPECT_EQ(dialogs.Messages(), (Names{"Current item is system. Action is forbidden",
                                            "Deletion forbidden, because there are references to the deleted item"}));
    EXPECT_EQ(Module(1).Module().MainClass().Methods().Count(), 1);
    EXPECT_EQ(Window().Project().Modules().Count(), 3);

    TemgProperties& properties = Module(1).Module().MainClass().Properties();
    Select(properties.Items(0));
    dialogs.QueueAnswer(DialogAnswer::No);
    Trigger("actDelete");
    EXPECT_EQ(properties.Count(), 1);
    dialogs.QueueAnswer(DialogAnswer::Yes);
    Trigger("actDelete");
    EXPECT_EQ(dialogs.Questions(), (Names{"Delete 'Property1'?", "Delete 'Property1'?"}));
    EXPECT_EQ(properties.Count(), 0);
    // The emptied group went with it.
    EXPECT_EQ(ChildCaptions(Node(&Module(1))), (Names{"Added Units", "Copy Files", "Generated Units", "Methods"}));
}

// Which commands the selected node allows: Delete on deletable elements, the module commands
// on a module by its server option, no members in the common types module (it has no class).
TEST_F(MainWindowTest, CommandsFollowTheSelectedNode) {
    NewProjectWithAClass();
    Trigger("actNewClassToProject");
    Module(2).Module().SetServerOption(moComServer);
    const std::vector<std::string> all{"actDelete", "actGenerateClass", "actOpenModuleA", "actOpenLibrary",
                                       "actOpenModuleI", "actGenerateCurrent", "actNewProperty", "actNewEvent",
                                       "actNewMethod", "actNewExternalClassReference", "actGenerateDebugAppAndCurrentClass"};
    const struct {
        const TPersistent* node;
        std::string enabled;  // per command of `all`: '1' when enabled and visible
    } rows[] = {{&Window().Project(), "00000011110"},
                {&Module(0), "01110100000"},
                {&Module(1).Module().Units(), "01110111110"},
                {&Module(2), "11101111110"}};
    for (const auto& row : rows) {
        Select(row.node);
        std::string enabled;
        for (const std::string& name : all) {
            QAction* action = Window().Action(QString::fromStdString(name));
            enabled += action->isEnabled() && action->isVisible() ? '1' : '0';
        }
        EXPECT_EQ(enabled, row.enabled) << Window().Tree().currentItem()->text(0).toStdString();
    }
}

// A module file of the project directory is added with its subtree, unless a module of its name
// is in the project already; a file from another directory is refused.
TEST_F(MainWindowTest, AddingAModuleFileOfTheProjectDirectoryAddsItsSubtree) {
    SavedProjectWithTwoClasses();
    TempDir elsewhere;
    fs::copy_file(work.File("ExtClass1.qlm"), work.File("Copy.qlm"));
    for (const std::string& file : {elsewhere.File("Other.qlm"), work.File("Copy.qlm")}) {
        files->answers.push_back(file);
        Trigger("actAddClass");
        EXPECT_EQ(files->askedDirs.back(), work.Prefix());
    }
    EXPECT_EQ(dialogs.Messages(), (Names{"Model file must be in the project's directory (" + work.Prefix() + ")",
                                         "ExtClass1 is already in the project"}));
    EXPECT_EQ(Window().Project().Modules().Count(), 3);
    EXPECT_EQ(Window().Tree().topLevelItem(0)->childCount(), 4);

    Select(&Module(2));
    dialogs.QueueAnswer(DialogAnswer::Yes);
    Trigger("actDelete");
    Trigger("actSave");
    files->answers.push_back(work.File("ExtClass2.qlm"));
    Trigger("actAddClass");
    EXPECT_EQ(dialogs.Messages().size(), 2u);
    ASSERT_EQ(Window().Project().Modules().Count(), 3);
    EXPECT_EQ(Window().Tree().currentItem()->text(0), "ExtClass2");
    EXPECT_TRUE(Window().Project().GetModified());
}

TEST_F(MainWindowTest, CheckPanelListsABrokenReferenceAndADoubleClickSelectsIt) {
    SavedProjectWithTwoClasses();
    EXPECT_FALSE(Window().CheckPanelShown());
    Select(&Module(1));
    Trigger("actNewExternalClassReference");
    TemgExternalClass& external = *Module(1).Module().MainClass().ExternalClasses().Items(0);
    external.Appellation().SetName("Missing");
    Trigger("actSave");
    Window().OpenProjectFile(work.File("Project1.qlp"));

    ASSERT_TRUE(Window().CheckPanelShown());
    // Each row names its element; an enumeration value has no node and selects its type.
    const TPersistent& shade = Module(1).Module().CreateEnumType("TShade", "", {"Add", "Add"});
    Trigger("actCheckProject");
    QListWidget& list = Window().CheckList();
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.item(0)->text().toStdString(), "ExtClass1.TShade.Add: Name Add is not unique");
    EXPECT_EQ(list.item(1)->text().toStdString(), "ExtClass1.ExternalProperty1: Class not found");
    EXPECT_EQ(list.currentRow(), 0);
    const TPersistent* reloaded = Module(1).Module().MainClass().ExternalClasses().Items(0);
    for (const auto& [row, selected] : {std::pair{0, &shade}, std::pair{1, reloaded}}) {
        Select(&Window().Project());
        emit list.itemDoubleClicked(list.item(row));
        EXPECT_EQ(NodeObject(Window().Tree().currentItem()), selected) << row;
    }

    // Deleting the reference takes its result away.
    Select(reloaded);
    dialogs.QueueAnswer(DialogAnswer::Yes);
    Trigger("actDelete");
    EXPECT_EQ(list.count(), 1);
}

TEST_F(MainWindowTest, GenerateClassWritesTheCurrentModuleAndTheCommonTypes) {
    SavedProjectWithTwoClasses();
    TemgModule& module = Module(1).Module();
    module.CreateEnumType("TColour", "", {"clRed", "clBlue"});
    Window().Project().FirstModule().CreateEnumType("TShared", "", {"shA", "shB"});
    Select(&Module(1));
    Trigger("actGenerateClass");
    ASSERT_EQ(LastMessage(), "");
    const std::string srcPath = Window().Project().GetSrcPath();
    EXPECT_TRUE(fs::exists(module.UnitFileName(TFileKind::GeneratorServerUnit, srcPath)));
    EXPECT_TRUE(fs::exists(Window().Project().FirstModule().UnitFileName(TFileKind::TypesUnit, srcPath)));
    EXPECT_FALSE(fs::exists(Module(2).Module().UnitFileName(TFileKind::GeneratorServerUnit, srcPath)));

    Trigger("actGenerateProjectSrc");
    EXPECT_TRUE(fs::exists(Module(2).Module().UnitFileName(TFileKind::GeneratorServerUnit, srcPath)));

    // A design the check refuses writes nothing; the check panel lists why.
    const std::string unit = Module(2).Module().UnitFileName(TFileKind::GeneratorServerUnit, srcPath);
    SetFileReadOnly(unit, false);  // generated units are read-only, which Windows will not remove
    fs::remove(unit);
    module.MainClass().ExternalClasses().Add()->SetName("Nowhere");  // and no property name
    for (const char* command : {"actGenerateProjectSrc", "actGenerateClass"}) {
        Trigger(command);
        EXPECT_EQ(dialogs.Messages().back(), "Generation stopped: the check found 2 errors");
        EXPECT_TRUE(Window().CheckPanelShown());
        EXPECT_FALSE(fs::exists(unit));
    }
}

// A method added after the first generation: Generate Class hints at the unit that lacks its
// override; Update Developer's Unit previews the insertion and writes it only on OK.
TEST_F(MainWindowTest, UpdateDeveloperUnitPreviewsTheInsertionAndWritesOnOK) {
    SavedProjectWithTwoClasses();
    Select(&Module(1));
    Trigger("actGenerateProjectSrc");
    EXPECT_FALSE(Window().CheckPanelShown());
    TemgModule& module = Module(1).Module();
    const std::string unit = module.DeveloperUnitFileName(Window().Project().GetSrcPath());
    const std::string before = ReadText(unit);
    TemgMethod& added = *module.MainClass().Methods().Add();
    added.SetName("Refresh");
    Trigger("actGenerateClass");
    ASSERT_TRUE(Window().CheckPanelShown());
    QListWidget& list = Window().CheckList();
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.item(0)->text().toStdString(),
              "ExtClass1: The developer's unit devExtClass1.pas lacks the overrides Refresh; Generate > Update "
              "Developer's Unit adds them");
    Select(&Window().Project());
    emit list.itemDoubleClicked(list.item(0));
    EXPECT_EQ(NodeObject(Window().Tree().currentItem()), &Module(1));

    // The command is in the Generate menu and the tree's pop-up.
    for (const char* menu : {"miGenerate", "pmTree"}) {
        const QList<QAction*> actions = Window().findChild<QMenu*>(menu)->actions();
        EXPECT_TRUE(std::any_of(actions.begin(), actions.end(), [](QAction* a) {
            return QString(a->text()).remove('&') == "Update Developer's Unit";
        })) << menu;
    }
    // A method added since: the class is generated first, and the preview says what that writes.
    module.MainClass().Methods().Add()->SetName("Reload");
    const std::string generated = module.UnitFileName(TFileKind::GeneratorServerUnit, work.Path());
    int shown = 0;
    {
        ScopedDialogRunner runner([&](TfmBaseDialog& dialog) {
            auto& preview = dynamic_cast<TedUpdateDeveloperUnit&>(dialog);
            EXPECT_EQ(preview.windowTitle(), "Update Developer's Unit");
            EXPECT_TRUE(preview.DiffView().isReadOnly());
            EXPECT_TRUE(preview.DiffView().toPlainText().contains("\n+   procedure Refresh;override;\n"));
            EXPECT_TRUE(preview.findChild<QLabel*>("lbGeneratedFiles")->text().contains(QString::fromStdString(generated)));
            if (shown++ == 0)
                dialog.ClickCancel();
            else
                dialog.ClickOK();
        });
        Trigger("actUpdateDeveloperUnit");
        EXPECT_EQ(ReadText(unit), before);
        Trigger("actUpdateDeveloperUnit");
    }
    ASSERT_EQ(LastMessage(), "");
    EXPECT_EQ(shown, 2);
    EXPECT_NE(ReadText(unit).find("procedure TdevExtClass1.Reload;"), std::string::npos);
    EXPECT_NE(ReadText(generated).find("Reload"), std::string::npos);
    EXPECT_EQ(ReadText(work.File("devExtClass1.~pas")), before);
    EXPECT_FALSE(Window().CheckPanelShown());

    // Nothing left to add: said, and no dialog.
    Trigger("actUpdateDeveloperUnit");
    EXPECT_EQ(dialogs.Messages(), (std::vector<std::string>{"The developer's unit " + unit +
                                                            " lacks nothing of the design"}));
    Select(&Module(0));
    EXPECT_FALSE(Window().Action("actUpdateDeveloperUnit")->isEnabled());
}

TEST_F(MainWindowTest, GenerateAllSaysHowManyFilesItWroteAndAnUnchangedRunWritesNone) {
    NewProjectWithAClass();
    Trigger("actSave");
    Trigger("actGenerateProjectSrc");
    ASSERT_EQ(LastMessage(), "");
    int generated = 0;
    for (const auto& entry : fs::recursive_directory_iterator(work.Path())) {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && extension != ".qlp" && extension != ".qlm") ++generated;
    }
    ASSERT_GT(generated, 1);
    EXPECT_EQ(GenerationReport(), "Generated Project1: " + std::to_string(generated) + " files written");
    EXPECT_FALSE(Window().findChild<QProgressBar*>("pbGenerate")->isVisibleTo(&Window()));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // The status tip of a command the pointer passes over leaves the report readable.
    QStatusTipEvent tip("New Project");
    QApplication::sendEvent(&Window(), &tip);
    EXPECT_EQ(GenerationReport(), "Generated Project1: " + std::to_string(generated) + " files written");

    Trigger("actGenerateProjectSrc");
    EXPECT_EQ(GenerationReport(), "Generated Project1: 0 files written");
    // Another project has no report yet.
    Trigger("actCloseProject");
    EXPECT_EQ(GenerationReport(), "");
}

TEST_F(MainWindowTest, DebugApplicationCommandsFollowTheSelectedDebugApplication) {
    NewProjectWithAClass();
    Trigger("actNewDebugApplication");
    QTreeWidgetItem* app = Window().Tree().currentItem();
    ASSERT_EQ(NodeKind(app), TreeNodeKind::DebugApplication);
    EXPECT_EQ(NodeImage(app), 20);
    for (const char* name : {"actGenerateDebugApp", "actOpenDebugProject", "actOpenDebugForm", "actGenerateCurrent"})
        EXPECT_TRUE(Window().Action(name)->isEnabled()) << name;
    // The tree's pop-up names what it would generate.
    emit Window().findChild<QMenu*>("pmTree")->aboutToShow();
    EXPECT_EQ(Window().Action("actGenerateCurrent")->text().toStdString(), "Generate " + app->text(0).toStdString());
    QAction* andClass = Window().Action("actGenerateDebugAppAndCurrentClass");
    EXPECT_TRUE(andClass->isVisible());
    EXPECT_EQ(andClass->text().toStdString(), "Generate '" + app->text(0).toStdString() + "' and 'ExtClass1'");
    EXPECT_FALSE(Window().Action("actGenerateDebugAppAndAllReferencedClasses")->isVisible());

    Trigger("actNewExternalClassReference");
    Select(Module(1).Module().DebugApplications().Items(0));
    QAction* andReferenced = Window().Action("actGenerateDebugAppAndAllReferencedClasses");
    EXPECT_TRUE(andReferenced->isVisible());
    EXPECT_EQ(andReferenced->text().toStdString(), "Generate '" + app->text(0).toStdString() + "' and all referenced classes");

    Select(&Module(1));
    EXPECT_FALSE(Window().Action("actGenerateDebugApp")->isEnabled());
    EXPECT_FALSE(andClass->isVisible());
    emit Window().findChild<QMenu*>("pmTree")->aboutToShow();
    EXPECT_EQ(Window().Action("actGenerateCurrent")->text().toStdString(), "Generate ExtClass1");
    // Generate Debug Application writes its program.
    Module(1).Module().MainClass().ExternalClasses().Delete(0);
    Select(Module(1).Module().DebugApplications().Items(0));
    Trigger("actGenerateDebugApp");
    ASSERT_EQ(LastMessage(), "");
    EXPECT_TRUE(fs::exists(Module(1).Module().DebugApplications().Items(0)->UnitFileName(
        TFileKind::DebugProjectUnit, Window().Project().GetSrcPath())));
}

TEST_F(MainWindowTest, OpenFileCommandsAndHelpHandTheirFileToTheDesktop) {
    std::vector<std::string> opened;
    const ShellOpenScope shell([&](const std::string& fileName) { opened.push_back(fileName); });
    NewProjectWithAClass();
    Trigger("actOpenModuleA");
    Trigger("actOpenModuleT");
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(fs::path(opened[0]).filename(), "genExtClass1.pas");
    EXPECT_EQ(fs::path(opened[1]).filename(), "genCommonTypes.pas");
    EXPECT_EQ(fs::path(opened[0]).parent_path(), fs::path(work.Path()));

    Select(&Window().Project());
    Trigger("actOpenModuleT");
    EXPECT_EQ(dialogs.Messages(), (Names{"Current node doesn't relate to any of the class"}));

    // Help hands the user guide beside the program to the desktop.
    QAction* help = Window().findChild<QAction*>("miQuillonHelp");
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->text().toStdString(), "Quillon &Help");
    help->trigger();
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(fs::path(opened[2]), fs::path(QCoreApplication::applicationDirPath().toStdString()) / "guide.html");
    EXPECT_TRUE(fs::is_regular_file(opened[2]));
    EXPECT_EQ(dialogs.Messages().size(), 1u);
}

TEST_F(MainWindowTest, CommandsCarryTheirNamesCaptionsAndHints) {
    struct Expected {
        const char* name;
        const char* caption;
        const char* hint;
    };
    for (const Expected& e : {Expected{"actNewProject", "New...", "New Project"},
                              Expected{"actAddClass", "Add Class...", "Add Class"},
                              Expected{"actNewClassToProject", "Class", "New Class"},
                              Expected{"actNewExternalClassReference", "New External Property", "New External Property"},
                              Expected{"actOpenModuleI", "Interface Unit", "Open Interface module"},
                              Expected{"actGenerateProjectSrc", "Generate Source Code", ""}}) {
        QAction* action = Window().Action(e.name);
        ASSERT_NE(action, nullptr) << e.name;
        EXPECT_EQ(action->text().toStdString(), e.caption);
        EXPECT_EQ(action->statusTip().toStdString(), e.hint);
    }
    EXPECT_FALSE(Window().Action("actNewDataset")->isVisible());
    // The File menu's "New" entry shows the command's shortcut.
    auto* newEntry = Window().findChild<QAction*>("miNewProject");
    ASSERT_NE(newEntry, nullptr);
    EXPECT_EQ(newEntry->text(), "&New\t" + QKeySequence(QKeySequence::New).toString(QKeySequence::NativeText));
}

}  // namespace
}  // namespace quillon::test
