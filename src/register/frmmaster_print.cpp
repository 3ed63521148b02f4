// Preview: the report of the claim on the grid's current row.
#include "frmmaster.h"

#include "claimreport.h"
#include "shell/basreimbursement.h"
#include "shell/context.h"

namespace ZQ5Reimbursement {

void FrmMaster::cmdPrint_Click() {
    const QString claimIdText = flexMaster->TextMatrix(flexMaster->Row(), 0);
    if (numericValue(claimIdText) == 0)
        return;
    try {
        crpReimbursement->setParameterFields(reportParameterFields(context_.gAdoCon(), context_.tables,
                                                                   context_.gintCompanyID, context_.gintUserID,
                                                                   claimIdText));
        crpReimbursement->preview(this);
    } catch (const std::exception& exception) {
        // The preview reports its failures; only the database's go to the log.
        showFailure(this, objectName(), QStringLiteral("cmdPrint_Click "), toError(exception));
    }
}

}  // namespace ZQ5Reimbursement
