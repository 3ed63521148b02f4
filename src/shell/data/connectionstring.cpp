#include "connectionstring.h"

#include "errors.h"

namespace adodb {

namespace {

[[noreturn]] void raiseMalformed(const QString& why) {
    raise(adErrInvalidArgument, QStringLiteral("The connection string is malformed: %1").arg(why));
}

// The value starting at `at` (blanks skipped), up to the ';' that ends it;
// `at` moves past that ';'.
QString readValue(const QString& text, qsizetype& at) {
    while (at < text.size() && text.at(at).isSpace())
        ++at;
    const QChar open = at < text.size() ? text.at(at) : QChar();
    const QChar close = open == QLatin1Char('{') ? QLatin1Char('}') : open;
    if (open != QLatin1Char('{') && open != QLatin1Char('"') && open != QLatin1Char('\'')) {
        const qsizetype end = text.indexOf(QLatin1Char(';'), at);
        const QString value = text.mid(at, end < 0 ? -1 : end - at).trimmed();
        at = end < 0 ? text.size() : end + 1;
        return value;
    }
    QString value;
    for (++at;; ++at) {
        if (at >= text.size())
            raiseMalformed(QStringLiteral("%1 is not closed.").arg(open));
        if (text.at(at) != close) {
            value += text.at(at);
        } else if (at + 1 < text.size() && text.at(at + 1) == close) {
            value += close;  // doubled: the character itself
            ++at;
        } else {
            break;
        }
    }
    const qsizetype end = text.indexOf(QLatin1Char(';'), ++at);
    if (!text.mid(at, end < 0 ? -1 : end - at).trimmed().isEmpty())
        raiseMalformed(QStringLiteral("text follows the closing %1.").arg(close));
    at = end < 0 ? text.size() : end + 1;
    return value;
}

}  // namespace

ConnectionString::ConnectionString(const QString& text) {
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype end = text.indexOf(QLatin1Char(';'), at);
        const qsizetype equals = text.indexOf(QLatin1Char('='), at);
        if (equals < 0 || (end >= 0 && end < equals)) {
            const QString part = text.mid(at, end < 0 ? -1 : end - at).trimmed();
            if (!part.isEmpty())
                raiseMalformed(QStringLiteral("'%1' is not a key=value pair.").arg(part));
            at = end < 0 ? text.size() : end + 1;
            continue;
        }
        const QString key = text.mid(at, equals - at).trimmed();
        if (key.isEmpty())
            raiseMalformed(QStringLiteral("'%1' is not a key=value pair.").arg(text.mid(at, end - at).trimmed()));
        at = equals + 1;
        entries_.append({key, readValue(text, at)});
    }
}

const ConnectionString::Entry* ConnectionString::find(const QString& key) const {
    for (const Entry& entry : entries_)
        if (entry.key.compare(key, Qt::CaseInsensitive) == 0)
            return &entry;
    return nullptr;
}

QString ConnectionString::value(const QString& key) const {
    const Entry* entry = find(key);
    return entry ? entry->value : QString();
}

bool ConnectionString::contains(const QString& key) const { return find(key) != nullptr; }

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

QString odbcValue(const QString& value) {
    const bool plain = !value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('{')) &&
                       !value.contains(QLatin1Char('}')) && !value.contains(QLatin1Char('=')) &&
                       value == value.trimmed();
    if (plain)
        return value;
    return QLatin1Char('{') + QString(value).replace(QLatin1Char('}'), QLatin1String("}}")) + QLatin1Char('}');
}

}  // namespace adodb
