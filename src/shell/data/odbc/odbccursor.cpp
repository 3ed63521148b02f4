#include "odbccursor.h"

#include "sqlite/sqlitecatalog.h"
#include "textvalues.h"
#include "valuetext.h"

#include <QDateTime>

#include <algorithm>

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
            else if (kind == Kind::Integer || kind == Kind::Double || kind == Kind::Decimal)
                kind = Kind::StoredNumber;
            else if (kind != Kind::Binary)
                kind = Kind::StoredText;
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
    for (Row row; fetch(row); row = {})
        rest_.push_back(std::move(row));
}

bool OdbcCursor::fetch(Row& row) {
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
        read(int(column) + 1, kinds_[column], row[column]);
    return true;
}

void OdbcCursor::read(int column, Kind kind, Cell& cell) {
    SQLHSTMT handle = statement_.get();
    SQLLEN indicator = 0;
    const auto get = [&](SQLSMALLINT type, void* target, SQLLEN size) {
        session_->check(SQLGetData(handle, SQLUSMALLINT(column), type, target, size, &indicator), SQL_HANDLE_STMT,
                        handle);
        return indicator != SQL_NULL_DATA;
    };
    cell.isNull = false;
    switch (kind) {
    case Kind::Integer: {
        SQLBIGINT number = 0;
        cell.isNull = !get(SQL_C_SBIGINT, &number, 0);
        cell.value = qlonglong(number);
        return;
    }
    case Kind::Double: {
        double number = 0;
        cell.isNull = !get(SQL_C_DOUBLE, &number, 0);
        cell.value = number;
        return;
    }
    case Kind::Decimal: {
        // As text, so that a whole number stays whole and an amount keeps its digits until it is read.
        char digits[80] = {};
        cell.isNull = !get(SQL_C_CHAR, digits, sizeof digits);
        const QLatin1StringView text(digits);
        bool whole = !text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('e')) &&
                     !text.contains(QLatin1Char('E'));
        const qlonglong number = whole ? text.toLongLong(&whole) : 0;
        cell.value = whole ? QVariant(number) : QVariant(text.toDouble());
        return;
    }
    case Kind::Date: {
        SQL_DATE_STRUCT date{};
        cell.isNull = !get(SQL_C_TYPE_DATE, &date, sizeof date);
        cell.value = QDate(date.year, date.month, date.day);
        return;
    }
    case Kind::Timestamp: {
        SQL_TIMESTAMP_STRUCT moment{};
        cell.isNull = !get(SQL_C_TYPE_TIMESTAMP, &moment, sizeof moment);
        const QDate day(moment.year, moment.month, moment.day);
        const QTime time(moment.hour, moment.minute, moment.second, int(moment.fraction / 1000000));
        // Midnight is the date alone, as the embedded provider reads it.
        cell.value = time == QTime(0, 0) ? QVariant(day) : QVariant(QDateTime(day, time));
        return;
    }
    case Kind::Binary: {
        QByteArray bytes;
        char chunk[4096];
        for (SQLRETURN result = SQL_SUCCESS_WITH_INFO; result == SQL_SUCCESS_WITH_INFO;) {
            result = SQLGetData(handle, SQLUSMALLINT(column), SQL_C_BINARY, chunk, sizeof chunk, &indicator);
            if (result == SQL_NO_DATA)
                break;
            session_->check(result, SQL_HANDLE_STMT, handle);
            if (indicator == SQL_NULL_DATA)
                break;
            bytes.append(chunk, indicator == SQL_NO_TOTAL || indicator > SQLLEN(sizeof chunk) ? sizeof chunk
                                                                                               : indicator);
        }
        cell.isNull = indicator == SQL_NULL_DATA;
        cell.value = bytes;
        return;
    }
    case Kind::Text:
        cell.value = readWideText(column, cell.isNull);
        return;
    case Kind::StoredText:
    case Kind::StoredNumber:
    case Kind::StoredDate:
        cell.isNull = !readUtf8(column, cell.text);
        return;
    }
}

QVariant OdbcCursor::value(int column) const {
    const Cell& cell = row_[std::size_t(column)];
    if (cell.isNull)
        return {};
    const QString text = QString::fromUtf8(cell.text);
    switch (kinds_[std::size_t(column)]) {
    case Kind::StoredText:
        return text;
    case Kind::StoredNumber: {
        bool ok = false;
        if (const qlonglong whole = text.toLongLong(&ok); ok)
            return whole;
        if (const double number = text.toDouble(&ok); ok)
            return number;
        return text;
    }
    case Kind::StoredDate:
        if (const std::optional<CalendarDay> day = plainIsoDay(cell.text))
            return QDate(day->year, day->month, day->day);
        return dateFromIsoText(text);
    default:
        return cell.value;
    }
}

// ASCII text, whole numbers and plain dates straight from the driver's
// bytes; the rest as valueText has them.
std::optional<std::string_view> OdbcCursor::utf8Text(int column) const {
    const Cell& cell = row_[std::size_t(column)];
    if (cell.isNull)
        return std::nullopt;
    switch (kinds_[std::size_t(column)]) {
    case Kind::StoredText:
        // Bytes that are no UTF-8 read as QString reads them.
        if (std::all_of(cell.text.begin(), cell.text.end(), [](char byte) { return (byte & 0x80) == 0; }))
            return cell.text;
        break;
    case Kind::StoredNumber: {
        const std::string_view digits = std::string_view(cell.text).substr(cell.text.starts_with('-') ? 1 : 0);
        const bool whole = !digits.empty() && digits.size() < 19 &&
                           digits.find_first_not_of("0123456789") == std::string_view::npos;
        if (whole)
            return cell.text;
        break;
    }
    case Kind::StoredDate:
        if (const std::optional<CalendarDay> day = plainIsoDay(cell.text)) {
            std::string& text = textBuffer(column);
            text.resize(10);
            writeDayFirst(*day, text.data());
            return text;
        }
        break;
    default:
        break;
    }
    return Cursor::utf8Text(column);
}

bool OdbcCursor::readUtf8(int column, std::string& text) {
    SQLHSTMT handle = statement_.get();
    text.clear();
    char chunk[256];
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN result =
            SQLGetData(handle, SQLUSMALLINT(column), SQL_C_CHAR, chunk, sizeof chunk, &indicator);
        if (result == SQL_NO_DATA)
            return true;
        session_->check(result, SQL_HANDLE_STMT, handle);
        if (indicator == SQL_NULL_DATA)
            return false;
        // A chunk that did not hold the rest is full but for its terminating zero.
        const bool truncated =
            result == SQL_SUCCESS_WITH_INFO && (indicator == SQL_NO_TOTAL || indicator >= SQLLEN(sizeof chunk));
        text.append(chunk, truncated ? sizeof chunk - 1 : std::size_t(indicator));
        if (!truncated)
            return true;
    }
}

QString OdbcCursor::readWideText(int column, bool& isNull) {
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
