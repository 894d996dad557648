// The six printed layouts on their pages: the edge cases of each, the empty
// period, and every layout rendered to PDF from demo rows (kept in
// $TABEL_REPORT_PDF_DIR when it is set, for looking at them).

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "core/textformat.h"
#include "demorows.h"
#include "report/engine.h"
#include "reports/layout_common.h"
#include "reports/layouts.h"
#include "support/testmain.h"

using namespace Qt::Literals::StringLiterals;
using report::MemoryTable;
using reports::PrintedLayout;

namespace {

PrintedLayout form(const QString& name)
{
    if (name == u"Form15")
        return reports::timesheetPrint();
    if (name == u"Form16")
        return reports::workersReport();
    if (name == u"Form17")
        return reports::productsReport();
    if (name == u"Form20")
        return reports::workersDetailReport();
    if (name == u"Form21")
        return reports::productsDetailReport();
    return reports::requisitionsReport();
}

MemoryTable demoRows(const QString& formName, int scale)
{
    if (formName == u"Form15")
        return testing::timesheetRows(scale * 12);
    if (formName == u"Form16")
        return testing::workersRows(scale * 4);
    if (formName == u"Form17")
        return testing::productsRows(scale * 8);
    if (formName == u"Form20")
        return testing::workersDetailRows(scale * 6);
    return testing::productsDetailRows(scale * 6, formName == u"Form25");
}

// Rows of product "A" (n of them) and product "B" (two) for the products report.
MemoryTable twoProducts(int rowsOfA)
{
    MemoryTable rows({u"nom"_s, u"naimen"_s, u"vid"_s, u"color"_s, u"mass"_s, u"kolvo"_s});
    for (int i = 0; i < rowsOfA; ++i)
        rows.append({u"A"_s, 0, u"Резка"_s, 0, 1.5, 10.0});
    rows.append({u"B"_s, 0, u"Резка"_s, 0, 2.0, 3.0}).append({u"B"_s, 1, u"Гибка"_s, 1, 2.0, 4.0});
    return rows;
}

}  // namespace

class LayoutsTest : public QObject {
    Q_OBJECT

private slots:
    void productKindAndColourTexts_data()
    {
        QTest::addColumn<QVariant>("naimen");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QVariant>("color");
        QTest::addColumn<QString>("colour");
        QTest::newRow("finished, no colour") << QVariant(0) << u"Готовая продукция"_s << QVariant(0) << u" "_s;
        QTest::newRow("blanks, primer") << QVariant(1) << u"Заготовки"_s << QVariant(1) << u" (грунт)"_s;
        QTest::newRow("RAL colour") << QVariant(qlonglong(1)) << u"Заготовки"_s << QVariant(1013)
                                    << u" (RAL: 1013)"_s;
        QTest::newRow("negative colour") << QVariant(0) << u"Готовая продукция"_s << QVariant(-1) << u" "_s;
    }
    void productKindAndColourTexts()
    {
        QFETCH(QVariant, naimen);
        QFETCH(QString, kind);
        QFETCH(QVariant, color);
        QFETCH(QString, colour);
        QCOMPARE(reports::productKindText(naimen), kind);
        QCOMPARE(reports::colourText(color), colour);
    }

    void timesheetRepeatsHeaderWithMonthTitleOnEveryPage()
    {
        PrintedLayout print = reports::timesheetPrint();
        print.setTitle(u"Февраль 2024 г."_s);
        const report::Document doc = print.generate(testing::timesheetRows(70, 29));
        QVERIFY(doc.pages.size() >= 3);
        const report::Layout& layout = print.layout();
        const double bodyBottom = doc.page.contentSize().height() - layout.pageFooter->height;
        int persons = 0;
        for (const report::Page& page : doc.pages) {
            QCOMPARE(page.bandNames().first(), u"columnHeader"_s);
            QCOMPARE(page.text(u"columnHeader"_s, u"title"_s), u"Февраль 2024 г."_s);
            QCOMPARE(page.text(u"pageFooter"_s, u"page"_s), QString::number(page.number));
            persons += page.count(u"detail"_s);
            // A person line leaves room for a column header below it.
            for (const report::PlacedBand& band : page.bands)
                if (band.name == u"detail")
                    QVERIFY(band.rect.bottom() + layout.columnHeader->height <= bodyBottom + 1e-9);
        }
        QCOMPARE(persons, 70);
        // Days the month does not have print 0; the total adds the days.
        const report::Page& first = doc.pages.first();
        QCOMPARE(first.text(u"detail"_s, u"sd30"_s), u"0"_s);
        QCOMPARE(first.text(u"detail"_s, u"sd9"_s), u"8"_s);
        QCOMPARE(first.text(u"detail"_s, u"sd5"_s), u"0"_s);
        QCOMPARE(first.text(u"detail"_s, u"sd16"_s), u"11"_s);
        const MemoryTable rows = testing::timesheetRows(1, 29);
        double total = 0;
        for (int d = 1; d <= 31; ++d)
            total += rows.value(0, u"sd%1"_s.arg(d)).toDouble();
        QCOMPARE(first.text(u"detail"_s, u"total"_s), QString::number(total));
    }

