#pragma once
// The six printed layouts. Each *Layout() function gives the layout as data;
// each form function gives the printed layout (definition, title label,
// preview zoom) that a window keeps for the whole run.
//
// Fields each layout reads from the rows it is given:
//   time sheet print       fio, sd1 .. sd31
//   workers report         fio, w_id, nom, naimen, vid, color, kolvo, summa
//   products report        nom, naimen, vid, color, mass, kolvo
//   detailed workers       fio, w_id, marka, vid, color, naimen, brk, kolvo, summa, s_prize
//   detailed products      nom, marka, vid, color, naimen, brk, mass, kolvo, summa
//   requisitions           as detailed products, and s_number
// The workers reports break their person groups on the worker code w_id and
// head them with the name fio: namesakes are two groups.

#include "report/layout.h"
#include "reports/printedlayout.h"

namespace reports {

report::Layout timesheetLayout();        // A4 landscape, column header on every page
report::Layout workersLayout();          // person and product groups
report::Layout productsLayout();         // product groups
report::Layout workersDetailLayout();    // person groups
report::Layout productsDetailLayout();   // product groups
report::Layout requisitionsLayout();     // product groups headed by the requisition number

PrintedLayout timesheetPrint();        // Form15, whole page, proposes PDF
PrintedLayout workersReport();         // Form16
PrintedLayout productsReport();        // Form17
PrintedLayout workersDetailReport();   // Form20
PrintedLayout productsDetailReport();  // Form21
PrintedLayout requisitionsReport();    // Form25

}  // namespace reports
