// Saving a shift record with its day cell: the statements as sent, insert and
// update, the cell the record left, and a failing time sheet step that leaves
// nothing half-written.

#include <QTest>

#include "data/datamodule.h"
#include "data/dberror.h"
#include "records/shiftrecordstore.h"
#include "support/testdatabase.h"
#include "support/testmain.h"
#include "support/timesheetrows.h"

namespace {

const int kWorker = 990031;
const int kOtherWorker = 990032;

records::ShiftRecordValues values(int worker, const QDate& date, int hours)
{
    records::ShiftRecordValues v;
    v.worker = worker;
    v.product = 1;
    v.operation = 1;
    v.price = 12.5;
    v.quantity = 2.5;
    v.rejects = 0;
    v.date = date;
    v.shift = 1;
    v.hours = hours;
    return v;
}

}  // namespace

class ShiftRecordStoreTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<testing::TestDatabase> db_;
    std::unique_ptr<data::DataModule> dm_;
    const QDate today_{2026, 12, 10};

    int cell(int worker, int day, int month = 3)
    {
        return testing::storedCell(*db_, worker, 1, QDate(2021, month, day)).toInt();
    }
    int records(int worker)
    {
        return db_->scalar(QStringLiteral("select count(*) from accounts_dep.smena where w_id=%1").arg(worker)).toInt();
    }

private slots:
    void initTestCase()
    {
        db_ = std::make_unique<testing::TestDatabase>("shiftrecordstore");
        dm_ = std::make_unique<data::DataModule>(db_->connectionString());
    }
    void cleanupTestCase()
    {
        dm_.reset();
        db_.reset();
    }
    void init()
    {
        db_->exec("delete from accounts_dep.smena where w_id between 990030 and 990039");
        db_->exec("delete from accounts_dep.h_tabel where w_id between 990030 and 990039");
    }

    void statementsAsSent()
    {
        records::ShiftRecordValues v = values(17, QDate(2021, 3, 5), 3);
        v.requisition = 100000000000001;
        QCOMPARE(records::insertStatement(v, today_),
                 QStringLiteral("insert into accounts_dep.SMENA(w_id, i_id, o_id, cena, kol_vo, brak, data, smena, "
                                "color, time, vvod,ok, prize, id_doc, id_doc_item, f_gds_qty_use, id_gds_use, "
                                "id_cons_use) values(17, 1, 1, 12.5,2.5, 0, to_date('05.03.2021', 'DD.MM.YYYY "
                                "HH24:MI:SS'), 1, 0, 3, to_date('10.12.2026', 'DD.MM.YYYY'), 'no', 0, 100000000000001, "
                                "0, 0, 0, 0) returning "
                                "id"));
        QCOMPARE(records::updateStatement(v, 42, today_),
                 QStringLiteral("update accounts_dep.SMENA set w_id=17, i_id=1, o_id=1, cena=12.5, kol_vo=2.5, "
                                "brak=0, data=to_date('05.03.2021', 'DD.MM.YYYY'), smena=1, color=0, time=3, "
                                "vvod=to_date('10.12.2026', 'DD.MM.YYYY'), prize=0, id_doc=100000000000001, "
                                "id_doc_item=0, f_gds_qty_use=0, "
                                "id_gds_use=0, id_cons_use=0 where id=42 and ok is distinct from 'ok'"));
    }

    void insertAddsToTheDayCell()
    {
        records::saveShiftRecord(*dm_, values(kWorker, QDate(2021, 3, 5), 4), 0, today_);
        const int id = records::saveShiftRecord(*dm_, values(kWorker, QDate(2021, 3, 5), 3), 0, today_);
        QVERIFY(id > 0);
        QCOMPARE(cell(kWorker, 5), 7);
        QCOMPARE(db_->scalar(QStringLiteral("select ok from accounts_dep.smena where id=%1").arg(id)).toString(),
                 QStringLiteral("no"));
        QCOMPARE(db_->scalar(QStringLiteral("select kol_vo from accounts_dep.smena where id=%1").arg(id)).toDouble(),
                 2.5);
    }

    void updateLeavesOkAndResetsTheRest()
    {
        const int id = records::saveShiftRecord(*dm_, values(kWorker, QDate(2021, 3, 5), 4), 0, today_);
        db_->exec(QStringLiteral("update accounts_dep.smena set ok='да', prize=5, color=3, vvod='2020-01-01', "
                                 "f_gds_qty_use=1 where id=%1")
                      .arg(id));
        records::saveShiftRecord(*dm_, values(kWorker, QDate(2021, 3, 5), 6), id, today_);
        QCOMPARE(db_->scalar(QStringLiteral("select ok || '/' || prize::integer || '/' || color || '/' || "
                                            "f_gds_qty_use::integer || '/' || to_char(vvod, 'DD.MM.YYYY') from "
                                            "accounts_dep.smena where id=%1")
                                 .arg(id))
                     .toString(),
                 QStringLiteral("да/0/0/0/10.12.2026"));
        QCOMPARE(cell(kWorker, 5), 6);
    }

    void movingARecordRecomputesTheCellItLeft()
    {
        const int id = records::saveShiftRecord(*dm_, values(kWorker, QDate(2021, 3, 5), 4), 0, today_);
        records::saveShiftRecord(*dm_, values(kOtherWorker, QDate(2021, 3, 8), 4), id, today_);
        QCOMPARE(cell(kWorker, 5), 0);
        QCOMPARE(cell(kOtherWorker, 8), 4);
    }

    void failingTimeSheetStepLeavesNothingHalfWritten()
    {
        records::saveShiftRecord(*dm_, values(kWorker, QDate(2021, 3, 5), 4), 0, today_);
        db_->exec(
            "create function pg_temp_fail() returns trigger language plpgsql as $$ begin raise exception "
            "'time sheet is locked for the test'; end $$");
        db_->exec(
            "create trigger fail_h_tabel before insert or update on accounts_dep.h_tabel for each row execute "
            "function pg_temp_fail()");
        try {
            records::saveShiftRecord(*dm_, values(kWorker, QDate(2021, 3, 5), 3), 0, today_);
            QFAIL("the failing time sheet step was not reported");
        } catch (const data::DbError& e) {
            QVERIFY2(e.text().contains("time sheet is locked for the test"), qPrintable(e.text()));
        }
        db_->exec("drop trigger fail_h_tabel on accounts_dep.h_tabel");
        db_->exec("drop function pg_temp_fail()");
        QCOMPARE(records(kWorker), 1);
        QCOMPARE(cell(kWorker, 5), 4);
        // once the cause is gone the next save works on the same connection
        records::saveShiftRecord(*dm_, values(kWorker, QDate(2021, 3, 5), 3), 0, today_);
        QCOMPARE(cell(kWorker, 5), 7);
    }
};

TABEL_TEST_MAIN(ShiftRecordStoreTest)
#include "test_shiftrecordstore.moc"
