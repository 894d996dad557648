#include "records/crew.h"

#include "data/command.h"
#include "data/datamodule.h"
#include "records/daycell.h"
#include "records/shiftrecordstore.h"

namespace records {

QString crewMemberInsertStatement()
{
    return QStringLiteral("insert into accounts_dep.person_temp(id_smena, id_person) values(:s_id,:p_id)");
}

QString crewDivisionStatement()
{
    return QStringLiteral("select accounts_dep.divide_between_person(:s_id)");
}

QString crewCodesStatement(int recordId)
{
    return QStringLiteral(
               "select distinct person.s_code::integer as code from accounts_dep.person_temp crew join "
               "cmn_contractor.person person on person.id = crew.id_person where crew.id_smena=") +
           QString::number(recordId);
}

QString materialUseInsertStatement()
{
    return QStringLiteral(
        "insert into accounts_dep.smena_gds_use(id_smena, id_gds_use, f_qty_use) values(:id_smena, :id_gds_use, "
        ":f_qty_use)");
}

void addCrewMember(data::Command& insert, int recordId, qint64 personId)
{
    insert.setParam(QStringLiteral("p_id"), QString::number(personId));
    insert.setParam(QStringLiteral("s_id"), recordId);
    insert.execute();
}

void divideBetweenCrew(data::DataModule& dm, data::Command& division, int recordId)
{
    data::Transaction transaction(dm.ADO_DB);
    // As strongly as the database function will lock it, and before the
    // workers' locks: meanwhile no crew member can be added to the record
    // (his row refers to it), so the crew read here is the crew divided.
    const std::optional<StoredRecord> stored = lockStoredRecord(dm.ADO_DB, recordId, RowLock::Deletion);
    if (!stored)
        throw StaleRecord();
    const QList<int> crew = dm.readControl(crewCodesStatement(recordId), [](const data::Dataset& rows) {
        QList<int> codes;
        for (int row = 0; row < rows.recordCount(); ++row)
            codes << data::variantInteger(rows.valueAt(row, 0), QStringLiteral("code"));
        return codes;
    });
    timesheet::lockWorkers(dm, crew);
    division.setParam(QStringLiteral("s_id"), recordId);
    division.execute();
    // The record's own worker keeps his hours: only the crew's cells change.
    for (const int member : crew) {
        if (member != stored->cell.worker)
            timesheet::writeCell(dm, {member, stored->cell.shift, stored->cell.date});
    }
    transaction.commit();
}

void addMaterialUse(data::Connection& connection, data::Command& insert, int recordId, qint64 material, double quantity)
{
    data::Transaction transaction(connection);
    const std::optional<StoredRecord> stored = lockStoredRecord(connection, recordId, RowLock::Reference);
    if (!stored || stored->accepted)
        throw StaleRecord();
    insert.setParam(QStringLiteral("id_smena"), recordId);
    insert.setParam(QStringLiteral("id_gds_use"), material);
    insert.setParam(QStringLiteral("f_qty_use"), quantity);
    insert.execute();
    transaction.commit();
}

}  // namespace records
