// The object-text reader. A single-pass tokenizer feeds a parser that builds a small syntax tree
// of one object; a binder then checks the tree against the target's published properties
// without changing anything, and only then applies it. So syntax errors, unknown properties
// and wrong values all leave the target untouched.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <vector>

#include "model/Collection.h"
#include "model/ModelMessages.h"
#include "model/ObjectText.h"
#include "model/Published.h"
#include "platform/Exception.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "platform/TextEncoding.h"

namespace quillon {

namespace {

// Objects, collections, items and lists nest at most this deep; model files need a handful.
constexpr int kMaxNesting = 100;
// A #NNN character code is a UTF-16 code unit: at most five digits, at most 65535.
constexpr int kMaxCharCodeDigits = 5;
constexpr int kMaxCharCode = 0xFFFF;

// --- Syntax tree ----------------------------------------------------------------------------

enum class ValueKind { Integer, Float, String, Identifier, Set, List, Collection, Binary };

struct PropertyNode;

struct ItemNode {
    int line = 0;
    std::vector<PropertyNode> properties;
};

struct ValueNode {
    ValueKind kind = ValueKind::Integer;
    int line = 0;
    std::string_view token;                    // Integer, Float, Identifier: the source text
    std::string text;                          // String: decoded; Binary: the bytes
    std::vector<std::string_view> identifiers; // Set
    std::vector<ValueNode> list;               // List
    std::vector<ItemNode> items;               // Collection
};

struct PropertyNode {
    std::string_view path;  // source text from the first to the last name, dots and blanks included
    int line = 0;
    ValueNode value;
};

struct ObjectNode {
    std::string_view name;
    std::string_view className;
    int line = 0;
    std::vector<PropertyNode> properties;
    std::vector<ObjectNode> children;
};

// The position carries the message without its line, for readers that print the place apart.
[[noreturn]] void Fail(std::string_view message, int line) {
    throw Exception(Format(kParseError, message, line), FilePosition{{}, line, std::string(message)});
}

// The names of a path with the blanks around its dots removed.
std::vector<std::string_view> PathNames(std::string_view path) {
    std::vector<std::string_view> names;
    std::size_t start = 0;
    while (true) {
        const std::size_t dot = path.find('.', start);
        std::string_view name = path.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start);
        while (!name.empty() && static_cast<unsigned char>(name.front()) <= ' ') name.remove_prefix(1);
        while (!name.empty() && static_cast<unsigned char>(name.back()) <= ' ') name.remove_suffix(1);
        names.push_back(name);
        if (dot == std::string_view::npos) break;
        start = dot + 1;
    }
    return names;
}

std::string JoinPath(const std::vector<std::string_view>& names) {
    std::string path;
    for (std::string_view n : names) {
        if (!path.empty()) path += '.';
        path += n;
    }
    return path;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || IsDigit(c); }
int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

// --- Tokenizer and parser -------------------------------------------------------------------

class ObjectTextReader::Parser {
public:
    // Quoted text is UTF-8 when the whole file is; a file that is not was written by an older
    // tool in the Western code page.
    explicit Parser(std::string_view text) : src_(text), utf8_(IsValidUtf8(text)) { Next(); }

    bool AtEnd() const { return kind_ == Token::End; }

    ObjectNode ParseObject(int depth) {
        CheckDepth(depth);
        if (!IsKeyword("object") && !IsKeyword("inherited") && !IsKeyword("inline"))
            Fail(Format(kCharExpected, "object"), line_);
        ObjectNode node;
        node.line = line_;
        Next();
        node.className = ExpectIdentifier();
        Next();
        if (IsChar(':')) {
            Next();
            node.name = node.className;
            node.className = ExpectIdentifier();
            Next();
        }
        if (IsChar('[')) {  // a child position: accepted and ignored
            Next();
            Expect(Token::Integer, kNumberExpected);
            Next();
            ExpectChar(']');
            Next();
        }
        while (!IsKeyword("end") && !IsKeyword("object") && !IsKeyword("inherited") && !IsKeyword("inline"))
            node.properties.push_back(ParseProperty(depth));
        while (!IsKeyword("end")) {
            if (kind_ == Token::End) Fail(Format(kCharExpected, "end"), line_);
            node.children.push_back(ParseObject(depth + 1));
        }
        Next();
        return node;
    }

private:
    enum class Token { End, Identifier, Integer, Float, String, Char };

