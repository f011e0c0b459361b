#include "elements/ElementRules.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "elements/ElementMessages.h"
#include "elements/ProceduralTypes.h"
#include "elements/RegisteredTypes.h"
#include "platform/Exception.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "platform/UserDialogs.h"
#include "source/SourceTypes.h"

namespace quillon {

std::string DefaultElementName(TModifiedCollection& collection, std::string_view baseWord,
                               std::string_view captionWord) {
    const long long number =
        std::max(NextNumber(&collection, baseWord, 0), NextNumber(&collection, captionWord, 1));
    return std::string(baseWord) + std::to_string(number);
}

namespace {

// The name is computed before the item joins the collection; the new item has none anyway.
template <class Item, class Collection>
Item& NewNamedElement(Collection& collection, std::string_view baseWord, std::string_view captionWord) {
    const std::string name = DefaultElementName(collection, baseWord, captionWord);
    Item* item = collection.Add();
    item->SetName(name);
    item->SetModified(true);
    return *item;
}

}  // namespace

TemgProperty& NewProperty(TemgProperties& properties) {
    return NewNamedElement<TemgProperty>(properties, "Property", kPropertyCaptionWord);
}

TemgProperty& NewEvent(TemgProperties& events) {
    TemgProperty& event = NewNamedElement<TemgProperty>(events, "Event", kEventCaptionWord);
    event.SetEvent(true);
    event.DataType().SetCategory(dtProcedural);
    return event;
}

TemgMethod& NewMethod(TemgMethods& methods) {
    return NewNamedElement<TemgMethod>(methods, "Method", kMethodCaptionWord);
}

TemgExternalClass& NewExternalClass(TemgExternalClasses& externalClasses) {
    const std::string propertyName = UniqueText(&externalClasses, "ExternalProperty", 0);
    TemgExternalClass* external = externalClasses.Add();
    external->SetPropertyName(propertyName);
    external->SetModified(true);
    return *external;
}

bool IsReservedWord(std::string_view word) {
    // The reserved words of Delphi 7, the target's compiler. Words that only Free Pascal's Delphi
    // mode reserves besides (bitpacked, otherwise) stay allowed: the target accepts them as names.
    static constexpr std::array<std::string_view, 65> kReservedWords{
        "and",          "array",          "as",        "asm",           "begin",     "case",
        "class",        "const",          "constructor", "destructor",  "dispinterface", "div",
        "do",           "downto",         "else",      "end",           "except",    "exports",
        "file",         "finalization",   "finally",   "for",           "function",  "goto",
        "if",           "implementation", "in",        "inherited",     "initialization", "inline",
        "interface",    "is",             "label",     "library",       "mod",       "nil",
        "not",          "object",         "of",        "or",            "out",       "packed",
        "procedure",    "program",        "property",  "raise",         "record",    "repeat",
        "resourcestring", "set",          "shl",       "shr",           "string",    "then",
        "threadvar",    "to",             "try",       "type",          "unit",      "until",
        "uses",         "var",            "while",     "with",          "xor"};
    return std::any_of(kReservedWords.begin(), kReservedWords.end(),
                       [&](std::string_view reserved) { return SameText(reserved, word); });
}

bool IsValidIdent(std::string_view text) {
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (text.empty() || !isLetter(text.front())) return false;
    return std::all_of(text.begin() + 1, text.end(), [&](char c) { return isLetter(c) || (c >= '0' && c <= '9'); }) &&
           !IsReservedWord(text);
}

namespace {

// A name the generated code declares, what declares it, and the member it is derived from (none
// for the names every generated class or library declares). What declares it is kept in parts
// ("the getter", " of property ", "Count") that point into the class's names and are joined only
// for the name that is taken: a class derives some 7 names a member, and most are never asked.
struct TakenName {
    std::string name;
    std::string_view what;
    std::string_view of;
    std::string_view owner;
    const TPersistent* source = nullptr;

