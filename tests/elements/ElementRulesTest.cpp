// Default names of new elements, the identifier rule, member-name uniqueness and the refusals of
// a deletion.
#include <gtest/gtest.h>

#include "elements/ElementRules.h"
#include "elements/ElementTestSupport.h"
#include "elements/ProceduralTypes.h"
#include "elements/RegisteredTypes.h"
#include "platform/UserDialogs.h"
#include "source/SourceTypes.h"

namespace quillon {

using test::ExceptionMessage;

// The next number follows the largest of names and captions; events are procedural; methods and
// external properties are numbered apart (the referenced class's name does not count).
TEST(ElementNames, TheNextNumberFollowsTheLargestOfItsKindAndEmptyInvalidRepeatedAndReservedNamesAreRefused) {
    TemgProperties properties;
    EXPECT_EQ(NewProperty(properties).GetName(), "Property1");
    properties.Items(0)->SetName("Property3");
    properties.Add()->SetName("PropertyX");
    TemgProperty& fourth = NewProperty(properties);
    EXPECT_EQ(fourth.GetName(), "Property4");
    EXPECT_TRUE(fourth.GetModified());
    EXPECT_EQ(fourth.GetCaption(), "");
    fourth.SetCaption("Property7");
    EXPECT_EQ(NewProperty(properties).GetName(), "Property8");

    TemgProperties events;
    TemgProperty& event = NewEvent(events);
    EXPECT_EQ(event.GetName(), "Event1");
    EXPECT_EQ(event.DataType().GetCategory(), dtProcedural);
    EXPECT_TRUE(event.GetEvent());
    TemgMethods methods;
    methods.Add()->SetName("Method2");
    EXPECT_EQ(NewMethod(methods).GetName(), "Method3");
    TemgExternalClasses externals;
    TemgExternalClass& external = NewExternalClass(externals);
    EXPECT_EQ(external.GetPropertyName(), "ExternalProperty1");
    EXPECT_EQ(external.GetDisplayName(), "ExternalProperty1");
    external.SetName("ExternalProperty5");
    EXPECT_EQ(NewExternalClass(externals).GetPropertyName(), "ExternalProperty2");
    EXPECT_TRUE(IsValidIdent("_count2"));
    EXPECT_FALSE(IsValidIdent("2count"));
    EXPECT_FALSE(IsValidIdent("my count"));
    EXPECT_EQ(ExceptionMessage([] { CheckIdentifierField("Name", ""); }), "Please, fill in the field 'Name'");
    EXPECT_EQ(ExceptionMessage([] { CheckIdentifierField("Name", "a-b"); }), "The field value is not an identifier");
    EXPECT_EQ(ExceptionMessage([] { CheckIdentifierField("Name", "Run", [](std::string_view) { return false; }); }),
              "Name Run is not unique");
    EXPECT_NO_THROW(CheckIdentifierField("Name", "Run", [](std::string_view) { return true; }));
    for (const char* word : {"Label", "type", "FILE", "Set", "Object", "Property", "String", "inline", "xor"}) {
        EXPECT_TRUE(IsReservedWord(word)) << word;
        EXPECT_FALSE(IsValidIdent(word)) << word;
        EXPECT_EQ(ExceptionMessage([&] { CheckIdentifierField("Name", word); }), "The field value is not an identifier");
        EXPECT_EQ(NameFault(word), std::string("Name ") + word + " is a reserved word");
    }
    // Directives and the words only Free Pascal's Delphi mode reserves stay names.
    for (const char* word : {"bitpacked", "otherwise", "Private", "Read", "Labels", "Result"}) {
        EXPECT_TRUE(IsValidIdent(word)) << word;
        EXPECT_EQ(NameFault(word), "") << word;
    }
    EXPECT_EQ(NameFault("Count; Evil"), "Name Count; Evil is not an identifier");
    EXPECT_EQ(NameFault("Count", "the unit Classes"), "Name Count is taken by the generated code: the unit Classes");
}

// A class with a property Count, an event OnChange, a method Sum and an external property Shelf
// of the class Store.
class GeneratedNames : public ::testing::Test {
protected:
    GeneratedNames() {
        count.SetName("Count");
        change.SetName("OnChange");
        change.SetEvent(true);
        sum.SetName("Sum");
        shelf.SetName("Store");
        shelf.SetPropertyName("Shelf");
    }

