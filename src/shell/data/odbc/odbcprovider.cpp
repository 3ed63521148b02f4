#include "odbcprovider.h"

#include "connectionstring.h"
#include "errors.h"
#include "odbccursor.h"
#include "odbcparameters.h"
#include "parameterbinding.h"
#include "sqlite/sqlitestatement.h"
#include "tsql/tsqltokenizer.h"
#include "tsql/tsqltranslator.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <dlfcn.h>

namespace adodb {

namespace {

// The T-SQL functions as a SQLite extension, built beside the library
// (or in ../lib beside a program that carries the data layer itself).
QString tsqlExtensionPath() {
    Dl_info info{};
    dladdr(reinterpret_cast<void*>(&tsqlExtensionPath), &info);
    const QDir folder = QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteDir();
    for (const QString& candidate : {folder.filePath(QStringLiteral("libzq5tsql.so")),
                                     folder.filePath(QStringLiteral("../lib/libzq5tsql.so"))})
        if (QFileInfo::exists(candidate))
            return QFileInfo(candidate).canonicalFilePath();
    raise(adErrProviderNotFound,
          QStringLiteral("The T-SQL functions for SQLite (libzq5tsql.so) are not beside the component in %1.")
              .arg(folder.absolutePath()));
}

// The SQLite3 driver's options that make a file behave as through the
// embedded provider: the T-SQL functions, the embedded provider's busy
// timeout, and a missing file an error rather than a new empty one. The
// string's own settings win; its own extensions load too.
QString withSqliteOptions(const ConnectionString& settings) {
    QStringList parts;
    for (const ConnectionString::Entry& entry : settings.entries())
        if (entry.key.compare(QLatin1String("LoadExt"), Qt::CaseInsensitive) != 0)
            parts << entry.key + QLatin1Char('=') + odbcValue(entry.value);
    const std::pair<const char*, const char*> defaults[] = {{"Timeout", "5000"}, {"NoCreat", "1"}};
    for (const auto& [key, value] : defaults)
        if (!settings.contains(QLatin1String(key)))
            parts << QLatin1String(key) + QLatin1Char('=') + QLatin1String(value);
    const QString extensions = settings.value(QStringLiteral("LoadExt"));
    parts << QStringLiteral("LoadExt=") +
                 odbcValue(extensions.isEmpty() ? tsqlExtensionPath() : extensions + QLatin1Char(',') + tsqlExtensionPath());
    return parts.join(QLatin1Char(';'));
}

}  // namespace

std::unique_ptr<Provider> OdbcProvider::open(const QString& odbcConnectionString) {
    const ConnectionString settings(odbcConnectionString);
    // A string naming a SQLite driver gets its options at once; any other is
    // asked for its engine first, as a DSN may lead to a SQLite file too.
    const bool sqliteDriver = settings.value(QStringLiteral("Driver")).contains(QLatin1String("SQLite"), Qt::CaseInsensitive);
    std::shared_ptr<OdbcSession> session;
    if (!sqliteDriver)
        session = std::make_shared<OdbcSession>(odbcConnectionString);
    if (sqliteDriver || dialectFor(session->info(SQL_DBMS_NAME)).adaptsTsql()) {
        // The driver's options take effect when it connects.
        session.reset();
        try {
            session = std::make_shared<OdbcSession>(withSqliteOptions(settings), sqliteErrorSource);
        } catch (const Error& error) {
            throw Error(error.Number(), error.Source(),
                        error.Description() + QStringLiteral(": ") + settings.value(QStringLiteral("Database")),
                        error.SQLState());
        }
    }
    const QString engine = session->info(SQL_DBMS_NAME);
    const OdbcDialect dialect = dialectFor(engine);
    session->setWideText(!dialect.adaptsTsql());
    session->setSource(engine);
    return std::unique_ptr<Provider>(new OdbcProvider(std::move(session), dialect));
}

OdbcProvider::OdbcProvider(std::shared_ptr<OdbcSession> session, OdbcDialect dialect)
    : session_(std::move(session)), dialect_(std::move(dialect)) {}

OdbcProvider::~OdbcProvider() {
    if (!inTransaction_)
        return;
    try {
        rollback();
    } catch (...) {
        // Disconnecting rolls back what is left.
    }
}

std::vector<QString> OdbcProvider::adapt(const QString& sql) {
    if (!dialect_.adaptsTsql())
        return {sql};
    refreshCatalog();
    std::vector<QString> statements = splitTsqlStatements(sql);
    for (QString& statement : statements)
        statement = translateTsql(statement, sqliteCatalog_.columns());
    return statements;
}

void OdbcProvider::refreshCatalog() {
    OdbcStatement version = session_->statement();
    session_->check(session_->execute(version.get(), QString::fromLatin1(SqliteCatalog::versionQuery)),
                    SQL_HANDLE_STMT, version.get());
    OdbcCursor versionRow(session_, std::move(version), false);
    const int schemaVersion = versionRow.atEnd() ? -1 : versionRow.value(0).toInt();
    if (sqliteCatalog_.isCurrent(schemaVersion))
        return;
    OdbcStatement columns = session_->statement();
    session_->check(session_->execute(columns.get(), QString::fromLatin1(SqliteCatalog::columnsQuery)),
                    SQL_HANDLE_STMT, columns.get());
    std::vector<SqliteCatalog::Column> declared;
    for (OdbcCursor rows(session_, std::move(columns), false); !rows.atEnd(); rows.next())
        declared.push_back({rows.value(0).toString(), rows.value(1).toString(), rows.value(2).toString()});
    sqliteCatalog_.replace(schemaVersion, declared);
}

void OdbcProvider::execute(const QString& sql) {
    for (const QString& statement : adapt(sql))
        session_->run(statement);
}

// Every statement of the text runs, in order, as Execute runs them; the rows
// are the first statement's that has columns, or the last's, read at once
// when further statements follow.
std::unique_ptr<Cursor> OdbcProvider::query(const QString& sql, bool buffered) {
    const std::vector<QString> statements = adapt(sql);
    std::unique_ptr<OdbcCursor> rows;
    for (std::size_t i = 0; i < statements.size(); ++i) {
        OdbcStatement statement = session_->statement();
        SQLHSTMT handle = statement.get();
        SQLRETURN result = session_->execute(handle, statements[i]);
        // The first result that has columns, past the row counts of a batch.
        SQLSMALLINT columns = 0;
        for (; result != SQL_NO_DATA; result = SQLMoreResults(handle)) {
            session_->check(result, SQL_HANDLE_STMT, handle);
            session_->check(SQLNumResultCols(handle, &columns), SQL_HANDLE_STMT, handle);
            if (columns > 0 && !rows)
                break;
        }
        if (rows || (columns == 0 && i + 1 < statements.size()))
            continue;
        if (result == SQL_NO_DATA)
            statement.reset();  // every result taken, none with rows
        rows = std::make_unique<OdbcCursor>(session_, std::move(statement), dialect_.adaptsTsql());
        if (!rows->atEnd())
            session_->setActive(rows.get());
    }
    if (buffered && rows)
        rows->readToEnd();
    return rows;
}

std::vector<Parameter> OdbcProvider::describeParameters(const QString& sql) {
    const std::vector<MarkerBinding> bindings = bindMarkers(sql);
    std::vector<Parameter> parameters;
    if (dialect_.adaptsTsql()) {
        // The driver describes every marker as text; the file's declared types are what counts.
        refreshCatalog();
        for (const MarkerBinding& binding : bindings)
            parameters.push_back({binding.column, sqliteCatalog_.parameterType(binding.table, binding.column)});
        return parameters;
    }
    OdbcStatement prepared;
    if (!bindings.empty() && session_->supports(SQL_API_SQLDESCRIBEPARAM)) {
        prepared = session_->statement();
        if (!SQL_SUCCEEDED(session_->prepare(prepared.get(), sql)))
            prepared.reset();
    }
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        const DataTypeEnum described = prepared ? describedType(prepared.get(), int(i) + 1) : adEmpty;
        parameters.push_back({bindings[i].column, described != adEmpty
                                                      ? described
                                                      : catalogType(bindings[i].table, bindings[i].column)});
    }
    return parameters;
}

