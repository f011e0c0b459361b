// The project and module editors: what OK, Apply and Cancel write, the module's refusals, the
// option groups that follow the server choice, the rebuilt module node, COM registration, and the
// search path's directory list. The generated-unit editors: a unit's text and file, "Open in
// Delphi" before and after generating, the group's description, the declarations of a member
// group, and the colouring.
#include <filesystem>

#include <QGroupBox>
#include <QListWidget>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextLayout>

#include "elements/DesignClass.h"
#include "generator/UnitsManager.h"
#include "platform/FileSystem.h"
#include "platform/ShellOpen.h"
#include "project/Project.h"
#include "support/NativePath.h"
#include "workbench/ConnectionDialog.h"
#include "workbench/EditorFrames.h"
#include "workbench/ModuleEditors.h"
#include "workbench/PascalHighlighter.h"
#include "workbench/UnitEditors.h"
#include "workbench/WorkbenchFixture.h"

namespace quillon::test {
namespace {

class ModuleEditorTest : public WorkbenchTest {
protected:
    void SetUp() override { entry = &NewProjectWithAClass(); }

    TemgModule& Module() { return entry->Module(); }
    TfrModuleEditor& Editor() { return CurrentEditor<TfrModuleEditor>(); }

    TemgpModule* entry = nullptr;
};

TEST_F(ModuleEditorTest, OKWritesEveryFieldIntoTheModuleAndRenamesTheClassWithItsReferences) {
    // A second module refers to this one: renaming must carry the reference along.
    Trigger("actNewClassToProject");
    TemgExternalClass& reference = *Window().Project().Modules().Items(2)->Module().MainClass().ExternalClasses().Add();
    reference.SetName("ExtClass1");
    Trigger("actSave");
    Select(entry);

    TypeName("Account");
    QTest::keyClicks(&Editor().Appellation().CommentMemo(), "A bank account");
    Editor().FormsBox().click();
    Editor().ServerButton(moComServerInDll).click();
    Editor().LibraryPathSameExeBox().click();
    TypeInto(Editor().DescriptionEdit().Edit(), "Accounts of the bank");
    Choose(Editor().ClassInstancingCombo(), "Single Instance");
    Choose(Editor().ThreadModelCombo(), "Free");
    Editor().HostDBButton().click();
    Editor().CreateBox(dbsTable).click();
    TypeInto(Editor().SrcPathEdit().Edit(), "out");
    dialogs.QueueAnswer(DialogAnswer::Yes);
    Editor().ClickOK();

    EXPECT_EQ(LastMessage(), "");
    EXPECT_EQ(dialogs.Questions(), Names{"Rename the module file to Account.qlm?"});
    EXPECT_EQ(Module().MainClassName(), "Account");
    EXPECT_EQ(Module().GetName(), "Account");
    EXPECT_EQ(Module().ModuleCaption(), "A bank account");
    EXPECT_EQ(reference.GetName(), "Account");
    EXPECT_FALSE(Module().GetInterfaceSupport());
    EXPECT_TRUE(Module().GetShareMemSupport());
    EXPECT_EQ(Module().GetServerOption(), moComServerInDll);
    EXPECT_TRUE(Module().GetLibraryPathSameExe());
    EXPECT_EQ(Module().MainClass().GetComDescription(), "Accounts of the bank");
    EXPECT_EQ(Module().MainClass().GetComClassInstancing(), ciSingleInstance);
    EXPECT_EQ(Module().MainClass().GetComThreadingModel(), tmFree);
    EXPECT_EQ(Module().GetDatabaseSupport(), TDatabaseSupport{dbsTable});
    EXPECT_EQ(Module().GetSrcPath(), "out");
    EXPECT_EQ(Node(entry)->text(0), "Account");
    EXPECT_TRUE(Node(entry)->font(0).bold());
    EXPECT_EQ(SettledEditor(), nullptr);
    // The save writes the module's new file, then removes the old one.
    EXPECT_TRUE(entry->GetFileName() == work.File("Account.qlm") && FileExists(work.File("ExtClass1.qlm")));
    Trigger("actSave");
    EXPECT_TRUE(FileExists(work.File("Account.qlm")) && !FileExists(work.File("ExtClass1.qlm")));
}

TEST_F(ModuleEditorTest, OwnConnectionFieldsAndANewGuid) {
    const std::string oldGuid = Module().MainClass().GetGUID();
    Editor().ServerButton(moComServer).click();
    Editor().NewGuidButton().click();
    EXPECT_NE(Editor().GuidEdit().Text(), oldGuid);
    Editor().OwnDBButton().click();
    TypeInto(Editor().DatabaseNameEdit().Edit(), "BANK");
    TypeInto(Editor().DataModuleNameEdit().Edit(), "Bank");
    Editor().UseHostDBBox().click();
    // The connection dialog edits the editor's copy; the module gets it on Apply.
    Playing<TedConnection>(
        [](TedConnection& connection) {
            connection.UserNameEdit().setText("teller");
            connection.ClickOK();
        },
        [&] { Editor().ConnectionButton().click(); });
    EXPECT_EQ(Editor().EditedConnection().GetUserName(), "teller");
    EXPECT_EQ(Module().Connection().GetUserName(), "");
    Editor().ClickApply();

    EXPECT_TRUE(Module().HasOwnConnection());
    EXPECT_EQ(Module().GetDatabaseName(), "BANK");
    EXPECT_EQ(Module().GetDataModuleName(), "Bank");
    EXPECT_FALSE(Module().GetConnectToHostDB());
    EXPECT_EQ(Module().Connection().GetUserName(), "teller");
    EXPECT_FALSE(Module().Connection().GetLoginPrompt());  // the module's own default, kept
    EXPECT_EQ(Module().MainClass().GetGUID(), Editor().GuidEdit().Text());
    EXPECT_NE(Module().MainClass().GetGUID(), oldGuid);
}

// Apply keeps the editor open, and a database set the controls cannot show survives an edit of
// something else; a module whose new file name is taken keeps its file.
TEST_F(ModuleEditorTest, ApplyKeepsTheEditorOpenAndWhatItCannotShow) {
    Module().SetDatabaseSupport({dbsQuery, dbsSetDatabaseParams});
    Select(&Window().Project());
    Select(entry);
    EXPECT_TRUE(Editor().HostDBButton().isChecked());
    Editor().ShareMemBox().click();
    // Another file has the module's new name: the module keeps its own.
    WriteText(work.File("Account.qlm"), "someone else's");
    TypeName("Account");
    TfrEditor* editor = &Editor();
    dialogs.QueueAnswer(DialogAnswer::Yes);
    editor->ClickApply();
    EXPECT_EQ(Window().statusBar()->currentMessage(), "Account.qlm exists: the module keeps its file ExtClass1.qlm");
    EXPECT_EQ(Module().GetDatabaseSupport(), (TDatabaseSupport{dbsQuery, dbsSetDatabaseParams}));
    EXPECT_FALSE(Module().GetShareMemSupport());
    EXPECT_EQ(SettledEditor(), editor);
    EXPECT_EQ(Module().MainClassName(), "Account");
    EXPECT_EQ(Node(entry)->text(0), "Account");
}

TEST_F(ModuleEditorTest, RefusesTakenAndInvalidNamesAMissingGuidAndAHostConnectionWithoutDatasets) {
    Trigger("actNewClassToProject");
    Select(entry);
    TypeInto(Editor().GuidEdit().Edit(), "");  // which only a COM server needs
    const struct {
        QString name;
        TServerOption server;
        bool hostDatabase;
        std::string message;
    } cases[] = {{"extclass2", moServerInDll, false, "Name extclass2 is not unique"},
                 {"commonTypes", moServerInDll, false, "Name commonTypes is not unique"},
                 {"1Account", moServerInDll, false, "The field value is not an identifier"},
                 {"", moServerInDll, false, "Please, fill in the field 'Name'"},
                 {"Account", moComServer, false, "Please, fill in the field 'GUID'"},
                 {"Account", moServerInDll, true, "At least one of 'Create' method must be checked"}};
    for (const auto& c : cases) {
        TypeName(c.name);
        Editor().ServerButton(c.server).click();
        if (c.hostDatabase) Editor().HostDBButton().click();
        Editor().ClickOK();
        EXPECT_EQ(LastMessage(), c.message);
        ASSERT_NE(SettledEditor(), nullptr) << c.message;
    }
    EXPECT_EQ(Module().MainClassName(), "ExtClass1");
    EXPECT_EQ(Module().GetServerOption(), moServerInDll);
    EXPECT_TRUE(Module().GetDatabaseSupport().Empty());
    EXPECT_EQ(Node(entry)->text(0), "ExtClass1");
}

// The option groups follow the chosen server, the database controls the database choice; the
// instancing captions follow their enumerations; the source path's browse stores a folder inside
// the project relatively; the common types module keeps its name and has no server choices.
TEST_F(ModuleEditorTest, TheControlsFollowTheChoices) {
    // The server, then whether the DLL options and the COM options show and Register works.
    const struct { TServerOption server; bool dll, com, registers; } cases[] = {{moServerInDll, true, false, false},
        {moComServerInDll, false, true, true}, {moComServer, false, true, false}, {moDirectUsesServer, false, false, false}};
    for (const auto& c : cases) {
        Editor().ServerButton(c.server).click();
        EXPECT_TRUE(Editor().DllOptions().isHidden() != c.dll && Editor().ComOptions().isHidden() != c.com &&
                    Editor().RegisterButton().isEnabled() == c.registers) << static_cast<int>(c.server);
    }
    Editor().NoDBButton().click();
    EXPECT_FALSE(Editor().CreateBox(dbsQuery).isEnabled());
    EXPECT_FALSE(Editor().DatabaseNameEdit().isEnabled());
    Editor().OwnDBButton().click();
    EXPECT_TRUE(Editor().DatabaseNameEdit().isEnabled());

    EXPECT_EQ(Editor().findChild<QLabel*>("lbEditorKind")->text(), "Class Module");
    const auto items = [](const QComboBox& combo) {
        QStringList texts;
        for (int i = 0; i < combo.count(); ++i) texts << combo.itemText(i);
        return texts.join(", ").toStdString();
    };
    EXPECT_EQ(items(Editor().ClassInstancingCombo()), "Internal, Single Instance, Multiple Instance");
    EXPECT_EQ(items(Editor().DllClassInstancingCombo()), "Single Instance, Multiple Instance");

    std::filesystem::create_directories(work.File("src/account"));
    files->answers.push_back(work.File("src/account"));
    Editor().SrcPathEdit().Button().click();
    EXPECT_EQ(Editor().SrcPathEdit().Text(), NativePath("src/account"));
    EXPECT_TRUE(Editor().Changed());

    // The common types module keeps its name and has no server choices.
    Select(Window().Project().Modules().Items(0));
    EXPECT_EQ(Editor().findChild<QLabel*>("lbEditorKind")->text(), "Common Types Module");
    EXPECT_FALSE(Editor().Appellation().NameEdit().isEnabled());
    EXPECT_FALSE(Editor().ServerButton(moServerInDll).isVisibleTo(&Editor()));
    TypeInto(Editor().SrcPathEdit().Edit(), "types");
    Editor().ClickApply();
    EXPECT_EQ(LastMessage(), "");
    EXPECT_EQ(Window().Project().FirstModule().GetSrcPath(), "types");
    EXPECT_EQ(Window().Project().FirstModule().GetName(), "CommonTypes");
}

TEST_F(ModuleEditorTest, ApplyingAnotherServerRebuildsTheModuleNodeWithItsImageAndUnits) {
    QTreeWidgetItem* node = Node(entry);
    EXPECT_EQ(NodeImage(node), 21);
    Editor().ServerButton(moComServerInDll).click();
    Editor().ClickApply();
    EXPECT_EQ(NodeImage(node), 22);

    // The units under the rebuilt node build the COM server's texts now.
    const TUnitsManager* interfaceUnit = Module().Units().FindKind(TFileKind::InterfaceUnit);
    ASSERT_NE(Node(interfaceUnit), nullptr);
    EXPECT_EQ(Node(interfaceUnit)->parent()->parent(), node);
    Select(interfaceUnit);
    EXPECT_TRUE(CurrentEditor<TfrUnitEditor>().CodeMemo().toPlainText().contains("IExtClass1 = interface"));

    Select(entry);
    Editor().ServerButton(moDirectUsesServer).click();
    Editor().ClickOK();
    EXPECT_EQ(NodeImage(node), 5);
}

TEST_F(ModuleEditorTest, RegisterReportsTheRegistrationOrItsFailure) {
    Editor().ServerButton(moComServerInDll).click();
    Editor().RegisterButton().click();
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].kind, MessageKind::Error);
    EXPECT_NE(dialogs.Log()[0].text.find(work.File("ExtClass1.dll")), std::string::npos) << dialogs.Log()[0].text;

