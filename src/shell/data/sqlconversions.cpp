#include "sqlconversions.h"

#include "errors.h"
#include "textvalues.h"
#include "valuetext.h"

#include <QRegularExpression>

#include <cmath>

namespace adodb {

namespace {

bool isText(const QVariant& value) { return value.typeId() == QMetaType::QString; }

bool isFraction(const QVariant& value) {
    return value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float;
}

}  // namespace

qlonglong toSqlInteger(const QVariant& value, const QString& typeName) {
    if (isText(value)) {
        const QString text = value.toString();
        if (const std::optional<qlonglong> number = integerFromText(text))
            return *number;
        raiseConversion(QStringLiteral("Conversion failed when converting the varchar value '%1' to data type %2.")
                            .arg(text, typeName));
    }
    if (isFraction(value))
        return static_cast<qlonglong>(std::trunc(value.toDouble()));
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok)
        raiseConversion(QStringLiteral("Conversion failed when converting the value '%1' to data type %2.")
                            .arg(valueText(value), typeName));
    return number;
}

double toSqlNumber(const QVariant& value, const QString& typeName) {
    bool ok = false;
    double number = 0;
    if (isText(value)) {
        const std::optional<double> parsed = numberFromText(value.toString());
        ok = parsed.has_value();
        number = parsed.value_or(0);
    } else {
        number = value.toDouble(&ok);
    }
    if (!ok)
        raiseConversion(QStringLiteral("Error converting data type varchar to %1.").arg(typeName));
    return number;
}

QString toSqlDecimalText(const QVariant& value, const QString& typeName) {
    static const QRegularExpression plainDecimal(QStringLiteral("^\\s*([+-]?)([0-9]*)\\.?([0-9]*)\\s*$"));
    if (isText(value)) {
        const QRegularExpressionMatch match = plainDecimal.match(value.toString());
        if (match.hasMatch() && !(match.captured(2).isEmpty() && match.captured(3).isEmpty())) {
            const QString whole = match.captured(2).isEmpty() ? QStringLiteral("0") : match.captured(2);
            const QString sign = match.captured(1) == QLatin1String("-") ? QStringLiteral("-") : QString();
            return sign + whole + (match.captured(3).isEmpty() ? QString() : QLatin1Char('.') + match.captured(3));
        }
    } else if (!isFraction(value)) {
        bool ok = false;
        const qlonglong whole = value.toLongLong(&ok);
        if (ok)
            return QString::number(whole);
    }
    return plainNumberText(toSqlNumber(value, typeName));
}

QString toSqlDate(const QVariant& value) {
    QString iso;
    switch (value.typeId()) {
    case QMetaType::QDate:
        iso = value.toDate().toString(Qt::ISODate);
        break;
    case QMetaType::QDateTime:
        iso = isoText(value.toDateTime());
        break;
    case QMetaType::QString:
        iso = isoDateFromText(value.toString());
        break;
    default:
        break;
    }
    if (iso.isEmpty())
        raiseConversion(QStringLiteral("Conversion failed when converting date and/or time from character string."));
    return iso;
}

QVariant parameterValue(const QVariant& value, DataTypeEnum type) {
    if (value.isNull())
        return {};
    switch (type) {
    case adInteger:
    case adSmallInt:
    case adBigInt:
        return toSqlInteger(value, QStringLiteral("int"));
    case adDouble:
    case adNumeric:
        return toSqlNumber(value, QStringLiteral("numeric"));
    case adDate:
    case adDBTimeStamp:
        return toSqlDate(value);
    default:
        return isText(value) ? value : QVariant(valueText(value));
    }
}

}  // namespace adodb
