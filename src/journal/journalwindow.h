#pragma once
// The journal window (Form1): one date's shift records of the chosen shift.
// Its date picker, shift buttons and "Выходной" are the run-wide state's
// journal date, current shift and day-off flag: it writes them there as they
// change. The windows it opens are not its own: it asks for them through its
// signals, which start-up connects.

#include <QDate>
#include <QDialog>

#include "data/datamodule.h"
#include "records/recordactions.h"
#include "reference/legacyimport.h"

class QAction;
class QCheckBox;
class QDateEdit;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QTimer;

namespace session {
class RunState;
}
namespace ui {
class DatasetGrid;
}

namespace journal {

class JournalWindow : public QDialog {
    Q_OBJECT
public:
    JournalWindow(data::DataModule& dataModule, session::RunState& state, QWidget* parent = nullptr);
    ~JournalWindow() override;

    data::DataModule& dataModule() { return dataModule_; }

    // The journal's part of the run-wide state, through its controls.
    int currentShift() const;
    void setCurrentShift(int shift);
    QDate journalDate() const;
    void setJournalDate(const QDate& date);
    bool dayOff() const;

    // The shift dataset of the current shift.
    data::Dataset& currentDataset() { return dataModule_.smena(currentShift()); }

    // Controls (the role table and the tests reach them by these names).
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QRadioButton* RadioButton4;
    QDateEdit* DateT;
    QCheckBox* CBox1;
    ui::DatasetGrid* DBGrid2;
    QPushButton* addButton;
    QPushButton* editButton;
    QPushButton* deleteButton;
    QPushButton* acceptButton;
    QPushButton* refreshButton;
    QPushButton* exitButton;
    QMenuBar* menuBar;
    QMenu* referenceMenu;  // "Справочники"
    QAction* workersAction;  // "Рабочие"
    QAction* productsAction;  // "Изделия"
    QAction* operationKindsAction;  // "Операции"
    QAction* pricesAction;  // "Цены"
    QAction* overtimeAction;  // "Внеурочное"
    QAction* timeSheetAction;  // "Табель по времени"
    QMenu* reportsMenu;  // "Отчеты"
    QAction* summaryReportsAction;  // "Сводные отчеты"
    QAction* exitAction;  // "Выход"
    QAction* importAction;  // "Импорт": hidden, never shown
    QLabel* Label1;  // the import's progress line, hidden
    QTimer* Timer1;  // 30 s, runs the version gate

    QRadioButton* shiftButton(int shift) const;

    // Opening, when the window is first shown: the journal date becomes today,
    // a Saturday or Sunday ticks "Выходной", the four shift datasets are loaded.
    void openOnToday();
    // Date change (the calendar closes, Enter in the date picker): the four
    // shifts are loaded for the journal date, "Выходной" follows its weekday.
    void changeDate();
    // "Обновить": the four shift datasets are reloaded with the parameters they have.
    void refresh();
    // A click on the title of a column of the record grid (index into its columns).
    void sortByTitle(int column);
    // "Импорт": the previous database's tables are copied into the program's,
    // the progress on Label1; an error is shown in the standard error box.
    void importLegacyDatabase();

    // The import's own two connections (MSA and PGSQL), not the data module's.
    reference::LegacyImport legacyImport;

signals:
    // "Добавить", "Изменить", and the double-click of a user who does not accept.
    void addRecordRequested();
    void changeRecordRequested();
    void viewRecordRequested();
    // "Рабочие", "Изделия" and "Цены" of the menu "Справочники" (the first two stay disabled).
    void workersRequested();
    void productsRequested();
    void pricesRequested();
    // "Операции": the operation kinds in list mode; Vid_oper is closed afterwards.
    void operationKindsRequested();
    // "Табель по времени": the month and year of the journal date; H_Tabel_1..3 are closed afterwards.
    void timeSheetRequested(int month, int year);
    // "Сводные отчеты": the period proposed from today's date (reportsPeriod).
    void summaryReportsRequested(const QDate& from, const QDate& to);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void connectJournalActions();
    void chooseShift(int shift);
    void paintDayOff(bool ticked);
    void loadShifts();
    // "Добавить", "Изменить", "Удалить", "Принять", the double-click, "Рабочие"
    // and "Цены" (journalactions.cpp).
    void connectRecordActions();
    void deleteRecord();
    void acceptRecord();
    void recordDoubleClicked();

    data::DataModule& dataModule_;
    session::RunState& state_;
    records::RecordAcceptance acceptance_;
    bool opened_ = false;
};

}  // namespace journal
