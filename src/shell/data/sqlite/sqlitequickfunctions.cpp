#include "sqlitequickfunctions.h"

#include "sqlitestatement.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>
#include <string_view>

namespace adodb {

namespace {

// Lengths and positions beyond this go the general way, which checks them.
constexpr sqlite3_int64 plainRange = std::int64_t{1} << 31;

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool isDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A text value whose characters are its bytes.
std::optional<std::string_view> asciiText(sqlite3_value* value) {
    if (sqlite3_value_type(value) != SQLITE_TEXT)
        return std::nullopt;
    const std::string_view text = textBytes(value);
    return isAscii(text) ? std::optional(text) : std::nullopt;
}

// A whole number within the plain range, as a length or position is.
std::optional<sqlite3_int64> plainInteger(sqlite3_value* value) {
    if (sqlite3_value_type(value) != SQLITE_INTEGER)
        return std::nullopt;
    const sqlite3_int64 number = sqlite3_value_int64(value);
    return number > -plainRange && number < plainRange ? std::optional(number) : std::nullopt;
}

bool anyNull(sqlite3_value** arguments, int count) {
    return std::any_of(arguments, arguments + count,
                       [](sqlite3_value* value) { return sqlite3_value_type(value) == SQLITE_NULL; });
}

// Short results go back NUL-terminated: the next function reads them with
// sqlite3_value_text, which would otherwise copy each one to terminate it.
void resultText(sqlite3_context* context, std::string_view text) {
    char terminated[128];
    if (text.size() < sizeof terminated && text.find('\0') == std::string_view::npos) {
        terminated[text.copy(terminated, text.size())] = '\0';
        sqlite3_result_text(context, terminated, -1, SQLITE_TRANSIENT);
    } else {
        sqlite3_result_text64(context, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    }
}

// left(s, n) or right(s, n) of ASCII text with a length of 0 or more.
bool quickEnd(sqlite3_context* context, sqlite3_value** arguments, bool fromLeft) {
    if (anyNull(arguments, 2)) {
        sqlite3_result_null(context);
        return true;
    }
    const std::optional<std::string_view> text = asciiText(arguments[0]);
    const std::optional<sqlite3_int64> length = plainInteger(arguments[1]);
    if (!text || !length || *length < 0)
        return false;
    const std::size_t kept = std::min(text->size(), std::size_t(*length));
    resultText(context, fromLeft ? text->substr(0, kept) : text->substr(text->size() - kept));
    return true;
}

}  // namespace

bool quickLen(sqlite3_context* context, sqlite3_value** arguments) {
    sqlite3_value* value = arguments[0];
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        sqlite3_result_null(context);
        return true;
    case SQLITE_INTEGER: {
        char digits[24];
        const char* end = std::to_chars(digits, digits + sizeof digits, sqlite3_value_int64(value)).ptr;
        sqlite3_result_int64(context, end - digits);
        return true;
    }
    default:
        if (const std::optional<std::string_view> text = asciiText(value)) {
            const std::size_t last = text->find_last_not_of(' ');
            sqlite3_result_int64(context, last == std::string_view::npos ? 0 : sqlite3_int64(last + 1));
            return true;
        }
        return false;
    }
}

bool quickLeft(sqlite3_context* context, sqlite3_value** arguments) { return quickEnd(context, arguments, true); }

bool quickRight(sqlite3_context* context, sqlite3_value** arguments) { return quickEnd(context, arguments, false); }

bool quickSubstring(sqlite3_context* context, sqlite3_value** arguments) {
    if (anyNull(arguments, 3)) {
        sqlite3_result_null(context);
        return true;
    }
    const std::optional<std::string_view> text = asciiText(arguments[0]);
    const std::optional<sqlite3_int64> start = plainInteger(arguments[1]);
    const std::optional<sqlite3_int64> length = plainInteger(arguments[2]);
    if (!text || !start || !length || *length < 0)
        return false;
    // Positions before the first character count towards the length.
    const sqlite3_int64 from = std::max<sqlite3_int64>(*start, 1);
    const sqlite3_int64 count = std::max<sqlite3_int64>(*start + *length - from, 0);
    const auto offset = std::size_t(from - 1);
    resultText(context, offset < text->size() ? text->substr(offset, std::size_t(count)) : std::string_view());
    return true;
}

bool quickIsNumeric(sqlite3_context* context, sqlite3_value** arguments) {
    sqlite3_value* value = arguments[0];
    const int type = sqlite3_value_type(value);
    if (type != SQLITE_TEXT) {
        sqlite3_result_int64(context, type == SQLITE_NULL ? 0 : 1);
        return true;
    }
    const std::optional<std::string_view> text = asciiText(value);
    if (!text)
        return false;
    // Digits alone are a number (short of overflowing a double); a character
    // that no number has, in ASCII, makes none.
    constexpr std::size_t safeDigits = 300;
    if (isDigits(*text) && text->size() <= safeDigits) {
        sqlite3_result_int64(context, 1);
        return true;
    }
    if (text->find_first_not_of("0123456789+-.eE \t\n\v\f\r") != std::string_view::npos) {
        sqlite3_result_int64(context, 0);
        return true;
    }
    return false;
}

bool quickConvert(sqlite3_context* context, sqlite3_value** arguments) {
    const std::optional<std::string_view> type = asciiText(arguments[0]);
    if (!type || *type != "int")
        return false;
    sqlite3_value* value = arguments[1];
    constexpr sqlite3_int64 largest = std::numeric_limits<std::int32_t>::max();
    sqlite3_int64 number = 0;
    if (sqlite3_value_type(value) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return true;
    }
    if (const std::optional<sqlite3_int64> whole = plainInteger(value)) {
        number = *whole;
    } else if (const std::optional<std::string_view> text = asciiText(value); text && isDigits(*text)) {
        if (std::from_chars(text->data(), text->data() + text->size(), number).ec != std::errc())
            return false;
    } else {
        return false;
    }
    if (number > largest || number < -largest - 1)
        return false;  // the general way raises SQL Server's overflow error
    sqlite3_result_int64(context, number);
    return true;
}

}  // namespace adodb
