#pragma once
// What the time sheet window shows of a month, without the window: which day
// columns are weekends or days the month does not have, how a day cell and a
// column title are coloured, the lists to choose the month from, and the
// monthly summary that the print and the export read.

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

#include "ui/datasetgrid.h"

namespace timesheet {

enum class DayColumn {
    Workday,
    Weekend,  // Saturday or Sunday
    Missing,  // past the month's end (29..31 in short months)
};

DayColumn dayColumn(int day, int month, int year);

// "Январь" .. "Декабрь".
QStringList monthNames();
// The years the year list offers: 2007 up to the year after the current one,
// the journal date's year always among them.
QList<int> yearChoices(int journalYear, int currentYear);

// The title of the print, "Январь 2021 г.", and of the workbook, "Январь 2021".
QString printTitle(const QString& monthText, const QString& yearText);
QString workbookTitle(const QString& monthText, const QString& yearText);

// Colours of the grids.
inline const QColor weekendColour{255, 0, 0};
inline const QColor zeroColour{192, 192, 192};          // silver: 0, and titles of missing days
inline const QColor overtimeBackground{192, 220, 192};  // above 8 hours
inline const QColor totalBackground{225, 228, 255};     // "Итого"

// The look of a day cell with the value (an empty cell counts as 0) in a
// column of that kind; text is the normal window text colour, background
// the cells' background (the text of a missing day takes it, so it is not seen).
ui::CellStyle dayCellStyle(DayColumn column, int value, const QColor& text, const QColor& background);
// The colour of a day column's title; invalid for the normal one.
QColor dayTitleColour(DayColumn column);

// The monthly summary (fields fio, sd1 .. sd31; parameters mnth, yea): the
// month's hours of each day added over all shifts, one row per person, sorted
// by name. Two persons of the same name are two rows.
QString monthSummaryStatement();

}  // namespace timesheet
