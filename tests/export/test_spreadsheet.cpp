// The spreadsheet layer end to end: the exports' calls, the .xlsx file they
// leave for the user (read back from the file), and the failure messages.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#include "export/spreadsheet.h"
#include "export/workbook.h"
#include "support/messagerecorder.h"
#include "support/testmain.h"
#include "xlsxreader.h"

using namespace xlsx;
using testing::XlsxCell;
using testing::XlsxFile;

namespace {

// What the time sheet export writes for one person.
struct Person {
    QString fio;
    QList<int> days;  // 31 values
};

// The calls of the time sheet export.
void exportTimeSheet(const QString& title, const QList<Person>& people)
{
    QCOMPARE(SpreadsheetOpen(), 1);
    SpreadsheetSetVisible(false);
    SpreadsheetWriteFormatted(1, 1, 1, title, true, true, true);
    SpreadsheetWriteFormatted(1, 1, 2, QStringLiteral("Фамилия И.О."), true, true, true);
    for (int d = 1; d <= 31; ++d)
        SpreadsheetWriteFormatted(1, d + 1, 2, QString::number(d), false, true, true);
    SpreadsheetWriteFormatted(1, 33, 2, QStringLiteral("Итого"), true, true, true);
    int row = 3;
    for (const Person& p : people) {
        SpreadsheetWriteFormatted(1, 1, row, p.fio, true, true, false);
        int sum = 0;
        for (int d = 1; d <= 31; ++d) {
            SpreadsheetWriteFormatted(1, d + 1, row, QString::number(p.days.value(d - 1)), false, true, false);
            sum += p.days.value(d - 1);
        }
        SpreadsheetWriteFormatted(1, 33, row, QString::number(sum), false, true, false);
        ++row;
    }
    SpreadsheetSetVisible(true);
}

// The calls of the exports that write plain texts, row after row from row 1.
void exportTable(const QList<QStringList>& rows)
{
    QCOMPARE(SpreadsheetOpen(), 1);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            SpreadsheetWrite(1, c + 1, r + 1, rows[r][c]);
    SpreadsheetSetVisible(true);
}

// The width the file stores for a column fitted to `width` digit widths: the
// cell margin of 5 pixels added, whole pixels of 7 per digit.
double storedWidth(double width)
{
    return (std::floor(width * 7 + 0.5) + 5) / 7;
}

}  // namespace

class SpreadsheetTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void timeSheetExport();
    void timeSheetExportOfAnEmptyMonth();
    void productionExport();
    void operationsExport();
    void formatsStayWithTheCell();

    void emptyTextTouchesNothing_data();
    void emptyTextTouchesNothing();
    void missingSheet_data();
    void missingSheet();
    void impossibleCell_data();
    void impossibleCell();
    void unwritableFolder();
    void folderLostBeforeShowing();
    void noApplicationToOpenTheFile();
    void everyShowingWritesItsOwnFile();
    void showingBeforeAnyWorkbook();

private:
    XlsxFile shown();

    std::unique_ptr<QTemporaryDir> dir_;
    QStringList opened_;
    bool openerWorks_ = true;
};

void SpreadsheetTest::init()
{
    releaseSpreadsheet();
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    setOutputDirectory(dir_->path());
    opened_.clear();
    openerWorks_ = true;
    setOpener([this](const QString& path) {
        opened_ << path;
        return openerWorks_;
    });
}

void SpreadsheetTest::cleanup()
{
    resetOpener();
    setOutputDirectory(QString());
    releaseSpreadsheet();
}

XlsxFile SpreadsheetTest::shown()
{
    XlsxFile file;
    if (opened_.size() != 1)
        qWarning() << "files opened:" << opened_;
    else if (!file.load(opened_.first()))
        qWarning() << file.error();
    return file;
}

