// One company's claims in a real database, the register opened as the host
// opens it, and its windows worked as a person would. While it lives, a
// message box no MessageWatch answers fails the test.
#pragma once

#include "testdatabase.h"
#include "uidriver.h"

#include <QDate>
#include <QList>
#include <QString>

#include <functional>
#include <initializer_list>

class QComboBox;
class QPushButton;
class QTreeWidget;

namespace ZQ5Reimbursement {
class FlexGrid;
class FrmMaster;
class frmReimbursement;
class frmcancell;
}  // namespace ZQ5Reimbursement

// Company 3: users 5 tester (NEDP on interface 25), 1 Admin; employees 1 Asha,
// 2 Bala, 3 Chitra, 4 Dev (inactive), 5 Esha (no rules); types 1 Travel,
// 2 Medical, 3 Phone, 4 Food; currencies 1 Rupee (Rs), 2 Dollar ($); Asha's
// rules: Travel/Rupee 2024 5000, Medical/Dollar cancelled, Phone/Rupee from
// 2024 open-ended 700, Travel/Dollar 2023 100, Phone/Dollar Feb 2024 300,
// Food/Rupee 2024 0; claims 17 RB1 Travel 2024-02-10 (300 + 200), 18 RB9
// cancelled, 19 RB10 2023-06-01, 20 XY99 (Bala), 21 RB3 Phone 2024-03-10 (100);
// company 4 has claim 40 RB50. Prefix RB, all dates, process date 2024-03-15.
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

    // Sets the host context as Show() does and shows the register.
    ZQ5Reimbursement::FrmMaster& openRegister(std::int16_t user = userId, const QDate& date = processDate);
    ZQ5Reimbursement::FrmMaster& master();
    ZQ5Reimbursement::FlexGrid& grid();

    int rowOf(int claimId);  // -1 when not listed
    void selectClaim(int claimId);
    void clickClaim(int claimId);
    QStringList gridRows();  // cells joined by "|"
    bool rowIsRed(int row);  // every cell
    QString buttons();  // New, Edit, Delete, Preview enabled as "1"/"0"

    // Presses the command and runs `steps` on the claim window it opens (then
    // closed without questions); false when none came up.
    bool onClaimWindow(QPushButton* command, const std::function<void(ZQ5Reimbursement::frmReimbursement&)>& steps);
    bool onNewClaim(const std::function<void(ZQ5Reimbursement::frmReimbursement&)>& steps);
    bool onEditClaim(int claimId, const std::function<void(ZQ5Reimbursement::frmReimbursement&)>& steps);
    // Clicks the claim, presses Delete, answers Yes and runs `steps` on the
    // cancellation window; false when it did not come up.
    bool onCancelClaim(int claimId, const std::function<void(ZQ5Reimbursement::frmcancell&)>& steps);

    QStringList claimRows();  // every header and line, for "nothing changed"
    QStringList writes() const;  // statements sent that are not selects
};

// Each control's enabled state as "1" or "0".
QString enabled(std::initializer_list<QWidget*> controls);
void choose(QComboBox* list, const QString& text);
QStringList entries(const QComboBox* list);
QStringList listLines(const QTreeWidget* list);  // cells joined by "|"
// Picks claimant Asha, approver Bala, `type` and `currency`.
void chooseClaimant(ZQ5Reimbursement::frmReimbursement& window, const QString& type, const QString& currency);
// Types bill lines (bill number, amount) into the bill line window; each must be accepted.
void addLines(ZQ5Reimbursement::frmReimbursement& window, const QList<QPair<QString, QString>>& lines);
