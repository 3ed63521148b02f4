// Values of a command bound to its `?` markers with SQLBindParameter, each
// converted to its parameter's type as the embedded provider converts it.
// Amounts go as exact decimal text, never through binary floating point.
#pragma once

#include "odbcsession.h"

#include <ZQ5Reimbursement/adodb.h>

#include <QByteArray>

#include <vector>

namespace adodb {

// The parameter type of a column of ODBC type `sqlType` (SQL_INTEGER, ...).
DataTypeEnum parameterTypeForSqlType(SQLSMALLINT sqlType);

class OdbcParameterValues {
public:
    // With `datesAsIsoText` dates are bound as the ISO text the embedded
    // provider stores (a SQLite file); otherwise as ODBC dates and timestamps,
    // which no server's date format setting can misread.
    OdbcParameterValues(const QVariantList& values, const std::vector<Parameter>& parameters, bool datesAsIsoText);

    // The buffers stay with this object, which must outlive the execution.
    void bind(SQLHSTMT statement, const OdbcSession& session);

private:
    struct Bound {
        SQLSMALLINT valueType = SQL_C_CHAR;
        SQLSMALLINT parameterType = SQL_VARCHAR;
        SQLULEN columnSize = 1;
        SQLSMALLINT decimalDigits = 0;
        QByteArray buffer;
        SQLLEN indicator = SQL_NULL_DATA;
    };

    static Bound boundValue(const QVariant& value, DataTypeEnum type, bool datesAsIsoText);

    std::vector<Bound> bound_;
};

}  // namespace adodb
