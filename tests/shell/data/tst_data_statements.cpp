// The module's own statement texts, run through the SQLite provider against
// rows chosen so that a wrong translation gives a wrong answer.
#include "testdatabase.h"

#include <QTest>

class StatementsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { db_.reset(); }

    void listsClaimsFromTheDate();
    void generatesTheNextClaimNumber_data();
    void generatesTheNextClaimNumber();
    void countsLivePayments();
    void sumsUtilizedAmounts_data();
    void sumsUtilizedAmounts();
    void readsLimits_data();
    void readsLimits();
    void listsTypesInForce();
    void readsHeaderAndLines();
    void readsRightsAndLinkTables();
    void leavesNonDateLiteralsAlone();
    void computesTsqlFunctions_data();
    void computesTsqlFunctions();
    void raisesSqlServerErrors_data();
    void raisesSqlServerErrors();

private:
    std::unique_ptr<TestDatabase> db_;
};

void StatementsTest::initTestCase() {
    db_ = std::make_unique<TestDatabase>();
    db_->exec(
        "insert into pemployee(eempid, ecompanyid, ename) values (1,1,'Asha'),(2,1,'Bina'),(3,1,'Ravi'),(1,2,'Other');"
        "insert into preimbursementmaster values (1,'Medical',1),(2,'Travel',1),(3,'TravelThree',2);"
        "insert into pcurrencymaster values (1,1,'Dollar','$'),(1,2,'Rupee','Rs');"
        // id, company, number, date, employee, type, cancelled
        "insert into pReimburseHeader(rhreimburseid,rhcompanyid,rhreimburseno,rhdate,rhClaimEmpID,rhrtypeid,"
        "rhCancelled) values"
        " (5,1,'RB1','2004-02-14',3,2,0),(6,1,'RB9','2004-02-10',1,1,0),(7,1,'RB10','2004-03-01',3,2,1),"
        " (8,1,'XY5','2004-03-05',3,2,0),(9,1,'RBX','2004-03-06',2,1,0),(10,1,'RB','2004-03-07',2,1,0),"
        " (11,1,'15','2004-03-08',2,1,0),(14,1,'20040214','2004-03-10',3,1,0),"
        " (12,2,'RB99','2004-03-01',1,2,0),(13,2,'7','2004-03-01',1,2,0),(17,3,'C17','2004-03-02',1,1,0);"
        "insert into pReimbursedetail(rdCompanyId,rdreimburseid,rddetailid,rdbillno,rdbillamt,rdremarks) values"
        " (1,5,1,'b1',12.5,'r'),(1,5,2,'b2',10,''),(1,8,1,'b3',40.25,null),(1,7,1,'b4',1000,null),"
        " (1,14,1,'b5',20,null),(3,17,1,'A',12.5,'x'),(3,17,2,'B',1234.5,null),(3,17,3,'C',7,null);"
        // rule, company, type, currency, from, till, cancelled
        "insert into preimeligibilityheader values (1,1,2,1,'2004-01-01','2004-06-30',0),"
        " (2,1,2,1,'2004-07-01',null,0),(3,1,1,2,'2004-01-01',null,0),(4,1,2,1,'2004-01-01','2004-12-31',1);"
        "insert into preimeligibilitydetail values (1,1,3,500),(1,2,3,800),(1,3,3,300),(1,4,3,999);"
        "insert into pPaymentHeader values (1,1,0),(1,2,1),(2,3,0);"
        "insert into pPaymentDetail values (1,1,7),(1,2,7),(2,3,7),(1,2,5);"
        "insert into puserrights values (1,2,77,'NEDP'),(1,2,78,'N'),(2,2,77,'X');");
}

void StatementsTest::listsClaimsFromTheDate() {
    const QString listing =
        " select rh.rhreimburseid, rh.rhreimburseNo,rm.rtypename, rh.rhdate,pe.ename, case when rh.rhcancelled=1 "
        " then 'Yes' else 'No' end rhcancelled  from pReimburseHeader rh,pemployee pe,preimbursementmaster rm "
        "Where rh.rhrtypeid = rm.rtypeid  And rh.rhCompanyid = pe.ecompanyid And rh.rhclaimempid = pe.eempid "
        "And rh.rhCompanyid =1";
    QStringList all = db_->rows(listing);
    all.sort();
    QCOMPARE(all.size(), 8);
    QStringList fromDate = db_->rows(listing + " and rhdate >='20040214'");
    fromDate.sort();
    QCOMPARE(fromDate, (QStringList{"10|RB|Medical|07/03/2004|Bina|No", "11|15|Medical|08/03/2004|Bina|No",
                                    "14|20040214|Medical|10/03/2004|Ravi|No", "5|RB1|Travel|14/02/2004|Ravi|No",
                                    "7|RB10|Travel|01/03/2004|Ravi|Yes", "8|XY5|Travel|05/03/2004|Ravi|No",
                                    "9|RBX|Medical|06/03/2004|Bina|No"}));
    QCOMPARE(db_->scalar("select count(*) from pReimburseHeader where rhcompanyid=1 and rhdate between '20040214' "
                         "and '20040305'"),
             QString("3"));
    QCOMPARE(db_->rows(listing + " and rhdate >='20040214' and rhreimburseid=5"),
             QStringList{"5|RB1|Travel|14/02/2004|Ravi|No"});
}

