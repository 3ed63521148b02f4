// A real database built from the shipped schema, living as long as the object,
// recording every statement the code sends. ZQ5_TEST_TARGET picks the engine:
// "embedded" (a SQLite file, the default), "odbc-sqlite" (that file through the
// SQLite3 ODBC driver) or "odbc-postgresql" (a database on the server in ZQ5_POSTGRES_DIR).
#pragma once

#include <ZQ5Reimbursement/adodb.h>

#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

// The adodb::Error the action raises (number 0 when it raises none), and its number.
adodb::Error errorOf(const std::function<void()>& action);
inline long errorNumberOf(const std::function<void()>& action) { return errorOf(action).Number(); }

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
    TestDatabase();
    ~TestDatabase();

    QString path() const;
    QString connectionString() const;
    const std::shared_ptr<adodb::Connection>& connection() const { return connection_; }

    void exec(const QString& sql);  // not recorded
    QString scalar(const QString& sql);  // first field of the first row, "" for none or NULL
    QStringList rows(const QString& sql);  // fields joined by "|", on a connection of its own
    static QStringList rowsOf(const std::shared_ptr<adodb::Connection>& connection, const QString& sql);

    QStringList statements() const { return *statements_; }
    void clearStatements() { statements_->clear(); }
    // From now on every statement containing `fragment` fails.
    void failStatementsContaining(const QString& fragment);

private:
    void installObserver();

    QTemporaryDir dir_;
    QString postgresDatabase_;
    std::shared_ptr<adodb::Connection> connection_;
    std::shared_ptr<QStringList> statements_ = std::make_shared<QStringList>();
    std::shared_ptr<QStringList> failing_ = std::make_shared<QStringList>();
};
