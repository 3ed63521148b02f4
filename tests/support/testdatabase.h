// A real database built from the shipped schema that lives as long as the
// object, with a recorder of every statement text the code sends. The
// environment variable ZQ5_TEST_TARGET picks the engine: "embedded" (the
// default: a SQLite file in a temporary folder), "odbc-sqlite" (that file
// through the SQLite3 ODBC driver) or "odbc-postgresql" (a database of its
// own on the server in ZQ5_POSTGRES_DIR, which the test fixture started).
#pragma once

#include <ZQ5Reimbursement/adodb.h>

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

enum class TestTarget { Embedded, OdbcSqlite, OdbcPostgres };
TestTarget testTarget();

// What the test expects on the target it runs on.
template <typename T>
T perTarget(T embedded, T odbcSqlite, T odbcPostgres) {
    const TestTarget target = testTarget();
    return target == TestTarget::Embedded ? embedded : target == TestTarget::OdbcSqlite ? odbcSqlite : odbcPostgres;
}

// For what only SQLite has: the T-SQL functions, stored texts of any shape.
#define SKIP_ON_POSTGRESQL(why)                         \
    do {                                                \
        if (testTarget() == TestTarget::OdbcPostgres)   \
            QSKIP(why);                                 \
    } while (false)

class TestDatabase {
public:
    // Creates the database and runs data/schema.sql on it.
    TestDatabase();
    ~TestDatabase();

    QString path() const;
    QString connectionString() const;
    const std::shared_ptr<adodb::Connection>& connection() const { return connection_; }

    // Runs statements on the test's own connection (not recorded).
    void exec(const QString& sql);
    // First field of the first row as text ("" for no row or NULL).
    QString scalar(const QString& sql);
    // Every row, fields joined by "|".
    QStringList rows(const QString& sql);
    // The same, on any connection.
    static QStringList rowsOf(const std::shared_ptr<adodb::Connection>& connection, const QString& sql);

    // Statements the code under test sent through connection(), as built.
    QStringList statements() const { return *statements_; }
    void clearStatements() { statements_->clear(); }
    // The recorded statements that start with `prefix` (case-insensitive).
    QStringList statementsStartingWith(const QString& prefix) const;
    // Makes every statement whose text contains `fragment` fail, from now on.
    void failStatementsContaining(const QString& fragment);

private:
    void installObserver();

    QTemporaryDir dir_;
    QString postgresDatabase_;
    std::shared_ptr<adodb::Connection> connection_;
    std::shared_ptr<QStringList> statements_ = std::make_shared<QStringList>();
    std::shared_ptr<QStringList> failing_ = std::make_shared<QStringList>();
};
