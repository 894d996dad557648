#pragma once
// The product group (izdel.nom) a mark belongs to. The summary reports add
// up their totals by it.

#include <QString>

namespace reference {

// Goes through the group rules in order, comparing the mark's leading
// characters, upper-cased, with each rule's prefix; the last rule that
// matches gives the group ("ПРН-12" matches "ПР" and then "ПРН"). A mark no
// rule matches is its own group: its first three characters, as typed.
// The mark is expected trimmed.
QString productGroup(const QString& mark);

}  // namespace reference
