#include "designs/DesignGenerator.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string_view>
#include <vector>

#include "elements/ElementRules.h"
#include "elements/ElementTestSupport.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "project/Project.h"
#include "support/TempDir.h"
#include "synth/Draw.h"
#include "synth/Pools.h"

namespace quillon {

namespace {

constexpr std::array<std::string_view, 16> kWords{"Balance", "Limit", "Owner",  "Rate",  "Total", "Count",
                                                  "Zoom",    "Printed", "Value", "Level", "Mode",  "Shade",
                                                  "Amount",  "Title",  "Size",  "Branch"};
constexpr std::array<std::string_view, 8> kModuleStems{"Calc", "Ledger", "Printer", "Account",
                                                       "Store", "Archive", "Report", "Teller"};
// Delphi's reserved words as users type them, in several letter cases, and words that only Free
// Pascal's Delphi mode or the directives make special. Not "Bitpacked" nor "Otherwise": Free Pascal
// reserves them but Delphi does not, so the name rules allow them on purpose (a design made for
// Delphi keeps them) and the generated code would not compile with Free Pascal, the oracle here.
constexpr std::array<std::string_view, 38> kReservedWords{
    "Label",     "Type",      "File",   "Set",       "Object",         "Property",  "String",  "Unit",
    "begin",     "END",       "Array",  "Record",    "Class",          "Function",  "Procedure", "Program",
    "Library",   "Inherited", "Interface", "Uses",   "Var",            "Const",     "Case",    "With",
    "In",        "Is",        "Div",    "Nil",       "Try",            "Finally",   "Raise",   "Initialization",
    "Exports",   "Packed",    "Resourcestring", "Threadvar", "Dispinterface", "Out"};
// Names the generated classes, units and libraries declare themselves.
constexpr std::array<std::string_view, 30> kGeneratedNames{
    "Create",       "Destroy",         "Free",          "AfterConstruction", "BeforeDestruction",
    "InitInstance", "FindInstance",    "FreeInstance",  "SetDLLsPaths",      "DllName",
    "DllExists",    "LibraryPath",     "SetApplicationHandle", "ChangeConnection", "AfterInitInstance",
    "CreateFromPath", "Owner",         "Name",          "Tag",               "ClassName",
    "Assign",       "Self",            "Result",        "Controller",        "FController",
    "DatabaseName", "SetDatabaseParams", "CreateQuery", "Instance",          "Loaded"};
// Units of the run-time library and the VCL that generated code or registered types use.
constexpr std::array<std::string_view, 20> kUnitNames{
    "Classes",  "SysUtils", "Windows",  "Forms",   "DB",       "Types",    "ComObj",
    "ComServ",  "ActiveX",  "Controls", "DBTables", "ShareMem", "DLLServerCollection", "Variants",
    "Graphics", "StdCtrls", "ExtCtrls", "Dialogs", "Math",     "System"};
// Captions and descriptions as users type them: comment brackets, quotes, line breaks, a
// leading "$", text beyond ASCII that the default code page of generated files holds.
constexpr std::array<std::string_view, 18> kCaptions{
    "",        "Calculator", "rate in {EUR}", "a}b", "(* old *) value", "// not code", "first line\r\nsecond line",
    "$I x",    "{$DEFINE X}", "Bob's \"best\" value", "end.", "Größe – «Süd» €", "'", "*)", "}{", "\\",
    "Simple} procedure Injected; {calculator", "50% {of} 'all'"};

struct BuiltInType {
    std::string_view name;
    std::array<std::string_view, 2> values;  // defaults a user would type; empty for none
};
constexpr std::array<BuiltInType, 21> kBuiltIns{{
    {"Boolean", {"True", "False"}}, {"Integer", {"42", "-1"}}, {"Double", {"3.5", "0"}},
    {"String", {"'x'", "'Bob''s {EUR}'"}}, {"Char", {"'c'", "#13"}}, {"Cardinal", {"7", "0"}},
    {"ShortInt", {"-3", "1"}}, {"SmallInt", {"300", "0"}}, {"LongInt", {"100000", "0"}},
    {"Int64", {"-1", "9000000000"}}, {"Byte", {"255", "0"}}, {"Word", {"65535", "1"}}, {"LongWord", {"1", "0"}},
    {"Extended", {"2.5", "0"}}, {"Comp", {"7", "0"}}, {"Currency", {"100", "0.25"}}, {"WideChar", {"'w'", "'x'"}},
    {"ShortString", {"'s'", "''"}}, {"WideString", {"'naïve café'", "''"}}, {"Variant", {"", ""}},
    {"TDateTime", {"0", "1.5"}}}};
// Registered types from units, as users register them.
struct UnitType {
    std::string_view name;
    std::string_view unit;
    bool procedural;
};
constexpr std::array<UnitType, 6> kUnitTypes{{{"TStrings", "Classes", false}, {"TStringList", "Classes", false},
                                              {"TComponent", "Classes", false}, {"TDataSet", "DB", false},
                                              {"TPoint", "Types", false}, {"TThreadMethod", "Classes", true}}};
constexpr std::array<std::string_view, 3> kRegisteredProcedurals{"TNotifyEvent", "TDataSetNotifyEvent",
                                                                  "TMessageEvent"};

// A type a member may have, with the values a default may take.
struct TypeChoice {
    std::string name;
    TDataTypeCategory category = dtRegistered;
    std::vector<std::string> values;
};

class DesignBuilder {
public:
    DesignBuilder(TemgpProject& project, std::string dir, const DesignShape& shape)
        : project_(project), dir_(std::move(dir)), shape_(shape), draw_(shape.seed) {}

