// The floors' side: the same statements straight through the sqlite3 C API,
// translated from T-SQL once, before any timing, as the data layer would.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

struct sqlite3;
struct sqlite3_stmt;

namespace bench {

class RawDatabase {
public:
    explicit RawDatabase(const QString& path);
    ~RawDatabase();
    RawDatabase(const RawDatabase&) = delete;
    RawDatabase& operator=(const RawDatabase&) = delete;

    sqlite3* handle() const { return db_; }
    // The statement as the SQLite provider runs it.
    QByteArray translate(const QString& tsql);

    // Prepares, steps to the last row reading every column as text, finalizes.
    // Returns the rows seen.
    long runToLastRow(const QByteArray& sql);
    // EXPLAIN QUERY PLAN's details: how SQLite reads each table.
    QStringList queryPlan(const QByteArray& sql);
    // Prepares `sql`, lets `bind` set its markers, steps it to the end.
    void run(const QByteArray& sql, const std::function<void(sqlite3_stmt*)>& bind = {});

private:
    sqlite3* db_ = nullptr;
};

[[noreturn]] void fail(const QString& what);

// "plan <name>: <detail>" for each line of the plan, under the row it explains.
void printPlan(const QString& name, const QStringList& plan);

}  // namespace bench
