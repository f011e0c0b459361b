// The method editor with its parameter list and the parameter dialog: what OK, Apply and Cancel
// write, the refusals, the declaration preview, and the parameter editor on its own.
#include <QApplication>
#include <QClipboard>
#include <QTextEdit>

#include "elements/DesignClass.h"
#include "elements/Methods.h"
#include "generator/Module.h"
#include "project/Project.h"
#include "workbench/MemberEditors.h"
#include "workbench/WorkbenchFixture.h"

namespace quillon::test {
namespace {

struct ParameterInput {
    QString name;
    QString type = "Integer";
    QString defaultValue = {};
    enum { None, Const, Var } modifier = None;
};

// Plays the user in the "Parameter" dialog.
void FillParameter(TedParameter& dialog, const ParameterInput& input) {
    TypeInto(dialog.Appellation().NameEdit().Edit(), input.name);
    Choose(dialog.Fields().DataTypes().Combo(), input.type);
    QRadioButton* modifiers[] = {&dialog.Fields().NoneButton(), &dialog.Fields().ConstButton(),
                                 &dialog.Fields().VarButton()};
    modifiers[input.modifier]->click();
    dialog.Fields().DefaultValue().SetValue(input.defaultValue.toStdString());
}

// New (or, with `edit`, Edit) in the list, answered with `input` and OK.
void AddParameter(TfrParameters& list, const ParameterInput& input, bool edit = false) {
    Playing<TedParameter>(
        [&](TedParameter& dialog) {
            FillParameter(dialog, input);
            dialog.ClickOK();
        },
        [&] { edit ? list.DoEdit() : list.DoNew(); });
}

class MethodEditorTest : public WorkbenchTest {
protected:
    void SetUp() override {
        NewProjectWithAClass();
        Trigger("actNewMethod");
        TemgMethods& methods = Module().MainClass().Methods();
        method = methods.Items(methods.Count() - 1);
        ASSERT_EQ(method->GetName(), "Method1");
    }

    TemgModule& Module() { return Window().Project().Modules().Items(1)->Module(); }
    TfrMethodEditor& Editor() { return CurrentEditor<TfrMethodEditor>(); }
    // Sum(a:Integer; const b:Integer=1):Integer
    void DescribeSum() {
        TypeName("Sum");
        Editor().Kind().FunctionButton().click();
        Choose(Editor().ResultType().Combo(), "Integer");
        AddParameter(Editor().ParameterList(), {"a"});
        AddParameter(Editor().ParameterList(), {"b", "Integer", "1", ParameterInput::Const});
    }

