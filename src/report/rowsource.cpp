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

QVariant RowSource::value(int row, const QString& field) const
{
    const int c = column(field);
    if (c < 0)
        throw fmt::AppError(QStringLiteral("В данных отчета нет поля «%1»").arg(field));
    if (row < 0 || row >= rowCount())
        throw fmt::AppError(QStringLiteral("В данных отчета нет строки %1").arg(row + 1));
    return value(row, c);
}

int MemoryTable::column(const QString& field) const
{
    return index_.value(field.toLower(), -1);
}

QVariant MemoryTable::value(int row, int column) const
{
    if (row < 0 || row >= rows_.size() || column < 0 || column >= fields_.size())
        throw fmt::AppError(QStringLiteral("В данных отчета нет строки %1").arg(row + 1));
    return rows_.at(row).at(column);
}

}  // namespace report
