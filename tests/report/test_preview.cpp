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
#include "report/engine.h"
#include "support/messagerecorder.h"
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

// Answers the previews with fn, before the preview has processed any event,
// and other dialogs with otherDialogs.
void onPreview(std::function<void(PrintPreview&)> fn,
               std::function<int(QDialog&)> otherDialogs = [](QDialog&) { return int(QDialog::Rejected); })
{
    ui::setDialogHandler([fn, otherDialogs](QDialog& dialog) {
        auto* preview = qobject_cast<PrintPreview*>(&dialog);
        if (!preview)
            return otherDialogs(dialog);
        fn(*preview);
        return int(QDialog::Accepted);
    });
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

    // A long report opens on its first page; the rest is laid out while the
    // preview is shown, and comes out as the whole report laid out at once.
    void opensOnTheFirstPageAndLaysOutTheRestMeanwhile()
    {
        const reports::PrintedLayout layout = reports::workersDetailReport();
        const report::MemoryTable rows = testing::workersDetailRows(1500);
        const report::Document whole = layout.generate(rows);
        QVERIFY(whole.pages.size() > 100);
        bool seen = false;
        onPreview([&](PrintPreview& preview) {
            seen = true;
            QVERIFY(!preview.complete());
            QCOMPARE(preview.pageCount(), 1);
            auto* label = preview.findChild<QLabel*>();
            QCOMPARE(label->text(), u"Страница 1 из 1…"_s);
            QVERIFY(button(preview, u"Последняя"_s)->isEnabled());
            QTRY_VERIFY_WITH_TIMEOUT(preview.complete(), 20000);
            QCOMPARE(preview.pageCount(), int(whole.pages.size()));
            QCOMPARE(label->text(), u"Страница 1 из %1"_s.arg(whole.pages.size()));
            QCOMPARE(preview.document().outline(), whole.outline());
            QCOMPARE(preview.document().pages.last().texts.size(), whole.pages.last().texts.size());
        });
        layout.preview(rows);
        QVERIFY(seen);

        // "Последняя" lays out the rest at once
        seen = false;
        onPreview([&](PrintPreview& preview) {
            seen = true;
            QVERIFY(!preview.complete());
            button(preview, u"Последняя"_s)->trigger();
            QVERIFY(preview.complete());
            QCOMPARE(preview.currentPage(), int(whole.pages.size()) - 1);
        });
        layout.preview(rows);
        QVERIFY(seen);
    }

    // A value that is no number far down the rows: the error is shown once,
    // when the layout reaches it, and the report cannot be printed.
    void aBadValueFoundWhileTheRestIsLaidOut()
    {
        report::MemoryTable rows = testing::workersDetailRows(1500);
        rows.append({u"Юрьев Ю. Ю."_s, 99999, u"Шкаф"_s, u"Резка"_s, 0, 0, u"много"_s, 1.0, 1.0, 0.1});
        testing::MessageRecorder messages;
        int printDialogs = 0;
        bool seen = false;
        onPreview(
            [&](PrintPreview& preview) {
            seen = true;
            QTRY_COMPARE_WITH_TIMEOUT(messages.count(), 1, 20000);
            QVERIFY2(messages.lastText().contains(u"много"_s), qPrintable(messages.lastText()));
            QTest::qWait(50);  // no further attempts meanwhile
            QCOMPARE(messages.count(), 1);
            QVERIFY(!preview.complete());
            QVERIFY(preview.pageCount() > 1);
            // what is laid out is final: no "…", no further last page
            QVERIFY(!preview.findChild<QLabel*>()->text().endsWith(u'…'));
            button(preview, u"Последняя"_s)->trigger();
            QCOMPARE(messages.count(), 1);
            // (a click's error reaches the application's handler; a direct trigger gets it here)
            QVERIFY_THROWS_EXCEPTION(fmt::AppError, button(preview, u"Печать"_s)->trigger());
            QCOMPARE(printDialogs, 0);
            },
            [&](QDialog&) { return ++printDialogs, int(QDialog::Rejected); });
        reports::workersDetailReport().preview(rows);
        QVERIFY(seen);
    }
};

TABEL_TEST_MAIN(PreviewTest)
#include "test_preview.moc"
