// Statement texts of the cancellation window.
#pragma once

#include "shell/tablenames.h"

#include <QString>

#include <cstdint>

namespace ZQ5Reimbursement {

// Marks one claim of the company cancelled. The reason is the statement's
// one `?` parameter, so whatever the reason holds never becomes statement text.
QString cancelClaimStatement(const TableNames& tables, const QString& claimIdText, std::int16_t companyId);

}  // namespace ZQ5Reimbursement
