// The method editor with its parameter list and the parameter dialog: what OK, Apply and Cancel
// write, the refusals, the declaration preview, and the parameter editor on its own.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include "elements/DesignClass.h"
#include "elements/Methods.h"
#include "generator/Module.h"
#include "project/Project.h"
#include "workbench/MemberEditors.h"
#include "workbench/WorkbenchFixture.h"

namespace quillon::test {
namespace {

void TypeInto(QLineEdit& edit, const QString& text) {
    edit.selectAll();
    if (text.isEmpty()) edit.clear();
    QTest::keyClicks(&edit, text);
}

void ChooseType(TfrDataTypes& types, const QString& type) {
    QComboBox& combo = types.Combo();
    combo.setCurrentText(type);
    emit combo.activated(combo.currentIndex());
}

struct ParameterInput {
    QString name;
    QString type = "Integer";
    QString defaultValue = {};
    enum { None, Const, Var } modifier = None;
};

// Plays the user in the "Parameter" dialog.
void FillParameter(TedParameter& dialog, const ParameterInput& input) {
    TypeInto(dialog.Appellation().NameEdit().Edit(), input.name);
    ChooseType(dialog.Fields().DataTypes(), input.type);
    QRadioButton* modifiers[] = {&dialog.Fields().NoneButton(), &dialog.Fields().ConstButton(),
                                 &dialog.Fields().VarButton()};
    modifiers[input.modifier]->click();
    dialog.Fields().DefaultValue().SetValue(input.defaultValue.toStdString());
}

// New in the list, answered with `input` and OK.
void AddParameter(TfrParameters& list, const ParameterInput& input) {
    ScopedDialogRunner runner([&](TfmBaseDialog& d) {
        FillParameter(dynamic_cast<TedParameter&>(d), input);
        d.ClickOK();
    });
    list.DoNew();
}

class MethodEditorTest : public WorkbenchTest {
protected:
    void SetUp() override {
        OpenWindow();
        NewProjectIn(work.Path());
        Trigger("actNewClassToProject");
        Trigger("actNewMethod");
        TemgMethods& methods = Module().MainClass().Methods();
        method = methods.Items(methods.Count() - 1);
        ASSERT_EQ(method->GetName(), "Method1");
    }

