// How the register compares cell texts: the grid's generic sort and the
// incremental search agree on it (numbers by value, other texts in capitals
// by character code), so the search's halving finds what the sort ordered.
#pragma once

#include <QString>

#include <functional>
#include <string_view>

namespace ZQ5Reimbursement {

// A text that reads as a number as a whole (blanks around it allowed).
bool isNumericText(const QString& text);

// Texts compared in capitals, character code by character code.
int compareInCapitals(const QString& left, const QString& right);

// A cell's place in the grid's generic sort: empty cells first, then numbers
// by value, then other texts.
struct SortKey {
    enum Kind : quint8 { Empty, Number, Text } kind;
    double number;
};
SortKey sortKeyOf(std::string_view utf8);

// compareInCapitals on UTF-8 bytes, without converting ASCII text.
int compareUtf8InCapitals(std::string_view left, std::string_view right);

// The generic ascending order: by key, and texts in capitals by character
// code. The texts (callables giving UTF-8) are fetched only to compare two texts.
inline bool sortsBefore(const SortKey& left, const SortKey& right, const auto& leftText, const auto& rightText) {
    if (left.kind != right.kind)
        return left.kind < right.kind;
    if (left.kind == SortKey::Number)
        return left.number < right.number;
    return left.kind == SortKey::Text && compareUtf8InCapitals(leftText(), rightText()) < 0;
}

// The first of the rows `first` to `last` (sorted ascending on `keyCell`)
// whose trimmed key cell, cut to the length of `typed` as typed, equals the
// trimmed `typed`; -1 when the halving finds none. The comparison is by
// number when the middle key cell is numeric, otherwise by text in capitals.
qint64 findFirstRow(const std::function<QString(qint64 row)>& keyCell, qint64 first, qint64 last,
                    const QString& typed);

}  // namespace ZQ5Reimbursement
