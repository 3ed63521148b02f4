#include "registerstatements.h"

namespace ZQ5Reimbursement {

namespace {

QString fromClause(const TableNames& tables) {
    return tables[QStringLiteral("pReimburseHeader")] + QStringLiteral(" rh,") + tables[QStringLiteral("pemployee")]
         + QStringLiteral(" pe,") + tables[QStringLiteral("preimbursementmaster")] + QStringLiteral(" rm");
}

}  // namespace

QString listingStatement(const TableNames& tables, std::int16_t companyId, std::int16_t days,
                         const QDate& processDate) {
    QString sql = QStringLiteral(" select rh.rhreimburseid, rh.rhreimburseNo,rm.rtypename, rh.rhdate,pe.ename, case when rh.rhcancelled=1 ")
                + QStringLiteral(" then 'Yes' else 'No' end rhcancelled ")
                + QStringLiteral(" from ")
                + fromClause(tables)
                + QStringLiteral(" Where rh.rhrtypeid = rm.rtypeid ")
                + QStringLiteral(" And rh.rhCompanyid = pe.ecompanyid And rh.rhclaimempid = pe.eempid And rh.rhCompanyid =")
                + QString::number(companyId)
                // Type IDs are numbered per company, as claims are.
                + QStringLiteral(" And rm.companyid = rh.rhCompanyid");
    if (days > 0)
        sql += QStringLiteral(" and rhdate >='") + processDate.addDays(-days).toString(QStringLiteral("yyyyMMdd"))
             + QStringLiteral("'");
    return sql;
}

QString listingPeriodCondition(std::int16_t companyId) {
    return QStringLiteral("companyID=") + QString::number(companyId);
}

QString nameGridStatement(const TableNames& tables, const QString& table) {
    return QStringLiteral("select ColumnHeader,ColumnLength,columnid from ") + tables[QStringLiteral("ptablecolumns")]
         + QStringLiteral(" where tableid=") + QStringLiteral("(select tableid from ") + tables[QStringLiteral("ptables")]
         + QStringLiteral(" where tablename='") + table.trimmed() + QStringLiteral("') order by columnid");
}

QString rightsStatement(const TableNames& tables, std::int16_t companyId, std::int16_t userId,
                        std::int32_t interfaceId) {
    return QStringLiteral("Select FunctionRights from ") + tables[QStringLiteral("puserrights")]
         + QStringLiteral("  where ") + QStringLiteral(" companyid = ") + QString::number(companyId)
         + QStringLiteral(" and userid = ") + QString::number(userId) + QStringLiteral(" and ")
         + QStringLiteral(" interfaceid = ") + QString::number(interfaceId);
}

QString paymentCheckStatement(std::int16_t companyId, qlonglong claimId) {
    return QStringLiteral("SELECT Count (1) From pPaymentHeader ph, pPaymentDetail pd Where ")
         + QStringLiteral("ph.phCompanyID =pd.pdCompanyID and ph.phPaymentID = pd.pdPaymentID and ")
         + QStringLiteral("ph.phCompanyID = ") + QString::number(companyId)
         + QStringLiteral(" and ph.phCancelled=0 and pdReimburseID =") + QString::number(claimId);
}

QString refreshRowStatement(const QString& listSql, const QString& condition) {
    QString sql = listSql;
    const qsizetype orderBy = sql.indexOf(QStringLiteral("order by"), 0, Qt::CaseInsensitive);
    if (orderBy >= 0)
        sql.truncate(orderBy);
    sql += sql.contains(QStringLiteral("where"), Qt::CaseInsensitive) ? QStringLiteral(" and ") : QStringLiteral(" where ");
    return sql + condition;
}

QString userNameStatement(const TableNames& tables, std::int16_t userId) {
    return QStringLiteral("select username from ") + tables[QStringLiteral("pusers")] + QStringLiteral(" where userid = ")
         + QString::number(userId);
}

}  // namespace ZQ5Reimbursement
