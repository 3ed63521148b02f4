#include "testdatabase.h"

#include <QFile>

namespace {

// ZQ5_PLAIN_VARCHAR=1 runs a test on another site's layout of the tables.
QString schemaPath() {
    return qEnvironmentVariableIntValue("ZQ5_PLAIN_VARCHAR") ? QStringLiteral(ZQ5_DATA_DIR "/schema_varchar.sql")
                                                              : QStringLiteral(ZQ5_SCHEMA_SQL);
}

}  // namespace

TestDatabase::TestDatabase() {
    QFile schema(schemaPath());
    if (!schema.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(schema.fileName()));
    const QString schemaSql = QString::fromUtf8(schema.readAll());
    connection_ = std::make_shared<adodb::Connection>();
    connection_->Open(QStringLiteral("Provider=SQLite;Data Source=%1;Create=True").arg(path()));
    // One transaction for the whole schema: a file per statement is slow.
    connection_->BeginTrans();
    connection_->Execute(schemaSql);
    connection_->CommitTrans();
    installObserver();
}

QString TestDatabase::path() const { return dir_.filePath(QStringLiteral("test.db")); }

QString TestDatabase::connectionString() const {
    return QStringLiteral("Provider=SQLite;Data Source=%1").arg(path());
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

QStringList TestDatabase::statementsStartingWith(const QString& prefix) const {
    QStringList result;
    for (const QString& s : *statements_)
        if (s.trimmed().startsWith(prefix.trimmed(), Qt::CaseInsensitive))
            result << s;
    return result;
}

void TestDatabase::failStatementsContaining(const QString& fragment) { failing_->append(fragment); }
