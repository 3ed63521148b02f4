#include "windowfixture.h"

#include "billline/frmreimbursementdetails.h"
#include "cancel/frmcancell.h"
#include "claim/frmreimbursement.h"
#include "register/flexgrid.h"
#include "register/frmmaster.h"
#include "shell/context.h"

#include <QtTest>
#include <QtWidgets>

using namespace ZQ5Reimbursement;

WindowFixture::WindowFixture() {
    db.exec(QStringLiteral(
        "INSERT INTO pusers VALUES (5, 'tester'), (1, 'Admin');"
        "INSERT INTO puserrights VALUES (3, 5, 25, 'NEDP');"
        "INSERT INTO pSettings VALUES (3, 0, '2,3');"
        "INSERT INTO pPrefix VALUES ('RB', 25, 3), ('ZZ', 26, 3);"
        "INSERT INTO ptables VALUES (1, 'pReimburseHeader');"
        "INSERT INTO ptablecolumns VALUES (1, 1, 'ID', 0), (1, 2, 'Reimb. No', 10), (1, 3, 'Type', 10),"
        " (1, 4, 'Date', 8), (1, 5, 'Employee', 10), (1, 6, 'Cancelled', 4);"
        "INSERT INTO pemployee VALUES (1, 3, 'Asha', 1, 1), (2, 3, 'Bala', 1, 2), (3, 3, 'Chitra', 1, 3),"
        " (4, 3, 'Dev', 0, 2), (5, 3, 'Esha', 1, 1), (1, 4, 'Other', 1, 2);"
        "INSERT INTO preimbursementmaster VALUES (1, 'Travel', 3), (2, 'Medical', 3), (3, 'Phone', 3),"
        " (4, 'Food', 3);"
        "INSERT INTO pcurrencymaster VALUES (3, 1, 'Rupee', 'Rs'), (3, 2, 'Dollar', '$');"
        "INSERT INTO preimeligibilityheader VALUES"
        " (1, 3, 1, 1, '2024-01-01', '2024-12-31', 0), (2, 3, 2, 2, '2024-01-01', '2024-12-31', 1),"
        " (3, 3, 3, 1, '2024-01-01', NULL, 0), (4, 3, 1, 2, '2023-01-01', '2023-12-31', 0),"
        " (5, 3, 3, 2, '2024-02-01', '2024-02-29', 0), (6, 3, 4, 1, '2024-01-01', '2024-12-31', 0);"
        "INSERT INTO preimeligibilitydetail VALUES (3, 1, 1, 5000), (3, 2, 1, 9000), (3, 3, 1, 700),"
        " (3, 4, 1, 100), (3, 5, 1, 300), (3, 6, 1, 0);"
        "INSERT INTO pReimburseHeader VALUES (40, 4, 'RB50', '2024-03-01', 1, 2, 'other company', 40, 0, NULL, 1, 1)"));
    addClaim(17, QStringLiteral("RB1"), QStringLiteral("2024-02-10"), 1, 1, 1, {300, 200});
    addClaim(18, QStringLiteral("RB9"), QStringLiteral("2024-02-11"), 1, 1, 1, {1000}, 1);
    addClaim(19, QStringLiteral("RB10"), QStringLiteral("2023-06-01"), 1, 1, 2, {50});
    addClaim(20, QStringLiteral("XY99"), QStringLiteral("2024-01-05"), 2, 1, 1, {10});
    addClaim(21, QStringLiteral("RB3"), QStringLiteral("2024-03-10"), 1, 3, 1, {100});
    setStrayMessagesFail(true);
}

WindowFixture::~WindowFixture() {
    closeAllWindows();
    Context& context = Context::instance();
    delete context.frmMaster.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    context.setConnection(nullptr);
    setStrayMessagesFail(false);
}

void WindowFixture::addClaim(int id, const QString& number, const QString& date, int employee, int type, int currency,
                             const QList<double>& amounts, int cancelled) {
    double total = 0;
    for (int line = 0; line < amounts.size(); ++line) {
        total += amounts[line];
        db.exec(QStringLiteral("INSERT INTO pReimbursedetail VALUES (3, %1, %2, 'B-%2', %3, 'line %2')")
                    .arg(id).arg(line + 1).arg(amounts[line]));
    }
    db.exec(QStringLiteral("INSERT INTO pReimburseHeader VALUES (%1, 3, '%2', '%3', %4, 2, 'claim %1', %5, %6, NULL, %7, %8)")
                .arg(id).arg(number, date).arg(employee).arg(total).arg(cancelled).arg(currency).arg(type));
}

void WindowFixture::addPayment(int paymentId, int claimId, int cancelled) {
    db.exec(QStringLiteral("INSERT INTO pPaymentHeader VALUES (3, %1, %2); INSERT INTO pPaymentDetail VALUES (3, %1, %3)")
                .arg(paymentId).arg(cancelled).arg(claimId));
}

FrmMaster& WindowFixture::openRegister(std::int16_t user, const QDate& date) {
    Context& context = Context::instance();
    context.setConnection(db.connection());
    context.gintUserID = user;
    context.gintCompanyID = company;
    context.glngInterfaceID = interfaceId;
    context.gstrMsgboxTitle = title;
    context.gdtProcessDate = date;
    context.strMode.clear();
    context.strListSQL.clear();
    context.tables = TableNames();
    FrmMaster& register_ = FrmMaster::instance(context);
    register_.show();
    register_.activateWindow();
    if (!QTest::qWaitForWindowExposed(&register_))
        qWarning("the register was not exposed");
    return register_;
}

