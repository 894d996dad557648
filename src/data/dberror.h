#pragma once
#include "core/textformat.h"

namespace data {

// A statement that failed: the database's own text, and the statement that was sent.
class DbError : public fmt::AppError {
public:
    DbError(QString databaseText, QString statement = {})
        : AppError(databaseText), databaseText_(std::move(databaseText)), statement_(std::move(statement))
    {
    }
    const QString& databaseText() const { return databaseText_; }
    const QString& statement() const { return statement_; }

private:
    QString databaseText_;
    QString statement_;
};

}  // namespace data
