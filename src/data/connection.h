#pragma once
// The program's one database connection (ADO_DB).

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

namespace data {

// The ODBC handle that QtSql's driver holds in a handle() value (of a
// connection or of a query); null when it holds none.
void* odbcHandleIn(const QVariant& handle);

// A statement as it went to the server: the text with "?" for each
// parameter, and the values in order. Transactions appear as "begin",
// "commit" and "rollback".
struct SentStatement {
    QString text;
    QList<QVariant> values;
};

class Connection {
public:
    explicit Connection(const QString& connectionString, const QString& name = QStringLiteral("ADO_DB"));
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const QString& name() const { return name_; }
    QString connectionString() const { return connectionString_; }
    // Takes effect at the next opening.
    void setConnectionString(const QString& text) { connectionString_ = text; }

    // Throws DbError with the driver's text when the server cannot be reached.
    void open();
    void close();
    bool isOpen() const;

    // The open connection; opened first with the settings it holds when
    // closed. Throws DbError inside a transaction that has been undone.
    QSqlDatabase database();
    // The same connection's ODBC handle (SQLHDBC), for statements run below QtSql.
    void* odbcHandle();

    // After a failed statement: when the driver reports the connection dead
    // (the server ended it, the network broke), closes it, so that the next
    // use opens it anew with the settings it holds. A transaction that was
    // open is lost with it: until its scopes have ended, every statement is
    // refused, so that the rest of the action cannot be written on its own.
    // True when it was dead.
    bool dropIfLost();

    // Groups the statements of one user action: all take effect or none does.
    // Scopes nest; when an inner one rolls back, the whole transaction is
    // undone and the outer scopes can neither run statements nor commit.
    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return transactionDepth_ > 0; }

    // While set, every statement run on the connection is appended to the
    // list (the benchmarks replay them on a plain client); null stops it.
    void setStatementLog(QList<SentStatement>* log) { log_ = log; }
    void logStatement(const QString& text, const QList<QVariant>& values = {})
    {
        if (log_)
            log_->append({text, values});
    }

private:
    QString name_;
    QString connectionString_;
    int transactionDepth_ = 0;
    bool undone_ = false;  // the transaction of the open scopes has been undone
    QList<SentStatement>* log_ = nullptr;
};

// Begins a transaction and rolls it back unless commit() was called, so that an
// error in the middle of a user action leaves nothing half-written. Nested
// scopes join the outer one.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Connection& connection_;
    bool done_ = false;
};

}  // namespace data
