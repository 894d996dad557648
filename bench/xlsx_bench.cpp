// Time and memory of a large time sheet export: 2,000 people x 31 days plus
// totals, written cell by cell with formatting and fitting as the time sheet
// window does, then written out as the workbook file.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

#include "export/spreadsheet.h"
#include "ui/messages.h"

namespace {

long peakRssKb()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int people = argc > 1 ? QByteArray(argv[1]).toInt() : 2000;

    QTemporaryDir dir;
    xlsx::setOutputDirectory(dir.path());
    xlsx::setOpener([](const QString&) { return true; });
    int failures = 0;
    ui::setMessageHandler([&failures](const ui::Message& m) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(m.caption), qPrintable(m.text));
        ++failures;
        return QMessageBox::Ok;
    });

    QElapsedTimer total;
    total.start();
    xlsx::SpreadsheetOpen();
    xlsx::SpreadsheetSetVisible(false);
    xlsx::SpreadsheetWriteFormatted(1, 1, 1, QStringLiteral("Январь 2021"), true, true, true);
    xlsx::SpreadsheetWriteFormatted(1, 1, 2, QStringLiteral("Фамилия И.О."), true, true, true);
    for (int d = 1; d <= 31; ++d)
        xlsx::SpreadsheetWriteFormatted(1, d + 1, 2, QString::number(d), false, true, true);
    xlsx::SpreadsheetWriteFormatted(1, 33, 2, QStringLiteral("Итого"), true, true, true);
    for (int p = 0; p < people; ++p) {
        const int row = p + 3;
        xlsx::SpreadsheetWriteFormatted(1, 1, row, QStringLiteral("Работник%1 Иван Петрович").arg(p, 4, 10, QLatin1Char('0')),
                                        true, true, false);
        int sum = 0;
        for (int d = 1; d <= 31; ++d) {
            const int hours = (p * 7 + d * 3) % 13;
            sum += hours;
            xlsx::SpreadsheetWriteFormatted(1, d + 1, row, QString::number(hours), false, true, false);
        }
        xlsx::SpreadsheetWriteFormatted(1, 33, row, QString::number(sum), false, true, false);
    }
    const qint64 writeMs = total.elapsed();
    xlsx::SpreadsheetSetVisible(true);
    const qint64 totalMs = total.elapsed();

    const QString file = xlsx::lastShownFile();
    std::printf("people: %d, cells: %d\n", people, 34 + people * 33);
    std::printf("cell writes: %lld ms\n", static_cast<long long>(writeMs));
    std::printf("file written: %lld ms\n", static_cast<long long>(totalMs - writeMs));
    std::printf("total: %lld ms\n", static_cast<long long>(totalMs));
    std::printf("file size: %lld bytes\n", static_cast<long long>(QFileInfo(file).size()));
    std::printf("peak RSS: %ld KB\n", peakRssKb());
    return failures == 0 && !file.isEmpty() ? 0 : 1;
}
