// Workers report: per person and product, the pieces and money of each
// operation kind, with product and person totals.

#include "reports/layout_common.h"
#include "reports/layouts.h"

using namespace Qt::Literals::StringLiterals;

namespace reports {

report::Layout workersLayout()
{
    const report::Font detailFont = msSansSerif(9);
    const report::Font sumFont = msSansSerif(9, true);
    report::Layout layout;
    layout.name = u"Отчет по рабочим"_s;
    layout.title = u"Отчет по рабочим"_s;

    report::Band header(u"reportHeader"_s, 4.2);
    header.on(grey244) << report::title().at(0.3).in(arial(10, true)).on(grey244);
    layout.reportHeader = header;
    layout.spacer = spacer();

    report::Band personHeader(u"personHeader"_s, 6.6);
    personHeader.on(grey224) << report::field(u"fio"_s).at(0.3).in(arial(10, true));
    report::Band personFooter(u"personFooter"_s, 6.1);
    personFooter.framed(report::Frame{false, true});
    personFooter << report::sum({u"summa"_s}).at(163.0, 23.8).centred().formatted("#0.00").in(sumFont).on(grey239);
    layout.groups.append({u"person"_s, u"w_id"_s, personHeader, personFooter});

    report::Band productHeader(u"productHeader"_s, 5.3);
    productHeader << report::field(u"nom"_s).at(0.3).in(arial(10, true));
    report::Band productFooter(u"productFooter"_s, 5.3);
    productFooter << report::sum({u"kolvo"_s}).at(137.8, 19.3).centred().in(sumFont).on(grey239)
                  << report::sum({u"summa"_s}).at(163.0, 23.8).centred().formatted("#0.000").in(sumFont).on(grey239);
    layout.groups.append({u"product"_s, u"nom"_s, productHeader, productFooter});

    report::Band& detail = layout.detail;
    detail.height = 4.2;
    detail << productKind().at(13.2, 42.1).in(detailFont)
           << report::field(u"vid"_s).at(56.9, 43.1).centred().in(detailFont)
           << colourName().at(101.6, 34.7).in(detailFont)
           << report::field(u"kolvo"_s).at(137.8, 19.3).centred().in(detailFont)
           << report::field(u"summa"_s).at(163.0, 23.5).centred().formatted("#0.000").in(detailFont);

    report::Band footer = reportFooter(5.8);
    footer << report::text(u"Итого:"_s).at(137.8).in(msSansSerif(11, true))
           << report::sum({u"summa"_s}).at(160.9, 28.0).centred().formatted("#0.00").in(msSansSerif(11, true)).on(
                  grey239);
    layout.reportFooter = footer;
    layout.pageFooter = portraitPageFooter();
    return layout;
}

PrintedLayout workersReport()
{
    return PrintedLayout(u"Form16"_s, workersLayout(), PreviewZoom::PageWidth);
}

}  // namespace reports
