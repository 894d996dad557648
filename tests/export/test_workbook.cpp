// The workbook model: how written texts are typed, the "@" format, and how
// columns are fitted.

#include <QTest>

#include "export/workbook.h"
#include "support/testmain.h"

using xlsx::Sheet;
using xlsx::Workbook;

class WorkbookTest : public QObject {
    Q_OBJECT

private slots:
    void typing_data();
    void typing();
    void textFormatKeepsDigitsAsText();
    void newWorkbookHasOneSheet();
    void digitsAreTheWidthUnit();
    void autoFitSeesTheCellsOfTheMoment();
    void boldIsWider();
    void widthIsCapped();
};

void WorkbookTest::typing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");

    QTest::newRow("whole") << "8" << true << 8.0;
    QTest::newRow("zero") << "0" << true << 0.0;
    QTest::newRow("negative") << "-3" << true << -3.0;
    QTest::newRow("decimal comma") << "2,5" << true << 2.5;
    QTest::newRow("below one") << "0,333333333333333" << true << 0.333333333333333;
    QTest::newRow("exponent") << "1,5E-5" << true << 1.5e-5;
    QTest::newRow("15 digits") << "123456789012345" << true << 123456789012345.0;
    QTest::newRow("leading zeros") << "007" << false << 0.0;
    QTest::newRow("trailing zero") << "2,50" << false << 0.0;
    QTest::newRow("decimal point") << "2.5" << false << 0.0;
    QTest::newRow("minus zero") << "-0" << false << 0.0;
    QTest::newRow("plus sign") << "+5" << false << 0.0;
    QTest::newRow("blank around") << " 8" << false << 0.0;
    QTest::newRow("thousands") << "1 000" << false << 0.0;
    QTest::newRow("20 digits") << "12345678901234567890" << false << 0.0;
    QTest::newRow("formula") << "=1+2" << false << 0.0;
    QTest::newRow("date") << "01.12.2021" << false << 0.0;
    QTest::newRow("name") << "Иванов И.И." << false << 0.0;
    QTest::newRow("mark") << "А-100" << false << 0.0;
}

void WorkbookTest::typing()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);

    Workbook book;
    book.sheet(1)->setValue(1, 1, text);
    const xlsx::Cell* cell = book.sheet(1)->cell(1, 1);
    QVERIFY(cell);
    QCOMPARE(cell->text, text);
    QCOMPARE(cell->isNumber(), isNumber);
    if (isNumber)
        QCOMPARE(*cell->number, value);
}

void WorkbookTest::textFormatKeepsDigitsAsText()
{
    Sheet sheet(QStringLiteral("Лист1"));
    sheet.setTextFormat(2, 3);
    sheet.setValue(2, 3, QStringLiteral("8"));
    QVERIFY(!sheet.cell(2, 3)->isNumber());
    // The format stays with the cell: a later plain write is text too.
    sheet.setValue(2, 3, QStringLiteral("9"));
    QVERIFY(sheet.cell(2, 3)->textFormat);
    QVERIFY(!sheet.cell(2, 3)->isNumber());
    QCOMPARE(sheet.cell(2, 3)->text, QStringLiteral("9"));
}

void WorkbookTest::newWorkbookHasOneSheet()
{
    Workbook book;
    QCOMPARE(book.sheetCount(), 1);
    QCOMPARE(book.sheet(1)->name(), QStringLiteral("Лист1"));
    QVERIFY(!book.sheet(0));
    QVERIFY(!book.sheet(2));
}

void WorkbookTest::digitsAreTheWidthUnit()
{
    // Widths count digit widths, plus one for the margin.
    QCOMPARE(xlsx::fittedWidth(QStringLiteral("8"), false), 2.0);
    QCOMPARE(xlsx::fittedWidth(QStringLiteral("12345"), false), 6.0);
    QVERIFY(xlsx::fittedWidth(QStringLiteral("Фамилия И.О."), false)
            > xlsx::fittedWidth(QStringLiteral("Итого"), false));
}

void WorkbookTest::autoFitSeesTheCellsOfTheMoment()
{
    Sheet sheet(QStringLiteral("Лист1"));
    QVERIFY(!sheet.columnWidth(1));
    sheet.setValue(1, 1, QStringLiteral("Иванов"));
    sheet.setValue(1, 2, QStringLiteral("Константинопольский"));
    sheet.setValue(2, 1, QStringLiteral("Очень длинный текст другого столбца"));
    sheet.autoFit(1);
    QCOMPARE(*sheet.columnWidth(1), xlsx::fittedWidth(QStringLiteral("Константинопольский"), false));
    QVERIFY(!sheet.columnWidth(2));

    // A wider cell written later, without fitting, leaves the width as it is.
    sheet.setValue(1, 3, QStringLiteral("Константинопольский Константин"));
    QCOMPARE(*sheet.columnWidth(1), xlsx::fittedWidth(QStringLiteral("Константинопольский"), false));

    // Fitting again after the wide cells became short narrows the column.
    sheet.setValue(1, 2, QStringLiteral("Ли"));
    sheet.setValue(1, 3, QStringLiteral("Ким"));
    sheet.autoFit(1);
    QCOMPARE(*sheet.columnWidth(1), xlsx::fittedWidth(QStringLiteral("Иванов"), false));
}

void WorkbookTest::boldIsWider()
{
    Sheet sheet(QStringLiteral("Лист1"));
    sheet.setValue(1, 1, QStringLiteral("Итого"));
    sheet.autoFit(1);
    const double plain = *sheet.columnWidth(1);
    sheet.setBold(1, 1, true);
    sheet.autoFit(1);
    QVERIFY(*sheet.columnWidth(1) > plain);
    sheet.setBold(1, 1, false);
    sheet.autoFit(1);
    QCOMPARE(*sheet.columnWidth(1), plain);
}

void WorkbookTest::widthIsCapped()
{
    QCOMPARE(xlsx::fittedWidth(QString(1000, QLatin1Char('W')), true), xlsx::maxColumnWidth);
}

TABEL_TEST_MAIN(WorkbookTest)
#include "test_workbook.moc"
