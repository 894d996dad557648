// tabel-legacy-source FILE [DATABASE]
//
// Writes a made-up previous database into the SQLite file FILE through the
// workstation's SQLite ODBC driver ("SQLite3"): the tables H_TABEL, IZDEL,
// NOMENKL, OPER, VID_OPER, WORKERS and SMENA. With DATABASE, its shift
// records also go to the table public.smena of that database on the
// built-in server and account, which is where the import reads them from
// (the unqualified name "smena" of the program's connection). Declare FILE as
// the data source "Tabel" and the database as "Tabel_PgSQL" to import it.

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "data/connection.h"
#include "data/connectionstring.h"
#include "tools/legacysource/legacysource.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: tabel-legacy-source FILE [DATABASE]\n");
        return 2;
    }
    try {
        const QList<legacy::Table> tables = legacy::makeTables();
        QFile::remove(args[1]);
        data::Connection file(legacy::sqliteConnectionString(args[1]), QStringLiteral("legacy"));
        for (const legacy::Table& t : tables)
            legacy::writeTable(file, t);
        if (args.size() == 3) {
            data::ConnectionParams params = data::defaultConnectionParams();
            params.database = args[2];
            data::Connection database(data::buildConnectionString(params), QStringLiteral("target"));
            legacy::writeTable(database, legacy::table(tables, QStringLiteral("SMENA")), QStringLiteral("public.smena"));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tabel-legacy-source: %s\n", e.what());
        return 1;
    }
    return 0;
}