    // The product header fits at the bottom of page 1, but not with its footer.
    void productGroupAtPageBottomMovesWithItsHeader_data()
    {
        QTest::addColumn<int>("spare");  // mm left after group A, before B's header
        QTest::addColumn<int>("pageOfB");
        QTest::newRow("room for header, not footer") << 0 << 2;
        QTest::newRow("room for both") << 1 << 1;
    }
    void productGroupAtPageBottomMovesWithItsHeader()
    {
        QFETCH(int, spare);
        QFETCH(int, pageOfB);
        const PrintedLayout products = reports::productsReport();
        const report::Layout& l = products.layout();
        const report::Group& group = l.groups.first();
        const double body = l.page.contentSize().height() - l.pageFooter->height;
        const double before = l.reportHeader->height + l.spacer->height + group.header->height + group.footer->height;
        const double needed = group.header->height + group.footer->height;
        // The count of A's rows that leaves between a header and a header plus footer (or more when spare).
        int rowsOfA = 0;
        for (int n = 1; n < 100; ++n) {
            const double left = body - before - n * l.detail.height;
            const bool wanted = spare ? left >= needed && left < needed + l.detail.height
                                      : left >= group.header->height && left < needed;
            if (wanted)
                rowsOfA = n;
        }
        QVERIFY(rowsOfA > 0);
        const report::Document doc = products.generate(twoProducts(rowsOfA));
        QCOMPARE(doc.pages.size(), 2);
        const report::Page& page = doc.pages.at(pageOfB - 1);
        QCOMPARE(page.text(u"productHeader"_s, u"nom"_s, pageOfB == 1 ? 1 : 0), u"B"_s);
        QCOMPARE(doc.pages.at(0).count(u"productFooter"_s), pageOfB == 1 ? 1 : 1);
        QCOMPARE(doc.pages.at(1).text(u"productFooter"_s, u"sum(kolvo)"_s), u"7"_s);
        if (pageOfB == 2)
            QCOMPARE(doc.pages.at(0).bandNames().mid(doc.pages.at(0).bands.size() - 2),
                     QStringList({u"productFooter"_s, u"pageFooter"_s}));
    }

    void requisitionsSharingTheBoundaryProductFormOneGroup()
    {
        MemoryTable rows({u"s_number"_s, u"nom"_s, u"marka"_s, u"vid"_s, u"naimen"_s, u"color"_s, u"brk"_s,
                          u"mass"_s, u"kolvo"_s, u"summa"_s});
        rows.append({u"З-101"_s, u"100.001"_s, u"Шкаф"_s, u"Резка"_s, 0, 0, 0, 1.0, 10.0, 20.0})
            .append({u"З-101"_s, u"200.002"_s, u"Полка"_s, u"Резка"_s, 0, 0, 1, 2.0, 5.0, 8.0})
            .append({u"З-102"_s, u"200.002"_s, u"Полка"_s, u"Гибка"_s, 0, 0, 2, 3.0, 7.0, 10.0})
            .append({u"З-102"_s, u"300.003"_s, u"Тумба"_s, u"Сварка"_s, 1, 1, 0, 4.0, 1.0, 2.0});
        const report::Page page = reports::requisitionsReport().generate(rows).pages.first();
        QCOMPARE(page.count(u"productHeader"_s), 3);
        QCOMPARE(page.text(u"productHeader"_s, u"s_number"_s, 0), u"З-101"_s);
        QCOMPARE(page.text(u"productHeader"_s, u"s_number"_s, 1), u"З-101"_s);
        QCOMPARE(page.text(u"productHeader"_s, u"s_number"_s, 2), u"З-102"_s);
        QCOMPARE(page.text(u"productFooter"_s, u"sum(kolvo)"_s, 1), u"12"_s);
        QCOMPARE(page.text(u"productFooter"_s, u"sum(brk)"_s, 1), u"3"_s);
        QCOMPARE(page.text(u"productFooter"_s, u"sum(mass)"_s, 1), u"5,00"_s);
        // The product number prints where the other report prints boxes.
        QCOMPARE(page.text(u"detail"_s, u"nom"_s, 1), u"200.002"_s);
    }

