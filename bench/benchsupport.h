#pragma once
// What the benchmarks share: the average time of a repeated step, the peak
// memory of the process, and the connection to the database they measure.

#include <sys/resource.h>

#include <QElapsedTimer>
#include <QString>

#include "data/connectionstring.h"

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

}  // namespace bench
