// The time sheet window on a fresh database, opened from the journal's menu:
// the month's columns and cells, the lists, "Обновить", the rebuild with its
// progress bar and its failure, the print through its PDF and the workbook
// read back from its file.

#include <QAbstractItemModel>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "app/windows.h"
#include "editor/dialogscript.h"
#include "export/spreadsheet.h"
#include "journal/journalwindow.h"
#include "report/demorows.h"
#include "report/painter.h"
#include "reports/printpreview.h"
#include "support/messagerecorder.h"
#include "support/testdatabase.h"
#include "support/testmain.h"
#include "support/workbookcapture.h"
#include "support/timesheetrows.h"
#include "timesheet/daycelldelegate.h"
#include "timesheet/timesheetwindow.h"
#include "ui/datasetgrid.h"
#include "xlsxreader.h"

using timesheet::DayColumn;
using timesheet::TimeSheetWindow;

namespace {

// Persons of the suite: Иванов works shift 1, Петров shifts 2 and 4 only,
// two persons share the name Сидоров С.С.
constexpr int kIvanov = 990201, kPetrov = 990202, kSidorov1 = 990203, kSidorov2 = 990204;

QString sheetRow(int worker, int shift, int month, int year, const QMap<int, int>& days)
{
    QString columns, values;
    for (auto it = days.cbegin(); it != days.cend(); ++it) {
        columns += QStringLiteral(", d%1").arg(it.key());
        values += QStringLiteral(", %1").arg(it.value());
    }
    return QStringLiteral("insert into accounts_dep.h_tabel(w_id, smena, month, year%1) values(%2, %3, %4, %5%6)")
        .arg(columns)
        .arg(worker)
        .arg(shift)
        .arg(month)
        .arg(year)
        .arg(values);
}

QStringList names(const ui::DatasetGrid* grid)
{
    QStringList out;
    for (int row = 0; row < grid->datasetModel()->rowCount(); ++row)
        out << grid->datasetModel()->cellText(row, 0);
    return out;
}

int rowOf(const ui::DatasetGrid* grid, const QString& name)
{
    return int(names(grid).indexOf(name));
}

QVariant cellRole(const ui::DatasetGrid* grid, int row, int day, int role)
{
    return grid->model()->data(grid->model()->index(row, day), role);
}

QVariant titleRole(const ui::DatasetGrid* grid, int day, int role)
{
    return grid->model()->headerData(day, Qt::Horizontal, role);
}

bool boldAt(const ui::DatasetGrid* grid, int row, int day)
{
    const QVariant font = cellRole(grid, row, day, Qt::FontRole);
    return font.isValid() && font.value<QFont>().bold();
}

// The texts of a laid-out page by element name.
QStringList printed(const report::Document& doc, const QString& name)
{
    QStringList out;
    for (const report::Page& page : doc.pages)
        for (const report::PlacedText& t : page.texts)
            if (t.name == name)
                out << t.text;
    return out;
}

}  // namespace

class TimeSheetWindowTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<testing::TestDatabase> db_;
    std::unique_ptr<app::Windows> windows_;
    std::unique_ptr<testing::DialogScript> script_;
    std::unique_ptr<testing::WorkbookCapture> books_;

    TimeSheetWindow& sheet() { return windows_->timeSheet; }
    data::DataModule& dm() { return windows_->dataModule; }

    // Opens the window from the journal's menu on the journal date's month;
    // `act` plays the user while it is open.
    void openOn(const QDate& journalDate, std::function<void(TimeSheetWindow&)> act)
    {
        windows_->journal.setJournalDate(journalDate);
        script_->on<TimeSheetWindow>(QStringLiteral("Form19"), std::move(act));
        windows_->journal.timeSheetAction->trigger();
        QCOMPARE(script_->pending(), 0);
    }
    void choose(TimeSheetWindow& w, int month, int year)
    {
        w.yearList->setCurrentText(QString::number(year));
        w.monthList->setCurrentIndex(month - 1);
    }
