#include "claimreport.h"

#include "claim/claimstatements.h"
#include "registerstatements.h"
#include "shell/basreimbursement.h"
#include "shell/commonmodule.h"
#include "shell/context.h"
#include "shell/linktables.h"

#include <QAction>
#include <QDate>
#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QToolBar>

namespace ZQ5Reimbursement {

namespace {

QString field(const QString& name, const QString& value) {
    return name + QLatin1Char(';') + value + QStringLiteral(";true");
}

QString voucherDate(const QVariant& value) { return value.toDate().toString(QStringLiteral("dd/MM/yyyy")); }

QString reportHeaderStatement(const TableNames& tables, const QString& company, const QString& claim) {
    const QString employees = tables[QStringLiteral("pemployee")];
    return QStringLiteral("select h.rhreimburseno, h.rhdate, e.ename, a.ename, m.rtypename, c.CurrencyName, c.Symbol, "
                          "h.rhremarks, h.rhTotalAmt, h.rhCancelled, h.rhcancelledremarks, h.rhClaimEmpID, "
                          "h.rhrtypeid from ")
         + tables[QStringLiteral("pReimburseHeader")] + QStringLiteral(" h left join ") + employees
         + QStringLiteral(" e on e.ecompanyid = h.rhcompanyid and e.eempid = h.rhClaimEmpID left join ") + employees
         + QStringLiteral(" a on a.ecompanyid = h.rhcompanyid and a.eempid = h.rhApprovedEmpID left join ")
         + tables[QStringLiteral("preimbursementmaster")]
         + QStringLiteral(" m on m.companyid = h.rhcompanyid and m.rtypeid = h.rhrtypeid left join ")
         + tables[QStringLiteral("pcurrencymaster")]
         + QStringLiteral(" c on c.CompanyID = h.rhcompanyid and c.CurrencyID = h.rhcurrencyid")
         + QStringLiteral(" where h.rhcompanyid = ") + company + QStringLiteral(" and h.rhreimburseid = ") + claim;
}

QString reportLinesStatement(const TableNames& tables, const QString& company, const QString& claim) {
    return QStringLiteral("select rdbillno, rdbillamt, rdremarks from ") + tables[QStringLiteral("pReimbursedetail")]
         + QStringLiteral(" where rdCompanyId = ") + company + QStringLiteral(" and rdreimburseid = ") + claim
         + QStringLiteral(" order by rddetailid");
}

// Limit, utilized and balance of the claim's employee and type on its date,
// as the claim window computes them for an existing claim: the claim itself
// is not part of the utilized amount, and the balance is what is left after
// it (a cancelled claim takes nothing). Without a rule the limit and the
// balance stay empty.
void addEligibility(ReportRow& values, const std::shared_ptr<adodb::Connection>& connection,
                    const TableNames& tables, std::int16_t company, const QString& claim, qlonglong employee,
                    qlonglong type, const QDate& date, double claimTotal) {
    adodb::Recordset utilizedRow;
    utilizedRow.Open(utilizedStatement(tables, company, employee, type, date, claim), connection);
    const double utilized = utilizedRow.isEOF() ? 0 : utilizedRow.Fields(0).Value().toDouble();
    utilizedRow.Close();
    values.insert(QStringLiteral("utilized"), formatAmount(utilized));

    adodb::Recordset limitRow;
    limitRow.Open(limitStatement(tables, type, employee, date, company), connection);
    if (!limitRow.isEOF()) {
        const double limit = limitRow.Fields(0).Value().toDouble();
        values.insert(QStringLiteral("limit"), formatAmount(limit));
        values.insert(QStringLiteral("balance"), formatAmount(limit - utilized - claimTotal));
    }
}

}  // namespace

QStringList reportParameterFields(std::int16_t companyId, const QString& claimIdText, const QString& userName) {
    return {field(QStringLiteral("@intCompanyId"), QString::number(companyId)),
            field(QStringLiteral("@intReimbursementID"), claimIdText),
            field(QStringLiteral("strReportName"), QStringLiteral("Reimbursement")),
            field(QStringLiteral("@strusername"), userName)};
}

QStringList reportParameterFields(const std::shared_ptr<adodb::Connection>& connection, const TableNames& tables,
                                  std::int16_t companyId, std::int16_t userId, const QString& claimIdText) {
    adodb::Recordset user;
    user.Open(userNameStatement(tables, userId), connection);
    const QString userName = user.Fields(0).text();
    user.Close();
    return reportParameterFields(companyId, claimIdText, userName);
}

void writeClaimVoucher(const std::shared_ptr<adodb::Connection>& connection, std::int16_t companyId,
                       std::int16_t userId, const QString& claimIdText, const QString& pdfPath,
                       QPageSize::PageSizeId size) {
    Context context;
    context.setConnection(connection);
    CommonModule::clsCommonDB commonDB;
    GetLinkTables(context, commonDB);
    ClaimReport report(connection, context.tables);
    report.setParameterFields(reportParameterFields(connection, context.tables, companyId, userId, claimIdText));
    report.savePdf(pdfPath, size);
}

QString voucherFileName(const QString& claimNumber) {
    static const QRegularExpression unfit(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    QString name = QString(claimNumber).replace(unfit, QStringLiteral("-")).trimmed();
    return (name.isEmpty() ? QStringLiteral("Reimbursement") : name) + QStringLiteral(".pdf");
}

ClaimReport::ClaimReport(std::shared_ptr<adodb::Connection> connection, const TableNames& tables, QObject* parent)
    : QObject(parent), connection_(std::move(connection)), tables_(tables) {
    setObjectName(QStringLiteral("crpReimbursement"));
}

QString ClaimReport::reportFile() { return componentFolder() + QStringLiteral("/Reports/rptReimbursement.html"); }

void ClaimReport::setParameterFields(const QStringList& fields) { fields_ = fields; }

QString ClaimReport::parameter(const QString& name) const {
    for (const QString& field : fields_)
        if (field.section(QLatin1Char(';'), 0, 0) == name)
            return field.section(QLatin1Char(';'), 1, 1);
    return {};
}

ReportFields ClaimReport::fields() const {
    // Only whole numbers reach the statements.
    const auto companyId = static_cast<std::int16_t>(parameter(QStringLiteral("@intCompanyId")).toInt());
    const QString company = QString::number(companyId);
    const QString claim = QString::number(parameter(QStringLiteral("@intReimbursementID")).toLongLong());
    adodb::Recordset header;
    header.Open(reportHeaderStatement(tables_, company, claim), connection_);
    if (header.isEOF())
        throw adodb::Error(adodb::adErrNoCurrentRecord, QStringLiteral("crpReimbursement"),
                           QStringLiteral("No claim ") + claim + QStringLiteral(" to report"));
    const auto text = [&header](int i) { return header.Fields(i).textOrEmpty(); };
    const bool cancelled = header.Fields(9).Value().toLongLong() != 0;
    const double total = header.Fields(8).Value().toDouble();
    ReportFields report;
    report.values = {
        {QStringLiteral("reportname"), parameter(QStringLiteral("strReportName"))},
        {QStringLiteral("username"), parameter(QStringLiteral("@strusername"))},
        {QStringLiteral("printdate"), voucherDate(QDate::currentDate())},
        {QStringLiteral("claimno"), text(0)},
        {QStringLiteral("date"), voucherDate(header.Fields(1).Value())},
        {QStringLiteral("employee"), text(2)},
        {QStringLiteral("approver"), text(3)},
        {QStringLiteral("type"), text(4)},
        {QStringLiteral("currency"), text(5)},
        {QStringLiteral("symbol"), text(6)},
        {QStringLiteral("remarks"), text(7)},
        {QStringLiteral("total"), formatAmount(total)},
        {QStringLiteral("cancelled"), cancelled ? QStringLiteral("CANCELLED") : QString()},
        {QStringLiteral("reason"), text(10)},
        {QStringLiteral("limit"), QString()},
        {QStringLiteral("utilized"), QString()},
        {QStringLiteral("balance"), QString()},
    };
    const adodb::Field employee = header.Fields(11), type = header.Fields(12);
    const QDate date = header.Fields(1).Value().toDate();
    header.Close();
    if (!employee.IsNull() && !type.IsNull() && date.isValid())
        addEligibility(report.values, connection_, tables_, companyId, claim, employee.Value().toLongLong(),
                       type.Value().toLongLong(), date, cancelled ? 0 : total);

    adodb::Recordset lines;
    lines.Open(reportLinesStatement(tables_, company, claim), connection_);
    QList<ReportRow>& rows = report.lists[QStringLiteral("lines")];
    for (; !lines.isEOF(); lines.MoveNext())
        rows.append({{QStringLiteral("slno"), QString::number(rows.size() + 1)},
                     {QStringLiteral("billno"), lines.Fields(0).textOrEmpty()},
                     {QStringLiteral("amount"), formatAmount(lines.Fields(1).Value().toDouble())},
                     {QStringLiteral("remarks"), lines.Fields(2).textOrEmpty()}});
    return report;
}

ReportPrinter ClaimReport::printer() const { return ReportPrinter(ReportLayout::fromFile(reportFile()), fields()); }

void ClaimReport::savePdf(const QString& path, QPageSize::PageSizeId size) const {
    printer().savePdf(path, voucherPageLayout(size));
}

void ClaimReport::preview(QWidget* parent) const {
    const ReportPrinter report = printer();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(voucherPageLayout());
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("rptReimbursement"));
    dialog.setWindowTitle(parameter(QStringLiteral("strReportName")));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&report](QPrinter* target) {
        report.print(*target);
    });

    auto* saveAsPdf = new QAction(QIcon::fromTheme(QStringLiteral("document-save-as")), QStringLiteral("Save as PDF"),
                                  &dialog);
    saveAsPdf->setObjectName(QStringLiteral("actSaveAsPdf"));
    saveAsPdf->setShortcut(QKeySequence::Save);
    if (auto* toolBar = dialog.findChild<QToolBar*>())
        toolBar->addAction(saveAsPdf);
    else
        dialog.addAction(saveAsPdf);
    const QString proposed = voucherFileName(report.fields().values.value(QStringLiteral("claimno")));
    connect(saveAsPdf, &QAction::triggered, &dialog, [&] {
        QFileDialog files(&dialog, QStringLiteral("Save as PDF"), QString(), QStringLiteral("PDF files (*.pdf)"));
        files.setObjectName(QStringLiteral("dlgSaveAsPdf"));
        files.setAcceptMode(QFileDialog::AcceptSave);
        files.setDefaultSuffix(QStringLiteral("pdf"));
        files.selectFile(proposed);
        if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty())
            return;
        try {
            report.savePdf(files.selectedFiles().first(), printer.pageLayout());
        } catch (const adodb::Error& error) {
            showMessage(&dialog, error.Description(), QMessageBox::Information);
        }
    });
    dialog.exec();
}

}  // namespace ZQ5Reimbursement
