// Deleting and accepting journal records against the real server: the
// question asked of the caller, the silent refusals, the day cell set to the
// remaining hours, the materials check and the reload that keeps sort and
// row number.

#include <QTest>

#include "data/datamodule.h"
#include "records/crew.h"
#include "records/recordactions.h"
#include "records/shiftrecordstore.h"
#include "support/testdatabase.h"
#include "support/testmain.h"
#include "support/timesheetrows.h"

namespace {

const QDate kDate(2021, 3, 5);

// The caller's side of the question before a deletion.
struct Question {
    bool answer = true;
    int asked = 0;
    std::function<bool()> confirm()
    {
        return [this] {
            ++asked;
            return answer;
        };
    }
};

}  // namespace

class RecordActionsTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<testing::TestDatabase> db_;
    std::unique_ptr<data::DataModule> dm_;
    int worker_ = 0, worker2_ = 0, product_ = 0, operation_ = 0;

    int addRecord(int worker, int hours, const QString& ok, double quantity = 1)
    {
        return db_
            ->scalar(QStringLiteral("insert into accounts_dep.smena(w_id, i_id, o_id, cena, kol_vo, brak, data, smena, "
                                    "color, time, vvod, ok, prize, id_doc, id_doc_item, f_gds_qty_use, id_gds_use, "
                                    "id_cons_use) values(%1, %2, %3, 10, %4, 0, '2021-03-05', 2, 0, %5, now(), '%6', "
                                    "0, 0, 0, 0, 0, 0) returning id")
                         .arg(worker)
                         .arg(product_)
                         .arg(operation_)
                         .arg(quantity)
                         .arg(hours)
                         .arg(ok))
            .toInt();
    }
    void setCell(int worker, int day, int hours)
    {
        // written without the table's unique key, which a plant's database may lack
        const QString key = QStringLiteral(" where w_id=%1 and smena=2 and month=3 and year=2021").arg(worker);
        db_->exec(QStringLiteral("update accounts_dep.h_tabel set d%1=%2").arg(day).arg(hours) + key);
        db_->exec(QStringLiteral("insert into accounts_dep.h_tabel(w_id, smena, month, year, d%1) select %2, 2, 3, "
                                 "2021, %3 where not exists (select 1 from accounts_dep.h_tabel")
                      .arg(day)
                      .arg(worker)
                      .arg(hours) +
                  key + QStringLiteral(")"));
    }
    int cell(int worker, int day) { return testing::storedCell(*db_, worker, 2, QDate(2021, 3, day)).toInt(); }
    qint64 material() { return db_->scalar("select min(id_gds) from stk_remainder.remainder").toLongLong(); }
    // The quantity of materials the record has used (0 for none).
    double materialsOf(int record)
    {
        return db_
            ->scalar(QStringLiteral("select coalesce(sum(f_qty_use), 0) from accounts_dep.smena_gds_use where "
                                    "id_smena=%1")
                         .arg(record))
            .toDouble();
    }
    void addMaterial(int record)
    {
        db_->exec(QStringLiteral("insert into accounts_dep.smena_gds_use(id_smena, id_gds_use, f_qty_use) values(%1, "
                                 "%2, 1)")
                      .arg(record)
                      .arg(material()));
    }
    data::Dataset& openShift()
    {
        auto& s = dm_->Smena2;
        s.close();
        s.setParam("data", QDateTime(kDate, QTime(0, 0)));
        s.setParam("ok", "ta");
        s.open();
        return s;
    }
    int records() { return db_->scalar("select count(*) from accounts_dep.smena where data='2021-03-05'").toInt(); }

