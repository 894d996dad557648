// Two workstations writing for the same worker at the same moment: a crew
// division waits for a crew member's save in progress and counts both; a
// change of a record that another workstation is moving waits for it and
// then takes the lock of the worker the record counts in now.

#include <QTest>

#include "data/command.h"
#include "data/datamodule.h"
#include "records/crew.h"
#include "records/daycell.h"
#include "records/shiftrecordstore.h"
#include "support/sessions.h"
#include "support/testdatabase.h"
#include "support/testmain.h"
#include "support/timesheetrows.h"

namespace {

const QDate kDay(2021, 5, 10);

QString someoneWaitsForWorker(int worker)
{
    return testing::someoneWaits(
        testing::advisoryLocksOnly() +
        QStringLiteral(" and l.classid=%1 and l.objid=%2").arg(records::timesheet::workerLockKey).arg(worker));
}

records::ShiftRecordValues values(int worker, int hours, int shift)
{
    records::ShiftRecordValues v;
    v.worker = worker;
    v.product = 1;
    v.operation = 1;
    v.price = 10;
    v.quantity = 6;
    v.date = kDay;
    v.shift = shift;
    v.hours = hours;
    return v;
}

}  // namespace

class ConcurrentWritersTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<testing::TestDatabase> db_;
    std::unique_ptr<data::DataModule> dm_;

    int employee(int offset, const char* column)
    {
        return db_
            ->scalar(QStringLiteral("select %1 from cmn_contractor.person where b_employee order by s_code::int "
                                    "offset %2 limit 1")
                         .arg(QLatin1String(column))
                         .arg(offset))
            .toInt();
    }
    int cell(int worker, int shift) { return testing::storedCell(*db_, worker, shift, kDay).toInt(); }

private slots:
    void initTestCase()
    {
        db_ = std::make_unique<testing::TestDatabase>("concurrentwriters");
        dm_ = std::make_unique<data::DataModule>(db_->connectionString());
    }
    void cleanupTestCase()
    {
        dm_.reset();
        db_.reset();
    }

    void aCrewDivisionWaitsForACrewMembersSave()
    {
        // Another workstation is saving 3 hours of the crew member's and holds
        // his cell; the division gives him 8 more: his cell ends at 11.
        const int worker = employee(0, "s_code::int"), member = employee(1, "s_code::int");
        const qint64 memberPerson = employee(1, "id");
        records::timesheet::writeCell(*dm_, {member, 2, kDay});  // his month's row is there already
        QAtomicInt saving = 0, sawWaiting = 0;
        testing::Workstation other(db_->connectionString(), [&](data::DataModule& dm) {
            data::Transaction t(dm.ADO_DB);
            records::timesheet::lockWorker(dm, member);
            data::Command(dm.ADO_DB, "ins", testing::recordInsert(member, 2, kDay, 3)).execute();
            records::timesheet::writeCell(dm, {member, 2, kDay});
            saving.storeRelease(1);
            sawWaiting.storeRelease(testing::eventually(dm, testing::someoneWaits()));
            t.commit();
        });
        QVERIFY2(other.reaches(saving), qPrintable(other.error()));

        const int id = records::saveShiftRecord(*dm_, values(worker, 8, 2), 0, kDay);
        data::Command insert(dm_->ADO_DB, QStringLiteral("ins_person"), records::crewMemberInsertStatement());
        records::addCrewMember(insert, id, memberPerson);
        data::Command division(dm_->ADO_DB, QStringLiteral("save_all"), records::crewDivisionStatement());
        records::divideBetweenCrew(*dm_, division, id);

        QVERIFY(other.finish());
        QVERIFY2(other.error().isEmpty(), qPrintable(other.error()));
        QVERIFY(sawWaiting.loadAcquire());
        QCOMPARE(cell(member, 2), 11);
        QCOMPARE(cell(worker, 2), 8);
        QCOMPARE(db_->scalar(QStringLiteral("select sum(kol_vo) from accounts_dep.smena where data='%1' and cena=10")
                                 .arg(kDay.toString(Qt::ISODate)))
                     .toDouble(),
                 6.0);
    }

    void aChangeTakesTheLockOfTheWorkerTheRecordIsMovedTo()
    {
        // Workstation A is moving the record from X to Y. This workstation's
        // change (to Z) waits for A, and then, since the record counts for Y
        // now, for Y's lock, which a third workstation C took after A.
        const int x = 990101, y = 990102, z = 990103;
        const int id = records::saveShiftRecord(*dm_, values(x, 4, 1), 0, kDay);
        QAtomicInt moving = 0, release = 0, cHolds = 0, releaseC = 0;
        testing::Workstation a(db_->connectionString(), [&](data::DataModule& dm) {
            data::Transaction t(dm.ADO_DB);
            records::timesheet::lockWorkers(dm, {x, y});
            data::Command(dm.ADO_DB, "move",
                          QStringLiteral("update accounts_dep.smena set w_id=%1 where id=%2").arg(y).arg(id))
                .execute();
            records::timesheet::writeCell(dm, {y, 1, kDay});
            records::timesheet::writeCell(dm, {x, 1, kDay});
            moving.storeRelease(1);
            testing::await(release);
            t.commit();
        });
        QVERIFY2(a.reaches(moving), qPrintable(a.error()));
        testing::Workstation c(db_->connectionString(), [&](data::DataModule& dm) {
            data::Transaction t(dm.ADO_DB);
            records::timesheet::lockWorker(dm, y);  // waits for A
            cHolds.storeRelease(1);
            testing::await(releaseC);
            t.commit();
        });
        QVERIFY(testing::eventually(*dm_, someoneWaitsForWorker(y)));
        testing::Workstation b(db_->connectionString(),
                               [&](data::DataModule& dm) { records::saveShiftRecord(dm, values(z, 4, 1), id, kDay); });
        QVERIFY(testing::eventually(*dm_, testing::moreWaitingThan(1)));
        release.storeRelease(1);
        QVERIFY(a.finish());
        QVERIFY2(c.reaches(cHolds), qPrintable(c.error()));
        const bool waitedForY = testing::eventually(*dm_, someoneWaitsForWorker(y));
        releaseC.storeRelease(1);
        QVERIFY(b.finish());
        QVERIFY(c.finish());
        QVERIFY2(a.error().isEmpty() && b.error().isEmpty() && c.error().isEmpty(),
                 qPrintable(a.error() + b.error() + c.error()));
        QVERIFY(waitedForY);
        QCOMPARE(cell(x, 1), 0);
        QCOMPARE(cell(y, 1), 0);
        QCOMPARE(cell(z, 1), 4);
    }
};

TABEL_TEST_MAIN(ConcurrentWritersTest)
#include "test_concurrentwriters.moc"
