// The bill line window as the claim window opens it: its controls, the
// checks of a line being added or edited, and browsing the claim's lines.
#include "../claim/claimfixture.h"

#include "billline/frmreimbursementdetails.h"
#include "claim/frmreimbursement.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace ZQ5Reimbursement;

namespace {

// Types a line and presses OK; returns the refusal shown, if any.
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

}  // namespace

class BillLineTest : public QObject {
    Q_OBJECT

private slots:
    void controlsAndTabOrder() {
        QVERIFY(onNewClaimInFreshRegister([](frmReimbursement& window) {
            inDetails([&window] { window.mnuadd->trigger(); }, [](frmReimbursementDetails& details) {
                QCOMPARE(details.windowTitle(), QStringLiteral("Re-imbursement Details"));
                for (QLineEdit* field : {details.txtbillno, details.txtamount, details.txtremarks})
                    QCOMPARE(field->parentWidget(), details.fraDetails);
                QCOMPARE(details.lblbillno->text(), QStringLiteral("Bill No."));
                QCOMPARE(details.lblamount->text(), QStringLiteral("Amount:"));
                QCOMPARE(details.lblremarks->text(), QStringLiteral("Remarks:"));
                QCOMPARE(details.cmdOk->text(), QStringLiteral("&Ok"));
                QCOMPARE(details.cmdCancel->text(), QStringLiteral("&Close"));
                QList<QPushButton*> browse{details.cmdFirst, details.cmdPrevious, details.cmdNext, details.cmdLast};
                for (int i = 0; i < browse.size(); ++i) {
                    QVERIFY(browse[i]->text().isEmpty());
                    QVERIFY(!browse[i]->icon().isNull());
                    QVERIFY(!browse[i]->isEnabled());
                    if (i > 0)
                        QCOMPARE(browse[i]->y(), browse[i - 1]->y());
                    if (i > 0)
                        QVERIFY(browse[i]->x() > browse[i - 1]->x());
                }
                QWidget* focus = details.txtbillno;
                QStringList order{focus->objectName()};
                while ((focus = focus->nextInFocusChain()) != details.txtbillno)
                    if (qobject_cast<QLineEdit*>(focus) || qobject_cast<QPushButton*>(focus))
                        order << focus->objectName();
                QCOMPARE(order, QStringList({"txtbillno", "txtamount", "txtremarks", "cmdOk", "cmdCancel", "cmdFirst",
                                             "cmdPrevious", "cmdNext", "cmdLast"}));
            });
        }));
    }

    void addedLinesAreCheckedAndAppended() {
        QVERIFY(onNewClaimInFreshRegister([](frmReimbursement& window) {
            chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            inDetails([&window] { window.mnuadd->trigger(); }, [&window](frmReimbursementDetails& details) {
                QCOMPARE(offer(details, QStringLiteral("  "), QStringLiteral("5")), QStringLiteral("Enter Bill no"));
                QCOMPARE(details.focusWidget(), details.txtbillno);
                // Marked changed though refused.
                QVERIFY(window.blnDetailChanged);
                QCOMPARE(offer(details, QStringLiteral("A1"), QString()), QStringLiteral("Enter Amount"));
                QCOMPARE(offer(details, QStringLiteral("A1"), QStringLiteral("0.00")),
                         QStringLiteral("Amount cannot be zero"));
                QCOMPARE(details.focusWidget(), details.txtamount);
                // 5000 less RB1's 500 is left.
                QCOMPARE(offer(details, QStringLiteral("A1"), QStringLiteral("4500.01")),
                         QStringLiteral("Amount shoud be less than or equal to balance amount"));
                QCOMPARE(details.focusWidget(), details.txtamount);

                QCOMPARE(offer(details, QStringLiteral("A1"), QStringLiteral("100.5"), QStringLiteral(" first ")),
                         QString());
                QVERIFY(details.isVisible());
                QVERIFY(details.txtbillno->text().isEmpty() && details.txtamount->text().isEmpty());
                QCOMPARE(details.focusWidget(), details.txtbillno);
                // One line before this OK is what enables browsing.
                QVERIFY(!details.cmdFirst->isEnabled());
                QCOMPARE(offer(details, QStringLiteral("a1"), QStringLiteral("10")), QString());
                QVERIFY(details.cmdFirst->isEnabled() && details.cmdLast->isEnabled());

                QCOMPARE(offer(details, QStringLiteral(" A1 "), QStringLiteral("10")),
                         QStringLiteral("Bill Number Already Exists  A1 "));
                QCOMPARE(details.focusWidget(), details.txtbillno);
            });
            QCOMPARE(listLines(window.lvwdetails), QStringList({"1|A1|100.50|first", "2|a1|10.00|"}));
            QCOMPARE(window.txtamount->text(), QStringLiteral("110.50"));
            QCOMPARE(window.txtbalance->text(), QStringLiteral("4389.50"));
        }));
    }

