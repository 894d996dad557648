#include "core/textformat.h"

#include <cfenv>
#include <cmath>
#include <cstdio>

#include <QRegularExpression>

namespace fmt {

QString trimmed(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

double roundTo(double value, int decimals)
{
    long double scale = 1.0L;
    for (int i = 0; i < decimals; ++i)
        scale *= 10.0L;
    const int oldMode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const long double r = std::nearbyintl(static_cast<long double>(value) * scale);
    std::fesetround(oldMode);
    return static_cast<double>(r / scale);
}

double round4(double value) { return roundTo(value, 4); }
double round3(double value) { return roundTo(value, 3); }

QString general(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0)
        return QStringLiteral("0");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    QString s = QString::fromLatin1(buf);
    const qsizetype e = s.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        // 1.5e-05 -> 1,5E-5 ; 1e+15 -> 1E15
        QString mantissa = s.left(e);
        QString exponent = s.mid(e + 1);
        const bool negative = exponent.startsWith(QLatin1Char('-'));
        if (exponent.startsWith(QLatin1Char('+')) || negative)
            exponent.remove(0, 1);
        while (exponent.size() > 1 && exponent.startsWith(QLatin1Char('0')))
            exponent.remove(0, 1);
        s = mantissa + QLatin1Char('E') + (negative ? QStringLiteral("-") : QString()) + exponent;
    }
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

QString fixed(double value, int decimals)
{
    QString s = QString::number(value, 'f', decimals);
    if (s.startsWith(QLatin1Char('-')) && QString::number(-value, 'f', decimals) == s.mid(1)
        && s.mid(1).toDouble() == 0)
        s.remove(0, 1);  // no "-0,00"
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

QString sqlNumber(double value)
{
    return general(value).replace(QLatin1Char(','), QLatin1Char('.'));
}

double parseNumber(const QString& text)
{
    QString s = trimmed(text);
    s.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    double v = 0;
    // Only plain decimal notation: digits, one separator, an optional sign and exponent.
    static const QRegularExpression form(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    if (form.match(s).hasMatch())
        v = s.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        throw ConversionError(QStringLiteral("«%1» не является правильным числом").arg(text));
    return v;
}

int parseInteger(const QString& text)
{
    const QString s = trimmed(text);
    bool ok = false;
    static const QRegularExpression form(QStringLiteral("^[+-]?\\d+$"));
    int v = 0;
    if (form.match(s).hasMatch())
        v = s.toInt(&ok);
    if (!ok)
        throw ConversionError(QStringLiteral("«%1» не является правильным целым числом").arg(text));
    return v;
}

QString dateText(const QDate& date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QDate parseDate(const QString& text)
{
    const QDate d = QDate::fromString(trimmed(text), QStringLiteral("dd.MM.yyyy"));
    if (!d.isValid())
        throw ConversionError(QStringLiteral("«%1» не является правильной датой").arg(text));
    return d;
}

QString quoted(const QString& text)
{
    QString s = text;
    s.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

}  // namespace fmt
