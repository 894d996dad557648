#include "reference/workerlist.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/textformat.h"
#include "reference/searchfilters.h"
#include "reference/bookwindow.h"
#include "ui/datasetgrid.h"
#include "ui/dialogs.h"
#include "ui/labels.h"

namespace reference {

WorkerList::WorkerList(data::DataModule& dataModule, QWidget* parent)
    : QDialog(parent), dataModule_(dataModule)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Список рабочих"));

    grid = makeListGrid(this,
                        {{QStringLiteral("fio"), QStringLiteral("ФИО"), 260},
                         {QStringLiteral("s_staffpos_hl"), QStringLiteral("Должность"), 280}},
                        dataModule_.Workers, QStringLiteral("Рабочие"));
    searchEdit = makeSearchField(this, dataModule_.Workers);
    searchEdit->hide();

    selectButton = ui::makeButton(this, "selectButton", QStringLiteral("Выбрать"));
    deleteButton = ui::makeButton(this, "deleteButton", QStringLiteral("Удалить"));
    deleteButton->hide();
    exitButton = ui::makeButton(this, "exitButton", QStringLiteral("Выход"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid, 1);
    layout->addWidget(searchEdit);
    layout->addLayout(buttonRow({selectButton, deleteButton, exitButton}));
    setFixedSize(600, 520);

    connect(searchEdit, &QLineEdit::textChanged, this, [this] { applySearch(); });
    connect(selectButton, &QPushButton::clicked, this, [this] { take(); });
    connect(grid, &QAbstractItemView::doubleClicked, this, [this] { take(); });
    connect(exitButton, &QPushButton::clicked, this, &QDialog::reject);
}

bool WorkerList::pick()
{
    mode_ = Mode::Picker;
    dataModule_.Workers.open();
    selectButton->setText(QStringLiteral("Выбрать"));
    selectButton->setDefault(true);
    selectButton->show();
    deleteButton->hide();
    searchEdit->show();
    searchEdit->clear();
    applySearch();
    activate();
    ui::execModal(*this);
    return chosen_;
}

void WorkerList::openAsList()
{
    mode_ = Mode::List;
    dataModule_.Workers.open();
    selectButton->hide();
    activate();
    ui::execModal(*this);
    dataModule_.Workers.close();
}

void WorkerList::activate()
{
    chosen_ = false;
    picked_.reset();
    if (!searchEdit->isHidden())
        searchEdit->setFocus();
}

void WorkerList::applySearch()
{
    applySearchFilter(dataModule_.Workers, workerSearchFilter(searchEdit->text()));
}

void WorkerList::take()
{
    const data::Dataset& workers = dataModule_.Workers;
    if (workers.isOpen() && !workers.isEmpty()) {
        WorkerPick p;
        p.name = fmt::trimmed(workers.text(QStringLiteral("fio")));
        p.workerCode = workers.integer(QStringLiteral("id"));
        p.personId = workers.int64(QStringLiteral("p_id"));
        picked_ = p;
    }
    chosen_ = true;
    accept();
}

}  // namespace reference
