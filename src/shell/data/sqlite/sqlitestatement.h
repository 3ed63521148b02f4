// Small helpers over the SQLite C API shared by the provider's parts.
#pragma once

#include "errors.h"

#include <QByteArray>
#include <QVariant>

#include <sqlite3.h>

#include <memory>
#include <string_view>

namespace adodb {

struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// The source of the engine's errors.
inline const QString sqliteErrorSource = QStringLiteral("SQLite");
// The engine's last error on `db` as adodb::Error: its extended result code,
// source "SQLite", its message.
[[noreturn]] void raiseEngineError(sqlite3* db);
// What the engine's (extended) result code means to a person.
FailureKind sqliteFailureKind(long code);

// The first statement of `sql`; raises on a syntax error or an empty text.
StatementHandle prepareStatement(sqlite3* db, const QByteArray& sql);

// The statements of a text, one after another. Each is prepared only when
// asked for, after the one before it has run, so it may use what that one created.
class StatementSequence {
public:
    StatementSequence(sqlite3* db, QByteArray sql) : db_(db), sql_(std::move(sql)), tail_(sql_.constData()) {}
    // The first statement; raises on a syntax error or a text holding none.
    StatementHandle first();
    // The next statement, or none after the last; raises on a syntax error.
    StatementHandle next();
    // Whether a statement follows, and not only blanks, comments and semicolons.
    bool more() const;

private:
    sqlite3* db_;
    QByteArray sql_;
    const char* tail_;
};
// Steps through every row; raises on failure.
void runToEnd(sqlite3_stmt* statement);

// Engine values and QVariant: NULL is an invalid QVariant, integers qlonglong.
QVariant engineValue(sqlite3_value* value);
// A text value's UTF-8 bytes.
std::string_view textBytes(sqlite3_value* value);
void bindValue(sqlite3_stmt* statement, int index, const QVariant& value);
void setResult(sqlite3_context* context, const QVariant& value);

}  // namespace adodb
