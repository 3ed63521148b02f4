#include "claimstatements.h"

#include "shell/tablenames.h"

namespace ZQ5Reimbursement {

namespace {

QString number(qlonglong value) { return QString::number(value); }

// Eligibility lookups compare the claim date as "yyyy/mm/dd" text.
QString slashDate(const QDate& date) { return date.toString(QStringLiteral("yyyy/MM/dd")); }

// The prefix comes from the prefix table; doubling its quotes keeps the
// literal well-formed whatever the table holds.
QString quoted(const QString& text) { return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\''); }

}  // namespace

QString settingsCondition(std::int16_t companyId) { return QStringLiteral("CompanyID=") + number(companyId); }

QString employeeCondition(std::int16_t companyId) {
    return QStringLiteral("eCompanyID=") + number(companyId) + QStringLiteral("and eActive=1");
}

QString approverCondition(std::int16_t companyId, const QString& sanctionDesignations) {
    return QStringLiteral("eCompanyID=") + number(companyId) + QStringLiteral("and eActive=1 and eDesigId in (") +
           sanctionDesignations + QStringLiteral(")");
}

// The condition that keeps a read of eligibility to the company's own.
QString eligibilityCompany(std::int16_t companyId) { return QStringLiteral(" and d.redcompanyid=") + number(companyId); }

QString typeListSource(const TableNames& tables, const QDate& claimDate, qlonglong employeeId,
                       std::int16_t companyId) {
    return tables[QStringLiteral("preimbursementmaster")] + QStringLiteral(" m, ") +
           tables[QStringLiteral("preimeligibilityheader")] + QStringLiteral(" h, ") +
           tables[QStringLiteral("preimeligibilitydetail")] + QStringLiteral(" d ") +
           QStringLiteral(" where h.recompanyid=d.redcompanyid ") +
           QStringLiteral(" and h.rereimelid=d.redreimelid  and h.recancelled=0 ") +
           QStringLiteral(" and h.recompanyid=m.companyid and m.rtypeid=h.reretypeid and '") + slashDate(claimDate) +
           QStringLiteral("' between h.rereimeffdate and ") + QStringLiteral(" h.rereimtilldate and d.reemployeeid=") +
           number(employeeId) + eligibilityCompany(companyId);
}

QString currencyListSource(const TableNames& tables, qlonglong typeId, const QDate& claimDate,
                           qlonglong employeeId, std::int16_t companyId) {
    return tables[QStringLiteral("pcurrencymaster")] + QStringLiteral(" c,") +
           tables[QStringLiteral("preimeligibilityheader")] + QStringLiteral(" h,") +
           tables[QStringLiteral("preimeligibilitydetail")] + QStringLiteral(" d") +
           QStringLiteral(" where  h.recompanyid=d.redcompanyid and ") +
           QStringLiteral(" h.rereimelid=d.redreimelid  and h.recancelled=0  and  h.recompanyid=c.CompanyID and") +
           QStringLiteral(" c.CurrencyID=h.recurrencyid and h.reretypeid= ") + number(typeId) +
           QStringLiteral(" and h.rereimeffdate <='") + slashDate(claimDate) + QStringLiteral("' and ") +
           QStringLiteral(" d.reemployeeid=") + number(employeeId) + eligibilityCompany(companyId);
}

QString symbolCondition(qlonglong currencyId, std::int16_t companyId) {
    return QStringLiteral("CurrencyID=") + number(currencyId) + QStringLiteral(" and CompanyID=") + number(companyId);
}

QString utilizedStatement(const TableNames& tables, std::int16_t companyId, qlonglong employeeId,
                          qlonglong typeId, const QDate& claimDate,
                          const std::optional<QString>& editedClaimId) {
    const QString date = slashDate(claimDate);
    QString sql = QStringLiteral("select isnull(sum(d.rdBillAmt),0) Amount from ") +
                  tables[QStringLiteral("pReimburseHeader")] + QStringLiteral(" h,") +
                  tables[QStringLiteral("pReimbursedetail")] + QStringLiteral(" d, ") +
                  tables[QStringLiteral("preimeligibilityheader")] + QStringLiteral(" eh, ") +
                  tables[QStringLiteral("preimeligibilitydetail")] + QStringLiteral(" ed ") +
                  QStringLiteral("  where  h.rhCompanyID=d.rdCompanyID and h.rhReimburseID=d.rdReimburseID ") +
                  QStringLiteral("  and h.rhCancelled=0 and h.rhCompanyID=") + number(companyId) +
                  QStringLiteral(" and eh.recompanyid=h.rhCompanyID") +
                  QStringLiteral("  and eh.recompanyid = ed.redcompanyid and eh.rereimelid = ed.redreimelid ") +
                  QStringLiteral(" and eh.recancelled = 0 and eh.reretypeid = h.rhrtypeid and h.rhclaimempid = ") +
                  QStringLiteral(" ed.reemployeeid and h.rhClaimEmpID= ") + number(employeeId) +
                  QStringLiteral("  and h.rhrtypeid= ") + number(typeId) + QStringLiteral(" and ") +
                  QStringLiteral("'") + date + QStringLiteral("' >= eh.rereimeffdate ") + QStringLiteral(" and '") +
                  date + QStringLiteral("' <= isnull(eh.rereimtilldate, ") + QStringLiteral("'") + date +
                  QStringLiteral("') and ");
    if (!editedClaimId)
        return sql + QStringLiteral(" h.rhDate >= eh.rereimeffdate  and h.rhDate <=eh.rereimtilldate ");
    return sql + QStringLiteral(" h.rhDate >= eh.rereimeffdate  and h.rhDate <=eh.rereimtilldate and ") +
           QStringLiteral(" rhReimburseID <> ") + *editedClaimId + QStringLiteral(" and rhCompanyId = ") +
           number(companyId);
}

