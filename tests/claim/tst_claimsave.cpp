// Saving a claim from the claim window: checks, numbering, the limit
// warning, what is written, the register row, and faults at every statement.
#include "claimfixture.h"

#include "claim/frmreimbursement.h"
#include "register/frmmaster.h"
#include "shell/context.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace ZQ5Reimbursement;

namespace {

QPoint rowCentre(QTreeWidget* list, int row) {
    return list->visualItemRect(list->topLevelItem(row)).center();
}

// Header columns as written by a save, a NULL remark shown as <null>.
QString header(TestDatabase& db, int claimId) {
    return db.rows(QStringLiteral("select rhreimburseid, rhcompanyid, rhreimburseno, rhdate, rhClaimEmpID,"
                                  " rhApprovedEmpID, ifnull(rhremarks, '<null>'), rhTotalAmt, rhCancelled,"
                                  " rhcurrencyid, rhrtypeid from pReimburseHeader where rhreimburseid = %1")
                       .arg(claimId))
        .value(0);
}

QStringList lineRows(TestDatabase& db, int claimId) {
    return db.rows(QStringLiteral("select rdCompanyId, rdreimburseid, rddetailid, rdbillno, rdbillamt,"
                                  " ifnull(rdremarks, '<null>') from pReimbursedetail where rdreimburseid = %1"
                                  " order by rddetailid")
                       .arg(claimId));
}

}  // namespace

class ClaimSaveTest : public QObject {
    Q_OBJECT

private slots:
    void newClaimIsNumberedAndWrittenWithItsLines() {
        ClaimFixture fixture;
        fixture.addClaim(25, QStringLiteral("RBX"), QStringLiteral("2024-03-04"), 2, 1, 1, {5});
        FrmMaster& register_ = fixture.openRegister();
        const int rowsBefore = register_.flexMaster->Rows();
        fixture.db.clearStatements();
        MessageWatch none;
        QVERIFY(fixture.onNewClaim([](frmReimbursement& window) {
            chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            addLines(window, {{"T1", "300"}, {"T2", "200.5"}, {"T3", "99.5"}});
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            QVERIFY(!window.isVisible());
        }));
        QVERIFY(!none.seen().shown);
        // RB10 is the highest RB number (XY99, RBX and company 4's RB50 do not count); 40 the highest ID.
        QCOMPARE(header(fixture.db, 41), QStringLiteral("41|3|RB11|15/03/2024|1|2|<null>|600|0|1|1"));
        QCOMPARE(lineRows(fixture.db, 41),
                 QStringList({"3|41|1|T1|300|", "3|41|2|T2|200.5|", "3|41|3|T3|99.5|"}));
        QCOMPARE(fixture.db.statementsStartingWith(QStringLiteral("insert into pReimbursedetail")).size(), 3);
        QVERIFY(fixture.db.statements().contains(
            QStringLiteral("insert into pReimburseHeader(rhreimburseid,rhcompanyid,rhreimburseno,rhdate,rhClaimEmpID,"
                           "rhApprovedEmpID, rhremarks,rhTotalAmt,rhCancelled,rhcurrencyid ,rhrtypeid) "
                           "values(?,?,?,?,?,?,?,?,?,?,?)")));

        FlexGrid* grid = register_.flexMaster;
        QCOMPARE(grid->Rows(), rowsBefore + 1);
        QCOMPARE(grid->Row(), grid->Rows() - 1);
        QCOMPARE(grid->TextMatrix(grid->Row(), 0), QStringLiteral("41"));
        QCOMPARE(grid->TextMatrix(grid->Row(), 1), QStringLiteral("RB11"));
        QCOMPARE(grid->TextMatrix(grid->Row(), 4), QStringLiteral("Asha"));
    }

