// Saving a new claim of 100 bill lines into the 100,000-claim register.
//
// Floor: the same header and lines inserted in one transaction with the
//   sqlite3 C API, each statement prepared once.
// Module: OK in the claim window: the claim numbered, its ID taken, header
//   and lines written in one transaction, its row brought into the register
//   and the window closed.
//
// The numbering reads every claim number of the company, which that floor
// does not; the second row's floor runs the numbering statement too, in the
// same transaction, to show what the module adds to the work a save needs.
#include "benchdatabase.h"
#include "benchrows.h"
#include "registersession.h"
#include "sqlitefloor.h"

#include "claim/claimstatements.h"
#include "claim/frmreimbursement.h"
#include "register/flexgrid.h"
#include "register/frmmaster.h"
#include "shell/context.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTreeWidget>

#include <sqlite3.h>

using namespace ZQ5Reimbursement;

namespace bench {

namespace {

constexpr int lineCount = 100;

QString billNumber(int line) { return QStringLiteral("B") + QString::number(line); }

// The same rows as the claim window writes, with claim ID `claimId`, after
// the `numbering` statement when there is one.
void insertClaim(RawDatabase& raw, const QByteArray& headerInsert, const QByteArray& lineInsert, int claimId,
                 const QByteArray& numbering = {}) {
    sqlite3* db = raw.handle();
    raw.run("BEGIN IMMEDIATE");
    if (!numbering.isEmpty())
        raw.runToLastRow(numbering);
    raw.run(headerInsert, [&](sqlite3_stmt* header) {
        const QByteArray number = "RB" + QByteArray::number(claimId);
        sqlite3_bind_int(header, 1, claimId);
        sqlite3_bind_int(header, 2, companyId);
        sqlite3_bind_text(header, 3, number.constData(), int(number.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(header, 4, "2004-03-15", -1, SQLITE_STATIC);
        sqlite3_bind_int(header, 5, 1);
        sqlite3_bind_int(header, 6, 1);
        sqlite3_bind_null(header, 7);
        sqlite3_bind_double(header, 8, 12.5 * lineCount);
        sqlite3_bind_int(header, 9, 0);
        sqlite3_bind_int(header, 10, 1);
        sqlite3_bind_int(header, 11, 1);
    });
    sqlite3_stmt* line = nullptr;
    if (sqlite3_prepare_v2(db, lineInsert.constData(), int(lineInsert.size()), &line, nullptr) != SQLITE_OK)
        fail(QString::fromUtf8(sqlite3_errmsg(db)));
    for (int l = 1; l <= lineCount; ++l) {
        const QByteArray bill = billNumber(l).toUtf8();
        sqlite3_bind_int(line, 1, companyId);
        sqlite3_bind_int(line, 2, claimId);
        sqlite3_bind_int(line, 3, l);
        sqlite3_bind_text(line, 4, bill.constData(), int(bill.size()), SQLITE_TRANSIENT);
        sqlite3_bind_double(line, 5, 12.5);
        sqlite3_bind_text(line, 6, "bench line", -1, SQLITE_STATIC);
        if (sqlite3_step(line) != SQLITE_DONE)
            fail(QString::fromUtf8(sqlite3_errmsg(db)));
        sqlite3_reset(line);
    }
    sqlite3_finalize(line);
    raw.run("COMMIT");
}

double saveClaim(FrmMaster& master) {
    double milliseconds = 0;
    whenModal(QStringLiteral("frmReimbursement"), [&](QWidget* window) {
        auto& claim = static_cast<frmReimbursement&>(*window);
        claim.cboemployee->setCurrentIndex(0);
        claim.cboapproved->setCurrentIndex(0);
        claim.cbotype->setCurrentIndex(0);
        claim.cboCurrency->setCurrentIndex(0);
        for (int l = 1; l <= lineCount; ++l)
            new QTreeWidgetItem(claim.lvwdetails, {QString::number(l), billNumber(l), QStringLiteral("12.50"),
                                                   QStringLiteral("bench line")});
        CalculateTotals();
        QElapsedTimer clock;
        clock.start();
        claim.cmdOk->click();
        milliseconds = double(clock.nsecsElapsed()) / 1e6;
    });
    const int rowsBefore = master.flexMaster->Rows();
    master.cmdnew->click();
    if (master.flexMaster->Rows() != rowsBefore + 1)
        fail(QStringLiteral("the saved claim did not reach the register"));
    return milliseconds;
}

}  // namespace

void runSaveRows(Bench& bench) {
    const QString path = bench.databases.copyOf(bench.databases.registerFile(100000), QStringLiteral("save"));
    RawDatabase raw(path);
    const TableNames& tables = Context::instance().tables;
    const QByteArray headerInsert = raw.translate(headerInsertStatement(tables));
    const QByteArray lineInsert = raw.translate(lineInsertStatement(tables));
    const QByteArray numbering = raw.translate(highestNumberStatement(tables, companyId, QStringLiteral("RB")));
    // Downwards from far above the register's claims, which take the highest ID plus one.
    int floorClaim = 900000;
    Best inserts;
    Best statements;
    runRegister(path, [&](FrmMaster& master) {
        inserts = bestInTurns(
            bench.options.runs,
            [&] { return timeMs([&] { insertClaim(raw, headerInsert, lineInsert, floorClaim--); }); },
            [&] { return saveClaim(master); });
        statements = bestInTurns(
            bench.options.runs,
            [&] { return timeMs([&] { insertClaim(raw, headerInsert, lineInsert, floorClaim--, numbering); }); },
            [&] { return saveClaim(master); });
    });
    printRow(QStringLiteral("save a claim of %1 lines in 100k").arg(lineCount), inserts.floor, inserts.module, 2.0);
    printRow(QStringLiteral("save, floor with the numbering statement"), statements.floor, statements.module, 1.5);
    printPlan(QStringLiteral("numbering"), raw.queryPlan(numbering));
}

}  // namespace bench
