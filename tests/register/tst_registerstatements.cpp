// The register's statement texts, exactly as sent, and the rules the sort
// and search compare cells by.
#include "register/conversions.h"
#include "register/gridsearch.h"
#include "register/registerstatements.h"

#include "testhelpers.h"

#include <ZQ5Reimbursement/adodb.h>

#include <QTest>

using namespace ZQ5Reimbursement;

namespace {

TableNames renamedTables() {
    TableNames tables;
    for (const QString& logical : TableNames::logicalNames())
        tables.set(logical, QStringLiteral("t_") + logical.toLower());
    return tables;
}

}  // namespace

class TestRegisterStatements : public QObject {
    Q_OBJECT
private slots:
    void listingWithoutDateCondition_data() {
        QTest::addColumn<int>("days");
        QTest::newRow("zero") << 0;
        QTest::newRow("negative") << -5;
    }
    void listingWithoutDateCondition() {
        QFETCH(int, days);
        QCOMPARE(listingStatement(renamedTables(), 7, std::int16_t(days), QDate(2004, 3, 15)),
                 QStringLiteral(" select rh.rhreimburseid, rh.rhreimburseNo,rm.rtypename, rh.rhdate,pe.ename, case when rh.rhcancelled=1 "
                                " then 'Yes' else 'No' end rhcancelled "
                                " from t_preimburseheader rh,t_pemployee pe,t_preimbursementmaster rm"
                                " Where rh.rhrtypeid = rm.rtypeid "
                                " And rh.rhCompanyid = pe.ecompanyid And rh.rhclaimempid = pe.eempid And rh.rhCompanyid =7"));
    }

    void listingWithDateCondition() {
        const QString sql = listingStatement(renamedTables(), 1, 30, QDate(2004, 3, 15));
        QVERIFY(sql.endsWith(QStringLiteral("And rh.rhCompanyid =1 and rhdate >='20040214'")));
        QVERIFY(listingStatement(renamedTables(), 1, 1, QDate(2004, 3, 1)).endsWith(QStringLiteral("'20040229'")));
    }

    void layoutRightsPaymentAndUserStatements() {
        QCOMPARE(nameGridStatement(renamedTables(), QStringLiteral("  pReimburseHeader ")),
                 QStringLiteral("select ColumnHeader,ColumnLength,columnid from t_ptablecolumns where tableid="
                                "(select tableid from t_ptables where tablename='pReimburseHeader') order by columnid"));
        QCOMPARE(rightsStatement(renamedTables(), 3, 5, 42),
                 QStringLiteral("Select FunctionRights from t_puserrights  where  companyid = 3 and userid = 5 and "
                                " interfaceid = 42"));
        QCOMPARE(paymentCheckStatement(3, 17),
                 QStringLiteral("SELECT Count (1) From pPaymentHeader ph, pPaymentDetail pd Where "
                                "ph.phCompanyID =pd.pdCompanyID and ph.phPaymentID = pd.pdPaymentID and "
                                "ph.phCompanyID = 3 and ph.phCancelled=0 and pdReimburseID =17"));
        QCOMPARE(userNameStatement(renamedTables(), 5), QStringLiteral("select username from t_pusers where userid = 5"));
        QCOMPARE(listingPeriodCondition(12), QStringLiteral("companyID=12"));
    }

    void refreshStatementNarrowsTheListing() {
        QCOMPARE(refreshRowStatement(QStringLiteral("select a from t Where x=1"), QStringLiteral("rhreimburseid=9")),
                 QStringLiteral("select a from t Where x=1 and rhreimburseid=9"));
        QCOMPARE(refreshRowStatement(QStringLiteral("select a from t"), QStringLiteral("rhreimburseid=9")),
                 QStringLiteral("select a from t where rhreimburseid=9"));
        QCOMPARE(refreshRowStatement(QStringLiteral("select a from t WHERE x=1 ORDER BY a"), QStringLiteral("c=2")),
                 QStringLiteral("select a from t WHERE x=1  and c=2"));
    }

    void settingsValueMustBeAWholeNumber() {
        QCOMPARE(toInteger16(QStringLiteral("30")), std::int16_t(30));
        QCOMPARE(toInteger16(QStringLiteral(" -4 ")), std::int16_t(-4));
        QCOMPARE(toInteger16(QStringLiteral("32767")), std::int16_t(32767));
        QCOMPARE(errorNumberOf([] { toInteger16(QString()); }), long(errTypeMismatch));
        QCOMPARE(errorNumberOf([] { toInteger16(QStringLiteral("thirty")); }), long(errTypeMismatch));
        QCOMPARE(errorNumberOf([] { toInteger16(QStringLiteral("2.5")); }), long(errTypeMismatch));
        QCOMPARE(errorNumberOf([] { toInteger16(QStringLiteral("32768")); }), long(errOverflow));
    }

    void numberModeSearchHalvesToTheFirstEqualValue() {
        const QStringList cells{QString(), QStringLiteral("2"), QStringLiteral("10"), QStringLiteral("20"),
                                QStringLiteral("100"), QStringLiteral("1000")};
        QList<qint64> visited;
        const auto cell = [&](qint64 row) {
            visited << row;
            return cells[row];
        };
        QCOMPARE(findFirstRow(cell, 1, 5, QStringLiteral("10")), qint64(2));
        // The first look picks the mode (row 3); the halving visits 3, 1, 2.
        QCOMPARE(visited, (QList<qint64>{3, 3, 1, 2}));
    }

    void textModeSearch() {
        const QStringList cells{QString(), QStringLiteral("Aaron"), QStringLiteral(" abbot"), QStringLiteral("Abel"),
                                QStringLiteral("Brown")};
        const auto cell = [&](qint64 row) { return cells[row]; };
        QCOMPARE(findFirstRow(cell, 1, 4, QStringLiteral("ab")), qint64(2));
        QCOMPARE(findFirstRow(cell, 1, 4, QStringLiteral("ABE")), qint64(3));
        QCOMPARE(findFirstRow(cell, 1, 4, QStringLiteral("zz")), qint64(-1));
        // A trailing blank typed compares one character more than the trimmed text holds.
        QCOMPARE(findFirstRow(cell, 1, 4, QStringLiteral("ab ")), qint64(-1));
        // The empty register: one empty row, text mode, nothing found.
        QCOMPARE(findFirstRow([](qint64) { return QString(); }, 1, 1, QStringLiteral("a")), qint64(-1));
    }

    void searchIndexesBeyondSixteenBits() {
        const qint64 rows = 3000000;
        const auto cell = [](qint64 row) { return QString::number(row * 2); };
        QCOMPARE(findFirstRow(cell, 1, rows, QString::number(2 * 2999999)), qint64(2999999));
    }

    void comparisons() {
        QVERIFY(isNumericText(QStringLiteral(" 12.5 ")));
        QVERIFY(!isNumericText(QStringLiteral("12a")));
        QVERIFY(!isNumericText(QString()));
        QVERIFY(compareInCapitals(QStringLiteral("abc"), QStringLiteral("ABC")) == 0);
        QVERIFY(compareInCapitals(QStringLiteral("a_"), QStringLiteral("AZ")) > 0);  // '_' after 'Z' by code
    }
};

QTEST_MAIN(TestRegisterStatements)
#include "tst_registerstatements.moc"
