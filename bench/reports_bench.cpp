// The reports window's commands on a full-size plant, each beside the
// database's own cost of the same statements (replayed on a plain libpq
// client in the same run) and the ratio:
//   - each of the five reports from its button to the first page painted in
//     the print preview (the dataset read, the first page laid out, the
//     preview built and that page drawn; the preview lays out the rest while
//     it is shown);
//   - the detailed workers report read and laid out, all pages;
//   - the production export ("Excel (0 из 0)"), written to a temporary folder.
//
//   reports_bench DATABASE [MM.yyyy] [rounds]
// Server and account: PGHOST (localhost), the built-in account. The month
// defaults to the last complete month of the records.
// The full-size plant: db/create-database.sh tabel_full 7 2026-11-30 24

#include <QApplication>
#include <QDate>
#include <QDateEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

#include "benchsupport.h"
#include "data/datamodule.h"
#include "export/spreadsheet.h"
#include "report/engine.h"
#include "reports/datasetrows.h"
#include "reports/printpreview.h"
#include "reports/summaryreportswindow.h"
#include "ui/dialogs.h"
#include "ui/messages.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: reports_bench DATABASE [MM.yyyy] [rounds]\n");
        return 2;
    }
    const int rounds = argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : 5;
    QTemporaryDir files;
    xlsx::setOutputDirectory(files.path());
    xlsx::setOpener([](const QString&) { return true; });
    // A failure inside a command is printed, not shown.
    ui::setMessageHandler([](const ui::Message& m) {
        std::fprintf(stderr, "reports_bench: %s\n", qPrintable(m.text));
        std::exit(1);
        return QMessageBox::Ok;
    });
    try {
        data::DataModule dm(bench::connectionStringFor(argv[1]));
        const QDate from = bench::monthToMeasure(dm, argc > 2 ? argv[2] : nullptr);
        const QDate to = from.addMonths(1);
        const int records = dm.scalar(QStringLiteral("select count(*) from accounts_dep.smena where data >= '%1' and "
                                                     "data < '%2'")
                                          .arg(from.toString(Qt::ISODate), to.toString(Qt::ISODate)))
                                .toInt();
        const int workers =
            dm.scalar(QStringLiteral("select count(*) from cmn_contractor.person where b_employee")).toInt();
        std::printf("period %s .. %s: %d shift records, %d workers; %d rounds\n\n",
                    qPrintable(from.toString(QStringLiteral("dd.MM.yyyy"))),
                    qPrintable(to.toString(QStringLiteral("dd.MM.yyyy"))), records, workers, rounds);

        reports::SummaryReportsWindow window(dm.ADO_DB);
        window.DateTimePicker1->setDate(from);
        window.DateTimePicker2->setDate(to);

        bench::PlainClient plain(argv[1]);

        // The preview is "shown" by painting its first page, then closed.
        ui::setDialogHandler([&](QDialog& dialog) {
            auto& preview = static_cast<reports::PrintPreview&>(dialog);
            preview.resize(1280, 1000);
            preview.grab();
            return int(QDialog::Rejected);
        });
        const std::pair<reports::PeriodReport*, QPushButton*> reports[] = {
            {&window.Form16, window.workersButton},       {&window.Form17, window.productsButton},
            {&window.Form20, window.workersDetailButton},  {&window.Form21, window.productsDetailButton},
            {&window.Form25, window.requisitionsButton},
        };
        char what[160];
        for (const auto& [report, button] : reports) {
            const bench::Figure toFirstPage = bench::measure(dm.ADO_DB, plain, rounds, [&] { button->click(); });
            report->dataset.setParam(QStringLiteral("data1"), from);
            report->dataset.setParam(QStringLiteral("data2"), to);
            report->dataset.open();
            const int pages = int(report->form.generate(reports::DatasetRows(report->dataset)).pages.size());
            std::snprintf(what, sizeof what, "%s to its first page (%d rows, %d pages)",
                          qPrintable(report->form.layout().name), report->dataset.recordCount(), pages);
            report->dataset.close();
            bench::line(what, toFirstPage);
        }
        ui::resetDialogHandler();

        // The detailed workers report laid out from its rows in memory.
        reports::PeriodReport& detail = window.Form20;
        detail.dataset.setParam(QStringLiteral("data1"), from);
        detail.dataset.setParam(QStringLiteral("data2"), to);
        const bench::Figure read = bench::measure(dm.ADO_DB, plain, rounds, [&] { detail.dataset.reload(); });
        const reports::DatasetRows rows(detail.dataset);
        const double layOut = bench::averageMs(rounds, [&] { detail.form.generate(rows); });
        std::snprintf(what, sizeof what, "detailed workers report, all %lld pages laid out after the reading",
                      static_cast<long long>(detail.form.generate(rows).pages.size()));
        bench::line(what, read.ms + layOut, read.databaseMs);
        detail.dataset.close();

        // The production export.
        const bench::Figure exported = bench::measure(dm.ADO_DB, plain, rounds, [&] { window.excelButton->click(); });
        std::snprintf(what, sizeof what, "production export (%s)", qPrintable(window.excelButton->text()));
        bench::line(what, exported);
        std::printf("peak RSS %ld kB\n", bench::peakRssKb());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "reports_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
