#pragma once
// A read-only grid over an in-memory dataset: whole-row selection that follows
// the dataset's current row and moves it, column titles bold and centred.

#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <QTableView>
#include <functional>

#include "data/dataset.h"

namespace ui {

struct GridColumn {
    QString field;
    QString title;
    int width = 0;  // 0: the toolkit's default
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    // A column declared but not shown: the grid leaves it out altogether, so
    // neither the header nor assistive tools offer it.
    bool visible = true;
    bool titleCentred = true;
};

// Optional per-cell look: text colour, background, bold.
struct CellStyle {
    QColor foreground;
    QColor background;
    bool bold = false;
};
using CellStyler = std::function<CellStyle(const data::Dataset&, int row, const GridColumn&, const QVariant&)>;
// Optional colour of a column title (index into the column list); invalid for the normal one.
using TitleStyler = std::function<QColor(int column)>;

class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DatasetModel(QList<GridColumn> columns, QObject* parent = nullptr);
    ~DatasetModel() override;

    // Shows another dataset (or none); the previous one is no longer followed.
    void setDataset(data::Dataset* dataset);
    data::Dataset* dataset() const { return dataset_; }
    // The columns shown, in order (the invisible ones are left out).
    const QList<GridColumn>& columns() const { return columns_; }
    void setStyler(CellStyler styler) { styler_ = std::move(styler); }
    void setTitleStyler(TitleStyler styler) { titleStyler_ = std::move(styler); }
    // Asks the grid to draw every title again (their colours changed).
    void refreshTitles();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Text of a cell as the grid shows it.
    QString cellText(int row, int column) const;

signals:
    void currentMoved(int row);

private:
    void datasetChanged(data::DatasetChange change);

    QList<GridColumn> columns_;
    QList<int> fieldIndexes_;
    data::Dataset* dataset_ = nullptr;
    data::Subscription subscription_;
    CellStyler styler_;
    TitleStyler titleStyler_;
};

// Selects whole rows; with setSelectionBehavior(SelectItems) it selects one
// cell, keeping the column as the current row follows the dataset.
class DatasetGrid : public QTableView {
    Q_OBJECT
public:
    explicit DatasetGrid(QList<GridColumn> columns, QWidget* parent = nullptr);
    DatasetModel* datasetModel() const { return model_; }
    void setDataset(data::Dataset* dataset);
    data::Dataset* dataset() const { return model_->dataset(); }

signals:
    // A click on a column title (index into the column list).
    void titleClicked(int column);

private:
    void applyColumns();
    void selectCurrent();
    DatasetModel* model_;
    bool syncing_ = false;
};

}  // namespace ui
