// "Запись" in the shift record editor and the journal's "Удалить", "Принять"
// and double-click, driven through the real windows against a fresh
// database: what reaches accounts_dep.smena, the time sheet day cell, the
// journal's cursor, and what a failure leaves behind.

#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "data/statement.h"
#include "records/shiftrecordstore.h"
#include "editordriver.h"
#include "support/messagerecorder.h"
#include "support/timesheetrows.h"
#include "support/testmain.h"
#include "ui/datasetgrid.h"

using editor::ShiftRecordEditor;
using testing::choose;
using testing::clickByEvent;
using testing::typeText;

namespace {

void retype(QLineEdit* field, const QString& text)
{
    field->clear();
    typeText(field, text);
}

}  // namespace

class SavingTest : public testing::EditorTestBase {
    Q_OBJECT
private:
    int cell(int worker, int shift, int day)
    {
        return testing::storedCell(*db_, worker, shift, QDate(2021, 3, day)).toInt();
    }
    int count(const QString& where)
    {
        // the fixture's own records do not count
        return db_
            ->scalar(QStringLiteral("select count(*) from accounts_dep.smena where id not in (990101, 990102, "
                                    "990103) and ") +
                     where)
            .toInt();
    }

    // Fills a new record of "Тестов А.А." for operation 9301 (ТЕСТ-1, price 10).
    void fillNewRecord(ShiftRecordEditor& e, const QString& line, const QString& quantity, const QString& hours)
    {
        choose(e.LCB_id_doc, line.startsWith(QStringLiteral("Т-2")) ? QStringLiteral("Заявка № Т-2")
                                                                    : QStringLiteral("Заявка № Т-1"));
        choose(e.LCB_id_doc_item, line.mid(4));
        pickWorker(e, QStringLiteral("Тестов А"));
        pickOperation(e, 9301);
        retype(e.quantityEdit, quantity);
        retype(e.hoursEdit, hours);
    }

private slots:
    void initTestCase()
    {
        setUpJournal(QStringLiteral("saving"));
        // Т-2 gets a line of 100 pieces and one without a requirement, both of ТЕСТ-1.
        db_->exec(
            QStringLiteral("insert into mnf_doc.doc_item (id, id_doc, n_pos, id_gds, f_qty) values "
                           "(3910000004, 3900000002, 2, 9200001, 100), "
                           "(3910000005, 3900000002, 3, 9200001, 0)"));
    }
    void init()
    {
        script_ = std::make_unique<testing::DialogScript>();
        db_->exec(QStringLiteral("delete from accounts_dep.smena where id not in (990101, 990102, 990103)"));
        db_->exec(QStringLiteral("delete from accounts_dep.h_tabel where year=2021"));
        testing::restoreFixtureRecords(*db_);
        journal_->refresh();
        setDay(false, 2);
        shift().first();
    }
    void cleanup() { script_.reset(); }
    void cleanupTestCase() { tearDownJournal(); }

    void newRecordsAddUpInTheDayCell()
    {
        inNewRecord([this](ShiftRecordEditor& e) {
            fillNewRecord(e, QStringLiteral("Т-1 1. "), QStringLiteral("2,5"), QStringLiteral("4"));
            e.saveButton->click();
            QVERIFY(e.values().recordId > 0);
            QCOMPARE(e.recordNumberLabel->text(), QString::number(e.values().recordId));
            // filled in: from now on only crew and materials
            QVERIFY(!e.groupBox->isEnabled() && !e.saveButton->isEnabled());
            QVERIFY(e.crewSaveButton->isEnabled() && e.crewAddButton->isEnabled() && e.materialAddButton->isEnabled());
            // the journal shows the new record as its current row
            QCOMPARE(shift().integer(QStringLiteral("id")), e.values().recordId);
            e.exitButton->click();
        });
        QCOMPARE(cell(990001, 2, 5), 4);
        QCOMPARE(
            db_->scalar("select d1+d2+d3+d4+d6+d31 from accounts_dep.h_tabel where w_id=990001 and smena=2").toInt(),
            0);
        inNewRecord([this](ShiftRecordEditor& e) {
            fillNewRecord(e, QStringLiteral("Т-1 1. "), QStringLiteral("1"), QStringLiteral("3"));
            e.saveButton->click();
            e.exitButton->click();
        });
        QCOMPARE(cell(990001, 2, 5), 7);
        QCOMPARE(db_->scalar("select count(*) from accounts_dep.h_tabel where w_id=990001").toInt(), 1);
        QCOMPARE(shift().recordCount(), 2);
        // 2,5 pieces at 10 went out as numbers with a point
        QCOMPARE(count("w_id=990001 and smena=2 and kol_vo=2.5 and cena=10 and ok='no' and brak=0 and "
                       "id_doc=3900000001 and id_doc_item=3910000001"),
                 1);
    }

