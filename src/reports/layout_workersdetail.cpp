// Detailed workers report: per person, each product mark and operation kind
// with pieces, rejects, money and bonus; person totals in two lines.

#include "reports/layout_common.h"
#include "reports/layouts.h"

using namespace Qt::Literals::StringLiterals;

namespace reports {

report::Layout workersDetailLayout()
{
    const report::Font detailFont = msSansSerif(8);
    const report::Font sumFont = msSansSerif(9, true);
    const report::Font totalFont = msSansSerif(11, true);
    report::Layout layout;
    layout.name = u"Детальный отчет по рабочим"_s;
    layout.title = u"Детальный отчет по рабочим"_s;

    report::Band header(u"reportHeader"_s, 7.7);
    header.on(grey244) << report::title().at(0).in(arial(10, true)).on(grey244)
                       << report::text(u"Брак"_s).at(124.1).in(arial(9, true))
                       << report::text(u"Количество"_s).at(133.3).in(arial(9, true))
                       << report::text(u"Сумма"_s).at(157.4).in(arial(9, true))
                       << report::text(u"Премия"_s).at(174.9).in(arial(9, true));
    layout.reportHeader = header;
    layout.spacer = spacer();

    report::Band personHeader(u"personHeader"_s, 5.3);
    personHeader.on(grey224) << report::field(u"fio"_s).at(0.3).in(arial(10, true));
    // Two lines: the sums of the person, then money and bonus together.
    constexpr double line1 = 0.2, line2 = 4.9, lineHeight = 4.4;
    report::Band personFooter(u"personFooter"_s, 9.5);
    personFooter
        << report::sum({u"brk"_s}).at(122.8, 9.0).line(line1, lineHeight).centred().in(sumFont).on(grey239)
        << report::sum({u"kolvo"_s}).at(133.3, 19.3).line(line1, lineHeight).centred().in(sumFont).on(grey239)
        << report::sum({u"summa"_s}).at(152.4, 19.6).line(line1, lineHeight).centred().formatted("#0.00").in(
               sumFont).on(grey239)
        << report::sum({u"s_prize"_s}).at(173.6, 15.1).line(line1, lineHeight).centred().formatted("#0.00").in(
               sumFont).on(grey239)
        << report::text(u"Итог:"_s).at(158.5).line(line2, lineHeight).in(arial(9, true))
        << report::sum({u"summa"_s, u"s_prize"_s}).at(167.7, 20.9).line(line2, lineHeight).centred().formatted(
               "#0.00").in(sumFont).on(grey239);
    layout.groups.append({u"person"_s, u"w_id"_s, personHeader, personFooter});

    report::Band& detail = layout.detail;
    detail.height = 4.2;
    detail << report::field(u"marka"_s).at(0.3, 41.0).in(detailFont)
           << report::field(u"vid"_s).at(42.9, 29.1).centred().in(detailFont)
           << report::field(u"color"_s).at(73.6, 16.1).centred().in(detailFont)
           << productKind().at(91.3, 29.9).in(detailFont)
           << report::field(u"brk"_s).at(122.8, 9.0).centred().in(detailFont)
           << report::field(u"kolvo"_s).at(133.3, 17.5).centred().in(detailFont)
           << report::field(u"summa"_s).at(152.4, 19.6).centred().formatted("#0.00").in(detailFont)
           << report::field(u"s_prize"_s).at(173.6, 15.1).centred().formatted("#0.00").in(detailFont);

    // The bonus has no grand total.
    report::Band footer = reportFooter(5.8);
    footer << report::text(u"Итого:"_s).at(106.1).in(totalFont)
           << report::sum({u"brk"_s}).at(132.0, 11.4).centred().in(totalFont).on(grey239)
           << report::sum({u"kolvo"_s}).at(145.0, 19.3).centred().in(totalFont).on(grey239)
           << report::sum({u"summa"_s}).at(165.9, 23.5).centred().formatted("#0.00").in(totalFont).on(grey239);
    layout.reportFooter = footer;
    layout.pageFooter = portraitPageFooter();
    return layout;
}

PrintedLayout workersDetailReport()
{
    return PrintedLayout(u"Form20"_s, workersDetailLayout(), PreviewZoom::PageWidth);
}

}  // namespace reports