    TemgModule& Module() { return Window().Project().Modules().Items(1)->Module(); }
    TfrMethodEditor& Editor() { return CurrentEditor<TfrMethodEditor>(); }
    void TypeName(const QString& name) { TypeInto(Editor().Appellation().NameEdit().Edit(), name); }
    // Sum(a:Integer; const b:Integer=1):Integer
    void DescribeSum() {
        TypeName("Sum");
        Editor().Kind().FunctionButton().click();
        ChooseType(Editor().ResultType(), "Integer");
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

    EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.Messages().front();
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
    Settle();
    EXPECT_EQ(Window().Editors().CurrentEditor(), nullptr);
}

TEST_F(MethodEditorTest, ApplyKeepsTheEditorOpenAndCancelDropsEvenListEdits) {
    DescribeSum();
    TfrEditor* editor = &Editor();
    editor->ClickApply();
    Settle();
    EXPECT_EQ(method->GetName(), "Sum");
    EXPECT_EQ(Window().Editors().CurrentEditor(), editor);

    // Edits of the list, of an entry and of the kind, then Cancel.
    AddParameter(Editor().ParameterList(), {"c", "Integer", "2"});
    Editor().ParameterList().Select(0);
    {
        ScopedDialogRunner runner([&](TfmBaseDialog& d) {
            FillParameter(dynamic_cast<TedParameter&>(d), {"x", "Double"});
            d.ClickOK();
        });
        Editor().ParameterList().DoEdit();
    }
    Editor().ParameterList().Select(1);
    Editor().ParameterList().DoDelete();
    Editor().Kind().ProcedureButton().click();
    TypeName("Other");
    editor->ClickCancel();
    Settle();

    EXPECT_EQ(method->GetName(), "Sum");
    EXPECT_EQ(method->GetCategory(), mcFunction);
    ASSERT_EQ(method->Parameters().Count(), 2);
    EXPECT_EQ(method->Parameters().Items(0)->GetName(), "a");
    EXPECT_EQ(method->Parameters().Items(0)->DataType().GetName(), "Integer");
    EXPECT_EQ(method->Parameters().Items(1)->GetName(), "b");
    EXPECT_EQ(Node(method)->text(0), "Sum");
}

TEST_F(MethodEditorTest, ALeadingDigitIsRefusedAndNothingIsWritten) {
    AddParameter(Editor().ParameterList(), {"a"});
    TypeName("1Sum");
    Editor().ClickOK();
    Settle();
    ASSERT_FALSE(dialogs.Messages().empty());
    EXPECT_EQ(dialogs.Messages().back(), "The field value is not an identifier");
    EXPECT_EQ(method->GetName(), "Method1");
    EXPECT_EQ(method->Parameters().Count(), 0);
    EXPECT_EQ(Node(method)->text(0), "Method1");
    EXPECT_NE(Window().Editors().CurrentEditor(), nullptr);

    // The name is unique among all members, the system method included.
    TypeName("afterinitinstance");
    Editor().ClickApply();
    EXPECT_EQ(dialogs.Messages().back(), "Name afterinitinstance is not unique");
}

TEST_F(MethodEditorTest, AParameterWithoutDefaultAfterOneWithADefaultIsRefused) {
    AddParameter(Editor().ParameterList(), {"a", "Integer", "1"});
    AddParameter(Editor().ParameterList(), {"b"});
    Editor().ClickApply();
    ASSERT_FALSE(dialogs.Messages().empty());
    EXPECT_EQ(dialogs.Messages().back(), "Parameter with default value has wrong order");
    EXPECT_EQ(method->Parameters().Count(), 0);

    // Moving b up puts the defaults last: accepted.
    Editor().ParameterList().Select(1);
    Editor().ParameterList().DoMove(-1);
    const std::size_t refusals = dialogs.Messages().size();
    Editor().ClickApply();
    EXPECT_EQ(dialogs.Messages().size(), refusals);
    ASSERT_EQ(method->Parameters().Count(), 2);
    EXPECT_EQ(method->Parameters().Items(0)->GetName(), "b");
}

TEST_F(MethodEditorTest, TheDeclarationFollowsTheControlsAndCopyPutsItOnTheClipboard) {
    QTextEdit& memo = Editor().DeclarationMemo();
    EXPECT_TRUE(memo.isReadOnly());
    EXPECT_EQ(memo.toPlainText(), "procedure Method1;override;");
    EXPECT_FALSE(Editor().ResultType().Combo().isEnabled());  // a procedure has no result

    TypeName("Sum");
    EXPECT_EQ(memo.toPlainText(), "procedure Sum;override;");
    Editor().Kind().FunctionButton().click();
    EXPECT_TRUE(Editor().ResultType().Combo().isEnabled());
    ChooseType(Editor().ResultType(), "Double");
    EXPECT_EQ(memo.toPlainText(), "function Sum:Double;override;");
    AddParameter(Editor().ParameterList(), {"a", "Integer", "", ParameterInput::Var});
    EXPECT_EQ(memo.toPlainText(), "function Sum(var a:Integer):Double;override;");
    EXPECT_EQ(method->GetName(), "Method1");  // a preview, nothing applied

    Editor().CopyButton().click();
    EXPECT_EQ(QApplication::clipboard()->text(), "function Sum(var a:Integer):Double;override;");
}

TEST_F(MethodEditorTest, AProcedureDropsItsFormerResultType) {
    DescribeSum();
    Editor().ClickApply();
    Editor().Kind().ProcedureButton().click();
    Editor().ClickApply();
    EXPECT_EQ(method->GetCategory(), mcProcedure);
    // No reference to Integer is left behind in the method.
    EXPECT_EQ(method->DataType().GetName(), "");
    EXPECT_EQ(NodeImage(Node(method)), 11);
}

TEST_F(MethodEditorTest, TheParameterDialogChecksItsEntryAndCancelAddsNothing) {
    AddParameter(Editor().ParameterList(), {"a"});
    int shown = 0;
    {
        ScopedDialogRunner runner([&](TfmBaseDialog& d) {
            ++shown;
            auto& dialog = dynamic_cast<TedParameter&>(d);
            EXPECT_EQ(dialog.windowTitle(), "Parameter");
            EXPECT_EQ(dialog.Fields().NoneButton().text(), "none");
            EXPECT_EQ(dialog.Fields().ConstButton().text(), "const");
            EXPECT_EQ(dialog.Fields().VarButton().text(), "var ");
            FillParameter(dialog, {"A"});
            d.ClickOK();
            EXPECT_EQ(dialogs.Messages().back(), "Name A is not unique");
            FillParameter(dialog, {"flag", ""});
            d.ClickOK();
            EXPECT_EQ(dialogs.Messages().back(), "Please, fill in the field 'Type'");
            // A Boolean offers its two values as defaults.
            ChooseType(dialog.Fields().DataTypes(), "Boolean");
            EXPECT_FALSE(dialog.Fields().DefaultValue().Choices().isHidden());
            EXPECT_EQ(dialog.Fields().DefaultValue().Choices().findText("False"), 2);
            d.ClickCancel();
        });
        Editor().ParameterList().DoNew();
    }
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Editor().ParameterList().List().topLevelItemCount(), 1);

    // Editing the entry keeps its own name.
    Editor().ParameterList().Select(0);
    {
        ScopedDialogRunner runner([&](TfmBaseDialog& d) {
            FillParameter(dynamic_cast<TedParameter&>(d), {"a", "Double"});
            d.ClickOK();
        });
        Editor().ParameterList().DoEdit();
    }
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

    TypeInto(editor.Appellation().NameEdit().Edit(), "b");
    editor.ClickApply();
    EXPECT_EQ(dialogs.Messages().back(), "Name b is not unique");
    TypeInto(editor.Appellation().NameEdit().Edit(), "count");
    editor.Fields().VarButton().click();
    editor.ClickOK();
    EXPECT_EQ(parameter.GetName(), "count");
    EXPECT_EQ(parameter.GetCategory(), pcVar);
    EXPECT_EQ(parameter.DataType().GetName(), "Integer");
}

TEST_F(MethodEditorTest, Screenshot) {
    DescribeSum();
    Editor().Appellation().CommentMemo().setPlainText("Adds two numbers");
    SaveScreenshot("editor-method");
}

}  // namespace
}  // namespace quillon::test
