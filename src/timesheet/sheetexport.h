#pragma once
// The month's workbook: row 1 the month's title, row 2 the column titles,
// then one row per person of the monthly summary (monthsheet.h) with the
// hours of days 1 .. 31 and their total. Written through the spreadsheet
// layer, which shows its own messages.

#include <QString>

#include "export/spreadsheet.h"

namespace data {
class Dataset;
}

namespace timesheet {

// Writes the open summary; false when the workbook could not be opened
// (the layer has said so). A cell that cannot be written is reported by the
// layer and the export goes on.
bool exportMonthSummary(const data::Dataset& summary, const QString& title, const xlsx::ExportProgress& progress = {});

}  // namespace timesheet
