// Text helpers of the source-model writer: joining values with separators (with the
// 80-character line wrapping), the measure of a text's last line, and literal replacement.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace quillon {

// Line end of every generated file.
inline constexpr std::string_view kCrLf = "\r\n";
// A separator starts a new line once the current line is longer than this.
inline constexpr int kWrapWidth = 80;

// Appends `value` to `dest` behind `separator` and returns true; an empty `value` leaves `dest`
// unchanged and returns false. The first value (empty `dest`) gets no separator. With `wrap`, a
// separator that follows a line longer than kWrapWidth characters is followed by a line break.
// Every separator that holds a line break is followed by `indent` blanks.
bool AppendSeparated(std::string& dest, std::string_view value, std::string_view separator, int indent = 0,
                     bool wrap = false);
// The same for a text that `dest` holds from the offset `from` on, so that a list is written in
// place behind what precedes it: whether a value is the first, and the length of the current line,
// count only what lies from `from` on.
bool AppendSeparatedFrom(std::string& dest, std::size_t from, std::string_view value, std::string_view separator,
                         int indent = 0, bool wrap = false);

// The separator part of AppendSeparatedFrom alone: appends `separator` (with the line break and
// blanks it calls for) when `dest` holds text from `from` on; nothing otherwise.
void AppendSeparator(std::string& dest, std::size_t from, std::string_view separator, int indent = 0,
                     bool wrap = false);

// AppendSeparatedFrom for a value that `write(dest)` appends in place instead of one built apart:
// the separator goes first and is taken back (and false returned) when `write` appends nothing.
// Nested texts are so written straight into the file's buffer, without a string of their own.
template <class Write>
bool AppendSeparatedWith(std::string& dest, std::size_t from, std::string_view separator, int indent, bool wrap,
                         Write&& write) {
    const std::size_t mark = dest.size();
    AppendSeparator(dest, from, separator, indent, wrap);
    const std::size_t valueStart = dest.size();
    write(dest);
    if (dest.size() != valueStart) return true;
    dest.resize(mark);
    return false;
}

// The text that `write(dest)` appends to an empty string: the string-returning form of an
// in-place writer.
template <class Write>
std::string TextOf(Write&& write) {
    std::string text;
    write(text);
    return text;
}

// `text` appended with every CR LF in it followed by `blanks`: a block of code indented as a
// whole (the first line's indentation is the caller's).
void AppendIndentedLines(std::string& dest, std::string_view text, std::string_view blanks);

// EncloseNonEmpty in place: `prefix`, what `write(dest)` appends, `suffix`; nothing at all when
// `write` appends nothing.
template <class Write>
void AppendEnclosedWith(std::string& dest, std::string_view prefix, std::string_view suffix, Write&& write) {
    const std::size_t mark = dest.size();
    dest.append(prefix);
    const std::size_t bodyStart = dest.size();
    write(dest);
    if (dest.size() == bodyStart)
        dest.resize(mark);
    else
        dest.append(suffix);
}

// Whether the characters after the last line feed of `text` (all of it without one) are more
// than kWrapWidth; found without scanning back further than that.
bool LastLineLongerThanWrapWidth(std::string_view text);

// The lines joined by CR LF (no line break after the last).
std::string JoinLines(std::initializer_list<std::string_view> lines);

// `text` with every occurrence of `pattern` (case-sensitive, left to right, never rescanning
// inserted text) replaced by `replacement`. An empty `pattern` leaves the text unchanged.
std::string ReplaceAll(std::string_view text, std::string_view pattern, std::string_view replacement);

// `prefix` + `body` + `suffix`, or empty when `body` is empty: a section keyword and its end
// around a collection's text.
std::string EncloseNonEmpty(std::string_view prefix, std::string body, std::string_view suffix = {});

// `text` as it stands between the quotes of a Pascal string literal: quotes doubled, and each line
// break (CR LF, CR or LF) closing the literal, written as its character codes and reopening it,
// since a literal cannot span lines ("a'#13#10'b").
std::string PascalLiteralBody(std::string_view text);

// `text` made safe to stand between "{" and "}": a brace would end the comment early (or, where
// comments nest, leave it open), so "{" and "}" become "(" and ")"; a leading "$" would make the
// comment a compiler directive, so it gets a blank before it. Other text stays as it is.
std::string BraceCommentText(std::string_view text);
// Appends BraceCommentText(text) to `dest`.
void AppendBraceCommentText(std::string& dest, std::string_view text);

// `text` as an Object Pascal string literal: between apostrophes, each apostrophe in it doubled.
std::string PascalString(std::string_view text);

// `count` blanks (none for a count below 1).
inline std::string Blanks(int count) { return count > 0 ? std::string(static_cast<std::size_t>(count), ' ') : std::string(); }

}  // namespace quillon
