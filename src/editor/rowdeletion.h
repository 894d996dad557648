#pragma once
// "Удалить" of the editor's lower lists: the selected row goes at once.

#include <QString>

namespace data {
class Command;
class Dataset;
}  // namespace data

namespace editor {

// Deletes the list's current row through the command, with the statement
// built from the row's id, and reloads the list keeping its sort and row.
// Nothing happens when the list is closed or empty; true when a row went.
bool deleteSelectedRow(data::Dataset& list, data::Command& command, QString (*deleteStatement)(qint64 id));

}  // namespace editor