void StatementsTest::generatesTheNextClaimNumber_data() {
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("expected");
    QTest::newRow("RB, numbers compared as integers") << "RB" << "10";
    QTest::newRow("no prefix, all-numeric numbers") << "" << "20040214";
    QTest::newRow("prefix nobody uses") << "ZZ" << "0";
}

void StatementsTest::generatesTheNextClaimNumber() {
    QFETCH(QString, prefix);
    QFETCH(QString, expected);
    const QString length = QString::number(prefix.size());
    const QString sql = "Select isnull(max(convert(int,right(rhreimburseno,len(rhreimburseno)-" + length +
                        "))),0) from pReimburseHeader where rhcompanyid = 1 and len(rhreimburseno)>len('" + prefix +
                        "') and  isnumeric(isnull(right(rhreimburseno,len(rhreimburseno)-" + length +
                        "),0)) =1 and substring(rhreimburseno,1,len('" + prefix + "'))='" + prefix + "'";
    QCOMPARE(db_->scalar(sql), expected);
}

void StatementsTest::countsLivePayments() {
    const QString sql = "SELECT Count (1) From pPaymentHeader ph, pPaymentDetail pd Where "
                        "ph.phCompanyID =pd.pdCompanyID and ph.phPaymentID = pd.pdPaymentID and "
                        "ph.phCompanyID = 1 and ph.phCancelled=0 and pdReimburseID =";
    QCOMPARE(db_->scalar(sql + "7"), QString("1"));
    QCOMPARE(db_->scalar(sql + "5"), QString("0"));
}

void StatementsTest::sumsUtilizedAmounts_data() {
    QTest::addColumn<int>("employee");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("expected");
    QTest::newRow("live claims under a closed rule") << 3 << 2 << "62.75";
    QTest::newRow("open-ended rule contributes nothing") << 3 << 1 << "0";
    QTest::newRow("no claims") << 1 << 2 << "0";
}

void StatementsTest::sumsUtilizedAmounts() {
    QFETCH(int, employee);
    QFETCH(int, type);
    QFETCH(QString, expected);
    const QString sql =
        "select isnull(sum(d.rdBillAmt),0) Amount from pReimburseHeader h,pReimbursedetail d, "
        "preimeligibilityheader eh, preimeligibilitydetail ed   where  h.rhCompanyID=d.rdCompanyID and "
        "h.rhReimburseID=d.rdReimburseID   and h.rhCancelled=0 and h.rhCompanyID=1  and eh.recompanyid = "
        "ed.redcompanyid and eh.rereimelid = ed.redreimelid  and eh.recancelled = 0 and eh.reretypeid = "
        "h.rhrtypeid and h.rhclaimempid =  ed.reemployeeid and h.rhClaimEmpID= " +
        QString::number(employee) + "  and h.rhrtypeid= " + QString::number(type) +
        " and '2004/03/15' >= eh.rereimeffdate  and '2004/03/15' <= isnull(eh.rereimtilldate, '2004/03/15') and "
        " h.rhDate >= eh.rereimeffdate  and h.rhDate <=eh.rereimtilldate ";
    QCOMPARE(db_->scalar(sql), expected);
}

void StatementsTest::readsLimits_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("closed rule; later and cancelled rules left out") << 2 << QStringList{"500|$"};
    QTest::newRow("open-ended rule") << 1 << QStringList{"300|Rs"};
}

void StatementsTest::readsLimits() {
    QFETCH(int, type);
    QFETCH(QStringList, expected);
    const QString sql =
        "select d.relimit,c.Symbol from preimeligibilityheader h,preimeligibilitydetail d,pcurrencymaster c  where "
        " h.recompanyid=d.redcompanyid and h.rereimelid = d.redreimelid And   c.CompanyID = h.recompanyid and "
        "c.CurrencyID=h.recurrencyid  and h.recancelled=0 and h.reretypeid= " +
        QString::number(type) +
        " and d.reemployeeid= 3 and '2004/03/15' >= h.rereimeffdate  and '2004/03/15' <= "
        "isnull(h.rereimtilldate, '2004/03/15')";
    QCOMPARE(db_->rows(sql), expected);
}

void StatementsTest::listsTypesInForce() {
    const QString sql =
        "select rtypeid, rtypename from preimbursementmaster m, preimeligibilityheader h, preimeligibilitydetail d "
        " where h.recompanyid=d.redcompanyid  and h.rereimelid=d.redreimelid  and h.recancelled=0  and "
        "h.recompanyid=m.companyid and m.rtypeid=h.reretypeid and '2004/03/15' between h.rereimeffdate and  "
        "h.rereimtilldate and d.reemployeeid=3";
    QCOMPARE(db_->rows(sql), QStringList{"2|Travel"});
}

