// The claim window's statement texts, blank for blank, with physical table
// names that differ from the logical ones so that every name is seen mapped.
#include "claim/claimstatements.h"
#include "shell/tablenames.h"

#include <QTest>

using namespace ZQ5Reimbursement;

class ClaimStatementsTest : public QObject {
    Q_OBJECT

    TableNames tables;
    const QDate claimDate{2004, 3, 15};

private slots:
    void initTestCase() {
        tables.set(QStringLiteral("pReimburseHeader"), QStringLiteral("HDR"));
        tables.set(QStringLiteral("pReimbursedetail"), QStringLiteral("DET"));
        tables.set(QStringLiteral("preimeligibilityheader"), QStringLiteral("ELH"));
        tables.set(QStringLiteral("preimeligibilitydetail"), QStringLiteral("ELD"));
        tables.set(QStringLiteral("pcurrencymaster"), QStringLiteral("CUR"));
        tables.set(QStringLiteral("preimbursementmaster"), QStringLiteral("TYP"));
        tables.set(QStringLiteral("pPrefix"), QStringLiteral("PFX"));
    }

    void lookupConditions() {
        QCOMPARE(settingsCondition(4), QStringLiteral("CompanyID=4"));
        QCOMPARE(employeeCondition(1), QStringLiteral("eCompanyID=1and eActive=1"));
        QCOMPARE(approverCondition(1, QStringLiteral("3,7")),
                 QStringLiteral("eCompanyID=1and eActive=1 and eDesigId in (3,7)"));
        // An empty designation list is passed on as it stands.
        QCOMPARE(approverCondition(2, QString()), QStringLiteral("eCompanyID=2and eActive=1 and eDesigId in ()"));
        QCOMPARE(symbolCondition(12, 3), QStringLiteral("CurrencyID=12 and CompanyID=3"));
    }

    void typeAndCurrencyLists() {
        QCOMPARE(typeListSource(tables, claimDate, 42),
                 QStringLiteral("TYP m, ELH h, ELD d  where h.recompanyid=d.redcompanyid  and "
                                "h.rereimelid=d.redreimelid  and h.recancelled=0  and h.recompanyid=m.companyid "
                                "and m.rtypeid=h.reretypeid and '2004/03/15' between h.rereimeffdate and  "
                                "h.rereimtilldate and d.reemployeeid=42"));
        QCOMPARE(currencyListSource(tables, 7, claimDate, 42),
                 QStringLiteral("CUR c,ELH h,ELD d where  h.recompanyid=d.redcompanyid and  "
                                "h.rereimelid=d.redreimelid  and h.recancelled=0  and  h.recompanyid=c.CompanyID "
                                "and c.CurrencyID=h.recurrencyid and h.reretypeid= 7 and h.rereimeffdate "
                                "<='2004/03/15' and  d.reemployeeid=42"));
    }

    void utilizedForNewAndExistingClaims() {
        const QString common = QStringLiteral(
            "select isnull(sum(d.rdBillAmt),0) Amount from HDR h,DET d, ELH eh, ELD ed   where  "
            "h.rhCompanyID=d.rdCompanyID and h.rhReimburseID=d.rdReimburseID   and h.rhCancelled=0 and "
            "h.rhCompanyID=3  and eh.recompanyid = ed.redcompanyid and eh.rereimelid = ed.redreimelid  and "
            "eh.recancelled = 0 and eh.reretypeid = h.rhrtypeid and h.rhclaimempid =  ed.reemployeeid and "
            "h.rhClaimEmpID= 42  and h.rhrtypeid= 7 and '2004/03/15' >= eh.rereimeffdate  and '2004/03/15' <= "
            "isnull(eh.rereimtilldate, '2004/03/15') and ");
        QCOMPARE(utilizedStatement(tables, 3, 42, 7, claimDate, std::nullopt),
                 common + QStringLiteral(" h.rhDate >= eh.rereimeffdate  and h.rhDate <=eh.rereimtilldate "));
        QCOMPARE(utilizedStatement(tables, 3, 42, 7, claimDate, QStringLiteral("17")),
                 common + QStringLiteral(" h.rhDate >= eh.rereimeffdate  and h.rhDate <=eh.rereimtilldate and  "
                                         "rhReimburseID <> 17 and rhCompanyId = 3"));
    }