    void requirementOfTheLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<bool>("saved");
        QTest::newRow("100 of 100") << "Т-2 2. "
                                    << "100" << true;
        QTest::newRow("100,5 of 100") << "Т-2 2. "
                                      << "100,5" << false;
        QTest::newRow("no requirement") << "Т-2 3. "
                                        << "100000" << true;
        QTest::newRow("zero pieces") << "Т-2 2. "
                                     << "0" << true;
    }
    void requirementOfTheLine()
    {
        QFETCH(QString, line);
        QFETCH(QString, quantity);
        QFETCH(bool, saved);
        testing::MessageRecorder messages;
        inNewRecord([&](ShiftRecordEditor& e) {
            fillNewRecord(e, line, quantity, QStringLiteral("8"));
            e.saveButton->click();
            QCOMPARE(e.values().recordId > 0, saved);
            e.exitButton->click();
        });
        QCOMPARE(count("w_id=990001"), saved ? 1 : 0);
        QCOMPARE(messages.texts(),
                 saved ? QStringList() : QStringList{"Количество изделий не может быть больше требуемого!"});
        QCOMPARE(db_->scalar("select count(*) from accounts_dep.h_tabel where w_id=990001").toInt(), saved ? 1 : 0);
    }

    void refusedInputWritesNothing_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("hours");
        QTest::addColumn<bool>("noWorker");
        QTest::addColumn<QString>("message");
        QTest::newRow("no worker") << "1"
                                   << "8" << true << "Все поля должны быть заполнены!";
        QTest::newRow("no hours") << "1"
                                  << "" << false << "Все поля должны быть заполнены!";
        QTest::newRow("comma alone") << ","
                                     << "8" << false << "«,» не является правильным числом";
        QTest::newRow("two commas") << "1,2,3"
                                    << "8" << false << "«1,2,3» не является правильным числом";
        QTest::newRow("hours past 32 bits")
            << "1"
            << "99999999999" << false << "«99999999999» не является правильным целым числом";
    }
    void refusedInputWritesNothing()
    {
        QFETCH(QString, quantity);
        QFETCH(QString, hours);
        QFETCH(bool, noWorker);
        QFETCH(QString, message);
        testing::MessageRecorder messages;
        inNewRecord([&](ShiftRecordEditor& e) {
            fillNewRecord(e, QStringLiteral("Т-1 1. "), quantity, hours);
            if (noWorker)
                e.workerEdit->clear();
            clickByEvent(e.saveButton);  // as a user's click: errors go to the standard error box
            QCOMPARE(e.values().recordId, 0);
            QCOMPARE(e.quantityEdit->text(), quantity);  // what was typed stays
            QVERIFY(e.saveButton->isEnabled());
            e.exitButton->click();
        });
        QCOMPARE(messages.texts(), QStringList{message});
        QCOMPARE(count("w_id=990001"), 0);
    }

    void aBadNumberIsReportedOnceWhenSaveIsClicked_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QString>("message");
        QTest::newRow("quantity") << "1,2,3"
                                  << "8" << "«1,2,3» не является правильным числом";
        QTest::newRow("hours") << "1"
                               << "99999999999" << "«99999999999» не является правильным целым числом";
    }
    void aBadNumberIsReportedOnceWhenSaveIsClicked()
    {
        // Clicking "Запись" leaves the field first: one message for one click, from the save.
        QFETCH(QString, quantity);
        QFETCH(QString, hours);
        QFETCH(QString, message);
        testing::MessageRecorder messages;
        inNewRecord([&](ShiftRecordEditor& e) {
            fillNewRecord(e, QStringLiteral("Т-1 1. "), quantity, hours);
            e.show();
            QApplication::setActiveWindow(&e);  // the offscreen platform keeps the closed list's window active
            QVERIFY(QTest::qWaitForWindowActive(&e));
            for (QLineEdit* field : {e.quantityEdit, e.hoursEdit}) {
                field->setFocus();
                QTest::mouseClick(e.saveButton, Qt::LeftButton);
            }
            QCOMPARE(e.values().recordId, 0);
            QCOMPARE(messages.count(), 2);
            // leaving the field for another one still reports it at once
            e.quantityEdit->setFocus();
            QTest::keyClick(e.quantityEdit, Qt::Key_Tab);
            QCOMPARE(messages.count(), 3);
            // pressed on "Запись" and released beside it: no save, so leaving the field reports it
            QLineEdit* bad = quantity == QLatin1String("1") ? e.hoursEdit : e.quantityEdit;
            bad->setFocus();
            const int before = messages.count();
            QTest::mousePress(e.saveButton, Qt::LeftButton);
            QCOMPARE(messages.count(), before);
            QTest::mouseRelease(e.saveButton, Qt::LeftButton, {}, QPoint(-5, -5));
            QTRY_COMPARE(messages.count(), before + 1);
            QCOMPARE(e.values().recordId, 0);
            e.exitButton->click();
        });
        QVERIFY(!messages.texts().isEmpty());
        QCOMPARE(messages.texts(), QStringList(messages.count(), message));
        QCOMPARE(count("w_id=990001"), 0);
    }

    void changingARecordKeepsOkAndResetsTheRest()
    {
        setDay(false, 1);
        db_->exec("update accounts_dep.smena set ok='да', prize=5, color=3, vvod='2020-01-01' where id=990103");
        journal_->refresh();
        goToRecord(990103);
        const int row = shift().recNo();
        inEditor(journal_->editButton, [](ShiftRecordEditor& e) {
            QCOMPARE(e.mode(), editor::Mode::Edit);
            retype(e.hoursEdit, QStringLiteral("5"));
            e.saveButton->click();
            e.saveButton->click();  // pressed again: the same record once more
            QVERIFY(e.saveButton->isEnabled() && e.groupBox->isEnabled());
            e.exitButton->click();
        });
        QCOMPARE(db_->scalar("select ok || '/' || prize::integer || '/' || color || '/' || time || '/' || "
                             "to_char(vvod, 'DD.MM.YYYY') from accounts_dep.smena where id=990103")
                     .toString(),
                 QStringLiteral("да/0/0/5/") + state().today().toString(QStringLiteral("dd.MM.yyyy")));
        QCOMPARE(cell(990003, 1, 5), 5);
        QCOMPARE(shift().recNo(), row);
        QCOMPARE(db_->scalar("select count(*) from accounts_dep.smena where id=990103").toInt(), 1);
    }

    void movingARecordToAnotherDayMovesItsHours()
    {
        setDay(false, 1);
        goToRecord(990103);
        inEditor(journal_->editButton, [](ShiftRecordEditor& e) {
            retype(e.hoursEdit, QStringLiteral("7"));
            e.saveButton->click();  // 7 hours counted on the 5th
            e.dateEdit->setDate(QDate(2021, 3, 9));
            e.saveButton->click();
            e.exitButton->click();
        });
        QCOMPARE(cell(990003, 1, 5), 0);
        QCOMPARE(cell(990003, 1, 9), 7);
    }

    void aRecordOfAnotherDateLeavesTheJournalCursor()
    {
        setDay(false, 1);
        journal_->refresh();
        shift().setRecNo(2);
        const int id = shift().integer(QStringLiteral("id"));
        inNewRecord([this, id](ShiftRecordEditor& e) {
            e.dateEdit->setDate(QDate(2021, 3, 6));
            choose(e.LCB_id_doc, QStringLiteral("Заявка № Т-1"));
            choose(e.LCB_id_doc_item, QStringLiteral("1. "));
            e.workerEdit->setText(QStringLiteral("x"));
            e.values().workerCode = 990001;
            e.operationEdit->setText(QStringLiteral("x"));
            e.values().operationId = 9301;
            e.values().productId = 9100001;
            retype(e.quantityEdit, QStringLiteral("1"));
            retype(e.hoursEdit, QStringLiteral("2"));
            e.saveButton->click();
            QVERIFY(e.values().recordId > 0);
            QCOMPARE(e.recordNumberLabel->text(), QString::number(e.values().recordId));
            // the journal does not list it, and its cursor stays where it was
            QVERIFY(!shift().locate(QStringLiteral("id"), e.values().recordId));
            QCOMPARE(shift().recNo(), 2);
            QCOMPARE(shift().integer(QStringLiteral("id")), id);
            e.exitButton->click();
        });
        QCOMPARE(count("data='2021-03-06'"), 1);
    }

    void aFailingTimeSheetStepLeavesNothingHalfWritten()
    {
        db_->exec(
            "create function fail_h_tabel() returns trigger language plpgsql as $$ begin raise exception "
            "'time sheet closed for the test'; end $$");
        db_->exec(
            "create trigger fail_h_tabel before insert or update on accounts_dep.h_tabel for each row "
            "execute function fail_h_tabel()");
        testing::MessageRecorder messages;
        inNewRecord([this, &messages](ShiftRecordEditor& e) {
            fillNewRecord(e, QStringLiteral("Т-1 1. "), QStringLiteral("1"), QStringLiteral("3"));
            clickByEvent(e.saveButton);
            QCOMPARE(messages.count(), 1);
            QVERIFY2(messages.lastText().contains("time sheet closed for the test"), qPrintable(messages.lastText()));
            QCOMPARE(e.values().recordId, 0);
            QCOMPARE(count("w_id=990001"), 0);
            QVERIFY(e.groupBox->isEnabled() && e.saveButton->isEnabled());
            db_->exec("drop trigger fail_h_tabel on accounts_dep.h_tabel");
            clickByEvent(e.saveButton);  // the cause is gone: the next "Запись" works
            QVERIFY(e.values().recordId > 0);
            e.exitButton->click();
        });
        db_->exec("drop function fail_h_tabel()");
        QCOMPARE(count("w_id=990001"), 1);
        QCOMPARE(cell(990001, 2, 5), 3);
    }

    void aLostConnectionIsOpenedAgainByTheNextAction()
    {
        setDay(false, 2);
        const int records = shift().recordCount();
        testing::MessageRecorder messages;
        const auto endProgramSession = [this] { db_->endSession(dm().scalar("select pg_backend_pid()").toInt()); };
        endProgramSession();
        clickByEvent(journal_->refreshButton);  // reads: read again on a new connection
        QCOMPARE(messages.count(), 0);
        QVERIFY(shift().isOpen());
        QCOMPARE(shift().recordCount(), records);
        inNewRecord([&](ShiftRecordEditor& e) {
            fillNewRecord(e, QStringLiteral("Т-1 1. "), QStringLiteral("1"), QStringLiteral("3"));
            endProgramSession();  // the server restarts while the record is being filled in
            clickByEvent(e.saveButton);
            // the save that met it is reported and not repeated behind the user's back
            QCOMPARE(messages.count(), 1);
            QVERIFY2(messages.lastText().contains(data::lostConnectionNote(true)), qPrintable(messages.lastText()));
            QCOMPARE(e.values().recordId, 0);
            QCOMPARE(count("w_id=990001"), 0);
            clickByEvent(e.saveButton);  // the next "Запись" works
            QCOMPARE(messages.count(), 1);
            QVERIFY(e.values().recordId > 0);
            e.exitButton->click();
        });
        QCOMPARE(count("w_id=990001"), 1);
        QCOMPARE(cell(990001, 2, 5), 3);
        QCOMPARE(shift().recordCount(), records + 1);
    }

    void aSaveFoldsADuplicateRowOfTheMonth()
    {
        // Two rows of the worker's month, as a plant's database without the
        // unique key may hold: the save leaves one, computed from the records.
        const testing::SheetKeyDropped noKey(*db_);
        db_->exec("insert into accounts_dep.h_tabel(w_id, smena, month, year, d5, d9) values "
                  "(990001, 2, 3, 2021, 4, 6), (990001, 2, 3, 2021, 4, 0)");
        inNewRecord([this](ShiftRecordEditor& e) {
            fillNewRecord(e, QStringLiteral("Т-1 1. "), QStringLiteral("1"), QStringLiteral("3"));
            e.saveButton->click();
            QVERIFY(e.values().recordId > 0);
            e.exitButton->click();
        });
        QCOMPARE(db_->scalar("select count(*) from accounts_dep.h_tabel where w_id=990001 and smena=2").toInt(), 1);
        QCOMPARE(cell(990001, 2, 5), 3);
        QCOMPARE(cell(990001, 2, 9), 0);  // no record on the 9th
    }

    void anotherWorkstationsAcceptanceOrDeletionIsNotOverwritten_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QString>("after");
        QTest::newRow("accepted") << "update accounts_dep.smena set ok='ok' where id=990103"
                                  << "990003/ok/7/3";
        QTest::newRow("deleted") << "delete from accounts_dep.smena where id=990103" << "";
    }
    void anotherWorkstationsAcceptanceOrDeletionIsNotOverwritten()
    {
        QFETCH(QString, meanwhile);
        QFETCH(QString, after);
        const auto stored = [this] {
            return db_->scalar("select w_id || '/' || trim(ok) || '/' || time || '/' || kol_vo from "
                               "accounts_dep.smena where id=990103")
                .toString();
        };
        const auto listed = [this] { return shift().locate(QStringLiteral("id"), 990103); };
        db_->exec("insert into accounts_dep.h_tabel(w_id, smena, month, year, d5) values (990003, 1, 3, 2021, 7)");
        testing::MessageRecorder messages;

        // a change: the editor was opened on the journal's copy, "no"
        setDay(false, 1);
        goToRecord(990103);
        inEditor(journal_->editButton, [&](ShiftRecordEditor& e) {
            db_->exec(meanwhile);  // on another workstation, while the editor is open
            retype(e.hoursEdit, QStringLiteral("2"));
            clickByEvent(e.saveButton);
            QCOMPARE(messages.texts(), QStringList{records::staleRecordText()});
            QCOMPARE(messages.messages().first().caption, QStringLiteral("Ошибка"));
            e.exitButton->click();
        });
        QCOMPARE(stored(), after);
        QCOMPARE(cell(990003, 1, 5), 7);
        // the journal was read again: the record is accepted there, or gone
        if (after.isEmpty())
            QVERIFY(!listed());
        else
            QVERIFY(listed() && shift().text(QStringLiteral("ok")) == QLatin1String("ok"));

        // a deletion from a journal that still shows the record as it was
        testing::restoreFixtureRecords(*db_);
        journal_->refresh();
        goToRecord(990103);
        db_->exec(meanwhile);
        messages.clear();
        clickByEvent(journal_->deleteButton);
        QCOMPARE(messages.texts(), QStringList({QStringLiteral("Удалить позицию из списка?"), records::staleRecordText()}));
        QCOMPARE(stored(), after);
        QCOMPARE(cell(990003, 1, 5), 7);
        QCOMPARE(listed(), !after.isEmpty());
        testing::restoreFixtureRecords(*db_);
        journal_->refresh();
    }

    void deleteButtonAsksAndSetsTheCell()
    {
        setDay(false, 1);
        db_->exec("insert into accounts_dep.h_tabel(w_id, smena, month, year, d5) values (990002, 1, 3, 2021, 6)");
        journal_->refresh();
        goToRecord(990102);
        testing::MessageRecorder messages;
        journal_->deleteButton->click();
        QCOMPARE(messages.texts(), QStringList{"Удалить позицию из списка?"});
        QCOMPARE(messages.messages().first().caption, QStringLiteral("Удаление"));
        QCOMPARE(db_->scalar("select count(*) from accounts_dep.smena where id=990102").toInt(), 0);
        QCOMPARE(cell(990002, 1, 5), 0);
        // an accepted record is refused without a word
        goToRecord(990101);
        journal_->deleteButton->click();
        QCOMPARE(messages.count(), 1);
        QCOMPARE(db_->scalar("select count(*) from accounts_dep.smena where id=990101").toInt(), 1);
        // "No" keeps the record
        goToRecord(990103);
        messages.answer(QMessageBox::No);
        journal_->deleteButton->click();
        QCOMPARE(messages.count(), 2);
        QCOMPARE(db_->scalar("select count(*) from accounts_dep.smena where id=990103").toInt(), 1);
    }

    void doubleClickAcceptsForTimekeepersAndShowsForOthers()
    {
        setDay(false, 1);
        journal_->refresh();
        db_->exec(
            "insert into accounts_dep.smena_gds_use (id_smena, id_gds_use, f_qty_use) values (990103, 9200004, "
            "1)");
        goToRecord(990103);
        const QModelIndex index = journal_->DBGrid2->model()->index(shift().recNo() - 1, 0);
        testing::MessageRecorder messages;

        state().setUserLogin(QStringLiteral("sys"));
        emit journal_->DBGrid2->doubleClicked(index);
        QCOMPARE(script_->shown(), QStringList{"Form11"});
        QCOMPARE(editor().mode(), editor::Mode::View);
        QCOMPARE(db_->scalar("select count(*) from accounts_dep.smena where id=990103 and ok<>'ok'").toInt(), 1);

        state().setUserLogin(QStringLiteral("clerkb"));
        emit journal_->DBGrid2->doubleClicked(index);
        QCOMPARE(script_->shown().size(), 1);  // no window this time
        QCOMPARE(db_->scalar("select count(*) from accounts_dep.smena where id=990103 and ok='ok'").toInt(), 1);
        QCOMPARE(shift().integer(QStringLiteral("id")), 990103);
        QCOMPARE(messages.count(), 0);
    }

    void acceptButtonNeedsMaterials()
    {
        setDay(false, 1);
        journal_->refresh();
        goToRecord(990103);
        testing::MessageRecorder messages;
        journal_->acceptButton->click();
        QCOMPARE(messages.texts(), QStringList{"Не заведен расход ТМЦ!"});
        QCOMPARE(messages.messages().first().caption, QStringLiteral("Ошибка"));
        QCOMPARE(db_->scalar("select count(*) from accounts_dep.smena where id=990103 and ok='no'").toInt(), 1);
        // an accepted record is refused without a word
        goToRecord(990101);
        journal_->acceptButton->click();
        QCOMPARE(messages.count(), 1);
    }
};

TABEL_TEST_MAIN(SavingTest)
#include "test_saving.moc"
