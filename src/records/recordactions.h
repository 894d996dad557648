#pragma once
// Deleting and accepting the current record of a shift dataset. What needs a
// person (the question before a deletion, the message of a refused
// acceptance) is left to the window: the functions ask their caller and
// report what happened.

#include <QDate>
#include <QString>
#include <functional>

#include "data/command.h"
#include "data/dataset.h"

namespace data {
class DataModule;
}

namespace records {

// "delete from accounts_dep.smena where id=N and ..." for a record that is not
// accepted in the database: the journal's copy of the row may be older.
QString deleteStatement(int id);

enum class Deletion {
    Refused,  // not asked or not confirmed: an empty shift, an accepted record, a row without id, "No"
    Deleted,  // the record is gone and its day cell holds the hours that remain
    Stale,    // accepted or deleted on another workstation meanwhile: nothing changed
};

// Deletes the current record of the shift dataset and sets the worker's day
// cell to the hours that remain, as one transaction, once `confirm` agrees;
// the shift is reloaded whatever the answer. An empty shift, an accepted
// record and a row without id are refused without asking.
Deletion deleteCurrentRecord(data::DataModule& dm, data::Dataset& shift, const std::function<bool()>& confirm);

enum class Acceptance {
    Refused,      // nothing to accept: an empty shift or an accepted record
    NoMaterials,  // the record's materials have not been entered
    Accepted,     // the database function accepted it
    Stale,        // deleted on another workstation since the journal read it: nothing changed
};

// The record's materials must have been entered; the database function
// accepts it; the shift is reloaded with its sort and row number (also when
// the record is found gone).
class RecordAcceptance {
public:
    explicit RecordAcceptance(data::DataModule& dm);
    Acceptance acceptCurrent(data::Dataset& shift);

    data::Dataset smena_gds_use_cnt;
    data::Command smena_accept_row;

private:
    data::Connection& connection_;
};

}  // namespace records
