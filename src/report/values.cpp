#include "report/values.h"

#include <QDateTime>
#include <QRegularExpression>

#include "core/textformat.h"
#include "core/variants.h"

namespace report {

NumberFormat NumberFormat::parse(const QString& pattern)
{
    NumberFormat format;
    if (pattern.isEmpty())
        return format;
    static const QRegularExpression form(QStringLiteral("^#*0(?:\\.(0+))?$"));
    const QRegularExpressionMatch m = form.match(pattern);
    if (!m.hasMatch())
        throw fmt::AppError(QStringLiteral("Неизвестный формат числа в макете отчета: «%1»").arg(pattern));
    format.decimals_ = int(m.capturedLength(1));
    return format;
}

QString NumberFormat::text(double value) const
{
    return isGeneral() ? fmt::general(value) : fmt::fixed(value, decimals_);
}

bool isNumber(const QVariant& value) { return core::isNumber(value); }

namespace {

bool isInteger(const QVariant& value) { return core::isWholeNumber(value); }

[[noreturn]] void notANumber(const QVariant& value, const QString& field)
{
    throw fmt::AppError(QStringLiteral("Поле «%1» отчета должно содержать число, а содержит «%2»")
                            .arg(field, value.toString()));
}

}  // namespace

double toNumber(const QVariant& value, const QString& field)
{
    if (value.isNull())
        return 0;
    if (isNumber(value))
        return value.toDouble();
    if (value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray) {
        const QString text = value.toString();
        if (fmt::trimmed(text).isEmpty())
            return 0;
        try {
            return fmt::parseNumber(text);
        } catch (const fmt::ConversionError&) {
            notANumber(value, field);
        }
    }
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? 1 : 0;
    notANumber(value, field);
}

QString displayText(const QVariant& value, const NumberFormat& format, const QString& field)
{
    if (value.isNull())
        return QString();
    if (!format.isGeneral())
        return format.text(toNumber(value, field));
    if (isInteger(value))
        return value.toString();
    if (isNumber(value))
        return fmt::general(value.toDouble());
    switch (value.typeId()) {
    case QMetaType::QDate:
        return fmt::dateText(value.toDate());
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        return dt.time() == QTime(0, 0) ? fmt::dateText(dt.date())
                                        : fmt::dateText(dt.date()) + dt.toString(QStringLiteral(" hh:mm:ss"));
    }
    default:
        return value.toString();
    }
}

}  // namespace report