    void personWithTwoProductGroupsGetsTwoProductFootersAndPersonSum()
    {
        MemoryTable rows({u"fio"_s, u"w_id"_s, u"nom"_s, u"naimen"_s, u"vid"_s, u"color"_s, u"kolvo"_s, u"summa"_s});
        rows.append({u"Иванов И. И."_s, 11, u"100.001"_s, 0, u"Резка"_s, 0, 8.0, 12.0})
            .append({u"Иванов И. И."_s, 11, u"100.001"_s, 0, u"Гибка"_s, 1, 2.0, 3.5})
            .append({u"Иванов И. И."_s, 11, u"200.002"_s, 1, u"Резка"_s, 1013, 4.0, 6.25})
            .append({u"Петров П. П."_s, 12, u"200.002"_s, 1, u"Резка"_s, 0, 1.0, 1.0});
        const report::Document doc = reports::workersReport().generate(rows);
        QCOMPARE(doc.pages.size(), 1);
        const report::Page& page = doc.pages.first();
        QCOMPARE(page.bandNames(),
                 QStringList({u"reportHeader"_s, u"spacer"_s, u"personHeader"_s, u"productHeader"_s, u"detail"_s,
                              u"detail"_s, u"productFooter"_s, u"productHeader"_s, u"detail"_s, u"productFooter"_s,
                              u"personFooter"_s, u"personHeader"_s, u"productHeader"_s, u"detail"_s,
                              u"productFooter"_s, u"personFooter"_s, u"reportFooter"_s, u"pageFooter"_s}));
        QCOMPARE(page.text(u"productFooter"_s, u"sum(kolvo)"_s, 0), u"10"_s);
        QCOMPARE(page.text(u"productFooter"_s, u"sum(summa)"_s, 0), u"15,500"_s);
        QCOMPARE(page.text(u"productFooter"_s, u"sum(summa)"_s, 1), u"6,250"_s);
        QCOMPARE(page.text(u"personFooter"_s, u"sum(summa)"_s, 0), u"21,75"_s);
        QCOMPARE(page.text(u"personFooter"_s, u"sum(summa)"_s, 1), u"1,00"_s);
        QCOMPARE(page.text(u"reportFooter"_s, u"sum(summa)"_s), u"22,75"_s);
        QCOMPARE(page.text(u"detail"_s, u"colourName"_s, 2), u" (RAL: 1013)"_s);
        QCOMPARE(page.text(u"detail"_s, u"productKind"_s, 2), u"Заготовки"_s);
    }

    // 10 pieces made, 2 rejected, at 1.5 with a 10 % bonus.
    void detailedWorkersReportAddsMoneyAndBonus()
    {
        MemoryTable rows({u"fio"_s, u"w_id"_s, u"marka"_s, u"vid"_s, u"naimen"_s, u"color"_s, u"brk"_s, u"kolvo"_s,
                          u"summa"_s, u"s_prize"_s});
        rows.append({u"Иванов И. И."_s, 11, u"Шкаф"_s, u"Резка"_s, 0, 0, qlonglong(2), 10.0, 12.0, 1.2});
        const report::Page page = reports::workersDetailReport().generate(rows).pages.first();
        QCOMPARE(page.text(u"detail"_s, u"kolvo"_s), u"10"_s);
        QCOMPARE(page.text(u"detail"_s, u"brk"_s), u"2"_s);
        QCOMPARE(page.text(u"detail"_s, u"summa"_s), u"12,00"_s);
        QCOMPARE(page.text(u"detail"_s, u"s_prize"_s), u"1,20"_s);
        QCOMPARE(page.text(u"personFooter"_s, u"sum(summa+s_prize)"_s), u"13,20"_s);
        QCOMPARE(page.text(u"reportFooter"_s, u"sum(summa)"_s), u"12,00"_s);
        QCOMPARE(page.text(u"reportFooter"_s, u"sum(s_prize)"_s), QString());  // no grand total of the bonus
    }

