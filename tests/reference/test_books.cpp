// The reference books on the real windows and a fresh database: the kind
// and product editors with their duplicate checks, the operation editor with
// both pickers, the norm editor's grid, the deletions that refuse what is
// still used, and the operations export.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/windows.h"
#include "editor/dialogscript.h"
#include "editor/editorfixture.h"
#include "editor/userinput.h"
#include "export/xlsxreader.h"
#include "reference/normrows.h"
#include "support/messagerecorder.h"
#include "support/testmain.h"
#include "support/workbookcapture.h"
#include "ui/datasetgrid.h"

using namespace reference;

namespace {

const QString kFilled = QStringLiteral("Все поля должны быть заполнены!");
const QString kKindTaken = QStringLiteral("Такая операция уже заведена!");
const QString kMarkTaken = QStringLiteral("Такая марка изделия уже заведена!");
const QString kOperationTaken = QStringLiteral("Операция с такими параметрами уже заведена!");

}  // namespace

class BooksTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<testing::TestDatabase> db_;
    std::unique_ptr<app::Windows> windows_;
    std::unique_ptr<testing::DialogScript> script_;

    data::DataModule& dm() { return windows_->dataModule; }
    int count(const QString& statement) const { return db_->scalar(statement).toInt(); }
    QString text(const QString& statement) const { return db_->scalar(statement).toString(); }

    // Types into the field what is there instead of its text.
    static void retype(QLineEdit* field, const QString& value)
    {
        field->clear();
        testing::typeText(field, value);
    }

    // The kind list in list mode, from the journal's menu.
    void withKindList(std::function<void(OperationKindList&)> fn)
    {
        script_->on<OperationKindList>(QStringLiteral("Form8"), std::move(fn));
        windows_->journal.operationKindsAction->trigger();
        QCOMPARE(script_->pending(), 0);
    }
    // The operation list in list mode, from the journal's menu "Цены".
    void withOperationList(std::function<void(OperationList&)> fn)
    {
        script_->on<OperationList>(QStringLiteral("Form4"), std::move(fn));
        windows_->journal.pricesAction->trigger();
        QCOMPARE(script_->pending(), 0);
    }

