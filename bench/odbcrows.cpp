// Opening the register through ODBC on a SQLite file (Debian's SQLite3
// driver, the T-SQL functions loaded as an extension) against opening it
// through the embedded provider on the same 100,000-claim file.
//
// Floor: clsReimbursement::Show with "Provider=SQLite;Data Source=<file>".
// Module: the same with "Driver=SQLite3;Database=<file>".
#include "benchdatabase.h"
#include "benchrows.h"
#include "registersession.h"
#include "sqlitefloor.h"

#include "register/claimlistmodel.h"
#include "register/flexgrid.h"
#include "register/frmmaster.h"

using namespace ZQ5Reimbursement;

namespace bench {

void runOdbcRows(Bench& bench) {
    const int claims = 100000;
    const QString& path = bench.databases.registerFile(claims);
    const QString connections[] = {QStringLiteral("Provider=SQLite;Data Source=") + path,
                                   QStringLiteral("Driver=SQLite3;Database=") + path};
    double best[] = {1e300, 1e300};
    int rows[] = {0, 0};
    // Taken in turns, so that both see the machine alike.
    for (int run = 0; run < bench.options.runs; ++run)
        for (int way = 0; way < 2; ++way)
            best[way] = std::min(best[way], runRegisterOn(connections[way], [&](FrmMaster& master) {
                                     rows[way] = master.flexMaster->claimModel()->rowCount();
                                 }));
    if (rows[1] != rows[0])
        fail(QStringLiteral("through ODBC the register listed %1 rows, embedded %2").arg(rows[1]).arg(rows[0]));
    printRow(QStringLiteral("register open through ODBC %1 (embedded, ODBC)").arg(sizeName(claims)), best[0], best[1],
             1.5);
}

}  // namespace bench
