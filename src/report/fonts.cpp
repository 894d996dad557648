#include "report/fonts.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>

namespace report {

QString installedFamily(const QString& family)
{
    static const QHash<QString, QString> faces = {
        {QStringLiteral("arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("ms sans serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("microsoft sans serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("helvetica"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("times new roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("courier new"), QStringLiteral("Liberation Mono")},
    };
    return faces.value(family.trimmed().toLower(), family);
}

QFont toQFont(const Font& font)
{
    QFont f(installedFamily(font.family));
    f.setPointSizeF(font.size);
    f.setBold(font.bold);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

double textWidth(const Font& font, const QString& text)
{
    // Measured at a fine resolution so that hinting hardly matters.
    constexpr int dpi = 720;
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi / 0.0254));
        return image;
    }();
    static QHash<QString, QFontMetricsF> metrics;
    const QString key = font.family + QLatin1Char('|') + QString::number(font.size)
                        + (font.bold ? QStringLiteral("|b") : QString());
    auto it = metrics.find(key);
    if (it == metrics.end())
        it = metrics.insert(key, QFontMetricsF(toQFont(font), &device));
    return it->horizontalAdvance(text) * 25.4 / device.logicalDpiX();
}

}  // namespace report
