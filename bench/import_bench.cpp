// The legacy import of a previous database with many shift records, run as
// the journal's hidden entry runs it (both ODBC data sources, every step,
// events processed between batches), on a database of its own cloned from
// the test template. Prints:
//   - the whole import and its shift record step, with rows per second,
//     beside the database's own cost of the same step: emptying the table
//     and COPY of the same rows from a file on the server, in one
//     transaction (rolled back), measured in the same run;
//   - the longest time the window could not process its events;
//   - the peak memory of the process.
//
//   import_bench [SHIFT_RECORDS [TEMPLATE]]     (100000, tabel_template)
// Server and account: PGHOST (localhost), the built-in account, which must
// be allowed to create databases and to COPY to and from server files.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <cstdio>

#include "benchsupport.h"
#include "data/statement.h"
#include "reference/legacyimport.h"
#include "reference/legacysteps.h"
#include "tools/legacysource/legacysource.h"

namespace {

const QString kDatabase = QStringLiteral("tabel_import_bench");

long currentRssKb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * 4 : 0;  // resident pages of 4 kB
}

// delete + COPY of the shift records the import writes, on the server alone.
double copyBaselineMs(data::Connection& c)
{
    const reference::CopyStep& step = reference::copySteps().last();
    QStringList names;
    for (const reference::ImportColumn& column : step.columns)
        names << column.name;
    const QString file = QStringLiteral("/tmp/tabel_import_bench.copy");
    data::runStatement(c, QStringLiteral("copy (select %1 from public.smena order by id) to '%2'").arg(names.join(QLatin1Char(',')), file));
    data::Transaction transaction(c);  // rolled back
    QElapsedTimer timer;
    timer.start();
    data::runStatement(c, reference::importstatements::emptyTarget(step));
    data::runStatement(c, QStringLiteral("copy %1 (%2) from '%3'").arg(step.target, names.join(QLatin1Char(',')), file));
    return double(timer.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    legacy::Sizes sizes;
    sizes.shiftRecords = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    const QString templ = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("tabel_template");
    const QString dir = QDir::tempPath() + QStringLiteral("/tabel_import_bench");
    try {
        QDir(dir).removeRecursively();
        data::ConnectionParams params = data::defaultConnectionParams();
        if (!qEnvironmentVariable("PGHOST").isEmpty())
            params.server = qEnvironmentVariable("PGHOST");
        legacy::useOdbcFiles(dir, {legacy::sqliteSource(QStringLiteral("Tabel"), dir + QStringLiteral("/legacy.db")),
                                   legacy::postgresSource(QStringLiteral("Tabel_PgSQL"), params.server, kDatabase,
                                                          params.password)});
        {
            data::Connection admin(bench::connectionStringFor("postgres"), QStringLiteral("admin"));
            data::runStatement(admin, QStringLiteral("drop database if exists %1 with (force)").arg(kDatabase));
            data::runStatement(admin, QStringLiteral("create database %1 template %2").arg(kDatabase, templ));
        }
        params.database = kDatabase;
        data::Connection main(data::buildConnectionString(params), QStringLiteral("ADO_DB"));
        data::runStatement(main, QStringLiteral("select accounts_dep.apply_database_settings()"));
        main.close();  // the settings hold from the next connection on

        {
            const QList<legacy::Table> tables = legacy::makeTables(sizes);
            data::Connection file(legacy::sqliteConnectionString(dir + QStringLiteral("/legacy.db")),
                                  QStringLiteral("legacy"));
            for (const legacy::Table& t : tables)
                if (t.name != QLatin1String("SMENA"))
                    legacy::writeTable(file, t);
            legacy::writeTable(main, legacy::table(tables, QStringLiteral("SMENA")), QStringLiteral("public.smena"));
        }
        data::runStatement(main, QStringLiteral("analyze public.smena"));

        const double copyMs = copyBaselineMs(main);

        // The window's side: how long at most between two chances to process events.
        QElapsedTimer sinceTick;
        qint64 longestGapNs = 0;
        QTimer tick;
        tick.setInterval(5);
        const long rssBeforeKb = currentRssKb();
        long rssPeakKb = rssBeforeKb;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            longestGapNs = std::max(longestGapNs, sinceTick.nsecsElapsed());
            sinceTick.restart();
            rssPeakKb = std::max(rssPeakKb, currentRssKb());
        });

        reference::LegacyImport import;
        QElapsedTimer timer;
        qint64 lastWorkersLineNs = 0;
        qint64 firstShiftLineNs = 0;
        tick.start();
        sinceTick.start();
        timer.start();
        import.run(main, [&](const QString& line) {
            if (line.startsWith(QLatin1String("WORKERS:")))
                lastWorkersLineNs = timer.nsecsElapsed();
            else if (!firstShiftLineNs && line.startsWith(QLatin1String("smena:")))
                firstShiftLineNs = timer.nsecsElapsed();
        });
        const double totalMs = double(timer.nsecsElapsed()) / 1e6;
        tick.stop();
        const double shiftMs = totalMs - double(lastWorkersLineNs) / 1e6;

        std::printf("legacy import, %d shift records, on %s\n", sizes.shiftRecords, qPrintable(params.server));
        bench::line("whole import, 7 steps", totalMs, copyMs);
        bench::line("shift record step (read, empty, insert, commit)", shiftMs, copyMs);
        std::printf("shift records per second: import %.0f, database's own delete + COPY %.0f\n",
                    sizes.shiftRecords / (shiftMs / 1000), sizes.shiftRecords / (copyMs / 1000));
        std::printf("  of which reading and converting the source, emptying the table and the first batch: %.0f ms\n",
                    double(firstShiftLineNs - lastWorkersLineNs) / 1e6);
        std::printf("longest time without processing events: %.0f ms\n", double(longestGapNs) / 1e6);
        std::printf("resident memory: %ld MB before the import, at most %ld MB during it\n", rssBeforeKb / 1024,
                    rssPeakKb / 1024);

        data::Connection admin(bench::connectionStringFor("postgres"), QStringLiteral("admin"));
        main.close();
        data::runStatement(admin, QStringLiteral("drop database if exists %1 with (force)").arg(kDatabase));
        QDir(dir).removeRecursively();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "import_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
