// Lays out the detailed products report for 10,000 rows (500 products of 20
// rows each) and prints the time taken and the peak memory of the process;
// then writes the pages to a PDF file and prints that time too.
//
//   report_bench [rows] [pdf file]

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

#include "report/engine.h"
#include "report/painter.h"
#include "reports/layouts.h"

namespace {

long peakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

report::MemoryTable productRows(int count)
{
    report::MemoryTable rows({QStringLiteral("marka"), QStringLiteral("vid"), QStringLiteral("naimen"),
                              QStringLiteral("nom"), QStringLiteral("kolvo"), QStringLiteral("brk"),
                              QStringLiteral("summa"), QStringLiteral("color"), QStringLiteral("mass")});
    const QStringList kinds = {QStringLiteral("Резка"), QStringLiteral("Гибка"), QStringLiteral("Сварка"),
                               QStringLiteral("Покраска")};
    for (int i = 0; i < count; ++i) {
        const int product = i / 20;
        const double kolvo = 5 + i % 17;
        const qlonglong brk = i % 3;
        rows.append({QStringLiteral("Стеллаж СТ-%1").arg(1000 + product % 50), kinds.at(i % kinds.size()),
                     product % 2, QStringLiteral("%1.%2").arg(100 + product).arg(i % 20, 3, 10, QLatin1Char('0')),
                     kolvo, brk, (kolvo - brk) * 2.125, i % 7 == 0 ? 1013 : 0, kolvo * 0.35});
    }
    return rows;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    QTemporaryDir dir;
    const QString pdf = argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir.filePath(QStringLiteral("bench.pdf"));

    const report::MemoryTable rows = productRows(count);
    const long before = peakRssKb();
    reports::PrintedLayout layout = reports::productsDetailReport();
    layout.setTitle(QStringLiteral("   Детальный отчет по продукции за период с 01.02.2022 по 01.03.2022"));

    QElapsedTimer timer;
    timer.start();
    const report::Document document = layout.generate(rows);
    const qint64 layoutMs = timer.elapsed();
    const long afterLayout = peakRssKb();

    timer.restart();
    report::writePdf(document, pdf);
    const qint64 pdfMs = timer.elapsed();

    std::printf("rows %d, pages %lld\n", count, static_cast<long long>(document.pages.size()));
    std::printf("lay out: %lld ms, peak RSS %ld kB (rows in memory before: %ld kB)\n",
                static_cast<long long>(layoutMs), afterLayout, before);
    std::printf("write PDF: %lld ms, peak RSS %ld kB\n", static_cast<long long>(pdfMs), peakRssKb());
    return 0;
}
