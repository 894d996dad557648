// Rebuilding a month of the time sheet against the real server: every cell
// of a corrupted month repaired and compared with sums computed here from
// the shift records, a failing statement leaving the month as it was, and a
// save on another workstation neither lost nor counted twice.

#include <QMap>
#include <QTest>
#include <array>
#include <optional>

#include "data/command.h"
#include "data/datamodule.h"
#include "data/dberror.h"
#include "records/daycell.h"
#include "records/monthrebuild.h"
#include "support/sessions.h"
#include "support/testdatabase.h"
#include "support/testmain.h"
#include "support/timesheetrows.h"

namespace {

constexpr int kMonth = 3, kYear = 2022;
constexpr int kFirstWorker = 991000;

using Key = QPair<int, int>;  // worker, shift
using Days = std::array<qint64, 31>;

// Polls until another session of this database waits at an advisory lock; false after 10 s.
bool seeSomeoneWaiting(data::DataModule& dm)
{
    return testing::eventually(dm, testing::someoneWaits(testing::advisoryLocksOnly()));
}

}  // namespace

class MonthRebuildTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<testing::TestDatabase> db_;
    std::unique_ptr<data::DataModule> dm_;

    // The hours of the month's shift records, summed here: worker and shift -> days.
    QMap<Key, Days> expectedSheet()
    {
        data::Dataset records(dm_->ADO_DB, QStringLiteral("records"),
                              QStringLiteral("select w_id, smena, data, time from accounts_dep.smena"));
        records.open();
        QMap<Key, Days> sheet;
        for (records.first(); !records.eof(); records.next()) {
            const QDate date = records.date(QStringLiteral("data"));
            if (date.month() != kMonth || date.year() != kYear)
                continue;
            const Key key{records.integer(QStringLiteral("w_id")), records.integer(QStringLiteral("smena"))};
            if (!sheet.contains(key))
                sheet[key].fill(0);
            sheet[key][date.day() - 1] += records.integer(QStringLiteral("time"));  // null counts 0
        }
        return sheet;
    }

    // The month's rows as stored; a second row of the same key fails the test.
    QMap<Key, Days> storedSheet(int month = kMonth, int year = kYear)
    {
        data::Dataset rows(
            dm_->ADO_DB, QStringLiteral("rows"),
            QStringLiteral("select * from accounts_dep.h_tabel where month=%1 and year=%2").arg(month).arg(year));
        rows.open();
        QMap<Key, Days> sheet;
        for (rows.first(); !rows.eof(); rows.next()) {
            const Key key{rows.integer(QStringLiteral("w_id")), rows.integer(QStringLiteral("smena"))};
            if (sheet.contains(key))
                qWarning() << "second row of worker" << key.first << "shift" << key.second;
            Days& days = sheet[key];
            for (int d = 1; d <= 31; ++d)
                days[d - 1] = rows.integer(QStringLiteral("d%1").arg(d));
        }
        return sheet;
    }

    int rowCount(int month = kMonth, int year = kYear)
    {
        return db_
            ->scalar(QStringLiteral("select count(*) from accounts_dep.h_tabel where month=%1 and year=%2")
                         .arg(month)
                         .arg(year))
            .toInt();
    }

