// Text put into a number field at once, by Ctrl+V, the context menu's paste
// or any other way past the keyboard, goes through the rule that typed keys
// follow: in every number field of every window, a hostile text is refused
// (the field keeps what it had) or normalised as keys typed one by one would be.

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTest>

#include "app/windows.h"
#include "editor/materialdialog.h"
#include "editor/shiftrecordeditor.h"
#include "reference/normeditor.h"
#include "reference/normrows.h"
#include "reference/operationeditor.h"
#include "reference/producteditor.h"
#include "support/testdatabase.h"
#include "support/testmain.h"
#include "ui/keyfilter.h"

namespace {

struct NumberField {
    QString name;
    QLineEdit* field;
    ui::KeyRule rule;
};

bool filtered(const QLineEdit* field)
{
    return field->findChild<QObject*>(QStringLiteral("keyFilter"), Qt::FindDirectChildrenOnly) != nullptr;
}

}  // namespace

class PastingTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<testing::TestDatabase> db_;
    std::unique_ptr<app::Windows> windows_;
    QList<QWidget*> cellEditors_;

    QList<NumberField> numberFields()
    {
        app::Windows& w = *windows_;
        using ui::KeyRule;
        QList<NumberField> fields{
            {"Кол-во", w.editor.quantityEdit, KeyRule::DecimalComma},
            {"Время", w.editor.hoursEdit, KeyRule::Digits},
            {"Брак", w.editor.rejectsEdit, KeyRule::Digits},
            {"Цена база", w.editor.basePriceEdit, KeyRule::DecimalComma},
            {"Цена итог", w.editor.finalPriceEdit, KeyRule::DecimalComma},
            {"Сумма", w.editor.amountEdit, KeyRule::DecimalComma},
            {"Расход", w.materialDialog.consumptionEdit, KeyRule::DecimalComma},
            {"Коробки", w.productEditor.massaEdit, KeyRule::DecimalComma},
            {"min Цена", w.operationEditor.priceEdit, KeyRule::DecimalComma},
        };
        // the norm grid's cell editors, made as the grid makes them
        const QList<QPair<int, KeyRule>> columns{{reference::NormRows::Norma, KeyRule::Digits},
                                                 {reference::NormRows::Price, KeyRule::DecimalComma},
                                                 {reference::NormRows::Prize, KeyRule::Digits}};
        reference::NormEditor& norms = w.normEditor;
        if (!norms.norm.isOpen()) {  // an operation without norms: the grid shows its new line
            norms.norm.setParam(QStringLiteral("o_id"), 0);
            norms.norm.open();
        }
        for (const auto& [column, rule] : columns) {
            QStyleOptionViewItem option;
            QWidget* cell = norms.grid->itemDelegate()->createEditor(norms.grid->viewport(), option,
                                                                     norms.rows->index(0, column));
            cellEditors_ << cell;
            fields.append({QStringLiteral("норма, столбец %1").arg(column), qobject_cast<QLineEdit*>(cell), rule});
        }
        return fields;
    }

private slots:
    void initTestCase()
    {
        db_ = std::make_unique<testing::TestDatabase>("pasting");
        windows_ = std::make_unique<app::Windows>(db_->connectionString());
    }
    void cleanupTestCase()
    {
        qDeleteAll(cellEditors_);
        windows_.reset();
        db_.reset();
    }

    void everyNumberFieldIsInTheTable()
    {
        // a number field added to a window must be added to the table below
        QList<QLineEdit*> listed;
        for (const NumberField& f : numberFields()) {
            QVERIFY2(f.field, qPrintable(f.name));
            QVERIFY2(filtered(f.field), qPrintable(f.name));
            listed << f.field;
        }
        for (QWidget* top : QApplication::topLevelWidgets())
            for (QLineEdit* field : top->findChildren<QLineEdit*>())
                QVERIFY2(!filtered(field) || listed.contains(field), qPrintable(field->objectName()));
    }

    void pastedText_data()
    {
        QTest::addColumn<bool>("decimal");  // the rule: a decimal comma, or digits only
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("result");  // into a field that holds "1", the cursor at its end
        for (bool decimal : {true, false}) {
            const char* rule = decimal ? "decimal" : "digits";
            const auto row = [&](const char* name, const QString& pasted, const QString& result) {
                QTest::newRow(qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(rule), QLatin1String(name))))
                    << decimal << pasted << result;
            };
            row("negative", "-3", "1");
            row("minus after digits", "3-", "1");
            row("plus", "+3", "1");
            row("exponent", "1e5", "1");
            row("letters", "abc", "1");
            row("not a number", "NaN", "1");
            row("statement", "1; drop table accounts_dep.smena", "1");
            row("inner blank", "2 000", "1");
            row("full-width digits", QString::fromUtf8("２"), "1");
            row("zero-width space", QString::fromUtf8("\u200b2"), "1");
            row("control character inside", "2\b3", "1");
            row("digits", "25", "125");
            row("blanks and a line break around", " 25\n", "125");
            row("a long run of digits", "99999999999", "199999999999");
            row("decimal point", "2.5", decimal ? "12,5" : "1");
            row("decimal comma", "2,5", decimal ? "12,5" : "1");
        }
    }
    void pastedText()
    {
        QFETCH(bool, decimal);
        QFETCH(QString, pasted);
        QFETCH(QString, result);
        const ui::KeyRule rule = decimal ? ui::KeyRule::DecimalComma : ui::KeyRule::Digits;
        int fields = 0;
        for (const NumberField& f : numberFields()) {
            if (f.rule != rule)
                continue;
            ++fields;
            f.field->setText(QStringLiteral("1"));
            f.field->setCursorPosition(1);
            QGuiApplication::clipboard()->setText(pasted);
            f.field->paste();
            QVERIFY2(f.field->text() == result, qPrintable(f.name + QStringLiteral(": ") + f.field->text()));
        }
        QVERIFY(fields > 0);
    }

    void ctrlVAndAReplacedSelection()
    {
        QLineEdit* hours = windows_->editor.hoursEdit;
        hours->setText(QStringLiteral("8"));
        hours->selectAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("-8"));
        QTest::keyClick(hours, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(hours->text(), QStringLiteral("8"));  // the selection was not replaced
        QGuiApplication::clipboard()->setText(QStringLiteral("10"));
        hours->selectAll();
        QTest::keyClick(hours, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(hours->text(), QStringLiteral("10"));
        // typed keys as before: the minus is dropped, the digit taken
        QTest::keyClicks(hours, QStringLiteral("-5"));
        QCOMPARE(hours->text(), QStringLiteral("105"));
    }

    void textTheProgramSetsIsLeftAlone()
    {
        QLineEdit* price = windows_->operationEditor.priceEdit;
        price->setText(QStringLiteral("-1,5"));  // as a stored price may read
        QCOMPARE(price->text(), QStringLiteral("-1,5"));
        price->setCursorPosition(int(price->text().size()));
        QGuiApplication::clipboard()->setText(QStringLiteral("0"));
        price->paste();
        QCOMPARE(price->text(), QStringLiteral("-1,50"));
    }
};

TABEL_TEST_MAIN(PastingTest)
#include "test_pasting.moc"
