#include "claimreport.h"

#include "shell/basreimbursement.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>

namespace ZQ5Reimbursement {

namespace {

QString field(const QString& name, const QString& value) {
    return name + QLatin1Char(';') + value + QStringLiteral(";true");
}

QString cell(const QString& text, const char* tag = "td") {
    return QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), text.toHtmlEscaped());
}

}  // namespace

QStringList reportParameterFields(std::int16_t companyId, const QString& claimIdText, const QString& userName) {
    return {field(QStringLiteral("@intCompanyId"), QString::number(companyId)),
            field(QStringLiteral("@intReimbursementID"), claimIdText),
            field(QStringLiteral("strReportName"), QStringLiteral("Reimbursement")),
            field(QStringLiteral("@strusername"), userName)};
}

ClaimReport::ClaimReport(std::shared_ptr<adodb::Connection> connection, const TableNames& tables, QObject* parent)
    : QObject(parent), connection_(std::move(connection)), tables_(tables) {
    setObjectName(QStringLiteral("crpReimbursement"));
}

void ClaimReport::setParameterFields(const QStringList& fields) { fields_ = fields; }

QString ClaimReport::parameter(const QString& name) const {
    for (const QString& field : fields_)
        if (field.section(QLatin1Char(';'), 0, 0) == name)
            return field.section(QLatin1Char(';'), 1, 1);
    return {};
}

QString ClaimReport::html() const {
    // Only whole numbers reach the statements.
    const QString company = QString::number(parameter(QStringLiteral("@intCompanyId")).toLongLong());
    const QString claim = QString::number(parameter(QStringLiteral("@intReimbursementID")).toLongLong());
    const QString employees = tables_[QStringLiteral("pemployee")];
    adodb::Recordset header;
    header.Open(QStringLiteral("select h.rhreimburseno, h.rhdate, e.ename, a.ename, m.rtypename, c.CurrencyName, "
                               "h.rhremarks, h.rhTotalAmt, h.rhCancelled from ")
                    + tables_[QStringLiteral("pReimburseHeader")] + QStringLiteral(" h left join ") + employees
                    + QStringLiteral(" e on e.ecompanyid = h.rhcompanyid and e.eempid = h.rhClaimEmpID left join ")
                    + employees
                    + QStringLiteral(" a on a.ecompanyid = h.rhcompanyid and a.eempid = h.rhApprovedEmpID left join ")
                    + tables_[QStringLiteral("preimbursementmaster")]
                    + QStringLiteral(" m on m.companyid = h.rhcompanyid and m.rtypeid = h.rhrtypeid left join ")
                    + tables_[QStringLiteral("pcurrencymaster")]
                    + QStringLiteral(" c on c.CompanyID = h.rhcompanyid and c.CurrencyID = h.rhcurrencyid")
                    + QStringLiteral(" where h.rhcompanyid = ") + company + QStringLiteral(" and h.rhreimburseid = ")
                    + claim,
                connection_);
    if (header.isEOF())
        throw adodb::Error(adodb::adErrNoCurrentRecord, QStringLiteral("crpReimbursement"),
                           QStringLiteral("No claim ") + claim + QStringLiteral(" to report"));
    const auto text = [&header](int i) { return header.Fields(i).textOrEmpty(); };
    QString page = QStringLiteral("<h2>") + parameter(QStringLiteral("strReportName")).toHtmlEscaped()
                 + QStringLiteral("</h2><table cellpadding=\"2\">");
    const QStringList labels{QStringLiteral("Claim No."), QStringLiteral("Date"), QStringLiteral("Employee"),
                             QStringLiteral("Approved By"), QStringLiteral("Type"), QStringLiteral("Currency"),
                             QStringLiteral("Remarks")};
    for (int i = 0; i < labels.size(); ++i)
        page += QStringLiteral("<tr>") + cell(labels[i], "th") + cell(text(i)) + QStringLiteral("</tr>");
    if (header.Fields(8).Value().toInt() == 1)
        page += QStringLiteral("<tr>") + cell(QStringLiteral("Cancelled"), "th") + cell(QStringLiteral("Yes"))
              + QStringLiteral("</tr>");
    const double total = header.Fields(7).Value().toDouble();
    header.Close();

    adodb::Recordset lines;
    lines.Open(QStringLiteral("select rddetailid, rdbillno, rdbillamt, rdremarks from ")
                   + tables_[QStringLiteral("pReimbursedetail")] + QStringLiteral(" where rdCompanyId = ") + company
                   + QStringLiteral(" and rdreimburseid = ") + claim + QStringLiteral(" order by rddetailid"),
               connection_);
    page += QStringLiteral("</table><p></p><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr>")
          + cell(QStringLiteral("SlNo."), "th") + cell(QStringLiteral("Bill No."), "th")
          + cell(QStringLiteral("Amount"), "th") + cell(QStringLiteral("Remarks"), "th") + QStringLiteral("</tr>");
    for (; !lines.isEOF(); lines.MoveNext())
        page += QStringLiteral("<tr>") + cell(lines.Fields(0).textOrEmpty()) + cell(lines.Fields(1).textOrEmpty())
              + cell(formatAmount(lines.Fields(2).Value().toDouble())) + cell(lines.Fields(3).textOrEmpty())
              + QStringLiteral("</tr>");
    lines.Close();
    page += QStringLiteral("<tr>") + cell(QString()) + cell(QStringLiteral("Total"), "th") + cell(formatAmount(total))
          + cell(QString()) + QStringLiteral("</tr></table><p>")
          + (QStringLiteral("Printed by ") + parameter(QStringLiteral("@strusername"))).toHtmlEscaped()
          + QStringLiteral("</p>");
    return page;
}

void ClaimReport::preview(QWidget* parent) const {
    QTextDocument document;
    document.setHtml(html());
    QPrinter printer;
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("rptReimbursement"));
    dialog.setWindowTitle(parameter(QStringLiteral("strReportName")));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &document, [&document](QPrinter* target) {
        document.print(target);
    });
    dialog.exec();
}

}  // namespace ZQ5Reimbursement