    void Build() {
        project_.NewProject(dir_);
        // A quarter of the designs stand for hand-edited files: their names skip the editors'
        // rules and only the check stands between them and the generator.
        handEdited_ = draw_.Chance(25);
        riskPercent_ = draw_.Chance(30) ? 3 : 15;
        project_.Appellation().SetCaption(Caption());
        FillTypes(project_.FirstModule(), "Common");

        const int modules = 1 + draw_.Below(std::max(1, shape_.maxModules));
        for (int i = 0; i < modules; ++i) AddModule(i);
        for (int i = 1; i < project_.Modules().Count(); ++i) FillModule(project_.Modules().Items(i)->Module());
        for (int i = 1; i < project_.Modules().Count(); ++i) AddReferences(project_.Modules().Items(i)->Module());
        for (int i = 1; i < project_.Modules().Count(); ++i) AddDebugApplications(project_.Modules().Items(i)->Module());
        if (Risky(kRiskHandWritten) && draw_.Chance(60)) DrawHandWritten();
    }

    unsigned Spaces() const { return spaces_; }

private:
    // --- Names ------------------------------------------------------------------------------------

    bool Risky(DesignRisk risk) const { return (shape_.leaveOut & risk) == 0; }

    std::string Caption() {
        if (draw_.Chance(20)) {
            // These mix scripts that no single Windows code page holds: the user picks UTF-8.
            project_.SetGeneratedFileEncoding(geUtf8Bom);
            return std::string(draw_.Pick(kCaptionTexts));
        }
        const std::string caption(draw_.Pick(kCaptions));
        if (!Risky(kRiskCaptions) && (caption.find('}') != std::string::npos || caption.starts_with("$"))) return "Plain";
        return caption;
    }

    // `safe`, or now and then a name a user plausibly types that the generated code may not take.
    std::string Name(const std::string& safe) {
        if (!draw_.Chance(riskPercent_)) return safe;
        const int kind = draw_.Below(100);
        if (kind < 25) return Risky(kRiskReservedWords) ? std::string(draw_.Pick(kReservedWords)) : safe;
        if (kind < 50) return Risky(kRiskGeneratedNames) ? std::string(draw_.Pick(kGeneratedNames)) : safe;
        if (kind < 72 && !used_.empty()) {
            if (!Risky(kRiskGeneratedNames)) return safe;
            static constexpr std::array<std::string_view, 6> kPrefixes{"Get", "Set", "F", "Create", "Free", "On"};
            return std::string(draw_.Pick(kPrefixes)) + draw_.Pick(used_);
        }
        if (kind < 85 && !used_.empty()) return MixedCase(draw_.Pick(used_));
        if (kind < 95) return Risky(kRiskUnitNames) ? std::string(draw_.Pick(kUnitNames)) : safe;
        if (handEdited_ && Risky(kRiskNotIdentifiers)) {
            static constexpr std::array<std::string_view, 4> kNotIdentifiers{"Count; Evil", "1st", "Two Words", "Größe"};
            return std::string(draw_.Pick(kNotIdentifiers));
        }
        return safe;
    }

    std::string MixedCase(std::string name) {
        for (char& c : name)
            if (draw_.Chance(50)) c = static_cast<char>(std::isupper(static_cast<unsigned char>(c)) ? std::tolower(c) : std::toupper(c));
        return name;
    }

    // What a name field's editor would store: `wanted` when its identifier rule accepts it, else
    // the element keeps `fallback` (the default name the element was created with).
    // The editors of a module and of its members also refuse a name the generated code takes.
    std::string Accepted(const std::string& wanted, const std::string& fallback,
                         const std::function<bool(std::string_view)>& isUnique, const TemgModule* module = nullptr,
                         const TPersistent* element = nullptr) {
        if (handEdited_) return wanted.empty() ? fallback : wanted;
        try {
            CheckIdentifierField("Name", wanted, isUnique);
            if (module && !module->TakenNameMessage(element, wanted).empty()) return fallback;
            return wanted;
        } catch (const Exception&) {
            return fallback;
        }
    }

