// Reads from a demo database what the journal and the time sheet read, the
// way the program does (through the data module over ODBC), and prints the
// times and the peak memory of the process:
//   - the four shift datasets of one date (the journal's opening and "Обновить"),
//   - the month's time sheet of the three shifts,
//   - the worker list and the operation list (the editor's pickers),
//   - one save of a record with its day cell (a transaction), undone afterwards.
//
//   journal_bench DATABASE [DATE dd.MM.yyyy] [rounds]
// Server and account: PGHOST (localhost), the built-in account.
// A plant ten times the demo size: db/create-database.sh tabel_big 10

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <cstdio>

#include "benchsupport.h"
#include "core/textformat.h"
#include "data/datamodule.h"
#include "records/daycell.h"
#include "records/shiftrecordstore.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: journal_bench DATABASE [DATE dd.MM.yyyy] [rounds]\n");
        return 2;
    }
    const int rounds = argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : 20;
    try {
        data::DataModule dm(bench::connectionStringFor(argv[1]));
        QDate date = argc > 2 ? fmt::parseDate(QString::fromLocal8Bit(argv[2])) : QDate();
        if (!date.isValid())
            date = dm.scalar(QStringLiteral("select max(data) from accounts_dep.smena")).toDate();

        int rows = 0;
        const double shifts = bench::averageMs(rounds, [&] {
            rows = 0;
            for (int s = 1; s <= 4; ++s) {
                data::Dataset& ds = dm.smena(s);
                ds.close();
                ds.setParam(QStringLiteral("data"), date);
                ds.setParam(QStringLiteral("ok"), QStringLiteral("ta"));
                ds.open();
                rows += ds.recordCount();
            }
        });
        std::printf("journal, four shifts of %s (%d records): %.1f ms\n", qPrintable(fmt::dateText(date)), rows,
                    shifts);

        int sheetRows = 0;
        const double sheet = bench::averageMs(rounds, [&] {
            sheetRows = 0;
            for (int s = 1; s <= 3; ++s) {
                data::Dataset& ds = dm.timeSheet(s);
                ds.close();
                ds.setParam(QStringLiteral("mnth"), date.month());
                ds.setParam(QStringLiteral("yea"), date.year());
                ds.open();
                sheetRows += ds.recordCount();
            }
        });
        std::printf("time sheet of %02d.%d, three shifts (%d rows): %.1f ms\n", date.month(), date.year(), sheetRows,
                    sheet);

        const double workers = bench::averageMs(rounds, [&] { dm.Workers.reload(); });
        std::printf("worker list (%d rows): %.1f ms\n", dm.Workers.recordCount(), workers);
        const double operations = bench::averageMs(rounds, [&] { dm.Oper.reload(); });
        std::printf("operation list (%d rows): %.1f ms\n", dm.Oper.recordCount(), operations);

        // One save with its day cell, as "Запись" does it; each saved record is deleted again.
        dm.Smena1.first();
        records::ShiftRecordValues v;
        v.worker = dm.Smena1.integer(QStringLiteral("w_id"));
        v.product = dm.Smena1.integer(QStringLiteral("i_id"));
        v.operation = dm.Smena1.integer(QStringLiteral("o_id"));
        v.price = 1;
        v.quantity = 1;
        v.date = date;
        v.shift = 1;
        v.hours = 1;
        QList<int> saved;
        const double save =
            bench::averageMs(rounds, [&] { saved << records::saveShiftRecord(dm, v, 0, QDate::currentDate()); });
        std::printf("save of a record with its day cell: %.1f ms\n", save);
        for (int id : saved) {
            dm.DelSmena.setStatement(QStringLiteral("delete from accounts_dep.smena where id=%1").arg(id));
            dm.DelSmena.execute();
        }
        records::timesheet::updateCell(dm, {v.worker, v.shift, v.date});  // the day cell as it was
        std::printf("peak memory: %ld kB\n", bench::peakRssKb());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "journal_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
