#pragma once
// Rebuilding one month of the time sheet from the shift records: afterwards
// every day cell of every worker and shift holds the sum of the hours of that
// worker's records of that shift and day, and only the worker/shift pairs
// with records in the month have a row.
//
// The database does the work in a few statements for the whole month, in one
// transaction, so the month is either rebuilt completely or left as it was.
// The rebuild takes the time sheet's lock exclusively: writers of day cells
// hold it shared (records/daycell.h), so a record saved on another
// workstation meanwhile is counted once, before or after the rebuild.

#include <QString>
#include <functional>

namespace data {
class DataModule;
}

namespace records::timesheet {

// Waits for (and holds to the end of the transaction) the time sheet lock,
// exclusively: no writer of day cells is inside a transaction meanwhile.
QString sheetLockStatement();
// Keeps other programs' writes of the time sheet out until the end of the
// transaction (readers go on).
QString sheetTableLockStatement();
// "delete from accounts_dep.h_tabel where month=M and year=Y": every shift, 4 included.
QString monthDeleteStatement(int month, int year);
// One row per worker and shift with records in the month, its 31 cells the
// sums of the hours of each day; `records` narrows the shift records read
// (" and w_id=17 and smena=2").
QString monthFillStatement(int month, int year, const QString& records = {});

// Steps of the rebuild, for a progress display: called with 0 before the
// first statement and with each step done, up to `steps`.
using RebuildProgress = std::function<void(int done, int steps)>;

// Rebuilds month (1..12) of year. Throws DbError; then nothing has changed.
void rebuildMonth(data::DataModule& dm, int month, int year, const RebuildProgress& progress = {});

}  // namespace records::timesheet
