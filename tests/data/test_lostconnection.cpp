// The program's connection after the server has ended it (a restart, an
// administrator, a broken network): the statement that meets the dead
// connection fails or, when it only reads, is read again on a new connection;
// the next statement opens the connection anew with the settings it holds.

#include <QTest>

#include "data/datamodule.h"
#include "data/dberror.h"
#include "data/statement.h"
#include "support/testdatabase.h"
#include "support/testmain.h"

class LostConnectionTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<testing::TestDatabase> db_;
    std::unique_ptr<data::DataModule> dm_;

    int backendPid() { return dm_->scalar("select pg_backend_pid()").toInt(); }

    // Ends the program's session; returns its process id.
    int endProgramSession()
    {
        const int pid = backendPid();
        db_->endSession(pid);
        return pid;
    }

    int rowCount() { return db_->scalar("select count(*) from t_lost").toInt(); }

    void expectLost(const std::function<void()>& action, bool inTransaction)
    {
        try {
            action();
            QFAIL("the statement on the dead connection succeeded");
        } catch (const data::DbError& e) {
            QVERIFY2(e.text().contains(data::lostConnectionNote(inTransaction)), qPrintable(e.text()));
        }
    }

private slots:
    void initTestCase()
    {
        db_ = std::make_unique<testing::TestDatabase>("lostconnection");
        dm_ = std::make_unique<data::DataModule>(db_->connectionString());
        db_->exec("create table t_lost (id integer, note text)");
    }
    void cleanupTestCase()
    {
        dm_.reset();
        db_.reset();
    }
    void init() { db_->exec("delete from t_lost"); }

    void readIsReadAgainOnANewConnection()
    {
        db_->exec("insert into t_lost values (1, 'a'), (2, 'b')");
        const int before = endProgramSession();
        data::Dataset rows(dm_->ADO_DB, "rows", "select id, note from t_lost where id>:id order by id");
        rows.setParam("id", 0);
        rows.open();
        QCOMPARE(rows.recordCount(), 2);
        QCOMPARE(rows.text("note"), QStringLiteral("a"));
        QVERIFY(backendPid() != before);
    }

    void writeIsReportedNotRepeatedAndTheNextOneWorks()
    {
        endProgramSession();
        data::Command insert(dm_->ADO_DB, "ins", "insert into t_lost values (1, 'first')");
        expectLost([&] { insert.execute(); }, false);
        QCOMPARE(rowCount(), 0);
        QCOMPARE(insert.execute(), 1);
        QCOMPARE(rowCount(), 1);
    }

    void selectCallingAFunctionIsNotRepeated()
    {
        // A function of the database may write: its call is reported, not repeated.
        db_->exec("create or replace function public.t_lost_add() returns integer language sql as "
                  "$$ insert into t_lost values (9, 'fn') returning id $$");
        endProgramSession();
        expectLost([&] { dm_->scalar("select public.t_lost_add()"); }, false);
        QCOMPARE(rowCount(), 0);
        QCOMPARE(dm_->scalar("select public.t_lost_add()").toInt(), 9);
        QCOMPARE(rowCount(), 1);
    }

    void transactionCutShortLeavesNothingAndCannotBeCommitted()
    {
        data::Command insert(dm_->ADO_DB, "ins", "insert into t_lost values (:id, 'tx')");
        {
            data::Transaction transaction(dm_->ADO_DB);
            insert.setParam("id", 1);
            insert.execute();
            endProgramSession();
            insert.setParam("id", 2);
            // Not even a read is repeated inside a transaction: its earlier work is gone.
            expectLost([&] { dm_->scalar("select count(*) from t_lost"); }, true);
            // An action that goes on regardless writes nothing on its own, in
            // a scope of its own neither.
            QVERIFY_THROWS_EXCEPTION(data::DbError, insert.execute());
            QVERIFY_THROWS_EXCEPTION(data::DbError, data::Transaction{dm_->ADO_DB});
            QVERIFY_THROWS_EXCEPTION(data::DbError, transaction.commit());
        }
        QCOMPARE(rowCount(), 0);
        QVERIFY(!dm_->ADO_DB.inTransaction());
        {
            data::Transaction transaction(dm_->ADO_DB);
            insert.setParam("id", 3);
            insert.execute();
            transaction.commit();
        }
        QCOMPARE(db_->scalar("select id from t_lost").toInt(), 3);
    }

    void otherErrorsLeaveTheConnectionOpen()
    {
        const int pid = backendPid();
        QVERIFY_THROWS_EXCEPTION(data::DbError, dm_->scalar("select no_such_column from t_lost"));
        QCOMPARE(backendPid(), pid);
    }

    void readsOnly_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<bool>("repeatable");
        QTest::newRow("select") << "select id from t_lost where id=:id" << true;
        QTest::newRow("leading blanks, capitals") << "  SELECT count(*) from t_lost" << true;
        QTest::newRow("plain functions") << "select round(sum(qty)::numeric, 2), now() from t" << true;
        QTest::newRow("trailing semicolon") << "select smena, w_id from accounts_dep.smena group by smena,w_id;"
                                            << true;
        QTest::newRow("dots and parentheses in a text") << "select 'accounts_dep.f(' || note from t" << true;
        QTest::newRow("schema's function") << "select accounts_dep.smena__accept_row_hwo(:id)" << false;
        QTest::newRow("function with blanks") << "select accounts_dep . divide_between_person (1)" << false;
        QTest::newRow("select into") << "select * into t2 from t_lost" << false;
        QTest::newRow("second statement") << "select 1; delete from t_lost" << false;
        QTest::newRow("insert returning") << "insert into t_lost values (1, 'x') returning id" << false;
        QTest::newRow("update") << "update t_lost set note='select'" << false;
        QTest::newRow("with") << "with x as (delete from t_lost returning id) select * from x" << false;
        QTest::newRow("function on the search path") << "select smena__accept_row_hwo(:id)" << false;
        QTest::newRow("quoted names") << "select \"accounts_dep\".\"f\"(1)" << false;
        QTest::newRow("sequence") << "select nextval('accounts_dep.smena_id_seq')" << false;
        QTest::newRow("call after a comment with a quote") << "select 1 -- it's\n, accounts_dep.f(1)" << false;
        QTest::newRow("call in a block comment") << "select count(*) /* f(1) */ from t_lost" << true;
        QTest::newRow("case and casts") << "select (SELECT (CASE naimen WHEN 0 THEN 'a' ELSE 'b' END)) as nmn, "
                                           "round((kol_vo::numeric-brak::numeric)*cena::numeric, 2), date(vvod) "
                                           "from accounts_dep.smena where w_id=person.s_code::t_integer"
                                        << true;
    }
    void readsOnly()
    {
        QFETCH(QString, statement);
        QFETCH(bool, repeatable);
        QCOMPARE(data::readsOnly(statement), repeatable);
    }
};

TABEL_TEST_MAIN(LostConnectionTest)
#include "test_lostconnection.moc"
