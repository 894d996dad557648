// The crew of a new shift record, driven through the real editor and the
// worker list against a fresh database: adding and removing crew members,
// "Сохранить" sharing the record in the database and closing the editor,
// the failures, and which of the lower areas each mode unlocks.

#include <QSignalSpy>

#include "crewdriver.h"
#include "support/messagerecorder.h"
#include "support/testmain.h"
#include "ui/datasetgrid.h"

using crewtest::press;
using editor::ShiftRecordEditor;

namespace {

const QString kCannotSave = QStringLiteral("Невозможно сохранить данные в БД!");

}  // namespace

class CrewTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<crewtest::CrewDriver> d_;

    void addMember(ShiftRecordEditor& e, const QString& name) { d_->pickWorker(e.crewAddButton, name); }

    int count(const QString& statement) { return d_->scalar(statement).toInt(); }
    int crewRows(int record)
    {
        return count(QStringLiteral("select count(*) from accounts_dep.person_temp where id_smena = %1").arg(record));
    }
    // The records of the fixture's day other than the fixture's own: "worker:pieces:rejects:hours".
    QString newRecords()
    {
        return d_->scalar(QStringLiteral("select coalesce(string_agg(concat_ws(':', w_id, kol_vo, brak, time), ' ' "
                                         "order by w_id), '') from accounts_dep.smena where data = '2021-03-05' "
                                         "and id not in (%1, %2)")
                              .arg(crewtest::kRecord)
                              .arg(crewtest::kAccepted))
            .toString();
    }
    int calls() { return count(QStringLiteral("select count(*) from public.divide_calls")); }

