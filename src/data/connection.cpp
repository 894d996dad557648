#include "data/connection.h"

#include <QMutex>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <sql.h>
#include <sqlext.h>

#include "data/connectionstring.h"
#include "data/dberror.h"
#include "data/statement.h"

namespace data {

void* odbcHandleIn(const QVariant& handle)
{
    if (!handle.isValid() || handle.metaType().sizeOf() != sizeof(SQLHANDLE))
        return SQL_NULL_HANDLE;
    return *static_cast<const SQLHANDLE*>(handle.constData());
}

Connection::Connection(const QString& connectionString, const QString& name)
    : name_(name), connectionString_(connectionString)
{
    // A second connection of the same name (another data module in a test or
    // a tool) gets a name of its own instead of replacing the first.
    static QMutex namesLock;
    QMutexLocker locker(&namesLock);
    for (int n = 2; QSqlDatabase::contains(name_); ++n)
        name_ = name + QLatin1Char('#') + QString::number(n);
    QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name_);
}

Connection::~Connection()
{
    {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(name_);
}

void Connection::open()
{
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    if (db.isOpen())
        return;
    db.setDatabaseName(qtOdbcDatabaseName(connectionString_));
    db.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    if (!db.open()) {
        const QSqlError e = db.lastError();
        throw DbError(e.databaseText().isEmpty() ? e.text() : e.databaseText());
    }
}

void Connection::close()
{
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    if (db.isOpen())
        db.close();
    transactionDepth_ = 0;
    undone_ = false;
}

bool Connection::isOpen() const
{
    return QSqlDatabase::database(name_, false).isOpen();
}

namespace {

DbError undoneTransaction(const QString& statement)
{
    return DbError(QStringLiteral("Транзакция отменена: изменения не сохранены"), statement);
}

}  // namespace

QSqlDatabase Connection::database()
{
    if (undone_)
        throw undoneTransaction({});
    open();
    return QSqlDatabase::database(name_, false);
}

namespace {

SQLHANDLE handleOf(const QSqlDatabase& db)
{
    return odbcHandleIn(db.driver()->handle());
}

// The ODBC driver knows after a failed exchange with the server that the
// connection is gone (SQL_ATTR_CONNECTION_DEAD).
bool connectionDead(const QSqlDatabase& db)
{
    SQLHANDLE hdbc = handleOf(db);
    if (hdbc == SQL_NULL_HANDLE)
        return false;
    SQLUINTEGER dead = SQL_CD_FALSE;
    const SQLRETURN r = SQLGetConnectAttr(hdbc, SQL_ATTR_CONNECTION_DEAD, &dead, sizeof dead, nullptr);
    return SQL_SUCCEEDED(r) && dead == SQL_CD_TRUE;
}

}  // namespace

void* Connection::odbcHandle()
{
    SQLHANDLE hdbc = handleOf(database());
    if (hdbc == SQL_NULL_HANDLE)
        throw DbError(QStringLiteral("Соединение с БД не открыто драйвером ODBC"));
    return hdbc;
}

bool Connection::dropIfLost()
{
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    if (!db.isOpen() || !connectionDead(db))
        return false;
    db.close();
    undone_ = transactionDepth_ > 0;
    return true;
}

void Connection::begin()
{
    if (transactionDepth_ > 0) {
        if (undone_)
            throw undoneTransaction(QStringLiteral("begin"));
        ++transactionDepth_;
        return;
    }
    QSqlDatabase db = database();
    transactionDepth_ = 1;
    logStatement(QStringLiteral("begin"));
    if (!db.transaction()) {
        transactionDepth_ = 0;
        const QString text = db.lastError().text();
        dropIfLost();
        throw DbError(text, QStringLiteral("begin"));
    }
}

void Connection::commit()
{
    // An undone transaction (or none) here means the caller must not believe
    // its work was saved.
    if (transactionDepth_ == 0)
        throw undoneTransaction(QStringLiteral("commit"));
    --transactionDepth_;
    if (undone_) {
        undone_ = transactionDepth_ > 0;
        throw undoneTransaction(QStringLiteral("commit"));
    }
    if (transactionDepth_ > 0)
        return;
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    logStatement(QStringLiteral("commit"));
    if (!db.commit()) {
        const QString text = db.lastError().text();
        if (dropIfLost())  // the server may have committed before the reply was lost
            throw DbError(text + QLatin1Char('\n') + lostAtCommitNote(), QStringLiteral("commit"));
        db.rollback();
        throw DbError(text, QStringLiteral("commit"));
    }
}

void Connection::rollback()
{
    if (transactionDepth_ == 0)
        return;
    if (!undone_) {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        if (db.isOpen()) {
            logStatement(QStringLiteral("rollback"));
            db.rollback();
        }
    }
    --transactionDepth_;
    undone_ = transactionDepth_ > 0;
}

Transaction::Transaction(Connection& connection) : connection_(connection) { connection_.begin(); }

Transaction::~Transaction()
{
    if (!done_)
        connection_.rollback();
}

void Transaction::commit()
{
    done_ = true;
    connection_.commit();
}

}  // namespace data
