#include "reportprinter.h"

#include <ZQ5Reimbursement/adodb.h>

#include <QAbstractTextDocumentLayout>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

#include <memory>

namespace ZQ5Reimbursement {

namespace {

// Laid out for the device itself, so that its fonts and pixels are the page's.
std::unique_ptr<QTextDocument> documentFor(QPaintDevice& device, const QString& html, qreal width) {
    auto document = std::make_unique<QTextDocument>();
    document->documentLayout()->setPaintDevice(&device);
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(9);
    document->setDefaultFont(font);
    document->setHtml(html);
    document->setTextWidth(width);
    return document;
}

qreal heightOf(const QTextDocument& document) {
    return document.isEmpty() ? 0 : document.documentLayout()->documentSize().height();
}

}  // namespace

QPageSize::PageSizeId defaultVoucherPageSize() {
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
}

QPageLayout voucherPageLayout(QPageSize::PageSizeId size) {
    return QPageLayout(QPageSize(size), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

ReportPrinter::ReportPrinter(ReportLayout layout, ReportFields fields)
    : layout_(std::move(layout)), fields_(std::move(fields)), body_(layout_.body(fields_)) {
    const ReportFields numbered = withPage(1, 1);
    layout_.pageHeader(numbered);
    layout_.pageFooter(numbered);
}

ReportFields ReportPrinter::withPage(int page, int pages) const {
    ReportFields fields = fields_;
    fields.values.insert(QStringLiteral("page"), QString::number(page));
    fields.values.insert(QStringLiteral("pages"), QString::number(pages));
    return fields;
}

int ReportPrinter::print(QPagedPaintDevice& device) const {
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const QSizeF page = device.pageLayout().paintRectPixels(device.logicalDpiX()).size();
    const auto header = [&](int n, int count) { return documentFor(device, layout_.pageHeader(withPage(n, count)), page.width()); };
    const auto footer = [&](int n, int count) { return documentFor(device, layout_.pageFooter(withPage(n, count)), page.width()); };

    const qreal headerHeight = heightOf(*header(1, 1));
    const qreal footerHeight = heightOf(*footer(1, 1));
    const qreal bodyHeight = page.height() - headerHeight - footerHeight;
    const std::unique_ptr<QTextDocument> body = documentFor(device, body_, page.width());
    body->setPageSize(QSizeF(page.width(), bodyHeight));
    const int pages = body->pageCount();

    for (int n = 0; n < pages; ++n) {
        if (n > 0)
            device.newPage();
        header(n + 1, pages)->drawContents(&painter);
        painter.save();
        painter.translate(0, headerHeight - n * bodyHeight);
        body->drawContents(&painter, QRectF(0, n * bodyHeight, page.width(), bodyHeight));
        painter.restore();
        painter.save();
        painter.translate(0, page.height() - footerHeight);
        footer(n + 1, pages)->drawContents(&painter);
        painter.restore();
    }
    painter.end();
    return pages;
}

void ReportPrinter::savePdf(const QString& path, const QPageLayout& pageLayout) const {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(pageLayout);
    if (print(printer) == 0)
        throw adodb::Error(75, QStringLiteral("rptReimbursement"),
                           QStringLiteral("The file %1 cannot be written").arg(path));
}

}  // namespace ZQ5Reimbursement
