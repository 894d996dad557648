// The report engine on small layouts: page structure, groups, sums, formats,
// paging and errors; checked on the laid-out pages, not on pixels.

#include <QDate>
#include <QFontInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "core/textformat.h"
#include "report/engine.h"
#include "report/painter.h"
#include "report/values.h"
#include "support/testmain.h"

using namespace Qt::Literals::StringLiterals;
using report::Band;
using report::Layout;
using report::MemoryTable;

namespace {

// A portrait report without page footer: header, groups on "g", detail of "v".
Layout groupedLayout(double headerHeight, double detailHeight, double footerHeight)
{
    Layout layout;
    layout.name = u"проба"_s;
    Band header(u"groupHeader"_s, headerHeight);
    header << report::field(u"g"_s).at(0);
    Band footer(u"groupFooter"_s, footerHeight);
    footer << report::sum({u"v"_s}).at(100, 20).formatted(u"#0.00"_s);
    layout.groups.append({u"group"_s, u"g"_s, header, footer});
    layout.detail = Band(u"detail"_s, detailHeight);
    layout.detail << report::field(u"v"_s).at(100, 20);
    return layout;
}

MemoryTable groupedRows(const QList<QPair<QString, int>>& groups)
{
    MemoryTable rows({u"g"_s, u"v"_s});
    int v = 1;
    for (const auto& [g, count] : groups)
        for (int i = 0; i < count; ++i)
            rows.append({g, v++});
    return rows;
}

// The text a one-row report prints for the value under the format.
QString printed(const QVariant& value, const QString& format)
{
    Layout layout;
    layout.detail = Band(u"detail"_s, 5);
    layout.detail << report::field(u"x"_s).at(0, 50).formatted(format);
    MemoryTable rows({u"x"_s});
    rows.append({value});
    return report::layOut(layout, rows).pages.at(0).text(u"detail"_s, u"x"_s);
}

QString errorOf(const std::function<void()>& fn)
{
    try {
        fn();
    } catch (const fmt::AppError& e) {
        return e.text();
    }
    return QString();
}

}  // namespace

