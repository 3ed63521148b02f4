#include "tsqltranslator.h"

#include "textvalues.h"
#include "tsqltext.h"
#include "tsqltokenizer.h"

#include <array>
#include <vector>

namespace adodb {

namespace {

// The tokens that carry meaning (no blanks or comments), with matched
// parentheses, the AND words that belong to a BETWEEN, the SET clauses of
// updates and the statements that define tables, views or triggers.
class SyntaxView {
public:
    explicit SyntaxView(std::vector<TsqlToken>& tokens) : tokens_(tokens) {
        for (int raw = 0; raw < int(tokens.size()); ++raw)
            if (tokens[raw].kind != TsqlToken::Blank && tokens[raw].kind != TsqlToken::Comment)
                raw_.push_back(raw);
        matchParentheses();
        markClauses();
    }

    int size() const { return int(raw_.size()); }
    TsqlToken& at(int p) { return tokens_[raw_[p]]; }
    const TsqlToken& at(int p) const { return tokens_[raw_[p]]; }
    int raw(int p) const { return raw_[p]; }
    bool isWord(int p, const char* word) const { return p >= 0 && p < size() && at(p).isWord(word); }
    bool isSymbol(int p, const char* symbol) const { return p >= 0 && p < size() && at(p).isSymbol(symbol); }
    // For a parenthesis, its partner; an unclosed one runs to the last token.
    int match(int p) const { return match_[p]; }
    // The innermost open parenthesis around p, or -1.
    int enclosing(int p) const { return enclosing_[p]; }
    bool isBetweenAnd(int p) const { return betweenAnd_[p]; }
    bool opensSubquery(int p) const { return isSymbol(p, "(") && isWord(p + 1, "select"); }
    // In the SET clause of an UPDATE, at that clause's own depth.
    bool inSetClause(int p) const { return inSet_[p]; }
    // In a CREATE, ALTER or DROP statement.
    bool inDefinition(int p) const { return inDefinition_[p]; }

private:
    void matchParentheses() {
        match_.resize(raw_.size());
        enclosing_.assign(raw_.size(), -1);
        betweenAnd_.assign(raw_.size(), false);
        std::vector<int> open;
        std::vector<int> pendingBetween(1, 0);  // per depth
        for (int p = 0; p < size(); ++p) {
            enclosing_[p] = open.empty() ? -1 : open.back();
            match_[p] = p;
            if (isSymbol(p, "(")) {
                match_[p] = size() - 1;
                open.push_back(p);
                pendingBetween.push_back(0);
            } else if (isSymbol(p, ")") && !open.empty()) {
                match_[open.back()] = p;
                match_[p] = open.back();
                open.pop_back();
                pendingBetween.pop_back();
            } else if (isWord(p, "between")) {
                ++pendingBetween.back();
            } else if (isWord(p, "and") && pendingBetween.back() > 0) {
                --pendingBetween.back();
                betweenAnd_[p] = true;
            }
        }
    }

    void markClauses() {
        static const char* const clauseWords[] = {"select", "from", "where", "values", "on", "having",
                                                  "group", "order", "output", "returning"};
        inSet_.assign(raw_.size(), false);
        inDefinition_.assign(raw_.size(), false);
        std::vector<bool> set(1, false);  // per depth
        bool statementStart = true;
        bool definition = false;
        int blocks = 0;  // BEGIN ... END of a trigger; CASE ... END is no block
        int cases = 0;
        for (int p = 0; p < size(); ++p) {
            if (statementStart)
                definition = isWord(p, "create") || isWord(p, "alter") || isWord(p, "drop");
            statementStart = false;
            if (isSymbol(p, "(")) {
                set.push_back(false);
            } else if (isSymbol(p, ")") && set.size() > 1) {
                set.pop_back();
            } else if (isWord(p, "set")) {
                set.back() = true;
            } else if (isWord(p, "case")) {
                ++cases;
            } else if (isWord(p, "begin")) {
                ++blocks;
            } else if (isWord(p, "end")) {
                if (cases > 0)
                    --cases;
                else if (blocks > 0)
                    --blocks;
            } else if (isSymbol(p, ";") && blocks == 0) {
                statementStart = true;
                set.assign(1, false);
            } else {
                for (const char* word : clauseWords)
                    if (isWord(p, word))
                        set.back() = false;
            }
            inSet_[p] = set.back();
            inDefinition_[p] = definition;
        }
    }

