#pragma once
// What an operation means for a shift record: the text the editor shows for
// it and the piece price after the day and shift surcharges.

#include <QString>

namespace reference {

// "Готовая продукция" for type 0, "Заготовки" otherwise.
QString operationTypeText(int naimen);

// "mark; kind; type", the mark and kind trimmed: "КР 200; Сварка; Заготовки".
QString operationText(const QString& mark, const QString& kind, int naimen);

// The piece price of a shift record: the base price doubled on a day off,
// then times 1.2 in shift 3 or 1.5 in shift 4 ("Переработка"). Not rounded.
double effectivePrice(double basePrice, bool dayOff, int shift);

}  // namespace reference
