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

[[noreturn]] void raiseMarkerCount(qsizetype markers, qsizetype values) {
    raise(adErrInvalidArgument,
          QStringLiteral("The statement has %1 parameter markers but %2 values were passed.").arg(markers).arg(values));
}

}  // namespace

std::unique_ptr<Provider> SqliteProvider::open(const ConnectionString& settings) {
    const QString path = settings.value(QStringLiteral("Data Source"));
    if (path.isEmpty())
        raise(adErrInvalidArgument, QStringLiteral("The connection string names no Data Source."));
    // A connection serves one thread at a time, as adodb::Connection itself
    // does: the engine need not lock it on every call.
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX
                    | (settings.flag(QStringLiteral("Create")) ? SQLITE_OPEN_CREATE : 0);
    const int busyTimeout = settings.number(QStringLiteral("Busy Timeout"), defaultBusyTimeoutMs);
    sqlite3* db = nullptr;
    const int opened = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    std::unique_ptr<SqliteProvider> provider(new SqliteProvider(db));
    if (opened != SQLITE_OK)
        throw Error(sqlite3_extended_errcode(db), sqliteErrorSource,
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

// Every statement of the text runs, in order, as Execute runs them; the rows
// are the first statement's that has columns, or the last's. Rows followed
// by further statements are read at once, before those run.
std::unique_ptr<Cursor> SqliteProvider::query(const QString& sql, bool buffered) {
    StatementSequence statements(db_, translate(sql));
    std::unique_ptr<Cursor> rows;
    for (StatementHandle statement = statements.first(); statement; statement = statements.next()) {
        const bool last = !statements.more();
        if (rows || (!last && sqlite3_column_count(statement.get()) == 0)) {
            runToEnd(statement.get());
            continue;
        }
        auto cursor = std::make_unique<SqliteCursor>(std::move(statement));
        if (last && !buffered)
            return cursor;
        rows = std::make_unique<BufferedCursor>(*cursor);
    }
    return rows;
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
    if (parameters.size() != size_t(values.size()))
        raiseMarkerCount(parameters.size(), values.size());
    // The values go to the markers in order, over all the statements.
    StatementSequence statements(db_, translate(sql));
    qsizetype bound = 0;
    for (StatementHandle statement = statements.first(); statement; statement = statements.next()) {
        const int markers = sqlite3_bind_parameter_count(statement.get());
        if (bound + markers > values.size() || (!statements.more() && bound + markers != values.size()))
            raiseMarkerCount(bound + markers, values.size());
        for (int i = 1; i <= markers; ++i, ++bound)
            bindValue(statement.get(), i, parameterValue(values.at(bound), parameters[size_t(bound)].type));
        runToEnd(statement.get());
    }
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
