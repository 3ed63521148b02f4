#include "testdatabase.h"

#include <QtCore>

namespace {

// ZQ5_PLAIN_VARCHAR=1 runs a test on another site's layout of the tables.
QString schemaText() {
    QFile schema(qEnvironmentVariableIntValue("ZQ5_PLAIN_VARCHAR") ? QStringLiteral(ZQ5_DATA_DIR "/schema_varchar.sql")
                                                                    : QStringLiteral(ZQ5_SCHEMA_SQL));
    if (!schema.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(schema.fileName()));
    return QString::fromUtf8(schema.readAll());
}

QString postgresServer() {
    QFile port(qEnvironmentVariable("ZQ5_POSTGRES_DIR") + QStringLiteral("/port"));
    if (!port.open(QIODevice::ReadOnly))
        qFatal("no PostgreSQL server: ZQ5_POSTGRES_DIR has no port file");
    return QStringLiteral("Driver=PostgreSQL Unicode;Server=127.0.0.1;Port=%1;UID=postgres;Database=")
        .arg(QString::fromLatin1(port.readAll().trimmed()));
}

void runAsAdministrator(const QString& sql) {
    adodb::Connection administrator;
    administrator.Open(postgresServer() + QStringLiteral("postgres"));
    administrator.Execute(sql);
}

}  // namespace

adodb::Error errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const adodb::Error& error) {
        return error;
    }
    return adodb::Error(0, QString(), QStringLiteral("no error"));
}

TestTarget testTarget() {
    const QByteArray target = qgetenv("ZQ5_TEST_TARGET");
    if (target == "odbc-sqlite")
        return TestTarget::OdbcSqlite;
    if (target == "odbc-postgresql")
        return TestTarget::OdbcPostgres;
    if (!target.isEmpty() && target != "embedded")
        qFatal("unknown ZQ5_TEST_TARGET %s", target.constData());
    return TestTarget::Embedded;
}

TestDatabase::TestDatabase() {
    QString schemaSql = schemaText();
    connection_ = std::make_shared<adodb::Connection>();
    if (testTarget() == TestTarget::OdbcPostgres) {
        static QAtomicInt created;
        postgresDatabase_ = QStringLiteral("zq5_%1_%2").arg(QCoreApplication::applicationPid()).arg(created++);
        runAsAdministrator(QStringLiteral("create database ") + postgresDatabase_);
        // The shipped schema in the types both engines know; amounts exact to the cent.
        schemaSql.remove(QStringLiteral(" COLLATE NOCASE")).replace(QRegularExpression("\\bREAL\\b"), "NUMERIC(18,2)");
    } else {
        connection_->Open(QStringLiteral("Provider=SQLite;Data Source=%1;Create=True").arg(path()));
        if (testTarget() == TestTarget::OdbcSqlite)
            connection_->Close();
    }
    if (connection_->State() == adodb::adStateClosed)
        connection_->Open(connectionString());
    // One transaction for the whole schema: a file per statement is slow.
    connection_->BeginTrans();
    connection_->Execute(schemaSql);
    connection_->CommitTrans();
    installObserver();
}

TestDatabase::~TestDatabase() {
    if (postgresDatabase_.isEmpty())
        return;
    if (connection_->State() == adodb::adStateOpen)
        connection_->Close();
    runAsAdministrator(QStringLiteral("drop database %1 with (force)").arg(postgresDatabase_));
}

QString TestDatabase::path() const { return dir_.filePath(QStringLiteral("test.db")); }

QString TestDatabase::connectionString() const {
    switch (testTarget()) {
    case TestTarget::OdbcSqlite:
        return QStringLiteral("Driver=SQLite3;Database=%1").arg(path());
    case TestTarget::OdbcPostgres:
        return postgresServer() + postgresDatabase_;
    default:
        return QStringLiteral("Provider=SQLite;Data Source=%1").arg(path());
    }
}
void TestDatabase::installObserver() {
    connection_->setStatementObserver([statements = statements_, failing = failing_](const QString& sql) {
        statements->append(sql);
        for (const QString& fragment : *failing)
            if (sql.contains(fragment))
                throw adodb::Error(-2147217900, QStringLiteral("Test"),
                                   QStringLiteral("Injected fault: ") + fragment);
    });
}

void TestDatabase::exec(const QString& sql) {
    connection_->setStatementObserver({});
    try {
        connection_->Execute(sql);
    } catch (...) {
        installObserver();
        throw;
    }
    installObserver();
}

QStringList TestDatabase::rows(const QString& sql) {
    // A connection of its own sees only what was committed.
    auto reader = std::make_shared<adodb::Connection>();
    reader->Open(connectionString());
    return rowsOf(reader, sql);
}

QStringList TestDatabase::rowsOf(const std::shared_ptr<adodb::Connection>& connection, const QString& sql) {
    adodb::Recordset rs;
    rs.Open(sql, connection, adodb::adOpenStatic);
    QStringList result;
    for (; !rs.isEOF(); rs.MoveNext()) {
        QStringList fields;
        for (int i = 0; i < rs.FieldCount(); ++i)
            fields << rs.Fields(i).textOrEmpty();
        result << fields.join(QLatin1Char('|'));
    }
    return result;
}

QString TestDatabase::scalar(const QString& sql) {
    const QStringList r = rows(sql);
    return r.isEmpty() ? QString() : r.first().section(QLatin1Char('|'), 0, 0);
}

void TestDatabase::failStatementsContaining(const QString& fragment) { failing_->append(fragment); }
