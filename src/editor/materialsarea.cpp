#include "editor/materialsarea.h"

#include <QLineEdit>
#include <QPushButton>

#include "core/textformat.h"
#include "editor/materialdialog.h"
#include "editor/materialstatements.h"
#include "editor/rowdeletion.h"
#include "editor/shiftrecordeditor.h"

namespace editor {

namespace {

void setIfEmpty(QLineEdit* field)
{
    if (field->text().isEmpty())
        field->setText(QStringLiteral("0"));
}

}  // namespace

MaterialsArea::MaterialsArea(ShiftRecordEditor& editor)
    : QObject(&editor),
      editor_(editor)
{
    connect(editor.materialAddButton, &QPushButton::clicked, this, [this] { add(); });
    connect(editor.materialDeleteButton, &QPushButton::clicked, this, [this] { removeSelected(); });
}

void MaterialsArea::add()
{
    ShiftRecordEditor& e = editor_;
    dialog_->addFor({e.values().recordId, e.values().productId, e.quantityEdit->text(),
                     e.materialsTotalEdit->text()});
    for (data::Dataset* list : {&e.smena_gds_use, &e.sum_smena_gds_use, &e.fio_smena_gds})
        list->reload();
    setIfEmpty(e.quantityEdit);
    setIfEmpty(e.materialsTotalEdit);
    const double remaining = fmt::parseNumber(e.quantityEdit->text()) * dialog_->norm()
        - fmt::parseNumber(e.materialsTotalEdit->text());
    e.remainingEdit->setText(fmt::general(remaining));
}

void MaterialsArea::removeSelected()
{
    // The total follows the list at once.
    if (deleteSelectedRow(editor_.smena_gds_use, editor_.SmenaIU, statements::materialUseDelete))
        editor_.sum_smena_gds_use.reload();
}

}  // namespace editor
