#include "reference/operationlist.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/finally.h"
#include "core/textformat.h"
#include "reference/bookwindow.h"
#include "reference/operationrules.h"
#include "reference/operationsexport.h"
#include "reference/referencedeletion.h"
#include "reference/referencestatements.h"
#include "reference/searchfilters.h"
#include "session/runstate.h"
#include "ui/application.h"
#include "ui/busycursor.h"
#include "ui/datasetgrid.h"
#include "ui/dialogs.h"
#include "ui/labels.h"
#include "ui/messages.h"

namespace reference {

namespace {

QList<ui::GridColumn> operationColumns()
{
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    return {
        {QStringLiteral("MARKA"), QStringLiteral("Марка"), 250},
        {QStringLiteral("VID"), QStringLiteral("Опреция"), 200},
        {QStringLiteral("cena"), QStringLiteral("Цена (min)"), 80, right},
        {QStringLiteral("nmn"), QStringLiteral("Вид"), 140},
        {QStringLiteral("norma"), QStringLiteral("Нормы (шт.)"), 85, right},
        {QStringLiteral("id"), QStringLiteral("id"), 0, right, false},
        {QStringLiteral("i_id"), QStringLiteral("i_id"), 0, right, false},
        {QStringLiteral("oper_vid"), QStringLiteral("oper_vid"), 0, right, false},
    };
}

}  // namespace

OperationList::OperationList(data::DataModule& dataModule, const session::RunState& state, QWidget* parent)
    : QDialog(parent),
      XLS_Rep(dataModule.ADO_DB, QStringLiteral("XLS_Rep"), statements::operationsExport()),
      dataModule_(dataModule),
      state_(state)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Операции"));

    grid = makeListGrid(this, operationColumns(), dataModule_.Oper, QStringLiteral("Операции"));

    addButton = ui::makeButton(this, "addButton", QStringLiteral("Добавить"));
    addButton->setDefault(true);
    selectButton = ui::makeButton(this, "selectButton", QStringLiteral("Изменить"));
    deleteButton = ui::makeButton(this, "deleteButton", QStringLiteral("Удалить"));
    excelButton = ui::makeButton(this, "excelButton", QStringLiteral("Excel"));
    exitButton = ui::makeButton(this, "exitButton", QStringLiteral("Выход"));

    pricesBox = new QCheckBox(QStringLiteral("Цены"), this);
    pricesBox->setObjectName(QStringLiteral("pricesBox"));
    QFont bold = pricesBox->font();
    bold.setBold(true);
    pricesBox->setFont(bold);

    searchEdit = makeSearchField(this, dataModule_.Oper);

    auto* bottom = new QHBoxLayout;
    const std::initializer_list<QWidget*> row{addButton, selectButton, deleteButton, excelButton, pricesBox,
                                              searchEdit, exitButton};
    for (QWidget* w : row)
        bottom->addWidget(w, w == searchEdit ? 1 : 0);
    // Tab goes along the row as it stands on screen.
    setTabOrder(grid, addButton);
    for (auto w = row.begin(); w + 1 != row.end(); ++w)
        setTabOrder(*w, *(w + 1));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid, 1);
    layout->addLayout(bottom);
    setFixedSize(820, 560);

    connect(searchEdit, &QLineEdit::textChanged, this, [this] { applySearch(); });
    connect(selectButton, &QPushButton::clicked, this, [this] { ui::guarded([this] { select(); }); });
    connect(grid, &QAbstractItemView::doubleClicked, this, [this] { ui::guarded([this] { rowDoubleClicked(); }); });
    connect(addButton, &QPushButton::clicked, this, &OperationList::addRequested);
    connect(deleteButton, &QPushButton::clicked, this, [this] { ui::guarded([this] { deleteOperation(); }); });
    connect(excelButton, &QPushButton::clicked, this, [this] { ui::guarded([this] { exportOperations(); }); });
    connect(exitButton, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<OperationPick> OperationList::pick(int startOperationId)
{
    data::Dataset& oper = dataModule_.Oper;
    mode_ = Mode::Picker;
    oper.open();
    showModeButtons(ListMode::Picker, addButton, selectButton, deleteButton);
    searchEdit->clear();
    applySearch();
    // After the search: a change of the filter puts the list on its first row.
    if (startOperationId > 0)
        oper.locate(QStringLiteral("id"), startOperationId);
    else
        oper.first();
    picked_.reset();
    activate();
    ui::execModal(*this);
    selectButton->setDefault(false);
    oper.setFiltered(false);
    return picked_;
}

void OperationList::openAsList()
{
    mode_ = Mode::List;
    dataModule_.Oper.open();
    showModeButtons(ListMode::List, addButton, selectButton, deleteButton);
    activate();
    ui::execModal(*this);
    dataModule_.Oper.close();
}

void OperationList::activate()
{
    searchEdit->setFocus();
    if (!fmt::trimmed(searchEdit->text()).isEmpty())
        applySearch();
}

void OperationList::applySearch()
{
    const std::optional<QString> product = requisitionProduct_ ? requisitionProduct_() : std::nullopt;
    applySearchFilter(dataModule_.Oper, operationSearchFilter(searchEdit->text(), product));
}

OperationPick OperationList::current() const
{
    const data::Dataset& oper = dataModule_.Oper;
    OperationPick p;
    p.productId = oper.int64(QStringLiteral("i_id"));
    p.operationId = oper.integer(QStringLiteral("id"));
    p.operationType = oper.integer(QStringLiteral("NAIMEN"));
    p.basePrice = fmt::round4(oper.number(QStringLiteral("cena")));
    p.effectivePrice = effectivePrice(p.basePrice, state_.dayOff(), state_.currentShift());
    const QString mark = dataModule_.scalar(productMarkStatement(p.productId)).toString();
    p.operationText = operationText(mark, oper.text(QStringLiteral("VID")), p.operationType);
    return p;
}

void OperationList::select()
{
    if (mode_ == Mode::List) {
        emit changeRequested();
        return;
    }
    const data::Dataset& oper = dataModule_.Oper;
    if (oper.isOpen() && !oper.isEmpty())
        picked_ = current();
    accept();
}

void OperationList::rowDoubleClicked()
{
    if (pricesBox->isChecked() && mode_ == Mode::List)
        emit normsRequested();
    else
        select();
}

void OperationList::deleteOperation()
{
    deleteCurrentAfterQuestion(dataModule_, dataModule_.Oper, Book::Operation, QStringLiteral("Удалить операцию?"));
}

void OperationList::exportOperations()
{
    const ui::BusyCursor busy;
    XLS_Rep.close();
    const core::Finally closeRows([this] { XLS_Rep.close(); });
    XLS_Rep.open();
    reference::exportOperations(XLS_Rep);
}

}  // namespace reference
