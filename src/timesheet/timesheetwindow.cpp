#include "timesheet/timesheetwindow.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/finally.h"
#include "records/monthrebuild.h"
#include "reports/datasetrows.h"
#include "reports/layouts.h"
#include "session/runstate.h"
#include "timesheet/daycelldelegate.h"
#include "timesheet/sheetexport.h"
#include "ui/application.h"
#include "ui/busycursor.h"
#include "ui/datasetgrid.h"
#include "ui/dialogs.h"
#include "ui/labels.h"

namespace timesheet {

namespace {

constexpr int nameWidth = 208;
constexpr int dayWidth = 20;
constexpr int totalWidth = 47;

QList<ui::GridColumn> sheetColumns()
{
    QList<ui::GridColumn> columns;
    columns.append({QStringLiteral("fio"), QStringLiteral("Фамилия И. О."), nameWidth});
    for (int day = 1; day <= 31; ++day)
        columns.append({QStringLiteral("d%1").arg(day), QString::number(day), dayWidth, Qt::AlignCenter});
    columns.append({QStringLiteral("summ"), QStringLiteral("Итого"), totalWidth});
    return columns;
}

// The day of a column of sheetColumns(); 0 for the name and the total.
int dayOfColumn(int column)
{
    return column >= 1 && column <= 31 ? column : 0;
}

}  // namespace

TimeSheetWindow::TimeSheetWindow(data::DataModule& dataModule, const session::RunState& state, QWidget* parent)
    : CommandDialog(parent)
    , H_Tabel(dataModule.ADO_DB, QStringLiteral("H_Tabel"), monthSummaryStatement())
    , Form15(reports::timesheetPrint())
    , dataModule_(dataModule)
    , state_(state)
{
    setObjectName(QStringLiteral("Form19"));
    setWindowTitle(QStringLiteral("Табель по времени"));
    days_.fill(DayColumn::Workday);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    for (int shift = 1; shift <= 3; ++shift) {
        auto* page = new QWidget(PageControl1);
        page->setObjectName(QStringLiteral("TabSheet%1").arg(shift));
        auto* pageLayout = new QVBoxLayout(page);
        grids[shift - 1] = makeGrid(shift, page);
        pageLayout->addWidget(grids[shift - 1], 1);
        if (shift == 1) {
            excelButton = ui::makeButton(page, "ButtonExcel", QStringLiteral("Excel"));
            rebuildButton = ui::makeButton(page, "ButtonRebuild", QStringLiteral("Перестроить"));
            ProgressBar1 = new QProgressBar(page);
            ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
            ProgressBar1->setAccessibleName(QStringLiteral("Перестроение"));
            ProgressBar1->hide();
            auto* row = new QHBoxLayout;
            row->addWidget(excelButton);
            row->addWidget(rebuildButton);
            row->addWidget(ProgressBar1, 1);
            row->addStretch();
            pageLayout->addLayout(row);
        }
        PageControl1->addTab(page, QStringLiteral("Смена №%1").arg(shift));
    }

    printButton = ui::makeButton(this, "ButtonPrint", QStringLiteral("Печать"));
    monthList = new QComboBox(this);
    monthList->setObjectName(QStringLiteral("ComboMonth"));
    monthList->setAccessibleName(QStringLiteral("Месяц"));
    monthList->addItems(monthNames());
    yearList = new QComboBox(this);
    yearList->setObjectName(QStringLiteral("ComboYear"));
    yearList->setAccessibleName(QStringLiteral("Год"));
    fillYears(state_.today().year());
    refreshButton = ui::makeButton(this, "ButtonRefresh", QStringLiteral("Обновить"));
    exitButton = ui::makeButton(this, "ButtonExit", QStringLiteral("Выход"));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(printButton);
    bottom->addWidget(monthList);
    bottom->addWidget(yearList);
    bottom->addWidget(refreshButton);
    bottom->addStretch();
    bottom->addWidget(exitButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(bottom);

    // A fixed border, wide enough for the whole month.
    const ui::DatasetGrid* grid = grids[0];
    const int gridWidth = nameWidth + 31 * dayWidth + totalWidth + 2 * grid->frameWidth() +
                          grid->verticalScrollBar()->sizeHint().width() + 4;
    const QMargins outer = layout->contentsMargins();
    const QMargins page = grids[0]->parentWidget()->layout()->contentsMargins();
    setFixedSize(gridWidth + outer.left() + outer.right() + page.left() + page.right() + 4, 600);

    connect(monthList, &QComboBox::currentIndexChanged, this, [this] { command([this] { loadMonth(); }); });
    connect(yearList, &QComboBox::currentIndexChanged, this, [this] { command([this] { loadMonth(); }); });
    connect(refreshButton, &QPushButton::clicked, this, [this] { command([this] { refresh(); }); });
    connect(rebuildButton, &QPushButton::clicked, this, [this] { command([this] { rebuild(); }); });
    connect(printButton, &QPushButton::clicked, this, [this] { command([this] { print(); }); });
    connect(excelButton, &QPushButton::clicked, this, [this] { command([this] { exportWorkbook(); }); });
    connect(exitButton, &QPushButton::clicked, this, &TimeSheetWindow::reject);
}

ui::DatasetGrid* TimeSheetWindow::makeGrid(int shift, QWidget* parent)
{
    auto* grid = new ui::DatasetGrid(sheetColumns(), parent);
    grid->setObjectName(QStringLiteral("DBGrid%1").arg(shift));
    grid->setAccessibleName(QStringLiteral("Смена №%1").arg(shift));
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid->setTextElideMode(Qt::ElideNone);
    grid->horizontalHeader()->setMinimumSectionSize(dayWidth);
    grid->horizontalHeader()->setTextElideMode(Qt::ElideNone);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    auto* delegate = new DayCellDelegate(grid);
    for (int day = 1; day <= 31; ++day)
        grid->setItemDelegateForColumn(day, delegate);

    ui::DatasetModel* model = grid->datasetModel();
    model->setStyler([this, grid](const data::Dataset&, int, const ui::GridColumn& column, const QVariant& value) {
        if (column.field == QLatin1String("summ"))
            return ui::CellStyle{{}, totalBackground};
        if (column.field == QLatin1String("fio"))
            return ui::CellStyle{};
        const int day = column.field.mid(1).toInt();
        const QPalette& palette = grid->palette();
        return dayCellStyle(days_[day - 1], value.isNull() ? 0 : value.toInt(), palette.color(QPalette::Text),
                            palette.color(QPalette::Base));
    });
    model->setTitleStyler([this](int column) {
        const int day = dayOfColumn(column);
        return day ? dayTitleColour(days_[day - 1]) : QColor();
    });
    grid->setDataset(&dataModule_.timeSheet(shift));
    return grid;
}

void TimeSheetWindow::fillYears(int year)
{
    const QSignalBlocker blocker(yearList);
    yearList->clear();
    for (int y : yearChoices(year, state_.today().year()))
        yearList->addItem(QString::number(y));
    yearList->setCurrentText(QString::number(year));
}

void TimeSheetWindow::openOnMonth(int month, int year)
{
    fillYears(year);
    {
        const QSignalBlocker blocker(monthList);
        monthList->setCurrentIndex(month - 1);
    }
    loadMonth();
    excelButton->setText(QStringLiteral("Excel"));
    ui::execModal(*this);
}

int TimeSheetWindow::chosenMonth() const
{
    return monthList->currentIndex() + 1;
}
int TimeSheetWindow::chosenYear() const
{
    return yearList->currentText().toInt();
}

void TimeSheetWindow::loadMonth()
{
    const int month = chosenMonth(), year = chosenYear();
    colourColumns(month, year);
    for (int shift = 1; shift <= 3; ++shift) {
        data::Dataset& sheet = dataModule_.timeSheet(shift);
        sheet.close();
        sheet.setParam(QStringLiteral("mnth"), month);
        sheet.setParam(QStringLiteral("yea"), year);
        sheet.open();
        grids[shift - 1]->datasetModel()->refreshTitles();
    }
}

void TimeSheetWindow::colourColumns(int month, int year)
{
    for (int day = 1; day <= 31; ++day)
        days_[day - 1] = dayColumn(day, month, year);
}

void TimeSheetWindow::refresh()
{
    for (int shift = 1; shift <= 3; ++shift)
        dataModule_.timeSheet(shift).reload();
}

void TimeSheetWindow::rebuild()
{
    const int month = chosenMonth(), year = chosenYear();
    for (int shift = 1; shift <= 3; ++shift)
        dataModule_.timeSheet(shift).close();
    const int days = QDate(year, month, 1).daysInMonth();
    ProgressBar1->setRange(1, days);
    ProgressBar1->setValue(1);
    ProgressBar1->show();
    const core::Finally hide([this] { ProgressBar1->hide(); });
    try {
        // No events are processed while the month is rebuilt: the busy cursor says so.
        const ui::BusyCursor busy;
        records::timesheet::rebuildMonth(dataModule_, month, year, [this, days](int done, int steps) {
            ProgressBar1->setValue(1 + (days - 1) * done / steps);
            ProgressBar1->repaint();  // no events are processed while the month is rebuilt
        });
    } catch (...) {
        // The month is as it was; it is shown again all the same.
        ui::showCurrentException();
    }
    refresh();
}

template <typename Fn>
void TimeSheetWindow::withSummary(Fn&& fn)
{
    const core::Finally done([this] { H_Tabel.close(); });
    H_Tabel.close();
    H_Tabel.setParam(QStringLiteral("mnth"), chosenMonth());
    H_Tabel.setParam(QStringLiteral("yea"), chosenYear());
    H_Tabel.open();
    fn();
}

void TimeSheetWindow::print()
{
    withSummary([this] {
        Form15.setTitle(printTitle(monthList->currentText(), yearList->currentText()));
        Form15.preview(reports::DatasetRows(H_Tabel), this);
    });
}

void TimeSheetWindow::exportWorkbook()
{
    withSummary([this] {
        exportMonthSummary(H_Tabel, workbookTitle(monthList->currentText(), yearList->currentText()),
                           [this](int written, int total) {
                               excelButton->setText(xlsx::exportCaption(written, total));
                               QCoreApplication::processEvents();
                           });
    });
}

}  // namespace timesheet