private slots:
    void initTestCase()
    {
        db_ = std::make_unique<testing::TestDatabase>("recordactions");
        dm_ = std::make_unique<data::DataModule>(db_->connectionString());
        worker_ = db_->scalar(
                         "select s_code::int from cmn_contractor.person where b_employee order by s_code::int "
                         "limit 1")
                      .toInt();
        worker2_ = db_->scalar(
                          "select s_code::int from cmn_contractor.person where b_employee order by s_code::int "
                          "offset 1 limit 1")
                       .toInt();
        operation_ = db_->scalar("select min(id) from accounts_dep.oper").toInt();
        product_ =
            db_->scalar(QStringLiteral("select i_id from accounts_dep.oper where id=%1").arg(operation_)).toInt();
        QVERIFY(worker_ > 0 && worker2_ > 0 && operation_ > 0);
    }
    void cleanupTestCase()
    {
        dm_.reset();
        db_.reset();
    }
    void init()
    {
        db_->exec("delete from accounts_dep.smena where data='2021-03-05'");
        db_->exec("delete from accounts_dep.h_tabel where year=2021");
    }

    void deletingOneOfTwoLeavesTheOtherHours()
    {
        const int six = addRecord(worker_, 6, "no");
        addRecord(worker_, 2, "да");
        setCell(worker_, 5, 8);
        setCell(worker_, 4, 3);
        auto& shift = openShift();
        QVERIFY(shift.locate("id", six));
        Question question;
        QCOMPARE(records::deleteCurrentRecord(*dm_, shift, question.confirm()), records::Deletion::Deleted);
        QCOMPARE(question.asked, 1);
        QCOMPARE(cell(worker_, 5), 2);
        QCOMPARE(cell(worker_, 4), 3);  // other days untouched
        QCOMPARE(shift.recordCount(), 1);
        QCOMPARE(shift.recNo(), 1);
    }

    void deletingTheOnlyRecordLeavesZero()
    {
        addRecord(worker_, 6, "no");
        setCell(worker_, 5, 6);
        auto& shift = openShift();
        Question question;
        QCOMPARE(records::deleteCurrentRecord(*dm_, shift, question.confirm()), records::Deletion::Deleted);
        QCOMPARE(cell(worker_, 5), 0);
        QCOMPARE(records(), 0);
    }

    void aRecordMovedMeanwhileLeavesTheCellItIsCountedIn()
    {
        // The journal read the record as worker 1's; another workstation has
        // since given it to worker 2 and set worker 2's cell.
        const int id = addRecord(worker_, 6, "no");
        auto& shift = openShift();
        QVERIFY(shift.locate("id", id));
        db_->exec(QStringLiteral("update accounts_dep.smena set w_id=%1 where id=%2").arg(worker2_).arg(id));
        setCell(worker_, 5, 0);
        setCell(worker2_, 5, 6);
        Question question;
        QCOMPARE(records::deleteCurrentRecord(*dm_, shift, question.confirm()), records::Deletion::Deleted);
        QCOMPARE(cell(worker2_, 5), 0);
        QCOMPARE(cell(worker_, 5), 0);
    }

    void noRowIsCreatedByADeletion()
    {
        addRecord(worker_, 6, "no");
        auto& shift = openShift();
        Question question;
        QCOMPARE(records::deleteCurrentRecord(*dm_, shift, question.confirm()), records::Deletion::Deleted);
        QCOMPARE(db_->scalar("select count(*) from accounts_dep.h_tabel where year=2021").toInt(), 0);
    }

    void answeringNoReloadsAndKeepsTheRecord()
    {
        addRecord(worker_, 6, "no");
        addRecord(worker2_, 2, "no");
        setCell(worker_, 5, 6);
        auto& shift = openShift();
        shift.setSort("fio DESC");
        Question question{false};
        QCOMPARE(records::deleteCurrentRecord(*dm_, shift, question.confirm()), records::Deletion::Refused);
        QCOMPARE(question.asked, 1);
        QCOMPARE(records(), 2);
        QCOMPARE(shift.sort(), QString());  // reloaded: the sort is lost
        QCOMPARE(cell(worker_, 5), 6);
    }

    void silentRefusals()
    {
        Question question;
        auto& empty = openShift();
        QCOMPARE(records::deleteCurrentRecord(*dm_, empty, question.confirm()), records::Deletion::Refused);
        addRecord(worker_, 6, "ok");
        auto& shift = openShift();
        QCOMPARE(records::deleteCurrentRecord(*dm_, shift, question.confirm()), records::Deletion::Refused);
        records::RecordAcceptance acceptance(*dm_);
        QCOMPARE(acceptance.acceptCurrent(shift), records::Acceptance::Refused);
        QCOMPARE(question.asked, 0);
        QCOMPARE(records(), 1);
    }

    void acceptanceNeedsMaterials()
    {
        addRecord(worker_, 6, "no");
        auto& shift = openShift();
        records::RecordAcceptance acceptance(*dm_);
        QCOMPARE(acceptance.acceptCurrent(shift), records::Acceptance::NoMaterials);
        QCOMPARE(db_->scalar("select ok from accounts_dep.smena where data='2021-03-05'").toString(),
                 QStringLiteral("no"));
    }

    void acceptingARecordDeletedMeanwhileIsStale()
    {
        // Its materials were entered, and another workstation deleted it
        // after the journal read it: nothing to accept, and the user is told so.
        const int id = addRecord(worker_, 6, "no");
        addMaterial(id);
        auto& shift = openShift();
        db_->exec(QStringLiteral("delete from accounts_dep.smena where id=%1").arg(id));
        records::RecordAcceptance acceptance(*dm_);
        QCOMPARE(acceptance.acceptCurrent(shift), records::Acceptance::Stale);
        QVERIFY(shift.isEmpty());  // read again
        QVERIFY(!dm_->ADO_DB.inTransaction());
    }

    void materialsAreStoredOnlyForARecordStillOpen_data()
    {
        // what another workstation did to the record after the editor read it
        QTest::addColumn<QString>("elsewhere");
        QTest::addColumn<bool>("stored");
        QTest::newRow("nothing") << QString() << true;
        QTest::newRow("accepted") << "update accounts_dep.smena set ok='ok' where id=%1" << false;
        QTest::newRow("deleted") << "delete from accounts_dep.smena where id=%1" << false;
    }
    void materialsAreStoredOnlyForARecordStillOpen()
    {
        QFETCH(QString, elsewhere);
        QFETCH(bool, stored);
        const int id = addRecord(worker_, 6, "no");
        if (!elsewhere.isEmpty())
            db_->exec(elsewhere.arg(id));
        data::Command insert(dm_->ADO_DB, QStringLiteral("smena_gds_use"), records::materialUseInsertStatement());
        const auto store = [&] { records::addMaterialUse(dm_->ADO_DB, insert, id, material(), 2.5); };
        if (stored)
            store();
        else
            QVERIFY_THROWS_EXCEPTION(records::StaleRecord, store());
        QCOMPARE(materialsOf(id), stored ? 2.5 : 0.0);
        QVERIFY(!dm_->ADO_DB.inTransaction());
    }

    void acceptanceKeepsSortAndRow_data()
    {
        QTest::addColumn<QString>("ok");
        QTest::newRow("not accepted") << "no";
        QTest::newRow("drawn like accepted") << "да";
    }
    void acceptanceKeepsSortAndRow()
    {
        QFETCH(QString, ok);
        addRecord(worker_, 1, "no", 5);
        const int id = addRecord(worker_, 2, ok, 3);
        addRecord(worker_, 3, "no", 1);
        for (int i = 0; i < 3; ++i)
            db_->exec(QStringLiteral("insert into accounts_dep.smena_gds_use(id_smena, id_gds_use, id_cons_use, "
                                     "f_qty_use) select %1, min(id), 1, 1 from cmn_gds_and_srv.gds_and_srv")
                          .arg(id));
        auto& shift = openShift();
        shift.setSort("kol_vo ASC");
        QVERIFY(shift.locate("id", id));
        QCOMPARE(shift.recNo(), 2);
        records::RecordAcceptance acceptance(*dm_);
        QCOMPARE(acceptance.acceptCurrent(shift), records::Acceptance::Accepted);
        QCOMPARE(shift.sort(), QStringLiteral("kol_vo ASC"));
        QCOMPARE(shift.recNo(), 2);
        QCOMPARE(shift.integer("id"), id);
        QCOMPARE(shift.text("ok"), QStringLiteral("ok"));
        // accepted now: a second acceptance does nothing
        QCOMPARE(acceptance.acceptCurrent(shift), records::Acceptance::Refused);
    }
};

TABEL_TEST_MAIN(RecordActionsTest)
#include "test_recordactions.moc"
