#include "elements/ElementRules.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <unordered_set>
#include <utility>

#include "elements/ElementMessages.h"
#include "elements/ProceduralTypes.h"
#include "elements/RegisteredTypes.h"
#include "elements/RunTimeIdentifiers.h"
#include "platform/Exception.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "platform/TextIndex.h"
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
    // Every name of a design passes here, some more than once: looked up in a set, not compared
    // with each word in turn.
    static const std::unordered_set<std::string_view> kReservedSet(kReservedWords.begin(), kReservedWords.end());
    constexpr std::size_t kLongestReservedWord = 14;  // resourcestring
    return word.size() <= kLongestReservedWord && kReservedSet.count(LowerCase(word)) > 0;
}

bool IsValidIdent(std::string_view text) {
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (text.empty() || !isLetter(text.front())) return false;
    return std::all_of(text.begin() + 1, text.end(), [&](char c) { return isLetter(c) || (c >= '0' && c <= '9'); }) &&
           !IsReservedWord(text);
}

namespace {

bool IsSystemElement(const TPersistent* element) {
    const auto* item = dynamic_cast<const TemgAppellationItem*>(element);
    return item && item->HasSetting(isSystemItem);
}

}  // namespace

// How generated code derives a name from a member, and what it calls what it declares under it.
struct NameKind {
    std::string_view prefix;
    std::string_view suffix;
    std::string_view what;
    std::string_view of;
    // Declared once for every member that derives it (the library path field of a class).
    bool shared = false;
    // A type (a method pointer type) rather than a member.
    bool type = false;
};

enum TNameKind : std::uint8_t {
    nkPropertyField, nkPropertyGetter, nkPropertySetter, nkPropertyGetterField, nkPropertyGetterType,
    nkPropertySetterField, nkPropertySetterType,
    nkEventField, nkEventGetter, nkEventSetter, nkEventGetterField, nkEventGetterType, nkEventSetterField,
    nkEventSetterType,
    nkMethodField, nkMethodType,
    nkExternalField, nkExternalGetter, nkExternalCreation, nkExternalRelease, nkLibraryPathField,
    nkGeneratedMember
};

constexpr NameKind kNameKinds[] = {
    {"F", "", "the field", " of property "},
    {"Get", "", "the getter", " of property "},
    {"Set", "", "the setter", " of property "},
    {"FGet", "Method", "the method pointer field", " of property "},
    {"TGet", "Method", "the method pointer type", " of property ", false, true},
    {"FSet", "Method", "the method pointer field", " of property "},
    {"TSet", "Method", "the method pointer type", " of property ", false, true},
    {"F", "", "the field", " of event "},
    {"Get", "", "the getter", " of event "},
    {"Set", "", "the setter", " of event "},
    {"FGet", "Method", "the method pointer field", " of event "},
    {"TGet", "Method", "the method pointer type", " of event ", false, true},
    {"FSet", "Method", "the method pointer field", " of event "},
    {"TSet", "Method", "the method pointer type", " of event ", false, true},
    {"F", "Method", "the method pointer field", " of method "},
    {"T", "Method", "the method pointer type", " of method ", false, true},
    {"F", "", "the field", " of external property "},
    {"Get", "", "the getter", " of external property "},
    {"Create", "", "the creation method", " of external property "},
    {"Free", "", "the release method", " of external property "},
    {"F", "Path", "the library path field", " of class ", true},
    {"", "", "the generated member", " "}};

// A name the generated code declares: the kind's prefix, `subject` and the kind's suffix, and the
// member it is derived from (none for the names every generated class or library declares).
struct TakenName {
    std::string_view subject;
    const TPersistent* source = nullptr;
    TNameKind kind = nkGeneratedMember;

    const NameKind& Kind() const { return kNameKinds[kind]; }
    // "the setter of property Count", put together only for a fault.
    std::string Taker() const { return std::string(Kind().what).append(Kind().of).append(subject); }
    void Spell(std::string& spelling) const {
        spelling.assign(Kind().prefix).append(subject).append(Kind().suffix);
    }
    // Whether the name is spelt `name`, without regard to case.
    bool Spells(std::string_view name) const {
        const NameKind& kind = Kind();
        return name.size() == kind.prefix.size() + subject.size() + kind.suffix.size() &&
               SameText(name.substr(0, kind.prefix.size()), kind.prefix) &&
               SameText(name.substr(kind.prefix.size(), subject.size()), subject) &&
               SameText(name.substr(name.size() - kind.suffix.size()), kind.suffix);
    }
};

