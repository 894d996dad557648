#include "reports/summaryreportswindow.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/finally.h"
#include "core/textformat.h"
#include "data/filter.h"
#include "reports/datasetrows.h"
#include "reports/layouts.h"
#include "reports/productionexport.h"
#include "reports/summarystatements.h"
#include "ui/dialogs.h"
#include "ui/labels.h"

namespace reports {

PeriodReport::PeriodReport(data::Connection& connection, PrintedLayout layout, const QString& datasetName,
                           const QString& statement, QString text)
    : form(std::move(layout)), dataset(connection, datasetName, statement), titleText(std::move(text))
{
}

SummaryReportsWindow::SummaryReportsWindow(data::Connection& connection, QWidget* parent)
    : CommandDialog(parent)
    , Form16(connection, workersReport(), QStringLiteral("t_Report"), workersReportStatement(),
             QStringLiteral("   Отчет по рабочим за период с "))
    , Form17(connection, productsReport(), QStringLiteral("t_Report"), productsReportStatement(),
             QStringLiteral("   Отчет по продукции за период с "))
    , Form20(connection, workersDetailReport(), QStringLiteral("w_Report"), workersDetailStatement(),
             QStringLiteral("   Детальный отчет по рабочим за период с "))
    , Form21(connection, productsDetailReport(), QStringLiteral("i_Report"), productsDetailStatement(),
             QStringLiteral("   Детальный отчет по продукции за период с "))
    , Form25(connection, requisitionsReport(), QStringLiteral("i_Report"), requisitionsStatement(),
             QStringLiteral("   Детальный отчет по заявкам за период с "))
    , XLS_Rep(connection, QStringLiteral("XLS_Rep"), productionExportStatement())
{
    setObjectName(QStringLiteral("Form18"));
    setWindowTitle(QStringLiteral("Отчеты"));
    buildControls();

    const std::pair<QPushButton*, PeriodReport*> reports[] = {
        {workersButton, &Form16},       {productsButton, &Form17},     {workersDetailButton, &Form20},
        {productsDetailButton, &Form21}, {requisitionsButton, &Form25},
    };
    for (const auto& [button, report] : reports)
        connect(button, &QPushButton::clicked, this, [this, report = report] {
            command([this, report] { printReport(*report); });
        });
    connect(excelButton, &QPushButton::clicked, this, [this] { command([this] { exportProduction(); }); });
    connect(exitButton, &QPushButton::clicked, this, &SummaryReportsWindow::reject);
}

void SummaryReportsWindow::buildControls()
{
    auto* kindBox = new QGroupBox(QStringLiteral("Вид продукции"), this);
    kindBox->setObjectName(QStringLiteral("RadioGroup1"));
    auto* kindLayout = new QVBoxLayout(kindBox);
    auto* kinds = new QButtonGroup(this);
    auto makeKind = [&](const char* name, const QString& caption) {
        auto* b = new QRadioButton(caption, kindBox);
        b->setObjectName(QString::fromLatin1(name));
        kinds->addButton(b);
        kindLayout->addWidget(b);
        return b;
    };
    allKinds = makeKind("RadioAll", QStringLiteral("Все"));
    finishedKind = makeKind("RadioFinished", QStringLiteral("Готовая продукция"));
    blanksKind = makeKind("RadioBlanks", QStringLiteral("Заготовки"));
    allKinds->setChecked(true);

    auto* periodBox = new QGroupBox(QStringLiteral("Период отбора"), this);
    periodBox->setObjectName(QStringLiteral("GroupBox1"));
    auto* periodLayout = new QHBoxLayout(periodBox);
    auto makeDate = [&](const char* name, const QString& caption) {
        auto* label = new QLabel(caption, periodBox);
        auto* edit = new QDateEdit(periodBox);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        ui::nameByLabel(label, edit);
        periodLayout->addWidget(label);
        periodLayout->addWidget(edit, 1);
        return edit;
    };
    DateTimePicker1 = makeDate("DateTimePicker1", QStringLiteral("с"));
    DateTimePicker2 = makeDate("DateTimePicker2", QStringLiteral("по"));

    auto* buttons = new QVBoxLayout;
    auto makeButton = [&](const char* name, const QString& caption) {
        QPushButton* b = ui::makeButton(this, name, caption);
        buttons->addWidget(b);
        return b;
    };
    workersButton = makeButton("ButtonWorkers", QStringLiteral("Отчет по рабочим"));
    productsButton = makeButton("ButtonProducts", QStringLiteral("Отчет по продукции"));
    workersDetailButton = makeButton("ButtonWorkersDetail", QStringLiteral("Детальный отчет по рабочим"));
    productsDetailButton = makeButton("ButtonProductsDetail", QStringLiteral("Детальный отчет по продукции"));
    requisitionsButton = makeButton("ButtonRequisitions", QStringLiteral("Детальный отчет по заявкам"));
    excelButton = makeButton("ButtonExcel", xlsx::exportCaption(0, 0));
    buttons->addSpacing(8);
    exitButton = makeButton("ButtonExit", QStringLiteral("Выход"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(kindBox);
    layout->addWidget(periodBox);
    layout->addLayout(buttons);
    // A fixed border; the export's caption may grow, so leave it room.
    setFixedSize(QSize(std::max(sizeHint().width(), 320), sizeHint().height()));
}

void SummaryReportsWindow::openOnPeriod(const QDate& from, const QDate& to)
{
    DateTimePicker1->setDate(from);
    DateTimePicker2->setDate(to);
    ui::execModal(*this);
}

QDate SummaryReportsWindow::fromDate() const
{
    return DateTimePicker1->date();
}

QDate SummaryReportsWindow::toDate() const
{
    return DateTimePicker2->date();
}

ProductKind SummaryReportsWindow::productKind() const
{
    if (finishedKind->isChecked())
        return ProductKind::Finished;
    if (blanksKind->isChecked())
        return ProductKind::Blanks;
    return ProductKind::All;
}

void SummaryReportsWindow::openOnChoice(data::Dataset& dataset)
{
    dataset.close();
    dataset.setParam(QStringLiteral("data1"), fromDate());
    dataset.setParam(QStringLiteral("data2"), toDate());
    switch (productKind()) {
    case ProductKind::All: dataset.setFilter({}); break;
    case ProductKind::Finished: dataset.setFilter(data::filters::equals(QStringLiteral("naimen"), 0)); break;
    case ProductKind::Blanks: dataset.setFilter(data::filters::equals(QStringLiteral("naimen"), 1)); break;
    }
    dataset.setFiltered(productKind() != ProductKind::All);
    dataset.open();
}

void SummaryReportsWindow::printReport(PeriodReport& report)
{
    const core::Finally close([&report] { report.dataset.close(); });
    openOnChoice(report.dataset);
    report.form.setTitle(report.titleText + fmt::dateText(fromDate()) + QStringLiteral(" по ") +
                         fmt::dateText(toDate()));
    report.form.preview(DatasetRows(report.dataset), this);
}

void SummaryReportsWindow::exportProduction()
{
    const core::Finally close([this] { XLS_Rep.close(); });
    openOnChoice(XLS_Rep);
    reports::exportProduction(XLS_Rep, [this](int written, int total) {
        excelButton->setText(xlsx::exportCaption(written, total));
        excelButton->repaint();  // no events are processed while the export writes
    });
}

}  // namespace reports
