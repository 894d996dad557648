#include "support/testdatabase.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QVariant>

#include "data/dberror.h"

namespace testing {

namespace {

QString env(const char* name, const char* fallback)
{
    const QString v = qEnvironmentVariable(name);
    return v.isEmpty() ? QString::fromUtf8(fallback) : v;
}

void run(const QString& connection, const QString& statement)
{
    QSqlQuery q(QSqlDatabase::database(connection));
    if (!q.exec(statement))
        throw data::DbError(q.lastError().text(), statement);
}

QString openAdmin(const QString& name, const QString& database)
{
    data::ConnectionParams p = data::defaultConnectionParams();
    p.server = TestDatabase::server();
    p.database = database;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name);
    db.setDatabaseName(data::buildConnectionString(p));
    if (!db.open())
        qFatal("test database: cannot connect to %s: %s", qPrintable(database), qPrintable(db.lastError().text()));
    return name;
}

}  // namespace

bool TestDatabase::withoutSheetKey() { return qEnvironmentVariableIntValue("TABEL_TEST_WITHOUT_SHEET_KEY") == 1; }

QString TestDatabase::server() { return env("TABEL_TEST_SERVER", "localhost"); }

QString TestDatabase::nameFor(const QString& suite)
{
    return QStringLiteral("t_%1_%2").arg(suite.toLower()).arg(QCoreApplication::applicationPid());
}

TestDatabase::TestDatabase(const QString& suite)
{
    name_ = nameFor(suite);
    const QString templ = env("TABEL_TEST_TEMPLATE", "tabel_template");
    const QString admin = openAdmin(QStringLiteral("test-admin"), QStringLiteral("postgres"));
    run(admin, QStringLiteral("drop database if exists %1 with (force)").arg(name_));
    run(admin, QStringLiteral("create database %1 template %2").arg(name_, templ));
    // A clone does not inherit the database's settings (search path, date
    // order, time zone): set them again before anyone connects.
    {
        const QString setup = openAdmin(QStringLiteral("test-setup"), name_);
        run(setup, QStringLiteral("select accounts_dep.apply_database_settings()"));
        if (withoutSheetKey())
            run(setup, QStringLiteral("alter table accounts_dep.h_tabel drop constraint h_tabel_cell_key"));
        QSqlDatabase::database(setup).close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("test-setup"));
    adminConnection_ = openAdmin(QStringLiteral("test-direct"), name_);
}

TestDatabase::~TestDatabase()
{
    {
        QSqlDatabase::database(adminConnection_).close();
    }
    QSqlDatabase::removeDatabase(adminConnection_);
    try {
        run(QStringLiteral("test-admin"), QStringLiteral("drop database if exists %1 with (force)").arg(name_));
    } catch (const std::exception& e) {
        qWarning("test database: %s", e.what());
    }
    {
        QSqlDatabase::database(QStringLiteral("test-admin")).close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("test-admin"));
}

data::ConnectionParams TestDatabase::params() const
{
    data::ConnectionParams p = data::defaultConnectionParams();
    p.server = server();
    p.database = name_;
    return p;
}

QString TestDatabase::connectionString() const { return data::buildConnectionString(params()); }

void TestDatabase::exec(const QString& statement) const { run(adminConnection_, statement); }

QVariant TestDatabase::scalar(const QString& statement) const
{
    QSqlQuery q(QSqlDatabase::database(adminConnection_));
    if (!q.exec(statement))
        throw data::DbError(q.lastError().text(), statement);
    return q.next() ? q.value(0) : QVariant();
}

void TestDatabase::endSession(int backendPid) const
{
    exec(QStringLiteral("select pg_terminate_backend(%1)").arg(backendPid));
    const QString gone = QStringLiteral("select count(*) from pg_stat_activity where pid=%1").arg(backendPid);
    for (int i = 0; i < 500 && scalar(gone).toInt() > 0; ++i)
        QThread::msleep(10);
    if (scalar(gone).toInt() > 0)
        qFatal("test database: session %d did not end", backendPid);
}

}  // namespace testing
