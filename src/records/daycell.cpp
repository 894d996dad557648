#include "records/daycell.h"

#include <algorithm>

#include "core/textformat.h"
#include "data/datamodule.h"
#include "records/monthrebuild.h"

namespace records::timesheet {

namespace {

QString keyCondition(const DayCell& c)
{
    return QStringLiteral(" where w_id=%1 and smena=%2 and month=%3 and year=%4")
        .arg(c.worker)
        .arg(c.shift)
        .arg(c.date.month())
        .arg(c.date.year());
}

}  // namespace

QString dayHoursStatement(const DayCell& c)
{
    return QStringLiteral("select sum(time) as tim from accounts_dep.smena where w_id=%1 and smena=%2 and "
                          "data=to_date('%3', 'DD.MM.YYYY') group by w_id, smena, data")
        .arg(c.worker)
        .arg(c.shift)
        .arg(fmt::dateText(c.date));
}

QString rowCountStatement(const DayCell& c)
{
    return QStringLiteral("select count(w_id) as cnt from accounts_dep.h_tabel") + keyCondition(c);
}

QString cellInsertStatement(const DayCell& c, int hours)
{
    return QStringLiteral("insert into accounts_dep.h_tabel(smena, w_id, month, year, d%1) values(%2, %3, %4, %5, %6)")
        .arg(c.date.day())
        .arg(c.shift)
        .arg(c.worker)
        .arg(c.date.month())
        .arg(c.date.year())
        .arg(hours);
}

QString rowDeleteStatement(const DayCell& c)
{
    return QStringLiteral("delete from accounts_dep.h_tabel") + keyCondition(c);
}

QString rowFillStatement(const DayCell& c)
{
    return monthFillStatement(c.date.month(), c.date.year(),
                              QStringLiteral(" and w_id=%1 and smena=%2").arg(c.worker).arg(c.shift));
}

QString cellUpdateStatement(const DayCell& c, int hours)
{
    return QStringLiteral("update accounts_dep.h_tabel set d%1=%2").arg(c.date.day()).arg(hours) + keyCondition(c);
}

QString workerLockStatement(int worker)
{
    return QStringLiteral("select pg_advisory_xact_lock_shared(%1, %2), pg_advisory_xact_lock(%3, %4)")
        .arg(sheetLockKey)
        .arg(sheetLockSubkey)
        .arg(workerLockKey)
        .arg(worker);
}

void lockWorker(data::DataModule& dm, int worker)
{
    dm.scalar(workerLockStatement(worker));
}

void lockWorkers(data::DataModule& dm, QList<int> workers)
{
    std::sort(workers.begin(), workers.end());
    workers.erase(std::unique(workers.begin(), workers.end()), workers.end());
    for (const int worker : workers)
        lockWorker(dm, worker);
}

int dayHours(data::DataModule& dm, const DayCell& cell)
{
    const QVariant v = dm.scalar(dayHoursStatement(cell));
    return data::variantInteger(v, QStringLiteral("tim"));
}

namespace {

void execute(data::DataModule& dm, const QString& statement)
{
    dm.H_Tabel_ins.setStatement(statement);
    dm.H_Tabel_ins.execute();
}

enum class MissingRow { Insert, Leave };

void setCell(data::DataModule& dm, const DayCell& cell, MissingRow missing)
{
    const int rows = dm.count(rowCountStatement(cell));
    if (rows > 1) {
        execute(dm, rowDeleteStatement(cell));
        execute(dm, rowFillStatement(cell));
        return;
    }
    const int hours = dayHours(dm, cell);
    if (rows == 1)
        execute(dm, cellUpdateStatement(cell, hours));
    else if (missing == MissingRow::Insert)
        execute(dm, cellInsertStatement(cell, hours));
}

}  // namespace

void writeCell(data::DataModule& dm, const DayCell& cell)
{
    setCell(dm, cell, MissingRow::Insert);
}

void updateCell(data::DataModule& dm, const DayCell& cell)
{
    setCell(dm, cell, MissingRow::Leave);
}

}  // namespace records::timesheet
