#include "generator/DeveloperUnitUpdate.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <optional>

#include "generator/GeneratorMessages.h"
#include "generator/Module.h"
#include "generator/ServerUnits.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "platform/TextIndex.h"
#include "source/MemberEnums.h"
#include "source/SourceUnit.h"
#include "source/TextUtils.h"

namespace quillon {

namespace {

// ---- Tokens ------------------------------------------------------------------------------------

enum class TokenKind { Word, Number, String, Symbol };

struct Token {
    TokenKind kind;
    std::size_t begin;
    std::size_t end;
    int line;
};

class TReaderError {
public:
    TReaderError(int line, std::string reason) : line(line), reason(std::move(reason)) {}
    int line;
    std::string reason;
};

// ASCII letters and digits, whatever the locale a host program set.
bool IsAsciiLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsWordStart(unsigned char c) { return IsAsciiLetter(c) || c == '_' || c >= 0x80; }
bool IsWordChar(unsigned char c) { return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_' || c >= 0x80; }

// The line of `offset` in `text`, counting line ends as the tokens do.
int LineAt(std::string_view text, std::size_t offset) {
    int line = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++line;
    return line;
}

// The tokens of a Pascal text; comments ({ }, (* *), //) and compiler directives are skipped,
// string literals (with doubled quotes) are single tokens. Any line end counts a line. With a
// `lastWord`, the tokens end with the first word that is `lastWord` (without regard to case).
std::vector<Token> Tokenize(std::string_view text, std::string_view lastWord = {}) {
    std::vector<Token> tokens;
    int line = 1;
    std::size_t i = 0;
    const std::size_t n = text.size();
    const auto lineEndAt = [&](std::size_t at) {
        return text[at] == '\n' || (text[at] == '\r' && (at + 1 >= n || text[at + 1] != '\n'));
    };
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (lineEndAt(i)) {
            ++line;
            ++i;
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == 0x1A) {
            ++i;
            continue;
        }
        if (c == 0) throw TReaderError(line, std::string(kDevUnitBinary));
        const int startLine = line;
        const auto skipUntil = [&](std::string_view close) {
            const std::size_t found = text.find(close, i);
            if (found == std::string_view::npos) throw TReaderError(startLine, std::string(kDevUnitOpenComment));
            for (; i < found; ++i)
                if (lineEndAt(i)) ++line;
            i += close.size();
        };
        if (c == '{') {
            ++i;
            skipUntil("}");
            continue;
        }
        if (c == '(' && i + 1 < n && text[i + 1] == '*') {
            i += 2;
            skipUntil("*)");
            continue;
        }
        if (c == '/' && i + 1 < n && text[i + 1] == '/') {
            while (i < n && text[i] != '\n' && text[i] != '\r') ++i;
            continue;
        }
        const std::size_t begin = i;
        TokenKind kind = TokenKind::Symbol;
        if (IsWordStart(c) || (c == '&' && i + 1 < n && IsWordStart(static_cast<unsigned char>(text[i + 1])))) {
            kind = TokenKind::Word;
            ++i;
            while (i < n && IsWordChar(static_cast<unsigned char>(text[i]))) ++i;
        } else if (IsAsciiDigit(c) || c == '$' || c == '#') {
            kind = c == '#' ? TokenKind::String : TokenKind::Number;
            ++i;
            while (i < n && (IsWordChar(static_cast<unsigned char>(text[i])) || text[i] == '$')) ++i;
            if (i + 1 < n && text[i] == '.' && IsAsciiDigit(static_cast<unsigned char>(text[i + 1]))) {
                ++i;
                while (i < n && IsWordChar(static_cast<unsigned char>(text[i]))) ++i;
            }
        } else if (c == '\'') {
            kind = TokenKind::String;
            ++i;
            for (;;) {
                if (i >= n || text[i] == '\n' || text[i] == '\r') throw TReaderError(startLine, std::string(kDevUnitOpenString));
                if (text[i] == '\'') {
                    if (i + 1 < n && text[i + 1] == '\'') {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
        } else {
            ++i;
            // Two-character symbols, so that ":=" and ".." are never taken for ":" or ".".
            if (i < n) {
                const char next = text[i];
                if ((c == ':' && next == '=') || (c == '.' && next == '.') || (c == '<' && (next == '=' || next == '>')) ||
                    (c == '>' && next == '='))
                    ++i;
            }
        }
        tokens.push_back(Token{kind, begin, i, startLine});
        if (kind == TokenKind::Word && !lastWord.empty() && SameText(text.substr(begin, i - begin), lastWord)) break;
    }
    return tokens;
}

// ---- The layout of a developer's unit --------------------------------------------------------

struct TSignature {
    std::string category;
    // "mode:type=default" per parameter, in lower case but for string literals.
    std::vector<std::string> parameters;
    // The parameters' names as written; they count without regard to case.
    std::vector<std::string> names;
    std::string result;
    // Whether the reader understood every token of the heading: a heading with a compiler
    // directive, a qualified or generic name or a construct it does not know is not rewritten.
    bool complete = true;
    // Whether the heading has neither a parameter list nor a result (Delphi lets an
    // implementation heading leave them out).
    bool bare = true;

    bool SameAs(const TSignature& other) const {
        return category == other.category && parameters == other.parameters && result == other.result &&
               std::equal(names.begin(), names.end(), other.names.begin(), other.names.end(),
                          [](const std::string& a, const std::string& b) { return SameText(a, b); });
    }
};

// A method heading in the unit: from the method word to the ";" that ends the heading (before
// any directive).
struct THeading {
    std::string name;
    int line = 0;
    std::size_t begin = 0;
    std::size_t end = 0;
    TSignature signature;
};

struct TDeclaredMethod : THeading {
    bool overrides = false;
    std::string declaration;  // the text from the method word to its last directive
};

struct TSection {
    std::optional<TMemberVisibility> visibility;  // none for "strict ..." and "automated"
    std::size_t begin;
};

struct TUnitLayout {
    std::size_t interfaceEnd = 0;
    std::optional<std::size_t> interfaceUsesEnd;  // the offset of the ";" that ends the clause
    std::vector<std::string> uses;                // both parts' units
    std::size_t classEnd = 0;                     // the class's "end"
    std::vector<TSection> sections;
    std::vector<TDeclaredMethod> methods;
    std::vector<THeading> bodies;  // the headings of the class's method bodies
    std::size_t bodiesEnd = 0;        // before initialization, finalization, the unit's begin or end.
};

constexpr std::string_view kMethodWords[] = {"procedure", "function", "constructor", "destructor"};
constexpr std::string_view kDirectives[] = {
    "override", "virtual",  "dynamic", "abstract", "overload", "reintroduce", "stdcall", "safecall", "cdecl",
    "register", "pascal",   "inline",  "static",   "final",    "message",     "deprecated", "platform",
    "experimental", "library", "winapi", "assembler", "varargs"};

class TUnitReader {
public:
    // The whole unit, or for a scan of the class's declared method names the interface part
    // alone: then the text after the word implementation is neither tokenized nor read, and the
    // methods' headings are not parsed (their signatures and declarations stay empty).
    enum class Extent { WholeUnit, InterfacePart };
    TUnitReader(std::string_view text, std::string_view className, Extent extent = Extent::WholeUnit)
        : text_(text),
          className_(className),
          extent_(extent),
          tokens_(Tokenize(text, extent == Extent::InterfacePart ? "implementation" : "")) {}

    TUnitLayout Read() {
        if (!Find("interface")) throw TReaderError(LastLine(), Format(kDevUnitMissingWord, "interface"));
        layout_.interfaceEnd = tokens_[pos_].end;
        ++pos_;
        if (Is("uses")) layout_.interfaceUsesEnd = ReadUses();
        ReadInterface();
        if (extent_ == Extent::WholeUnit) ReadImplementation();
        return std::move(layout_);
    }

private:
    // ---- Token access
    bool AtEnd() const { return pos_ >= tokens_.size(); }
    std::string_view Text(std::size_t at) const {
        return at < tokens_.size() ? text_.substr(tokens_[at].begin, tokens_[at].end - tokens_[at].begin)
                                   : std::string_view();
    }
    // Asked some twenty times per token: the length decides most answers before the text is looked at.
    bool IsAt(std::size_t at, std::string_view word) const {
        if (at >= tokens_.size()) return false;
        const Token& token = tokens_[at];
        if (token.end - token.begin != word.size()) return false;
        if (token.kind != TokenKind::Word && token.kind != TokenKind::Symbol) return false;
        const std::string_view t = text_.substr(token.begin, word.size());
        if (token.kind == TokenKind::Word && !t.empty() && t[0] == '&') return false;
        return SameText(t, word);
    }
    bool Is(std::string_view word) const { return IsAt(pos_, word); }
    bool IsWord(std::size_t at) const { return at < tokens_.size() && tokens_[at].kind == TokenKind::Word; }
    int Line() const { return AtEnd() ? LastLine() : tokens_[pos_].line; }
    int LastLine() const { return LineAt(text_, text_.size()); }
    bool Find(std::string_view word) {
        while (!AtEnd() && !Is(word)) ++pos_;
        return !AtEnd();
    }
    std::string Lower(std::size_t at) const {
        std::string_view t = Text(at);
        if (!t.empty() && t[0] == '&') t.remove_prefix(1);
        return LowerCase(t);
    }
    bool IsMethodWord(std::size_t at) const {
        return std::any_of(std::begin(kMethodWords), std::end(kMethodWords),
                           [&](std::string_view w) { return IsAt(at, w); });
    }

    // ---- Uses: "uses A, B in 'b.pas', C.D;" from the word uses; answers the offset of ";".
    std::size_t ReadUses() {
        ++pos_;
        for (;;) {
            if (AtEnd()) throw TReaderError(LastLine(), Format(kDevUnitMissingWord, ";"));
            if (Is(";")) return tokens_[pos_++].begin;
            if (IsWord(pos_)) {
                std::string name = Lower(pos_++);
                while (Is(".") && IsWord(pos_ + 1)) {
                    name.append(".").append(Lower(pos_ + 1));
                    pos_ += 2;
                }
                layout_.uses.push_back(name);
                continue;
            }
            ++pos_;
        }
    }

    // ---- Blocks: what opens an "end" and what does not.
    // "record", "object" (not "of object"), "class" and "interface" types with a body, "begin",
    // "try", "asm", and "case" outside a record's variant part.
    bool OpensBlock(std::size_t at, const std::vector<std::string>& stack) const {
        if (IsAt(at, "begin") || IsAt(at, "try") || IsAt(at, "asm") || IsAt(at, "record")) return true;
        if (IsAt(at, "case")) return stack.empty() || stack.back() != "record";
        if (IsAt(at, "object")) return !(at > 0 && IsAt(at - 1, "of"));
        if (IsAt(at, "class") || IsAt(at, "interface") || IsAt(at, "dispinterface")) {
            if (!(at > 0 && (IsAt(at - 1, "=") || IsAt(at - 1, "packed")))) return false;
            std::size_t next = at + 1;
            if (IsAt(next, "of") || IsAt(next, ";")) return false;
            if (IsAt(next, "abstract") || IsAt(next, "sealed")) ++next;
            if (IsAt(next, "(")) {
                next = SkipParens(next);
                // "TFoo = class(TBar);" declares the whole class.
                if (IsAt(next, ";")) return false;
            }
            return true;
        }
        return false;
    }
    // From a "(" to the token after its ")".
    std::size_t SkipParens(std::size_t at) const {
        int depth = 0;
        for (; at < tokens_.size(); ++at) {
            if (IsAt(at, "(") || IsAt(at, "[")) ++depth;
            if (IsAt(at, ")") || IsAt(at, "]")) {
                if (--depth == 0) return at + 1;
            }
        }
        throw TReaderError(LastLine(), Format(kDevUnitMissingWord, ")"));
    }
    // Steps over a block whose opener is at pos_, to the token after its "end".
    void SkipBlock() {
        std::vector<std::string> stack;
        const int line = Line();
        while (!AtEnd()) {
            if (OpensBlock(pos_, stack)) {
                stack.push_back(Lower(pos_));
            } else if (Is("end")) {
                stack.pop_back();
                if (stack.empty()) {
                    ++pos_;
                    return;
                }
            }
            ++pos_;
        }
        throw TReaderError(line, Format(kDevUnitMissingWord, "end"));
    }

    // ---- Interface: the one declaration "TdevX = class(...)" ... "end".
    void ReadInterface() {
        int found = 0;
        while (!AtEnd() && !Is("implementation")) {
            const bool declaration = IsWord(pos_) && SameText(Text(pos_), className_) && IsAt(pos_ + 1, "=") &&
                                     IsAt(pos_ + 2, "class") && OpensBlock(pos_ + 2, {});
            if (declaration) {
                if (++found > 1) throw TReaderError(Line(), Format(kDevUnitClassTwice, className_));
                pos_ += 2;
                ReadClass();
                continue;
            }
            if (OpensBlock(pos_, {})) {
                SkipBlock();
                continue;
            }
            ++pos_;
        }
        if (AtEnd()) throw TReaderError(LastLine(), Format(kDevUnitMissingWord, "implementation"));
        if (found == 0) throw TReaderError(Line(), Format(kDevUnitClassMissing, className_));
    }

    // From "class": the heading, the sections, the method declarations and the class's "end".
    void ReadClass() {
        const int line = Line();
        ++pos_;
        if (Is("abstract") || Is("sealed")) ++pos_;
        if (Is("(")) pos_ = SkipParens(pos_);
        while (!AtEnd()) {
            if (Is("end")) {
                layout_.classEnd = tokens_[pos_].begin;
                ++pos_;
                return;
            }
            if (Is("implementation")) break;
            if (Is("strict") || Is("automated")) {
                layout_.sections.push_back(TSection{std::nullopt, tokens_[pos_].begin});
                pos_ += Is("strict") ? 2 : 1;
                continue;
            }
            if (const std::optional<TMemberVisibility> visibility = VisibilityAt(pos_)) {
                layout_.sections.push_back(TSection{visibility, tokens_[pos_].begin});
                ++pos_;
                continue;
            }
            if (Is("class") && !OpensBlock(pos_, {})) {
                ++pos_;
                continue;
            }
            if (IsMethodWord(pos_)) {
                ReadMethodDeclaration();
                continue;
            }
            if (Is("property")) {
                SkipToSemicolon();
                if (Is("default") && IsAt(pos_ + 1, ";")) pos_ += 2;
                continue;
            }
            if (OpensBlock(pos_, {})) {
                SkipBlock();
                continue;
            }
            ++pos_;
        }
        throw TReaderError(line, Format(kDevUnitClassNoEnd, className_));
    }

    std::optional<TMemberVisibility> VisibilityAt(std::size_t at) const {
        if (IsAt(at, "private")) return mvPrivate;
        if (IsAt(at, "protected")) return mvProtected;
        if (IsAt(at, "public")) return mvPublic;
        if (IsAt(at, "published")) return mvPublished;
        return std::nullopt;
    }

    // To the token after the next ";" outside parentheses and brackets.
    void SkipToSemicolon() {
        int depth = 0;
        while (!AtEnd()) {
            if (Is("(") || Is("[")) ++depth;
            if (Is(")") || Is("]")) --depth;
            if (depth <= 0 && Is(";")) {
                ++pos_;
                return;
            }
            ++pos_;
        }
    }

    void ReadMethodDeclaration() {
        TDeclaredMethod method;
        const std::size_t headingStart = pos_;
        SkipToSemicolon();
        ReadHeading(method, headingStart, headingStart + 1);
        while (!AtEnd() && IsWord(pos_) && IsDirective(pos_)) {
            if (Is("override")) method.overrides = true;
            SkipToSemicolon();
        }
        if (extent_ == Extent::WholeUnit)
            method.declaration = std::string(text_.substr(method.begin, tokens_[pos_ - 1].end - method.begin));
        layout_.methods.push_back(std::move(method));
    }

    // The heading from the method word at `from` to the ";" before pos_, whose name is at `nameAt`.
    void ReadHeading(THeading& heading, std::size_t from, std::size_t nameAt) const {
        heading.line = tokens_[from].line;
        heading.begin = tokens_[from].begin;
        heading.end = tokens_[pos_ - 1].end;
        heading.name = nameAt < tokens_.size() ? std::string(Text(nameAt)) : std::string();
        if (extent_ == Extent::WholeUnit) heading.signature = ParseHeading(from, pos_, nameAt);
    }

    // The signature of the heading between the tokens `from` (the method word) and `to` (after its
    // ";"), whose name is at `nameAt`.
    TSignature ParseHeading(std::size_t from, std::size_t to, std::size_t nameAt) const {
        TSignature signature;
        signature.category = Lower(from);
        const std::string_view raw = text_.substr(tokens_[from].begin, tokens_[to - 1].end - tokens_[from].begin);
        signature.complete = IsWord(nameAt) && raw.find("{$") == std::string_view::npos &&
                             raw.find("(*$") == std::string_view::npos;
        // Words and dots: a type or result name as the reader understands it.
        const auto name = [&](std::size_t& at, std::size_t end, std::string& into) {
            for (; at < end && !IsAt(at, ";") && !IsAt(at, "="); ++at) {
                if (!IsWord(at) && !IsAt(at, ".")) signature.complete = false;
                if (!into.empty() && IsWord(at) && IsWord(at - 1)) into += " ";
                into += Lower(at);
            }
        };
        std::size_t at = nameAt + 1;
        if (IsAt(at, "(")) {
            signature.bare = false;
            const std::size_t close = SkipParens(at) - 1;
            ++at;
            while (at < close) {
                // One group: [mode] names [: type [= default]]
                std::string mode;
                if (IsAt(at, "const") || IsAt(at, "var") || IsAt(at, "out") || IsAt(at, "constref")) mode = Lower(at++);
                std::vector<std::string> names;
                for (; at < close && !IsAt(at, ":") && !IsAt(at, ";"); ++at) {
                    if (IsWord(at))
                        names.emplace_back(Text(at));
                    else if (!IsAt(at, ","))
                        signature.complete = false;
                }
                std::string type;
                if (IsAt(at, ":")) name(++at, close, type);
                if (IsAt(at, "=")) {
                    type += "=";
                    // The default value: up to the group's end, strings as written.
                    for (++at; at < close && !IsAt(at, ";"); ++at)
                        type += tokens_[at].kind == TokenKind::String ? std::string(Text(at)) : Lower(at);
                }
                for (std::string& parameter : names) {
                    signature.parameters.push_back(mode + ":" + type);
                    signature.names.push_back(std::move(parameter));
                }
                if (IsAt(at, ";")) ++at;
            }
            at = close + 1;
        }
        if (IsAt(at, ":")) {
            signature.bare = false;
            name(++at, to, signature.result);
        }
        if (!IsAt(at, ";") || at + 1 != to) signature.complete = false;
        return signature;
    }

    // ---- Implementation: the uses, the bodies of the class's methods and where new ones go.
    void ReadImplementation() {
        ++pos_;
        if (Is("uses")) ReadUses();
        // The open blocks; a "begin" opened at the top level after a routine heading is that
        // routine's body, any other top-level "begin" the unit's initialization.
        struct Open {
            std::string word;
            int line;
            bool body;
        };
        std::vector<Open> stack;
        std::vector<std::string> words;  // the words of `stack`, for OpensBlock
        std::optional<std::size_t> sectionStart;  // initialization or finalization
        std::optional<std::size_t> topBegin;      // the last "begin" of the top level
        int headings = 0;                         // routine headings waiting for their body
        while (!AtEnd()) {
            if (stack.empty() && (Is("initialization") || Is("finalization"))) {
                if (!sectionStart) sectionStart = tokens_[pos_].begin;
                ++pos_;
                continue;
            }
            // A routine heading, not a procedural type ("= procedure", ": procedure", "to procedure").
            if (stack.empty() && IsMethodWord(pos_) &&
                !(pos_ > 0 && (IsAt(pos_ - 1, "=") || IsAt(pos_ - 1, ":") || IsAt(pos_ - 1, "to")))) {
                const std::size_t headingStart = pos_;
                const bool ofClass =
                    IsWord(pos_ + 1) && SameText(Text(pos_ + 1), className_) && IsAt(pos_ + 2, ".") && IsWord(pos_ + 3);
                SkipToSemicolon();
                if (ofClass) ReadHeading(layout_.bodies.emplace_back(), headingStart, headingStart + 3);
                bool declarationOnly = false;
                while (!AtEnd() && IsWord(pos_) && (Is("forward") || Is("external") || IsDirective(pos_))) {
                    declarationOnly = declarationOnly || Is("forward") || Is("external");
                    SkipToSemicolon();
                }
                if (!declarationOnly) ++headings;
                continue;
            }
            if (OpensBlock(pos_, words)) {
                const bool body = stack.empty() && (Is("begin") || Is("asm")) && headings > 0;
                if (stack.empty() && Is("begin") && !body) topBegin = tokens_[pos_].begin;
                stack.push_back(Open{Lower(pos_), Line(), body});
                words.push_back(stack.back().word);
                ++pos_;
                continue;
            }
            if (Is("end")) {
                const bool final = IsAt(pos_ + 1, ".");
                if (stack.empty()) {
                    if (!final) throw TReaderError(Line(), std::string(kDevUnitStrayEnd));
                    layout_.bodiesEnd = sectionStart ? *sectionStart : tokens_[pos_].begin;
                    return;
                }
                const Open closed = stack.back();
                stack.pop_back();
                words.pop_back();
                if (closed.body) --headings;
                if (final) {
                    // "begin ... end." is the unit's initialization; new bodies go before it.
                    if (!stack.empty() || closed.body || !topBegin)
                        throw TReaderError(stack.empty() ? closed.line : stack.back().line,
                                           std::string(kDevUnitOpenBlock));
                    layout_.bodiesEnd = sectionStart ? *sectionStart : *topBegin;
                    return;
                }
            }
            ++pos_;
        }
        throw TReaderError(stack.empty() ? LastLine() : stack.back().line, Format(kDevUnitMissingWord, "end."));
    }

    bool IsDirective(std::size_t at) const {
        return std::any_of(std::begin(kDirectives), std::end(kDirectives), [&](std::string_view w) { return IsAt(at, w); });
    }

    std::string_view text_;
    std::string_view className_;
    Extent extent_;
    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
    TUnitLayout layout_;

    friend std::pair<TSignature, std::size_t> SignatureOf(std::string_view declaration, bool qualified);
};

// The signature of a heading the generator writes, and where the heading ends (after its ";").
std::pair<TSignature, std::size_t> SignatureOf(std::string_view declaration, bool qualified) {
    TUnitReader reader(declaration, {});
    std::size_t semicolon = 0;
    int depth = 0;
    for (; semicolon < reader.tokens_.size(); ++semicolon) {
        if (reader.IsAt(semicolon, "(")) ++depth;
        if (reader.IsAt(semicolon, ")")) --depth;
        if (depth == 0 && reader.IsAt(semicolon, ";")) break;
    }
    return {reader.ParseHeading(0, semicolon + 1, qualified ? 3 : 1), reader.tokens_[semicolon].end};
}

// ---- Insertions --------------------------------------------------------------------------------

// The line end the text uses most (CR LF when it has none).
std::string DominantLineEnd(std::string_view text) {
    std::size_t crlf = 0, lf = 0, cr = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++crlf;
                ++i;
            } else {
                ++cr;
            }
        } else if (text[i] == '\n') {
            ++lf;
        }
    }
    if (lf > crlf && lf >= cr) return "\n";
    if (cr > crlf && cr > lf) return "\r";
    return "\r\n";
}

// Text put in at `at` in place of the `removed` bytes there (none for an insertion).
struct TEdit {
    std::size_t at;
    std::size_t removed;
    std::string text;
};

class TEdits {
public:
    TEdits(std::string_view text) : text_(text), lineEnd_(DominantLineEnd(text)) {}

