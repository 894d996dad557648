#include "ui/datasetgrid.h"

#include <QFont>
#include <QHeaderView>
#include <QItemSelectionModel>

namespace ui {

DatasetModel::DatasetModel(QList<GridColumn> columns, QObject* parent) : QAbstractTableModel(parent)
{
    for (GridColumn& c : columns)
        if (c.visible)
            columns_.append(std::move(c));
}

DatasetModel::~DatasetModel() = default;

void DatasetModel::setDataset(data::Dataset* dataset)
{
    beginResetModel();
    subscription_.reset();
    dataset_ = dataset;
    if (dataset_)
        subscription_ = dataset_->subscribe([this](data::DatasetChange c) { datasetChanged(c); });
    fieldIndexes_.clear();
    endResetModel();
    datasetChanged(data::DatasetChange::Reset);
}

void DatasetModel::datasetChanged(data::DatasetChange change)
{
    if (change == data::DatasetChange::Destroyed) {
        beginResetModel();
        dataset_ = nullptr;
        fieldIndexes_.clear();
        endResetModel();
        return;
    }
    if (change == data::DatasetChange::Reset) {
        beginResetModel();
        fieldIndexes_.clear();
        if (dataset_ && dataset_->isOpen())
            for (const GridColumn& c : columns_)
                fieldIndexes_.append(dataset_->fieldIndex(c.field));
        endResetModel();
    }
    emit currentMoved(dataset_ && dataset_->isOpen() ? dataset_->recNo() - 1 : -1);
}

int DatasetModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !dataset_ || !dataset_->isOpen())
        return 0;
    return dataset_->recordCount();
}

int DatasetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QString DatasetModel::cellText(int row, int column) const
{
    if (!dataset_ || column < 0 || column >= fieldIndexes_.size())
        return {};
    return data::variantText(dataset_->valueAt(row, fieldIndexes_[column]));
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !dataset_ || index.column() >= fieldIndexes_.size())
        return {};
    const GridColumn& column = columns_[index.column()];
    switch (role) {
    case Qt::DisplayRole:
        return cellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(column.alignment);
    case Qt::ForegroundRole:
    case Qt::BackgroundRole:
    case Qt::FontRole: {
        if (!styler_)
            return {};
        const CellStyle style =
            styler_(*dataset_, index.row(), column, dataset_->valueAt(index.row(), fieldIndexes_[index.column()]));
        if (role == Qt::ForegroundRole)
            return style.foreground.isValid() ? QVariant(style.foreground) : QVariant();
        if (role == Qt::BackgroundRole)
            return style.background.isValid() ? QVariant(style.background) : QVariant();
        if (style.bold) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    }
    default:
        return {};
    }
}

void DatasetModel::refreshTitles()
{
    if (!columns_.isEmpty())
        emit headerDataChanged(Qt::Horizontal, 0, int(columns_.size()) - 1);
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return columns_[section].title;
    case Qt::FontRole: {
        QFont f;
        f.setBold(true);
        return f;
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(columns_[section].titleCentred ? Qt::AlignCenter
                                                                  : (Qt::AlignLeft | Qt::AlignVCenter));
    case Qt::ForegroundRole: {
        const QColor colour = titleStyler_ ? titleStyler_(section) : QColor();
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    default:
        return {};
    }
}

DatasetGrid::DatasetGrid(QList<GridColumn> columns, QWidget* parent)
    : QTableView(parent), model_(new DatasetModel(std::move(columns), this))
{
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the grid: rows are walked with the arrow keys, not cell by cell.
    setTabKeyNavigation(false);
    setAlternatingRowColors(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &DatasetGrid::titleClicked);
    connect(model_, &DatasetModel::currentMoved, this, [this](int) { selectCurrent(); });
    connect(model_, &QAbstractItemModel::modelReset, this, &DatasetGrid::applyColumns);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (syncing_ || !current.isValid() || !dataset() || !dataset()->isOpen())
                    return;
                syncing_ = true;
                dataset()->setRecNo(current.row() + 1);
                syncing_ = false;
            });
    applyColumns();
}

void DatasetGrid::setDataset(data::Dataset* dataset)
{
    model_->setDataset(dataset);
    selectCurrent();
}

void DatasetGrid::applyColumns()
{
    const auto& cols = model_->columns();
    for (int i = 0; i < cols.size(); ++i)
        if (cols[i].width > 0)
            setColumnWidth(i, cols[i].width);
}

void DatasetGrid::selectCurrent()
{
    if (syncing_)
        return;
    syncing_ = true;
    data::Dataset* ds = dataset();
    if (ds && ds->isOpen() && ds->recNo() > 0) {
        const bool rows = selectionBehavior() == QAbstractItemView::SelectRows;
        const int column = !rows && currentIndex().isValid() ? currentIndex().column() : 0;
        const QModelIndex index = model_->index(ds->recNo() - 1, column);
        selectionModel()->setCurrentIndex(index, rows ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
                                                      : QItemSelectionModel::ClearAndSelect);
        scrollTo(index);
    } else {
        selectionModel()->clearSelection();
    }
    syncing_ = false;
}

}  // namespace ui
