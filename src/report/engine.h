#pragma once
// Lays a report out into pages: report header, spacer, column header, group
// headers, detail rows, group footers, report footer and page footers, with
// running sums and page breaks.

#include "report/document.h"
#include "report/layout.h"
#include "report/rowsource.h"

namespace report {

// Throws fmt::AppError when the rows lack a field the layout prints, when a
// value that must be a number is none, or when a number format is unknown.
// Always gives at least one page; a band taller than a page is cut off.
Document layOut(const Layout& layout, const RowSource& rows);

}  // namespace report