    template <class Item>
    void NameItem(Item& item, const std::string& safe, const std::function<bool(std::string_view)>& isUnique,
                  const TemgModule& module) {
        const std::string name = Accepted(Name(safe), item.GetName(), isUnique, &module, &item);
        item.SetName(name);
        used_.push_back(name);
    }

    std::string Word() { return std::string(draw_.Pick(kWords)); }

    // --- Types ------------------------------------------------------------------------------------

    bool TypeNameFree(const TemgModule& module, std::string_view name) {
        return module.IsTypeNameUnique(name) && project_.FirstModule().IsTypeNameUnique(name);
    }

    std::string TypeName(const TemgModule& module, const std::string& safe) {
        std::string wanted = safe;
        if (draw_.Chance(riskPercent_) && Risky(kRiskGeneratedNames) && Risky(kRiskReservedWords)) {
            const std::string n = module.MainClassName();
            const std::array<std::string, 7> risky{"T" + n, "I" + n, "Tgen" + n, "Tcntr" + n, "TObject",
                                                   "TComponent", std::string(draw_.Pick(kReservedWords))};
            wanted = draw_.Pick(risky);
        }
        if (handEdited_) return wanted;
        try {
            CheckIdentifierField("Name", wanted, [&](std::string_view name) { return TypeNameFree(module, name); });
            return wanted;
        } catch (const Exception&) {
            return safe + std::to_string(++counter_);
        }
    }

    void FillTypes(TemgModule& module, const std::string& stem) {
        const int enums = draw_.Below(3);
        for (int e = 0; e < enums; ++e) {
            const std::string name = TypeName(module, "T" + stem + Word() + "Kind" + std::to_string(++counter_));
            std::vector<std::string> values;
            const std::string prefix = "k" + std::to_string(counter_);
            const int count = 1 + draw_.Below(3);
            for (int v = 0; v < count; ++v) {
                std::string value = Name(prefix + Word() + std::to_string(v));
                // The values editor refuses what is no identifier or repeats a value of the module.
                if (!handEdited_ && (!IsValidIdent(value) || !module.EnumTypes().IsValueNameUnique(name, value) ||
                                     std::any_of(values.begin(), values.end(),
                                                 [&](const std::string& other) { return SameText(other, value); })))
                    value = prefix + "v" + std::to_string(v);
                values.push_back(value);
            }
            module.CreateEnumType(name, Caption(), values);
        }
        const int procedurals = draw_.Below(3);
        for (int p = 0; p < procedurals; ++p) {
            const std::string name = TypeName(module, "TOn" + stem + Word() + std::to_string(++counter_));
            TemgParameters parameters;
            const int count = draw_.Below(3);
            for (int i = 0; i < count; ++i) {
                TemgParameter& parameter = *parameters.Add();
                parameter.SetName(i == 0 && draw_.Chance(50) ? "Sender" : "a" + Word() + std::to_string(i));
                const BuiltInType& type = draw_.Pick(kBuiltIns);
                parameter.DataType().SetName(i == 0 && parameter.GetName() == "Sender" ? "TObject" : type.name);
                if (parameter.GetName() == "Sender") RegisterUnitType(module, {"TObject", "", false});
                parameter.SetCategory(static_cast<TParameterCategory>(draw_.Below(3)));
            }
            TemgDataType result;
            TMethodCategory category = mcProcedure;
            if (draw_.Chance(30)) {
                category = mcFunction;
                result.SetName(draw_.Pick(kBuiltIns).name);
            }
            module.CreateProceduralType(name, Caption(), result, parameters, category);
        }
        if (draw_.Chance(40)) RegisterUnitType(module, draw_.Pick(kUnitTypes));
    }

    void RegisterUnitType(TemgModule& module, const UnitType& type) {
        if (!TypeNameFree(module, type.name)) return;
        module.CreateRegisteredType(type.name, Caption(), type.unit, type.procedural);
    }

    // The types a member of `module` can refer to: built-in, registered with units, the
    // enumerations and procedural types of the module and of the common types module.
    std::vector<TypeChoice> Types(const TemgModule& module, bool procedural) const {
        std::vector<TypeChoice> choices;
        for (const TemgModule::TKnownType& known : module.KnownTypes()) {
            const bool isProcedural = known.category == dtProcedural || known.category == dtRegisteredProcedural;
            if (isProcedural != procedural) continue;
            if (known.name == "TQuery" || known.name == "TTable" || known.name == "TStoredProc") continue;
            TypeChoice choice{known.name, known.category, module.TypeValues(known.name)};
            for (const BuiltInType& builtIn : kBuiltIns)
                if (builtIn.name == known.name)
                    for (std::string_view value : builtIn.values)
                        if (!value.empty()) choice.values.emplace_back(value);
            choices.push_back(std::move(choice));
        }
        return choices;
    }

