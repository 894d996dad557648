// Products report: per product, the boxes and pieces of each operation kind,
// with product totals.

#include "reports/layout_common.h"
#include "reports/layouts.h"

using namespace Qt::Literals::StringLiterals;

namespace reports {

report::Layout productsLayout()
{
    const report::Font detailFont = msSansSerif(9);
    const report::Font sumFont = msSansSerif(9, true);
    const report::Font totalFont = msSansSerif(11, true);
    report::Layout layout;
    layout.name = u"Отчет по продукции"_s;
    layout.title = u"Отчет по продукции"_s;

    report::Band header(u"reportHeader"_s, 7.7);
    header.on(grey244) << report::title().at(0).in(arial(10, true)).on(grey244)
                       << report::text(u"Коробки"_s).at(136.3).in(arial(10, true))
                       << report::text(u"Количество"_s).at(165.1).in(arial(10, true));
    layout.reportHeader = header;
    layout.spacer = spacer();

    report::Band productHeader(u"productHeader"_s, 5.3);
    productHeader.on(grey224) << report::field(u"nom"_s).at(0.3).in(arial(10, true));
    report::Band productFooter(u"productFooter"_s, 5.3);
    productFooter << report::sum({u"mass"_s}).at(133.6, 19.3).centred().in(sumFont).on(grey239)
                  << report::sum({u"kolvo"_s}).at(163.0, 23.8).centred().in(sumFont).on(grey239);
    layout.groups.append({u"product"_s, u"nom"_s, productHeader, productFooter});

    report::Band& detail = layout.detail;
    detail.height = 4.2;
    detail << productKind().at(13.2, 40.0).in(detailFont)
           << report::field(u"vid"_s).at(54.8, 36.2).centred().in(detailFont)
           << colourName().at(92.6, 39.4).in(detailFont)
           << report::field(u"mass"_s).at(133.6, 19.3).centred().in(detailFont)
           << report::field(u"kolvo"_s).at(163.0, 23.5).centred().in(detailFont);

    report::Band footer = reportFooter(5.8);
    footer << report::text(u"Итого:"_s).at(106.4).in(totalFont)
           << report::sum({u"mass"_s}).at(131.2, 23.5).centred().formatted("#0").in(totalFont).on(grey239)
           << report::sum({u"kolvo"_s}).at(160.9, 28.0).centred().in(totalFont).on(grey239);
    layout.reportFooter = footer;
    layout.pageFooter = portraitPageFooter();
    return layout;
}

PrintedLayout productsReport()
{
    return PrintedLayout(u"Form17"_s, productsLayout(), PreviewZoom::PageWidth);
}

}  // namespace reports
