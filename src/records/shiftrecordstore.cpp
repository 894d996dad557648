#include "records/shiftrecordstore.h"

#include "core/textformat.h"
#include "data/datamodule.h"
#include "data/dberror.h"

namespace records {

QString insertStatement(const ShiftRecordValues& v, const QDate& today)
{
    return QStringLiteral(
               "insert into accounts_dep.SMENA(w_id, i_id, o_id, cena, kol_vo, brak, data, smena, color, "
               "time, vvod,ok, prize, id_doc, id_doc_item, f_gds_qty_use, id_gds_use, id_cons_use) values(") +
           QString::number(v.worker) + QStringLiteral(", ") + QString::number(v.product) + QStringLiteral(", ") +
           QString::number(v.operation) + QStringLiteral(", ") + fmt::sqlNumber(v.price) + QStringLiteral(",") +
           fmt::sqlNumber(v.quantity) + QStringLiteral(", ") + QString::number(v.rejects) +
           QStringLiteral(", to_date('") + fmt::dateText(v.date) + QStringLiteral("', 'DD.MM.YYYY HH24:MI:SS'), ") +
           QString::number(v.shift) + QStringLiteral(", 0, ") + QString::number(v.hours) +
           QStringLiteral(", to_date('") + fmt::dateText(today) + QStringLiteral("', 'DD.MM.YYYY'), 'no', 0, ") +
           QString::number(v.requisition) + QStringLiteral(", ") + QString::number(v.line) +
           QStringLiteral(", 0, 0, 0) returning id");
}

QString updateStatement(const ShiftRecordValues& v, int id, const QDate& today)
{
    return QStringLiteral("update accounts_dep.SMENA set w_id=") + QString::number(v.worker) +
           QStringLiteral(", i_id=") + QString::number(v.product) + QStringLiteral(", o_id=") +
           QString::number(v.operation) + QStringLiteral(", cena=") + fmt::sqlNumber(v.price) +
           QStringLiteral(", kol_vo=") + fmt::sqlNumber(v.quantity) + QStringLiteral(", brak=") +
           QString::number(v.rejects) + QStringLiteral(", data=to_date('") + fmt::dateText(v.date) +
           QStringLiteral("', 'DD.MM.YYYY'), smena=") + QString::number(v.shift) + QStringLiteral(", color=0, time=") +
           QString::number(v.hours) + QStringLiteral(", vvod=to_date('") + fmt::dateText(today) +
           QStringLiteral("', 'DD.MM.YYYY'), prize=0, id_doc=") + QString::number(v.requisition) +
           QStringLiteral(", id_doc_item=") + QString::number(v.line) +
           QStringLiteral(", f_gds_qty_use=0, id_gds_use=0, id_cons_use=0 where id=") + QString::number(id) +
           notAcceptedCondition();
}

QString notAcceptedCondition() { return QStringLiteral(" and ok is distinct from 'ok'"); }

QString staleRecordText()
{
    return QStringLiteral("Позиция уже принята или удалена другим пользователем. Список обновлен.");
}

StaleRecord::StaleRecord() : fmt::AppError(staleRecordText()) {}

QString storedRecordStatement(int id, RowLock lock)
{
    static const char* const strength[] = {"no key update", "update", "share"};
    return QStringLiteral("select w_id, smena, data, ok from accounts_dep.smena where id=") + QString::number(id) +
           QStringLiteral(" for ") + QLatin1String(strength[int(lock)]);
}

std::optional<StoredRecord> lockStoredRecord(data::Connection& connection, int id, RowLock lock)
{
    data::Dataset row(connection, QStringLiteral("StoredRecord"), storedRecordStatement(id, lock));
    row.open();
    if (row.isEmpty())
        return std::nullopt;
    return StoredRecord{{row.integer(QStringLiteral("w_id")), row.integer(QStringLiteral("smena")),
                         row.date(QStringLiteral("data"))},
                        row.text(QStringLiteral("ok")) == QLatin1String("ok")};
}

int saveShiftRecord(data::DataModule& dm, const ShiftRecordValues& v, int id, const QDate& today)
{
    const DayCell cell{v.worker, v.shift, v.date};
    data::Transaction transaction(dm.ADO_DB);
    std::optional<DayCell> previousCell;
    if (id != 0) {
        const std::optional<StoredRecord> stored = lockStoredRecord(dm.ADO_DB, id, RowLock::Change);
        if (!stored || stored->accepted)
            throw StaleRecord();
        previousCell = stored->cell;
    }
    timesheet::lockWorkers(dm, {v.worker, previousCell ? previousCell->worker : v.worker});

    if (id == 0) {
        const QVariant newId = dm.scalar(insertStatement(v, today));
        id = data::variantInteger(newId, QStringLiteral("id"));
    } else {
        data::Command update(dm.ADO_DB, QStringLiteral("SmenaIU"), updateStatement(v, id, today));
        if (update.execute() == 0)
            throw StaleRecord();
    }
    timesheet::writeCell(dm, cell);
    if (previousCell && !(*previousCell == cell))
        timesheet::writeCell(dm, *previousCell);
    transaction.commit();
    return id;
}

}  // namespace records