    void Typed(TemgDataType& type, const TypeChoice& choice) {
        type.SetName(choice.name);
        type.SetCategory(choice.category);
    }

    // --- Modules ----------------------------------------------------------------------------------

    void AddModule(int index) {
        TemgpModule& entry = project_.AddClassModule();
        std::string wanted = Name(std::string(kModuleStems[static_cast<std::size_t>(index) % kModuleStems.size()]) +
                                  std::to_string(index + 1));
        const std::string name = Accepted(
            wanted, entry.Module().MainClassName(),
            [&](std::string_view n) {
                const TemgpModule* found = project_.FindModuleEntry(n);
                return !found || found == &entry;
            },
            &entry.Module(), &entry.Module());
        project_.RenameModule(entry, name, Caption());
        // The module editor's file name field: a module file of its own name, as a user saves it.
        entry.SetFileName(IncludeTrailingPathDelimiter(dir_) + name + ".qlm");
        used_.push_back(name);
        TemgModule& module = entry.Module();
        TemgClass& cls = module.MainClass();
        cls.SetGUID(draw_.Guid());
        cls.SetComDescription(Caption());
        cls.SetComClassInstancing(draw_.Chance(50) ? ciMultiInstance : ciSingleInstance);
        cls.SetComThreadingModel(static_cast<TThreadingModel>(draw_.Below(4)));
        cls.SetDllClassInstancing(draw_.Chance(50) ? dllciMultiInstance : dllciSingleInstance);
        module.SetServerOption(static_cast<TServerOption>(draw_.Below(4)));
        module.SetInterfaceSupport(draw_.Chance(50));
        module.SetShareMemSupport(draw_.Chance(50));
        module.SetLibraryPathSameExe(draw_.Chance(50));
        if (draw_.Chance(30)) module.SetSrcPath(draw_.Chance(50) ? "Source" : "Out/" + name);
        if (draw_.Chance(25)) {
            TDatabaseSupport support;
            for (TDatabaseSupportComponent component : {dbsQuery, dbsTable, dbsStoredProc, dbsSetDatabaseParams})
                if (draw_.Chance(40)) support = support + TDatabaseSupport{component};
            if (!Risky(kRiskParamsBesideDatasets) && HasDatasetFactories(support))
                support = support - TDatabaseSupport{dbsSetDatabaseParams};
            module.SetDatabaseSupport(support);
            if (module.HasOwnConnection()) {
                module.SetDatabaseName("DB" + name);
                module.Connection().SetAliasName("ALIAS");
                module.Connection().SetUserName("user");
            }
        }
    }

    void FillModule(TemgModule& module) {
        TemgClass& cls = module.MainClass();
        FillTypes(module, module.MainClassName());
        const auto memberUnique = [&cls](const TPersistent* item) {
            return [&cls, item](std::string_view name) { return cls.IsMemberNameUnique(item, name, 0); };
        };
        const int properties = draw_.Below(5);
        for (int i = 0; i < properties; ++i) {
            TemgProperty& property = NewProperty(cls.Properties());
            NameItem(property, Word() + std::to_string(++counter_), memberUnique(&property), module);
            property.SetCaption(Caption());
            const std::vector<TypeChoice> types = Types(module, draw_.Chance(8));
            if (types.empty()) continue;
            const TypeChoice& type = draw_.Pick(types);
            Typed(property.DataType(), type);
            static constexpr std::array<TAccessTypes, 3> kAccess{TAccessTypes{atRead}, TAccessTypes{atWrite},
                                                                 TAccessTypes{atRead, atWrite}};
            property.SetAccessTypes(draw_.Pick(kAccess));
            if (!type.values.empty() && draw_.Chance(40)) property.SetDefaultValue(draw_.Pick(type.values));
            if (!type.values.empty() && draw_.Chance(40) &&
                (Risky(kRiskReadOnlyDebugValues) || property.GetAccessTypes().Contains(atWrite)))
                property.SetDebugValue(draw_.Pick(type.values));
            if (draw_.Chance(10)) property.SetExported(false);
        }
        const int events = draw_.Below(3);
        for (int i = 0; i < events; ++i) {
            TemgProperty& event = NewEvent(cls.Events());
            NameItem(event, "On" + Word() + std::to_string(++counter_), memberUnique(&event), module);
            event.SetCaption(Caption());
            const std::vector<TypeChoice> types = Types(module, true);
            if (!types.empty()) Typed(event.DataType(), draw_.Pick(types));
        }
        const int methods = draw_.Below(5);
        for (int i = 0; i < methods; ++i) AddMethod(module, memberUnique);
        if (draw_.Chance(20)) AddUnit(module);
    }