private slots:
    void initTestCase()
    {
        db_ = std::make_unique<testing::TestDatabase>("monthrebuild");
        dm_ = std::make_unique<data::DataModule>(db_->connectionString());
        // Twenty workers over the month and two days either side of it, all
        // four shifts, some days with two records, one record without hours.
        db_->exec(
            QStringLiteral(
                "insert into accounts_dep.smena(w_id, i_id, o_id, cena, kol_vo, brak, data, smena, color, time, vvod, "
                "ok, prize, id_doc, id_doc_item, f_gds_qty_use, id_gds_use, id_cons_use) "
                "select %1 + w, 0, 0, 1, 1, 0, date '2022-03-01' + d, 1 + (w + d) % 4, 0, 1 + (w * d) % 11, now(), "
                "case when d % 5 = 0 then 'ok' else 'no' end, 0, 0, 0, 0, 0, 0 "
                "from generate_series(0, 19) w, generate_series(-2, 32) d where (w + d) % 3 <> 0")
                .arg(kFirstWorker));
        db_->exec(testing::recordInsert(kFirstWorker + 1, 2, QDate(2022, 3, 10), 4));
        db_->exec(testing::recordInsert(kFirstWorker + 1, 2, QDate(2022, 3, 10), 5));
        db_->exec(testing::recordInsert(kFirstWorker + 2, 4, QDate(2022, 3, 31), 3));
        db_->exec(QStringLiteral("update accounts_dep.smena set time=null where w_id=%1 and data='2022-03-04'")
                      .arg(kFirstWorker + 3));
    }
    void cleanupTestCase()
    {
        dm_.reset();
        db_.reset();
    }

    void aCorruptedMonthIsRepairedCellByCell()
    {
        // A database without the key of one row per worker, shift and month:
        // the rebuild relies on none.
        const testing::SheetKeyDropped noKey(*db_);
        const QString row = QStringLiteral(
            "insert into accounts_dep.h_tabel(w_id, smena, month, year, d1, d10) "
            "values(%1, %2, %3, %4, %5, %6)");
        db_->exec(row.arg(kFirstWorker + 1).arg(2).arg(kMonth).arg(kYear).arg(99).arg(1));  // wrong hours
        db_->exec(row.arg(kFirstWorker + 1).arg(2).arg(kMonth).arg(kYear).arg(5).arg(5));   // and a second row
        db_->exec(row.arg(992000).arg(1).arg(kMonth).arg(kYear).arg(8).arg(8));             // a worker without records
        db_->exec(row.arg(kFirstWorker).arg(1).arg(2).arg(kYear).arg(7).arg(7));            // February stays as it is
        // every other worker and shift of the month has no row at all

        records::timesheet::rebuildMonth(*dm_, kMonth, kYear);

        const QMap<Key, Days> expected = expectedSheet();
        const QMap<Key, Days> stored = storedSheet();
        QCOMPARE(rowCount(), int(expected.size()));  // one row per worker and shift with records, no more
        QCOMPARE(stored.keys(), expected.keys());
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            for (int d = 1; d <= 31; ++d)
                QVERIFY2(stored[it.key()][d - 1] == it.value()[d - 1],
                         qPrintable(QStringLiteral("worker %1 shift %2 day %3: %4 instead of %5")
                                        .arg(it.key().first)
                                        .arg(it.key().second)
                                        .arg(d)
                                        .arg(stored[it.key()][d - 1])
                                        .arg(it.value()[d - 1])));
        QCOMPARE(stored.value({kFirstWorker + 1, 2})[9], 9);   // 4 + 5
        QCOMPARE(stored.value({kFirstWorker + 2, 4})[30], 3);  // the overtime shift on the 31st
        QVERIFY(expected.contains({kFirstWorker + 3, 1}) || expected.contains({kFirstWorker + 3, 2}));
        QCOMPARE(storedSheet(2, kYear).value({kFirstWorker, 1})[0], 7);
        // one row per key again, so the key can be put back
    }

    void aMonthWithoutRecordsKeepsNoRows()
    {
        db_->exec("insert into accounts_dep.h_tabel(w_id, smena, month, year, d3) values(991000, 1, 7, 2022, 8)");
        records::timesheet::rebuildMonth(*dm_, 7, 2022);
        QCOMPARE(rowCount(7, 2022), 0);
    }

    void aFailingStatementLeavesTheMonthAsItWas()
    {
        records::timesheet::rebuildMonth(*dm_, kMonth, kYear);
        db_->exec("update accounts_dep.h_tabel set d5 = d5 + 1 where month=3 and year=2022");  // drift to keep
        const QString before = testing::monthRowsText(*db_, kMonth, kYear);
        QVERIFY(!before.isEmpty());
        testing::refuseTimeSheetWrites(*db_);
        int steps = 0;
        try {
            records::timesheet::rebuildMonth(*dm_, kMonth, kYear, [&steps](int done, int) { steps = done; });
            QFAIL("the rebuild went through");
        } catch (const data::DbError& e) {
            QVERIFY2(e.databaseText().contains(testing::kRefusedWrite), qPrintable(e.databaseText()));
        }
        testing::allowTimeSheetWrites(*db_);
        QCOMPARE(steps, 2);  // the month was already deleted when the insert failed
        QCOMPARE(testing::monthRowsText(*db_, kMonth, kYear), before);
        QVERIFY(!dm_->ADO_DB.inTransaction());
    }

    void aSaveInProgressIsCountedOnce()
    {
        // Another workstation holds its save open while the rebuild starts:
        // the rebuild waits for it and then counts its record once.
        records::timesheet::rebuildMonth(*dm_, kMonth, kYear);
        const int worker = kFirstWorker + 5;
        const QDate day(2022, 3, 17);
        const qint64 before = storedSheet().value({worker, 3})[16];
        QAtomicInt saving = 0, rebuildWaited = 0;
        testing::Workstation save(db_->connectionString(), [&](data::DataModule& dm) {
            data::Transaction t(dm.ADO_DB);
            records::timesheet::lockWorker(dm, worker);
            data::Command(dm.ADO_DB, "ins", testing::recordInsert(worker, 3, day, 6)).execute();
            saving.storeRelease(1);
            rebuildWaited.storeRelease(seeSomeoneWaiting(dm));
            records::timesheet::writeCell(dm, {worker, 3, day});
            t.commit();
        });
        QVERIFY2(save.reaches(saving), qPrintable(save.error()));
        records::timesheet::rebuildMonth(*dm_, kMonth, kYear);
        QVERIFY(save.finish());
        QVERIFY2(save.error().isEmpty(), qPrintable(save.error()));
        QVERIFY(rebuildWaited.loadAcquire());
        QCOMPARE(storedSheet().value({worker, 3})[16], before + 6);
        QCOMPARE(storedSheet(), expectedSheet());
    }

    void aSaveWaitsForARebuildInProgress()
    {
        // The rebuild's lock held here: a writer's lock waits until it ends.
        QAtomicInt locked = 0;
        bool waited = false;
        std::optional<testing::Workstation> writer;  // ends after the rebuild's lock is let go
        {
            data::Transaction t(dm_->ADO_DB);
            dm_->scalar(records::timesheet::sheetLockStatement());
            writer.emplace(db_->connectionString(), [&](data::DataModule& dm) {
                data::Transaction wt(dm.ADO_DB);
                records::timesheet::lockWorker(dm, kFirstWorker);
                locked.storeRelease(1);
                wt.commit();
            });
            waited = seeSomeoneWaiting(*dm_);
            QCOMPARE(locked.loadAcquire(), 0);
            t.commit();
        }
        QVERIFY(writer->finish());
        QVERIFY2(writer->error().isEmpty(), qPrintable(writer->error()));
        QVERIFY(waited);
        QCOMPARE(locked.loadAcquire(), 1);
    }
};

TABEL_TEST_MAIN(MonthRebuildTest)
#include "test_monthrebuild.moc"
