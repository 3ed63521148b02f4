// The bill line window: one bill of the claim entered or corrected, checked,
// and written straight into the claim window's lines list.
#pragma once

#include <QDialog>

#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace CommonModule {
class clsCommonGen;
}

namespace ZQ5Reimbursement {

class Context;
class frmReimbursement;

class frmReimbursementDetails : public QDialog {
    Q_OBJECT
public:
    // Builds the controls and runs the load.
    explicit frmReimbursementDetails(Context& context, QWidget* parent = nullptr);
    ~frmReimbursementDetails() override;

    // The default instance, created (and loaded) on first use.
    static frmReimbursementDetails& instance(Context& context);

    QGroupBox* fraDetails = nullptr;
    QLabel* lblbillno = nullptr;
    QLineEdit* txtbillno = nullptr;
    QLabel* lblamount = nullptr;
    QLineEdit* txtamount = nullptr;
    QLabel* lblremarks = nullptr;
    QLineEdit* txtremarks = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdFirst = nullptr;
    QPushButton* cmdPrevious = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdLast = nullptr;

    std::shared_ptr<CommonModule::clsCommonGen> objCommonGen;

    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdFirst_Click();
    void cmdPrevious_Click();
    void cmdNext_Click();
    void cmdLast_Click();

private:
    void buildControls();
    void Form_Load();
    void addLine(frmReimbursement& claim);
    void editLine(frmReimbursement& claim);
    // Refuses an amount the claim's balance cannot take, with the focus on it.
    bool exceedsBalance(const frmReimbursement& claim, double increase);
    void refuseAmount(const QString& message);
    // Selects line `row` (from 1) of the claim's list and shows it in the fields.
    void ShowLine(int row);

    frmReimbursement& claim();
    QTreeWidget& lines();
    // The selected line's position in the list, from 1.
    int selectedRow();

    Context& context_;
};

}  // namespace ZQ5Reimbursement