private slots:
    void initTestCase()
    {
        db_ = std::make_unique<testing::TestDatabase>(QStringLiteral("timesheetwindow"));
        db_->exec(
            QStringLiteral("insert into cmn_contractor.person (id, s_code, s_caption, b_employee) values "
                           "(990201, '990201', 'Иванов И.И.', true), (990202, '990202', 'Петров П.П.', true), "
                           "(990203, '990203', 'Сидоров С.С.', true), (990204, '990204', 'Сидоров С.С.', true)"));
        // February 2024 (the 3rd and 4th a weekend): 8, 11 and 0 hours, and an 8 on the Saturday.
        db_->exec(sheetRow(kIvanov, 1, 2, 2024, {{1, 8}, {2, 11}, {3, 8}, {5, 4}}));
        // January 2021: Петров in shifts 2 and 4 only, the namesakes in shift 1.
        db_->exec(sheetRow(kIvanov, 1, 1, 2021, {{11, 8}, {12, 8}}));
        db_->exec(sheetRow(kPetrov, 2, 1, 2021, {{11, 6}, {12, 7}}));
        db_->exec(sheetRow(kPetrov, 4, 1, 2021, {{11, 3}}));
        db_->exec(sheetRow(kSidorov1, 1, 1, 2021, {{11, 8}}));
        db_->exec(sheetRow(kSidorov2, 1, 1, 2021, {{11, 5}, {13, 2}}));
        windows_ = std::make_unique<app::Windows>(db_->connectionString());
        windows_->state.setClock([] { return QDate(2026, 12, 10); });
        books_ = std::make_unique<testing::WorkbookCapture>();
    }
    void init()
    {
        script_ = std::make_unique<testing::DialogScript>();
        books_->clear();
    }
    void cleanup() { script_.reset(); }
    void cleanupTestCase()
    {
        books_.reset();
        windows_.reset();
        db_.reset();
    }

    void opensOnTheJournalMonthAndClosesItsDatasets()
    {
        openOn(QDate(2021, 3, 3), [this](TimeSheetWindow& w) {
            QCOMPARE(w.windowTitle(), QStringLiteral("Табель по времени"));
            QCOMPARE(w.monthList->currentText(), QStringLiteral("Март"));
            QCOMPARE(w.yearList->currentText(), QStringLiteral("2021"));
            QCOMPARE(w.monthList->count(), 12);
            QVERIFY(!w.monthList->isEditable() && !w.yearList->isEditable());
            QCOMPARE(w.yearList->itemText(0), QStringLiteral("2007"));
            QCOMPARE(w.yearList->itemText(w.yearList->count() - 1), QStringLiteral("2027"));  // the year after the run's today
            for (int shift = 1; shift <= 3; ++shift) {
                QVERIFY(dm().timeSheet(shift).isOpen());
                QCOMPARE(w.PageControl1->tabText(shift - 1), QStringLiteral("Смена №%1").arg(shift));
            }
            QVERIFY(w.ProgressBar1->isHidden());
            w.PageControl1->setCurrentIndex(2);
            QTest::keyClick(&w, Qt::Key_Escape);
        });
        for (int shift = 1; shift <= 3; ++shift)
            QVERIFY(!dm().timeSheet(shift).isOpen());
        // the tab last shown is shown again; the year list reaches back for an old journal date
        openOn(QDate(2005, 6, 1), [](TimeSheetWindow& w) {
            QCOMPARE(w.PageControl1->currentIndex(), 2);
            QCOMPARE(w.yearList->currentText(), QStringLiteral("2005"));
            w.PageControl1->setCurrentIndex(0);
            w.exitButton->click();
        });
    }

    void gridColumns()
    {
        const ui::DatasetGrid* grid = sheet().grids[0];
        const QHeaderView* header = grid->horizontalHeader();
        QCOMPARE(header->count(), 33);
        QCOMPARE(titleRole(grid, 0, Qt::DisplayRole).toString(), QStringLiteral("Фамилия И. О."));
        QCOMPARE(titleRole(grid, 32, Qt::DisplayRole).toString(), QStringLiteral("Итого"));
        QCOMPARE(grid->columnWidth(0), 208);
        QCOMPARE(grid->columnWidth(32), 47);
        for (int day = 1; day <= 31; ++day) {
            QCOMPARE(titleRole(grid, day, Qt::DisplayRole).toString(), QString::number(day));
            QCOMPARE(grid->columnWidth(day), 20);
            QVERIFY(titleRole(grid, day, Qt::FontRole).value<QFont>().bold());
        }
        QVERIFY(grid->editTriggers() == QAbstractItemView::NoEditTriggers);
    }

    void monthDays_data()
    {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("days");
        QTest::addColumn<QList<int>>("firstWeekends");
        QTest::newRow("February 2024") << 2 << 2024 << 29 << QList<int>{3, 4, 10, 11};
        QTest::newRow("February 2023") << 2 << 2023 << 28 << QList<int>{4, 5, 11, 12};
        QTest::newRow("June 2024, the 1st a Saturday") << 6 << 2024 << 30 << QList<int>{1, 2, 8, 9};
        QTest::newRow("September 2024, the 1st a Sunday") << 9 << 2024 << 30 << QList<int>{1, 7, 8, 14, 15};
    }
    void monthDays()
    {
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(int, days);
        QFETCH(QList<int>, firstWeekends);
        openOn(QDate(2024, 2, 20), [&](TimeSheetWindow& w) {
            choose(w, month, year);
            QCOMPARE(dm().H_Tabel_2.params().value(QStringLiteral("mnth")).toInt(), month);
            QCOMPARE(dm().H_Tabel_3.params().value(QStringLiteral("yea")).toInt(), year);
            const ui::DatasetGrid* grid = w.grids[1];
            int existing = 0;
            QList<int> weekends;
            for (int day = 1; day <= 31; ++day) {
                const DayColumn kind = w.dayColumnOf(day);
                existing += kind != DayColumn::Missing;
                if (kind == DayColumn::Weekend && day <= firstWeekends.last())
                    weekends << day;
                const QVariant title = titleRole(grid, day, Qt::ForegroundRole);
                if (kind == DayColumn::Weekend)
                    QCOMPARE(title.value<QColor>(), QColor(255, 0, 0));
                else if (kind == DayColumn::Missing)
                    QCOMPARE(title.value<QColor>(), QColor(192, 192, 192));
                else
                    QVERIFY(!title.isValid());
            }
            QCOMPARE(existing, days);
            QCOMPARE(weekends, firstWeekends);
            w.exitButton->click();
        });
    }

    void cellsAreDrawnByTheirHours()
    {
        openOn(QDate(2024, 2, 20), [](TimeSheetWindow& w) {
            const ui::DatasetGrid* grid = w.grids[0];
            const int row = rowOf(grid, QStringLiteral("Иванов И.И."));
            QVERIFY(row >= 0);
            const QColor text = grid->palette().color(QPalette::Text);
            const QColor base = grid->palette().color(QPalette::Base);
            // 8: bold; 11: bold on light green; 0: silver; 8 on Saturday: bold red; 4: plain
            QVERIFY(boldAt(grid, row, 1));
            QCOMPARE(cellRole(grid, row, 1, Qt::ForegroundRole).value<QColor>(), text);
            QVERIFY(boldAt(grid, row, 2));
            QCOMPARE(cellRole(grid, row, 2, Qt::BackgroundRole).value<QColor>(), QColor(192, 220, 192));
            QVERIFY(!boldAt(grid, row, 6));
            QCOMPARE(cellRole(grid, row, 6, Qt::ForegroundRole).value<QColor>(), QColor(192, 192, 192));
            QVERIFY(boldAt(grid, row, 3));
            QCOMPARE(cellRole(grid, row, 3, Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
            QCOMPARE(cellRole(grid, row, 4, Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));  // a 0
            QVERIFY(!boldAt(grid, row, 5));
            QVERIFY(!cellRole(grid, row, 5, Qt::BackgroundRole).isValid());
            // days 30 and 31 of February: their zeros are not seen
            QCOMPARE(grid->datasetModel()->cellText(row, 30), QStringLiteral("0"));
            QCOMPARE(cellRole(grid, row, 30, Qt::ForegroundRole).value<QColor>(), base);
            QCOMPARE(cellRole(grid, row, 31, Qt::ForegroundRole).value<QColor>(), base);
            // the name plain, the total 8 + 11 + 8 + 4 on its own background
            QVERIFY(!cellRole(grid, row, 0, Qt::BackgroundRole).isValid());
            QCOMPARE(grid->datasetModel()->cellText(row, 32), QStringLiteral("31"));
            QCOMPARE(cellRole(grid, row, 32, Qt::BackgroundRole).value<QColor>(), QColor(225, 228, 255));

            // the selected cell is drawn plainly
            auto* delegate = qobject_cast<timesheet::DayCellDelegate*>(grid->itemDelegateForColumn(2));
            QVERIFY(delegate);
            QStyleOptionViewItem option;
            option.initFrom(grid);
            option.widget = grid;
            const QModelIndex eleven = grid->model()->index(row, 2);
            QStyleOptionViewItem drawn = delegate->optionFor(option, eleven);
            QVERIFY(drawn.font.bold());
            QCOMPARE(drawn.backgroundBrush.color(), QColor(192, 220, 192));
            option.state |= QStyle::State_Selected;
            drawn = delegate->optionFor(option, eleven);
            QVERIFY(!drawn.font.bold());
            QCOMPARE(drawn.backgroundBrush.style(), Qt::NoBrush);
            w.exitButton->click();
        });
    }

    void eachShiftOnItsTab()
    {
        openOn(QDate(2021, 1, 20), [](TimeSheetWindow& w) {
            QCOMPARE(names(w.grids[0]), (QStringList{QStringLiteral("Иванов И.И."), QStringLiteral("Сидоров С.С."),
                                                     QStringLiteral("Сидоров С.С.")}));
            QCOMPARE(names(w.grids[1]), QStringList{QStringLiteral("Петров П.П.")});
            QVERIFY(names(w.grids[2]).isEmpty());
            w.exitButton->click();
        });
    }

    void refreshReadsAgainTheMonthShown()
    {
        openOn(QDate(2021, 1, 20), [this](TimeSheetWindow& w) {
            db_->exec(QStringLiteral("update accounts_dep.h_tabel set d20=2 where w_id=%1 and month=1 and year=2021")
                          .arg(kIvanov));
            {
                const QSignalBlocker blocker(w.monthList);  // the list moves, the grids keep their month
                w.monthList->setCurrentIndex(5);
            }
            w.refreshButton->click();
            const int row = rowOf(w.grids[0], QStringLiteral("Иванов И.И."));
            QVERIFY(row >= 0);
            QCOMPARE(w.grids[0]->datasetModel()->cellText(row, 20), QStringLiteral("2"));
            QCOMPARE(dm().H_Tabel_1.params().value(QStringLiteral("mnth")).toInt(), 1);
            w.exitButton->click();
        });
        db_->exec(QStringLiteral("update accounts_dep.h_tabel set d20=0 where w_id=%1 and month=1 and year=2021")
                      .arg(kIvanov));
    }

    void printAddsAllShiftsPerPerson()
    {
        const QString pdf = QDir(books_->folder()).filePath(QStringLiteral("табель.pdf"));
        report::Document document;
        script_->on<reports::PrintPreview>(QStringLiteral("Form15Preview"), [&](reports::PrintPreview& preview) {
            document = preview.document();
            QVERIFY(sheet().busy());
            report::writePdf(preview.document(), pdf);
        });
        openOn(QDate(2021, 1, 20), [](TimeSheetWindow& w) {
            w.printButton->click();
            QVERIFY(!w.H_Tabel.isOpen());  // closed with the preview
            w.exitButton->click();
        });
        QCOMPARE(script_->shown(), (QStringList{QStringLiteral("Form19"), QStringLiteral("Form15Preview")}));
        QCOMPARE(sheet().Form15.title(), QStringLiteral("Январь 2021 г."));
        QCOMPARE(testing::pdfPages(pdf), 1);
        QCOMPARE(document.pages.size(), 1);
        QCOMPARE(printed(document, QStringLiteral("title")), QStringList{QStringLiteral("Январь 2021 г.")});
        // one line per person, namesakes apart; Петров's shifts 2 and 4 added
        QCOMPARE(printed(document, QStringLiteral("fio")),
                 (QStringList{QStringLiteral("Иванов И.И."), QStringLiteral("Петров П.П."),
                              QStringLiteral("Сидоров С.С."), QStringLiteral("Сидоров С.С.")}));
        QStringList totals = printed(document, QStringLiteral("total"));
        QCOMPARE(totals,
                 (QStringList{QStringLiteral("16"), QStringLiteral("16"), QStringLiteral("8"), QStringLiteral("7")}));
    }

    void exportWritesTheMonthsWorkbook()
    {
        openOn(QDate(2021, 1, 20), [](TimeSheetWindow& w) {
            QCOMPARE(w.excelButton->text(), QStringLiteral("Excel"));
            w.excelButton->click();
            QCOMPARE(w.excelButton->text(), QStringLiteral("Excel (4 из 4)"));
            QVERIFY(!w.H_Tabel.isOpen());
            w.exitButton->click();
        });
        QCOMPARE(books_->opened().size(), 1);
        testing::XlsxFile book;
        QVERIFY2(book.load(books_->opened().first()), qPrintable(book.error()));
        const auto text = [&](int column, int row) { return book.cell(1, column, row).value_or(testing::XlsxCell{}); };
        QCOMPARE(text(1, 1).value, QStringLiteral("Январь 2021"));
        QVERIFY(text(1, 1).bold && text(1, 1).textFormat);
        QCOMPARE(text(1, 2).value, QStringLiteral("Фамилия И.О."));
        QCOMPARE(text(2, 2).value, QStringLiteral("1"));
        QVERIFY(text(2, 2).isNumber && text(2, 2).bold && !text(2, 2).textFormat);
        QCOMPARE(text(32, 2).value, QStringLiteral("31"));
        QCOMPARE(text(33, 2).value, QStringLiteral("Итого"));
        QVERIFY(text(33, 2).textFormat);
        // rows by name: Петров adds shifts 2 and 4 (6 + 3, 7), the namesakes are two rows
        const QStringList fio = {text(1, 3).value, text(1, 4).value, text(1, 5).value, text(1, 6).value};
        QCOMPARE(fio, (QStringList{QStringLiteral("Иванов И.И."), QStringLiteral("Петров П.П."),
                                   QStringLiteral("Сидоров С.С."), QStringLiteral("Сидоров С.С.")}));
        QVERIFY(text(1, 3).textFormat && !text(1, 3).bold);
        QCOMPARE(text(12, 4).value, QStringLiteral("9"));
        QCOMPARE(text(13, 4).value, QStringLiteral("7"));
        QVERIFY(text(12, 4).isNumber && !text(12, 4).bold);
        QCOMPARE(text(33, 4).value, QStringLiteral("16"));
        QCOMPARE(text(32, 4).value, QStringLiteral("0"));  // every day column is written
        QCOMPARE(text(33, 5).value.toInt() + text(33, 6).value.toInt(), 15);
        QVERIFY(!book.cell(1, 1, 7));
        QVERIFY(book.width(1, 1).has_value());
        QCOMPARE(book.cellCount(1), 2 + 32 + 4 * 33);

        // the next opening shows "Excel" again
        openOn(QDate(2021, 1, 20), [](TimeSheetWindow& w) {
            QCOMPARE(w.excelButton->text(), QStringLiteral("Excel"));
            w.exitButton->click();
        });
    }

    void exportOfAnEmptyMonth()
    {
        openOn(QDate(2019, 5, 20), [](TimeSheetWindow& w) {
            w.excelButton->click();
            QCOMPARE(w.excelButton->text(), QStringLiteral("Excel (0 из 0)"));
            w.exitButton->click();
        });
        QCOMPARE(books_->opened().size(), 1);
        testing::XlsxFile book;
        QVERIFY(book.load(books_->opened().first()));
        QCOMPARE(book.cell(1, 1, 1)->value, QStringLiteral("Май 2019"));
        QCOMPARE(book.cellCount(1), 2 + 32);  // rows 1 and 2 only
    }

    void noSecondCommandWhileAnExportRuns()
    {
        QSignalSpy finished(&sheet(), &QDialog::finished);
        openOn(QDate(2021, 1, 20), [&](TimeSheetWindow& w) {
            bool tried = false;
            // the export lets the window process events: the user presses
            // "Excel", "Печать" and Esc meanwhile
            QTimer::singleShot(0, &w, [&] {
                tried = w.busy();
                w.excelButton->click();
                w.printButton->click();
                QTest::keyClick(&w, Qt::Key_Escape);
            });
            w.excelButton->click();
            QVERIFY(tried);
            QCOMPARE(finished.count(), 0);
            w.exitButton->click();
            QCOMPARE(finished.count(), 1);
        });
        QCOMPARE(books_->opened().size(), 1);
        QCOMPARE(script_->shown(), QStringList{QStringLiteral("Form19")});  // no preview
    }

    void rebuildCountsTheRecordsWithItsProgressBar()
    {
        // 4 + 5 hours of one day; a stale row of a worker without records
        db_->exec(testing::recordInsert(kIvanov, 1, QDate(2021, 4, 12), 4));
        db_->exec(testing::recordInsert(kIvanov, 1, QDate(2021, 4, 12), 5));
        db_->exec(testing::recordInsert(kPetrov, 4, QDate(2021, 4, 30), 2));
        db_->exec(sheetRow(kSidorov1, 1, 4, 2021, {{1, 8}}));
        QList<int> shownAt;
        struct PaintWatch : QObject {
            QList<int>* values;
            bool eventFilter(QObject* o, QEvent* e) override
            {
                if (e->type() == QEvent::Paint)
                    values->append(static_cast<QProgressBar*>(o)->value());
                return false;
            }
        } watch;
        watch.values = &shownAt;
        openOn(QDate(2021, 4, 20), [&](TimeSheetWindow& w) {
            QCOMPARE(names(w.grids[0]), QStringList{QStringLiteral("Сидоров С.С.")});
            w.show();  // the bar paints only on a window on screen
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.ProgressBar1->installEventFilter(&watch);
            w.rebuildButton->click();
            w.ProgressBar1->removeEventFilter(&watch);
            QVERIFY(w.ProgressBar1->isHidden());
            QCOMPARE(w.ProgressBar1->minimum(), 1);
            QCOMPARE(w.ProgressBar1->maximum(), 30);
            QCOMPARE(names(w.grids[0]), QStringList{QStringLiteral("Иванов И.И.")});
            QCOMPARE(w.grids[0]->datasetModel()->cellText(0, 12), QStringLiteral("9"));
            QVERIFY(names(w.grids[1]).isEmpty());
            w.exitButton->click();
        });
        QVERIFY2(shownAt.size() >= 2, qPrintable(QString::number(shownAt.size())));
        QCOMPARE(shownAt.last(), 30);
        QCOMPARE(db_->scalar("select d30 from accounts_dep.h_tabel where w_id=990202 and smena=4 and month=4 and "
                             "year=2021")
                     .toInt(),
                 2);

        // a month without records keeps no rows
        db_->exec(sheetRow(kIvanov, 1, 8, 2021, {{2, 8}}));
        openOn(QDate(2021, 8, 20), [](TimeSheetWindow& w) {
            w.rebuildButton->click();
            for (const ui::DatasetGrid* grid : w.grids)
                QVERIFY(names(grid).isEmpty());
            w.exitButton->click();
        });
        QCOMPARE(testing::monthRowsText(*db_, 8, 2021), QString());
    }

    void aDuplicateRowIsListedUntilTheRebuild()
    {
        // A month row written twice (copies of the program without the lock,
        // a database without the unique key): listed as the table holds it,
        // and folded into one by the rebuild.
        const testing::SheetKeyDropped noKey(*db_);
        db_->exec(testing::recordInsert(kIvanov, 1, QDate(2021, 5, 12), 8));
        db_->exec(sheetRow(kIvanov, 1, 5, 2021, {{12, 8}}));
        db_->exec(sheetRow(kIvanov, 1, 5, 2021, {{12, 8}}));
        openOn(QDate(2021, 5, 20), [](TimeSheetWindow& w) {
            QCOMPARE(names(w.grids[0]), QStringList({QStringLiteral("Иванов И.И."), QStringLiteral("Иванов И.И.")}));
            w.rebuildButton->click();
            QCOMPARE(names(w.grids[0]), QStringList{QStringLiteral("Иванов И.И.")});
            QCOMPARE(w.grids[0]->datasetModel()->cellText(0, 12), QStringLiteral("8"));
            w.exitButton->click();
        });
        QCOMPARE(db_->scalar("select count(*) from accounts_dep.h_tabel where month=5 and year=2021").toInt(), 1);
    }

    void aFailedRebuildLeavesTheMonth()
    {
        const QString before = testing::monthRowsText(*db_, 1, 2021);
        testing::refuseTimeSheetWrites(*db_);
        testing::MessageRecorder messages;
        openOn(QDate(2021, 1, 20), [&](TimeSheetWindow& w) {
            w.rebuildButton->click();
            QCOMPARE(messages.count(), 1);
            QCOMPARE(messages.messages().first().caption, QStringLiteral("Ошибка"));
            QVERIFY2(messages.lastText().contains(testing::kRefusedWrite), qPrintable(messages.lastText()));
            QVERIFY(w.ProgressBar1->isHidden());
            QCOMPARE(names(w.grids[0]).size(), 3);  // shown again as it was
            w.exitButton->click();
        });
        testing::allowTimeSheetWrites(*db_);
        QCOMPARE(testing::monthRowsText(*db_, 1, 2021), before);
    }

    void aDatabaseErrorLeavesTheWindowUsable()
    {
        testing::MessageRecorder messages;
        openOn(QDate(2024, 1, 20), [&](TimeSheetWindow& w) {
            db_->exec("alter table accounts_dep.h_tabel rename to h_tabel_away");
            w.monthList->setCurrentIndex(1);
            db_->exec("alter table accounts_dep.h_tabel_away rename to h_tabel");
            QCOMPARE(messages.count(), 1);
            QVERIFY(messages.lastText().contains(QStringLiteral("h_tabel")));
            w.refreshButton->click();  // the month chosen, now readable
            QCOMPARE(names(w.grids[0]), QStringList{QStringLiteral("Иванов И.И.")});
            QCOMPARE(messages.count(), 1);
            w.exitButton->click();
        });
    }
};

TABEL_TEST_MAIN(TimeSheetWindowTest)
#include "test_timesheetwindow.moc"
