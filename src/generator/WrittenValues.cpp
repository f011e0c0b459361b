#include "generator/WrittenValues.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "generator/Module.h"
#include "platform/Text.h"
#include "source/SourceClasses.h"
#include "source/SourceTypes.h"
#include "source/SourceUnit.h"

namespace quillon {

namespace {

bool IsOperatorWord(std::string_view word) {
    for (std::string_view op : {"and", "or", "xor", "not", "div", "mod", "shl", "shr", "in", "is", "as"})
        if (SameText(word, op)) return true;
    return false;
}

bool NamesUndeclared(std::string_view value, const TemgModule& module, const TemgModule* first) {
    return !value.empty() && NamesUndeclaredIdentifier(value, module, first);
}

// Whether a declaration of `part` writes a value that names an undeclared identifier.
bool PartWritesUndeclared(const TgmcModulePart& part, const TemgModule& module, const TemgModule* first) {
    const auto parameters = [&](const TgmcParameters& list) {
        for (int i = 0; i < list.Count(); ++i)
            if (NamesUndeclared(list.Items(i)->GetDefaultValue(), module, first)) return true;
        return false;
    };
    const auto methods = [&](const TgmcMethods& list) {
        for (int i = 0; i < list.Count(); ++i)
            if (parameters(list.Items(i)->Parameters())) return true;
        return false;
    };
    if (methods(part.Methods())) return true;
    for (int i = 0; i < part.ProceduralTypes().Count(); ++i)
        if (parameters(part.ProceduralTypes().Items(i)->Parameters())) return true;
    for (int i = 0; i < part.Classes().Count(); ++i) {
        const TgmcClass& cls = *part.Classes().Items(i);
        if (methods(cls.Methods())) return true;
        for (int j = 0; j < cls.Properties().Count(); ++j)
            if (NamesUndeclared(cls.Properties().Items(j)->WrittenDefaultValue(), module, first)) return true;
    }
    return false;
}

bool Uses(const TgmcUsesModules& uses, std::string_view name) {
    for (int i = 0; i < uses.Count(); ++i)
        if (SameText(uses.Items(i)->GetName(), name)) return true;
    return false;
}

}  // namespace

bool Tokenize(std::string_view value, std::vector<Token>& tokens) {
    const auto is = [&](std::size_t at, int (*test)(int)) {
        return at < value.size() && test(static_cast<unsigned char>(value[at])) != 0;
    };
    std::size_t at = 0;
    while (at < value.size()) {
        const std::size_t start = at;
        const char c = value[at];
        TokenKind kind = TokenKind::kOther;
        if (is(at, std::isspace)) {
            ++at;
            continue;
        }
        if (c == '\'' || c == '#') {
            kind = TokenKind::kText;
            while (at < value.size() && (value[at] == '\'' || value[at] == '#')) {
                if (value[at++] == '#') {
                    if (at < value.size() && value[at] == '$') ++at;
                    while (is(at, std::isxdigit)) ++at;
                    continue;
                }
                for (;; ++at) {
                    if (at >= value.size()) return false;
                    if (value[at] != '\'') continue;
                    if (at + 1 < value.size() && value[at + 1] == '\'') {
                        ++at;
                        continue;
                    }
                    ++at;
                    break;
                }
            }
        } else if (c == '$') {
            kind = TokenKind::kInteger;
            for (++at; is(at, std::isxdigit);) ++at;
        } else if (is(at, std::isdigit)) {
            kind = TokenKind::kInteger;
            while (is(at, std::isdigit)) ++at;
            if (at < value.size() && value[at] == '.' && is(at + 1, std::isdigit)) {
                kind = TokenKind::kReal;
                for (++at; is(at, std::isdigit);) ++at;
            }
            if (at < value.size() && (value[at] == 'e' || value[at] == 'E')) {
                std::size_t exponent = at + 1;
                if (exponent < value.size() && (value[exponent] == '+' || value[exponent] == '-')) ++exponent;
                if (is(exponent, std::isdigit)) {
                    kind = TokenKind::kReal;
                    for (at = exponent; is(at, std::isdigit);) ++at;
                }
            }
        } else if (is(at, std::isalpha) || c == '_') {
            while (is(at, std::isalnum) || (at < value.size() && value[at] == '_') ||
                   (at < value.size() && value[at] == '.' && (is(at + 1, std::isalpha) || (at + 1 < value.size() && value[at + 1] == '_'))))
                ++at;
            kind = IsOperatorWord(value.substr(start, at - start)) ? TokenKind::kOperator : TokenKind::kName;
        } else {
            ++at;
            if (c == '(' || c == '[') kind = TokenKind::kOpen;
            else if (c == ')' || c == ']') kind = TokenKind::kClose;
            else if (std::string_view("+-*/=<>,@^:.").find(c) != std::string_view::npos) kind = TokenKind::kOperator;
        }
        tokens.push_back({kind, value.substr(start, at - start)});
    }
    return true;
}

bool IsOperand(TokenKind kind) {
    return kind == TokenKind::kText || kind == TokenKind::kInteger || kind == TokenKind::kReal || kind == TokenKind::kName;
}

const TgmcEnumType* EnumOfValue(const TemgModule& module, const TemgModule* first, std::string_view name) {
    for (const TemgModule* owner : {&module, first})
        if (const TgmcEnumType* type = owner ? owner->FindEnumTypeOfValue(name) : nullptr) return type;
    return nullptr;
}

bool NamesUndeclaredIdentifier(std::string_view value, const TemgModule& module, const TemgModule* first) {
    std::vector<Token> tokens;
    if (!Tokenize(value, tokens)) return false;
    for (const Token& token : tokens) {
        if (token.kind != TokenKind::kName) continue;
        const std::string_view name = LeadingName(token);
        if (SameText(name, "True") || SameText(name, "False") || SameText(name, "nil")) continue;
        if (EnumOfValue(module, first, name) || !module.FindKnownType(name).name.empty()) continue;
        return true;
    }
    return false;
}

void UseAddedUnitsForValues(TgmcModule& unit, const TemgModule& module, const TemgModule* first,
                            const std::vector<std::string_view>& codeValues) {
    TgmcUsesModules added;
    module.AddUnits().AddUnitUses(added, {}, false);
    if (added.Count() == 0) return;
    TgmcModulePart* part = nullptr;
    if (PartWritesUndeclared(unit.InterfacePart(), module, first)) {
        part = &unit.InterfacePart();
    } else if (PartWritesUndeclared(unit.ImplementationPart(), module, first) ||
               // The code values are values of the design: when none of those names an undeclared
               // identifier, none of these does.
               (!codeValues.empty() && module.ValuesNameUndeclared(first) &&
                std::any_of(codeValues.begin(), codeValues.end(),
                            [&](std::string_view value) { return NamesUndeclared(value, module, first); }))) {
        part = &unit.ImplementationPart();
    }
    if (!part) return;
    for (int i = 0; i < added.Count(); ++i) {
        const std::string& name = added.Items(i)->GetName();
        if (!Uses(unit.InterfacePart().UsesModules(), name) && !Uses(unit.ImplementationPart().UsesModules(), name))
            part->UsesModules().Add()->SetName(name);
    }
}

bool DesignValuesNameUndeclared(const TemgModule& module, const TemgModule* first) {
    const auto parameters = [&](const TemgParameters& list) {
        for (int i = 0; i < list.Count(); ++i)
            if (NamesUndeclared(list.Items(i)->GetDefaultValue(), module, first) ||
                NamesUndeclared(list.Items(i)->GetDebugValue(), module, first))
                return true;
        return false;
    };
    const TemgClass& cls = module.MainClass();
    for (const TemgProperties* members : {&cls.Properties(), &cls.Events()})
        for (int i = 0; i < members->Count(); ++i)
            if (NamesUndeclared(members->Items(i)->GetDefaultValue(), module, first) ||
                NamesUndeclared(members->Items(i)->GetDebugValue(), module, first))
                return true;
    for (int i = 0; i < cls.Methods().Count(); ++i)
        if (parameters(cls.Methods().Items(i)->Parameters())) return true;
    for (int i = 0; i < module.ProceduralTypes().Count(); ++i)
        if (parameters(module.ProceduralTypes().Items(i)->Parameters())) return true;
    return false;
}

}  // namespace quillon
