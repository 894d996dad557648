#pragma once
// A statement text with named parameters (":data", ":ok"), run on the connection.

#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

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

// Prepares and runs the statement, binding the named values. Throws DbError
// with the database's text and the statement when it fails.
QSqlQuery runStatement(Connection& connection, const QString& statement, const Parameters& params = {},
                       bool forwardOnly = true);

}  // namespace data