    void limit() {
        QCOMPARE(limitStatement(tables, 7, 42, claimDate),
                 QStringLiteral("select d.relimit,c.Symbol from ELH h,ELD d,CUR c  where  "
                                "h.recompanyid=d.redcompanyid and h.rereimelid = d.redreimelid And   c.CompanyID = "
                                "h.recompanyid and c.CurrencyID=h.recurrencyid  and h.recancelled=0 and "
                                "h.reretypeid= 7 and d.reemployeeid= 42 and '2004/03/15' >= h.rereimeffdate  and "
                                "'2004/03/15' <= isnull(h.rereimtilldate, '2004/03/15')"));
    }

    void loadingAClaim() {
        QCOMPARE(claimHeaderStatement(tables, 3, QStringLiteral("17")),
                 QStringLiteral("select * from HDR where rhcompanyid=3and rhreimburseid=17"));
        QCOMPARE(claimLinesCondition(QStringLiteral("17")), QStringLiteral("rdreimburseid = 17"));
    }

    void numbering() {
        QCOMPARE(prefixStatement(tables, 2500, 3),
                 QStringLiteral("SELECT Prefix FROM PFX WHERE InterfaceID = 2500 and companyid=3"));
        QCOMPARE(highestNumberStatement(tables, 3, QStringLiteral("RB")),
                 QStringLiteral("Select isnull(max(convert(int,right(rhreimburseno,len(rhreimburseno)-2))),0) "
                                "from HDR where rhcompanyid = 3 and len(rhreimburseno)>len('RB') and  "
                                "isnumeric(isnull(right(rhreimburseno,len(rhreimburseno)-2),0)) =1 and "
                                "substring(rhreimburseno,1,len('RB'))='RB'"));
        // No prefix: every numeric claim number of the company takes part.
        QCOMPARE(highestNumberStatement(tables, 3, QString()),
                 QStringLiteral("Select isnull(max(convert(int,right(rhreimburseno,len(rhreimburseno)-0))),0) "
                                "from HDR where rhcompanyid = 3 and len(rhreimburseno)>len('') and  "
                                "isnumeric(isnull(right(rhreimburseno,len(rhreimburseno)-0),0)) =1 and "
                                "substring(rhreimburseno,1,len(''))=''"));
        // A quote in a configured prefix cannot break the literal.
        QVERIFY(highestNumberStatement(tables, 3, QStringLiteral("R'B")).endsWith(QStringLiteral("='R''B'")));
        QVERIFY(highestNumberStatement(tables, 3, QStringLiteral("R'B")).contains(QStringLiteral("len(rhreimburseno)-3")));
    }

    void save() {
        QCOMPARE(headerInsertStatement(tables),
                 QStringLiteral("insert into HDR(rhreimburseid,rhcompanyid,rhreimburseno,rhdate,rhClaimEmpID,"
                                "rhApprovedEmpID, rhremarks,rhTotalAmt,rhCancelled,rhcurrencyid ,rhrtypeid) "
                                "values(?,?,?,?,?,?,?,?,?,?,?)"));
        QCOMPARE(headerUpdateStatement(tables, 17, 3),
                 QStringLiteral("update HDR set rhdate=?,rhRemarks=?,rhClaimEmpID=?,  rhapprovedempid=?,"
                                "rhTotalAmt=?,rhcurrencyid=?,rhrtypeid=? where rhreimburseid=17 and rhcompanyid =3"));
        QCOMPARE(linesDeleteStatement(tables, 17, 3),
                 QStringLiteral("delete from DET where rdreimburseid= 17 and rdCompanyID=3"));
        QCOMPARE(lineInsertStatement(tables),
                 QStringLiteral("insert into DET(rdCompanyId,rdreimburseid, rddetailid,rdbillno,rdbillamt,rdremarks) "
                                "values(?,?,?,?,?,?) "));
    }
};

QTEST_GUILESS_MAIN(ClaimStatementsTest)
#include "tst_claimstatements.moc"
