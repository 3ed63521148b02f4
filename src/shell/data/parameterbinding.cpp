#include "parameterbinding.h"

#include "tsql/tsqltokenizer.h"

#include <QHash>

#include <algorithm>

namespace adodb {

namespace {

using Tokens = std::vector<TsqlToken>;

Tokens meaningfulTokens(const QString& sql) {
    Tokens tokens;
    for (TsqlToken& token : tokenizeTsql(sql))
        if (token.kind != TsqlToken::Blank && token.kind != TsqlToken::Comment)
            tokens.push_back(std::move(token));
    return tokens;
}

bool isMarker(const TsqlToken& token) { return token.isSymbol("?"); }

bool isComparison(const TsqlToken& token) {
    for (const char* symbol : {"=", "<", ">", "<=", ">=", "<>", "!="})
        if (token.isSymbol(symbol))
            return true;
    return false;
}

// The index of the table name (its last part when owner-qualified): after
// INTO, UPDATE or FROM, whichever comes first.
size_t tableIndex(const Tokens& tokens) {
    size_t table = 0;
    while (table < tokens.size() && !tokens[table].isWord("into") && !tokens[table].isWord("update") &&
           !tokens[table].isWord("from"))
        ++table;
    ++table;
    while (table + 2 < tokens.size() && tokens[table + 1].isSymbol(".") && tokens[table + 2].isName())
        table += 2;
    return std::min(table, tokens.size());
}

// The items of the parenthesized list that opens at `open`, each as the
// index of its first token and its token count.
std::vector<std::pair<size_t, size_t>> listItems(const Tokens& tokens, size_t open) {
    std::vector<std::pair<size_t, size_t>> items;
    int depth = 0;
    size_t start = open + 1;
    for (size_t i = open + 1; i < tokens.size(); ++i) {
        if (tokens[i].isSymbol("("))
            ++depth;
        else if (tokens[i].isSymbol(")") && depth-- == 0) {
            items.emplace_back(start, i - start);
            break;
        } else if (tokens[i].isSymbol(",") && depth == 0) {
            items.emplace_back(start, i - start);
            start = i + 1;
        }
    }
    return items;
}

// For "insert into T(columns) values(items)", each marker item's column.
QHash<size_t, QString> insertedColumns(const Tokens& tokens, size_t table) {
    QHash<size_t, QString> columns;
    if (tokens.empty() || !tokens.front().isWord("insert") || table + 1 >= tokens.size() ||
        !tokens[table + 1].isSymbol("("))
        return columns;
    const auto names = listItems(tokens, table + 1);
    size_t values = table + 1;
    while (values < tokens.size() && !tokens[values].isWord("values"))
        ++values;
    if (values + 1 >= tokens.size() || !tokens[values + 1].isSymbol("("))
        return columns;
    const auto items = listItems(tokens, values + 1);
    for (size_t i = 0; i < items.size() && i < names.size(); ++i)
        if (items[i].second == 1 && isMarker(tokens[items[i].first]) && names[i].second == 1)
            columns.insert(items[i].first, tokens[names[i].first].name());
    return columns;
}

}  // namespace

std::vector<MarkerBinding> bindMarkers(const QString& sql) {
    const Tokens tokens = meaningfulTokens(sql);
    const size_t table = tableIndex(tokens);
    const QString tableName = table < tokens.size() ? tokens[table].name() : QString();
    const QHash<size_t, QString> inserted = insertedColumns(tokens, table);
    std::vector<MarkerBinding> bindings;
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (!isMarker(tokens[i]))
            continue;
        QString column = inserted.value(i);
        if (column.isEmpty() && i >= 2 && isComparison(tokens[i - 1]) && tokens[i - 2].isName())
            column = tokens[i - 2].name();
        bindings.push_back({tableName, column});
    }
    return bindings;
}

}  // namespace adodb
