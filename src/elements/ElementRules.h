// The rules the workbench applies when the user adds, names or deletes an element: default
// names of new properties, events, methods and external classes, the identifier rule of the
// editors, and the refusals of a deletion.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "elements/DesignClass.h"
#include "elements/ProceduralTypes.h"
#include "platform/TextIndex.h"

namespace quillon {

// `baseWord` followed by the larger of the next numbers of `baseWord` over the items' names and
// of `captionWord` over their captions ("Property4").
std::string DefaultElementName(TModifiedCollection& collection, std::string_view baseWord,
                               std::string_view captionWord);

// Append a new, modified element with its default name: "Property<n>", "Event<n>" (of a
// procedural type), "Method<n>".
TemgProperty& NewProperty(TemgProperties& properties);
TemgProperty& NewEvent(TemgProperties& events);
TemgMethod& NewMethod(TemgMethods& methods);
// Appends a new, modified external class with PropertyName "ExternalProperty<n>", numbered over
// the property names only.
TemgExternalClass& NewExternalClass(TemgExternalClasses& externalClasses);

// A reserved word of Delphi 7, in any letter case ("Label", "type", "STRING").
bool IsReservedWord(std::string_view word);

// An Object Pascal identifier: a letter or underscore, then letters, digits and underscores, and
// not a reserved word.
bool IsValidIdent(std::string_view text);

// What the generated code of `cls` declares under `name` beside the class's own members, as it
// is worded after "taken by the generated code: " ("the setter of property Count", "the
// generated member Create"), or empty when nothing does. `member` is the member being named: the
// names derived from it do not count. Compared without regard to case.
std::string GeneratedMemberTaker(const TemgClass& cls, const TPersistent* member, std::string_view name);

// The units that generated code uses by name: a module named like one of them would shadow it
// with its own database support controller unit.
const std::vector<std::string_view>& GeneratedCodeUnits();
// The units of the run-time library and the VCL, Delphi's and Free Pascal's, that the units in
// GeneratedCodeUnits use in turn (Types, Math, TypInfo, ...): a module's unit of one of these names
// is found before the library's own, and the units compiled against that one no longer fit.
const std::vector<std::string_view>& RunTimeUnits();
// "the unit Classes" when `name` is one of GeneratedCodeUnits or `typeUnits` (the units of the
// registered types the module can use), "the run-time unit Math" for one of RunTimeUnits, else
// what QualifierTaker says. Compared without regard to case.
std::string UnitNameTaker(std::string_view name, const std::vector<std::string>& typeUnits);

// Names in their order, the first of each name found through an index: the name rules ask the
// units of the registered types and the members of the debug forms for every value, and a design
// may register thousands of types with units or choose thousands of methods for a form.
class TNameList {
public:
    explicit TNameList(std::vector<std::string> names);
    // The first of the names that is `name` (without regard to case), or nullptr.
    const std::string* Find(std::string_view name) const;

private:
    std::vector<std::string> names_;
    TextMap<std::uint32_t> index_;
};
// UnitNameTaker with the units of the registered types in `typeUnits`.
std::string UnitNameTaker(std::string_view name, const TNameList& typeUnits);

// What takes `name` as the name of a generated program whose uses clause names `programUnits`: one
// of those units ("the unit Calc") or a unit of UnitNameTaker; the application object its main
// block calls is qualified. A program's name is an identifier of its own scope. Compared without
// regard to case.
std::string ProgramNameTaker(std::string_view name, const std::vector<std::string>& programUnits);

// The types of the run-time library and the VCL that generated code names (ancestors, fields,
// parameters): a type of the design named like one of them would hide it.
const std::vector<std::string_view>& GeneratedCodeTypes();

// The fault of a name that generated code declares, or empty: "Name %s is not an identifier",
// "Name %s is a reserved word", or, for a non-empty `taker`, "Name %s is taken by the generated
// code: %s".
std::string NameFault(std::string_view name, std::string_view taker = {});

using NameFaultReport = std::function<void(const TPersistent& element, const std::string& message)>;

class ClassNames;

// The names in the scope of the generated classes of `cls`: its members, the names generated code
// derives from them or declares in every class, and what the classes inherit. The derived names
// are gathered once, on the first question that needs them: ask while the class is unchanged.
// `cls` must outlive the scope.
class ClassScope {
public:
    explicit ClassScope(const TemgClass& cls);
    ~ClassScope();
    ClassScope(const ClassScope&) = delete;
    ClassScope& operator=(const ClassScope&) = delete;

