#include "editor/journalreload.h"

#include "data/dataset.h"

namespace editor {

void reloadKeepingSort(data::Dataset& shift)
{
    const QString sort = shift.sort();
    shift.close();
    shift.open();
    shift.setSort(sort);
    shift.first();
}

void reloadAtRow(data::Dataset& shift, int recNo)
{
    reloadKeepingSort(shift);
    if (!shift.isEmpty() && recNo > 0)
        shift.setRecNo(recNo);
}

}  // namespace editor
