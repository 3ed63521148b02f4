// The claim window as a clerk works it from the register: its lists and
// figures, the bill line window, the checks, saving, editing and closing,
// a troubled database and what the clerk is told, and processes saving into
// one file at once (the test binary runs itself as the savers).
#include "windowfixture.h"

#include "billline/frmreimbursementdetails.h"
#include "cancel/frmcancell.h"
#include "claim/frmreimbursement.h"
#include "register/flexgrid.h"
#include "shell/context.h"
#include "testhelpers.h"

#include <QtTest>
#include <QtWidgets>

#include <cstdio>

using namespace ZQ5Reimbursement;

namespace {

using Steps = std::function<void(frmReimbursement&)>;

// Header (a NULL remark as <null>) and lines of company 3's claim, as saved.
QStringList saved(TestDatabase& db, int claimId) {
    return db.rows(QStringLiteral("select rhreimburseid, rhreimburseno, rhdate, rhClaimEmpID, rhApprovedEmpID,"
                                  " ifnull(rhremarks, '<null>'), rhTotalAmt, rhCancelled, rhcurrencyid, rhrtypeid"
                                  " from pReimburseHeader where rhcompanyid = 3 and rhreimburseid = %1")
                       .arg(claimId)) +
           db.rows(QStringLiteral("select rddetailid, rdbillno, rdbillamt, rdremarks from pReimbursedetail"
                                  " where rdreimburseid = %1 and rdCompanyId = 3 order by rddetailid")
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

// Pastes a line into the bill line window and presses OK; the refusal shown, if any.
QString offer(frmReimbursementDetails& details, const QString& billNo, const QString& amount,
              const QString& remarks = QString()) {
    details.txtbillno->setText(billNo);
    details.txtamount->setText(amount);
    details.txtremarks->setText(remarks);
    MessageWatch refusal;
    QTest::mouseClick(details.cmdOk, Qt::LeftButton);
    return refusal.seen().text;
}

QString tooLarge(const QString& amount) {
    return "The amount " + amount + " is too large to be saved: an amount may have at most 10 characters.";
}

const QString balanceRefusal = QStringLiteral("Amount shoud be less than or equal to balance amount");

// Runs `act` once, before anyone answers it, when a message box comes up.
class OnMessageShown : public QObject {
    std::function<void()> act_;

public:
    explicit OnMessageShown(std::function<void()> act) : act_(std::move(act)) { qApp->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (act_ && event->type() == QEvent::Show && qobject_cast<QMessageBox*>(watched))
            std::exchange(act_, nullptr)();
        return false;
    }
};

// One saver: the register on a file of its own, the claim window on the shared
// file, filled in; says "ready", presses OK once told to, saying "pressed" just
// before. Exit code 0 when the claim was saved.
int saveOneClaim(const QString& databasePath, const QString& name) {
    WindowFixture fixture;
    fixture.openRegister();
    auto shared = std::make_shared<adodb::Connection>();
    shared->Open("Provider=SQLite;Data Source=" + databasePath);
    Context::instance().setConnection(shared);
    std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);  // each word reaches the test as a whole line
    bool saved = false;
    fixture.onNewClaim([&](frmReimbursement& window) {
        chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
        addLines(window, {{name, "100"}});
        window.txtremark->setPlainText(name);
        std::puts("ready");
        char go[8];
        if (!std::fgets(go, sizeof go, stdin))
            return;
        std::puts("pressed");
        QTest::mouseClick(window.cmdOk, Qt::LeftButton);
        saved = !window.isVisible();
    });
    return saved ? 0 : 1;
}

}  // namespace

class ClaimTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { closeAllWindows(); }

