#include "reference/searchfilters.h"

#include "core/textformat.h"
#include "data/dataset.h"
#include "data/filter.h"

namespace reference {

namespace {

// A condition no row meets, for a product code that names no product.
QString noRows(const QString& column)
{
    return data::filters::equals(column, 0) + QStringLiteral(" and ") + data::filters::equals(column, 1);
}

}  // namespace

void applySearchFilter(data::Dataset& list, const std::optional<QString>& filter)
{
    if (!filter) {
        list.setFiltered(false);
        return;
    }
    list.setFilter(*filter);
    list.setFiltered(true);
}

std::optional<QString> prefixSearchFilter(const QString& column, const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    return data::filters::startsWith(column, text);
}

std::optional<QString> workerSearchFilter(const QString& text)
{
    return prefixSearchFilter(QStringLiteral("fio"), text);
}

std::optional<QString> operationSearchFilter(const QString& text,
                                             const std::optional<QString>& requisitionProduct)
{
    const bool blank = fmt::trimmed(text).isEmpty();
    const QString mark = data::filters::startsWith(QStringLiteral("marka"), text);
    if (!requisitionProduct)
        return blank ? std::nullopt : std::optional<QString>(mark);

    bool isNumber = false;
    const qint64 product = fmt::trimmed(*requisitionProduct).toLongLong(&isNumber);
    if (!isNumber)
        return noRows(QStringLiteral("i_id"));
    const QString own = data::filters::equals(QStringLiteral("i_id"), product);
    if (!blank)
        return own + QStringLiteral(" and ") + mark;
    return own + QStringLiteral(" or ") + data::filters::equals(QStringLiteral("i_id_old"), product);
}

QString productMarkStatement(qint64 productId)
{
    return QStringLiteral("select marka from accounts_dep.izdel where id=") + QString::number(productId);
}

}  // namespace reference
