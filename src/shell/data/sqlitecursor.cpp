#include "sqlitecursor.h"

#include "sqlitecatalog.h"
#include "textvalues.h"
#include "valuetext.h"

#include <algorithm>
#include <charconv>

namespace adodb {

namespace {

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char byte) { return (byte & 0x80) == 0; });
}

}  // namespace

SqliteCursor::SqliteCursor(StatementHandle handle) : statement_(std::move(handle)) {
    sqlite3_stmt* statement = statement_.get();
    for (int column = 0; column < sqlite3_column_count(statement); ++column) {
        names_ << QString::fromUtf8(sqlite3_column_name(statement, column));
        dateColumns_.push_back(isDateDeclaration(QString::fromUtf8(sqlite3_column_decltype(statement, column))));
    }
    next();
}

void SqliteCursor::next() {
    const int result = sqlite3_step(statement_.get());
    onRow_ = result == SQLITE_ROW;
    if (!onRow_ && result != SQLITE_DONE)
        raiseEngineError(sqlite3_db_handle(statement_.get()));
}

std::string_view SqliteCursor::columnBytes(int column) const {
    sqlite3_stmt* statement = statement_.get();
    // Text first: the byte count is of the text form.
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return {text, std::size_t(sqlite3_column_bytes(statement, column))};
}

QVariant SqliteCursor::value(int column) const {
    sqlite3_stmt* statement = statement_.get();
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(statement, column);
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(statement, column)),
                          sqlite3_column_bytes(statement, column));
    default: {
        const std::string_view bytes = columnBytes(column);
        if (dateColumns_[column])
            if (const std::optional<CalendarDay> day = plainIsoDay(bytes))
                return QDate(day->year, day->month, day->day);
        const QString text = QString::fromUtf8(bytes);
        return dateColumns_[column] ? dateFromIsoText(text) : QVariant(text);
    }
    }
}

// The common cases straight from the engine's bytes: whole numbers, ASCII
// text, plain dates. The rest (amounts, times, other text) as valueText has them.
std::optional<std::string_view> SqliteCursor::utf8Text(int column) const {
    sqlite3_stmt* statement = statement_.get();
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_NULL:
        return std::nullopt;
    case SQLITE_INTEGER: {
        std::string& text = textBuffer(column);
        text.resize(20);  // the longest 64-bit number
        const char* end = std::to_chars(text.data(), text.data() + text.size(), sqlite3_column_int64(statement, column)).ptr;
        text.resize(std::size_t(end - text.data()));
        return text;
    }
    case SQLITE_TEXT: {
        const std::string_view bytes = columnBytes(column);
        if (!dateColumns_[column]) {
            if (isAscii(bytes))
                return bytes;
        } else if (const std::optional<CalendarDay> day = plainIsoDay(bytes)) {
            std::string& text = textBuffer(column);
            text.resize(10);
            writeDayFirst(*day, text.data());
            return text;
        }
        break;
    }
    }
    return Cursor::utf8Text(column);
}

}  // namespace adodb