    // A built library (the registration tests' stand-in) in the module's output directory.
    const std::string fake = std::string(QUILLON_SCREENSHOT_DIR) + "/../fixtures/fake_com_ok.so";
    if (!std::filesystem::exists(fake)) GTEST_SKIP() << "build fake_com_ok (the platform tests' fixture) first";
    std::filesystem::copy_file(fake, work.File("ExtClass1.dll"));
    Editor().RegisterButton().click();
    ASSERT_EQ(dialogs.Log().size(), 2u);
    EXPECT_EQ(dialogs.Log()[1].kind, MessageKind::Information);
    EXPECT_EQ(dialogs.Log()[1].text, "Server " + work.File("ExtClass1.dll") + " is registered successfully");
}

// --- The project editor ------------------------------------------------------------------------------

class ProjectEditorTest : public WorkbenchTest {
protected:
    void SetUp() override {
        OpenWindow();
        NewProjectIn(work.Path());
        Select(&Window().Project());
    }
    TemgpProject& Project() { return Window().Project(); }
    TfrProjectEditor& Editor() { return CurrentEditor<TfrProjectEditor>(); }
};

// The editor shows the project's file and base path, whose button opens the project folder; OK
// writes name, header, search path, caption and encoding.
TEST_F(ProjectEditorTest, OKWritesNameHeaderAndSearchPathAndShowsTheFileAndBasePath) {
    EXPECT_EQ(Editor().FileNameEdit().Text(), work.File("Project1.qlp"));
    EXPECT_TRUE(Editor().FileNameEdit().Edit().isReadOnly());
    EXPECT_EQ(Editor().BasePathEdit().Text(), work.Prefix());
    std::string opened;
    {
        ShellOpenScope shell([&](const std::string& path) { opened = path; });
        Editor().BasePathEdit().Button().click();
    }
    EXPECT_EQ(opened, work.Prefix());

    TypeName("Bank");
    Editor().UnitHeaderMemo().selectAll();
    QTest::keyClicks(&Editor().UnitHeaderMemo(), "{ Bank }");
    TypeInto(Editor().SearchPathEdit().Edit(), "/lib/a;/lib/b");
    Editor().Appellation().CommentMemo().setPlainText(QString::fromUtf8("\xC3\x9C" "berweisung"));
    QComboBox& encoding = Editor().EncodingChoices();
    EXPECT_EQ(encoding.currentText(), "Windows code page 1252 (Western European)");
    encoding.setCurrentIndex(encoding.findText("UTF-8 with byte-order mark"));
    Editor().ClickOK();

    EXPECT_EQ(LastMessage(), "");
    EXPECT_EQ(Project().GetName(), "Bank");
    EXPECT_EQ(Project().GetUnitHeader(), "{ Bank }");
    EXPECT_EQ(Project().GetSearchPath(), "/lib/a;/lib/b");
    // The caption is UTF-8 inside and shows as typed.
    EXPECT_EQ(Project().Appellation().GetCaption(), "\xC3\x9C" "berweisung");
    EXPECT_EQ(Project().GetGeneratedFileEncoding(), geUtf8Bom);
    Select(Project().Modules().Items(0));
    Select(&Project());
    EXPECT_EQ(Editor().Appellation().CommentMemo().toPlainText(), QString::fromUtf8("\xC3\x9C" "berweisung"));
    EXPECT_EQ(Editor().EncodingChoices().currentText(), "UTF-8 with byte-order mark");
    EXPECT_EQ(Node(&Project())->text(0), "Bank");
    EXPECT_TRUE(Window().windowTitle().startsWith("Bank - "));
}

