#include "gridsearch.h"

#include "shell/basreimbursement.h"

#include <charconv>

namespace ZQ5Reimbursement {

namespace {

bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// Whether QString::toDouble could read the text as a number: only its
// characters (digits, sign, point, exponent, "inf", "nan") and blanks, or
// anything beyond ASCII.
bool mayBeNumber(std::string_view utf8) {
    for (const char c : utf8) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
        if (!isAsciiDigit(c) && std::string_view("+-.eEiInNfFaA \t\n\v\f\r").find(c) == std::string_view::npos)
            return false;
    }
    return true;
}

SortKey textKey(std::string_view utf8) {
    SortKey key;
    key.kind = SortKey::Text;
    std::size_t at = 0;
    bool zero = false;  // a zero byte in the text reads as its end
    for (; at < utf8.size() && at < 16; ++at) {
        auto byte = static_cast<unsigned char>(utf8[at]);
        if (byte >= 0x80)
            break;  // from here on the order is QString's
        if (byte >= 'a' && byte <= 'z')
            byte -= 'a' - 'A';
        zero |= byte == 0;
        key.capitals[at / 8] |= quint64{byte} << (56 - 8 * (at % 8));
    }
    const bool ended = at == utf8.size();
    key.held = quint8(ended ? 16 : at);
    key.whole = ended && !zero;
    return key;
}

}  // namespace

bool isNumericText(const QString& text) {
    bool ok = false;
    text.trimmed().toDouble(&ok);
    return ok;
}

int compareInCapitals(const QString& left, const QString& right) {
    return QString::compare(left.toUpper(), right.toUpper(), Qt::CaseSensitive);
}

SortKey sortKeyOf(std::string_view utf8) {
    if (utf8.empty())
        return {};
    if (!mayBeNumber(utf8))
        return textKey(utf8);
    double number = 0;
    const auto [end, error] = std::from_chars(utf8.data(), utf8.data() + utf8.size(), number);
    const bool plainDigits = error == std::errc() && end == utf8.data() + utf8.size() && isAsciiDigit(utf8.front());
    if (!plainDigits) {
        bool numeric = false;
        number = QString::fromUtf8(utf8).trimmed().toDouble(&numeric);
        if (!numeric)
            return textKey(utf8);
    }
    SortKey key;
    key.kind = SortKey::Number;
    key.number = number;
    return key;
}

int compareUtf8InCapitals(std::string_view left, std::string_view right) {
    const std::size_t common = std::min(left.size(), right.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto l = static_cast<unsigned char>(left[i]);
        const auto r = static_cast<unsigned char>(right[i]);
        // From the first character beyond ASCII on, as QString capitals.
        if (l >= 0x80 || r >= 0x80)
            return compareInCapitals(QString::fromUtf8(left.substr(i)), QString::fromUtf8(right.substr(i)));
        const int lu = (l >= 'a' && l <= 'z') ? l - 32 : l;
        const int ru = (r >= 'a' && r <= 'z') ? r - 32 : r;
        if (lu != ru)
            return lu < ru ? -1 : 1;
    }
    return left.size() == right.size() ? 0 : (left.size() < right.size() ? -1 : 1);
}

qint64 findFirstRow(const std::function<QString(qint64 row)>& keyCell, qint64 first, qint64 last,
                    const QString& typed) {
    const QString wanted = typed.trimmed();
    const bool byNumber = isNumericText(keyCell((last + 1) / 2));
    qint64 low = first;
    qint64 high = last;
    qint64 found = -1;
    while (low <= high) {
        const qint64 middle = (low + high) / 2;
        const QString part = keyCell(middle).trimmed().left(typed.size());
        int order = 0;
        if (byNumber) {
            const double cell = numericValue(part);
            const double value = numericValue(wanted);
            order = cell < value ? -1 : (cell > value ? 1 : 0);
        } else {
            order = compareInCapitals(part, wanted);
        }
        if (order > 0) {
            high = middle - 1;
        } else if (order < 0) {
            low = middle + 1;
        } else {
            found = middle;
            high = middle - 1;
        }
    }
    return found;
}

}  // namespace ZQ5Reimbursement
