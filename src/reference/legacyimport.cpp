#include "reference/legacyimport.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <optional>

#include "config.h"
#include "core/finally.h"
#include "data/connection.h"
#include "data/connectionstring.h"
#include "data/dberror.h"
#include "data/statement.h"
#include "reference/legacysteps.h"

namespace reference {

namespace {

// Windows repaint and timers run between batches. What the user types or
// clicks waits for the end of the import: a record saved meanwhile would wait
// for the rows the import's open transaction holds, and the import for it.
void keepResponsive() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

// Where a step stopped, for the error box: the step, the table and the row.
class StepFailure {
public:
    StepFailure(int number, const CopyStep& step) : number_(number), step_(step) {}

    QString row(int n, const QString& id) const
    {
        return id.isEmpty() ? QStringLiteral(", запись %1").arg(n) : QStringLiteral(", запись %1 (id %2)").arg(n).arg(id);
    }

    // "Импорт остановлен на шаге 4 из 7 (OPER → accounts_dep.oper), запись 15 (id 123): ..."
    QString text(const QString& where, const QString& detail) const
    {
        return QStringLiteral("Импорт остановлен на шаге %1 из %2 (%3 → %4)%5%6\nТаблица %4 не изменена, "
                              "таблицы следующих шагов не тронуты.")
            .arg(number_)
            .arg(copySteps().size())
            .arg(step_.source, step_.target, where, detail);
    }

