#include "sqlitestatement.h"

#include "errors.h"

namespace adodb {

void raiseEngineError(sqlite3* db) {
    throw Error(sqlite3_extended_errcode(db), QStringLiteral("SQLite"), QString::fromUtf8(sqlite3_errmsg(db)));
}

StatementHandle prepareStatement(sqlite3* db, const QByteArray& sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr) != SQLITE_OK)
        raiseEngineError(db);
    if (!statement)
        raise(adErrInvalidArgument, QStringLiteral("The statement text holds no statement."));
    return StatementHandle(statement);
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
