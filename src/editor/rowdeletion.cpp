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
    list.reloadInPlace();
    return true;
}

}  // namespace editor
