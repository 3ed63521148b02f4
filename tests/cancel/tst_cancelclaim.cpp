// Cancelling a claim from the register, as a person does it: pick the row,
// press Delete, answer the question, give the reason in the cancellation
// window and press OK or close it. Real SQLite files, real windows.
#include "cancel/frmcancell.h"
#include "register/frmmaster.h"
#include "shell/basreimbursement.h"
#include "shell/context.h"

#include "testdatabase.h"
#include "messageanswers.h"
#include "testhelpers.h"
#include "uidriver.h"

#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace ZQ5Reimbursement;

namespace {

constexpr int companyId = 1;
constexpr int otherCompanyId = 2;
constexpr int companyWithClaimZero = 3;
constexpr int liveClaim = 7;          // its only payment is cancelled
constexpr int paidClaim = 8;          // in a live payment
const QString title = QStringLiteral("Payroll Suite");
const QColor red(255, 0, 0);

const char* const seedRows[] = {
    "INSERT INTO pusers VALUES (5, 'Asha')",
    "INSERT INTO puserrights VALUES (1, 5, 42, 'NEDP'), (2, 5, 42, 'NEDP'), (3, 5, 42, 'NEDP')",
    "INSERT INTO pSettings VALUES (1, 0, ''), (2, 0, ''), (3, 0, '')",
    "INSERT INTO ptables VALUES (1, 'pReimburseHeader')",
    "INSERT INTO ptablecolumns VALUES (1, 1, 'ID', 0), (1, 2, 'Claim No', 6), (1, 3, 'Type', 8),"
    " (1, 4, 'Date', 6), (1, 5, 'Employee', 12), (1, 6, 'Cancelled', 2)",
    "INSERT INTO pemployee (eempid, ecompanyid, ename) VALUES (11, 1, 'Meera Nair'), (12, 1, 'John O''Hara'),"
    " (11, 2, 'Ravi Menon'), (11, 3, 'Lena Park')",
    "INSERT INTO preimbursementmaster VALUES (1, 'Medical', 1), (1, 'Medical', 2), (1, 'Medical', 3)",
    "INSERT INTO pReimburseHeader (rhreimburseid, rhcompanyid, rhreimburseno, rhdate, rhClaimEmpID, rhrtypeid,"
    " rhTotalAmt, rhCancelled) VALUES"
    " (7, 1, 'RB/1', '2024-03-01', 11, 1, 120.5, 0),"
    " (8, 1, 'RB/2', '2024-03-02', 12, 1, 80, 0),"
    " (9, 1, 'RB/3', '2024-03-03', 11, 1, 15, 1),"
    " (7, 2, 'RX/1', '2024-03-01', 11, 1, 60, 0),"
    " (0, 3, 'RZ/0', '2024-03-01', 11, 1, 10, 0)",
    "INSERT INTO pPaymentHeader VALUES (1, 100, 0), (1, 101, 1)",
    "INSERT INTO pPaymentDetail VALUES (1, 100, 8), (1, 101, 7)",
};

QString expectedUpdate(int claim, int company) {
    return QStringLiteral("update pReimburseHeader  set rhcancelled=1, rhcancelledremarks=? where rhreimburseid=%1"
                          "  and rhcompanyid= %2")
        .arg(claim)
        .arg(company);
}

}  // namespace

class CancelClaimTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void windowHasItsControls();
    void answeringNoLeavesEverythingAsItWas();
    void rowWithClaimIdZeroDoesNothing();
    void paidClaimIsRefusedAfterTheQuestion();
    void failingPaymentCheckIsLoggedAndNeverOpensTheWindow();
    void claimWhoseOnlyPaymentIsCancelledIsCancelledWithEnterEnter();
    void storedReasonIsExactlyTheReasonGiven_data();
    void storedReasonIsExactlyTheReasonGiven();
    void emptyReasonIsRefusedByOkAndByClosing();
    void faultInUpdateOrCommitChangesNothingAndOkCanBeTriedAgain_data();
    void faultInUpdateOrCommitChangesNothingAndOkCanBeTriedAgain();

private:
    void openRegister(int company);
    int gridRowOf(int claim) const;
    int pickClaim(int claim);
    // Presses Delete, answers the question with Yes and lets `act` work the
    // cancellation window; `act` must leave the window closed.
    void deleteWithReason(std::function<void(frmcancell&)> act);
    QString header(int claim, int company = companyId);
    bool rowIsRed(int row) const;
    bool rowIsWhollySelected(int row) const;
    void verifyCancelledInRegister(int claim, const QString& employee);

    Context& ctx = Context::instance();
    std::unique_ptr<TestDatabase> db;
    FrmMaster* master = nullptr;
};

