#include "reference/operationrules.h"

#include "core/textformat.h"

namespace reference {

QString operationTypeText(int naimen)
{
    return naimen == 0 ? QStringLiteral("Готовая продукция") : QStringLiteral("Заготовки");
}

QString operationText(const QString& mark, const QString& kind, int naimen)
{
    return fmt::trimmed(mark) + QStringLiteral("; ") + fmt::trimmed(kind) + QStringLiteral("; ")
        + operationTypeText(naimen);
}

double effectivePrice(double basePrice, bool dayOff, int shift)
{
    double price = basePrice;
    if (dayOff)
        price *= 2;
    if (shift == 3)
        price *= 1.2;
    else if (shift == 4)
        price *= 1.5;
    return price;
}

}  // namespace reference
