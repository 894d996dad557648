// The reports window on a fresh database, opened from the journal's menu: the
// period it proposes, the product kind it keeps, the five reports through
// their laid-out pages (and one PDF), their totals beside independent sums
// over the shift records, the production export read back from its file,
// and what happens on an empty period, a database error and a second command.

#include <QDateEdit>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "app/windows.h"
#include "core/textformat.h"
#include "editor/dialogscript.h"
#include "export/spreadsheet.h"
#include "journal/journalwindow.h"
#include "report/demorows.h"
#include "report/painter.h"
#include "reports/printpreview.h"
#include "reports/summaryreportswindow.h"
#include "support/messagerecorder.h"
#include "support/testdatabase.h"
#include "support/testmain.h"
#include "support/workbookcapture.h"
#include "xlsxreader.h"

using reports::PeriodReport;
using reports::ProductKind;
using reports::SummaryReportsWindow;

namespace {

// December 2021, the period of an opening in January 2022. Борисов: 10 made,
// 2 rejected at 1,5 with a 10 % bonus, on a requisition. Андреев: a blank on
// the from-date without a requisition, and a record on the to-date that is
// not counted. The two Васильев В.В. are different persons.
const char* const fixture = R"(
insert into cmn_contractor.person (id, s_code, s_caption, b_employee) values
  (990301, '990301', 'Андреев А.А.', true), (990302, '990302', 'Борисов Б.Б.', true),
  (990303, '990303', 'Васильев В.В.', true), (990304, '990304', 'Васильев В.В.', true);
insert into accounts_dep.vid_oper (id, vid) values (9901, 'Резка'), (9902, 'Покраска');
insert into accounts_dep.izdel (id, marka, nom, massa) values
  (990401, 'ПР-1', 'Профиль', 0.5), (990402, 'ЗГ-2', 'Заготовка', 0.35);
insert into accounts_dep.oper (id, vid, naimen, i_id) values
  (990501, 9901, 0, 990401), (990502, 9902, 1, 990402), (990503, 9902, 0, 990401);
insert into mnf_doc.doc (id, id_type, s_number, d_date) values (3900000001, 1, 'З-77', '2021-12-01');
insert into accounts_dep.smena (w_id, i_id, o_id, cena, kol_vo, brak, data, smena, color, prize, id_doc, ok) values
  (990302, 990401, 990501, 1.5, 10, 2, '2021-12-10', 1, 0, 10, 3900000001, 'no'),
  (990302, 990402, 990502, 2, 3.5, 0, '2021-12-31', 2, 0, 0, 0, 'no'),
  (990301, 990402, 990502, 2, 5, 0, '2021-12-01', 1, 1, 0, 0, 'no'),
  (990301, 990401, 990503, 3, 4, 1, '2022-01-01', 1, 1013, 0, 0, 'no'),
  (990301, 990401, 990503, 2, 2.5, 0, '2021-12-20', 1, 1013, 0, 0, 'no'),
  (990303, 990401, 990501, 1.5, 6, 0, '2021-12-15', 1, 0, 0, 3900000001, 'no'),
  (990304, 990401, 990501, 1.5, 4, 0, '2021-12-16', 3, 1013, 0, 0, 'no');
)";

// The shift records of December 2021, for the sums the reports are checked against.
const QString december = QStringLiteral(" from accounts_dep.smena where data >= '2021-12-01' and data < '2022-01-01'");

// Texts of an element in every occurrence of a band, over all pages.
QStringList printed(const report::Document& doc, const QString& band, const QString& element)
{
    QStringList out;
    for (const report::Page& page : doc.pages)
        for (int i = 0; i < page.count(band); ++i)
            out << page.text(band, element, i);
    return out;
}

QString footer(const report::Document& doc, const QString& element)
{
    return doc.pages.last().text(QStringLiteral("reportFooter"), element);
}

