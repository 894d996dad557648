#pragma once
// What kind of value a variant from a database driver or a dataset holds.

#include <QVariant>

namespace core {

// Int, LongLong, Short, Long, the char types and their unsigned kin.
bool isWholeNumber(const QVariant& value);
// Double or Float.
bool isFloatingPoint(const QVariant& value);
inline bool isNumber(const QVariant& value) { return isWholeNumber(value) || isFloatingPoint(value); }

}  // namespace core
