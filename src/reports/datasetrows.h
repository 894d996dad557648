#pragma once
// An open dataset as the rows of a printed layout (the rows that pass its
// filter, in its sort order).

#include "data/dataset.h"
#include "report/rowsource.h"

namespace reports {

class DatasetRows : public report::RowSource {
public:
    using RowSource::value;
    explicit DatasetRows(const data::Dataset& dataset) : dataset_(dataset) {}
    int rowCount() const override { return dataset_.isOpen() ? dataset_.recordCount() : 0; }
    int column(const QString& field) const override { return dataset_.fieldIndex(field); }
    QVariant value(int row, int column) const override { return dataset_.valueAt(row, column); }

private:
    const data::Dataset& dataset_;
};

}  // namespace reports
