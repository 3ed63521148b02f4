#include "sqliteprovider.h"

#include "bufferedcursor.h"
#include "errors.h"
#include "parameterbinding.h"
#include "sqlconversions.h"
#include "sqlitecursor.h"
#include "sqlitefunctions.h"
#include "sqlitestatement.h"

namespace adodb {

namespace {

constexpr int defaultBusyTimeoutMs = 5000;

}  // namespace

std::unique_ptr<Provider> SqliteProvider::open(const ConnectionString& settings) {
    const QString path = settings.value(QStringLiteral("Data Source"));
    if (path.isEmpty())
        raise(adErrInvalidArgument, QStringLiteral("The connection string names no Data Source."));
    const int flags = SQLITE_OPEN_READWRITE | (settings.flag(QStringLiteral("Create")) ? SQLITE_OPEN_CREATE : 0);
    const int busyTimeout = settings.number(QStringLiteral("Busy Timeout"), defaultBusyTimeoutMs);
    sqlite3* db = nullptr;
    const int opened = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    std::unique_ptr<SqliteProvider> provider(new SqliteProvider(db));
    if (opened != SQLITE_OK)
        throw Error(sqlite3_extended_errcode(db), QStringLiteral("SQLite"),
                    QStringLiteral("%1: %2").arg(QString::fromUtf8(sqlite3_errmsg(db)), path));
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, busyTimeout);
    registerTsqlFunctions(db);
    return provider;
}

SqliteProvider::~SqliteProvider() {
    // Statements of cursors still open keep the connection alive until they finish.
    sqlite3_close_v2(db_);
}

void SqliteProvider::execute(const QString& sql) { run(translate(sql)); }

std::unique_ptr<Cursor> SqliteProvider::query(const QString& sql, bool buffered) {
    auto cursor = std::make_unique<SqliteCursor>(prepareStatement(db_, translate(sql)));
    if (!buffered)
        return cursor;
    return std::make_unique<BufferedCursor>(*cursor);
}

std::vector<Parameter> SqliteProvider::describeParameters(const QString& sql) {
    catalog_.refresh(db_);
    std::vector<Parameter> parameters;
    for (const MarkerBinding& binding : bindMarkers(sql))
        parameters.push_back({binding.column, catalog_.parameterType(binding.table, binding.column)});
    return parameters;
}

void SqliteProvider::execute(const QString& sql, const QVariantList& values,
                             const std::vector<Parameter>& parameters) {
    const StatementHandle statement = prepareStatement(db_, translate(sql));
    const int markers = sqlite3_bind_parameter_count(statement.get());
    if (values.size() != markers || parameters.size() != size_t(markers))
        raise(adErrInvalidArgument,
              QStringLiteral("The statement has %1 parameter markers but %2 values were passed.")
                  .arg(markers)
                  .arg(values.size()));
    for (int i = 0; i < markers; ++i)
        bindValue(statement.get(), i + 1, parameterValue(values.at(i), parameters[i].type));
    runToEnd(statement.get());
}

void SqliteProvider::begin() { run("BEGIN IMMEDIATE"); }

void SqliteProvider::commit() { run("COMMIT"); }

void SqliteProvider::rollback() {
    // A failed statement may already have ended the transaction.
    if (!sqlite3_get_autocommit(db_))
        run("ROLLBACK");
}

QByteArray SqliteProvider::translate(const QString& sql) {
    catalog_.refresh(db_);
    return translateTsql(sql, catalog_.columns()).toUtf8();
}

void SqliteProvider::run(const QByteArray& sql) {
    if (sqlite3_exec(db_, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        raiseEngineError(db_);
}

}  // namespace adodb
