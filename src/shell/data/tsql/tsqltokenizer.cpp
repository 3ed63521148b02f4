#include "tsqltokenizer.h"

#include <QStringList>

namespace adodb {

namespace {

class Scanner {
public:
    explicit Scanner(const QString& sql) : sql_(sql) {}

    bool done() const { return position_ >= sql_.size(); }

    TsqlToken next() {
        const qsizetype start = position_;
        const TsqlToken::Kind kind = scan();
        return {kind, sql_.mid(start, position_ - start)};
    }

private:
    QChar at(qsizetype offset) const {
        const qsizetype index = position_ + offset;
        return index < sql_.size() ? sql_.at(index) : QChar();
    }

    static bool isNameChar(QChar c) {
        return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('@') || c == QLatin1Char('#') ||
               c == QLatin1Char('$');
    }

    void skipWhile(bool (*accept)(QChar)) {
        while (!done() && accept(at(0)))
            ++position_;
    }

    void skipPast(const QString& terminator) {
        const qsizetype end = sql_.indexOf(terminator, position_);
        position_ = end < 0 ? sql_.size() : end + terminator.size();
    }

    // A quoted run, where a doubled quote stands for one quote.
    void skipQuoted(QChar quote) {
        ++position_;
        for (;;) {
            skipPast(QString(quote));
            if (done() || at(0) != quote)
                return;
            ++position_;
        }
    }

    void skipNumber() {
        const auto digit = [](QChar c) { return c.isDigit(); };
        skipWhile(digit);
        if (at(0) == QLatin1Char('.')) {
            ++position_;
            skipWhile(digit);
        }
        const bool exponent = (at(0) == QLatin1Char('e') || at(0) == QLatin1Char('E')) &&
                              (at(1).isDigit() || ((at(1) == QLatin1Char('+') || at(1) == QLatin1Char('-')) &&
                                                   at(2).isDigit()));
        if (exponent) {
            position_ += 2;
            skipWhile(digit);
        }
    }

    TsqlToken::Kind scan() {
        const QChar c = at(0);
        const QChar following = at(1);
        if (c.isSpace()) {
            skipWhile([](QChar ch) { return ch.isSpace(); });
            return TsqlToken::Blank;
        }
        if (c == QLatin1Char('-') && following == QLatin1Char('-')) {
            skipPast(QStringLiteral("\n"));
            return TsqlToken::Comment;
        }
        if (c == QLatin1Char('/') && following == QLatin1Char('*')) {
            skipPast(QStringLiteral("*/"));
            return TsqlToken::Comment;
        }
        if (c == QLatin1Char('\'')) {
            skipQuoted(c);
            return TsqlToken::String;
        }
        if (c == QLatin1Char('"')) {
            skipQuoted(c);
            return TsqlToken::QuotedName;
        }
        if (c == QLatin1Char('[')) {
            skipPast(QStringLiteral("]"));
            return TsqlToken::QuotedName;
        }
        if (c.isDigit() || (c == QLatin1Char('.') && following.isDigit())) {
            skipNumber();
            return TsqlToken::Number;
        }
        if (c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('@') || c == QLatin1Char('#')) {
            skipWhile(isNameChar);
            return TsqlToken::Word;
        }
        static const QStringList pairs{"<=", ">=", "<>", "!=", "!<", "!>", "||"};
        position_ += pairs.contains(QString(c) + following) ? 2 : 1;
        return TsqlToken::Symbol;
    }

    const QString& sql_;
    qsizetype position_ = 0;
};

}  // namespace

std::vector<TsqlToken> tokenizeTsql(const QString& sql) {
    std::vector<TsqlToken> tokens;
    for (Scanner scanner(sql); !scanner.done();)
        tokens.push_back(scanner.next());
    return tokens;
}

}  // namespace adodb

namespace adodb {

std::vector<QString> splitTsqlStatements(const QString& sql) {
    std::vector<QString> statements;
    QString statement;
    bool meaningful = false;
    const auto finish = [&] {
        if (meaningful)
            statements.push_back(statement);
        statement.clear();
        meaningful = false;
    };
    for (const TsqlToken& token : tokenizeTsql(sql)) {
        if (token.isSymbol(";")) {
            finish();
            continue;
        }
        if (token.kind == TsqlToken::Comment) {
            statement += QLatin1Char(' ');
            continue;
        }
        statement += token.text;
        meaningful = meaningful || token.kind != TsqlToken::Blank;
    }
    finish();
    return statements;
}

}  // namespace adodb