void StatementsTest::readsHeaderAndLines() {
    adodb::Recordset header;
    header.Open("select * from pReimburseHeader where rhcompanyid=3and rhreimburseid=17", db_->connection(),
                adodb::adOpenKeyset, adodb::adLockOptimistic);
    QVERIFY(!header.isEOF());
    QCOMPARE(header.Fields("rhReimburseNo").text(), QString("C17"));
    QCOMPARE(header.Fields("rhdate").Value(), QVariant(QDate(2004, 3, 2)));
    header.MoveNext();
    QVERIFY(header.isEOF());
    QCOMPARE(db_->rows("select rdbillno, convert(varchar(10),rdbillamt), rdremarks from pReimbursedetail where "
                       "rdreimburseid = 17 order by rddetailid"),
             (QStringList{"A|12.50|x", "B|1234.50|", "C|7.00|"}));
}

void StatementsTest::readsRightsAndLinkTables() {
    QCOMPARE(db_->scalar("Select FunctionRights from puserrights  where  companyid = 1 and userid = 2 and  "
                         "interfaceid = 77"),
             QString("NEDP"));
    QCOMPARE(db_->rows(" select tablename, linktablename from linktable where tablename in (  'PUSERS', "
                       "'preimburseheader') order by linktablename"),
             (QStringList{"pReimburseHeader|pReimburseHeader", "pusers|pusers"}));
}

void StatementsTest::leavesNonDateLiteralsAlone() {
    QCOMPARE(db_->scalar("select rhreimburseid from pReimburseHeader where rhreimburseno='20040214'"),
             QString("14"));
    QCOMPARE(db_->scalar("select '20040214'"), QString("20040214"));
    QCOMPARE(db_->scalar("select rhreimburseid from pReimburseHeader where rhdate = '20040214'"), QString("5"));
}

void StatementsTest::computesTsqlFunctions_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("expected");
    QTest::newRow("len ignores trailing blanks") << "len(' ab  ')" << "3";
    QTest::newRow("len of a number") << "len(12.5)" << "4";
    QTest::newRow("len of null") << "isnull(len(null), -1)" << "-1";
    QTest::newRow("right") << "right('RB10', 2)" << "10";
    QTest::newRow("right longer than the text") << "right('ab', 5)" << "ab";
    QTest::newRow("left") << "left('abc', 2)" << "ab";
    QTest::newRow("substring") << "substring('abcdef', 2, 3)" << "bcd";
    QTest::newRow("substring from before the start") << "substring('abc', 0, 2)" << "a";
    QTest::newRow("substring negative start") << "substring('abc', -3, 2)" << "";
    QTest::newRow("isnumeric blanks, sign, decimal") << "isnumeric(' -12.5 ')" << "1";
    QTest::newRow("isnumeric exponent") << "isnumeric('1e5')" << "1";
    QTest::newRow("isnumeric two points") << "isnumeric('1.2.3')" << "0";
    QTest::newRow("isnumeric letters") << "isnumeric('12a')" << "0";
    QTest::newRow("isnumeric empty") << "isnumeric('')" << "0";
    QTest::newRow("isnumeric null") << "isnumeric(null)" << "0";
    QTest::newRow("isnumeric number") << "isnumeric(7)" << "1";
    QTest::newRow("convert int from text with blanks") << "convert(int, ' 42 ') + 1" << "43";
    QTest::newRow("convert int truncates") << "convert(int, -12.9)" << "-12";
    QTest::newRow("convert varchar two decimals") << "convert(varchar(10), 12.5)" << "12.50";
    QTest::newRow("convert varchar integer") << "convert(varchar(10), 7)" << "7";
    QTest::newRow("convert varchar truncates") << "convert(varchar(3), 'abcdef')" << "abc";
    QTest::newRow("sum of amounts") << "0.1 + 0.2" << "0.3";
    QTest::newRow("isnull") << "isnull(null, 'x')" << "x";
}

void StatementsTest::computesTsqlFunctions() {
    QFETCH(QString, expression);
    QFETCH(QString, expected);
    QCOMPARE(db_->scalar("select " + expression), expected);
}

void StatementsTest::raisesSqlServerErrors_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("message");
    QTest::newRow("right with a negative length")
        << "right('X', len('X') - 2)" << "Invalid length parameter passed to the right function.";
    QTest::newRow("convert of a fraction to int")
        << "convert(int, '12.5')" << "Conversion failed when converting the varchar value '12.5' to data type int.";
    QTest::newRow("convert of text to numeric") << "convert(numeric(10,2), 'ab')"
                                                << "Error converting data type varchar to numeric.";
}

void StatementsTest::raisesSqlServerErrors() {
    QFETCH(QString, expression);
    QFETCH(QString, message);
    try {
        db_->scalar("select " + expression);
        QFAIL("the statement ran");
    } catch (const adodb::Error& error) {
        QCOMPARE(error.Description(), message);
        QCOMPARE(error.Source(), QString("SQLite"));
    }
}

QTEST_GUILESS_MAIN(StatementsTest)
#include "tst_data_statements.moc"