    std::string Taker() const { return std::string(what).append(of).append(owner); }
};

// The members, fields and types that the generator derives from the class's members and declares
// beside them in the server, controller, interface and library units.
std::vector<TakenName> DerivedNames(const TemgClass& cls) {
    std::vector<TakenName> names;
    names.reserve(7 * static_cast<std::size_t>(cls.Properties().Count() + cls.Events().Count()) +
                  2 * static_cast<std::size_t>(cls.Methods().Count()) +
                  5 * static_cast<std::size_t>(cls.ExternalClasses().Count()) + 32);
    const auto add = [&](std::string name, std::string_view what, std::string_view of, std::string_view owner,
                         const TPersistent* source) {
        names.push_back({std::move(name), what, of, owner, source});
    };
    for (const TemgProperties* members : {&cls.Properties(), &cls.Events()})
        for (int i = 0; i < members->Count(); ++i) {
            const TemgProperty& member = *members->Items(i);
            const std::string& name = member.GetName();
            const std::string_view of = members == &cls.Events() ? " of event " : " of property ";
            add("F" + name, "the field", of, name, &member);
            add("Get" + name, "the getter", of, name, &member);
            add("Set" + name, "the setter", of, name, &member);
            for (const char* accessor : {"Get", "Set"}) {
                add(std::string("F").append(accessor).append(name).append("Method"), "the method pointer field", of,
                    name, &member);
                add(std::string("T").append(accessor).append(name).append("Method"), "the method pointer type", of,
                    name, &member);
            }
        }
    for (int i = 0; i < cls.Methods().Count(); ++i) {
        const TemgMethod& method = *cls.Methods().Items(i);
        add("F" + method.GetName() + "Method", "the method pointer field", " of method ", method.GetName(), &method);
        add("T" + method.GetName() + "Method", "the method pointer type", " of method ", method.GetName(), &method);
    }
    for (int i = 0; i < cls.ExternalClasses().Count(); ++i) {
        const TemgExternalClass& external = *cls.ExternalClasses().Items(i);
        const std::string& name = external.GetPropertyName();
        constexpr std::string_view of = " of external property ";
        add("F" + name, "the field", of, name, &external);
        add("Get" + name, "the getter", of, name, &external);
        add("Create" + name, "the creation method", of, name, &external);
        add("Free" + name, "the release method", of, name, &external);
        add("F" + external.GetName() + "Path", "the library path field", " of class ", external.GetName(), &external);
    }
    // What the generated server, controller and database support controller classes and the
    // library declare whatever the design holds.
    static constexpr std::string_view kGeneratedMembers[] = {
        "Create",          "CreateFromPath", "Destroy",         "AfterConstruction", "BeforeDestruction",
        "InitInstance",    "FindInstance",   "FreeInstance",    "SetDLLsPaths",      "FSetDLLsPathsMethod",
        "DllName",         "DllExists",      "LibraryPath",     "FLibraryPath",      "FLibrary",
        "FInstanceID",     "FServer",        "SetApplicationHandle", "ChangeConnection", "Database",
        "FDatabase",       "DoCloseDatabase", "OnChangeConnection", "FOnChangeConnection", "DatabaseName",
        "FDatabaseName",   "SetDatabaseName", "SessionName",    "FSessionName",      "SetSessionName"};
    for (std::string_view name : kGeneratedMembers) add(std::string(name), "the generated member ", "", name, nullptr);
    return names;
}

// A hash of `text` that ignores the case of ASCII letters (FNV-1a).
std::uint64_t CaseBlindHash(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (char c : text) {
        hash ^= static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

// The derived names of a class, looked up regardless of letter case: a class of n members
// derives some 7n names, and each member's name is looked up among them.
class TakenNames {
public:
    explicit TakenNames(const TemgClass& cls) : names_(DerivedNames(cls)) {
        order_.reserve(names_.size());
        for (std::size_t i = 0; i < names_.size(); ++i) order_.emplace_back(CaseBlindHash(names_[i].name), i);
        // By hash, and of equal hashes in the order derived: the name derived first answers.
        std::sort(order_.begin(), order_.end());
    }

    // The first name derived equal to `name` but for case, other than one derived from `member`.
    const TakenName* Find(const TPersistent* member, std::string_view name) const {
        const std::uint64_t hash = CaseBlindHash(name);
        for (auto at = std::lower_bound(order_.begin(), order_.end(), std::make_pair(hash, std::size_t{0}));
             at != order_.end() && at->first == hash; ++at) {
            const TakenName& taken = names_[at->second];
            if (SameText(taken.name, name) && (!member || taken.source != member)) return &taken;
        }
        return nullptr;
    }

private:
    std::vector<TakenName> names_;
    std::vector<std::pair<std::uint64_t, std::size_t>> order_;
};

}  // namespace

std::string GeneratedMemberTaker(const TemgClass& cls, const TPersistent* member, std::string_view name) {
    const TakenNames derived(cls);
    const TakenName* taken = derived.Find(member, name);
    return taken ? taken->Taker() : std::string();
}

const std::vector<std::string_view>& GeneratedCodeUnits() {
    // The units the generated units, libraries and debug applications use, and the units every
    // program has implicitly.
    static const std::vector<std::string_view> units{
        "System",   "SysInit",  "Windows",  "Messages", "Classes",  "SysUtils",    "Variants",
        "Types",    "Forms",    "Controls", "StdCtrls", "ExtCtrls", "Graphics",    "Dialogs",
        "DB",       "DBTables", "ComObj",   "ComServ",  "ActiveX",  "ShareMem",    "DLLServerCollection",
        "eduPasswordDlg"};
    return units;
}

const std::vector<std::string_view>& GeneratedCodeTypes() {
    static const std::vector<std::string_view> types{
        "TObject",    "TPersistent", "TComponent", "TInterfacedObject", "TComObject", "TAutoObject",
        "TDataModule", "TForm",      "TDataSet",   "TDatabase",         "TSession",   "TQuery",
        "TTable",     "TStoredProc", "TStrings",   "TStringList",       "TGUID",      "THandle",
        "TCloseAction", "TButton",   "TLabel",     "TMemo",             "TPanel",     "TComboBox",
        "TScrollBox", "TSplitter",   "TDLLServer", "IUnknown",          "IDispatch",  "Exception"};
    return types;
}

std::string UnitNameTaker(std::string_view name, const std::vector<std::string>& typeUnits) {
    for (std::string_view unit : GeneratedCodeUnits())
        if (SameText(unit, name)) return "the unit " + std::string(unit);
    for (const std::string& unit : typeUnits)
        if (SameText(unit, name)) return "the unit " + unit;
    return {};
}

std::string NameFault(std::string_view name, std::string_view taker) {
    if (IsReservedWord(name)) return Format(kNameReservedWord, name);
    if (!IsValidIdent(name)) return Format(kNameNotIdentifier, name);
    if (!taker.empty()) return Format(kNameTaken, name, taker);
    return {};
}

void ForEachMemberNameFault(const TemgClass& cls, const NameFaultReport& report) {
    const TakenNames derived(cls);
    const auto check = [&](const TPersistent& member, const std::string& name, bool system) {
        const TakenName* taken = derived.Find(&member, name);
        // A system member keeps its name: the member the clashing name is derived from answers.
        if (system && taken && taken->source) {
            report(*taken->source, NameFault(name, taken->Taker()));
            return;
        }
        if (const std::string fault = NameFault(name, taken ? taken->Taker() : std::string()); !fault.empty())
            report(member, fault);
    };
    for (const TemgProperties* members : {&cls.Properties(), &cls.Events()})
        for (int i = 0; i < members->Count(); ++i)
            check(*members->Items(i), members->Items(i)->GetName(), members->Items(i)->IsSystemItem());
    for (int i = 0; i < cls.Methods().Count(); ++i) {
        const TemgMethod& method = *cls.Methods().Items(i);
        check(method, method.GetName(), method.IsSystemItem());
        for (int j = 0; j < method.Parameters().Count(); ++j) {
            const TemgParameter& parameter = *method.Parameters().Items(j);
            // A function's body declares Result, and every method's body Self: a parameter of one
            // of these names repeats it or is passed on as the object instead.
            const bool result = method.GetCategory() == mcFunction && SameText(parameter.GetName(), "Result");
            const bool self = SameText(parameter.GetName(), "Self");
            const std::string taker = result ? "the result of function " + method.GetName()
                                      : self ? "the object of method " + method.GetName()
                                             : std::string();
            if (const std::string fault = NameFault(parameter.GetName(), taker); !fault.empty()) report(parameter, fault);
        }
    }
    for (int i = 0; i < cls.ExternalClasses().Count(); ++i) {
        const TemgExternalClass& external = *cls.ExternalClasses().Items(i);
        check(external, external.GetPropertyName(), false);
    }
}

namespace {

bool Untyped(const TemgDataTypeItem& item) { return item.DataType().GetName().empty(); }

void ForEachUntypedParameter(const TemgParameters& parameters,
                             const std::function<void(const TemgDataTypeItem&)>& report) {
    for (int i = 0; i < parameters.Count(); ++i)
        if (Untyped(*parameters.Items(i))) report(*parameters.Items(i));
}

}  // namespace

void ForEachUntypedMember(const TemgClass& cls, const std::function<void(const TemgDataTypeItem&)>& report) {
    for (const TemgProperties* members : {&cls.Properties(), &cls.Events()})
        for (int i = 0; i < members->Count(); ++i)
            if (Untyped(*members->Items(i))) report(*members->Items(i));
    for (int i = 0; i < cls.Methods().Count(); ++i) {
        const TemgMethod& method = *cls.Methods().Items(i);
        if (method.GetCategory() == mcFunction && Untyped(method)) report(method);
        ForEachUntypedParameter(method.Parameters(), report);
    }
}

void ForEachUntypedPart(const TemgProceduralType& type, const std::function<void(const TemgDataTypeItem&)>& report) {
    if (type.GetMethodCategory() == mcFunction && Untyped(type)) report(type);
    ForEachUntypedParameter(type.Parameters(), report);
}

void CheckIdentifierField(std::string_view label, std::string_view value,
                          const std::function<bool(std::string_view)>& isUnique) {
    if (value.empty()) throw Exception(Format(kFillInField, label));
    if (!IsValidIdent(value)) throw Exception(std::string(kNotAnIdentifier));
    if (isUnique && !isUnique(value)) throw Exception(Format(kNotUnique, label, value));
}

std::string ParametersRefusal(const TemgParameters& parameters) {
    if (!parameters.DefaultsInOrder()) return std::string(kDefaultsWrongOrder);
    for (int i = 0; i < parameters.Count(); ++i) {
        const TemgParameter& parameter = *parameters.Items(i);
        if (parameter.GetCategory() == pcVar && !parameter.GetDefaultValue().empty())
            return Format(kVarParameterDefault, parameter.GetName());
    }
    return {};
}

namespace {

// The appellation of a type that members refer to by name, or nullptr for other elements.
const TgmcAppellation* ReferencedTypeName(const TPersistent& element) {
    if (const auto* type = dynamic_cast<const TemgRegisteredDataType*>(&element)) return &type->Appellation();
    if (const auto* type = dynamic_cast<const TemgProceduralType*>(&element)) return &type->Appellation();
    if (const auto* type = dynamic_cast<const TgmcEnumType*>(&element)) return &type->Appellation();
    return nullptr;
}

}  // namespace

void CheckDeletion(const TPersistent& element, const ReferenceSearch& search) {
    if (const auto* item = dynamic_cast<const TemgAppellationItem*>(&element); item && item->HasSetting(isSystemItem))
        throw Exception(std::string(kItemIsSystem));
    if (const TgmcAppellation* name = ReferencedTypeName(element); name && search) {
        TStringList found;
        search(*name, found);
        if (found.Count() > 0) throw Exception(std::string(kDeletionForbidden));
    }
}

bool DeleteElement(TCollectionItem& element, std::string_view nodeText, const ReferenceSearch& search,
                   const std::function<void()>& beforeRemoving) {
    CheckDeletion(element, search);
    TCollection* collection = element.Collection();
    if (!collection) return false;
    if (Dialogs().Ask(Format(kDeleteQuestion, nodeText), AskButtons::YesNo) != DialogAnswer::Yes) return false;
    if (beforeRemoving) beforeRemoving();
    collection->Delete(element.Index());
    SetModifiedOf(collection, true);
    return true;
}

}  // namespace quillon