// The unit header keeps its CR LF line ends; a bad name is refused, and Cancel changes nothing.
TEST_F(ProjectEditorTest, TheUnitHeaderKeepsItsCrLfLineEndsAndCancelChangesNothing) {
    const std::string header = Project().GetUnitHeader();
    ASSERT_NE(header.find("\r\n"), std::string::npos);
    Project().SetModified(false);
    Editor().ClickApply();
    EXPECT_EQ(Project().GetUnitHeader(), header);
    EXPECT_FALSE(Project().GetModified());
    Editor().UnitHeaderMemo().setPlainText("{ one }\n{ two }\n");
    Editor().ClickApply();
    EXPECT_EQ(Project().GetUnitHeader(), "{ one }\r\n{ two }\r\n");

    TypeName("2Bank");
    Editor().ClickApply();
    EXPECT_EQ(LastMessage(), "The field value is not an identifier");
    EXPECT_EQ(Project().GetName(), "Project1");
    TypeName("Bank");
    Editor().UnitHeaderMemo().setPlainText("changed");
    Editor().ClickCancel();
    EXPECT_EQ(SettledEditor(), nullptr);
    EXPECT_EQ(Project().GetName(), "Project1");
    EXPECT_EQ(Project().GetUnitHeader(), "{ one }\r\n{ two }\r\n");
}

