#pragma once
#include <QList>

#include "ui/datasetgrid.h"

class QFont;

namespace journal {

// The thirteen columns of the record grid, with their design widths.
QList<ui::GridColumn> journalColumns();

// Widens a column whose bold title, or whose content of a fixed form (the
// entry date, the 15-digit requisition number), does not fit its design width
// in the given font; the others keep their design width.
void fitColumnsToFont(QList<ui::GridColumn>& columns, const QFont& font);

}  // namespace journal