    template <class Unique>
    void AddMethod(TemgModule& module, const Unique& memberUnique) {
        TemgClass& cls = module.MainClass();
        TemgMethod& method = NewMethod(cls.Methods());
        NameItem(method, "Do" + Word() + std::to_string(++counter_), memberUnique(&method), module);
        method.SetCaption(Caption());
        if (draw_.Chance(45)) {
            const std::vector<TypeChoice> types = Types(module, false);
            method.SetCategory(mcFunction);
            if (!types.empty()) Typed(method.DataType(), draw_.Pick(types));
        }
        const int count = draw_.Below(4);
        const int firstDefault = count - draw_.Below(3);
        for (int p = 0; p < count; ++p) {
            TemgParameter& parameter = *method.Parameters().Add();
            const std::string fallback = "Param" + std::to_string(p + 1);
            parameter.SetName(fallback);
            const TemgParameters& siblings = method.Parameters();
            const std::string name = Accepted(Name("a" + Word() + std::to_string(p)), fallback, [&](std::string_view n) {
                for (int i = 0; i < siblings.Count(); ++i)
                    if (siblings.Items(i) != &parameter && SameText(siblings.Items(i)->GetName(), n)) return false;
                return true;
            });
            parameter.SetName(name);
            const std::vector<TypeChoice> types = Types(module, draw_.Chance(10));
            if (types.empty()) continue;
            const TypeChoice& type = draw_.Pick(types);
            Typed(parameter.DataType(), type);
            const bool withDefault = p >= firstDefault && !type.values.empty();
            if (withDefault) {
                if (draw_.Chance(50)) parameter.SetCategory(pcConst);
                parameter.SetDefaultValue(draw_.Pick(type.values));
            } else {
                parameter.SetCategory(static_cast<TParameterCategory>(draw_.Below(3)));
            }
            if (!type.values.empty() && draw_.Chance(40)) parameter.SetDebugValue(draw_.Pick(type.values));
            // Now and then a default on a var parameter, which the editor lets through.
            if (!type.values.empty() && draw_.Chance(1)) {
                parameter.SetCategory(pcVar);
                parameter.SetDefaultValue(draw_.Pick(type.values));
            }
        }
        // The parameter list editor's rule: defaults only on trailing value and const parameters.
        if (!handEdited_ && !ParametersRefusal(method.Parameters()).empty())
            for (int p = 0; p < method.Parameters().Count(); ++p) method.Parameters().Items(p)->SetDefaultValue("");
        // The method editor has no visibility: only a file edited by hand sets one.
        if (handEdited_) {
            static constexpr std::array<TMemberVisibility, 4> kVisibilities{mvPublic, mvPublic, mvProtected, mvPrivate};
            TMemberVisibility visibility = draw_.Pick(kVisibilities);
            if (visibility == mvPrivate && !Risky(kRiskPrivateMethods)) visibility = mvProtected;
            method.SetVisibility(visibility);
        }
        if (draw_.Chance(15)) method.SetExported(false);
        if (draw_.Chance(20)) method.SetCode(method.GetCategory() == mcFunction ? "  Result:=Default(" +
                                                                                      (method.DataType().GetName().empty() ? std::string("Integer") : method.DataType().GetName()) +
                                                                                      ");\r\n"
                                                                                : "  // nothing to do yet\r\n");
    }

    // A unit of the developer's own beside the module's sources; a form unit has its form file.
    void AddUnit(TemgModule& module) {
        const std::string unitName = "Extra" + module.MainClassName() + std::to_string(++counter_);
        const bool form = draw_.Chance(40);
        const std::string directory = module.OutputDirectory(project_.GetSrcPath());
        ForceDirectories(directory);
        TemgAddUnit& unit = *module.AddUnits().Add();
        unit.SetName(unitName + ".pas");
        if (form) {
            unit.SetUnitType(autForm);
            unit.SetFormName(unitName + "Form");
            test::WriteText(directory + unitName + ".pas",
                            "unit " + unitName + ";\r\ninterface\r\nuses Forms;\r\ntype\r\n  T" + unitName +
                                "Form = class(TForm)\r\n  end;\r\nvar\r\n  " + unitName + "Form: T" + unitName +
                                "Form;\r\nimplementation\r\n{$R *.dfm}\r\nend.\r\n");
            test::WriteText(directory + unitName + ".dfm",
                            "object " + unitName + "Form: T" + unitName + "Form\r\n  Left = 0\r\n  Top = 0\r\nend\r\n");
        } else {
            test::WriteText(directory + unitName + ".pas",
                            "unit " + unitName + ";\r\ninterface\r\nprocedure Helper;\r\nimplementation\r\n"
                            "procedure Helper;\r\nbegin\r\nend;\r\nend.\r\n");
        }
    }

