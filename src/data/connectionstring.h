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
// nothing special, otherwise in braces with every "}" doubled, so that a
// password with ";", "}" or "=" cannot add or change attributes.
QString odbcValue(const QString& value);

// True when the value needs braces.
bool needsOdbcQuoting(const QString& value);

// "DRIVER={PostgreSQL UNICODE};DATABASE=...;SERVER=...;PORT=5432;UID=...;PWD=...;SSLmode=allow;" + driver options.
// The PostgreSQL driver takes braces off a password but not off a login, so a
// login that needs them travels as the connection option of the server
// library instead: UID stays empty and ";pqopt={user='...'}" is added.
QString buildConnectionString(const ConnectionParams& params);

// "DSN=name;UID=login;PWD=password" for a data source declared on the
// workstation; an empty login or password is left to the data source.
QString dsnConnectionString(const QString& dsn, const QString& login, const QString& password);

// The name Qt's ODBC driver is given for a connection string: the driver puts
// "DSN=" before any name that holds no "DRIVER=", "SERVER=" or ".dsn", so a
// data source's own "DSN=" is taken off first.
QString qtOdbcDatabaseName(const QString& connectionString);

// The built-in connection: configured server and database, the built-in account.
ConnectionParams defaultConnectionParams();
QString defaultConnectionString();

}  // namespace data
