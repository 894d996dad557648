#pragma once
// The material dialog (Form24, "Материал"): one material consumed by a saved
// shift record. It offers the materials the database allows for the record,
// shows the material's stock in the source warehouse of the record's
// requisition, proposes a consumption from the routing norm and stores the
// consumption the user confirms.

#include <QDialog>
#include <array>

#include "data/command.h"
#include "data/dataset.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace data {
class Connection;
}

namespace editor {

class LookupComboBox;

// What the dialog reads from the shift record editor.
struct MaterialRecord {
    int recordId = 0;          // smena.id
    qint64 productId = 0;      // smena.i_id = the product's goods id
    QString quantityText;      // "Кол-во"
    QString usedText;          // "Итого:" (all materials of the record)
};

class MaterialDialog : public QDialog {
    Q_OBJECT
public:
    explicit MaterialDialog(data::Connection& connection, QWidget* parent = nullptr);
    ~MaterialDialog() override;

    // Opens the record's material list, shows the dialog modally and closes
    // its queries again; afterwards the combo and "Расход" are reset.
    // True when a consumption was stored.
    bool addFor(const MaterialRecord& record);

    // The material chosen in "ТМЦ": stock lines, norm and proposed consumption.
    void materialChosen();
    // "Запись": checks the consumption against the stock and stores it. A
    // record accepted or deleted on another workstation meanwhile gets
    // nothing: the user is told and the dialog closes.
    void store();

    // Material per product piece of the last material chosen (kept between openings).
    float norm() const { return norm_; }

    data::Dataset v_cmn_gds_in;
    data::Dataset v_id_cons_use;   // not reserved
    data::Dataset v_id_cons_use1;  // reserved for the record's line
    data::Dataset operation;
    data::Command smena_gds_use;

    LookupComboBox* LCB_id_gds_use;  // "ТМЦ"
    QLabel* stockLine1;
    QLabel* stockLine2;
    QLineEdit* consumptionEdit;      // "Расход"
    QPushButton* saveButton;         // "Запись"
    QPushButton* cancelButton;       // "Отмена"

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<data::Subscription, 2> stockLines_;  // the two stock lines follow their queries
    void buildControls();
    void closeQueries();
    double available() const;

    data::Connection& connection_;
    MaterialRecord record_;
    float norm_ = 0;
    bool stored_ = false;
};

}  // namespace editor