    // External classes: other class modules, as the editor lists them (or any, by hand).
    void AddReferences(TemgModule& module) {
        TemgClass& cls = module.MainClass();
        const int count = draw_.Below(3);
        for (int i = 0; i < count; ++i) {
            TStringList targets;
            if (handEdited_) {
                for (int m = 1; m < project_.Modules().Count(); ++m)
                    if (&project_.Modules().Items(m)->Module() != &module)
                        targets.Add(project_.Modules().Items(m)->Module().MainClassName());
            } else {
                project_.ListReferencableClasses(targets, cls, module, "");
            }
            if (targets.Count() == 0) return;
            TemgExternalClass& external = NewExternalClass(cls.ExternalClasses());
            external.SetName(draw_.Pick(targets.Items()));
            const std::string name = Accepted(Name("X" + Word() + std::to_string(++counter_)), external.GetPropertyName(),
                                              [&](std::string_view n) { return cls.IsMemberNameUnique(&external, n, 0); },
                                              &module, &external);
            external.SetPropertyName(name);
            used_.push_back(name);
            external.SetCaption(Caption());
            external.SetAutoCreate(draw_.Chance(50));
        }
    }

    void AddDebugApplications(TemgModule& module) {
        if (!draw_.Chance(35)) return;
        TemgDebugApplication& application = module.DebugApplications().NewDebugApplication();
        const TemgDebugApplications& applications = module.DebugApplications();
        const std::string name = Accepted(Name("Debug" + module.MainClassName()), application.GetName(), [&](std::string_view n) {
            for (int i = 0; i < applications.Count(); ++i)
                if (applications.Items(i) != &application && SameText(applications.Items(i)->GetName(), n)) return false;
            return true;
        });
        application.SetName(name);
        application.SetCaption(Caption());
        std::vector<std::string> methods;
        const TemgMethods& all = module.MainClass().Methods();
        for (int i = 0; i < all.Count(); ++i)
            if (!all.Items(i)->IsSystemItem() && draw_.Chance(70)) methods.push_back(all.Items(i)->GetName());
        application.Methods().SetItems(std::move(methods));
        if (draw_.Chance(60)) application.SetSrcPath("Debug");
        if (module.GetDatabaseSupport() != TDatabaseSupport{}) application.Connection().SetAliasName("ALIAS");
    }

    // --- Designs written by hand ---------------------------------------------------------------------

    TemgModule& AnyClassModule() {
        return project_.Modules().Items(1 + draw_.Below(project_.Modules().Count() - 1))->Module();
    }

