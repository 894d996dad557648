// Detailed products report and, built from it, the requisitions report: per
// product, each mark and operation kind with rejects, boxes, pieces and money.

#include "reports/layout_common.h"
#include "reports/layouts.h"

using namespace Qt::Literals::StringLiterals;

namespace reports {

report::Layout productsDetailLayout()
{
    const report::Font detailFont = msSansSerif(9);
    const report::Font sumFont = msSansSerif(9, true);
    const report::Font totalFont = msSansSerif(11, true);
    report::Layout layout;
    layout.name = u"Детальный отчет по продукции"_s;
    layout.title = u"Детальный отчет по продукции"_s;

    report::Band header(u"reportHeader"_s, 7.7);
    header.on(grey244) << report::title().at(0).in(arial(9, true)).on(grey244)
                       << report::text(u"Брак"_s).at(124.4).in(arial(10, true))
                       << report::text(u"Коробки"_s).at(134.9).in(arial(10, true))
                       << report::text(u"Кол-во"_s).at(153.5).in(arial(10, true))
                       << report::text(u"Сумма"_s).at(173.8).in(arial(10, true));
    layout.reportHeader = header;
    layout.spacer = spacer();

    report::Band productHeader(u"productHeader"_s, 5.3);
    productHeader.on(grey224) << report::field(u"nom"_s).at(0.3).in(arial(10, true));
    report::Band productFooter(u"productFooter"_s, 5.3);
    productFooter << report::sum({u"brk"_s}).at(124.4, 8.7).centred().in(sumFont).on(grey239)
                  << report::sum({u"mass"_s}).at(132.8, 18.8).centred().formatted("#0.00").in(sumFont).on(grey239)
                  << report::sum({u"kolvo"_s}).at(152.1, 16.7).centred().in(sumFont).on(grey239)
                  << report::sum({u"summa"_s}).at(169.9, 20.1).centred().formatted("#0.00").in(sumFont).on(grey239);
    layout.groups.append({u"product"_s, u"nom"_s, productHeader, productFooter});

    report::Band& detail = layout.detail;
    detail.height = 4.2;
    detail << report::field(u"marka"_s).at(1.1, 52.1).in(detailFont)
           << report::field(u"vid"_s).at(52.9, 27.8).in(detailFont)
           << report::field(u"color"_s).at(81.2, 16.7).centred().in(detailFont)
           << productKind().at(99.5, 27.0).in(detailFont)
           << report::field(u"brk"_s).at(125.4, 6.6).centred().in(detailFont)
           << report::field(u"mass"_s).at(133.6, 18.8).centred().in(detailFont)
           << report::field(u"kolvo"_s).at(152.1, 16.7).centred().in(detailFont)
           << report::field(u"summa"_s).at(169.9, 19.1).centred().formatted("#0.000").in(detailFont);

    report::Band footer = reportFooter(6.6);
    footer << report::text(u"Итого:"_s).at(99.7).in(totalFont)
           << report::sum({u"brk"_s}).at(124.4, 8.5).centred().in(totalFont).on(grey239)
           << report::sum({u"mass"_s}).at(132.8, 18.8).centred().in(totalFont).on(grey239)
           << report::sum({u"kolvo"_s}).at(152.1, 16.7).centred().in(totalFont).on(grey239)
           << report::sum({u"summa"_s}).at(169.9, 19.1).centred().formatted("#0.00").in(totalFont).on(grey239);
    layout.reportFooter = footer;
    layout.pageFooter = portraitPageFooter();
    return layout;
}

// As the detailed products report, with the requisition number heading each
// product group (the number of the group's first row) and the product number
// in the detail where that report prints the boxes.
report::Layout requisitionsLayout()
{
    report::Layout layout = productsDetailLayout();
    layout.name = u"Детальный отчет по заявкам"_s;
    layout.title = u"Детальный отчет по заявкам"_s;

    report::Band& header = *layout.reportHeader;
    header.element(u"Брак"_s).at(124.4);
    header.element(u"Коробки"_s) = report::text(u"Номенкл."_s).at(133.6).in(arial(10, true));
    header.element(u"Кол-во"_s).at(152.1);
    header.element(u"Сумма"_s).at(173.8);

    report::Band& groupHeader = *layout.groups.first().header;
    groupHeader.elements = {report::field(u"s_number"_s).at(0.3).in(arial(10, true)).on(grey224)};

    report::Band& detail = layout.detail;
    const report::Font detailFont = detail.element(u"mass"_s).font;
    detail.element(u"mass"_s) = report::field(u"nom"_s).at(133.3, 16.7).centred().in(detailFont);
    detail.element(u"kolvo"_s).x = 151.6;
    return layout;
}

PrintedLayout productsDetailReport()
{
    return PrintedLayout(u"Form21"_s, productsDetailLayout(), PreviewZoom::PageWidth);
}

PrintedLayout requisitionsReport()
{
    return PrintedLayout(u"Form25"_s, requisitionsLayout(), PreviewZoom::PageWidth);
}

}  // namespace reports
