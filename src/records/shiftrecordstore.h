#pragma once
// Writing a shift record and its time sheet day cell: the statements, and the
// save itself as one transaction (the record and the cell change together or
// not at all).

#include <QDate>
#include <QString>
#include <optional>

#include "core/textformat.h"
#include "records/daycell.h"

namespace data {
class DataModule;
}

namespace records {

// The values of a record as they are written. Numbers are already read from
// the fields (a text that is no number never reaches a statement).
struct ShiftRecordValues {
    int worker = 0;          // w_id
    int product = 0;         // i_id
    int operation = 0;       // o_id
    double price = 0;        // cena, rounded to 4 decimals
    double quantity = 0;     // kol_vo
    int rejects = 0;         // brak
    QDate date;              // data
    int shift = 1;           // smena
    int hours = 0;           // time
    qint64 requisition = 0;  // id_doc, 0 = none
    qint64 line = 0;         // id_doc_item, 0 = none
};

// "insert into accounts_dep.SMENA(...) values(...) returning id"
QString insertStatement(const ShiftRecordValues& v, const QDate& today);
// "update accounts_dep.SMENA set ... where id=... and ..." for a record that is
// not accepted in the database.
QString updateStatement(const ShiftRecordValues& v, int id, const QDate& today);

// " and ok is distinct from 'ok'": a record accepted on another workstation
// since the journal read it is neither changed nor deleted.
QString notAcceptedCondition();

// A change or deletion found the record accepted or deleted on another
// workstation since the journal read it; nothing was written.
QString staleRecordText();
class StaleRecord : public fmt::AppError {
public:
    StaleRecord();
};

// Inserts (id 0) or updates the record and brings the day cells up to date:
// the cell the record is in now, and the cell it left when its worker, shift
// or date changed. Returns the record's id. Throws StaleRecord when the record
// to update is accepted or gone.
int saveShiftRecord(data::DataModule& dm, const ShiftRecordValues& v, int id, const QDate& today);

// Where a stored record's hours are counted now; nothing when there is no such record.
std::optional<DayCell> storedCell(data::DataModule& dm, int id);

}  // namespace records