    PropertyNode ParseProperty(int depth) {
        if (kind_ == Token::End) Fail(Format(kCharExpected, "end"), line_);
        PropertyNode node;
        node.line = line_;
        const std::size_t start = tokenStart_;
        ExpectIdentifier();
        std::size_t end = pos_;
        Next();
        while (IsChar('.')) {
            Next();
            ExpectIdentifier();
            end = pos_;
            Next();
        }
        node.path = src_.substr(start, end - start);
        ExpectChar('=');
        Next();
        node.value = ParseValue(depth);
        return node;
    }

    ValueNode ParseValue(int depth) {
        CheckDepth(depth);
        ValueNode value;
        value.line = line_;
        switch (kind_) {
        case Token::String:
            value.kind = ValueKind::String;
            value.text = std::move(string_);
            Next();
            while (IsChar('+')) {
                Next();
                Expect(Token::String, kStringExpected);
                value.text += string_;
                Next();
            }
            return value;
        case Token::Integer:
        case Token::Float:
        case Token::Identifier:
            value.kind = kind_ == Token::Integer ? ValueKind::Integer
                         : kind_ == Token::Float ? ValueKind::Float
                                                 : ValueKind::Identifier;
            value.token = TokenText();
            Next();
            return value;
        case Token::Char:
            break;
        case Token::End:
            Fail(kInvalidPropertyValue, line_);
        }
        switch (char_) {
        case '[':
            value.kind = ValueKind::Set;
            Next();
            if (!IsChar(']')) {
                while (true) {
                    value.identifiers.push_back(ExpectIdentifier());
                    Next();
                    if (IsChar(']')) break;
                    ExpectChar(',');
                    Next();
                }
            }
            Next();
            return value;
        case '(':
            value.kind = ValueKind::List;
            Next();
            while (!IsChar(')')) value.list.push_back(ParseValue(depth + 1));
            Next();
            return value;
        case '<':
            value.kind = ValueKind::Collection;
            Next();
            while (!IsChar('>')) {
                if (!IsKeyword("item")) Fail(Format(kCharExpected, "item"), line_);
                CheckDepth(depth + 1);
                ItemNode item;
                item.line = line_;
                Next();
                if (IsChar('[')) {  // the item index: accepted and ignored
                    Next();
                    Expect(Token::Integer, kNumberExpected);
                    Next();
                    ExpectChar(']');
                    Next();
                }
                while (!IsKeyword("end")) item.properties.push_back(ParseProperty(depth + 2));
                Next();
                value.items.push_back(std::move(item));
            }
            Next();
            return value;
        case '{':
            value.kind = ValueKind::Binary;
            value.text = ReadBinary();
            Next();
            return value;
        default:
            Fail(kInvalidPropertyValue, line_);
        }
    }

    // The hexadecimal bytes of a binary value up to "}", blanks allowed between byte pairs.
    std::string ReadBinary() {
        std::string bytes;
        while (true) {
            SkipBlanks();
            if (pos_ >= src_.size()) Fail(kInvalidBinary, line_);
            if (src_[pos_] == '}') {
                ++pos_;
                return bytes;
            }
            const int high = HexValue(src_[pos_]);
            const int low = pos_ + 1 < src_.size() ? HexValue(src_[pos_ + 1]) : -1;
            if (high < 0 || low < 0) Fail(kInvalidBinary, line_);
            bytes += static_cast<char>(high * 16 + low);
            pos_ += 2;
        }
    }

    void CheckDepth(int depth) const {
        if (depth > kMaxNesting) Fail(kNestingTooDeep, line_);
    }

    bool IsKeyword(std::string_view word) const { return kind_ == Token::Identifier && SameText(TokenText(), word); }
    bool IsChar(char c) const { return kind_ == Token::Char && char_ == c; }
    std::string_view TokenText() const { return src_.substr(tokenStart_, pos_ - tokenStart_); }

    void Expect(Token kind, std::string_view message) const {
        if (kind_ != kind) Fail(message, line_);
    }
    std::string_view ExpectIdentifier() const {
        Expect(Token::Identifier, kIdentifierExpected);
        return TokenText();
    }
    void ExpectChar(char c) const {
        if (!IsChar(c)) Fail(Format(kCharExpected, std::string(1, c)), line_);
    }

