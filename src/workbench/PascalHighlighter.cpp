#include "workbench/PascalHighlighter.h"

#include <QSet>

namespace quillon {

namespace {

// Block states: what a line ends inside of, carried into the next line.
enum State { kNormal = 0, kInBraceComment = 1, kInParenComment = 2, kInDirective = 3 };

const QSet<QString>& Keywords() {
    static const QSet<QString> words = {
        "and", "array", "as", "asm", "begin", "case", "class", "const", "constructor", "destructor",
        "dispinterface", "div", "do", "downto", "else", "end", "except", "exports", "file", "finalization",
        "finally", "for", "function", "goto", "if", "implementation", "in", "inherited", "initialization",
        "inline", "interface", "is", "label", "library", "mod", "nil", "not", "object", "of", "or", "out",
        "packed", "procedure", "program", "property", "raise", "record", "repeat", "resourcestring", "set",
        "shl", "shr", "string", "then", "threadvar", "to", "try", "type", "unit", "until", "uses", "var",
        "while", "with", "xor", "private", "protected", "public", "published", "override", "virtual",
        "abstract", "overload", "stdcall", "cdecl", "register", "safecall", "export", "external", "forward",
        "read", "write", "default", "stored", "message", "reintroduce", "dynamic"};
    return words;
}

bool IsIdentStart(QChar c) { return c.isLetter() || c == '_'; }
bool IsIdentPart(QChar c) { return c.isLetterOrNumber() || c == '_'; }

}  // namespace

PascalHighlighter::PascalHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
    FKeyword.setForeground(QColor(0x00, 0x00, 0x80));
    FKeyword.setFontWeight(QFont::Bold);
    FString.setForeground(QColor(0xA3, 0x15, 0x15));
    FComment.setForeground(QColor(0x00, 0x80, 0x00));
    FComment.setFontItalic(true);
    FNumber.setForeground(QColor(0x09, 0x86, 0x58));
    FDirective.setForeground(QColor(0x80, 0x00, 0x80));
}

const QTextCharFormat& PascalHighlighter::FormatOf(Token token) const {
    switch (token) {
        case Token::Keyword: return FKeyword;
        case Token::String: return FString;
        case Token::Comment: return FComment;
        case Token::Number: return FNumber;
        case Token::Directive: return FDirective;
    }
    return FKeyword;
}

void PascalHighlighter::highlightBlock(const QString& text) {
    const int length = static_cast<int>(text.size());
    int i = 0;
    int state = previousBlockState() < 0 ? kNormal : previousBlockState();

    // Continues a comment or directive that an earlier line opened; answers where it ends.
    const auto close = [&](int from, int kind) {
        const QString closing = kind == kInParenComment ? QStringLiteral("*)") : QStringLiteral("}");
        const int end = static_cast<int>(text.indexOf(closing, from));
        const QTextCharFormat& format = kind == kInDirective ? FDirective : FComment;
        if (end < 0) {
            setFormat(from, length - from, format);
            return -1;
        }
        const int stop = end + static_cast<int>(closing.size());
        setFormat(from, stop - from, format);
        return stop;
    };

    if (state != kNormal) {
        const int stop = close(0, state);
        if (stop < 0) {
            setCurrentBlockState(state);
            return;
        }
        i = stop;
        state = kNormal;
    }

    while (i < length) {
        const QChar c = text[i];
        if (c == '{') {
            const int kind = i + 1 < length && text[i + 1] == '$' ? kInDirective : kInBraceComment;
            const int stop = close(i, kind);
            if (stop < 0) {
                setCurrentBlockState(kind);
                return;
            }
            i = stop;
        } else if (c == '(' && i + 1 < length && text[i + 1] == '*') {
            const int stop = close(i, kInParenComment);
            if (stop < 0) {
                setCurrentBlockState(kInParenComment);
                return;
            }
            i = stop;
        } else if (c == '/' && i + 1 < length && text[i + 1] == '/') {
            setFormat(i, length - i, FComment);
            i = length;
        } else if (c == '\'') {
            // A doubled quote inside a string is a quote character, not the end.
            int j = i + 1;
            while (j < length) {
                if (text[j] == '\'') {
                    if (j + 1 < length && text[j + 1] == '\'') {
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                ++j;
            }
            setFormat(i, j - i, FString);
            i = j;
        } else if (c.isDigit() || (c == '$' && i + 1 < length && QString("0123456789abcdefABCDEF").contains(text[i + 1]))) {
            int j = i + 1;
            while (j < length && (text[j].isLetterOrNumber() || text[j] == '.')) ++j;
            setFormat(i, j - i, FNumber);
            i = j;
        } else if (IsIdentStart(c)) {
            int j = i + 1;
            while (j < length && IsIdentPart(text[j])) ++j;
            if (Keywords().contains(text.mid(i, j - i).toLower())) setFormat(i, j - i, FKeyword);
            i = j;
        } else {
            ++i;
        }
    }
    setCurrentBlockState(kNormal);
}

}  // namespace quillon