    // `lines` (each in generated form, CR LF inside) as whole lines before the token at `at`: at
    // the start of its line when only blanks stand before it, else after a new line break.
    void LinesBefore(std::size_t at, const std::vector<std::string>& lines) {
        if (lines.empty()) return;
        std::size_t lineStart = at;
        while (lineStart > 0 && (text_[lineStart - 1] == ' ' || text_[lineStart - 1] == '\t')) --lineStart;
        const bool atLineStart = lineStart == 0 || text_[lineStart - 1] == '\n' || text_[lineStart - 1] == '\r';
        std::string inserted = atLineStart ? "" : lineEnd_;
        for (const std::string& line : lines) inserted += Converted(line) + lineEnd_;
        list_.push_back(TEdit{atLineStart ? lineStart : at, 0, std::move(inserted)});
    }
    // `text` exactly at `at`.
    void At(std::size_t at, std::string_view text) { list_.push_back(TEdit{at, 0, Converted(text)}); }
    // `text` in place of the bytes from `begin` to `end`.
    void Replace(std::size_t begin, std::size_t end, std::string_view text) {
        list_.push_back(TEdit{begin, end - begin, Converted(text)});
    }

    // The edits in the order of the text; an insertion goes before a replacement at its place.
    std::vector<TEdit> Sorted() const {
        std::vector<TEdit> sorted = list_;
        std::stable_sort(sorted.begin(), sorted.end(), [](const TEdit& a, const TEdit& b) {
            return a.at < b.at || (a.at == b.at && a.removed < b.removed);
        });
        return sorted;
    }

