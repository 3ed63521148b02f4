// Cancelling a claim from the register, as a clerk does it: pick the row,
// press Delete, answer the question, give the reason and press OK or close
// the window.
#include "windowfixture.h"

#include "cancel/frmcancell.h"
#include "register/flexgrid.h"
#include "register/frmmaster.h"
#include "shell/context.h"
#include "testhelpers.h"

#include <QtTest>
#include <QtWidgets>

using namespace ZQ5Reimbursement;

namespace {

// Claim 17's cancellation columns, in company 3 or 4.
QString cancellation(WindowFixture& fixture, int company = WindowFixture::company) {
    return fixture.db.rows(QStringLiteral("select rhCancelled || '|' || ifnull(rhcancelledremarks, '') from pReimburseHeader"
                                            " where rhreimburseid = 17 and rhcompanyid = %1")
                                 .arg(company))
        .value(0);
}

// The register shows claim 17 cancelled: "Yes", red, wholly selected, Delete off.
void verifyCancelledInRegister(WindowFixture& fixture) {
    FlexGrid& grid = fixture.grid();
    const int row = fixture.rowOf(17);
    QCOMPARE(grid.TextMatrix(row, 5) + "|" + grid.TextMatrix(row, 4), QStringLiteral("Yes|Asha"));
    QVERIFY(fixture.rowIsRed(row));
    QVERIFY(grid.Row() == row && grid.Col() == 0 && grid.selectionModel()->isRowSelected(row - 1, {}));
    QVERIFY(!fixture.master().CmdDelete->isEnabled());
    QVERIFY(!Context::instance().frmcancellWindow);
}

// The register still shows claim 17 live and nothing was written.
void verifyUntouched(WindowFixture& fixture, const QStringList& before) {
    QCOMPARE(fixture.claimRows(), before);
    QVERIFY(fixture.writes().filter(QStringLiteral("update"), Qt::CaseInsensitive).isEmpty());
    const int row = fixture.rowOf(17);
    QCOMPARE(fixture.grid().TextMatrix(row, 5), QStringLiteral("No"));
    QVERIFY(!fixture.rowIsRed(row));
}

}  // namespace

class CancelTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { closeAllWindows(); }

    void claimsThatMayNotBeCancelledAreLeftAlone_data() {
        QTest::addColumn<int>("claim");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("lastIcon");
        const QString question = QStringLiteral("Are you sure you want to delete Entry - %1?");
        QTest::newRow("No, the default answer") << 17 << "" << "" << QStringList{question.arg(17)}
                                                << int(QMessageBox::Critical);
        QTest::newRow("paid") << 19 << "INSERT INTO pPaymentHeader VALUES (3, 1, 0); INSERT INTO pPaymentDetail VALUES (3, 1, 19)"
                              << "" << QStringList{question.arg(19), QStringLiteral("Payment done. Can't Delete.")}
                              << int(QMessageBox::Information);
        QTest::newRow("payment check fails") << 17 << "" << "pPaymentHeader"
                                             << QStringList{question.arg(17), QStringLiteral("Injected fault: pPaymentHeader")}
                                             << int(QMessageBox::Warning);
        QTest::newRow("claim ID 0") << 0
                                    << "INSERT INTO pReimburseHeader VALUES (0, 3, 'RB0', '2024-03-01', 1, 2, '', 10, 0, NULL, 1, 1)"
                                    << "" << QStringList{} << 0;
    }
    void claimsThatMayNotBeCancelledAreLeftAlone() {
        QFETCH(int, claim);
        QFETCH(QString, setup);
        QFETCH(QString, failing);
        QFETCH(QStringList, messages);
        QFETCH(int, lastIcon);
        WindowFixture fixture;
        if (!setup.isEmpty())
            fixture.db.exec(setup);
        FrmMaster& master = fixture.openRegister();
        fixture.clickClaim(claim);
        QVERIFY(master.CmdDelete->isEnabled());
        const QStringList before = fixture.claimRows();
        if (!failing.isEmpty())
            fixture.db.failStatementsContaining(failing);
        fixture.db.clearStatements();
        const qint64 logOffset = errorLogSize();
        // Enter takes the question's default; the rest are answered Yes.
        MessageWatch answers({messages.size() == 1 ? QMessageBox::NoButton : QMessageBox::Yes, QMessageBox::Ok});
        QTest::mouseClick(master.CmdDelete, Qt::LeftButton);
        QCOMPARE(answers.texts(), messages);
        QCOMPARE(int(answers[messages.size() - 1].icon), lastIcon);
        QCOMPARE(fixture.db.statements().isEmpty(), messages.size() < 2);  // nothing asked before the answer
        verifyUntouched(fixture, before);
        QCOMPARE(master.CmdDelete->isEnabled(), true);
        QVERIFY(!Context::instance().frmcancellWindow);
        const QStringList lines = errorLogLinesSince(logOffset).filter(QStringLiteral("Injected fault: pPaymentHeader:"));
        const bool logged = !lines.filter(QStringLiteral(":CmdDelete_Click :")).isEmpty();
        QCOMPARE(logged, !failing.isEmpty());
    }

    void storedReasonIsExactlyTheReasonGiven_data() {
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("finish");
        QTest::addColumn<QString>("failingOnce");  // the first OK meets this fault
        QTest::newRow("typed, OK") << "Bill submitted twice, see RB/2" << true << "Bill submitted twice, see RB/2" << "ok" << "";
        QTest::newRow("blanks only") << "   " << true << "   " << "ok" << "";
        QTest::newRow("typed apostrophe") << "John's duplicate" << true << "Johns duplicate" << "ok" << "";
        const QString pasted = QStringLiteral("O'Brien's \"void\" bill?'); update pReimburseHeader set rhcancelled=1 --");
        QTest::newRow("pasted with quotes") << pasted << false << pasted << "ok" << "";
        QTest::newRow("close box") << "Not needed" << true << "Not needed" << "close box" << "";
        QTest::newRow("Escape") << "Not needed" << true << "Not needed" << "Escape" << "";
        QTest::newRow("Enter, Enter") << "Entered twice" << true << "Entered twice" << "Enter" << "";
        QTest::newRow("update fails, OK again") << "Wrong employee" << true << "Wrong employee" << "ok" << "update ";
        QTest::newRow("commit fails, OK again") << "Wrong employee" << true << "Wrong employee" << "ok" << "COMMIT TRANSACTION";
    }
    void storedReasonIsExactlyTheReasonGiven() {
        QFETCH(QString, reason);
        QFETCH(bool, typed);
        QFETCH(QString, stored);
        QFETCH(QString, finish);
        QFETCH(QString, failingOnce);
        WindowFixture fixture;
        // The same claim ID in another company is not touched.
        fixture.db.exec(QStringLiteral("INSERT INTO pReimburseHeader VALUES (17, 4, 'RB17', '2024-03-01', 1, 2, '', 10, 0, NULL, 1, 1)"));
        // Its payments are a cancelled one and another company's.
        fixture.addPayment(1, 17, 1);
        fixture.db.exec(QStringLiteral("INSERT INTO pPaymentHeader VALUES (4, 2, 0); INSERT INTO pPaymentDetail VALUES (4, 2, 17)"));
        fixture.openRegister();
        const QStringList before = fixture.claimRows();
        const qint64 logOffset = errorLogSize();
        QVERIFY(fixture.onCancelClaim(17, [&](frmcancell& window) {
            if (typed)
                QTest::keyClicks(window.txtreason, reason);
            else
                window.txtreason->setText(reason);
            QCOMPARE(window.txtreason->text(), stored);
            if (!failingOnce.isEmpty()) {
                fixture.db.failStatementsContaining(failingOnce);
                MessageWatch error;
                QTest::mouseClick(window.cmdOk, Qt::LeftButton);
                QVERIFY(error.seen().text.startsWith(QStringLiteral("Injected fault")) && window.isVisible());
                QCOMPARE(fixture.claimRows(), before);
                fixture.db.connection()->setStatementObserver({});  // the server is back
            }
            if (finish == QLatin1String("Escape")) {
                QTest::keyClick(window.txtreason, Qt::Key_Escape);
            } else if (finish == QLatin1String("close box")) {
                window.close();
            } else if (finish == QLatin1String("Enter")) {
                QTest::keyClick(window.txtreason, Qt::Key_Return);
                QCOMPARE(window.focusWidget(), window.cmdOk);
                QVERIFY(window.isVisible() && fixture.writes().isEmpty());
                QTest::keyClick(window.focusWidget(), Qt::Key_Return);
            } else {
                QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            }
        }));
        QCOMPARE(cancellation(fixture), QStringLiteral("1|") + stored);
        QCOMPARE(cancellation(fixture, 4), QStringLiteral("0|"));
        verifyCancelledInRegister(fixture);
        const QRegularExpression logged(QStringLiteral("^frmcancell:.*:Injected fault: .*:Cmdok_Click :"));
        QCOMPARE(errorLogLinesSince(logOffset).filter(logged).size(), failingOnce.isEmpty() ? 0 : 1);
    }

    void emptyReasonIsRefusedByOkAndByClosing() {
        WindowFixture fixture;
        fixture.openRegister();
        const QStringList before = fixture.claimRows();
        QVERIFY(fixture.onCancelClaim(17, [&](frmcancell& window) {
            MessageWatch refusals;
            for (const std::function<void()>& attempt : std::initializer_list<std::function<void()>>{
                     [&] { QTest::mouseClick(window.cmdOk, Qt::LeftButton); }, [&] { window.close(); },
                     [&] { QTest::keyClick(window.txtreason, Qt::Key_Escape); }}) {
                attempt();
                QVERIFY(window.isVisible() && window.cmdOk->isEnabled());
                QCOMPARE(window.focusWidget(), window.txtreason);
            }
            QCOMPARE(refusals.texts(), QStringList(3, QStringLiteral("Enter Deletion Reason")));
            verifyUntouched(fixture, before);
            QTest::keyClicks(window.txtreason, QStringLiteral("Finally a reason"));
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
        }));
        QCOMPARE(cancellation(fixture), QStringLiteral("1|Finally a reason"));
        verifyCancelledInRegister(fixture);
    }
};

QTEST_MAIN(CancelTest)
#include "tst_cancel.moc"
