// What the engine behind an ODBC connection needs, chosen by the name its
// driver reports (SQL_DBMS_NAME). SQL Server and PostgreSQL run the
// statement texts as they are; SQLite gets the embedded provider's T-SQL
// adaptation.
#pragma once

#include <QString>

namespace adodb {

struct OdbcDialect {
    enum Engine { SqlServer, PostgreSql, Sqlite, Other };

    Engine engine = Other;
    // The module's T-SQL adapted as for the embedded file: translated, one
    // statement at a time, the T-SQL functions loaded into the driver's
    // SQLite, and BEGIN IMMEDIATE so that two writers of one file take turns
    // instead of deadlocking.
    bool adaptsTsql() const { return engine == Sqlite; }
    // Run first in every manual-commit transaction, so that two workstations
    // saving at once take turns and the claim numbering cannot collide. A
    // negative number in its first row means the lock was not granted in
    // time. Empty for none.
    QString writerLock;
};

OdbcDialect dialectFor(const QString& dbmsName);

}  // namespace adodb
