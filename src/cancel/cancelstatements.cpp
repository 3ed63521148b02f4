#include "cancelstatements.h"

namespace ZQ5Reimbursement {

QString cancelClaimStatement(const TableNames& tables, const QString& claimIdText, std::int16_t companyId) {
    return QStringLiteral("update ") + tables[QStringLiteral("pReimburseHeader")] +
           QStringLiteral("  set rhcancelled=1,") + QStringLiteral(" rhcancelledremarks=?") +
           QStringLiteral(" where rhreimburseid=") + claimIdText + QStringLiteral("  and rhcompanyid= ") +
           QString::number(companyId);
}

}  // namespace ZQ5Reimbursement
