#pragma once
// The journal window (Form1): one date's shift records of the chosen shift.
// It owns the data module and the run-wide state other windows read: the
// journal date, the current shift 1..4 (4 is overtime), the day-off flag and
// the user's login.

#include <QDate>
#include <QDialog>
#include <functional>
#include <memory>

#include "data/datamodule.h"

class QAction;
class QCheckBox;
class QDateEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QTimer;

namespace ui {
class DatasetGrid;
}

// --- Windows the journal opens (journalactions.cpp) ---
namespace editor {
class ShiftRecordEditor;
}
namespace reference {
class OperationList;
class WorkerList;
}  // namespace reference
// --- end ---

namespace journal {

class JournalWindow : public QDialog {
    Q_OBJECT
public:
    // Creates the data module on the given connection string (the built-in one when empty).
    explicit JournalWindow(const QString& connectionString = {}, QWidget* parent = nullptr);
    ~JournalWindow() override;

    data::DataModule& dataModule() { return *dataModule_; }

    // Run-wide state.
    int currentShift() const { return currentShift_; }
    void setCurrentShift(int shift);
    QDate journalDate() const;
    void setJournalDate(const QDate& date);
    bool dayOff() const;
    const QString& userLogin() const { return userLogin_; }
    void setUserLogin(const QString& login) { userLogin_ = login; }
    const QString& userPassword() const { return userPassword_; }
    void setUserPassword(const QString& password) { userPassword_ = password; }
    int buildDate() const { return buildDate_; }
    int buildTime() const { return buildTime_; }
    void setBuildStamp(int date, int time)
    {
        buildDate_ = date;
        buildTime_ = time;
    }

    // The shift dataset of the current shift.
    data::Dataset& currentDataset() { return dataModule_->smena(currentShift_); }

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
    QTimer* Timer1;  // 30 s, runs the version gate

    QRadioButton* shiftButton(int shift) const;

    // Today's date as the journal takes it: the workstation's clock unless set.
    void setClock(std::function<QDate()> today) { today_ = std::move(today); }
    QDate today() const;

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

    // Windows of the menu, set by whoever builds them; without one the entry
    // does nothing. Each prepares its window and shows it modally.
    // "Операции": the operation kinds in list mode; Vid_oper is closed afterwards.
    void setOperationKindsWindow(std::function<void()> show) { showOperationKinds_ = std::move(show); }
    // "Табель по времени": the month and year of the journal date; H_Tabel_1..3 are closed afterwards.
    void setTimeSheetWindow(std::function<void(int month, int year)> show) { showTimeSheet_ = std::move(show); }
    // "Сводные отчеты": the period proposed from today's date (reportsPeriod).
    void setSummaryReportsWindow(std::function<void(const QDate& from, const QDate& to)> show)
    {
        showSummaryReports_ = std::move(show);
    }

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
    // Wires "Добавить", "Изменить", "Удалить", "Принять", the double-click and
    // the reference-book menu entries (journalactions.cpp).
    void connectRecordActions();
    // "Удалить", "Принять" and the double-click on a record (journalactions.cpp).
    void deleteRecord();
    void acceptRecord();
    void recordDoubleClicked();

    std::unique_ptr<data::DataModule> dataModule_;
    int currentShift_ = 1;
    QString userLogin_;
    QString userPassword_;
    int buildDate_ = 0;
    int buildTime_ = 0;
    std::function<QDate()> today_;
    bool opened_ = false;
    std::function<void()> showOperationKinds_;
    std::function<void(int, int)> showTimeSheet_;
    std::function<void(const QDate&, const QDate&)> showSummaryReports_;

    // --- Windows the journal opens (journalactions.cpp) ---
    // Created once with the journal, before the data module goes.
public:
    editor::ShiftRecordEditor& recordEditor();
    reference::WorkerList& workerList();
    reference::OperationList& operationList();

private:
    struct RecordWindows;
    struct RecordWindowsDeleter {
        void operator()(RecordWindows* windows) const;
    };
    std::unique_ptr<RecordWindows, RecordWindowsDeleter> recordWindows_;
    // --- end ---
};

}  // namespace journal
