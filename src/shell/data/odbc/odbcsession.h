// One ODBC connection (unixODBC), shared by the provider and the cursors
// still reading from it, so that it closes when the last of them is done.
#pragma once

#include "errors.h"

#include <QString>

#include <sql.h>
#include <sqlext.h>

#include <memory>

namespace adodb {

class OdbcCursor;

struct StatementFreer {
    void operator()(SQLHSTMT statement) const { SQLFreeHandle(SQL_HANDLE_STMT, statement); }
};
using OdbcStatement = std::unique_ptr<void, StatementFreer>;

class OdbcSession {
public:
    // Connects; raises the driver manager's or the driver's error, from
    // `source` (the engine, when it is known beforehand).
    explicit OdbcSession(const QString& connectionString, const QString& source = QStringLiteral("ODBC"));
    ~OdbcSession();
    OdbcSession(const OdbcSession&) = delete;
    OdbcSession& operator=(const OdbcSession&) = delete;

    SQLHDBC connection() const { return dbc_; }
    QString info(SQLUSMALLINT type) const;
    bool supports(SQLUSMALLINT function) const;

    // Errors name the engine once it is known.
    void setSource(const QString& source) { source_ = source; }
    // Statement texts and messages in UTF-16 through the W functions; UTF-8
    // for a driver that has none (the SQLite3 driver).
    void setWideText(bool wide) { wide_ = wide; }
    bool wideText() const { return wide_; }

    // A new statement. The cursor still reading rows is first read to its end:
    // a connection serves one active result (FreeTDS has no MARS).
    OdbcStatement statement();
    void readActiveToEnd();
    SQLRETURN execute(SQLHSTMT statement, const QString& sql) const;
    SQLRETURN prepare(SQLHSTMT statement, const QString& sql) const;
    // Runs `sql` to its end, through every result it gives.
    void run(const QString& sql);

    // Raises the handle's first diagnostic record unless `result` succeeded.
    // SQL_NO_DATA (a DDL, an UPDATE of no rows) is success.
    void check(SQLRETURN result, SQLSMALLINT handleType, SQLHANDLE handle) const;
    [[noreturn]] void raise(SQLSMALLINT handleType, SQLHANDLE handle) const;

    void setActive(OdbcCursor* cursor) { active_ = cursor; }
    void forget(const OdbcCursor* cursor);

private:
    SQLHENV env_ = SQL_NULL_HENV;
    SQLHDBC dbc_ = SQL_NULL_HDBC;
    bool connected_ = false;
    bool wide_ = false;
    QString source_;
    OdbcCursor* active_ = nullptr;
};

// What a driver's error means to a clerk, by its SQLSTATE (and SQL Server's
// number for a lock that was not granted in time).
FailureKind odbcFailureKind(const QString& sqlState, long native);

// SQLWCHAR is UTF-16 in unixODBC.
inline const SQLWCHAR* utf16Of(const QString& text) { return reinterpret_cast<const SQLWCHAR*>(text.utf16()); }

}  // namespace adodb