class EngineTest : public QObject {
    Q_OBJECT

private slots:
    void numberFormats_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two decimals") << QVariant(2.5) << u"#0.00"_s << u"2,50"_s;
        QTest::newRow("three decimals") << QVariant(1234.5678) << u"#0.000"_s << u"1234,568"_s;
        QTest::newRow("leading zero") << QVariant(0.125) << u"#0.000"_s << u"0,125"_s;
        QTest::newRow("whole, rounded up") << QVariant(2.6) << u"#0"_s << u"3"_s;
        QTest::newRow("whole, rounded down") << QVariant(2.4) << u"#0"_s << u"2"_s;
        QTest::newRow("integer with decimals") << QVariant(7) << u"#0.00"_s << u"7,00"_s;
        QTest::newRow("no negative zero") << QVariant(-0.001) << u"#0.00"_s << u"0,00"_s;
        QTest::newRow("number text") << QVariant(u"12.5"_s) << u"#0.00"_s << u"12,50"_s;
        QTest::newRow("integer") << QVariant(qlonglong(42)) << QString() << u"42"_s;
        QTest::newRow("whole double") << QVariant(30.0) << QString() << u"30"_s;
        QTest::newRow("fraction, general") << QVariant(2.5) << QString() << u"2,5"_s;
        QTest::newRow("sum noise, general") << QVariant(0.1 + 0.2) << QString() << u"0,3"_s;
        QTest::newRow("15 digits") << QVariant(1.0 / 3) << QString() << u"0,333333333333333"_s;
        QTest::newRow("empty") << QVariant() << u"#0.00"_s << QString();
        QTest::newRow("date") << QVariant(QDate(2024, 3, 5)) << QString() << u"05.03.2024"_s;
        QTest::newRow("text") << QVariant(u"Иванов И. И."_s) << QString() << u"Иванов И. И."_s;
    }
    void numberFormats()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, format);
        QFETCH(QString, expected);
        QCOMPARE(printed(value, format), expected);
    }

    void unknownFormatIsAnError()
    {
        QVERIFY(errorOf([] { printed(1.5, u"#,##0.00"_s); }).contains(u"«#,##0.00»"_s));
    }

    void missingFieldIsAClearError()
    {
        Layout layout = groupedLayout(5, 5, 5);
        MemoryTable rows({u"g"_s});  // no "v"
        rows.append({u"A"_s});
        QCOMPARE(errorOf([&] { report::layOut(layout, rows); }), u"В данных отчета «проба» нет поля «v»"_s);
        MemoryTable empty({u"v"_s});
        QCOMPARE(errorOf([&] { report::layOut(layout, empty); }), u"В данных отчета «проба» нет поля «g»"_s);
    }

    void valueOfTheWrongKindIsAClearError_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("summed") << QString();
        QTest::newRow("formatted") << u"#0.00"_s;
    }
    void valueOfTheWrongKindIsAClearError()
    {
        QFETCH(QString, format);
        Layout layout = groupedLayout(5, 5, 5);
        layout.detail.element(u"v"_s).format = format;
        MemoryTable rows({u"g"_s, u"v"_s});
        rows.append({u"A"_s, u"много"_s});
        QCOMPARE(errorOf([&] { report::layOut(layout, rows); }),
                 u"Поле «v» отчета должно содержать число, а содержит «много»"_s);
    }

    void groupSumsResetAfterTheirFooter()
    {
        Layout layout = groupedLayout(5, 5, 5);
        Band total(u"reportFooter"_s, 5);
        total << report::sum({u"v"_s}).at(100, 20);
        layout.reportFooter = total;
        const MemoryTable rows = groupedRows({{u"A"_s, 2}, {u"B"_s, 1}, {u"C"_s, 2}});  // v = 1..5
        const report::Page page = report::layOut(layout, rows).pages.at(0);
        const QString sum = u"sum(v)"_s;
        QCOMPARE(page.text(u"groupFooter"_s, sum, 0), u"3,00"_s);
        QCOMPARE(page.text(u"groupFooter"_s, sum, 1), u"3,00"_s);
        QCOMPARE(page.text(u"groupFooter"_s, sum, 2), u"9,00"_s);
        QCOMPARE(page.text(u"reportFooter"_s, sum), u"15"_s);
        QCOMPARE(page.text(u"groupHeader"_s, u"g"_s, 2), u"C"_s);
    }

    void sumOfTwoSums()
    {
        Layout layout;
        layout.detail = Band(u"detail"_s, 5);
        Band footer(u"reportFooter"_s, 5);
        footer << report::sum({u"a"_s, u"b"_s}).at(0, 30).formatted(u"#0.00"_s);
        layout.reportFooter = footer;
        MemoryTable rows({u"a"_s, u"b"_s});
        rows.append({12.0, 1.2}).append({3, QVariant()}).append({u"0,5"_s, 0.25});
        QCOMPARE(report::layOut(layout, rows).pages.at(0).text(u"reportFooter"_s, u"sum(a+b)"_s), u"16,95"_s);
    }

    void nestedGroupsPrintInnerFootersFirst()
    {
        Layout layout = groupedLayout(5, 5, 5);
        Band outerHeader(u"outerHeader"_s, 5);
        Band outerFooter(u"outerFooter"_s, 5);
        outerFooter << report::sum({u"v"_s}).at(100, 20);
        layout.groups.prepend({u"outer"_s, u"o"_s, outerHeader, outerFooter});
        MemoryTable rows({u"o"_s, u"g"_s, u"v"_s});
        rows.append({1, u"A"_s, 1}).append({1, u"B"_s, 2}).append({2, u"B"_s, 4});
        const report::Document doc = report::layOut(layout, rows);
        QCOMPARE(doc.pages.at(0).bandNames(),
                 QStringList({u"outerHeader"_s, u"groupHeader"_s, u"detail"_s, u"groupFooter"_s, u"groupHeader"_s,
                              u"detail"_s, u"groupFooter"_s, u"outerFooter"_s, u"outerHeader"_s, u"groupHeader"_s,
                              u"detail"_s, u"groupFooter"_s, u"outerFooter"_s}));
        // The inner group breaks with the outer one although "g" stays "B".
        QCOMPARE(doc.pages.at(0).text(u"outerFooter"_s, u"sum(v)"_s, 0), u"3"_s);
        QCOMPARE(doc.pages.at(0).text(u"outerFooter"_s, u"sum(v)"_s, 1), u"4"_s);
    }

    void emptyRowsGiveOnePageWithHeadersZeroSumsAndPageNumber()
    {
        Layout layout = groupedLayout(5, 5, 5);
        Band title(u"reportHeader"_s, 8);
        title << report::title().at(0);
        layout.reportHeader = title;
        layout.title = u"Заголовок"_s;
        layout.columnHeader = Band(u"columnHeader"_s, 6);
        Band total(u"reportFooter"_s, 5);
        total << report::sum({u"v"_s}).at(100, 20).formatted(u"#0.00"_s);
        layout.reportFooter = total;
        Band footer(u"pageFooter"_s, 5);
        footer << report::pageNumber().at(150);
        layout.pageFooter = footer;
        const report::Document doc = report::layOut(layout, MemoryTable({u"g"_s, u"v"_s}));
        QCOMPARE(doc.pages.size(), 1);
        QCOMPARE(doc.outline(), QStringList({u"1:reportHeader"_s, u"1:columnHeader"_s, u"1:reportFooter"_s,
                                             u"1:pageFooter"_s}));
        QCOMPARE(doc.pages.at(0).text(u"reportHeader"_s, u"title"_s), u"Заголовок"_s);
        QCOMPARE(doc.pages.at(0).text(u"reportFooter"_s, u"sum(v)"_s), u"0,00"_s);
        QCOMPARE(doc.pages.at(0).text(u"pageFooter"_s, u"page"_s), u"1"_s);
    }

    void everyPageHasColumnHeaderOnTopAndNumberedFooter()
    {
        Layout layout = groupedLayout(5, 10, 5);
        layout.columnHeader = Band(u"columnHeader"_s, 7);
        Band pageFooter(u"pageFooter"_s, 5);
        pageFooter << report::pageNumber().at(150);
        layout.pageFooter = pageFooter;
        Band total(u"reportFooter"_s, 5);
        total << report::sum({u"v"_s}).at(100, 20);
        layout.reportFooter = total;
        const MemoryTable rows = groupedRows({{u"A"_s, 40}, {u"B"_s, 30}});
        const report::Document doc = report::layOut(layout, rows);
        QVERIFY(doc.pages.size() >= 3);
        const double bodyBottom = doc.page.contentSize().height() - 5;
        for (const report::Page& page : doc.pages) {
            QCOMPARE(page.bandNames().first(), u"columnHeader"_s);
            QCOMPARE(page.bands.first().rect.top(), 0.0);
            QCOMPARE(page.bandNames().last(), u"pageFooter"_s);
            QCOMPARE(page.text(u"pageFooter"_s, u"page"_s), QString::number(page.number));
            for (int i = 0; i + 1 < page.bands.size(); ++i)
                QVERIFY(page.bands.at(i).rect.bottom() <= bodyBottom + 1e-9);
        }
        // Each row counted once although rows moved to new pages: 1 + ... + 70.
        QCOMPARE(doc.pages.last().text(u"reportFooter"_s, u"sum(v)"_s), u"2485"_s);
        QCOMPARE(doc.outline().filter(u":detail"_s).size(), 70);
    }

    // Page body 277 mm; group A of n rows ends at 5 + 10 n + 5, so the next
    // group header (5 mm) fits, but together with its footer (5 mm) only
    // when 10 mm are left.
    void groupHeaderMovesWhenItsFooterWouldNotFit_data()
    {
        QTest::addColumn<int>("rowsOfA");
        QTest::addColumn<int>("pageOfHeaderB");
        QTest::newRow("7 mm left: moves") << 26 << 2;
        QTest::newRow("17 mm left: stays") << 25 << 1;
    }
    void groupHeaderMovesWhenItsFooterWouldNotFit()
    {
        QFETCH(int, rowsOfA);
        QFETCH(int, pageOfHeaderB);
        const report::Document doc =
            report::layOut(groupedLayout(5, 10, 5), groupedRows({{u"A"_s, rowsOfA}, {u"B"_s, 1}}));
        const int index = int(doc.outline().indexOf(u"%1:groupHeader"_s.arg(pageOfHeaderB), 1));
        QVERIFY(index > 0);
        QCOMPARE(doc.pages.at(pageOfHeaderB - 1).text(u"groupHeader"_s, u"g"_s, pageOfHeaderB == 1 ? 1 : 0), u"B"_s);
        QCOMPARE(doc.pages.at(0).bandNames().at(1 + rowsOfA), u"groupFooter"_s);
    }

    void bandTallerThanAPageIsCutOffNotRepeated()
    {
        Layout layout;
        layout.columnHeader = Band(u"columnHeader"_s, 10);
        layout.detail = Band(u"detail"_s, 400);
        layout.detail << report::field(u"v"_s).at(0, 20) << report::field(u"v"_s).at(0, 20).line(350, 5).named(u"low"_s);
        MemoryTable rows({u"v"_s});
        rows.append({1}).append({2}).append({3});
        const report::Document doc = report::layOut(layout, rows);
        QCOMPARE(doc.pages.size(), 3);
        for (const report::Page& page : doc.pages) {
            QCOMPARE(page.bandNames(), QStringList({u"columnHeader"_s, u"detail"_s}));
            QCOMPARE(page.bands.at(1).rect.bottom(), doc.page.contentSize().height());
            QCOMPARE(page.text(u"detail"_s, u"low"_s), QString());  // below the page: not printed
        }
        QCOMPARE(doc.pages.at(2).text(u"detail"_s, u"v"_s), u"3"_s);

        layout.columnHeader->height = 500;  // even a header taller than the page ends
        QCOMPARE(report::layOut(layout, rows).pages.size(), 3);
    }

    void autoWidthFitsTheText()
    {
        Layout layout;
        layout.detail = Band(u"detail"_s, 5);
        const report::Font font{u"Arial"_s, 10, true};
        layout.detail << report::field(u"x"_s).at(20).in(font).named(u"auto"_s)
                      << report::field(u"x"_s).at(20, 10).in(font).right().named(u"fixed"_s);
        MemoryTable rows({u"x"_s});
        rows.append({u"Длинная фамилия Иванов-Петров"_s});
        const report::Page page = report::layOut(layout, rows).pages.at(0);
        const report::PlacedText grown = page.textsOf(u"detail"_s).at(0);
        const report::PlacedText fixedText = page.textsOf(u"detail"_s).at(1);
        QVERIFY(grown.rect.width() > report::textWidth(font, grown.text));
        QVERIFY(grown.rect.width() < report::textWidth(font, grown.text) + 2);
        QCOMPARE(fixedText.rect, QRectF(20, 0, 10, 5));
        QCOMPARE(fixedText.align, report::Align::Right);
        QCOMPARE(fixedText.font, font);
    }

    void layoutFacesAreTheInstalledMetricCompatibleOnes_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("installed");
        QTest::newRow("Arial") << u"Arial"_s << u"Liberation Sans"_s;
        QTest::newRow("MS Sans Serif") << u"MS Sans Serif"_s << u"Liberation Sans"_s;
        QTest::newRow("Microsoft Sans Serif") << u"Microsoft Sans Serif"_s << u"Liberation Sans"_s;
        QTest::newRow("Times New Roman") << u"Times New Roman"_s << u"Liberation Serif"_s;
    }
    void layoutFacesAreTheInstalledMetricCompatibleOnes()
    {
        QFETCH(QString, family);
        QFETCH(QString, installed);
        QCOMPARE(QFontInfo(report::toQFont({family, 10, false})).family(), installed);
    }

    void pagesPaintToImageAndPdf()
    {
        Layout layout = groupedLayout(6, 5, 6);
        layout.groups[0].header->on(QColor(224, 224, 224));
        layout.groups[0].footer->framed(report::Frame::box(report::LineStyle::Dotted));
        const report::Document doc = report::layOut(layout, groupedRows({{u"A"_s, 80}, {u"B"_s, 3}}));
        QCOMPARE(doc.pages.size(), 2);

        const QImage image = report::renderPage(doc, 0, 50);
        QCOMPARE(image.size(), QSize(413, 585));  // A4 at 50 dpi
        const QPoint inHeader(qRound((10 + 150) * 50 / 25.4), qRound((10 + 3) * 50 / 25.4));
        QCOMPARE(QColor(image.pixel(inHeader)), QColor(224, 224, 224));

        QTemporaryDir dir;
        const QString file = dir.filePath(u"проба.pdf"_s);
        report::writePdf(doc, file);
        QFile pdf(file);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        static const QRegularExpression pageObject(u"/Type\\s*/Page(?!s)"_s);
        QCOMPARE(QString::fromLatin1(bytes).count(pageObject), 2);

        QVERIFY(errorOf([&] { report::writePdf(doc, dir.filePath(u"нет/такой/папки.pdf"_s)); })
                    .contains(u"нет/такой/папки.pdf"_s));
    }
};

TABEL_TEST_MAIN(EngineTest)
#include "test_engine.moc"
