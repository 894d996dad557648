// Reads from a demo database what the journal and the time sheet read, the
// way the program does (through the data module over ODBC), and prints each
// time beside the database's own cost of the same statements (replayed on a
// plain libpq client) and the ratio, then the peak memory of the process:
//   - the four shift datasets of one date (the journal's date change and
//     "Обновить"), and the same statements read through the ODBC driver
//     alone, without the program (what the driver itself costs);
//   - the worker list and the operation list (the editor's pickers);
//   - one save of a record with its day cell (a transaction), undone afterwards.
//
//   journal_bench DATABASE [DATE dd.MM.yyyy] [rounds]
// Server and account: PGHOST (localhost), the built-in account. The date
// defaults to the busiest one of the shift records.
// The full-size plant: db/create-database.sh tabel_full 7 2026-11-30 24

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <cstdio>

#include "benchsupport.h"
#include "driverfloor.h"
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
        const QDate date = bench::dateToMeasure(dm, argc > 2 ? argv[2] : nullptr);

        bench::PlainClient plain(argv[1]);
        std::printf("%d rounds on %s\n", rounds, argv[1]);

        int rows = 0;
        const bench::Figure shifts = bench::measure(dm.ADO_DB, plain, rounds, [&] {
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
        char what[160];
        std::snprintf(what, sizeof what, "journal date change, four shifts of %s (%d records)",
                      qPrintable(fmt::dateText(date)), rows);
        bench::line(what, shifts);
        bench::DriverFloor driver(bench::connectionStringFor(argv[1]));
        bench::line("  the same through the ODBC driver alone, nothing kept",
                    driver.averageMs(shifts.statements, rounds), shifts.databaseMs);

        const bench::Figure workers = bench::measure(dm.ADO_DB, plain, rounds, [&] { dm.Workers.reload(); });
        std::snprintf(what, sizeof what, "worker list (%d rows)", dm.Workers.recordCount());
        bench::line(what, workers);
        const bench::Figure operations = bench::measure(dm.ADO_DB, plain, rounds, [&] { dm.Oper.reload(); });
        std::snprintf(what, sizeof what, "operation list (%d rows)", dm.Oper.recordCount());
        bench::line(what, operations);

        // One save with its day cell, as "Запись" does it. The records saved,
        // and those the replay inserted, are deleted again.
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
        const int lastId = dm.scalar(QStringLiteral("select max(id) from accounts_dep.smena")).toInt();
        const bench::Figure save = bench::measure(dm.ADO_DB, plain, rounds, [&] {
            records::saveShiftRecord(dm, v, 0, QDate::currentDate());
        });
        bench::line("save of a record with its day cell", save);
        dm.DelSmena.setStatement(QStringLiteral("delete from accounts_dep.smena where id>%1").arg(lastId));
        dm.DelSmena.execute();
        records::timesheet::updateCell(dm, {v.worker, v.shift, v.date});  // the day cell as it was
        std::printf("peak memory: %ld kB\n", bench::peakRssKb());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "journal_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
