// The claim window: one claim's header, its eligibility figures and its bill
// lines, entered or changed and saved in one transaction.
#pragma once

#include <ZQ5Reimbursement/adodb.h>

#include <QDialog>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace CommonModule {
class clsCommonDB;
class clsCommonGen;
}

namespace ZQ5Reimbursement {

class Context;

class frmReimbursement : public QDialog {
    Q_OBJECT
public:
    // Builds the controls and runs the load.
    explicit frmReimbursement(Context& context, QWidget* parent = nullptr);
    ~frmReimbursement() override;

    // The default instance, created (and loaded) on first use.
    static frmReimbursement& instance(Context& context);

    // The next claim number of the interface and company; empty after a
    // logged failure.
    QString GenerateReimbursement();

    // A lookup that failed while the register was filling the still hidden
    // window is raised here, so the register can give up on the window.
    void rethrowHiddenFailure();

    QGroupBox* frareimbursement = nullptr;
    QLabel* lblreno = nullptr;
    QLineEdit* txtreimbno = nullptr;
    QLabel* lblDate = nullptr;
    QDateEdit* dtpdate = nullptr;
    QLabel* lblemployee = nullptr;
    QComboBox* cboemployee = nullptr;
    QLabel* lblapp = nullptr;
    QComboBox* cboapproved = nullptr;
    QLabel* lblretype = nullptr;
    QComboBox* cbotype = nullptr;
    QLabel* lblCurrency = nullptr;
    QComboBox* cboCurrency = nullptr;
    QLabel* lbllimit = nullptr;
    QLineEdit* txtlimit = nullptr;
    QLabel* lblutilized = nullptr;
    QLineEdit* txtutilized = nullptr;
    QLabel* lblbalance = nullptr;
    QLineEdit* txtbalance = nullptr;
    QLabel* lblamt = nullptr;
    QLineEdit* txtamount = nullptr;
    QLabel* lblremarks = nullptr;
    QPlainTextEdit* txtremark = nullptr;
    QTreeWidget* lvwdetails = nullptr;
    QMenu* mnufile = nullptr;
    QAction* mnuadd = nullptr;
    QAction* mnuedit = nullptr;
    QAction* mnudelete = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;

    std::shared_ptr<CommonModule::clsCommonGen> objCommonGen;
    std::shared_ptr<CommonModule::clsCommonDB> objCommonDB;

    std::int32_t lngReimburseID = 0;
    // Set by the bill line window's OK; read and cleared by the closing check.
    bool blnDetailChanged = false;

    // The commands, as the buttons, the menu, the keys and the mouse run them.
    void cmdOk_Click();
    void cmdCancel_Click();
    void mnuadd_Click();
    void mnuedit_Click();
    void mnudelete_Click();

    // The bill line being edited: the list's current row, or its first row
    // when the list has rows but none is current; null for an empty list.
    QTreeWidgetItem* selectedLine() const;

    // Every way of closing passes the unsaved-changes check here.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildLinesList();
    void setTabOrderAndKeys();
    void connectHandlers();
    void Form_Load();
    void Form_Activate();

    void cboemployee_Click();
    void cbotype_Click();
    void cboCurrency_Click();
    void CalculateLimits();
    // Runs a handler the user started; errors are logged and shown, or kept
    // for the register while the window is still hidden.
    void runHandler(const QString& procedure, const std::function<void()>& handler);

    bool lvwdetails_KeyDown(int key);
    void lvwdetails_RightButtonUp(const QPoint& globalPos);

    bool selectionsMade();
    // The claim total as it is checked and written, once every amount of the
    // claim was found storable; none after refusing one.
    std::optional<double> storableTotal();
    bool exceedsLimit(double total) const;
    // Puts the next claim number into txtreimbno; false when none could be made.
    bool showClaimNumber();
    void writeClaim(double total);
    bool QueryUnload();

    // The register grid's column-0 text on its current row: the claim being edited.
    QString registerClaimIdText() const;

    Context& context_;
    bool blnFirstActivate = true;
    std::optional<adodb::Error> hiddenFailure_;
};

// Rewrites the claim window's total and balance from its bill lines.
void CalculateTotals();

}  // namespace ZQ5Reimbursement
