#include "elements/ElementRules.h"

#include <algorithm>
#include <array>

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
// for the names every generated class or library declares).
struct TakenName {
    std::string name;
    std::string taker;
    const TPersistent* source = nullptr;
    // Declared once for every member that derives it (the library path field of a class).
    bool shared = false;
    // A type (a method pointer type) rather than a member.
    bool type = false;
};

// The members, fields and types that the generator derives from the class's members and declares
// beside them in the server, controller, interface and library units.
std::vector<TakenName> DerivedNames(const TemgClass& cls) {
    std::vector<TakenName> names;
    const auto add = [&](std::string name, std::string taker, const TPersistent* source) {
        names.push_back({std::move(name), std::move(taker), source});
    };
    for (const TemgProperties* members : {&cls.Properties(), &cls.Events()})
        for (int i = 0; i < members->Count(); ++i) {
            const TemgProperty& member = *members->Items(i);
            const std::string& name = member.GetName();
            const std::string of = std::string(members == &cls.Events() ? " of event " : " of property ") + name;
            add("F" + name, "the field" + of, &member);
            add("Get" + name, "the getter" + of, &member);
            add("Set" + name, "the setter" + of, &member);
            for (const char* accessor : {"Get", "Set"}) {
                add(std::string("F").append(accessor).append(name).append("Method"), "the method pointer field" + of, &member);
                add(std::string("T").append(accessor).append(name).append("Method"), "the method pointer type" + of, &member);
                names.back().type = true;
            }
        }
    for (int i = 0; i < cls.Methods().Count(); ++i) {
        const TemgMethod& method = *cls.Methods().Items(i);
        add("F" + method.GetName() + "Method", "the method pointer field of method " + method.GetName(), &method);
        add("T" + method.GetName() + "Method", "the method pointer type of method " + method.GetName(), &method);
        names.back().type = true;
    }
    for (int i = 0; i < cls.ExternalClasses().Count(); ++i) {
        const TemgExternalClass& external = *cls.ExternalClasses().Items(i);
        const std::string& name = external.GetPropertyName();
        const std::string of = " of external property " + name;
        add("F" + name, "the field" + of, &external);
        add("Get" + name, "the getter" + of, &external);
        add("Create" + name, "the creation method" + of, &external);
        add("Free" + name, "the release method" + of, &external);
        add("F" + external.GetName() + "Path", "the library path field of class " + external.GetName(), &external);
        names.back().shared = true;
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
    for (std::string_view name : kGeneratedMembers) add(std::string(name), "the generated member " + std::string(name), nullptr);
    return names;
}

const TakenName* FindTaken(const std::vector<TakenName>& names, const TPersistent* member, std::string_view name) {
    for (const TakenName& taken : names)
        if ((!member || taken.source != member) && SameText(taken.name, name)) return &taken;
    return nullptr;
}

}  // namespace

std::string GeneratedMemberTaker(const TemgClass& cls, const TPersistent* member, std::string_view name) {
    const std::vector<TakenName> derived = DerivedNames(cls);
    const TakenName* taken = FindTaken(derived, member, name);
    return taken ? taken->taker : std::string();
}

std::string ClassScopeTaker(const TemgClass& cls, std::string_view name) {
    for (const TemgProperties* members : {&cls.Properties(), &cls.Events()})
        for (int i = 0; i < members->Count(); ++i)
            if (SameText(members->Items(i)->GetName(), name))
                return (members == &cls.Events() ? "the event " : "the property ") + members->Items(i)->GetName();
    for (int i = 0; i < cls.Methods().Count(); ++i)
        if (SameText(cls.Methods().Items(i)->GetName(), name)) return "the method " + cls.Methods().Items(i)->GetName();
    for (int i = 0; i < cls.ExternalClasses().Count(); ++i)
        if (SameText(cls.ExternalClasses().Items(i)->GetPropertyName(), name))
            return "the external property " + cls.ExternalClasses().Items(i)->GetPropertyName();
    if (std::string taker = GeneratedMemberTaker(cls, nullptr, name); !taker.empty()) return taker;
    // The public and protected members of TObject, TPersistent, TComponent and TComObject, the
    // ancestors of the generated server and controller classes, and of IUnknown, the ancestor
    // of the interface type.
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
        "TScrollBox", "TSplitter",   "TDLLServer", "IUnknown",          "IDispatch",  "Exception"};
    return types;
}

