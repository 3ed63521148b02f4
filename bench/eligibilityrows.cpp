// The eligibility figures (limit, utilized, balance) of a new claim for an
// employee with 100,000 earlier claims of its type.
//
// Floor: the statements the claim window sent for them, run with the sqlite3
//   C API to their last rows.
// Module: choosing the currency in the claim window, which shows the symbol
//   and computes the three figures.
#include "benchdatabase.h"
#include "benchrows.h"
#include "registersession.h"
#include "sqlitefloor.h"

#include "claim/frmreimbursement.h"
#include "register/frmmaster.h"
#include "shell/context.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

using namespace ZQ5Reimbursement;

namespace bench {

void runEligibilityRows(Bench& bench) {
    const QString& path = bench.databases.eligibilityFile();
    RawDatabase raw(path);
    QList<QByteArray> statements;
    Best best;
    runRegister(path, [&](FrmMaster& master) {
        whenModal(QStringLiteral("frmReimbursement"), [&](QWidget* window) {
            auto& claim = static_cast<frmReimbursement&>(*window);
            claim.cboemployee->setCurrentIndex(0);
            claim.cboapproved->setCurrentIndex(0);
            claim.cbotype->setCurrentIndex(0);
            const auto chooseCurrency = [&] {
                return timeMs([&] { claim.cboCurrency->setCurrentIndex(0); }, [&] {
                    const QSignalBlocker blocker(claim.cboCurrency);
                    claim.cboCurrency->setCurrentIndex(-1);
                });
            };
            // A first choice shows which statements the floor runs.
            const auto& connection = Context::instance().gAdoCon();
            connection->setStatementObserver([&](const QString& sql) { statements << raw.translate(sql); });
            chooseCurrency();
            connection->setStatementObserver({});
            best = bestInTurns(
                bench.options.runs,
                [&] {
                    return timeMs([&] {
                        for (const QByteArray& sql : statements)
                            raw.runToLastRow(sql);
                    });
                },
                chooseCurrency);
            // 90,000 live claims (every tenth is cancelled) of one 100.50 line each, inside the rule.
            if (claim.txtutilized->text() != QLatin1String("9045000") || claim.txtlimit->text().isEmpty())
                fail(QStringLiteral("the figures read %1 utilized, %2 limit")
                         .arg(claim.txtutilized->text(), claim.txtlimit->text()));
            answerMessage(QStringLiteral("No"));  // "Save Changes?"
            claim.cmdCancel->click();
        });
        master.cmdnew->click();
    });
    printRow(QStringLiteral("eligibility figures, 100k earlier claims"), best.floor, best.module, 1.5);
    for (qsizetype i = 0; i < statements.size(); ++i)
        printPlan(QStringLiteral("figures %1").arg(i + 1), raw.queryPlan(statements[i]));
}

}  // namespace bench
