#include "odbcdialect.h"

namespace adodb {

OdbcDialect dialectFor(const QString& dbmsName) {
    if (dbmsName.compare(QLatin1String("SQLite"), Qt::CaseInsensitive) == 0)
        return {OdbcDialect::Sqlite, {}};
    if (dbmsName.contains(QLatin1String("SQL Server"), Qt::CaseInsensitive))
        // An application lock owned by the transaction (FreeTDS begins one when
        // manual commit is set): released by its commit or rollback, never left
        // behind by a workstation that lost its connection.
        return {OdbcDialect::SqlServer,
                QStringLiteral("DECLARE @granted int; "
                               "EXEC @granted = sp_getapplock @Resource = N'ZQ5Reimbursement', "
                               "@LockMode = N'Exclusive', @LockOwner = N'Transaction', @LockTimeout = 10000; "
                               "SELECT @granted")};
    if (dbmsName.compare(QLatin1String("PostgreSQL"), Qt::CaseInsensitive) == 0)
        return {OdbcDialect::PostgreSql, QStringLiteral("SELECT pg_advisory_xact_lock(hashtext('ZQ5Reimbursement'))")};
    return {OdbcDialect::Other, {}};
}

}  // namespace adodb