FrmMaster& WindowFixture::master() { return *Context::instance().frmMaster; }

FlexGrid& WindowFixture::grid() { return *master().flexMaster; }

int WindowFixture::rowOf(int claimId) {
    for (int row = 1; row < grid().Rows(); ++row)
        if (grid().TextMatrix(row, 0) == QString::number(claimId))
            return row;
    return -1;
}

void WindowFixture::selectClaim(int claimId) { grid().setRow(rowOf(claimId)); }

void WindowFixture::clickClaim(int claimId) {
    const int row = rowOf(claimId);
    QVERIFY2(row > 0, "claim not listed");
    const QRect cell = grid().visualRect(grid().model()->index(row - 1, 1));
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(grid().Row(), row);
}

QStringList WindowFixture::gridRows() {
    QStringList rows;
    for (int row = 1; row < grid().Rows(); ++row) {
        QStringList cells;
        for (int col = 0; col < grid().Cols(); ++col)
            cells << grid().TextMatrix(row, col);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

bool WindowFixture::rowIsRed(int row) {
    for (int col = 0; col < grid().Cols(); ++col)
        if (grid().model()->index(row - 1, col).data(Qt::ForegroundRole).value<QColor>() != QColor(255, 0, 0))
            return false;
    return true;
}

QString WindowFixture::buttons() { return enabled({master().cmdnew, master().CmdEdit, master().CmdDelete, master().cmdPrint}); }

QString enabled(std::initializer_list<QWidget*> controls) {
    QString states;
    for (const QWidget* control : controls)
        states += control->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return states;
}

bool WindowFixture::onClaimWindow(QPushButton* command, const std::function<void(frmReimbursement&)>& steps) {
    const bool opened = duringModal(
        QStringLiteral("frmReimbursement"),
        [&](QWidget* dialog) {
            QPointer<frmReimbursement> window = qobject_cast<frmReimbursement*>(dialog);
            const bool active = QTest::qWaitForWindowActive(window);
            if (active)
                steps(*window);
            if (window && window->isVisible())
                window->QDialog::done(QDialog::Rejected);
            QVERIFY(active);
        },
        [command] { QTest::mouseClick(command, Qt::LeftButton); });
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return opened;
}

bool WindowFixture::onNewClaim(const std::function<void(frmReimbursement&)>& steps) { return onClaimWindow(master().cmdnew, steps); }

bool WindowFixture::onEditClaim(int claimId, const std::function<void(frmReimbursement&)>& steps) {
    selectClaim(claimId);
    return onClaimWindow(master().CmdEdit, steps);
}

bool WindowFixture::onCancelClaim(int claimId, const std::function<void(frmcancell&)>& steps) {
    clickClaim(claimId);
    MessageWatch yes(QMessageBox::Yes);
    const bool opened = duringModal(
        QStringLiteral("frmcancell"),
        [&](QWidget* dialog) {
            QPointer<frmcancell> window = qobject_cast<frmcancell*>(dialog);
            steps(*window);
            if (window && window->isVisible()) {
                window->hide();
                QFAIL("the cancellation window stayed open");
            }
        },
        [this] { QTest::mouseClick(master().CmdDelete, Qt::LeftButton); });
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return opened;
}

QStringList WindowFixture::claimRows() {
    return db.rows(QStringLiteral("select * from pReimburseHeader order by rhcompanyid, rhreimburseid")) +
           db.rows(QStringLiteral("select * from pReimbursedetail order by rdcompanyid, rdreimburseid, rddetailid"));
}

QStringList WindowFixture::writes() const {
    return db.statements().filter(QRegularExpression(QStringLiteral("^\\s*+(?!select)"), QRegularExpression::CaseInsensitiveOption));
}

void choose(QComboBox* list, const QString& text) {
    const int index = list->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    list->setCurrentIndex(index);
}

QStringList entries(const QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts;
}

QStringList listLines(const QTreeWidget* list) {
    QStringList rows;
    for (const QTreeWidgetItem* item : list->findItems(QString(), Qt::MatchContains))
        rows << QStringList({item->text(0), item->text(1), item->text(2), item->text(3)}).join(QLatin1Char('|'));
    return rows;
}

void chooseClaimant(frmReimbursement& window, const QString& type, const QString& currency) {
    choose(window.cboemployee, QStringLiteral("Asha"));
    choose(window.cboapproved, QStringLiteral("Bala"));
    choose(window.cbotype, type);
    choose(window.cboCurrency, currency);
}

void addLines(frmReimbursement& window, const QList<QPair<QString, QString>>& lines) {
    const int before = window.lvwdetails->topLevelItemCount();
    duringModal(
        QStringLiteral("frmReimbursementDetails"),
        [&lines](QWidget* dialog) {
            auto* details = qobject_cast<frmReimbursementDetails*>(dialog);
            if (QTest::qWaitForWindowActive(details)) {
                for (const auto& [billNo, amount] : lines) {
                    QTest::keyClicks(details->txtbillno, billNo);
                    QTest::keyClicks(details->txtamount, amount);
                    QTest::mouseClick(details->cmdOk, Qt::LeftButton);
                }
            }
            QTest::mouseClick(details->cmdCancel, Qt::LeftButton);
        },
        [&window] { window.mnuadd->trigger(); });
    QCOMPARE(window.lvwdetails->topLevelItemCount(), before + lines.size());
}