DataTypeEnum OdbcProvider::describedType(SQLHSTMT prepared, int marker) {
    SQLSMALLINT type = 0;
    SQLULEN size = 0;
    SQLSMALLINT digits = 0;
    SQLSMALLINT nullable = 0;
    if (!SQL_SUCCEEDED(SQLDescribeParam(prepared, SQLUSMALLINT(marker), &type, &size, &digits, &nullable)))
        return adEmpty;
    return parameterTypeForSqlType(type);
}

// FreeTDS describes no markers: the type of the column a marker is bound to, from the catalog.
DataTypeEnum OdbcProvider::catalogType(const QString& table, const QString& column) {
    if (table.isEmpty() || column.isEmpty())
        return adVarChar;
    const QString key = table.toLower();
    if (!columnTypes_.contains(key)) {
        QHash<QString, DataTypeEnum>& columns = columnTypes_[key];
        // The catalog may match names by case (PostgreSQL folds them to lower case).
        for (const QString& name : {table, table.toLower(), table.toUpper()}) {
            const OdbcStatement statement = session_->statement();
            SQLHSTMT handle = statement.get();
            session_->check(SQLColumnsW(handle, nullptr, 0, nullptr, 0, const_cast<SQLWCHAR*>(utf16Of(name)),
                                        SQLSMALLINT(name.size()), nullptr, 0),
                            SQL_HANDLE_STMT, handle);
            while (SQL_SUCCEEDED(SQLFetch(handle))) {
                SQLWCHAR columnName[256] = {};
                SQLSMALLINT sqlType = 0;
                SQLLEN length = 0;
                SQLGetData(handle, 4, SQL_C_WCHAR, columnName, sizeof columnName, &length);
                SQLGetData(handle, 5, SQL_C_SSHORT, &sqlType, 0, nullptr);
                columns.insert(QString::fromUtf16(reinterpret_cast<const char16_t*>(columnName)).toLower(),
                               parameterTypeForSqlType(sqlType));
            }
            if (!columns.isEmpty())
                break;
        }
    }
    return columnTypes_.value(key).value(column.toLower(), adVarChar);
}

