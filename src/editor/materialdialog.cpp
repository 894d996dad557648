#include "editor/materialdialog.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/textformat.h"
#include "editor/lookupcombo.h"
#include "editor/materialstatements.h"
#include "records/crew.h"
#include "records/shiftrecordstore.h"
#include "ui/dialogs.h"
#include "ui/keyfilter.h"
#include "ui/labels.h"
#include "ui/messages.h"

namespace editor {

namespace {

const QString kIdSmena = QStringLiteral("id_smena");
const QString kIdGds = QStringLiteral("id_gds");
const QString kFree = QStringLiteral("f_qty_free");

// A stock line shows the caption of its query's one row; nothing while the query is closed.
data::Subscription followStock(data::Dataset& stock, QLabel* line)
{
    return stock.subscribe([&stock, line](data::DatasetChange change) {
        if (change == data::DatasetChange::Destroyed)
            return;
        line->setText(stock.isOpen() && !stock.isEmpty() ? stock.text(QStringLiteral("s_full_caption")) : QString());
    });
}

}  // namespace

MaterialDialog::MaterialDialog(data::Connection& connection, QWidget* parent)
    : QDialog(parent),
      v_cmn_gds_in(connection, QStringLiteral("v_cmn_gds_in"), statements::materialsOffered()),
      v_id_cons_use(connection, QStringLiteral("v_id_cons_use"), statements::unreservedStock()),
      v_id_cons_use1(connection, QStringLiteral("v_id_cons_use1"), statements::reservedStock()),
      operation(connection, QStringLiteral("operation"), statements::materialNorm()),
      smena_gds_use(connection, QStringLiteral("smena_gds_use"), records::materialUseInsertStatement()),
      connection_(connection)
{
    setObjectName(QStringLiteral("Form24"));
    setWindowTitle(QStringLiteral("Материал"));
    for (data::Dataset* stock : {&v_id_cons_use, &v_id_cons_use1}) {
        stock->setParam(kIdSmena, -1);
        stock->setParam(kIdGds, qint64(0));
    }
    operation.setParam(QStringLiteral("id_gds_from"), qint64(0));
    operation.setParam(QStringLiteral("id_gds_to"), qint64(0));
    buildControls();
    stockLines_[0] = followStock(v_id_cons_use, stockLine1);
    stockLines_[1] = followStock(v_id_cons_use1, stockLine2);
    connect(LCB_id_gds_use, &LookupComboBox::chosen, this, [this] { materialChosen(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { store(); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    LCB_id_gds_use->installEventFilter(this);
}

MaterialDialog::~MaterialDialog()
{
    for (data::Subscription& line : stockLines_)
        line.reset();
    // The combo follows v_cmn_gds_in: it goes first.
    delete LCB_id_gds_use;
}

void MaterialDialog::buildControls()
{
    LCB_id_gds_use = new LookupComboBox(v_cmn_gds_in, QStringLiteral("id"), QStringLiteral("s_caption"), this);
    LCB_id_gds_use->setObjectName(QStringLiteral("LCB_id_gds_use"));
    stockLine1 = new QLabel(this);
    stockLine1->setObjectName(QStringLiteral("stockLine1"));
    stockLine2 = new QLabel(this);
    stockLine2->setObjectName(QStringLiteral("stockLine2"));
    consumptionEdit = new QLineEdit(QStringLiteral("0"), this);
    consumptionEdit->setObjectName(QStringLiteral("consumptionEdit"));
    ui::installKeyFilter(consumptionEdit, ui::KeyRule::DecimalComma);

    auto* grid = new QGridLayout;
    auto* materialLabel = new QLabel(QStringLiteral("ТМЦ"), this);
    ui::nameByLabel(materialLabel, LCB_id_gds_use);
    grid->addWidget(materialLabel, 0, 0);
    grid->addWidget(LCB_id_gds_use, 0, 1, 1, 2);
    grid->addWidget(stockLine1, 1, 1, 1, 2);
    grid->addWidget(stockLine2, 2, 1, 1, 2);
    auto* consumptionLabel = new QLabel(QStringLiteral("Расход"), this);
    ui::nameByLabel(consumptionLabel, consumptionEdit);
    grid->addWidget(consumptionLabel, 3, 0);
    grid->addWidget(consumptionEdit, 3, 1);
    grid->setColumnStretch(2, 1);

    saveButton = new QPushButton(QStringLiteral("Запись"), this);
    saveButton->setObjectName(QStringLiteral("saveButton"));
    saveButton->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("Отмена"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    setFixedSize(520, 165);
}

bool MaterialDialog::addFor(const MaterialRecord& record)
{
    record_ = record;
    stored_ = false;
    v_cmn_gds_in.close();
    v_cmn_gds_in.setParam(kIdSmena, record.recordId);
    v_cmn_gds_in.open();
    // Until a material is chosen both stock lines show their caption with 0.
    for (data::Dataset* stock : {&v_id_cons_use, &v_id_cons_use1}) {
        stock->close();
        stock->setParam(kIdSmena, -1);
        stock->open();
    }
    LCB_id_gds_use->setFocus();
    ui::execModal(*this);
    closeQueries();
    LCB_id_gds_use->setKeyValue(0);
    consumptionEdit->setText(QStringLiteral("0"));
    return stored_;
}

void MaterialDialog::closeQueries()
{
    v_cmn_gds_in.close();
    v_id_cons_use.close();
    v_id_cons_use1.close();
}

void MaterialDialog::materialChosen()
{
    v_id_cons_use.close();
    v_id_cons_use1.close();
    operation.close();

    // What the record has used already, of any material.
    double used = 0;
    if (!fmt::trimmed(record_.usedText).isEmpty())
        used = std::max(0.0, fmt::parseNumber(record_.usedText));

    if (const qint64 material = LCB_id_gds_use->keyValue()) {
        operation.setParam(QStringLiteral("id_gds_from"), material);
        operation.setParam(QStringLiteral("id_gds_to"), record_.productId);
        for (data::Dataset* stock : {&v_id_cons_use, &v_id_cons_use1}) {
            stock->setParam(kIdGds, material);
            stock->setParam(kIdSmena, record_.recordId);
        }
    }
    operation.open();
    v_id_cons_use.open();
    v_id_cons_use1.open();

    operation.first();
    const double perPiece = operation.isEmpty() ? 0.0 : operation.number(QStringLiteral("f_qty_from"));
    norm_ = static_cast<float>(fmt::round4(perPiece));
    const double quantity = fmt::parseNumber(record_.quantityText);
    consumptionEdit->setText(fmt::general(fmt::round3(quantity * norm_ - used)));
}

double MaterialDialog::available() const { return v_id_cons_use.number(kFree) + v_id_cons_use1.number(kFree); }

void MaterialDialog::store()
{
    const double stock = available();
    if (!LCB_id_gds_use->showsEntry()) {
        ui::showError(QStringLiteral("Все поля должны быть заполнены!"));
        return;
    }
    QString consumption = consumptionEdit->text();
    if (consumption.isEmpty())
        consumption = QStringLiteral("0");
    const double wanted = fmt::round3(fmt::parseNumber(consumption));
    if (wanted > fmt::round3(stock)) {
        if (wanted <= 0)
            return;
        const ui::Message question{ui::Icon::Warning, QStringLiteral("Запрос"),
                                   QStringLiteral("Расход ТМЦ не может быть больше партии! Расходовать весь остаток "
                                                  "по партии?"),
                                   QMessageBox::Yes | QMessageBox::No};
        if (ui::show(question) != QMessageBox::Yes)
            return;
        consumption = fmt::general(fmt::round3(stock));
    }
    const qint64 material = LCB_id_gds_use->keyValue();
    if (material == 0)
        return;
    const double quantity = fmt::parseNumber(consumption);
    if (quantity <= 0) {
        ui::showError(QStringLiteral("Расход ТМЦ не может быть 0!"));
        return;
    }
    try {
        records::addMaterialUse(connection_, smena_gds_use, record_.recordId, material, quantity);
    } catch (const records::StaleRecord& stale) {
        ui::showError(stale.text());
        reject();
        return;
    }
    stored_ = true;
    accept();
}

bool MaterialDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == LCB_id_gds_use && event->type() == QEvent::FocusOut) {
        // Leaving the combo for another control of the dialog; not its own
        // drop-down list, nor the dialog for another window.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && isVisible())
            materialChosen();
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace editor
