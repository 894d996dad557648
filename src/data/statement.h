#pragma once
// A statement text with named parameters (":data", ":ok"), run on the connection.

#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

namespace data {

class Connection;

// The statement with every ":name" placeholder replaced by "?", and the names
// in order of appearance. Quoted texts, quoted names and "::type" casts are
// left alone.
struct PositionalStatement {
    QString text;
    QStringList names;
};
PositionalStatement toPositional(const QString& statement);

// Named parameter values; names compare without regard to letter case.
class Parameters {
public:
    // Declares the parameters a statement names (values null until set).
    void declare(const QStringList& names);
    bool contains(const QString& name) const;
    // Throws when the statement has no such parameter.
    void set(const QString& name, const QVariant& value);
    QVariant value(const QString& name) const;
    QStringList names() const;

private:
    qsizetype indexOf(const QString& name) const;
    QList<QPair<QString, QVariant>> items_;
};

// What may be done with a statement that met a lost connection. Either way
// the connection is closed, so that the next statement opens it anew.
enum class WhenLost {
    Fail,        // report the error: the statement may have written
    RepeatRead,  // open the connection again and repeat a statement that only reads (readsOnly)
};

// Prepares and runs the statement, binding the named values. Throws DbError
// with the database's text and the statement when it fails.
QSqlQuery runStatement(Connection& connection, const QString& statement, const Parameters& params = {},
                       WhenLost whenLost = WhenLost::Fail);

// Runs one attempt of the statement, which gives the database's text when
// it fails and nothing when it succeeds. When it failed on a lost
// connection, the connection is closed and the attempt is made once more if
// `whenLost` and the statement allow it. Throws DbError with the text (and
// the note of a lost connection) when it fails for good.
void runRepeatable(Connection& connection, const QString& statement, WhenLost whenLost,
                   const std::function<QString()>& attempt);

// True for a select that calls only functions known to change nothing
// (count, round, to_date, ...): running it again changes nothing. A schema's
// function (accounts_dep.smena__accept_row_hwo) or any other may write, and a
// statement that may write is never repeated.
bool readsOnly(const QString& statement);

// Appended to the database's text when the connection was lost: by a
// statement (inside a transaction, nothing of it was saved), and by the
// commit (whether it was saved is not known).
QString lostConnectionNote(bool inTransaction);
QString lostAtCommitNote();

}  // namespace data
