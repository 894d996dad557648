#pragma once
// Deleting a kind, a product or an operation. Shift records and operations
// find what they point to by joins, so a row that is still used would take
// them out of the journal and of every report: a used row is refused, and
// the user is told how many rows use it.

#include <QString>

namespace data {
class DataModule;
class Dataset;
}

namespace reference {

enum class Book { Kind, Product, Operation };

// What refers to a row.
struct Usage {
    int operations = 0;
    int shiftRecords = 0;
    bool any() const { return operations > 0 || shiftRecords > 0; }
};

Usage usage(data::DataModule& dm, Book book, qint64 id);

// The message that refuses the deletion of a used row.
QString usageRefusal(Book book, const Usage& usage);

// Counts what uses the row again and, when nothing does, deletes it (an
// operation with its norm rows), in one transaction. Returns the usage found:
// nothing was deleted when it is any(). A record another workstation saves
// at the very moment of the deletion is not seen: no key of the plant's
// database ties the rows together.
Usage deleteUnused(data::DataModule& dm, Book book, qint64 id);

// The deletion a list window offers for its current row (column id): a used
// row is refused with the message before anything is asked; otherwise the
// question, and on Yes deleteUnused, which refuses with the message a row
// that came into use while the question was shown. The list is re-read
// after a deletion. True when the row was deleted.
bool deleteCurrentAfterQuestion(data::DataModule& dm, data::Dataset& list, Book book, const QString& question);

}  // namespace reference
