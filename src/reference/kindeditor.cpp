#include "reference/kindeditor.h"

#include <QGroupBox>
#include <QLineEdit>

#include "core/textformat.h"
#include "data/command.h"
#include "data/datamodule.h"
#include "reference/referencestatements.h"
#include "ui/dialogs.h"
#include "ui/messages.h"

namespace reference {

OperationKindEditor::OperationKindEditor(data::DataModule& dataModule, QWidget* parent)
    : BookEditor(QStringLiteral("Form9"), QStringLiteral("Вид операции"), parent), dataModule_(dataModule)
{
    nameEdit = new QLineEdit(groupBox);
    nameEdit->setObjectName(QStringLiteral("Edit1"));
    addField(QStringLiteral("Операция"), nameEdit);
    setFixedSize(420, 130);
}

void OperationKindEditor::openForAdding()
{
    nameEdit->clear();
    setWindowTitle(QStringLiteral("Заведение нового вида операций"));
    changing_.reset();
    open();
}

void OperationKindEditor::openForChanging(int id, const QString& name)
{
    setWindowTitle(QStringLiteral("Изменение данных вида операции"));
    changing_ = id;
    nameEdit->setText(fmt::trimmed(name));
    open();
}

void OperationKindEditor::open()
{
    nameEdit->setFocus();
    ui::execModal(*this);
}

void OperationKindEditor::save()
{
    const QString name = fmt::trimmed(nameEdit->text());
    if (name.isEmpty()) {
        ui::showError(QStringLiteral("Все поля должны быть заполнены!"));
        return;
    }
    if (dataModule_.duplicateCheck(statements::kindDuplicate(name, changing_),
                                   QStringLiteral("Такая операция уже заведена!"), ui::showError))
        return;
    data::Command write(dataModule_.ADO_DB, QStringLiteral("Vid_oper"),
                        changing_ ? statements::kindUpdate() : statements::kindInsert());
    write.setParam(QStringLiteral("vid"), name);
    if (changing_)
        write.setParam(QStringLiteral("id"), *changing_);
    write.execute();
    dataModule_.Vid_oper.reload();
    accept();
}

}  // namespace reference
