#pragma once
// An open dataset as the rows of a printed layout (the rows that pass its
// filter, in its sort order).

#include "data/dataset.h"
#include "report/rowsource.h"

namespace reports {

class DatasetRows : public report::RowSource {
public:
    explicit DatasetRows(const data::Dataset& dataset) : dataset_(dataset) {}
    int rowCount() const override { return dataset_.isOpen() ? dataset_.recordCount() : 0; }
    bool hasField(const QString& field) const override { return dataset_.hasField(field); }
    QVariant value(int row, const QString& field) const override
    {
        return dataset_.valueAt(row, dataset_.fieldIndex(field));
    }

private:
    const data::Dataset& dataset_;
};

}  // namespace reports