    void listsAndFiguresFollowTheChoices() {
        WindowFixture fixture;
        // Company 4's rule of the same numbers counts nothing here.
        fixture.db.exec(QStringLiteral("INSERT INTO preimeligibilityheader VALUES (1, 4, 1, 1, '2024-01-01', '2024-12-31', 0);"
                                       "INSERT INTO preimeligibilitydetail VALUES (4, 1, 1, 777)"));
        fixture.openRegister();
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            const auto figures = [&window] {
                return window.txtlimit->text() + "|" + window.txtutilized->text() + "|" + window.txtbalance->text();
            };
            QCOMPARE(entries(window.cboemployee), QStringList({"Asha", "Bala", "Chitra", "Esha"}));
            QCOMPARE(entries(window.cboapproved), QStringList({"Bala", "Chitra"}));
            choose(window.cboemployee, QStringLiteral("Asha"));
            // Medical's rule is cancelled; Phone's covering rule is open-ended.
            QCOMPARE(entries(window.cbotype), QStringList({"Travel", "Food"}));
            choose(window.cbotype, QStringLiteral("Travel"));
            // The 2023 rule has ended, yet its currency is offered.
            QCOMPARE(entries(window.cboCurrency), QStringList({"Rupee", "Dollar"}));
            choose(window.cboCurrency, QStringLiteral("Dollar"));
            // The Rupee rule covering the date gives the limit; only the live RB1 of 2024 is utilized.
            QCOMPARE(window.lbllimit->text() + " " + figures(), QStringLiteral("Limit-$ 5000|500|4500"));
            addLines(window, {{"T1", "300"}, {"T2", "250.5"}});
            QCOMPARE(figures() + "|" + window.txtamount->text(), QStringLiteral("5000|500|3949.50|550.50"));
            // Esha has no rule: no types, and a currency without a type is refused.
            choose(window.cboemployee, QStringLiteral("Esha"));
            QCOMPARE(window.cbotype->count(), 0);
            MessageWatch messages;
            choose(window.cboCurrency, QStringLiteral("Rupee"));
            QCOMPARE(messages.seen().text, QStringLiteral("select type"));
            QCOMPARE(window.focusWidget(), window.cbotype);
            // A failing lookup is shown and the window stays.
            fixture.db.failStatementsContaining(QStringLiteral("preimbursementmaster m"));
            choose(window.cboemployee, QStringLiteral("Asha"));
            QCOMPARE(messages[1].text, QStringLiteral("Injected fault: preimbursementmaster m"));
            QVERIFY(window.isVisible());
        }));
    }

    void keysAreFilteredAsTyped_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("amount: digits and one point, two decimals") << "txtamount" << "-12a.3.45" << "12.34";
        QTest::newRow("amount: emoji") << "txtamount" << QString::fromUcs4(U"\U0001F600") << "";
        QTest::newRow("amount: right-to-left override") << "txtamount" << "\u202E" << "";
        QTest::newRow("remarks: no minus") << "txtremark" << "a-b" << "ab";
    }
    void keysAreFilteredAsTyped() {
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
            for (const char32_t c : typed.toUcs4())
                QTest::sendKeyEvent(QTest::Press, control, Qt::Key_unknown, QString::fromUcs4(&c, 1), Qt::NoModifier);
            auto* edit = qobject_cast<QLineEdit*>(control);
            QCOMPARE(edit ? edit->text() : qobject_cast<QPlainTextEdit*>(control)->toPlainText(), shown);
        }));
    }

    void billLineIsTakenOrRefused_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("billNo");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("shown");  // the refusal; "" when taken
        QTest::addColumn<QString>("added");  // the line after A1's; "" when refused
        for (const char* blank : {" ", "\t", "\u00A0", "\u3000"})
            QTest::addRow("blank bill number U+%04X", QString::fromUtf8(blank).at(0).unicode())
                << "Travel" << blank << "5" << "Enter Bill no" << "";
        QTest::newRow("bill number among blanks") << "Travel" << "\u3000B7\t" << "5" << "" << "2|B7|5.00|r";
        QTest::newRow("bill number taken") << "Travel" << " A1 " << "5" << "Bill Number Already Exists  A1 " << "";
        QTest::newRow("bill number in another case") << "Travel" << "a1" << "5" << "" << "2|a1|5.00|r";
        QTest::newRow("no amount") << "Travel" << "B1" << "" << "Enter Amount" << "";
        QTest::newRow("zero") << "Travel" << "B1" << "0.00" << "Amount cannot be zero" << "";
        // 5000 less RB1's 500 and A1's 100 is left; Food's limit is 0: no balance test.
        QTest::newRow("over the balance") << "Travel" << "B1" << "4400.01" << balanceRefusal << "";
        QTest::newRow("the whole balance") << "Travel" << "B1" << "4400" << "" << "2|B1|4400.00|r";
        for (const QString& amount : {QStringLiteral("6e3"), QString(309, '9'), QStringLiteral("12345678")})
            QTest::addRow("too large: %s", qPrintable(amount.left(12))) << "Food" << "F" << amount << tooLarge(amount) << "";
        QTest::newRow("ten characters") << "Food" << "F" << "9999999.99" << "" << "2|F|9999999.99|r";
        QTest::newRow("more decimals") << "Food" << "F" << "12.3456" << "" << "2|F|12.35|r";
        QTest::newRow("thousands separator") << "Food" << "F" << "1,234.50" << "" << "2|F|1.00|r";
        QTest::newRow("text after the number") << "Food" << "F" << "7abc" << "" << "2|F|7.00|r";
    }
    void billLineIsTakenOrRefused() {
        QFETCH(QString, type);
        QFETCH(QString, billNo);
        QFETCH(QString, amount);
        QFETCH(QString, shown);
        QFETCH(QString, added);
        WindowFixture fixture;
        fixture.openRegister();
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            chooseClaimant(window, type, QStringLiteral("Rupee"));
            addLines(window, {{"A1", "100"}});
            inDetails([&window] { window.mnuadd->trigger(); }, [&](frmReimbursementDetails& details) {
                QCOMPARE(offer(details, billNo, amount, QStringLiteral(" r ")), shown);
            });
            QCOMPARE(listLines(window.lvwdetails).mid(1), added.isEmpty() ? QStringList() : QStringList{added});
        }));
    }

    void linesAreBrowsedEditedAndDeleted() {
        WindowFixture fixture;
        fixture.openRegister();
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            QTreeWidget* list = window.lvwdetails;
            const auto rightClick = [list] { QTest::mouseClick(list->viewport(), Qt::RightButton, {}, QPoint(20, 40)); };
            rightClick();  // no employee yet: no pop-up
            QVERIFY(!QApplication::activePopupWidget());
            chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            rightClick();
            QCOMPARE(QApplication::activePopupWidget(), window.mnufile);
            QVERIFY(window.mnuadd->isEnabled() && !window.mnuedit->isEnabled() && !window.mnudelete->isEnabled());
            window.mnufile->close();
            // Enter on an empty list adds.
            inDetails([list] { QTest::keyClick(list, Qt::Key_Return); }, [](frmReimbursementDetails& details) {
                for (const char* billNo : {"A1", "B1", "C1"})
                    QCOMPARE(offer(details, QLatin1String(billNo), QString::number(100 * (billNo[0] - 'A' + 1))), QString());
                const QList<QPair<QPushButton*, const char*>> steps{
                    {details.cmdFirst, "0011 A1"},    {details.cmdNext, "1111 B1"},     {details.cmdNext, "1100 C1"},
                    {details.cmdPrevious, "1111 B1"}, {details.cmdPrevious, "0011 A1"}, {details.cmdLast, "1100 C1"}};
                for (const auto& [button, expected] : steps) {
                    QTest::mouseClick(button, Qt::LeftButton);
                    QCOMPARE(enabled({details.cmdFirst, details.cmdPrevious, details.cmdNext, details.cmdLast}) + " " +
                                 details.txtbillno->text(),
                             QLatin1String(expected));
                }
                // Still adding: the browsed values meet the duplicate test.
                MessageWatch refusal;
                QTest::mouseClick(details.cmdOk, Qt::LeftButton);
                QCOMPARE(refusal.seen().text, QStringLiteral("Bill Number Already Exists C1"));
            });
            // Editing checks only the increase, steps on to the next line, and skips the blank and duplicate tests.
            list->setCurrentItem(list->topLevelItem(0));
            inDetails([list] { QTest::keyClick(list, Qt::Key_Return); }, [list](frmReimbursementDetails& details) {
                QCOMPARE(details.txtbillno->text(), QStringLiteral("A1"));
                QCOMPARE(offer(details, QStringLiteral("A1"), QStringLiteral("4000.01")), balanceRefusal);
                QCOMPARE(offer(details, QStringLiteral("A1"), QStringLiteral("4000"), QStringLiteral("max")), QString());
                QCOMPARE(list->currentItem(), list->topLevelItem(1));
                QCOMPARE(details.txtamount->text(), QStringLiteral("200.00"));
                QCOMPARE(offer(details, QString(), QStringLiteral("5")), QString());
                QCOMPARE(offer(details, QStringLiteral("A1"), QStringLiteral("30")), QString());
                QVERIFY(!details.isVisible());
            });
            QCOMPARE(listLines(list), QStringList({"1|A1|4000.00|max", "2||5.00|", "3|A1|30.00|"}));
            // Delete asks first; the menu item's state does not stop the key.
            list->setCurrentItem(list->topLevelItem(1));
            window.mnudelete->setEnabled(false);
            MessageWatch answers({QMessageBox::No, QMessageBox::Yes});
            QTest::keyClick(list, Qt::Key_Delete);
            QCOMPARE(list->topLevelItemCount(), 3);
            QTest::keyClick(list, Qt::Key_Delete);
            QCOMPARE(answers[1].text, QStringLiteral("Are you sure you want to delete Details - 5.00"));
            QCOMPARE(listLines(list), QStringList({"1|A1|4000.00|max", "2|A1|30.00|"}));
            QCOMPARE(window.txtamount->text() + "|" + window.txtbalance->text(), QStringLiteral("4030.00|470.00"));
        }));
    }

    void newClaimIsNumberedAndWrittenWithItsLines_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("existing");  // another claim number of the company
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("bill");
        QTest::addColumn<QString>("remarks");
        // XY99 and company 4's RB50 do not count; RB10 is the highest.
        QTest::newRow("prefix RB") << "RB" << "RBX" << "RB11" << "T" << "";
        QTest::newRow("quotes in the prefix and the texts")
            << "R'B" << "R'B7" << "R'B8" << "O'Brien'); DROP TABLE pReimbursedetail; /*" << "50% off 'quoted' \"twice\";";
    }
    void newClaimIsNumberedAndWrittenWithItsLines() {
        QFETCH(QString, prefix);
        QFETCH(QString, existing);
        QFETCH(QString, number);
        QFETCH(QString, bill);
        QFETCH(QString, remarks);
        WindowFixture fixture;
        fixture.db.exec("UPDATE pPrefix SET Prefix = '" + QString(prefix).replace("'", "''") + "' WHERE InterfaceID = 25");
        fixture.addClaim(25, QString(existing).replace("'", "''"), QStringLiteral("2024-03-04"), 2, 1, 1, {5});
        fixture.openRegister();
        const int rowsBefore = fixture.grid().Rows();
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            // Exactly what is left of the limit (5000 less RB1's 500): saved without a question.
            addLines(window, {{bill + "1", "3000"}, {bill + "2", "1400.5"}, {bill + "3", "99.5"}});
            window.txtremark->setPlainText(remarks);
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            QVERIFY(!window.isVisible());
        }));
        // 40, company 4's claim, is the highest ID.
        QCOMPARE(saved(fixture.db, 41), QStringList({"41|" + number + "|15/03/2024|1|2|" +
                                                         (remarks.isEmpty() ? "<null>" : remarks) + "|4500|0|1|1",
                                                     "1|" + bill + "1|3000|", "2|" + bill + "2|1400.5|",
                                                     "3|" + bill + "3|99.5|"}));
        QCOMPARE(fixture.grid().Rows(), rowsBefore + 1);
        QCOMPARE(fixture.grid().Row(), rowsBefore);
        QCOMPARE(fixture.gridRows().last(), QStringLiteral("41|%1|Travel|15/03/2024|Asha|No").arg(number));
    }

    void editedClaimIsRewrittenWithItsLines() {
        WindowFixture fixture;
        // Company 4 numbers its own type 1, currency 1, rule 1, claim 17 and employee 1.
        fixture.db.exec(QStringLiteral(
            "INSERT INTO preimbursementmaster VALUES (1, 'Fuel', 4); INSERT INTO pcurrencymaster VALUES (4, 1, 'Euro', 'E');"
            "INSERT INTO preimeligibilityheader VALUES (1, 4, 1, 1, '2024-01-01', '2024-12-31', 0);"
            "INSERT INTO preimeligibilitydetail VALUES (4, 1, 1, 777);"
            "INSERT INTO pReimburseHeader VALUES (17, 4, 'RB7', '2024-03-01', 1, 1, NULL, 9, 0, NULL, 1, 1);"
            "INSERT INTO pReimbursedetail VALUES (4, 17, 1, 'OTHER', 9, 'company 4')"));
        fixture.openRegister();
        fixture.selectClaim(17);
        fixture.grid().setTextMatrix(fixture.grid().Row(), 2, QStringLiteral("stale"));
        QVERIFY(fixture.onEditClaim(17, [](frmReimbursement& window) {
            QCOMPARE(listLines(window.lvwdetails), QStringList({"1|B-1|300.00|line 1", "2|B-2|200.00|line 2"}));
            QVERIFY(!entries(window.cbotype).contains("Fuel") && !entries(window.cboCurrency).contains("Euro"));
            // A line is edited by a double-click.
            QTreeWidget* list = window.lvwdetails;
            const QPoint line = list->visualItemRect(list->topLevelItem(0)).center();
            inDetails([&] { QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, line); },
                      [](frmReimbursementDetails& details) {
                          QCOMPARE(offer(details, QStringLiteral("B-1"), QStringLiteral("250"), QStringLiteral("one")),
                                   QString());
                      });
            addLines(window, {{"B9", "75"}});
            window.txtremark->clear();
            choose(window.cboapproved, QStringLiteral("Chitra"));
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            QVERIFY(!window.isVisible());
        }));
        QCOMPARE(saved(fixture.db, 17), QStringList({"17|RB1|10/02/2024|1|3||525|0|1|1", "1|B-1|250|one", "2|B-2|200|line 2",
                                                     "3|B9|75|"}));
        // "dd/mm/yyyy" is read day first; company 4's claim 17 and its line are left alone.
        QCOMPARE(fixture.db.rows("select rhcompanyid, rhdate = '2024-02-10', rhTotalAmt, (select group_concat(rdbillno)"
                                 " from pReimbursedetail where rdCompanyId = 4) from pReimburseHeader"
                                 " where rhreimburseid = 17 order by 1"),
                 QStringList({"3|1|525|OTHER", "4|0|9|OTHER"}));
        QCOMPARE(fixture.gridRows().filter(QRegularExpression(QStringLiteral("^17\\|"))),
                 QStringList{QStringLiteral("17|RB1|Travel|10/02/2024|Asha|No")});
    }

    void storedClaimOpensAsItsStateAllows_data() {
        QTest::addColumn<int>("claim");
        QTest::addColumn<QString>("change");
        // OK, frame, date, employee, type, currency, approver enabled|number|date|lists|total|remarks|figures|lines
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("shown");
        const QString asha = QStringLiteral("Asha Bala Travel Rupee");
        // The claim's own lines are left out of what is utilized: 22 and 23 of March 40 and 60, RB1 500.
        QTest::newRow("open") << 17 << "" << "1100001|RB1|10/02/2024|" + asha + "|500.00|claim 17|5000 100 4900|2" << "";
        QTest::newRow("cancelled") << 18 << "" << "0100001|RB9|11/02/2024|" + asha + "|1000.00|claim 18|5000 600 4400|1"
                                   << "";
        // The register's "Yes" alone is enough.
        QTest::newRow("cancelled in the register")
            << 18 << "UPDATE pReimburseHeader SET rhCancelled = 0 WHERE rhreimburseid = 18"
            << "0100001|RB9|11/02/2024|" + asha + "|1000.00|claim 18|5000 600 4400|1" << "";
        QTest::newRow("paid") << 22 << "" << "0000000|RB4|01/03/2024|" + asha + "|40.00|claim 22|5000 560 4440|1"
                              << "Payment done. Can't edit.";
        QTest::newRow("payment cancelled") << 23 << "" << "1100001|RB5|02/03/2024|" + asha + "|60.00|claim 23|5000 540 4460|1"
                                           << "";
        // Esha has no rule: nothing to choose from, nothing computed.
        QTest::newRow("no rule") << 24 << "" << "1100001|RB6|03/03/2024|Esha Bala  |70.00|claim 24|  |1" << "";
        QTest::newRow("no type nor currency")
            << 17 << "UPDATE pReimburseHeader SET rhrtypeid = NULL, rhcurrencyid = NULL, rhremarks = NULL WHERE rhreimburseid = 17"
            << "1100111|RB1|10/02/2024|Asha Bala  |500.00||  |2" << "";
        QTest::newRow("vanished") << 17 << "DELETE FROM pReimburseHeader WHERE rhreimburseid = 17"
                                  << "1101111||15/03/2024|   |||  |0" << "";
    }
    void storedClaimOpensAsItsStateAllows() {
        QFETCH(int, claim);
        QFETCH(QString, change);
        QFETCH(QString, state);
        QFETCH(QString, shown);
        WindowFixture fixture;
        fixture.addClaim(22, QStringLiteral("RB4"), QStringLiteral("2024-03-01"), 1, 1, 1, {40});
        fixture.addClaim(23, QStringLiteral("RB5"), QStringLiteral("2024-03-02"), 1, 1, 1, {60});
        fixture.addClaim(24, QStringLiteral("RB6"), QStringLiteral("2024-03-03"), 5, 1, 1, {70});
        fixture.addPayment(1, 22, 0);
        fixture.addPayment(2, 23, 1);
        fixture.openRegister();
        if (!change.isEmpty())
            fixture.db.exec(change);
        MessageWatch messages;
        QVERIFY(fixture.onEditClaim(claim, [&](frmReimbursement& w) {
            const QStringList lists{w.cboemployee->currentText(), w.cboapproved->currentText(), w.cbotype->currentText(),
                                    w.cboCurrency->currentText()};
            const QStringList figures{w.txtlimit->text(), w.txtutilized->text(), w.txtbalance->text()};
            QCOMPARE(QStringList({enabled({w.cmdOk, w.frareimbursement, w.dtpdate, w.cboemployee, w.cbotype,
                                           w.cboCurrency, w.cboapproved}),
                                  w.txtreimbno->text(), w.dtpdate->text(), lists.join(' '), w.txtamount->text(),
                                  w.txtremark->toPlainText(), figures.join(' '),
                                  QString::number(w.lvwdetails->topLevelItemCount())})
                         .join('|'),
                     state);
        }));
        QCOMPARE(messages.texts(), shown.isEmpty() ? QStringList() : QStringList{shown});
    }

    void failingStatementLeavesNothingHalfDone_data() {
        QTest::addColumn<QString>("when");  // opening or saving a new or a stored claim
        QTest::addColumn<QString>("designations");
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QString>("shown");  // how the message starts
        for (const char* fragment : {"select * from pReimburseHeader", "preimbursementmaster m",
                                     "from pReimbursedetail where", "pPaymentHeader"})
            QTest::addRow("opening stored: %s", fragment) << "open stored" << "2,3" << fragment << "";
        QTest::newRow("opening new: approvers") << "open new" << "2,3" << "eDesigId in" << "";
        // An empty list goes into the statement as it stands; the clerk learns which setting is at fault.
        QTest::newRow("opening new: no sanction designations")
            << "open new" << "" << "eDesigId in ()" << "The approvers could not be listed for the sanction designations \"\": ";
        for (const char* fragment : {"BEGIN TRANSACTION", "SELECT Prefix", "Select isnull(max(convert",
                                     "max(rhreimburseid)", "insert into pReimburseHeader",
                                     "insert into pReimbursedetail", "COMMIT TRANSACTION"})
            QTest::addRow("saving new: %s", fragment) << "save new" << "2,3" << fragment << "";
        for (const char* fragment : {"update pReimburseHeader", "delete from pReimbursedetail",
                                     "insert into pReimbursedetail", "COMMIT TRANSACTION"})
            QTest::addRow("saving stored: %s", fragment) << "save stored" << "2,3" << fragment << "";
    }
    void failingStatementLeavesNothingHalfDone() {
        QFETCH(QString, when);
        QFETCH(QString, designations);
        QFETCH(QString, failing);
        QFETCH(QString, shown);
        WindowFixture fixture;
        fixture.db.exec("UPDATE pSettings SET SanctionDesginations = '" + designations + "'");
        fixture.openRegister();
        const QStringList before = fixture.claimRows();
        const bool saving = when.startsWith("save"), stored = when.endsWith("stored");
        const qint64 logOffset = errorLogSize();
        MessageWatch error;
        const Steps save = [&](frmReimbursement& window) {
            if (!stored)
                chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            addLines(window, {{"N1", "40"}, {"N2", "60"}});
            fixture.db.failStatementsContaining(failing);
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            QVERIFY(window.isVisible() && window.cmdOk->isEnabled());
            QVERIFY(!Context::instance().gAdoCon()->InTransaction());
        };
        if (!saving)
            fixture.db.failStatementsContaining(failing);
        const Steps steps = saving ? save : Steps([](frmReimbursement&) {});
        QCOMPARE(stored ? fixture.onEditClaim(17, steps) : fixture.onNewClaim(steps), saving);
        QVERIFY2(error.seen().text.startsWith(shown) && error.seen().text.contains("Injected fault: " + failing),
                 qPrintable(error.seen().text));
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(!Context::instance().frmReimbursementWindow);
        QCOMPARE(fixture.claimRows(), before);
        const QString end = stored ? QStringLiteral(":tester:CmdEdit_Click :E") : QStringLiteral(":tester:cmdnew_Click :N");
        QVERIFY(saving || !errorLogLinesSince(logOffset).filter("FrmMaster:ZQ5Reimbursement:").filter(end).isEmpty());
    }

    void saveRefusalsComeInOrderAndWriteNothing() {
        WindowFixture fixture;
        fixture.addClaim(24, QStringLiteral("RB6"), QStringLiteral("2024-03-03"), 5, 1, 1, {70});
        fixture.openRegister();
        const QStringList before = fixture.claimRows();
        // Presses OK with the answers given; the messages shown.
        const auto save = [](frmReimbursement& window, QMessageBox::StandardButton answer = QMessageBox::Ok) {
            MessageWatch messages(answer);
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            return messages.texts();
        };
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            const QList<std::tuple<QComboBox*, const char*, const char*>> steps{
                {window.cboemployee, "Select Employee", "Asha"},
                {window.cboapproved, "Select Aproved Person", "Bala"},
                {window.cbotype, "Select Type", "Food"},
                {window.cboCurrency, "Select currency symbol", "Rupee"}};
            for (const auto& [list, message, choice] : steps) {
                QCOMPARE(save(window), QStringList{message});
                QCOMPARE(window.focusWidget(), list);
                choose(list, QLatin1String(choice));
            }
            // A total too long to store, as the lines add up or as pasted, is refused before anything else.
            addLines(window, {{"F1", "6000000"}, {"F2", "6000000"}});
            QCOMPARE(save(window), QStringList{tooLarge(QStringLiteral("12000000.00"))});
            window.txtamount->setText(QStringLiteral("6e3"));
            QCOMPARE(save(window), QStringList{tooLarge(QStringLiteral("6e3"))});
            QCOMPARE(window.txtreimbno->text(), QString());
            window.txtamount->setText(QStringLiteral("6000000"));
            // Over the limit (Food's is 0) asks first, without the write lock: another workstation can write
            // meanwhile. No keeps the window and writes nothing.
            long otherWrite = -1;
            OnMessageShown meanwhile([&] {
                adodb::Connection other;
                other.Open(fixture.db.connectionString() + QStringLiteral(";Busy Timeout=50"));
                otherWrite = errorNumberOf([&] { other.Execute(QStringLiteral("UPDATE pSettings SET NoOfPreviousDays = 1")); });
            });
            QCOMPARE(save(window, QMessageBox::No),
                     QStringList{"Total Amount is greater than reimbursement limit. Do you want to continue?"});
            QCOMPARE(otherWrite, 0L);
            QVERIFY(window.isVisible() && window.cmdOk->isEnabled());
            QCOMPARE(window.focusWidget(), window.lvwdetails);
            QCOMPARE(window.txtreimbno->text(), QStringLiteral("RB11"));
        }));
        // A locked list without a selection is named but cannot take the focus.
        QVERIFY(fixture.onEditClaim(24, [&](frmReimbursement& window) {
            QCOMPARE(save(window), QStringList{"Select Type"});
            QVERIFY(window.focusWidget() != window.cbotype);
        }));
        QCOMPARE(fixture.claimRows(), before);
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
        // Closes with the answers given; what was asked, and whether the window stayed.
        SeenMessage asked;
        const auto close = [way, &asked](frmReimbursement& window, QList<QMessageBox::StandardButton> answers) {
            MessageWatch messages(answers);
            if (way == 0)
                QTest::mouseClick(window.cmdCancel, Qt::LeftButton);
            else if (way == 1)
                QTest::keyClick(&window, Qt::Key_Escape);
            else
                window.close();
            asked = messages.seen();
            return messages.texts().join('|') + (window.isVisible() ? " (open)" : "");
        };
        // Nothing to save: the date is not part of the recorded state, a loaded claim is the unchanged state,
        // a cancelled claim cannot be saved whatever was changed.
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            window.dtpdate->setDate(QDate(2024, 3, 1));
            QCOMPARE(close(window, {QMessageBox::No}), QString());
        }));
        QVERIFY(fixture.onEditClaim(17, [&](frmReimbursement& window) { QCOMPARE(close(window, {}), QString()); }));
        QVERIFY(fixture.onEditClaim(18, [&](frmReimbursement& window) {
            window.txtremark->setPlainText(QStringLiteral("changed"));
            QCOMPARE(close(window, {QMessageBox::No}), QString());
        }));
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            // A refused bill line still counts as a change.
            inDetails([&window] { QTest::keyClick(window.lvwdetails, Qt::Key_Return); },
                      [](frmReimbursementDetails& details) {
                          QCOMPARE(offer(details, QStringLiteral("X1"), QString()), QStringLiteral("Enter Amount"));
                      });
            QCOMPARE(close(window, {QMessageBox::No}), QStringLiteral("Save Changes?"));
            QCOMPARE(asked.defaultButton, QMessageBox::No);
        }));
        QCOMPARE(fixture.claimRows(), before);
        // Yes on an incomplete claim shows the refusal and keeps the window; Yes on a complete one saves it.
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            window.txtremark->setPlainText(QStringLiteral("to do"));
            QCOMPARE(close(window, {QMessageBox::Yes, QMessageBox::Ok}),
                     QStringLiteral("Save Changes?|Select Employee (open)"));
            chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            QCOMPARE(close(window, {QMessageBox::Yes}), QStringLiteral("Save Changes?"));
        }));
        QCOMPARE(saved(fixture.db, 41).value(0).section('|', 5, 5), QStringLiteral("to do"));
    }

    void failedCancellationLetsTheClerkLeave_data() {
        QTest::addColumn<QString>("fault");  // "" moves the file away
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("logged");
        QTest::newRow("file moved away") << "" << "the database file cannot be written" << "attempt to write a readonly database";
        QTest::newRow("column dropped") << "ALTER TABLE pReimburseHeader DROP COLUMN rhcancelledremarks"
                                        << "the database lacks a table or column" << "no such column";
    }
    void failedCancellationLetsTheClerkLeave() {
        QFETCH(QString, fault);
        QFETCH(QString, shown);
        QFETCH(QString, logged);
        WindowFixture fixture;
        fixture.openRegister();
        const qint64 logOffset = errorLogSize();
        const QString moved = fixture.db.path() + QStringLiteral(".moved");
        QStringList errors;
        QVERIFY(fixture.onCancelClaim(17, [&](frmcancell& window) {
            MessageWatch watch;
            if (fault.isEmpty())
                QFile::rename(fixture.db.path(), moved);
            else
                fixture.db.exec(fault);
            QTest::keyClicks(window.txtreason, QStringLiteral("Wrong employee"));
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            window.close();
            errors = watch.texts();
        }));
        QFile::rename(moved, fixture.db.path());
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].startsWith("The claim could not be cancelled: " + shown), qPrintable(errors[0]));
        QVERIFY(!errorLogLinesSince(logOffset).filter(logged).isEmpty());
        QCOMPARE(fixture.db.scalar("select rhCancelled from pReimburseHeader where rhcompanyid = 3 and rhreimburseid = 17"),
                 QStringLiteral("0"));
    }

    void logOfABusyDatabaseDoesNotWaitForItAgain() {
        WindowFixture fixture;
        fixture.openRegister();
        WriteErrorLog("frmcancell", 5, "p", QString(), 0, QString(), QString(), false);  // the user's name, read once
        fixture.db.clearStatements();
        const qint64 logOffset = errorLogSize();
        MessageWatch shown;
        WriteErrorLog("frmcancell", 5, "Cmdok_Click ", "E", 5, "SQLite", "database is locked", true);
        QCOMPARE(fixture.db.statements(), QStringList());
        // Other programs may log at the same time; this line is told apart by its text.
        const QString line = errorLogLinesSince(logOffset).filter(":SQLite:database is locked:").value(0);
        QVERIFY2(line.endsWith(":tester:Cmdok_Click :E"), qPrintable(line));
        QVERIFY(shown.seen().text.startsWith("The claim could not be cancelled: another workstation is using the database."));
    }

    void simultaneousSavesGetDistinctNumbersAndIds() {
        WindowFixture fixture;
        std::vector<std::unique_ptr<QProcess>> savers;
        for (const QString name : {"P0", "P1", "P2"}) {
            savers.push_back(std::make_unique<QProcess>());
            savers.back()->start(QCoreApplication::applicationFilePath(), {"--save", fixture.db.path(), name});
        }
        for (auto& saver : savers)
            QVERIFY(saver->waitForReadyRead(120000) && saver->readLine() == "ready\n");
        // Holding the write lock until every saver has pressed OK makes their saves overlap.
        fixture.db.connection()->BeginTrans();
        fixture.db.connection()->Execute(QStringLiteral("UPDATE pSettings SET NoOfPreviousDays = 0"));
        for (auto& saver : savers)
            saver->write("go\n");
        for (auto& saver : savers)
            QVERIFY(saver->waitForReadyRead(60000) && saver->readLine() == "pressed\n");
        fixture.db.connection()->CommitTrans();
        for (auto& saver : savers)
            QVERIFY2(saver->waitForFinished(60000) && saver->exitCode() == 0, saver->readAllStandardError().constData());
        // Each line sits under the header its saver wrote.
        QCOMPARE(fixture.db.rows(QStringLiteral(
                     "select h.rhreimburseid, h.rhreimburseno, h.rhremarks = d.rdbillno from pReimburseHeader h"
                     " join pReimbursedetail d on d.rdCompanyId = h.rhcompanyid and d.rdreimburseid = h.rhreimburseid"
                     " where h.rhreimburseid > 40 order by 1")),
                 QStringList({"41|RB11|1", "42|RB12|1", "43|RB13|1"}));
        QCOMPARE(fixture.db.rows(QStringLiteral("select rhremarks from pReimburseHeader where rhreimburseid > 40 order by 1")),
                 QStringList({"P0", "P1", "P2"}));
    }
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments.at(1) == QLatin1String("--save"))
        return saveOneClaim(arguments.at(2), arguments.at(3));
    ClaimTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_claim.moc"