void SpreadsheetTest::timeSheetExport()
{
    testing::MessageRecorder messages;
    QList<int> ivanov(31, 0);
    ivanov[0] = 8;
    ivanov[1] = 11;
    QList<int> petrov(31, 8);
    exportTimeSheet(QStringLiteral("Январь 2021"),
                    {{QStringLiteral("Иванов Иван Иванович"), ivanov}, {QStringLiteral("Петров П.П."), petrov}});
    QCOMPARE(messages.count(), 0);

    QCOMPARE(opened_.size(), 1);
    const QFileInfo info(opened_.first());
    QCOMPARE(info.absolutePath(), QDir(dir_->path()).absolutePath());
    QVERIFY2(info.fileName().startsWith(QLatin1String("tabel-")) && info.suffix() == QLatin1String("xlsx"),
             qPrintable(info.fileName()));
    QCOMPARE(lastShownFile(), opened_.first());

    const XlsxFile file = shown();
    QCOMPARE(file.sheetNames(), QStringList{QStringLiteral("Лист1")});
    QCOMPARE(file.cellCount(1), 1 + 33 + 2 * 33);

    struct Expect {
        int column, row;
        QString value;
        bool isNumber, textFormat, bold;
    };
    const QList<Expect> expected = {
        {1, 1, QStringLiteral("Январь 2021"), false, true, true},
        {1, 2, QStringLiteral("Фамилия И.О."), false, true, true},
        {2, 2, QStringLiteral("1"), true, false, true},
        {32, 2, QStringLiteral("31"), true, false, true},
        {33, 2, QStringLiteral("Итого"), false, true, true},
        {1, 3, QStringLiteral("Иванов Иван Иванович"), false, true, false},
        {2, 3, QStringLiteral("8"), true, false, false},
        {3, 3, QStringLiteral("11"), true, false, false},
        {4, 3, QStringLiteral("0"), true, false, false},
        {33, 3, QStringLiteral("19"), true, false, false},
        {1, 4, QStringLiteral("Петров П.П."), false, true, false},
        {32, 4, QStringLiteral("8"), true, false, false},
        {33, 4, QStringLiteral("248"), true, false, false},
    };
    for (const Expect& e : expected) {
        const auto cell = file.cell(1, e.column, e.row);
        const QByteArray where = QStringLiteral("column %1, row %2").arg(e.column).arg(e.row).toUtf8();
        QVERIFY2(cell, where.constData());
        QCOMPARE(cell->value, e.value);
        QCOMPARE(cell->isNumber, e.isNumber);
        QCOMPARE(cell->textFormat, e.textFormat);
        QCOMPARE(cell->bold, e.bold);
    }

    // Every written column is fitted to its widest cell; the next one keeps the default width.
    const double nameColumn = std::max({fittedWidth(QStringLiteral("Январь 2021"), true),
                                        fittedWidth(QStringLiteral("Фамилия И.О."), true),
                                        fittedWidth(QStringLiteral("Иванов Иван Иванович"), false),
                                        fittedWidth(QStringLiteral("Петров П.П."), false)});
    QCOMPARE(nameColumn, fittedWidth(QStringLiteral("Иванов Иван Иванович"), false));
    QVERIFY(std::abs(*file.width(1, 1) - storedWidth(nameColumn)) < 0.01);
    QVERIFY(std::abs(*file.width(1, 3) - storedWidth(fittedWidth(QStringLiteral("11"), false))) < 0.01);
    QVERIFY(std::abs(*file.width(1, 2) - storedWidth(fittedWidth(QStringLiteral("1"), true))) < 0.01);
    QVERIFY(std::abs(*file.width(1, 32) - storedWidth(fittedWidth(QStringLiteral("31"), true))) < 0.01);
    QVERIFY(std::abs(*file.width(1, 33) - storedWidth(fittedWidth(QStringLiteral("Итого"), true))) < 0.01);
    QVERIFY(*file.width(1, 2) < *file.width(1, 33));
    QVERIFY(*file.width(1, 33) < *file.width(1, 1));
    QVERIFY(!file.width(1, 34));
}

void SpreadsheetTest::timeSheetExportOfAnEmptyMonth()
{
    exportTimeSheet(QStringLiteral("Февраль 2024"), {});
    const XlsxFile file = shown();
    QCOMPARE(file.cellCount(1), 1 + 33);
    QCOMPARE(file.cell(1, 1, 1)->value, QStringLiteral("Февраль 2024"));
    QVERIFY(!file.cell(1, 1, 3));
}

