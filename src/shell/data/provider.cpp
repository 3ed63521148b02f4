#include "provider.h"

#include "connectionstring.h"
#include "errors.h"
#include "sqliteprovider.h"

namespace adodb {

std::unique_ptr<Provider> openProvider(const QString& connectionString) {
    const ConnectionString settings(connectionString);
    const QString name = settings.value(QStringLiteral("Provider"));
    if (name.isEmpty())
        raise(adErrProviderNotFound,
              QStringLiteral("Provider cannot be found: the connection string names no Provider."));
    if (name.compare(QLatin1String("SQLite"), Qt::CaseInsensitive) != 0)
        raise(adErrProviderNotFound,
              QStringLiteral("Provider cannot be found. It may not be properly installed. (%1)").arg(name));
    return SqliteProvider::open(settings);
}

}  // namespace adodb
