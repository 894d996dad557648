#include "journal/journalokdelegate.h"

namespace journal {

QColor acceptanceColour(const QString& code)
{
    if (code == QLatin1String("ok") || code == QStringLiteral("да"))
        return QColor(0, 128, 0);
    return QColor(255, 0, 0);
}

void OkColumnDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->font.setBold(true);
    const QColor colour = acceptanceColour(index.data(Qt::DisplayRole).toString());
    // On the selected row too: only the background takes the selection colour.
    option->palette.setColor(QPalette::Text, colour);
    option->palette.setColor(QPalette::HighlightedText, colour);
}

}  // namespace journal
