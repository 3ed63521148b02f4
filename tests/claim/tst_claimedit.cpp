// The register's Edit: a stored claim loaded into the claim window, locked
// as its state requires, and failures that leave nothing on screen.
#include "claimfixture.h"
#include "testhelpers.h"

#include "claim/frmreimbursement.h"
#include "register/frmmaster.h"
#include "shell/basreimbursement.h"
#include "shell/context.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace ZQ5Reimbursement;

namespace {

bool logged(qint64 offset, const QString& start, const QString& text, const QString& end) {
    for (const QString& line : errorLogLinesSince(offset))
        if (line.startsWith(start) && line.contains(text) && line.endsWith(end))
            return true;
    return false;
}

}  // namespace

class ClaimEditTest : public QObject {
    Q_OBJECT

private slots:
    void liveClaimIsLoadedAndLocked() {
        ClaimFixture fixture;
        fixture.db.exec(QStringLiteral("UPDATE pReimburseHeader SET rhTotalAmt = 1234.5 WHERE rhreimburseid = 17"));
        fixture.openRegister();
        fixture.db.clearStatements();
        QVERIFY(fixture.onEditClaim(17, [](frmReimbursement& window) {
            QCOMPARE(Context::instance().strMode, QStringLiteral("E"));
            QCOMPARE(window.txtreimbno->text(), QStringLiteral("RB1"));
            QCOMPARE(window.txtamount->text(), QStringLiteral("1234.50"));
            QCOMPARE(window.dtpdate->date(), QDate(2024, 2, 10));
            QVERIFY(!window.dtpdate->isEnabled());
            QCOMPARE(window.cboemployee->currentText(), QStringLiteral("Asha"));
            QVERIFY(!window.cboemployee->isEnabled());
            QCOMPARE(window.cboapproved->currentText(), QStringLiteral("Bala"));
            QVERIFY(window.cboapproved->isEnabled());
            QCOMPARE(window.cbotype->currentText(), QStringLiteral("Travel"));
            QVERIFY(!window.cbotype->isEnabled());
            QCOMPARE(window.cboCurrency->currentText(), QStringLiteral("Rupee"));
            QVERIFY(!window.cboCurrency->isEnabled());
            QCOMPARE(window.txtremark->toPlainText(), QStringLiteral("claim 17"));
            QCOMPARE(listLines(window.lvwdetails), QStringList({"1|B-1|300.00|line 1", "2|B-2|200.00|line 2"}));
            // The claim's own lines are left out of what it has utilized.
            QCOMPARE(window.lbllimit->text(), QStringLiteral("Limit-Rs"));
            QCOMPARE(window.txtlimit->text(), QStringLiteral("5000"));
            QCOMPARE(window.txtutilized->text(), QStringLiteral("0"));
            QCOMPARE(window.txtbalance->text(), QStringLiteral("5000"));
            QVERIFY(window.cmdOk->isEnabled());
            QVERIFY(window.frareimbursement->isEnabled());
            QVERIFY(!IsFormChanged(&window));
        }));
        const QStringList sent = fixture.db.statements();
        QCOMPARE(sent.first(), QStringLiteral("select * from pReimburseHeader where rhcompanyid=3and rhreimburseid=17"));
        QVERIFY(sent.filter(QStringLiteral("from pReimbursedetail where rdreimburseid = 17")).size() == 1);
        QVERIFY(sent.filter(QStringLiteral("From pPaymentHeader ph")).value(0).endsWith(QStringLiteral("pdReimburseID =17")));
        QVERIFY(sent.filter(QStringLiteral("rhReimburseID <> 17 and rhCompanyId = 3")).size() == 1);
    }

    void cancelledClaimCannotBeSaved() {
        ClaimFixture fixture;
        fixture.openRegister();
        QVERIFY(fixture.onEditClaim(18, [](frmReimbursement& window) {
            QCOMPARE(window.txtreimbno->text(), QStringLiteral("RB9"));
            QVERIFY(!window.cmdOk->isEnabled());
        }));
        // The register's "Yes" alone is enough.
        fixture.db.exec(QStringLiteral("UPDATE pReimburseHeader SET rhCancelled = 0 WHERE rhreimburseid = 18"));
        QVERIFY(fixture.onEditClaim(18, [](frmReimbursement& window) { QVERIFY(!window.cmdOk->isEnabled()); }));
    }

    void paidClaimOpensReadOnlyAfterItsMessage() {
        ClaimFixture fixture;
        fixture.addClaim(22, QStringLiteral("RB4"), QStringLiteral("2024-03-01"), 1, 1, 1, {40});
        fixture.addClaim(23, QStringLiteral("RB5"), QStringLiteral("2024-03-02"), 1, 1, 1, {60});
        fixture.addPayment(1, 22, 0);
        fixture.addPayment(2, 23, 1);
        fixture.openRegister();

        const auto paid = answerNextMessageBox();
        QVERIFY(fixture.onEditClaim(22, [&](frmReimbursement& window) {
            QVERIFY(paid->shown);
            QVERIFY(!window.cmdOk->isEnabled());
            QVERIFY(!window.frareimbursement->isEnabled());
            QVERIFY(!window.cboemployee->isEnabled());
        }));
        QCOMPARE(paid->text, QStringLiteral("Payment done. Can't edit."));
        QCOMPARE(paid->icon, QMessageBox::Information);
        QCOMPARE(paid->title, ClaimFixture::title);

        // A cancelled payment does not count.
        MessageWatch none;
        QVERIFY(fixture.onEditClaim(23, [](frmReimbursement& window) { QVERIFY(window.cmdOk->isEnabled()); }));
        QVERIFY(!none.seen().shown);

        QVERIFY(fixture.onNewClaim([](frmReimbursement& window) {
            for (QWidget* control : std::initializer_list<QWidget*>{window.cmdOk, window.frareimbursement,
                                                                    window.cboemployee, window.cbotype,
                                                                    window.dtpdate})
                QVERIFY2(control->isEnabled(), qPrintable(control->objectName()));
        }));
    }

