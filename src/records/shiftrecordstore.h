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
class Connection;
class DataModule;
}  // namespace data

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
// or date changed (as stored, whatever the journal's copy says). Returns the
// record's id. Throws StaleRecord when the record to update is accepted or gone.
int saveShiftRecord(data::DataModule& dm, const ShiftRecordValues& v, int id, const QDate& today);

// A stored record as another workstation may have left it: where its hours
// are counted now and whether it is accepted.
struct StoredRecord {
    DayCell cell;
    bool accepted = false;
};

// How lockStoredRecord holds the record's row to the end of the transaction:
// as its update does (Change) or its deletion (Deletion), which no other
// change, acceptance or deletion passes; or shared (Reference), for writing
// rows that refer to the record, which other writers of such rows pass.
enum class RowLock { Change, Deletion, Reference };

// "select w_id, smena, data, ok from accounts_dep.smena where id=N for no key update"
QString storedRecordStatement(int id, RowLock lock);

// Reads the record and holds its row until the transaction ends, so that no
// other workstation moves, accepts or deletes it meanwhile; nothing when
// there is no such record. Waits while another workstation's transaction holds it.
std::optional<StoredRecord> lockStoredRecord(data::Connection& connection, int id, RowLock lock);

}  // namespace records
