// An ADO or ODBC connection string: "Key=value" pairs separated by ';', keys
// matched without regard to case, blanks around keys and values ignored. A
// value in braces ({a;b}, "}}" for a brace) or quotes ("a;b", 'a;b') keeps
// its semicolons.
#pragma once

#include <QList>
#include <QString>

namespace adodb {

class ConnectionString {
public:
    struct Entry {
        QString key;    // as written
        QString value;  // without its braces or quotes
    };

    // Raises adodb::Error when a part is not key=value or a brace is left open.
    explicit ConnectionString(const QString& text);

    // The value of a key, empty when the key is absent; the first one counts.
    QString value(const QString& key) const;
    bool contains(const QString& key) const;
    // True, Yes or 1; False, No, 0 or absent. Raises on anything else.
    bool flag(const QString& key) const;
    // A whole number, or `fallback` when the key is absent. Raises on anything else.
    int number(const QString& key, int fallback) const;

    const QList<Entry>& entries() const { return entries_; }

private:
    const Entry* find(const QString& key) const;

    QList<Entry> entries_;
};

// A value as an ODBC string writes it: in braces when it holds a ';', a
// brace, an '=' or blanks at either end.
QString odbcValue(const QString& value);

}  // namespace adodb
