#include "report/rowsource.h"

#include "core/textformat.h"

namespace report {

MemoryTable::MemoryTable(const QStringList& fields) : fields_(fields)
{
    for (int i = 0; i < fields.size(); ++i)
        index_.insert(fields.at(i).toLower(), i);
}

MemoryTable& MemoryTable::append(const QVariantList& values)
{
    QVariantList row = values.mid(0, fields_.size());
    while (row.size() < fields_.size())
        row.append(QVariant());
    rows_.append(row);
    return *this;
}

bool MemoryTable::hasField(const QString& field) const
{
    return index_.contains(field.toLower());
}

QVariant MemoryTable::value(int row, const QString& field) const
{
    const auto it = index_.constFind(field.toLower());
    if (it == index_.constEnd())
        throw fmt::AppError(QStringLiteral("В данных отчета нет поля «%1»").arg(field));
    if (row < 0 || row >= rows_.size())
        throw fmt::AppError(QStringLiteral("В данных отчета нет строки %1").arg(row + 1));
    return rows_.at(row).at(*it);
}

}  // namespace report
