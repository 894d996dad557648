#include "reference/bookwindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/application.h"
#include "ui/labels.h"

namespace reference {

ui::DatasetGrid* makeListGrid(QWidget* parent, QList<ui::GridColumn> columns, data::Dataset& list,
                              const QString& accessibleName)
{
    auto* grid = new ui::DatasetGrid(std::move(columns), parent);
    grid->setObjectName(QStringLiteral("DBGrid1"));
    grid->setAccessibleName(accessibleName);
    grid->setDataset(&list);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

QLineEdit* makeSearchField(QWidget* parent, data::Dataset& list, OtherKeys others)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QStringLiteral("searchEdit"));
    field->setAccessibleName(QStringLiteral("Поиск"));
    installSearchKeys(field, list, others);
    return field;
}

QHBoxLayout* buttonRow(std::initializer_list<QWidget*> buttons)
{
    auto* row = new QHBoxLayout;
    const auto last = buttons.end() - 1;
    for (auto b = buttons.begin(); b != last; ++b)
        row->addWidget(*b);
    row->addStretch();
    row->addWidget(*last);
    return row;
}

void showModeButtons(ListMode mode, QPushButton* add, QPushButton* select, QPushButton* remove)
{
    const bool list = mode == ListMode::List;
    select->setText(list ? QStringLiteral("Изменить") : QStringLiteral("Выбрать"));
    add->setVisible(list);
    remove->setVisible(list);
    (list ? add : select)->setDefault(true);
}

BookEditor::BookEditor(const QString& objectName, const QString& groupTitle, QWidget* parent) : QDialog(parent)
{
    setObjectName(objectName);
    groupBox = new QGroupBox(groupTitle, this);
    fields_ = new QGridLayout(groupBox);
    fields_->setColumnStretch(1, 1);

    saveButton = ui::makeButton(this, "saveButton", QStringLiteral("Записать"));
    saveButton->setDefault(true);
    cancelButton = ui::makeButton(this, "cancelButton", QStringLiteral("Отмена"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(groupBox);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(saveButton, &QPushButton::clicked, this, [this] { ui::guarded([this] { save(); }); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void BookEditor::addField(const QString& caption, QWidget* input, QWidget* button)
{
    const int row = fieldCount_++;
    auto* label = new QLabel(caption, groupBox);
    ui::nameByLabel(label, input);
    fields_->addWidget(label, row, 0);
    fields_->addWidget(input, row, 1);
    if (button)
        fields_->addWidget(button, row, 2);
}

}  // namespace reference
