#include "sqlitestatement.h"

#include "errors.h"

#include <algorithm>
#include <cctype>

namespace adodb {

void raiseEngineError(sqlite3* db) {
    throw Error(sqlite3_extended_errcode(db), sqliteErrorSource, QString::fromUtf8(sqlite3_errmsg(db)));
}

FailureKind sqliteFailureKind(long code) {
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return FailureKind::Busy;
    case SQLITE_PERM:
    case SQLITE_READONLY:
    case SQLITE_IOERR:
    case SQLITE_CORRUPT:
    case SQLITE_FULL:
    case SQLITE_CANTOPEN:
    case SQLITE_NOTADB:
        return FailureKind::Unwritable;
    case SQLITE_ERROR:
        return FailureKind::Layout;
    default:
        return FailureKind::Engine;
    }
}

StatementHandle prepareStatement(sqlite3* db, const QByteArray& sql) { return StatementSequence(db, sql).first(); }

StatementHandle StatementSequence::first() {
    StatementHandle statement = next();
    if (!statement)
        raise(adErrInvalidArgument, QStringLiteral("The statement text holds no statement."));
    return statement;
}

StatementHandle StatementSequence::next() {
    const char* end = sql_.constData() + sql_.size();
    sqlite3_stmt* statement = nullptr;
    // A run of semicolons prepares to no statement; the text goes on after it.
    while (!statement && tail_ < end) {
        if (sqlite3_prepare_v2(db_, tail_, int(end - tail_), &statement, &tail_) != SQLITE_OK)
            raiseEngineError(db_);
    }
    return StatementHandle(statement);
}

bool StatementSequence::more() const {
    const char* p = tail_;
    const char* end = sql_.constData() + sql_.size();
    while (p < end) {
        if (*p == ';' || std::isspace(static_cast<unsigned char>(*p))) {
            ++p;
        } else if (end - p > 1 && p[0] == '-' && p[1] == '-') {
            p = std::find(p, end, '\n');
        } else if (end - p > 1 && p[0] == '/' && p[1] == '*') {
            const char* close = std::search(p + 2, end, "*/", "*/" + 2);
            p = close == end ? end : close + 2;
        } else {
            return true;
        }
    }
    return false;
}

void runToEnd(sqlite3_stmt* statement) {
    int result = SQLITE_ROW;
    while (result == SQLITE_ROW)
        result = sqlite3_step(statement);
    if (result != SQLITE_DONE)
        raiseEngineError(sqlite3_db_handle(statement));
}

QVariant engineValue(sqlite3_value* value) {
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_value_int64(value));
    case SQLITE_FLOAT:
        return sqlite3_value_double(value);
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_value_blob(value)), sqlite3_value_bytes(value));
    default:
        return QString::fromUtf8(textBytes(value));
    }
}

std::string_view textBytes(sqlite3_value* value) {
    // The text before its length: the length is of the text form.
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return {text, std::size_t(sqlite3_value_bytes(value))};
}

void bindValue(sqlite3_stmt* statement, int index, const QVariant& value) {
    int result = SQLITE_OK;
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        result = sqlite3_bind_null(statement, index);
        break;
    case QMetaType::LongLong:
    case QMetaType::Int:
        result = sqlite3_bind_int64(statement, index, value.toLongLong());
        break;
    case QMetaType::Double:
        result = sqlite3_bind_double(statement, index, value.toDouble());
        break;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        result = sqlite3_bind_blob64(statement, index, bytes.constData(), bytes.size(), SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QByteArray text = value.toString().toUtf8();
        result = sqlite3_bind_text64(statement, index, text.constData(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    }
    if (result != SQLITE_OK)
        raiseEngineError(sqlite3_db_handle(statement));
}

void setResult(sqlite3_context* context, const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        sqlite3_result_null(context);
        break;
    case QMetaType::LongLong:
    case QMetaType::Int:
        sqlite3_result_int64(context, value.toLongLong());
        break;
    case QMetaType::Double:
        sqlite3_result_double(context, value.toDouble());
        break;
    default: {
        const QByteArray text = value.toString().toUtf8();
        sqlite3_result_text64(context, text.constData(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    }
}

}  // namespace adodb
