#pragma once
// The norm editor (Form22, "Норматив"): the norm rows of one operation in
// an editable grid. A row is saved when the user leaves the cell he changed
// (a row typed on the new line becomes a norm row of that operation);
// "Удалить" deletes the current row but never the operation's last one;
// "Сохранить" (also Enter and Escape) saves what is typed and returns to
// the operation list, re-read on its row with the new norm count and price.

#include <QDialog>
#include <QTableView>

#include "data/dataset.h"

class QPushButton;

namespace data {
class DataModule;
}

namespace reference {

class NormRows;

// The grid; it hands the value of a cell being edited to the rows on request.
class NormGrid : public QTableView {
    Q_OBJECT
public:
    using QTableView::QTableView;
    // Takes the open cell editor's text into the rows and closes the editor.
    void commitOpenEditor();
};

class NormEditor : public QDialog {
    Q_OBJECT
public:
    explicit NormEditor(data::DataModule& dataModule, QWidget* parent = nullptr);

    // Opens on the operation list's current operation.
    void openForCurrentOperation();

    // Escape and the window's close button do what "Сохранить" does.
    void reject() override;

    int operationId() const { return operationId_; }

    data::Dataset norm;  // the operation's norm rows by piece count (:o_id)
    NormRows* rows;
    NormGrid* grid;
    QPushButton* deleteButton;
    QPushButton* saveButton;

private:
    void currentCellChanged(const QModelIndex& current, const QModelIndex& previous);
    // Saves the changed row, if any; returns the id of the norm row saved (0 if none).
    int saveChanges();
    // Re-reads the norm rows and puts the current cell on the norm row (0: the new line, -1: the first row).
    void reloadAt(int normId, int column);
    void deleteCurrent();
    void saveAndClose();

    data::DataModule& dataModule_;
    int operationId_ = 0;
    bool moving_ = false;
};

}  // namespace reference
