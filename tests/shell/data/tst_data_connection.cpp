// Opening, closing, transactions, locking and the statement observer.
#include "shell/data/errors.h"
#include "testdatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Runs `action` and returns the adodb::Error it raises.
template <typename Action>
adodb::Error errorOf(Action action) {
    try {
        action();
    } catch (const adodb::Error& error) {
        return error;
    }
    return adodb::Error(0, QString(), QStringLiteral("no error"));
}

QString countOf(TestDatabase& db, const QString& table) { return db.scalar("select count(*) from " + table); }

}  // namespace

class ConnectionTest : public QObject {
    Q_OBJECT

private slots:
    void init() { db_ = std::make_unique<TestDatabase>(); }
    void cleanup() { db_.reset(); }

    void rejectsBadConnectionStrings_data();
    void rejectsBadConnectionStrings();
    void readsKeysWithoutRegardToCaseOrBlanks();
    void refusesStatementsWhenClosed();
    void reportsRejectedStatementsWithTheEngineText();
    void runsSeveralStatementsInOneText();
    void rollsBackAndCommits();
    void refusesToEndAMissingTransaction();
    void closeRollsBack();
    void guardRollsBackOnException();
    void holdsOffASecondWriter();
    void observerSeesTextsAsBuilt();
    void throwingObserverStopsTheStatement();
    void failedCommitLeavesTheTransactionOpen();
    void errorTextIsUtf8();
    void reportsATransactionTheEngineGaveUp();

private:
    std::unique_ptr<TestDatabase> db_;
};

void ConnectionTest::rejectsBadConnectionStrings_data() {
    QTest::addColumn<QString>("connectionString");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("missing file") << "Provider=SQLite;Data Source=%1" << 14 << "unable to open database file";
    QTest::newRow("missing file through ODBC") << "Driver=SQLite3;Database=%1" << 14 << "absent.db";
    QTest::newRow("not key=value") << "Provider=SQLite;Data Source" << 3001 << "'Data Source' is not a key=value";
    QTest::newRow("bad Create flag") << "Provider=SQLite;Data Source=%1;Create=maybe" << 3001 << "Create=maybe";
    QTest::newRow("unknown provider") << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1" << 3706 << "Jet";
    QTest::newRow("unknown ODBC driver") << "Driver={No Such Driver};Database=%1" << 0 << "Can't open lib 'No Such Driver'";
    QTest::newRow("no provider") << "Data Source=%1" << 3706 << "names no Provider";
    QTest::newRow("no data source") << "Provider=SQLite" << 3001 << "names no Data Source";
}

void ConnectionTest::rejectsBadConnectionStrings() {
    QFETCH(QString, connectionString);
    QFETCH(int, number);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath("absent.db");
    adodb::Connection connection;
    const adodb::Error error = errorOf([&] { connection.Open(QString(connectionString).replace("%1", path)); });
    QCOMPARE(error.Number(), long(number));
    QVERIFY2(error.Description().contains(text), qPrintable(error.Description()));
    QCOMPARE(connection.State(), long(adodb::adStateClosed));
    QVERIFY(!QFile::exists(path));
}

void ConnectionTest::readsKeysWithoutRegardToCaseOrBlanks() {
    SKIP_ON_POSTGRESQL("a file's connection string");
    adodb::Connection connection;
    connection.Open(" provider = sqlite ; DATA SOURCE = " + db_->path() + " ;");
    QCOMPARE(connection.State(), long(adodb::adStateOpen));
    QCOMPARE(errorOf([&] { connection.Open(db_->connectionString()); }).Number(), 3705L);
}

void ConnectionTest::refusesStatementsWhenClosed() {
    auto connection = std::make_shared<adodb::Connection>();
    QCOMPARE(errorOf([&] { connection->Execute("select 1"); }).Number(), long(adodb::adErrInvalidConnection));
    QCOMPARE(errorOf([&] { connection->BeginTrans(); }).Number(), long(adodb::adErrInvalidConnection));
    QCOMPARE(errorOf([&] { adodb::Recordset().Open("select 1", connection); }).Number(),
             long(adodb::adErrInvalidConnection));
    QCOMPARE(errorOf([&] { connection->Close(); }).Number(), long(adodb::adErrObjectClosed));
}

