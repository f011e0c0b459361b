// The object-text writer: walks the published-property tables and appends to one string.
#include "model/ObjectText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <type_traits>

#include "model/Collection.h"
#include "model/Published.h"
#include "platform/TextEncoding.h"

namespace quillon {

namespace {

void AppendIndent(std::string& out, int level) { out.append(static_cast<std::size_t>(level * kIndentWidth), ' '); }

void NewLine(std::string& out, int level) {
    out += kLineEnd;
    AppendIndent(out, level);
}

// Significant digits of a written floating-point value.
constexpr std::size_t kFloatDigits = 15;

// Printable ASCII goes between quotes; every other character is written as its code, so that
// model files are ASCII whatever the text holds.
bool IsQuotable(char16_t c) { return c >= ' ' && c < 0x80 && c != '\''; }

void AppendInteger(std::string& out, std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendSetValue(std::string& out, const EnumTypeInfo& type, std::int64_t bits) {
    out += '[';
    bool first = true;
    for (int i = 0; i < type.Count() && i < 32; ++i) {
        if ((bits & (std::int64_t{1} << i)) == 0) continue;
        if (!first) out += ", ";
        out += type.NameOf(i);
        first = false;
    }
    out += ']';
}

void AppendPropertyLines(std::string& out, const TPersistent& object, int level, const std::string& prefix);

void AppendPropertyStart(std::string& out, int level, const std::string& prefix, std::string_view name) {
    AppendIndent(out, level);
    out += prefix;
    out += name;
    out += " = ";
}

void AppendCollection(std::string& out, const TCollection& collection, int level) {
    out += '<';
    for (int i = 0; i < collection.Count(); ++i) {
        NewLine(out, level + 1);
        out += "item";
        out += kLineEnd;
        AppendPropertyLines(out, *collection.Item(i), level + 2, std::string());
        AppendIndent(out, level + 1);
        out += "end";
    }
    out += '>';
}

void AppendStrings(std::string& out, const TStringList& list, int level) {
    out += '(';
    for (const std::string& s : list.Items()) {
        NewLine(out, level + 1);
        AppendStringValue(out, s, level + 1);
    }
    out += ')';
}

// One property of `object` at `level`; `prefix` is the path of the sub-object it belongs to.
void AppendProperty(std::string& out, const TPersistent& object, const PropertyInfo& p, int level,
                    const std::string& prefix) {
    switch (p.kind) {
    case PropKind::Integer:
    case PropKind::Boolean:
    case PropKind::Enumeration:
    case PropKind::Set: {
        const std::int64_t value = p.getOrdinal(object);
        if (p.defaultOrdinal && *p.defaultOrdinal == value) return;
        AppendPropertyStart(out, level, prefix, p.name);
        if (p.kind == PropKind::Integer)
            AppendInteger(out, value);
        else if (p.kind == PropKind::Boolean)
            out += value != 0 ? "True" : "False";
        else if (p.kind == PropKind::Enumeration)
            out += p.type->NameOf(value);
        else
            AppendSetValue(out, *p.type, value);
        break;
    }
    case PropKind::Float: {
        const double value = p.getFloat(object);
        if (value == 0) return;
        AppendPropertyStart(out, level, prefix, p.name);
        out += FloatToText(value);
        break;
    }
    case PropKind::String: {
        const std::string value = p.getString(object);
        if (value.empty()) return;
        AppendPropertyStart(out, level, prefix, p.name);
        AppendStringValue(out, value, level);
        break;
    }
    case PropKind::Object:
        AppendPropertyLines(out, p.ObjectOf(object), level, prefix + p.name + '.');
        return;
    case PropKind::StringList: {
        const auto* list = dynamic_cast<const TStringList*>(&p.ObjectOf(object));
        if (!list || list->Count() == 0) return;
        AppendPropertyStart(out, level, prefix, p.name + ".Strings");
        AppendStrings(out, *list, level);
        break;
    }
    case PropKind::Collection: {
        const auto* collection = dynamic_cast<const TCollection*>(&p.ObjectOf(object));
        if (!collection) return;
        AppendPropertyStart(out, level, prefix, p.name);
        AppendCollection(out, *collection, level);
        break;
    }
    }
    out += kLineEnd;
}

void AppendPropertyLines(std::string& out, const TPersistent& object, int level, const std::string& prefix) {
    for (const PropertyInfo& p : object.Published().Properties()) AppendProperty(out, object, p, level, prefix);
}

}  // namespace

namespace {

// The string `s` of characters (ASCII bytes, or UTF-16 code units as the codes spell them), cut
// into lines of kStringCutWidth characters.
template <typename Text>
void AppendCodedString(std::string& out, const Text& s, int level) {
    const auto unit = [&](std::size_t i) {
        return static_cast<char16_t>(static_cast<std::make_unsigned_t<typename Text::value_type>>(s[i]));
    };
    const int valueLevel = level + 1;
    if (s.size() > kStringCutWidth) NewLine(out, valueLevel);
    std::size_t i = 0;
    std::size_t lineStart = 0;  // first character of s on the current line
    while (i < s.size()) {
        if (IsQuotable(unit(i))) {
            out += '\'';
            do out += static_cast<char>(unit(i++));
            while (i < s.size() && IsQuotable(unit(i)) && i - lineStart < kStringCutWidth);
            out += '\'';
        } else {
            out += '#';
            AppendInteger(out, unit(i++));
        }
        if (i - lineStart >= kStringCutWidth && i < s.size()) {
            out += " +";
            NewLine(out, valueLevel);
            lineStart = i;
        }
    }
}

}  // namespace

void AppendStringValue(std::string& out, std::string_view value, int level) {
    if (value.empty())
        out += "''";
    else if (IsAscii(value))
        AppendCodedString(out, value, level);
    else
        AppendCodedString(out, Utf16FromUtf8(value), level);
}

std::string FloatToText(double value) {
    if (value == 0) return "0";
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    // Round to 15 significant digits: "d.dddddddddddddde[+-]x". Near the largest double that
    // rounding can overflow; those few values are cut to 15 digits instead, so they read back.
    char buffer[40];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, kFloatDigits - 1);
    double check = 0;
    if (std::from_chars(buffer, result.ptr, check).ec == std::errc::result_out_of_range)
        result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, kFloatDigits + 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const bool negative = text.front() == '-';
    const std::size_t mantissaStart = negative ? 1 : 0;
    const std::size_t ePos = text.find('e');
    std::string digits;
    for (std::size_t i = mantissaStart; i < ePos && digits.size() < kFloatDigits; ++i)
        if (text[i] != '.') digits += text[i];
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    int exponent = 0;
    std::string_view expText = text.substr(ePos + 1);
    if (expText.front() == '+') expText.remove_prefix(1);
    std::from_chars(expText.data(), expText.data() + expText.size(), exponent);

