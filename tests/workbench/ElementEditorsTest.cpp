// The editor framework through the property editor: applying with OK, Apply and Cancel, the name
// rule, the type field, the access check, and how the editor follows the tree's selection. The
// external property editor: the classes it may refer to, their members, its name rules, a class
// the project no longer has. The published values an object without an editor of its own shows.
// The method editor with its parameter list and the parameter dialog: what OK, Apply and Cancel
// write, the refusals, the declaration preview, and the parameter editor on its own.
#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QTextEdit>

#include "elements/DesignClass.h"
#include "elements/ElementRules.h"
#include "elements/ExternalClasses.h"
#include "elements/Methods.h"
#include "elements/Properties.h"
#include "generator/Module.h"
#include "project/Project.h"
#include "workbench/ElementEditors.h"
#include "workbench/ExternalClassEditor.h"
#include "workbench/MemberEditors.h"
#include "workbench/PublishedValues.h"
#include "workbench/WorkbenchFixture.h"

namespace quillon::test {
namespace {

class PropertyEditorTest : public WorkbenchTest {
protected:
    void SetUp() override {
        NewProjectWithAClass();
        Trigger("actNewProperty");
        property = Window().Project().Modules().Items(1)->Module().MainClass().Properties().Items(0);
    }

    TfrPropertyEditor& Editor() { return CurrentEditor<TfrPropertyEditor>(); }
    void ChooseType(const QString& type) { Choose(Editor().DataTypes().Combo(), type); }

