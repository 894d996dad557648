#pragma once
// The ODBC connection string of the PostgreSQL driver.

#include <QString>

namespace data {

struct ConnectionParams {
    QString server;
    QString database;
    QString login;
    QString password;
};

// A value as ODBC wants it inside a connection string: as it is when it holds
// nothing special, otherwise in braces with every "}" doubled, so that a login
// or password with ";", "}" or "=" cannot add or change attributes.
QString odbcValue(const QString& value);

// "DRIVER={PostgreSQL UNICODE};DATABASE=...;SERVER=...;PORT=5432;UID=...;PWD=...;SSLmode=allow;" + driver options.
QString buildConnectionString(const ConnectionParams& params);

// The built-in connection: configured server and database, the built-in account.
ConnectionParams defaultConnectionParams();
QString defaultConnectionString();

}  // namespace data
