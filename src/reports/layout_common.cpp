#include "reports/layout_common.h"

#include "report/values.h"

namespace reports {

report::Font arial(double size, bool bold)
{
    return report::Font{QStringLiteral("Arial"), size, bold};
}

report::Font msSansSerif(double size, bool bold)
{
    return report::Font{QStringLiteral("MS Sans Serif"), size, bold};
}

report::Font microsoftSansSerif(double size, bool bold)
{
    return report::Font{QStringLiteral("Microsoft Sans Serif"), size, bold};
}

QString productKindText(const QVariant& naimen)
{
    return report::toNumber(naimen, QStringLiteral("naimen")) == 0 ? QStringLiteral("Готовая продукция")
                                                                    : QStringLiteral("Заготовки");
}

QString colourText(const QVariant& color)
{
    const double c = report::toNumber(color, QStringLiteral("color"));
    if (c == 1)
        return QStringLiteral(" (грунт)");
    if (c > 1)
        return QStringLiteral(" (RAL: ") + report::displayText(color, {}, QStringLiteral("color"))
               + QLatin1Char(')');
    return QStringLiteral(" ");
}

report::Element productKind()
{
    return report::computed(QStringLiteral("productKind"), {QStringLiteral("naimen")}, [](const report::Row& row) {
        return QVariant(productKindText(row.value(QStringLiteral("naimen"))));
    });
}

report::Element colourName()
{
    return report::computed(QStringLiteral("colourName"), {QStringLiteral("color")}, [](const report::Row& row) {
        return QVariant(colourText(row.value(QStringLiteral("color"))));
    });
}

report::Band spacer()
{
    return report::Band(QStringLiteral("spacer"), 0.5);
}

report::Band portraitPageFooter()
{
    report::Band band(QStringLiteral("pageFooter"), 4.2);
    band << report::pageNumber().at(176.2).in(arial(9));
    return band;
}

report::Band reportFooter(double height)
{
    report::Band band(QStringLiteral("reportFooter"), height);
    band.on(grey220).framed(report::Frame::box());
    return band;
}

}  // namespace reports
