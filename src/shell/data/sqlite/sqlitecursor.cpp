#include "sqlitecursor.h"

#include "sqlitecatalog.h"
#include "textvalues.h"

#include <charconv>

namespace adodb {

namespace {

bool isAscii(std::string_view bytes) {
    unsigned char highBits = 0;
    for (const char byte : bytes)
        highBits |= static_cast<unsigned char>(byte);
    return highBits < 0x80;
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

sqlite3_value* SqliteCursor::field(int column) const { return sqlite3_column_value(statement_.get(), column); }

QVariant SqliteCursor::value(int column) const {
    sqlite3_value* value = field(column);
    if (!dateColumns_[column] || sqlite3_value_type(value) != SQLITE_TEXT)
        return engineValue(value);
    const std::string_view bytes = textBytes(value);
    if (const std::optional<CalendarDay> day = plainIsoDay(bytes))
        return QDate(day->year, day->month, day->day);
    return dateFromIsoText(QString::fromUtf8(bytes));
}

// The common cases straight from the engine's bytes: whole numbers, ASCII
// text, plain dates. The rest (amounts, times, other text) as valueText has them.
std::optional<std::string_view> SqliteCursor::utf8Text(int column) const {
    sqlite3_value* value = field(column);
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        return std::nullopt;
    case SQLITE_INTEGER: {
        std::string& text = textBuffer(column);
        text.resize(20);  // the longest 64-bit number
        const char* end = std::to_chars(text.data(), text.data() + text.size(), sqlite3_value_int64(value)).ptr;
        text.resize(std::size_t(end - text.data()));
        return text;
    }
    case SQLITE_TEXT: {
        const std::string_view bytes = textBytes(value);
        if (!dateColumns_[column]) {
            if (isAscii(bytes))
                return bytes;
        } else if (plainIsoDay(bytes)) {
            // "yyyy-mm-dd" as "dd/mm/yyyy": the same digits, moved.
            std::string& text = textBuffer(column);
            text = {bytes[8], bytes[9], '/', bytes[5], bytes[6], '/', bytes[0], bytes[1], bytes[2], bytes[3]};
            return text;
        }
        break;
    }
    }
    return Cursor::utf8Text(column);
}

}  // namespace adodb
