#include "odbcconnectionstring.h"

#include "errors.h"

#include <QRegularExpression>
#include <QStringList>

namespace adodb {

namespace {

// The provider's name without a version suffix ("SQLOLEDB.1").
QString providerName(const ConnectionString& settings) {
    static const QRegularExpression version(QStringLiteral("\\.[0-9]+$"));
    return settings.value(QStringLiteral("Provider")).remove(version).toUpper();
}

bool isOdbcString(const ConnectionString& settings) {
    return settings.contains(QStringLiteral("DSN")) || settings.contains(QStringLiteral("Driver")) ||
           settings.contains(QStringLiteral("FileDSN"));
}

QString joined(const QList<ConnectionString::Entry>& entries) {
    QStringList parts;
    for (const ConnectionString::Entry& entry : entries)
        if (entry.key.compare(QLatin1String("Provider"), Qt::CaseInsensitive) != 0)
            parts << entry.key + QLatin1Char('=') + odbcValue(entry.value);
    return parts.join(QLatin1Char(';'));
}

// The first of the keys present, as OLE DB has several names for one setting.
QString firstOf(const ConnectionString& settings, const QStringList& keys) {
    for (const QString& key : keys)
        if (settings.contains(key))
            return settings.value(key);
    return {};
}

bool isOneOf(const QString& value, std::initializer_list<const char*> words) {
    for (const char* word : words)
        if (value.compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString freeTdsString(const ConnectionString& settings) {
    if (isOneOf(firstOf(settings, {"Integrated Security", "Trusted_Connection"}), {"SSPI", "true", "yes"}))
        raise(adErrInvalidArgument,
              QStringLiteral("Integrated Security=SSPI (Windows authentication) is not available on Linux. "
                             "Give the SQL Server login in the connection string instead (User ID=...;"
                             "Password=...), or use Provider=MSDASQL with a DSN whose driver is set up for "
                             "Kerberos."));
    // host[,port][\instance]; a port wins over an instance, as with SQL Server's own clients.
    QString server = firstOf(settings, {"Data Source", "Server", "Address", "Addr", "Network Address"});
    if (server.startsWith(QLatin1String("tcp:"), Qt::CaseInsensitive))
        server = server.mid(4);
    const qsizetype comma = server.indexOf(QLatin1Char(','));
    const QString port = comma < 0 ? QString() : server.mid(comma + 1).trimmed();
    if (comma >= 0)
        server = server.left(comma).section(QLatin1Char('\\'), 0, 0);
    if (const QString host = server.section(QLatin1Char('\\'), 0, 0).trimmed(); isOneOf(host, {"(local)", "."}))
        server.replace(0, host.size(), QStringLiteral("localhost"));
    QList<ConnectionString::Entry> odbc{{QStringLiteral("Driver"), QStringLiteral("FreeTDS")},
                                        {QStringLiteral("Server"), server.trimmed()}};
    if (!port.isEmpty())
        odbc.append({QStringLiteral("Port"), port});
    const std::pair<QString, QStringList> renamed[] = {
        {QStringLiteral("Database"), {QStringLiteral("Initial Catalog"), QStringLiteral("Database")}},
        {QStringLiteral("UID"), {QStringLiteral("User ID"), QStringLiteral("UID"), QStringLiteral("User")}},
        {QStringLiteral("PWD"), {QStringLiteral("Password"), QStringLiteral("PWD")}},
        {QStringLiteral("APP"), {QStringLiteral("Application Name")}},
        {QStringLiteral("WSID"), {QStringLiteral("Workstation ID")}},
    };
    for (const auto& [odbcKey, oleDbKeys] : renamed)
        if (const QString value = firstOf(settings, oleDbKeys); !value.isEmpty())
            odbc.append({odbcKey, value});
    odbc.append({QStringLiteral("TDS_Version"), QStringLiteral("7.4")});
    odbc.append({QStringLiteral("ClientCharset"), QStringLiteral("UTF-8")});
    if (isOneOf(firstOf(settings, {"Use Encryption for Data", "Encrypt"}), {"true", "yes", "mandatory", "strict"}))
        odbc.append({QStringLiteral("Encryption"), QStringLiteral("require")});
    return joined(odbc);
}

}  // namespace

std::optional<QString> odbcConnectionString(const ConnectionString& settings) {
    const QString provider = providerName(settings);
    if (provider.isEmpty()) {
        if (isOdbcString(settings))
            return joined(settings.entries());
        raise(adErrProviderNotFound,
              QStringLiteral("Provider cannot be found: the connection string names no Provider."));
    }
    if (provider == QLatin1String("SQLITE"))
        return std::nullopt;
    if (provider == QLatin1String("MSDASQL"))
        return joined(settings.entries());
    if (isOneOf(provider, {"SQLOLEDB", "SQLNCLI", "SQLNCLI10", "SQLNCLI11", "MSOLEDBSQL", "MSOLEDBSQL19"}))
        return freeTdsString(settings);
    raise(adErrProviderNotFound, QStringLiteral("Provider cannot be found. It may not be properly installed. (%1)")
                                     .arg(settings.value(QStringLiteral("Provider"))));
}

}  // namespace adodb
