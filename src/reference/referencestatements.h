#pragma once
// Statements of the reference books: the duplicate checks, the writes of
// the editors, what a deletion must look at first, the norm rows of one
// operation and the operations export. Typed names travel quoted, so an
// apostrophe in a name is just a letter.

#include <QString>
#include <optional>

namespace reference::statements {

// Duplicate checks: a count (cnt) of other rows with the same name,
// letter case aside. The name is upper-cased here, on the workstation
// (Cyrillic too), and compared with the stored name upper-cased by the
// database; `except` leaves out the row being changed.
QString kindDuplicate(const QString& trimmedName, std::optional<int> except);
QString productDuplicate(const QString& trimmedMark, std::optional<qint64> except);
// Another operation of the same kind, type and product.
QString operationDuplicate(int kind, int type, qint64 product, std::optional<int> except);

// Writes of the kind and product editors; parameters :vid, :marka, :nom,
// :massa and :id.
QString kindInsert();
QString kindUpdate();
QString productInsert();
QString productUpdate();

// What refers to a row, as two counts: operations and shift records. A
// product's operations are those of the product and those that also serve
// it (i_id_old).
QString kindUsage(int kind);
QString productUsage(qint64 product);
QString operationUsage(int operation);

QString kindDelete(int kind);
QString productDelete(qint64 product);
// The norm rows of an operation, deleted with it.
QString operationNormsDelete(int operation);

// The norm rows of one operation (:o_id) by piece count.
QString operationNorms();
// A new norm row of an operation; returns its id.
QString normInsert(int operation, int norma, double price, int prize);
QString normUpdate(int id, int norma, double price, int prize);
QString normDelete(int id);

// Every operation, with or without norm rows, with its own price column
// (MARKA, VID, NAIMEN, nmn, CENA, id, i_id, oper_vid).
QString operationsExport();

}  // namespace reference::statements