private slots:
    void initTestCase()
    {
        d_ = std::make_unique<crewtest::CrewDriver>(QStringLiteral("crew"));
        // Every call of the division is written down (unless the call itself fails).
        d_->db->exec(QStringLiteral(
            "create table public.divide_calls (id_smena bigint);"
            "alter function accounts_dep.divide_between_person(bigint) rename to divide_between_person_itself;"
            "create function accounts_dep.divide_between_person(p_id_smena bigint) returns integer "
            "language plpgsql as $$ begin insert into public.divide_calls values (p_id_smena); "
            "return accounts_dep.divide_between_person_itself(p_id_smena); end $$"));
        // Faults on call: a crew member who cannot be stored, one whose share cannot be inserted.
        d_->db->exec(QStringLiteral("insert into cmn_contractor.person (id, s_code, s_caption, b_employee) values "
                                    "(995098, '995098', 'Неделимов Д.Д.', true), (995099, '995099', 'Отказов Г.Г.', true)"));
        d_->db->exec(QStringLiteral(
            "create function public.refuse() returns trigger language plpgsql as $$ begin "
            "raise exception 'refused by the test'; end $$;"
            "create trigger refuse_member before insert on accounts_dep.person_temp for each row "
            "when (new.id_person = 995099) execute function public.refuse();"
            "create trigger refuse_record before insert on accounts_dep.smena for each row "
            "when (new.w_id = 995098) execute function public.refuse()"));
    }
    void init()
    {
        d_->script.reset();  // the old script lets go of the dialogs before the new one takes them
        d_->script = std::make_unique<testing::DialogScript>();
        d_->db->exec(QStringLiteral("delete from accounts_dep.smena where data = '2021-03-05' and id not in (%1, %2);"
                                    "delete from accounts_dep.h_tabel; delete from public.divide_calls")
                         .arg(crewtest::kRecord)
                         .arg(crewtest::kAccepted));
        d_->reloadJournal();
    }
    void cleanup() { QCOMPARE(d_->script->pending(), 0); }
    void cleanupTestCase() { d_.reset(); }

    void theSameMemberTwiceGivesTwoRows()
    {
        int record = 0;
        d_->inNewSavedRecord([&](ShiftRecordEditor& e) {
            record = e.values().recordId;
            QCOMPARE(e.fio_smena_gds.recordCount(), 0);
            addMember(e, QStringLiteral("Помощников"));
            addMember(e, QStringLiteral("Помощников"));
            QCOMPARE(e.fio_smena_gds.recordCount(), 2);
            QCOMPARE(e.crewGrid->datasetModel()->cellText(1, 0), QStringLiteral("Помощников Б.Б."));
            // The record's own fields are not touched: "ФИО" is emptied, nothing else.
            QVERIFY(e.workerEdit->text().isEmpty());
            e.exitButton->click();
        });
        QCOMPARE(crewRows(record), 2);
        QCOMPARE(calls(), 0);  // "Выход" keeps the crew rows and divides nothing
    }

    void aWorkerListLeftWithoutChoosingAddsNobody()
    {
        d_->inNewSavedRecord([&](ShiftRecordEditor& e) {
            d_->script->on<reference::WorkerList>(QStringLiteral("Form5"), [](reference::WorkerList& w) {
                w.exitButton->click();
            });
            press(e.crewAddButton);
            QCOMPARE(e.fio_smena_gds.recordCount(), 0);
            QCOMPARE(crewRows(e.values().recordId), 0);
            e.exitButton->click();
        });
    }

    void removingTakesTheSelectedMember()
    {
        testing::MessageRecorder messages;
        d_->inNewSavedRecord([&](ShiftRecordEditor& e) {
            press(e.crewDeleteButton);  // an empty crew: nothing happens
            addMember(e, QStringLiteral("Помощников"));
            addMember(e, QStringLiteral("Третьякова"));
            e.crewGrid->selectRow(0);
            const QString removed = e.fio_smena_gds.text(QStringLiteral("s_caption"));
            press(e.crewDeleteButton);
            QCOMPARE(e.fio_smena_gds.recordCount(), 1);
            QVERIFY(e.fio_smena_gds.text(QStringLiteral("s_caption")) != removed);
            QCOMPARE(crewRows(e.values().recordId), 1);
            // The materials are not touched by the crew's "Удалить".
            d_->db->exec(QStringLiteral("insert into accounts_dep.smena_gds_use (id_smena, id_gds_use, f_qty_use) "
                                        "values (%1, %2, 1)")
                             .arg(e.values().recordId)
                             .arg(crewtest::kWire));
            press(e.crewDeleteButton);
            QCOMPARE(e.fio_smena_gds.recordCount(), 0);
            QCOMPARE(count(QStringLiteral("select count(*) from accounts_dep.smena_gds_use where id_smena = %1")
                               .arg(e.values().recordId)),
                     1);
            e.exitButton->click();
        });
        QCOMPARE(messages.count(), 0);
    }

    void savingAnEmptyCrewStillDividesAndCloses()
    {
        int record = 0;
        d_->inNewSavedRecord([&](ShiftRecordEditor& e) {
            record = e.values().recordId;
            QSignalSpy finished(&e, &QDialog::finished);
            press(e.crewSaveButton);
            QCOMPARE(finished.count(), 1);
        });
        QCOMPARE(calls(), 1);
        QCOMPARE(newRecords(), QStringLiteral("995001:10:1:8"));
        QCOMPARE(count(QStringLiteral("select count(*) from public.divide_calls where id_smena = %1").arg(record)), 1);
    }

    void theSharesAppearInTheJournal()
    {
        testing::MessageRecorder messages;
        d_->inNewSavedRecord([&](ShiftRecordEditor& e) {
            addMember(e, QStringLiteral("Помощников"));
            addMember(e, QStringLiteral("Третьякова"));
            addMember(e, QStringLiteral("Помощников"));  // counted once
            press(e.crewSaveButton);
        });
        QCOMPARE(messages.count(), 0);
        // 10 pieces and 1 reject among three: the worker 4 and 1, the others 3 and 0; each worked the shift.
        QCOMPARE(newRecords(), QStringLiteral("995001:4:1:8 995002:3:0:8 995003:3:0:8"));
        // The journal was re-read after the editor closed.
        data::Dataset& shift = d_->shift();
        QString seen;
        for (shift.first(); !shift.eof(); shift.next())
            if (shift.integer(QStringLiteral("id")) != crewtest::kRecord
                && shift.integer(QStringLiteral("id")) != crewtest::kAccepted)
                seen += QStringLiteral("%1 %2 %3; ").arg(shift.text(QStringLiteral("fio")), shift.text(QStringLiteral("kol_vo")),
                                                          shift.text(QStringLiteral("brak")));
        QCOMPARE(seen, QStringLiteral("Бригадиров А.А. 4 1; Помощников Б.Б. 3 0; Третьякова В.В. 3 0; "));
        // The crew's day cells hold their hours.
        QCOMPARE(count(QStringLiteral("select count(*) from accounts_dep.h_tabel where w_id in (995002, 995003) "
                                      "and smena = 1 and month = 3 and year = 2021 and d5 = 8")),
                 2);
    }

    void aMemberWhoCannotBeStoredIsReported()
    {
        testing::MessageRecorder messages;
        d_->inNewSavedRecord([&](ShiftRecordEditor& e) {
            addMember(e, QStringLiteral("Помощников"));
            addMember(e, QStringLiteral("Отказов"));
            QCOMPARE(messages.texts(), QStringList{kCannotSave});
            QCOMPARE(messages.messages().first().caption, QStringLiteral("Ошибка"));
            QCOMPARE(e.fio_smena_gds.recordCount(), 1);  // the list is open again
            QVERIFY(e.isEnabled());
            e.exitButton->click();
        });
    }

    void aFailedDivisionIsReportedClosesAndLeavesNoHalfSplit()
    {
        testing::MessageRecorder messages;
        int record = 0;
        d_->inNewSavedRecord([&](ShiftRecordEditor& e) {
            record = e.values().recordId;
            addMember(e, QStringLiteral("Помощников"));
            addMember(e, QStringLiteral("Неделимов"));  // his share cannot be inserted
            QSignalSpy finished(&e, &QDialog::finished);
            press(e.crewSaveButton);
            QCOMPARE(messages.texts(), QStringList{kCannotSave});
            QCOMPARE(finished.count(), 1);
        });
        // Nothing of the division remains: the record whole, no share of Помощников, the crew still listed.
        QCOMPARE(newRecords(), QStringLiteral("995001:10:1:8"));
        QCOMPARE(crewRows(record), 2);
        QCOMPARE(count(QStringLiteral("select count(*) from accounts_dep.h_tabel where w_id = 995002")), 0);
    }

    void eachModeUnlocksItsAreas()
    {
        const QList<QWidget*> materials{d_->editor().materialsGrid, d_->editor().materialAddButton,
                                        d_->editor().materialDeleteButton};
        const QList<QWidget*> crew{d_->editor().crewGrid, d_->editor().crewAddButton, d_->editor().crewDeleteButton,
                                   d_->editor().crewSaveButton};
        auto check = [](const QList<QWidget*>& widgets, bool enabled) {
            for (QWidget* w : widgets)
                QVERIFY2(w->isEnabled() == enabled, qPrintable(w->objectName()));
        };
        d_->script->on<ShiftRecordEditor>(QStringLiteral("Form11"), [&](ShiftRecordEditor& e) {
            check(materials, false);
            check(crew, false);
            e.exitButton->click();
        });
        d_->journal->addButton->click();
        auto addAndSave = [&] {
            d_->inNewSavedRecord([&](ShiftRecordEditor& e) {
                check(materials, true);
                check(crew, true);
                e.exitButton->click();
            });
        };
        // Each of the other openings right after a saved addition, which unlocked both areas.
        addAndSave();
        QVERIFY(d_->shift().locate(QStringLiteral("id"), crewtest::kRecord));
        d_->script->on<ShiftRecordEditor>(QStringLiteral("Form11"), [&](ShiftRecordEditor& e) {
            check(materials, false);
            check(crew, false);
            e.exitButton->click();
        });
        d_->editor().openForViewing();
        addAndSave();
        d_->inEditedRecord(crewtest::kRecord, [&](ShiftRecordEditor& e) {
            check(materials, true);
            check(crew, false);
            QVERIFY(!e.fio_smena_gds.isOpen());
            e.exitButton->click();
        });
    }
};

TABEL_TEST_MAIN(CrewTest)
#include "test_crew.moc"
