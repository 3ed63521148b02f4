// Adapts the module's SQL Server statement texts to SQLite, keeping SQL
// Server's results: function names SQLite reserves or lacks (isnull, left,
// right, convert), numbers glued to keywords ("3and"), and 'yyyymmdd' or
// 'yyyy/mm/dd' literals compared with DATE columns, which are stored as ISO
// text. String literals compared with anything else are never altered.
#pragma once

#include <QSet>
#include <QString>

namespace adodb {

// Names of the columns declared DATE or TIME, lower case, over all tables.
using DateColumns = QSet<QString>;

QString translateTsql(const QString& sql, const DateColumns& dateColumns);

}  // namespace adodb
