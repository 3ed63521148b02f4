// How the data layer writes a value as text: dates day first, numbers plain.
#pragma once

#include "textvalues.h"

#include <QString>
#include <QVariant>

namespace adodb {

// A QDate as "dd/MM/yyyy", a QDateTime as "dd/MM/yyyy hh:mm:ss", a number by
// plainNumberText, anything else as QVariant's text; NULL gives "".
QString valueText(const QVariant& value);

// The shortest decimal text without exponent, to 15 significant digits, so
// binary noise such as 0.1 + 0.2 reads "0.3" and 150.0 reads "150".
QString plainNumberText(double value);

// A day of the years 1 to 9999 as a date's text, "dd/MM/yyyy": 10 characters at `out`.
void writeDayFirst(const CalendarDay& day, char* out);

}  // namespace adodb
