// The worker list and the operation list against a fresh database: the
// search field and its keys, taking a row, the list mode of "Цены" with its
// kept search text, deletion and the double-click.

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "app/windows.h"
#include "editor/dialogscript.h"
#include "editor/editorfixture.h"
#include "editor/userinput.h"
#include "journal/journalwindow.h"
#include "reference/operationlist.h"
#include "reference/workerlist.h"
#include "support/messagerecorder.h"
#include "support/testmain.h"
#include "ui/datasetgrid.h"

using reference::OperationList;
using reference::WorkerList;

namespace {

QStringList column(const data::Dataset& ds, const QString& field)
{
    QStringList out;
    for (int row = 0; row < ds.recordCount(); ++row)
        out << data::variantText(ds.valueAt(row, ds.fieldIndex(field)));
    return out;
}

}  // namespace

class ListsTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<testing::TestDatabase> db_;
    std::unique_ptr<app::Windows> windows_;
    std::unique_ptr<testing::DialogScript> script_;

    data::DataModule& dm() { return windows_->dataModule; }
    WorkerList& workers() { return windows_->workers; }
    OperationList& operations() { return windows_->operations; }

private slots:
    void initTestCase()
    {
        db_ = std::make_unique<testing::TestDatabase>(QStringLiteral("lists"));
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

    void workerSearchFieldKeys()
    {
        script_->on<WorkerList>(QStringLiteral("Form5"), [this](WorkerList& w) {
            data::Dataset& list = dm().Workers;
            QVERIFY(w.searchEdit->text().isEmpty());
            QVERIFY(list.recordCount() > 3);
            testing::typeText(w.searchEdit, QStringLiteral("Тестов"));
            QCOMPARE(column(list, QStringLiteral("fio")),
                     (QStringList{QStringLiteral("Тестов А.А."), QStringLiteral("Тестова В.В.")}));
            w.searchEdit->setCursorPosition(3);
            for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End, Qt::Key_Delete}) {
                QTest::keyClick(w.searchEdit, key);
                QCOMPARE(w.searchEdit->cursorPosition(), 3);
                QCOMPARE(w.searchEdit->text(), QStringLiteral("Тестов"));
            }
            QCOMPARE(list.recNo(), 1);
            QTest::keyClick(w.searchEdit, Qt::Key_Down);
            QCOMPARE(list.recNo(), 2);
            QCOMPARE(w.grid->currentIndex().row(), 1);
            QTest::keyClick(w.searchEdit, Qt::Key_Up);
            QCOMPARE(list.recNo(), 1);
            QCOMPARE(w.searchEdit->cursorPosition(), 3);
            w.searchEdit->end(false);
            QTest::keyClick(w.searchEdit, Qt::Key_Backspace);
            QCOMPARE(w.searchEdit->text(), QStringLiteral("Тесто"));
            QTest::keyClick(w.searchEdit, Qt::Key_Down);
            w.show();
            QTest::keyClick(w.searchEdit, Qt::Key_Return);  // "Выбрать" is the default button
        });
        QVERIFY(workers().pick());
        QCOMPARE(workers().picked()->name, QStringLiteral("Тестова В.В."));
        QCOMPARE(workers().picked()->workerCode, 990003);
        QCOMPARE(workers().picked()->personId, Q_INT64_C(990003));
        QCOMPARE(workers().mode(), WorkerList::Mode::Picker);
    }

    void aNameWithAnApostropheIsFoundByItsPrefix()
    {
        testing::MessageRecorder messages;
        script_->on<WorkerList>(QStringLiteral("Form5"), [this](WorkerList& w) {
            QVERIFY(w.searchEdit->text().isEmpty());  // every picker opening clears it
            testing::typeText(w.searchEdit, QStringLiteral("О'Н"));
            const QStringList names = column(dm().Workers, QStringLiteral("fio"));
            QVERIFY(names.contains(QStringLiteral("О'Нил Б.Б.  ")));
            for (const QString& name : names)
                QVERIFY2(name.startsWith(QStringLiteral("О'Н")), qPrintable(name));
            w.selectButton->click();
        });
        QVERIFY(workers().pick());
        QCOMPARE(messages.count(), 0);
        QCOMPARE(workers().picked()->name, QStringLiteral("О'Нил Б.Б."));
        QCOMPARE(workers().picked()->workerCode, 990002);
    }

    void takingFromAnEmptyListChoosesNobody()
    {
        script_->on<WorkerList>(QStringLiteral("Form5"), [this](WorkerList& w) {
            testing::typeText(w.searchEdit, QStringLiteral("Ъъъ"));
            QVERIFY(dm().Workers.isEmpty());
            w.selectButton->click();
        });
        QVERIFY(workers().pick());
        QVERIFY(!workers().picked());

        script_->on<WorkerList>(QStringLiteral("Form5"), [](WorkerList& w) { QTest::keyClick(&w, Qt::Key_Escape); });
        QVERIFY(!workers().pick());
        QVERIFY(!workers().chosen());
        QVERIFY(!dm().Workers.filtered());  // the picker opening cleared the search
    }

    void pricesOpensTheListAndKeepsItsSearch()
    {
        script_->on<OperationList>(QStringLiteral("Form4"), [this](OperationList& list) {
            QCOMPARE(list.mode(), OperationList::Mode::List);
            QCOMPARE(list.selectButton->text(), QStringLiteral("Изменить"));
            QVERIFY(!list.addButton->isHidden() && !list.deleteButton->isHidden());
            QVERIFY(list.addButton->isDefault());
            QVERIFY(dm().Oper.isOpen());
            testing::typeText(list.searchEdit, QStringLiteral("тест"));
            list.exitButton->click();
        });
        windows_->journal.pricesAction->trigger();
        QVERIFY(!dm().Oper.isOpen());

        script_->on<OperationList>(QStringLiteral("Form4"), [this](OperationList& list) {
            QCOMPARE(list.searchEdit->text(), QStringLiteral("тест"));
            QCOMPARE(column(dm().Oper, QStringLiteral("id")),
                     (QStringList{QStringLiteral("9302"), QStringLiteral("9301"), QStringLiteral("9304"),
                                  QStringLiteral("9303")}));
            QCOMPARE(column(dm().Oper, QStringLiteral("cena")),
                     (QStringList{QStringLiteral("1,03125"), QStringLiteral("10"), QStringLiteral("7,5"),
                                  QStringLiteral("1,09375")}));
            QCOMPARE(column(dm().Oper, QStringLiteral("norma")),
                     (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("1")}));
            QCOMPARE(list.grid->datasetModel()->cellText(0, 3), QStringLiteral("Заготовки"));
            QTest::keyClick(list.searchEdit, Qt::Key_Down);
            QCOMPARE(dm().Oper.recNo(), 2);
            list.searchEdit->clear();
            list.exitButton->click();
        });
        windows_->journal.pricesAction->trigger();
        QCOMPARE(script_->pending(), 0);
    }

    void anApostropheInTheMarkSearchFindsNothingQuietly()
    {
        testing::MessageRecorder messages;
        script_->on<OperationList>(QStringLiteral("Form4"), [this](OperationList& list) {
            testing::typeText(list.searchEdit, QStringLiteral("ТЕ'"));
            QVERIFY(dm().Oper.isEmpty());
            list.selectButton->click();  // picking from an empty list hands nothing over
        });
        QVERIFY(!operations().pick(0));
        QCOMPARE(messages.count(), 0);
    }

    void doubleClickTakesOrOpensTheNorms()
    {
        QSignalSpy norms(&operations(), &OperationList::normsRequested);
        QSignalSpy change(&operations(), &OperationList::changeRequested);
        script_->on<OperationList>(QStringLiteral("Form4"), [](OperationList& list) {
            list.pricesBox->setChecked(true);
            emit list.grid->doubleClicked(list.grid->model()->index(0, 0));
            list.pricesBox->setChecked(false);
            emit list.grid->doubleClicked(list.grid->model()->index(0, 0));
            list.exitButton->click();
        });
        windows_->journal.pricesAction->trigger();
        QCOMPARE(norms.count(), 1);
        QCOMPARE(change.count(), 1);

        script_->on<OperationList>(QStringLiteral("Form4"), [this](OperationList& list) {
            QVERIFY(list.addButton->isHidden() && list.deleteButton->isHidden());
            QCOMPARE(list.selectButton->text(), QStringLiteral("Выбрать"));
            QVERIFY(list.selectButton->isDefault());
            QCOMPARE(dm().Oper.integer(QStringLiteral("id")), 9303);  // starts at the record's operation
            list.pricesBox->setChecked(true);  // no norms in picker mode
            emit list.grid->doubleClicked(list.grid->model()->index(dm().Oper.recNo() - 1, 0));
        });
        const auto pick = operations().pick(9303);
        QVERIFY(pick);
        QCOMPARE(pick->operationId, 9303);
        QCOMPARE(pick->productId, Q_INT64_C(9100002));
        QCOMPARE(pick->operationText, QStringLiteral("ТЕСТ-2; Сварка; Заготовки"));
        QCOMPARE(norms.count(), 1);
        QVERIFY(!operations().selectButton->isDefault());
        operations().pricesBox->setChecked(false);
    }

    void deletionAsksFirst()
    {
        testing::MessageRecorder messages;
        messages.answer(QMessageBox::No);
        messages.answer(QMessageBox::Yes);
        script_->on<OperationList>(QStringLiteral("Form4"), [this](OperationList& list) {
            QVERIFY(dm().Oper.locate(QStringLiteral("id"), 9304));
            list.deleteButton->click();
            QVERIFY(dm().Oper.locate(QStringLiteral("id"), 9304));
            list.deleteButton->click();
            QVERIFY(!dm().Oper.locate(QStringLiteral("id"), 9304));
            QCOMPARE(dm().Oper.recNo(), 1);
            list.exitButton->click();
        });
        windows_->journal.pricesAction->trigger();
        QCOMPARE(messages.count(), 2);
        QCOMPARE(messages.messages().first().caption, QStringLiteral("Удаление"));
        QCOMPARE(messages.messages().first().text, QStringLiteral("Удалить операцию?"));
        QCOMPARE(db_->scalar(QStringLiteral("select count(*) from accounts_dep.oper where id = 9304")).toInt(), 0);
    }
};

TABEL_TEST_MAIN(ListsTest)
#include "test_lists.moc"