    std::vector<TsqlToken>& tokens_;
    std::vector<int> raw_;
    std::vector<int> match_;
    std::vector<int> enclosing_;
    std::vector<bool> betweenAnd_;
    std::vector<bool> inSet_;
    std::vector<bool> inDefinition_;
};

bool endsPredicate(const SyntaxView& view, int p) {
    static const char* const words[] = {"or",   "where", "on",  "when",   "then",   "else", "end",
                                        "case", "select", "set", "having", "from",   "join", "by",
                                        "union", "values", "into", "exists", "group", "order"};
    const TsqlToken& token = view.at(p);
    if (token.kind == TsqlToken::Symbol)
        return token.isSymbol("(") || token.isSymbol(")") || token.isSymbol(",") || token.isSymbol(";");
    if (token.isWord("and"))
        return !view.isBetweenAnd(p);
    for (const char* word : words)
        if (token.isWord(word))
            return true;
    return false;
}

// Groups whose items are compared as one operand with what stands outside.
bool isOperandGroup(const SyntaxView& view, int open) {
    return view.isWord(open - 1, "isnull") || view.isWord(open - 1, "coalesce") ||
           view.isWord(open - 1, "ifnull") || view.isWord(open - 1, "in");
}

// Words inside a predicate that name no column, in lower case.
bool isOperatorOrTypeWord(const QString& word) {
    static const QSet<QString> words{
        "not",  "like",     "between",  "and",   "or",      "in",         "is",   "null",     "escape",
        "as",   "collate",  "all",      "any",   "some",    "int",        "integer", "bigint", "smallint",
        "tinyint", "varchar", "nvarchar", "char", "nchar",  "text",       "ntext", "datetime", "date",
        "smalldatetime", "datetime2", "float", "real", "decimal", "numeric", "money", "smallmoney", "max"};
    return words.contains(word);
}

// What a token tells of the predicate it stands in.
enum TokenClass { DateColumn, TextColumn, NumberColumn, OtherColumn, TextLiteral, classCount };

// The extent of each token's predicate and what the predicate names, found
// in time linear in the text's length however many literals it holds: walks
// remember where they ended, and each class of token is counted by prefix
// sums within its subquery.
class Predicates {
public:
    Predicates(const SyntaxView& view, const ColumnKinds& columns)
        : view_(view), start_(view.size(), -1), end_(view.size(), -1), scope_(view.size()), counts_(view.size()) {
        std::vector<int> open{0};
        std::vector<std::array<int, classCount>> running(1, std::array<int, classCount>{});
        for (int p = 0; p < view.size(); ++p) {
            if (view.isSymbol(p, ")") && open.size() > 1 && view.opensSubquery(view.match(p)))
                open.pop_back();
            scope_[p] = open.back();
            std::array<int, classCount>& counts = running[std::size_t(scope_[p])];
            const unsigned classes = classesOf(p, columns);
            for (int c = 0; c < classCount; ++c)
                counts[std::size_t(c)] += (classes >> c) & 1u;
            counts_[p] = counts;
            if (view.opensSubquery(p)) {
                open.push_back(int(running.size()));
                running.push_back({});
            }
        }
    }

