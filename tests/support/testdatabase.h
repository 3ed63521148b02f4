// A real SQLite database file built from the shipped schema, in a temporary
// folder that lives as long as the object, with a recorder of every
// statement text the code sends.
#pragma once

#include <ZQ5Reimbursement/adodb.h>

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class TestDatabase {
public:
    // Creates the file and runs data/schema.sql on it.
    TestDatabase();

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
    std::shared_ptr<adodb::Connection> connection_;
    std::shared_ptr<QStringList> statements_ = std::make_shared<QStringList>();
    std::shared_ptr<QStringList> failing_ = std::make_shared<QStringList>();
};
