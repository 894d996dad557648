// Time sheet print: one line per person with the hours of each day of the
// month and their total, A4 landscape.

#include "reports/layout_common.h"
#include "reports/layouts.h"

namespace reports {
namespace {

constexpr double dayWidth = 5.3;
constexpr double totalX = 264.6;
constexpr double dayX[31] = {81.2,  87.8,  93.7,  100.0, 106.1, 112.4, 118.8, 125.4, 131.8, 137.6, 143.1,
                             148.7, 154.3, 159.8, 165.4, 170.9, 176.5, 182.0, 187.6, 193.1, 198.7, 204.3,
                             209.8, 215.4, 220.9, 226.5, 232.0, 237.6, 243.2, 248.7, 254.3};

QString dayField(int day)
{
    return QStringLiteral("sd%1").arg(day);
}

report::Band columnHeader()
{
    report::Band band(QStringLiteral("columnHeader"), 6.6);
    band.framed(report::Frame::topAndBottom());
    band << report::title().at(0).in(arial(10, true));
    for (int day = 1; day <= 31; ++day)
        band << report::text(QString::number(day))
                    .at(dayX[day - 1], dayWidth)
                    .centred()
                    .in(arial(10, true))
                    .framed(report::Frame::leftAndRight(report::LineStyle::Dotted, lineGrey));
    band << report::text(QStringLiteral("Итого")).at(totalX).in(arial(10, true));
    return band;
}

report::Band detail(double columnHeaderHeight)
{
    report::Band band(QStringLiteral("detail"), 6.3);
    band.framed(report::Frame::topAndBottom(report::LineStyle::Dotted, lineGrey));
    band.extraRoom = columnHeaderHeight;
    band << report::field(QStringLiteral("fio")).at(0, 80.4).in(arial(10));
    QStringList days;
    for (int day = 1; day <= 31; ++day) {
        days.append(dayField(day));
        report::Element cell = report::number(dayField(day)).at(dayX[day - 1], dayWidth).centred();
        cell.in(microsoftSansSerif(9));
        if (day % 2 == 1)
            cell.framed(report::Frame::leftAndRight(report::LineStyle::Dotted, lineGrey));
        band << cell;
    }
    band << report::rowTotal(days).named(QStringLiteral("total")).at(totalX, 10.3).centred().in(
        microsoftSansSerif(9, true));
    return band;
}

}  // namespace

report::Layout timesheetLayout()
{
    report::Layout layout;
    layout.name = QStringLiteral("Табель по времени");
    layout.title = QStringLiteral("Данные за:");
    layout.page.orientation = QPageLayout::Landscape;
    layout.columnHeader = columnHeader();
    layout.detail = detail(layout.columnHeader->height);
    report::Band footer(QStringLiteral("pageFooter"), 4.5);
    footer << report::pageNumber().at(252.7, 25.7).right().in(msSansSerif(10));
    layout.pageFooter = footer;
    return layout;
}

PrintedLayout timesheetPrint()
{
    return PrintedLayout(QStringLiteral("Form15"), timesheetLayout(), PreviewZoom::WholePage, true);
}

}  // namespace reports
