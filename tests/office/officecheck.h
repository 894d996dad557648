#pragma once
// What must hold after an office's workstations have ended: no action
// failed; every saved record is there with what a workstation wrote, every
// deleted one gone; an accepted record is as it was accepted; a refusal as
// accepted or deleted elsewhere was true; every time sheet cell of the month
// equals the hours of its records, one row per worker and shift; a divided
// record's parts add up to it.

#include <QList>
#include <QStringList>

#include "office/office.h"

namespace data {
class DataModule;
}

namespace office {

// Every breach found, one line each; empty when everything holds. `entries`
// are all the actions done on the database so far, of every run.
QStringList check(data::DataModule& dm, const Plan& plan, const QList<Entry>& entries);

// The statement that lists the month's time sheet breaches, one text each;
// of the workers given, or of all. Being one statement, it sees one moment
// of the database, so it also finds a breach while the workstations work:
// every save changes records and cells together.
QString sheetBreachesStatement(int month, int year, const QList<int>& workers = {});
// The time sheet breaches of the plan's workers now.
QStringList sheetBreaches(data::DataModule& dm, const Plan& plan);

}  // namespace office
