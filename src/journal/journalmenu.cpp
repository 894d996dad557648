#include "journal/journalmenu.h"

namespace journal {

Period reportsPeriod(const QDate& today)
{
    const QDate thisMonth(today.year(), today.month(), 1);
    return {thisMonth.addMonths(-1), thisMonth};
}

Month timeSheetMonth(const QDate& journalDate)
{
    return {journalDate.month(), journalDate.year()};
}

bool isWeekend(const QDate& date)
{
    return date.dayOfWeek() == Qt::Saturday || date.dayOfWeek() == Qt::Sunday;
}

}  // namespace journal
