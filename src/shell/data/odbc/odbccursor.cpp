#include "odbccursor.h"

#include "sqlite/sqlitecatalog.h"
#include "textvalues.h"

#include <QDateTime>

namespace adodb {

OdbcCursor::OdbcCursor(std::shared_ptr<OdbcSession> session, OdbcStatement statement, bool sqliteValues)
    : session_(std::move(session)), statement_(std::move(statement)) {
    SQLHSTMT handle = statement_.get();
    SQLSMALLINT columns = 0;
    if (statement_)
        session_->check(SQLNumResultCols(handle, &columns), SQL_HANDLE_STMT, handle);
    for (SQLUSMALLINT column = 1; column <= columns; ++column) {
        SQLSMALLINT type = 0;
        names_ << describe(column, type);
        Kind kind = Kind::Text;
        switch (type) {
        case SQL_BIT:
        case SQL_TINYINT:
        case SQL_SMALLINT:
        case SQL_INTEGER:
        case SQL_BIGINT:
            kind = Kind::Integer;
            break;
        case SQL_REAL:
        case SQL_FLOAT:
        case SQL_DOUBLE:
            kind = Kind::Double;
            break;
        case SQL_NUMERIC:
        case SQL_DECIMAL:
            kind = Kind::Decimal;
            break;
        case SQL_TYPE_DATE:
            kind = Kind::Date;
            break;
        case SQL_TYPE_TIMESTAMP:
            kind = Kind::Timestamp;
            break;
        case SQL_BINARY:
        case SQL_VARBINARY:
        case SQL_LONGVARBINARY:
            kind = Kind::Binary;
            break;
        default:
            break;
        }
        if (sqliteValues) {
            char declared[128] = {};
            SQLSMALLINT declaredLength = 0;
            SQLColAttribute(handle, column, SQL_DESC_TYPE_NAME, declared, sizeof declared, &declaredLength, nullptr);
            if (isDateDeclaration(QString::fromUtf8(declared)))
                kind = Kind::StoredDate;
            else if (kind == Kind::Integer || kind == Kind::Double)
                kind = Kind::StoredNumber;
        }
        kinds_.push_back(kind);
    }
    atEnd_ = !fetch(row_);
}

OdbcCursor::~OdbcCursor() { session_->forget(this); }

QString OdbcCursor::describe(SQLUSMALLINT column, SQLSMALLINT& type) const {
    SQLHSTMT handle = statement_.get();
    SQLSMALLINT length = 0;
    SQLULEN size = 0;
    SQLSMALLINT digits = 0;
    SQLSMALLINT nullable = 0;
    if (session_->wideText()) {
        SQLWCHAR name[256] = {};
        session_->check(SQLDescribeColW(handle, column, name, 256, &length, &type, &size, &digits, &nullable),
                        SQL_HANDLE_STMT, handle);
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(name), qMin<int>(length, 255));
    }
    SQLCHAR name[512] = {};
    session_->check(SQLDescribeCol(handle, column, name, 512, &length, &type, &size, &digits, &nullable),
                    SQL_HANDLE_STMT, handle);
    return QString::fromUtf8(reinterpret_cast<const char*>(name), qMin<int>(length, 511));
}

void OdbcCursor::next() {
    if (statement_) {
        atEnd_ = !fetch(row_);
    } else if (!rest_.empty()) {
        row_ = std::move(rest_.front());
        rest_.pop_front();
    } else {
        atEnd_ = true;
    }
}

void OdbcCursor::readToEnd() {
    if (!statement_)
        return;
    session_->forget(this);
    for (std::vector<QVariant> row; fetch(row);)
        rest_.push_back(std::move(row));
}

bool OdbcCursor::fetch(std::vector<QVariant>& row) {
    if (!statement_)
        return false;
    const SQLRETURN result = names_.isEmpty() ? SQL_NO_DATA : SQLFetch(statement_.get());
    if (result == SQL_NO_DATA) {
        // The rest of a batch runs as its results are taken.
        for (SQLRETURN more = SQLMoreResults(statement_.get()); more != SQL_NO_DATA;
             more = SQLMoreResults(statement_.get()))
            session_->check(more, SQL_HANDLE_STMT, statement_.get());
        statement_.reset();
        return false;
    }
    session_->check(result, SQL_HANDLE_STMT, statement_.get());
    row.resize(kinds_.size());
    // In column order: a driver may read its fields only forwards.
    for (std::size_t column = 0; column < kinds_.size(); ++column)
        row[column] = read(int(column) + 1, kinds_[column]);
    return true;
}

