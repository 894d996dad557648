#pragma once
// A previous database of the plant, made up, for the legacy import's tests,
// its benchmark and a demonstration: the seven tables in the shapes the old
// program had (capitalised column names, its field widths, missing values),
// written through an ODBC driver into a database file (SQLite) or, for the
// shift records the import reads from the program's own database, into a
// table of that database. And the ODBC files that declare the import's two
// data sources for one process.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace data {
class Connection;
}

namespace legacy {

struct Sizes {
    int kinds = 12;
    int products = 8;
    int nomenclature = 10;
    int operations = 30;
    int workers = 20;
    int timeSheetRows = 25;
    int shiftRecords = 120;
};

// The ids of the n-th row (from 0) of each table: from 1 up, as in any old
// database, most with gaps, so that a copy that renumbered them would show.
inline int kindId(int n) { return 1 + 3 * n; }
inline int productId(int n) { return 1 + 5 * n; }
inline int operationId(int n) { return 1 + 2 * n; }
inline int workerId(int n) { return 1 + n; }
inline int timeSheetId(int n) { return 1 + 2 * n; }
inline int shiftRecordId(int n) { return 1 + n; }

// The name of one worker, one product and one kind: quotes, a backslash, an
// ODBC escape, a parameter marker and a named parameter.
inline const QString awkwardName = QStringLiteral("О'Нил \\ ? {fn now()} :w_id");

struct Table {
    QString name;              // "WORKERS"
    QStringList columns;       // "id INTEGER", "FIO VARCHAR(50)", ...
    QList<QVariantList> rows;  // a null QVariant is a missing value
};

// H_TABEL, IZDEL, NOMENKL, OPER, VID_OPER, WORKERS, SMENA. Every table has
// missing values in some rows: a day cell, a weight, a price, an address, a
// quantity, a date; some quantities have a half piece. One worker, product and kind have names with quotes,
// backslashes and ODBC escapes in them.
QList<Table> makeTables(const Sizes& sizes = {});
const Table& table(const QList<Table>& tables, const QString& name);

// Creates the table under the name given (dropping one of that name first)
// and writes its rows, in one transaction.
void writeTable(data::Connection& connection, const Table& table, const QString& as);
inline void writeTable(data::Connection& connection, const Table& table) { writeTable(connection, table, table.name); }

// "DRIVER={SQLite3};Database=FILE": a database file through Debian's SQLite
// ODBC driver; the file is made when it is missing.
QString sqliteConnectionString(const QString& file);

struct DataSource {
    QString name;                 // "Tabel"
    QList<QPair<QString, QString>> settings;  // "Driver" = "SQLite3", "Database" = ...
};

// The SQLite file as a data source, and the program's database.
DataSource sqliteSource(const QString& name, const QString& file);
DataSource postgresSource(const QString& name, const QString& server, const QString& database,
                          const QString& password);

// Writes DIR/odbcinst.ini (the SQLite and PostgreSQL drivers) and DIR/odbc.ini
// (the data sources), and points this process's ODBC driver manager at them.
// The driver manager reads the place once, at the first connection of the
// process: call this before any connection is made.
void useOdbcFiles(const QString& dir, const QList<DataSource>& sources);

}  // namespace legacy
