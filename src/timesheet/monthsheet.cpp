#include "timesheet/monthsheet.h"

#include <QDate>

#include <algorithm>

namespace timesheet {

DayColumn dayColumn(int day, int month, int year)
{
    const QDate first(year, month, 1);
    if (day < 1 || day > first.daysInMonth())
        return DayColumn::Missing;
    const int weekday = first.addDays(day - 1).dayOfWeek();
    return weekday == Qt::Saturday || weekday == Qt::Sunday ? DayColumn::Weekend : DayColumn::Workday;
}

QStringList monthNames()
{
    return {QStringLiteral("Январь"), QStringLiteral("Февраль"), QStringLiteral("Март"),
            QStringLiteral("Апрель"), QStringLiteral("Май"),     QStringLiteral("Июнь"),
            QStringLiteral("Июль"),   QStringLiteral("Август"),  QStringLiteral("Сентябрь"),
            QStringLiteral("Октябрь"), QStringLiteral("Ноябрь"), QStringLiteral("Декабрь")};
}

QList<int> yearChoices(int journalYear, int currentYear)
{
    const int first = std::min(2007, journalYear);
    const int last = std::max(currentYear + 1, journalYear);
    QList<int> years;
    for (int y = first; y <= last; ++y)
        years.append(y);
    return years;
}

QString printTitle(const QString& monthText, const QString& yearText)
{
    return workbookTitle(monthText, yearText) + QStringLiteral(" г.");
}

QString workbookTitle(const QString& monthText, const QString& yearText)
{
    return monthText + QLatin1Char(' ') + yearText;
}

ui::CellStyle dayCellStyle(DayColumn column, int value, const QColor& text, const QColor& background)
{
    ui::CellStyle style;
    // The column's colour first, then what the value makes of it.
    switch (column) {
    case DayColumn::Workday: style.foreground = text; break;
    case DayColumn::Weekend: style.foreground = weekendColour; break;
    case DayColumn::Missing: style.foreground = background; break;
    }
    if (value == 0) {
        if (column == DayColumn::Workday)
            style.foreground = zeroColour;
    } else if (value == 8) {
        style.bold = true;
        style.foreground = column == DayColumn::Weekend ? weekendColour : text;
    } else if (value > 8) {
        style.bold = true;
        style.background = overtimeBackground;
    }
    return style;
}

QColor dayTitleColour(DayColumn column)
{
    switch (column) {
    case DayColumn::Weekend: return weekendColour;
    case DayColumn::Missing: return zeroColour;
    case DayColumn::Workday: break;
    }
    return {};
}

QString monthSummaryStatement()
{
    QString sums;
    for (int day = 1; day <= 31; ++day)
        sums += QStringLiteral(" sum(d%1) as sd%1%2").arg(day).arg(day < 31 ? QStringLiteral(",") : QString());
    // Grouped by the person, not by the name: hours are paid per person.
    return QStringLiteral("select person.s_caption fio,") + sums +
           QStringLiteral(" from accounts_dep.h_tabel, cmn_contractor.person person where "
                          "h_tabel.w_id=person.s_code::t_integer and month=:mnth and year=:yea "
                          "group by person.id, person.s_caption order by fio, person.id");
}

}  // namespace timesheet
