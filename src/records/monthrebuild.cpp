#include "records/monthrebuild.h"

#include <QDate>

#include "core/textformat.h"
#include "data/connection.h"
#include "data/datamodule.h"
#include "records/daycell.h"

namespace records::timesheet {

QString sheetLockStatement()
{
    return QStringLiteral("select pg_advisory_xact_lock(%1, %2)").arg(sheetLockKey).arg(sheetLockSubkey);
}

QString sheetTableLockStatement()
{
    return QStringLiteral("lock table accounts_dep.h_tabel in share row exclusive mode");
}

QString monthDeleteStatement(int month, int year)
{
    return QStringLiteral("delete from accounts_dep.h_tabel where month=%1 and year=%2").arg(month).arg(year);
}

QString monthFillStatement(int month, int year, const QString& records)
{
    QString columns, sums;
    for (int day = 1; day <= 31; ++day) {
        columns += QStringLiteral(", d%1").arg(day);
        sums += QStringLiteral(", coalesce(sum(time) filter (where extract(day from data)=%1), 0)::integer").arg(day);
    }
    const QDate first(year, month, 1);
    return QStringLiteral("insert into accounts_dep.h_tabel(smena, w_id, month, year") + columns +
           QStringLiteral(") select smena, w_id, %1, %2").arg(month).arg(year) + sums +
           QStringLiteral(
               " from accounts_dep.smena where data >= to_date('%1', 'DD.MM.YYYY') and "
               "data < to_date('%2', 'DD.MM.YYYY') and w_id is not null and smena is not null")
               .arg(fmt::dateText(first), fmt::dateText(first.addMonths(1))) +
           records + QStringLiteral(" group by smena, w_id");
}

void rebuildMonth(data::DataModule& dm, int month, int year, const RebuildProgress& progress)
{
    constexpr int steps = 3;
    const auto report = [&progress](int done) {
        if (progress)
            progress(done, steps);
    };
    report(0);
    data::Transaction transaction(dm.ADO_DB);
    // The advisory lock first: a writer holding it shared may still have to
    // write the table, so taking the table lock first could wait on each other.
    dm.scalar(sheetLockStatement());
    dm.DelSmena.setStatement(sheetTableLockStatement());
    dm.DelSmena.execute();
    report(1);
    dm.DelSmena.setStatement(monthDeleteStatement(month, year));
    dm.DelSmena.execute();
    report(2);
    dm.H_Tabel_ins.setStatement(monthFillStatement(month, year));
    dm.H_Tabel_ins.execute();
    transaction.commit();
    report(3);
}

}  // namespace records::timesheet
