#include "odbcsession.h"

#include "errors.h"
#include "odbccursor.h"

#include <QRegularExpression>

namespace adodb {

namespace {

struct Diagnostic {
    QString sqlState;
    SQLINTEGER native = 0;
    QString message;
};

Diagnostic firstDiagnostic(SQLSMALLINT handleType, SQLHANDLE handle, bool wide) {
    Diagnostic diagnostic;
    SQLSMALLINT length = 0;
    if (wide) {
        SQLWCHAR state[6] = {};
        SQLWCHAR message[2048] = {};
        if (SQL_SUCCEEDED(SQLGetDiagRecW(handleType, handle, 1, state, &diagnostic.native, message, 2048, &length))) {
            diagnostic.sqlState = QString::fromUtf16(reinterpret_cast<const char16_t*>(state), 5);
            diagnostic.message = QString::fromUtf16(reinterpret_cast<const char16_t*>(message), qMin<int>(length, 2047));
        }
    } else {
        SQLCHAR state[6] = {};
        SQLCHAR message[4096] = {};
        if (SQL_SUCCEEDED(SQLGetDiagRec(handleType, handle, 1, state, &diagnostic.native, message, 4096, &length))) {
            diagnostic.sqlState = QString::fromLatin1(reinterpret_cast<const char*>(state), 5);
            diagnostic.message = QString::fromUtf8(reinterpret_cast<const char*>(message), qMin<int>(length, 4095));
        }
    }
    return diagnostic;
}

// The message without the "[unixODBC][FreeTDS][SQL Server]" names of the
// parts it passed, which the error's source tells, nor the number that some
// drivers repeat at its end.
QString plainMessage(QString message, SQLINTEGER native) {
    static const QRegularExpression components(QStringLiteral("^(\\[[^\\]]*\\])+"));
    message.remove(components);
    const QString number = QStringLiteral(" (%1)").arg(native);
    if (message.endsWith(number))
        message.chop(number.size());
    return message.trimmed();
}

bool isOneOf(const QString& sqlState, std::initializer_list<const char*> states) {
    for (const char* state : states)
        if (sqlState == QLatin1String(state))
            return true;
    return false;
}

}  // namespace

FailureKind odbcFailureKind(const QString& sqlState, long native) {
    constexpr long sqlServerLockTimeout = 1222;
    // Another connection held what was needed: deadlock victim or serialization
    // failure (class 40), a timeout, a lock not granted.
    if (sqlState.startsWith(QLatin1String("40")) || isOneOf(sqlState, {"HYT00", "HYT01", "55P03"}) ||
        native == sqlServerLockTimeout)
        return FailureKind::Busy;
    // The server cannot be reached, refuses the login, or refuses to write.
    if (sqlState.startsWith(QLatin1String("08")) || sqlState.startsWith(QLatin1String("28")) ||
        isOneOf(sqlState, {"25006", "42501"}))
        return FailureKind::Unwritable;
    // No such table or column (ODBC's states, then PostgreSQL's).
    if (isOneOf(sqlState, {"42S02", "42S22", "42P01", "42703"}))
        return FailureKind::Layout;
    return FailureKind::Engine;
}

OdbcSession::OdbcSession(const QString& connectionString, const QString& source) : source_(source) {
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env_)))
        adodb::raise(adErrProviderNotFound, QStringLiteral("The ODBC driver manager (unixODBC) cannot be used."));
    SQLSetEnvAttr(env_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    check(SQLAllocHandle(SQL_HANDLE_DBC, env_, &dbc_), SQL_HANDLE_ENV, env_);
    // UTF-8 here: until the driver is known it is not known whether it has W functions.
    QByteArray text = connectionString.toUtf8();
    check(SQLDriverConnect(dbc_, nullptr, reinterpret_cast<SQLCHAR*>(text.data()), SQLSMALLINT(text.size()), nullptr,
                           0, nullptr, SQL_DRIVER_NOPROMPT),
          SQL_HANDLE_DBC, dbc_);
    connected_ = true;
}

OdbcSession::~OdbcSession() {
    if (connected_)
        SQLDisconnect(dbc_);
    if (dbc_ != SQL_NULL_HDBC)
        SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
    SQLFreeHandle(SQL_HANDLE_ENV, env_);
}

QString OdbcSession::info(SQLUSMALLINT type) const {
    char value[256] = {};
    SQLSMALLINT length = 0;
    check(SQLGetInfo(dbc_, type, value, sizeof value, &length), SQL_HANDLE_DBC, dbc_);
    return QString::fromUtf8(value);
}

bool OdbcSession::supports(SQLUSMALLINT function) const {
    SQLUSMALLINT supported = SQL_FALSE;
    return SQL_SUCCEEDED(SQLGetFunctions(dbc_, function, &supported)) && supported == SQL_TRUE;
}

void OdbcSession::readActiveToEnd() {
    if (active_)
        std::exchange(active_, nullptr)->readToEnd();
}

OdbcStatement OdbcSession::statement() {
    readActiveToEnd();
    SQLHSTMT statement = SQL_NULL_HSTMT;
    check(SQLAllocHandle(SQL_HANDLE_STMT, dbc_, &statement), SQL_HANDLE_DBC, dbc_);
    return OdbcStatement(statement);
}

SQLRETURN OdbcSession::execute(SQLHSTMT statement, const QString& sql) const {
    if (wide_)
        return SQLExecDirectW(statement, const_cast<SQLWCHAR*>(utf16Of(sql)), SQLINTEGER(sql.size()));
    QByteArray text = sql.toUtf8();
    return SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(text.data()), SQLINTEGER(text.size()));
}

SQLRETURN OdbcSession::prepare(SQLHSTMT statement, const QString& sql) const {
    if (wide_)
        return SQLPrepareW(statement, const_cast<SQLWCHAR*>(utf16Of(sql)), SQLINTEGER(sql.size()));
    QByteArray text = sql.toUtf8();
    return SQLPrepare(statement, reinterpret_cast<SQLCHAR*>(text.data()), SQLINTEGER(text.size()));
}

void OdbcSession::run(const QString& sql) {
    const OdbcStatement handle = statement();
    SQLRETURN result = execute(handle.get(), sql);
    // A batch reports the failure of a later statement when its result is reached.
    while (result != SQL_NO_DATA) {
        check(result, SQL_HANDLE_STMT, handle.get());
        result = SQLMoreResults(handle.get());
    }
}

void OdbcSession::check(SQLRETURN result, SQLSMALLINT handleType, SQLHANDLE handle) const {
    if (!SQL_SUCCEEDED(result) && result != SQL_NO_DATA)
        raise(handleType, handle);
}

void OdbcSession::raise(SQLSMALLINT handleType, SQLHANDLE handle) const {
    const Diagnostic diagnostic = firstDiagnostic(handleType, handle, wide_);
    if (diagnostic.sqlState.isEmpty())
        throw Error(-1, source_, QStringLiteral("The ODBC call failed without a diagnostic."));
    QString message = plainMessage(diagnostic.message, diagnostic.native);
    // Class 40: the engine rolled the transaction back (deadlock victim 1205,
    // serialization failure), all of it.
    if (diagnostic.sqlState.startsWith(QLatin1String("40")))
        message += QStringLiteral(" The transaction was rolled back; nothing of it was written.");
    throw Error(diagnostic.native, source_, message, diagnostic.sqlState);
}

void OdbcSession::forget(const OdbcCursor* cursor) {
    if (active_ == cursor)
        active_ = nullptr;
}

}  // namespace adodb
