#include "valuetext.h"

#include <QDate>
#include <QDateTime>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace adodb {

namespace {

QString dayFirstText(const QDate& date) {
    CalendarDay day{};
    date.getDate(&day.year, &day.month, &day.day);
    if (day.year < 1 || day.year > 9999)
        return date.toString(QStringLiteral("dd/MM/yyyy"));
    char text[10];
    writeDayFirst(day, text);
    return QString::fromLatin1(text, std::size(text));
}

}  // namespace

QString valueText(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QDate:
        return dayFirstText(value.toDate());
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    case QMetaType::Double:
    case QMetaType::Float:
        return plainNumberText(value.toDouble());
    default:
        return value.toString();
    }
}

QString plainNumberText(double value) {
    if (!std::isfinite(value))
        return QString::number(value);
    const int magnitude = value == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(value))));
    QString text = QString::number(value, 'f', std::max(0, 14 - magnitude));
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

void writeDayFirst(const CalendarDay& day, char* out) {
    const int digits[] = {day.day / 10, day.day % 10, -1, day.month / 10, day.month % 10, -1,
                          day.year / 1000, day.year / 100 % 10, day.year / 10 % 10, day.year % 10};
    for (const int digit : digits)
        *out++ = digit < 0 ? '/' : char('0' + digit);
}

}  // namespace adodb
