#pragma once
// The operation list (Form4, "Операции"): every operation that has norms,
// with its lowest norm price. Opened as a list from the journal's menu
// "Цены" and as the operation picker of the shift record editor, which gets
// the operation with its base and effective piece price. Its deletion
// refuses an operation that shift records use; "Excel" exports every
// operation.

#include <QDialog>
#include <functional>
#include <optional>

#include "data/datamodule.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace session {
class RunState;
}
namespace ui {
class DatasetGrid;
}

namespace reference {

// What the list hands over when an operation is taken in picker mode.
struct OperationPick {
    qint64 productId = 0;    // izdel.id
    int operationId = 0;     // oper.id
    int operationType = 0;   // oper.naimen
    double basePrice = 0;    // lowest norm price rounded to 4 decimals
    double effectivePrice = 0;  // base price with the day-off and shift surcharges
    QString operationText;   // "mark; kind; type", the mark read afresh
};

class OperationList : public QDialog {
    Q_OBJECT
public:
    enum class Mode { List = 0, Picker = 1 };

    // The price surcharges follow the run-wide state's day-off flag and current shift.
    OperationList(data::DataModule& dataModule, const session::RunState& state, QWidget* parent = nullptr);

    // The shift record editor's requisition: nothing when none is chosen,
    // otherwise the product code of its chosen line (see operationSearchFilter).
    void setRequisitionProduct(std::function<std::optional<QString>()> source)
    {
        requisitionProduct_ = std::move(source);
    }

    // Picker opening: opens Oper at the operation `startOperationId` (the
    // first row when 0), with an empty search field and "Выбрать" as the
    // default button, and shows the window modally. Returns the operation
    // taken, nothing when the window was left or the list showed no row.
    // Afterwards Oper stays open without a filter.
    std::optional<OperationPick> pick(int startOperationId);
    // List mode (menu "Цены"): "Изменить", "Добавить" and "Удалить" shown;
    // the search text kept from the last opening; Oper closed afterwards.
    void openAsList();

    Mode mode() const { return mode_; }

    ui::DatasetGrid* grid;
    QPushButton* addButton;
    QPushButton* selectButton;  // "Изменить" in list mode, "Выбрать" in picker mode
    QPushButton* deleteButton;
    QPushButton* excelButton;
    QCheckBox* pricesBox;       // "Цены": a double-click opens the norms
    QLineEdit* searchEdit;
    QPushButton* exitButton;

    // Every operation for "Excel", read afresh each time.
    data::Dataset XLS_Rep;

signals:
    // Functions of the operation editor and the norm editor.
    void addRequested();
    void changeRequested();
    void normsRequested();

private:
    void activate();
    void applySearch();
    void select();
    void rowDoubleClicked();
    void deleteOperation();
    void exportOperations();
    OperationPick current() const;

    data::DataModule& dataModule_;
    const session::RunState& state_;
    Mode mode_ = Mode::List;
    std::optional<OperationPick> picked_;
    std::function<std::optional<QString>()> requisitionProduct_;
};

}  // namespace reference