void CancelClaimTest::init() {
    db = std::make_unique<TestDatabase>();
    for (const char* row : seedRows)
        db->exec(QString::fromUtf8(row));
    ctx.setConnection(db->connection());
    ctx.gintUserID = 5;
    ctx.glngInterfaceID = 42;
    ctx.gstrMsgboxTitle = title;
    ctx.gdtProcessDate = QDate(2024, 3, 15);
    ctx.strMode.clear();
}

void CancelClaimTest::cleanup() {
    delete ctx.frmcancellWindow.data();
    delete ctx.frmMaster.data();
    master = nullptr;
    db.reset();
}

void CancelClaimTest::openRegister(int company) {
    ctx.gintCompanyID = static_cast<std::int16_t>(company);
    master = &FrmMaster::instance(ctx);
    master->show();
    db->clearStatements();
}

int CancelClaimTest::gridRowOf(int claim) const {
    for (int row = 1; row < master->flexMaster->Rows(); ++row)
        if (master->flexMaster->TextMatrix(row, 0) == QString::number(claim))
            return row;
    return -1;
}

int CancelClaimTest::pickClaim(int claim) {
    const int row = gridRowOf(claim);
    FlexGrid* grid = master->flexMaster;
    const QRect cell = grid->visualRect(grid->model()->index(row - 1, 4));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    return row;
}

void CancelClaimTest::deleteWithReason(std::function<void(frmcancell&)> act) {
    answerNextMessageBox(QMessageBox::Yes);
    whenDialog(QStringLiteral("frmcancell"), [act](QWidget* w) { act(*qobject_cast<frmcancell*>(w)); });
    QTest::mouseClick(master->CmdDelete, Qt::LeftButton);
}

QString CancelClaimTest::header(int claim, int company) {
    return db->rows(QStringLiteral("select rhCancelled, rhcancelledremarks from pReimburseHeader"
                                   " where rhreimburseid=%1 and rhcompanyid=%2")
                        .arg(claim)
                        .arg(company))
        .value(0);
}

bool CancelClaimTest::rowIsRed(int row) const {
    const QAbstractItemModel* model = master->flexMaster->model();
    for (int col = 0; col < master->flexMaster->Cols(); ++col)
        if (model->data(model->index(row - 1, col), Qt::ForegroundRole).value<QColor>() != red)
            return false;
    return true;
}

bool CancelClaimTest::rowIsWhollySelected(int row) const {
    const FlexGrid* grid = master->flexMaster;
    return grid->Row() == row && grid->Col() == 0 && grid->selectionModel()->isRowSelected(row - 1, {});
}

void CancelClaimTest::verifyCancelledInRegister(int claim, const QString& employee) {
    const int row = gridRowOf(claim);
    QCOMPARE(master->flexMaster->TextMatrix(row, 5), QStringLiteral("Yes"));
    QCOMPARE(master->flexMaster->TextMatrix(row, 4), employee);
    QVERIFY(rowIsRed(row));
    QVERIFY(rowIsWhollySelected(row));
    QVERIFY(!master->CmdDelete->isEnabled());
    QVERIFY(!ctx.frmcancellWindow);
}

void CancelClaimTest::windowHasItsControls() {
    openRegister(companyId);
    pickClaim(liveClaim);
    QString titleSeen, labelSeen, buttonSeen;
    int frames = 0, buttons = 0;
    bool reasonInFrame = false;
    deleteWithReason([&](frmcancell& window) {
        titleSeen = window.windowTitle();
        frames = window.findChildren<QGroupBox*>().size();
        labelSeen = window.findChild<QLabel*>(QStringLiteral("lblreason"))->text();
        auto* reason = window.findChild<QLineEdit*>(QStringLiteral("txtreason"));
        reasonInFrame = qobject_cast<QGroupBox*>(reason->parentWidget()) != nullptr;
        const auto allButtons = window.findChildren<QPushButton*>();
        buttons = allButtons.size();
        buttonSeen = window.findChild<QPushButton*>(QStringLiteral("cmdOk"))->text();
        QTest::keyClicks(reason, QStringLiteral("x"));
        QTest::mouseClick(window.cmdOk, Qt::LeftButton);
    });
    QCOMPARE(titleSeen, QStringLiteral("Cancel"));
    QCOMPARE(frames, 1);
    QVERIFY(reasonInFrame);
    QCOMPARE(labelSeen, QStringLiteral("Reason:"));
    QCOMPARE(buttonSeen, QStringLiteral("&Ok"));
    QCOMPARE(buttons, 1);  // no cancel button
}

