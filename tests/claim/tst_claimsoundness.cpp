// Hostile input and a troubled database as a clerk meets them: amounts,
// blanks, companies sharing IDs, locks, failures and what the clerk is told.
#include "windowfixture.h"

#include "billline/frmreimbursementdetails.h"
#include "cancel/frmcancell.h"
#include "claim/claimstatements.h"
#include "claim/frmreimbursement.h"
#include "shell/basreimbursement.h"
#include "shell/context.h"
#include "testhelpers.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace ZQ5Reimbursement;

namespace {

// Runs `steps` in the bill line window of a new Food claim of Asha (limit 0: no balance test).
void onFoodLine(WindowFixture& fixture, const std::function<void(frmReimbursement&, frmReimbursementDetails&)>& steps) {
    QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
        chooseClaimant(window, QStringLiteral("Food"), QStringLiteral("Rupee"));
        duringModal(
            QStringLiteral("frmReimbursementDetails"),
            [&](QWidget* dialog) { steps(window, *qobject_cast<frmReimbursementDetails*>(dialog)); },
            [&window] { window.mnuadd->trigger(); });
    }));
}

// Runs `act` once, before anyone answers it, when a message box comes up.
class OnMessageShown : public QObject {
    std::function<void()> act_;

public:
    explicit OnMessageShown(std::function<void()> act) : act_(std::move(act)) { QCoreApplication::instance()->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (act_ && event->type() == QEvent::Show && qobject_cast<QMessageBox*>(watched))
            std::exchange(act_, nullptr)();
        return false;
    }
};

}  // namespace

class ClaimSoundnessTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { closeAllWindows(); }

    void amountIsCheckedAsItIsWritten_data() {
        QTest::addColumn<bool>("total");  // pasted into the claim's total, else into a bill line
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("stored");  // "" when refused as too large
        for (const bool total : {false, true}) {
            const char* where = total ? "total" : "line";
            QTest::addRow("%s exponent", where) << total << "6e3" << "";
            QTest::addRow("%s exponent out of range", where) << total << "1e308" << "";
            QTest::addRow("%s 309 nines", where) << total << QString(309, '9') << "";
            QTest::addRow("%s 400 nines", where) << total << QString(400, '9') << "";
            QTest::addRow("%s eleven characters", where) << total << "12345678" << "";
            QTest::addRow("%s ten characters", where) << total << "9999999.99" << "9999999.99";
        }
        QTest::newRow("total with text after the number") << true << "650abc" << "650";
    }
    void amountIsCheckedAsItIsWritten() {
        QFETCH(bool, total);
        QFETCH(QString, amount);
        QFETCH(QString, stored);
        WindowFixture fixture;
        fixture.openRegister();
        const QStringList before = fixture.claimRows();
        MessageWatch messages(QMessageBox::Yes);
        if (total) {
            QVERIFY(fixture.onEditClaim(17, [&](frmReimbursement& window) {
                window.txtamount->setText(amount);
                QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            }));
        } else {
            onFoodLine(fixture, [&](frmReimbursement& window, frmReimbursementDetails& details) {
                QTest::keyClicks(details.txtbillno, QStringLiteral("F1"));
                details.txtamount->setText(amount);
                QTest::mouseClick(details.cmdOk, Qt::LeftButton);
                QTest::mouseClick(details.cmdCancel, Qt::LeftButton);
                if (!stored.isEmpty())
                    QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            });
        }
        if (stored.isEmpty()) {
            QCOMPARE(messages.seen().text, "The amount " + amount +
                                               " is too large to be saved: an amount may have at most 10 characters.");
            QCOMPARE(fixture.claimRows(), before);
        } else {
            QCOMPARE(fixture.db.scalar(QStringLiteral("select rhTotalAmt from pReimburseHeader where rhcompanyid = 3"
                                                      " and rhreimburseid = %1").arg(total ? 17 : 41)),
                     stored);
        }
    }

    void blankIsBlankAndNumbersTakeNoOtherCharacter_data() {
        QTest::addColumn<bool>("key");  // typed as one key into the amount, else pasted as bill number
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");  // the bill number or amount kept; "" when refused
        QTest::newRow("tab") << false << "\t" << "";
        QTest::newRow("no-break space") << false << "\u00A0" << "";
        QTest::newRow("ideographic space") << false << "\u3000" << "";
        QTest::newRow("bill number among blanks") << false << "\u3000B7\t" << "B7";
        QTest::newRow("emoji") << true << QString::fromUcs4(U"\U0001F600") << "";
        QTest::newRow("right-to-left override") << true << "\u202E" << "";
        QTest::newRow("digit") << true << "7" << "7";
    }
    void blankIsBlankAndNumbersTakeNoOtherCharacter() {
        QFETCH(bool, key);
        QFETCH(QString, text);
        QFETCH(QString, kept);
        WindowFixture fixture;
        fixture.openRegister();
        onFoodLine(fixture, [&](frmReimbursement& window, frmReimbursementDetails& details) {
            if (key) {
                QTest::sendKeyEvent(QTest::Press, details.txtamount, Qt::Key_unknown, text, Qt::NoModifier);
                QCOMPARE(details.txtamount->text(), kept);
            } else {
                details.txtbillno->setText(text);
                QTest::keyClicks(details.txtamount, QStringLiteral("5"));
                MessageWatch refusal;
                QTest::mouseClick(details.cmdOk, Qt::LeftButton);
                QCOMPARE(refusal.texts(), kept.isEmpty() ? QStringList{"Enter Bill no"} : QStringList());
                QCOMPARE(listLines(window.lvwdetails), kept.isEmpty() ? QStringList() : QStringList{"1|" + kept + "|5.00|"});
            }
            QTest::mouseClick(details.cmdCancel, Qt::LeftButton);
        });
    }

    void companiesSharingIdsStayApart() {
        WindowFixture fixture;
        // Company 4 numbers its own type 1, claim 17 and employee 1.
        fixture.db.exec(QStringLiteral(
            "INSERT INTO preimbursementmaster VALUES (1, 'Fuel', 4); INSERT INTO pcurrencymaster VALUES (4, 1, 'Euro', 'E');"
            "INSERT INTO preimeligibilityheader VALUES (1, 4, 1, 1, '2024-01-01', '2024-12-31', 0);"
            "INSERT INTO preimeligibilitydetail VALUES (4, 1, 1, 777);"
            "INSERT INTO pReimburseHeader VALUES (17, 4, 'RB7', '2024-03-01', 1, 1, NULL, 9, 0, NULL, 1, 1);"
            "INSERT INTO pReimbursedetail VALUES (4, 17, 1, 'OTHER', 9, 'company 4')"));
        fixture.openRegister();
        QCOMPARE(fixture.gridRows().filter(QRegularExpression(QStringLiteral("^17\\|"))),
                 QStringList{QStringLiteral("17|RB1|Travel|10/02/2024|Asha|No")});
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            choose(window.cboemployee, QStringLiteral("Asha"));
            QVERIFY(!entries(window.cbotype).contains(QStringLiteral("Fuel")));
            choose(window.cbotype, QStringLiteral("Travel"));
            QVERIFY(!entries(window.cboCurrency).contains(QStringLiteral("Euro")));
        }));
        QCOMPARE(fixture.db.rows(limitStatement(Context::instance().tables, 1, 1, WindowFixture::processDate, 3)),
                 QStringList{QStringLiteral("5000|Rs")});
        QVERIFY(fixture.onEditClaim(17, [&](frmReimbursement& window) {
            QCOMPARE(listLines(window.lvwdetails), QStringList({"1|B-1|300.00|line 1", "2|B-2|200.00|line 2"}));
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
        }));
        QCOMPARE(fixture.db.rows(QStringLiteral("select rdCompanyId, rdbillno from pReimbursedetail"
                                                " where rdreimburseid = 17 order by 1, 2")),
                 QStringList({"3|B-1", "3|B-2", "4|OTHER"}));
    }

    void limitQuestionWaitsWithoutTheWriteLock() {
        WindowFixture fixture;
        fixture.openRegister();
        QString otherWorkstation;
        OnMessageShown meanwhile([&] {
            adodb::Connection other;
            other.Open(fixture.db.connectionString() + QStringLiteral(";Busy Timeout=50"));
            try {
                adodb::Transaction save(other);
                other.Execute("INSERT INTO pReimburseHeader (rhreimburseid, rhcompanyid, rhreimburseno) VALUES (41, 3, 'RB11')");
                save.commit();
                otherWorkstation = QStringLiteral("saved");
            } catch (const adodb::Error& error) {
                otherWorkstation = error.Description();
            }
        });
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            chooseClaimant(window, QStringLiteral("Food"), QStringLiteral("Rupee"));
            addLines(window, {{"F1", "50"}});
            MessageWatch yes(QMessageBox::Yes);
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            QVERIFY(yes.seen().text.startsWith(QStringLiteral("Total Amount is greater than reimbursement limit.")));
        }));
        QCOMPARE(otherWorkstation, QStringLiteral("saved"));
        // The number shown before the question is read again under the lock.
        QCOMPARE(fixture.db.rows(QStringLiteral("select rhreimburseid, rhreimburseno from pReimburseHeader"
                                                " where rhreimburseid > 40 order by 1")),
                 QStringList({"41|RB11", "42|RB12"}));
    }

    void failedCancellationLetsTheClerkLeave_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("logged");
        QTest::newRow("file moved away") << "" << "the database file cannot be written"
                                         << "attempt to write a readonly database";
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
        std::unique_ptr<MessageWatch> errors;
        QVERIFY(fixture.onCancelClaim(17, [&](frmcancell& window) {
            errors = std::make_unique<MessageWatch>();
            if (fault.isEmpty())
                QFile::rename(fixture.db.path(), moved);
            else
                fixture.db.exec(fault);
            QTest::keyClicks(window.txtreason, QStringLiteral("Wrong employee"));
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            window.close();
        }));
        QFile::rename(moved, fixture.db.path());
        QCOMPARE(errors->count(), 1);
        QVERIFY2(errors->seen().text.startsWith("The claim could not be cancelled: " + shown), qPrintable(errors->seen().text));
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
        const QString line = errorLogLinesSince(logOffset).value(0);
        QVERIFY2(line.contains(":SQLite:database is locked:") && line.endsWith(":tester:Cmdok_Click :E"), qPrintable(line));
        QCOMPARE(shown.seen().text, QStringLiteral("The claim could not be cancelled: another workstation is using"
                                                   " the database. Wait a moment and try again."));
    }
};

QTEST_MAIN(ClaimSoundnessTest)
#include "tst_claimsoundness.moc"
