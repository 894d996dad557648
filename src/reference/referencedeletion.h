#pragma once
// Deleting a kind, a product or an operation. Shift records and operations
// find what they point to by joins, so a row that is still used would take
// them out of the journal and of every report: a used row is refused, and
// the user is told how many rows use it.

#include <QString>
#include <functional>

namespace data {
class DataModule;
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
// nothing was deleted when it is any().
Usage deleteUnused(data::DataModule& dm, Book book, qint64 id);

// The deletion a list window offers: a used row is refused with the message
// before anything is asked; otherwise the question, and on Yes deleteUnused
// (which refuses with the message when another workstation began to use the
// row meanwhile). True when the row was deleted.
bool deleteAfterQuestion(data::DataModule& dm, Book book, qint64 id, const QString& question);

}  // namespace reference
