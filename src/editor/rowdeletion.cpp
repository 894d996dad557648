#include "editor/rowdeletion.h"

#include "data/command.h"
#include "data/dataset.h"

namespace editor {

bool deleteSelectedRow(data::Dataset& list, data::Command& command, QString (*deleteStatement)(qint64 id))
{
    if (!list.isOpen() || list.isEmpty())
        return false;
    command.setStatement(deleteStatement(list.int64(QStringLiteral("id"))));
    command.execute();
    const int row = list.recNo();
    list.reload();
    if (!list.isEmpty() && row > 0)
        list.setRecNo(row);
    return true;
}

}  // namespace editor
