#include "checking/ValueChecks.h"

#include <optional>
#include <string>
#include <vector>

#include "checking/CheckMessages.h"
#include "elements/ElementMessages.h"
#include "elements/ElementRules.h"
#include "generator/DebugApplicationUnits.h"
#include "generator/Module.h"
#include "generator/WrittenValues.h"
#include "platform/Exception.h"
#include "platform/Format.h"
#include "platform/Text.h"

namespace quillon {

namespace {

// What literals a type takes, for the types of the run-time library whose literals are known.
enum class TypeKind { kText, kChar, kInteger, kReal, kBoolean, kEnum, kOther };

TypeKind KindOf(const TemgDataType& type) {
    if (type.GetCategory() == dtEnum) return TypeKind::kEnum;
    if (type.GetCategory() != dtRegistered) return TypeKind::kOther;
    struct Named {
        std::string_view name;
        TypeKind kind;
    };
    static constexpr Named kTypes[] = {
        {"String", TypeKind::kText},      {"ShortString", TypeKind::kText}, {"AnsiString", TypeKind::kText},
        {"WideString", TypeKind::kText},  {"UnicodeString", TypeKind::kText}, {"Char", TypeKind::kChar},
        {"AnsiChar", TypeKind::kChar},    {"WideChar", TypeKind::kChar},    {"Integer", TypeKind::kInteger},
        {"Cardinal", TypeKind::kInteger}, {"ShortInt", TypeKind::kInteger}, {"SmallInt", TypeKind::kInteger},
        {"LongInt", TypeKind::kInteger},  {"Int64", TypeKind::kInteger},    {"Byte", TypeKind::kInteger},
        {"Word", TypeKind::kInteger},     {"LongWord", TypeKind::kInteger}, {"Double", TypeKind::kReal},
        {"Single", TypeKind::kReal},      {"Extended", TypeKind::kReal},    {"Comp", TypeKind::kReal},
        {"Currency", TypeKind::kReal},    {"Real", TypeKind::kReal},        {"TDateTime", TypeKind::kReal},
        {"Boolean", TypeKind::kBoolean},  {"ByteBool", TypeKind::kBoolean}, {"WordBool", TypeKind::kBoolean},
        {"LongBool", TypeKind::kBoolean}};
    for (const Named& named : kTypes)
        if (SameText(named.name, type.GetName())) return named.kind;
    return TypeKind::kOther;
}

// The module's or else the first module's enumerated types by value and by name, each remembered
// for the text asked last: a value that is one bare name is asked for by the rules of its fit and
// then by the debug forms', and a member's default and debug values ask for its type. The texts
// asked are the design's own, unchanged while they are remembered.
class EnumLookups {
public:
    EnumLookups(const TemgModule& module, const TemgModule* first) : module_(module), first_(first) {}

    const TgmcEnumType* OfValue(std::string_view name) {
        return Remembered(value_, name, [&] { return EnumOfValue(module_, first_, name); });
    }
    const TgmcEnumType* Named(std::string_view name) {
        return Remembered(type_, name, [&] {
            const TgmcEnumType* own = FindEnumType(&module_, name);
            return own ? own : FindEnumType(first_, name);
        });
    }

private:
    struct Last {
        std::string_view name;
        const TgmcEnumType* type = nullptr;
    };
    template <typename LookUp>
    static const TgmcEnumType* Remembered(Last& last, std::string_view name, const LookUp& lookUp) {
        if (name.data() != last.name.data() || name.size() != last.name.size()) last = {name, lookUp()};
        return last.type;
    }

