#include "connectionstring.h"

#include "errors.h"

#include <QStringList>

namespace adodb {

namespace {

[[noreturn]] void raiseMalformed(const QString& why) {
    raise(adErrInvalidArgument, QStringLiteral("The connection string is malformed: %1").arg(why));
}

}  // namespace

ConnectionString::ConnectionString(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(';'));
    for (const QString& part : parts) {
        if (part.trimmed().isEmpty())
            continue;
        const qsizetype equals = part.indexOf(QLatin1Char('='));
        const QString key = part.left(equals).trimmed().toLower();
        if (equals < 0 || key.isEmpty())
            raiseMalformed(QStringLiteral("'%1' is not a key=value pair.").arg(part.trimmed()));
        values_.insert(key, part.mid(equals + 1).trimmed());
    }
}

QString ConnectionString::value(const QString& key) const { return values_.value(key.toLower()); }

bool ConnectionString::flag(const QString& key) const {
    const QString text = value(key).toLower();
    if (text == QLatin1String("true") || text == QLatin1String("yes") || text == QLatin1String("1"))
        return true;
    if (text.isEmpty() || text == QLatin1String("false") || text == QLatin1String("no") ||
        text == QLatin1String("0"))
        return false;
    raiseMalformed(QStringLiteral("%1=%2 is neither True nor False.").arg(key, value(key)));
}

int ConnectionString::number(const QString& key, int fallback) const {
    const QString text = value(key);
    if (text.isEmpty())
        return fallback;
    bool ok = false;
    const int result = text.toInt(&ok);
    if (!ok || result < 0)
        raiseMalformed(QStringLiteral("%1=%2 is not a whole number.").arg(key, text));
    return result;
}

}  // namespace adodb
