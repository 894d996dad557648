#pragma once
// The time sheet window (Form19, "Табель по времени"): one month of the
// monthly hours time sheet per shift on three tabs, its rebuild from the
// shift records, its print and its workbook.

#include <array>

#include "data/datamodule.h"
#include "reports/printedlayout.h"
#include "timesheet/monthsheet.h"
#include "ui/commanddialog.h"

class QComboBox;
class QProgressBar;
class QPushButton;
class QTabWidget;

namespace session {
class RunState;
}
namespace ui {
class DatasetGrid;
}

namespace timesheet {

class TimeSheetWindow : public ui::CommandDialog {
    Q_OBJECT
public:
    // The year list reaches the year after the state's today.
    TimeSheetWindow(data::DataModule& dataModule, const session::RunState& state, QWidget* parent = nullptr);

    // The journal's menu entry: the lists set to the month (1..12) and year,
    // that month loaded, the window shown modally. The tab last shown stays.
    void openOnMonth(int month, int year);

    // Month of the month list (1..12) and the year list's number.
    int chosenMonth() const;
    int chosenYear() const;
    // The kind of day column `day` (1..31) of the month the grids show.
    DayColumn dayColumnOf(int day) const { return days_[day - 1]; }

    // A change of either list: the three shifts of the chosen month.
    void loadMonth();
    // "Обновить": the three grids read again with the month they show.
    void refresh();
    // "Перестроить": the chosen month rebuilt from the shift records.
    void rebuild();
    // "Печать": the monthly summary in the print preview.
    void print();
    // "Excel": the monthly summary as a workbook.
    void exportWorkbook();

    QTabWidget* PageControl1;
    std::array<ui::DatasetGrid*, 3> grids;  // shifts 1..3 on H_Tabel_1..3
    QPushButton* excelButton;               // "Excel", on the first tab
    QPushButton* rebuildButton;             // "Перестроить", on the first tab
    QProgressBar* ProgressBar1;             // on the first tab, shown during a rebuild
    QPushButton* printButton;
    QComboBox* monthList;
    QComboBox* yearList;
    QPushButton* refreshButton;
    QPushButton* exitButton;

    data::Dataset H_Tabel;          // the monthly summary of the print and the export
    reports::PrintedLayout Form15;  // the time sheet print

private:
    ui::DatasetGrid* makeGrid(int shift, QWidget* parent);
    void fillYears(int year);
    void colourColumns(int month, int year);
    // Runs fn with H_Tabel open on the chosen month, closed again after.
    template <typename Fn>
    void withSummary(Fn&& fn);

    data::DataModule& dataModule_;
    const session::RunState& state_;
    std::array<DayColumn, 31> days_{};
};

}  // namespace timesheet
