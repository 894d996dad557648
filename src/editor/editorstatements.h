#pragma once
// Statements of the shift record editor's own datasets and commands.

#include <QString>

namespace editor::statements {

// Requisitions and all their lines (add and edit modes).
QString requisitions();
QString requisitionLines();
// The requisition and the line of one record (view mode).
QString recordRequisition(int recordId);
QString recordRequisitionLine(int recordId);

// Line filter: the lines of one requisition (0: none).
QString linesOf(qint64 requisitionId);

// Materials of a record and their total (parameter id_smena), crew (parameter s_id).
QString materials();
QString materialsTotal();
QString crew();

}  // namespace editor::statements