TEST_F(ProjectEditorTest, TheDirectoryListAddsReplacesDeletesAndOrdersTheSearchPath) {
    TypeInto(Editor().SearchPathEdit().Edit(), "/lib/a; /lib/old");
    files->answers.push_back(std::string("/lib/browsed"));
    {
        ScopedDialogRunner runner([&](TfmBaseDialog& dialog) {
            auto& list = dynamic_cast<TedDirectoties&>(dialog);
            EXPECT_EQ(list.windowTitle(), "Directoties");
            EXPECT_EQ(list.Directories(), (QStringList{"/lib/a", "/lib/old"}));
            list.List().setCurrentRow(1);
            EXPECT_EQ(list.DirectoryEdit().Text(), "/lib/old");
            list.DirectoryEdit().Edit().setText("/lib/new");
            list.ClickReplace();
            list.DirectoryEdit().Button().click();  // browses for /lib/browsed
            list.ClickAdd();
            list.ClickMove(-1);                     // /lib/browsed before /lib/new
            list.List().setCurrentRow(0);
            list.ClickDelete();
            dialog.ClickOK();
        });
        Editor().SearchPathEdit().Button().click();
    }
    EXPECT_EQ(Editor().SearchPathEdit().Text(), "/lib/browsed;/lib/new");
    Editor().ClickApply();
    EXPECT_EQ(Project().GetSearchPath(), "/lib/browsed;/lib/new");

    // Cancel in the list changes nothing.
    ScopedDialogRunner cancel([](TfmBaseDialog& dialog) {
        dynamic_cast<TedDirectoties&>(dialog).ClickDelete();
        dialog.ClickCancel();
    });
    Editor().SearchPathEdit().Button().click();
    EXPECT_EQ(Editor().SearchPathEdit().Text(), "/lib/browsed;/lib/new");
}