void CancelClaimTest::answeringNoLeavesEverythingAsItWas() {
    openRegister(companyId);
    const int row = pickClaim(liveClaim);
    QVERIFY(master->CmdDelete->isEnabled());

    auto question = answerNextMessageBox(QMessageBox::NoButton);  // Enter on the default button
    QTest::mouseClick(master->CmdDelete, Qt::LeftButton);

    QVERIFY(question->shown);
    QCOMPARE(question->text, QStringLiteral("Are you sure you want to delete Entry - 7?"));
    QCOMPARE(question->title, title);
    QCOMPARE(question->icon, QMessageBox::Critical);
    QCOMPARE(question->buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(question->defaultButton, QMessageBox::No);

    QCOMPARE(header(liveClaim), QStringLiteral("0|"));
    QVERIFY(db->statementsStartingWith(QStringLiteral("SELECT Count")).isEmpty());
    QVERIFY(db->statementsStartingWith(QStringLiteral("update")).isEmpty());
    QCOMPARE(master->flexMaster->TextMatrix(row, 5), QStringLiteral("No"));
    QVERIFY(!rowIsRed(row));
    QVERIFY(master->CmdDelete->isEnabled());
    QVERIFY(!ctx.frmcancellWindow);
}

void CancelClaimTest::rowWithClaimIdZeroDoesNothing() {
    openRegister(companyWithClaimZero);
    const int row = pickClaim(0);
    QCOMPARE(master->flexMaster->TextMatrix(row, 0), QStringLiteral("0"));
    QVERIFY(master->CmdDelete->isEnabled());
    db->clearStatements();

    // Nothing may pop up: a message box here would never be answered.
    QTest::mouseClick(master->CmdDelete, Qt::LeftButton);

    QCOMPARE(header(0, companyWithClaimZero), QStringLiteral("0|"));
    QVERIFY(db->statements().isEmpty());
    QVERIFY(!ctx.frmcancellWindow);
}

void CancelClaimTest::paidClaimIsRefusedAfterTheQuestion() {
    openRegister(companyId);
    const int row = pickClaim(paidClaim);

    const auto seen = answerMessages({QMessageBox::Yes, QMessageBox::Ok});
    QTest::mouseClick(master->CmdDelete, Qt::LeftButton);

    QVERIFY(seen[1]->shown);
    QCOMPARE(seen[0]->text, QStringLiteral("Are you sure you want to delete Entry - 8?"));
    QCOMPARE(seen[1]->text, QStringLiteral("Payment done. Can't Delete."));
    QCOMPARE(seen[1]->icon, QMessageBox::Information);
    QCOMPARE(seen[1]->buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(seen[1]->title, title);

    QCOMPARE(header(paidClaim), QStringLiteral("0|"));
    QVERIFY(db->statementsStartingWith(QStringLiteral("update")).isEmpty());
    QCOMPARE(master->flexMaster->TextMatrix(row, 5), QStringLiteral("No"));
    QVERIFY(master->CmdDelete->isEnabled());
    QVERIFY(!ctx.frmcancellWindow);
}

void CancelClaimTest::failingPaymentCheckIsLoggedAndNeverOpensTheWindow() {
    openRegister(companyId);
    pickClaim(liveClaim);
    db->failStatementsContaining(QStringLiteral("pPaymentHeader"));
    const qint64 logSize = errorLogSize();

    const auto seen = answerMessages({QMessageBox::Yes, QMessageBox::Ok});
    QTest::mouseClick(master->CmdDelete, Qt::LeftButton);

    QVERIFY(seen[1]->shown);
    QCOMPARE(seen[1]->icon, QMessageBox::Warning);
    QVERIFY(seen[1]->text.contains(QStringLiteral("Injected fault")));
    QCOMPARE(seen[1]->title, title);
    const QStringList logged = errorLogLinesSince(logSize);
    QVERIFY(std::any_of(logged.begin(), logged.end(), [](const QString& line) {
        return line.startsWith(QStringLiteral("FrmMaster:")) && line.contains(QStringLiteral(":CmdDelete_Click :"));
    }));

    QVERIFY(!ctx.frmcancellWindow);
    QVERIFY(db->statementsStartingWith(QStringLiteral("update")).isEmpty());
    QCOMPARE(header(liveClaim), QStringLiteral("0|"));
    QVERIFY(master->CmdDelete->isEnabled());
}

void CancelClaimTest::claimWhoseOnlyPaymentIsCancelledIsCancelledWithEnterEnter() {
    openRegister(companyId);
    pickClaim(liveClaim);
    const int otherRow = gridRowOf(paidClaim);
    bool focusOnOkAfterFirstEnter = false;
    bool stillOpenAfterFirstEnter = false;

    deleteWithReason([&](frmcancell& window) {
        QTest::keyClicks(window.txtreason, QStringLiteral("Entered twice"));
        QTest::keyClick(window.txtreason, Qt::Key_Return);
        focusOnOkAfterFirstEnter = window.focusWidget() == window.cmdOk;
        stillOpenAfterFirstEnter = window.isVisible() && db->statementsStartingWith(QStringLiteral("update")).isEmpty();
        QTest::keyClick(window.focusWidget(), Qt::Key_Return);
    });

    QVERIFY(focusOnOkAfterFirstEnter);
    QVERIFY(stillOpenAfterFirstEnter);
    QCOMPARE(header(liveClaim), QStringLiteral("1|Entered twice"));
    // The same claim ID of another company is not touched.
    QCOMPARE(header(liveClaim, otherCompanyId), QStringLiteral("0|"));
    QCOMPARE(header(paidClaim), QStringLiteral("0|"));
    const QStringList updates = db->statementsStartingWith(QStringLiteral("update"));
    QVERIFY(!updates.isEmpty());
    for (const QString& update : updates)
        QCOMPARE(update, expectedUpdate(liveClaim, companyId));

    verifyCancelledInRegister(liveClaim, QStringLiteral("Meera Nair"));
    QCOMPARE(master->flexMaster->TextMatrix(otherRow, 5), QStringLiteral("No"));
    QVERIFY(!rowIsRed(otherRow));
}

// Closing the window with a reason (close box or Escape) cancels as OK does.
void CancelClaimTest::storedReasonIsExactlyTheReasonGiven_data() {
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("finish");  // "ok", "close box" or "Escape"
    QTest::newRow("typed") << "Bill submitted twice, see RB/2" << true << "Bill submitted twice, see RB/2" << "ok";
    QTest::newRow("blanks only") << "   " << true << "   " << "ok";
    QTest::newRow("typed apostrophe") << "John's duplicate" << true << "Johns duplicate" << "ok";
    const QString pasted = QStringLiteral("O'Brien's \"void\" bill?'); update pReimburseHeader set rhcancelled=1 --");
    QTest::newRow("pasted with quotes") << pasted << false << pasted << "ok";
    QTest::newRow("close box") << "Not needed" << true << "Not needed" << "close box";
    QTest::newRow("Escape") << "Not needed" << true << "Not needed" << "Escape";
}

void CancelClaimTest::storedReasonIsExactlyTheReasonGiven() {
    QFETCH(QString, reason);
    QFETCH(bool, typed);
    QFETCH(QString, stored);
    QFETCH(QString, finish);
    openRegister(companyId);
    pickClaim(liveClaim);
    QString shown;

    deleteWithReason([&](frmcancell& window) {
        if (typed)
            QTest::keyClicks(window.txtreason, reason);
        else
            window.txtreason->setText(reason);
        shown = window.txtreason->text();
        if (finish == QLatin1String("Escape"))
            QTest::keyClick(window.txtreason, Qt::Key_Escape);
        else if (finish == QLatin1String("close box"))
            window.close();
        else
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
    });

    QCOMPARE(shown, stored);
    QCOMPARE(header(liveClaim), QStringLiteral("1|") + stored);
    QCOMPARE(header(paidClaim), QStringLiteral("0|"));
    for (const QString& update : db->statementsStartingWith(QStringLiteral("update")))
        QCOMPARE(update, expectedUpdate(liveClaim, companyId));
    verifyCancelledInRegister(liveClaim, QStringLiteral("Meera Nair"));
}

void CancelClaimTest::emptyReasonIsRefusedByOkAndByClosing() {
    openRegister(companyId);
    const int row = pickClaim(liveClaim);
    QList<std::shared_ptr<SeenMessage>> refusals;
    bool openAfterEachRefusal = true;
    bool nothingWrittenMeanwhile = false;
    bool registerUnchangedMeanwhile = false;

    deleteWithReason([&](frmcancell& window) {
        const std::function<void()> attempts[] = {
            [&] { QTest::mouseClick(window.cmdOk, Qt::LeftButton); },
            [&] { window.close(); },
            [&] { QTest::keyClick(window.txtreason, Qt::Key_Escape); },
        };
        for (const auto& attempt : attempts) {
            refusals << answerNextMessageBox(QMessageBox::Ok);
            attempt();
            openAfterEachRefusal = openAfterEachRefusal && window.isVisible() && window.cmdOk->isEnabled() &&
                                   window.focusWidget() == window.txtreason;
        }
        nothingWrittenMeanwhile = db->statementsStartingWith(QStringLiteral("update")).isEmpty() &&
                                  header(liveClaim) == QStringLiteral("0|");
        registerUnchangedMeanwhile = master->flexMaster->TextMatrix(row, 5) == QStringLiteral("No") &&
                                     master->CmdDelete->isEnabled();
        QTest::keyClicks(window.txtreason, QStringLiteral("Finally a reason"));
        QTest::mouseClick(window.cmdOk, Qt::LeftButton);
    });

    QCOMPARE(refusals.size(), 3);
    for (const auto& refusal : refusals) {
        QVERIFY(refusal->shown);
        QCOMPARE(refusal->text, QStringLiteral("Enter Deletion Reason"));
        QCOMPARE(refusal->icon, QMessageBox::Information);
        QCOMPARE(refusal->buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(refusal->title, title);
    }
    QVERIFY(openAfterEachRefusal);
    QVERIFY(nothingWrittenMeanwhile);
    QVERIFY(registerUnchangedMeanwhile);
    QCOMPARE(header(liveClaim), QStringLiteral("1|Finally a reason"));
    verifyCancelledInRegister(liveClaim, QStringLiteral("Meera Nair"));
}

void CancelClaimTest::faultInUpdateOrCommitChangesNothingAndOkCanBeTriedAgain_data() {
    QTest::addColumn<QString>("failing");
    QTest::newRow("update") << "update ";
    QTest::newRow("commit") << "COMMIT TRANSACTION";
}

void CancelClaimTest::faultInUpdateOrCommitChangesNothingAndOkCanBeTriedAgain() {
    QFETCH(QString, failing);
    openRegister(companyId);
    const int row = pickClaim(liveClaim);
    db->failStatementsContaining(failing);
    const qint64 logSize = errorLogSize();
    std::shared_ptr<SeenMessage> error, closeError;
    bool openWithOkAfterFault = false;
    bool storedAfterFault = true;
    bool registerChangedAfterFault = true;

    deleteWithReason([&](frmcancell& window) {
        QTest::keyClicks(window.txtreason, QStringLiteral("Wrong employee"));
        error = answerNextMessageBox(QMessageBox::Ok);
        QTest::mouseClick(window.cmdOk, Qt::LeftButton);
        openWithOkAfterFault = window.isVisible() && window.cmdOk->isEnabled();
        closeError = answerNextMessageBox(QMessageBox::Ok);
        window.close();
        openWithOkAfterFault = openWithOkAfterFault && window.isVisible() && window.cmdOk->isEnabled();
        storedAfterFault = header(liveClaim) != QStringLiteral("0|");
        registerChangedAfterFault = master->flexMaster->TextMatrix(row, 5) != QStringLiteral("No") || rowIsRed(row) ||
                                    !master->CmdDelete->isEnabled();
        // The fault clears (say the server is back): the second try goes through.
        db->connection()->setStatementObserver({});
        QTest::mouseClick(window.cmdOk, Qt::LeftButton);
    });

    QVERIFY(error->shown);
    QVERIFY(error->text.contains(QStringLiteral("Injected fault")));
    QCOMPARE(closeError->text, error->text);  // closing tries again and fails the same way
    QCOMPARE(error->icon, QMessageBox::Warning);
    QCOMPARE(error->title, title);
    const QStringList logged = errorLogLinesSince(logSize);
    QVERIFY(std::any_of(logged.begin(), logged.end(), [](const QString& line) {
        return line.startsWith(QStringLiteral("frmcancell:")) && line.contains(QStringLiteral(":Cmdok_Click :"));
    }));
    QVERIFY(openWithOkAfterFault);
    QVERIFY(!storedAfterFault);
    QVERIFY(!registerChangedAfterFault);

    QCOMPARE(header(liveClaim), QStringLiteral("1|Wrong employee"));
    verifyCancelledInRegister(liveClaim, QStringLiteral("Meera Nair"));
}

QTEST_MAIN(CancelClaimTest)
#include "tst_cancelclaim.moc"
