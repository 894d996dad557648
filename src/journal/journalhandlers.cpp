// What the journal does: opening on today, date change, the shift buttons,
// "Выходной", "Обновить", the sort by column title, "Выход" and the menu
// entries that open the windows of other parts of the program.

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QDateTime>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QPushButton>
#include <QRadioButton>

#include "core/finally.h"
#include "journal/journalmenu.h"
#include "journal/journalsort.h"
#include "journal/journalwindow.h"
#include "session/runstate.h"
#include "ui/application.h"
#include "ui/busycursor.h"
#include "ui/datasetgrid.h"

namespace journal {

namespace {

const QColor kChosenShift(0, 128, 0);
const QColor kDayOff(255, 0, 0);

// Background (the button-face colour unless given) and weight of a caption.
void paintCaption(QWidget* w, bool marked, const QColor& markColour)
{
    QPalette p = w->palette();
    p.setColor(w->backgroundRole(), marked ? markColour : QApplication::palette(w).color(QPalette::Button));
    w->setPalette(p);
    QFont f = w->font();
    f.setBold(marked);
    w->setFont(f);
}

// Asks for a menu entry's window; the datasets it opened are closed when it
// is closed (also when it stops on an error), so that the next opening reads afresh.
template <typename Fn>
void showThenClose(Fn&& show, std::initializer_list<data::Dataset*> datasets)
{
    const core::Finally close([&datasets] {
        for (data::Dataset* d : datasets)
            d->close();
    });
    show();
}

}  // namespace

void JournalWindow::connectJournalActions()
{
    for (int shift = 1; shift <= 4; ++shift) {
        connect(shiftButton(shift), &QRadioButton::toggled, this, [this, shift](bool chosen) {
            if (chosen)
                chooseShift(shift);
        });
    }
    chooseShift(1);
    connect(CBox1, &QCheckBox::toggled, this, [this](bool ticked) {
        state_.setDayOff(ticked);
        paintDayOff(ticked);
    });
    state_.setDayOff(CBox1->isChecked());
    paintDayOff(CBox1->isChecked());
    // Typing a date changes the journal date at once, as the picker shows it;
    // the shifts are loaded only by the date change below.
    connect(DateT, &QDateEdit::dateChanged, this, [this](const QDate& date) { state_.setJournalDate(date); });
    state_.setJournalDate(DateT->date());

    // The date change runs when the calendar closes, with or without a new
    // date, and on Enter in the picker; typing a date alone does nothing.
    DateT->installEventFilter(this);
    if (QCalendarWidget* calendar = DateT->calendarWidget())
        calendar->window()->installEventFilter(this);

    connect(refreshButton, &QPushButton::clicked, this, [this] { ui::guarded([this] { refresh(); }); });
    connect(DBGrid2, &ui::DatasetGrid::titleClicked, this,
            [this](int column) { ui::guarded([this, column] { sortByTitle(column); }); });
    connect(exitButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(exitAction, &QAction::triggered, this, &QDialog::reject);

    // An entry whose window nobody has connected does nothing.
    connect(operationKindsAction, &QAction::triggered, this, [this] {
        if (!isSignalConnected(QMetaMethod::fromSignal(&JournalWindow::operationKindsRequested)))
            return;
        ui::guarded([this] { showThenClose([this] { emit operationKindsRequested(); }, {&dataModule().Vid_oper}); });
    });
    connect(timeSheetAction, &QAction::triggered, this, [this] {
        if (!isSignalConnected(QMetaMethod::fromSignal(&JournalWindow::timeSheetRequested)))
            return;
        ui::guarded([this] {
            const Month m = timeSheetMonth(journalDate());
            data::DataModule& dm = dataModule();
            showThenClose([&] { emit timeSheetRequested(m.month, m.year); },
                          {&dm.H_Tabel_1, &dm.H_Tabel_2, &dm.H_Tabel_3});
        });
    });
    connect(summaryReportsAction, &QAction::triggered, this, [this] {
        if (!isSignalConnected(QMetaMethod::fromSignal(&JournalWindow::summaryReportsRequested)))
            return;
        ui::guarded([this] {
            const Period p = reportsPeriod(state_.today());
            emit summaryReportsRequested(p.from, p.to);
        });
    });
    // "Внеурочное" does nothing.
}

void JournalWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!opened_) {
        opened_ = true;
        ui::guarded([this] { openOnToday(); });
    }
}

bool JournalWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == DateT && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            DateT->interpretText();
            ui::guarded([this] { changeDate(); });
            return true;
        }
    } else if (event->type() == QEvent::Hide && DateT->calendarWidget()
               && watched == DateT->calendarWidget()->window()) {
        ui::guarded([this] { changeDate(); });
    }
    return QDialog::eventFilter(watched, event);
}

void JournalWindow::openOnToday()
{
    const QDate date = state_.today();
    DateT->setDate(date);
    if (isWeekend(date))
        CBox1->setChecked(true);  // never cleared here
    loadShifts();
}

void JournalWindow::changeDate()
{
    {
        ui::BusyCursor busy;
        loadShifts();
        CBox1->setChecked(isWeekend(journalDate()));
    }
    DBGrid2->setFocus();
}

void JournalWindow::loadShifts()
{
    data::DataModule& dm = dataModule();
    for (int shift = 1; shift <= 4; ++shift)
        dm.smena(shift).close();
    const QDateTime day(journalDate(), QTime(0, 0));
    for (int shift = 1; shift <= 4; ++shift) {
        data::Dataset& ds = dm.smena(shift);
        ds.setParam(QStringLiteral("data"), day);
        ds.open();
    }
}

void JournalWindow::refresh()
{
    ui::BusyCursor busy;
    data::DataModule& dm = dataModule();
    for (int shift = 1; shift <= 4; ++shift)
        dm.smena(shift).close();
    for (int shift = 1; shift <= 4; ++shift)
        dm.smena(shift).open();
}

void JournalWindow::chooseShift(int shift)
{
    DBGrid2->setDataset(&dataModule().smena(shift));
    for (int s = 1; s <= 4; ++s)
        paintCaption(shiftButton(s), s == shift, kChosenShift);
    state_.setCurrentShift(shift);
}

void JournalWindow::paintDayOff(bool ticked)
{
    paintCaption(CBox1, ticked, kDayOff);
}

void JournalWindow::sortByTitle(int column)
{
    const auto& columns = DBGrid2->datasetModel()->columns();
    if (column < 0 || column >= columns.size())
        return;
    data::Dataset& ds = currentDataset();
    if (const auto sort = sortAfterTitleClick(columns[column].field, ds.sort()))
        ds.setSort(*sort);
}

}  // namespace journal