    // The first token of p's predicate.
    int start(int p) {
        return walk(start_, p, [this](int q) {
            const bool group = view_.isSymbol(q - 1, ")");
            return q > 0 && (group || !endsPredicate(view_, q - 1)) ? (group ? view_.match(q - 1) : q - 1) : -1;
        });
    }
    // The last token of p's predicate.
    int end(int p) {
        return walk(end_, p, [this](int q) {
            const bool group = view_.isSymbol(q + 1, "(");
            return q + 1 < view_.size() && (group || !endsPredicate(view_, q + 1)) ? (group ? view_.match(q + 1) : q + 1)
                                                                                   : -1;
        });
    }
    // Tokens of class c in first..last, which lie in one subquery; those of
    // subqueries inside do not count.
    int count(TokenClass c, int first, int last) const {
        const bool sameScopeBefore = first > 0 && scope_[first - 1] == scope_[first];
        return counts_[last][c] - (sameScopeBefore ? counts_[first - 1][c] : 0);
    }

private:
    // A bit for each class the token has: a name declared with several kinds has each of them.
    unsigned classesOf(int p, const ColumnKinds& columns) const {
        const TsqlToken& token = view_.at(p);
        if (token.kind == TsqlToken::String)
            return 1u << TextLiteral;
        // Function names, table aliases and the N of N'text' name no column.
        if (!token.isName() || view_.isSymbol(p + 1, "(") || view_.isSymbol(p + 1, "."))
            return 0;
        const QString name = token.name().toLower();
        if (token.kind == TsqlToken::Word &&
            (isOperatorOrTypeWord(name) || (name == QLatin1String("n") && p + 1 < view_.size() &&
                                            view_.raw(p + 1) == view_.raw(p) + 1 &&
                                            view_.at(p + 1).kind == TsqlToken::String)))
            return 0;
        const unsigned classes = (columns.dates.contains(name) ? 1u << DateColumn : 0u) |
                                 (columns.texts.contains(name) ? 1u << TextColumn : 0u) |
                                 (columns.numbers.contains(name) ? 1u << NumberColumn : 0u);
        return classes != 0 ? classes : 1u << OtherColumn;
    }

    // Follows `step` from p until it gives -1, noting the end for every
    // token passed, so that no later walk passes them again.
    template <class Step>
    int walk(std::vector<int>& ends, int p, Step step) {
        path_.clear();
        int q = p;
        while (ends[q] < 0) {
            path_.push_back(q);
            const int next = step(q);
            if (next < 0) {
                ends[q] = q;
                break;
            }
            q = next;
        }
        for (const int passed : path_)
            ends[passed] = ends[q];
        return ends[p];
    }

