#pragma once
// The time sheet's maintenance rule for one day cell: the cell dN of the row
// (worker, shift, month, year) of accounts_dep.h_tabel holds the sum of the
// hours of that worker's records of that shift and date.
//
// Writers call these inside one transaction with the change of the shift
// records, after lockWorker(), so that two workstations changing records of
// the same worker at the same moment are taken one after the other and the
// cell ends up as the sum of both. lockWorker() also holds the time sheet's
// lock shared, which keeps a month rebuild (records/monthrebuild.h) out.
//
// The locks are always taken in one order, so that no two workstations wait
// on each other: first the row of the one stored record the action changes
// (records::lockStoredRecord), which fixes the worker it counts for; then the
// workers' locks, in ascending order; then the time sheet's rows.

#include <QDate>
#include <QList>
#include <QString>

namespace data {
class DataModule;
}

namespace records {

struct DayCell {
    int worker = 0;  // worker code (w_id)
    int shift = 0;   // 1..4
    QDate date;
    bool operator==(const DayCell&) const = default;
};

namespace timesheet {

// The program's advisory locks (pg_advisory_xact_lock): the first key names
// the kind, the second the worker, or 0 for the whole time sheet.
constexpr int workerLockKey = 7001;
constexpr int sheetLockKey = 7002;
constexpr int sheetLockSubkey = 0;

// "select sum(time) as tim from accounts_dep.smena where w_id=... and smena=... and data=to_date('dd.MM.yyyy', 'DD.MM.YYYY') group by w_id, smena, data"
QString dayHoursStatement(const DayCell& cell);
// "select count(w_id) as cnt from accounts_dep.h_tabel where w_id=... and smena=... and month=... and year=..."
QString rowCountStatement(const DayCell& cell);
// Inserts the worker's row of the month with the one cell set.
QString cellInsertStatement(const DayCell& cell, int hours);
// Sets the cell of the existing row (of every row of the key, when there are several).
QString cellUpdateStatement(const DayCell& cell, int hours);
// Removes the rows of the worker, shift and month; with rowFillStatement, the
// rows are replaced by one computed from the shift records.
QString rowDeleteStatement(const DayCell& cell);
QString rowFillStatement(const DayCell& cell);
// Waits for (and holds to the end of the transaction) the worker's time sheet lock.
QString workerLockStatement(int worker);

// Takes the worker's lock; only meaningful inside a transaction.
void lockWorker(data::DataModule& dm, int worker);
// Takes the locks of several workers (each once), always in the same order,
// so that two writers cannot wait on each other.
void lockWorkers(data::DataModule& dm, QList<int> workers);
// The day's hours of the worker and shift (0 when there is no record).
int dayHours(data::DataModule& dm, const DayCell& cell);

// The rows of a worker, shift and month are counted first, and the cell of the
// one row set or a row inserted: no unique key of the table is needed, since
// the worker's lock keeps other writers of the worker's cells waiting. A
// worker's month that already has several rows (written by copies of the
// program without that lock, or by hand) is folded into one row, all its
// cells computed from the shift records, so that the reports do not count the
// worker twice.

// Sets the cell to the day's hours, creating the row when there is none.
void writeCell(data::DataModule& dm, const DayCell& cell);
// Sets the cell of an existing row to the day's hours (a deletion: no row is created).
void updateCell(data::DataModule& dm, const DayCell& cell);

}  // namespace timesheet
}  // namespace records
