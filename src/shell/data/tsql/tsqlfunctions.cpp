#include "tsqlfunctions.h"

#include "errors.h"
#include "sqlconversions.h"
#include "textvalues.h"
#include "tsqltext.h"
#include "valuetext.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>

namespace adodb {

namespace {

bool anyNull(const QVariantList& arguments) {
    return std::any_of(arguments.begin(), arguments.end(), [](const QVariant& v) { return v.isNull(); });
}

qlonglong lengthArgument(const QVariant& value, const char* function) {
    const qlonglong length = toSqlInteger(value, QStringLiteral("int"));
    if (length < 0)
        raise(adErrInvalidArgument,
              QStringLiteral("Invalid length parameter passed to the %1 function.").arg(QLatin1String(function)));
    return length;
}

struct SqlType {
    QString name;
    int length = -1;  // or precision
    int scale = 0;
};

SqlType parseSqlType(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^([a-z0-9_]+)(?:\\((max|[0-9]+)(?:,([0-9]+))?\\))?$"));
    const QRegularExpressionMatch match = pattern.match(text.toLower());
    if (!match.hasMatch())
        raise(adErrInvalidArgument, QStringLiteral("Type %1 is not a defined system type.").arg(text));
    const QString length = match.captured(2);
    return {match.captured(1), length.isEmpty() || length == QLatin1String("max") ? -1 : length.toInt(),
            match.captured(3).toInt()};
}

QVariant convertToText(const SqlType& type, const QVariant& value) {
    // Amounts are stored as REAL with two decimals and read back that way.
    QString text = value.typeId() == QMetaType::Double ? QString::number(value.toDouble(), 'f', 2) : valueText(value);
    const int length = type.length < 0 ? 30 : type.length;
    text.truncate(length);
    if (type.name == QLatin1String("char") || type.name == QLatin1String("nchar"))
        text = text.leftJustified(length);
    return text;
}

QVariant convertToInteger(const SqlType& type, const QVariant& value) {
    const QString text = value.toString();
    // SQL Server reads an empty text as zero.
    if (value.typeId() == QMetaType::QString && text.trimmed().isEmpty())
        return 0LL;
    const qlonglong number = toSqlInteger(value, type.name);
    const qlonglong limit = type.name == QLatin1String("smallint") ? 32767
                            : type.name == QLatin1String("tinyint") ? 255
                            : type.name == QLatin1String("bigint")  ? std::numeric_limits<qlonglong>::max()
                                                                    : 2147483647LL;
    const qlonglong lowest = type.name == QLatin1String("tinyint") ? 0 : -limit - 1;
    if (number > limit || number < lowest)
        raise(adErrDataConversion,
              QStringLiteral("Arithmetic overflow error converting expression to data type %1.").arg(type.name));
    return number;
}

QVariant convertToNumber(const SqlType& type, const QVariant& value) {
    const double number = toSqlNumber(value, type.name);
    const bool exact = type.name == QLatin1String("decimal") || type.name == QLatin1String("numeric");
    const bool money = type.name == QLatin1String("money") || type.name == QLatin1String("smallmoney");
    if (!exact && !money)
        return number;
    const double scale = std::pow(10.0, money ? 4 : type.scale);
    return std::round(number * scale) / scale;
}

}  // namespace

QVariant tsqlLen(const QVariantList& arguments) {
    if (anyNull(arguments))
        return {};
    QString text = valueText(arguments.at(0));
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return qlonglong(text.size());
}

QVariant tsqlLeft(const QVariantList& arguments) {
    if (anyNull(arguments))
        return {};
    return valueText(arguments.at(0)).left(lengthArgument(arguments.at(1), "left"));
}

QVariant tsqlRight(const QVariantList& arguments) {
    if (anyNull(arguments))
        return {};
    return valueText(arguments.at(0)).right(lengthArgument(arguments.at(1), "right"));
}

QVariant tsqlSubstring(const QVariantList& arguments) {
    if (anyNull(arguments))
        return {};
    const qlonglong start = toSqlInteger(arguments.at(1), QStringLiteral("int"));
    const qlonglong end = start + lengthArgument(arguments.at(2), "substring");
    const qlonglong from = std::max<qlonglong>(start, 1);
    return valueText(arguments.at(0)).mid(from - 1, std::max<qlonglong>(end - from, 0));
}

QVariant tsqlIsNumeric(const QVariantList& arguments) {
    const QVariant& value = arguments.at(0);
    if (value.isNull())
        return 0LL;
    if (value.typeId() != QMetaType::QString)
        return 1LL;
    return numberFromText(value.toString()) ? 1LL : 0LL;
}

QVariant tsqlConvert(const QVariantList& arguments) {
    const SqlType type = parseSqlType(arguments.at(0).toString());
    const QVariant& value = arguments.at(1);
    if (value.isNull())
        return {};
    static const QStringList textTypes{"varchar", "nvarchar", "char", "nchar", "text", "ntext"};
    static const QStringList integerTypes{"int", "integer", "bigint", "smallint", "tinyint"};
    static const QStringList numberTypes{"float", "real", "decimal", "numeric", "money", "smallmoney"};
    static const QStringList dateTypes{"datetime", "date", "smalldatetime", "datetime2"};
    if (textTypes.contains(type.name))
        return convertToText(type, value);
    if (integerTypes.contains(type.name))
        return convertToInteger(type, value);
    if (numberTypes.contains(type.name))
        return convertToNumber(type, value);
    if (dateTypes.contains(type.name))
        return toSqlDate(value);
    raise(adErrInvalidArgument, QStringLiteral("Type %1 is not a defined system type.").arg(type.name));
}

QVariant tsqlLike(const QVariantList& arguments) {
    if (anyNull(arguments))
        return {};
    std::optional<char32_t> escape;
    if (arguments.size() > 2) {
        const QList<uint> escapeText = valueText(arguments.at(2)).toUcs4();
        if (escapeText.size() != 1)
            raise(adErrInvalidArgument, QStringLiteral("The escape character of LIKE must be one character."));
        escape = escapeText.first();
    }
    return likeTsql(valueText(arguments.at(0)), valueText(arguments.at(1)), escape) ? 1LL : 0LL;
}

}  // namespace adodb