    void editedLinesStepOnAndCheckOnlyTheIncrease() {
        QVERIFY(onNewClaimInFreshRegister([](frmReimbursement& window) {
            chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            addLines(window, {{"A1", "100"}, {"B1", "200"}, {"C1", "300"}});
            window.lvwdetails->setCurrentItem(window.lvwdetails->topLevelItem(0));
            QPointer<frmReimbursementDetails> opened;
            inDetails([&window] { window.mnuedit->trigger(); }, [&](frmReimbursementDetails& details) {
                opened = &details;
                QCOMPARE(details.txtbillno->text(), QStringLiteral("A1"));
                // 3900 is left; raising 100 to 4000.01 asks 3900.01 more.
                QCOMPARE(offer(details, QStringLiteral("A1"), QStringLiteral("4000.01")),
                         QStringLiteral("Amount shoud be less than or equal to balance amount"));
                QCOMPARE(offer(details, QStringLiteral("A1"), QStringLiteral("0")),
                         QStringLiteral("Amount cannot be zero"));
                QCOMPARE(offer(details, QStringLiteral("A1"), QStringLiteral("4000"), QStringLiteral("max")), QString());
                // The next line comes up for editing.
                QCOMPARE(window.lvwdetails->currentItem(), window.lvwdetails->topLevelItem(1));
                QCOMPARE(details.txtbillno->text(), QStringLiteral("B1"));
                QCOMPARE(details.txtamount->text(), QStringLiteral("200.00"));
                // No blank or duplicate test when editing.
                QCOMPARE(offer(details, QString(), QStringLiteral("150")), QString());
                QCOMPARE(offer(details, QStringLiteral("A1"), QStringLiteral("300")), QString());
                QVERIFY(!details.isVisible());
            });
            QCOMPARE(listLines(window.lvwdetails), QStringList({"1|A1|4000.00|max", "2||150.00|", "3|A1|300.00|"}));
            QCOMPARE(window.txtbalance->text(), QStringLiteral("50.00"));
        }));
    }

    void browsingShowsTheClaimsLines() {
        QVERIFY(onNewClaimInFreshRegister([](frmReimbursement& window) {
            chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            addLines(window, {{"A1", "100"}, {"B1", "200"}, {"C1", "300"}});
            inDetails([&window] { window.mnuadd->trigger(); }, [&window](frmReimbursementDetails& details) {
                const auto state = [&details] {
                    return QString::number(details.cmdFirst->isEnabled()) + QString::number(details.cmdPrevious->isEnabled()) +
                           QString::number(details.cmdNext->isEnabled()) + QString::number(details.cmdLast->isEnabled()) +
                           QLatin1Char(' ') + details.txtbillno->text();
                };
                QCOMPARE(state(), QStringLiteral("1000 "));
                const QList<QPair<QPushButton*, const char*>> steps{
                    {details.cmdFirst, "0011 A1"},    {details.cmdNext, "1111 B1"}, {details.cmdNext, "1100 C1"},
                    {details.cmdPrevious, "1111 B1"}, {details.cmdPrevious, "0011 A1"}, {details.cmdLast, "1100 C1"}};
                for (const auto& [button, expected] : steps) {
                    QTest::mouseClick(button, Qt::LeftButton);
                    QCOMPARE(state(), QLatin1String(expected));
                }
                QCOMPARE(details.txtamount->text(), QStringLiteral("300.00"));
                QCOMPARE(window.lvwdetails->currentItem(), window.lvwdetails->topLevelItem(2));
                // Still adding: the browsed values meet the duplicate test.
                const auto refusal = answerNextMessageBox();
                QTest::mouseClick(details.cmdOk, Qt::LeftButton);
                QCOMPARE(refusal->text, QStringLiteral("Bill Number Already Exists C1"));

                QTest::mouseClick(details.cmdCancel, Qt::LeftButton);
                QVERIFY(!details.isVisible());
                QCOMPARE(window.focusWidget(), window.cmdOk);
            });
        }));
    }
};

QTEST_MAIN(BillLineTest)
#include "tst_billline.moc"
