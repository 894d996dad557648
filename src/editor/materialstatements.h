#pragma once
// Statements of the material dialog and of the editor's materials and crew
// areas. Values are bound as parameters or spliced in as numbers.

#include <QString>

namespace editor::statements {

// Materials the database offers for a record (parameter id_smena).
QString materialsOffered();
// Stock of a material in the source warehouse of the record's requisition
// (parameters id_smena, id_gds), one aggregate row: s_full_caption, f_qty_free.
// Not reserved:
QString unreservedStock();
// Reserved for the record's requisition line:
QString reservedStock();
// Routing of a material into a product (parameters id_gds_from, id_gds_to): f_qty_from.
QString materialNorm();

// Deleting one consumption, one crew member of a record.
QString materialUseDelete(qint64 id);
QString crewMemberDelete(qint64 id);

}  // namespace editor::statements
