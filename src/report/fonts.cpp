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
    // The widths measured so far per font: a report measures the same names
    // and product numbers over and over. Forgotten when they grow many.
    struct Face {
        QFontMetricsF metrics;
        QHash<QString, double> widths;
    };
    constexpr qsizetype keptWidths = 20000;
    static QHash<QString, Face> faces;
    const QString key = font.family + QLatin1Char('|') + QString::number(font.size)
                        + (font.bold ? QStringLiteral("|b") : QString());
    auto face = faces.find(key);
    if (face == faces.end())
        face = faces.insert(key, Face{QFontMetricsF(toQFont(font), &device), {}});
    if (const auto known = face->widths.constFind(text); known != face->widths.constEnd())
        return *known;
    if (face->widths.size() >= keptWidths)
        face->widths.clear();
    const double width = face->metrics.horizontalAdvance(text) * 25.4 / device.logicalDpiX();
    face->widths.insert(text, width);
    return width;
}

}  // namespace report
