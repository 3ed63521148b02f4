#include "basreimbursement.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace ZQ5Reimbursement {

namespace {

// Stored amounts are read back as ten-character text.
constexpr qsizetype storedAmountLength = 10;

const QRegularExpression& leadingNumber() {
    static const QRegularExpression pattern(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)"));
    return pattern;
}

double leadingNumberValue(const QRegularExpressionMatch& match) {
    if (!match.hasMatch())
        return 0.0;
    QString number = match.captured(0).trimmed();
    if (number.endsWith(QLatin1Char('.')))
        number.chop(1);
    return QLocale::c().toDouble(number);
}

}  // namespace

double numericValue(const QString& text) { return leadingNumberValue(leadingNumber().match(text)); }

std::optional<double> storableAmount(const QString& text) {
    static const QRegularExpression exponent(QStringLiteral("^[eE][+-]?\\d"));
    const QRegularExpressionMatch match = leadingNumber().match(text);
    const double value = leadingNumberValue(match);
    if (match.hasMatch() && exponent.match(QStringView(text).mid(match.capturedEnd())).hasMatch())
        return std::nullopt;
    if (!std::isfinite(value) || formatAmount(value).size() > storedAmountLength)
        return std::nullopt;
    return value;
}

QString amountTooLargeMessage(const QString& text) {
    return QStringLiteral("The amount ") + trimBlanks(text) +
           QStringLiteral(" is too large to be saved: an amount may have at most 10 characters.");
}

QString formatAmount(double value) {
    const QString text = QString::number(value, 'f', 2);
    // A negative value that rounds to nothing is no debt.
    return text == QStringLiteral("-0.00") ? QStringLiteral("0.00") : text;
}

QString plainNumber(double value) {
    if (value == 0.0)
        return QStringLiteral("0");
    if (!std::isfinite(value))
        return QString::number(value);
    // Fifteen significant digits, d.dddddddddddddde+XX, laid out without the exponent.
    const QString scientific = QString::number(std::fabs(value), 'e', 14);
    const qsizetype e = scientific.indexOf(QLatin1Char('e'));
    const int exponent = scientific.mid(e + 1).toInt();
    QString digits = scientific.left(e).remove(QLatin1Char('.'));
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);

    const int integerDigits = exponent + 1;
    QString text;
    if (integerDigits <= 0)
        text = QStringLiteral("0.") + QString(-integerDigits, QLatin1Char('0')) + digits;
    else if (integerDigits >= digits.size())
        text = digits + QString(integerDigits - digits.size(), QLatin1Char('0'));
    else
        text = digits.left(integerDigits) + QLatin1Char('.') + digits.mid(integerDigits);
    return value < 0 ? QLatin1Char('-') + text : text;
}

}  // namespace ZQ5Reimbursement
