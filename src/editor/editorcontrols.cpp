// The controls of the shift record editor, top to bottom.

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "editor/lookupcombo.h"
#include "editor/shiftrecordeditor.h"
#include "ui/application.h"
#include "ui/datasetgrid.h"
#include "ui/keyfilter.h"
#include "ui/labels.h"

namespace editor {

namespace {

QLineEdit* field(QWidget* parent, const char* name)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

// A label and its input in one cell pair of a grid.
void addLabelled(QGridLayout* grid, int row, int column, const QString& caption, QWidget* input, int span = 1)
{
    auto* label = new QLabel(caption, input->parentWidget());
    ui::nameByLabel(label, input);
    grid->addWidget(label, row, column);
    grid->addWidget(input, row, column + 1, 1, span);
}

QFont boldFont(const QWidget* w)
{
    QFont f = w->font();
    f.setBold(true);
    return f;
}

}  // namespace

void ShiftRecordEditor::buildControls()
{
    groupBox = new QGroupBox(QStringLiteral("Закрыто мастером"), this);
    groupBox->setObjectName(QStringLiteral("GroupBox1"));
    auto* g = new QGridLayout(groupBox);

    LCB_id_doc = new LookupComboBox(v_mnf_requisition, QStringLiteral("id"), QStringLiteral("s_caption"), groupBox);
    LCB_id_doc->setObjectName(QStringLiteral("LCB_id_doc"));
    LCB_id_doc_item =
        new LookupComboBox(v_mnf_requisition_item, QStringLiteral("id"), QStringLiteral("s_caption"), groupBox);
    LCB_id_doc_item->setObjectName(QStringLiteral("LCB_id_doc_item"));
    addLabelled(g, 0, 0, QStringLiteral("Заявка"), LCB_id_doc, 7);
    addLabelled(g, 1, 0, QStringLiteral("Строка"), LCB_id_doc_item, 7);

    // A read-only field filled by a picker, with its "..." button.
    auto pickerRow = [&](int row, const char* name, const QString& caption, const char* buttonName,
                         const QString& pickerLabel, QLineEdit*& edit, QPushButton*& picker) {
        edit = field(groupBox, name);
        edit->setReadOnly(true);
        picker = ui::makeButton(groupBox, buttonName, QStringLiteral("..."));
        picker->setAccessibleName(pickerLabel);
        picker->setFixedWidth(picker->sizeHint().height() + 8);
        addLabelled(g, row, 0, caption, edit, 6);
        g->addWidget(picker, row, 7);
    };
    pickerRow(2, "workerEdit", QStringLiteral("ФИО"), "workerButton", QStringLiteral("Выбрать рабочего"), workerEdit,
              workerButton);
    pickerRow(3, "operationEdit", QStringLiteral("Операция"), "operationButton", QStringLiteral("Выбрать операцию"),
              operationEdit, operationButton);

    quantityEdit = field(groupBox, "quantityEdit");
    hoursEdit = field(groupBox, "hoursEdit");
    hoursEdit->setText(QStringLiteral("0"));
    dateEdit = new QDateEdit(groupBox);
    dateEdit->setObjectName(QStringLiteral("dateEdit"));
    dateEdit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    dateEdit->setCalendarPopup(true);
    rejectsEdit = field(groupBox, "rejectsEdit");
    rejectsEdit->setText(QStringLiteral("0"));
    addLabelled(g, 4, 0, QStringLiteral("Кол-во"), quantityEdit);
    addLabelled(g, 4, 2, QStringLiteral("Время"), hoursEdit);
    addLabelled(g, 4, 4, QStringLiteral("Дата"), dateEdit);
    addLabelled(g, 4, 6, QStringLiteral("Брак"), rejectsEdit);

    basePriceEdit = field(groupBox, "basePriceEdit");
    finalPriceEdit = field(groupBox, "finalPriceEdit");
    amountEdit = field(groupBox, "amountEdit");
    for (QLineEdit* e : {basePriceEdit, finalPriceEdit, amountEdit})
        e->setEnabled(false);
    addLabelled(g, 5, 0, QStringLiteral("Цена база"), basePriceEdit);
    addLabelled(g, 5, 2, QStringLiteral("Цена итог"), finalPriceEdit);
    addLabelled(g, 5, 4, QStringLiteral("Сумма"), amountEdit);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    g->setColumnStretch(5, 1);
    g->setColumnStretch(7, 1);

    for (QLineEdit* e : {quantityEdit, amountEdit, basePriceEdit, finalPriceEdit})
        ui::installKeyFilter(e, ui::KeyRule::DecimalComma);
    for (QLineEdit* e : {rejectsEdit, hoursEdit})
        ui::installKeyFilter(e, ui::KeyRule::Digits);

    recordNumberLabel = new QLabel(this);
    recordNumberLabel->setObjectName(QStringLiteral("recordNumberLabel"));
    recordNumberLabel->setFont(boldFont(recordNumberLabel));
    saveButton = ui::makeButton(this, "saveButton", QStringLiteral("Запись"));
    saveButton->setDefault(true);
    auto* saveRow = new QHBoxLayout;
    saveRow->addWidget(recordNumberLabel);
    saveRow->addStretch();
    saveRow->addWidget(saveButton);

    materialsGrid = new ui::DatasetGrid({{QStringLiteral("s_caption"), QStringLiteral("ТМЦ"), 380},
                                         {QStringLiteral("f_qty_use"), QStringLiteral("Расход"), 90,
                                          Qt::AlignRight | Qt::AlignVCenter}},
                                        this);
    materialsGrid->setObjectName(QStringLiteral("materialsGrid"));
    materialsGrid->setAccessibleName(QStringLiteral("Расход ТМЦ"));
    materialsGrid->setDataset(&smena_gds_use);
    materialsGrid->horizontalHeader()->setStretchLastSection(true);
    materialAddButton = ui::makeButton(this, "materialAddButton", QStringLiteral("Добавить"));
    materialDeleteButton = ui::makeButton(this, "materialDeleteButton", QStringLiteral("Удалить"));
    materialsTotalEdit = field(this, "materialsTotalEdit");
    materialsTotalEdit->setReadOnly(true);
    auto* totalLabel = new QLabel(QStringLiteral("Итого:"), this);
    ui::nameByLabel(totalLabel, materialsTotalEdit);
    remainingEdit = field(this, "remainingEdit");
    remainingLabel = new QLabel(QStringLiteral("Осталось:"), this);
    remainingLabel->setObjectName(QStringLiteral("remainingLabel"));
    ui::nameByLabel(remainingLabel, remainingEdit);
    remainingLabel->hide();
    remainingEdit->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{materialsGrid, materialAddButton, materialDeleteButton,
                                                      materialsTotalEdit})
        w->setEnabled(false);
    auto* materialButtons = new QVBoxLayout;
    materialButtons->addWidget(materialAddButton);
    materialButtons->addWidget(materialDeleteButton);
    materialButtons->addStretch();
    materialButtons->addWidget(totalLabel);
    materialButtons->addWidget(materialsTotalEdit);
    materialButtons->addWidget(remainingLabel);
    materialButtons->addWidget(remainingEdit);
    auto* materialsRow = new QHBoxLayout;
    materialsRow->addWidget(materialsGrid, 1);
    materialsRow->addLayout(materialButtons);