    std::string Applied() const {
        std::string result;
        std::size_t copied = 0;
        for (const TEdit& edit : Sorted()) {
            result.append(text_.substr(copied, edit.at - copied));
            result += edit.text;
            copied = edit.at + edit.removed;
        }
        result.append(text_.substr(copied));
        return result;
    }

    // Where the text at `offset` of the original stands once the edits are applied.
    std::size_t Moved(std::size_t offset) const {
        std::size_t moved = offset;
        for (const TEdit& edit : list_)
            if (edit.at < offset || (edit.at == offset && edit.removed == 0)) moved += edit.text.size() - edit.removed;
        return moved;
    }

private:
    std::string Converted(std::string_view generated) const {
        return lineEnd_ == "\r\n" ? std::string(generated) : ReplaceAll(generated, "\r\n", lineEnd_);
    }

    std::string_view text_;
    std::string lineEnd_;
    std::vector<TEdit> list_;
};

bool Contains(const std::vector<std::string>& lowerNames, std::string_view name) {
    return std::find(lowerNames.begin(), lowerNames.end(), LowerCase(name)) != lowerNames.end();
}

// The developer's class's declarations and bodies by name, for the look-up of every designed
// method (a walk over them for each made a large class's update grow with the square of its size).
class TLayoutIndex {
public:
    explicit TLayoutIndex(const TUnitLayout& layout) {
        for (const TDeclaredMethod& method : layout.methods) {
            declared_.Add(method.name, &method);
            if (method.overrides) overrides_.Add(method.name, &method);
        }
        for (const THeading& body : layout.bodies) bodies_.Add(body.name, true);
    }
    // The first declaration of `name`, or nullptr.
    const TDeclaredMethod* Declared(std::string_view name) const { return declared_.ValueOf(name); }
    // The declaration that stands for the designed method `name`: the override of that name when
    // there is one (overloads of the name that do not override are the developer's own), else the
    // first declaration of the name.
    const TDeclaredMethod* Override(std::string_view name) const {
        const TDeclaredMethod* override = overrides_.ValueOf(name);
        return override ? override : Declared(name);
    }
    bool HasBody(std::string_view name) const { return bodies_.Contains(name); }

private:
    TextMap<const TDeclaredMethod*> declared_;
    TextMap<const TDeclaredMethod*> overrides_;
    TextMap<bool> bodies_;
};

// A report on the text at `offset` of the original; its line is counted once the edits are known.
struct TPendingFinding {
    std::size_t offset;
    std::function<std::string(int line)> text;
};

// The methods of the fresh developer's class, each name once, in the order of the class.
std::vector<const TgmcMethod*> DesignedMethods(const TgmcModule& fresh) {
    std::vector<const TgmcMethod*> methods;
    const TgmcMethods& all = fresh.InterfacePart().Classes().Items(0)->Methods();
    TextMap<bool> names(static_cast<std::size_t>(all.Count()));
    for (int i = 0; i < all.Count(); ++i)
        if (names.Add(all.Items(i)->GetName(), true)) methods.push_back(all.Items(i));
    return methods;
}

TUnitLayout ReadLayout(const TemgModule& module, const std::string& fileName, std::string_view text) {
    try {
        return TUnitReader(text, module.DeveloperClassName()).Read();
    } catch (const TReaderError& error) {
        throw Exception(Format(kDevUnitRefused, fileName, error.reason, error.line),
                        FilePosition{fileName, error.line, Format(kDevUnitRefusedHere, error.reason)});
    }
}

constexpr int kMemberIndent = 3;

}  // namespace

TDeveloperUnitUpdate PlanDeveloperUnitUpdate(const TemgModule& module, const IModuleResolver& resolver,
                                             const std::string& fileName, std::string_view text) {
    const TUnitLayout layout = ReadLayout(module, fileName, text);
    TgmcModule fresh;
    TgmcModule generator;
    module.ServerUnitModels(resolver, fresh, &generator);

    TDeveloperUnitUpdate update;
    update.fileName = fileName;
    update.original = std::string(text);
    TEdits edits(text);
    std::vector<TPendingFinding> findings;
    const std::string blanks(kMemberIndent, ' ');

    // An override whose heading differs from the design gets the designed heading, and so does
    // the heading of its body; directives, comments after the heading and the body stay. Only a
    // heading the reader understood completely, of the one override of its name, with at most one
    // body that matches it, is rewritten; answers whether it was.
    const auto rewrite = [&](const TDeclaredMethod& declared, const TgmcMethod& method) {
        const std::string declaration = method.SrcCode(kMemberIndent);
        const auto [signature, headingEnd] = SignatureOf(declaration, false);
        if (!declared.overrides || !declared.signature.complete ||
            std::count_if(layout.methods.begin(), layout.methods.end(), [&](const TDeclaredMethod& m) {
                return m.overrides && SameText(m.name, declared.name);
            }) > 1)
            return false;
        // A body heading without parameters and result stands for any heading and stays so.
        const auto shortened = [&](const THeading& body) { return body.signature.bare && !declared.signature.bare; };
        std::vector<const THeading*> bodies;
        for (const THeading& body : layout.bodies)
            if (SameText(body.name, declared.name) && (body.signature.SameAs(declared.signature) || shortened(body)))
                bodies.push_back(&body);
        if (bodies.size() > 1) return false;
        const THeading* body = bodies.empty() || shortened(*bodies.front()) ? nullptr : bodies.front();
        if (body && !body->signature.complete) return false;
        edits.Replace(declared.begin, declared.end, declaration.substr(0, headingEnd));
        update.rewritten.emplace_back(declared.begin, declared.end);
        if (body) {
            const std::string implementation = method.ImplementationSrcCode(kMemberIndent);
            edits.Replace(body->begin, body->end, implementation.substr(0, SignatureOf(implementation, true).second));
            update.rewritten.emplace_back(body->begin, body->end);
        }
        // The body keeps the names it uses: a renamed parameter is for the developer to follow.
        const THeading& used = body ? *body : declared;
        if (used.signature.names.size() == signature.names.size())
            for (std::size_t i = 0; i < signature.names.size(); ++i)
                if (!SameText(used.signature.names[i], signature.names[i]))
                    findings.push_back({used.begin, [=, &fileName](int line) {
                                            return Format(kDevUnitParameterRenamed, Format(kDevUnitLocation, fileName, line),
                                                          used.signature.names[i], signature.names[i]);
                                        }});
        return true;
    };

    // Declarations, by visibility: at the end of the last section of that visibility, else in a
    // new section at the end of the class.
    const std::vector<const TgmcMethod*> designed = DesignedMethods(fresh);
    const TLayoutIndex declarations(layout);
    std::vector<const TgmcMethod*> missingBodies;
    std::vector<std::pair<TMemberVisibility, std::vector<std::string>>> newSections;
    for (TMemberVisibility visibility : {mvNone, mvPrivate, mvProtected, mvPublic, mvPublished}) {
        std::vector<std::string> lines;
        for (const TgmcMethod* method : designed) {
            if (method->GetVisibility() != visibility) continue;
            if (const TDeclaredMethod* declared = declarations.Override(method->GetName())) {
                const std::string declaration = method->SrcCode(kMemberIndent);
                if (!declared->signature.SameAs(SignatureOf(declaration, false).first) && !rewrite(*declared, *method))
                    findings.push_back({declared->begin, [=, &fileName](int line) {
                                            return Format(kDevUnitSignatureDiffers, fileName, line, declared->name,
                                                          declaration);
                                        }});
                continue;
            }
            lines.push_back(blanks + method->SrcCode(kMemberIndent));
            update.added.push_back(method->GetName());
            if (!declarations.HasBody(method->GetName())) missingBodies.push_back(method);
        }
        if (lines.empty()) continue;
        if (visibility == mvNone) {
            edits.LinesBefore(layout.sections.empty() ? layout.classEnd : layout.sections.front().begin, lines);
            continue;
        }
        const TSection* last = nullptr;
        for (const TSection& section : layout.sections)
            if (section.visibility == visibility) last = &section;
        if (!last) {
            newSections.emplace_back(visibility, std::move(lines));
            continue;
        }
        std::size_t end = layout.classEnd;
        for (const TSection& section : layout.sections)
            if (section.begin > last->begin) {
                end = section.begin;
                break;
            }
        edits.LinesBefore(end, lines);
    }
    for (auto& [visibility, lines] : newSections) {
        lines.insert(lines.begin(), blanks + std::string(VisibilityWord(visibility)));
        edits.LinesBefore(layout.classEnd, lines);
    }

    // Bodies, in the order of the class, before the unit's closing parts.
    std::sort(missingBodies.begin(), missingBodies.end(), [&](const TgmcMethod* a, const TgmcMethod* b) {
        return std::find(designed.begin(), designed.end(), a) < std::find(designed.begin(), designed.end(), b);
    });
    if (!missingBodies.empty()) {
        std::vector<std::string> lines;
        for (const TgmcMethod* method : missingBodies) lines.push_back(method->ImplementationSrcCode(kMemberIndent));
        lines.emplace_back();
        edits.LinesBefore(layout.bodiesEnd, lines);
    }

    // Uses that neither part names yet, but for the unit a fresh unit uses for the bodies alone.
    std::vector<std::string> missingUses;
    const TgmcUsesModules& uses = fresh.InterfacePart().UsesModules();
    for (int i = 0; i < uses.Count(); ++i)
        if (!uses.Items(i)->GetName().empty() && !SameText(uses.Items(i)->GetName(), kDeveloperBodiesUnit) &&
            !Contains(layout.uses, uses.Items(i)->GetName()) &&
            std::none_of(missingUses.begin(), missingUses.end(),
                         [&](const std::string& u) { return SameText(u, uses.Items(i)->SrcCode(0)); }))
            missingUses.push_back(uses.Items(i)->SrcCode(0));
    if (!missingUses.empty()) {
        std::string list;
        for (const std::string& unit : missingUses) {
            list += (layout.interfaceUsesEnd || !list.empty() ? "," : "") + unit;
            update.added.push_back(unit);
        }
        if (layout.interfaceUsesEnd)
            edits.At(*layout.interfaceUsesEnd, list);
        else
            edits.At(layout.interfaceEnd, "\r\nuses \r\n" + blanks + list + ";");
    }

    // Overrides of methods that neither the fresh developer's class nor the generator's class has.
    const TgmcMethods& generatorMethods = generator.InterfacePart().Classes().Items(0)->Methods();
    for (const TDeclaredMethod& declared : layout.methods) {
        if (!declared.overrides) continue;
        bool known = std::any_of(designed.begin(), designed.end(),
                                 [&](const TgmcMethod* m) { return SameText(m->GetName(), declared.name); });
        for (int i = 0; i < generatorMethods.Count() && !known; ++i)
            known = SameText(generatorMethods.Items(i)->GetName(), declared.name);
        if (!known)
            findings.push_back({declared.begin, [&](int line) {
                                    return Format(kDevUnitNotDesigned, fileName, line, declared.declaration);
                                }});
    }

    update.updated = edits.Applied();
    std::sort(findings.begin(), findings.end(),
              [](const TPendingFinding& a, const TPendingFinding& b) { return a.offset < b.offset; });
    for (const TPendingFinding& finding : findings) {
        update.findings.push_back(finding.text(LineAt(update.updated, edits.Moved(finding.offset))));
        update.findingsBefore.push_back(finding.text(LineAt(update.original, finding.offset)));
    }
    return update;
}

TDeveloperUnitUpdate PlanDeveloperUnitUpdate(const TemgModule& module, const IModuleResolver& resolver,
                                             std::string_view projectSrcPath) {
    const std::string fileName = module.DeveloperUnitFileName(projectSrcPath);
    return PlanDeveloperUnitUpdate(module, resolver, fileName, ReadFileBytes(fileName));
}

std::string DeveloperUnitBackupFileName(std::string_view fileName) {
    std::string backup(fileName);
    const std::size_t extension = backup.rfind('.');
    const std::size_t separator = backup.find_last_of("/\\");
    if (extension != std::string::npos && (separator == std::string::npos || extension > separator))
        backup.erase(extension);
    return backup + ".~pas";
}

void ApplyDeveloperUnitUpdate(const TDeveloperUnitUpdate& update) {
    if (!update.Changed()) return;
    if (ReadFileBytes(update.fileName) != update.original)
        throw Exception(Format(kDevUnitChangedMeanwhile, update.fileName));
    WriteFileAtomic(DeveloperUnitBackupFileName(update.fileName), update.original);
    WriteFileAtomic(update.fileName, update.updated);
}

std::vector<std::string> MissingDeveloperOverrides(const TemgModule& module, const IModuleResolver& resolver,
                                                   std::string_view projectSrcPath) {
    const std::string fileName = module.DeveloperUnitFileName(projectSrcPath);
    if (!FileExists(fileName)) return {};
    std::optional<TUnitLayout> layout;
    try {
        const std::string text = ReadFileBytes(fileName);
        layout = TUnitReader(text, module.DeveloperClassName(), TUnitReader::Extent::InterfacePart).Read();
    } catch (...) {
        return {};
    }
    TgmcModule fresh;
    module.ServerUnitModels(resolver, fresh, nullptr);
    std::vector<std::string> missing;
    const TLayoutIndex declarations(*layout);
    for (const TgmcMethod* method : DesignedMethods(fresh))
        if (!declarations.Declared(method->GetName())) missing.push_back(method->GetName());
    return missing;
}

namespace {

// The lines of `text`, each with its own line end.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
            lines.push_back(text.substr(start, i + 1 - start));
            start = i + 1;
        }
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// One line of a diff: its mark and text, with "\ No newline at end of file" after a last line
// without a line end.
void AppendDiffLine(std::string& out, char mark, std::string_view line) {
    out += mark;
    out += line;
    if (line.empty() || (line.back() != '\n' && line.back() != '\r')) out += "\n\\ No newline at end of file\n";
}

}  // namespace

