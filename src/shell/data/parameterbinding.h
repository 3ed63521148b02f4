// Which column each `?` marker of a statement is bound to, read from the
// statement text alone: the i-th value of "insert into T(c1, c2) values(?, ?)"
// goes to the i-th column, and a marker compared with a column ("c = ?",
// "c >= ?") is bound to that column.
#pragma once

#include <QString>

#include <vector>

namespace adodb {

struct MarkerBinding {
    QString table;   // the table the statement writes, or the first it reads
    QString column;  // empty when the marker is bound to no column
};

std::vector<MarkerBinding> bindMarkers(const QString& sql);

}  // namespace adodb
