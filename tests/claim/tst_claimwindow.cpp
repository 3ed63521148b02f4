// The claim window opened by the register's New: its controls, its load, the
// chained lists, the eligibility figures and the claim total.
#include "claimfixture.h"

#include "claim/claimstatements.h"
#include "claim/frmreimbursement.h"
#include "register/frmmaster.h"
#include "shell/context.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace ZQ5Reimbursement;

class ClaimWindowTest : public QObject {
    Q_OBJECT

private slots:
    void layoutFollowsTheTable() {
        QVERIFY(onNewClaimInFreshRegister([](frmReimbursement& window) {
            QCOMPARE(window.windowTitle(), QStringLiteral("Re-imbursement"));
            QCOMPARE(window.size(), QSize(596, 424));
            QCOMPARE(window.frareimbursement->geometry(), QRect(5, 0, 588, 215));
            struct Place {
                const char* name;
                int left, top, width, height;
                const char* caption;
            };
            const Place places[] = {
                {"lblDate", 6705, 255, 390, 195, "&Date:"},
                {"dtpdate", 7260, 195, 1470, 315, nullptr},
                {"lblemployee", 105, 675, 780, 195, "&Employee :"},
                {"cboemployee", 1200, 615, 2865, 315, nullptr},
                {"lblretype", 4320, 675, 1245, 195, "Re-imburse Type:"},
                {"cbotype", 5910, 615, 2865, 315, nullptr},
                {"lblamt", 105, 1080, 585, 195, "A&mount:"},
                {"txtamount", 1200, 1020, 2895, 315, nullptr},
                {"lblapp", 4320, 1080, 945, 195, "&Approved by:"},
                {"cboapproved", 5910, 1020, 2865, 315, nullptr},
                {"lblCurrency", 105, 1500, 720, 195, "Currency: "},
                {"cboCurrency", 1200, 1440, 2925, 315, nullptr},
                {"lbllimit", 4320, 1500, 360, 195, "Limit:"},
                {"txtlimit", 5910, 1440, 2835, 315, nullptr},
                {"lblutilized", 105, 1950, 555, 195, "Utilized:"},
                {"txtutilized", 1200, 1890, 2895, 315, nullptr},
                {"lblbalance", 4320, 1950, 630, 195, "Balance:"},
                {"txtbalance", 5910, 1890, 2835, 315, nullptr},
                {"lblremarks", 105, 2310, 675, 195, "Remar&ks:"},
                {"txtremark", 1200, 2310, 7530, 765, nullptr},
                {"txtreimbno", 1200, 180, 2865, 315, nullptr},
                {"lblreno", 105, 255, 885, 195, "&Reimb.  No.:"},
            };
            for (const Place& place : places) {
                auto* control = window.frareimbursement->findChild<QWidget*>(QLatin1String(place.name));
                QVERIFY2(control && control->parentWidget() == window.frareimbursement, place.name);
                QCOMPARE(control->geometry(),
                         QRect(place.left / 15, place.top / 15, place.width / 15, place.height / 15));
                if (place.caption)
                    QCOMPARE(qobject_cast<QLabel*>(control)->text(), QLatin1String(place.caption));
            }
            QCOMPARE(window.lvwdetails->geometry(), QRect(5, 219, 591, 156));
            QCOMPARE(window.cmdOk->geometry(), QRect(433, 384, 78, 36));
            QCOMPARE(window.cmdCancel->geometry(), QRect(516, 384, 78, 36));
            QCOMPARE(window.cmdOk->text(), QStringLiteral("&Ok"));
            QCOMPARE(window.cmdCancel->text(), QStringLiteral("&Close"));

            QWidget* focus = window.dtpdate;
            QStringList order{focus->objectName()};
            const QStringList expected{"dtpdate",     "cboemployee", "cbotype",   "txtamount",  "cboapproved",
                                       "cboCurrency", "txtlimit",    "txtutilized", "txtbalance", "txtremark",
                                       "lvwdetails",  "cmdOk",       "cmdCancel", "txtreimbno"};
            while (order.size() < expected.size() && (focus = focus->nextInFocusChain()) != window.dtpdate)
                if (expected.contains(focus->objectName()) && !order.contains(focus->objectName()))
                    order << focus->objectName();
            QCOMPARE(order, expected);

            QCOMPARE(window.lvwdetails->columnCount(), 4);
            const QTreeWidgetItem* header = window.lvwdetails->headerItem();
            QCOMPARE(QStringList({header->text(0), header->text(1), header->text(2), header->text(3)}),
                     QStringList({"SlNo.", "Bill No.", "Amount", "Remarks"}));
            QVERIFY(!window.lvwdetails->rootIsDecorated());
            QCOMPARE(window.mnufile->objectName(), QStringLiteral("mnufile"));
            QCOMPARE(window.mnufile->title(), QStringLiteral("file"));
            QCOMPARE(window.mnufile->actions(), QList<QAction*>({window.mnuadd, window.mnuedit, window.mnudelete}));
            QCOMPARE(window.mnuadd->text() + window.mnuedit->text() + window.mnudelete->text(),
                     QStringLiteral("&Add&Edit&Delete"));
            QCOMPARE(window.mnuedit->objectName(), QStringLiteral("mnuedit"));
            QVERIFY(!window.cboemployee->isEditable());
        }));
    }

