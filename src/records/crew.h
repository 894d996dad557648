#pragma once
// What the editor's crew and materials areas write about a saved record: a
// crew member, the division of the record between its worker and the crew,
// and one consumption of a material. The statements run through the caller's
// commands (the editor's ins_person and save_all, the material dialog's
// smena_gds_use), whose statements are these.

#include <QString>

namespace data {
class Command;
class Connection;
class DataModule;
}  // namespace data

namespace records {

// "insert into accounts_dep.person_temp(id_smena, id_person) values(:s_id,:p_id)"
QString crewMemberInsertStatement();
// "select accounts_dep.divide_between_person(:s_id)"
QString crewDivisionStatement();
// The worker codes of the crew entered for a record.
QString crewCodesStatement(int recordId);
// One consumption of a record (parameters id_smena, id_gds_use, f_qty_use).
QString materialUseInsertStatement();

// Adds a crew member (person id) to the record through `insert`.
void addCrewMember(data::Command& insert, int recordId, qint64 personId);

// Shares the record between its worker and its crew through `division`,
// with the time sheet day cells of the crew members, in one transaction.
// The database function writes a record for each crew member; the crew
// members' locks are held meanwhile, as any writer of their cells holds
// them, and the cells are then set to their hours by the program's rule.
// Throws StaleRecord when the record is gone, DbError when the database
// refuses (an accepted record).
void divideBetweenCrew(data::DataModule& dm, data::Command& division, int recordId);

// Stores one consumption of a material by the record through `insert`.
// Throws StaleRecord when the record has been accepted or deleted on another
// workstation meanwhile: nothing is written then.
void addMaterialUse(data::Connection& connection, data::Command& insert, int recordId, qint64 material,
                    double quantity);

}  // namespace records
