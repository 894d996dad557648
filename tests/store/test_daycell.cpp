// The time sheet's day cell against the real server: the rule's statements,
// the row created once, deletion updating only, and two workstations saving
// for one worker at the same moment.

#include <QTest>
#include <functional>

#include "data/command.h"
#include "data/datamodule.h"
#include "records/daycell.h"
#include "support/sessions.h"
#include "support/testdatabase.h"
#include "support/testmain.h"
#include "support/timesheetrows.h"

namespace {

const int kWorker = 990017;  // a worker code of its own, no person needed for the cell

}  // namespace

class DayCellTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<testing::TestDatabase> db_;
    std::unique_ptr<data::DataModule> dm_;

    QVariant cell(int worker, int shift, int month, int year, int day)
    {
        return testing::storedCell(*db_, worker, shift, QDate(year, month, day));
    }
    int rowsOf(int worker)
    {
        return db_->scalar(QStringLiteral("select count(*) from accounts_dep.h_tabel where w_id=%1").arg(worker))
            .toInt();
    }

private slots:
    void initTestCase()
    {
        db_ = std::make_unique<testing::TestDatabase>("daycell");
        dm_ = std::make_unique<data::DataModule>(db_->connectionString());
    }
    void cleanupTestCase()
    {
        dm_.reset();
        db_.reset();
    }
    void init()
    {
        db_->exec("delete from accounts_dep.smena where w_id between 990000 and 990099");
        db_->exec("delete from accounts_dep.h_tabel where w_id between 990000 and 990099");
    }

    void statementTexts()
    {
        const records::DayCell c{17, 2, QDate(2021, 3, 5)};
        QCOMPARE(records::timesheet::dayHoursStatement(c),
                 QStringLiteral("select sum(time) as tim from accounts_dep.smena where w_id=17 and smena=2 and "
                                "data=to_date('05.03.2021', 'DD.MM.YYYY') group by w_id, smena, data"));
        QCOMPARE(records::timesheet::rowCountStatement(c),
                 QStringLiteral("select count(w_id) as cnt from accounts_dep.h_tabel where w_id=17 and smena=2 and "
                                "month=3 and year=2021"));
        QCOMPARE(records::timesheet::cellInsertStatement(c, 7),
                 QStringLiteral("insert into accounts_dep.h_tabel(smena, w_id, month, year, d5) values(2, 17, 3, 2021, 7)"));
        QCOMPARE(records::timesheet::cellUpdateStatement(c, 7),
                 QStringLiteral("update accounts_dep.h_tabel set d5=7 where w_id=17 and smena=2 and month=3 and "
                                "year=2021"));
    }

    void firstWriteCreatesTheRowWithThatDayOnly()
    {
        db_->exec(testing::recordInsert(kWorker, 1, QDate(2021, 3, 5), 3));
        records::timesheet::writeCell(*dm_, {kWorker, 1, QDate(2021, 3, 5)});
        QCOMPARE(rowsOf(kWorker), 1);
        QCOMPARE(cell(kWorker, 1, 3, 2021, 5).toInt(), 3);
        QCOMPARE(
            db_->scalar(
                   QStringLiteral("select d1+d2+d3+d4+d6+d31 from accounts_dep.h_tabel where w_id=%1").arg(kWorker))
                .toInt(),
            0);
    }

    void cellIsTheSumOfTheDaysRecords()
    {
        // 4 hours already there, 3 more saved: 7; other shifts and days do not count
        db_->exec(testing::recordInsert(kWorker, 1, QDate(2021, 3, 5), 4));
        db_->exec(testing::recordInsert(kWorker, 1, QDate(2021, 3, 5), 3));
        db_->exec(testing::recordInsert(kWorker, 2, QDate(2021, 3, 5), 8));
        db_->exec(testing::recordInsert(kWorker, 1, QDate(2021, 3, 6), 5));
        records::timesheet::writeCell(*dm_, {kWorker, 1, QDate(2021, 3, 5)});
        records::timesheet::writeCell(*dm_, {kWorker, 1, QDate(2021, 3, 5)});  // again: still one row
        QCOMPARE(cell(kWorker, 1, 3, 2021, 5).toInt(), 7);
        QCOMPARE(rowsOf(kWorker), 1);
    }

    void updateCreatesNoRowAndWritesZero()
    {
        records::timesheet::updateCell(*dm_, {kWorker, 1, QDate(2021, 3, 5)});
        QCOMPARE(rowsOf(kWorker), 0);
        db_->exec(testing::recordInsert(kWorker, 1, QDate(2021, 3, 5), 6));
        records::timesheet::writeCell(*dm_, {kWorker, 1, QDate(2021, 3, 5)});
        db_->exec(QStringLiteral("delete from accounts_dep.smena where w_id=%1").arg(kWorker));
        records::timesheet::updateCell(*dm_, {kWorker, 1, QDate(2021, 3, 5)});
        QCOMPARE(cell(kWorker, 1, 3, 2021, 5).toInt(), 0);
    }

    void severalRowsOfAMonthAreFoldedIntoOne_data()
    {
        QTest::addColumn<bool>("deletion");
        QTest::addColumn<bool>("recordsLeft");
        QTest::newRow("save") << false << true;
        QTest::newRow("deletion") << true << true;
        QTest::newRow("deletion of the month's last record") << true << false;
    }
    void severalRowsOfAMonthAreFoldedIntoOne()
    {
        QFETCH(bool, deletion);
        QFETCH(bool, recordsLeft);
        const testing::SheetKeyDropped noKey(*db_);
        if (recordsLeft) {
            db_->exec(testing::recordInsert(kWorker, 1, QDate(2021, 3, 5), 3));
            db_->exec(testing::recordInsert(kWorker, 1, QDate(2021, 3, 6), 5));
        }
        // two rows of one worker, shift and month, as two copies saving at
        // once without a lock leave them: each with its own day, one stale
        db_->exec(QStringLiteral("insert into accounts_dep.h_tabel(w_id, smena, month, year, d5, d7) values "
                                 "(%1, 1, 3, 2021, 3, 9), (%1, 1, 3, 2021, 0, 0)")
                      .arg(kWorker));
        db_->exec(QStringLiteral("update accounts_dep.h_tabel set d6=5 where id=(select max(id) from "
                                 "accounts_dep.h_tabel where w_id=%1)")
                      .arg(kWorker));
        const records::DayCell day5{kWorker, 1, QDate(2021, 3, 5)};
        if (deletion)
            records::timesheet::updateCell(*dm_, day5);
        else
            records::timesheet::writeCell(*dm_, day5);
        QCOMPARE(rowsOf(kWorker), recordsLeft ? 1 : 0);
        if (recordsLeft) {
            QCOMPARE(cell(kWorker, 1, 3, 2021, 5).toInt(), 3);
            QCOMPARE(cell(kWorker, 1, 3, 2021, 6).toInt(), 5);
            QCOMPARE(cell(kWorker, 1, 3, 2021, 7).toInt(), 0);
        }
        db_->exec(QStringLiteral("delete from accounts_dep.smena where w_id=%1").arg(kWorker));
        db_->exec(QStringLiteral("delete from accounts_dep.h_tabel where w_id=%1").arg(kWorker));
    }

    void twoWorkstationsAtOnceLeaveOneRowWithTheSum()
    {
        // The first workstation holds its transaction open after writing its
        // record; the second starts meanwhile and must wait for it.
        const QDate day(2021, 4, 9);
        const auto save = [&](data::DataModule& dm, int hours, const std::function<void()>& beforeCell) {
            data::Transaction t(dm.ADO_DB);
            records::timesheet::lockWorker(dm, kWorker);
            data::Command(dm.ADO_DB, "ins", testing::recordInsert(kWorker, 3, day, hours)).execute();
            beforeCell();
            records::timesheet::writeCell(dm, {kWorker, 3, day});
            t.commit();
        };
        QAtomicInt firstHoldsLock = 0, sawWaiting = 0;
        testing::Workstation first(db_->connectionString(), [&](data::DataModule& dm) {
            save(dm, 5, [&] {
                firstHoldsLock.storeRelease(1);
                // goes on only once the other one is seen waiting at its lock
                if (testing::eventually(dm, testing::someoneWaits(testing::advisoryLocksOnly())))
                    sawWaiting.storeRelease(dm.scalar(testing::waitingLocks(testing::advisoryLocksOnly())).toInt());
            });
        });
        QVERIFY2(first.reaches(firstHoldsLock), qPrintable(first.error()));
        testing::Workstation second(db_->connectionString(), [&](data::DataModule& dm) { save(dm, 2, [] {}); });
        QVERIFY(first.finish());
        QVERIFY(second.finish());
        QVERIFY2(first.error().isEmpty() && second.error().isEmpty(), qPrintable(first.error() + second.error()));
        QCOMPARE(sawWaiting.loadAcquire(), 1);  // the second save really waited for the first
        QCOMPARE(rowsOf(kWorker), 1);
        QCOMPARE(cell(kWorker, 3, 4, 2021, 9).toInt(), 7);
    }
};

TABEL_TEST_MAIN(DayCellTest)
#include "test_daycell.moc"
