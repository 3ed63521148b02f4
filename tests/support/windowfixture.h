// One company's claim data in a real database file, the register opened on
// it as the host opens it, and the means to work its windows the way a
// person would. While a fixture lives, a message box that no MessageWatch
// answers fails the test.
#pragma once

#include "messageanswers.h"
#include "testdatabase.h"
#include "uidriver.h"

#include <QDate>
#include <QList>
#include <QString>

#include <functional>

class QComboBox;
class QPushButton;
class QTreeWidget;

namespace ZQ5Reimbursement {
class FlexGrid;
class FrmMaster;
class frmReimbursement;
class frmcancell;
}  // namespace ZQ5Reimbursement

// Company 3 with: users 5 tester (rights NEDP on interface 25) and 1 Admin;
// employees 1 Asha, 2 Bala and 3 Chitra (approvers), 4 Dev (inactive),
// 5 Esha (no rules); types 1 Travel, 2 Medical, 3 Phone, 4 Food;
// currencies 1 Rupee (Rs), 2 Dollar ($); rules for Asha:
//   1 Travel/Rupee 2024 limit 5000, 2 Medical/Dollar 2024 cancelled,
//   3 Phone/Rupee from 2024-01-01 open-ended limit 700,
//   4 Travel/Dollar 2023 (ended) limit 100, 5 Phone/Dollar February 2024 limit 300,
//   6 Food/Rupee 2024 limit 0;
// claims: 17 RB1 Travel 2024-02-10 lines 300 + 200, 18 RB9 Travel cancelled,
// 19 RB10 Travel 2023-06-01, 20 XY99 (Bala), 21 RB3 Phone 2024-03-10 line 100;
// company 4 holds claim 40 RB50 of its own employee 1.
// Register columns: ID, Reimb. No, Type, Date, Employee, Cancelled; all dates.
// Prefix RB, process date 2024-03-15.
class WindowFixture {
public:
    static constexpr int company = 3;
    static constexpr int interfaceId = 25;
    static constexpr int userId = 5;
    static inline const QDate processDate{2024, 3, 15};
    static inline const QString title = QStringLiteral("Payroll");

    WindowFixture();
    ~WindowFixture();
    WindowFixture(const WindowFixture&) = delete;
    WindowFixture& operator=(const WindowFixture&) = delete;

    TestDatabase db;

    void addClaim(int id, const QString& number, const QString& date, int employee, int type, int currency,
                  const QList<double>& amounts, int cancelled = 0);
    void addPayment(int paymentId, int claimId, int cancelled);

    // Sets the host context as Show() does.
    void setContext(std::int16_t user = userId, const QDate& date = processDate);
    // Sets the context, opens the register and shows it, exposed for mouse and keys.
    ZQ5Reimbursement::FrmMaster& openRegister(std::int16_t user = userId, const QDate& date = processDate);
    ZQ5Reimbursement::FrmMaster& master();
    ZQ5Reimbursement::FlexGrid& grid();

    // Grid row of the claim, -1 when not listed.
    int rowOf(int claimId);
    // Makes the claim's row current, from the program / by a click on it.
    void selectClaim(int claimId);
    void clickClaim(int claimId);
    // Data rows of the grid, cells joined by "|"; one column's cells.
    QStringList gridRows();
    QStringList column(int col);
    // Whether every cell of the grid row shows the cancelled claims' red.
    bool rowIsRed(int row);
    // "NEDP" states of the register's buttons as 1 or 0.
    QString buttons();

    // Presses a register command and runs `steps` on the claim window it
    // opens; a window the steps leave open is closed without questions.
    // False when no claim window came up.
    bool onClaimWindow(QPushButton* command, const std::function<void(ZQ5Reimbursement::frmReimbursement&)>& steps);
    bool onNewClaim(const std::function<void(ZQ5Reimbursement::frmReimbursement&)>& steps);
    bool onEditClaim(int claimId, const std::function<void(ZQ5Reimbursement::frmReimbursement&)>& steps);
    // Selects the claim, presses Delete, answers its question Yes and runs
    // `steps` on the cancellation window. False when that window did not come up.
    bool onCancelClaim(int claimId, const std::function<void(ZQ5Reimbursement::frmcancell&)>& steps);

    // Header and lines of every claim, for "nothing changed" comparisons.
    QStringList claimRows();
    // Statements sent that change data (anything not a select).
    QStringList writes() const;
};

// Chooses the list entry showing `text`, as a click on it would.
void choose(QComboBox* list, const QString& text);
QStringList entries(const QComboBox* list);
// Rows of a bill line list, cells joined by "|".
QStringList listLines(const QTreeWidget* list);
// Picks Asha, Bala, `type` and `currency` in the claim window.
void chooseClaimant(ZQ5Reimbursement::frmReimbursement& window, const QString& type, const QString& currency);
// Adds bill lines through the bill line window (bill number, amount), as
// typed, from the menu; every line must be accepted.
void addLines(ZQ5Reimbursement::frmReimbursement& window, const QList<QPair<QString, QString>>& lines);
