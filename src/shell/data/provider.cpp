#include "provider.h"

#include "connectionstring.h"
#include "odbc/odbcconnectionstring.h"
#include "odbc/odbcprovider.h"
#include "odbc/odbcsession.h"
#include "sqlite/sqliteprovider.h"
#include "sqlite/sqlitestatement.h"
#include "valuetext.h"

namespace adodb {

std::optional<std::string_view> Cursor::utf8Text(int column) const {
    const QVariant cell = value(column);
    if (!cell.isValid() || cell.isNull())
        return std::nullopt;
    // Copied into the column's buffer, never moved in, so that asking again keeps earlier views valid.
    const QByteArray utf8 = valueText(cell).toUtf8();
    std::string& text = textBuffer(column);
    text.assign(utf8.constData(), std::size_t(utf8.size()));
    return text;
}

bool Cursor::utf8Texts(std::span<std::string_view> texts) const {
    for (std::size_t column = 0; column < texts.size(); ++column) {
        const std::optional<std::string_view> text = utf8Text(int(column));
        if (!text)
            return false;
        texts[column] = *text;
    }
    return true;
}

std::string& Cursor::textBuffer(int column) const {
    if (textBuffers_.empty())
        textBuffers_.resize(std::size_t(columnCount()));
    return textBuffers_[std::size_t(column)];
}

std::unique_ptr<Provider> openProvider(const QString& connectionString) {
    const ConnectionString settings(connectionString);
    if (const std::optional<QString> odbc = odbcConnectionString(settings))
        return OdbcProvider::open(*odbc);
    return SqliteProvider::open(settings);
}

FailureKind failureKind(const Error& error) {
    // A SQLite file through ODBC reports SQLite's own numbers.
    if (error.Source() == sqliteErrorSource)
        return sqliteFailureKind(error.Number());
    if (!error.SQLState().isEmpty())
        return odbcFailureKind(error.SQLState(), error.Number());
    return FailureKind::Program;
}

}  // namespace adodb
