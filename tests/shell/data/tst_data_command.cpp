// Commands with `?` markers: the columns and types the provider reports, the
// conversion of each value to its column's type, and refused values.
#include "testdatabase.h"

#include <QDateTime>
#include <QTest>

namespace {

const QString headerInsert =
    "insert into pReimburseHeader(rhreimburseid,rhcompanyid,rhreimburseno,rhdate,rhClaimEmpID,rhApprovedEmpID, "
    "rhremarks,rhTotalAmt,rhCancelled,rhcurrencyid ,rhrtypeid) values(?,?,?,?,?,?,?,?,?,?,?)";
const QString headerUpdate =
    "update pReimburseHeader set rhdate=?,rhRemarks=?,rhClaimEmpID=?,  rhapprovedempid=?,rhTotalAmt=?,"
    "rhcurrencyid=?,rhrtypeid=? where rhreimburseid=5 and rhcompanyid =1";
const QString lineInsert =
    "insert into pReimbursedetail(rdCompanyId,rdreimburseid, rddetailid,rdbillno,rdbillamt,rdremarks) "
    "values(?,?,?,?,?,?) ";

QVariantList headerValues(const QVariant& date) {
    return {5, 1, "RB1", date, 3, 2, QVariant(), 100.0, 0, 1, 2};
}

}  // namespace

class CommandTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { db_.reset(); }

    void describesMarkers();
    void describesMarkersFromTheCatalog();
    void storesTheClaimWindowsValues();
    void storesBillNumbersExactly_data();
    void storesBillNumbersExactly();
    void readsDateTexts_data();
    void readsDateTexts();
    void refusesValues_data();
    void refusesValues();

private:
    void run(const QString& sql, const QVariantList& values);
    QVariantList firstRow(const QString& sql);
    std::unique_ptr<TestDatabase> db_;
};

void CommandTest::init() { db_ = std::make_unique<TestDatabase>(); }

void CommandTest::run(const QString& sql, const QVariantList& values) {
    adodb::Command command;
    command.setActiveConnection(db_->connection());
    command.setCommandText(sql);
    command.Execute(values);
}

QVariantList CommandTest::firstRow(const QString& sql) {
    adodb::Recordset recordset;
    recordset.Open(sql, db_->connection());
    QVariantList values;
    for (int i = 0; i < recordset.FieldCount(); ++i)
        values << recordset.Fields(i).Value();
    return values;
}

namespace {

QStringList described(const std::shared_ptr<adodb::Connection>& connection, const QString& sql) {
    adodb::Command command;
    command.setActiveConnection(connection);
    command.setCommandText(sql);
    command.RefreshParameters();
    QStringList parameters;
    for (const adodb::Parameter& parameter : command.Parameters())
        parameters << parameter.column + ":" + QString::number(parameter.type);
    return parameters;
}

}  // namespace

void CommandTest::describesMarkers() {
    QCOMPARE(described(db_->connection(), headerUpdate), (QStringList{"rhdate:7", "rhRemarks:200", "rhClaimEmpID:3", "rhapprovedempid:3",
                                     perTarget<QString>("rhTotalAmt:5", "rhTotalAmt:5", "rhTotalAmt:131"),
                                     "rhcurrencyid:3", "rhrtypeid:3"}));
    adodb::Command command;
    command.setActiveConnection(db_->connection());
    command.setCommandText(headerInsert);
    command.RefreshParameters();
    QCOMPARE(command.Parameters().size(), size_t(11));
    QCOMPARE(command.Parameters()[3].column, QString("rhdate"));
    QCOMPARE(command.Parameters()[3].type, adodb::adDate);
    QCOMPARE(command.Parameters()[10].column, QString("rhrtypeid"));
}

// Dates, numbers and NULL as their types, never as the texts the window holds.
// Where the driver describes no markers (FreeTDS; PostgreSQL's without
// server-side prepare), the catalog gives the same types.
void CommandTest::describesMarkersFromTheCatalog() {
    if (testTarget() != TestTarget::OdbcPostgres)
        QSKIP("a driver that can leave the markers undescribed");
    auto catalogOnly = std::make_shared<adodb::Connection>();
    catalogOnly->Open(db_->connectionString() + ";UseServerSidePrepare=0");
    for (const QString& sql : {headerInsert, headerUpdate, lineInsert})
        QCOMPARE(described(catalogOnly, sql), described(db_->connection(), sql));
}