    void SkipBlanks() {
        while (pos_ < src_.size() && static_cast<unsigned char>(src_[pos_]) <= ' ') {
            // CR LF, LF and a lone CR each end a line.
            if (src_[pos_] == '\n' || (src_[pos_] == '\r' && (pos_ + 1 >= src_.size() || src_[pos_ + 1] != '\n')))
                ++line_;
            ++pos_;
        }
    }

    void Next() {
        SkipBlanks();
        tokenStart_ = pos_;
        if (pos_ >= src_.size()) {
            kind_ = Token::End;
            return;
        }
        const char c = src_[pos_];
        if (IsIdentStart(c)) {
            while (pos_ < src_.size() && IsIdentChar(src_[pos_])) ++pos_;
            kind_ = Token::Identifier;
        } else if (IsDigit(c) || c == '-') {
            ReadNumber();
        } else if (c == '\'' || c == '#') {
            ReadString();
        } else {
            ++pos_;
            kind_ = Token::Char;
            char_ = c;
        }
    }

    // -?digits[.digits][(e|E)[+|-]digits]
    void ReadNumber() {
        kind_ = Token::Integer;
        if (src_[pos_] == '-') ++pos_;
        if (!SkipDigits()) Fail(kNumberExpected, line_);
        if (pos_ < src_.size() && src_[pos_] == '.') {
            kind_ = Token::Float;
            ++pos_;
            SkipDigits();
        }
        if (pos_ < src_.size() && (src_[pos_] == 'e' || src_[pos_] == 'E')) {
            kind_ = Token::Float;
            ++pos_;
            if (pos_ < src_.size() && (src_[pos_] == '+' || src_[pos_] == '-')) ++pos_;
            if (!SkipDigits()) Fail(kNumberExpected, line_);
        }
    }

    bool SkipDigits() {
        const std::size_t start = pos_;
        while (pos_ < src_.size() && IsDigit(src_[pos_])) ++pos_;
        return pos_ > start;
    }

    // Quoted runs ('' inside stands for one quote) and #NNN codes, written without separators.
    // A code is a UTF-16 code unit: a surrogate pair is one character, a lone surrogate U+FFFD.
    void ReadString() {
        kind_ = Token::String;
        string_.clear();
        char32_t highSurrogate = 0;
        const auto endPair = [&] {
            if (highSurrogate) AppendUtf8(string_, highSurrogate);
            highSurrogate = 0;
        };
        while (pos_ < src_.size()) {
            if (src_[pos_] == '#') {
                ++pos_;
                char32_t code = 0;
                int digits = 0;
                while (pos_ < src_.size() && IsDigit(src_[pos_])) {
                    if (++digits > kMaxCharCodeDigits) Fail(kInvalidString, line_);
                    code = code * 10 + static_cast<char32_t>(src_[pos_] - '0');
                    ++pos_;
                }
                if (digits == 0 || code > kMaxCharCode) Fail(kInvalidString, line_);
                if (highSurrogate && code >= 0xDC00 && code <= 0xDFFF) {
                    AppendUtf8(string_, 0x10000 + ((highSurrogate - 0xD800) << 10) + (code - 0xDC00));
                    highSurrogate = 0;
                    continue;
                }
                endPair();
                if (code >= 0xD800 && code <= 0xDBFF)
                    highSurrogate = code;
                else
                    AppendUtf8(string_, code);
            } else if (src_[pos_] == '\'') {
                endPair();
                ++pos_;
                while (true) {
                    std::size_t end = pos_;
                    while (end < src_.size() && src_[end] != '\'' && src_[end] != '\r' && src_[end] != '\n') ++end;
                    if (end >= src_.size() || src_[end] != '\'') Fail(kInvalidString, line_);
                    const std::string_view run = src_.substr(pos_, end - pos_);
                    if (utf8_)
                        string_ += run;
                    else
                        string_ += Utf8FromCodePage(run, kWesternCodePage);
                    pos_ = end + 1;
                    if (pos_ < src_.size() && src_[pos_] == '\'') {
                        string_ += '\'';
                        ++pos_;
                        continue;
                    }
                    break;
                }
            } else {
                break;
            }
        }
        endPair();
    }

