#pragma once
// The statements of the summary reports and of the production export. Each
// reads the shift records of a period, from data1 (included) to data2 (not
// included), both dates, and names the fields its printed layout reads
// (reports/layouts.h). The product kind is kept by a filter on naimen.
//
// A person is the worker code (w_id): two persons of the same name are two
// groups, ordered by name as the office reads them.

#include <QString>

namespace reports {

// Workers report: per person, product number, product kind, operation kind and
// colour the good pieces (made minus rejected) and their money.
QString workersReportStatement();
// Products report: per product number, colour, kind, operation kind and
// factor the good pieces and the factor times them, rounded to 2 decimals.
QString productsReportStatement();
// Detailed workers report: per person, product mark, operation kind, product
// kind and colour the pieces made, the rejects, the money and the bonus.
QString workersDetailStatement();
// Detailed products report: per product number, mark, operation kind, kind,
// colour and factor the pieces made, rejects, money and factor times pieces.
QString productsDetailStatement();
// Requisitions report: as the detailed products report, for the records that
// carry a requisition, grouped and sorted by its number first.
QString requisitionsStatement();
// Production export: as the products report, the factor product not rounded.
QString productionExportStatement();

}  // namespace reports