    const TemgModule& module_;
    const TemgModule* first_;
    Last value_;
    Last type_;
};

// A bare name as the value of an element of kind `kind`.
TValueFit NameFit(std::string_view name, const TemgDataType& type, TypeKind kind, const TemgModule& module,
                  EnumLookups& enums) {
    // The enumerated type that has a value `name`, or nullptr.
    const TgmcEnumType* valueOf = enums.OfValue(name);
    const bool boolean = SameText(name, "True") || SameText(name, "False");
    // A name qualified by its unit is no value of the design's.
    const bool qualified = name.find('.') != std::string_view::npos;
    switch (kind) {
        case TypeKind::kText:
        case TypeKind::kChar:
            if (boolean || valueOf) return TValueFit::kWrong;
            return TValueFit::kUnresolved;
        case TypeKind::kInteger:
        case TypeKind::kReal: return boolean || valueOf ? TValueFit::kWrong : TValueFit::kFits;
        case TypeKind::kBoolean:
            if (valueOf) return TValueFit::kWrong;
            return boolean || qualified ? TValueFit::kFits : TValueFit::kUnresolved;
        case TypeKind::kEnum: {
            const TgmcEnumType* own = enums.Named(type.GetName());
            if (!own || qualified || valueOf == own) return TValueFit::kFits;
            if (boolean || valueOf) return TValueFit::kWrong;
            return module.AddUnits().Count() > 0 ? TValueFit::kUnresolved : TValueFit::kWrong;
        }
        case TypeKind::kOther: return TValueFit::kFits;
    }
    return TValueFit::kFits;
}

}  // namespace

const TgmcEnumType* FindEnumType(const TemgModule* module, std::string_view name) {
    return module ? module->FindEnumType(name) : nullptr;
}

namespace {

TValueFit Fit(std::string_view value, const TemgDataType& type, const TemgModule& module, const ClassScope* scope,
              EnumLookups& enums) {
    std::vector<Token> tokens;
    if (!Tokenize(value, tokens)) return TValueFit::kWrong;
    if (scope)
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            // A name after a dot is a member of what stands before it.
            if (tokens[i].kind != TokenKind::kName || (i > 0 && tokens[i - 1].text == ".")) continue;
            const std::string_view name = LeadingName(tokens[i]);
            if (!enums.OfValue(name) && !scope->Taker(name).empty()) return TValueFit::kWrong;
        }
    for (std::size_t i = 1; i < tokens.size(); ++i)
        if ((IsOperand(tokens[i - 1].kind) || tokens[i - 1].kind == TokenKind::kClose) && IsOperand(tokens[i].kind))
            return TValueFit::kWrong;
    const bool signed_ = tokens.size() == 2 && (tokens[0].text == "-" || tokens[0].text == "+");
    if (tokens.size() != (signed_ ? 2u : 1u)) return TValueFit::kFits;
    const Token& literal = tokens.back();
    const TypeKind kind = KindOf(type);
    switch (literal.kind) {
        case TokenKind::kText:
            return signed_ || kind == TypeKind::kInteger || kind == TypeKind::kReal || kind == TypeKind::kBoolean ||
                           kind == TypeKind::kEnum
                       ? TValueFit::kWrong
                       : TValueFit::kFits;
        case TokenKind::kReal:
            if (kind == TypeKind::kInteger) return TValueFit::kWrong;
            [[fallthrough]];
        case TokenKind::kInteger:
            return kind == TypeKind::kText || kind == TypeKind::kChar || kind == TypeKind::kBoolean ||
                           kind == TypeKind::kEnum
                       ? TValueFit::kWrong
                       : TValueFit::kFits;
        case TokenKind::kName:
            return signed_ ? TValueFit::kFits : NameFit(literal.text, type, kind, module, enums);
        case TokenKind::kOperator:
        case TokenKind::kOpen:
        case TokenKind::kClose:
        case TokenKind::kOther: return TValueFit::kFits;
    }
    return TValueFit::kFits;
}

}  // namespace

TValueFit ValueFit(std::string_view value, const TemgDataType& type, const TemgModule& module,
                   const TemgModule* first, const ClassScope* scope) {
    EnumLookups enums(module, first);
    return Fit(value, type, module, scope, enums);
}

namespace {

class ValueChecker {
public:
    ValueChecker(const TemgModule& module, const IModuleResolver& modules, TCheckCollection& results)
        : module_(module), modules_(modules), first_(modules.GetFirstModule()), results_(results),
          scope_(module.MainClassScope()), enums_(module, first_) {
        const TemgDebugApplications& applications = module.DebugApplications();
        for (int i = 0; i < applications.Count(); ++i)
            forms_.push_back({applications.Items(i), TDebugFormRows(*applications.Items(i)), {}});
    }

    void Run() {
        const TemgClass& cls = module_.MainClass();
        for (const TemgProperties* members : {&cls.Properties(), &cls.Events()})
            for (int i = 0; i < members->Count(); ++i) Property(*members->Items(i));
        for (int i = 0; i < cls.Methods().Count(); ++i) Method(*cls.Methods().Items(i));
        for (int i = 0; i < module_.ProceduralTypes().Count(); ++i) {
            const TemgParameters& parameters = module_.ProceduralTypes().Items(i)->Parameters();
            for (int j = 0; j < parameters.Count(); ++j)
                Value(kCheckDefaultValueFit, parameters.Items(j)->GetDefaultValue(), *parameters.Items(j), nullptr);
        }
    }

private:
    struct Form {
        const TemgDebugApplication* application;
        TDebugFormRows rows;
        // The members of the form's class, built when a value that names an enumeration value
        // first needs them: building the form walks the whole class, and most values name none.
        std::optional<TNameList> members;
    };

