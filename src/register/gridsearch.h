// How the register compares cell texts: the grid's generic sort and the
// incremental search agree on it (numbers by value, other texts in capitals
// by character code), so the search's halving finds what the sort ordered.
#pragma once

#include <QString>

#include <functional>

namespace ZQ5Reimbursement {

// A text that reads as a number as a whole (blanks around it allowed).
bool isNumericText(const QString& text);

// Texts compared in capitals, character code by character code.
int compareInCapitals(const QString& left, const QString& right);

// The first of the rows `first` to `last` (sorted ascending on `keyCell`)
// whose trimmed key cell, cut to the length of `typed` as typed, equals the
// trimmed `typed`; -1 when the halving finds none. The comparison is by
// number when the middle key cell is numeric, otherwise by text in capitals.
qint64 findFirstRow(const std::function<QString(qint64 row)>& keyCell, qint64 first, qint64 last,
                    const QString& typed);

}  // namespace ZQ5Reimbursement
