// A company's claim data in a real database file, the register opened on it
// as the host opens it, and the means to act on the claim window the way a
// person would.
#pragma once

#include "testdatabase.h"
#include "messageanswers.h"
#include "uidriver.h"

#include <QDate>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QComboBox;
class QPushButton;
class QTreeWidget;

namespace ZQ5Reimbursement {
class FrmMaster;
class frmReimbursement;
}

// Company 3 with: employees 1 Asha, 2 Bala and 3 Chitra (approvers), 4 Dev
// (inactive), 5 Esha (no rules); types 1 Travel, 2 Medical, 3 Phone, 4 Food;
// currencies 1 Rupee (Rs), 2 Dollar ($); rules for Asha:
//   1 Travel/Rupee 2024 limit 5000, 2 Medical/Dollar 2024 cancelled,
//   3 Phone/Rupee from 2024-01-01 open-ended limit 700,
//   4 Travel/Dollar 2023 (ended) limit 100, 5 Phone/Dollar February 2024 limit 300,
//   6 Food/Rupee 2024 limit 0;
// claims: 17 RB1 Travel 2024-02-10 lines 300 + 200, 18 RB9 Travel cancelled,
// 19 RB10 Travel 2023-06-01, 20 XY99 (Bala), 21 RB3 Phone 2024-03-10 line 100;
// company 4 holds claim 40 RB50. Prefix RB, process date 2024-03-15.
class ClaimFixture {
public:
    static constexpr int company = 3;
    static constexpr int interfaceId = 25;
    static constexpr int userId = 5;
    static inline const QDate processDate{2024, 3, 15};
    static inline const QString title = QStringLiteral("Payroll");

    ClaimFixture();
    ~ClaimFixture();

    TestDatabase db;

    void addClaim(int id, const QString& number, const QString& date, int employee, int type, int currency,
                  const QList<double>& amounts, int cancelled = 0);
    void addPayment(int paymentId, int claimId, int cancelled);

    // Sets the host context and opens the register, as Show() does.
    ZQ5Reimbursement::FrmMaster& openRegister();
    ZQ5Reimbursement::FrmMaster& master();
    // Makes the register row of the claim current.
    void selectClaim(int claimId);

    // Presses a register command and runs `steps` on the claim window it
    // opens; a window the steps leave open is closed without questions.
    // False when no claim window came up.
    bool onClaimWindow(QPushButton* command, const std::function<void(ZQ5Reimbursement::frmReimbursement&)>& steps);
    bool onNewClaim(const std::function<void(ZQ5Reimbursement::frmReimbursement&)>& steps);
    bool onEditClaim(int claimId, const std::function<void(ZQ5Reimbursement::frmReimbursement&)>& steps);

    // Header and lines of every claim, for "nothing changed" comparisons.
    QStringList claimRows();
};

// Opens the register on a fresh ClaimFixture and runs `steps` on a new claim.
bool onNewClaimInFreshRegister(const std::function<void(ZQ5Reimbursement::frmReimbursement&)>& steps);

// Runs `trigger`; while it runs, `act` is done on the modal window named
// `name` when it comes up. False when it did not come up.
bool duringModal(const QString& name, const std::function<void(QWidget*)>& act, const std::function<void()>& trigger);

// Chooses the list entry showing `text`, as a click on it would.
void choose(QComboBox* list, const QString& text);
QStringList entries(const QComboBox* list);
// Rows of a bill line list, cells joined by "|".
QStringList listLines(const QTreeWidget* list);

// Picks Asha, Bala, `type` and `currency` in the claim window.
void chooseClaimant(ZQ5Reimbursement::frmReimbursement& window, const QString& type, const QString& currency);

// Adds bill lines through the bill line window (bill number, amount), as
// typed, from the list's Enter key; every line must be accepted.
void addLines(ZQ5Reimbursement::frmReimbursement& window, const QList<QPair<QString, QString>>& lines);