    TemgMethod* method = nullptr;
};

TEST_F(MethodEditorTest, OKWritesTheMethodWithItsParametersAndTheTreeFollows) {
    DescribeSum();
    Editor().ExportBox().click();
    QTest::keyClicks(&Editor().Appellation().CommentMemo(), "Adds");
    Editor().ClickOK();

    EXPECT_EQ(LastMessage(), "");
    EXPECT_EQ(method->GetName(), "Sum");
    EXPECT_EQ(method->GetCaption(), "Adds");
    EXPECT_EQ(method->GetCategory(), mcFunction);
    EXPECT_EQ(method->DataType().GetName(), "Integer");
    EXPECT_FALSE(method->GetExported());
    ASSERT_EQ(method->Parameters().Count(), 2);
    const TemgParameter& b = *method->Parameters().Items(1);
    EXPECT_EQ(b.GetName(), "b");
    EXPECT_EQ(b.GetCategory(), pcConst);
    EXPECT_EQ(b.GetDefaultValue(), "1");
    EXPECT_EQ(b.DataType().GetName(), "Integer");
    EXPECT_EQ(method->DeclarationText(), "function Sum(a:Integer;const b:Integer=1):Integer;override;");
    EXPECT_TRUE(method->GetModified());
    EXPECT_EQ(Node(method)->text(0), "Sum");
    EXPECT_EQ(NodeImage(Node(method)), 8);  // a function
    EXPECT_EQ(SettledEditor(), nullptr);
}

TEST_F(MethodEditorTest, ApplyKeepsTheEditorOpenAndCancelDropsEvenListEdits) {
    DescribeSum();
    TfrEditor* editor = &Editor();
    editor->ClickApply();
    EXPECT_EQ(SettledEditor(), editor);
    EXPECT_EQ(method->GetName(), "Sum");

    // Edits of the list, of an entry and of the kind, then Cancel.
    AddParameter(Editor().ParameterList(), {"c", "Integer", "2"});
    Editor().ParameterList().Select(0);
    AddParameter(Editor().ParameterList(), {"x", "Double"}, true);
    Editor().ParameterList().Select(1);
    Editor().ParameterList().DoDelete();
    Editor().Kind().ProcedureButton().click();
    TypeName("Other");
    editor->ClickCancel();
    EXPECT_EQ(SettledEditor(), nullptr);

    EXPECT_EQ(method->GetName(), "Sum");
    EXPECT_EQ(method->GetCategory(), mcFunction);
    ASSERT_EQ(method->Parameters().Count(), 2);
    EXPECT_EQ(method->Parameters().Items(0)->GetName(), "a");
    EXPECT_EQ(method->Parameters().Items(0)->DataType().GetName(), "Integer");
    EXPECT_EQ(method->Parameters().Items(1)->GetName(), "b");
    EXPECT_EQ(Node(method)->text(0), "Sum");
}

// A bad name, a name another member has (the system method's included) and a parameter without
// default after one with a default are refused, and nothing is written; moving the parameter up
// is accepted.
TEST_F(MethodEditorTest, RefusalsWriteNothing) {
    AddParameter(Editor().ParameterList(), {"a", "Integer", "1"});
    AddParameter(Editor().ParameterList(), {"b"});
    for (const auto& [name, message] : {std::pair<QString, std::string>{"1Sum", "The field value is not an identifier"},
                                        {"afterinitinstance", "Name afterinitinstance is not unique"},
                                        {"Sum", "Parameter with default value has wrong order"}}) {
        TypeName(name);
        Editor().ClickOK();
        EXPECT_EQ(LastMessage(), message);
        EXPECT_NE(SettledEditor(), nullptr) << message;
        EXPECT_EQ(method->GetName(), "Method1");
        EXPECT_EQ(method->Parameters().Count(), 0);
        EXPECT_EQ(Node(method)->text(0), "Method1");
    }
    Editor().ParameterList().Select(1);
    Editor().ParameterList().DoMove(-1);
    const std::size_t refusals = dialogs.Messages().size();
    Editor().ClickApply();
    EXPECT_EQ(dialogs.Messages().size(), refusals);
    ASSERT_EQ(method->Parameters().Count(), 2);
    EXPECT_EQ(method->Parameters().Items(0)->GetName(), "b");
}

// The declaration previews the controls, Copy puts it on the clipboard; a function made a
// procedure drops its result type.
TEST_F(MethodEditorTest, TheDeclarationFollowsTheControlsAndAProcedureDropsItsResultType) {
    QTextEdit& memo = Editor().DeclarationMemo();
    EXPECT_TRUE(memo.isReadOnly());
    EXPECT_EQ(memo.toPlainText(), "procedure Method1;override;");
    EXPECT_FALSE(Editor().ResultType().Combo().isEnabled());  // a procedure has no result

    TypeName("Sum");
    EXPECT_EQ(memo.toPlainText(), "procedure Sum;override;");
    Editor().Kind().FunctionButton().click();
    EXPECT_TRUE(Editor().ResultType().Combo().isEnabled());
    Choose(Editor().ResultType().Combo(), "Double");
    EXPECT_EQ(memo.toPlainText(), "function Sum:Double;override;");
    AddParameter(Editor().ParameterList(), {"a", "Integer", "", ParameterInput::Var});
    EXPECT_EQ(memo.toPlainText(), "function Sum(var a:Integer):Double;override;");
    EXPECT_EQ(method->GetName(), "Method1");  // a preview, nothing applied
    Editor().CopyButton().click();
    EXPECT_EQ(QApplication::clipboard()->text(), "function Sum(var a:Integer):Double;override;");

    Editor().ClickApply();
    Editor().Kind().ProcedureButton().click();
    Editor().ClickApply();
    EXPECT_EQ(method->GetCategory(), mcProcedure);
    EXPECT_EQ(method->DataType().GetName(), "");  // no reference to Double is left behind
    EXPECT_EQ(NodeImage(Node(method)), 11);
}

TEST_F(MethodEditorTest, TheParameterDialogChecksItsEntryAndCancelAddsNothing) {
    AddParameter(Editor().ParameterList(), {"a"});
    int shown = 0;
    Playing<TedParameter>(
        [&](TedParameter& dialog) {
            ++shown;
            EXPECT_EQ(dialog.windowTitle(), "Parameter");
            EXPECT_EQ(dialog.Fields().NoneButton().text(), "none");
            EXPECT_EQ(dialog.Fields().ConstButton().text(), "const");
            EXPECT_EQ(dialog.Fields().VarButton().text(), "var ");
            FillParameter(dialog, {"A"});
            dialog.ClickOK();
            EXPECT_EQ(LastMessage(), "Name A is not unique");
            FillParameter(dialog, {"flag", ""});
            dialog.ClickOK();
            EXPECT_EQ(LastMessage(), "Please, fill in the field 'Type'");
            // A Boolean offers its two values as defaults.
            Choose(dialog.Fields().DataTypes().Combo(), "Boolean");
            EXPECT_FALSE(dialog.Fields().DefaultValue().Choices().isHidden());
            EXPECT_EQ(dialog.Fields().DefaultValue().Choices().findText("False"), 2);
            dialog.ClickCancel();
        },
        [&] { Editor().ParameterList().DoNew(); });
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Editor().ParameterList().List().topLevelItemCount(), 1);

    // Editing the entry keeps its own name.
    Editor().ParameterList().Select(0);
    AddParameter(Editor().ParameterList(), {"a", "Double"}, true);
    QTreeWidgetItem* row = Editor().ParameterList().List().topLevelItem(0);
    EXPECT_EQ(row->text(0), "a");
    EXPECT_EQ(row->text(1), "Double");
}

TEST_F(MethodEditorTest, TheParameterEditorEditsAParameterOfItsOwn) {
    TemgParameter& parameter = *method->Parameters().Add();
    parameter.SetName("a");
    parameter.DataType().SetName("Integer");
    method->Parameters().Add()->SetName("b");
    Window().Editors().OpenEditor(parameter, nullptr, Window().Project().Modules().Items(1));
    auto& editor = CurrentEditor<TfrParameterEditor>();
    EXPECT_TRUE(editor.Fields().NoneButton().isChecked());

    TypeName("b");
    editor.ClickApply();
    EXPECT_EQ(LastMessage(), "Name b is not unique");
    TypeName("count");
    editor.Fields().VarButton().click();
    editor.ClickOK();
    EXPECT_EQ(parameter.GetName(), "count");
    EXPECT_EQ(parameter.GetCategory(), pcVar);
    EXPECT_EQ(parameter.DataType().GetName(), "Integer");
}

}  // namespace
}  // namespace quillon::test