    void existingClaimIsRewrittenWithItsLines() {
        ClaimFixture fixture;
        FrmMaster& register_ = fixture.openRegister();
        fixture.selectClaim(17);
        register_.flexMaster->setTextMatrix(register_.flexMaster->Row(), 2, QStringLiteral("stale"));
        fixture.db.clearStatements();
        QVERIFY(fixture.onEditClaim(17, [](frmReimbursement& window) {
            QTreeWidget* list = window.lvwdetails;
            list->setFocus();
            list->setCurrentItem(list->topLevelItem(0));
            const auto question = answerNextMessageBox(QMessageBox::Yes);
            QTest::keyClick(list, Qt::Key_Delete);
            QVERIFY(question->shown);
            // The remaining line, now the only one, is edited by a double-click.
            duringModal(
                QStringLiteral("frmReimbursementDetails"),
                [](QWidget* details) {
                    auto* amount = details->findChild<QLineEdit*>(QStringLiteral("txtamount"));
                    amount->clear();
                    QTest::keyClicks(amount, QStringLiteral("250"));
                    QTest::mouseClick(details->findChild<QPushButton*>(QStringLiteral("cmdOk")), Qt::LeftButton);
                },
                [list] { QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 0)); });
            addLines(window, {{"B9", "75"}});
            window.txtremark->clear();
            choose(window.cboapproved, QStringLiteral("Chitra"));
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            QVERIFY(!window.isVisible());
        }));
        QCOMPARE(header(fixture.db, 17), QStringLiteral("17|3|RB1|10/02/2024|1|3||325|0|1|1"));
        // "dd/mm/yyyy" is read day first.
        QCOMPARE(fixture.db.scalar(QStringLiteral("select count(*) from pReimburseHeader where rhdate = '2024-02-10'")),
                 QStringLiteral("1"));
        QCOMPARE(lineRows(fixture.db, 17), QStringList({"3|17|1|B-2|250|line 2", "3|17|2|B9|75|"}));
        QVERIFY(fixture.db.statements().contains(
            QStringLiteral("update pReimburseHeader set rhdate=?,rhRemarks=?,rhClaimEmpID=?,  rhapprovedempid=?,"
                           "rhTotalAmt=?,rhcurrencyid=?,rhrtypeid=? where rhreimburseid=17 and rhcompanyid =3")));
        QVERIFY(fixture.db.statements().contains(
            QStringLiteral("delete from pReimbursedetail where rdreimburseid= 17 and rdCompanyID=3")));
        QCOMPARE(register_.flexMaster->TextMatrix(register_.flexMaster->Row(), 0), QStringLiteral("17"));
        QCOMPARE(register_.flexMaster->TextMatrix(register_.flexMaster->Row(), 2), QStringLiteral("Travel"));
    }

    void totalOverTheLimitAsksFirst() {
        ClaimFixture fixture;
        fixture.openRegister();
        const QStringList before = fixture.claimRows();
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            // Food's limit is 0, so every line passes the bill line window.
            chooseClaimant(window, QStringLiteral("Food"), QStringLiteral("Rupee"));
            addLines(window, {{"F1", "120"}});
            const auto no = answerNextMessageBox(QMessageBox::No);
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            QCOMPARE(no->text, QStringLiteral("Total Amount is greater than reimbursement limit. Do you want to continue?"));
            QCOMPARE(no->icon, QMessageBox::Question);
            QCOMPARE(no->buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(no->title, ClaimFixture::title);
            QVERIFY(window.isVisible());
            QVERIFY(window.cmdOk->isEnabled());
            QCOMPARE(window.focusWidget(), window.lvwdetails);
            QCOMPARE(window.txtreimbno->text(), QStringLiteral("RB11"));
            QCOMPARE(fixture.claimRows(), before);
            QVERIFY(!QApplication::overrideCursor());

            const auto yes = answerNextMessageBox(QMessageBox::Yes);
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            QVERIFY(yes->shown);
        }));
        QCOMPARE(header(fixture.db, 41), QStringLiteral("41|3|RB11|15/03/2024|1|2|<null>|120|0|1|4"));
    }

    void claimsWithinTheLimitOrWithoutLinesSaveWithoutAsking() {
        ClaimFixture fixture;
        fixture.openRegister();
        MessageWatch none;
        QVERIFY(fixture.onNewClaim([](frmReimbursement& window) {
            chooseClaimant(window, QStringLiteral("Food"), QStringLiteral("Rupee"));
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
        }));
        QCOMPARE(header(fixture.db, 41), QStringLiteral("41|3|RB11|15/03/2024|1|2|<null>|0|0|1|4"));
        QVERIFY(lineRows(fixture.db, 41).isEmpty());
        // Exactly what is left of the limit: 5000 less RB1's 500.
        QVERIFY(fixture.onNewClaim([](frmReimbursement& window) {
            chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            addLines(window, {{"T1", "4500"}});
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
        }));
        QVERIFY(!none.seen().shown);
        QCOMPARE(fixture.db.scalar(QStringLiteral("select rhreimburseno from pReimburseHeader where rhreimburseid = 42")),
                 QStringLiteral("RB12"));
    }

    void missingSelectionsAreRefusedInOrder() {
        ClaimFixture fixture;
        fixture.addClaim(24, QStringLiteral("RB6"), QStringLiteral("2024-03-03"), 5, 1, 1, {70});
        fixture.openRegister();
        const QStringList before = fixture.claimRows();
        QVERIFY(fixture.onNewClaim([](frmReimbursement& window) {
            const struct {
                QComboBox* list;
                const char* message;
                const char* choice;
            } steps[] = {{window.cboemployee, "Select Employee", "Asha"},
                         {window.cboapproved, "Select Aproved Person", "Bala"},
                         {window.cbotype, "Select Type", "Travel"},
                         {window.cboCurrency, "Select currency symbol", "Rupee"}};
            for (const auto& step : steps) {
                const auto refusal = answerNextMessageBox();
                QTest::mouseClick(window.cmdOk, Qt::LeftButton);
                QCOMPARE(refusal->text, QLatin1String(step.message));
                QCOMPARE(refusal->icon, QMessageBox::Information);
                QCOMPARE(window.focusWidget(), step.list);
                choose(step.list, QLatin1String(step.choice));
            }
            QVERIFY(!QApplication::overrideCursor());
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
        }));
        QCOMPARE(fixture.claimRows().size(), before.size() + 1);

        // A locked list without a selection is named but cannot take the focus.
        const QStringList afterFirst = fixture.claimRows();
        QVERIFY(fixture.onEditClaim(24, [](frmReimbursement& window) {
            const auto refusal = answerNextMessageBox();
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            QCOMPARE(refusal->text, QStringLiteral("Select Type"));
            QVERIFY(window.focusWidget() != window.cbotype);
        }));
        QCOMPARE(fixture.claimRows(), afterFirst);
    }

    void unusualTextsAndAmountsAreStoredAsTheRulesSay() {
        ClaimFixture fixture;
        fixture.openRegister();
        const QString billNo = QStringLiteral("O'Brien; DROP TABLE pReimbursedetail; --");
        const QString remarks = QStringLiteral("50% off 'quoted' \"twice\";");
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            chooseClaimant(window, QStringLiteral("Food"), QStringLiteral("Rupee"));
            duringModal(
                QStringLiteral("frmReimbursementDetails"),
                [&](QWidget* details) {
                    const QStringList amounts{"12.3456", "1,234.50", "7abc"};
                    for (int i = 0; i < amounts.size(); ++i) {
                        // Pasted rather than typed, so the key filter does not see them.
                        details->findChild<QLineEdit*>(QStringLiteral("txtbillno"))->setText(billNo + QString::number(i));
                        details->findChild<QLineEdit*>(QStringLiteral("txtamount"))->setText(amounts[i]);
                        details->findChild<QLineEdit*>(QStringLiteral("txtremarks"))->setText(remarks);
                        QTest::mouseClick(details->findChild<QPushButton*>(QStringLiteral("cmdOk")), Qt::LeftButton);
                    }
                    QTest::mouseClick(details->findChild<QPushButton*>(QStringLiteral("cmdCancel")), Qt::LeftButton);
                },
                [&window] { window.mnuadd->trigger(); });
            window.txtremark->setPlainText(remarks);
            answerNextMessageBox(QMessageBox::Yes);
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
        }));
        QCOMPARE(fixture.db.scalar(QStringLiteral("select rhremarks from pReimburseHeader where rhreimburseid = 41")),
                 remarks);
        QCOMPARE(lineRows(fixture.db, 41), QStringList({"3|41|1|" + billNo + "0|12.35|" + remarks,
                                                        "3|41|2|" + billNo + "1|1|" + remarks,
                                                        "3|41|3|" + billNo + "2|7|" + remarks}));
    }

    void amountsTooLongToStoreAreRefused() {
        ClaimFixture fixture;
        fixture.openRegister();
        const QStringList before = fixture.claimRows();
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            chooseClaimant(window, QStringLiteral("Food"), QStringLiteral("Rupee"));
            addLines(window, {{"F1", "6000000"}, {"F2", "6000000"}});
            const auto refusal = answerNextMessageBox();
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            QCOMPARE(refusal->icon, QMessageBox::Information);
            QCOMPARE(refusal->text, QStringLiteral("The amount 12000000.00 is too large to be saved: an amount may "
                                                   "have at most 10 characters."));
            QVERIFY(window.cmdOk->isEnabled());
            QCOMPARE(window.txtreimbno->text(), QString());
        }));
        QCOMPARE(fixture.claimRows(), before);
    }

    void faultAtAnyStatementLeavesTheDatabaseAsItWas_data() {
        QTest::addColumn<bool>("newClaim");
        QTest::addColumn<QString>("failing");
        for (const char* fragment : {"BEGIN TRANSACTION", "SELECT Prefix", "Select isnull(max(convert",
                                     "max(rhreimburseid)", "insert into pReimburseHeader",
                                     "insert into pReimbursedetail", "COMMIT TRANSACTION"})
            QTest::newRow(qPrintable(QStringLiteral("new: ") + fragment)) << true << QString::fromLatin1(fragment);
        for (const char* fragment : {"update pReimburseHeader", "delete from pReimbursedetail",
                                     "insert into pReimbursedetail", "COMMIT TRANSACTION"})
            QTest::newRow(qPrintable(QStringLiteral("existing: ") + fragment)) << false << QString::fromLatin1(fragment);
    }

    void faultAtAnyStatementLeavesTheDatabaseAsItWas() {
        QFETCH(bool, newClaim);
        QFETCH(QString, failing);
        ClaimFixture fixture;
        FrmMaster& register_ = fixture.openRegister();
        const int rowsBefore = register_.flexMaster->Rows();
        const QStringList before = fixture.claimRows();
        const auto steps = [&](frmReimbursement& window) {
            if (newClaim)
                chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            addLines(window, {{"N1", "40"}, {"N2", "60"}});
            fixture.db.failStatementsContaining(failing);
            const auto error = answerNextMessageBox();
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            QCOMPARE(error->text, QStringLiteral("Injected fault: ") + failing);
            QCOMPARE(error->icon, QMessageBox::Warning);
            QVERIFY(window.isVisible());
            QVERIFY(window.cmdOk->isEnabled());
            QVERIFY(!QApplication::overrideCursor());
            QVERIFY(!Context::instance().gAdoCon()->InTransaction());
        };
        QVERIFY(newClaim ? fixture.onNewClaim(steps) : fixture.onEditClaim(17, steps));
        QCOMPARE(fixture.claimRows(), before);
        QCOMPARE(register_.flexMaster->Rows(), rowsBefore);
    }
};

QTEST_MAIN(ClaimSaveTest)
#include "tst_claimsave.moc"