// What the generated server, controller and database support controller classes and the
// library declare whatever the design holds.
constexpr std::string_view kGeneratedMembers[] = {
    "Create",          "CreateFromPath", "Destroy",         "AfterConstruction", "BeforeDestruction",
    "InitInstance",    "FindInstance",   "FreeInstance",    "SetDLLsPaths",      "FSetDLLsPathsMethod",
    "DllName",         "DllExists",      "LibraryPath",     "FLibraryPath",      "FLibrary",
    "FInstanceID",     "FServer",        "SetApplicationHandle", "ChangeConnection", "Database",
    "FDatabase",       "DoCloseDatabase", "OnChangeConnection", "FOnChangeConnection", "DatabaseName",
    "FDatabaseName",   "SetDatabaseName", "SessionName",    "FSessionName",      "SetSessionName"};

// The members, fields and types that the generator derives from the class's members and declares
// beside them in the server, controller, interface and library units, looked up by name without
// regard to case. Every member of a class is checked against all of them: a scan per member made
// the check grow with the square of the class's size.
class DerivedNames {
    auto SpelledBy() const {
        return [this](std::uint32_t i, std::string_view name) { return names_[i].Spells(name); };
    }

public:
    explicit DerivedNames(const TemgClass& cls) {
        const auto size = [](int count) { return static_cast<std::size_t>(count); };
        const std::size_t count = 7 * size(cls.Properties().Count() + cls.Events().Count()) +
                                  2 * size(cls.Methods().Count()) + 5 * size(cls.ExternalClasses().Count()) +
                                  std::size(kGeneratedMembers);
        names_.reserve(count);
        next_.reserve(count);
        head_.reserve(count);
        std::vector<std::uint32_t> tags;
        tags.reserve(count);
        std::string spelling;
        const auto add = [&](TNameKind kind, std::string_view subject, const TPersistent* source) {
            names_.push_back({subject, source, kind});
            names_.back().Spell(spelling);
            tags.push_back(TextIndex::Tag(spelling));
        };
        for (const TemgProperties* members : {&cls.Properties(), &cls.Events()}) {
            const int first = members == &cls.Events() ? nkEventField : nkPropertyField;
            for (int i = 0; i < members->Count(); ++i)
                for (int kind = first; kind <= first + (nkPropertySetterType - nkPropertyField); ++kind)
                    add(static_cast<TNameKind>(kind), members->Items(i)->GetName(), members->Items(i));
        }
        for (int i = 0; i < cls.Methods().Count(); ++i)
            for (TNameKind kind : {nkMethodField, nkMethodType})
                add(kind, cls.Methods().Items(i)->GetName(), cls.Methods().Items(i));
        for (int i = 0; i < cls.ExternalClasses().Count(); ++i) {
            const TemgExternalClass& external = *cls.ExternalClasses().Items(i);
            for (TNameKind kind : {nkExternalField, nkExternalGetter, nkExternalCreation, nkExternalRelease})
                add(kind, external.GetPropertyName(), &external);
            add(nkLibraryPathField, external.GetName(), &external);
        }
        for (std::string_view name : kGeneratedMembers) add(nkGeneratedMember, name, nullptr);

        // Names equal without regard to case are chained in the order they were added: the first
        // one found answers, as the generated units declare them in that order. The index's slots
        // are asked for a few names ahead: a large class's index outgrows the processor's caches,
        // and waiting for each slot in turn was most of the time spent here.
        constexpr std::size_t kAhead = 16;
        const auto total = static_cast<std::uint32_t>(names_.size());
        next_.assign(total, kEnd);
        head_.resize(total);
        std::vector<std::uint32_t> last(total);  // of the first name of a chain: its last name
        for (std::uint32_t at = 0; at < total; ++at) {
            if (at + kAhead < total) index_.Prefetch(tags[at + kAhead]);
            bool spelt = false;
            const std::uint32_t head = index_.InsertTagged(tags[at], at, [&](std::uint32_t stored) {
                if (!spelt) names_[at].Spell(spelling);
                spelt = true;
                return names_[stored].Spells(spelling);
            });
            head_[at] = head;
            last[at] = at;
            if (head != at) {
                next_[last[head]] = at;
                last[head] = at;
            }
        }
    }

