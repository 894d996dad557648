// The time sheet window's commands on a full-size plant, each beside the
// database's own cost of the same statements (replayed on a plain libpq
// client in the same run) and the ratio:
//   - the month rebuild ("Перестроить"), and for comparison the rebuild one
//     record group at a time (count, then update or insert per worker, shift
//     and day, through the data module), run once;
//   - loading a month into the three tabs (the lists changed);
//   - the workbook of the month ("Excel"), written to a temporary folder.
//
//   timesheet_bench DATABASE [MM.yyyy] [rounds]
// Server and account: PGHOST (localhost), the built-in account. The month
// defaults to the last complete month of the records.
// The full-size plant: db/create-database.sh tabel_full 7 2026-11-30 24

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

#include "benchsupport.h"
#include "core/textformat.h"
#include "data/datamodule.h"
#include "export/spreadsheet.h"
#include "records/monthrebuild.h"
#include "session/runstate.h"
#include "timesheet/monthsheet.h"
#include "timesheet/timesheetwindow.h"

namespace {

// The month's cells without row ids, to compare two rebuilds.
QString monthDigest(data::DataModule& dm, int month, int year)
{
    QString cells;
    for (int d = 1; d <= 31; ++d)
        cells += QStringLiteral(", d%1").arg(d);
    return dm
        .scalar(QStringLiteral("select md5(string_agg(row(w_id, smena") + cells +
                QStringLiteral(")::text, ';' order by w_id, smena)) from accounts_dep.h_tabel where month=%1 and "
                               "year=%2")
                    .arg(month)
                    .arg(year))
        .toString();
}

// The rebuild one record group at a time, as the office's earlier program
// did it: delete the month, then for every day the hours per shift and
// worker, each written by a count and an update or an insert.
void rebuildRowByRow(data::DataModule& dm, int month, int year)
{
    dm.DelSmena.setStatement(records::timesheet::monthDeleteStatement(month, year));
    dm.DelSmena.execute();
    data::Dataset dt(dm.ADO_DB, QStringLiteral("dt"),
                     QStringLiteral("select smena, w_id, sum(time) as tim from accounts_dep.smena where data=:data "
                                    "group by smena,w_id;"));
    const QString key = QStringLiteral(" and month=%1 and year=%2").arg(month).arg(year);
    for (int day = 1; day <= QDate(year, month, 1).daysInMonth(); ++day) {
        dt.setParam(QStringLiteral("data"), QDate(year, month, day));
        dt.open();
        for (dt.first(); !dt.eof(); dt.next()) {
            const QString s = dt.text(QStringLiteral("smena")), w = dt.text(QStringLiteral("w_id"));
            const QString t = dt.text(QStringLiteral("tim"));
            const int cnt = dm.scalar(QStringLiteral("select count(w_id) as cnt from accounts_dep.h_tabel h_tabel "
                                                     "where w_id=%1 and smena=%2")
                                          .arg(w, s) +
                                      key)
                                .toInt();
            if (cnt != 0)
                dm.H_Tabel_ins.setStatement(QStringLiteral("update accounts_dep.h_tabel set d%1='%2' where w_id=%3 "
                                                           "and smena=%4")
                                                .arg(day)
                                                .arg(t, w, s) +
                                            key);
            else
                dm.H_Tabel_ins.setStatement(QStringLiteral("insert into accounts_dep.h_tabel(smena, w_id, month, "
                                                           "year, d%1) values(%2, %3, %4, %5, %6)")
                                                .arg(day)
                                                .arg(s, w)
                                                .arg(month)
                                                .arg(year)
                                                .arg(t));
            dm.H_Tabel_ins.execute();
        }
        dt.close();
    }
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: timesheet_bench DATABASE [MM.yyyy] [rounds]\n");
        return 2;
    }
    const int rounds = argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : 5;
    QTemporaryDir files;
    xlsx::setOutputDirectory(files.path());
    xlsx::setOpener([](const QString&) { return true; });
    try {
        data::DataModule dm(bench::connectionStringFor(argv[1]));
        const QDate month = bench::monthToMeasure(dm, argc > 2 ? argv[2] : nullptr);
        const int m = month.month(), y = month.year();
        const int records =
            dm.scalar(QStringLiteral("select count(*) from accounts_dep.smena where date_trunc('month', data)='%1'")
                          .arg(month.toString(Qt::ISODate)))
                .toInt();
        const int workers =
            dm.scalar(QStringLiteral("select count(*) from cmn_contractor.person where b_employee")).toInt();
        std::printf("month %02d.%d: %d shift records, %d workers; %d rounds\n\n", m, y, records, workers, rounds);

        bench::PlainClient plain(argv[1]);

        // The rebuild (its statements replayed write the same rows again).
        const bench::Figure rebuild =
            bench::measure(dm.ADO_DB, plain, rounds, [&] { records::timesheet::rebuildMonth(dm, m, y); });
        const QString digest = monthDigest(dm, m, y);
        const int rows = dm.scalar(QStringLiteral("select count(*) from accounts_dep.h_tabel where month=%1 and "
                                                  "year=%2")
                                       .arg(m)
                                       .arg(y))
                             .toInt();
        char what[128];
        std::snprintf(what, sizeof what, "rebuild of the month (%d rows)", rows);
        bench::line(what, rebuild);

        QElapsedTimer timer;
        timer.start();
        rebuildRowByRow(dm, m, y);
        const double rowByRow = double(timer.nsecsElapsed()) / 1e6;
        bench::line("rebuild one record group at a time (for comparison)", rowByRow, rebuild.databaseMs);
        std::printf("%-70s %9.1f x\n", "  the month's rebuild is faster by", rowByRow / rebuild.ms);
        const bool same = monthDigest(dm, m, y) == digest;
        records::timesheet::rebuildMonth(dm, m, y);
        std::printf("%-70s %s\n", "  both leave the same cells", same ? "yes" : "NO");

        // Loading a month into the three tabs, as a change of the lists does it.
        const session::RunState state;
        timesheet::TimeSheetWindow window(dm, state);
        window.yearList->setCurrentText(QString::number(y));
        window.monthList->setCurrentIndex(m - 1);
        const bench::Figure load = bench::measure(dm.ADO_DB, plain, rounds, [&] { window.loadMonth(); });
        int sheetRows = 0;
        for (int shift = 1; shift <= 3; ++shift)
            sheetRows += dm.timeSheet(shift).recordCount();
        std::snprintf(what, sizeof what, "time sheet month into the three tabs (%d rows)", sheetRows);
        bench::line(what, load);

        // The workbook of the month.
        const bench::Figure workbook = bench::measure(dm.ADO_DB, plain, rounds, [&] { window.exportWorkbook(); });
        std::snprintf(what, sizeof what, "workbook of the month (%s)", qPrintable(window.excelButton->text()));
        bench::line(what, workbook);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "timesheet_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
