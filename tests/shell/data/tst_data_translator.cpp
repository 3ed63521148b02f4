// The T-SQL translator alone: exact SQLite texts for the module's idioms.
#include "shell/data/tsql/tsqltranslator.h"

#include <QTest>

using adodb::translateTsql;

class TranslatorTest : public QObject {
    Q_OBJECT

private slots:
    void translates_data();
    void translates();
};

void TranslatorTest::translates_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("expected");

    QTest::newRow("number glued to keyword")
        << "select * from pReimburseHeader where rhcompanyid=3and rhreimburseid=17"
        << "select * from pReimburseHeader where rhcompanyid=3 and rhreimburseid=17";
    QTest::newRow("exponent is part of the number") << "select 1e5and" << "select 1e5 and";
    QTest::newRow("isnull, right and convert to int")
        << "Select isnull(max(convert(int,right(rhreimburseno,len(rhreimburseno)-2))),0)"
        << "Select ifnull(max(zq_convert('int',zq_right(rhreimburseno,len(rhreimburseno)-2))),0)";
    QTest::newRow("convert to sized text")
        << "select rdbillno, convert( varchar (10) ,rdbillamt) from d"
        << "select rdbillno, zq_convert( 'varchar(10)',rdbillamt) from d";
    QTest::newRow("left and right joins are no functions")
        << "select * from a left join b on a.x = b.x right join c on left(c.y, 2) = b.y"
        << "select * from a left join b on a.x = b.x right join c on zq_left(c.y, 2) = b.y";
    QTest::newRow("date column compared with a compact literal")
        << "where rhCompanyid =1 and rhdate >='20040214'" << "where rhCompanyid =1 and rhdate >='2004-02-14'";
    QTest::newRow("literal first, isnull with alias-qualified column")
        << "where '2004/03/15' <= isnull(eh.rereimtilldate, '2004/03/15') and x = '20040315'"
        << "where '2004-03-15' <= ifnull(eh.rereimtilldate, '2004-03-15') and x = '20040315'";
    QTest::newRow("between takes its own and")
        << "and '2004/03/15' between h.rereimeffdate and  h.rereimtilldate and d.no='20040315'"
        << "and '2004-03-15' between h.rereimeffdate and  h.rereimtilldate and d.no='20040315'";
    QTest::newRow("literals after between")
        << "where rhdate between '20040101' and '2004/3/1' and x='20040101'"
        << "where rhdate between '2004-01-01' and '2004-03-01' and x='20040101'";
    QTest::newRow("literal compared with no date column") << "where rhreimburseno='20040214'"
                                                          << "where rhreimburseno='20040214'";
    QTest::newRow("selected literal") << "select '20040214', rhdate from t" << "select '20040214', rhdate from t";
    QTest::newRow("no real day") << "where rhdate >= '20041340'" << "where rhdate >= '20041340'";
    QTest::newRow("list of names") << "where tablename in (  'pusers', 'rhdate')"
                                   << "where tablename in (  'pusers', 'rhdate')";
    QTest::newRow("date column in a subquery of its own")
        << "where x = '20040214' and y in (select id from t where rhdate > z)"
        << "where x = '20040214' and y in (select id from t where rhdate > z)";
    QTest::newRow("text inside strings and comments kept")
        << "select 'it''s isnull(a,b) 3and', x -- don't convert(int, y)\nfrom t"
        << "select 'it''s isnull(a,b) 3and', x -- don't convert(int, y)\nfrom t";
    QTest::newRow("count with a blank") << "SELECT Count (1) From pPaymentHeader ph"
                                        << "SELECT Count (1) From pPaymentHeader ph";
}

void TranslatorTest::translates() {
    QFETCH(QString, sql);
    QFETCH(QString, expected);
    const adodb::DateColumns dateColumns{"rhdate", "rereimeffdate", "rereimtilldate"};
    QCOMPARE(translateTsql(sql, dateColumns), expected);
}

QTEST_GUILESS_MAIN(TranslatorTest)
#include "tst_data_translator.moc"
