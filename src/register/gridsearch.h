// How the register compares cell texts: the grid's generic sort and the
// incremental search agree on it (numbers by value, other texts in capitals
// by character code), so the search's halving finds what the sort ordered.
#pragma once

#include <QString>

#include <array>
#include <bit>
#include <functional>
#include <string_view>

namespace ZQ5Reimbursement {

// A text that reads as a number as a whole (blanks around it allowed).
bool isNumericText(const QString& text);

// Texts compared in capitals, character code by character code.
int compareInCapitals(const QString& left, const QString& right);

// A cell's place in the grid's generic sort: empty cells first, then numbers
// by value, then other texts. A text's first bytes come along in capitals,
// so that most texts are ordered without looking at them again.
struct SortKey {
    enum Kind : quint8 { Empty, Number, Text } kind = Empty;
    // How many leading bytes `capitals` holds as the text has them (the text's
    // end counts as held: zeros follow it); whether it holds the whole text.
    quint8 held = 0;
    bool whole = false;
    double number = 0;
    std::array<quint64, 2> capitals{};  // the first 16 ASCII bytes in capitals, big-endian
};
SortKey sortKeyOf(std::string_view utf8);

// compareInCapitals on UTF-8 bytes, without converting ASCII text.
int compareUtf8InCapitals(std::string_view left, std::string_view right);

// Two texts' order from their keys alone: -1 or 1, or 0 when the keys cannot tell.
inline int compareHeldCapitals(const SortKey& left, const SortKey& right) {
    const bool inFirst = left.capitals[0] != right.capitals[0];
    const int word = inFirst ? 0 : 1;
    const quint64 difference = left.capitals[word] ^ right.capitals[word];
    if (difference == 0)
        return 0;
    const int at = word * 8 + std::countl_zero(difference) / 8;
    if (at >= std::min(left.held, right.held))
        return 0;
    return left.capitals[word] < right.capitals[word] ? -1 : 1;
}

// The generic ascending order: by key, and texts in capitals by character
// code. The texts (callables giving UTF-8) are fetched only when the keys of
// two texts cannot tell.
inline bool sortsBefore(const SortKey& left, const SortKey& right, const auto& leftText, const auto& rightText) {
    if (left.kind != right.kind)
        return left.kind < right.kind;
    if (left.kind == SortKey::Number)
        return left.number < right.number;
    if (left.kind == SortKey::Empty)
        return false;
    if (const int byKeys = compareHeldCapitals(left, right))
        return byKeys < 0;
    return !(left.whole && right.whole) && compareUtf8InCapitals(leftText(), rightText()) < 0;
}

// The first of the rows `first` to `last` (sorted ascending on `keyCell`)
// whose trimmed key cell, cut to the length of `typed` as typed, equals the
// trimmed `typed`; -1 when the halving finds none. The comparison is by
// number when the middle key cell is numeric, otherwise by text in capitals.
qint64 findFirstRow(const std::function<QString(qint64 row)>& keyCell, qint64 first, qint64 last,
                    const QString& typed);

}  // namespace ZQ5Reimbursement
