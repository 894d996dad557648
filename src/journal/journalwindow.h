#pragma once
// The journal window (Form1): one date's shift records of the chosen shift.
// It owns the data module and the run-wide state other windows read: the
// journal date, the current shift 1..4 (4 is overtime), the day-off flag and
// the user's login.

#include <QDate>
#include <QDialog>
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

private:
    void buildControls();
    void buildMenu();
    // Wires "Добавить", "Изменить", "Удалить", "Принять", the double-click and
    // the reference-book menu entries (journalactions.cpp).
    void connectRecordActions();

    std::unique_ptr<data::DataModule> dataModule_;
    int currentShift_ = 1;
    QString userLogin_;
    QString userPassword_;
    int buildDate_ = 0;
    int buildTime_ = 0;
};

}  // namespace journal
