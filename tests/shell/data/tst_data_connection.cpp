// Connection strings, refusals, transactions, locking, the statement observer,
// and the ODBC provider's choices that need no driver.
#include "shell/data/errors.h"
#include "shell/data/odbc/odbcconnectionstring.h"
#include "shell/data/odbc/odbcdialect.h"
#include "shell/data/odbc/odbcsession.h"
#include "testdatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace adodb;
using Shared = std::shared_ptr<Connection>;
using Action = std::function<void(const Shared&)>;
Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(adodb::FailureKind)

namespace {

const char* const noRow = "select 1 where 1 = 0";

std::unique_ptr<Recordset> opened(const Shared& connection, const QString& sql = "select 1") {
    auto recordset = std::make_unique<Recordset>();
    recordset->Open(sql, connection);
    return recordset;
}

}  // namespace

class ConnectionTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db_;
    QString users() { return db_->rows("select * from pusers order by userid").join(','); }

private slots:
    void init() { db_ = std::make_unique<TestDatabase>(); }
    void cleanup() { db_.reset(); }

    void readsConnectionStrings_data() {
        QTest::addColumn<QString>("connectionString");  // %1: a file that does not exist, %2: the test's own
        QTest::addColumn<int>("number");  // -1: the ODBC string it becomes, not opened
        QTest::addColumn<QString>("text");  // "": it opens
        const auto row = [](const char* name, const char* text, int number, const char* connectionString) {
            QTest::newRow(name) << connectionString << number << text;
        };
        if (testTarget() != TestTarget::OdbcPostgres)
            row("keys of any case, blanks", "", 0, " provider = sqlite ; DATA SOURCE = %2 ;");
        row("missing file", "unable to open database file", 14, "Provider=SQLite;Data Source=%1");
        row("missing file through ODBC", "absent.db", 14, "Driver=SQLite3;Database=%1");
        row("not key=value", "'Data Source' is not a key=value", 3001, "Provider=SQLite;Data Source");
        row("bad Create flag", "Create=maybe", 3001, "Provider=SQLite;Data Source=%1;Create=maybe");
        row("bad timeout", "Timeout=soon", 3001, "Provider=SQLite;Data Source=%1;Busy Timeout=soon");
        row("unknown provider", "(Microsoft.Jet.OLEDB.4.0)", 3706, "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1");
        row("unknown ODBC driver", "Can't open lib 'No Such Driver'", 0, "Driver={No Such Driver};Database=%1");
        row("no provider", "names no Provider", 3706, "Data Source=%1");
        row("no data source", "names no Data Source", 3001, "Provider=SQLite");
        row("open brace", "{ is not closed", 3001, "Driver=FreeTDS;PWD={a;b");
        row("Windows authentication", "User ID=...;Password=...", 3001,
            "Provider=SQLOLEDB;Data Source=db1;Integrated Security=SSPI");
        row("trusted connection", "Windows authentication", 3001,
            "Provider=SQLNCLI11;Server=db1;Trusted_Connection=yes");
        const QString login = ";Database=Payroll;UID=clerk;PWD=s3cret", tds = ";TDS_Version=7.4;ClientCharset=UTF-8";
        const auto odbc = [](const char* name, const QString& odbc, const QString& connectionString) {
            QTest::newRow(name) << connectionString << -1 << odbc;
        };
        odbc("embedded", "", "Provider=SQLite;Data Source=/tmp/a.db");
        odbc("MSDASQL with a DSN", "DSN=payroll;UID=clerk", "Provider=MSDASQL.1;DSN=payroll;UID=clerk");
        odbc("bare driver string, braces keep ';'", "Driver=SQLite3;Database=/tmp/a b.db;PWD={a;b}}c}",
             " Driver={SQLite3} ; Database=/tmp/a b.db;PWD={a;b}}c}");
        odbc("SQLOLEDB host", "Driver=FreeTDS;Server=db1" + login + tds,
             "Provider=SQLOLEDB;Data Source=db1;Initial Catalog=Payroll;User ID=clerk;Password=s3cret;"
             "Persist Security Info=False");
        odbc("SQLNCLI11 host,port", "Driver=FreeTDS;Server=db1;Port=1444" + login + tds,
             "Provider=SQLNCLI11;Data Source=db1,1444" + login);
        odbc("MSOLEDBSQL instance, quoted password, app name, encryption",
             "Driver=FreeTDS;Server=localhost\\PAYROLL" + login + ";APP=Payroll 5" + tds + ";Encryption=require",
             "Provider=MSOLEDBSQL;Server=(local)\\PAYROLL;Initial Catalog=Payroll;User ID=clerk;Password=\"s3cret\";"
             "Application Name=Payroll 5;Use Encryption for Data=True");
        odbc("SQLOLEDB instance and port, password with ';'",
             "Driver=FreeTDS;Server=db1;Port=1433;Database=Payroll;UID=clerk;PWD={a;b}" + tds,
             "Provider=SQLOLEDB.1;Data Source=tcp:db1\\X,1433;Initial Catalog=Payroll;User ID=clerk;Password='a;b'");
    }
    void readsConnectionStrings() {
        QFETCH(QString, connectionString);
        QFETCH(int, number);
        QFETCH(QString, text);
        if (number < 0) {
            QCOMPARE(odbcConnectionString(ConnectionString(connectionString)).value_or(QString()), text);
            return;
        }
        QTemporaryDir dir;
        const QString path = dir.filePath("absent.db");
        Connection connection;
        connectionString.replace("%1", path).replace("%2", db_->path());
        const Error error = errorOf([&] { connection.Open(connectionString); });
        QCOMPARE(error.Number(), long(number));
        QVERIFY2(error.Description().contains(text), qPrintable(error.Description()));
        QCOMPARE(connection.State(), long(text.isEmpty() ? adStateOpen : adStateClosed));
        QVERIFY(!QFile::exists(path));
    }

    void refuses_data() {
        QTest::addColumn<bool>("open");
        QTest::addColumn<Action>("action");
        QTest::addColumn<long>("number");
        const auto row = [](const char* name, long number, bool open, Action action) {
            QTest::newRow(name) << open << action << number;
        };
        row("execute, closed", adErrInvalidConnection, false, [](auto c) { c->Execute("select 1"); });
        row("begin, closed", adErrInvalidConnection, false, [](auto c) { c->BeginTrans(); });
        row("commit, closed", adErrInvalidConnection, false, [](auto c) { c->CommitTrans(); });
        row("recordset, closed", adErrInvalidConnection, false, [](auto c) { opened(c); });
        row("close, closed", adErrObjectClosed, false, [](auto c) { c->Close(); });
        row("open, open", adErrObjectOpen, true, [](auto c) { c->Open("Provider=SQLite"); });
        row("commit, no transaction", adErrNoTransaction, true, [](auto c) { c->CommitTrans(); });
        row("rollback, no transaction", adErrNoTransaction, true, [](auto c) { c->RollbackTrans(); });
        row("recordset opened twice", adErrObjectOpen, true, [](auto c) { opened(c)->Open("select 1", c); });
        row("no such field", adErrItemNotFound, true, [](auto c) { opened(c, "select 1 as a")->Fields("b"); });
        row("field past the last", adErrItemNotFound, true, [](auto c) { opened(c)->Fields(1); });
        row("field after the last row", adErrNoCurrentRecord, true, [](auto c) { opened(c, noRow)->Fields(0); });
        row("move after the last row", adErrNoCurrentRecord, true, [](auto c) { opened(c, noRow)->MoveNext(); });
        row("closed recordset", adErrObjectClosed, true, [](auto) { Recordset().isEOF(); });
        row("text of NULL", adErrInvalidUseOfNull, true, [](auto c) { opened(c, "select null")->Fields(0).text(); });
        row("UTF-8 after the last row", adErrNoCurrentRecord, true, [](auto c) { opened(c, noRow)->fieldTextUtf8(0); });
        row("command without a connection", adErrInvalidConnection, true, [](auto) { Command().Execute({}); });
        row("command with too few values", adErrInvalidArgument, true, [](auto c) {
            Command command;
            command.setActiveConnection(c);
            command.setCommandText("insert into pusers values (?, ?)");
            command.Execute({1});
        });
    }
    void refuses() {
        QFETCH(bool, open);
        QFETCH(Action, action);
        QFETCH(long, number);
        auto connection = std::make_shared<Connection>();
        if (open)
            connection->Open(db_->connectionString());
        QCOMPARE(errorOf([&] { action(connection); }).Number(), number);
        QCOMPARE(users(), QString());
    }

    void reportsRejectedStatementsWithTheEngineText() {
        const Error error = errorOf([&] { db_->connection()->Execute("insert into pusers values (1, 'a', 'b')"); });
        const QString sqlite = "table pusers has 2 columns but 3 values were supplied";
        QCOMPARE(QStringList({error.Source(), error.SQLState(), QString::number(error.Number()), error.Description()}),
                 perTarget<QStringList>({"SQLite", "", "1", sqlite}, {"SQLite", "HY000", "1", sqlite},
                                        {"PostgreSQL", "42601", "1", "ERROR: INSERT has more expressions than target "
                                                                    "columns;\nError while executing the query"}));
        QCOMPARE(QByteArray(Error(1, "SQLite", "Zeichen \u00e4").what()), QByteArray("Zeichen \xc3\xa4"));
    }

    void endsTransactions() {
        Connection& connection = *db_->connection();
        connection.BeginTrans();
        connection.Execute("insert into pusers values (1, 'gone')");
        connection.RollbackTrans();
        {
            Transaction transaction(connection);  // left without a commit
            connection.Execute("insert into pusers values (2, 'gone')");
        }
        connection.BeginTrans();  // a definition and an update of no rows are no failures
        connection.Execute("insert into pusers values (3, 'a;b'); insert into pusers values (5, 'c') ;"
                           "create table scratch (a int); update pusers set username = 'x' where userid = 9");
        connection.CommitTrans();
        Connection closed;
        closed.Open(db_->connectionString());
        closed.BeginTrans();
        closed.Execute("insert into pusers values (4, 'gone')");
        closed.Close();
        QVERIFY(!closed.InTransaction());
        connection.BeginTrans();
        connection.Execute("insert into pusers values (6, 'gone')");
        db_->failStatementsContaining("COMMIT");
        QCOMPARE(errorOf([&] { connection.CommitTrans(); }).Description(), QString("Injected fault: COMMIT"));
        QVERIFY(connection.InTransaction());  // a failed commit leaves the transaction open
        connection.RollbackTrans();
        QCOMPARE(users(), QString("3|a;b,5|c"));
    }

    // Two workstations saving at once take turns: SQLite's file lock, the ODBC
    // provider's advisory lock on PostgreSQL (an application lock on SQL Server).
    void holdsOffASecondWriter() {
        Connection& first = *db_->connection();
        first.BeginTrans();
        first.Execute("insert into pusers values (1, 'first')");
        Connection second;
        second.Open(db_->connectionString() +
                    perTarget<QString>(";Busy Timeout=50", ";Timeout=50", ";ConnSettings={SET lock_timeout = 50}"));
        const auto insert = [&] { second.Execute("insert into pusers values (2, 'second')"); };
        QCOMPARE(failureKind(errorOf([&] { second.BeginTrans(); })), FailureKind::Busy);
        if (testTarget() != TestTarget::OdbcPostgres)  // a file is locked for every writer
            QCOMPARE(failureKind(errorOf(insert)), FailureKind::Busy);
        QVERIFY(!second.InTransaction());
        QCOMPARE(users(), QString());  // a reader still sees the last committed state
        first.CommitTrans();
        second.BeginTrans();
        insert();
        second.CommitTrans();
        QCOMPARE(users(), QString("1|first,2|second"));
    }

    // A deadlock victim or a serialization failure: the engine rolled the whole
    // transaction back, and the clerk is told the database was busy.
    void reportsATransactionTheEngineGaveUp() {
        if (testTarget() != TestTarget::OdbcPostgres)
            QSKIP("a server that gives up a transaction");
        db_->exec("insert into pusers values (1, 'first')");
        Connection mine;
        mine.Open(db_->connectionString() + ";ConnSettings={SET default_transaction_isolation = 'repeatable read'}");
        mine.BeginTrans();
        mine.Execute("insert into pusers values (2, 'mine')");
        db_->exec("update pusers set username = 'theirs' where userid = 1");
        const Error error = errorOf([&] { mine.Execute("update pusers set username = 'mine' where userid = 1"); });
        QCOMPARE(error.SQLState(), QString("40001"));
        QVERIFY2(error.Description().endsWith("The transaction was rolled back; nothing of it was written."),
                 qPrintable(error.Description()));
        QCOMPARE(failureKind(error), FailureKind::Busy);
        mine.RollbackTrans();
        QCOMPARE(users(), QString("1|theirs"));
    }

    void choosesTheDialect_data() {
        QTest::addColumn<QString>("dbmsName");
        QTest::addColumn<bool>("adaptsTsql");
        QTest::addColumn<QString>("writerLock");
        QTest::newRow("SQL Server: as written, an application lock") << "Microsoft SQL Server" << false << "sp_getapplock";
        QTest::newRow("SQLite: the T-SQL adaptation") << "SQLite" << true << "";
        QTest::newRow("PostgreSQL: an advisory lock") << "PostgreSQL" << false << "pg_advisory_xact_lock";
        QTest::newRow("another engine: as written") << "MySQL" << false << "";
    }
    void choosesTheDialect() {
        QFETCH(QString, dbmsName);
        QFETCH(bool, adaptsTsql);
        QFETCH(QString, writerLock);
        const OdbcDialect dialect = dialectFor(dbmsName);
        QCOMPARE(dialect.adaptsTsql(), adaptsTsql);
        QCOMPARE(dialect.writerLock.isEmpty(), writerLock.isEmpty());
        QVERIFY(dialect.writerLock.contains(writerLock));
    }

    void namesTheFailure_data() {
        QTest::addColumn<QString>("sqlState");
        QTest::addColumn<int>("native");
        QTest::addColumn<FailureKind>("kind");
        QTest::newRow("SQL Server deadlock victim") << "40001" << 1205 << FailureKind::Busy;
        QTest::newRow("SQL Server lock request timed out") << "HY000" << 1222 << FailureKind::Busy;
        QTest::newRow("PostgreSQL lock not available") << "55P03" << 1 << FailureKind::Busy;
        QTest::newRow("link failure") << "08S01" << 0 << FailureKind::Unwritable;
        QTest::newRow("read-only") << "25006" << 1 << FailureKind::Unwritable;
        QTest::newRow("SQL Server invalid object name") << "42S02" << 208 << FailureKind::Layout;
        QTest::newRow("PostgreSQL undefined column") << "42703" << 1 << FailureKind::Layout;
        QTest::newRow("duplicate key") << "23000" << 2627 << FailureKind::Engine;
    }
    void namesTheFailure() {
        QFETCH(QString, sqlState);
        QFETCH(int, native);
        QFETCH(FailureKind, kind);
        QCOMPARE(odbcFailureKind(sqlState, native), kind);
    }
};

QTEST_GUILESS_MAIN(ConnectionTest)
#include "tst_data_connection.moc"
