#pragma once
// The production export of the summary reports: a new workbook whose row 1
// holds the column titles and each further row one row of the production
// totals (summarystatements.h: productionExportStatement), written cell by
// cell through the spreadsheet layer, which shows its own messages.

#include <QString>
#include <QVariant>

#include "export/spreadsheet.h"

namespace data {
class Dataset;
}

namespace reports {

// The operation column: the kind's name, and " (грунт)" for colour 1 or
// " (цвет: 1013)" for a colour number above 1.
QString operationText(const QVariant& vid, const QVariant& color);

// Writes the open totals; false when the workbook could not be opened (the
// layer has said so). A cell that cannot be written is reported by the layer
// and the export goes on.
bool exportProduction(const data::Dataset& totals, const xlsx::ExportProgress& progress = {});

}  // namespace reports
