#include "journal/journalcolumns.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <algorithm>

namespace journal {

QList<ui::GridColumn> journalColumns()
{
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    const Qt::Alignment centre = Qt::AlignCenter;
    return {
        {QStringLiteral("fio"), QStringLiteral("Фамилия И.О."), 250, left},
        {QStringLiteral("marka"), QStringLiteral("Марка изделия"), 260, left},
        {QStringLiteral("vid"), QStringLiteral("Операция"), 155, left},
        {QStringLiteral("nmn"), QStringLiteral("Вид"), 157, left},
        {QStringLiteral("color"), QStringLiteral("Цвет"), 0, centre},
        {QStringLiteral("time"), QStringLiteral("Часы"), 0, right},
        {QStringLiteral("kol_vo"), QStringLiteral("Кол-во"), 57, right},
        {QStringLiteral("brak"), QStringLiteral("Брак"), 49, right},
        {QStringLiteral("summa"), QStringLiteral("Итого (р.)"), 78, right},
        {QStringLiteral("prize"), QStringLiteral("Премия (%)"), 0, right, false},
        {QStringLiteral("ok"), QStringLiteral("OK"), 37, centre},
        {QStringLiteral("vvod"), QStringLiteral("Заведен"), 72, centre},
        {QStringLiteral("id_doc"), QStringLiteral("№ ЗВП"), 65, right},
    };
}

void fitColumnsToFont(QList<ui::GridColumn>& columns, const QFont& font)
{
    // Room for the cell's margins and the grid line.
    const int padding = 12;
    static const QHash<QString, QString> widestContent = {
        {QStringLiteral("vvod"), QStringLiteral("00.00.0000")},
        {QStringLiteral("id_doc"), QStringLiteral("000000000000000")},
    };
    QFont bold = font;
    bold.setBold(true);
    const QFontMetrics titleMetrics(bold);
    const QFontMetrics cellMetrics(font);
    for (ui::GridColumn& c : columns) {
        if (c.width <= 0)
            continue;  // the toolkit's default
        int needed = titleMetrics.horizontalAdvance(c.title) + padding;
        if (const auto it = widestContent.constFind(c.field); it != widestContent.constEnd())
            needed = std::max(needed, cellMetrics.horizontalAdvance(*it) + padding);
        c.width = std::max(c.width, needed);
    }
}

}  // namespace journal
