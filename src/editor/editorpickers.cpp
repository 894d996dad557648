// The field pickers of the shift record editor, its prices and the amount.

#include <QLabel>
#include <QLineEdit>

#include "core/textformat.h"
#include "data/datamodule.h"
#include "editor/editorstatements.h"
#include "editor/lookupcombo.h"
#include "editor/shiftrecordeditor.h"
#include "reference/operationlist.h"
#include "reference/workerlist.h"

namespace editor {

namespace {

const char* const kPaint = "КРАСКА";

}  // namespace

void ShiftRecordEditor::requisitionChosen()
{
    v_mnf_requisition_item.setFiltered(false);
    // The requisition the combo shows; none when it shows nothing.
    const qint64 requisition = LCB_id_doc->showsEntry() ? LCB_id_doc->keyValue() : 0;
    v_mnf_requisition_item.setFilter(statements::linesOf(requisition));
    v_mnf_requisition_item.setFiltered(true);
    LCB_id_doc_item->setKeyValue(0);
    operationEdit->clear();
    workerEdit->clear();
    values_.operationId = 0;
    values_.personId = 0;
    values_.workerCode = 0;
}

void ShiftRecordEditor::lineChosen()
{
    if (LCB_id_doc_item->showsEntry())
        quantityEdit->setText(fmt::general(v_mnf_requisition_item.number(QStringLiteral("f_qty"))));
    operationEdit->clear();
    workerEdit->clear();
    values_.operationId = 0;
    values_.personId = 0;
    values_.workerCode = 0;
}

void ShiftRecordEditor::pickWorker()
{
    if (!workers_.pick())
        return;
    if (const auto& worker = workers_.picked()) {
        workerEdit->setText(worker->name);
        values_.workerCode = worker->workerCode;
        values_.personId = worker->personId;
    }
    operationEdit->clear();
    values_.operationId = 0;
    dataModule_.Workers.close();
}

void ShiftRecordEditor::pickOperation()
{
    int start = 0;
    data::Dataset& shift = shiftDataset();
    if (values_.mode != Mode::Add && shift.isOpen() && !shift.isEmpty())
        start = shift.integer(QStringLiteral("o_id"));
    if (const std::optional<reference::OperationPick> pick = operations_.pick(start)) {
        values_.productId = pick->productId;
        values_.operationId = pick->operationId;
        values_.operationType = pick->operationType;
        values_.basePrice = pick->basePrice;
        values_.effectivePrice = pick->effectivePrice;
        operationEdit->setText(pick->operationText);
    }
    applyPaintRule();
    recomputeAmount();
}

void ShiftRecordEditor::applyPaintRule()
{
    const bool paint = operationEdit->text().toUpper().contains(QString::fromUtf8(kPaint));
    if (!paint)
        amountEdit->clear();
    amountEdit->setEnabled(paint);
    crewLabel->setEnabled(paint);
}

void ShiftRecordEditor::recomputeAmount()
{
    if (fmt::trimmed(hoursEdit->text()).isEmpty())
        hoursEdit->setText(QStringLiteral("0"));
    fmt::parseInteger(hoursEdit->text());
    if (fmt::trimmed(quantityEdit->text()).isEmpty())
        quantityEdit->setText(QStringLiteral("0"));
    finalPriceEdit->setText(fmt::general(values_.effectivePrice));
    basePriceEdit->setText(values_.basePrice ? fmt::general(*values_.basePrice) : QString());
    const double quantity = fmt::parseNumber(quantityEdit->text());
    amountEdit->setText(fmt::general(fmt::round4(quantity * values_.effectivePrice)));
}

void ShiftRecordEditor::hoursLeft()
{
    if (fmt::trimmed(hoursEdit->text()).isEmpty())
        hoursEdit->setText(QStringLiteral("0"));
    fmt::parseInteger(hoursEdit->text());
}

void ShiftRecordEditor::rejectsLeft()
{
    if (fmt::trimmed(rejectsEdit->text()).isEmpty())
        rejectsEdit->setText(QStringLiteral("0"));
}

std::optional<QString> ShiftRecordEditor::requisitionProduct() const
{
    if (fmt::trimmed(LCB_id_doc->currentText()).isEmpty() && LCB_id_doc_item->currentText().isEmpty())
        return std::nullopt;
    // Only the line the combo shows names a product.
    if (!LCB_id_doc_item->showsEntry())
        return QString();
    return v_mnf_requisition_item.text(QStringLiteral("s_gds_mc"));
}

}  // namespace editor
