#pragma once
// The sort of the journal's record grid by a click on a column title.

#include <QString>
#include <optional>

namespace journal {

// The sort text a click on the title of the column showing `field` sets,
// given the dataset's present sort text; none for the columns that do not
// sort. The test looks at the whole present text, not at the clicked column:
// after "marka ASC" a click on the name sorts "fio DESC".
std::optional<QString> sortAfterTitleClick(const QString& field, const QString& presentSort);

}  // namespace journal
