// An ADO-style connection string: "Key=value" pairs separated by ';', keys
// matched without regard to case, blanks around keys and values ignored.
#pragma once

#include <QHash>
#include <QString>

namespace adodb {

class ConnectionString {
public:
    // Raises adodb::Error when a part is not key=value.
    explicit ConnectionString(const QString& text);

    // The value of a key, empty when the key is absent.
    QString value(const QString& key) const;
    // True, Yes or 1; False, No, 0 or absent. Raises on anything else.
    bool flag(const QString& key) const;
    // A whole number, or `fallback` when the key is absent. Raises on anything else.
    int number(const QString& key, int fallback) const;

private:
    QHash<QString, QString> values_;
};

}  // namespace adodb
