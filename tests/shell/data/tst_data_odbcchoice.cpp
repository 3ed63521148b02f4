// The ODBC provider's choices that need no driver: the ODBC string a host's
// connection string becomes, the dialect an engine's name gives, and what a
// driver's error means to the clerk.
#include "shell/data/odbc/odbcconnectionstring.h"
#include "shell/data/odbc/odbcdialect.h"
#include "shell/data/odbc/odbcsession.h"

#include <ZQ5Reimbursement/adodb.h>

#include <QTest>

class OdbcChoiceTest : public QObject {
    Q_OBJECT

private slots:
    void mapsConnectionStrings_data();
    void mapsConnectionStrings();
    void refusesConnectionStrings_data();
    void refusesConnectionStrings();
    void choosesTheDialect_data();
    void choosesTheDialect();
    void namesTheFailure_data();
    void namesTheFailure();
};

void OdbcChoiceTest::mapsConnectionStrings_data() {
    QTest::addColumn<QString>("connectionString");
    QTest::addColumn<QString>("odbc");  // "" for the embedded provider
    const QString tds = "Driver=FreeTDS;Server=%1;Database=Payroll;UID=clerk;PWD=s3cret;TDS_Version=7.4;"
                        "ClientCharset=UTF-8";
    QTest::newRow("embedded") << "Provider=SQLite;Data Source=/tmp/a.db" << "";
    QTest::newRow("MSDASQL with a DSN") << "Provider=MSDASQL.1;DSN=payroll;UID=clerk" << "DSN=payroll;UID=clerk";
    QTest::newRow("bare driver string, braces keep ';'")
        << " Driver={SQLite3} ; Database=/tmp/a b.db;PWD={a;b}}c}" << "Driver=SQLite3;Database=/tmp/a b.db;PWD={a;b}}c}";
    QTest::newRow("SQLOLEDB host") << "Provider=SQLOLEDB;Data Source=db1;Initial Catalog=Payroll;User ID=clerk;"
                                      "Password=s3cret;Persist Security Info=False"
                                   << tds.arg("db1");
    QTest::newRow("SQLNCLI11 host,port") << "Provider=SQLNCLI11;Data Source=db1,1444;Database=Payroll;UID=clerk;"
                                            "PWD=s3cret"
                                         << tds.arg("db1;Port=1444");
    QTest::newRow("MSOLEDBSQL instance, quoted password, app name, encryption")
        << "Provider=MSOLEDBSQL;Server=(local)\\PAYROLL;Initial Catalog=Payroll;User ID=clerk;"
           "Password=\"s3cret\";Application Name=Payroll 5;Use Encryption for Data=True"
        << "Driver=FreeTDS;Server=localhost\\PAYROLL;Database=Payroll;UID=clerk;PWD=s3cret;APP=Payroll 5;"
           "TDS_Version=7.4;ClientCharset=UTF-8;Encryption=require";
    QTest::newRow("SQLOLEDB instance and port, password with ';'")
        << "Provider=SQLOLEDB.1;Data Source=tcp:db1\\X,1433;Initial Catalog=Payroll;User ID=clerk;Password='a;b'"
        << "Driver=FreeTDS;Server=db1;Port=1433;Database=Payroll;UID=clerk;PWD={a;b};TDS_Version=7.4;"
           "ClientCharset=UTF-8";
}

void OdbcChoiceTest::mapsConnectionStrings() {
    QFETCH(QString, connectionString);
    QFETCH(QString, odbc);
    QCOMPARE(adodb::odbcConnectionString(adodb::ConnectionString(connectionString)).value_or(QString()), odbc);
}

void OdbcChoiceTest::refusesConnectionStrings_data() {
    QTest::addColumn<QString>("connectionString");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("Windows authentication")
        << "Provider=SQLOLEDB;Data Source=db1;Integrated Security=SSPI" << 3001 << "User ID=...;Password=...";
    QTest::newRow("trusted connection") << "Provider=SQLNCLI11;Server=db1;Trusted_Connection=yes" << 3001
                                        << "Windows authentication";
    QTest::newRow("other OLE DB provider") << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=a.mdb" << 3706
                                           << "(Microsoft.Jet.OLEDB.4.0)";
    QTest::newRow("neither provider nor ODBC") << "Data Source=db1" << 3706 << "names no Provider";
    QTest::newRow("open brace") << "Driver=FreeTDS;PWD={a;b" << 3001 << "{ is not closed";
}

void OdbcChoiceTest::refusesConnectionStrings() {
    QFETCH(QString, connectionString);
    QFETCH(int, number);
    QFETCH(QString, text);
    try {
        adodb::odbcConnectionString(adodb::ConnectionString(connectionString));
        QFAIL("accepted");
    } catch (const adodb::Error& error) {
        QCOMPARE(error.Number(), long(number));
        QVERIFY2(error.Description().contains(text), qPrintable(error.Description()));
    }
}

void OdbcChoiceTest::choosesTheDialect_data() {
    QTest::addColumn<QString>("dbmsName");
    QTest::addColumn<bool>("adaptsTsql");
    QTest::addColumn<QString>("writerLock");
    QTest::newRow("SQL Server: as written, an application lock") << "Microsoft SQL Server" << false << "sp_getapplock";
    QTest::newRow("SQLite: the T-SQL adaptation") << "SQLite" << true << "";
    QTest::newRow("PostgreSQL: an advisory lock") << "PostgreSQL" << false << "pg_advisory_xact_lock";
    QTest::newRow("another engine: as written") << "MySQL" << false << "";
}

void OdbcChoiceTest::choosesTheDialect() {
    QFETCH(QString, dbmsName);
    QFETCH(bool, adaptsTsql);
    QFETCH(QString, writerLock);
    const adodb::OdbcDialect dialect = adodb::dialectFor(dbmsName);
    QCOMPARE(dialect.adaptsTsql(), adaptsTsql);
    QCOMPARE(dialect.writerLock.isEmpty(), writerLock.isEmpty());
    QVERIFY(dialect.writerLock.contains(writerLock));
}

void OdbcChoiceTest::namesTheFailure_data() {
    QTest::addColumn<QString>("sqlState");
    QTest::addColumn<int>("native");
    QTest::addColumn<int>("kind");
    const int busy = int(adodb::FailureKind::Busy);
    QTest::newRow("SQL Server deadlock victim") << "40001" << 1205 << busy;
    QTest::newRow("SQL Server lock request timed out") << "HY000" << 1222 << busy;
    QTest::newRow("PostgreSQL lock not available") << "55P03" << 1 << busy;
    QTest::newRow("link failure") << "08S01" << 0 << int(adodb::FailureKind::Unwritable);
    QTest::newRow("read-only") << "25006" << 1 << int(adodb::FailureKind::Unwritable);
    QTest::newRow("SQL Server invalid object name") << "42S02" << 208 << int(adodb::FailureKind::Layout);
    QTest::newRow("PostgreSQL undefined column") << "42703" << 1 << int(adodb::FailureKind::Layout);
    QTest::newRow("duplicate key") << "23000" << 2627 << int(adodb::FailureKind::Engine);
}

void OdbcChoiceTest::namesTheFailure() {
    QFETCH(QString, sqlState);
    QFETCH(int, native);
    QFETCH(int, kind);
    QCOMPARE(int(adodb::odbcFailureKind(sqlState, native)), kind);
}

QTEST_GUILESS_MAIN(OdbcChoiceTest)
#include "tst_data_odbcchoice.moc"
