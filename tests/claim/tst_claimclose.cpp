// Closing the claim window: every way of closing offers unsaved changes for
// saving, and a window with nothing to save closes without a question.
#include "claimfixture.h"

#include "billline/frmreimbursementdetails.h"
#include "claim/frmreimbursement.h"
#include "register/frmmaster.h"
#include "shell/context.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace ZQ5Reimbursement;

namespace {

// The ways a person closes the window.
void closeByButton(frmReimbursement& window) { QTest::mouseClick(window.cmdCancel, Qt::LeftButton); }
void closeByEscape(frmReimbursement& window) { QTest::keyClick(&window, Qt::Key_Escape); }
void closeByCloseBox(frmReimbursement& window) { window.close(); }

}  // namespace

class ClaimCloseTest : public QObject {
    Q_OBJECT

private slots:
    void nothingToSaveClosesSilently() {
        ClaimFixture fixture;
        fixture.openRegister();
        MessageWatch none;
        QVERIFY(fixture.onNewClaim([](frmReimbursement& window) {
            QCOMPARE(window.dtpdate->date(), ClaimFixture::processDate);
            closeByButton(window);
            QVERIFY(!window.isVisible());
        }));
        // The date picker is not part of the recorded state.
        QVERIFY(fixture.onNewClaim([](frmReimbursement& window) {
            window.dtpdate->setDate(QDate(2024, 3, 1));
            closeByEscape(window);
            QVERIFY(!window.isVisible());
        }));
        // A loaded claim is the unchanged state.
        QVERIFY(fixture.onEditClaim(17, [](frmReimbursement& window) {
            closeByCloseBox(window);
            QVERIFY(!window.isVisible());
        }));
        // A cancelled claim cannot be saved, whatever was changed.
        QVERIFY(fixture.onEditClaim(18, [](frmReimbursement& window) {
            window.txtremark->setPlainText(QStringLiteral("changed"));
            closeByButton(window);
            QVERIFY(!window.isVisible());
        }));
        QVERIFY(!none.seen().shown);
    }

    void changesAreOfferedForSavingWhicheverWayTheWindowCloses_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("Close button") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("close box") << 2;
    }

    void changesAreOfferedForSavingWhicheverWayTheWindowCloses() {
        QFETCH(int, way);
        const std::function<void(frmReimbursement&)> close[] = {closeByButton, closeByEscape, closeByCloseBox};
        ClaimFixture fixture;
        fixture.openRegister();
        const QStringList before = fixture.claimRows();
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            addLines(window, {{"A1", "100"}});
            const auto no = answerNextMessageBox(QMessageBox::No);
            close[way](window);
            QCOMPARE(no->text, QStringLiteral("Save Changes?"));
            QCOMPARE(no->icon, QMessageBox::Information);
            QCOMPARE(no->buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(no->defaultButton, QMessageBox::No);
            QCOMPARE(no->title, ClaimFixture::title);
            QVERIFY(!window.isVisible());
        }));
        QCOMPARE(fixture.claimRows(), before);

        // Yes saves the claim, and the save closes the window.
        QVERIFY(fixture.onNewClaim([&](frmReimbursement& window) {
            chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            const auto yes = answerNextMessageBox(QMessageBox::Yes);
            close[way](window);
            QVERIFY(yes->shown);
            QVERIFY(!window.isVisible());
        }));
        QCOMPARE(fixture.db.scalar(QStringLiteral("select rhreimburseno from pReimburseHeader where rhreimburseid = 41")),
                 QStringLiteral("RB11"));
    }

    void incompleteClaimKeepsTheWindowOpen() {
        QVERIFY(onNewClaimInFreshRegister([](frmReimbursement& window) {
            window.txtremark->setPlainText(QStringLiteral("to do"));
            const auto seen = answerMessages({QMessageBox::Yes, QMessageBox::Ok});
            closeByEscape(window);
            QCOMPARE(seen[0]->text, QStringLiteral("Save Changes?"));
            QCOMPARE(seen[1]->text, QStringLiteral("Select Employee"));
            QVERIFY(window.isVisible());
            QVERIFY(window.cmdOk->isEnabled());
            // The remarks still differ, so closing asks again.
            const auto again = answerNextMessageBox(QMessageBox::No);
            closeByCloseBox(window);
            QCOMPARE(again->text, QStringLiteral("Save Changes?"));
            QVERIFY(!window.isVisible());
        }));
    }

    void anyFilledBillLineMarksTheClaimChanged() {
        QVERIFY(onNewClaimInFreshRegister([](frmReimbursement& window) {
            // A refused line still counts.
            duringModal(
                QStringLiteral("frmReimbursementDetails"),
                [](QWidget* dialog) {
                    auto* details = qobject_cast<frmReimbursementDetails*>(dialog);
                    QTest::keyClicks(details->txtbillno, QStringLiteral("X1"));
                    const auto refusal = answerNextMessageBox();
                    QTest::mouseClick(details->cmdOk, Qt::LeftButton);
                    QCOMPARE(refusal->text, QStringLiteral("Enter Amount"));
                    QTest::mouseClick(details->cmdCancel, Qt::LeftButton);
                },
                [&window] { QTest::keyClick(window.lvwdetails, Qt::Key_Return); });
            QVERIFY(window.blnDetailChanged);
            const auto no = answerNextMessageBox(QMessageBox::No);
            closeByButton(window);
            QCOMPARE(no->text, QStringLiteral("Save Changes?"));
            QVERIFY(!window.blnDetailChanged);
        }));
    }
};

QTEST_MAIN(ClaimCloseTest)
#include "tst_claimclose.moc"