// --- The generated-unit editors -------------------------------------------------------------------

class UnitEditorTest : public ModuleEditorTest {
protected:
    const TUnitsManager* Unit(TFileKind kind) { return Module().Units().FindKind(kind); }
};

// A unit's editor shows its file and generated text read-only, and reloads both from the model
// as it stands; the group of generated units describes each with its file.
TEST_F(UnitEditorTest, ShowsTheFileAndTheGeneratedTextReadOnlyAndRefreshReloadsThem) {
    Select(Unit(TFileKind::GeneratorServerUnit));
    auto* editor = &CurrentEditor<TfrUnitEditor>();
    EXPECT_EQ(editor->FileNameEdit().Text(), work.File("genExtClass1.pas"));
    const QString text = editor->CodeMemo().toPlainText();
    EXPECT_TRUE(text.contains("\nunit genExtClass1;\ninterface\n")) << text.left(80).toStdString();
    EXPECT_FALSE(text.contains('\r'));
    EXPECT_TRUE(editor->CodeMemo().isReadOnly());
    EXPECT_TRUE(editor->ReadOnly());
    // The generated units group describes each unit with its file.
    Select(&Module().Units());
    const QString group = CurrentEditor<TfrUnitsGroupEditor>().DescriptionMemo().toPlainText();
    EXPECT_TRUE(group.contains("Controller Unit\n    " + QString::fromStdString(work.File("cntrExtClass1.pas"))))
        << group.toStdString();
    EXPECT_TRUE(group.contains("Dynamic Link Library Project\n    " + QString::fromStdString(work.File("ExtClass1.dpr"))));

    Select(Unit(TFileKind::ControllerUnit));
    editor = &CurrentEditor<TfrUnitEditor>();
    EXPECT_TRUE(editor->CodeMemo().toPlainText().contains("TcntrExtClass1"));
    Module().MainClass().SetName("Account");
    Window().Editors().RefreshEditors();
    EXPECT_TRUE(editor->CodeMemo().toPlainText().contains("TcntrAccount"));
    EXPECT_EQ(editor->FileNameEdit().Text(), work.File("cntrAccount.pas"));
}

