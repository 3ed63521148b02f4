// T-SQL texts run through the SQLite provider give SQL Server's answers, on rows
// chosen so that a wrong adaptation gives a wrong answer, whatever the file declares.
#include "testdatabase.h"

#include <QTest>

class StatementsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db_;

    QString rows(const QString& sql) {
        adodb::Recordset rs;
        rs.Open(sql, db_->connection());
        QStringList fields;
        for (; !rs.isEOF(); rs.MoveNext())
            fields << rs.Fields(0).textOrEmpty();
        return fields.join(',');
    }

private slots:
    void init() {
        db_ = std::make_unique<TestDatabase>();
        // sitewords is another site's table: plain varchar, no collation of its own.
        db_->exec("insert into pReimburseHeader(rhreimburseid,rhcompanyid,rhreimburseno,rhdate) values"
                  " (5,1,'RB9','2004-02-14'),(6,1,'RB10','2004-02-10'),(7,1,'RBX','2004-03-01'),(8,1,'RB','2004-03-05'),"
                  " (9,1,'15','2004-03-06'),(14,1,'20040214','2004-03-10'),(12,2,'RB99','2004-03-01');"
                  "create table sitewords (w varchar(20), n int); insert into sitewords values "
                  "('abc', 1), ('ABC  ', 2), ('Äpfel', 3), ('b', 4)");
    }
    void cleanup() { db_.reset(); }

    void givesSqlServersAnswers_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("expected");  // the rows' first fields
        const auto rh = [](const char* name, const QString& sql, const char* expected) {
            QTest::newRow(name) << "select rhreimburseid from pReimburseHeader where " + sql + " order by 1"
                                << expected;
        };
        QTest::newRow("numbers compared as integers")
            << "select max(convert(int, substring(rhreimburseno, 3, 9))) from pReimburseHeader where rhcompanyid = 1"
               " and isnumeric(substring(rhreimburseno, 3, 9)) = 1 and left(rhreimburseno, 2) = 'RB'" << "10";
        rh("number glued to a keyword", "rhcompanyid=1and rhreimburseid>8", "9,14");
        rh("compact date literal on a date column", "rhdate >='20040305'", "8,9,14");
        rh("dates between, two spellings", "rhdate between '20040214' and '2004/3/5'", "5,7,8,12");
        rh("date-like text on a text column", "rhreimburseno='20040214'", "14");
        QTest::newRow("selected date-like literal") << "select '20040214'" << "20040214";
        QTest::newRow("text inside strings and comments kept") << "select 'it''s isnull(a,b) 3and' -- convert(int, y)"
                                                               << "it's isnull(a,b) 3and";
        QTest::newRow("count with a blank") << "SELECT Count (1) From pReimburseHeader where rhcompanyid = 2" << "1";
        QTest::newRow("len ignores trailing blanks") << "select len(' ab  ')" << "3";
        QTest::newRow("len of a number") << "select len(12.5)" << "4";
        QTest::newRow("isnull, len of null") << "select isnull(len(null), -1)" << "-1";
        QTest::newRow("right") << "select right('RB10', 2)" << "10";
        QTest::newRow("right longer than the text") << "select right('ab', 5)" << "ab";
        QTest::newRow("left") << "select left('abc', 2)" << "ab";
        QTest::newRow("long result") << "select left('" + QString(300, 'a') + "bc', 301)" << QString(300, 'a') + "b";
        QTest::newRow("substring") << "select substring('abcdef', 2, 3)" << "bcd";
        QTest::newRow("substring from before the start") << "select substring('abc', 0, 2)" << "a";
        QTest::newRow("substring negative start") << "select substring('abc', -3, 2)" << "";
        QTest::newRow("isnumeric blanks, sign, decimal") << "select isnumeric(' -12.5 ')" << "1";
        QTest::newRow("isnumeric exponent") << "select isnumeric('1e5')" << "1";
        QTest::newRow("isnumeric two points") << "select isnumeric('1.2.3')" << "0";
        QTest::newRow("isnumeric letters") << "select isnumeric('12a')" << "0";
        QTest::newRow("isnumeric empty or null") << "select isnumeric('') + isnumeric(null)" << "0";
        QTest::newRow("convert int from text with blanks") << "select convert(int, ' 42 ') + 1" << "43";
        QTest::newRow("convert int truncates") << "select convert(int, -12.9)" << "-12";
        QTest::newRow("convert varchar two decimals") << "select convert(varchar(10), 12.5)" << "12.50";
        QTest::newRow("convert varchar integer") << "select convert(varchar(10), 7)" << "7";
        QTest::newRow("convert varchar truncates") << "select convert(varchar(3), 'abcdef')" << "abc";
        QTest::newRow("sum of amounts") << "select 0.1 + 0.2" << "0.3";
        QTest::newRow("right with a negative length")
            << "select right('X', len('X') - 2)" << "SQLite: Invalid length parameter passed to the right function.";
        QTest::newRow("convert of a fraction to int")
            << "select convert(int, '12.5')"
            << "SQLite: Conversion failed when converting the varchar value '12.5' to data type int.";
        QTest::newRow("convert of too large a number to int")
            << "select convert(int, '2147483648')"
            << "SQLite: Arithmetic overflow error converting expression to data type int.";
        QTest::newRow("convert of text to numeric")
            << "select convert(numeric(10,2), 'ab')" << "SQLite: Error converting data type varchar to numeric.";
        QTest::newRow("writes, then rows")
            << "insert into pusers values (1, 'a'); insert into pusers values (2, 'b;c') ; select username from pusers"
            << "a,b;c / written a,b;c";
        QStringList days;
        for (QDate day(1948, 1, 1); day < QDate(2004, 3, 1); day = day.addDays(1))
            days << "'" + day.toString("yyyyMMdd") + "'";
        rh("every date literal of a long list", "rhdate in (" + days.join(", ") + ")", "5,6");
        QTest::newRow("rows, then a write") << "select 'x'; insert into pusers values (1, 'a') -- done"
                                            << "x / written a";
        const auto text = [](const char* name, const QString& condition, const char* numbers) {
            QTest::newRow(name) << "select n from sitewords where " + condition + " order by n" << numbers;
        };
        text("= ignores case and trailing blanks", "w = 'ABC'", "1,2");
        text("<>", "w <> 'Abc   '", "3,4");
        text("> and <", "w > 'AB' and w < 'b'", "1,2");
        text("in, not in", "w in ('x', 'aBc') or w not in ('ABC', 'äpfel')", "1,2,4");
        text("not between", "not w between 'AAA' and 'ABZ'", "3,4");
        text("letters beyond ASCII", "w = 'äPFEL'", "3");
        text("function of a column", "substring(w, 1, 2) = 'AB'", "1,2");
        text("join of text columns", "n in (select a.n from sitewords a join sitewords b on a.w = b.w where b.n = 2)",
             "1,2");
        text("literals alone", "n = 4 and 'abc' = 'ABC  '", "4");
        text("like ignores case and blanks after the value", "w like 'A_c'", "1,2");
        text("like keeps blanks of the pattern", "w like 'abc %'", "2");
        text("like sets, ranges, escape", "w like '[a-b]%' and w not like '[^a]%' and 'a%' like 'a!%' escape '!'",
             "1,2");
    }
    void givesSqlServersAnswers() {
        QFETCH(QString, sql);
        QFETCH(QString, expected);
        QString answer;
        try {
            answer = rows(sql);
        } catch (const adodb::Error& error) {
            answer = error.Source() + ": " + error.Description();
        }
        if (const QStringList users = db_->rows("select username from pusers order by userid"); !users.isEmpty())
            answer += " / written " + users.join(',');
        QCOMPARE(answer, expected);
    }

    void bindsMarkersOverEveryStatement() {
        adodb::Command command;
        command.setActiveConnection(db_->connection());
        command.setCommandText("insert into pusers values (?, 'a'); insert into pusers values (2, ?)");
        command.Execute({1, "b;c"});
        QCOMPARE(db_->rows("select username from pusers order by userid"), (QStringList{"a", "b;c"}));
    }
};

QTEST_GUILESS_MAIN(StatementsTest)
#include "tst_data_statements.moc"
