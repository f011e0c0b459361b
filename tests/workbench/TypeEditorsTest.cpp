// The type editors and the type registration: registered, enumerated and procedural types edited
// with OK, Apply and Cancel, their refusals, renames that take the references along, and new
// types registered through each page of "Type Registration".
#include <QTabWidget>

#include "elements/ProceduralTypes.h"
#include "elements/Properties.h"
#include "elements/RegisteredTypes.h"
#include "generator/Module.h"
#include "project/Project.h"
#include "source/SourceTypes.h"
#include "workbench/TypeEditors.h"
#include "workbench/WorkbenchFixture.h"

namespace quillon::test {
namespace {

void ChooseType(TfrDataTypes& types, const QString& type) { Choose(types.Combo(), type); }

// New in a value list, answered with the name and comment and OK (or, with `cancel`, Cancel
// after OK).
void AddValue(TfrEnumValues& list, const QString& name, const QString& comment = {}, bool cancel = false) {
    Playing<TedEnumValue>(
        [&](TedEnumValue& dialog) {
            TypeInto(dialog.Appellation().NameEdit().Edit(), name);
            dialog.Appellation().CommentMemo().setPlainText(comment);
            dialog.ClickOK();
            if (cancel) dialog.ClickCancel();
        },
        [&] { list.DoNew(); });
}

// New in a parameter list, answered with the name, type and default value and OK.
void AddParameter(TfrParameters& list, const QString& name, const QString& type, const std::string& defaultValue = {}) {
    Playing<TedParameter>(
        [&](TedParameter& dialog) {
            TypeInto(dialog.Appellation().NameEdit().Edit(), name);
            ChooseType(dialog.Fields().DataTypes(), type);
            dialog.Fields().DefaultValue().SetValue(defaultValue);
            dialog.ClickOK();
        },
        [&] { list.DoNew(); });
}

class TypeEditorsTest : public WorkbenchTest {
protected:
    void SetUp() override { NewProjectWithAClass(); }

