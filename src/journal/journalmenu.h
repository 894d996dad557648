#pragma once
// What the journal's menu prepares for the windows it opens.

#include <QDate>

namespace journal {

struct Period {
    QDate from;
    QDate to;
};

// The period the summary reports propose: from the first day of the previous
// month to the first day of the current month, both from today's date
// (15.01.2022 -> 01.12.2021 .. 01.01.2022).
Period reportsPeriod(const QDate& today);

struct Month {
    int month;  // 1..12
    int year;
};

// The month the time sheet opens on: that of the journal date.
Month timeSheetMonth(const QDate& journalDate);

// Saturday or Sunday: the journal ticks "Выходной".
bool isWeekend(const QDate& date);

}  // namespace journal
