#pragma once
// The operations export of the operation list ("Excel"): a new workbook
// whose row 1 holds "Марка", "Операция", "Цена", "Вид" and each further row
// one operation, with or without norm rows, with its own price column.
// Written cell by cell through the spreadsheet layer, which shows its own
// messages.

namespace data {
class Dataset;
}

namespace reference {

// Writes the open export rows (statements::operationsExport); false when the
// workbook could not be opened (the layer has said so). An operation
// without a price of its own leaves its price cell empty.
bool exportOperations(const data::Dataset& operations);

}  // namespace reference