    TemgpModule& Entry() { return *Window().Project().Modules().Items(1); }
    TemgModule& Module() { return Entry().Module(); }
    TemgModule& Common() { return Window().Project().FirstModule(); }
    // Shows types made on the model in the tree (the module's subtree is rebuilt).
    void ShowTypes() { RefreshNode(*Node(&Entry())); }
    TgmcEnumType& ColorKind() {
        TgmcEnumType& type = Module().CreateEnumType("TColorKind", "", {"ckRed", "ckBlue"});
        ShowTypes();
        return type;
    }
    // Runs "New Type..." with `play` as the user of the dialog.
    void NewType(const std::function<void(TedRegisterDataType&)>& play) {
        Playing<TedRegisterDataType>(play, [&] { Trigger("actRegisterDataType"); });
    }
};

// --- Type registration -----------------------------------------------------------------------------

TEST_F(TypeEditorsTest, EachPageOfTheRegistrationCreatesItsKindOfTypeAndRefusals) {
    Select(&Entry());
    NewType([&](TedRegisterDataType& d) {
        EXPECT_EQ(d.windowTitle(), "Type Registration");
        ASSERT_EQ(d.Pages().count(), 3);
        EXPECT_EQ(d.Pages().tabText(0), "Registered");
        EXPECT_EQ(d.Pages().tabText(1), "Enum");
        EXPECT_EQ(d.Pages().tabText(2), "Procedural");
        TypeInto(d.Appellation().NameEdit().Edit(), "THandle");
        TypeInto(d.UnitEdit().Edit(), "Windows");
        d.ClickOK();
    });
    // A type registered here is shared: it goes to the common types module, whichever module is
    // current.
    const TemgRegisteredDataType* handle = Common().RegisteredDataTypes().Find("THandle");
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(Module().RegisteredDataTypes().Find("THandle"), nullptr);
    EXPECT_EQ(handle->GetModuleName(), "Windows");
    EXPECT_FALSE(handle->GetProceduralType());
    // The new type is shown once and selected, with its editor open; the common types module was
    // not expanded before, so its children were made for the new node.
    EXPECT_EQ(NodeObject(Window().Tree().currentItem()), handle);
    const QTreeWidgetItem* group = Window().Tree().currentItem()->parent();
    int shown = 0;
    for (int i = 0; i < group->childCount(); ++i) shown += NodeObject(group->child(i)) == handle;
    EXPECT_EQ(shown, 1);
    EXPECT_NE(dynamic_cast<TfrRegisteredDataTypeEditor*>(Window().Editors().CurrentEditor()), nullptr);

    // A known name (built in or shared), an enumeration without values and a bad name are refused.
    struct Case {
        QString name;
        int page;
        std::string message;
    };
    for (const Case& c : {Case{"Integer", 0, "Type 'Integer' is already registered"},
                          Case{"thandle", 0, "Type 'thandle' is already registered"},
                          Case{"TColorKind", 1, "There must be at least one value of enumerated type"},
                          Case{"1Kind", 0, "The field value is not an identifier"}}) {
        const std::size_t registered = Common().RegisteredDataTypes().Count();
        NewType([&](TedRegisterDataType& d) {
            TypeInto(d.Appellation().NameEdit().Edit(), c.name);
            d.Pages().setCurrentIndex(c.page);
            d.ClickOK();
            d.ClickCancel();
        });
        EXPECT_EQ(LastMessage(), c.message);
        EXPECT_EQ(Common().RegisteredDataTypes().Count(), registered);
        EXPECT_EQ(Common().EnumTypes().Count(), 0);
    }

    NewType([&](TedRegisterDataType& d) {
        TypeInto(d.Appellation().NameEdit().Edit(), "TColorKind");
        d.Pages().setCurrentIndex(1);
        AddValue(d.ValueList(), "ckRed", "warm");
        AddValue(d.ValueList(), "ckBlue");
        d.ClickOK();
    });
    ASSERT_EQ(Common().EnumTypes().Count(), 1);
    const TgmcEnumType& colors = *Common().EnumTypes().Items(0);
    EXPECT_EQ(colors.GetName(), "TColorKind");
    ASSERT_EQ(colors.Values().Count(), 2);
    EXPECT_EQ(colors.Values().Items(0)->GetName(), "ckRed");
    EXPECT_EQ(colors.Values().Items(0)->GetCaption(), "warm");
    EXPECT_NE(Node(&colors), nullptr);

    NewType([&](TedRegisterDataType& d) {
        TypeInto(d.Appellation().NameEdit().Edit(), "TOnCount");
        d.Pages().setCurrentIndex(2);
        d.Kind().FunctionButton().click();
        ChooseType(d.ResultType(), "Boolean");
        AddParameter(d.ParameterList(), "Count", "Integer");
        d.ClickOK();
    });
    const TemgProceduralType* onCount = Common().ProceduralTypes().Find("TOnCount");
    ASSERT_NE(onCount, nullptr);
    EXPECT_EQ(onCount->DeclarationText(), "TOnCount=function(Count:Integer):Boolean of object;");
    EXPECT_EQ(NodeImage(Node(onCount)), 17);
    EXPECT_EQ(dialogs.Messages().size(), 4u);  // the refusals only

    // Every new type is offered by the type fields.
    TfrDataTypes types;
    types.SetModule(Module());
    for (const char* name : {"THandle", "TColorKind", "TOnCount", "Integer"})
        EXPECT_GE(types.Combo().findText(name), 0) << name;
}

TEST_F(TypeEditorsTest, RegisterInATypeFieldShowsTheNewTypeInTheTree) {
    Trigger("actNewProperty");
    auto& editor = CurrentEditor<TfrPropertyEditor>();
    editor.DataTypes().SetTypeName("TMoney");
    Playing<TedRegisterDataType>(
        [&](TedRegisterDataType& dialog) {
            EXPECT_EQ(dialog.Appellation().Name(), "TMoney");  // the typed name
            dialog.Pages().setCurrentIndex(1);
            AddValue(dialog.ValueList(), "mnEuro");
            dialog.ClickOK();
        },
        [&] { EXPECT_TRUE(editor.DataTypes().Register()); });
    EXPECT_NE(Node(Module().EnumTypes().Items(0)), nullptr);
    EXPECT_GE(editor.DataTypes().Combo().findText("TMoney"), 0);
    const QComboBox& defaults = editor.DefaultValue().Choices();  // its values, at once
    EXPECT_TRUE(!defaults.isHidden() && defaults.findText("mnEuro") >= 0);

    editor.DataTypes().Register();
    EXPECT_EQ(LastMessage(), "Type 'TMoney' is already registered");
}

// --- The type editors ------------------------------------------------------------------------------

// Each type editor refuses a bad name and the name of another type of its kind in the module, and
// writes nothing.
TEST_F(TypeEditorsTest, TheTypeEditorsRefuseBadAndTakenNames) {
    TgmcEnumType& colors = ColorKind();
    Module().CreateEnumType("TShape", "", {"skRound"});
    TemgProceduralType& step = Module().CreateProceduralType("TOnStep", "", TemgDataType(), TemgParameters(), mcProcedure);
    TemgRegisteredDataType& handle = Module().CreateRegisteredType("THandle", "", "", false);
    Module().CreateRegisteredType("TWindow", "", "", false);
    ShowTypes();
    struct Case {
        const TPersistent* type;
        QString name;
        std::string message;
    };
    for (const Case& c : {Case{&colors, "1Color", "The field value is not an identifier"},
                          Case{&colors, "TShape", "Name TShape is not unique"},
                          Case{&step, "1Step", "The field value is not an identifier"},
                          Case{&handle, "twindow", "Name twindow is not unique"},
                          Case{&handle, "9Handle", "The field value is not an identifier"}}) {
        Select(&Entry());
        Select(c.type);
        const QString caption = Node(c.type)->text(0);
        TypeName(c.name);
        Window().Editors().CurrentEditor()->ClickApply();
        EXPECT_EQ(LastMessage(), c.message);
        EXPECT_EQ(Node(c.type)->text(0), caption);
        Window().Editors().CurrentEditor()->ClickCancel();
        Settle();
    }
    EXPECT_EQ(colors.GetName(), "TColorKind");
    EXPECT_EQ(step.GetName(), "TOnStep");
    EXPECT_EQ(handle.GetName(), "THandle");
}

// --- Enumerated types ------------------------------------------------------------------------------

// Apply writes name and values and keeps the editor open, taking the references to the renamed
// type along; OK writes a deleted value.
TEST_F(TypeEditorsTest, TheEnumEditorWritesNameAndValuesAndRenamesTheReferences) {
    TgmcEnumType& type = ColorKind();
    TemgProperty& property = *Module().MainClass().Properties().Add();
    property.SetName("Color");
    property.DataType().SetName("tcolorkind");
    property.DataType().SetCategory(dtEnum);
    Select(&type);
    auto& editor = CurrentEditor<TfrEnumDataTypeEditor>();
    EXPECT_EQ(editor.ValueList().List().topLevelItemCount(), 2);
    TypeName("TColour");
    AddValue(editor.ValueList(), "ckGreen", "grass");
    editor.ClickApply();
    EXPECT_EQ(SettledEditor(), &editor);
    EXPECT_EQ(LastMessage(), "");
    EXPECT_EQ(type.GetName(), "TColour");
    ASSERT_EQ(type.Values().Count(), 3);
    EXPECT_EQ(type.Values().Items(2)->GetCaption(), "grass");
    EXPECT_EQ(Node(&type)->text(0), "TColour");
    EXPECT_EQ(property.DataType().GetName(), "TColour");
    EXPECT_EQ(property.DataType().GetCategory(), dtEnum);

    editor.ValueList().Select(0);
    editor.ValueList().DoDelete();
    editor.ClickOK();
    EXPECT_EQ(type.Values().Count(), 2);
    EXPECT_EQ(type.Values().Items(0)->GetName(), "ckBlue");
}

// A value name repeats neither in the type nor in another enumerated type of the module, and a
// type keeps at least one value; Cancel drops the edits of the values.
TEST_F(TypeEditorsTest, TheEnumEditorRefusesRepeatedValuesAndNoValuesAndCancelDropsValueEdits) {
    Module().CreateEnumType("TShape", "", {"skRound"});
    TgmcEnumType& type = ColorKind();
    type.SetModified(false);
    Select(&type);
    auto& editor = CurrentEditor<TfrEnumDataTypeEditor>();
    for (const char* clash : {"CKBLUE", "skRound"}) {
        AddValue(editor.ValueList(), clash, {}, true);
        EXPECT_EQ(LastMessage(), std::string("Name ") + clash + " is not unique");
    }
    EXPECT_EQ(editor.ValueList().List().topLevelItemCount(), 2);
    for (int i = 0; i < 2; ++i) {
        editor.ValueList().Select(0);
        editor.ValueList().DoDelete();
    }
    editor.ClickApply();
    EXPECT_EQ(LastMessage(), "There must be at least one value of enumerated type");

    AddValue(editor.ValueList(), "ckGreen");
    editor.ValueList().Select(0);
    Playing<TedEnumValue>(
        [&](TedEnumValue& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Value");
            TypeInto(dialog.Appellation().NameEdit().Edit(), "ckScarlet");
            dialog.ClickOK();
        },
        [&] { editor.ValueList().DoEdit(); });
    EXPECT_EQ(editor.ValueList().List().topLevelItem(0)->text(0), "ckScarlet");
    editor.ClickCancel();
    EXPECT_EQ(SettledEditor(), nullptr);
    ASSERT_EQ(type.Values().Count(), 2);
    EXPECT_EQ(type.Values().Items(0)->GetName(), "ckRed");
    EXPECT_FALSE(type.GetModified());
}

// --- Procedural types ------------------------------------------------------------------------------

// A parameter without default after one with a default is refused; Cancel keeps the type; OK
// writes name, kind, result and parameters.
TEST_F(TypeEditorsTest, TheProceduralTypeEditorWritesKindResultAndParameters) {
    TemgProceduralType& type = Module().CreateProceduralType("TOnStep", "", TemgDataType(), TemgParameters(), mcProcedure);
    type.SetModified(false);
    ShowTypes();
    Select(&type);
    auto* editor = &CurrentEditor<TfrProceduralDataTypeEditor>();
    EXPECT_FALSE(editor->ResultType().Combo().isEnabled());
    AddParameter(editor->ParameterList(), "a", "Integer", "0");
    AddParameter(editor->ParameterList(), "b", "Integer");
    editor->ClickApply();
    EXPECT_EQ(LastMessage(), "Parameter with default value has wrong order");
    EXPECT_EQ(type.Parameters().Count(), 0);
    editor->Kind().FunctionButton().click();
    editor->ClickCancel();
    Settle();
    EXPECT_EQ(type.GetMethodCategory(), mcProcedure);
    EXPECT_EQ(type.Parameters().Count(), 0);
    EXPECT_FALSE(type.GetModified());

    Select(&Entry());
    Select(&type);
    editor = &CurrentEditor<TfrProceduralDataTypeEditor>();
    TypeName("TOnStepped");
    editor->Kind().FunctionButton().click();
    ChooseType(editor->ResultType(), "Boolean");
    AddParameter(editor->ParameterList(), "Step", "Integer");
    editor->ClickOK();
    EXPECT_EQ(type.DeclarationText(), "TOnStepped=function(Step:Integer):Boolean of object;");
    EXPECT_EQ(Node(&type)->text(0), "TOnStepped");
    EXPECT_EQ(NodeImage(Node(&type)), 17);
}

// --- Registered types ------------------------------------------------------------------------------

TEST_F(TypeEditorsTest, TheRegisteredTypeEditorWritesUnitAndKindAndASystemTypeOpensReadOnly) {
    TemgRegisteredDataType& type = Module().CreateRegisteredType("THandle", "", "", false);
    ShowTypes();
    Select(&type);
    auto& editor = CurrentEditor<TfrRegisteredDataTypeEditor>();
    TypeName("TNotify");
    TypeInto(editor.UnitEdit().Edit(), "Classes");
    editor.ProceduralBox().click();
    editor.ClickOK();
    EXPECT_EQ(type.GetName(), "TNotify");
    EXPECT_EQ(type.GetModuleName(), "Classes");
    EXPECT_TRUE(type.GetProceduralType());
    EXPECT_EQ(Node(&type)->text(0), "TNotify");
    EXPECT_EQ(NodeImage(Node(&type)), 18);

    // A system type opens read-only.
    Select(Window().Project().FirstModule().RegisteredDataTypes().Find("TQuery"));
    auto& system = CurrentEditor<TfrRegisteredDataTypeEditor>();
    EXPECT_TRUE(system.ReadOnly());
    EXPECT_TRUE(system.UnitEdit().Edit().isReadOnly());
    EXPECT_FALSE(system.ProceduralBox().isEnabled());
    EXPECT_EQ(system.UnitEdit().Text(), "DBTables");
}

}  // namespace
}  // namespace quillon::test
