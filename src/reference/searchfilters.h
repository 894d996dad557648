#pragma once
// Filter texts of the reference lists' search fields. The typed text is
// always a quoted literal, so an apostrophe in a name is just a letter.

#include <QString>
#include <optional>

namespace data {
class Dataset;
}

namespace reference {

// Sets the list's filter to the text and switches it on; none switches it off.
void applySearchFilter(data::Dataset& list, const std::optional<QString>& filter);

// Rows whose column begins with the text as typed; none (filter off) for an empty text.
std::optional<QString> prefixSearchFilter(const QString& column, const QString& text);
// The worker list's: fio.
std::optional<QString> workerSearchFilter(const QString& text);

// Operation list. `requisitionProduct` is empty when the shift record editor
// has no requisition chosen; otherwise it holds the product code (s_gds_mc)
// of the chosen requisition line, which may itself be empty or no number:
// then no operation matches.
//  - no requisition: marks beginning with the text, or no filter for a blank text;
//  - with a requisition: the product's operations (i_id or i_id_old), and
//    with a text those whose i_id matches and whose mark begins with it.
std::optional<QString> operationSearchFilter(const QString& text,
                                             const std::optional<QString>& requisitionProduct);

// The statement that reads a product's mark afresh.
QString productMarkStatement(qint64 productId);

}  // namespace reference
