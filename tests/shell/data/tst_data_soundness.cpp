// The provider gives SQL Server's results whatever the file declares: text
// compared as SQL Server compares it on plain varchar columns, with the
// numeric and date indexes still used; every statement of a text run
// however it is sent; date literals rewritten however many there are.
#include "testdatabase.h"

#include <QTest>

namespace {

QStringList openRows(const std::shared_ptr<adodb::Connection>& connection, const QString& sql,
                     adodb::CursorTypeEnum cursor = adodb::adOpenForwardOnly) {
    adodb::Recordset rs;
    rs.Open(sql, connection, cursor);
    QStringList rows;
    for (; !rs.isEOF(); rs.MoveNext())
        rows << rs.Fields(0).textOrEmpty();
    return rows;
}

}  // namespace

class DataSoundnessTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        db_ = std::make_unique<TestDatabase>();
        // Another site's table: plain varchar, no collation of its own.
        db_->exec("create table sitewords (w varchar(20), n int); insert into sitewords values "
                  "('abc', 1), ('ABC  ', 2), ('Äpfel', 3), ('b', 4)");
    }
    void cleanup() { db_.reset(); }

    void comparesTextAsSqlServer_data();
    void comparesTextAsSqlServer();
    void keepsTheIndexesOfNumbersAndDates_data();
    void keepsTheIndexesOfNumbersAndDates();
    void runsEveryStatementOfAText_data();
    void runsEveryStatementOfAText();
    void rewritesEveryDateLiteralOfALongList();

private:
    std::unique_ptr<TestDatabase> db_;
};

void DataSoundnessTest::comparesTextAsSqlServer_data() {
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QString>("numbers");  // the n of the rows it holds for
    QTest::newRow("= ignores case and trailing blanks") << "w = 'ABC'" << "1,2";
    QTest::newRow("= with blanks in the literal") << "w = 'abc   '" << "1,2";
    QTest::newRow("<>") << "w <> 'Abc'" << "3,4";
    QTest::newRow("<") << "w < 'ABD'" << "1,2";
    QTest::newRow("> and <") << "w > 'AB' and w < 'b'" << "1,2";
    QTest::newRow("in") << "w in ('x', 'aBc')" << "1,2";
    QTest::newRow("not in") << "w not in ('ABC', 'B')" << "3";
    QTest::newRow("between") << "w between 'AAA' and 'ABZ'" << "1,2";
    QTest::newRow("not between") << "not w between 'AAA' and 'ABZ'" << "3,4";
    QTest::newRow("letters beyond ASCII") << "w = 'äPFEL'" << "3";
    QTest::newRow("function of a column") << "substring(w, 1, 2) = 'AB'" << "1,2";
    QTest::newRow("join of text columns")
        << "n in (select a.n from sitewords a join sitewords b on a.w = b.w where b.n = 2)" << "1,2";
    QTest::newRow("literals alone") << "n = 4 and 'abc' = 'ABC  '" << "4";
    QTest::newRow("like ignores case") << "w like 'A_C'" << "1,2";
    QTest::newRow("like ignores blanks after the value") << "w like 'abc'" << "1,2";
    QTest::newRow("like keeps blanks of the pattern") << "w like 'abc %'" << "2";
    QTest::newRow("like sets and ranges") << "w like '[a-b]%' and w not like '[^a]%'" << "1,2";
    QTest::newRow("like beyond ASCII") << "w like 'ä%'" << "3";
    QTest::newRow("like escape") << "n = 1 and '50%' like '50!%' escape '!' and '50' not like '50!%' escape '!'"
                                 << "1";
}

void DataSoundnessTest::comparesTextAsSqlServer() {
    QFETCH(QString, condition);
    QFETCH(QString, numbers);
    QCOMPARE(openRows(db_->connection(), "select n from sitewords where " + condition + " order by n").join(','),
             numbers);
}

void DataSoundnessTest::keepsTheIndexesOfNumbersAndDates_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("index");
    QTest::newRow("claims of a company since a day, by number")
        << "select * from pReimburseHeader where rhcompanyid = 1 and rhdate >='20040214' and rhreimburseno = 'RB1'"
        << "ix_pReimburseHeader_date";
    QTest::newRow("claims of an employee and type, by remarks")
        << "select * from pReimburseHeader h where h.rhCompanyID=1 and h.rhClaimEmpID= 101 and h.rhrtypeid= 1 "
           "and h.rhremarks in ('a', 'B')"
        << "ix_pReimburseHeader_emp";
    QTest::newRow("lines of a claim, by bill") << "select * from pReimbursedetail where rdreimburseid = 5 and "
                                                  "rdCompanyId = 1 and rdbillno = 'c1'"
                                               << "ix_pReimbursedetail";
}

void DataSoundnessTest::keepsTheIndexesOfNumbersAndDates() {
    QFETCH(QString, sql);
    QFETCH(QString, index);
    adodb::Recordset plan;
    plan.Open("explain query plan " + sql, db_->connection());
    QString details;
    for (; !plan.isEOF(); plan.MoveNext())
        details += plan.Fields("detail").text() + '\n';
    QVERIFY2(details.contains("INDEX " + index + " ("), qPrintable(details));
}

void DataSoundnessTest::runsEveryStatementOfAText_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("rows");
    const QString inserts = "insert into pusers values (1, 'a'); insert into pusers values (2, 'b;c') ; ";
    QTest::newRow("forward-only recordset") << "forward" << inserts + "select username from pusers" << "a,b;c";
    QTest::newRow("keyset recordset") << "keyset" << inserts << "";
    QTest::newRow("rows first, then a write") << "forward"
                                              << "select 'x'; insert into pusers values (3, 'd') -- done" << "x";
    QTest::newRow("command with markers over both") << "command"
                                                    << "insert into pusers values (?, 'a'); "
                                                       "insert into pusers values (2, ?)"
                                                    << "";
}

void DataSoundnessTest::runsEveryStatementOfAText() {
    QFETCH(QString, how);
    QFETCH(QString, sql);
    QFETCH(QString, rows);
    const auto& connection = db_->connection();
    if (how == "command") {
        adodb::Command command;
        command.setActiveConnection(connection);
        command.setCommandText(sql);
        command.Execute({1, "b;c"});
    } else {
        QCOMPARE(openRows(connection, sql, how == "keyset" ? adodb::adOpenKeyset : adodb::adOpenForwardOnly)
                     .join(','),
                 rows);
    }
    const QString written = db_->rows("select username from pusers where userid < 3 order by userid").join(',');
    QCOMPARE(written, how == "forward" && rows == "x" ? QString() : QString("a,b;c"));
    QCOMPARE(db_->scalar("select count(*) from pusers where userid = 3"), QString(rows == "x" ? "1" : "0"));
}

void DataSoundnessTest::rewritesEveryDateLiteralOfALongList() {
    db_->exec("insert into pReimburseHeader (rhreimburseid, rhcompanyid, rhdate) values (1, 1, '2004-02-14'), "
              "(2, 1, '2010-01-01')");
    QStringList days;
    for (QDate day(1950, 1, 1); days.size() < 20000; day = day.addDays(1))
        days << "'" + day.toString("yyyyMMdd") + "'";
    QCOMPARE(openRows(db_->connection(), "select rhreimburseid from pReimburseHeader where rhdate in (" +
                                             days.join(", ") + ") order by 1"),
             QStringList{"1"});
}

QTEST_GUILESS_MAIN(DataSoundnessTest)
#include "tst_data_soundness.moc"