void CommandTest::storesTheClaimWindowsValues() {
    run(headerInsert, headerValues("05/03/2004"));
    QCOMPARE(firstRow("select rhdate, rhremarks, rhTotalAmt from pReimburseHeader"),
             (QVariantList{QDate(2004, 3, 5), QVariant(), 100.0}));
    run(headerUpdate, {"06/03/2004", "", 4, 5, "1234.50", 1, 2});
    QCOMPARE(firstRow("select rhdate, rhremarks, rhClaimEmpID, rhapprovedempid, rhTotalAmt, rhreimburseno "
                      "from pReimburseHeader"),
             (QVariantList{QDate(2004, 3, 6), QString(""), 4LL, 5LL, 1234.5, QString("RB1")}));
    run(lineInsert, {1, 5, "1", "B-1", "12.50", "r"});
    QCOMPARE(firstRow("select rddetailid, rdbillamt from pReimbursedetail"), (QVariantList{1LL, 12.5}));
}

void CommandTest::storesBillNumbersExactly_data() {
    QTest::addColumn<QString>("billNo");
    QTest::newRow("quotes") << "O'Brien's \"bill\"";
    QTest::newRow("percent and underscore") << "50%_off";
    QTest::newRow("statement text") << "1; delete from pReimbursedetail; --";
    QTest::newRow("marker and date shape") << "? 20040214";
    QTest::newRow("Unicode") << "Zoë Ångström ✓ 😀";
}

void CommandTest::storesBillNumbersExactly() {
    QFETCH(QString, billNo);
    run(lineInsert, {1, 5, 1, billNo, 1, ""});
    run(lineInsert, {1, 5, 2, "second", 2, ""});
    QCOMPARE(db_->rows("select rdbillno from pReimbursedetail order by rddetailid"), (QStringList{billNo, "second"}));
}

void CommandTest::readsDateTexts_data() {
    QTest::addColumn<QVariant>("date");
    QTest::addColumn<QString>("stored");
    QTest::newRow("day first") << QVariant("05/03/2004") << "2004-03-05";
    QTest::newRow("day first, short") << QVariant("5/3/2004") << "2004-03-05";
    QTest::newRow("compact") << QVariant("20040305") << "2004-03-05";
    QTest::newRow("year first") << QVariant("2004/03/05") << "2004-03-05";
    QTest::newRow("ISO") << QVariant("2004-03-05") << "2004-03-05";
    QTest::newRow("QDate") << QVariant(QDate(2004, 3, 5)) << "2004-03-05";
    QTest::newRow("QDateTime at midnight") << QVariant(QDateTime({2004, 3, 5}, {0, 0})) << "2004-03-05";
    if (testTarget() != TestTarget::OdbcPostgres)  // a date column that keeps a time
        QTest::newRow("QDateTime") << QVariant(QDateTime({2004, 3, 5}, {10, 30})) << "2004-03-05 10:30:00";
}

void CommandTest::readsDateTexts() {
    QFETCH(QVariant, date);
    QFETCH(QString, stored);
    run(headerInsert, headerValues(date));
    QCOMPARE(db_->scalar("select rhdate || '' from pReimburseHeader"), stored);
}

void CommandTest::refusesValues_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QString>("message");
    QTest::newRow("no such day") << headerInsert << headerValues("31/02/2004")
                                 << "Conversion failed when converting date and/or time from character string.";
    QTest::newRow("fraction for an integer")
        << lineInsert << QVariantList{1, 5, "1.5", "b", 1, ""}
        << "Conversion failed when converting the varchar value '1.5' to data type int.";
    QTest::newRow("comma decimal") << lineInsert << QVariantList{1, 5, 1, "b", "12,50", ""}
                                   << "Error converting data type varchar to numeric.";
    QTest::newRow("too few values") << lineInsert << QVariantList{1, 5, 1}
                                    << "The command has 6 parameter markers but 3 values were passed.";
}

void CommandTest::refusesValues() {
    QFETCH(QString, sql);
    QFETCH(QVariantList, values);
    QFETCH(QString, message);
    try {
        run(sql, values);
        QFAIL("the command ran");
    } catch (const adodb::Error& error) {
        QCOMPARE(error.Description(), message);
    }
    QCOMPARE(db_->scalar("select count(*) from pReimburseHeader") + db_->scalar("select count(*) from "
                                                                                 "pReimbursedetail"),
             QString("00"));
}

QTEST_GUILESS_MAIN(CommandTest)
#include "tst_data_command.moc"
