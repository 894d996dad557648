#include "editor/materialsarea.h"

#include <QLineEdit>
#include <QPushButton>

#include "editor/materialdialog.h"
#include "editor/materialstatements.h"
#include "editor/shiftrecordeditor.h"
#include "journal/journalwindow.h"
#include "ui/textformat.h"

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
      editor_(editor),
      dialog_(new MaterialDialog(editor.journal().dataModule().ADO_DB, &editor))
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
    data::Dataset& materials = editor_.smena_gds_use;
    if (!materials.isOpen() || materials.isEmpty())
        return;
    editor_.SmenaIU.setStatement(statements::materialUseDelete(materials.int64(QStringLiteral("id"))));
    editor_.SmenaIU.execute();
    const int row = materials.recNo();
    materials.reload();
    editor_.sum_smena_gds_use.reload();
    if (!materials.isEmpty() && row > 0)
        materials.setRecNo(row);
}

}  // namespace editor
