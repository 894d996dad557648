#include "reference/productlist.h"

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

ProductList::ProductList(data::DataModule& dataModule, QWidget* parent)
    : QDialog(parent), dataModule_(dataModule)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Изделия"));

    grid = makeListGrid(this,
                        {{QStringLiteral("MARKA"), QStringLiteral("Марка изделия"), 300},
                         {QStringLiteral("massa"), QStringLiteral("Коробки"), 120}},
                        dataModule_.Izdel, QStringLiteral("Изделия"));
    searchEdit = makeSearchField(this, dataModule_.Izdel, OtherKeys::Kept);
    searchEdit->hide();

    addButton = ui::makeButton(this, "addButton", QStringLiteral("Добавить"));
    selectButton = ui::makeButton(this, "selectButton", QStringLiteral("Выбрать"));
    selectButton->hide();
    deleteButton = ui::makeButton(this, "deleteButton", QStringLiteral("Удалить"));
    exitButton = ui::makeButton(this, "exitButton", QStringLiteral("Выход"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid, 1);
    layout->addWidget(searchEdit);
    layout->addLayout(buttonRow({addButton, selectButton, deleteButton, exitButton}));
    setFixedSize(480, 520);

    connect(searchEdit, &QLineEdit::textChanged, this, [this] {
        applySearchFilter(dataModule_.Izdel, prefixSearchFilter(QStringLiteral("marka"), searchEdit->text()));
    });
    connect(addButton, &QPushButton::clicked, this, [this] { ui::guarded([this] { addProduct(); }); });
    connect(grid, &QAbstractItemView::doubleClicked, this, [this] { ui::guarded([this] { rowDoubleClicked(); }); });
    connect(deleteButton, &QPushButton::clicked, this, [this] { ui::guarded([this] { deleteProduct(); }); });
    connect(exitButton, &QPushButton::clicked, this, &QDialog::reject);
}

void ProductList::openAsList()
{
    mode_ = Mode::List;
    dataModule_.Izdel.open();
    addButton->show();
    deleteButton->show();
    ui::execModal(*this);
    dataModule_.Izdel.close();
}

std::optional<ProductPick> ProductList::pick()
{
    mode_ = Mode::Picker;
    dataModule_.Izdel.open();
    addButton->hide();
    deleteButton->hide();
    searchEdit->show();
    searchEdit->clear();
    searchEdit->setFocus();
    picked_.reset();
    ui::execModal(*this);
    searchEdit->hide();
    // The list mode shows no search field, so it must not find a search left over.
    dataModule_.Izdel.setFiltered(false);
    dataModule_.Izdel.close();
    return picked_;
}

template <typename Fn>
void ProductList::keepingRow(Fn&& openEditor)
{
    data::Dataset& products = dataModule_.Izdel;
    const int row = products.recNo();
    openEditor();
    if (row > 0 && products.isOpen())
        products.setRecNo(row);
}

void ProductList::addProduct()
{
    keepingRow([this] { emit addRequested(); });
}

void ProductList::rowDoubleClicked()
{
    const data::Dataset& products = dataModule_.Izdel;
    if (!products.isOpen() || products.isEmpty())
        return;
    const qint64 id = products.int64(QStringLiteral("id"));
    const QString mark = fmt::trimmed(products.text(QStringLiteral("marka")));
    if (mode_ == Mode::Picker) {
        picked_ = ProductPick{mark, id};
        accept();
        return;
    }
    const double massa = products.number(QStringLiteral("massa"));
    keepingRow([&] { emit changeRequested(id, mark, massa); });
}

void ProductList::deleteProduct()
{
    deleteCurrentAfterQuestion(dataModule_, dataModule_.Izdel, Book::Product, QStringLiteral("Удалить изделие?"));
}

}  // namespace reference
