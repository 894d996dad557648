#include "office/officereport.h"

#include <QByteArray>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/textformat.h"

namespace office {

namespace {

// Characters, not bytes: the names line up whatever their letters.
void print(const QString& text)
{
    std::printf("%s\n", text.toUtf8().constData());
}

QString number(double value, int width, int decimals = 1)
{
    return QString::number(value, 'f', decimals).rightJustified(width);
}

double seconds(const QList<Entry>& entries)
{
    if (entries.isEmpty())
        return 0;
    qint64 from = entries.first().started, to = entries.first().ended;
    for (const Entry& e : entries) {
        from = std::min(from, e.started);
        to = std::max(to, e.ended);
    }
    return double(to - from) / 1e9;
}

const QList<Kind> saves = {Kind::NewRecord, Kind::Change};

QString workstations(int n)
{
    return n == 1 ? QStringLiteral("1 workstation") : QStringLiteral("%1 workstations").arg(n);
}

}  // namespace

CpuTimes CpuTimes::now()
{
    // "cpu  user nice system idle iowait irq softirq steal ..."
    CpuTimes t;
    FILE* stat = std::fopen("/proc/stat", "r");
    if (!stat)
        return t;
    double v[8] = {};
    if (std::fscanf(stat, "cpu %lf %lf %lf %lf %lf %lf %lf %lf", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6],
                    &v[7]) == 8) {
        t.idle = v[3] + v[4];
        t.busy = v[0] + v[1] + v[2] + v[5] + v[6] + v[7];
    }
    std::fclose(stat);
    return t;
}

double CpuTimes::busyShareSince(const CpuTimes& before) const
{
    const double busyTime = busy - before.busy, all = busyTime + idle - before.idle;
    return all > 0 ? busyTime / all : -1;
}

Times timesOf(QList<double> ms)
{
    Times t;
    t.count = int(ms.size());
    if (ms.isEmpty())
        return t;
    std::sort(ms.begin(), ms.end());
    const auto rank = [&ms](double p) {
        return ms[std::max<qsizetype>(0, qsizetype(std::ceil(p * double(ms.size()))) - 1)];
    };
    t.median = rank(0.5);
    t.p95 = rank(0.95);
    return t;
}

Times timesOf(const QList<Entry>& entries, const QList<Kind>& kinds)
{
    QList<double> ms;
    for (const Entry& e : entries) {
        if (kinds.contains(e.kind) && !e.failed() && e.outcome != QLatin1String("nothing"))
            ms << e.ms();
    }
    return timesOf(ms);
}

void printPlan(const Plan& plan)
{
    QStringList days;
    for (const QDate& d : plan.days)
        days << fmt::dateText(d);
    print(QStringLiteral("Office load: %1 workers, %2 days (%3), %4 operations; %5 actions a workstation, pauses "
                         "of 0 to %6 ms between them, %7 month rebuilds in 1000 actions")
              .arg(plan.workers.size())
              .arg(plan.days.size())
              .arg(days.join(QStringLiteral(", ")))
              .arg(plan.works.size())
              .arg(plan.actions)
              .arg(plan.pauseMs)
              .arg(plan.rebuildsPerThousand));
}

void printRun(const Run& run)
{
    int failed = 0;
    QStringList outcomes;
    for (const Entry& e : run.entries)
        failed += e.failed() ? 1 : 0;
    for (const char* outcome : {"stale", "refused", "nomaterials", "nothing"}) {
        const auto n = std::count_if(run.entries.begin(), run.entries.end(),
                                     [outcome](const Entry& e) { return e.outcome == QLatin1String(outcome); });
        if (n > 0)
            outcomes << QStringLiteral("%1 %2").arg(n).arg(QLatin1String(outcome));
    }
    const double s = seconds(run.entries);
    print(QStringLiteral("%1: %2 actions in %3 s, %4 actions/s, cores %8 busy, %5 failed, %6 breaches%7")
              .arg(workstations(run.workstations))
              .arg(run.entries.size())
              .arg(s, 0, 'f', 2)
              .arg(s > 0 ? double(run.entries.size()) / s : 0, 0, 'f', 1)
              .arg(failed)
              .arg(run.breaches.size())
              .arg(outcomes.isEmpty() ? QString() : QStringLiteral(" (") + outcomes.join(QStringLiteral(", ")) + ')')
              .arg(run.busy < 0 ? QStringLiteral("?") : QStringLiteral("%1 %").arg(qRound(run.busy * 100))));
    for (qsizetype i = 0; i < std::min<qsizetype>(run.breaches.size(), 20); ++i)
        print(QStringLiteral("  BREACH: ") + run.breaches[i]);
    if (run.breaches.size() > 20)
        print(QStringLiteral("  ... and %1 more").arg(run.breaches.size() - 20));
}

void printTimes(const QList<Run>& runs)
{
    if (runs.isEmpty())
        return;
    // Each run: median and 95th percentile, and after the first run each beside the first's.
    QString head = QStringLiteral("time of an action, ms").leftJustified(24);
    for (qsizetype r = 0; r < runs.size(); ++r)
        head += workstations(runs[r].workstations).leftJustified(r == 0 ? 20 : 34);
    print(QString());
    print(head);
    QString sub = QString().leftJustified(24);
    for (qsizetype r = 0; r < runs.size(); ++r)
        sub += r == 0 ? QStringLiteral("  median     p95   ") : QStringLiteral("  median    x      p95    x     ");
    print(sub);
    // "-" where a run has no action of the kind
    const auto figure = [](int count, double value, int width, int decimals = 1) {
        return count > 0 ? number(value, width, decimals) : QStringLiteral("-").rightJustified(width);
    };
    const auto row = [&runs, &figure](const QString& name, const QList<Kind>& kinds) {
        QString line = name.leftJustified(24);
        const Times alone = timesOf(runs.first().entries, kinds);
        for (qsizetype r = 0; r < runs.size(); ++r) {
            const Times t = timesOf(runs[r].entries, kinds);
            const int both = std::min(t.count, alone.count);
            line += figure(t.count, t.median, 8);
            if (r > 0)
                line += figure(both, t.median / alone.median, 6, 2);
            line += figure(t.count, t.p95, 9);
            line += r > 0 ? figure(both, t.p95 / alone.p95, 6, 2) + QStringLiteral("    ") : QStringLiteral("   ");
        }
        print(line);
    };
    for (int k = 0; k < kindCount; ++k)
        row(kindName(Kind(k)), {Kind(k)});
    row(QStringLiteral("saves (new and changed)"), saves);
    QString rates = QStringLiteral("actions/s").leftJustified(24);
    for (qsizetype r = 0; r < runs.size(); ++r) {
        const double s = seconds(runs[r].entries);
        rates += number(s > 0 ? double(runs[r].entries.size()) / s : 0, 8).leftJustified(r == 0 ? 20 : 34);
    }
    print(rates);
    if (runs.size() > 1 && runs.first().workstations == 1) {
        const Times alone = timesOf(runs.first().entries, saves);
        for (qsizetype r = 1; r < runs.size(); ++r) {
            const Times t = timesOf(runs[r].entries, saves);
            print(QStringLiteral("a save's 95th percentile with %1 workstations: %2 ms, %3 times the median of one "
                                 "workstation alone (goal: under 5)")
                      .arg(runs[r].workstations)
                      .arg(t.p95, 0, 'f', 1)
                      .arg(alone.median > 0 ? t.p95 / alone.median : 0, 0, 'f', 2));
        }
    }
}

}  // namespace office