    // One to three changes, each from one space, as a Delphi developer would type them.
    void DrawHandWritten() {
        const int count = 1 + draw_.Below(3);
        for (int i = 0; i < count; ++i) {
            const int space = draw_.Below(kDesignSpaceCount);
            spaces_ |= 1u << space;
            TemgModule& module = AnyClassModule();
            TemgClass& cls = module.MainClass();
            switch (1u << space) {
                case kSpaceTypes: {
                    static constexpr std::array<std::string_view, 3> kMisspelled{"Integr", "Strng", "TAccountState"};
                    const int kind = draw_.Below(10);
                    TemgProperty& property = NewProperty(cls.Properties());
                    if (kind < 3) {
                        Typed(property.DataType(), {std::string(draw_.Pick(kMisspelled)), draw_.Chance(50) ? dtEnum : dtRegistered, {}});
                    } else if (kind < 6) {
                        static constexpr std::array<std::string_view, 3> kUnits{"Classes.pas", "rtl\\Classes", "Classes.PAS"};
                        const std::string unit = draw_.Chance(40) ? module.DeveloperUnitName() : std::string(draw_.Pick(kUnits));
                        const std::string name = "THand" + std::to_string(++counter_);
                        module.CreateRegisteredType(name, "", unit, false);
                        property.DataType().SetName(name);
                    } else if (kind < 8) {
                        // A type of a unit beyond the stand-ins, registered as its unit declares it.
                        if (TypeNameFree(module, "TObjectList")) module.CreateRegisteredType("TObjectList", "", "Contnrs", false);
                        property.DataType().SetName("TObjectList");
                    } else {
                        // An enumerated type of the common types module, which every module's units use.
                        const std::string name = "TState" + std::to_string(++counter_);
                        project_.FirstModule().CreateEnumType(name, "", {"st" + std::to_string(counter_) + "Open",
                                                                         "st" + std::to_string(counter_) + "Closed"});
                        Typed(property.DataType(), {name, dtEnum, {}});
                    }
                    break;
                }
                case kSpaceValues: {
                    struct Value { std::string_view type; std::string_view value; };
                    static constexpr std::array<Value, 24> kValues{{
                        {"Integer", "MaxInt"}, {"Integer", "High(Integer)"}, {"Integer", "$FF"}, {"Integer", "'7'"},
                        {"Integer", "1 + 2"}, {"string", "#13#10"}, {"string", "'O''Brien'"}, {"string", "42"},
                        {"string", "sLineBreak"}, {"string", "Hello World"}, {"string", "'open"}, {"Double", "2.5"},
                        {"Boolean", "True"}, {"Boolean", "not False"}, {"Char", "'x'"}, {"Integer", "MaxInt - 1"},
                        {"Integer", "2.5"}, {"Boolean", "1"}, {"Double", "'2.5'"}, {"string", "'a' + #9 + 'b'"},
                        {"Integer", "-$10"}, {"Char", "65"}, {"Integer", "Ord('A') shl 2"}, {"string", "'It''s'"}}};
                    const Value& value = draw_.Pick(kValues);
                    TemgProperty& property = NewTyped(cls, value.type);
                    draw_.Chance(50) ? property.SetDefaultValue(value.value) : property.SetDebugValue(value.value);
                    if (draw_.Chance(30)) module.DebugApplications().NewDebugApplication().Connection().SetUserName("O'Brien");
                    break;
                }
                case kSpaceAddedUnits: {
                    static constexpr std::array<std::string_view, 5> kFiles{"utils-v2.pas", "My Utils.pas", "2fast.pas",
                                                                            "Utils_v2.pas", "HandUtils.pas"};
                    const std::string file(draw_.Pick(kFiles));
                    module.AddUnits().Add()->SetName(file);
                    const std::string unit = file.substr(0, file.size() - 4);
                    if (!IsValidIdent(unit)) break;
                    // The unit as its developer wrote it.
                    const std::string directory = module.OutputDirectory(project_.GetSrcPath());
                    ForceDirectories(directory);
                    test::WriteText(directory + file, "unit " + unit + ";\r\ninterface\r\nconst\r\n  k" + unit +
                                                          "Limit = 7;\r\nimplementation\r\nend.\r\n");
                    // Its constant, qualified or not, as a property's default (an ordinal's in a declaration,
                    // a real's in code only) or debug value, and as a parameter's debug value and default.
                    const std::string constant = (draw_.Chance(30) ? unit + "." : "") + "k" + unit + "Limit";
                    TemgProperty& property = NewTyped(cls, draw_.Chance(50) ? "Integer" : "Double");
                    draw_.Chance(50) ? property.SetDefaultValue(constant) : property.SetDebugValue(constant + " * 2");
                    if (module.DebugApplications().Count() == 0) module.DebugApplications().NewDebugApplication();
                    if (draw_.Chance(50)) break;
                    TemgMethod& method = NewMethod(cls.Methods());
                    TemgParameter& parameter = test::Typed(*method.Parameters().Add(), "aLimit", "Integer");
                    parameter.SetDebugValue(constant + " - 1");
                    if (draw_.Chance(50)) parameter.SetDefaultValue(constant);
                    Choose(module, method.GetName());
                    break;
                }
                case kSpaceGuids:
                    module.SetServerOption(draw_.Chance(50) ? moComServerInDll : moComServer);
                    switch (draw_.Below(4)) {
                        case 3: cls.SetGUID(LowerCase(cls.GetGUID())); break;
                        case 0: cls.SetGUID(""); break;
                        case 1: cls.SetGUID(cls.GetGUID().size() == 38 ? cls.GetGUID().substr(1, 36) : "12345678-ABCD"); break;
                        default: {
                            TemgModule& other = AnyClassModule();
                            other.SetServerOption(moComServerInDll);
                            other.MainClass().SetGUID(cls.GetGUID());
                        }
                    }
                    break;
                case kSpaceDataModuleNames: {
                    static constexpr std::array<std::string_view, 4> kNames{"Main Data", "2nd", "Main", "Data_2"};
                    module.SetDatabaseSupport(TDatabaseSupport{dbsSetDatabaseParams});
                    module.SetDataModuleName(draw_.Pick(kNames));
                    break;
                }
                case kSpaceLongNames: {
                    const std::string name = "L" + std::string(100 + draw_.Below(30), 'o') + "ng";
                    if (draw_.Chance(50)) {
                        NewTyped(cls, "Integer").SetName(name);
                    } else {
                        // A debug form names a row's controls after its method.
                        NewMethod(cls.Methods()).SetName(name);
                        Choose(module, name);
                    }
                    break;
                }
                case kSpaceRunTimeNames: {
                    static constexpr std::array<std::string_view, 14> kNames{
                        "Application", "FileExists", "LoadLibrary", "FreeLibrary", "ExcludeTrailingBackslash",
                        "DLLServers", "GetProcAddress", "Win32Check", "Assigned", "PChar", "Exception", "Session",
                        "SysUtils", "Abort"};
                    const std::string name(draw_.Pick(kNames));
                    if (draw_.Chance(50)) {
                        NewTyped(cls, "Integer").SetName(name);
                    } else if (draw_.Chance(50)) {
                        NewMethod(cls.Methods()).SetName(name);
                    } else {
                        module.DebugApplications().NewDebugApplication().SetName(name);
                    }
                    break;
                }
                case kSpaceRoutineNames:
                    DrawRoutineNames(module);
                    break;
                case kSpaceUnitHeaders: {
                    static constexpr std::array<std::string_view, 4> kHeaders{
                        "{ Copyright (c) ACME Ltd. }", "// generated\r\n{$DEFINE X}\r\n(* all rights *)",
                        "Copyright (c) ACME Ltd.", "{ open"};
                    project_.SetUnitHeader(draw_.Pick(kHeaders));
                    break;
                }
            }
        }
    }

