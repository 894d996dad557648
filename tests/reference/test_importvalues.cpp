// How the legacy import writes each value of the previous database: missing
// numbers as 0, missing texts and dates as null, numbers read from texts with
// a point or a comma, fractions refused for whole numbers, texts that keep
// their quotes and backslashes whatever the server's string settings, dates
// in ISO form.

#include <QDateTime>
#include <QTest>

#include "core/textformat.h"
#include "reference/legacysteps.h"

using reference::Carry;
using reference::importLiteral;

Q_DECLARE_METATYPE(Carry)

class ImportValuesTest : public QObject {
    Q_OBJECT
private slots:
    void literals_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<Carry>("carry");
        QTest::addColumn<QString>("literal");  // empty: refused
        const auto row = [](const char* name, const QVariant& v, Carry c, const char* literal) {
            QTest::newRow(name) << v << c << QString::fromUtf8(literal);
        };
        row("whole, missing", QVariant(), Carry::Whole, "0");
        row("whole, null of a type", QVariant(QMetaType(QMetaType::Int)), Carry::Whole, "0");
        row("whole", 800001, Carry::Whole, "800001");
        row("whole, from a text", QStringLiteral(" 12 "), Carry::Whole, "12");
        row("whole, blank text", QStringLiteral("  "), Carry::Whole, "0");
        row("whole, a float without fraction", 6.0, Carry::Whole, "6");
        row("whole, a decimal text without fraction", QStringLiteral("7.0000"), Carry::Whole, "7");
        row("whole, a fraction", 6.5, Carry::Whole, "");
        row("whole, letters", QStringLiteral("5а"), Carry::Whole, "");
        row("whole, a bool", true, Carry::Whole, "1");
        row("whole, a char type is its number", QVariant::fromValue<signed char>(65), Carry::Whole, "65");
        row("float, missing", QVariant(), Carry::Float, "0");
        row("float", 1.75, Carry::Float, "1.75");
        row("float, kept exactly", 0.1, Carry::Float, "0.1");
        row("float, decimal text", QStringLiteral("12.2500"), Carry::Float, "12.25");
        row("float, comma text", QStringLiteral("12,5"), Carry::Float, "12.5");
        row("float, not a number", QStringLiteral("12.5.1"), Carry::Float, "");
        row("float, infinite", qInf(), Carry::Float, "");
        row("text, missing", QVariant(), Carry::Text, "null");
        row("text, null of a type", QVariant(QMetaType(QMetaType::QString)), Carry::Text, "null");
        row("text", QStringLiteral("Иванов"), Carry::Text, "E'Иванов'");
        row("text, quotes and backslashes", QStringLiteral("О'Нил \\ ?"), Carry::Text, "E'О''Нил \\\\ ?'");
        row("text, a number", 12, Carry::Text, "E'12'");
        row("text, NUL", QString(QChar(0)), Carry::Text, "");
        row("moment, missing", QVariant(), Carry::Moment, "null");
        row("moment, blank", QStringLiteral(" "), Carry::Moment, "null");
        row("moment, date", QDate(2021, 3, 5), Carry::Moment, "'2021-03-05'");
        row("moment, date and time", QDateTime(QDate(2021, 3, 5), QTime(8, 30, 1)), Carry::Moment,
            "'2021-03-05 08:30:01'");
        row("moment, our date text", QStringLiteral("05.03.2021"), Carry::Moment, "'2021-03-05'");
        row("moment, our date and time text", QStringLiteral("05.03.2021 8:30"), Carry::Moment,
            "'2021-03-05 08:30:00'");
        row("moment, hours", 8, Carry::Moment, "8");
        row("moment, time", QTime(7, 5), Carry::Moment, "'07:05:00'");
        row("moment, a date of another form", QStringLiteral("03/05/2021"), Carry::Moment, "E'03/05/2021'");
        row("moment, other text", QStringLiteral("2021-03-05"), Carry::Moment, "E'2021-03-05'");
    }
    void literals()
    {
        QFETCH(QVariant, value);
        QFETCH(Carry, carry);
        QFETCH(QString, literal);
        if (literal.isEmpty()) {
            QVERIFY_THROWS_EXCEPTION(fmt::ConversionError, importLiteral(value, carry));
            return;
        }
        QCOMPARE(importLiteral(value, carry), literal);
    }

    void theProgressLineCountsTheRows()
    {
        QCOMPARE(reference::importProgressLine(QStringLiteral("OPER"), 15, 340),
                 QStringLiteral("OPER: 15 из 340 записей"));
    }
};

QTEST_GUILESS_MAIN(ImportValuesTest)
#include "test_importvalues.moc"