    // The first name equal to `name` that does not come from `member` (any, when `member` is
    // null), or nullptr.
    const TakenName* Find(const TPersistent* member, std::string_view name) const {
        for (std::uint32_t i = index_.Find(name, SpelledBy()); i != kEnd; i = next_[i])
            if (!member || names_[i].source != member) return &names_[i];
        return nullptr;
    }

    // Calls `visit(spelling, taken)` for every method pointer type, in the order the generated
    // units declare them.
    template <typename Visit>
    void ForEachType(Visit visit) const {
        std::string spelling;
        for (const TakenName& taken : names_)
            if (taken.Kind().type) {
                taken.Spell(spelling);
                visit(std::string_view(spelling), taken);
            }
    }

    // Calls `visit(spelling, own, other)` for each name derived from a member that an earlier
    // name of another member, or a name every class declares, meets; `other` is the first such
    // name and `spelling` how `own` is written. Two library path fields, or two names of system
    // members, are declared once on purpose.
    template <typename Visit>
    void ForEachMeeting(Visit visit) const {
        std::string spelling;
        for (std::uint32_t i = 0; i < names_.size(); ++i) {
            const TakenName& own = names_[i];
            if (!own.source || (head_[i] == i && next_[i] == kEnd)) continue;
            for (std::uint32_t j = head_[i]; j != kEnd; j = next_[j]) {
                const TakenName& other = names_[j];
                if (other.source == own.source || (other.source && j > i) ||
                    (own.Kind().shared && other.Kind().shared) ||
                    (IsSystemElement(own.source) && IsSystemElement(other.source)))
                    continue;
                own.Spell(spelling);
                visit(std::string_view(spelling), own, other);
                break;
            }
        }
    }

private:
    // A class has far fewer derived names than numbers of this size: each one takes 40 bytes.
    static constexpr std::uint32_t kEnd = TextIndex::kNone;

    // The names in the order the generated units declare them; their spellings are put together
    // when needed, as most are never asked for.
    std::vector<TakenName> names_;
    std::vector<std::uint32_t> next_;  // the next name of the same chain, or kEnd
    std::vector<std::uint32_t> head_;  // the first name of the chain
    TextIndex index_;                  // each chain's first name
};

std::string GeneratedMemberTaker(const TemgClass& cls, const TPersistent* member, std::string_view name) {
    const DerivedNames derived(cls);
    const TakenName* taken = derived.Find(member, name);
    return taken ? taken->Taker() : std::string();
}

// Each name of the class's own members with the first member of that name, in the order Taker
// asks: properties and events, methods, external properties. Taker is asked for every enumeration
// value in scope: a walk over the members for each made the check grow with their product.
class ClassScope::MemberNames {
public:
    explicit MemberNames(const TemgClass& cls)
        : names_(static_cast<std::size_t>(cls.Properties().Count() + cls.Events().Count() + cls.Methods().Count() +
                                          cls.ExternalClasses().Count())) {
        for (const TemgProperties* members : {&cls.Properties(), &cls.Events()})
            for (int i = 0; i < members->Count(); ++i)
                names_.Add(members->Items(i)->GetName(), members == &cls.Events() ? "the event " : "the property ");
        for (int i = 0; i < cls.Methods().Count(); ++i) names_.Add(cls.Methods().Items(i)->GetName(), "the method ");
        for (int i = 0; i < cls.ExternalClasses().Count(); ++i)
            names_.Add(cls.ExternalClasses().Items(i)->GetPropertyName(), "the external property ");
    }
    // "the method Total" for the member named `name`, or empty.
    std::string Taker(std::string_view name) const {
        const auto* found = names_.Find(name);
        return found ? std::string(found->value).append(found->name) : std::string();
    }

private:
    TextMap<std::string_view> names_;  // what each name is
};

ClassScope::ClassScope(const TemgClass& cls) : cls_(cls) {}

ClassScope::~ClassScope() = default;

void ClassScope::Gather() const {
    Derived();
    Members();
}

const DerivedNames& ClassScope::Derived() const {
    if (!derived_) derived_ = std::make_unique<const DerivedNames>(cls_);
    return *derived_;
}