void SpreadsheetTest::productionExport()
{
    exportTable({
        {QStringLiteral("Наименование"), QStringLiteral("Операция"), QStringLiteral("Вид продукции"),
         QStringLiteral("Коробки"), QStringLiteral("Кол-во")},
        {QStringLiteral("0150"), QStringLiteral("Сборка (грунт)"), QStringLiteral("Готовая продукция"),
         QStringLiteral("12,5"), QStringLiteral("8")},
        {QStringLiteral("А-100"), QStringLiteral("Покраска (цвет: 1013)"), QStringLiteral("Заготовки"),
         QStringLiteral("0,333333333333333"), QStringLiteral("0")},
    });
    const XlsxFile file = shown();
    QCOMPARE(file.cellCount(1), 15);

    struct Expect {
        int column, row;
        QString value;
        bool isNumber;
    };
    const QList<Expect> expected = {
        {1, 1, QStringLiteral("Наименование"), false},
        {5, 1, QStringLiteral("Кол-во"), false},
        {1, 2, QStringLiteral("0150"), false},  // a product number keeps its leading zero
        {2, 2, QStringLiteral("Сборка (грунт)"), false},
        {3, 2, QStringLiteral("Готовая продукция"), false},
        {4, 2, QStringLiteral("12.5"), true},
        {5, 2, QStringLiteral("8"), true},
        {2, 3, QStringLiteral("Покраска (цвет: 1013)"), false},
        {4, 3, QStringLiteral("0.333333333333333"), true},
        {5, 3, QStringLiteral("0"), true},
    };
    for (const Expect& e : expected) {
        const auto cell = file.cell(1, e.column, e.row);
        QVERIFY(cell);
        QCOMPARE(cell->value, e.value);
        QCOMPARE(cell->isNumber, e.isNumber);
        QVERIFY(!cell->textFormat);
        QVERIFY(!cell->bold);
    }
    for (int c = 1; c <= 5; ++c)
        QVERIFY(!file.width(1, c));  // plain writes fit nothing
}

void SpreadsheetTest::operationsExport()
{
    exportTable({
        {QStringLiteral("Марка"), QStringLiteral("Операция"), QStringLiteral("Цена"), QStringLiteral("Вид")},
        {QStringLiteral("12.5"), QStringLiteral("Сварка"), QStringLiteral("1,5"), QStringLiteral("Заготовки")},
        {QStringLiteral("007"), QStringLiteral("Сборка"), QStringLiteral("10"), QStringLiteral("Готовая продукция")},
        {QStringLiteral("1500"), QStringLiteral("Резка"), QStringLiteral("0,125"), QStringLiteral("Заготовки")},
    });
    const XlsxFile file = shown();
    QCOMPARE(file.cellCount(1), 16);
    QCOMPARE(file.cell(1, 3, 1)->value, QStringLiteral("Цена"));
    const QList<std::tuple<int, int, QString, bool>> expected = {
        {1, 2, QStringLiteral("12.5"), false},  // a mark with a point stays as written
        {3, 2, QStringLiteral("1.5"), true},
        {1, 3, QStringLiteral("007"), false},
        {3, 3, QStringLiteral("10"), true},
        {4, 3, QStringLiteral("Готовая продукция"), false},
        {1, 4, QStringLiteral("1500"), true},
        {3, 4, QStringLiteral("0.125"), true},
    };
    for (const auto& [column, row, value, isNumber] : expected) {
        const auto cell = file.cell(1, column, row);
        QVERIFY(cell);
        QCOMPARE(cell->value, value);
        QCOMPARE(cell->isNumber, isNumber);
    }
}

void SpreadsheetTest::formatsStayWithTheCell()
{
    QCOMPARE(SpreadsheetOpen(), 1);
    // A text-format cell written again plainly stays text; bold is set off as well as on.
    SpreadsheetWriteFormatted(1, 1, 1, QStringLiteral("Иванов"), true, false, true);
    QCOMPARE(SpreadsheetWrite(1, 1, 1, QStringLiteral("8")), 1);
    SpreadsheetWriteFormatted(1, 2, 1, QStringLiteral("5"), false, false, true);
    SpreadsheetWriteFormatted(1, 2, 1, QStringLiteral("6"), false, false, false);
    SpreadsheetSetVisible(true);

    const XlsxFile file = shown();
    const XlsxCell a1 = *file.cell(1, 1, 1);
    QCOMPARE(a1.value, QStringLiteral("8"));
    QVERIFY(!a1.isNumber);
    QVERIFY(a1.textFormat);
    QVERIFY(a1.bold);
    const XlsxCell b1 = *file.cell(1, 2, 1);
    QCOMPARE(b1.value, QStringLiteral("6"));
    QVERIFY(b1.isNumber);
    QVERIFY(!b1.bold);
}

void SpreadsheetTest::emptyTextTouchesNothing_data()
{
    QTest::addColumn<bool>("opened");
    QTest::addColumn<int>("sheet");
    QTest::addColumn<bool>("formatted");

    QTest::newRow("plain") << true << 1 << false;
    QTest::newRow("formatted") << true << 1 << true;
    QTest::newRow("missing sheet") << true << 7 << true;
    QTest::newRow("no workbook") << false << 1 << false;
}

