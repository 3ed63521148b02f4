#include "sqlitefloor.h"

#include "shell/data/sqlite/sqlitecatalog.h"
#include "shell/data/sqlite/sqlitefunctions.h"
#include "shell/data/tsql/tsqltranslator.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>

namespace bench {

namespace {

sqlite3_stmt* prepare(sqlite3* db, const QByteArray& sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr) != SQLITE_OK)
        fail(QString::fromUtf8(sqlite3_errmsg(db)) + QStringLiteral(": ") + QString::fromUtf8(sql));
    return statement;
}

}  // namespace

void fail(const QString& what) {
    std::fprintf(stderr, "zq5bench: %s\n", qPrintable(what));
    std::exit(2);
}

RawDatabase::RawDatabase(const QString& path) {
    if (sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        fail(QStringLiteral("cannot open ") + path);
    // The T-SQL functions the translated statements call, as the provider has them.
    adodb::registerTsqlFunctions(db_);
}

RawDatabase::~RawDatabase() { sqlite3_close(db_); }

QByteArray RawDatabase::translate(const QString& tsql) {
    adodb::SqliteCatalog catalog;
    catalog.refresh(db_);
    return adodb::translateTsql(tsql, catalog.columns()).toUtf8();
}

long RawDatabase::runToLastRow(const QByteArray& sql) {
    sqlite3_stmt* statement = prepare(db_, sql);
    long rows = 0;
    std::size_t bytes = 0;
    const int columns = sqlite3_column_count(statement);
    int result = SQLITE_ROW;
    while ((result = sqlite3_step(statement)) == SQLITE_ROW) {
        for (int col = 0; col < columns; ++col) {
            sqlite3_column_text(statement, col);
            bytes += std::size_t(sqlite3_column_bytes(statement, col));
        }
        ++rows;
    }
    if (result != SQLITE_DONE)
        fail(QString::fromUtf8(sqlite3_errmsg(db_)));
    sqlite3_finalize(statement);
    if (rows > 0 && bytes == 0)
        fail(QStringLiteral("no text read"));
    return rows;
}

QStringList RawDatabase::queryPlan(const QByteArray& sql) {
    sqlite3_stmt* statement = prepare(db_, "EXPLAIN QUERY PLAN " + sql);
    QStringList plan;
    while (sqlite3_step(statement) == SQLITE_ROW)
        plan << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 3)));
    sqlite3_finalize(statement);
    return plan;
}

void printPlan(const QString& name, const QStringList& plan) {
    for (const QString& line : plan)
        std::printf("  plan %s: %s\n", qPrintable(name), qPrintable(line));
    std::fflush(stdout);
}

void RawDatabase::run(const QByteArray& sql, const std::function<void(sqlite3_stmt*)>& bind) {
    sqlite3_stmt* statement = prepare(db_, sql);
    if (bind)
        bind(statement);
    int result = SQLITE_ROW;
    while ((result = sqlite3_step(statement)) == SQLITE_ROW) {
    }
    if (result != SQLITE_DONE)
        fail(QString::fromUtf8(sqlite3_errmsg(db_)));
    sqlite3_finalize(statement);
}

}  // namespace bench