QString limitStatement(const TableNames& tables, qlonglong typeId, qlonglong employeeId,
                       const QDate& claimDate, std::int16_t companyId) {
    const QString date = slashDate(claimDate);
    return QStringLiteral("select d.relimit,c.Symbol from ") + tables[QStringLiteral("preimeligibilityheader")] +
           QStringLiteral(" h,") + tables[QStringLiteral("preimeligibilitydetail")] + QStringLiteral(" d,") +
           tables[QStringLiteral("pcurrencymaster")] + QStringLiteral(" c ") + QStringLiteral(" where ") +
           QStringLiteral(" h.recompanyid=d.redcompanyid and h.rereimelid = d.redreimelid And  ") +
           QStringLiteral(" c.CompanyID = h.recompanyid and c.CurrencyID=h.recurrencyid ") +
           QStringLiteral(" and h.recancelled=0 and h.reretypeid= ") + number(typeId) +
           QStringLiteral(" and d.reemployeeid= ") + number(employeeId) + QStringLiteral(" and ") +
           QStringLiteral("'") + date + QStringLiteral("' >= h.rereimeffdate ") + QStringLiteral(" and '") + date +
           QStringLiteral("' <= isnull(h.rereimtilldate, ") + QStringLiteral("'") + date + QStringLiteral("')") +
           eligibilityCompany(companyId);
}

QString claimHeaderStatement(const TableNames& tables, std::int16_t companyId, const QString& claimIdText) {
    return QStringLiteral("select * from ") + tables[QStringLiteral("pReimburseHeader")] +
           QStringLiteral(" where rhcompanyid=") + number(companyId) + QStringLiteral("and rhreimburseid=") +
           claimIdText;
}

QString claimLinesCondition(const QString& claimIdText, std::int16_t companyId) {
    return QStringLiteral("rdreimburseid = ") + claimIdText + QStringLiteral(" and rdCompanyId = ") + number(companyId);
}

QString prefixStatement(const TableNames& tables, std::int32_t interfaceId, std::int16_t companyId) {
    return QStringLiteral("SELECT Prefix FROM ") + tables[QStringLiteral("pPrefix")] +
           QStringLiteral(" WHERE InterfaceID = ") + number(interfaceId) + QStringLiteral(" and companyid=") +
           number(companyId);
}

QString highestNumberStatement(const TableNames& tables, std::int16_t companyId, const QString& prefix) {
    const QString length = number(prefix.length());
    const QString literal = quoted(prefix);
    return QStringLiteral("Select isnull(max(convert(int,right(rhreimburseno,len(rhreimburseno)-") + length +
           QStringLiteral("))),0) from ") + tables[QStringLiteral("pReimburseHeader")] +
           QStringLiteral(" where rhcompanyid = ") + number(companyId) + QStringLiteral(" and len(rhreimburseno)>len(") +
           literal + QStringLiteral(") and ") +
           QStringLiteral(" isnumeric(isnull(right(rhreimburseno,len(rhreimburseno)-") + length +
           QStringLiteral("),0)) =1 and substring(rhreimburseno,1,len(") + literal + QStringLiteral("))=") + literal;
}

QString headerInsertStatement(const TableNames& tables) {
    return QStringLiteral("insert into ") + tables[QStringLiteral("pReimburseHeader")] +
           QStringLiteral("(rhreimburseid,rhcompanyid,rhreimburseno,rhdate,rhClaimEmpID,rhApprovedEmpID, ") +
           QStringLiteral("rhremarks,rhTotalAmt,rhCancelled,rhcurrencyid ,rhrtypeid) values(?,?,?,?,?,?,?,?,?,?,?)");
}

QString headerUpdateStatement(const TableNames& tables, std::int32_t claimId, std::int16_t companyId) {
    return QStringLiteral("update ") + tables[QStringLiteral("pReimburseHeader")] +
           QStringLiteral(" set rhdate=?,rhRemarks=?,rhClaimEmpID=?, ") +
           QStringLiteral(" rhapprovedempid=?,rhTotalAmt=?,rhcurrencyid=?,rhrtypeid=? where rhreimburseid=") +
           number(claimId) + QStringLiteral(" and rhcompanyid =") + number(companyId);
}

QString linesDeleteStatement(const TableNames& tables, std::int32_t claimId, std::int16_t companyId) {
    return QStringLiteral("delete from ") + tables[QStringLiteral("pReimbursedetail")] +
           QStringLiteral(" where rdreimburseid= ") + number(claimId) + QStringLiteral(" and rdCompanyID=") +
           number(companyId);
}

QString lineInsertStatement(const TableNames& tables) {
    return QStringLiteral("insert into ") + tables[QStringLiteral("pReimbursedetail")] +
           QStringLiteral("(rdCompanyId,rdreimburseid, ") +
           QStringLiteral("rddetailid,rdbillno,rdbillamt,rdremarks) values(?,?,?,?,?,?) ");
}

}  // namespace ZQ5Reimbursement
