#include "sqlconversions.h"

#include "errors.h"
#include "textvalues.h"
#include "valuetext.h"

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
