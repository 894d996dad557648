#include "timesheet/daycelldelegate.h"

#include <QWidget>

namespace timesheet {

QStyleOptionViewItem DayCellDelegate::optionFor(const QStyleOptionViewItem& viewOption, const QModelIndex& index) const
{
    QStyleOptionViewItem option = viewOption;
    initStyleOption(&option, index);
    return option;
}

void DayCellDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (!(option->state & QStyle::State_Selected))
        return;
    // Plain: the view's font and colours; the selection's own colours apply.
    const QWidget* view = option->widget;
    option->font = view ? view->font() : QFont();
    option->fontMetrics = QFontMetrics(option->font);
    option->backgroundBrush = Qt::NoBrush;
    if (view)
        option->palette.setBrush(QPalette::Text, view->palette().brush(QPalette::Text));
}

}  // namespace timesheet
