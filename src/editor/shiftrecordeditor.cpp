// Opening and closing the shift record editor.

#include "editor/shiftrecordeditor.h"

#include <QApplication>
#include <QDateEdit>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWheelEvent>

#include "core/finally.h"
#include "core/textformat.h"
#include "data/datamodule.h"
#include "editor/crewarea.h"
#include "editor/editorstatements.h"
#include "editor/lookupcombo.h"
#include "editor/materialsarea.h"
#include "records/crew.h"
#include "reference/operationrules.h"
#include "session/runstate.h"
#include "ui/datasetgrid.h"
#include "ui/dialogs.h"

namespace editor {

ShiftRecordEditor::ShiftRecordEditor(data::DataModule& dataModule, const session::RunState& state,
                                     reference::WorkerList& workers, reference::OperationList& operations,
                                     QWidget* parent)
    : QDialog(parent),
      v_mnf_requisition(dataModule.ADO_DB, QStringLiteral("v_mnf_requisition")),
      v_mnf_requisition_item(dataModule.ADO_DB, QStringLiteral("v_mnf_requisition_item")),
      smena_gds_use(dataModule.ADO_DB, QStringLiteral("smena_gds_use"), statements::materials()),
      sum_smena_gds_use(dataModule.ADO_DB, QStringLiteral("sum_smena_gds_use"),
                        statements::materialsTotal()),
      fio_smena_gds(dataModule.ADO_DB, QStringLiteral("fio_smena_gds"), statements::crew()),
      SmenaIU(dataModule.ADO_DB, QStringLiteral("SmenaIU")),
      ins_person(dataModule.ADO_DB, QStringLiteral("ins_person"), records::crewMemberInsertStatement()),
      save_all(dataModule.ADO_DB, QStringLiteral("save_all"), records::crewDivisionStatement()),
      dataModule_(dataModule),
      state_(state),
      workers_(workers),
      operations_(operations)
{
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Позиция"));
    buildControls();
    connectControls();
    materials_ = new MaterialsArea(*this);
    crew_ = new CrewArea(*this);
}

void ShiftRecordEditor::setMaterialDialog(MaterialDialog& dialog) { materials_->setDialog(dialog); }
MaterialDialog& ShiftRecordEditor::materialDialog() { return materials_->dialog(); }

data::Dataset& ShiftRecordEditor::shiftDataset() { return dataModule_.smena(state_.currentShift()); }

ShiftRecordEditor::~ShiftRecordEditor()
{
    // The controls follow the window's datasets: they go first.
    totalSubscription_.reset();
    const QObjectList own = children();
    for (QObject* child : own)
        if (child->isWidgetType())
            delete child;
}

void ShiftRecordEditor::openForAdding()
{
    data::Dataset& shift = shiftDataset();
    dateEdit->setDate(state_.journalDate());
    for (QLineEdit* e : {workerEdit, operationEdit, quantityEdit, amountEdit, basePriceEdit, finalPriceEdit})
        e->clear();
    rejectsEdit->setText(QStringLiteral("0"));
    hoursEdit->setText(QStringLiteral("0"));
    v_mnf_requisition.setStatement(statements::requisitions());
    v_mnf_requisition_item.setStatement(statements::requisitionLines());
    setWindowTitle(QStringLiteral("Заведение новой позиции"));
    values_.mode = Mode::Add;

    v_mnf_requisition.open();
    v_mnf_requisition_item.setFilter(statements::linesOf(0));
    v_mnf_requisition_item.setFiltered(true);
    v_mnf_requisition_item.open();
    reopenMaterials(0, -1);
    LCB_id_doc->setKeyValue(0);
    LCB_id_doc_item->setKeyValue(0);

    for (QWidget* w : std::initializer_list<QWidget*>{materialsGrid, crewGrid, materialAddButton,
                                                      materialDeleteButton, crewAddButton, crewDeleteButton,
                                                      crewSaveButton})
        w->setEnabled(false);
    recordNumberLabel->clear();
    values_.recordId = 0;

    showModal();
    shift.reloadKeepingSort();
}

void ShiftRecordEditor::openForChanging()
{
    data::Dataset& shift = shiftDataset();
    const int row = shift.recNo();
    if (!shift.isEmpty() && shift.text(QStringLiteral("ok")) != QLatin1String("ok")) {
        v_mnf_requisition.setStatement(statements::requisitions());
        v_mnf_requisition_item.setStatement(statements::requisitionLines());
        setWindowTitle(QStringLiteral("Изменение данных о позиции"));
        values_.mode = Mode::Edit;
        fillFromRecord(shift);

        v_mnf_requisition.close();
        v_mnf_requisition_item.close();
        const qint64 requisition = shift.int64(QStringLiteral("id_doc"));
        v_mnf_requisition_item.setFilter(statements::linesOf(requisition));
        LCB_id_doc->setKeyValue(requisition);
        v_mnf_requisition_item.setFiltered(true);
        v_mnf_requisition_item.open();
        LCB_id_doc_item->setKeyValue(shift.int64(QStringLiteral("id_doc_item")));
        v_mnf_requisition.open();

        reopenMaterials(values_.recordId, values_.recordId);
        for (QWidget* w : std::initializer_list<QWidget*>{
                 workerButton, saveButton, operationButton, materialAddButton, materialDeleteButton, groupBox,
                 workerEdit, operationEdit, quantityEdit, rejectsEdit, hoursEdit, materialsGrid, LCB_id_doc,
                 LCB_id_doc_item})
            w->setEnabled(true);
        // Only the materials area is usable here; the crew is shared only when a record is added.
        for (QWidget* w : std::initializer_list<QWidget*>{crewGrid, crewAddButton, crewDeleteButton, crewSaveButton})
            w->setEnabled(false);
        amountEdit->setText(
            fmt::general(fmt::round4(shift.number(QStringLiteral("kol_vo")) * values_.effectivePrice)));
        recordNumberLabel->setText(QString::number(values_.recordId));
        fio_smena_gds.close();

        showModal();
    }
    shift.reloadAtRow(row);
}

void ShiftRecordEditor::openForViewing()
{
    data::Dataset& shift = shiftDataset();
    const QList<QWidget*> locked{groupBox, saveButton, materialsGrid, materialAddButton, materialDeleteButton};
    for (QWidget* w : locked)
        w->setEnabled(false);
    // Unlocked again however the viewing ends, so that the next opening finds them usable.
    const core::Finally unlock([&locked] {
        for (QWidget* w : locked)
            w->setEnabled(true);
    });
    const int row = shift.recNo();
    if (shift.isEmpty())
        return;
    setWindowTitle(QStringLiteral("Просмотр данных о позиции"));
    values_.mode = Mode::View;
    fillFromRecord(shift);

    v_mnf_requisition.close();
    v_mnf_requisition_item.close();
    auto openFirstKey = [](data::Dataset& list, LookupComboBox* combo) {
        list.open();
        list.first();
        combo->setKeyValue(list.isEmpty() ? 0 : list.int64(QStringLiteral("id")));
    };
    v_mnf_requisition.setStatement(statements::recordRequisition(values_.recordId));
    openFirstKey(v_mnf_requisition, LCB_id_doc);
    v_mnf_requisition_item.setStatement(statements::recordRequisitionLine(values_.recordId));
    openFirstKey(v_mnf_requisition_item, LCB_id_doc_item);

    reopenMaterials(values_.recordId, values_.recordId);
    amountEdit->setText(fmt::general(fmt::round4(shift.number(QStringLiteral("kol_vo")) * values_.effectivePrice)));
    // Neither lower area is usable in view mode.
    for (QWidget* w : std::initializer_list<QWidget*>{crewGrid, crewAddButton, crewDeleteButton, crewSaveButton})
        w->setEnabled(false);
    recordNumberLabel->setText(QString::number(values_.recordId));

    showModal();
    if (!shift.isEmpty() && row > 0)
        shift.setRecNo(row);
}

void ShiftRecordEditor::fillFromRecord(const data::Dataset& row)
{
    values_.effectivePrice = row.number(QStringLiteral("cena"));
    values_.recordId = row.integer(QStringLiteral("id"));
    finalPriceEdit->setText(fmt::general(fmt::round4(values_.effectivePrice)));
    dateEdit->setDate(row.date(QStringLiteral("data")));
    workerEdit->setText(fmt::trimmed(row.text(QStringLiteral("fio"))));
    values_.operationType = row.integer(QStringLiteral("naimen"));
    operationEdit->setText(reference::operationText(row.text(QStringLiteral("marka")), row.text(QStringLiteral("vid")),
                                                    values_.operationType));
    quantityEdit->setText(fmt::trimmed(row.text(QStringLiteral("kol_vo"))));
    rejectsEdit->setText(fmt::trimmed(row.text(QStringLiteral("brak"))));
    values_.workerCode = row.integer(QStringLiteral("w_id"));
    values_.productId = row.int64(QStringLiteral("i_id"));
    values_.operationId = row.integer(QStringLiteral("o_id"));
    hoursEdit->setText(QString::number(row.integer(QStringLiteral("time"))));
    // The record keeps only its final price: the base price is not known here.
    values_.basePrice.reset();
    basePriceEdit->clear();
}

void ShiftRecordEditor::reopenMaterials(int recordId, int totalRecordId)
{
    smena_gds_use.close();
    smena_gds_use.setParam(QStringLiteral("id_smena"), recordId);
    smena_gds_use.open();
    sum_smena_gds_use.close();
    sum_smena_gds_use.setParam(QStringLiteral("id_smena"), totalRecordId);
    sum_smena_gds_use.open();
}

void ShiftRecordEditor::showTotal()
{
    const bool has = sum_smena_gds_use.isOpen() && !sum_smena_gds_use.isEmpty();
    materialsTotalEdit->setText(has ? sum_smena_gds_use.text(QStringLiteral("sum_qty_use")) : QString());
}

void ShiftRecordEditor::showModal()
{
    shown_ = true;
    ui::execModal(*this);
    if (shown_)
        closeStep();
}

void ShiftRecordEditor::done(int result)
{
    if (shown_)
        closeStep();
    QDialog::done(result);
}

void ShiftRecordEditor::closeStep()
{
    shown_ = false;
    v_mnf_requisition.close();
    v_mnf_requisition_item.setFilter(statements::linesOf(0));
    v_mnf_requisition_item.setFiltered(true);
    v_mnf_requisition_item.close();
    groupBox->setEnabled(true);
    saveButton->setEnabled(true);
    fio_smena_gds.close();
    fio_smena_gds.setParam(QStringLiteral("s_id"), -1);
}

void ShiftRecordEditor::exit()
{
    smena_gds_use.close();
    sum_smena_gds_use.close();
    reject();
}

void ShiftRecordEditor::keyPressEvent(QKeyEvent* event)
{
    // Escape presses "Выход"; the close box closes without it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        exitButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool ShiftRecordEditor::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Wheel:
        return wheelTurned(event);
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            if (watched == workerEdit)
                pickWorker();
            else if (watched == operationEdit)
                pickOperation();
        }
        break;
    case QEvent::FocusOut: {
        // Leaving a field for another control of the window, not the window for another one.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            break;
        if (QApplication::focusWidget() == saveButton)
            fieldLeftForSave(watched);
        else
            fieldLeft(watched);
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void ShiftRecordEditor::fieldLeft(QObject* field)
{
    if (field == quantityEdit)
        recomputeAmount();
    else if (field == hoursEdit)
        hoursLeft();
    else if (field == rejectsEdit)
        rejectsLeft();
}

// A click on "Запись" leaves the field first: the save reads every number and
// reports a bad one, so it is not reported twice. Should the button be
// released elsewhere (no click, no save), the field is checked then.
void ShiftRecordEditor::fieldLeftForSave(QObject* field)
{
    try {
        fieldLeft(field);
    } catch (const fmt::ConversionError&) {
        leftForSave_ = field;
    }
}

// The wheel steps the requisition combo that has the focus by one entry per
// notch, like the arrow keys; it does nothing else in this window.
bool ShiftRecordEditor::wheelTurned(QEvent* event)
{
    const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
    QWidget* focus = focusWidget();
    if (delta == 0 || (focus != LCB_id_doc && focus != LCB_id_doc_item))
        return true;
    const int notches = std::max(1, std::abs(delta) / QWheelEvent::DefaultDeltasPerStep);
    for (int i = 0; i < notches; ++i) {
        QKeyEvent key(QEvent::KeyPress, delta < 0 ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier);
        QCoreApplication::sendEvent(focus, &key);
    }
    return true;
}

}  // namespace editor