// "Open in Delphi" says so when the file is not generated yet and opens it once it is; a unit the
// module never writes says why instead of asking to generate.
TEST_F(UnitEditorTest, OpenInDelphiOpensAGeneratedFileOrSaysWhyNot) {
    std::vector<std::string> opened;
    ShellOpenScope shell([&](const std::string& path) { opened.push_back(path); });
    Select(Unit(TFileKind::DeveloperServerUnit));
    CurrentEditor<TfrUnitEditor>().OpenButton().click();
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(dialogs.Messages(),
              Names{"File '" + work.File("devExtClass1.pas") + "' does not exist yet: generate the class first"});

    Trigger("actGenerateProjectSrc");
    Select(Unit(TFileKind::DeveloperServerUnit));
    CurrentEditor<TfrUnitEditor>().OpenButton().click();
    EXPECT_EQ(opened, Names{work.File("devExtClass1.pas")});
    // A written unit shows as its file has it, the developer's own code included.
    WriteText(work.File("devExtClass1.pas"), ReadText(work.File("devExtClass1.pas")) + "{ mine }\r\n");
    Select(entry);
    Select(Unit(TFileKind::DeveloperServerUnit));
    EXPECT_TRUE(CurrentEditor<TfrUnitEditor>().CodeMemo().toPlainText().endsWith("{ mine }\n"));

    const auto openFails = [&](TFileKind kind) {
        Select(Unit(kind));
        auto& editor = CurrentEditor<TfrUnitEditor>();
        EXPECT_FALSE(editor.OpenButton().isEnabled());
        editor.OpenInDelphi();
        return editor.CodeMemo().toPlainText().toStdString();
    };
    // A library server: no interface unit, no data module, no types unit of its own.
    EXPECT_EQ(openFails(TFileKind::InterfaceUnit), "{ Interface Unit is not generated for the server option DLL }");
    EXPECT_EQ(openFails(TFileKind::DataModuleUnit),
              "{ Generated Data Module Unit is generated only for a module with its own database connection }");
    EXPECT_EQ(openFails(TFileKind::TypesUnit),
              "{ Unit for Type declarations is generated only for the common types module }");
    // A unit compiled into the host has no library project.
    Module().SetServerOption(moDirectUsesServer);
    EXPECT_EQ(openFails(TFileKind::LibraryProject),
              "{ Dynamic Link Library Project is not generated for the server option UNIT }");
    // The common types module writes its types unit only, and lists no other.
    const TemgModule& first = Window().Project().FirstModule();
    EXPECT_EQ(Node(first.Units().FindKind(TFileKind::ControllerUnit)), nullptr);
    EXPECT_NE(Node(first.Units().FindKind(TFileKind::TypesUnit)), nullptr);
    EXPECT_EQ(dialogs.Messages(),
              (Names{"File '" + work.File("devExtClass1.pas") + "' does not exist yet: generate the class first",
                     "Interface Unit is not generated for the server option DLL",
                     "Generated Data Module Unit is generated only for a module with its own database connection",
                     "Unit for Type declarations is generated only for the common types module",
                     "Dynamic Link Library Project is not generated for the server option UNIT"}));
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(UnitEditorTest, AMemberGroupShowsTheDeclarationsOfItsMembers) {
    Trigger("actNewMethod");
    Select(&Module().MainClass().Methods());
    auto& editor = CurrentEditor<TfrCodeEditor>();
    const QString text = editor.CodeMemo().toPlainText();
    EXPECT_TRUE(text.contains("AfterInitInstance")) << text.toStdString();
    EXPECT_TRUE(text.contains("Method1")) << text.toStdString();
    EXPECT_EQ(text.count('\n'), 1);  // one declaration per line

    // Enumerated types show their type declarations; debug applications, which declare
    // nothing, their names.
    Module().CreateEnumType("TColour", "", {"clRed", "clGreen"});
    RefreshNode(*Node(Window().Project().Modules().Items(1)));  // shows the new group
    Trigger("actNewDebugApplication");
    Select(&Module().EnumTypes());
    EXPECT_TRUE(CurrentEditor<TfrCodeEditor>().CodeMemo().toPlainText().contains("TColour=(clRed,clGreen);"))
        << CurrentEditor<TfrCodeEditor>().CodeMemo().toPlainText().toStdString();
    Select(&Module().DebugApplications());
    EXPECT_EQ(CurrentEditor<TfrCodeEditor>().CodeMemo().toPlainText(),
              QString::fromStdString(Module().DebugApplications().Item(0)->GetDisplayName()) + "\n");
}

TEST(PascalHighlighting, ColoursKeywordsStringsCommentsNumbersAndDirectives) {
    QTextDocument document;
    PascalHighlighter highlighter(&document);
    document.setPlainText("unit A; { note\nstill } x:='it''s'; // end\n{$R *.res} y:=42; (* c *)");
    highlighter.rehighlight();  // a new highlighter colours on the next event-loop turn
    const auto formatAt = [&](int blockNumber, int position) {
        const QTextBlock block = document.findBlockByNumber(blockNumber);
        for (const QTextLayout::FormatRange& range : block.layout()->formats())
            if (position >= range.start && position < range.start + range.length) return range.format;
        return QTextCharFormat();
    };
    using Token = PascalHighlighter::Token;
    EXPECT_EQ(formatAt(0, 0), highlighter.FormatOf(Token::Keyword));           // unit
    EXPECT_EQ(formatAt(0, 5), QTextCharFormat());                              // A
    EXPECT_EQ(formatAt(0, 9), highlighter.FormatOf(Token::Comment));           // { note
    EXPECT_EQ(formatAt(1, 2), highlighter.FormatOf(Token::Comment));           // still }
    EXPECT_EQ(formatAt(1, 14), highlighter.FormatOf(Token::String));           // 'it''s' whole
    EXPECT_EQ(formatAt(1, 21), highlighter.FormatOf(Token::Comment));          // // end
    EXPECT_EQ(formatAt(2, 1), highlighter.FormatOf(Token::Directive));         // {$R
    EXPECT_EQ(formatAt(2, 15), highlighter.FormatOf(Token::Number));           // 42
    EXPECT_EQ(formatAt(2, 20), highlighter.FormatOf(Token::Comment));          // (* c *)
}

}  // namespace
}  // namespace quillon::test
