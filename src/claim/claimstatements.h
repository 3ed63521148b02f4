// The statement texts of the claim window, its loading by the register and
// its save. Each is built here from its values and handed to the data layer
// unchanged, so that the texts can be checked on their own.
#pragma once

#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>

namespace ZQ5Reimbursement {

class TableNames;

// Lookups of the claim window.
QString settingsCondition(std::int16_t companyId);
QString employeeCondition(std::int16_t companyId);
QString approverCondition(std::int16_t companyId, const QString& sanctionDesignations);
// The employee's eligibility is the company's: employee, type and claim IDs
// are numbered per company, so each read of it names the company.
QString typeListSource(const TableNames& tables, const QDate& claimDate, qlonglong employeeId,
                       std::int16_t companyId);
QString currencyListSource(const TableNames& tables, qlonglong typeId, const QDate& claimDate,
                           qlonglong employeeId, std::int16_t companyId);
QString symbolCondition(qlonglong currencyId, std::int16_t companyId);

// Eligibility figures. `editedClaimId` (the register's column-0 text) leaves
// an existing claim out of its own utilized amount.
QString utilizedStatement(const TableNames& tables, std::int16_t companyId, qlonglong employeeId,
                          qlonglong typeId, const QDate& claimDate,
                          const std::optional<QString>& editedClaimId);
QString limitStatement(const TableNames& tables, qlonglong typeId, qlonglong employeeId,
                       const QDate& claimDate, std::int16_t companyId);

// Loading an existing claim into the window.
QString claimHeaderStatement(const TableNames& tables, std::int16_t companyId, const QString& claimIdText);
QString claimLinesCondition(const QString& claimIdText, std::int16_t companyId);

// Claim numbering.
QString prefixStatement(const TableNames& tables, std::int32_t interfaceId, std::int16_t companyId);
QString highestNumberStatement(const TableNames& tables, std::int16_t companyId, const QString& prefix);

// The save; the values travel as positional parameters.
QString headerInsertStatement(const TableNames& tables);
QString headerUpdateStatement(const TableNames& tables, std::int32_t claimId, std::int16_t companyId);
QString linesDeleteStatement(const TableNames& tables, std::int32_t claimId, std::int16_t companyId);
QString lineInsertStatement(const TableNames& tables);

}  // namespace ZQ5Reimbursement
