#include "reference/normeditor.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "core/finally.h"
#include "data/command.h"
#include "data/datamodule.h"
#include "reference/normrows.h"
#include "reference/referencestatements.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/keyfilter.h"
#include "ui/labels.h"

namespace reference {

namespace {

// Cell editors that take only what the column can hold. Enter and Escape
// in a cell are the window's keys: they take the cell's text and press
// "Сохранить", as they do outside a cell.
class NormDelegate : public QStyledItemDelegate {
public:
    NormDelegate(QPushButton* save, QObject* parent) : QStyledItemDelegate(parent), save_(save) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            ui::installKeyFilter(line, index.column() == NormRows::Price ? ui::KeyRule::DecimalComma
                                                                         : ui::KeyRule::Digits);
        return editor;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
                save_->click();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    QPushButton* save_;
};

}  // namespace

void NormGrid::commitOpenEditor()
{
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

NormEditor::NormEditor(data::DataModule& dataModule, QWidget* parent)
    : QDialog(parent),
      norm(dataModule.ADO_DB, QStringLiteral("norm"), statements::operationNorms()),
      dataModule_(dataModule)
{
    setObjectName(QStringLiteral("Form22"));
    setWindowTitle(QStringLiteral("Норматив"));

    rows = new NormRows(norm, this);
    grid = new NormGrid(this);
    grid->setObjectName(QStringLiteral("DBGrid1"));
    grid->setAccessibleName(QStringLiteral("Норматив"));
    grid->setModel(rows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                          | QAbstractItemView::AnyKeyPressed);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->setDefaultSectionSize(22);
    for (int column = 0; column < rows->columnCount(); ++column)
        grid->setColumnWidth(column, 110);

    deleteButton = ui::makeButton(this, "deleteButton", QStringLiteral("Удалить"));
    saveButton = ui::makeButton(this, "saveButton", QStringLiteral("Сохранить"));
    saveButton->setDefault(true);
    grid->setItemDelegate(new NormDelegate(saveButton, grid));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(deleteButton);
    buttons->addStretch();
    buttons->addWidget(saveButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid, 1);
    layout->addLayout(buttons);
    setFixedSize(420, 320);

    connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                ui::guarded([&] { currentCellChanged(current, previous); });
            });
    connect(deleteButton, &QPushButton::clicked, this, [this] { ui::guarded([this] { deleteCurrent(); }); });
    connect(saveButton, &QPushButton::clicked, this, [this] { ui::guarded([this] { saveAndClose(); }); });
}

void NormEditor::openForCurrentOperation()
{
    const data::Dataset& oper = dataModule_.Oper;
    if (!oper.isOpen() || oper.isEmpty())
        return;
    operationId_ = oper.integer(QStringLiteral("id"));
    reloadAt(-1, 0);
    grid->setFocus();
    ui::execModal(*this);
}

void NormEditor::reject()
{
    ui::guarded([this] { saveAndClose(); });
}

void NormEditor::currentCellChanged(const QModelIndex& current, const QModelIndex& previous)
{
    rows->setCurrentRow(current.row());
    if (moving_ || !previous.isValid() || rows->changedRow() != previous.row())
        return;
    if (current.row() == previous.row() && current.column() == previous.column())
        return;
    // The row to stand on afterwards: the one saved, or the one moved to (0 for the new line).
    const int target = rows->normId(current.row());
    const int saved = saveChanges();
    const int id = current.row() == previous.row() ? saved : target;
    // The rows are read again once the grid has finished moving; a cell it
    // opened for editing (Tab) is opened again.
    QMetaObject::invokeMethod(
        this,
        [this, id, column = current.column()] {
            const bool editing = grid->indexWidget(grid->currentIndex()) != nullptr;
            ui::guarded([&] { reloadAt(id, column); });
            if (editing)
                grid->edit(grid->currentIndex());
        },
        Qt::QueuedConnection);
}

int NormEditor::saveChanges()
{
    const std::optional<int> row = rows->changedRow();
    if (!row)
        return 0;
    const NormValues v = rows->values(*row);
    int id = rows->normId(*row);
    if (rows->isNewLine(*row)) {
        id = data::variantInteger(dataModule_.scalar(statements::normInsert(operationId_, v.norma, v.price, v.prize)),
                                  QStringLiteral("id"));
    } else {
        data::Command(dataModule_.ADO_DB, QStringLiteral("norm"), statements::normUpdate(id, v.norma, v.price, v.prize))
            .execute();
    }
    rows->forgetChanges();
    return id;
}

void NormEditor::reloadAt(int normId, int column)
{
    moving_ = true;
    const core::Finally done([this] { moving_ = false; });
    norm.close();
    norm.setParam(QStringLiteral("o_id"), operationId_);
    norm.open();
    const int row = normId < 0 ? 0 : (normId == 0 ? rows->savedCount() : rows->rowOfNorm(normId));
    grid->setCurrentIndex(rows->index(row, column));
    rows->setCurrentRow(row);
}

void NormEditor::deleteCurrent()
{
    const int row = grid->currentIndex().row();
    if (rows->savedCount() <= 1 || row < 0 || rows->isNewLine(row))
        return;
    data::Command(dataModule_.ADO_DB, QStringLiteral("norm"), statements::normDelete(rows->normId(row))).execute();
    const int next = rows->normId(row + 1);
    reloadAt(next > 0 ? next : rows->normId(row - 1), grid->currentIndex().column());
}

void NormEditor::saveAndClose()
{
    grid->commitOpenEditor();
    saveChanges();
    dataModule_.Oper.reloadInPlace();
    accept();
}

}  // namespace reference
