// Reading numbers and dates out of text the way SQL Server does. Dates are
// stored as ISO text: "yyyy-MM-dd", or "yyyy-MM-dd hh:mm:ss" with a time.
#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <optional>
#include <string_view>

namespace adodb {

// Optional blanks and sign, then digits only.
std::optional<qlonglong> integerFromText(const QString& text);
// Optional blanks and sign, digits with at most one decimal point, an
// optional exponent: what ISNUMERIC accepts.
std::optional<double> numberFromText(const QString& text);

// "yyyymmdd", "yyyy/mm/dd" or "yyyy-mm-dd" naming a real day, as ISO; else "".
QString isoDateFromSortableText(const QString& text);
// Also day-first "d/m/yyyy" and ISO date and time; else "".
QString isoDateFromText(const QString& text);
// The ISO text stored for a moment; midnight stores the date alone.
QString isoText(const QDateTime& moment);
struct CalendarDay {
    int year;
    int month;
    int day;
};
// A stored "yyyy-MM-dd" naming a real day of the years 1 to 9999, read by
// position; nullopt for any other text. Nearly every stored date has this
// form, and the general readers below take many times longer to agree.
std::optional<CalendarDay> plainIsoDay(std::string_view text);

// Stored ISO text read back: QDate, QDateTime for a time other than
// midnight, or the text itself when it is no ISO date.
QVariant dateFromIsoText(const QString& text);

}  // namespace adodb
