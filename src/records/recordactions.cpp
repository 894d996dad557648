#include "records/recordactions.h"

#include "data/datamodule.h"
#include "records/daycell.h"
#include "records/shiftrecordstore.h"

namespace records {

namespace {

bool isAccepted(const data::Dataset& shift)
{
    return shift.text(QStringLiteral("ok")) == QLatin1String("ok");
}

}  // namespace

QString deleteStatement(int id)
{
    return QStringLiteral("delete from accounts_dep.smena where id=") + QString::number(id) + notAcceptedCondition();
}

Deletion deleteCurrentRecord(data::DataModule& dm, data::Dataset& shift, const std::function<bool()>& confirm)
{
    if (!shift.isOpen() || shift.isEmpty())
        return Deletion::Refused;
    if (isAccepted(shift))
        return Deletion::Refused;
    if (shift.text(QStringLiteral("id")).isEmpty())
        return Deletion::Refused;
    if (!confirm()) {
        shift.reload();
        return Deletion::Refused;
    }
    const int id = shift.integer(QStringLiteral("id"));
    bool deleted = false;
    {
        data::Transaction transaction(dm.ADO_DB);
        // The cell is the one the stored record counts in: another
        // workstation may have moved it to another worker, shift or date
        // since the journal read it. Its row stays locked, so it stays there.
        const std::optional<StoredRecord> stored = lockStoredRecord(dm.ADO_DB, id, RowLock::Deletion);
        if (stored && !stored->accepted) {
            timesheet::lockWorker(dm, stored->cell.worker);
            dm.DelSmena.setStatement(deleteStatement(id));
            deleted = dm.DelSmena.execute() > 0;
            if (deleted)
                timesheet::updateCell(dm, stored->cell);
        }
        transaction.commit();
    }
    shift.reload();
    return deleted ? Deletion::Deleted : Deletion::Stale;
}

RecordAcceptance::RecordAcceptance(data::DataModule& dm)
    : smena_gds_use_cnt(dm.ADO_DB, QStringLiteral("smena_gds_use_cnt"),
                        QStringLiteral("select count(id) as id_cnt from accounts_dep.smena_gds_use sgu where "
                                       "sgu.id_smena = :id_smena"))
    , smena_accept_row(dm.ADO_DB, QStringLiteral("smena_accept_row"),
                       QStringLiteral("select accounts_dep.smena__accept_row_hwo(:id)"))
    , connection_(dm.ADO_DB)
{
}

Acceptance RecordAcceptance::acceptCurrent(data::Dataset& shift)
{
    if (!shift.isOpen() || shift.isEmpty())
        return Acceptance::Refused;
    if (isAccepted(shift))
        return Acceptance::Refused;
    const int id = shift.integer(QStringLiteral("id"));
    data::Transaction transaction(connection_);
    // Held to the end: the record is not deleted between the count and the
    // function, nor are materials added to it meanwhile.
    if (!lockStoredRecord(connection_, id, RowLock::Deletion)) {
        transaction.commit();
        shift.reloadInPlace();
        return Acceptance::Stale;
    }
    smena_gds_use_cnt.close();
    smena_gds_use_cnt.setParam(QStringLiteral("id_smena"), id);
    smena_gds_use_cnt.open();
    const qint64 materials = smena_gds_use_cnt.int64(QStringLiteral("id_cnt"));
    smena_gds_use_cnt.close();
    if (materials == 0)
        return Acceptance::NoMaterials;
    smena_accept_row.setParam(QStringLiteral("id"), id);
    smena_accept_row.execute();
    transaction.commit();
    shift.reloadInPlace();
    return Acceptance::Accepted;
}

}  // namespace records
