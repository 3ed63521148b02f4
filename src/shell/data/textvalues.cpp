#include "textvalues.h"

#include <QRegularExpression>

#include <cmath>

namespace adodb {

namespace {

QString isoDate(const QString& year, const QString& month, const QString& day) {
    const QDate date(year.toInt(), month.toInt(), day.toInt());
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

QDateTime isoMoment(const QString& text) {
    QString normalized = text;
    normalized.replace(QLatin1Char(' '), QLatin1Char('T'));
    return QDateTime::fromString(normalized, Qt::ISODate);
}

}  // namespace

std::optional<qlonglong> integerFromText(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^\\s*[+-]?[0-9]+\\s*$"));
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok || !pattern.match(text).hasMatch())
        return std::nullopt;
    return value;
}

std::optional<double> numberFromText(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?\\s*$"));
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    const double value = text.trimmed().toDouble();
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

QString isoDateFromSortableText(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^([0-9]{4})(?:([0-9]{2})([0-9]{2})|[/-]([0-9]{1,2})[/-]([0-9]{1,2}))$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return {};
    const bool compact = match.capturedLength(2) > 0;
    return isoDate(match.captured(1), match.captured(compact ? 2 : 4), match.captured(compact ? 3 : 5));
}

QString isoDateFromText(const QString& text) {
    static const QRegularExpression dayFirst(QStringLiteral("^([0-9]{1,2})/([0-9]{1,2})/([0-9]{4})$"));
    const QString trimmed = text.trimmed();
    if (const QRegularExpressionMatch match = dayFirst.match(trimmed); match.hasMatch())
        return isoDate(match.captured(3), match.captured(2), match.captured(1));
    if (const QString iso = isoDateFromSortableText(trimmed); !iso.isEmpty())
        return iso;
    const QDateTime moment = isoMoment(trimmed);
    return moment.isValid() ? isoText(moment) : QString();
}

QString isoText(const QDateTime& moment) {
    if (moment.time() == QTime(0, 0))
        return moment.date().toString(Qt::ISODate);
    return moment.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

std::optional<CalendarDay> plainIsoDay(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto number = [&](std::size_t from, std::size_t length) {
        int value = 0;
        for (std::size_t i = from; i < from + length; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return -1;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const CalendarDay day{number(0, 4), number(5, 2), number(8, 2)};
    if (day.year < 1 || !QDate::isValid(day.year, day.month, day.day))
        return std::nullopt;
    return day;
}

QVariant dateFromIsoText(const QString& text) {
    if (text.size() == 10) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        return date.isValid() ? QVariant(date) : QVariant(text);
    }
    const QDateTime moment = isoMoment(text);
    if (!moment.isValid())
        return text;
    return moment.time() == QTime(0, 0) ? QVariant(moment.date()) : QVariant(moment);
}

}  // namespace adodb