std::string UnifiedDiff(std::string_view before, std::string_view after, std::string_view fileName) {
    if (before == after) return {};
    const std::vector<std::string_view> a = SplitLines(before);
    const std::vector<std::string_view> b = SplitLines(after);
    // Longest common subsequence of the lines, by the table of suffix lengths; units are small.
    const std::size_t n = a.size(), m = b.size();
    std::vector<std::vector<int>> common(n + 1, std::vector<int>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            common[i][j] = a[i] == b[j] ? common[i + 1][j + 1] + 1 : std::max(common[i + 1][j], common[i][j + 1]);
    // The edit script: ' ' kept, '-' removed, '+' added, with the line numbers in both texts.
    struct Edit {
        char mark;
        std::size_t i, j;
    };
    std::vector<Edit> script;
    std::size_t i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && a[i] == b[j]) {
            script.push_back({' ', i++, j++});
        } else if (i < n && (j == m || common[i + 1][j] >= common[i][j + 1])) {
            script.push_back({'-', i++, j});
        } else {
            script.push_back({'+', i, j++});
        }
    }
    constexpr std::size_t kContext = 3;
    std::string out = "--- " + std::string(fileName) + "\n+++ " + std::string(fileName) + "\n";
    std::size_t k = 0;
    while (k < script.size()) {
        if (script[k].mark == ' ') {
            ++k;
            continue;
        }
        // A hunk: from kContext lines before this change to kContext lines after the last change
        // that is no more than 2 * kContext kept lines away.
        const std::size_t first = k >= kContext ? k - kContext : 0;
        std::size_t last = k;
        for (std::size_t x = k, kept = 0; x < script.size(); ++x) {
            if (script[x].mark == ' ') {
                if (++kept > 2 * kContext) break;
            } else {
                kept = 0;
                last = x;
            }
        }
        const std::size_t end = std::min(script.size(), last + kContext + 1);
        std::size_t oldCount = 0, newCount = 0;
        for (std::size_t x = first; x < end; ++x) {
            if (script[x].mark != '+') ++oldCount;
            if (script[x].mark != '-') ++newCount;
        }
        out += "@@ -" + std::to_string(script[first].i + (oldCount ? 1 : 0)) + "," + std::to_string(oldCount) + " +" +
               std::to_string(script[first].j + (newCount ? 1 : 0)) + "," + std::to_string(newCount) + " @@\n";
        for (std::size_t x = first; x < end; ++x)
            AppendDiffLine(out, script[x].mark, script[x].mark == '+' ? b[script[x].j] : a[script[x].i]);
        k = end;
    }
    return out;
}

}  // namespace quillon
