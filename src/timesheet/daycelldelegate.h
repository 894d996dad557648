#pragma once
// Draws the day cells of a time sheet grid: with the looks the grid's styler
// gives them, except the selected cell, which is drawn plainly.

#include <QStyledItemDelegate>

namespace timesheet {

class DayCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The options a cell is drawn with, given the view's options for it.
    QStyleOptionViewItem optionFor(const QStyleOptionViewItem& viewOption, const QModelIndex& index) const;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace timesheet
