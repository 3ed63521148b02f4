// The register: the company's claims in a grid, with search, sort, user
// rights and the New, Edit, Delete, Preview and Close commands.
#pragma once

#include "flexgrid.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <memory>

class QComboBox;
class QEvent;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace CommonModule {
class clsCommonDB;
class clsCommonGen;
}

namespace ZQ5Reimbursement {

class ClaimReport;
class Context;

class FrmMaster : public QDialog {
    Q_OBJECT
public:
    explicit FrmMaster(Context& context, QWidget* parent = nullptr);
    ~FrmMaster() override;

    // The default instance, created (and loaded) on first use.
    static FrmMaster& instance(Context& context);

    // True when a live payment of the company includes the claim on the
    // grid's current row.
    bool fnCheckReimursementPaid();

    // Controls, named as the register's procedures name them.
    FlexGrid* flexMaster = nullptr;
    QGroupBox* fraBrowse = nullptr;
    QRadioButton* optAscend = nullptr;
    QRadioButton* optDescend = nullptr;
    QComboBox* cboColNames = nullptr;
    QLabel* lblsearch = nullptr;
    QComboBox* cboSearch = nullptr;
    QLineEdit* txtsearch = nullptr;
    QPushButton* cmdnew = nullptr;
    QPushButton* CmdEdit = nullptr;
    QPushButton* CmdDelete = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* CmdClose = nullptr;
    ClaimReport* crpReimbursement = nullptr;  // not visible; runs the claim report

    std::shared_ptr<CommonModule::clsCommonGen> objCommonGen;
    std::shared_ptr<CommonModule::clsCommonDB> objCommonDB;

    // The commands, as the buttons and the grid's shortcuts run them.
    void cmdnew_Click();
    void CmdEdit_Click();
    void CmdDelete_Click();
    void cmdPrint_Click();
    void CmdClose_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectEvents();
    void Form_Load();
    void NameGrid(const QString& strtable);
    void FillGrid(const QString& sql);
    void SecurityCheck(std::int32_t Intinterfaceid);
    bool fnHasRight(const QString& letter) const;
    // Edit, Delete and Preview follow the claim on the grid's current row.
    void flexMaster_Click();
    void cboColNames_Click();
    void SearchGrid();
    void editClaimOnCurrentRow();
    void flexMaster_KeyDown(int key);
    void flexMaster_KeyPress(int keyAscii);
    // Runs an event handler; an error it raises is logged and shown under `procedure`.
    void runTrapped(const QString& procedure, const std::function<void()>& handler);

    Context& context_;
    bool blnGridReady = false;
    QString strFunctionRights;
};

// Brings one saved claim into the open register (appends it, fills the
// empty register's one row, or rewrites the current row for an existing claim).
void RefreshRegisterRow(const QString& condition, std::int32_t claimId);

}  // namespace ZQ5Reimbursement
