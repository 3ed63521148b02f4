// Opening the register on 10,000 to 1,000,000 claims against SQLite running
// the listing to its last row, and what the open register holds against the
// text it lists.
//
// Floor: the listing statement as the data layer translates it, run with the
//   sqlite3 C API to its last row, every column read as text.
// Module: clsReimbursement::Show until the register runs its modal loop,
//   filled and its buttons set (offscreen; painting is not counted).
#include "benchdatabase.h"
#include "benchrows.h"
#include "registersession.h"
#include "sqlitefloor.h"

#include "register/claimlistmodel.h"
#include "register/flexgrid.h"
#include "register/frmmaster.h"
#include "shell/context.h"

#include <cstdio>

using namespace ZQ5Reimbursement;

namespace bench {

namespace {

struct OpenedRegister {
    double milliseconds = 1e300;
    long rows = 0;
    double modelMb = 0;
    double textMb = 0;
};

OpenedRegister openRegister(const QString& path) {
    OpenedRegister opened;
    QString listing;
    opened.milliseconds = runRegister(path, [&](FrmMaster& master) {
        const ClaimListModel& model = *master.flexMaster->claimModel();
        opened.rows = model.rowCount();
        opened.modelMb = double(model.memoryBytes()) / (1024.0 * 1024.0);
        opened.textMb = double(model.textBytes()) / (1024.0 * 1024.0);
        listing = Context::instance().strListSQL;
    });
    if (listing != benchListing())
        fail(QStringLiteral("the register ran another listing: ") + listing);
    return opened;
}

}  // namespace

void runOpenRows(Bench& bench) {
    QList<int> sizes{10000, 100000};
    if (!bench.options.quick)
        sizes << 1000000;
    for (const int claims : sizes) {
        const QString& path = bench.databases.registerFile(claims);
        RawDatabase raw(path);
        const QByteArray listing = raw.translate(benchListing());
        long rawRows = 0;
        OpenedRegister opened;
        const Best best = bestInTurns(
            bench.options.runs, [&] { return timeMs([&] { rawRows = raw.runToLastRow(listing); }); },
            [&] {
                opened = openRegister(path);
                return opened.milliseconds;
            });
        if (opened.rows != rawRows)
            fail(QStringLiteral("the register listed %1 rows, SQLite %2").arg(opened.rows).arg(rawRows));
        printRow(QStringLiteral("register open %1").arg(sizeName(claims)), best.floor, best.module,
                 claims < 100000 ? 1.5 : 1.2);
        if (claims == sizes.last())
            printPlan(QStringLiteral("listing"), raw.queryPlan(listing));
        if (claims >= 100000)
            printRow(QStringLiteral("register memory %1 (text MB, model MB)").arg(sizeName(claims)), opened.textMb,
                     opened.modelMb, 1.5, "MB");
    }
}

}  // namespace bench
