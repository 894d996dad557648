// The shift record editor driven from the journal, with the worker and
// operation lists as its pickers, against a fresh database: the three
// openings, the requisition combos, the pickers, prices and amount.

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

#include "editor/lookupcombo.h"
#include "editor/shiftrecordeditor.h"
#include "editordriver.h"
#include "journal/journalwindow.h"
#include "reference/operationlist.h"
#include "reference/workerlist.h"
#include "support/messagerecorder.h"
#include "support/testmain.h"
#include "ui/datasetgrid.h"

using editor::LookupComboBox;
using editor::ShiftRecordEditor;
using reference::OperationList;
using reference::WorkerList;
using testing::leave;
using testing::typeText;

using testing::choose;
using testing::clickByEvent;

class EditorTest : public testing::EditorTestBase {
    Q_OBJECT
private slots:
    void initTestCase() { setUpJournal(QStringLiteral("editor")); }
    void init() { startCase(); }
    void cleanup() { script_.reset(); }
    void cleanupTestCase() { tearDownJournal(); }

    void addModeTakesTheJournalDateAndStartsEmpty()
    {
        QVERIFY(testing::kFixtureDate != QDate::currentDate());
        shift().setSort(QStringLiteral("fio DESC"));
        shift().setRecNo(3);
        inNewRecord([](ShiftRecordEditor& e) {
            QCOMPARE(e.windowTitle(), QStringLiteral("Заведение новой позиции"));
            QCOMPARE(e.mode(), editor::Mode::Add);
            QCOMPARE(e.dateEdit->date(), testing::kFixtureDate);
            QCOMPARE(e.hoursEdit->text(), QStringLiteral("0"));
            QCOMPARE(e.rejectsEdit->text(), QStringLiteral("0"));
            QVERIFY(e.workerEdit->text().isEmpty() && e.operationEdit->text().isEmpty());
            QVERIFY(e.LCB_id_doc->count() > 0);
            QVERIFY(!e.LCB_id_doc->showsEntry());
            QCOMPARE(e.LCB_id_doc_item->count(), 0);  // no line until a requisition is chosen
            QVERIFY(e.recordNumberLabel->text().isEmpty());
            QCOMPARE(e.values().recordId, 0);
            for (QWidget* w : std::initializer_list<QWidget*>{e.materialsGrid, e.crewGrid, e.materialAddButton,
                                                              e.materialDeleteButton, e.crewAddButton,
                                                              e.crewDeleteButton, e.crewSaveButton})
                QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
            QVERIFY(e.groupBox->isEnabled() && e.saveButton->isEnabled());
            e.exitButton->click();
        });
        // The journal was re-read with the user's sort, standing on the first row.
        QCOMPARE(shift().sort(), QStringLiteral("fio DESC"));
        QCOMPARE(shift().recNo(), 1);
        QCOMPARE(shift().text(QStringLiteral("fio")), QStringLiteral("Тестова В.В."));
        shift().setSort(QString());
    }

    void editOnAnAcceptedRecordOpensNothing()
    {
        goToRecord(990101);
        const int row = shift().recNo();
        const int before = shift().recordCount();
        testing::MessageRecorder messages;
        // Another workstation adds a record meanwhile: the journal is re-read all the same.
        db_->exec(QStringLiteral(
            "insert into accounts_dep.smena (w_id, i_id, o_id, cena, kol_vo, brak, data, smena, time, ok) "
            "values (990001, 9100002, 9303, 1, 1, 0, '2021-03-05', 1, 1, 'no')"));
        journal_->editButton->click();
        QVERIFY(script_->shown().isEmpty());
        QCOMPARE(messages.count(), 0);
        QCOMPARE(shift().recordCount(), before + 1);
        QCOMPARE(shift().recNo(), row);
        db_->exec(QStringLiteral("delete from accounts_dep.smena where id > 990103 and data = '2021-03-05'"));
        shift().reload();
    }