    TemgProperty* property = nullptr;
};

TEST_F(PropertyEditorTest, OKWritesTheFieldsIntoTheModelAndTheTreeThenCloses) {
    ASSERT_EQ(NodeObject(Window().Tree().currentItem()), property);
    TypeName("Balance");
    QTest::keyClicks(&Editor().Appellation().CommentMemo(), "Money left");
    ChooseType("Integer");
    Editor().ExportBox().click();
    Editor().WriteBox().click();  // read-only from now on
    Editor().DefaultValue().SetValue("10");
    Editor().ClickOK();

    EXPECT_EQ(LastMessage(), "");
    EXPECT_EQ(property->GetName(), "Balance");
    EXPECT_EQ(property->GetCaption(), "Money left");
    EXPECT_EQ(property->DataType().GetName(), "Integer");
    EXPECT_EQ(property->DataType().GetCategory(), dtRegistered);
    EXPECT_TRUE(property->IsReadable());
    EXPECT_FALSE(property->IsWritable());
    EXPECT_EQ(property->GetDefaultValue(), "10");
    EXPECT_EQ(Node(property)->text(0), "Balance");
    EXPECT_EQ(SettledEditor(), nullptr);
}

// Apply keeps the editor open; selecting the edited node again keeps its editor and what was
// typed; Cancel changes nothing, and a click on the selected node reopens the closed editor.
TEST_F(PropertyEditorTest, ApplyKeepsTheEditorOpenCancelChangesNothingAndAClickReopensIt) {
    TypeName("Balance");
    ChooseType("Integer");
    TfrEditor* editor = &Editor();
    editor->ClickApply();
    EXPECT_EQ(SettledEditor(), editor);
    EXPECT_EQ(property->GetName(), "Balance");
    TypeName("Half");
    EXPECT_TRUE(Window().SelectObject(property));
    EXPECT_EQ(Window().Editors().CurrentEditor(), editor);
    EXPECT_EQ(Editor().Appellation().Name(), "Half");

    editor->ClickCancel();
    ASSERT_EQ(SettledEditor(), nullptr);
    EXPECT_EQ(property->GetName(), "Balance");
    EXPECT_EQ(Node(property)->text(0), "Balance");
    QTreeWidget& tree = Window().Tree();
    QTreeWidgetItem* node = tree.currentItem();
    tree.scrollToItem(node);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(node).center());
    EXPECT_EQ(Editor().Object(), property);
    EXPECT_EQ(Editor().Appellation().Name(), "Balance");
}

// Refused names, types and access write nothing; the editor stays open for correction.
TEST_F(PropertyEditorTest, RefusedNamesTypesAndAccessWriteNothing) {
    struct Case {
        QString name, type;
        std::string message;
    };
    for (const Case& c : {Case{"1Balance", "Integer", "The field value is not an identifier"},
                          Case{"", "Integer", "Please, fill in the field 'Name'"},
                          Case{"afterinitinstance", "Integer", "Name afterinitinstance is not unique"},
                          Case{"Label", "Integer", "The field value is not an identifier"},
                          Case{"Create", "Integer",
                               "Name Create is taken by the generated code: the generated member Create"},
                          Case{"FAfterInitInstanceMethod", "Integer",
                               "Name FAfterInitInstanceMethod is taken by the generated code: the method pointer "
                               "field of method AfterInitInstance"},
                          Case{"Balance", "TNoSuchType", "Type 'TNoSuchType' is not registered"},
                          Case{"Balance", "", "Please, fill in the field 'Type'"}}) {
        TypeName(c.name);
        ChooseType(c.type);
        Editor().ClickOK();
        EXPECT_EQ(LastMessage(), c.message);
        EXPECT_NE(SettledEditor(), nullptr) << c.message;
        EXPECT_EQ(property->GetName(), "Property1");
        EXPECT_EQ(Node(property)->text(0), "Property1");
    }
    ChooseType("Integer");
    Editor().ReadBox().click();
    Editor().WriteBox().click();
    Editor().ClickApply();
    EXPECT_EQ(LastMessage(), "Read or Write must be set");
    EXPECT_TRUE(property->IsReadable() && property->IsWritable());
    EXPECT_EQ(property->GetName(), "Property1");
}

TEST_F(PropertyEditorTest, TheDefaultValueOffersTheValuesOfTheChosenType) {
    ChooseType("Boolean");
    EXPECT_FALSE(Editor().DefaultValue().Choices().isHidden());
    EXPECT_EQ(Editor().DefaultValue().Choices().findText("True"), 1);
    ChooseType("Integer");
    EXPECT_TRUE(Editor().DefaultValue().Choices().isHidden());
    Trigger("actNewEvent");  // an event's type is a procedural type
    EXPECT_GE(Editor().DataTypes().Combo().findText("TNotifyEvent"), 0);
    EXPECT_EQ(Editor().DataTypes().Combo().findText("Boolean"), -1);
}

// An untouched editor of a new member does not block the next command; leaving a node applies its
// changed editor, and a refusal keeps the selection and what was typed.
TEST_F(PropertyEditorTest, LeavingTheNodeAppliesTheEditorAndARefusalKeepsTheSelection) {
    Trigger("actNewProperty");  // Property1 has no type yet; its untouched editor is not applied
    EXPECT_EQ(LastMessage(), "");
    EXPECT_EQ(Window().Tree().currentItem()->text(0), "Property2");
    Select(property);
    ChooseType("Integer");
    TypeName("Balance");
    Window().SelectObject(&Window().Project());
    EXPECT_EQ(property->GetName(), "Balance");
    EXPECT_TRUE(Node(property)->font(0).bold());

    Window().SelectObject(property);
    TypeName("2Balance");
    Window().SelectObject(&Window().Project());
    EXPECT_EQ(LastMessage(), "The field value is not an identifier");
    EXPECT_EQ(NodeObject(Window().Tree().currentItem()), property);
    EXPECT_EQ(Editor().Appellation().Name(), "2Balance");  // what was typed is still there
    EXPECT_EQ(property->GetName(), "Balance");
}

// --- The external property editor ----------------------------------------------------------------

class ExternalClassEditorTest : public WorkbenchTest {
protected:
    void SetUp() override {
        NewProjectWithAClass();           // ExtClass1, the class that refers
        Trigger("actNewClassToProject");  // ExtClass2, the class referred to
        TemgClass& referenced = Window().Project().Modules().Items(2)->Module().MainClass();
        NewProperty(referenced.Properties()).SetName("Balance");
        NewEvent(referenced.Events()).SetName("OnChange");
        NewMethod(referenced.Methods()).SetName("Deposit");

        TemgClass& owner = Window().Project().Modules().Items(1)->Module().MainClass();
        NewProperty(owner.Properties()).SetName("Owned");
        Select(Window().Project().Modules().Items(1));
        Trigger("actNewExternalClassReference");
        external = owner.ExternalClasses().Items(0);
        ASSERT_EQ(NodeObject(Window().Tree().currentItem()), external);
    }

    TfrExternalClassEditor& Editor() { return CurrentEditor<TfrExternalClassEditor>(); }
    void ChooseClass(const QString& name) { Choose(Editor().ClassCombo(), name); }
    // The group ("Methods") of a member shown in the class tree, or "" when it is not shown.
    QString GroupOf(const QString& member) {
        const auto found = Editor().ClassTree().findItems(member, Qt::MatchExactly | Qt::MatchRecursive);
        return found.size() == 1 && found.front()->parent() ? found.front()->parent()->text(0) : QString();
    }

