// Opening the register through ODBC on a SQLite file (Debian's SQLite3
// driver, the T-SQL functions loaded as an extension).
//
// Floor: the listing as the data layer translates it, through the same driver
//   with the same options, run with the ODBC API to its last row, every
//   column read as text (SQLExecDirect, SQLFetch, SQLGetData).
// Module: clsReimbursement::Show with "Driver=SQLite3;Database=<file>".
//
// The driver itself takes about 1.5 times the sqlite3 C API for the listing
// (it converts every value to text), so the floor is the driver's, not the
// embedded provider's: the row measures what the module adds over ODBC.
#include "benchdatabase.h"
#include "benchrows.h"
#include "registersession.h"
#include "sqlitefloor.h"

#include "register/claimlistmodel.h"
#include "register/flexgrid.h"
#include "register/frmmaster.h"

#include <sql.h>
#include <sqlext.h>

using namespace ZQ5Reimbursement;

namespace bench {

namespace {

// One environment, connection and statement through the driver manager.
class RawOdbc {
public:
    explicit RawOdbc(const QString& connectionString) {
        SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment_);
        SQLSetEnvAttr(environment_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        SQLAllocHandle(SQL_HANDLE_DBC, environment_, &connection_);
        QByteArray text = connectionString.toUtf8();
        if (!SQL_SUCCEEDED(SQLDriverConnect(connection_, nullptr, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS,
                                            nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT)))
            fail(QStringLiteral("ODBC cannot connect: ") + connectionString);
    }
    ~RawOdbc() {
        SQLDisconnect(connection_);
        SQLFreeHandle(SQL_HANDLE_DBC, connection_);
        SQLFreeHandle(SQL_HANDLE_ENV, environment_);
    }
    RawOdbc(const RawOdbc&) = delete;
    RawOdbc& operator=(const RawOdbc&) = delete;

    long runToLastRow(QByteArray sql) {
        SQLHSTMT statement = SQL_NULL_HSTMT;
        SQLAllocHandle(SQL_HANDLE_STMT, connection_, &statement);
        if (!SQL_SUCCEEDED(SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(sql.data()), SQL_NTS)))
            fail(QStringLiteral("ODBC cannot run the listing"));
        SQLSMALLINT columns = 0;
        SQLNumResultCols(statement, &columns);
        long rows = 0;
        char text[256];
        SQLLEN indicator = 0;
        while (SQL_SUCCEEDED(SQLFetch(statement))) {
            for (SQLUSMALLINT column = 1; column <= columns; ++column)
                SQLGetData(statement, column, SQL_C_CHAR, text, sizeof text, &indicator);
            ++rows;
        }
        SQLFreeHandle(SQL_HANDLE_STMT, statement);
        return rows;
    }

private:
    SQLHENV environment_ = SQL_NULL_HENV;
    SQLHDBC connection_ = SQL_NULL_HDBC;
};

}  // namespace

void runOdbcRows(Bench& bench) {
    const int claims = 100000;
    const QString& path = bench.databases.registerFile(claims);
    const QString connectionString = QStringLiteral("Driver=SQLite3;Database=") + path;
    // The options the ODBC provider gives this driver.
    RawOdbc raw(connectionString + QStringLiteral(";Timeout=5000;NoCreat=1;LoadExt=" ZQ5_TSQL_EXTENSION));
    const QByteArray listing = RawDatabase(path).translate(benchListing());
    long rawRows = 0;
    int rows = 0;
    const Best best = bestInTurns(
        bench.options.runs, [&] { return timeMs([&] { rawRows = raw.runToLastRow(listing); }); },
        [&] {
            return runRegisterOn(connectionString,
                                 [&](FrmMaster& master) { rows = master.flexMaster->claimModel()->rowCount(); });
        });
    if (rows != rawRows)
        fail(QStringLiteral("through ODBC the register listed %1 rows, the driver %2").arg(rows).arg(rawRows));
    printRow(QStringLiteral("register open through ODBC %1").arg(sizeName(claims)), best.floor, best.module, 1.2);
}

}  // namespace bench
