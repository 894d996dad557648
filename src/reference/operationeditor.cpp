#include "reference/operationeditor.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "core/textformat.h"
#include "data/datamodule.h"
#include "reference/kindlist.h"
#include "reference/operationrules.h"
#include "reference/productlist.h"
#include "reference/referencestatements.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/keyfilter.h"
#include "ui/labels.h"
#include "ui/messages.h"

namespace reference {

OperationEditor::OperationEditor(data::DataModule& dataModule, ProductList& products, OperationKindList& kinds,
                                 QWidget* parent)
    : BookEditor(QStringLiteral("Form10"), QStringLiteral("Цена операции"), parent),
      dataModule_(dataModule),
      products_(products),
      kinds_(kinds)
{
    productEdit = new QLineEdit(groupBox);
    productEdit->setObjectName(QStringLiteral("Edit1"));
    productEdit->setReadOnly(true);
    productEdit->setFocusPolicy(Qt::ClickFocus);  // skipped by Tab
    productButton = ui::makeButton(groupBox, "productButton", QStringLiteral("..."));
    productButton->setAccessibleName(QStringLiteral("Выбрать изделие"));
    kindEdit = new QLineEdit(groupBox);
    kindEdit->setObjectName(QStringLiteral("Edit2"));
    kindEdit->setReadOnly(true);
    kindButton = ui::makeButton(groupBox, "kindButton", QStringLiteral("..."));
    kindButton->setAccessibleName(QStringLiteral("Выбрать операцию"));
    typeBox = new QComboBox(groupBox);
    typeBox->setObjectName(QStringLiteral("ComboBox1"));
    typeBox->addItems({operationTypeText(0), operationTypeText(1)});
    priceEdit = new QLineEdit(groupBox);
    priceEdit->setObjectName(QStringLiteral("Edit3"));
    ui::installKeyFilter(priceEdit, ui::KeyRule::DecimalComma);

    addField(QStringLiteral("Марка изделия"), productEdit, productButton);
    addField(QStringLiteral("Операция"), kindEdit, kindButton);
    addField(QStringLiteral("Вид"), typeBox);
    addField(QStringLiteral("min Цена"), priceEdit);
    resize(520, 220);

    connect(productButton, &QPushButton::clicked, this, [this] { ui::guarded([this] { pickProduct(); }); });
    connect(kindButton, &QPushButton::clicked, this, [this] { ui::guarded([this] { pickKind(); }); });
}

void OperationEditor::openForAdding()
{
    productEdit->clear();
    kindEdit->clear();
    typeBox->setCurrentIndex(0);
    priceEdit->clear();
    priceEdit->setEnabled(true);
    setWindowTitle(QStringLiteral("Заведение новой цены за операцию"));
    changing_.reset();
    open();
}

void OperationEditor::openForChanging()
{
    const data::Dataset& oper = dataModule_.Oper;
    if (!oper.isOpen() || oper.isEmpty())
        return;
    setWindowTitle(QStringLiteral("Изменение данных о цене за операцию"));
    changing_ = oper.integer(QStringLiteral("id"));
    productEdit->setText(fmt::trimmed(oper.text(QStringLiteral("MARKA"))));
    kindEdit->setText(fmt::trimmed(oper.text(QStringLiteral("VID"))));
    typeBox->setCurrentIndex(oper.integer(QStringLiteral("NAIMEN")) == 0 ? 0 : 1);
    priceEdit->setEnabled(false);
    productId_ = oper.int64(QStringLiteral("i_id"));
    kindId_ = oper.integer(QStringLiteral("oper_vid"));
    open();
}

void OperationEditor::open()
{
    productButton->setFocus();
    ui::execModal(*this);
}

void OperationEditor::pickProduct()
{
    if (const std::optional<ProductPick> pick = products_.pick()) {
        productEdit->setText(pick->mark);
        productId_ = pick->id;
    }
}

void OperationEditor::pickKind()
{
    if (const std::optional<KindPick> pick = kinds_.pick()) {
        kindEdit->setText(pick->name);
        kindId_ = pick->id;
    }
}

void OperationEditor::save()
{
    const int type = typeBox->currentIndex();
    if (fmt::trimmed(productEdit->text()).isEmpty() || fmt::trimmed(kindEdit->text()).isEmpty()) {
        ui::showError(QStringLiteral("Все поля должны быть заполнены!"));
        return;
    }
    if (dataModule_.duplicateCheck(statements::operationDuplicate(kindId_, type, productId_, changing_),
                                   QStringLiteral("Операция с такими параметрами уже заведена!"), ui::showError))
        return;
    if (changing_) {
        data::Command& update = dataModule_.Oper_ed;
        update.setParam(QStringLiteral("oper_vid"), kindId_);
        update.setParam(QStringLiteral("naimen"), type);
        update.setParam(QStringLiteral("i_id"), productId_);
        update.setParam(QStringLiteral("id"), *changing_);
        update.execute();
    } else {
        data::Command& insert = dataModule_.Oper_ins;
        insert.setParam(QStringLiteral("oper_vid"), kindId_);
        insert.setParam(QStringLiteral("naimen"), type);
        insert.setParam(QStringLiteral("cena_new"), fmt::parseNumber(priceEdit->text()));
        insert.setParam(QStringLiteral("i_id"), productId_);
        insert.execute();
    }
    dataModule_.Oper.reload();
    accept();
}

}  // namespace reference
