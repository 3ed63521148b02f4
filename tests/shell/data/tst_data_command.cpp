// Commands with `?` markers: the columns and types the provider reports, and
// each value converted to its column's type or refused.
#include "testdatabase.h"

#include <QDateTime>
#include <QTest>

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

class CommandTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db_;

private slots:
    void init() { db_ = std::make_unique<TestDatabase>(); }
    void cleanup() { db_.reset(); }

    void describesMarkers_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("parameters");
        const QString amount = perTarget<QString>("5", "5", "131");
        QTest::newRow("insert") << "insert into pReimbursedetail(rdCompanyId, rdbillno,rdbillamt) values(?,?, ?) "
                                << "rdCompanyId:3,rdbillno:200,rdbillamt:" + amount;
        QTest::newRow("update") << "update pReimburseHeader set rhdate=?,rhRemarks=?,  rhTotalAmt=? where "
                                   "rhreimburseid=5 and rhcompanyid =?"
                                << "rhdate:7,rhRemarks:200,rhTotalAmt:" + amount + ",rhcompanyid:3";
    }
    // Where the driver describes no markers (FreeTDS; PostgreSQL's without
    // server-side prepare), the catalog gives the same types.
    void describesMarkers() {
        QFETCH(QString, sql);
        QFETCH(QString, parameters);
        QCOMPARE(described(db_->connection(), sql).join(','), parameters);
        if (testTarget() != TestTarget::OdbcPostgres)
            return;
        auto catalogOnly = std::make_shared<adodb::Connection>();
        catalogOnly->Open(db_->connectionString() + ";UseServerSidePrepare=0");
        QCOMPARE(described(catalogOnly, sql).join(','), parameters);
    }

    void storesValues_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("stored");  // as text, or the refusal
        const auto date = [](const char* name, const QVariant& value) {
            QTest::newRow(name) << "rhdate" << value << "2004-03-05";
        };
        date("day first", "05/03/2004");
        date("day first, short", "5/3/2004");
        date("compact", "20040305");
        date("year first", "2004/03/05");
        date("ISO", "2004-03-05");
        date("QDate", QDate(2004, 3, 5));
        date("QDateTime at midnight", QDateTime({2004, 3, 5}, {0, 0}));
        if (testTarget() != TestTarget::OdbcPostgres)  // a date column that keeps a time
            QTest::newRow("QDateTime") << "rhdate" << QVariant(QDateTime({2004, 3, 5}, {10, 30}))
                                       << "2004-03-05 10:30:00";
        QTest::newRow("amount text") << "rhTotalAmt" << QVariant("1234.50") << "1234.5";
        QTest::newRow("integer text") << "rhClaimEmpID" << QVariant("4") << "4";
        QTest::newRow("empty text") << "rhremarks" << QVariant("") << "";
        QTest::newRow("NULL") << "rhremarks" << QVariant() << "NULL";
        for (const char* text : {"O'Brien's \"bill\"", "50%_off", "1; delete from pReimburseHeader; --", "? 20040214",
                                 "Zoë Ångström ✓ 😀"})
            QTest::newRow(text) << "rhreimburseno" << QVariant(text) << text;
        QTest::newRow("no such day") << "rhdate" << QVariant("31/02/2004")
                                     << "Conversion failed when converting date and/or time from character string.";
        QTest::newRow("fraction for an integer")
            << "rhClaimEmpID" << QVariant("1.5")
            << "Conversion failed when converting the varchar value '1.5' to data type int.";
        QTest::newRow("comma decimal") << "rhTotalAmt" << QVariant("12,50")
                                       << "Error converting data type varchar to numeric.";
    }
    void storesValues() {
        QFETCH(QString, column);
        QFETCH(QVariant, value);
        QFETCH(QString, stored);
        adodb::Command command;
        command.setActiveConnection(db_->connection());
        command.setCommandText("insert into pReimburseHeader(rhreimburseid,rhcompanyid, " + column + ") values(?,?,?)");
        try {
            command.Execute({5, 1, value});
        } catch (const adodb::Error& error) {
            QCOMPARE(error.Description(), stored);
            QCOMPARE(db_->scalar("select count(*) from pReimburseHeader"), QString("0"));
            return;
        }
        QCOMPARE(db_->scalar("select coalesce(" + column + " || '', 'NULL') from pReimburseHeader"),
                 column == "rhTotalAmt" ? perTarget<QString>(stored, stored, "1234.50") : stored);
    }
};

QTEST_GUILESS_MAIN(CommandTest)
#include "tst_data_command.moc"