    std::string Taker(std::string_view name, const TPersistent* member = nullptr) const {
        return GeneratedMemberTaker(design, member, name);
    }

    using Fault = std::pair<const TPersistent*, std::string>;
    // The faults of the class's member names, each with the member it is reported on.
    std::vector<Fault> Faults() const {
        std::vector<Fault> found;
        ClassScope(design).ForEachMemberNameFault(
            [&](const TPersistent& element, const std::string& message) { found.emplace_back(&element, message); });
        return found;
    }

    TemgClass design;
    TemgProperty& count = *design.Properties().Add();
    TemgProperty& change = *design.Events().Add();
    TemgMethod& sum = *design.Methods().Add();
    TemgExternalClass& shelf = *design.ExternalClasses().Add();
};

TEST_F(GeneratedNames, NamesDerivedFromMembersAndTheFixedMembersAreTakenAndReportedOnTheMemberWhoseNameIsTaken) {
    EXPECT_EQ(Taker("SetCount"), "the setter of property Count");
    EXPECT_EQ(Taker("getcount"), "the getter of property Count");
    EXPECT_EQ(Taker("FCount"), "the field of property Count");
    EXPECT_EQ(Taker("FSetCountMethod"), "the method pointer field of property Count");
    EXPECT_EQ(Taker("FOnChange"), "the field of event OnChange");
    EXPECT_EQ(Taker("FSumMethod"), "the method pointer field of method Sum");
    EXPECT_EQ(Taker("TSumMethod"), "the method pointer type of method Sum");
    EXPECT_EQ(Taker("CreateShelf"), "the creation method of external property Shelf");
    EXPECT_EQ(Taker("FreeShelf"), "the release method of external property Shelf");
    EXPECT_EQ(Taker("FStorePath"), "the library path field of class Store");
    for (const char* name : {"Create", "destroy", "AfterConstruction", "BeforeDestruction", "InitInstance",
                             "FindInstance", "FreeInstance", "SetDLLsPaths", "DllName", "DllExists", "LibraryPath",
                             "SetApplicationHandle", "ChangeConnection"})
        EXPECT_NE(Taker(name), "") << name;
    EXPECT_EQ(Taker("Counter"), "");
    EXPECT_EQ(Taker("Sum"), "");
    // A member's own derived names do not count while it is being named.
    EXPECT_EQ(Taker("FCount", &count), "");
    TemgMethod& setCount = *design.Methods().Add();
    setCount.SetName("SetCount");
    TemgParameter& parameter = *sum.Parameters().Add();
    parameter.SetName("Type");
    shelf.SetPropertyName("Count; Evil");
    const std::string taken = "Name SetCount is taken by the generated code: the setter of property Count";
    EXPECT_EQ(Faults(), (std::vector<Fault>{{&parameter, "Name Type is a reserved word"},
                                            {&setCount, taken},
                                            {&shelf, "Name Count; Evil is not an identifier"}}));
    // A system member keeps its name: the member that takes it answers.
    setCount.SetSettings({isSystemItem});
    const std::vector<Fault> faults = Faults();
    ASSERT_EQ(faults.size(), 3U);
    EXPECT_EQ(faults[1], Fault(&count, taken));
}

// Enumeration values are written inside the generated classes as default values: the members in
// scope there take their names.
TEST_F(GeneratedNames, TheClassScopeHoldsOwnDerivedGeneratedAndInheritedMembersAndNamesDerivedFromTwoMayNotMeet) {
    const ClassScope scope(design);
    const auto taker = [&](std::string_view name) { return scope.Taker(name); };
    EXPECT_EQ(taker("count"), "the property Count");
    EXPECT_EQ(taker("OnChange"), "the event OnChange");
    EXPECT_EQ(taker("Sum"), "the method Sum");
    EXPECT_EQ(taker("Shelf"), "the external property Shelf");
    EXPECT_EQ(taker("GetCount"), "the getter of property Count");
    EXPECT_EQ(taker("FindInstance"), "the generated member FindInstance");
    EXPECT_EQ(taker("CLASSNAME"), "the inherited member ClassName");
    EXPECT_EQ(taker("self"), "the object of every method");
    for (const char* name : {"Free", "Name", "Owner", "Tag", "Components", "Controller", "Assign"})
        EXPECT_NE(taker(name), "") << name;
    EXPECT_EQ(taker("Counter"), "");
    TemgMethod& createQuery = *design.Methods().Add();
    createQuery.SetName("CreateQuery");
    TemgProperty& routine = *design.Events().Add();
    routine.SetName("CreateQueryMethod");
    routine.SetEvent(true);
    // Reported once, on the later member (methods come after events); a system member keeps its
    // names.
    const std::string taken = "Name FCreateQueryMethod is taken by the generated code: ";
    EXPECT_EQ(Faults(), (std::vector<Fault>{{&createQuery, taken + "the field of event CreateQueryMethod"}}));
    createQuery.SetSettings({isSystemItem, isDSC});
    EXPECT_EQ(Faults(), (std::vector<Fault>{{&routine, taken + "the method pointer field of method CreateQuery"}}));
    // The database support's own pair shares the routine variable on purpose.
    routine.SetSettings({isSystemItem, isDSC});
    EXPECT_TRUE(Faults().empty());
    // Two external properties of one class share its library path field.
    TemgExternalClass& second = *design.ExternalClasses().Add();
    second.SetName("Store");
    second.SetPropertyName("Backroom");
    EXPECT_TRUE(Faults().empty());
}

// Names taken apart differently meet: the later of the two members is reported (the member
// itself when its own name is taken), or none.
TEST_F(GeneratedNames, DerivedNamesOfDifferentSpellingsMeetAcrossKindsOfMember) {
    const std::string taken = " is taken by the generated code: ";
    const struct {
        char kind;  // p property, e event, m method, x external property of the class Store
        const char* name;
        char on;    // a: the added member, s: the method Sum, t: the external property Shelf
        std::string fault;
    } cases[] = {
        {'p', "LibraryPath", 'a', "Name LibraryPath" + taken + "the generated member LibraryPath"},
        {'p', "OldLibraryPath", 'a', ""},
        {'p', "StorePath", 't', "Name FStorePath" + taken + "the field of property StorePath"},
        {'p', "GetCountMethod", 'a', "Name FGetCountMethod" + taken + "the method pointer field of property Count"},
        {'e', "tsetcountmethod", 'a', "Name tsetcountmethod" + taken + "the method pointer type of property Count"},
        {'p', "setcountmethod", 'a', "Name Fsetcountmethod" + taken + "the method pointer field of property Count"},
        {'p', "SumMethod", 's', "Name FSumMethod" + taken + "the field of property SumMethod"},
        {'x', "reeShelf", 'a', "Name FreeShelf" + taken + "the release method of external property Shelf"},
        {'e', "Count", 'a', "Name FCount" + taken + "the field of property Count"},
        {'p', "InstanceID", 'a', "Name FInstanceID" + taken + "the generated member FInstanceID"},
    };
    for (const auto& c : cases) {
        TemgClass named;
        named.Properties().Add()->SetName("Count");
        TemgMethod& sum = *named.Methods().Add();
        sum.SetName("Sum");
        TemgExternalClass& store = *named.ExternalClasses().Add();
        store.SetName("Store");
        store.SetPropertyName("Shelf");
        TemgAppellationItem* added = nullptr;
        if (c.kind == 'x') {
            TemgExternalClass& external = *named.ExternalClasses().Add();
            external.SetName("Store");
            external.SetPropertyName(c.name);
            added = &external;
        } else {
            if (c.kind == 'm') added = named.Methods().Add();
            if (c.kind == 'p') added = named.Properties().Add();
            if (c.kind == 'e') (added = named.Events().Add()), static_cast<TemgProperty*>(added)->SetEvent(true);
            added->SetName(c.name);
        }
        std::vector<Fault> found;
        ClassScope(named).ForEachMemberNameFault(
            [&](const TPersistent& element, const std::string& message) { found.emplace_back(&element, message); });
        const TPersistent* on = c.on == 's' ? static_cast<const TPersistent*>(&sum) : c.on == 't' ? &store : added;
        const std::vector<Fault> expected = c.fault.empty() ? std::vector<Fault>{} : std::vector<Fault>{{on, c.fault}};
        EXPECT_EQ(found, expected) << c.name;
    }
}

TEST(ElementNames, UnitAndProgramNamesAreTakenUntypedMembersReportedAndMemberNamesUniqueAcrossKinds) {
    for (const char* name :
         {"Classes", "windows", "SysUtils", "Forms", "DB", "Types", "ComObj", "System", "math", "SyncObjs"})
        EXPECT_NE(UnitNameTaker(name, {}), "") << name;
    EXPECT_EQ(UnitNameTaker("classes", {}), "the unit Classes");
    EXPECT_EQ(UnitNameTaker("Money", {"MoneyTypes"}), "");
    EXPECT_EQ(UnitNameTaker("moneytypes", {"MoneyTypes"}), "the unit MoneyTypes");
    // The units those use in turn: Types uses Math, Classes TypInfo, SysUtils the platform's units.
    for (const char* name : {"Math", "typinfo", "RTLConsts", "SyncObjs", "Printers", "BaseUnix", "ObjPas"})
        EXPECT_NE(UnitNameTaker(name, {}), "") << name;
    EXPECT_EQ(UnitNameTaker("MATH", {}), "the run-time unit Math");
    EXPECT_EQ(UnitNameTaker("Mathematics", {}), "");
    // A program's name is an identifier of its own scope: its units and the application object its
    // main block calls are taken.
    // The application object is qualified by its unit: a program may bear its name, not the unit's.
    const std::vector<std::string> units{"Forms", "cntrCalc", "Calc"};
    EXPECT_EQ(ProgramNameTaker("CALC", units), "the unit Calc");
    EXPECT_EQ(ProgramNameTaker("cntrcalc", units), "the unit cntrCalc");
    EXPECT_EQ(ProgramNameTaker("application", units), "");
    EXPECT_EQ(ProgramNameTaker("win32check", {}), "the run-time routine Win32Check");
    EXPECT_EQ(ProgramNameTaker("Classes", {}), "the unit Classes");
    EXPECT_EQ(ProgramNameTaker("Math", {}), "the run-time unit Math");
    EXPECT_EQ(ProgramNameTaker("DebugCalc", units), "");
    TemgClass design;
    TemgProperty& property = *design.Properties().Add();
    property.SetName("Property1");
    TemgProperty& typed = *design.Properties().Add();
    typed.DataType().SetName("Integer");
    TemgProperty& event = *design.Events().Add();
    TemgMethod& procedure = *design.Methods().Add();  // a procedure needs no result type
    TemgParameter& parameter = *procedure.Parameters().Add();
    TemgMethod& function = *design.Methods().Add();
    function.SetCategory(mcFunction);
    std::vector<const TemgDataTypeItem*> untyped;
    ForEachUntypedMember(design, [&](const TemgDataTypeItem& item) { untyped.push_back(&item); });
    EXPECT_EQ(untyped, (std::vector<const TemgDataTypeItem*>{&property, &event, &parameter, &function}));

    TemgProceduralType type;
    type.SetMethodCategory(mcFunction);
    type.Parameters().Add()->DataType().SetName("Integer");
    untyped.clear();
    ForEachUntypedPart(type, [&](const TemgDataTypeItem& item) { untyped.push_back(&item); });
    EXPECT_EQ(untyped, (std::vector<const TemgDataTypeItem*>{&type}));
    TemgProperty* run = design.Properties().Add();
    run->SetName("Run");
    run->SetCaption("Runs it");
    design.Events().Add()->SetName("OnRun");
    TemgExternalClass* external = design.ExternalClasses().Add();
    external->SetName("Stock");
    external->SetPropertyName("StockItems");

    EXPECT_FALSE(design.IsMemberNameUnique(nullptr, "run", 0));
    EXPECT_FALSE(design.IsMemberNameUnique(nullptr, "ONRUN", 0));
    EXPECT_FALSE(design.IsMemberNameUnique(nullptr, "stockitems", 0));
    EXPECT_TRUE(design.IsMemberNameUnique(nullptr, "Stock", 0));
    EXPECT_FALSE(design.IsMemberNameUnique(nullptr, "runs it", 1));
    // The item being edited may keep its own name.
    EXPECT_TRUE(design.IsMemberNameUnique(run, "Run", 0));
}

class Deletion : public ::testing::Test {
protected:
    Deletion() {
        AddBuiltInRegisteredTypes(registered);
        TemgRegisteredDataType* grid = registered.Add();
        grid->SetName("TGrid");
        registered.SetModified(false);
    }
    // Finds references to the names in `referenced`.
    ReferenceSearch Search(std::vector<std::string> referenced) {
        return [this, referenced](const TgmcAppellation& name, TStringList& found) {
            ++searches;
            for (const std::string& r : referenced)
                if (r == name.GetName()) found.Add(r);
        };
    }
    TemgRegisteredDataType& Type(std::string_view name) {
        return *const_cast<TemgRegisteredDataType*>(registered.Find(name));
    }

