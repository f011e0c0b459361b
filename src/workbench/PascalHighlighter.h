// Object Pascal syntax colouring for the read-only code memos: reserved words, strings, comments
// in braces, in (* *) and after //, numbers, and compiler directives {$...}.
#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

class QTextDocument;

namespace quillon {

class PascalHighlighter : public QSyntaxHighlighter {
    Q_OBJECT

public:
    explicit PascalHighlighter(QTextDocument* document);

    // The format given to each kind of token, for tests and for anyone restyling the memo.
    enum class Token { Keyword, String, Comment, Number, Directive };
    const QTextCharFormat& FormatOf(Token token) const;

protected:
    void highlightBlock(const QString& text) override;

private:
    QTextCharFormat FKeyword;
    QTextCharFormat FString;
    QTextCharFormat FComment;
    QTextCharFormat FNumber;
    QTextCharFormat FDirective;
};

}  // namespace quillon
