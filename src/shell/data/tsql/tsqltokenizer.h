// Splits T-SQL text into tokens whose texts, joined, give the text back.
#pragma once

#include <QString>

#include <vector>

namespace adodb {

struct TsqlToken {
    enum Kind { Blank, Comment, Word, QuotedName, Number, String, Symbol };

    Kind kind;
    QString text;

    bool isWord(const char* word) const {
        return kind == Word && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(const char* symbol) const { return kind == Symbol && text == QLatin1String(symbol); }
    bool isName() const { return kind == Word || kind == QuotedName; }
    // A name without its [] or "" quotes.
    QString name() const { return kind == QuotedName ? text.mid(1, text.size() - 2) : text; }
};

// Numbers stop before letters, so "3and" gives the number 3 and the word
// "and". Strings keep their doubled quotes; an unterminated one runs to the end.
std::vector<TsqlToken> tokenizeTsql(const QString& sql);

}  // namespace adodb

namespace adodb {

// The statements of a text, split at the semicolons between them (never at
// one inside a string, quoted name or comment), without their comments:
// the SQLite3 ODBC driver takes a ';' or '?' in a comment for its own.
// Blank statements are left out.
std::vector<QString> splitTsqlStatements(const QString& sql);

}  // namespace adodb