    TemgRegisteredDataTypes registered;
    int searches = 0;
    ScriptedDialogs dialogs;
    ScopedDialogs scope{dialogs};
};

TEST_F(Deletion, ASystemItemIsRefusedBeforeAnyReferenceSearchAReferencedTypeAfterItAndTheRestOnTheUsersWord) {
    EXPECT_EQ(ExceptionMessage([&] { DeleteElement(Type("TQuery"), "TQuery", Search({})); }),
              "Current item is system. Action is forbidden");
    EXPECT_EQ(searches, 0);
    EXPECT_TRUE(dialogs.Questions().empty());
    // A referenced type is refused.
    EXPECT_EQ(ExceptionMessage([&] { DeleteElement(Type("TGrid"), "TGrid", Search({"TGrid"})); }),
              "Deletion forbidden, because there are references to the deleted item");
    EXPECT_NE(registered.Find("TGrid"), nullptr);

    TgmcEnumTypes enums;
    enums.Add()->SetName("TKind");
    EXPECT_EQ(ExceptionMessage([&] { CheckDeletion(*enums.Items(0), Search({"TKind"})); }),
              "Deletion forbidden, because there are references to the deleted item");
    // Otherwise the user confirms, and the collection remembers the change.
    dialogs.QueueAnswer(DialogAnswer::No);
    EXPECT_FALSE(DeleteElement(Type("TGrid"), "TGrid node", Search({})));
    EXPECT_NE(registered.Find("TGrid"), nullptr);

    dialogs.QueueAnswer(DialogAnswer::Yes);
    EXPECT_TRUE(DeleteElement(Type("TGrid"), "TGrid node", Search({})));
    EXPECT_EQ(registered.Find("TGrid"), nullptr);
    EXPECT_TRUE(registered.GetModified());
    EXPECT_EQ(dialogs.Questions(), (std::vector<std::string>{"Delete 'TGrid node'?", "Delete 'TGrid node'?"}));

    // Members are not searched for references.
    TemgMethods methods;
    methods.Add()->SetName("Run");
    dialogs.QueueAnswer(DialogAnswer::Yes);
    EXPECT_TRUE(DeleteElement(*methods.Items(0), "Run", Search({"Run"})));
}

}  // namespace quillon
