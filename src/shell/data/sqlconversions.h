// SQL Server's conversions of one value to int, numeric and date, shared by
// convert() in statements and by the values bound to `?` markers. Values are
// as the engine holds them: invalid for NULL, qlonglong, double, QString.
// Failures raise adodb::Error with SQL Server's message.
#pragma once

#include <ZQ5Reimbursement/adodb.h>

namespace adodb {

// Numbers truncate; text must hold a whole number. `typeName` names the
// target in the message ("int").
qlonglong toSqlInteger(const QVariant& value, const QString& typeName);
// Numbers as they are; text must be numeric. `typeName` as above ("numeric").
double toSqlNumber(const QVariant& value, const QString& typeName);
// The exact decimal text of a number or of numeric text ("12.50" stays
// "12.50", 0.1 + 0.2 gives "0.3"), for an engine that takes amounts as text.
QString toSqlDecimalText(const QVariant& value, const QString& typeName);
// ISO text for a QDate, QDateTime, or a date text (day first "dd/mm/yyyy",
// "yyyymmdd", "yyyy/mm/dd", ISO).
QString toSqlDate(const QVariant& value);

// The value stored for a marker bound to a column of `type`; NULL stays NULL.
QVariant parameterValue(const QVariant& value, DataTypeEnum type);

}  // namespace adodb
