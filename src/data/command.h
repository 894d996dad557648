#pragma once
// A statement that is run and reads nothing back.

#include <QString>
#include <QVariant>

#include "data/statement.h"

namespace data {

class Connection;

class Command {
public:
    Command(Connection& connection, QString name, QString statement = {});
    const QString& name() const { return name_; }
    void setStatement(const QString& statement);
    const QString& statement() const { return statement_; }
    Parameters& params() { return params_; }
    void setParam(const QString& name, const QVariant& value) { params_.set(name, value); }
    // Runs the statement; throws DbError. Returns the number of rows affected.
    int execute();

private:
    Connection& connection_;
    QString name_;
    QString statement_;
    Parameters params_;
};

}  // namespace data
