#pragma once
// What the benchmarks share: the average time of a repeated step, the peak
// memory of the process, the connection to the database they measure, and
// the database's own time for a statement to print beside a figure.

#include <sys/resource.h>

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QString>
#include <cstdio>

#include "data/connection.h"
#include "data/connectionstring.h"
#include "data/datamodule.h"
#include "data/dataset.h"

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

// The database's own time for a statement: planning and execution as
// EXPLAIN ANALYZE reports them without timing each plan node (a statement
// that writes is rolled back by the caller).
inline double serverMs(data::Connection& connection, const QString& statement)
{
    data::Dataset plan(connection, QStringLiteral("plan"), QStringLiteral("explain (analyze, timing off) ") + statement);
    plan.open();
    static const QRegularExpression timeLine(QStringLiteral("(Planning|Execution) Time: ([0-9.]+) ms"));
    double ms = 0;
    for (plan.first(); !plan.eof(); plan.next()) {
        const QRegularExpressionMatch m = timeLine.match(plan.text(plan.fieldNames().first()));
        if (m.hasMatch())
            ms += m.captured(2).toDouble();
    }
    return ms;
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

// One figure beside its baseline and the ratio.
inline void line(const char* what, double ms, double baselineMs)
{
    std::printf("%-58s %9.1f ms   database %8.1f ms   ratio %6.2f\n", what, ms, baselineMs,
                baselineMs > 0 ? ms / baselineMs : 0.0);
}

}  // namespace bench