const ClassScope::MemberNames& ClassScope::Members() const {
    if (!members_) members_ = std::make_unique<const MemberNames>(cls_);
    return *members_;
}

std::string ClassScope::Taker(std::string_view name) const {
    if (std::string member = Members().Taker(name); !member.empty()) return member;
    if (const TakenName* taken = Derived().Find(nullptr, name)) return taken->Taker();
    static constexpr std::string_view kInheritedMembers[] = {
        "ClassName",      "ClassType",       "ClassParent",     "ClassInfo",        "ClassNameIs",
        "InstanceSize",   "InheritsFrom",    "MethodAddress",   "MethodName",       "FieldAddress",
        "GetInterface",   "GetInterfaceEntry", "GetInterfaceTable", "Dispatch",     "DefaultHandler",
        "NewInstance",    "CleanupInstance", "SafeCallException", "Free",           "Assign",
        "AssignTo",       "DefineProperties", "GetNamePath",    "GetOwner",         "Owner",
        "Name",           "Tag",             "Components",      "ComponentCount",   "ComponentIndex",
        "ComponentState", "ComponentStyle",  "DesignInfo",      "VCLComObject",     "FindComponent",
        "FreeNotification", "RemoveFreeNotification", "FreeOnRelease", "InsertComponent", "RemoveComponent",
        "DestroyComponents", "Destroying",   "Loaded",          "Notification",     "GetChildren",
        "GetChildOwner",  "GetChildParent",  "SetName",         "SetChildOrder",    "SetParentComponent",
        "HasParent",      "GetParentComponent", "ReadState",    "WriteState",       "Updating",
        "Updated",        "ValidateRename",  "ExecuteAction",   "UpdateAction",     "Factory",
        "Controller",     "RefCount",        "ObjAddRef",       "ObjRelease",       "ObjQueryInterface",
        "Initialize",     "ServerExceptionHandler", "CreateAggregated", "CreateFromFactory", "QueryInterface",
        "_AddRef",        "_Release"};
    for (std::string_view member : kInheritedMembers)
        if (SameText(member, name)) return "the inherited member " + std::string(member);
    // Every method body declares Self: a value of that name written there is the object.
    if (SameText(name, "Self")) return "the object of every method";
    return {};
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

const std::vector<std::string_view>& RunTimeUnits() {
    static const std::vector<std::string_view> units{
        // Delphi's run-time library, VCL and database units that those above use.
        "SysConst", "RTLConsts", "TypInfo", "Math", "VarUtils", "Contnrs", "SyncObjs", "StrUtils",
        "Consts", "Menus", "ImgList", "ActnList", "StdActns", "CommCtrl", "CommDlg", "Dlgs", "Imm",
        "MultiMon", "HelpIntfs", "Themes", "UxTheme", "FlatSB", "ShellAPI", "ShlObj", "Printers",
        "WinSpool", "Clipbrd", "Buttons", "Mask", "MaskUtils", "Registry", "IniFiles", "ComConst",
        "OleConst", "StdVCL", "AxCtrls", "DBCommon", "DBConsts", "BDE", "BDEConst", "SqlTimSt", "FMTBcd",
        "DBLogDlg", "DBPWDlg", "SMINTF",
        // Free Pascal's: the Delphi mode's unit and the platform units under SysUtils and Classes.
        "ObjPas", "Unix", "BaseUnix", "UnixType", "UnixUtil", "Linux", "SysCall", "Errors", "CTypes",
        "WinDirs", "SysInitPas", "FPIntRes"};
    return units;
}

const std::vector<std::string_view>& GeneratedCodeTypes() {
    static const std::vector<std::string_view> types{
        "TObject",    "TPersistent", "TComponent", "TInterfacedObject", "TComObject", "TAutoObject",
        "TDataModule", "TForm",      "TDataSet",   "TDatabase",         "TSession",   "TQuery",
        "TTable",     "TStoredProc", "TStrings",   "TStringList",       "TGUID",      "THandle",
        "TCloseAction", "TButton",   "TLabel",     "TMemo",             "TPanel",     "TComboBox",
        "TScrollBox", "TSplitter",   "TDLLServer", "IUnknown",          "IDispatch",  "Exception",
        // The library routines' types that the controllers declare.
        "TInitInstance", "TFreeInstance", "TSetDLLsPathsMethod"};
    return types;
}

std::string UnitNameTaker(std::string_view name, const std::vector<std::string>& typeUnits) {
    for (std::string_view unit : GeneratedCodeUnits())
        if (SameText(unit, name)) return "the unit " + std::string(unit);
    for (const std::string& unit : typeUnits)
        if (SameText(unit, name)) return "the unit " + unit;
    for (std::string_view unit : RunTimeUnits())
        if (SameText(unit, name)) return "the run-time unit " + std::string(unit);
    return QualifierTaker(name);
}

std::string ProgramNameTaker(std::string_view name, const std::vector<std::string>& programUnits) {
    for (const std::string& unit : programUnits)
        if (SameText(unit, name)) return "the unit " + unit;
    return UnitNameTaker(name, {});
}

std::string NameFault(std::string_view name, std::string_view taker) {
    if (IsReservedWord(name)) return Format(kNameReservedWord, name);
    if (!IsValidIdent(name)) return Format(kNameNotIdentifier, name);
    if (!taker.empty()) return Format(kNameTaken, name, taker);
    return {};
}

namespace {

// The names the forwarding code of `method` uses in its bodies beside its parameters: the
// exported routine's own parameters and its look-up of the object, the controller's local
// variable, fields and the run-time routines it calls. A parameter of such a name hides them.
std::string ForwardingCodeTaker(const TemgMethod& method, std::string_view name) {
    static constexpr std::string_view kForwardingNames[] = {
        "aInstanceID", "VErrorMessage", "FindInstance", "sErrorMessage", "FLibrary", "FInstanceID", "FServer"};
    const bool used = SameText(name, "F" + method.GetName() + "Method") ||
                      std::any_of(std::begin(kForwardingNames), std::end(kForwardingNames),
                                  [&](std::string_view used) { return SameText(used, name); });
    return used ? "the forwarding code of method " + method.GetName() : QualifierTaker(name);
}

}  // namespace

void ClassScope::ForEachMemberNameFault(const NameFaultReport& report,
                                        const std::function<std::string(std::string_view)>& typeTaker) const {
    const TemgClass& cls = cls_;
    const DerivedNames& derived = Derived();
    std::vector<const TPersistent*> reported;
    const auto blame = [&](const TPersistent& element, const std::string& fault) {
        reported.push_back(&element);
        report(element, fault);
    };
    const auto check = [&](const TPersistent& member, const std::string& name, bool system) {
        const TakenName* taken = derived.Find(&member, name);
        // A system member keeps its name: the member the clashing name is derived from answers.
        if (system && taken && taken->source) {
            blame(*taken->source, NameFault(name, taken->Taker()));
            return;
        }
        // The units that qualify what generated code calls would be read as the member.
        if (const std::string fault = NameFault(name, taken ? taken->Taker() : QualifierTaker(name)); !fault.empty())
            blame(member, fault);
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
                                             : ForwardingCodeTaker(method, parameter.GetName());
            if (const std::string fault = NameFault(parameter.GetName(), taker); !fault.empty()) report(parameter, fault);
        }
    }
    for (int i = 0; i < cls.ExternalClasses().Count(); ++i) {
        const TemgExternalClass& external = *cls.ExternalClasses().Items(i);
        check(external, external.GetPropertyName(), false);
    }
    // Names derived from two members may meet too ("FCreateQueryMethod" of the method CreateQuery
    // and of the property CreateQueryMethod): the second declaration would be left out. A system
    // member keeps its name, the other member answers; each pair is looked at once. The system
    // members of the database support share their routine variable on purpose.
    derived.ForEachMeeting([&](std::string_view name, const TakenName& own, const TakenName& other) {
        const bool otherAnswers = other.source && IsSystemElement(own.source) && !IsSystemElement(other.source);
        const TPersistent* member = otherAnswers ? other.source : own.source;
        if (std::find(reported.begin(), reported.end(), member) == reported.end())
            blame(*member, NameFault(name, (otherAnswers ? own : other).Taker()));
    });
    // A method pointer type named like a type of the module would be left out or hide it.
    if (!typeTaker) return;
    derived.ForEachType([&](std::string_view name, const TakenName& own) {
        if (IsSystemElement(own.source) ||
            std::find(reported.begin(), reported.end(), own.source) != reported.end())
            return;
        if (const std::string taker = typeTaker(name); !taker.empty()) blame(*own.source, NameFault(name, taker));
    });
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
