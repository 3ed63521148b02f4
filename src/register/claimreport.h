// The reimbursement report of one claim (crpReimbursement): the voucher laid
// out by the report file beside the library, filled from the database through
// the report's four parameters, previewed, printed and saved as PDF.
#pragma once

#include "reportprinter.h"
#include "shell/tablenames.h"

#include <ZQ5Reimbursement/adodb.h>

#include <QObject>
#include <QStringList>

#include <cstdint>
#include <memory>

class QWidget;

namespace ZQ5Reimbursement {

// The report's four parameter fields, each "name;value;true".
QStringList reportParameterFields(std::int16_t companyId, const QString& claimIdText, const QString& userName);
// The same with the user's name read from the users table; raises when it has none.
QStringList reportParameterFields(const std::shared_ptr<adodb::Connection>& connection, const TableNames& tables,
                                  std::int16_t companyId, std::int16_t userId, const QString& claimIdText);

// Writes the claim's voucher as a PDF without a window, reading the table
// names from linktable; raises when the claim, the user, the report file or
// the output fail.
void writeClaimVoucher(const std::shared_ptr<adodb::Connection>& connection, std::int16_t companyId,
                       std::int16_t userId, const QString& claimIdText, const QString& pdfPath,
                       QPageSize::PageSizeId size = defaultVoucherPageSize());

// A claim number as a file name: characters a file name cannot hold become "-".
QString voucherFileName(const QString& claimNumber);

class ClaimReport : public QObject {
    Q_OBJECT
public:
    ClaimReport(std::shared_ptr<adodb::Connection> connection, const TableNames& tables, QObject* parent = nullptr);

    // Reports/rptReimbursement.html in the component's folder.
    static QString reportFile();

    // Replaces every parameter value of an earlier run.
    void setParameterFields(const QStringList& fields);
    // The voucher's fields; raises when the claim cannot be read.
    ReportFields fields() const;
    // The report file read afresh and filled; raises before anything is shown.
    ReportPrinter printer() const;
    // Shows the voucher in a modal print preview with a Save as PDF action.
    void preview(QWidget* parent) const;
    void savePdf(const QString& path, QPageSize::PageSizeId size = defaultVoucherPageSize()) const;

private:
    QString parameter(const QString& name) const;

    std::shared_ptr<adodb::Connection> connection_;
    const TableNames& tables_;
    QStringList fields_;
};

}  // namespace ZQ5Reimbursement
