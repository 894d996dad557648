#include "reference/kindlist.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/textformat.h"
#include "data/datamodule.h"
#include "reference/bookwindow.h"
#include "reference/referencedeletion.h"
#include "reference/searchfilters.h"
#include "ui/application.h"
#include "ui/datasetgrid.h"
#include "ui/dialogs.h"
#include "ui/labels.h"

namespace reference {

OperationKindList::OperationKindList(data::DataModule& dataModule, QWidget* parent)
    : QDialog(parent), dataModule_(dataModule)
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Виды операций"));

    grid = makeListGrid(this, {{QStringLiteral("VID"), QStringLiteral("Операции"), 360}}, dataModule_.Vid_oper,
                        QStringLiteral("Виды операций"));
    searchEdit = makeSearchField(this, dataModule_.Vid_oper);
    searchEdit->hide();

    addButton = ui::makeButton(this, "addButton", QStringLiteral("Добавить"));
    selectButton = ui::makeButton(this, "selectButton", QStringLiteral("Изменить"));
    deleteButton = ui::makeButton(this, "deleteButton", QStringLiteral("Удалить"));
    exitButton = ui::makeButton(this, "exitButton", QStringLiteral("Выход"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid, 1);
    layout->addWidget(searchEdit);
    layout->addLayout(buttonRow({addButton, selectButton, deleteButton, exitButton}));
    resize(460, 520);

    connect(searchEdit, &QLineEdit::textChanged, this, [this] {
        applySearchFilter(dataModule_.Vid_oper, prefixSearchFilter(QStringLiteral("vid"), searchEdit->text()));
    });
    connect(addButton, &QPushButton::clicked, this, &OperationKindList::addRequested);
    connect(selectButton, &QPushButton::clicked, this, [this] { ui::guarded([this] { select(); }); });
    connect(grid, &QAbstractItemView::doubleClicked, this, [this] { ui::guarded([this] { select(); }); });
    connect(deleteButton, &QPushButton::clicked, this, [this] { ui::guarded([this] { deleteKind(); }); });
    connect(exitButton, &QPushButton::clicked, this, &QDialog::reject);
}

void OperationKindList::openAsList()
{
    mode_ = Mode::List;
    dataModule_.Vid_oper.open();
    showModeButtons(ListMode::List, addButton, selectButton, deleteButton);
    activate();
    ui::execModal(*this);
    addButton->setDefault(false);
    dataModule_.Vid_oper.close();
}

std::optional<KindPick> OperationKindList::pick()
{
    mode_ = Mode::Picker;
    dataModule_.Vid_oper.open();
    showModeButtons(ListMode::Picker, addButton, selectButton, deleteButton);
    searchEdit->show();
    searchEdit->clear();
    picked_.reset();
    activate();
    ui::execModal(*this);
    selectButton->setDefault(false);
    searchEdit->hide();
    // The list mode shows no search field, so it must not find a search left over.
    dataModule_.Vid_oper.setFiltered(false);
    dataModule_.Vid_oper.close();
    return picked_;
}

void OperationKindList::activate()
{
    if (!searchEdit->isHidden())
        searchEdit->setFocus();
}

void OperationKindList::select()
{
    const data::Dataset& kinds = dataModule_.Vid_oper;
    const bool hasRow = kinds.isOpen() && !kinds.isEmpty();
    if (mode_ == Mode::Picker) {
        KindPick p;
        if (hasRow) {
            p.name = fmt::trimmed(kinds.text(QStringLiteral("vid")));
            p.id = kinds.integer(QStringLiteral("id"));
        }
        picked_ = p;
        accept();
        return;
    }
    if (hasRow)
        emit changeRequested(kinds.integer(QStringLiteral("id")), kinds.text(QStringLiteral("vid")));
}

void OperationKindList::deleteKind()
{
    deleteCurrentAfterQuestion(dataModule_, dataModule_.Vid_oper, Book::Kind, QStringLiteral("Удалить вид операции?"));
}

}  // namespace reference
