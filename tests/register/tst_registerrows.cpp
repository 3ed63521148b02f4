// Bringing a saved claim into the open register, the payment check and the
// claim's preview.
#include "registerfixture.h"

#include "register/claimreport.h"
#include "register/flexgrid.h"

#include "uidriver.h"

#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTest>

using namespace ZQ5Reimbursement;

namespace {

void saveClaim(RegisterFixture& fixture, int id, const QString& number, const QString& date = QStringLiteral("2004-03-10")) {
    fixture.addClaim(id, number, date, 12, 2);
}

}  // namespace

class TestRegisterRows : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { closeAllWindows(); }

    void newClaimFillsTheEmptyRegistersRow() {
        RegisterFixture fixture;
        FrmMaster& master = fixture.open();
        saveClaim(fixture, 5, QStringLiteral("RB/5"));
        Context::instance().strMode = QStringLiteral("N");
        fixture.db.clearStatements();
        RefreshRegisterRow(QStringLiteral("rhreimburseid=5"), 5);
        QCOMPARE(fixture.db.statements(), QStringList{Context::instance().strListSQL + QStringLiteral(" and rhreimburseid=5")});
        QCOMPARE(RegisterFixture::gridRows(*master.flexMaster),
                 QStringList{QStringLiteral("5|RB/5|Travel|10/03/2004|John Abbot|No")});
    }

    void newClaimIsAppendedAndSelected() {
        RegisterFixture fixture;
        fixture.addClaim(1, QStringLiteral("RB/1"), QStringLiteral("2004-03-01"));
        FrmMaster& master = fixture.open();
        master.flexMaster->setRow(1);
        saveClaim(fixture, 6, QStringLiteral("RB/6"));
        Context::instance().strMode = QStringLiteral("N");
        RefreshRegisterRow(QStringLiteral("rhreimburseid=6"), 6);
        FlexGrid& grid = *master.flexMaster;
        QCOMPARE(grid.Rows(), 3);
        QCOMPARE(RegisterFixture::gridRows(grid).last(), QStringLiteral("6|RB/6|Travel|10/03/2004|John Abbot|No"));
        QCOMPARE(grid.Row(), 2);
        QCOMPARE(grid.Col(), 0);
        QCOMPARE(grid.selectionModel()->selectedIndexes().size(), 6);
    }

    void editedClaimRewritesTheCurrentRow() {
        RegisterFixture fixture;
        fixture.addClaim(1, QStringLiteral("RB/1"), QStringLiteral("2004-03-01"));
        fixture.addClaim(2, QStringLiteral("RB/2"), QStringLiteral("2004-03-02"));
        FrmMaster& master = fixture.open();
        FlexGrid& grid = *master.flexMaster;
        const int row = RegisterFixture::gridRows(grid).indexOf(QStringLiteral("1|RB/1|Medical|01/03/2004|Meera Nair|No")) + 1;
        QVERIFY(row > 0);
        grid.setRow(row);
        fixture.db.exec(QStringLiteral("UPDATE pReimburseHeader SET rhrtypeid = 2, rhClaimEmpID = 12, rhdate = '2004-03-09'"
                                       " WHERE rhreimburseid = 1"));
        grid.setTextMatrix(row, 0, QStringLiteral("kept"));
        Context::instance().strMode = QStringLiteral("E");
        RefreshRegisterRow(QStringLiteral("rhreimburseid=1"), 1);
        QCOMPARE(RegisterFixture::gridRows(grid).at(row - 1), QStringLiteral("kept|RB/1|Travel|09/03/2004|John Abbot|No"));
        QCOMPARE(grid.Rows(), 3);
    }

    void claimBeforeTheCutOffIsNotFound() {
        RegisterFixture fixture;
        fixture.db.exec(QStringLiteral("UPDATE pSettings SET NoOfPreviousDays = 30"));
        FrmMaster& master = fixture.open();
        saveClaim(fixture, 7, QStringLiteral("RB/7"), QStringLiteral("2003-12-31"));
        Context::instance().strMode = QStringLiteral("N");
        RefreshRegisterRow(QStringLiteral("rhreimburseid=7"), 7);
        QCOMPARE(RegisterFixture::gridRows(*master.flexMaster), QStringList{QStringLiteral("|||||")});
    }

    void refreshFailureIsShownNotLogged() {
        RegisterFixture fixture;
        FrmMaster& master = fixture.open();
        fixture.db.failStatementsContaining(QStringLiteral("rhreimburseid=8"));
        const qsizetype linesBefore = RegisterFixture::logLines().size();
        const auto message = answerNextMessageBox();
        Context::instance().strMode = QStringLiteral("N");
        RefreshRegisterRow(QStringLiteral("rhreimburseid=8"), 8);
        QVERIFY(message->shown);
        QCOMPARE(message->icon, QMessageBox::Information);
        QCOMPARE(message->text, QStringLiteral("Injected fault: rhreimburseid=8"));
        QCOMPARE(message->title, QStringLiteral("Payroll"));
        QVERIFY(RegisterFixture::logLines().mid(linesBefore).filter(message->text).isEmpty());
        QCOMPARE(master.flexMaster->Rows(), 2);
    }

    void paymentCheck() {
        RegisterFixture fixture;
        fixture.addClaim(7, QStringLiteral("RB/7"), QStringLiteral("2004-03-01"));
        fixture.db.exec(QStringLiteral("INSERT INTO pPaymentHeader VALUES (1, 100, 0), (1, 101, 1), (2, 200, 0);"
                                       "INSERT INTO pPaymentDetail VALUES (1, 101, 7), (2, 200, 7)"));
        FrmMaster& master = fixture.open();
        fixture.db.clearStatements();
        // Only a cancelled payment of the company and a live one of another company: not paid.
        QVERIFY(!master.fnCheckReimursementPaid());
        QCOMPARE(fixture.db.statements(),
                 QStringList{QStringLiteral("SELECT Count (1) From pPaymentHeader ph, pPaymentDetail pd Where "
                                            "ph.phCompanyID =pd.pdCompanyID and ph.phPaymentID = pd.pdPaymentID and "
                                            "ph.phCompanyID = 1 and ph.phCancelled=0 and pdReimburseID =7")});
        fixture.db.exec(QStringLiteral("INSERT INTO pPaymentDetail VALUES (1, 100, 7)"));
        QVERIFY(master.fnCheckReimursementPaid());
    }

    void reportParameters() {
        QCOMPARE(reportParameterFields(3, QStringLiteral("17"), QStringLiteral("Asha")),
                 (QStringList{QStringLiteral("@intCompanyId;3;true"), QStringLiteral("@intReimbursementID;17;true"),
                              QStringLiteral("strReportName;Reimbursement;true"), QStringLiteral("@strusername;Asha;true")}));
    }

    void previewShowsTheClaimsReport() {
        RegisterFixture fixture;
        fixture.addClaim(7, QStringLiteral("RB/7"), QStringLiteral("2004-03-01"));
        fixture.addClaim(8, QStringLiteral("RB/8"), QStringLiteral("2004-03-02"), 12);
        fixture.db.exec(QStringLiteral("INSERT INTO pReimbursedetail VALUES (1, 7, 1, 'B-100', 120.5, 'taxi'),"
                                       " (1, 7, 2, 'B-101', 4, NULL), (1, 8, 1, 'B-800', 9, 'x')"));
        FrmMaster& master = fixture.openShown();
        FlexGrid& grid = *master.flexMaster;
        grid.setRow(grid.TextMatrix(1, 0) == QLatin1String("7") ? 1 : 2);
        fixture.db.clearStatements();
        bool previewed = false;
        whenModal([](QWidget* w) { return w->objectName() == QLatin1String("rptReimbursement"); },
                  [&previewed](QWidget* w) {
                      previewed = qobject_cast<QPrintPreviewDialog*>(w) != nullptr;
                      w->close();
                  });
        QTest::mouseClick(master.cmdPrint, Qt::LeftButton);
        QVERIFY(previewed);
        QCOMPARE(fixture.db.statements().first(), QStringLiteral("select username from pusers where userid = 5"));
        const QString page = master.crpReimbursement->html();
        QVERIFY(page.contains(QLatin1String("RB/7")));
        QVERIFY(page.contains(QLatin1String("B-100")));
        QVERIFY(page.contains(QLatin1String("120.50")));
        QVERIFY(page.contains(QLatin1String("124.00")) == false);  // the header's total, not a sum: 10.00
        QVERIFY(page.contains(QLatin1String("10.00")));
        QVERIFY(page.contains(QLatin1String("Printed by Asha")));
        QVERIFY(!page.contains(QLatin1String("B-800")));
        QVERIFY(fixture.writes().isEmpty());
    }

    void previewWithoutUserRowShowsTheError() {
        RegisterFixture fixture;
        fixture.addClaim(7, QStringLiteral("RB/7"), QStringLiteral("2004-03-01"));
        fixture.db.exec(QStringLiteral("DELETE FROM pusers WHERE userid = 5"));
        FrmMaster& master = fixture.openShown();
        const qsizetype linesBefore = RegisterFixture::logLines().size();
        const auto message = answerNextMessageBox();
        bool previewed = false;
        whenModal([](QWidget* w) { return w->objectName() == QLatin1String("rptReimbursement"); },
                  [&previewed](QWidget* w) {
                      previewed = true;
                      w->close();
                  }, 500);
        QTest::mouseClick(master.cmdPrint, Qt::LeftButton);
        QVERIFY(message->shown);
        QCOMPARE(message->icon, QMessageBox::Information);
        QVERIFY(!message->text.isEmpty());
        QTest::qWait(600);
        QVERIFY(!previewed);
        QVERIFY(RegisterFixture::logLines().mid(linesBefore).filter(message->text).isEmpty());
    }
};

QTEST_MAIN(TestRegisterRows)
#include "tst_registerrows.moc"
