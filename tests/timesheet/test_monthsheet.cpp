// What the time sheet shows of a month, without a window or a database:
// weekend and missing day columns, the looks of a day cell, the year list.

#include <QTest>

#include "support/testmain.h"
#include "timesheet/monthsheet.h"

using timesheet::DayColumn;

namespace {

// The columns a month marks red, written out by day.
QList<int> weekendDays(int month, int year)
{
    QList<int> days;
    for (int day = 1; day <= 31; ++day)
        if (timesheet::dayColumn(day, month, year) == DayColumn::Weekend)
            days.append(day);
    return days;
}

int existingDays(int month, int year)
{
    int n = 0;
    for (int day = 1; day <= 31; ++day)
        n += timesheet::dayColumn(day, month, year) != DayColumn::Missing;
    return n;
}

const QColor kText(0, 0, 0);
const QColor kBase(255, 255, 255);

}  // namespace

class MonthSheetTest : public QObject {
    Q_OBJECT
private slots:
    void dayColumns_data()
    {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("days");
        QTest::addColumn<QList<int>>("weekends");
        QTest::newRow("February of a leap year") << 2 << 2024 << 29 << QList<int>{3, 4, 10, 11, 17, 18, 24, 25};
        QTest::newRow("February of another year") << 2 << 2023 << 28 << QList<int>{4, 5, 11, 12, 18, 19, 25, 26};
        QTest::newRow("the 1st a Saturday") << 6 << 2024 << 30 << QList<int>{1, 2, 8, 9, 15, 16, 22, 23, 29, 30};
        QTest::newRow("the 1st a Sunday") << 9 << 2024 << 30 << QList<int>{1, 7, 8, 14, 15, 21, 22, 28, 29};
        QTest::newRow("February 2100 is no leap month") << 2 << 2100 << 28 << QList<int>{6, 7, 13, 14, 20, 21, 27, 28};
    }
    void dayColumns()
    {
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(int, days);
        QFETCH(QList<int>, weekends);
        QCOMPARE(existingDays(month, year), days);
        QCOMPARE(weekendDays(month, year), weekends);
        QCOMPARE(timesheet::dayColumn(31, month, year), DayColumn::Missing);
    }

    void weekendsAgreeWithTheCountingRule()
    {
        // The rule the office's sheets were marked by: c = weekday of the 1st
        // (1 = Sunday .. 7 = Saturday); day d is a weekend when (c + d) mod 7 is 1 or 2.
        for (int year = 2007; year <= 2030; ++year)
            for (int month = 1; month <= 12; ++month) {
                const int c = QDate(year, month, 1).dayOfWeek() % 7 + 1;
                for (int day = 1; day <= QDate(year, month, 1).daysInMonth(); ++day) {
                    const int k = (c + day) % 7;
                    QCOMPARE(timesheet::dayColumn(day, month, year) == DayColumn::Weekend, k == 1 || k == 2);
                }
            }
    }

    void dayCellLooks_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("value");
        QTest::addColumn<QColor>("foreground");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<bool>("bold");
        const int work = int(DayColumn::Workday), weekend = int(DayColumn::Weekend), missing = int(DayColumn::Missing);
        const QColor silver(192, 192, 192), red(255, 0, 0), green(192, 220, 192);
        QTest::newRow("0 on a working day: silver") << work << 0 << silver << QColor() << false;
        QTest::newRow("0 on a weekend: red") << weekend << 0 << red << QColor() << false;
        QTest::newRow("0 past the month's end: not seen") << missing << 0 << kBase << QColor() << false;
        QTest::newRow("8: bold") << work << 8 << kText << QColor() << true;
        QTest::newRow("8 on a weekend: bold red") << weekend << 8 << red << QColor() << true;
        QTest::newRow("11: bold on green") << work << 11 << kText << green << true;
        QTest::newRow("11 on a weekend: red on green") << weekend << 11 << red << green << true;
        QTest::newRow("4: plain") << work << 4 << kText << QColor() << false;
        QTest::newRow("4 on a weekend: plain red") << weekend << 4 << red << QColor() << false;
        QTest::newRow("-2: plain") << work << -2 << kText << QColor() << false;
    }
    void dayCellLooks()
    {
        QFETCH(int, column);
        QFETCH(int, value);
        QFETCH(QColor, foreground);
        QFETCH(QColor, background);
        QFETCH(bool, bold);
        const ui::CellStyle style = timesheet::dayCellStyle(DayColumn(column), value, kText, kBase);
        QCOMPARE(style.foreground, foreground);
        QCOMPARE(style.background, background);
        QCOMPARE(style.bold, bold);
    }

    void yearList()
    {
        const QList<int> years = timesheet::yearChoices(2026, 2026);
        QCOMPARE(years.first(), 2007);
        QCOMPARE(years.last(), 2027);  // this year's sheet and the next one's can be opened
        QCOMPARE(years.size(), 21);
        QCOMPARE(timesheet::yearChoices(2031, 2026).last(), 2031);  // a journal date ahead of the clock
        QCOMPARE(timesheet::yearChoices(2003, 2026).first(), 2003);
    }
};

TABEL_TEST_MAIN(MonthSheetTest)
#include "test_monthsheet.moc"
