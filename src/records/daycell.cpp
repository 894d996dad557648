#include "records/daycell.h"

#include "core/textformat.h"
#include "data/datamodule.h"

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

QString cellUpsertStatement(const DayCell& c, int hours)
{
    const int day = c.date.day();
    return QStringLiteral("insert into accounts_dep.h_tabel(smena, w_id, month, year, d%1) values(%2, %3, %4, %5, %6) "
                          "on conflict (w_id, smena, month, year) do update set d%1=excluded.d%1")
        .arg(day)
        .arg(c.shift)
        .arg(c.worker)
        .arg(c.date.month())
        .arg(c.date.year())
        .arg(hours);
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

int dayHours(data::DataModule& dm, const DayCell& cell)
{
    const QVariant v = dm.scalar(dayHoursStatement(cell));
    return data::variantInteger(v, QStringLiteral("tim"));
}

void writeCell(data::DataModule& dm, const DayCell& cell)
{
    const int hours = dayHours(dm, cell);
    dm.H_Tabel_ins.setStatement(cellUpsertStatement(cell, hours));
    dm.H_Tabel_ins.execute();
}

void updateCell(data::DataModule& dm, const DayCell& cell)
{
    const int hours = dayHours(dm, cell);
    dm.H_Tabel_ins.setStatement(cellUpdateStatement(cell, hours));
    dm.H_Tabel_ins.execute();
}

}  // namespace records::timesheet
