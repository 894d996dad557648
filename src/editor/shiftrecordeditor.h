#pragma once
// The shift record editor (Form11): one shift record created, changed or
// looked at. One long-lived window, opened from the journal in add, edit or
// view mode; what an opening does not set keeps the value of the previous
// opening.
//
// Files: shiftrecordeditor.cpp (openings and close), editorcontrols.cpp
// (the controls), editorpickers.cpp (the field pickers, prices and amount),
// editorstatements.cpp (statement texts), materialsarea.cpp and crewarea.cpp
// (the materials and crew areas).

#include <QDialog>
#include <optional>

#include "data/command.h"
#include "data/dataset.h"

class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace data {
class DataModule;
}
namespace records {
struct ShiftRecordValues;
}
namespace session {
class RunState;
}

namespace reference {
class OperationList;
class WorkerList;
}  // namespace reference

namespace ui {
class DatasetGrid;
}

namespace editor {

class CrewArea;
class LookupComboBox;
class MaterialDialog;
class MaterialsArea;

enum class Mode { None = 0, Add = 1, Edit = 2, View = 3 };

// What the editor holds besides its visible fields.
struct HeldValues {
    Mode mode = Mode::None;
    int recordId = 0;          // smena.id; 0 while a new record is not saved yet
    int workerCode = 0;        // smena.w_id (the person's s_code)
    qint64 personId = 0;       // cmn_contractor.person.id, for crew rows
    int operationId = 0;       // smena.o_id
    qint64 productId = 0;      // smena.i_id
    int operationType = 0;     // oper.naimen of the operation
    // The operation's lowest norm price rounded to 4 decimals ("Цена база");
    // unknown after an edit or view opening until an operation is picked.
    std::optional<double> basePrice;
    double effectivePrice = 0; // "Цена итог", written to smena.cena (rounded to 4 decimals)
};

class ShiftRecordEditor : public QDialog {
    Q_OBJECT
public:
    // Reads the journal date, the current shift and today's date from the
    // run-wide state, and the current shift's dataset from the data module.
    ShiftRecordEditor(data::DataModule& dataModule, const session::RunState& state, reference::WorkerList& workers,
                      reference::OperationList& operations, QWidget* parent = nullptr);
    ~ShiftRecordEditor() override;

    // The three openings; each shows the window modally and, afterwards,
    // brings the journal's current shift dataset back as the opening requires.
    void openForAdding();
    void openForChanging();
    void openForViewing();

    HeldValues& values() { return values_; }
    const HeldValues& values() const { return values_; }
    Mode mode() const { return values_.mode; }

    // For the operation list's search: nothing when no requisition is chosen,
    // otherwise the product code (s_gds_mc) of the chosen line, empty when no
    // line is chosen.
    std::optional<QString> requisitionProduct() const;

    // The field pickers and the amount (also reached by the crew picker and the save).
    void requisitionChosen();
    void lineChosen();
    void pickWorker();
    void pickOperation();
    void recomputeAmount();
    void applyPaintRule();

    // "Запись" (editorsave.cpp).
    void save();

    data::DataModule& dataModule() { return dataModule_; }
    reference::WorkerList& workerList() { return workers_; }
    // The lower areas (materialsarea.cpp, crewarea.cpp).
    MaterialsArea& materials() { return *materials_; }
    CrewArea& crew() { return *crew_; }
    // The material dialog (Form24) that "Добавить" of the materials area opens;
    // start-up builds it after this window, as a window over it.
    void setMaterialDialog(MaterialDialog& dialog);
    MaterialDialog& materialDialog();

    // Datasets and commands of the window.
    data::Dataset v_mnf_requisition;
    data::Dataset v_mnf_requisition_item;
    data::Dataset smena_gds_use;
    data::Dataset sum_smena_gds_use;
    data::Dataset fio_smena_gds;
    data::Command SmenaIU;
    data::Command ins_person;
    data::Command save_all;

    // Group box "Закрыто мастером".
    QGroupBox* groupBox;
    LookupComboBox* LCB_id_doc;       // "Заявка"
    LookupComboBox* LCB_id_doc_item;  // "Строка"
    QLineEdit* workerEdit;            // "ФИО"
    QPushButton* workerButton;        // "..."
    QLineEdit* operationEdit;         // "Операция"
    QPushButton* operationButton;     // "..."
    QLineEdit* quantityEdit;          // "Кол-во"
    QLineEdit* hoursEdit;             // "Время"
    QDateEdit* dateEdit;              // "Дата"
    QLineEdit* rejectsEdit;           // "Брак"
    QLineEdit* basePriceEdit;         // "Цена база"
    QLineEdit* finalPriceEdit;        // "Цена итог"
    QLineEdit* amountEdit;            // "Сумма"
    // Below the group box.
    QLabel* recordNumberLabel;
    QPushButton* saveButton;          // "Запись"
    // Materials area.
    ui::DatasetGrid* materialsGrid;   // "ТМЦ", "Расход"
    QPushButton* materialAddButton;
    QPushButton* materialDeleteButton;
    QLineEdit* materialsTotalEdit;    // "Итого:"
    QLabel* remainingLabel;           // "Осталось:"
    QLineEdit* remainingEdit;
    // Crew area "Бригада".
    QLabel* crewLabel;
    ui::DatasetGrid* crewGrid;        // "Фамилия Имя Отчество"
    QPushButton* crewAddButton;
    QPushButton* crewDeleteButton;
    QPushButton* crewSaveButton;      // "Сохранить"
    QPushButton* exitButton;          // "Выход"

protected:
    void done(int result) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool checkRequiredFields();
    records::ShiftRecordValues valuesToSave() const;
    void buildControls();
    void connectControls();
    void fillFromRecord(const data::Dataset& row);
    void reopenMaterials(int recordId, int totalRecordId);
    void showTotal();
    void showModal();
    void closeStep();
    void exit();
    void hoursLeft();
    void rejectsLeft();
    // What leaving a number field does: the amount, the "0" of an empty field,
    // the check of the number. Throws ConversionError.
    void fieldLeft(QObject* field);
    void fieldLeftForSave(QObject* field);
    bool wheelTurned(QEvent* event);

    data::Dataset& shiftDataset();  // the current shift's dataset

    data::DataModule& dataModule_;
    const session::RunState& state_;
    reference::WorkerList& workers_;
    reference::OperationList& operations_;
    HeldValues values_;
    data::Subscription totalSubscription_;  // "Итого:" follows sum_smena_gds_use
    MaterialsArea* materials_;
    CrewArea* crew_;
    bool shown_ = false;
    // A field left for "Запись" with a bad number, until the click has saved.
    QObject* leftForSave_ = nullptr;
};

}  // namespace editor
