#pragma once
// Re-reading a journal shift dataset after a record was opened, saved or
// changed: the sort the user chose survives the reload.

namespace data {
class Dataset;
}

namespace editor {

// Remembers the sort, closes and re-opens the dataset, applies the sort
// again. The cursor stands on the first row.
void reloadKeepingSort(data::Dataset& shift);

// The same, then back to `recNo` when the dataset has rows and it is above 0.
void reloadAtRow(data::Dataset& shift, int recNo);

}  // namespace editor
