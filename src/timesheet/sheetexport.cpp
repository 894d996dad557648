#include "timesheet/sheetexport.h"

#include "data/dataset.h"
#include "export/spreadsheet.h"

namespace timesheet {

namespace {

constexpr int sheet = 1;
constexpr int nameColumn = 1;
constexpr int totalColumn = 33;

void write(int column, int row, const QString& text, bool textFormat, bool bold)
{
    xlsx::SpreadsheetWriteFormatted(sheet, column, row, text, textFormat, true, bold);
}

}  // namespace

bool exportMonthSummary(const data::Dataset& summary, const QString& title, const xlsx::ExportProgress& progress)
{
    if (xlsx::SpreadsheetOpen() != 1)
        return false;
    xlsx::SpreadsheetSetVisible(false);
    const int total = summary.recordCount();
    if (progress)
        progress(0, total);

    write(nameColumn, 1, title, true, true);
    write(nameColumn, 2, QStringLiteral("Фамилия И.О."), true, true);
    for (int day = 1; day <= 31; ++day)
        write(nameColumn + day, 2, QString::number(day), false, true);
    write(totalColumn, 2, QStringLiteral("Итого"), true, true);

    const int fio = summary.fieldIndex(QStringLiteral("fio"));
    QString dayFields[31];
    int days[31];
    for (int day = 1; day <= 31; ++day) {
        dayFields[day - 1] = QStringLiteral("sd%1").arg(day);
        days[day - 1] = summary.fieldIndex(dayFields[day - 1]);
    }
    for (int i = 0; i < total; ++i) {
        const int row = i + 3;
        write(nameColumn, row, data::variantText(summary.valueAt(i, fio)), true, false);
        qint64 sum = 0;
        for (int day = 1; day <= 31; ++day) {
            const qint64 hours = data::variantInt64(summary.valueAt(i, days[day - 1]), dayFields[day - 1]);
            sum += hours;
            write(nameColumn + day, row, QString::number(hours), false, false);
        }
        write(totalColumn, row, QString::number(sum), false, false);
        if (progress)
            progress(i + 1, total);
    }
    xlsx::SpreadsheetSetVisible(true);
    return true;
}

}  // namespace timesheet