    void emptyPeriodGivesOnePageWithZeroSums_data()
    {
        QTest::addColumn<QString>("formName");
        QTest::addColumn<QStringList>("zeroSums");  // element=text of the report footer
        QTest::newRow("time sheet") << u"Form15"_s << QStringList();
        QTest::newRow("workers") << u"Form16"_s << QStringList({u"sum(summa)=0,00"_s});
        QTest::newRow("products") << u"Form17"_s << QStringList({u"sum(mass)=0"_s, u"sum(kolvo)=0"_s});
        QTest::newRow("detailed workers")
            << u"Form20"_s << QStringList({u"sum(brk)=0"_s, u"sum(kolvo)=0"_s, u"sum(summa)=0,00"_s});
        QTest::newRow("detailed products") << u"Form21"_s
                                           << QStringList({u"sum(brk)=0"_s, u"sum(mass)=0"_s, u"sum(kolvo)=0"_s,
                                                           u"sum(summa)=0,00"_s});
        QTest::newRow("requisitions") << u"Form25"_s
                                      << QStringList({u"sum(brk)=0"_s, u"sum(mass)=0"_s, u"sum(kolvo)=0"_s,
                                                      u"sum(summa)=0,00"_s});
    }
    void emptyPeriodGivesOnePageWithZeroSums()
    {
        QFETCH(QString, formName);
        QFETCH(QStringList, zeroSums);
        PrintedLayout print = form(formName);
        print.setTitle(u"   Отчет за период с 01.02.2022 по 01.03.2022"_s);
        const MemoryTable demo = demoRows(formName, 1);
        const report::Document doc = print.generate(MemoryTable(demo.fields()));
        QCOMPARE(doc.pages.size(), 1);
        const report::Page& page = doc.pages.first();
        const QString titleBand = formName == u"Form15" ? u"columnHeader"_s : u"reportHeader"_s;
        QCOMPARE(page.text(titleBand, u"title"_s), print.title());
        QCOMPARE(page.text(u"pageFooter"_s, u"page"_s), u"1"_s);
        QCOMPARE(page.count(u"detail"_s), 0);
        for (const QString& zero : zeroSums)
            QCOMPARE(page.text(u"reportFooter"_s, zero.section(u'=', 0, 0)), zero.section(u'=', 1));
    }

    void missingFieldOfTheDatasetIsAClearError()
    {
        MemoryTable rows({u"fio"_s, u"w_id"_s, u"nom"_s, u"vid"_s, u"color"_s, u"kolvo"_s, u"summa"_s});  // no naimen
        QString error;
        try {
            reports::workersReport().generate(rows);
        } catch (const fmt::AppError& e) {
            error = e.text();
        }
        QCOMPARE(error, u"В данных отчета «Отчет по рабочим» нет поля «naimen»"_s);
    }

    void everyLayoutRendersToPdf_data()
    {
        QTest::addColumn<QString>("formName");
        for (const char* name : {"Form15", "Form16", "Form17", "Form20", "Form21", "Form25"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void everyLayoutRendersToPdf()
    {
        QFETCH(QString, formName);
        QTemporaryDir temp;
        const QString dir = qEnvironmentVariableIsSet("TABEL_REPORT_PDF_DIR")
                                ? qEnvironmentVariable("TABEL_REPORT_PDF_DIR")
                                : temp.path();
        QDir().mkpath(dir);
        PrintedLayout print = form(formName);
        if (formName == u"Form15")
            print.setTitle(u"Январь 2021 г."_s);
        else
            print.setTitle(u"   "_s + print.layout().name + u" за период с 01.02.2022 по 01.03.2022"_s);
        const MemoryTable rows = demoRows(formName, 5);
        const QString file = dir + u"/"_s + formName + u".pdf"_s;
        print.savePdf(rows, file);
        const int pages = int(print.generate(rows).pages.size());
        QVERIFY(pages >= 2);
        QCOMPARE(testing::pdfPages(file), pages);
    }
};

TABEL_TEST_MAIN(LayoutsTest)
#include "test_layouts.moc"
