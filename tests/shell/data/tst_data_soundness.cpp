// The provider gives SQL Server's results whatever the file declares: text
// compared as SQL Server compares it on plain varchar columns, every
// statement of a text run however it is sent, date literals rewritten
// however many there are. (That the numeric and date indexes stay in use is
// the benchmark's to show.)
#include "testdatabase.h"

#include <QTest>

class DataSoundnessTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db_;

    QString firstFields(const QString& sql, adodb::CursorTypeEnum cursor = adodb::adOpenForwardOnly) {
        adodb::Recordset rs;
        rs.Open(sql, db_->connection(), cursor);
        QStringList fields;
        for (; !rs.isEOF(); rs.MoveNext())
            fields << rs.Fields(0).textOrEmpty();
        return fields.join(',');
    }

private slots:
    void init() {
        db_ = std::make_unique<TestDatabase>();
        // Another site's table: plain varchar, no collation of its own.
        db_->exec("create table sitewords (w varchar(20), n int); insert into sitewords values "
                  "('abc', 1), ('ABC  ', 2), ('Äpfel', 3), ('b', 4)");
    }
    void cleanup() { db_.reset(); }

    void comparesTextAsSqlServer_data() {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("numbers");  // the n of the rows it holds for
        QTest::newRow("= ignores case and trailing blanks") << "w = 'ABC'" << "1,2";
        QTest::newRow("<>") << "w <> 'Abc   '" << "3,4";
        QTest::newRow("> and <") << "w > 'AB' and w < 'b'" << "1,2";
        QTest::newRow("in, not in") << "w in ('x', 'aBc') or w not in ('ABC', 'äpfel')" << "1,2,4";
        QTest::newRow("not between") << "not w between 'AAA' and 'ABZ'" << "3,4";
        QTest::newRow("letters beyond ASCII") << "w = 'äPFEL'" << "3";
        QTest::newRow("function of a column") << "substring(w, 1, 2) = 'AB'" << "1,2";
        QTest::newRow("join of text columns")
            << "n in (select a.n from sitewords a join sitewords b on a.w = b.w where b.n = 2)" << "1,2";
        QTest::newRow("literals alone") << "n = 4 and 'abc' = 'ABC  '" << "4";
        QTest::newRow("like ignores case and blanks after the value") << "w like 'A_c'" << "1,2";
        QTest::newRow("like keeps blanks of the pattern") << "w like 'abc %'" << "2";
        QTest::newRow("like sets, ranges, escape") << "w like '[a-b]%' and w not like '[^a]%' and 'a%' like 'a!%' escape '!'"
                                                   << "1,2";
    }
    void comparesTextAsSqlServer() {
        QFETCH(QString, condition);
        QFETCH(QString, numbers);
        QCOMPARE(firstFields("select n from sitewords where " + condition + " order by n"), numbers);
    }

    void runsEveryStatementOfAText_data() {
        QTest::addColumn<int>("cursor");  // -1: a command with markers
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("written");
        QTest::newRow("forward-only: writes, then rows")
            << int(adodb::adOpenForwardOnly)
            << "insert into pusers values (1, 'a'); insert into pusers values (2, 'b;c') ; select username from pusers"
            << "a,b;c" << "a,b;c";
        QTest::newRow("keyset: rows, then a write")
            << int(adodb::adOpenKeyset) << "select 'x'; insert into pusers values (1, 'a') -- done" << "x" << "a";
        QTest::newRow("command: markers over both")
            << -1 << "insert into pusers values (?, 'a'); insert into pusers values (2, ?)" << "" << "a,b;c";
    }
    void runsEveryStatementOfAText() {
        QFETCH(int, cursor);
        QFETCH(QString, sql);
        QFETCH(QString, rows);
        QFETCH(QString, written);
        if (cursor < 0) {
            adodb::Command command;
            command.setActiveConnection(db_->connection());
            command.setCommandText(sql);
            command.Execute({1, "b;c"});
        } else {
            QCOMPARE(firstFields(sql, adodb::CursorTypeEnum(cursor)), rows);
        }
        QCOMPARE(db_->rows("select username from pusers order by userid").join(','), written);
    }

    void rewritesEveryDateLiteralOfALongList() {
        db_->exec("insert into pReimburseHeader (rhreimburseid, rhcompanyid, rhdate) values (1, 1, '2004-02-14'), "
                  "(2, 1, '2010-01-01')");
        QStringList days;
        for (QDate day(1950, 1, 1); days.size() < 20000; day = day.addDays(1))
            days << "'" + day.toString("yyyyMMdd") + "'";
        QCOMPARE(firstFields("select rhreimburseid from pReimburseHeader where rhdate in (" + days.join(", ") + ")"),
                 QString("1"));
    }
};

QTEST_GUILESS_MAIN(DataSoundnessTest)
#include "tst_data_soundness.moc"
