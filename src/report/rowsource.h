#pragma once
// Where a report's rows come from. The engine reads rows only through this
// interface, so it knows nothing of the database: a window hands over an
// adapter of its open dataset, tests an in-memory table.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace report {

class RowSource {
public:
    virtual ~RowSource() = default;
    virtual int rowCount() const = 0;
    // The column of the field of that name (compared without regard to letter
    // case); -1 when the rows have none.
    virtual int column(const QString& field) const = 0;
    // The value at row 0 .. rowCount() - 1 in a column that column() gave;
    // null for an empty value.
    virtual QVariant value(int row, int column) const = 0;

    bool hasField(const QString& field) const { return column(field) >= 0; }
    // The field's value by name; throws fmt::AppError for an unknown field or row.
    QVariant value(int row, const QString& field) const;
};

// Rows held in memory: a list of field names and rows of values.
class MemoryTable : public RowSource {
public:
    explicit MemoryTable(const QStringList& fields);

    // Appends a row; values in the order of the field names, missing ones null.
    MemoryTable& append(const QVariantList& values);

    using RowSource::value;
    int rowCount() const override { return int(rows_.size()); }
    int column(const QString& field) const override;
    // Throws fmt::AppError for an unknown row or column.
    QVariant value(int row, int column) const override;

    const QStringList& fields() const { return fields_; }

private:
    QStringList fields_;
    QHash<QString, int> index_;
    QList<QVariantList> rows_;
};

}  // namespace report
