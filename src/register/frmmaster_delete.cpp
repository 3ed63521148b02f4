// The register's Delete command: claims are never removed, only cancelled
// through the cancellation window once confirmed and found unpaid.
#include "frmmaster.h"

#include "cancel/frmcancell.h"
#include "shell/basreimbursement.h"
#include "shell/context.h"

#include <QPushButton>

namespace ZQ5Reimbursement {

void FrmMaster::CmdDelete_Click() {
    const QString claimIdText = flexMaster->TextMatrix(flexMaster->Row(), 0);
    if (numericValue(claimIdText) == 0)
        return;
    if (showMessage(this, QStringLiteral("Are you sure you want to delete Entry - ") + claimIdText + QStringLiteral("?"),
                    QMessageBox::Critical, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    try {
        if (fnCheckReimursementPaid()) {
            showMessage(this, QStringLiteral("Payment done. Can't Delete."), QMessageBox::Information);
            return;
        }
        // Closes only once the claim is cancelled.
        frmcancell::instance(context_).exec();
    } catch (const std::exception& exception) {
        WriteErrorLog(QStringLiteral("FrmMaster"), QStringLiteral("CmdDelete_Click "), toError(exception));
        return;
    }
    CmdDelete->setEnabled(false);
    flexMaster->selectCurrentRow();
}

}  // namespace ZQ5Reimbursement
