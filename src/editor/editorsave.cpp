// "Запись": the checks, the record written with its time sheet day cell in
// one transaction, the journal re-read, and in add mode the switch from
// filling in the record to its crew and materials.

#include <QDate>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/textformat.h"
#include "data/datamodule.h"
#include "editor/lookupcombo.h"
#include "editor/shiftrecordeditor.h"
#include "records/shiftrecordstore.h"
#include "session/runstate.h"
#include "ui/datasetgrid.h"
#include "ui/messages.h"

namespace editor {

namespace {

bool blank(const QLineEdit* field)
{
    return fmt::trimmed(field->text()).isEmpty();
}

}  // namespace

bool ShiftRecordEditor::checkRequiredFields()
{
    if (blank(workerEdit) || blank(operationEdit) || blank(quantityEdit) || blank(rejectsEdit) || blank(hoursEdit) ||
        !LCB_id_doc_item->showsEntry() || !LCB_id_doc->showsEntry()) {
        ui::showError(QStringLiteral("Все поля должны быть заполнены!"));
        return false;
    }
    return true;
}

records::ShiftRecordValues ShiftRecordEditor::valuesToSave() const
{
    records::ShiftRecordValues v;
    v.worker = values_.workerCode;
    v.product = int(values_.productId);
    v.operation = values_.operationId;
    v.price = fmt::round4(values_.effectivePrice);
    v.quantity = fmt::parseNumber(quantityEdit->text());
    v.rejects = fmt::parseInteger(rejectsEdit->text());
    v.hours = fmt::parseInteger(hoursEdit->text());
    v.date = dateEdit->date();
    v.shift = state_.currentShift();
    v.requisition = LCB_id_doc->keyValue();
    v.line = LCB_id_doc_item->keyValue();
    return v;
}

void ShiftRecordEditor::save()
{
    leftForSave_ = nullptr;  // the save reads and reports the numbers itself
    if (!checkRequiredFields())
        return;
    // Every number is read before anything is written: a text that is no
    // number stops here with the standard error box.
    const records::ShiftRecordValues v = valuesToSave();
    const double required = v_mnf_requisition_item.isOpen() && !v_mnf_requisition_item.isEmpty()
                                ? v_mnf_requisition_item.number(QStringLiteral("f_qty"))
                                : 0;
    if (v.quantity > required && required > 0) {
        ui::showError(QStringLiteral("Количество изделий не может быть больше требуемого!"));
        return;
    }

    data::DataModule& dm = dataModule_;
    data::Dataset& shift = shiftDataset();
    const bool inserting = values_.mode == Mode::Add && values_.recordId == 0;
    const int recNo = shift.recNo();
    int id = 0;
    try {
        id = records::saveShiftRecord(dm, v, inserting ? 0 : values_.recordId, state_.today());
    } catch (const records::StaleRecord& stale) {
        // accepted or deleted on another workstation: the journal shows what there is now
        shift.reloadAtRow(recNo);
        ui::showError(stale.text());
        return;
    }
    for (int n = 1; n <= 3; ++n)
        dm.timeSheet(n).close();

    if (inserting) {
        values_.recordId = id;
        // The new record becomes the current row; one the journal does not
        // list (another date) leaves the cursor where it was.
        shift.reloadAtRow(recNo);
        shift.locate(QStringLiteral("id"), id);
        recordNumberLabel->setText(QString::number(id));
        reopenMaterials(id, id);
    } else {
        shift.reloadAtRow(recNo);
    }
    materialAddButton->setEnabled(true);
    materialDeleteButton->setEnabled(true);

    if (values_.mode == Mode::Add) {
        fio_smena_gds.close();
        fio_smena_gds.setParam(QStringLiteral("s_id"), id);
        fio_smena_gds.open();
        crewSaveButton->setEnabled(true);
        groupBox->setEnabled(false);
        saveButton->setEnabled(false);
        for (QWidget* w : std::initializer_list<QWidget*>{materialsGrid, crewGrid, crewAddButton, crewDeleteButton})
            w->setEnabled(true);
    }
}

}  // namespace editor
