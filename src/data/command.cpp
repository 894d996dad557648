#include "data/command.h"

#include "data/connection.h"

namespace data {

Command::Command(Connection& connection, QString name, QString statement)
    : connection_(connection), name_(std::move(name))
{
    setStatement(statement);
}

void Command::setStatement(const QString& statement)
{
    statement_ = statement;
    params_.declare(toPositional(statement).names);
}

int Command::execute()
{
    QSqlQuery q = runStatement(connection_, statement_, params_);
    return q.numRowsAffected();
}

}  // namespace data