// The report of a form and its button.
std::pair<PeriodReport*, QPushButton*> reportOf(SummaryReportsWindow& w, const QString& form)
{
    const std::pair<PeriodReport*, QPushButton*> reports[] = {
        {&w.Form16, w.workersButton},       {&w.Form17, w.productsButton},      {&w.Form20, w.workersDetailButton},
        {&w.Form21, w.productsDetailButton}, {&w.Form25, w.requisitionsButton},
    };
    for (const auto& r : reports)
        if (r.first->form.formName() == form)
            return r;
    qFatal("no report %s", qPrintable(form));
}

void choose(SummaryReportsWindow& w, ProductKind kind)
{
    switch (kind) {
    case ProductKind::All: w.allKinds->setChecked(true); break;
    case ProductKind::Finished: w.finishedKind->setChecked(true); break;
    case ProductKind::Blanks: w.blanksKind->setChecked(true); break;
    }
}

}  // namespace

class SummaryReportsTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<testing::TestDatabase> db_;
    std::unique_ptr<app::Windows> windows_;
    std::unique_ptr<testing::DialogScript> script_;
    std::unique_ptr<testing::WorkbookCapture> books_;

    SummaryReportsWindow& window() { return windows_->summaryReports; }

    // Opens the window from the journal's menu on that day; `act` plays the
    // user while it is open.
    void openOn(const QDate& today, std::function<void(SummaryReportsWindow&)> act)
    {
        windows_->state.setClock([today] { return today; });
        script_->on<SummaryReportsWindow>(QStringLiteral("Form18"), std::move(act));
        windows_->journal.summaryReportsAction->trigger();
        QCOMPARE(script_->pending(), 0);
    }

    // The report of the form ("Form16") laid out as its preview shows it,
    // the window opened in January 2022 with the product kind chosen.
    report::Document previewOf(const QString& form, ProductKind kind)
    {
        report::Document document;
        script_->on<reports::PrintPreview>(form + QStringLiteral("Preview"), [&](reports::PrintPreview& p) {
            document = p.document();
            QCOMPARE(p.zoom(), reports::PreviewZoom::PageWidth);
            QVERIFY(window().busy());
            QVERIFY(reportOf(window(), form).first->dataset.isOpen());
        });
        openOn(QDate(2022, 1, 15), [&](SummaryReportsWindow& w) {
            choose(w, kind);
            const auto [report, button] = reportOf(w, form);
            button->click();
            QVERIFY(!report->dataset.isOpen());  // closed with the preview
            QVERIFY(!w.busy());
            w.exitButton->click();
        });
        return document;
    }

    // The export of January 2022's opening with the product kind chosen; the
    // rows of the workbook below its header, "nom|operation|kind|boxes|pieces",
    // numbers as the general number format shows them.
    QStringList exportedRows(ProductKind kind, QString* caption = nullptr)
    {
        books_->clear();
        openOn(QDate(2022, 1, 15), [&](SummaryReportsWindow& w) {
            choose(w, kind);
            w.excelButton->click();
            QVERIFY(!w.XLS_Rep.isOpen());
            if (caption)
                *caption = w.excelButton->text();
            w.exitButton->click();
        });
        if (books_->opened().size() != 1)
            return {QStringLiteral("no workbook")};
        testing::XlsxFile book;
        if (!book.load(books_->opened().first()))
            return {book.error()};
        QStringList rows;
        for (int row = 2; book.cell(1, 1, row); ++row) {
            QStringList cells;
            for (int column = 1; column <= 5; ++column) {
                const testing::XlsxCell cell = book.cell(1, column, row).value_or(testing::XlsxCell{});
                cells << (cell.isNumber ? fmt::general(cell.value.toDouble()) : cell.value);
            }
            rows << cells.join(u'|');
        }
        return rows;
    }