private slots:
    void initTestCase()
    {
        db_ = std::make_unique<testing::TestDatabase>(QStringLiteral("books"));
        testing::addEditorFixture(*db_);
        windows_ = std::make_unique<app::Windows>(db_->connectionString());
    }
    void init() { script_ = std::make_unique<testing::DialogScript>(); }
    void cleanup() { script_.reset(); }
    void cleanupTestCase()
    {
        windows_.reset();
        db_.reset();
    }

    void kindNamesAreTrimmedAndUniqueWhateverTheirCase()
    {
        testing::MessageRecorder messages;
        const QString name = QStringLiteral("Шлифовка О'Нила");
        withKindList([&](OperationKindList& list) {
            QCOMPARE(list.mode(), OperationKindList::Mode::List);
            QVERIFY(list.addButton->isDefault());
            QVERIFY(list.searchEdit->isHidden());

            script_->on<OperationKindEditor>(QStringLiteral("Form9"), [&](OperationKindEditor& e) {
                QCOMPARE(e.windowTitle(), QStringLiteral("Заведение нового вида операций"));
                QVERIFY(e.nameEdit->text().isEmpty());
                e.nameEdit->setText(QStringLiteral("   "));
                e.saveButton->click();
                QCOMPARE(messages.lastText(), kFilled);
                e.nameEdit->setText(QStringLiteral("  сВаРкА "));  // an existing name in another case
                e.saveButton->click();
                QCOMPARE(messages.lastText(), kKindTaken);
                QCOMPARE(messages.messages().last().caption, QStringLiteral("Ошибка"));
                QCOMPARE(e.result(), int(QDialog::Rejected));  // still open
                e.nameEdit->setText(QStringLiteral(" \t") + name + QStringLiteral("  "));
                e.saveButton->click();
                QCOMPARE(e.result(), int(QDialog::Accepted));
            });
            list.addButton->click();
            QCOMPARE(dm().Vid_oper.recNo(), 1);  // re-read from the first row on

            // The apostrophe is a letter to the check, and Cyrillic is upper-cased.
            script_->on<OperationKindEditor>(QStringLiteral("Form9"), [&](OperationKindEditor& e) {
                e.nameEdit->setText(QStringLiteral("ШЛИФОВКА о'нила"));
                e.saveButton->click();
                QCOMPARE(e.result(), int(QDialog::Rejected));
                e.cancelButton->click();
            });
            list.addButton->click();

            // Its own name in another case passes and is stored as typed.
            QVERIFY(dm().Vid_oper.locate(QStringLiteral("vid"), name));
            script_->on<OperationKindEditor>(QStringLiteral("Form9"), [&](OperationKindEditor& e) {
                QCOMPARE(e.windowTitle(), QStringLiteral("Изменение данных вида операции"));
                QCOMPARE(e.nameEdit->text(), name);
                retype(e.nameEdit, QStringLiteral("шлифовка о'Нила"));
                e.saveButton->click();
                QCOMPARE(e.result(), int(QDialog::Accepted));
            });
            list.selectButton->click();
            list.exitButton->click();
        });
        QCOMPARE(messages.texts(), (QStringList{kFilled, kKindTaken, kKindTaken}));
        QCOMPARE(count(QStringLiteral("select count(*) from accounts_dep.vid_oper where vid = 'шлифовка о''Нила'")), 1);
        QCOMPARE(count(QStringLiteral("select count(*) from accounts_dep.vid_oper where upper(vid) = 'ШЛИФОВКА О''НИЛА'")),
                 1);
        QVERIFY(!dm().Vid_oper.isOpen());
    }

    void productsGetTheirGroupAndStayUnique()
    {
        testing::MessageRecorder messages;
        QVERIFY(!windows_->journal.productsAction->isEnabled());
        ProductList& list = windows_->products;
        script_->on<ProductList>(QStringLiteral("Form3"), [&](ProductList& l) {
            QVERIFY(l.searchEdit->isHidden() && l.selectButton->isHidden());
            QVERIFY(!l.addButton->isHidden() && !l.deleteButton->isHidden());
            data::Dataset& products = dm().Izdel;
            products.setRecNo(3);

            script_->on<ProductEditor>(QStringLiteral("Form7"), [&](ProductEditor& e) {
                QCOMPARE(e.windowTitle(), QStringLiteral("Заведение нового изделия"));
                QVERIFY(e.markEdit->text().isEmpty() && e.massaEdit->text().isEmpty());
                e.markEdit->setText(QStringLiteral("  прн-77 тест "));
                e.saveButton->click();
                QCOMPARE(messages.lastText(), kFilled);
                testing::typeText(e.massaEdit, QStringLiteral("2.5x"));
                QCOMPARE(e.massaEdit->text(), QStringLiteral("2,5"));
                e.saveButton->click();
                QCOMPARE(e.result(), int(QDialog::Accepted));
            });
            l.addButton->click();
            QCOMPARE(products.recNo(), 3);  // back on the row it showed, not on the new product

            script_->on<ProductEditor>(QStringLiteral("Form7"), [&](ProductEditor& e) {
                e.markEdit->setText(QStringLiteral("ПРН-77 ТЕСТ"));
                e.massaEdit->setText(QStringLiteral("1"));
                e.saveButton->click();
                QCOMPARE(messages.lastText(), kMarkTaken);
                e.markEdit->setText(QStringLiteral("КЛ 99 тест"));
                e.massaEdit->setText(QStringLiteral(",,"));
                e.saveButton->click();
                QVERIFY2(messages.lastText().contains(QStringLiteral("не является правильным числом")),
                         qPrintable(messages.lastText()));
                QCOMPARE(e.result(), int(QDialog::Rejected));
                e.cancelButton->click();
            });
            l.addButton->click();

            QVERIFY(products.locate(QStringLiteral("id"), 9100002));
            const int row = products.recNo();
            script_->on<ProductEditor>(QStringLiteral("Form7"), [&](ProductEditor& e) {
                QCOMPARE(e.windowTitle(), QStringLiteral("Изменение данных изделия"));
                QCOMPARE(e.markEdit->text(), QStringLiteral("ТЕСТ-2"));
                QCOMPARE(e.massaEdit->text(), QStringLiteral("0"));
                e.markEdit->setText(QStringLiteral("тест-1"));  // another product's mark
                e.saveButton->click();
                QCOMPARE(messages.lastText(), kMarkTaken);
                e.markEdit->setText(QStringLiteral("ТЕСТ-2"));  // its own
                e.massaEdit->setText(QStringLiteral("0,125"));
                e.saveButton->click();
                QCOMPARE(e.result(), int(QDialog::Accepted));
            });
            emit l.grid->doubleClicked(l.grid->model()->index(row - 1, 0));
            QCOMPARE(products.recNo(), row);
            l.exitButton->click();
        });
        list.openAsList();
        QCOMPARE(script_->pending(), 0);
        QCOMPARE(messages.count(), 4);
        QCOMPARE(text(QStringLiteral("select marka || '|' || nom || '|' || massa from accounts_dep.izdel "
                                     "where upper(marka) = 'ПРН-77 ТЕСТ'")),
                 QStringLiteral("прн-77 тест|Профиль Н-обр.|2.5"));
        QCOMPARE(count(QStringLiteral("select count(*) from accounts_dep.izdel where marka like 'КЛ 99%'")), 0);
        QCOMPARE(text(QStringLiteral("select massa from accounts_dep.izdel where id = 9100002")),
                 QStringLiteral("0.125"));
        QVERIFY(!dm().Izdel.isOpen());
    }

    void anOperationAddedThroughTheEditorIsListedWithItsFirstNorm()
    {
        testing::MessageRecorder messages;
        withOperationList([&](OperationList& list) {
            script_->on<OperationEditor>(QStringLiteral("Form10"), [&](OperationEditor& e) {
                QCOMPARE(e.windowTitle(), QStringLiteral("Заведение новой цены за операцию"));
                QVERIFY(e.priceEdit->isEnabled());
                QCOMPARE(e.typeBox->currentText(), QStringLiteral("Готовая продукция"));
                e.saveButton->click();
                QCOMPARE(messages.lastText(), kFilled);

                script_->on<ProductList>(QStringLiteral("Form3"), [&](ProductList& products) {
                    QCOMPARE(products.mode(), ProductList::Mode::Picker);
                    QVERIFY(!products.searchEdit->isHidden() && products.addButton->isHidden());
                    testing::typeText(products.searchEdit, QStringLiteral("прн-77"));
                    QCOMPARE(dm().Izdel.recordCount(), 1);
                    products.searchEdit->setCursorPosition(2);
                    QTest::keyClick(products.searchEdit, Qt::Key_Home);  // moves the cursor, as usual
                    QCOMPARE(products.searchEdit->cursorPosition(), 0);
                    emit products.grid->doubleClicked(products.grid->model()->index(0, 0));
                });
                e.productButton->click();
                QCOMPARE(e.productEdit->text(), QStringLiteral("прн-77 тест"));
                QVERIFY(!dm().Izdel.isOpen());

                script_->on<OperationKindList>(QStringLiteral("Form8"), [&](OperationKindList& kinds) {
                    QCOMPARE(kinds.mode(), OperationKindList::Mode::Picker);
                    QCOMPARE(kinds.selectButton->text(), QStringLiteral("Выбрать"));
                    QVERIFY(kinds.selectButton->isDefault());
                    testing::typeText(kinds.searchEdit, QStringLiteral("шлифовка о"));
                    QCOMPARE(dm().Vid_oper.recordCount(), 1);
                    kinds.selectButton->click();
                });
                e.kindButton->click();
                QCOMPARE(e.kindEdit->text(), QStringLiteral("шлифовка о'Нила"));
                e.typeBox->setCurrentIndex(1);
                e.saveButton->click();  // "min Цена" empty: no number
                QVERIFY(messages.lastText().contains(QStringLiteral("не является правильным числом")));
                testing::typeText(e.priceEdit, QStringLiteral("12.5"));
                e.saveButton->click();
                QCOMPARE(e.result(), int(QDialog::Accepted));
            });
            list.addButton->click();

            QVERIFY(dm().Oper.locate(QStringLiteral("marka"), QStringLiteral("прн-77 тест")));
            QCOMPARE(dm().Oper.text(QStringLiteral("VID")), QStringLiteral("шлифовка о'Нила"));
            QCOMPARE(dm().Oper.text(QStringLiteral("nmn")), QStringLiteral("Заготовки"));
            QCOMPARE(dm().Oper.integer(QStringLiteral("norma")), 1);
            QCOMPARE(dm().Oper.number(QStringLiteral("cena")), 12.5);

            // The same kind, type and product again; the pickers' ids are kept.
            script_->on<OperationEditor>(QStringLiteral("Form10"), [&](OperationEditor& e) {
                e.productEdit->setText(QStringLiteral("прн-77 тест"));
                e.kindEdit->setText(QStringLiteral("шлифовка о'Нила"));
                e.typeBox->setCurrentIndex(1);
                e.priceEdit->setText(QStringLiteral("1"));
                e.saveButton->click();
                QCOMPARE(messages.lastText(), kOperationTaken);
                e.cancelButton->click();
            });
            list.addButton->click();
            list.exitButton->click();
        });
        QCOMPARE(count(QStringLiteral("select count(*) from accounts_dep.oper o join accounts_dep.izdel i on "
                                      "i.id = o.i_id where i.marka = 'прн-77 тест'")),
                 1);
    }

    void changingAnOperationExcludesItself()
    {
        testing::MessageRecorder messages;
        withOperationList([&](OperationList& list) {
            QVERIFY(dm().Oper.locate(QStringLiteral("id"), 9304));  // ТЕСТ-2, Краска, Готовая продукция
            script_->on<OperationEditor>(QStringLiteral("Form10"), [&](OperationEditor& e) {
                QCOMPARE(e.windowTitle(), QStringLiteral("Изменение данных о цене за операцию"));
                QCOMPARE(e.productEdit->text(), QStringLiteral("ТЕСТ-2"));
                QCOMPARE(e.typeBox->currentIndex(), 0);
                QVERIFY(!e.priceEdit->isEnabled());
                QCOMPARE(e.kindId(), 9002);
                QCOMPARE(e.productId(), Q_INT64_C(9100002));
                e.saveButton->click();  // unchanged: passes
                QCOMPARE(e.result(), int(QDialog::Accepted));
            });
            list.selectButton->click();

            QVERIFY(dm().Oper.locate(QStringLiteral("id"), 9304));
            script_->on<OperationKindList>(QStringLiteral("Form8"), [&](OperationKindList& kinds) {
                QVERIFY(dm().Vid_oper.locate(QStringLiteral("id"), 9001));
                kinds.selectButton->click();
            });
            script_->on<OperationEditor>(QStringLiteral("Form10"), [&](OperationEditor& e) {
                e.kindButton->click();
                e.typeBox->setCurrentIndex(1);  // now as 9303: ТЕСТ-2, Сварка, Заготовки
                e.saveButton->click();
                QCOMPARE(messages.lastText(), kOperationTaken);
                e.cancelButton->click();
            });
            emit list.grid->doubleClicked(list.grid->model()->index(dm().Oper.recNo() - 1, 0));
            list.exitButton->click();
        });
        QCOMPARE(messages.count(), 1);
        QCOMPARE(text(QStringLiteral("select vid || ',' || naimen || ',' || i_id from accounts_dep.oper where id = 9304")),
                 QStringLiteral("9002,0,9100002"));
    }

    void normRowsAreSavedForTheirOperation()
    {
        testing::MessageRecorder messages;
        const auto norms = [this](int operation) {
            return db_->scalar(QStringLiteral("select string_agg(norma || ':' || price, ' ' order by norma, id) "
                                              "from accounts_dep.norm where o_id = %1")
                                   .arg(operation))
                .toString();
        };
        NormEditor& normEditor = windows_->normEditor;
        const auto cell = [&](int row, int column) { return normEditor.rows->index(row, column); };
        // Opens the cell's editor and types the text into it; the editor stays open.
        const auto typeInto = [&](int row, int column, const QString& value) {
            normEditor.grid->setCurrentIndex(cell(row, column));
            normEditor.grid->edit(cell(row, column));
            auto* field = qobject_cast<QLineEdit*>(normEditor.grid->indexWidget(cell(row, column)));
            if (field)
                retype(field, value);
            return field;
        };

        withOperationList([&](OperationList& list) {
            list.pricesBox->setChecked(true);
            QVERIFY(dm().Oper.locate(QStringLiteral("id"), 9302));  // one norm row, 1.03125
            const int row = dm().Oper.recNo();
            script_->on<NormEditor>(QStringLiteral("Form22"), [&](NormEditor& e) {
                e.show();
                QCOMPARE(e.operationId(), 9302);
                QCOMPARE(e.rows->rowCount(), 2);  // the row and the new line
                QCOMPARE(e.rows->data(cell(0, NormRows::Price), Qt::DisplayRole).toString(),
                         QStringLiteral("1,031"));
                e.grid->setCurrentIndex(cell(0, 0));
                e.deleteButton->click();  // the last row stays
                QCOMPARE(e.rows->savedCount(), 1);

                // A new row typed on the new line is saved on leaving its column (Tab goes on editing).
                QLineEdit* field = typeInto(1, NormRows::Norma, QStringLiteral("500"));
                QVERIFY(field);
                QTest::keyClick(field, Qt::Key_Tab);
                QCoreApplication::processEvents();
                QVERIFY(e.grid->indexWidget(e.grid->currentIndex()));
                QCOMPARE(norms(9302), QStringLiteral("0:1.03125 500:0"));
                QCOMPARE(e.rows->normId(e.grid->currentIndex().row()),
                         count(QStringLiteral("select max(id) from accounts_dep.norm where o_id = 9302")));
                QCOMPARE(e.grid->currentIndex().column(), int(NormRows::Price));

                // No number: refused by the grid, nothing saved.
                QVERIFY(typeInto(e.grid->currentIndex().row(), NormRows::Price, QStringLiteral(",,")));
                e.grid->setCurrentIndex(cell(e.grid->currentIndex().row(), NormRows::Prize));
                QCoreApplication::processEvents();
                QVERIFY2(messages.lastText().contains(QStringLiteral("не является правильным числом")),
                         qPrintable(messages.lastText()));
                QCOMPARE(norms(9302), QStringLiteral("0:1.03125 500:0"));

                // Typed and saved with "Сохранить" without leaving the cell.
                QVERIFY(typeInto(1, NormRows::Price, QStringLiteral("0.9")));
                e.saveButton->click();
                QCOMPARE(e.result(), int(QDialog::Accepted));
            });
            emit list.grid->doubleClicked(list.grid->model()->index(row - 1, 0));
            QCOMPARE(norms(9302), QStringLiteral("0:1.03125 500:0.9"));
            QCOMPARE(dm().Oper.recNo(), row);
            QCOMPARE(dm().Oper.integer(QStringLiteral("id")), 9302);
            QCOMPARE(dm().Oper.integer(QStringLiteral("norma")), 2);
            QCOMPARE(dm().Oper.number(QStringLiteral("cena")), 0.9);

            // A row typed on the new line and saved by Escape in its cell, which presses "Сохранить".
            QVERIFY(dm().Oper.locate(QStringLiteral("id"), 9303));
            script_->on<NormEditor>(QStringLiteral("Form22"), [&](NormEditor& e) {
                e.show();
                QLineEdit* field = typeInto(1, NormRows::Price, QStringLiteral("2,5"));
                QVERIFY(field);
                QTest::keyClick(field, Qt::Key_Escape);
                QCOMPARE(e.result(), int(QDialog::Accepted));
            });
            emit list.grid->doubleClicked(list.grid->model()->index(dm().Oper.recNo() - 1, 0));
            QCOMPARE(norms(9303), QStringLiteral("0:1.09375 0:2.5"));
            QCOMPARE(dm().Oper.integer(QStringLiteral("norma")), 2);

            // With two rows "Удалить" deletes the current one, then no more.
            script_->on<NormEditor>(QStringLiteral("Form22"), [&](NormEditor& e) {
                e.grid->setCurrentIndex(cell(1, 0));
                e.deleteButton->click();
                e.deleteButton->click();
                QCOMPARE(e.rows->savedCount(), 1);
                e.saveButton->click();
            });
            emit list.grid->doubleClicked(list.grid->model()->index(dm().Oper.recNo() - 1, 0));
            QCOMPARE(norms(9303), QStringLiteral("0:1.09375"));
            list.pricesBox->setChecked(false);
            list.exitButton->click();
        });
        QCOMPARE(messages.count(), 1);
    }

    void rowsInUseAreNotDeleted()
    {
        // The plant's norm rows are not deleted with their operation by the database.
        db_->exec(QStringLiteral("alter table accounts_dep.norm drop constraint norm_o_id_fkey"));
        testing::MessageRecorder messages;
        const int kinds = count(QStringLiteral("select count(*) from accounts_dep.vid_oper"));
        withKindList([&](OperationKindList& list) {
            QVERIFY(dm().Vid_oper.locate(QStringLiteral("id"), 9002));  // operations 9302 and 9304
            list.deleteButton->click();
            QVERIFY(dm().Vid_oper.locate(QStringLiteral("id"), 9002));
            db_->exec(QStringLiteral("insert into accounts_dep.vid_oper (vid) values ('Лишний вид')"));
            dm().Vid_oper.reload();
            QVERIFY(dm().Vid_oper.locate(QStringLiteral("vid"), QStringLiteral("Лишний вид")));
            list.deleteButton->click();  // unused: asked, then deleted
            QVERIFY(!dm().Vid_oper.locate(QStringLiteral("vid"), QStringLiteral("Лишний вид")));
            list.exitButton->click();
        });
        QCOMPARE(messages.texts(),
                 (QStringList{QStringLiteral("Вид операции используется, удалить его нельзя.\nОпераций этого вида: 2"),
                              QStringLiteral("Удалить вид операции?")}));
        QCOMPARE(messages.messages().first().caption, QStringLiteral("Ошибка"));
        QCOMPARE(count(QStringLiteral("select count(*) from accounts_dep.vid_oper")), kinds);

        messages.clear();
        script_->on<ProductList>(QStringLiteral("Form3"), [&](ProductList& list) {
            QVERIFY(dm().Izdel.locate(QStringLiteral("id"), 9100001));
            list.deleteButton->click();
            list.exitButton->click();
        });
        windows_->products.openAsList();
        QCOMPARE(messages.texts(), (QStringList{QStringLiteral("Изделие используется, удалить его нельзя.\n"
                                                               "Операций с этим изделием: 3\n"
                                                               "Записей смен с этим изделием: 2")}));
        QCOMPARE(count(QStringLiteral("select count(*) from accounts_dep.izdel where id = 9100001")), 1);

        // An operation that shift records use stays with its norms; an unused one goes with them.
        messages.clear();
        const int newOperation = count(QStringLiteral(
            "select o.id from accounts_dep.oper o join accounts_dep.izdel i on i.id = o.i_id where i.marka = 'прн-77 тест'"));
        withOperationList([&](OperationList& list) {
            QVERIFY(dm().Oper.locate(QStringLiteral("id"), 9301));
            list.deleteButton->click();
            QVERIFY(dm().Oper.locate(QStringLiteral("id"), newOperation));
            list.deleteButton->click();
            QVERIFY(!dm().Oper.locate(QStringLiteral("id"), newOperation));
            list.exitButton->click();
        });
        QCOMPARE(messages.texts(),
                 (QStringList{QStringLiteral("Операция используется, удалить ее нельзя.\nЗаписей смен с этой операцией: 2"),
                              QStringLiteral("Удалить операцию?")}));
        QCOMPARE(count(QStringLiteral("select count(*) from accounts_dep.norm where o_id = 9301")), 2);
        QCOMPARE(count(QStringLiteral("select count(*) from accounts_dep.oper where id = %1").arg(newOperation)), 0);
        QCOMPARE(count(QStringLiteral("select count(*) from accounts_dep.norm where o_id = %1").arg(newOperation)), 0);

        // A record saved on another workstation while the question is shown: counted again, refused.
        messages.clear();
        db_->exec(QStringLiteral("insert into accounts_dep.oper (id, vid, naimen, i_id, cena_new) values "
                                 "(9398, 9002, 1, 9100002, 4)"));
        messages.onNext([this](const ui::Message&) {
            db_->exec(QStringLiteral("insert into accounts_dep.smena (id, w_id, i_id, o_id, cena, kol_vo, brak, data, "
                                     "smena, ok) values (990199, 990001, 9100002, 9398, 4, 1, 0, '2021-03-06', 1, 'no')"));
        });
        withOperationList([&](OperationList& list) {
            QVERIFY(dm().Oper.locate(QStringLiteral("id"), 9398));
            list.deleteButton->click();
            list.exitButton->click();
        });
        QCOMPARE(messages.texts(),
                 (QStringList{QStringLiteral("Удалить операцию?"),
                              QStringLiteral("Операция используется, удалить ее нельзя.\nЗаписей смен с этой операцией: 1")}));
        QCOMPARE(count(QStringLiteral("select count(*) from accounts_dep.oper where id = 9398")), 1);
        QCOMPARE(count(QStringLiteral("select count(*) from accounts_dep.norm where o_id = 9398")), 1);
        db_->exec(QStringLiteral("delete from accounts_dep.smena where id = 990199"));
    }

    void theExportHasOneRowPerOperation()
    {
        testing::WorkbookCapture books;
        // An operation without norm rows, with a price of its own.
        db_->exec(QStringLiteral("insert into accounts_dep.oper (id, vid, naimen, i_id, cena) values "
                                 "(9399, 9001, 1, 9100002, 3.25)"));
        db_->exec(QStringLiteral("delete from accounts_dep.norm where o_id = 9399"));
        withOperationList([&](OperationList& list) {
            testing::typeText(list.searchEdit, QStringLiteral("ТЕСТ-2"));  // the export ignores the search
            list.excelButton->click();
            list.searchEdit->clear();
            list.exitButton->click();
        });
        QCOMPARE(books.opened().size(), 1);
        testing::XlsxFile book;
        QVERIFY2(book.load(books.opened().first()), qPrintable(book.error()));
        QStringList titles;
        for (int column = 1; column <= 4; ++column)
            titles << book.cell(1, column, 1)->value;
        QCOMPARE(titles, (QStringList{QStringLiteral("Марка"), QStringLiteral("Операция"), QStringLiteral("Цена"),
                                      QStringLiteral("Вид")}));
        int rows = 0, found = 0;
        for (int row = 2; book.cell(1, 1, row); ++row) {
            ++rows;
            if (book.cell(1, 1, row)->value == QStringLiteral("ТЕСТ-2") && book.cell(1, 3, row)
                && book.cell(1, 3, row)->value == QStringLiteral("3.25")) {
                ++found;
                QCOMPARE(book.cell(1, 2, row)->value, QStringLiteral("Сварка"));
                QCOMPARE(book.cell(1, 4, row)->value, QStringLiteral("Заготовки"));
            }
        }
        QCOMPARE(rows, count(QStringLiteral("select count(*) from accounts_dep.oper o join accounts_dep.izdel i on "
                                            "i.id = o.i_id join accounts_dep.vid_oper v on v.id = o.vid")));
        QCOMPARE(found, 1);
        QVERIFY(!windows_->operations.XLS_Rep.isOpen());
    }
};

TABEL_TEST_MAIN(BooksTest)
#include "test_books.moc"
