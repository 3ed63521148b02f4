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
    RawDatabase raw(path);
    const TableNames& tables = Context::instance().tables;
    QStringList sent;
    QStringList cancelled;
    Best best;
    runRegister(path, [&](FrmMaster& master) {
        FlexGrid& grid = *master.flexMaster;
        // The register cancels claims from its last row up, the floor from its first row down.
        const auto nextLive = [&](int& row, int step) {
            while (grid.TextMatrix(row, 5) != QLatin1String("No"))
                row += step;
            return std::exchange(row, row + step);
        };
        int floorRow = 1;
        int registerRow = grid.Rows() - 1;
        Context::instance().gAdoCon()->setStatementObserver([&](const QString& sql) { sent << sql; });
        best = bestInTurns(
            bench.options.runs,
            [&] {
                const QByteArray sql = raw.translate(cancelClaimStatement(tables, grid.TextMatrix(nextLive(floorRow, 1), 0),
                                                                          companyId));
                const double milliseconds = timeMs([&] {
                    raw.run(sql, [](sqlite3_stmt* update) { sqlite3_bind_text(update, 1, "bench", -1, SQLITE_STATIC); });
                });
                if (sqlite3_changes(raw.handle()) != 1)
                    fail(QStringLiteral("the floor's update changed no claim"));
                return milliseconds;
            },
            [&] {
                const int row = nextLive(registerRow, -1);
                cancelled << grid.TextMatrix(row, 0);
                return cancelClaim(master, row);
            });
        Context::instance().gAdoCon()->setStatementObserver({});
    });
    for (const QString& claim : cancelled)
        if (!sent.contains(cancelClaimStatement(tables, claim, companyId)))
            fail(QStringLiteral("the cancellation sent another update than the floor runs"));
    printRow(QStringLiteral("cancel a claim in 100k (commit to red row)"), best.floor, best.module, 2.0);
}

}  // namespace bench
