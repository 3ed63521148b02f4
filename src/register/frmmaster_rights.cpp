// The user's rights on the register's buttons, and the payment check.
#include "frmmaster.h"

#include "conversions.h"
#include "registerstatements.h"
#include "shell/context.h"

#include <QPushButton>

namespace ZQ5Reimbursement {

void FrmMaster::SecurityCheck(std::int32_t Intinterfaceid) {
    adodb::Recordset rights;
    rights.Open(rightsStatement(context_.tables, context_.gintCompanyID, context_.gintUserID, Intinterfaceid),
                context_.gAdoCon(), adodb::adOpenKeyset, adodb::adLockOptimistic);
    if (rights.isEOF()) {
        // Without a rights row only user 1 is locked out; others keep what they have.
        if (context_.gintUserID == 1)
            for (QPushButton* command : {cmdnew, CmdEdit, CmdDelete, cmdPrint})
                command->setEnabled(false);
    } else {
        strFunctionRights = rights.Fields(0).text();
        cmdnew->setEnabled(fnHasRight(QStringLiteral("N")));
        CmdEdit->setEnabled(fnHasRight(QStringLiteral("E")));
        CmdDelete->setEnabled(flexMaster->TextMatrix(flexMaster->Row(), 5).trimmed() == QLatin1String("No")
                              && fnHasRight(QStringLiteral("D")));
        cmdPrint->setEnabled(fnHasRight(QStringLiteral("P")));
    }
    rights.Close();
}

bool FrmMaster::fnHasRight(const QString& letter) const {
    return strFunctionRights.contains(letter, Qt::CaseSensitive);
}

void FrmMaster::flexMaster_Click() {
    runTrapped(QStringLiteral("flexmaster_Click "), [this] {
        const int row = flexMaster->Row();
        const bool claim = !flexMaster->TextMatrix(row, 0).isEmpty();
        for (QPushButton* command : {CmdDelete, CmdEdit, cmdPrint})
            command->setEnabled(claim);
        if (!claim)
            return;
        if (flexMaster->TextMatrix(row, 5) == QLatin1String("Yes"))
            CmdDelete->setEnabled(false);
        else
            CmdDelete->setEnabled(fnHasRight(QStringLiteral("D")));
    });
}

bool FrmMaster::fnCheckReimursementPaid() {
    // Only a whole number goes into the statement, whatever the cell holds.
    bool whole = false;
    const qlonglong claimId = flexMaster->TextMatrix(flexMaster->Row(), 0).toLongLong(&whole);
    if (!whole)
        raiseRegisterError(errTypeMismatch);
    adodb::Recordset payments;
    payments.Open(paymentCheckStatement(context_.gintCompanyID, claimId), context_.gAdoCon());
    const bool paid = payments.Fields(0).Value().toLongLong() > 0;
    payments.Close();
    return paid;
}

}  // namespace ZQ5Reimbursement