    std::string_view src_;
    std::size_t pos_ = 0;
    int line_ = 1;
    Token kind_ = Token::End;
    std::size_t tokenStart_ = 0;
    char char_ = 0;
    std::string string_;
    bool utf8_ = true;
};

// --- Binder ---------------------------------------------------------------------------------

namespace {

// Checks (apply == false) or applies (apply == true) parsed property lines to an object. The
// check never changes the target: collection items are checked against a detached item.
class Binder {
public:
    explicit Binder(bool apply) : apply_(apply) {}

    void BindObject(const ObjectNode& node, TPersistent& target) {
        if (!node.children.empty())
            Fail(Format(kClassNotFound, node.children.front().className), node.children.front().line);
        BindProperties(node.properties, target);
        if (apply_) target.SetSourceLine(node.line);
        if (apply_ && !node.name.empty())
            if (auto* component = dynamic_cast<TComponent*>(&target)) component->SetComponentName(node.name);
    }

private:
    void BindProperties(const std::vector<PropertyNode>& properties, TPersistent& target) {
        for (const PropertyNode& p : properties) BindProperty(p, target);
    }

    void BindProperty(const PropertyNode& node, TPersistent& target) {
        const std::vector<std::string_view> names = PathNames(node.path);
        TPersistent* object = &target;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const PropertyInfo* info = object->Published().Find(names[i]);
            if (!info) break;
            const bool last = i + 1 == names.size();
            if (last) return SetValue(*info, *object, node, names);
            if (info->kind == PropKind::Object) {
                object = &info->ObjectOf(*object);
                continue;
            }
            // A string list's strings are its hidden property "Strings".
            if (info->kind == PropKind::StringList && i + 2 == names.size() && SameText(names[i + 1], "Strings"))
                return SetStrings(*info, *object, node, names);
            break;
        }
        FailAt(kPropertyDoesNotExist, names, node.line);
    }

    [[noreturn]] static void FailAt(std::string_view message, const std::vector<std::string_view>& names, int line) {
        Fail(std::string(message) + ": " + JoinPath(names), line);
    }

    void SetStrings(const PropertyInfo& info, TPersistent& owner, const PropertyNode& node,
                    const std::vector<std::string_view>& names) {
        auto* list = dynamic_cast<TStringList*>(&info.ObjectOf(owner));
        if (!list || node.value.kind != ValueKind::List) FailAt(kInvalidPropertyValue, names, node.line);
        std::vector<std::string> strings;
        for (const ValueNode& v : node.value.list) {
            if (v.kind != ValueKind::String) FailAt(kInvalidPropertyValue, names, v.line);
            if (apply_) strings.push_back(v.text);
        }
        if (apply_) list->SetItems(std::move(strings));
    }

    void SetValue(const PropertyInfo& info, TPersistent& owner, const PropertyNode& node,
                  const std::vector<std::string_view>& names) {
        const ValueNode& value = node.value;
        const auto invalid = [&] { FailAt(kInvalidPropertyValue, names, node.line); };
        switch (info.kind) {
        case PropKind::Integer: {
            if (value.kind != ValueKind::Integer) invalid();
            const std::optional<std::int64_t> number = ParseInteger(value.token);
            if (!number || *number < info.minValue || *number > info.maxValue) invalid();
            if (apply_) info.setOrdinal(owner, *number);
            return;
        }
        case PropKind::Boolean: {
            if (value.kind != ValueKind::Identifier) invalid();
            const bool isTrue = SameText(value.token, "True");
            if (!isTrue && !SameText(value.token, "False")) invalid();
            if (apply_) info.setOrdinal(owner, isTrue ? 1 : 0);
            return;
        }
        case PropKind::Enumeration: {
            if (value.kind != ValueKind::Identifier) invalid();
            const std::optional<int> ordinal = info.type->ValueOf(value.token);
            if (!ordinal) invalid();
            if (apply_) info.setOrdinal(owner, *ordinal);
            return;
        }
        case PropKind::Set: {
            if (value.kind != ValueKind::Set) invalid();
            std::int64_t bits = 0;
            for (std::string_view element : value.identifiers) {
                const std::optional<int> ordinal = info.type->ValueOf(element);
                if (!ordinal || *ordinal >= 32) invalid();
                bits |= std::int64_t{1} << *ordinal;
            }
            if (apply_) info.setOrdinal(owner, bits);
            return;
        }
        case PropKind::Float: {
            if (value.kind != ValueKind::Integer && value.kind != ValueKind::Float) invalid();
            const std::optional<double> number = ParseFloat(value.token);
            if (!number) invalid();
            if (apply_) info.setFloat(owner, *number);
            return;
        }
        case PropKind::String:
            if (value.kind != ValueKind::String) invalid();
            if (apply_) info.setString(owner, value.text);
            return;
        case PropKind::Collection: {
            auto* collection = dynamic_cast<TCollection*>(&info.ObjectOf(owner));
            if (!collection || value.kind != ValueKind::Collection) invalid();
            BindCollection(*collection, value.items);
            return;
        }
        case PropKind::Object:
        case PropKind::StringList:
            invalid();
        }
    }