// The values go to the markers in order, over all the statements.
void OdbcProvider::execute(const QString& sql, const QVariantList& values, const std::vector<Parameter>& parameters) {
    qsizetype bound = 0;
    for (const QString& statement : adapt(sql)) {
        const qsizetype markers = dialect_.adaptsTsql() ? qsizetype(bindMarkers(statement).size()) : values.size();
        if (bound + markers > values.size())
            raise(adErrInvalidArgument, QStringLiteral("The statement has more parameter markers than the %1 values "
                                                       "passed.").arg(values.size()));
        OdbcParameterValues parameterValues(values.mid(bound, markers),
                                            {parameters.begin() + bound, parameters.begin() + bound + markers},
                                            dialect_.adaptsTsql());
        bound += markers;
        const OdbcStatement handle = session_->statement();
        parameterValues.bind(handle.get(), *session_);
        for (SQLRETURN result = session_->execute(handle.get(), statement); result != SQL_NO_DATA;
             result = SQLMoreResults(handle.get()))
            session_->check(result, SQL_HANDLE_STMT, handle.get());
    }
}

void OdbcProvider::begin() {
    if (dialect_.adaptsTsql()) {
        // The file's write lock at once: two writers that both read first would deadlock.
        session_->run(QStringLiteral("BEGIN IMMEDIATE"));
        inTransaction_ = true;
        return;
    }
    setAutocommit(false);
    inTransaction_ = true;
    if (dialect_.writerLock.isEmpty())
        return;
    try {
        const std::unique_ptr<Cursor> granted = query(dialect_.writerLock, true);
        const qlonglong answer = granted->atEnd() || granted->columnCount() == 0 ? 0 : granted->value(0).toLongLong();
        // sp_getapplock: -1 timed out, -2 cancelled, -3 deadlock victim, -999 refused.
        if (answer < 0 && answer >= -3)
            throw Error(1222, session_->info(SQL_DBMS_NAME),
                        QStringLiteral("Another workstation is saving and did not finish within 10 seconds."),
                        QStringLiteral("HYT00"));
        if (answer < 0)
            throw Error(answer, session_->info(SQL_DBMS_NAME),
                        QStringLiteral("The database refused the transaction's lock (sp_getapplock answered %1).")
                            .arg(answer),
                        QStringLiteral("HY000"));
    } catch (...) {
        rollback();
        throw;
    }
}

void OdbcProvider::commit() {
    if (dialect_.adaptsTsql())
        session_->run(QStringLiteral("COMMIT"));
    else
        endTransaction(SQL_COMMIT);
    inTransaction_ = false;
}

void OdbcProvider::rollback() {
    inTransaction_ = false;
    if (!dialect_.adaptsTsql()) {
        endTransaction(SQL_ROLLBACK);
        return;
    }
    try {
        session_->run(QStringLiteral("ROLLBACK"));
    } catch (const Error& error) {
        // A failed statement may already have ended the transaction.
        if (!error.Description().contains(QLatin1String("no transaction is active")))
            throw;
    }
}

void OdbcProvider::setAutocommit(bool on) {
    session_->check(SQLSetConnectAttr(session_->connection(), SQL_ATTR_AUTOCOMMIT,
                                      reinterpret_cast<SQLPOINTER>(on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF), 0),
                    SQL_HANDLE_DBC, session_->connection());
}

void OdbcProvider::endTransaction(SQLSMALLINT completion) {
    // A result still being read would keep the transaction's statement busy.
    session_->readActiveToEnd();
    session_->check(SQLEndTran(SQL_HANDLE_DBC, session_->connection(), completion), SQL_HANDLE_DBC,
                    session_->connection());
    setAutocommit(true);
}

}  // namespace adodb
