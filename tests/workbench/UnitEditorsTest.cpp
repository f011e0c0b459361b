// The generated-unit editors: a unit's text and file, "Open in Delphi" before and after
// generating, the group's description, the declarations of a member group, and the colouring.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextLayout>

#include "generator/UnitsManager.h"
#include "platform/ShellOpen.h"
#include "project/Project.h"
#include "workbench/EditorFrames.h"
#include "workbench/PascalHighlighter.h"
#include "workbench/UnitEditors.h"
#include "workbench/WorkbenchFixture.h"

namespace quillon::test {
namespace {

class UnitEditorTest : public WorkbenchTest {
protected:
    void SetUp() override {
        module = &NewProjectWithAClass().Module();
    }
    const TUnitsManager* Unit(TFileKind kind) { return module->Units().FindKind(kind); }

    TemgModule* module = nullptr;
};

// A unit's editor shows its file and generated text read-only, and reloads both from the model
// as it stands.
TEST_F(UnitEditorTest, ShowsTheFileAndTheGeneratedTextReadOnlyAndRefreshReloadsThem) {
    Select(Unit(TFileKind::GeneratorServerUnit));
    auto* editor = &CurrentEditor<TfrUnitEditor>();
    EXPECT_EQ(editor->FileNameEdit().Text(), work.File("genExtClass1.pas"));
    const QString text = editor->CodeMemo().toPlainText();
    EXPECT_TRUE(text.contains("\nunit genExtClass1;\ninterface\n")) << text.left(80).toStdString();
    EXPECT_FALSE(text.contains('\r'));
    EXPECT_TRUE(editor->CodeMemo().isReadOnly());
    EXPECT_TRUE(editor->ReadOnly());

    Select(Unit(TFileKind::ControllerUnit));
    editor = &CurrentEditor<TfrUnitEditor>();
    EXPECT_TRUE(editor->CodeMemo().toPlainText().contains("TcntrExtClass1"));
    module->MainClass().SetName("Account");
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
    module->SetServerOption(moDirectUsesServer);
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

TEST_F(UnitEditorTest, TheGeneratedUnitsGroupDescribesEachUnitWithItsFile) {
    Select(&module->Units());
    auto& editor = CurrentEditor<TfrUnitsGroupEditor>();
    const QString text = editor.DescriptionMemo().toPlainText();
    EXPECT_TRUE(text.contains("Controller Unit\n    " + QString::fromStdString(work.File("cntrExtClass1.pas"))))
        << text.toStdString();
    EXPECT_TRUE(text.contains("Dynamic Link Library Project\n    " + QString::fromStdString(work.File("ExtClass1.dpr"))));
}

TEST_F(UnitEditorTest, AMemberGroupShowsTheDeclarationsOfItsMembers) {
    Trigger("actNewMethod");
    Select(&module->MainClass().Methods());
    auto& editor = CurrentEditor<TfrCodeEditor>();
    const QString text = editor.CodeMemo().toPlainText();
    EXPECT_TRUE(text.contains("AfterInitInstance")) << text.toStdString();
    EXPECT_TRUE(text.contains("Method1")) << text.toStdString();
    EXPECT_EQ(text.count('\n'), 1);  // one declaration per line

    // Enumerated types show their type declarations; debug applications, which declare
    // nothing, their names.
    module->CreateEnumType("TColour", "", {"clRed", "clGreen"});
    RefreshNode(*Node(Window().Project().Modules().Items(1)));  // shows the new group
    Trigger("actNewDebugApplication");
    Select(&module->EnumTypes());
    EXPECT_TRUE(CurrentEditor<TfrCodeEditor>().CodeMemo().toPlainText().contains("TColour=(clRed,clGreen);"))
        << CurrentEditor<TfrCodeEditor>().CodeMemo().toPlainText().toStdString();
    Select(&module->DebugApplications());
    EXPECT_EQ(CurrentEditor<TfrCodeEditor>().CodeMemo().toPlainText(),
              QString::fromStdString(module->DebugApplications().Item(0)->GetDisplayName()) + "\n");
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
