#pragma once
// Filter expressions over the rows a dataset holds in memory:
//   fio like 'Ив%'      id_doc=12      i_id=5 and marka like 'АБ%'     i_id=5 or i_id_old=5
// Comparisons (=, <>, <, >, <=, >=, like) of a column with a number or a
// quoted text ('' stands for one apostrophe), joined by "and"/"or", with
// parentheses. "like" matches "%" (or "*") to any run of characters and
// ignores letter case. A text that is not such an expression is an error,
// never a filter that matches everything.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

#include "core/textformat.h"

namespace data {

class FilterError : public fmt::AppError {
public:
    using AppError::AppError;
};

class Filter {
public:
    // Parses the expression; the column names must be among `columns`
    // (compared without regard to letter case). Throws FilterError.
    static Filter parse(const QString& expression, const QStringList& columns);

    // value(columnIndex) gives the row's value of that column.
    bool matches(const std::function<QVariant(int)>& value) const;

    struct Node;

private:
    std::shared_ptr<const Node> root_;
};

// "like" with "%"/"*" wildcards, letter case ignored.
bool likeMatch(const QString& text, const QString& pattern);
// The same with the pattern split at its wildcards (likePieces) beforehand.
QStringList likePieces(const QString& pattern);
bool likeMatch(const QString& text, const QStringList& pieces);

// Expression texts with the values made safe.
namespace filters {
QString equals(const QString& column, qint64 value);
// column like '<prefix>%' with apostrophes doubled
QString startsWith(const QString& column, const QString& prefix);
}  // namespace filters

}  // namespace data