std::string UnitNameTaker(std::string_view name, const std::vector<std::string>& typeUnits) {
    for (std::string_view unit : GeneratedCodeUnits())
        if (SameText(unit, name)) return "the unit " + std::string(unit);
    for (const std::string& unit : typeUnits)
        if (SameText(unit, name)) return "the unit " + unit;
    for (std::string_view unit : RunTimeUnits())
        if (SameText(unit, name)) return "the run-time unit " + std::string(unit);
    return {};
}

std::string ProgramNameTaker(std::string_view name, const std::vector<std::string>& programUnits) {
    if (SameText(name, "Application")) return "the application object Application";
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

bool IsSystemElement(const TPersistent* element) {
    const auto* item = dynamic_cast<const TemgAppellationItem*>(element);
    return item && item->HasSetting(isSystemItem);
}

// The names the forwarding code of `method` uses in its bodies beside its parameters: the
// exported routine's own parameters and its look-up of the object, the controller's local
// variable, fields and the run-time routines it calls. A parameter of such a name hides them.
std::string ForwardingCodeTaker(const TemgMethod& method, std::string_view name) {
    static constexpr std::string_view kForwardingNames[] = {
        "aInstanceID", "VErrorMessage",  "FindInstance", "sErrorMessage", "FLibrary",  "FInstanceID",
        "FServer",     "GetProcAddress", "Win32Check",   "Assigned",      "Exception"};
    const bool used = SameText(name, "F" + method.GetName() + "Method") ||
                      std::any_of(std::begin(kForwardingNames), std::end(kForwardingNames),
                                  [&](std::string_view used) { return SameText(used, name); });
    return used ? "the forwarding code of method " + method.GetName() : std::string();
}

}  // namespace

void ForEachMemberNameFault(const TemgClass& cls, const NameFaultReport& report,
                            const std::function<std::string(std::string_view)>& typeTaker) {
    const std::vector<TakenName> derived = DerivedNames(cls);
    std::vector<const TPersistent*> reported;
    const auto blame = [&](const TPersistent& element, const std::string& fault) {
        reported.push_back(&element);
        report(element, fault);
    };
    const auto check = [&](const TPersistent& member, const std::string& name, bool system) {
        const TakenName* taken = FindTaken(derived, &member, name);
        // A system member keeps its name: the member the clashing name is derived from answers.
        if (system && taken && taken->source) {
            blame(*taken->source, NameFault(name, taken->taker));
            return;
        }
        if (const std::string fault = NameFault(name, taken ? taken->taker : std::string()); !fault.empty())
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
    for (std::size_t i = 0; i < derived.size(); ++i) {
        const TakenName& own = derived[i];
        if (!own.source) continue;
        for (std::size_t j = 0; j < derived.size(); ++j) {
            const TakenName& other = derived[j];
            if (other.source == own.source || (other.source && j > i) || !SameText(own.name, other.name) ||
                (own.shared && other.shared) || (IsSystemElement(own.source) && IsSystemElement(other.source)))
                continue;
            const bool otherAnswers = other.source && IsSystemElement(own.source) && !IsSystemElement(other.source);
            const TPersistent* member = otherAnswers ? other.source : own.source;
            if (std::find(reported.begin(), reported.end(), member) == reported.end())
                blame(*member, NameFault(own.name, (otherAnswers ? own : other).taker));
            break;
        }
    }
    // A method pointer type named like a type of the module would be left out or hide it.
    if (!typeTaker) return;
    for (const TakenName& own : derived) {
        if (!own.type || IsSystemElement(own.source) ||
            std::find(reported.begin(), reported.end(), own.source) != reported.end())
            continue;
        if (const std::string taker = typeTaker(own.name); !taker.empty()) blame(*own.source, NameFault(own.name, taker));
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