    // Gathers the names now rather than on the first question: threads may then share the scope.
    void Gather() const;

    // Says what declares `name` where the generated classes are written with enumeration values
    // (default values of parameters and properties): one of the class's own members ("the method
    // Total"), a name GeneratedMemberTaker knows, or a member the classes inherit from the run-time
    // library ("the inherited member ClassName"); else empty. A value of that name would be read as
    // the member there. Compared without regard to case.
    std::string Taker(std::string_view name) const;

    // The length of the longest name of a property, event, method, external property or external
    // class.
    std::size_t LongestName() const;

    // Calls `visit(member, name)` for each property, event, method or external property, in that
    // order, whose name an earlier one has, without regard to case.
    void ForEachRepeatedMember(const std::function<void(const TPersistent& member, std::string_view name)>& visit) const;

    // Reports every name fault of the class's members (properties, events, methods, their
    // parameters, external properties) with the member it is about. `typeTaker`, when given, says
    // what takes a type name besides the class's members (the types of the module); the method
    // pointer types derived from members may not have such a name.
    void ForEachMemberNameFault(const NameFaultReport& report,
                                const std::function<std::string(std::string_view)>& typeTaker = {}) const;

private:
    // The class's members and the names derived from them, built on first use.
    const ClassNames& Names() const;

    const TemgClass& cls_;
    mutable std::unique_ptr<const ClassNames> names_;
};

// Reports every member of the class whose type is not set: a property or event, a parameter, or
// the result of a function.
void ForEachUntypedMember(const TemgClass& cls, const std::function<void(const TemgDataTypeItem&)>& report);
// The same for a procedural type: its parameters, and its result when it is a function.
void ForEachUntypedPart(const TemgProceduralType& type, const std::function<void(const TemgDataTypeItem&)>& report);

// The check of an editor's identifier field labelled `label`: raises "Please, fill in the field
// '%s'" for an empty value, "The field value is not an identifier", or, when `isUnique` is given
// and answers false, "%s %s is not unique".
void CheckIdentifierField(std::string_view label, std::string_view value,
                          const std::function<bool(std::string_view)>& isUnique = {});

// The parameter list's rule, shared by its editor and the project check: the first refusal of
// `parameters` ("Parameter with default value has wrong order", or a var parameter with a
// default), or empty when there is none.
std::string ParametersRefusal(const TemgParameters& parameters);

// Finds the references to a type over every module of the project: adds an entry to `found` for
// each reference whose name is `name`'s Name (the project's find-or-rename without renaming).
using ReferenceSearch = std::function<void(const TgmcAppellation& name, TStringList& found)>;

// Raises "Current item is system. Action is forbidden" for a system element, and, for a
// registered, enumerated or procedural type that `search` finds references to, "Deletion
// forbidden, because there are references to the deleted item".
void CheckDeletion(const TPersistent& element, const ReferenceSearch& search);

// The delete command: checks the deletion, asks "Delete '<nodeText>'?" and on Yes removes the
// element from its collection, which is marked modified so that saving writes the deletion.
// `beforeRemoving` runs after the Yes, while the element still exists (the workbench closes its
// editor there). Returns whether the element was deleted.
bool DeleteElement(TCollectionItem& element, std::string_view nodeText, const ReferenceSearch& search,
                   const std::function<void()>& beforeRemoving = {});

}  // namespace quillon
