#include "tsqltranslator.h"

#include "textvalues.h"
#include "tsqltokenizer.h"

#include <vector>

namespace adodb {

namespace {

// The tokens that carry meaning (no blanks or comments), with matched
// parentheses and the AND words that belong to a BETWEEN.
class SyntaxView {
public:
    explicit SyntaxView(std::vector<TsqlToken>& tokens) : tokens_(tokens) {
        for (int raw = 0; raw < int(tokens.size()); ++raw)
            if (tokens[raw].kind != TsqlToken::Blank && tokens[raw].kind != TsqlToken::Comment)
                raw_.push_back(raw);
        matchParentheses();
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

    std::vector<TsqlToken>& tokens_;
    std::vector<int> raw_;
    std::vector<int> match_;
    std::vector<int> enclosing_;
    std::vector<bool> betweenAnd_;
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

bool referencesDateColumn(const SyntaxView& view, int first, int last, const DateColumns& dateColumns) {
    for (int p = first; p <= last; ++p) {
        if (view.isSymbol(p, "(") && view.isWord(p + 1, "select")) {
            p = view.match(p);  // a subquery compares its own columns
            continue;
        }
        const TsqlToken& token = view.at(p);
        if (token.isName() && !view.isSymbol(p + 1, "(") && dateColumns.contains(token.name().toLower()))
            return true;
    }
    return false;
}

// Whether the literal at p stands in a predicate that names a date column.
bool comparedWithDateColumn(const SyntaxView& view, int p, const DateColumns& dateColumns) {
    int first = p;
    int last = p;
    for (int open = view.enclosing(first); open >= 0 && isOperandGroup(view, open); open = view.enclosing(first)) {
        first = open;
        last = view.match(open);
    }
    while (first > 0 && (view.isSymbol(first - 1, ")") || !endsPredicate(view, first - 1)))
        first = view.isSymbol(first - 1, ")") ? view.match(first - 1) : first - 1;
    while (last + 1 < view.size() && (view.isSymbol(last + 1, "(") || !endsPredicate(view, last + 1)))
        last = view.isSymbol(last + 1, "(") ? view.match(last + 1) : last + 1;
    return referencesDateColumn(view, first, last, dateColumns);
}

void rewriteDateLiterals(SyntaxView& view, const DateColumns& dateColumns) {
    for (int p = 0; p < view.size(); ++p) {
        TsqlToken& token = view.at(p);
        if (token.kind != TsqlToken::String)
            continue;
        const QString iso = isoDateFromSortableText(token.text.mid(1, token.text.size() - 2));
        if (!iso.isEmpty() && comparedWithDateColumn(view, p, dateColumns))
            token.text = QLatin1Char('\'') + iso + QLatin1Char('\'');
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

QString translateTsql(const QString& sql, const DateColumns& dateColumns) {
    std::vector<TsqlToken> tokens = tokenizeTsql(sql);
    SyntaxView view(tokens);
    rewriteDateLiterals(view, dateColumns);
    renameFunctions(tokens, view);
    separateNumbersFromWords(tokens);
    QString translated;
    translated.reserve(sql.size() + 16);
    for (const TsqlToken& token : tokens)
        translated += token.text;
    return translated;
}

}  // namespace adodb
