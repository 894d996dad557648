#pragma once
// The rows of the norm editor's grid: the norm rows of one operation as
// the dataset holds them, with the changes typed into one row that are not
// saved yet, and after them the grid's new line, where a new norm row is
// typed. Typed values must be numbers: "Норматив" and "Премия, %" whole
// ones; a value that is not is refused with the conversion message.

#include <QAbstractTableModel>
#include <array>
#include <optional>

#include "data/dataset.h"

namespace reference {

// The values of a norm row to save; a value not typed and not stored is 0.
struct NormValues {
    int norma = 0;
    double price = 0;
    int prize = 0;
};

class NormRows : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Norma = 0, Price = 1, Prize = 2 };

    explicit NormRows(data::Dataset& norms, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Norm rows read (the new line not counted).
    int savedCount() const;
    bool isNewLine(int row) const { return row == savedCount(); }
    // The row's norm id; 0 for the new line.
    int normId(int row) const;
    int rowOfNorm(int id) const;

    // The row with typed changes not saved yet, if any.
    std::optional<int> changedRow() const { return changedRow_; }
    NormValues values(int row) const;
    void forgetChanges();

    // The row the row indicator marks.
    void setCurrentRow(int row);

    // The price as the grid shows it: two decimals at least, three at most.
    static QString priceText(double price);

private:
    QVariant stored(int row, int column) const;
    QVariant value(int row, int column) const;

    data::Dataset* norms_;  // null once the dataset is gone
    data::Subscription subscription_;
    std::optional<int> changedRow_;
    std::array<std::optional<QVariant>, 3> changes_;
    int currentRow_ = -1;
};

}  // namespace reference
