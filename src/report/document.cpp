#include "report/document.h"

namespace report {

QStringList Page::bandNames() const
{
    QStringList names;
    for (const PlacedBand& b : bands)
        names.append(b.name);
    return names;
}

QList<PlacedText> Page::textsOf(const QString& band, int occurrence) const
{
    int seen = -1;
    for (int i = 0; i < bands.size(); ++i) {
        if (bands.at(i).name != band || ++seen != occurrence)
            continue;
        QList<PlacedText> result;
        for (const PlacedText& t : texts)
            if (t.bandIndex == i)
                result.append(t);
        return result;
    }
    return {};
}

QString Page::text(const QString& band, const QString& element, int occurrence) const
{
    for (const PlacedText& t : textsOf(band, occurrence))
        if (t.name == element)
            return t.text;
    return QString();
}

int Page::count(const QString& band) const
{
    return int(bandNames().count(band));
}

QStringList Document::outline() const
{
    QStringList all;
    for (const Page& p : pages)
        for (const PlacedBand& b : p.bands)
            all.append(QString::number(p.number) + QLatin1Char(':') + b.name);
    return all;
}

}  // namespace report
