// SQL Server's results for the functions the module's statements call that
// SQLite lacks or computes differently. Arguments and results are engine
// values: invalid for NULL, qlonglong, double, QString. Failures raise
// adodb::Error with SQL Server's message.
#pragma once

#include <QVariant>
#include <QVariantList>

namespace adodb {

// len(s): characters, trailing blanks not counted.
QVariant tsqlLen(const QVariantList& arguments);
// left(s, n) and right(s, n); a negative n is an error.
QVariant tsqlLeft(const QVariantList& arguments);
QVariant tsqlRight(const QVariantList& arguments);
// substring(s, start, length), positions before the first character count.
QVariant tsqlSubstring(const QVariantList& arguments);
// isnumeric(x): 1 for numbers and numeric text, else 0 (NULL too).
QVariant tsqlIsNumeric(const QVariantList& arguments);
// convert(type, x) with the type as text, such as "int" or "varchar(10)".
QVariant tsqlConvert(const QVariantList& arguments);
// value LIKE pattern [ESCAPE character], as likeTsql has it: 1, 0, or NULL
// when an operand is NULL.
QVariant tsqlLike(const QVariantList& arguments);

}  // namespace adodb