    TemgExternalClass* external = nullptr;
};

// The editor offers the other classes (neither the class itself nor the common types module can
// be referred to); a class the project no longer has is reported until another is chosen, whose
// members it shows.
TEST_F(ExternalClassEditorTest, OffersTheOtherClassesAndShowsTheChosenClassMembers) {
    ASSERT_EQ(Editor().ClassCombo().count(), 1);
    EXPECT_EQ(Editor().ClassCombo().itemText(0), "ExtClass2");
    EXPECT_EQ(Editor().Appellation().Name(), "ExternalProperty1");
    EXPECT_TRUE(Editor().AutoCreateBox().isChecked());
    EXPECT_FALSE(Editor().MessageMemo().isVisibleTo(&Editor()));

    external->SetName("Vanished");
    Select(&Window().Project());
    Select(external);
    EXPECT_EQ(Editor().ClassCombo().currentText(), "Vanished");
    EXPECT_EQ(Editor().MessageMemo().toPlainText(), "Referenced class not found");
    EXPECT_TRUE(Editor().MessageMemo().isVisibleTo(&Editor()));
    EXPECT_EQ(Editor().ClassTree().topLevelItemCount(), 0);
    Editor().ClickApply();
    EXPECT_EQ(LastMessage(), "Object not found");

    ChooseClass("ExtClass2");
    EXPECT_FALSE(Editor().MessageMemo().isVisibleTo(&Editor()));
    EXPECT_EQ(Editor().ClassTree().topLevelItem(0)->text(0), "ExtClass2");
    EXPECT_EQ(GroupOf("Balance"), "Properties");
    EXPECT_EQ(GroupOf("OnChange"), "Events");
    EXPECT_EQ(GroupOf("Deposit"), "Methods");
    EXPECT_FALSE(Editor().ClassTree().findItems("Deposit", Qt::MatchRecursive).front()->icon(0).isNull());
    Editor().ClickApply();
    EXPECT_EQ(external->GetName(), "ExtClass2");
}

TEST_F(ExternalClassEditorTest, OKWritesTheReferenceIntoTheModelAndTheTreeShowsThePropertyName) {
    ChooseClass("extclass2");  // the class's own spelling is stored
    TypeName("Account");
    QTest::keyClicks(&Editor().Appellation().CommentMemo(), "The account object");
    Editor().AutoCreateBox().click();
    Editor().ClickOK();

    EXPECT_EQ(LastMessage(), "");
    EXPECT_EQ(external->GetName(), "ExtClass2");
    EXPECT_EQ(external->GetPropertyName(), "Account");
    EXPECT_EQ(external->GetCaption(), "The account object");
    EXPECT_FALSE(external->GetAutoCreate());
    EXPECT_EQ(Node(external)->text(0), "Account");
}

TEST_F(ExternalClassEditorTest, RefusedNamesAndClassesWriteNothing) {
    ChooseClass("ExtClass2");
    // The property name is unique among all members of the class, its property "Owned" included.
    for (const auto& [name, message] : {std::pair<QString, std::string>{"1Account", "The field value is not an identifier"},
                                        {"owned", "Name owned is not unique"},
                                        {"AfterInitInstance", "Name AfterInitInstance is not unique"}}) {
        TypeName(name);
        Editor().ClickOK();
        EXPECT_EQ(LastMessage(), message);
        EXPECT_NE(SettledEditor(), nullptr);
        EXPECT_EQ(external->GetPropertyName(), "ExternalProperty1");
        EXPECT_EQ(Node(external)->text(0), "ExternalProperty1");
    }

    TypeName("Account");
    for (const QString& cls : {QString("NoSuchClass"), QString("ExtClass1"), QString()}) {
        ChooseClass(cls);
        Editor().ClickApply();
        EXPECT_EQ(LastMessage(), "Object not found") << cls.toStdString();
        EXPECT_EQ(external->GetName(), "");
        EXPECT_EQ(external->GetPropertyName(), "ExternalProperty1");
    }
}

// --- Published values ----------------------------------------------------------------------------

// Sub-objects show dotted, ordinals by their identifiers, in stream order; collections by their
// item count.
TEST(PublishedValues, ShowSubObjectsDottedOrdinalsByTheirIdentifiersAndCollectionsByTheirCount) {
    TemgClass cls;
    const auto valueOf = [](const std::vector<PublishedRow>& rows, const std::string& name) {
        const auto it = std::find_if(rows.begin(), rows.end(), [&](const PublishedRow& r) { return r.first == name; });
        return it == rows.end() ? "<missing>" : it->second;
    };
    const auto rows = PublishedValues(NewProperty(cls.Properties()));
    EXPECT_EQ(rows.front().first, "Appellation.Name");
    EXPECT_EQ(valueOf(rows, "Appellation.Name"), "Property1");
    EXPECT_EQ(valueOf(rows, "AccessTypes"), "[atRead, atWrite]");
    EXPECT_EQ(valueOf(rows, "Visibility"), "mvPublic");
    EXPECT_EQ(valueOf(rows, "Event"), "False");
    NewProperty(cls.Properties());
    EXPECT_EQ(valueOf(PublishedValues(cls), "Properties"), "(2 items)");
    EXPECT_EQ(valueOf(PublishedValues(cls), "Methods"), "(0 items)");
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
