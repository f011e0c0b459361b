#include "source/TextUtils.h"

namespace quillon {

bool AppendSeparated(std::string& dest, std::string_view value, std::string_view separator, int indent, bool wrap) {
    return AppendSeparatedFrom(dest, 0, value, separator, indent, wrap);
}

bool AppendSeparatedFrom(std::string& dest, std::size_t from, std::string_view value, std::string_view separator,
                         int indent, bool wrap) {
    if (value.empty()) return false;
    AppendSeparator(dest, from, separator, indent, wrap);
    dest.append(value);
    return true;
}

void AppendSeparator(std::string& dest, std::size_t from, std::string_view separator, int indent, bool wrap) {
    if (dest.size() <= from || separator.empty()) return;
    const bool lineBreak = wrap && LastLineLongerThanWrapWidth(std::string_view(dest).substr(from));
    dest.append(separator);
    if (lineBreak) dest.append(kCrLf);
    if (indent > 0 && (lineBreak || separator.find(kCrLf) != std::string_view::npos))
        dest.append(static_cast<std::size_t>(indent), ' ');
}

bool LastLineLongerThanWrapWidth(std::string_view text) {
    // Only the last kWrapWidth + 1 characters are looked at: the line is longer exactly when they
    // hold no line feed. Joining many values so stays linear in the text size, whatever its lines.
    constexpr std::size_t kLook = kWrapWidth + 1;
    return text.size() >= kLook && text.substr(text.size() - kLook).find('\n') == std::string_view::npos;
}

std::string ReplaceAll(std::string_view text, std::string_view pattern, std::string_view replacement) {
    if (pattern.empty()) return std::string(text);
    std::string result;
    result.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = text.find(pattern); at != std::string_view::npos; at = text.find(pattern, from)) {
        result.append(text, from, at - from).append(replacement);
        from = at + pattern.size();
    }
    result.append(text, from);
    return result;
}

void AppendIndentedLines(std::string& dest, std::string_view text, std::string_view blanks) {
    for (std::size_t at = text.find(kCrLf); at != std::string_view::npos; at = text.find(kCrLf)) {
        dest.append(text.substr(0, at + kCrLf.size())).append(blanks);
        text.remove_prefix(at + kCrLf.size());
    }
    dest.append(text);
}

std::string EncloseNonEmpty(std::string_view prefix, std::string body, std::string_view suffix) {
    if (body.empty()) return body;
    body.insert(0, prefix);
    body.append(suffix);
    return body;
}

std::string JoinLines(std::initializer_list<std::string_view> lines) {
    std::string text;
    bool first = true;
    for (std::string_view line : lines) {
        if (!first) text += kCrLf;
        text += line;
        first = false;
    }
    return text;
}

std::string PascalLiteralBody(std::string_view text) {
    std::string body;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\'') {
            body += "''";
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            body += "'#13#10'";
            ++i;
        } else if (c == '\r') {
            body += "'#13'";
        } else if (c == '\n') {
            body += "'#10'";
        } else {
            body += c;
        }
    }
    return body;
}

std::string BraceCommentText(std::string_view text) {
    std::string result;
    AppendBraceCommentText(result, text);
    return result;
}

void AppendBraceCommentText(std::string& dest, std::string_view text) {
    if (!text.empty() && text.front() == '$') dest.push_back(' ');
    const std::size_t start = dest.size();
    dest.append(text);
    for (std::size_t i = start; i < dest.size(); ++i)
        if (dest[i] == '{')
            dest[i] = '(';
        else if (dest[i] == '}')
            dest[i] = ')';
}

std::string PascalString(std::string_view text) {
    return std::string("'").append(ReplaceAll(text, "'", "''")).append("'");
}

}  // namespace quillon
