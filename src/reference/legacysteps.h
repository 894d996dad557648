#pragma once
// The copy steps of the legacy import: which table of the previous database
// goes to which of ours, with which columns, and how each value is carried;
// and the statements of a step.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace reference {

// How a value of the previous database is written into ours.
enum class Carry {
    Whole,   // whole number; missing -> 0
    Float,   // floating-point number; missing -> 0
    Text,    // text; missing stays missing
    Moment,  // date, time or hours of a shift record; missing stays missing
};

struct ImportColumn {
    QString name;
    Carry carry;
};

struct CopyStep {
    QString source;  // table of the previous database, also the name on the progress line
    QString target;  // our table
    bool sorted;     // read in ascending id order
    bool fromMainConnection;  // read through the program's own connection
    QList<ImportColumn> columns;  // in the order they are copied

    // The ids are copied (every step but the nomenclature's).
    bool keepsIds() const { return !columns.isEmpty() && columns.first().name == QLatin1String("id"); }
};

// The seven steps, in the order they run.
const QList<CopyStep>& copySteps();

// The statement text of a value as the column's rule carries it: 0 for a
// missing number, null for a missing text or date. Throws
// fmt::ConversionError naming the value when it is not of the kind wanted:
// a text that is no number, a fraction for a whole number, a date that is no
// date.
QString importLiteral(const QVariant& value, Carry carry);

// "progress line": "OPER: 15 из 340 записей".
QString importProgressLine(const QString& source, int row, int rows);

namespace importstatements {

// "select id, vid from VID_OPER order by id ASC"; the previous database
// matches the names without regard to letter case. Dates and times are read
// as text.
QString sourceSelect(const CopyStep& step);
// "delete from accounts_dep.vid_oper where id>0": rows with id 0 or below stay.
QString emptyTarget(const CopyStep& step);
// One insert of many rows, each "(v1, v2, ...)".
QString insertRows(const CopyStep& step, const QStringList& tuples);
// The sequence that gives the table's ids (its own, or the one its id
// default draws from); null when there is none.
QString idSequence(const QString& table);
// The table a name stands for on a connection, told apart from any other
// server's, database's or table's: "oid|database|server start"; the oid is
// empty when there is no such table.
QString tableIdentity(const QString& table);
// Moves the sequence past the table's largest id; never back.
QString moveSequencePast(const QString& sequence, const QString& table);

}  // namespace importstatements

}  // namespace reference