void ConnectionTest::reportsRejectedStatementsWithTheEngineText() {
    const adodb::Error error = errorOf([&] { db_->connection()->Execute("insert into pusers values (1, 'a', 'b')"); });
    QCOMPARE(error.Source(), perTarget<QString>("SQLite", "SQLite", "PostgreSQL"));
    QCOMPARE(error.SQLState(), perTarget<QString>("", "HY000", "42601"));
    QCOMPARE(error.Number(), 1L);
    QCOMPARE(error.Description(), perTarget<QString>("table pusers has 2 columns but 3 values were supplied",
                                                     "table pusers has 2 columns but 3 values were supplied",
                                                     "ERROR: INSERT has more expressions than target columns;\n"
                                                     "Error while executing the query"));
    QCOMPARE(countOf(*db_, "pusers"), QString("0"));
}

void ConnectionTest::runsSeveralStatementsInOneText() {
    db_->connection()->Execute("insert into pusers values (1, 'a;b'); insert into pusers values (2, 'c') ;");
    // A definition and an update of no rows are no failures.
    db_->connection()->Execute("create table scratch (a int); update pusers set username = 'x' where userid = 9");
    QCOMPARE(db_->rows("select username from pusers order by userid"), (QStringList{"a;b", "c"}));
}

void ConnectionTest::rollsBackAndCommits() {
    adodb::Connection& connection = *db_->connection();
    connection.BeginTrans();
    QVERIFY(connection.InTransaction());
    connection.Execute("insert into pusers values (1, 'gone')");
    connection.RollbackTrans();
    QVERIFY(!connection.InTransaction());
    QCOMPARE(countOf(*db_, "pusers"), QString("0"));
    connection.BeginTrans();
    connection.Execute("insert into pusers values (2, 'kept')");
    connection.CommitTrans();
    QCOMPARE(db_->rows("select * from pusers"), QStringList{"2|kept"});
}

void ConnectionTest::refusesToEndAMissingTransaction() {
    QCOMPARE(errorOf([&] { db_->connection()->CommitTrans(); }).Description(), QString("No transaction is active."));
    QCOMPARE(errorOf([&] { db_->connection()->RollbackTrans(); }).Description(), QString("No transaction is active."));
}

void ConnectionTest::closeRollsBack() {
    adodb::Connection connection;
    connection.Open(db_->connectionString());
    connection.BeginTrans();
    connection.Execute("insert into pusers values (1, 'gone')");
    connection.Close();
    QVERIFY(!connection.InTransaction());
    QCOMPARE(countOf(*db_, "pusers"), QString("0"));
}

void ConnectionTest::guardRollsBackOnException() {
    adodb::Connection& connection = *db_->connection();
    try {
        adodb::Transaction transaction(connection);
        connection.Execute("insert into pusers values (1, 'gone')");
        connection.Execute("insert into nosuchtable values (1)");
        transaction.commit();
    } catch (const adodb::Error& error) {
        QVERIFY2(error.Description().contains("nosuchtable"), qPrintable(error.Description()));
    }
    QVERIFY(!connection.InTransaction());
    QCOMPARE(countOf(*db_, "pusers"), QString("0"));
    {
        adodb::Transaction transaction(connection);
        connection.Execute("insert into pusers values (2, 'kept')");
        transaction.commit();
    }
    QCOMPARE(countOf(*db_, "pusers"), QString("1"));
}

// Two workstations saving at once take turns: SQLite's file lock, the ODBC
// provider's advisory lock on PostgreSQL (an application lock on SQL Server).
void ConnectionTest::holdsOffASecondWriter() {
    adodb::Connection& first = *db_->connection();
    first.BeginTrans();
    first.Execute("insert into pusers values (1, 'first')");
    adodb::Connection second;
    second.Open(db_->connectionString() +
                perTarget<QString>(";Busy Timeout=50", ";Timeout=50", ";ConnSettings={SET lock_timeout = 50}"));
    std::vector<std::function<void()>> writes{[&] { second.BeginTrans(); }};
    if (testTarget() != TestTarget::OdbcPostgres)  // a file is locked for every writer
        writes.push_back([&] { second.Execute("insert into pusers values (2, 'second')"); });
    for (const auto& write : writes) {
        const adodb::Error error = errorOf(write);
        QCOMPARE(error.Number(), perTarget(5L, 5L, 1L));  // SQLITE_BUSY
        QCOMPARE(error.SQLState(), perTarget<QString>("", "HY000", "55P03"));
        QVERIFY2(error.Description().contains(perTarget<QString>("database is locked", "database is locked",
                                                                 "canceling statement due to lock timeout")),
                 qPrintable(error.Description()));
    }
    QVERIFY(!second.InTransaction());
    QCOMPARE(countOf(*db_, "pusers"), QString("0"));  // a reader still sees the last committed state
    first.CommitTrans();
    second.BeginTrans();
    second.Execute("insert into pusers values (2, 'second')");
    second.CommitTrans();
    QCOMPARE(countOf(*db_, "pusers"), QString("2"));
}

