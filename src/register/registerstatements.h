// The register's statement texts, built piece by piece as the register sends
// them (blanks included), so they can be checked without a window.
#pragma once

#include "shell/tablenames.h"

#include <QDate>
#include <QString>

#include <cstdint>

namespace ZQ5Reimbursement {

// The company's claims: ID, number, type, date, employee and "Yes"/"No" for
// cancelled, without ordering; with days > 0 only claims dated on or after
// `days` days before the process date.
QString listingStatement(const TableNames& tables, std::int16_t companyId, std::int16_t days,
                         const QDate& processDate);

// The condition under which the register reads the company's listing period.
QString listingPeriodCondition(std::int16_t companyId);

// The register's column layout (captions and padding) of `table`.
QString nameGridStatement(const TableNames& tables, const QString& table);

// The rights letters of the user for the interface.
QString rightsStatement(const TableNames& tables, std::int16_t companyId, std::int16_t userId,
                        std::int32_t interfaceId);

// The number of live payments of the company that include the claim.
QString paymentCheckStatement(std::int16_t companyId, qlonglong claimId);

// The listing statement narrowed by `condition` (any ordering dropped).
QString refreshRowStatement(const QString& listSql, const QString& condition);

// The user's name, for the report.
QString userNameStatement(const TableNames& tables, std::int16_t userId);

}  // namespace ZQ5Reimbursement