private slots:
    void initTestCase()
    {
        db_ = std::make_unique<testing::TestDatabase>(QStringLiteral("summaryreports"));
        db_->exec(QString::fromUtf8(fixture));
        windows_ = std::make_unique<app::Windows>(db_->connectionString());
        books_ = std::make_unique<testing::WorkbookCapture>();
    }
    void init()
    {
        script_ = std::make_unique<testing::DialogScript>();
        books_->clear();
    }
    void cleanup() { script_.reset(); }
    void cleanupTestCase()
    {
        books_.reset();
        windows_.reset();
        db_.reset();
    }

    void opensOnThePreviousMonthKeepingTheProductKind()
    {
        openOn(QDate(2022, 1, 15), [](SummaryReportsWindow& w) {
            QCOMPARE(w.windowTitle(), QStringLiteral("Отчеты"));
            QVERIFY(w.allKinds->isChecked());
            QCOMPARE(w.DateTimePicker1->date(), QDate(2021, 12, 1));
            QCOMPARE(w.DateTimePicker2->date(), QDate(2022, 1, 1));
            QCOMPARE(w.DateTimePicker1->text(), QStringLiteral("01.12.2021"));
            QCOMPARE(w.DateTimePicker1->accessibleName(), QStringLiteral("с"));
            QCOMPARE(w.DateTimePicker2->accessibleName(), QStringLiteral("по"));
            QCOMPARE(w.excelButton->text(), QStringLiteral("Excel (0 из 0)"));
            QCOMPARE(w.requisitionsButton->text(), QStringLiteral("Детальный отчет по заявкам"));
            w.blanksKind->setChecked(true);
            w.DateTimePicker1->setDate(QDate(2020, 5, 5));
            QTest::keyClick(&w, Qt::Key_Escape);
        });
        openOn(QDate(2022, 3, 31), [](SummaryReportsWindow& w) {
            QVERIFY(w.blanksKind->isChecked());  // kept
            QCOMPARE(w.DateTimePicker1->date(), QDate(2022, 2, 1));  // set again
            QCOMPARE(w.DateTimePicker2->date(), QDate(2022, 3, 1));
            w.allKinds->setChecked(true);
            w.exitButton->click();
        });
        QCOMPARE(script_->shown(), (QStringList{QStringLiteral("Form18"), QStringLiteral("Form18")}));
    }

    // Pieces, rejects, money and bonus of one worker, and namesakes apart.
    void workersReportsPayEachPerson()
    {
        const report::Document workers = previewOf(QStringLiteral("Form16"), ProductKind::All);
        QCOMPARE(window().Form16.form.title(),
                 QStringLiteral("   Отчет по рабочим за период с 01.12.2021 по 01.01.2022"));
        QCOMPARE(printed(workers, QStringLiteral("reportHeader"), QStringLiteral("title")),
                 QStringList{window().Form16.form.title()});
        QCOMPARE(printed(workers, QStringLiteral("personHeader"), QStringLiteral("fio")),
                 (QStringList{QStringLiteral("Андреев А.А."), QStringLiteral("Борисов Б.Б."),
                              QStringLiteral("Васильев В.В."), QStringLiteral("Васильев В.В.")}));
        // Борисов's second product (after Андреев's two and his blank): 8 good pieces for 12
        const report::Page& page = workers.pages.first();
        QCOMPARE(page.text(QStringLiteral("productHeader"), QStringLiteral("nom"), 3), QStringLiteral("Профиль"));
        QCOMPARE(page.text(QStringLiteral("productFooter"), QStringLiteral("sum(kolvo)"), 3), QStringLiteral("8"));
        QCOMPARE(page.text(QStringLiteral("productFooter"), QStringLiteral("sum(summa)"), 3), QStringLiteral("12,000"));
        QCOMPARE(printed(workers, QStringLiteral("personFooter"), QStringLiteral("sum(summa)")),
                 (QStringList{QStringLiteral("15,00"), QStringLiteral("19,00"), QStringLiteral("9,00"),
                              QStringLiteral("6,00")}));

        const report::Document detail =
            previewOf(QStringLiteral("Form20"), ProductKind::All);
        QCOMPARE(printed(detail, QStringLiteral("personHeader"), QStringLiteral("fio")),
                 printed(workers, QStringLiteral("personHeader"), QStringLiteral("fio")));
        const report::Page& first = detail.pages.first();
        const int borisov = 3;  // after Андреев's two rows and Борисов's blank "ЗГ-2"
        QCOMPARE(first.text(QStringLiteral("detail"), QStringLiteral("marka"), borisov), QStringLiteral("ПР-1"));
        QCOMPARE(first.text(QStringLiteral("detail"), QStringLiteral("kolvo"), borisov), QStringLiteral("10"));
        QCOMPARE(first.text(QStringLiteral("detail"), QStringLiteral("brk"), borisov), QStringLiteral("2"));
        QCOMPARE(first.text(QStringLiteral("detail"), QStringLiteral("summa"), borisov), QStringLiteral("12,00"));
        QCOMPARE(first.text(QStringLiteral("detail"), QStringLiteral("s_prize"), borisov), QStringLiteral("1,20"));
        QCOMPARE(first.text(QStringLiteral("personFooter"), QStringLiteral("sum(summa+s_prize)"), 1),
                 QStringLiteral("20,20"));
    }

    // The grand totals of every report beside sums over the shift records of
    // the period (the to-date's record left out, the from-date's counted).
    void totalsAgreeWithTheShiftRecords()
    {
        const auto sql = [this](const QString& what, const QString& where = {}) {
            return db_->scalar(QStringLiteral("select ") + what + december + where).toDouble();
        };
        const double money = sql(QStringLiteral("sum((kol_vo-brak)*cena)"));
        const double good = sql(QStringLiteral("sum(kol_vo-brak)"));
        const double made = sql(QStringLiteral("sum(kol_vo)"));
        const double rejects = sql(QStringLiteral("sum(brak)"));
        QCOMPARE(good, 29.0);  // the fixture as meant: the record of 01.01.2022 is not among them

        const report::Document r1 = previewOf(QStringLiteral("Form16"), ProductKind::All);
        QCOMPARE(footer(r1, QStringLiteral("sum(summa)")), fmt::fixed(money, 2));

        const report::Document r2 = previewOf(QStringLiteral("Form17"), ProductKind::All);
        QCOMPARE(footer(r2, QStringLiteral("sum(kolvo)")), fmt::general(good));
        const double boxes = db_->scalar(QStringLiteral("select sum((kol_vo-brak)*massa) from accounts_dep.smena "
                                                        "join accounts_dep.izdel on izdel.id=smena.i_id where "
                                                        "data >= '2021-12-01' and data < '2022-01-01'"))
                                 .toDouble();
        QCOMPARE(footer(r2, QStringLiteral("sum(mass)")), fmt::fixed(boxes, 0));

        const report::Document r3 = previewOf(QStringLiteral("Form20"), ProductKind::All);
        QCOMPARE(footer(r3, QStringLiteral("sum(kolvo)")), fmt::general(made));
        QCOMPARE(footer(r3, QStringLiteral("sum(brk)")), fmt::general(rejects));
        QCOMPARE(footer(r3, QStringLiteral("sum(summa)")), fmt::fixed(money, 2));

        // the detailed products report counts boxes of the pieces made, rejects included
        const double madeBoxes = db_->scalar(QStringLiteral("select sum(kol_vo*massa) from accounts_dep.smena "
                                                            "join accounts_dep.izdel on izdel.id=smena.i_id where "
                                                            "data >= '2021-12-01' and data < '2022-01-01'"))
                                     .toDouble();
        const report::Document r4 = previewOf(QStringLiteral("Form21"), ProductKind::All);
        // (each line's boxes rounded to 2 decimals first: 5 lines, so within 0,025)
        QVERIFY2(qAbs(fmt::parseNumber(footer(r4, QStringLiteral("sum(mass)"))) - madeBoxes) <= 0.025,
                 qPrintable(footer(r4, QStringLiteral("sum(mass)"))));
        QCOMPARE(footer(r4, QStringLiteral("sum(kolvo)")), fmt::general(made));
        QCOMPARE(footer(r4, QStringLiteral("sum(brk)")), fmt::general(rejects));
        QCOMPARE(footer(r4, QStringLiteral("sum(summa)")), fmt::fixed(money, 2));

        // only the records on a requisition
        const QString onRequisition = QStringLiteral(" and id_doc <> 0");
        const report::Document r5 = previewOf(QStringLiteral("Form25"), ProductKind::All);
        QCOMPARE(footer(r5, QStringLiteral("sum(kolvo)")), fmt::general(sql(QStringLiteral("sum(kol_vo)"),
                                                                               onRequisition)));
        QCOMPARE(footer(r5, QStringLiteral("sum(summa)")),
                 fmt::fixed(sql(QStringLiteral("sum((kol_vo-brak)*cena)"), onRequisition), 2));
        QCOMPARE(printed(r5, QStringLiteral("productHeader"), QStringLiteral("s_number")),
                 QStringList{QStringLiteral("З-77")});
    }

    // Андреев's blank of the from-date has no requisition.
    void aRecordWithoutRequisitionIsLeftOutOfTheRequisitionsReportOnly()
    {
        const QString andreev = QStringLiteral("Андреев А.А.");
        QVERIFY(printed(previewOf(QStringLiteral("Form16"), ProductKind::Blanks),
                        QStringLiteral("personHeader"), QStringLiteral("fio"))
                    .contains(andreev));
        QVERIFY(printed(previewOf(QStringLiteral("Form20"), ProductKind::Blanks),
                        QStringLiteral("personHeader"), QStringLiteral("fio"))
                    .contains(andreev));
        for (const QString& report : {QStringLiteral("Form17"), QStringLiteral("Form21")})
            QCOMPARE(printed(previewOf(report, ProductKind::Blanks), QStringLiteral("reportFooter"),
                             QStringLiteral("sum(kolvo)")),
                     QStringList{QStringLiteral("8,5")});  // Андреев's 5 and Борисов's 3,5
        QCOMPARE(exportedRows(ProductKind::Blanks).size(), 2);
        const report::Document requisitions =
            previewOf(QStringLiteral("Form25"), ProductKind::Blanks);
        QCOMPARE(requisitions.pages.size(), 1);
        QCOMPARE(requisitions.pages.first().count(QStringLiteral("detail")), 0);  // no blank on a requisition
    }

    void theProductKindKeepsItsRows_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<int>("finished");  // detail rows of each kind under "Все"
        QTest::addColumn<int>("blanks");
        QTest::newRow("workers") << QStringLiteral("Form16") << 4 << 2;
        QTest::newRow("products") << QStringLiteral("Form17") << 3 << 2;
        QTest::newRow("detailed workers") << QStringLiteral("Form20") << 4 << 2;
        QTest::newRow("detailed products") << QStringLiteral("Form21") << 3 << 2;
        QTest::newRow("requisitions") << QStringLiteral("Form25") << 1 << 0;
    }
    void theProductKindKeepsItsRows()
    {
        QFETCH(QString, report);
        QFETCH(int, finished);
        QFETCH(int, blanks);
        const QString kind = QStringLiteral("productKind");
        const QString blank = QStringLiteral("Заготовки"), product = QStringLiteral("Готовая продукция");
        const QStringList onlyBlanks =
            printed(previewOf(report, ProductKind::Blanks), QStringLiteral("detail"), kind);
        QCOMPARE(onlyBlanks, QStringList(blanks, blank));
        const QStringList onlyFinished =
            printed(previewOf(report, ProductKind::Finished), QStringLiteral("detail"), kind);
        QCOMPARE(onlyFinished, QStringList(finished, product));
        const QStringList all = printed(previewOf(report, ProductKind::All), QStringLiteral("detail"),
                                        kind);
        QCOMPARE(all.count(blank), blanks);
        QCOMPARE(all.count(product), finished);
    }

    void exportWritesTheProductionTotals()
    {
        QString caption;
        QStringList rows = exportedRows(ProductKind::All, &caption);
        QCOMPARE(caption, QStringLiteral("Excel (5 из 5)"));
        QCOMPARE(rows.size(), 5);
        // sorted by product number; the order within one is the database's
        QCOMPARE(rows.mid(0, 2).join(u'\n').count(QStringLiteral("Заготовка|")), 2);
        rows.sort();
        QCOMPARE(rows, (QStringList{
                           QStringLiteral("Заготовка|Покраска (грунт)|Заготовки|1,75|5"),
                           QStringLiteral("Заготовка|Покраска|Заготовки|1,225|4"),  // 3,5 pieces: to the even 4
                           QStringLiteral("Профиль|Покраска (цвет: 1013)|Готовая продукция|1,25|2"),  // 2,5: to 2
                           QStringLiteral("Профиль|Резка (цвет: 1013)|Готовая продукция|2|4"),
                           QStringLiteral("Профиль|Резка|Готовая продукция|7|14"),
                       }));
        testing::XlsxFile book;
        QVERIFY(book.load(books_->opened().first()));
        const QStringList header = {QStringLiteral("Наименование"), QStringLiteral("Операция"),
                                    QStringLiteral("Вид продукции"), QStringLiteral("Коробки"),
                                    QStringLiteral("Кол-во")};
        for (int column = 1; column <= 5; ++column) {
            const testing::XlsxCell cell = book.cell(1, column, 1).value_or(testing::XlsxCell{});
            QCOMPARE(cell.value, header.at(column - 1));
            QVERIFY(!cell.bold && !cell.textFormat);
        }
        const testing::XlsxCell boxes = *book.cell(1, 4, 2), pieces = *book.cell(1, 5, 2);
        QVERIFY(boxes.isNumber && pieces.isNumber && !boxes.textFormat);
        QVERIFY(!book.width(1, 1).has_value());  // no formatting
        QCOMPARE(book.cellCount(1), 5 * 6);

        // the caption stays until the next export, also over the next opening
        openOn(QDate(2022, 1, 15), [](SummaryReportsWindow& w) {
            QCOMPARE(w.excelButton->text(), QStringLiteral("Excel (5 из 5)"));
            w.exitButton->click();
        });
        QCOMPARE(exportedRows(ProductKind::Blanks, &caption).size(), 2);
        QCOMPARE(caption, QStringLiteral("Excel (2 из 2)"));
    }

    // "с" after "по": one page per report with its headers, zero sums and
    // the page number; an export of the header row only.
    void anEmptyPeriod()
    {
        QList<report::Document> documents;
        const QStringList forms = {QStringLiteral("Form16"), QStringLiteral("Form17"), QStringLiteral("Form20"),
                                   QStringLiteral("Form21"), QStringLiteral("Form25")};
        for (const QString& form : forms)
            script_->on<reports::PrintPreview>(form + QStringLiteral("Preview"),
                                               [&](reports::PrintPreview& p) { documents << p.document(); });
        openOn(QDate(2022, 1, 15), [](SummaryReportsWindow& w) {
            w.DateTimePicker1->setDate(QDate(2022, 2, 1));
            for (QPushButton* b : {w.workersButton, w.productsButton, w.workersDetailButton, w.productsDetailButton,
                                   w.requisitionsButton, w.excelButton})
                b->click();
            QCOMPARE(w.excelButton->text(), QStringLiteral("Excel (0 из 0)"));
            QCOMPARE(w.Form25.form.title(),
                     QStringLiteral("   Детальный отчет по заявкам за период с 01.02.2022 по 01.01.2022"));
            w.exitButton->click();
        });
        QCOMPARE(documents.size(), 5);
        for (const report::Document& doc : documents) {
            QCOMPARE(doc.pages.size(), 1);
            const report::Page& page = doc.pages.first();
            QVERIFY(page.text(QStringLiteral("reportHeader"), QStringLiteral("title")).endsWith("по 01.01.2022"));
            QCOMPARE(page.count(QStringLiteral("detail")), 0);
            int sums = 0;
            for (const report::PlacedText& t : page.textsOf(QStringLiteral("reportFooter")))
                if (t.name.startsWith(QStringLiteral("sum("))) {
                    ++sums;
                    QVERIFY2(t.text == QStringLiteral("0") || t.text == QStringLiteral("0,00"), qPrintable(t.text));
                }
            QVERIFY(sums >= 1);
            QCOMPARE(page.text(QStringLiteral("pageFooter"), QStringLiteral("page")), QStringLiteral("1"));
        }
        QCOMPARE(books_->opened().size(), 1);
        testing::XlsxFile book;
        QVERIFY(book.load(books_->opened().first()));
        QCOMPARE(book.cellCount(1), 5);
    }

    void aReportPrintsToPdf()
    {
        const QString pdf = QDir(books_->folder()).filePath(QStringLiteral("рабочие.pdf"));
        script_->on<reports::PrintPreview>(QStringLiteral("Form20Preview"),
                                           [&](reports::PrintPreview& p) { report::writePdf(p.document(), pdf); });
        openOn(QDate(2022, 1, 15), [](SummaryReportsWindow& w) {
            w.workersDetailButton->click();
            w.exitButton->click();
        });
        QCOMPARE(testing::pdfPages(pdf), 1);
    }

    void aDatabaseErrorLeavesTheWindowUsable()
    {
        testing::MessageRecorder messages;
        bool shown = false;
        script_->on<reports::PrintPreview>(QStringLiteral("Form17Preview"),
                                           [&](reports::PrintPreview&) { shown = true; });
        openOn(QDate(2022, 1, 15), [&](SummaryReportsWindow& w) {
            const QString caption = w.excelButton->text();
            db_->exec("alter table accounts_dep.vid_oper rename to vid_oper_away");
            w.productsButton->click();
            w.excelButton->click();
            db_->exec("alter table accounts_dep.vid_oper_away rename to vid_oper");
            QCOMPARE(messages.count(), 2);
            QCOMPARE(messages.messages().first().caption, QStringLiteral("Ошибка"));
            QVERIFY2(messages.lastText().contains(QStringLiteral("vid_oper")), qPrintable(messages.lastText()));
            QVERIFY(!w.Form17.dataset.isOpen() && !w.XLS_Rep.isOpen() && !w.busy());
            QCOMPARE(w.excelButton->text(), caption);  // as the last export left it
            w.productsButton->click();
            w.exitButton->click();
        });
        QVERIFY(shown);
        QVERIFY(books_->opened().isEmpty());
        QCOMPARE(script_->shown(), (QStringList{QStringLiteral("Form18"), QStringLiteral("Form17Preview")}));
    }

    void noSecondCommandWhileAReportIsShown()
    {
        QSignalSpy finished(&window(), &QDialog::finished);
        script_->on<reports::PrintPreview>(QStringLiteral("Form16Preview"), [&](reports::PrintPreview&) {
            window().productsButton->click();
            window().excelButton->click();
            QTest::keyClick(&window(), Qt::Key_Escape);
            QVERIFY(!window().Form17.dataset.isOpen());
        });
        openOn(QDate(2022, 1, 15), [&](SummaryReportsWindow& w) {
            w.workersButton->click();
            QCOMPARE(finished.count(), 0);
            w.exitButton->click();
            QCOMPARE(finished.count(), 1);
        });
        QCOMPARE(script_->shown(), (QStringList{QStringLiteral("Form18"), QStringLiteral("Form16Preview")}));
        QVERIFY(books_->opened().isEmpty());
    }
};

TABEL_TEST_MAIN(SummaryReportsTest)
#include "test_summaryreports.moc"
