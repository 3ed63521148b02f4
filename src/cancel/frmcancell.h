// The cancellation window: asks for the reason and marks the claim on the
// register's current row cancelled, in the database and in the grid.
#pragma once

#include <QDialog>

#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace CommonModule {
class clsCommonDB;
}

namespace ZQ5Reimbursement {

class Context;
class FlexGrid;

class frmcancell : public QDialog {
    Q_OBJECT
public:
    explicit frmcancell(Context& context, QWidget* parent = nullptr);
    ~frmcancell() override;

    // The default instance, created (and loaded) on first use, over the register.
    static frmcancell& instance(Context& context);

    QGroupBox* fraReason = nullptr;
    QLabel* lblreason = nullptr;
    QLineEdit* txtreason = nullptr;
    QPushButton* cmdOk = nullptr;

    std::shared_ptr<CommonModule::clsCommonDB> objCommonDB;

    void cmdOk_Click();

public slots:
    // Every close request (close button, Escape, the system) comes here:
    // it runs the cancellation when none was tried yet; after a failed one
    // the window lets the clerk leave, nothing written.
    void reject() override;

private:
    void Form_Load();
    void txtreason_KeyPress(int& keyAscii);
    // The OK action; true once the claim is cancelled and committed.
    bool cancelClaim();
    // Updates the claim header in one transaction; raises on any failure.
    void storeCancellation(const QString& claimIdText);
    // The current register row: "Yes" in the cancelled column, all cells red.
    void showCancelled(FlexGrid& grid);

    Context& context_;
    bool failed_ = false;
};

}  // namespace ZQ5Reimbursement
