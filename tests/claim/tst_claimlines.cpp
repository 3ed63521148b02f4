// The claim window's bill lines list: its keys, its pop-up menu and the
// delete question.
#include "claimfixture.h"

#include "billline/frmreimbursementdetails.h"
#include "claim/frmreimbursement.h"
#include "shell/context.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace ZQ5Reimbursement;

namespace {

// What the bill line window showed when the list opened it.
struct Opened {
    QString mode;
    QString billNo, amount;
    bool first = false, previous = false, next = false, last = false;
};

Opened openFromList(const std::function<void()>& trigger) {
    Opened seen;
    duringModal(
        QStringLiteral("frmReimbursementDetails"),
        [&seen](QWidget* dialog) {
            auto* details = qobject_cast<frmReimbursementDetails*>(dialog);
            seen = {Context::instance().strDetailMode, details->txtbillno->text(), details->txtamount->text(),
                    details->cmdFirst->isEnabled(), details->cmdPrevious->isEnabled(), details->cmdNext->isEnabled(),
                    details->cmdLast->isEnabled()};
            QTest::mouseClick(details->cmdCancel, Qt::LeftButton);
        },
        trigger);
    return seen;
}

void rightClick(QTreeWidget* list) {
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, QPoint(20, 40));
}

}  // namespace

class ClaimLinesTest : public QObject {
    Q_OBJECT

private slots:
    void enterAddsToAnEmptyListAndEditsAFilledOne() {
        QVERIFY(onNewClaimInFreshRegister([](frmReimbursement& window) {
            QTreeWidget* list = window.lvwdetails;
            // No employee yet: the pop-up stays away, Enter still opens the window.
            rightClick(list);
            QVERIFY(!QApplication::activePopupWidget());
            Opened add = openFromList([list] { QTest::keyClick(list, Qt::Key_Return); });
            QCOMPARE(add.mode, QStringLiteral("A"));
            QVERIFY(!add.first && !add.previous && !add.next && !add.last);

            chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            addLines(window, {{"A1", "100"}, {"B1", "200"}});
            list->setCurrentItem(list->topLevelItem(1));
            Opened edit = openFromList([list] { QTest::keyClick(list, Qt::Key_Return); });
            QCOMPARE(edit.mode, QStringLiteral("E"));
            QCOMPARE(edit.billNo, QStringLiteral("B1"));
            QCOMPARE(edit.amount, QStringLiteral("200.00"));

            // Adding from the menu to a filled list: only First is left to browse with.
            Opened menuAdd = openFromList([&window] { window.mnuadd->trigger(); });
            QVERIFY(menuAdd.first && !menuAdd.previous && !menuAdd.next && !menuAdd.last);
        }));
    }

    void popUpMenuFollowsTheEmployeeAndTheLines() {
        QVERIFY(onNewClaimInFreshRegister([](frmReimbursement& window) {
            QTreeWidget* list = window.lvwdetails;
            choose(window.cboemployee, QStringLiteral("Asha"));
            rightClick(list);
            QCOMPARE(QApplication::activePopupWidget(), window.mnufile);
            QVERIFY(window.mnuadd->isEnabled());
            QVERIFY(!window.mnuedit->isEnabled());
            QVERIFY(!window.mnudelete->isEnabled());
            window.mnufile->close();

            choose(window.cbotype, QStringLiteral("Travel"));
            choose(window.cboCurrency, QStringLiteral("Rupee"));
            addLines(window, {{"A1", "100"}});
            rightClick(list);
            QVERIFY(window.mnuedit->isEnabled());
            QVERIFY(window.mnudelete->isEnabled());
            window.mnufile->close();
        }));
    }

    void deleteAsksByAmountAndRecomputesTheTotal() {
        QVERIFY(onNewClaimInFreshRegister([](frmReimbursement& window) {
            QTreeWidget* list = window.lvwdetails;
            chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            addLines(window, {{"A1", "100"}, {"B1", "200"}, {"C1", "300"}});
            QCOMPARE(window.txtbalance->text(), QStringLiteral("3900.00"));
            // The menu item's state from a right-click on an empty list does not stop the key.
            window.mnudelete->setEnabled(false);

            list->setCurrentItem(list->topLevelItem(1));
            const auto no = answerNextMessageBox(QMessageBox::No);
            QTest::keyClick(list, Qt::Key_Delete);
            QCOMPARE(no->text, QStringLiteral("Are you sure you want to delete Details - 200.00"));
            QCOMPARE(no->icon, QMessageBox::Question);
            QCOMPARE(no->buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(no->title, QApplication::applicationDisplayName());
            QCOMPARE(list->topLevelItemCount(), 3);

            const auto yes = answerNextMessageBox(QMessageBox::Yes);
            QTest::keyClick(list, Qt::Key_Delete);
            QVERIFY(yes->shown);
            QCOMPARE(list->topLevelItemCount(), 2);
            QCOMPARE(list->topLevelItem(1)->text(0) + list->topLevelItem(1)->text(1), QStringLiteral("2C1"));
            QCOMPARE(window.txtamount->text(), QStringLiteral("400.00"));
            QCOMPARE(window.txtbalance->text(), QStringLiteral("4100.00"));

            for (int remaining = 2; remaining > 0; --remaining) {
                list->setCurrentItem(list->topLevelItem(0));
                answerNextMessageBox(QMessageBox::Yes);
                QTest::keyClick(list, Qt::Key_Delete);
            }
            QCOMPARE(list->topLevelItemCount(), 0);
            QCOMPARE(window.txtamount->text(), QStringLiteral("0.00"));
            QCOMPARE(window.txtbalance->text(), QStringLiteral("4500.00"));
        }));
    }
};

QTEST_MAIN(ClaimLinesTest)
#include "tst_claimlines.moc"