void ConnectionTest::observerSeesTextsAsBuilt() {
    SKIP_ON_POSTGRESQL("a T-SQL text that PostgreSQL refuses (\"1and\")");
    const auto connection = db_->connection();
    const QString insert = "insert into pusers values (1, 'a') ";
    const QString select = "select * from pusers where userid=1and username='20040214'";
    const QString withMarkers = "insert into pusers(userid, username) values(?,?)";
    connection->BeginTrans();
    connection->Execute(insert);
    connection->CommitTrans();
    adodb::Recordset recordset;
    recordset.Open(select, connection);
    adodb::Command command;
    command.setActiveConnection(connection);
    command.setCommandText(withMarkers);
    command.RefreshParameters();
    command.Execute({2, "b"});
    connection->BeginTrans();
    connection->RollbackTrans();
    QCOMPARE(db_->statements(), (QStringList{"BEGIN TRANSACTION", insert, "COMMIT TRANSACTION", select, withMarkers,
                                             "BEGIN TRANSACTION", "ROLLBACK TRANSACTION"}));
}

void ConnectionTest::throwingObserverStopsTheStatement() {
    db_->failStatementsContaining("pusers");
    const auto connection = db_->connection();
    const adodb::Error error = errorOf([&] { connection->Execute("insert into pusers values (1, 'a')"); });
    QCOMPARE(error.Description(), QString("Injected fault: pusers"));
    QCOMPARE(error.Number(), -2147217900L);
    adodb::Command command;
    command.setActiveConnection(connection);
    command.setCommandText("insert into pusers(userid, username) values(?,?)");
    QCOMPARE(errorOf([&] { command.Execute({2, "b"}); }).Description(), QString("Injected fault: pusers"));
    QCOMPARE(countOf(*db_, "pusers"), QString("0"));
}

void ConnectionTest::failedCommitLeavesTheTransactionOpen() {
    const auto connection = db_->connection();
    connection->BeginTrans();
    connection->Execute("insert into pusers values (1, 'a')");
    db_->failStatementsContaining("COMMIT");
    QVERIFY(errorOf([&] { connection->CommitTrans(); }).Description().contains("COMMIT"));
    QVERIFY(connection->InTransaction());
    connection->RollbackTrans();
    QCOMPARE(countOf(*db_, "pusers"), QString("0"));
}

void ConnectionTest::errorTextIsUtf8() {
    const adodb::Error error(1, "SQLite", QString::fromUtf8("Zeichen \xc3\xa4"));
    QCOMPARE(QByteArray(error.what()), QByteArray("Zeichen \xc3\xa4"));
}

// A deadlock victim or a serialization failure: the engine rolled the whole
// transaction back, and the clerk is told the database was busy.
void ConnectionTest::reportsATransactionTheEngineGaveUp() {
    if (testTarget() != TestTarget::OdbcPostgres)
        QSKIP("a server that gives up a transaction");
    db_->exec("insert into pusers values (1, 'first')");
    adodb::Connection mine;
    mine.Open(db_->connectionString() + ";ConnSettings={SET default_transaction_isolation = 'repeatable read'}");
    mine.BeginTrans();
    mine.Execute("insert into pusers values (2, 'mine')");
    db_->exec("update pusers set username = 'theirs' where userid = 1");
    const adodb::Error error = errorOf([&] { mine.Execute("update pusers set username = 'mine' where userid = 1"); });
    QCOMPARE(error.SQLState(), QString("40001"));
    QVERIFY2(error.Description().endsWith("The transaction was rolled back; nothing of it was written."),
             qPrintable(error.Description()));
    QCOMPARE(adodb::failureKind(error), adodb::FailureKind::Busy);
    mine.RollbackTrans();
    QCOMPARE(db_->rows("select * from pusers"), QStringList{"1|theirs"});
}

QTEST_GUILESS_MAIN(ConnectionTest)
#include "tst_data_connection.moc"
