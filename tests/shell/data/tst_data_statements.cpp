// T-SQL texts run through the SQLite provider give SQL Server's answers, on
// rows chosen so that a wrong adaptation gives a wrong answer.
#include "testdatabase.h"

#include <QTest>

class StatementsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db_;

private slots:
    void initTestCase() {
        db_ = std::make_unique<TestDatabase>();
        db_->exec("insert into pReimburseHeader(rhreimburseid,rhcompanyid,rhreimburseno,rhdate) values"
                  " (5,1,'RB9','2004-02-14'),(6,1,'RB10','2004-02-10'),(7,1,'RBX','2004-03-01'),(8,1,'RB','2004-03-05'),"
                  " (9,1,'15','2004-03-06'),(14,1,'20040214','2004-03-10'),(12,2,'RB99','2004-03-01')");
    }
    void cleanupTestCase() { db_.reset(); }

    void givesSqlServersAnswers_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("expected");
        const QString highest = QStringLiteral(
            "Select isnull(max(convert(int,right(rhreimburseno,len(rhreimburseno)-%1))),0) from pReimburseHeader"
            " where rhcompanyid = 1 and len(rhreimburseno)>len('%2') and  isnumeric(isnull(right(rhreimburseno,"
            "len(rhreimburseno)-%1),0)) =1 and substring(rhreimburseno,1,len('%2'))='%2'");
        QTest::newRow("numbering: compared as integers") << highest.arg(2).arg("RB") << "10";
        QTest::newRow("numbering: no prefix, all-numeric numbers") << highest.arg(0).arg("") << "20040214";
        QTest::newRow("numbering: a prefix nobody uses") << highest.arg(2).arg("ZZ") << "0";
        QTest::newRow("number glued to a keyword") << "select count(*) from pReimburseHeader where rhcompanyid=1and rhreimburseid>5" << "5";
        QTest::newRow("compact date literal on a date column") << "select count(*) from pReimburseHeader where rhdate >='20040214'" << "6";
        QTest::newRow("dates between, two spellings") << "select count(*) from pReimburseHeader where rhdate between '20040214' and '2004/3/5'" << "4";
        QTest::newRow("date-like text on a text column") << "select rhreimburseid from pReimburseHeader where rhreimburseno='20040214'" << "14";
        QTest::newRow("selected date-like literal") << "select '20040214'" << "20040214";
        QTest::newRow("text inside strings and comments kept") << "select 'it''s isnull(a,b) 3and' -- convert(int, y)" << "it's isnull(a,b) 3and";
        QTest::newRow("count with a blank") << "SELECT Count (1) From pReimburseHeader where rhcompanyid = 2" << "1";
        QTest::newRow("len ignores trailing blanks") << "select len(' ab  ')" << "3";
        QTest::newRow("len of a number") << "select len(12.5)" << "4";
        QTest::newRow("len of null") << "select isnull(len(null), -1)" << "-1";
        QTest::newRow("right") << "select right('RB10', 2)" << "10";
        QTest::newRow("right longer than the text") << "select right('ab', 5)" << "ab";
        QTest::newRow("left") << "select left('abc', 2)" << "ab";
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
    }
    void givesSqlServersAnswers() {
        QFETCH(QString, sql);
        QFETCH(QString, expected);
        QCOMPARE(db_->scalar(sql), expected);
    }

    void raisesSqlServersErrors_data() {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("message");
        QTest::newRow("right with a negative length")
            << "right('X', len('X') - 2)" << "Invalid length parameter passed to the right function.";
        QTest::newRow("convert of a fraction to int")
            << "convert(int, '12.5')" << "Conversion failed when converting the varchar value '12.5' to data type int.";
        QTest::newRow("convert of too large a number to int")
            << "convert(int, '2147483648')" << "Arithmetic overflow error converting expression to data type int.";
        QTest::newRow("convert of text to numeric") << "convert(numeric(10,2), 'ab')"
                                                    << "Error converting data type varchar to numeric.";
    }
    void raisesSqlServersErrors() {
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
};

QTEST_GUILESS_MAIN(StatementsTest)
#include "tst_data_statements.moc"