    const TNameList& Members(Form& form) {
        if (!form.members) {
            // A form that cannot be built yet (a type it names is missing, which the check reports
            // elsewhere) gives no members.
            form.members.emplace(std::vector<std::string>());
            try {
                form.members.emplace(DebugGeneratorFormMembers(*form.application, module_, modules_));
            } catch (const Exception&) {
            }
        }
        return *form.members;
    }

    // `scope`: the value is written inside the generated classes.
    void Value(std::string_view message, const std::string& value, const TemgDataTypeItem& element,
               const ClassScope* scope) {
        if (value.empty() || element.DataType().GetName().empty()) return;
        const TValueFit fit = Fit(value, element.DataType(), module_, scope, enums_);
        if (fit != TValueFit::kFits)
            results_.Add(Format(message, value, element.DataType().GetName()), &element,
                         fit == TValueFit::kWrong ? cicError : cicWarning);
    }

    // A debug value that `form` writes and that names a value of the design's enumerations, where
    // the form reads one of its members of that name instead: true when reported.
    bool FormMember(const std::string& value, const TemgDataTypeItem& element, Form& form) {
        if (!enums_.OfValue(value)) return false;
        const std::string* member = Members(form).Find(value);
        if (!member) return false;
        results_.Add(Format(kNameTaken, value,
                            "the member " + *member + " of the form class " +
                                form.application->GeneratorFormClassName()),
                     &element, cicError);
        return true;
    }

    void Property(const TemgProperty& property) {
        // The class's default directive and its constructor write the default value.
        Value(kCheckDefaultValueFit, property.GetDefaultValue(), property, scope_.get());
        if (forms_.empty() || property.GetDebugValue().empty() || property.HasSetting(isDSC)) return;
        // The editors keep the debug value of a property that is not exported, which the forms
        // leave out as they always did; a file edited by hand may hide the property instead.
        if (property.GetExported() && !property.IsOfferedByController()) {
            results_.Add(Format(kCheckDebugValueNotUsed, property.GetName()), &property, cicWarning);
            return;
        }
        if (!property.WritesDebugValue()) return;
        Value(kCheckDebugValueFit, property.GetDebugValue(), property, nullptr);
        for (Form& form : forms_)
            if (FormMember(property.GetDebugValue(), property, form)) return;
    }

    void Method(const TemgMethod& method) {
        const TemgParameters& parameters = method.Parameters();
        bool valued = true;
        for (int i = 0; i < parameters.Count(); ++i) {
            Value(kCheckDefaultValueFit, parameters.Items(i)->GetDefaultValue(), *parameters.Items(i), scope_.get());
            valued = valued && !parameters.Items(i)->GetDebugValue().empty();
        }
        // A row's click handler passes the debug values only when every parameter has one; a var
        // parameter's goes through a local variable of the parameter's name.
        if (!valued || parameters.Count() == 0) return;
        std::vector<bool> reported(static_cast<std::size_t>(parameters.Count()));
        bool written = false;
        for (Form& form : forms_) {
            if (!form.rows.Has(method)) continue;
            for (int i = 0; i < parameters.Count(); ++i) {
                const TemgParameter& parameter = *parameters.Items(i);
                if (!written) Value(kCheckDebugValueFit, parameter.GetDebugValue(), parameter, nullptr);
                if (reported[static_cast<std::size_t>(i)]) continue;
                reported[static_cast<std::size_t>(i)] = FormMember(parameter.GetDebugValue(), parameter, form);
                if (parameter.GetCategory() != pcVar) continue;
                for (std::string_view name : DebugClickHandlerNames())
                    if (SameText(name, parameter.GetName())) {
                        results_.Add(Format(kNameTaken, parameter.GetName(),
                                            "the click handler " + method.GetName() + "Click of the form class " +
                                                form.application->GeneratorFormClassName()),
                                     &parameter, cicError);
                        reported[static_cast<std::size_t>(i)] = true;
                    }
            }
            written = true;
        }
    }

    const TemgModule& module_;
    const IModuleResolver& modules_;
    const TemgModule* first_;
    TCheckCollection& results_;
    // The names of the generated classes, where default values of members are written.
    const std::shared_ptr<const ClassScope> scope_;
    EnumLookups enums_;
    std::vector<Form> forms_;
};

}  // namespace

void CheckModuleValues(const TemgModule& module, const IModuleResolver& modules, TCheckCollection& results) {
    ValueChecker(module, modules, results).Run();
}

}  // namespace quillon
