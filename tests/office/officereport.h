#pragma once
// What the office load prints: the plan, one line a run with what failed or
// did not hold, and the times of each kind of action, each run beside the
// first (one workstation alone, in the benchmark).

#include <QList>
#include <QStringList>

#include "office/office.h"

namespace office {

struct Run {
    int workstations = 0;
    QList<Entry> entries;
    QStringList breaches;
    double busy = -1;  // share of the machine's cores busy meanwhile (all processes), -1 unknown
};

// The machine's cores' busy and idle time so far (/proc/stat), to tell how
// busy they were between two readings.
struct CpuTimes {
    double busy = 0, idle = 0;
    static CpuTimes now();
    double busyShareSince(const CpuTimes& before) const;
};

// The median and 95th percentile (nearest rank) of the times, ms; 0 for none.
struct Times {
    int count = 0;
    double median = 0;
    double p95 = 0;
};
Times timesOf(QList<double> ms);
// The actions of the kinds that happened (not "nothing": no row to act on), failures left out.
Times timesOf(const QList<Entry>& entries, const QList<Kind>& kinds);

void printPlan(const Plan& plan);
void printRun(const Run& run);
void printTimes(const QList<Run>& runs);

}  // namespace office
