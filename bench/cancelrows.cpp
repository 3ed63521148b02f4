// Cancelling a claim in the 100,000-claim register, from the cancellation
// window's OK until the register row shows "Yes" in red.
//
// Floor: the update statement the window sends, for other live claims, run
//   alone with the sqlite3 C API (its own transaction). Live ones, because
//   SQLite writes nothing for an update that leaves a row as it was.
// Module: OK in the cancellation window: the transaction, the update, its
//   commit and the register row marked.
#include "benchdatabase.h"
#include "benchrows.h"
#include "registersession.h"
#include "sqlitefloor.h"

#include "cancel/cancelstatements.h"
#include "cancel/frmcancell.h"
#include "register/claimlistmodel.h"
#include "register/flexgrid.h"
#include "register/frmmaster.h"
#include "shell/context.h"

#include <QColor>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>

#include <sqlite3.h>

using namespace ZQ5Reimbursement;

namespace bench {

namespace {

const QString reason = QStringLiteral("bench");

double cancelClaim(FrmMaster& master, int row) {
    FlexGrid& grid = *master.flexMaster;
    grid.setRow(row);
    double milliseconds = 0;
    answerMessage(QStringLiteral("Yes"));  // "Are you sure you want to delete Entry - ...?"
    whenModal(QStringLiteral("frmcancell"), [&](QWidget* window) {
        auto& cancel = static_cast<frmcancell&>(*window);
        cancel.txtreason->setText(reason);
        QElapsedTimer clock;
        clock.start();
        cancel.cmdOk->click();
        milliseconds = double(clock.nsecsElapsed()) / 1e6;
    });
    master.CmdDelete->click();
    const QModelIndex cell = grid.claimModel()->index(row - 1, 1);
    if (grid.TextMatrix(row, 5) != QLatin1String("Yes") || cell.data(Qt::ForegroundRole).value<QColor>() != QColor(255, 0, 0))
        fail(QStringLiteral("the cancelled claim's row is not red"));
    return milliseconds;
}

}  // namespace

void runCancelRows(Bench& bench) {
    const QString path = bench.databases.copyOf(bench.databases.registerFile(100000), QStringLiteral("cancel"));
    double module = 1e300;
    QStringList sent;
    QStringList liveClaims;
    QStringList cancelled;
    runRegister(path, [&](FrmMaster& master) {
        FlexGrid& grid = *master.flexMaster;
        Context::instance().gAdoCon()->setStatementObserver([&](const QString& sql) { sent << sql; });
        int row = grid.Rows() - 1;
        for (int run = 0; run < bench.options.runs; ++run, --row) {
            while (grid.TextMatrix(row, 5) != QLatin1String("No"))
                --row;
            cancelled << grid.TextMatrix(row, 0);
            module = std::min(module, cancelClaim(master, row));
        }
        Context::instance().gAdoCon()->setStatementObserver({});
        for (row = 1; liveClaims.size() < bench.options.runs; ++row)
            if (grid.TextMatrix(row, 5) == QLatin1String("No"))
                liveClaims << grid.TextMatrix(row, 0);
    });
    const TableNames& tables = Context::instance().tables;
    for (const QString& claim : cancelled)
        if (!sent.contains(cancelClaimStatement(tables, claim, companyId)))
            fail(QStringLiteral("the cancellation sent another update than the floor runs"));

    RawDatabase raw(path);
    double floor = 1e300;
    for (const QString& claim : liveClaims) {
        const QByteArray sql = raw.translate(cancelClaimStatement(tables, claim, companyId));
        floor = std::min(floor, bestMs(1, [&] {
            raw.run(sql, [](sqlite3_stmt* statement) { sqlite3_bind_text(statement, 1, "bench", -1, SQLITE_STATIC); });
        }));
        if (sqlite3_changes(raw.handle()) != 1)
            fail(QStringLiteral("the floor's update changed no claim"));
    }
    printRow(QStringLiteral("cancel a claim in 100k (commit to red row)"), floor, module, 2.0);
}

}  // namespace bench
