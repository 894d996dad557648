#pragma once
// Runs a select and reads its whole result in blocks of rows: the ODBC
// driver fills bound column arrays a block at a time, instead of one call
// per value, and the server's text of numbers, dates and texts is converted
// here. Every value has the type and null-ness QtSql's ODBC driver would
// give it, and the parameters are bound as it binds them.

#include <QList>
#include <QStringList>
#include <QVariant>
#include <optional>

#include "data/statement.h"

namespace data {

class Connection;

struct ResultRows {
    QStringList fields;
    QList<QList<QVariant>> rows;
};

// The text a parameter's value goes to the server as, the one QtSql's ODBC
// driver writes: whole numbers in decimal, doubles with 17 significant
// digits (%.17g), dates as ISO, texts as they are. None for a null (a null
// text and an invalid date count as nulls, as in QtSql).
std::optional<QString> parameterText(const QVariant& value);

// The fields and all rows of the statement run with the named values.
// Throws DbError with the database's text and the statement when it fails;
// a statement that met a lost connection is handled as runStatement does.
ResultRows selectRows(Connection& connection, const QString& statement, const Parameters& params = {},
                      WhenLost whenLost = WhenLost::Fail);

}  // namespace data
