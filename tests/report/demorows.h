#pragma once
// Rows shaped like the datasets the printed layouts get from the database,
// with plausible names, products and numbers.

#include "report/rowsource.h"

namespace testing {

// The monthly summary of the time sheet: fio, sd1 .. sd31 (days past the
// month's end empty).
report::MemoryTable timesheetRows(int persons, int daysInMonth = 31);
// t_Report of the workers report: fio, w_id, nom, naimen, vid, color, kolvo, summa.
report::MemoryTable workersRows(int persons);
// t_Report of the products report: nom, naimen, vid, color, mass, kolvo.
report::MemoryTable productsRows(int products);
// w_Report: fio, w_id, marka, vid, naimen, color, brk, kolvo, summa, s_prize.
report::MemoryTable workersDetailRows(int persons);
// i_Report: marka, vid, naimen, nom, kolvo, brk, summa, color, mass (and s_number when asked).
report::MemoryTable productsDetailRows(int products, bool withRequisitions = false);

// Number of pages of a PDF file (-1 when it cannot be read).
int pdfPages(const QString& fileName);

}  // namespace testing