    void editWithoutRequisitionShowsEmptyCombosAfterOneWithIt()
    {
        goToRecord(990103);
        inEditor(journal_->editButton, [](ShiftRecordEditor& e) {
            QCOMPARE(e.LCB_id_doc->currentText(), QStringLiteral("Заявка № Т-1 от 01.03.2021"));
            QVERIFY(e.LCB_id_doc_item->currentText().startsWith(QStringLiteral("1. ТЕСТ-1 изделие")));
            QCOMPARE(e.LCB_id_doc_item->count(), 2);  // the lines of that requisition only
            e.exitButton->click();
        });
        goToRecord(990102);
        const int row = shift().recNo();
        inEditor(journal_->editButton, [](ShiftRecordEditor& e) {
            QCOMPARE(e.windowTitle(), QStringLiteral("Изменение данных о позиции"));
            QCOMPARE(e.mode(), editor::Mode::Edit);
            QVERIFY(!e.LCB_id_doc->showsEntry());
            QVERIFY(e.LCB_id_doc->currentText().isEmpty());
            QVERIFY(!e.LCB_id_doc_item->showsEntry());
            QVERIFY(e.LCB_id_doc_item->currentText().isEmpty());
            QCOMPARE(e.workerEdit->text(), QStringLiteral("О'Нил Б.Б."));
            QCOMPARE(e.operationEdit->text(), QStringLiteral("ТЕСТ-2; Сварка; Заготовки"));
            QCOMPARE(e.quantityEdit->text(), QStringLiteral("4"));
            QCOMPARE(e.rejectsEdit->text(), QStringLiteral("1"));
            QCOMPARE(e.hoursEdit->text(), QStringLiteral("6"));
            QCOMPARE(e.finalPriceEdit->text(), QStringLiteral("12,5"));
            QCOMPARE(e.amountEdit->text(), QStringLiteral("50"));
            QVERIFY(e.basePriceEdit->text().isEmpty());
            QCOMPARE(e.recordNumberLabel->text(), QStringLiteral("990102"));
            QCOMPARE(e.values().workerCode, 990002);
            QCOMPARE(e.values().operationId, 9303);
            QCOMPARE(e.values().productId, Q_INT64_C(9100002));
            QCOMPARE(e.smena_gds_use.recordCount(), 1);
            QVERIFY(e.materialsGrid->isEnabled() && e.materialAddButton->isEnabled());
            QVERIFY(!e.crewAddButton->isEnabled() && !e.crewSaveButton->isEnabled());
            QVERIFY(!e.fio_smena_gds.isOpen());
            e.exitButton->click();
        });
        QCOMPARE(shift().recNo(), row);
    }