void SpreadsheetTest::emptyTextTouchesNothing()
{
    QFETCH(bool, opened);
    QFETCH(int, sheet);
    QFETCH(bool, formatted);

    testing::MessageRecorder messages;
    if (opened) {
        QCOMPARE(SpreadsheetOpen(), 1);
        SpreadsheetWriteFormatted(1, 1, 1, QStringLiteral("Итого"), false, false, true);
    }
    const int result = formatted ? SpreadsheetWriteFormatted(sheet, 1, 1, QString(), true, true, false)
                                 : SpreadsheetWrite(sheet, 1, 1, QString());
    QCOMPARE(result, 1);
    QCOMPARE(messages.count(), 0);
    if (opened) {
        const Cell* cell = activeWorkbook()->sheet(1)->cell(1, 1);
        QCOMPARE(cell->text, QStringLiteral("Итого"));
        QVERIFY(cell->bold);
        QVERIFY(!cell->textFormat);
        QVERIFY(!activeWorkbook()->sheet(1)->columnWidth(1));
    }
}

void SpreadsheetTest::missingSheet_data()
{
    QTest::addColumn<bool>("opened");
    QTest::addColumn<int>("sheet");
    QTest::addColumn<bool>("formatted");
    QTest::addColumn<QString>("text");

    QTest::newRow("sheet 2") << true << 2 << false << QStringLiteral("Ошибка при записи: лист 2, столбец 3, строка 4");
    QTest::newRow("sheet 2 formatted")
        << true << 2 << true << QStringLiteral("Ошибка при записи: лист 2, столбец 3, строка 4");
    QTest::newRow("sheet 0") << true << 0 << false << QStringLiteral("Ошибка при записи: лист 0, столбец 3, строка 4");
    QTest::newRow("no workbook") << false << 1 << true
                                 << QStringLiteral("Ошибка при записи: лист 1, столбец 3, строка 4");
}

void SpreadsheetTest::missingSheet()
{
    QFETCH(bool, opened);
    QFETCH(int, sheet);
    QFETCH(bool, formatted);
    QFETCH(QString, text);

    testing::MessageRecorder messages;
    if (opened)
        QCOMPARE(SpreadsheetOpen(), 1);
    const int result = formatted ? SpreadsheetWriteFormatted(sheet, 3, 4, QStringLiteral("8"), true, true, true)
                                 : SpreadsheetWrite(sheet, 3, 4, QStringLiteral("8"));
    QCOMPARE(result, -1);
    QCOMPARE(messages.count(), 1);
    const ui::Message& m = messages.messages().first();
    QCOMPARE(m.caption, QStringLiteral("Ошибочный номер листа Microsoft Excel"));
    QCOMPARE(m.text, text);
    QCOMPARE(m.icon, ui::Icon::Error);
    QCOMPARE(m.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    if (opened)
        QVERIFY(activeWorkbook()->sheet(1)->cells().empty());
}

void SpreadsheetTest::impossibleCell_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");

    QTest::newRow("column 0") << 0 << 5 << QStringLiteral("8");
    QTest::newRow("row 0") << 5 << 0 << QStringLiteral("8");
    QTest::newRow("past the last column") << maxColumns + 1 << 5 << QStringLiteral("8");
    QTest::newRow("past the last row") << 5 << maxRows + 1 << QStringLiteral("8");
    QTest::newRow("text too long") << 5 << 5 << QString(maxTextLength + 1, QLatin1Char('x'));
}

void SpreadsheetTest::impossibleCell()
{
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QString, text);

    testing::MessageRecorder messages;
    QCOMPARE(SpreadsheetOpen(), 1);
    QCOMPARE(SpreadsheetWriteFormatted(1, column, row, text, false, true, true), -1);
    QCOMPARE(SpreadsheetWrite(1, column, row, text), -1);
    QCOMPARE(messages.count(), 2);
    for (const ui::Message& m : messages.messages()) {
        QCOMPARE(m.caption, QStringLiteral("Ошибка Microsoft Excel"));
        QCOMPARE(m.text, QStringLiteral("Ошибка при записи: лист 1, столбец %1, строка %2").arg(column).arg(row));
        QCOMPARE(m.icon, ui::Icon::Error);
    }
    // The export goes on with the next cell.
    QCOMPARE(SpreadsheetWrite(1, 1, 1, QStringLiteral("8")), 1);
    QCOMPARE(activeWorkbook()->sheet(1)->cells().size(), std::size_t(1));
}