    std::string out = negative ? "-" : "";
    if (exponent >= static_cast<int>(kFloatDigits) || exponent < -5) {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out.append(digits, 1);
        }
        out += 'E';
        out += std::to_string(exponent);
    } else if (exponent >= 0) {
        const std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= intDigits) {
            out += digits;
            out.append(intDigits - digits.size(), '0');
        } else {
            out.append(digits, 0, intDigits);
            out += '.';
            out.append(digits, intDigits);
        }
    } else {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    }
    return out;
}

void AppendPropertiesText(std::string& out, const TPersistent& object, int level) {
    AppendPropertyLines(out, object, level, std::string());
}

std::string PropertiesToText(const TPersistent& object, int level) {
    std::string out;
    AppendPropertiesText(out, object, level);
    return out;
}

void AppendObjectText(std::string& out, const TPersistent& object, int level) {
    AppendIndent(out, level);
    out += "object ";
    if (const auto* component = dynamic_cast<const TComponent*>(&object); component && !component->ComponentName().empty()) {
        out += component->ComponentName();
        out += ": ";
    }
    out += object.ClassName();
    out += kLineEnd;
    AppendPropertiesText(out, object, level + 1);
    AppendIndent(out, level);
    out += "end";
    out += kLineEnd;
}

std::string ObjectToText(const TPersistent& object) {
    std::string out;
    AppendObjectText(out, object, 0);
    return out;
}

bool SameStoredProperties(const TPersistent& a, const TPersistent& b) {
    return PropertiesToText(a) == PropertiesToText(b);
}

}  // namespace quillon
