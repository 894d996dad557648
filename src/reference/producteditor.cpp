#include "reference/producteditor.h"

#include <QGroupBox>
#include <QLineEdit>

#include "core/textformat.h"
#include "data/command.h"
#include "data/datamodule.h"
#include "reference/productgroups.h"
#include "reference/referencestatements.h"
#include "ui/dialogs.h"
#include "ui/keyfilter.h"
#include "ui/messages.h"

namespace reference {

ProductEditor::ProductEditor(data::DataModule& dataModule, QWidget* parent)
    : BookEditor(QStringLiteral("Form7"), QStringLiteral("Данные об изделии"), parent), dataModule_(dataModule)
{
    markEdit = new QLineEdit(groupBox);
    markEdit->setObjectName(QStringLiteral("Edit1"));
    massaEdit = new QLineEdit(groupBox);
    massaEdit->setObjectName(QStringLiteral("Edit2"));
    ui::installKeyFilter(massaEdit, ui::KeyRule::DecimalComma);
    addField(QStringLiteral("Марка"), markEdit);
    addField(QStringLiteral("Коробки"), massaEdit);
    setFixedSize(420, 160);
}

void ProductEditor::openForAdding()
{
    markEdit->clear();
    massaEdit->clear();
    setWindowTitle(QStringLiteral("Заведение нового изделия"));
    changing_.reset();
    open();
}

void ProductEditor::openForChanging(qint64 id, const QString& mark, double massa)
{
    setWindowTitle(QStringLiteral("Изменение данных изделия"));
    changing_ = id;
    markEdit->setText(fmt::trimmed(mark));
    massaEdit->setText(fmt::general(massa));
    open();
}

void ProductEditor::open()
{
    markEdit->setFocus();
    ui::execModal(*this);
}

void ProductEditor::save()
{
    const QString mark = fmt::trimmed(markEdit->text());
    if (mark.isEmpty() || fmt::trimmed(massaEdit->text()).isEmpty()) {
        ui::showError(QStringLiteral("Все поля должны быть заполнены!"));
        return;
    }
    if (dataModule_.duplicateCheck(statements::productDuplicate(mark, changing_),
                                   QStringLiteral("Такая марка изделия уже заведена!"), ui::showError))
        return;
    const double massa = fmt::parseNumber(massaEdit->text());
    data::Command write(dataModule_.ADO_DB, QStringLiteral("Izdel"),
                        changing_ ? statements::productUpdate() : statements::productInsert());
    write.setParam(QStringLiteral("marka"), mark);
    write.setParam(QStringLiteral("nom"), productGroup(mark));
    write.setParam(QStringLiteral("massa"), massa);
    if (changing_)
        write.setParam(QStringLiteral("id"), *changing_);
    write.execute();
    dataModule_.Izdel.reload();
    accept();
}

}  // namespace reference