    TemgProperty& NewTyped(TemgClass& cls, std::string_view type, TDataTypeCategory category = dtRegistered) {
        TemgProperty& property = NewProperty(cls.Properties());
        Typed(property.DataType(), {std::string(type), category, {}});
        return property;
    }

    // `method` gets a row in the module's first debug application, which is made when missing.
    void Choose(TemgModule& module, const std::string& method) {
        if (module.DebugApplications().Count() == 0) module.DebugApplications().NewDebugApplication();
        module.DebugApplications().Items(0)->Methods().Add(method);
    }

    // Names and values that the debug forms and the system methods write around: a var parameter
    // named like what a click handler declares, an enumeration value named like a form's control
    // as a debug value, a user's method named like a system method, a system method edited by
    // hand, a debug value of a property the controller does not offer.
    void DrawRoutineNames(TemgModule& module) {
        TemgClass& cls = module.MainClass();
        switch (draw_.Below(5)) {
            case 0: {
                static constexpr std::array<std::string_view, 3> kNames{"Sender", "FController", "aTotal"};
                TemgMethod& method = NewMethod(cls.Methods());
                TemgParameter& parameter = test::Typed(*method.Parameters().Add(), draw_.Pick(kNames), "Integer");
                parameter.SetCategory(pcVar);
                parameter.SetDebugValue("5");
                Choose(module, method.GetName());
                break;
            }
            case 1: {
                TemgMethod& method = NewMethod(cls.Methods());
                Choose(module, method.GetName());
                const std::string type = "TView" + std::to_string(++counter_);
                const std::string plain = "vk" + std::to_string(counter_) + "List";
                module.CreateEnumType(type, "", {"btn" + method.GetName() + "Call", "sbMethodCalls", plain});
                const std::array<std::string, 3> values{"btn" + method.GetName() + "Call", "sbMethodCalls", plain};
                NewTyped(cls, type, dtEnum).SetDebugValue(draw_.Pick(values));
                break;
            }
            case 2: {
                static constexpr std::array<std::string_view, 3> kSystem{"SetDatabaseParams", "CreateQuery", "AfterInitInstance"};
                const std::string_view name = draw_.Pick(kSystem);
                if (!cls.IsMemberNameUnique(nullptr, name, 0)) break;
                NewMethod(cls.Methods()).SetName(name);
                module.SetDatabaseSupport(TDatabaseSupport{name == "CreateQuery" ? dbsQuery : dbsSetDatabaseParams});
                break;
            }
            case 3: {
                module.SetDatabaseSupport(TDatabaseSupport{dbsSetDatabaseParams});
                TemgMethod* system = nullptr;
                for (int i = 0; i < cls.Methods().Count(); ++i)
                    if (cls.Methods().Items(i)->IsSystemItem() && cls.Methods().Items(i)->GetName() == "SetDatabaseParams")
                        system = cls.Methods().Items(i);
                if (!system || system->Parameters().Count() == 0) break;
                // Renamed, or only written in other letters, which Pascal reads as the same name.
                system->Parameters().Items(0)->SetName(draw_.Chance(50) ? "aAlias" : "AALIASNAME");
                break;
            }
            default: {
                TemgProperty& property = NewTyped(cls, "Integer");
                property.SetDebugValue("3");
                static constexpr std::array<TMemberVisibility, 3> kVisibilities{mvProtected, mvPrivate, mvPublic};
                property.SetVisibility(draw_.Pick(kVisibilities));
                if (module.DebugApplications().Count() == 0) module.DebugApplications().NewDebugApplication();
            }
        }
    }

    TemgpProject& project_;
    std::string dir_;
    DesignShape shape_;
    Draw draw_;
    bool handEdited_ = false;
    int riskPercent_ = 15;
    int counter_ = 0;
    unsigned spaces_ = 0;
    // Names given so far, for names derived from them.
    std::vector<std::string> used_;
};

}  // namespace

const char* DesignSpaceName(int index) {
    static constexpr const char* kNames[kDesignSpaceCount] = {
        "types", "values", "added units", "GUIDs", "data module names", "long names", "run-time names", "unit headers",
        "generated routines' names"};
    return index >= 0 && index < kDesignSpaceCount ? kNames[index] : "";
}

unsigned BuildRandomDesign(TemgpProject& project, const std::string& dir, const DesignShape& shape) {
    DesignBuilder builder(project, dir, shape);
    builder.Build();
    return builder.Spaces();
}

}  // namespace quillon