QVariant OdbcCursor::read(int column, Kind kind) {
    SQLHSTMT handle = statement_.get();
    SQLLEN indicator = 0;
    const auto get = [&](SQLSMALLINT type, void* target, SQLLEN size) {
        session_->check(SQLGetData(handle, SQLUSMALLINT(column), type, target, size, &indicator), SQL_HANDLE_STMT,
                        handle);
        return indicator != SQL_NULL_DATA;
    };
    switch (kind) {
    case Kind::Integer: {
        SQLBIGINT number = 0;
        return get(SQL_C_SBIGINT, &number, 0) ? QVariant(qlonglong(number)) : QVariant();
    }
    case Kind::Double: {
        double number = 0;
        return get(SQL_C_DOUBLE, &number, 0) ? QVariant(number) : QVariant();
    }
    case Kind::Decimal: {
        // As text, so that a whole number stays whole and an amount keeps its digits until it is read.
        char digits[80] = {};
        if (!get(SQL_C_CHAR, digits, sizeof digits))
            return {};
        const QLatin1StringView text(digits);
        bool whole = !text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('e')) &&
                     !text.contains(QLatin1Char('E'));
        const qlonglong number = whole ? text.toLongLong(&whole) : 0;
        return whole ? QVariant(number) : QVariant(text.toDouble());
    }
    case Kind::Date: {
        SQL_DATE_STRUCT date{};
        return get(SQL_C_TYPE_DATE, &date, sizeof date) ? QVariant(QDate(date.year, date.month, date.day)) : QVariant();
    }
    case Kind::Timestamp: {
        SQL_TIMESTAMP_STRUCT moment{};
        if (!get(SQL_C_TYPE_TIMESTAMP, &moment, sizeof moment))
            return {};
        const QDate day(moment.year, moment.month, moment.day);
        const QTime time(moment.hour, moment.minute, moment.second, int(moment.fraction / 1000000));
        // Midnight is the date alone, as the embedded provider reads it.
        return time == QTime(0, 0) ? QVariant(day) : QVariant(QDateTime(day, time));
    }
    case Kind::Binary: {
        QByteArray bytes;
        char chunk[4096];
        SQLRETURN result = SQL_SUCCESS_WITH_INFO;
        while (result == SQL_SUCCESS_WITH_INFO) {
            result = SQLGetData(handle, SQLUSMALLINT(column), SQL_C_BINARY, chunk, sizeof chunk, &indicator);
            session_->check(result, SQL_HANDLE_STMT, handle);
            if (indicator == SQL_NULL_DATA || result == SQL_NO_DATA)
                return indicator == SQL_NULL_DATA ? QVariant() : QVariant(bytes);
            bytes.append(chunk, indicator == SQL_NO_TOTAL || indicator > SQLLEN(sizeof chunk) ? sizeof chunk
                                                                                               : indicator);
        }
        return bytes;
    }
    case Kind::Text:
    case Kind::StoredNumber:
    case Kind::StoredDate: {
        bool isNull = false;
        const QString text = readText(column, isNull);
        if (isNull)
            return {};
        if (kind == Kind::Text)
            return text;
        if (kind == Kind::StoredNumber) {
            bool ok = false;
            if (const qlonglong whole = text.toLongLong(&ok); ok)
                return whole;
            if (const double number = text.toDouble(&ok); ok)
                return number;
            return text;
        }
        const QByteArray utf8 = text.toUtf8();
        if (const std::optional<CalendarDay> day = plainIsoDay({utf8.constData(), std::size_t(utf8.size())}))
            return QDate(day->year, day->month, day->day);
        return dateFromIsoText(text);
    }
    }
    return {};
}

QString OdbcCursor::readText(int column, bool& isNull) {
    SQLHSTMT handle = statement_.get();
    QString text;
    char16_t chunk[2048];
    SQLLEN indicator = 0;
    for (;;) {
        const SQLRETURN result =
            SQLGetData(handle, SQLUSMALLINT(column), SQL_C_WCHAR, chunk, sizeof chunk, &indicator);
        if (result == SQL_NO_DATA)
            break;
        session_->check(result, SQL_HANDLE_STMT, handle);
        if (indicator == SQL_NULL_DATA) {
            isNull = true;
            return {};
        }
        // A chunk that did not hold the rest is full but for its terminating zero.
        const bool truncated = result == SQL_SUCCESS_WITH_INFO &&
                               (indicator == SQL_NO_TOTAL || indicator >= SQLLEN(sizeof chunk));
        text.append(QStringView(chunk, truncated ? qsizetype(std::size(chunk) - 1) : qsizetype(indicator / 2)));
        if (!truncated)
            break;
    }
    return text;
}

}  // namespace adodb
