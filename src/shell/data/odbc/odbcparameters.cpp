#include "odbcparameters.h"

#include "sqlconversions.h"

#include <QDateTime>

namespace adodb {

namespace {

template <typename T>
QByteArray bytesOf(const T& value) {
    return QByteArray(reinterpret_cast<const char*>(&value), sizeof value);
}

SQLSMALLINT sqlTypeFor(DataTypeEnum type) {
    switch (type) {
    case adSmallInt:
        return SQL_SMALLINT;
    case adInteger:
        return SQL_INTEGER;
    case adBigInt:
        return SQL_BIGINT;
    case adDouble:
    case adNumeric:
        return SQL_DECIMAL;
    case adDate:
        return SQL_TYPE_DATE;
    case adDBTimeStamp:
        return SQL_TYPE_TIMESTAMP;
    default:
        return SQL_WVARCHAR;
    }
}

}  // namespace

DataTypeEnum parameterTypeForSqlType(SQLSMALLINT sqlType) {
    switch (sqlType) {
    case SQL_BIT:
    case SQL_TINYINT:
    case SQL_SMALLINT:
        return adSmallInt;
    case SQL_INTEGER:
        return adInteger;
    case SQL_BIGINT:
        return adBigInt;
    case SQL_NUMERIC:
    case SQL_DECIMAL:
        return adNumeric;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return adDouble;
    case SQL_TYPE_DATE:
        return adDate;
    case SQL_TYPE_TIMESTAMP:
        return adDBTimeStamp;
    default:
        return adVarChar;
    }
}

OdbcParameterValues::OdbcParameterValues(const QVariantList& values, const std::vector<Parameter>& parameters,
                                         bool datesAsIsoText) {
    for (qsizetype i = 0; i < values.size(); ++i)
        bound_.push_back(boundValue(values.at(i), parameters.at(std::size_t(i)).type, datesAsIsoText));
}

OdbcParameterValues::Bound OdbcParameterValues::boundValue(const QVariant& value, DataTypeEnum type,
                                                           bool datesAsIsoText) {
    Bound bound;
    bound.parameterType = sqlTypeFor(type);
    if (value.isNull())
        return bound;
    switch (bound.parameterType) {
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT:
        bound.valueType = SQL_C_SBIGINT;
        bound.buffer = bytesOf(SQLBIGINT(parameterValue(value, type).toLongLong()));
        bound.indicator = 0;
        return bound;
    case SQL_DECIMAL: {
        const QString text = toSqlDecimalText(value, QStringLiteral("numeric"));
        const qsizetype point = text.indexOf(QLatin1Char('.'));
        bound.buffer = text.toLatin1();
        bound.indicator = SQLLEN(bound.buffer.size());
        bound.decimalDigits = SQLSMALLINT(point < 0 ? 0 : text.size() - point - 1);
        bound.columnSize = SQLULEN(qMax<qsizetype>(1, text.count(QRegularExpression(QStringLiteral("[0-9]")))));
        return bound;
    }
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIMESTAMP:
        if (!datesAsIsoText) {
            const QString iso = parameterValue(value, type).toString();
            const QDateTime moment = QDateTime::fromString(QString(iso).replace(QLatin1Char(' '), QLatin1Char('T')),
                                                           Qt::ISODate);
            const QDate day = moment.isValid() ? moment.date() : QDate::fromString(iso, Qt::ISODate);
            const QTime time = moment.isValid() ? moment.time() : QTime(0, 0);
            bound.valueType = SQL_C_TYPE_TIMESTAMP;
            bound.parameterType = SQL_TYPE_TIMESTAMP;
            bound.columnSize = 23;
            bound.decimalDigits = 3;
            bound.buffer = bytesOf(SQL_TIMESTAMP_STRUCT{
                SQLSMALLINT(day.year()), SQLUSMALLINT(day.month()), SQLUSMALLINT(day.day()),
                SQLUSMALLINT(time.hour()), SQLUSMALLINT(time.minute()), SQLUSMALLINT(time.second()),
                SQLUINTEGER(time.msec()) * 1000000});
            bound.indicator = 0;
            return bound;
        }
        bound.parameterType = SQL_WVARCHAR;
        break;
    default:
        break;
    }
    const QString text = parameterValue(value, type).toString();
    bound.valueType = SQL_C_WCHAR;
    bound.buffer = QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    bound.indicator = SQLLEN(bound.buffer.size());
    bound.columnSize = SQLULEN(qMax<qsizetype>(1, text.size()));
    return bound;
}

void OdbcParameterValues::bind(SQLHSTMT statement, const OdbcSession& session) {
    for (std::size_t i = 0; i < bound_.size(); ++i) {
        Bound& value = bound_[i];
        session.check(SQLBindParameter(statement, SQLUSMALLINT(i + 1), SQL_PARAM_INPUT, value.valueType,
                                       value.parameterType, value.columnSize, value.decimalDigits,
                                       value.buffer.data(), SQLLEN(value.buffer.size()), &value.indicator),
                      SQL_HANDLE_STMT, statement);
    }
}

}  // namespace adodb
