// The claim window as a clerk works it from the register: its lists and
// figures, the bill line window, the checks, saving, editing and closing.
#include "windowfixture.h"

#include "billline/frmreimbursementdetails.h"
#include "claim/frmreimbursement.h"
#include "register/flexgrid.h"
#include "register/frmmaster.h"
#include "shell/basreimbursement.h"
#include "shell/context.h"
#include "testhelpers.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace ZQ5Reimbursement;

namespace {

using Steps = std::function<void(frmReimbursement&)>;

// Header columns as written by a save, a NULL remark shown as <null>.
QString header(TestDatabase& db, int claimId) {
    return db.rows(QStringLiteral("select rhreimburseid, rhcompanyid, rhreimburseno, rhdate, rhClaimEmpID,"
                                  " rhApprovedEmpID, ifnull(rhremarks, '<null>'), rhTotalAmt, rhCancelled,"
                                  " rhcurrencyid, rhrtypeid from pReimburseHeader where rhreimburseid = %1")
                       .arg(claimId))
        .value(0);
}

QStringList lineRows(TestDatabase& db, int claimId) {
    return db.rows(QStringLiteral("select rddetailid, rdbillno, rdbillamt, ifnull(rdremarks, '<null>')"
                                  " from pReimbursedetail where rdreimburseid = %1 and rdCompanyId = 3 order by rddetailid")
                       .arg(claimId));
}

// Runs `steps` in the bill line window that `trigger` opens from the claim window.
void inDetails(const std::function<void()>& trigger, const std::function<void(frmReimbursementDetails&)>& steps) {
    QVERIFY(duringModal(
        QStringLiteral("frmReimbursementDetails"),
        [&steps](QWidget* dialog) {
            QPointer<frmReimbursementDetails> details = qobject_cast<frmReimbursementDetails*>(dialog);
            if (QTest::qWaitForWindowActive(details))
                steps(*details);
            if (details && details->isVisible())
                QTest::mouseClick(details->cmdCancel, Qt::LeftButton);
        },
        trigger));
}

// Types a line into the bill line window and presses OK; the refusal shown, if any.
QString offer(frmReimbursementDetails& details, const QString& billNo, const QString& amount,
              const QString& remarks = QString()) {
    for (QLineEdit* field : {details.txtbillno, details.txtamount, details.txtremarks})
        field->clear();
    QTest::keyClicks(details.txtbillno, billNo);
    QTest::keyClicks(details.txtamount, amount);
    QTest::keyClicks(details.txtremarks, remarks);
    MessageWatch refusal;
    QTest::mouseClick(details.cmdOk, Qt::LeftButton);
    return refusal.seen().text;
}

// The ways a person closes the claim window.
void closeWindow(frmReimbursement& window, int way) {
    if (way == 0)
        QTest::mouseClick(window.cmdCancel, Qt::LeftButton);
    else if (way == 1)
        QTest::keyClick(&window, Qt::Key_Escape);
    else
        window.close();
}

}  // namespace

class ClaimTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { closeAllWindows(); }

    void newClaimOffersTheCompanysListsAndFigures() {
        WindowFixture fixture;
        fixture.openRegister();
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            QCOMPARE(Context::instance().strMode, QStringLiteral("N"));
            QCOMPARE(window.dtpdate->date(), WindowFixture::processDate);
            QCOMPARE(entries(window.cboemployee), QStringList({"Asha", "Bala", "Chitra", "Esha"}));
            QCOMPARE(window.cboemployee->itemData(1, Qt::UserRole).toInt(), 2);
            QCOMPARE(entries(window.cboapproved), QStringList({"Bala", "Chitra"}));
            QCOMPARE(window.cbotype->count(), 0);
            choose(window.cboemployee, QStringLiteral("Asha"));
            // Medical's rule is cancelled; Phone's covering rule is open-ended.
            QCOMPARE(entries(window.cbotype), QStringList({"Travel", "Food"}));
            choose(window.cbotype, QStringLiteral("Travel"));
            // The 2023 rule has ended, yet its currency is offered.
            QCOMPARE(entries(window.cboCurrency), QStringList({"Rupee", "Dollar"}));
            choose(window.cboCurrency, QStringLiteral("Dollar"));
            QCOMPARE(window.lbllimit->text() + window.lblutilized->text() + window.lblbalance->text(),
                     QStringLiteral("Limit-$Uilized-$Balance-$"));
            // The Rupee rule covering the date gives the limit; only the live RB1 of 2024 is utilized.
            QCOMPARE(window.txtlimit->text() + "|" + window.txtutilized->text() + "|" + window.txtbalance->text(),
                     QStringLiteral("5000|500|4500"));
            // Esha has no rule: no types, and a currency without a type is refused.
            choose(window.cboemployee, QStringLiteral("Esha"));
            QCOMPARE(window.cbotype->count(), 0);
            MessageWatch refusal;
            choose(window.cboCurrency, QStringLiteral("Rupee"));
            QCOMPARE(refusal.seen().text, QStringLiteral("select type"));
            QCOMPARE(refusal.seen().icon, QMessageBox::Information);
            QCOMPARE(refusal.seen().title, WindowFixture::title);
            QCOMPARE(window.focusWidget(), window.cbotype);
            chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            addLines(window, {{"T1", "300"}, {"T2", "250.5"}});
            QCOMPARE(window.txtamount->text() + "|" + window.txtbalance->text(), QStringLiteral("550.50|3949.50"));
            // Food's limit is 0: no balance test, the balance goes negative.
            choose(window.cbotype, QStringLiteral("Food"));
            choose(window.cboCurrency, QStringLiteral("Rupee"));
            addLines(window, {{"F1", "120"}});
            QCOMPARE(window.txtamount->text() + "|" + window.txtbalance->text(), QStringLiteral("670.50|-670.50"));

            // On a February date Phone's rules cover it; its March claim is outside the period.
            window.dtpdate->setDate(QDate(2024, 2, 15));
            choose(window.cboemployee, QStringLiteral("Esha"));
            choose(window.cboemployee, QStringLiteral("Asha"));
            QCOMPARE(entries(window.cbotype), QStringList({"Travel", "Phone", "Food"}));
            choose(window.cbotype, QStringLiteral("Phone"));
            window.dtpdate->setDate(QDate(2024, 3, 15));
            choose(window.cboCurrency, QStringLiteral("Rupee"));
            QCOMPARE(window.txtlimit->text() + "|" + window.txtutilized->text(), QStringLiteral("700|0"));
        }));
    }

    void keyFiltersKeepFieldsAsTheyMayBe_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("amount: digits and one point, two decimals") << "txtamount" << "-12a.3.45" << "12.34";
        QTest::newRow("remarks: no minus") << "txtremark" << "a-b" << "ab";
    }
    void keyFiltersKeepFieldsAsTheyMayBe() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        WindowFixture fixture;
        fixture.openRegister();
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            // Enter in a list moves on like Tab.
            QApplication::setActiveWindow(&window);
            window.cboemployee->setFocus();
            QTest::keyClick(window.cboemployee, Qt::Key_Return);
            QTRY_COMPARE(QApplication::focusWidget(), window.cbotype);
            QWidget* control = window.findChild<QWidget*>(field);
            QTest::keyClicks(control, typed);
            auto* line = qobject_cast<QLineEdit*>(control);
            QCOMPARE(line ? line->text() : qobject_cast<QPlainTextEdit*>(control)->toPlainText(), shown);
        }));
    }

    void billLinesAreCheckedAddedBrowsedAndEdited() {
        WindowFixture fixture;
        fixture.openRegister();
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            inDetails([&window] { window.mnuadd->trigger(); }, [&window](frmReimbursementDetails& details) {
                QCOMPARE(offer(details, QStringLiteral("  "), QStringLiteral("5")), QStringLiteral("Enter Bill no"));
                QCOMPARE(details.focusWidget(), details.txtbillno);
                QVERIFY(window.blnDetailChanged);  // marked changed though refused
                QCOMPARE(offer(details, QStringLiteral("A1"), QString()), QStringLiteral("Enter Amount"));
                QCOMPARE(offer(details, QStringLiteral("A1"), QStringLiteral("0.00")),
                         QStringLiteral("Amount cannot be zero"));
                // 5000 less RB1's 500 is left.
                QCOMPARE(offer(details, QStringLiteral("A1"), QStringLiteral("4500.01")),
                         QStringLiteral("Amount shoud be less than or equal to balance amount"));
                QCOMPARE(details.focusWidget(), details.txtamount);
                QCOMPARE(offer(details, QStringLiteral("A1"), QStringLiteral("100.5"), QStringLiteral(" first ")), QString());
                QVERIFY(details.isVisible() && details.txtbillno->text().isEmpty());
                QVERIFY(!details.cmdFirst->isEnabled());  // one line before this OK enables browsing
                QCOMPARE(offer(details, QStringLiteral("a1"), QStringLiteral("10")), QString());
                QCOMPARE(offer(details, QStringLiteral("C1"), QStringLiteral("30")), QString());
                QCOMPARE(offer(details, QStringLiteral(" A1 "), QStringLiteral("10")),
                         QStringLiteral("Bill Number Already Exists  A1 "));

                const auto state = [&details] {
                    QString s;
                    for (QPushButton* b : {details.cmdFirst, details.cmdPrevious, details.cmdNext, details.cmdLast})
                        s += b->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
                    return s + QLatin1Char(' ') + details.txtbillno->text();
                };
                const QList<QPair<QPushButton*, const char*>> steps{
                    {details.cmdFirst, "0011 A1"},    {details.cmdNext, "1111 a1"},     {details.cmdNext, "1100 C1"},
                    {details.cmdPrevious, "1111 a1"}, {details.cmdPrevious, "0011 A1"}, {details.cmdLast, "1100 C1"}};
                for (const auto& [button, expected] : steps) {
                    QTest::mouseClick(button, Qt::LeftButton);
                    QCOMPARE(state(), QLatin1String(expected));
                }
                // Still adding: the browsed values meet the duplicate test.
                MessageWatch refusal;
                QTest::mouseClick(details.cmdOk, Qt::LeftButton);
                QCOMPARE(refusal.seen().text, QStringLiteral("Bill Number Already Exists C1"));
            });
            QCOMPARE(listLines(window.lvwdetails), QStringList({"1|A1|100.50|first", "2|a1|10.00|", "3|C1|30.00|"}));
            QCOMPARE(window.focusWidget(), window.cmdOk);

            // Editing checks only the increase, steps on to the next line, and skips the blank and duplicate tests.
            window.lvwdetails->setCurrentItem(window.lvwdetails->topLevelItem(0));
            inDetails([&window] { window.mnuedit->trigger(); }, [&window](frmReimbursementDetails& details) {
                QCOMPARE(details.txtbillno->text(), QStringLiteral("A1"));
                QCOMPARE(offer(details, QStringLiteral("A1"), QStringLiteral("4460.01")),
                         QStringLiteral("Amount shoud be less than or equal to balance amount"));
                QCOMPARE(offer(details, QStringLiteral("A1"), QStringLiteral("4460"), QStringLiteral("max")), QString());
                QCOMPARE(window.lvwdetails->currentItem(), window.lvwdetails->topLevelItem(1));
                QCOMPARE(details.txtamount->text(), QStringLiteral("10.00"));
                QCOMPARE(offer(details, QString(), QStringLiteral("5")), QString());
                QCOMPARE(offer(details, QStringLiteral("A1"), QStringLiteral("30")), QString());
                QVERIFY(!details.isVisible());
            });
            QCOMPARE(listLines(window.lvwdetails), QStringList({"1|A1|4460.00|max", "2||5.00|", "3|A1|30.00|"}));
            QCOMPARE(window.txtbalance->text(), QStringLiteral("5.00"));
        }));
    }

    void listKeysMenuAndDeleteFollowTheLines() {
        WindowFixture fixture;
        fixture.openRegister();
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            QTreeWidget* list = window.lvwdetails;
            const auto rightClick = [list] { QTest::mouseClick(list->viewport(), Qt::RightButton, {}, QPoint(20, 40)); };
            rightClick();  // no employee yet: no pop-up
            QVERIFY(!QApplication::activePopupWidget());
            QString mode;
            inDetails([list] { QTest::keyClick(list, Qt::Key_Return); },
                      [&mode](frmReimbursementDetails&) { mode = Context::instance().strDetailMode; });
            QCOMPARE(mode, QStringLiteral("A"));
            chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            rightClick();
            QCOMPARE(QApplication::activePopupWidget(), window.mnufile);
            QVERIFY(window.mnuadd->isEnabled() && !window.mnuedit->isEnabled() && !window.mnudelete->isEnabled());
            window.mnufile->close();
            addLines(window, {{"A1", "100"}, {"B1", "200"}, {"C1", "300"}});
            list->setCurrentItem(list->topLevelItem(1));
            inDetails([list] { QTest::keyClick(list, Qt::Key_Return); }, [&mode](frmReimbursementDetails& details) {
                mode = Context::instance().strDetailMode + details.txtbillno->text();
            });
            QCOMPARE(mode, QStringLiteral("EB1"));
            // The menu item's state does not stop the key.
            window.mnudelete->setEnabled(false);
            {
                MessageWatch no(QMessageBox::No);
                QTest::keyClick(list, Qt::Key_Delete);
                QCOMPARE(no.seen().text, QStringLiteral("Are you sure you want to delete Details - 200.00"));
                QCOMPARE(no.seen().icon, QMessageBox::Question);
                QCOMPARE(no.seen().title, QApplication::applicationDisplayName());
                QCOMPARE(list->topLevelItemCount(), 3);
            }
            MessageWatch yes(QMessageBox::Yes);
            QTest::keyClick(list, Qt::Key_Delete);
            QCOMPARE(listLines(list), QStringList({"1|A1|100.00|", "2|C1|300.00|"}));
            QCOMPARE(window.txtamount->text() + "|" + window.txtbalance->text(), QStringLiteral("400.00|4100.00"));
        }));
    }

    void newClaimIsNumberedAndWrittenWithItsLines_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("existing");  // another claim number of the company
        QTest::addColumn<QString>("number");
        // XY99 and company 4's RB50 do not count; RB10 is the highest.
        QTest::newRow("prefix RB") << "RB" << "RBX" << "RB11";
        QTest::newRow("quote in the prefix") << "R'B" << "R'B7" << "R'B8";
    }
    void newClaimIsNumberedAndWrittenWithItsLines() {
        QFETCH(QString, prefix);
        QFETCH(QString, existing);
        QFETCH(QString, number);
        WindowFixture fixture;
        fixture.db.exec(QStringLiteral("UPDATE pPrefix SET Prefix = '%1' WHERE InterfaceID = 25")
                            .arg(QString(prefix).replace("'", "''")));
        fixture.addClaim(25, QString(existing).replace("'", "''"), QStringLiteral("2024-03-04"), 2, 1, 1, {5});
        fixture.openRegister();
        const int rowsBefore = fixture.grid().Rows();
        QVERIFY(fixture.onNewClaim([](frmReimbursement& window) {
            chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            // Exactly what is left of the limit (5000 less RB1's 500): saved without a question.
            addLines(window, {{"T1", "3000"}, {"T2", "1400.5"}, {"T3", "99.5"}});
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            QVERIFY(!window.isVisible());
        }));
        // 40, company 4's claim, is the highest ID.
        QCOMPARE(header(fixture.db, 41), QStringLiteral("41|3|%1|15/03/2024|1|2|<null>|4500|0|1|1").arg(number));
        QCOMPARE(lineRows(fixture.db, 41), QStringList({"1|T1|3000|", "2|T2|1400.5|", "3|T3|99.5|"}));
        FlexGrid& grid = fixture.grid();
        QCOMPARE(grid.Rows(), rowsBefore + 1);
        QCOMPARE(grid.Row(), grid.Rows() - 1);
        QCOMPARE(fixture.gridRows().last(), QStringLiteral("41|%1|Travel|15/03/2024|Asha|No").arg(number));
    }

    void editedClaimIsRewrittenWithItsLines() {
        WindowFixture fixture;
        fixture.openRegister();
        fixture.selectClaim(17);
        fixture.grid().setTextMatrix(fixture.grid().Row(), 2, QStringLiteral("stale"));
        QVERIFY(fixture.onEditClaim(17, [](frmReimbursement& window) {
            QCOMPARE(Context::instance().strMode, QStringLiteral("E"));
            QCOMPARE(window.txtreimbno->text() + "|" + window.txtamount->text(), QStringLiteral("RB1|500.00"));
            QCOMPARE(window.dtpdate->date(), QDate(2024, 2, 10));
            for (QWidget* locked : std::initializer_list<QWidget*>{window.dtpdate, window.cboemployee, window.cbotype,
                                                                    window.cboCurrency})
                QVERIFY2(!locked->isEnabled(), qPrintable(locked->objectName()));
            QVERIFY(window.cboapproved->isEnabled() && window.cmdOk->isEnabled());
            QCOMPARE(window.cboemployee->currentText() + window.cboapproved->currentText() + window.cbotype->currentText() +
                         window.cboCurrency->currentText(),
                     QStringLiteral("AshaBalaTravelRupee"));
            QCOMPARE(window.txtremark->toPlainText(), QStringLiteral("claim 17"));
            QCOMPARE(listLines(window.lvwdetails), QStringList({"1|B-1|300.00|line 1", "2|B-2|200.00|line 2"}));
            // The claim's own lines are left out of what is utilized.
            QCOMPARE(window.txtlimit->text() + "|" + window.txtutilized->text() + "|" + window.txtbalance->text(),
                     QStringLiteral("5000|0|5000"));
            QVERIFY(!IsFormChanged(&window));

            QTreeWidget* list = window.lvwdetails;
            list->setCurrentItem(list->topLevelItem(0));
            {
                MessageWatch yes(QMessageBox::Yes);
                QTest::keyClick(list, Qt::Key_Delete);
            }
            // The remaining line is edited by a double-click.
            duringModal(
                QStringLiteral("frmReimbursementDetails"),
                [](QWidget* dialog) {
                    auto* details = qobject_cast<frmReimbursementDetails*>(dialog);
                    details->txtamount->clear();
                    QTest::keyClicks(details->txtamount, QStringLiteral("250"));
                    QTest::mouseClick(details->cmdOk, Qt::LeftButton);
                },
                [list] {
                    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                                       list->visualItemRect(list->topLevelItem(0)).center());
                });
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
        QCOMPARE(lineRows(fixture.db, 17), QStringList({"1|B-2|250|line 2", "2|B9|75|"}));
        QCOMPARE(fixture.gridRows().at(fixture.grid().Row() - 1), QStringLiteral("17|RB1|Travel|10/02/2024|Asha|No"));
    }

    // Cancelled (in the register or the row), paid, incomplete and vanished claims.
    void storedClaimsOpenAsTheirStateAllows() {
        WindowFixture fixture;
        fixture.addClaim(22, QStringLiteral("RB4"), QStringLiteral("2024-03-01"), 1, 1, 1, {40});
        fixture.addClaim(23, QStringLiteral("RB5"), QStringLiteral("2024-03-02"), 1, 1, 1, {60});
        fixture.addClaim(24, QStringLiteral("RB6"), QStringLiteral("2024-03-03"), 5, 1, 1, {70});
        fixture.addPayment(1, 22, 0);
        fixture.addPayment(2, 23, 1);
        fixture.openRegister();
        QVERIFY(fixture.onEditClaim(18, [](frmReimbursement& window) { QVERIFY(!window.cmdOk->isEnabled()); }));
        // The register's "Yes" alone is enough.
        fixture.db.exec(QStringLiteral("UPDATE pReimburseHeader SET rhCancelled = 0 WHERE rhreimburseid = 18"));
        QVERIFY(fixture.onEditClaim(18, [](frmReimbursement& window) { QVERIFY(!window.cmdOk->isEnabled()); }));
        {
            MessageWatch paid;
            QVERIFY(fixture.onEditClaim(22, [&](frmReimbursement& window) {
                QCOMPARE(paid.seen().text, QStringLiteral("Payment done. Can't edit."));
                QCOMPARE(paid.seen().icon, QMessageBox::Information);
                QVERIFY(!window.cmdOk->isEnabled() && !window.frareimbursement->isEnabled());
            }));
        }
        // A cancelled payment does not count.
        QVERIFY(fixture.onEditClaim(23, [](frmReimbursement& window) { QVERIFY(window.cmdOk->isEnabled()); }));
        // Esha has no rule: nothing to choose from, nothing computed.
        QVERIFY(fixture.onEditClaim(24, [](frmReimbursement& window) {
            QCOMPARE(window.cboemployee->currentText(), QStringLiteral("Esha"));
            QCOMPARE(window.cbotype->count(), 0);
            QCOMPARE(window.txtlimit->text(), QString());
        }));
        fixture.db.exec(QStringLiteral("UPDATE pReimburseHeader SET rhrtypeid = NULL, rhcurrencyid = NULL,"
                                       " rhremarks = NULL WHERE rhreimburseid = 17"));
        QVERIFY(fixture.onEditClaim(17, [](frmReimbursement& window) {
            QVERIFY(window.cbotype->currentIndex() == -1 && window.cbotype->isEnabled());
            QVERIFY(window.cboCurrency->currentIndex() == -1 && window.cboCurrency->isEnabled());
            QCOMPARE(window.txtremark->toPlainText(), QString());
        }));
        fixture.db.exec(QStringLiteral("DELETE FROM pReimburseHeader WHERE rhreimburseid = 17"));
        QVERIFY(fixture.onEditClaim(17, [](frmReimbursement& window) {
            QCOMPARE(window.txtreimbno->text(), QString());
            QCOMPARE(window.lvwdetails->topLevelItemCount(), 0);
        }));
        // A new claim afterwards is open again everywhere.
        QVERIFY(fixture.onNewClaim([](frmReimbursement& window) {
            for (QWidget* control : std::initializer_list<QWidget*>{window.cmdOk, window.frareimbursement,
                                                                    window.cboemployee, window.dtpdate})
                QVERIFY2(control->isEnabled(), qPrintable(control->objectName()));
        }));
    }

    void failingStatementsLeaveNothingOnScreen_data() {
        QTest::addColumn<bool>("edit");
        QTest::addColumn<QString>("failing");
        QTest::newRow("edit: header") << true << "select * from pReimburseHeader";
        QTest::newRow("edit: type list") << true << "preimbursementmaster m";
        QTest::newRow("edit: lines") << true << "from pReimbursedetail where";
        QTest::newRow("edit: payment check") << true << "pPaymentHeader";
        QTest::newRow("new: approvers") << false << "eDesigId in";
    }
    void failingStatementsLeaveNothingOnScreen() {
        QFETCH(bool, edit);
        QFETCH(QString, failing);
        WindowFixture fixture;
        fixture.openRegister();
        fixture.db.failStatementsContaining(failing);
        const qint64 logOffset = errorLogSize();
        MessageWatch error;
        QVERIFY(!(edit ? fixture.onEditClaim(17, [](frmReimbursement&) {}) : fixture.onNewClaim([](frmReimbursement&) {})));
        QCOMPARE(error.seen().icon, QMessageBox::Warning);
        QVERIFY2(error.seen().text.contains(QStringLiteral("Injected fault: ") + failing), qPrintable(error.seen().text));
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(!Context::instance().frmReimbursementWindow);
        const QString end = edit ? QStringLiteral(":tester:CmdEdit_Click :E") : QStringLiteral(":tester:cmdnew_Click :N");
        QVERIFY(!errorLogLinesSince(logOffset).filter(QStringLiteral("FrmMaster:ZQ5Reimbursement:")).filter(end).isEmpty());
    }

    void lookupFailureInTheOpenWindowIsShownAndItStays() {
        WindowFixture fixture;
        fixture.openRegister();
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            fixture.db.failStatementsContaining(QStringLiteral("preimbursementmaster m"));
            MessageWatch error;
            choose(window.cboemployee, QStringLiteral("Asha"));
            QCOMPARE(error.seen().text, QStringLiteral("Injected fault: preimbursementmaster m"));
            QVERIFY(window.isVisible());
        }));
    }

    void emptySanctionListIsPassedOnAsItStands() {
        WindowFixture fixture;
        fixture.db.exec(QStringLiteral("UPDATE pSettings SET SanctionDesginations = ''"));
        fixture.openRegister();
        QVERIFY(fixture.onNewClaim([](frmReimbursement& window) { QCOMPARE(window.cboapproved->count(), 0); }));
        // A database that refuses the empty list: the clerk learns which setting is at fault.
        fixture.db.failStatementsContaining(QStringLiteral("eDesigId in ()"));
        MessageWatch error;
        QVERIFY(!fixture.onNewClaim([](frmReimbursement&) {}));
        QVERIFY2(error.seen().text.startsWith(
                     QStringLiteral("The approvers could not be listed for the sanction designations \"\": ")),
                 qPrintable(error.seen().text));
    }

    void saveRefusalsComeInOrderAndWriteNothing() {
        WindowFixture fixture;
        fixture.addClaim(24, QStringLiteral("RB6"), QStringLiteral("2024-03-03"), 5, 1, 1, {70});
        fixture.openRegister();
        const QStringList before = fixture.claimRows();
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            const struct {
                QComboBox* list;
                const char* message;
                const char* choice;
            } steps[] = {{window.cboemployee, "Select Employee", "Asha"},
                         {window.cboapproved, "Select Aproved Person", "Bala"},
                         {window.cbotype, "Select Type", "Food"},
                         {window.cboCurrency, "Select currency symbol", "Rupee"}};
            for (const auto& step : steps) {
                MessageWatch refusal;
                QTest::mouseClick(window.cmdOk, Qt::LeftButton);
                QCOMPARE(refusal.seen().text, QLatin1String(step.message));
                QCOMPARE(refusal.seen().icon, QMessageBox::Information);
                QCOMPARE(window.focusWidget(), step.list);
                choose(step.list, QLatin1String(step.choice));
            }
            QCOMPARE(fixture.claimRows(), before);
            // A total too long to store is refused before anything else.
            addLines(window, {{"F1", "6000000"}, {"F2", "6000000"}});
            {
                MessageWatch refusal;
                QTest::mouseClick(window.cmdOk, Qt::LeftButton);
                QCOMPARE(refusal.texts(), QStringList({"The amount 12000000.00 is too large to be saved: an amount "
                                                       "may have at most 10 characters."}));
            }
            QCOMPARE(window.txtreimbno->text(), QString());
            window.lvwdetails->setCurrentItem(window.lvwdetails->topLevelItem(0));
            {
                MessageWatch yes(QMessageBox::Yes);
                QTest::keyClick(window.lvwdetails, Qt::Key_Delete);
            }
            // Over the limit (Food's is 0) asks first; No keeps the window and writes nothing.
            MessageWatch no(QMessageBox::No);
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            QCOMPARE(no.seen().text, QStringLiteral("Total Amount is greater than reimbursement limit. Do you want to continue?"));
            QCOMPARE(no.seen().icon, QMessageBox::Question);
            QCOMPARE(no.seen().buttons, QMessageBox::Yes | QMessageBox::No);
            QVERIFY(window.isVisible() && window.cmdOk->isEnabled());
            QCOMPARE(window.focusWidget(), window.lvwdetails);
            QCOMPARE(window.txtreimbno->text(), QStringLiteral("RB11"));
            QVERIFY(!QApplication::overrideCursor());
        }));
        QCOMPARE(fixture.claimRows(), before);
        // A locked list without a selection is named but cannot take the focus.
        QVERIFY(fixture.onEditClaim(24, [](frmReimbursement& window) {
            MessageWatch refusal;
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            QCOMPARE(refusal.seen().text, QStringLiteral("Select Type"));
            QVERIFY(window.focusWidget() != window.cbotype);
        }));
        QCOMPARE(fixture.claimRows(), before);
    }

    void unusualTextsAndAmountsAreStoredAsTheRulesSay() {
        WindowFixture fixture;
        fixture.openRegister();
        const QString billNo = QStringLiteral("O'Brien; DROP TABLE pReimbursedetail; --");
        const QString remarks = QStringLiteral("50% off 'quoted' \"twice\";");
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            chooseClaimant(window, QStringLiteral("Food"), QStringLiteral("Rupee"));
            inDetails([&window] { window.mnuadd->trigger(); }, [&](frmReimbursementDetails& details) {
                const QStringList amounts{"12.3456", "1,234.50", "7abc"};
                for (int i = 0; i < amounts.size(); ++i) {
                    // Pasted rather than typed, so the key filter does not see them.
                    details.txtbillno->setText(billNo + QString::number(i));
                    details.txtamount->setText(amounts[i]);
                    details.txtremarks->setText(remarks);
                    QTest::mouseClick(details.cmdOk, Qt::LeftButton);
                }
            });
            window.txtremark->setPlainText(remarks);
            MessageWatch yes(QMessageBox::Yes);
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            QVERIFY(!window.isVisible());
        }));
        QCOMPARE(fixture.db.scalar(QStringLiteral("select rhremarks from pReimburseHeader where rhreimburseid = 41")),
                 remarks);
        QCOMPARE(lineRows(fixture.db, 41), QStringList({"1|" + billNo + "0|12.35|" + remarks,
                                                        "2|" + billNo + "1|1|" + remarks,
                                                        "3|" + billNo + "2|7|" + remarks}));
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
        WindowFixture fixture;
        fixture.openRegister();
        const int rowsBefore = fixture.grid().Rows();
        const QStringList before = fixture.claimRows();
        const Steps steps = [&](frmReimbursement& window) {
            if (newClaim)
                chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            addLines(window, {{"N1", "40"}, {"N2", "60"}});
            fixture.db.failStatementsContaining(failing);
            MessageWatch error;
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            QVERIFY2(error.seen().text.contains(QStringLiteral("Injected fault: ") + failing), qPrintable(error.seen().text));
            QCOMPARE(error.seen().icon, QMessageBox::Warning);
            QVERIFY(window.isVisible() && window.cmdOk->isEnabled());
            QVERIFY(!QApplication::overrideCursor());
            QVERIFY(!Context::instance().gAdoCon()->InTransaction());
        };
        QVERIFY(newClaim ? fixture.onNewClaim(steps) : fixture.onEditClaim(17, steps));
        QCOMPARE(fixture.claimRows(), before);
        QCOMPARE(fixture.grid().Rows(), rowsBefore);
    }

    void nothingToSaveClosesWithoutAQuestion() {
        WindowFixture fixture;
        fixture.openRegister();
        // The date is not part of the recorded state; a loaded claim is the unchanged state;
        // a cancelled claim cannot be saved whatever was changed.
        QVERIFY(fixture.onNewClaim([](frmReimbursement& window) {
            window.dtpdate->setDate(QDate(2024, 3, 1));
            closeWindow(window, 1);
            QVERIFY(!window.isVisible());
        }));
        QVERIFY(fixture.onEditClaim(17, [](frmReimbursement& window) {
            closeWindow(window, 2);
            QVERIFY(!window.isVisible());
        }));
        QVERIFY(fixture.onEditClaim(18, [](frmReimbursement& window) {
            window.txtremark->setPlainText(QStringLiteral("changed"));
            closeWindow(window, 0);
            QVERIFY(!window.isVisible());
        }));
    }

    void changesAreOfferedForSavingWhicheverWayTheWindowCloses_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("Close button") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("close box") << 2;
    }
    void changesAreOfferedForSavingWhicheverWayTheWindowCloses() {
        QFETCH(int, way);
        WindowFixture fixture;
        fixture.openRegister();
        const QStringList before = fixture.claimRows();
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            // A refused bill line still counts as a change.
            inDetails([&window] { QTest::keyClick(window.lvwdetails, Qt::Key_Return); },
                      [](frmReimbursementDetails& details) {
                          QCOMPARE(offer(details, QStringLiteral("X1"), QString()), QStringLiteral("Enter Amount"));
                      });
            MessageWatch no(QMessageBox::No);
            closeWindow(window, way);
            QCOMPARE(no.seen().text, QStringLiteral("Save Changes?"));
            QCOMPARE(no.seen().icon, QMessageBox::Information);
            QCOMPARE(no.seen().buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(no.seen().defaultButton, QMessageBox::No);
            QCOMPARE(no.seen().title, WindowFixture::title);
            QVERIFY(!window.isVisible());
        }));
        QCOMPARE(fixture.claimRows(), before);
        // Yes on an incomplete claim shows the refusal and keeps the window; Yes on a complete one saves it.
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            window.txtremark->setPlainText(QStringLiteral("to do"));
            {
                MessageWatch answers({QMessageBox::Yes, QMessageBox::Ok});
                closeWindow(window, way);
                QCOMPARE(answers.texts(), QStringList({"Save Changes?", "Select Employee"}));
                QVERIFY(window.isVisible());
            }
            chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            MessageWatch yes(QMessageBox::Yes);
            closeWindow(window, way);
            QVERIFY(!window.isVisible());
        }));
        QCOMPARE(fixture.db.scalar(QStringLiteral("select rhremarks from pReimburseHeader where rhreimburseid = 41")),
                 QStringLiteral("to do"));
    }
};

QTEST_MAIN(ClaimTest)
#include "tst_claim.moc"
