#pragma once
// The program's one database connection (ADO_DB).

#include <QSqlDatabase>
#include <QString>

namespace data {

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

private:
    QString name_;
    QString connectionString_;
    int transactionDepth_ = 0;
    bool undone_ = false;  // the transaction of the open scopes has been undone
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
