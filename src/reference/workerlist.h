#pragma once
// The worker list (Form5, "Список рабочих"): the ERP's employees with their
// staff position today, found by typing the beginning of the name. The shift
// record editor uses it as its worker picker; the journal's menu entry
// "Рабочие" would show it as a plain list.

#include <QDialog>
#include <optional>

#include "data/datamodule.h"

class QLineEdit;
class QPushButton;

namespace ui {
class DatasetGrid;
}

namespace reference {

// What the list hands over when a row is taken.
struct WorkerPick {
    QString name;        // fio, blanks removed at both ends
    int workerCode = 0;  // the person's s_code read as a whole number (smena.w_id)
    qint64 personId = 0; // cmn_contractor.person.id
};

class WorkerList : public QDialog {
    Q_OBJECT
public:
    enum class Mode { List = 0, Picker = 1 };

    explicit WorkerList(data::DataModule& dataModule, QWidget* parent = nullptr);

    // Picker opening: opens Workers, shows the select button "Выбрать" as the
    // default button and an empty search field, and shows the window modally.
    // Returns the chosen flag: true when the user took a row (picked() then
    // holds the worker, unless the list showed no row). Workers stays open;
    // the opener decides whether to close it.
    bool pick();
    // List mode (menu "Рабочие"): no select button; Workers is closed afterwards.
    void openAsList();

    Mode mode() const { return mode_; }
    bool chosen() const { return chosen_; }
    const std::optional<WorkerPick>& picked() const { return picked_; }

    ui::DatasetGrid* grid;
    QLineEdit* searchEdit;
    QPushButton* selectButton;
    QPushButton* deleteButton;  // never shown: workers belong to the ERP
    QPushButton* exitButton;

private:
    void applySearch();
    void take();
    void activate();

    data::DataModule& dataModule_;
    Mode mode_ = Mode::List;
    bool chosen_ = false;
    std::optional<WorkerPick> picked_;
};

}  // namespace reference
