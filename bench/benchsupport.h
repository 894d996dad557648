#pragma once
// What the benchmarks share: the average time of a repeated step, the peak
// memory of the process, the connection to the database they measure, and
// the database's own cost of a step to print beside it: the replay of the
// step's statements on a plain libpq client.

#include <sys/resource.h>

#include <QElapsedTimer>
#include <QString>
#include <cstdio>

#include "core/finally.h"
#include "core/textformat.h"
#include "data/connection.h"
#include "data/connectionstring.h"
#include "data/datamodule.h"
#include "data/dataset.h"
#include "plainclient.h"

namespace bench {

template <typename Fn>
double averageMs(int rounds, Fn&& fn)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i)
        fn();
    return double(timer.nsecsElapsed()) / 1e6 / rounds;
}

inline long peakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The built-in account on PGHOST (localhost unless set) and the database named.
inline QString connectionStringFor(const char* database)
{
    data::ConnectionParams params = data::defaultConnectionParams();
    if (!qEnvironmentVariable("PGHOST").isEmpty())
        params.server = qEnvironmentVariable("PGHOST");
    params.database = QString::fromLocal8Bit(database);
    return data::buildConnectionString(params);
}

// The date with the most shift records (the latest of several), or the
// date "dd.MM.yyyy" given.
inline QDate dateToMeasure(data::DataModule& dm, const char* argument)
{
    if (argument && *argument)
        return fmt::parseDate(QString::fromLocal8Bit(argument));
    return dm
        .scalar(QStringLiteral("select data from accounts_dep.smena group by data order by count(*) desc, data desc "
                               "limit 1"))
        .toDate();
}

// The first day of the month to measure: the argument "MM.yyyy" when given
// and valid, else the last complete month of the shift records.
inline QDate monthToMeasure(data::DataModule& dm, const char* argument)
{
    if (argument) {
        const QDate month = QDate::fromString(QStringLiteral("01.") + QString::fromLocal8Bit(argument),
                                              QStringLiteral("dd.MM.yyyy"));
        if (month.isValid())
            return month;
    }
    const QDate last = dm.scalar(QStringLiteral("select max(data) from accounts_dep.smena")).toDate();
    return QDate(last.year(), last.month(), 1).addMonths(last.day() == last.daysInMonth() ? 0 : -1);
}

// One figure beside its baseline (the database's own cost unless named
// otherwise) and the ratio, in the columns of the table (padded by
// characters, so that Russian names line up too).
inline void line(const QString& what, double ms, double baselineMs, const char* baseline = "database")
{
    const QByteArray name = what.leftJustified(70).toUtf8();
    if (baselineMs > 0)
        std::printf("%s %9.1f ms   %-10s %8.1f ms   ratio %6.2f\n", name.constData(), ms, baseline, baselineMs,
                    ms / baselineMs);
    else
        std::printf("%s %9.1f ms\n", name.constData(), ms);
}

inline void line(const char* what, double ms, double baselineMs, const char* baseline = "database")
{
    line(QString::fromUtf8(what), ms, baselineMs, baseline);
}

// A step of the program and the database's own cost of what it sent.
struct Figure {
    double ms = 0;
    double databaseMs = 0;
    QList<data::SentStatement> statements;  // what one run of the step sent
};

inline void line(const char* what, const Figure& figure)
{
    line(what, figure.ms, figure.databaseMs);
}

// Runs the step once with the connection's statements logged (which also
// warms up both sides), then `rounds` times, each run followed by a replay
// of the logged statements on the plain client, and gives both averages.
// A step that writes is replayed with its writes: the caller undoes both.
template <typename Step>
Figure measure(data::Connection& connection, PlainClient& plain, int rounds, Step&& step)
{
    Figure figure;
    QList<data::SentStatement>& log = figure.statements;
    {
        connection.setStatementLog(&log);
        const core::Finally stopLogging([&] { connection.setStatementLog(nullptr); });
        step();
    }
    plain.replayMs(log);
    QElapsedTimer timer;
    for (int i = 0; i < rounds; ++i) {
        timer.start();
        step();
        figure.ms += double(timer.nsecsElapsed()) / 1e6;
        figure.databaseMs += plain.replayMs(log);
    }
    figure.ms /= rounds;
    figure.databaseMs /= rounds;
    return figure;
}

}  // namespace bench
