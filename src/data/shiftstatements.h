#pragma once
// Statements of the shared datasets and commands of the data module.

#include <QString>

namespace data::statements {

// Records of one date and shift (1..4) that the journal lists.
QString shiftRecords(int shift);
// The month's time sheet of one shift (1..3).
QString timeSheet(int shift);

QString workers();
QString products();
QString operations();
QString operationKinds();

QString operationInsert();
QString operationUpdate();
QString operationDelete();

}  // namespace data::statements