    crewLabel = new QLabel(QStringLiteral("Бригада"), this);
    crewLabel->setObjectName(QStringLiteral("crewLabel"));
    crewLabel->setFont(boldFont(crewLabel));
    crewGrid = new ui::DatasetGrid({{QStringLiteral("s_caption"), QStringLiteral("Фамилия Имя Отчество"), 440}}, this);
    crewGrid->setObjectName(QStringLiteral("crewGrid"));
    crewGrid->setAccessibleName(QStringLiteral("Бригада"));
    crewGrid->setDataset(&fio_smena_gds);
    crewGrid->horizontalHeader()->setStretchLastSection(true);
    crewGrid->setEnabled(false);
    crewAddButton = ui::makeButton(this, "crewAddButton", QStringLiteral("Добавить"));
    crewDeleteButton = ui::makeButton(this, "crewDeleteButton", QStringLiteral("Удалить"));
    crewSaveButton = ui::makeButton(this, "crewSaveButton", QStringLiteral("Сохранить"));
    crewAddButton->setEnabled(false);
    crewDeleteButton->setEnabled(false);
    auto* crewButtons = new QVBoxLayout;
    crewButtons->addWidget(crewAddButton);
    crewButtons->addWidget(crewDeleteButton);
    crewButtons->addStretch();
    crewButtons->addWidget(crewSaveButton);
    auto* crewRow = new QHBoxLayout;
    crewRow->addWidget(crewGrid, 1);
    crewRow->addLayout(crewButtons);

    exitButton = ui::makeButton(this, "exitButton", QStringLiteral("Выход"));
    auto* exitRow = new QHBoxLayout;
    exitRow->addStretch();
    exitRow->addWidget(exitButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(groupBox);
    layout->addLayout(saveRow);
    layout->addLayout(materialsRow, 1);
    layout->addWidget(crewLabel);
    layout->addLayout(crewRow, 1);
    layout->addLayout(exitRow);
    setFixedSize(660, 700);
}

void ShiftRecordEditor::connectControls()
{
    connect(LCB_id_doc, &LookupComboBox::chosen, this, [this] { requisitionChosen(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    // released comes before clicked; without a click the field left for the button is checked now
    connect(saveButton, &QPushButton::released, this, [this] {
        QTimer::singleShot(0, this, [this] {
            if (QObject* field = std::exchange(leftForSave_, nullptr))
                ui::guarded([&] { fieldLeft(field); });
        });
    });
    connect(LCB_id_doc_item, &LookupComboBox::chosen, this, [this] { lineChosen(); });
    connect(workerButton, &QPushButton::clicked, this, [this] { pickWorker(); });
    connect(operationButton, &QPushButton::clicked, this, [this] { pickOperation(); });
    connect(exitButton, &QPushButton::clicked, this, [this] { exit(); });
    totalSubscription_ = sum_smena_gds_use.subscribe([this](data::DatasetChange change) {
        if (change != data::DatasetChange::Destroyed)
            showTotal();
    });

    // Clicks on the two name fields, leaving the number fields, the wheel.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>())
        if (w->window() == this)
            w->installEventFilter(this);
}

}  // namespace editor
