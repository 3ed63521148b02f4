#include "demodatabase.h"

#include <ZQ5Reimbursement/adodb.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace ZQ5Reimbursement {

namespace {

const QString source = QStringLiteral("ZQ5Reimbursement.DemoDatabase");

QString resourceText(const QString& name) {
    QFile file(QStringLiteral(":/ZQ5Reimbursement/") + name);
    if (!file.open(QIODevice::ReadOnly))
        throw adodb::Error(53, source, QStringLiteral("File not found: ") + file.fileName());
    return QString::fromUtf8(file.readAll());
}

QString connectionString(const QString& path) { return QStringLiteral("Provider=SQLite;Data Source=") + path; }

void build(const QString& path) {
    adodb::Connection connection;
    connection.Open(connectionString(path) + QStringLiteral(";Create=True"));
    connection.Execute(resourceText(QStringLiteral("schema.sql")));
    connection.Execute(resourceText(QStringLiteral("demo.sql")));
    connection.Close();
}

}  // namespace

QString ensureDemoDatabase(const QString& path) {
    if (QFileInfo::exists(path))
        return connectionString(path);
    const QFileInfo target(path);
    if (!QDir().mkpath(target.absolutePath()))
        throw adodb::Error(76, source, QStringLiteral("Path not found: ") + target.absolutePath());

    // Built beside the target and renamed, so an interrupted build is never taken for a demo database.
    const QString partial = path + QStringLiteral(".partial");
    QFile::remove(partial);
    try {
        build(partial);
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
    if (!QFile::rename(partial, path)) {
        QFile::remove(partial);
        throw adodb::Error(75, source, QStringLiteral("Path/File access error: ") + path);
    }
    return connectionString(path);
}

QString defaultDemoDatabasePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
         + QStringLiteral("/ZQ5Reimbursement/demo.db");
}

}  // namespace ZQ5Reimbursement