    void newClaimStartsWithProcessDateAndTwoLists() {
        ClaimFixture fixture;
        fixture.openRegister();
        fixture.db.clearStatements();
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            QCOMPARE(Context::instance().strMode, QStringLiteral("N"));
            QCOMPARE(window.dtpdate->date(), ClaimFixture::processDate);
            QVERIFY(window.dtpdate->isEnabled());
            QCOMPARE(entries(window.cboemployee), QStringList({"Asha", "Bala", "Chitra", "Esha"}));
            QCOMPARE(window.cboemployee->itemData(1, Qt::UserRole).toInt(), 2);
            QCOMPARE(entries(window.cboapproved), QStringList({"Bala", "Chitra"}));
            QCOMPARE(window.cboemployee->currentIndex(), -1);
            QCOMPARE(window.cbotype->count(), 0);
            QCOMPARE(window.property("tag").toString(), QStringLiteral("Loaded"));
        }));
        const QString employees = fixture.db.statements().filter(QStringLiteral("from pemployee")).value(0);
        QVERIFY2(employees.endsWith(QStringLiteral("eCompanyID=3and eActive=1")), qPrintable(employees));
    }

    void chosenEmployeeTypeAndCurrencyGiveTheFigures() {
        ClaimFixture fixture;
        fixture.openRegister();
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            const TableNames& tables = Context::instance().tables;
            choose(window.cboemployee, QStringLiteral("Asha"));
            // Medical's rule is cancelled, Phone's covering rule is open-ended.
            QCOMPARE(entries(window.cbotype), QStringList({"Travel", "Food"}));
            QVERIFY(fixture.db.statements().last().contains(typeListSource(tables, ClaimFixture::processDate, 1)));
            choose(window.cbotype, QStringLiteral("Travel"));
            // The 2023 rule has ended, yet its currency is offered.
            QCOMPARE(entries(window.cboCurrency), QStringList({"Rupee", "Dollar"}));
            fixture.db.clearStatements();
            choose(window.cboCurrency, QStringLiteral("Dollar"));
            QCOMPARE(window.lbllimit->text(), QStringLiteral("Limit-$"));
            QCOMPARE(window.lblutilized->text(), QStringLiteral("Uilized-$"));
            QCOMPARE(window.lblbalance->text(), QStringLiteral("Balance-$"));
            // The Rupee rule covering the date gives the limit whatever the currency;
            // only the live claim RB1 of 2024 counts as utilized.
            QCOMPARE(window.txtlimit->text(), QStringLiteral("5000"));
            QCOMPARE(window.txtutilized->text(), QStringLiteral("500"));
            QCOMPARE(window.txtbalance->text(), QStringLiteral("4500"));
            const QStringList sent = fixture.db.statements();
            QVERIFY(sent.contains(utilizedStatement(tables, 3, 1, 1, ClaimFixture::processDate, std::nullopt)));
            QVERIFY(sent.contains(limitStatement(tables, 1, 1, ClaimFixture::processDate)));
        }));
    }

    void openEndedRuleGivesALimitButNoUtilized() {
        QVERIFY(onNewClaimInFreshRegister([](frmReimbursement& window) {
            window.dtpdate->setDate(QDate(2024, 2, 15));
            choose(window.cboemployee, QStringLiteral("Asha"));
            QCOMPARE(entries(window.cbotype), QStringList({"Travel", "Phone", "Food"}));
            choose(window.cbotype, QStringLiteral("Phone"));
            QCOMPARE(entries(window.cboCurrency), QStringList({"Rupee", "Dollar"}));
            // Only the open-ended rule covers the new date; the Phone claim of
            // 2024-03-10 lies in its period but is not counted.
            window.dtpdate->setDate(QDate(2024, 3, 15));
            QCOMPARE(entries(window.cbotype), QStringList({"Travel", "Phone", "Food"}));
            choose(window.cboCurrency, QStringLiteral("Rupee"));
            QCOMPARE(window.lbllimit->text(), QStringLiteral("Limit-Rs"));
            QCOMPARE(window.txtlimit->text(), QStringLiteral("700"));
            QCOMPARE(window.txtutilized->text(), QStringLiteral("0"));
            QCOMPARE(window.txtbalance->text(), QStringLiteral("700"));
        }));
    }

    void currencyWithoutTypeIsRefused() {
        QVERIFY(onNewClaimInFreshRegister([](frmReimbursement& window) {
            chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            // Esha has no rule: her type list is empty, the currencies stay.
            choose(window.cboemployee, QStringLiteral("Esha"));
            QCOMPARE(window.cbotype->count(), 0);
            const auto seen = answerNextMessageBox();
            choose(window.cboCurrency, QStringLiteral("Dollar"));
            QCOMPARE(seen->text, QStringLiteral("select type"));
            QCOMPARE(seen->title, ClaimFixture::title);
            QCOMPARE(seen->icon, QMessageBox::Information);
            QCOMPARE(window.focusWidget(), window.cbotype);
            QCOMPARE(window.txtlimit->text(), QStringLiteral("5000"));
        }));
    }

    void failingLookupIsReportedAndTheWindowStays() {
        ClaimFixture fixture;
        fixture.openRegister();
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            fixture.db.failStatementsContaining(QStringLiteral("preimbursementmaster m"));
            const auto error = answerNextMessageBox();
            choose(window.cboemployee, QStringLiteral("Asha"));
            QCOMPARE(error->text, QStringLiteral("Injected fault: preimbursementmaster m"));
            QCOMPARE(error->icon, QMessageBox::Warning);
            QVERIFY(window.isVisible());
            QCOMPARE(window.cbotype->count(), 0);
        }));
    }

    void totalAndBalanceFollowTheLines() {
        QVERIFY(onNewClaimInFreshRegister([](frmReimbursement& window) {
            chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            addLines(window, {{"T1", "300"}, {"T2", "250.5"}});
            QCOMPARE(window.txtamount->text(), QStringLiteral("550.50"));
            QCOMPARE(window.txtbalance->text(), QStringLiteral("3949.50"));
            // Food's limit is 0: no balance test, and the balance goes negative.
            choose(window.cbotype, QStringLiteral("Food"));
            choose(window.cboCurrency, QStringLiteral("Rupee"));
            addLines(window, {{"F1", "120"}});
            QCOMPARE(window.txtamount->text(), QStringLiteral("670.50"));
            QCOMPARE(window.txtbalance->text(), QStringLiteral("-670.50"));
        }));
    }

    void keysMoveOnAndAmountsStayNumeric() {
        QVERIFY(onNewClaimInFreshRegister([](frmReimbursement& window) {
            window.cboemployee->setFocus();
            QTest::keyClick(window.cboemployee, Qt::Key_Return);
            QCoreApplication::processEvents();
            QCOMPARE(QApplication::focusWidget(), window.cbotype);
            QTest::keyClicks(window.txtamount, QStringLiteral("-12a.345"));
            QCOMPARE(window.txtamount->text(), QStringLiteral("12.34"));
            QTest::keyClicks(window.txtremark, QStringLiteral("a-b"));
            QCOMPARE(window.txtremark->toPlainText(), QStringLiteral("ab"));
        }));
    }
};

QTEST_MAIN(ClaimWindowTest)
#include "tst_claimwindow.moc"