void SpreadsheetTest::unwritableFolder()
{
    testing::MessageRecorder messages;
    // A folder below a plain file can be made by nobody, whatever the rights.
    QFile plain(dir_->filePath(QStringLiteral("plain")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    setOutputDirectory(dir_->filePath(QStringLiteral("plain/exports")));

    QCOMPARE(SpreadsheetOpen(), -1);
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.messages().first().caption, QStringLiteral("Ошибка"));
    QCOMPARE(messages.lastText(), QStringLiteral("Ошибка открытия файла Microsoft Excel."));
    QCOMPARE(messages.messages().first().icon, ui::Icon::Error);
    QVERIFY(!activeWorkbook());
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{QStringLiteral("plain")});
}

void SpreadsheetTest::folderLostBeforeShowing()
{
    testing::MessageRecorder messages;
    const QString folder = dir_->filePath(QStringLiteral("exports"));
    setOutputDirectory(folder);
    QCOMPARE(SpreadsheetOpen(), 1);
    QCOMPARE(SpreadsheetWrite(1, 1, 1, QStringLiteral("Марка")), 1);

    // The folder turns into a plain file while the export runs.
    QVERIFY(QDir(folder).removeRecursively());
    QFile blocker(folder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QCOMPARE(SpreadsheetSetVisible(true), 1);
    QCOMPARE(messages.texts(), QStringList{QStringLiteral("Ошибка открытия файла Microsoft Excel.")});
    QVERIFY(opened_.isEmpty());

    // The workbook is not lost: once files can be written again it is shown.
    QVERIFY(QFile::remove(folder));
    QCOMPARE(SpreadsheetSetVisible(true), 1);
    QCOMPARE(messages.count(), 1);
    QCOMPARE(shown().cell(1, 1, 1)->value, QStringLiteral("Марка"));
}

void SpreadsheetTest::noApplicationToOpenTheFile()
{
    testing::MessageRecorder messages;
    openerWorks_ = false;
    exportTable({{QStringLiteral("Марка"), QStringLiteral("Цена")}, {QStringLiteral("А-1"), QStringLiteral("2,5")}});

    QCOMPARE(opened_.size(), 1);
    const QString path = opened_.first();
    QCOMPARE(messages.count(), 2);
    QCOMPARE(messages.messages()[0].caption, QStringLiteral("Ошибка"));
    QCOMPARE(messages.messages()[0].text, QStringLiteral("Невозможно открыть Microsoft Excel."));
    QCOMPARE(messages.messages()[1].icon, ui::Icon::Information);
    QVERIFY2(messages.messages()[1].text.contains(QDir::toNativeSeparators(path)),
             qPrintable(messages.messages()[1].text));
    // The file stays for the user to open.
    const XlsxFile file = shown();
    QCOMPARE(file.cell(1, 2, 2)->value, QStringLiteral("2.5"));
}

void SpreadsheetTest::everyShowingWritesItsOwnFile()
{
    testing::MessageRecorder messages;
    exportTable({{QStringLiteral("Первая")}});
    QCOMPARE(opened_.size(), 1);
    QFile first(opened_.first());
    QVERIFY(first.open(QIODevice::ReadOnly));
    const QByteArray firstBytes = first.readAll();
    first.close();

    // Showing an unchanged workbook again, or hiding it, writes nothing.
    SpreadsheetSetVisible(true);
    SpreadsheetSetVisible(false);
    QCOMPARE(opened_.size(), 1);

    exportTable({{QStringLiteral("Вторая")}});
    QCOMPARE(opened_.size(), 2);
    QVERIFY(opened_[0] != opened_[1]);
    QVERIFY(first.open(QIODevice::ReadOnly));
    QCOMPARE(first.readAll(), firstBytes);
    QCOMPARE(messages.count(), 0);

    XlsxFile second;
    QVERIFY2(second.load(opened_[1]), qPrintable(second.error()));
    QCOMPARE(second.cell(1, 1, 1)->value, QStringLiteral("Вторая"));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files).size(), 2);
}

void SpreadsheetTest::showingBeforeAnyWorkbook()
{
    testing::MessageRecorder messages;
    QCOMPARE(SpreadsheetSetVisible(true), 1);
    QCOMPARE(SpreadsheetSetVisible(false), 1);
    QVERIFY(opened_.isEmpty());
    QCOMPARE(messages.count(), 0);
    QVERIFY(QDir(dir_->path()).entryList(QDir::Files).isEmpty());
}

TABEL_TEST_MAIN(SpreadsheetTest)
#include "test_spreadsheet.moc"