    void viewModeLocksTheRecordAndUnlocksAfterwards()
    {
        goToRecord(990102);
        const int row = shift().recNo();
        const int count = shift().recordCount();
        script_->on<ShiftRecordEditor>(QStringLiteral("Form11"), [](ShiftRecordEditor& e) {
            QCOMPARE(e.windowTitle(), QStringLiteral("Просмотр данных о позиции"));
            QCOMPARE(e.mode(), editor::Mode::View);
            for (QWidget* w : std::initializer_list<QWidget*>{e.groupBox, e.saveButton, e.materialsGrid,
                                                              e.materialAddButton, e.materialDeleteButton,
                                                              e.crewSaveButton})
                QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
            QVERIFY(!e.LCB_id_doc->showsEntry() && !e.LCB_id_doc_item->showsEntry());
            QCOMPARE(e.materialsGrid->model()->rowCount(), 1);
            QCOMPARE(e.materialsGrid->datasetModel()->cellText(0, 0), QStringLiteral("Проволока тестовая"));
            QCOMPARE(e.materialsTotalEdit->text(), QStringLiteral("2,5"));
            QCOMPARE(e.amountEdit->text(), QStringLiteral("50"));
            e.exitButton->click();
        });
        editor().openForViewing();
        QCOMPARE(shift().recNo(), row);
        QCOMPARE(shift().recordCount(), count);
        for (QWidget* w : std::initializer_list<QWidget*>{editor().groupBox, editor().saveButton,
                                                          editor().materialsGrid, editor().materialAddButton,
                                                          editor().materialDeleteButton})
            QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));

        goToRecord(990103);
        script_->on<ShiftRecordEditor>(QStringLiteral("Form11"), [](ShiftRecordEditor& e) {
            QCOMPARE(e.LCB_id_doc->currentText(), QStringLiteral("Заявка № Т-1 от 01.03.2021"));
            QVERIFY(e.LCB_id_doc_item->currentText().startsWith(QStringLiteral("1. ТЕСТ-1 изделие")));
            e.reject();
        });
        editor().openForViewing();
        QCOMPARE(script_->pending(), 0);
    }

    void lineFillsQuantityAndSameRequisitionAgainClearsTheChoices()
    {
        inNewRecord([this](ShiftRecordEditor& e) {
            choose(e.LCB_id_doc, QStringLiteral("Заявка № Т-1"));
            QCOMPARE(e.LCB_id_doc_item->count(), 2);
            choose(e.LCB_id_doc_item, QStringLiteral("1. "));
            QCOMPARE(e.quantityEdit->text(), QStringLiteral("150"));
            QCOMPARE(e.LCB_id_doc_item->keyValue(), Q_INT64_C(3910000001));
            pickWorker(e, QStringLiteral("Тестов"));
            QCOMPARE(e.workerEdit->text(), QStringLiteral("Тестов А.А."));
            pickOperation(e, 9301);
            QCOMPARE(e.operationEdit->text(), QStringLiteral("ТЕСТ-1; Сварка; Готовая продукция"));
            QCOMPARE(e.values().operationId, 9301);

            choose(e.LCB_id_doc, QStringLiteral("Заявка № Т-1"));
            QVERIFY(e.workerEdit->text().isEmpty());
            QVERIFY(e.operationEdit->text().isEmpty());
            QVERIFY(!e.LCB_id_doc_item->showsEntry());
            QCOMPARE(e.values().workerCode, 0);
            QCOMPARE(e.values().personId, 0);
            QCOMPARE(e.values().operationId, 0);
            QCOMPARE(e.LCB_id_doc->currentText(), QStringLiteral("Заявка № Т-1 от 01.03.2021"));
            e.exitButton->click();
        });
    }

    void closingTheDropDownWithoutAChoiceAlsoClears()
    {
        inNewRecord([this](ShiftRecordEditor& e) {
            choose(e.LCB_id_doc, QStringLiteral("Заявка № Т-2"));
            choose(e.LCB_id_doc_item, QStringLiteral("1. "));
            QCOMPARE(e.quantityEdit->text(), QStringLiteral("20"));
            pickWorker(e, QStringLiteral("Тестова"));
            QVERIFY(!e.workerEdit->text().isEmpty());
            e.LCB_id_doc_item->showPopup();
            QTest::keyClick(e.LCB_id_doc_item->view(), Qt::Key_Escape);
            QCoreApplication::processEvents();
            QVERIFY(e.workerEdit->text().isEmpty());
            QVERIFY(e.LCB_id_doc_item->showsEntry());  // the line shown stays
            e.exitButton->click();
        });
    }

    void cancellingTheWorkerPickerChangesNothing()
    {
        inNewRecord([this](ShiftRecordEditor& e) {
            pickWorker(e, QStringLiteral("О'Н"));
            QCOMPARE(e.workerEdit->text(), QStringLiteral("О'Нил Б.Б."));  // without the stored blanks
            pickOperation(e, 9303);
            const editor::HeldValues before = e.values();
            QCOMPARE(before.workerCode, 990002);
            QCOMPARE(before.personId, Q_INT64_C(990002));
            script_->on<WorkerList>(QStringLiteral("Form5"), [](WorkerList& w) {
                typeText(w.searchEdit, QStringLiteral("Тестов"));
                w.exitButton->click();
            });
            QTest::mouseClick(e.workerEdit, Qt::LeftButton);  // a click on the field opens the picker too
            QCOMPARE(script_->pending(), 0);
            QCOMPARE(e.workerEdit->text(), QStringLiteral("О'Нил Б.Б."));
            QCOMPARE(e.operationEdit->text(), QStringLiteral("ТЕСТ-2; Сварка; Заготовки"));
            QCOMPARE(e.values().workerCode, before.workerCode);
            QCOMPARE(e.values().personId, before.personId);
            QCOMPARE(e.values().operationId, before.operationId);
            QVERIFY(!windows_->workers.chosen());
            e.exitButton->click();
        });
    }

    void effectivePriceFollowsDayAndShift_data()
    {
        QTest::addColumn<bool>("dayOff");
        QTest::addColumn<int>("shift");
        QTest::addColumn<QString>("price");
        QTest::newRow("shift 1") << false << 1 << "10";
        QTest::newRow("shift 2") << false << 2 << "10";
        QTest::newRow("shift 3") << false << 3 << "12";
        QTest::newRow("overtime") << false << 4 << "15";
        QTest::newRow("day off, shift 1") << true << 1 << "20";
        QTest::newRow("day off, shift 2") << true << 2 << "20";
        QTest::newRow("day off, shift 3") << true << 3 << "24";
        QTest::newRow("day off, overtime") << true << 4 << "30";
    }
    void effectivePriceFollowsDayAndShift()
    {
        QFETCH(bool, dayOff);
        QFETCH(int, shift);
        QFETCH(QString, price);
        setDay(dayOff, shift);
        inNewRecord([&](ShiftRecordEditor& e) {
            pickOperation(e, 9301);
            QCOMPARE(e.basePriceEdit->text(), QStringLiteral("10"));
            QCOMPARE(e.finalPriceEdit->text(), price);
            QCOMPARE(e.quantityEdit->text(), QStringLiteral("0"));
            QCOMPARE(e.amountEdit->text(), QStringLiteral("0"));
            e.exitButton->click();
        });
    }

    void basePriceIsRoundedToFourDecimals_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<QString>("price");
        QTest::newRow("1.03125") << 9302 << "1,0312";
        QTest::newRow("1.09375") << 9303 << "1,0938";
        QTest::newRow("7.5") << 9304 << "7,5";
    }
    void basePriceIsRoundedToFourDecimals()
    {
        QFETCH(int, operation);
        QFETCH(QString, price);
        inNewRecord([&](ShiftRecordEditor& e) {
            pickOperation(e, operation);
            QCOMPARE(e.basePriceEdit->text(), price);
            QCOMPARE(e.finalPriceEdit->text(), price);
            e.exitButton->click();
        });
    }

    void quantityTypedWithAPointGivesTheAmount()
    {
        setDay(false, 3);
        inNewRecord([this](ShiftRecordEditor& e) {
            pickOperation(e, 9301);
            e.quantityEdit->clear();
            typeText(e.quantityEdit, QStringLiteral("2.5x"));
            QCOMPARE(e.quantityEdit->text(), QStringLiteral("2,5"));
            leave(e.quantityEdit);
            QCOMPARE(e.finalPriceEdit->text(), QStringLiteral("12"));
            QCOMPARE(e.amountEdit->text(), QStringLiteral("30"));
            e.exitButton->click();
        });
    }

    void badNumbersShowTheErrorAndKeepTheText_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("comma alone") << "quantity" << "," << ",";
        QTest::newRow("two commas") << "quantity" << "1..2" << "1,,2";
        QTest::newRow("hours beyond 32 bits") << "hours" << "99999999999" << "99999999999";
    }
    void badNumbersShowTheErrorAndKeepTheText()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        inNewRecord([&](ShiftRecordEditor& e) {
            pickOperation(e, 9301);
            QLineEdit* edit = field == QLatin1String("hours") ? e.hoursEdit : e.quantityEdit;
            e.quantityEdit->setText(QStringLiteral("3"));
            leave(e.quantityEdit);
            QCOMPARE(e.amountEdit->text(), QStringLiteral("30"));
            edit->clear();
            typeText(edit, typed);
            testing::MessageRecorder messages;
            leave(edit);
            QCOMPARE(messages.count(), 1);
            QCOMPARE(messages.messages().first().caption, QStringLiteral("Ошибка"));
            QVERIFY2(messages.lastText().contains(shown), qPrintable(messages.lastText()));
            QCOMPARE(edit->text(), shown);
            QCOMPARE(e.amountEdit->text(), QStringLiteral("30"));  // not recomputed
            e.exitButton->click();
        });
    }

    void paintOperationsMakeTheAmountEditable()
    {
        inNewRecord([this](ShiftRecordEditor& e) {
            pickOperation(e, 9304);  // "Краска порошковая"
            QVERIFY(e.amountEdit->isEnabled());
            QVERIFY(e.crewLabel->isEnabled());
            e.quantityEdit->setText(QStringLiteral("2"));
            leave(e.quantityEdit);
            QCOMPARE(e.amountEdit->text(), QStringLiteral("15"));
            pickOperation(e, 9303);
            QVERIFY(!e.amountEdit->isEnabled());
            QVERIFY(!e.crewLabel->isEnabled());
            QCOMPARE(e.amountEdit->text(), QStringLiteral("2,1876"));  // 2 x 1.0938, recomputed
            e.exitButton->click();
        });
    }

    void theRequisitionLineNarrowsTheOperationList()
    {
        QList<QList<int>> seen;
        auto record = [&](OperationList& list) {
            QList<int> ids;
            for (int row = 0; row < dm().Oper.recordCount(); ++row)
                ids << dm().Oper.valueAt(row, dm().Oper.fieldIndex(QStringLiteral("id"))).toInt();
            seen << ids;
            list.exitButton->click();
        };
        testing::MessageRecorder messages;
        inNewRecord([&](ShiftRecordEditor& e) {
            choose(e.LCB_id_doc, QStringLiteral("Заявка № Т-1"));
            choose(e.LCB_id_doc_item, QStringLiteral("1. "));
            script_->on<OperationList>(QStringLiteral("Form4"), record);
            e.operationButton->click();
            script_->on<OperationList>(QStringLiteral("Form4"), [&](OperationList& list) {
                typeText(list.searchEdit, QStringLiteral("тест"));
                record(list);
            });
            e.operationButton->click();
            choose(e.LCB_id_doc_item, QStringLiteral("2. "));  // goods without a product code
            script_->on<OperationList>(QStringLiteral("Form4"), record);
            e.operationButton->click();
            e.exitButton->click();
        });
        QCOMPARE(messages.count(), 0);
        QCOMPARE(seen.size(), 3);
        QCOMPARE(seen[0], (QList<int>{9302, 9301, 9304}));  // ТЕСТ-1's own, and ТЕСТ-2's that serves ТЕСТ-1 too
        QCOMPARE(seen[1], (QList<int>{9302, 9301}));
        QVERIFY(seen[2].isEmpty());
        QVERIFY(!dm().Oper.filtered());
    }

    void aDatabaseErrorWhileAListOpensShowsTheErrorAndNoWindow()
    {
        testing::MessageRecorder messages;
        db_->exec(QStringLiteral("alter view accounts_dep.v_mnf_requisition rename to v_mnf_requisition_away"));
        clickByEvent(journal_->addButton);
        db_->exec(QStringLiteral("alter view accounts_dep.v_mnf_requisition_away rename to v_mnf_requisition"));
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.messages().first().caption, QStringLiteral("Ошибка"));
        QVERIFY(script_->shown().isEmpty());

        messages.clear();
        dm().Workers.close();  // a cancelled pick leaves it open, and an open list is not read again
        inNewRecord([&](ShiftRecordEditor& e) {
            db_->exec(QStringLiteral("alter table hrms_staffpos.staffpos rename to staffpos_away"));
            clickByEvent(e.workerButton);
            db_->exec(QStringLiteral("alter table hrms_staffpos.staffpos_away rename to staffpos"));
            e.exitButton->click();
        });
        QCOMPARE(messages.count(), 1);
        QCOMPARE(script_->shown(), QStringList{QStringLiteral("Form11")});
    }

    void escapeLeavesLikeExitAndTheCloseBoxKeepsTheMaterials()
    {
        goToRecord(990102);
        inEditor(journal_->editButton, [](ShiftRecordEditor& e) {
            QTest::keyClick(&e, Qt::Key_Escape);
            QVERIFY(!e.smena_gds_use.isOpen());
            QVERIFY(!e.v_mnf_requisition.isOpen());
        });
        goToRecord(990102);
        inEditor(journal_->editButton, [](ShiftRecordEditor& e) {
            e.show();
            e.close();
            QVERIFY(e.smena_gds_use.isOpen());
            QVERIFY(!e.v_mnf_requisition.isOpen());
            QCOMPARE(e.v_mnf_requisition_item.filter(), QStringLiteral("id_doc=0"));
        });
    }

    void theWheelStepsTheFocusedRequisitionCombo()
    {
        inNewRecord([](ShiftRecordEditor& e) {
            e.show();
            QApplication::setActiveWindow(&e);
            QVERIFY(QTest::qWaitForWindowActive(&e));
            choose(e.LCB_id_doc, QStringLiteral("Заявка № Т-1"));
            e.LCB_id_doc->setFocus();
            QCOMPARE(e.focusWidget(), e.LCB_id_doc);
            const int index = e.LCB_id_doc->currentIndex();
            auto wheel = [&](QWidget* over, int delta) {
                QWheelEvent event(QPointF(5, 5), over->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta),
                                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(over, &event);
                QCoreApplication::processEvents();
            };
            // Т-1 is the oldest requisition, the last entry: up one notch, then down again.
            QCOMPARE(index, e.LCB_id_doc->count() - 1);
            wheel(e.quantityEdit, 120);
            QCOMPARE(e.LCB_id_doc->currentIndex(), index - 1);
            QCOMPARE(e.v_mnf_requisition.recNo(), index);
            QCOMPARE(e.LCB_id_doc_item->count(), 1);  // the lines follow the requisition shown (Т-2)
            wheel(&e, -120);  // over the window itself
            QCOMPARE(e.LCB_id_doc->currentIndex(), index);
            QCOMPARE(e.LCB_id_doc_item->count(), 2);  // the lines follow the requisition shown

            e.quantityEdit->setFocus();
            wheel(e.LCB_id_doc, -120);
            QCOMPARE(e.LCB_id_doc->currentIndex(), index);
            e.exitButton->click();
        });
    }
};

TABEL_TEST_MAIN(EditorTest)
#include "test_editor.moc"