    // An empty value leaves the collection as it is; otherwise its items are replaced.
    void BindCollection(TCollection& collection, const std::vector<ItemNode>& items) {
        if (items.empty()) return;
        if (!apply_) {
            const std::unique_ptr<TCollectionItem> scratch = collection.CreateDetachedItem();
            for (const ItemNode& item : items) BindProperties(item.properties, *scratch);
            return;
        }
        collection.Clear();
        for (const ItemNode& item : items) {
            TCollectionItem& added = *collection.Add();
            BindProperties(item.properties, added);
            added.SetSourceLine(item.line);
        }
    }

    static std::optional<std::int64_t> ParseInteger(std::string_view token) {
        const bool negative = !token.empty() && token.front() == '-';
        if (negative) token.remove_prefix(1);
        std::uint64_t magnitude = 0;
        constexpr std::uint64_t kLimit = std::uint64_t{1} << 63;
        for (char c : token) {
            const auto digit = static_cast<std::uint64_t>(c - '0');
            if (magnitude > (kLimit - digit) / 10) return std::nullopt;
            magnitude = magnitude * 10 + digit;
        }
        if (negative) return magnitude == kLimit ? std::numeric_limits<std::int64_t>::min()
                                                 : -static_cast<std::int64_t>(magnitude);
        if (magnitude == kLimit) return std::nullopt;
        return static_cast<std::int64_t>(magnitude);
    }

    // Reads with "." as decimal separator whatever the process's locale (from_chars knows no
    // locale); rejects overflow. A value too small for a double reads as zero of its sign, as a
    // C library's strtod gives it: from_chars reports it out of range like an overflow.
    static std::optional<double> ParseFloat(std::string_view token) {
        double value = 0;
        const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
        if (end != token.data() + token.size()) return std::nullopt;
        if (error == std::errc::result_out_of_range && LeadingDigitExponent(token) < 0)
            return token.front() == '-' ? -0.0 : 0.0;
        if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
        return value;
    }

    // The decimal exponent of the first non-zero digit of a number token (-?digits[.digits][e[+-]digits]):
    // 2 for "123.4", -3 for "0.0012", -398 for "12e-400". Only its sign matters, so a huge
    // explicit exponent is clamped.
    static long LeadingDigitExponent(std::string_view token) {
        const std::size_t e = token.find_first_of("eE");
        long exponent = 0;
        if (e != std::string_view::npos) {
            std::string_view digits = token.substr(e + 1);
            const bool negative = !digits.empty() && digits.front() == '-';
            if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) digits.remove_prefix(1);
            for (char c : digits) exponent = std::min(exponent * 10 + (c - '0'), 100000L);
            if (negative) exponent = -exponent;
        }
        const std::string_view mantissa = token.substr(0, e);
        const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
        const std::size_t first = mantissa.find_first_of("123456789");
        if (first == std::string_view::npos) return exponent;
        return exponent + (first < point ? static_cast<long>(point - first) - 1 : -static_cast<long>(first - point));
    }

    bool apply_;
};

}  // namespace

ObjectTextReader::ObjectTextReader(std::string_view text) : parser_(std::make_unique<Parser>(text)) {}

ObjectTextReader::~ObjectTextReader() = default;

bool ObjectTextReader::AtEnd() const { return parser_->AtEnd(); }

void ObjectTextReader::ReadObject(TPersistent& target) {
    const ObjectNode node = parser_->ParseObject(0);
    Binder(false).BindObject(node, target);
    Binder(true).BindObject(node, target);
}

void ObjectFromText(std::string_view text, TPersistent& object) { ObjectTextReader(text).ReadObject(object); }

void ObjectsFromText(std::string_view text, std::span<TPersistent* const> objects) {
    ObjectTextReader reader(text);
    for (TPersistent* object : objects) reader.ReadObject(*object);
}

}  // namespace quillon