    [[noreturn]] void database(const QString& where, const QString& what, const data::DbError& e) const
    {
        throw data::DbError(text(where, what + QLatin1Char('\n') + e.databaseText()), e.statement());
    }

private:
    int number_;
    const CopyStep& step_;
};

struct SourceRows {
    QStringList tuples;  // "(v1, v2, ...)" in the order read
    QStringList ids;     // the id of each row, for messages (empty when ids are not copied)
};

// Reads the whole source before anything is written, so that a value that
// cannot be carried stops the step while its target is untouched.
SourceRows readSource(data::Connection& source, const CopyStep& step, int batchRows, const StepFailure& failure)
{
    QSqlQuery query;
    try {
        query = data::runStatement(source, importstatements::sourceSelect(step));
    } catch (const data::DbError& e) {
        failure.database(QString(), QStringLiteral(": таблица не прочитана."), e);
    }
    SourceRows rows;
    const bool ids = step.keepsIds();
    while (query.next()) {
        if (rows.tuples.size() % batchRows == 0)
            keepResponsive();
        QString tuple = QStringLiteral("(");
        for (int c = 0; c < step.columns.size(); ++c) {
            if (c > 0)
                tuple += QStringLiteral(", ");
            try {
                tuple += importLiteral(query.value(c), step.columns[c].carry);
            } catch (const fmt::ConversionError& e) {
                throw fmt::ConversionError(failure.text(
                    failure.row(int(rows.tuples.size()) + 1, ids ? query.value(0).toString() : QString()),
                    QStringLiteral(", поле %1: %2.").arg(step.columns[c].name, e.text())));
            }
        }
        tuple += QLatin1Char(')');
        rows.tuples.append(tuple);
        if (ids)
            rows.ids.append(query.value(0).toString());
    }
    // A read that broke off is no end of the table.
    if (query.lastError().isValid())
        failure.database(QString(), QStringLiteral(": таблица прочитана не до конца."),
                         data::DbError(query.lastError().text(), importstatements::sourceSelect(step)));
    return rows;
}

QString scalarText(data::Connection& connection, const QString& statement)
{
    QSqlQuery query = data::runStatement(connection, statement);
    return query.next() ? query.value(0).toString() : QString();
}

// The shift records are read through the program's own connection. When the
// name there stands for the very table the step refills, the step would
// empty the records and write back only the columns it copies: refused.
void refuseCopyOntoItself(data::Connection& source, data::Connection& target, const CopyStep& step,
                          const StepFailure& failure)
{
    try {
        const QString from = scalarText(source, importstatements::tableIdentity(step.source));
        if (!from.startsWith(QLatin1Char('|')) && from == scalarText(target, importstatements::tableIdentity(step.target)))
            throw fmt::AppError(failure.text(
                QString(), QStringLiteral(": на соединении программы имя %1 означает саму таблицу %2, а не записи "
                                          "прежней базы.")
                               .arg(step.source, step.target)));
    } catch (const data::DbError& e) {
        failure.database(QString(), QStringLiteral(": таблица не прочитана."), e);
    }
}

QString connectionFailure(const QString& dsn, const data::DbError& e)
{
    return QStringLiteral("Импорт не начат: нет соединения с источником данных «%1».\n%2").arg(dsn, e.databaseText());
}

// A connection of its own for each run, so that one lost since the last run
// does not stop this one.
data::Connection& connect(std::unique_ptr<data::Connection>& connection, const QString& name,
                          const QString& connectionString, const QString& dsn)
{
    connection.reset();
    connection = std::make_unique<data::Connection>(connectionString, name);
    try {
        connection->open();
    } catch (const data::DbError& e) {
        throw data::DbError(connectionFailure(dsn, e));
    }
    return *connection;
}

}  // namespace

ImportSources configuredImportSources()
{
    return {QString::fromUtf8(config::legacyDsn), QString::fromUtf8(config::legacyPassword),
            QString::fromUtf8(config::importDsn), QString::fromUtf8(config::importLogin)};
}

LegacyImport::LegacyImport(ImportSources sources) : sources_(std::move(sources)) {}

LegacyImport::~LegacyImport() = default;

void LegacyImport::setSources(const ImportSources& sources)
{
    sources_ = sources;
    legacy_.reset();
    target_.reset();
}

void LegacyImport::run(data::Connection& mainConnection, const Progress& progress)
{
    if (running_)
        return;
    running_ = true;
    core::Finally done([this] { running_ = false; });

    data::Connection& legacy = connect(legacy_, QStringLiteral("MSA"),
                                       data::dsnConnectionString(sources_.legacyDsn, {}, sources_.legacyPassword),
                                       sources_.legacyDsn);
    connect(target_, QStringLiteral("PGSQL"), data::dsnConnectionString(sources_.targetDsn, sources_.targetLogin, {}),
            sources_.targetDsn);
    int number = 0;
    for (const CopyStep& step : copySteps())
        copy(++number, step, step.fromMainConnection ? mainConnection : legacy, progress);
}

void LegacyImport::copy(int stepNumber, const CopyStep& step, data::Connection& source, const Progress& progress)
{
    const StepFailure failure(stepNumber, step);
    data::Connection& target = *target_;
    if (step.fromMainConnection)
        refuseCopyOntoItself(source, target, step, failure);
    const SourceRows rows = readSource(source, step, batchRows_, failure);
    const int total = int(rows.tuples.size());

    std::optional<data::Transaction> transaction;
    try {
        transaction.emplace(target);
        data::runStatement(target, importstatements::emptyTarget(step));
    } catch (const data::DbError& e) {
        failure.database(QString(), QStringLiteral(": таблица не очищена."), e);
    }
    for (int from = 0; from < total; from += batchRows_) {
        const int count = std::min(batchRows_, total - from);
        try {
            data::runStatement(target, QStringLiteral("savepoint import_rows"));
            data::runStatement(target, importstatements::insertRows(step, rows.tuples.mid(from, count)));
            data::runStatement(target, QStringLiteral("release savepoint import_rows"));
        } catch (const data::DbError& batchError) {
            // Row by row, to name the row the database refuses; unless the
            // data source rolled the whole transaction back on the error.
            try {
                data::runStatement(target, QStringLiteral("rollback to savepoint import_rows"));
            } catch (const data::DbError&) {
                failure.database(QString(), QStringLiteral(": база данных не приняла записи."), batchError);
            }
            for (int i = from; i < from + count; ++i) {
                try {
                    data::runStatement(target, importstatements::insertRows(step, {rows.tuples[i]}));
                } catch (const data::DbError& e) {
                    failure.database(failure.row(i + 1, step.keepsIds() ? rows.ids[i] : QString()),
                                     QStringLiteral(": база данных не приняла запись."), e);
                }
            }
            failure.database(QString(), QStringLiteral(": база данных не приняла записи."), batchError);
        }
        if (progress)
            progress(importProgressLine(step.source, from + count, total));
        keepResponsive();
    }
    try {
        if (step.keepsIds()) {
            QSqlQuery sequence = data::runStatement(target, importstatements::idSequence(step.target));
            if (sequence.next() && !sequence.value(0).isNull())
                data::runStatement(target, importstatements::moveSequencePast(sequence.value(0).toString(), step.target));
        }
        transaction->commit();
    } catch (const data::DbError& e) {
        failure.database(QString(), QStringLiteral(": копия не сохранена."), e);
    }
}

}  // namespace reference
