// The print preview of the printed layouts: how it opens, paging, printing
// and saving through the modal seam, and returning to the caller.

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "core/textformat.h"
#include "demorows.h"
#include "reports/layouts.h"
#include "reports/printpreview.h"
#include "support/testmain.h"
#include "ui/dialogs.h"

using namespace Qt::Literals::StringLiterals;
using reports::PrintPreview;
using reports::PreviewZoom;

namespace {

// The preview's command of that caption.
QAction* button(QWidget& window, const QString& caption)
{
    for (QAction* a : window.findChildren<QAction*>())
        if (a->text() == caption)
            return a;
    qFatal("no command %s", qPrintable(caption));
}

// Runs the preview of the layout; the function sees the preview while it is open.
void withPreview(const reports::PrintedLayout& layout, const report::RowSource& rows,
                 std::function<void(PrintPreview&)> whileOpen,
                 std::function<int(QDialog&)> otherDialogs = [](QDialog&) { return int(QDialog::Rejected); })
{
    ui::setDialogHandler([&](QDialog& dialog) {
        if (auto* preview = qobject_cast<PrintPreview*>(&dialog)) {
            preview->show();
            if (!QTest::qWaitForWindowExposed(preview))
                qWarning("preview not exposed");
            whileOpen(*preview);
            preview->close();
            return int(QDialog::Accepted);
        }
        return otherDialogs(dialog);
    });
    layout.preview(rows);
    ui::resetDialogHandler();
}

}  // namespace

class PreviewTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { ui::resetDialogHandler(); }

    void opensMaximizedAtTheLayoutsZoom_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("zoom");
        QTest::newRow("time sheet: whole page") << 1 << int(PreviewZoom::WholePage);
        QTest::newRow("workers: page width") << 2 << int(PreviewZoom::PageWidth);
        QTest::newRow("products: page width") << 3 << int(PreviewZoom::PageWidth);
        QTest::newRow("detailed workers: page width") << 4 << int(PreviewZoom::PageWidth);
        QTest::newRow("detailed products: page width") << 5 << int(PreviewZoom::PageWidth);
        QTest::newRow("requisitions: page width") << 6 << int(PreviewZoom::PageWidth);
    }
    void opensMaximizedAtTheLayoutsZoom()
    {
        QFETCH(int, which);
        QFETCH(int, zoom);
        const QList<std::function<reports::PrintedLayout()>> forms = {
            reports::timesheetPrint,       reports::workersReport,        reports::productsReport,
            reports::workersDetailReport, reports::productsDetailReport, reports::requisitionsReport};
        const reports::PrintedLayout layout = forms.at(which - 1)();
        const report::MemoryTable rows = which == 1 ? testing::timesheetRows(3)
                                         : which == 2 ? testing::workersRows(2)
                                         : which == 3 ? testing::productsRows(2)
                                         : which == 4 ? testing::workersDetailRows(2)
                                                      : testing::productsDetailRows(2, which == 6);
        bool seen = false;
        withPreview(layout, rows, [&](PrintPreview& preview) {
            seen = true;
            QVERIFY(preview.windowState() & Qt::WindowMaximized);
            QCOMPARE(int(preview.zoom()), zoom);
            QCOMPARE(preview.currentPage(), 0);
            auto* area = preview.findChild<QScrollArea*>();
            const QWidget* page = area->widget();
            const QSize space = area->contentsRect().size();
            if (zoom == int(PreviewZoom::WholePage)) {
                QVERIFY(page->width() <= space.width() && page->height() <= space.height());
                QVERIFY(page->width() > space.width() * 0.8 || page->height() > space.height() * 0.8);
            } else {
                QVERIFY(page->width() <= space.width() - area->verticalScrollBar()->sizeHint().width());
                QVERIFY(page->width() > (space.width() - area->verticalScrollBar()->sizeHint().width()) * 0.9);
            }
        });
        QVERIFY(seen);
    }

    void pagesThroughWithItsButtons()
    {
        withPreview(reports::productsReport(), testing::productsRows(40), [](PrintPreview& preview) {
            const int count = preview.pageCount();
            QVERIFY(count >= 3);
            auto* label = preview.findChild<QLabel*>();
            QCOMPARE(label->text(), u"Страница 1 из %1"_s.arg(count));
            QVERIFY(!button(preview, u"Предыдущая"_s)->isEnabled());
            button(preview, u"Следующая"_s)->trigger();
            QCOMPARE(preview.currentPage(), 1);
            QCOMPARE(label->text(), u"Страница 2 из %1"_s.arg(count));
            button(preview, u"Последняя"_s)->trigger();
            QCOMPARE(preview.currentPage(), count - 1);
            QVERIFY(!button(preview, u"Следующая"_s)->isEnabled());
            button(preview, u"Предыдущая"_s)->trigger();
            QCOMPARE(preview.currentPage(), count - 2);
            button(preview, u"Первая"_s)->trigger();
            QCOMPARE(preview.currentPage(), 0);
            button(preview, u"Во всю страницу"_s)->trigger();
            QCOMPARE(preview.zoom(), PreviewZoom::WholePage);
        });
    }

    void printsTheChosenPagesThroughThePrintDialog()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(u"печать.pdf"_s);
        int dialogs = 0;
        withPreview(
            reports::workersDetailReport(), testing::workersDetailRows(30),
            [](PrintPreview& preview) {
                QVERIFY(preview.pageCount() >= 3);
                button(preview, u"Печать"_s)->trigger();
            },
            [&](QDialog& dialog) {
                auto* print = qobject_cast<QPrintDialog*>(&dialog);
                if (!print)
                    return int(QDialog::Rejected);
                ++dialogs;
                QPrinter* printer = print->printer();
                printer->setOutputFormat(QPrinter::PdfFormat);
                printer->setOutputFileName(file);
                printer->setPrintRange(QPrinter::PageRange);
                printer->setFromTo(2, 3);
                return int(QDialog::Accepted);
            });
        QCOMPARE(dialogs, 1);
        QCOMPARE(testing::pdfPages(file), 2);
    }

    void savesAsPdf_data()
    {
        QTest::addColumn<bool>("timesheet");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("time sheet proposes PDF") << true << u"Табель по времени.pdf"_s;
        QTest::newRow("workers report offers PDF") << false << QString();
    }
    void savesAsPdf()
    {
        QFETCH(bool, timesheet);
        QFETCH(QString, proposed);
        QTemporaryDir dir;
        const QString file = dir.filePath(u"отчет.pdf"_s);
        const reports::PrintedLayout layout = timesheet ? reports::timesheetPrint() : reports::workersReport();
        const report::MemoryTable rows = timesheet ? testing::timesheetRows(60) : testing::workersRows(12);
        QStringList filters;
        QString shown;
        withPreview(
            layout, rows, [](PrintPreview& preview) { button(preview, u"Сохранить"_s)->trigger(); },
            [&](QDialog& dialog) {
                auto* files = qobject_cast<QFileDialog*>(&dialog);
                if (!files)
                    return int(QDialog::Rejected);
                filters = files->nameFilters();
                shown = files->selectedFiles().value(0);
                files->selectFile(file);
                return int(QDialog::Accepted);
            });
        QCOMPARE(filters, QStringList({u"Документ PDF (*.pdf)"_s}));
        if (proposed.isEmpty())
            QVERIFY(!shown.endsWith(u".pdf"_s));  // the dialog's folder, no file name
        else
            QCOMPARE(QFileInfo(shown).fileName(), proposed);
        QCOMPARE(testing::pdfPages(file), int(layout.generate(rows).pages.size()));
    }

    void returnsToTheCallerWhenClosed()
    {
        int previews = 0;
        QTimer::singleShot(0, [&] {
            auto* preview = qobject_cast<PrintPreview*>(QApplication::activeModalWidget());
            if (!preview)
                return;
            ++previews;
            button(*preview, u"Закрыть"_s)->trigger();
        });
        reports::requisitionsReport().preview(testing::productsDetailRows(3, true));
        QCOMPARE(previews, 1);
    }

    void missingFieldStopsBeforeThePreview()
    {
        int dialogs = 0;
        ui::setDialogHandler([&](QDialog&) { return ++dialogs, int(QDialog::Accepted); });
        QString error;
        try {
            reports::productsReport().preview(testing::workersRows(2));  // no "mass"
        } catch (const fmt::AppError& e) {
            error = e.text();
        }
        QCOMPARE(error, u"В данных отчета «Отчет по продукции» нет поля «mass»"_s);
        QCOMPARE(dialogs, 0);
    }
};

TABEL_TEST_MAIN(PreviewTest)
#include "test_preview.moc"
