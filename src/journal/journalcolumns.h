#pragma once
#include <QList>

#include "ui/datasetgrid.h"

namespace journal {

// The thirteen columns of the record grid.
QList<ui::GridColumn> journalColumns();

}  // namespace journal