    void incompleteOrVanishedClaimsStillOpen() {
        ClaimFixture fixture;
        fixture.addClaim(24, QStringLiteral("RB6"), QStringLiteral("2024-03-03"), 5, 1, 1, {70});
        fixture.openRegister();
        fixture.db.exec(QStringLiteral("UPDATE pReimburseHeader SET rhrtypeid = NULL, rhcurrencyid = NULL,"
                                       " rhremarks = NULL WHERE rhreimburseid = 17"));
        QVERIFY(fixture.onEditClaim(17, [](frmReimbursement& window) {
            QVERIFY(!window.cboemployee->isEnabled());
            QCOMPARE(window.cbotype->currentIndex(), -1);
            QVERIFY(window.cbotype->isEnabled());
            QCOMPARE(window.cboCurrency->currentIndex(), -1);
            QVERIFY(window.cboCurrency->isEnabled());
            QCOMPARE(window.txtremark->toPlainText(), QString());
            QVERIFY(window.cmdOk->isEnabled());
        }));

        // Esha has no rule: nothing to choose from, nothing computed.
        QVERIFY(fixture.onEditClaim(24, [](frmReimbursement& window) {
            QCOMPARE(window.cboemployee->currentText(), QStringLiteral("Esha"));
            QCOMPARE(window.cbotype->count(), 0);
            QCOMPARE(window.txtlimit->text(), QString());
            QCOMPARE(listLines(window.lvwdetails), QStringList({"1|B-1|70.00|line 1"}));
        }));

        fixture.db.exec(QStringLiteral("DELETE FROM pReimburseHeader WHERE rhreimburseid = 17"));
        QVERIFY(fixture.onEditClaim(17, [](frmReimbursement& window) {
            QCOMPARE(Context::instance().strMode, QStringLiteral("E"));
            QCOMPARE(window.txtreimbno->text(), QString());
            QCOMPARE(window.lvwdetails->topLevelItemCount(), 0);
            QVERIFY(window.cmdOk->isEnabled());
            QVERIFY(!window.dtpdate->isEnabled());
        }));
    }

    void rowWithoutClaimDoesNothing() {
        ClaimFixture fixture;
        fixture.db.exec(QStringLiteral("DELETE FROM pReimburseHeader; DELETE FROM pReimbursedetail"));
        fixture.openRegister();
        Context::instance().strMode = QStringLiteral("N");
        QVERIFY(!fixture.onClaimWindow(fixture.master().CmdEdit, [](frmReimbursement&) {}));
        QCOMPARE(Context::instance().strMode, QStringLiteral("N"));
        QVERIFY(!Context::instance().frmReimbursementWindow);
    }

    void failingStatementsLeaveNothingOnScreen_data() {
        QTest::addColumn<QString>("failing");
        QTest::newRow("header") << QStringLiteral("select * from pReimburseHeader");
        QTest::newRow("type list") << QStringLiteral("preimbursementmaster m");
        QTest::newRow("lines") << QStringLiteral("from pReimbursedetail where");
        QTest::newRow("payment check") << QStringLiteral("pPaymentHeader");
    }

    void failingStatementsLeaveNothingOnScreen() {
        QFETCH(QString, failing);
        ClaimFixture fixture;
        fixture.openRegister();
        fixture.db.failStatementsContaining(failing);
        const qint64 logOffset = errorLogSize();
        const auto error = answerNextMessageBox();
        QVERIFY(!fixture.onEditClaim(17, [](frmReimbursement&) {}));
        QVERIFY(error->shown);
        QCOMPARE(error->icon, QMessageBox::Warning);
        QCOMPARE(error->text, QStringLiteral("Injected fault: ") + failing);
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(!Context::instance().frmReimbursementWindow);
        QVERIFY(logged(logOffset, QStringLiteral("FrmMaster:ZQ5Reimbursement:"), error->text,
                       QStringLiteral(":tester:CmdEdit_Click :E")));
    }

    void emptySanctionListIsPassedOnAsItStands() {
        ClaimFixture fixture;
        fixture.db.exec(QStringLiteral("UPDATE pSettings SET SanctionDesginations = ''"));
        fixture.openRegister();
        fixture.db.clearStatements();
        QVERIFY(fixture.onNewClaim([](frmReimbursement& window) { QCOMPARE(window.cboapproved->count(), 0); }));
        const QString approvers = fixture.db.statements().filter(QStringLiteral("eDesigId")).value(0);
        QVERIFY2(approvers.endsWith(QStringLiteral("eCompanyID=3and eActive=1 and eDesigId in ()")), qPrintable(approvers));

        // A database that refuses the empty list: the user learns which setting is at fault.
        fixture.db.failStatementsContaining(QStringLiteral("eDesigId in ()"));
        const qint64 logOffset = errorLogSize();
        const auto error = answerNextMessageBox();
        QVERIFY(!fixture.onNewClaim([](frmReimbursement&) {}));
        QVERIFY2(error->text.startsWith(QStringLiteral("The approvers could not be listed for the sanction designations \"\": ")),
                 qPrintable(error->text));
        QVERIFY(logged(logOffset, QStringLiteral("FrmMaster:ZQ5Reimbursement:"), QStringLiteral("sanction designations"),
                       QStringLiteral(":tester:cmdnew_Click :N")));
        QVERIFY(!Context::instance().frmReimbursementWindow);
    }
};

QTEST_MAIN(ClaimEditTest)
#include "tst_claimedit.moc"
