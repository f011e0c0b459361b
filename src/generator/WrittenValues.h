// The values a design writes into code as typed (default and debug values): their tokens, the
// names in them the design declares, and the added units a unit that writes them must use.
#pragma once

#include <string_view>
#include <vector>

namespace quillon {

class TemgModule;
class TgmcEnumType;
class TgmcModule;

enum class TokenKind { kText, kInteger, kReal, kName, kOperator, kOpen, kClose, kOther };

struct Token {
    TokenKind kind;
    std::string_view text;
};

// The tokens of an expression as Object Pascal reads them; false on a quote that does not close.
// A text literal is its quoted parts and control characters (#13#10) together; a dotted name is
// one token.
bool Tokenize(std::string_view value, std::vector<Token>& tokens);
bool IsOperand(TokenKind kind);
// The identifier a name token starts with: the name, or a dotted name's first part.
inline std::string_view LeadingName(const Token& token) { return token.text.substr(0, token.text.find('.')); }

// The enumerated type of `module` or `first` that has the value `name`, or nullptr.
const TgmcEnumType* EnumOfValue(const TemgModule& module, const TemgModule* first, std::string_view name);

// Whether `value` names what only a unit of the developer's own can declare (a constant of an
// added unit): a name, or a dotted name's first part, that is no Boolean constant, nil, value of
// an enumeration of `module` or `first` or type the module knows.
bool NamesUndeclaredIdentifier(std::string_view value, const TemgModule& module, const TemgModule* first);

// Whether a default or debug value of the module's design names an undeclared identifier.
bool DesignValuesNameUndeclared(const TemgModule& module, const TemgModule* first);

// The module's added units (".pas" files, by unit name) join the uses of `unit` when a value
// written in it names an undeclared identifier: in the interface part where a declaration there
// writes it (a parameter's default, a property's default clause), else in the implementation part
// where a declaration there does or `codeValues` (the values the unit's routine bodies write)
// holds one. A unit already in either clause is not added again.
void UseAddedUnitsForValues(TgmcModule& unit, const TemgModule& module, const TemgModule* first,
                            const std::vector<std::string_view>& codeValues = {});

}  // namespace quillon
