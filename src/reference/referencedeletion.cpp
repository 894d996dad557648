#include "reference/referencedeletion.h"

#include "data/command.h"
#include "data/connection.h"
#include "data/datamodule.h"
#include "reference/referencestatements.h"
#include "ui/messages.h"

namespace reference {

namespace {

QString usageStatement(Book book, qint64 id)
{
    switch (book) {
    case Book::Kind: return statements::kindUsage(int(id));
    case Book::Product: return statements::productUsage(id);
    case Book::Operation: return statements::operationUsage(int(id));
    }
    return {};
}

void run(data::DataModule& dm, const QString& statement)
{
    data::Command(dm.ADO_DB, QStringLiteral("Reference_del"), statement).execute();
}

}  // namespace

Usage usage(data::DataModule& dm, Book book, qint64 id)
{
    return dm.readControl(usageStatement(book, id), [](const data::Dataset& counts) {
        return Usage{counts.integer(QStringLiteral("operations")), counts.integer(QStringLiteral("records"))};
    });
}

QString usageRefusal(Book book, const Usage& usage)
{
    QString text, operations, records;
    switch (book) {
    case Book::Kind:
        text = QStringLiteral("Вид операции используется, удалить его нельзя.");
        operations = QStringLiteral("Операций этого вида: %1");
        break;
    case Book::Product:
        text = QStringLiteral("Изделие используется, удалить его нельзя.");
        operations = QStringLiteral("Операций с этим изделием: %1");
        records = QStringLiteral("Записей смен с этим изделием: %1");
        break;
    case Book::Operation:
        text = QStringLiteral("Операция используется, удалить ее нельзя.");
        records = QStringLiteral("Записей смен с этой операцией: %1");
        break;
    }
    if (usage.operations > 0)
        text += QLatin1Char('\n') + operations.arg(usage.operations);
    if (usage.shiftRecords > 0)
        text += QLatin1Char('\n') + records.arg(usage.shiftRecords);
    return text;
}

Usage deleteUnused(data::DataModule& dm, Book book, qint64 id)
{
    data::Transaction transaction(dm.ADO_DB);
    const Usage found = usage(dm, book, id);
    if (found.any())
        return found;
    switch (book) {
    case Book::Kind: run(dm, statements::kindDelete(int(id))); break;
    case Book::Product: run(dm, statements::productDelete(id)); break;
    case Book::Operation:
        run(dm, statements::operationNormsDelete(int(id)));
        dm.Oper_del.setParam(QStringLiteral("id"), int(id));
        dm.Oper_del.execute();
        break;
    }
    transaction.commit();
    return found;
}

bool deleteCurrentAfterQuestion(data::DataModule& dm, data::Dataset& list, Book book, const QString& question)
{
    if (!list.isOpen() || list.isEmpty())
        return false;
    const qint64 id = list.int64(QStringLiteral("id"));
    if (const Usage before = usage(dm, book, id); before.any()) {
        ui::showError(usageRefusal(book, before));
        return false;
    }
    if (!ui::askDelete(question))
        return false;
    if (const Usage now = deleteUnused(dm, book, id); now.any()) {
        ui::showError(usageRefusal(book, now));
        return false;
    }
    list.reload();
    return true;
}

}  // namespace reference