    const SyntaxView& view_;
    std::vector<int> start_;
    std::vector<int> end_;
    std::vector<int> scope_;
    std::vector<std::array<int, classCount>> counts_;
    std::vector<int> path_;
};

// Whether the literal at p stands in a predicate that names a date column.
bool comparedWithDateColumn(const SyntaxView& view, Predicates& predicates, int p) {
    int first = p;
    int last = p;
    for (int open = view.enclosing(first); open >= 0 && isOperandGroup(view, open); open = view.enclosing(first)) {
        first = open;
        last = view.match(open);
    }
    return predicates.count(DateColumn, predicates.start(first), predicates.end(last)) > 0;
}

void rewriteDateLiterals(SyntaxView& view, Predicates& predicates) {
    for (int p = 0; p < view.size(); ++p) {
        TsqlToken& token = view.at(p);
        if (token.kind != TsqlToken::String)
            continue;
        const QString iso = isoDateFromSortableText(token.text.mid(1, token.text.size() - 2));
        if (!iso.isEmpty() && comparedWithDateColumn(view, predicates, p))
            token.text = QLatin1Char('\'') + iso + QLatin1Char('\'');
    }
}

bool isComparison(const SyntaxView& view, int p) {
    static const char* const symbols[] = {"=", "<>", "!=", "<", ">", "<=", ">=", "!<", "!>"};
    for (const char* symbol : symbols)
        if (view.isSymbol(p, symbol))
            return true;
    return view.isWord(p, "in") || view.isWord(p, "between");
}

// A name, a qualified name, a call or a parenthesized group: COLLATE can follow it.
bool isOneOperand(const SyntaxView& view, int first, int last) {
    if (first == last || (view.isSymbol(first, "(") && view.match(first) == last) ||
        (view.at(first).isName() && view.isSymbol(first + 1, "(") && view.match(first + 1) == last))
        return true;
    for (int p = first; view.at(p).isName(); p += 2) {
        if (p == last)
            return true;
        if (p + 2 > last || !view.isSymbol(p + 1, "."))
            return false;
    }
    return false;
}

// SQLite compares with the left operand's collation when it carries one
// (for IN and BETWEEN always), so the collation goes there.
void collateTextComparisons(const SyntaxView& view, Predicates& predicates, std::vector<QString>& before,
                            std::vector<QString>& after) {
    const QString collation = QStringLiteral(" COLLATE ") + QLatin1String(tsqlTextCollation);
    for (int p = 0; p < view.size(); ++p) {
        if (!isComparison(view, p) || view.inDefinition(p))
            continue;
        const int start = predicates.start(p);
        const bool assignment = view.isSymbol(p, "=") && view.inSetClause(p) &&
                                (view.isWord(start - 1, "set") || view.isSymbol(start - 1, ","));
        int first = start;
        while (view.isWord(first, "not"))
            ++first;
        const int last = view.isWord(p - 1, "not") ? p - 2 : p - 1;
        if (assignment || first > last)
            continue;
        const int end = predicates.end(p);
        const auto count = [&](TokenClass c) { return predicates.count(c, start, end); };
        if (count(DateColumn) + count(NumberColumn) + count(OtherColumn) > 0 ||
            count(TextColumn) + count(TextLiteral) == 0)
            continue;
        if (isOneOperand(view, first, last)) {
            after[std::size_t(view.raw(last))] += collation;
        } else {
            before[std::size_t(view.raw(first))] += QLatin1Char('(');
            after[std::size_t(view.raw(last))] += QLatin1Char(')') + collation;
        }
    }
}

// convert(varchar(10), x) becomes zq_convert('varchar(10)', x).
void rewriteConvert(std::vector<TsqlToken>& tokens, SyntaxView& view, int name) {
    const int typeStart = name + 2;
    int comma = typeStart;
    while (comma < view.match(name + 1) && !view.isSymbol(comma, ","))
        comma = view.isSymbol(comma, "(") ? view.match(comma) + 1 : comma + 1;
    if (!view.isSymbol(comma, ",") || comma == typeStart)
        return;
    QString type;
    for (int p = typeStart; p < comma; ++p)
        type += view.at(p).text;
    for (int raw = view.raw(typeStart) + 1; raw < view.raw(comma); ++raw)
        tokens[raw].text.clear();
    view.at(typeStart) = {TsqlToken::String, QLatin1Char('\'') + type.toLower() + QLatin1Char('\'')};
    view.at(name).text = QStringLiteral("zq_convert");
}

void renameFunctions(std::vector<TsqlToken>& tokens, SyntaxView& view) {
    for (int p = 0; p < view.size(); ++p) {
        if (!view.isSymbol(p + 1, "("))
            continue;
        TsqlToken& token = view.at(p);
        if (token.isWord("isnull"))
            token.text = QStringLiteral("ifnull");
        else if (token.isWord("left"))
            token.text = QStringLiteral("zq_left");
        else if (token.isWord("right"))
            token.text = QStringLiteral("zq_right");
        else if (token.isWord("convert"))
            rewriteConvert(tokens, view, p);
    }
}

void separateNumbersFromWords(std::vector<TsqlToken>& tokens) {
    for (size_t raw = 0; raw + 1 < tokens.size(); ++raw)
        if (tokens[raw].kind == TsqlToken::Number && tokens[raw + 1].kind == TsqlToken::Word)
            tokens[raw].text += QLatin1Char(' ');
}

}  // namespace

QString translateTsql(const QString& sql, const ColumnKinds& columns) {
    std::vector<TsqlToken> tokens = tokenizeTsql(sql);
    SyntaxView view(tokens);
    Predicates predicates(view, columns);
    std::vector<QString> before(tokens.size());
    std::vector<QString> after(tokens.size());
    rewriteDateLiterals(view, predicates);
    collateTextComparisons(view, predicates, before, after);
    renameFunctions(tokens, view);
    separateNumbersFromWords(tokens);
    QString translated;
    translated.reserve(sql.size() + 16);
    for (std::size_t raw = 0; raw < tokens.size(); ++raw)
        translated += before[raw] + tokens[raw].text + after[raw];
    return translated;
}

}  // namespace adodb
