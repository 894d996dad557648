#pragma once
// Deleting and accepting the current record of the current shift.

#include <QDate>
#include <QString>

#include "data/command.h"
#include "data/dataset.h"

namespace data {
class DataModule;
}

namespace journal {

QString deleteStatement(int id);

// "Удалить": after the question, deletes the current record of the shift
// dataset and sets the worker's day cell to the hours that remain, as one
// transaction. Accepted records and an empty shift are refused silently.
// Returns true when a record was deleted.
bool deleteCurrentRecord(data::DataModule& dm, data::Dataset& shift, int currentShift);

// "Принять": the record's materials must have been entered; the database
// function accepts it; the shift is reloaded with its sort and row number.
class RecordAcceptance {
public:
    explicit RecordAcceptance(data::DataModule& dm);
    // Returns true when the function was called.
    bool acceptCurrent(data::Dataset& shift);

    data::Dataset smena_gds_use_cnt;
    data::Command smena_accept_row;
};

}  // namespace journal
