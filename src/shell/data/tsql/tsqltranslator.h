// Adapts the module's SQL Server statement texts to SQLite, keeping SQL
// Server's results: function names SQLite reserves or lacks (isnull, left,
// right, convert), numbers glued to keywords ("3and"), 'yyyymmdd' or
// 'yyyy/mm/dd' literals compared with DATE columns, which are stored as ISO
// text, and text compared as SQL Server compares it (tsqltext.h) whatever
// collation the columns were declared with. String literals compared with
// anything else are never altered; definitions (CREATE, ALTER, DROP) get no
// collation, so the file stays readable without this module.
#pragma once

#include <QSet>
#include <QString>

namespace adodb {

// What the columns of a database hold, by name (lower case) over all
// tables: a name declared with several kinds is in each of their sets.
struct ColumnKinds {
    QSet<QString> dates;    // declared DATE or TIME
    QSet<QString> texts;    // any other declaration than a number's or a date's
    QSet<QString> numbers;  // declared INT, REAL, NUMERIC and the like
};

// A comparison takes the text collation when what it compares names text
// columns, or string literals and no column at all, and names no date or
// number column: so it never stands between a numeric or date column and its index.
QString translateTsql(const QString& sql, const ColumnKinds& columns);

}  // namespace adodb
