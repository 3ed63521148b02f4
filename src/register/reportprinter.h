// Paints a filled report onto the pages of a printer: the body flows from
// page to page (a table's heading rows repeat on each), the page header and
// footer are drawn on every page with its number and the page count.
#pragma once

#include "reportlayout.h"

#include <QPageLayout>

class QPagedPaintDevice;

namespace ZQ5Reimbursement {

// Letter where the locale measures in US units, A4 elsewhere.
QPageSize::PageSizeId defaultVoucherPageSize();
// The voucher's page: portrait, 15 mm margins.
QPageLayout voucherPageLayout(QPageSize::PageSizeId size = defaultVoucherPageSize());

class ReportPrinter {
public:
    // Fills every part once, so that a placeholder without a field raises here
    // and not while pages are painted.
    ReportPrinter(ReportLayout layout, ReportFields fields);

    const ReportFields& fields() const { return fields_; }

    // The number of pages painted; 0 when the device cannot be painted on.
    int print(QPagedPaintDevice& device) const;
    // Raises adodb::Error when the file cannot be written.
    void savePdf(const QString& path, const QPageLayout& pageLayout) const;

private:
    ReportFields withPage(int page, int pages) const;

    ReportLayout layout_;
    ReportFields fields_;
    QString body_;
};

}  // namespace ZQ5Reimbursement
