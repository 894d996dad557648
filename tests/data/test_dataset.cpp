// The dataset and command layer against the real server: statements with
// named parameters, rows in memory, sort, filter, record number, locate,
// null reads, and the data module's duplicate check and shared statements.

#include <QTest>

#include "data/connectionstring.h"
#include "data/datamodule.h"
#include "data/dberror.h"
#include "support/testdatabase.h"
#include "support/testmain.h"
#include "ui/application.h"
#include "ui/datasetgrid.h"

class DatasetTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<testing::TestDatabase> db_;
    std::unique_ptr<data::DataModule> dm_;

    data::Dataset& rows(const QString& extra = {})
    {
        auto& ds = dm_->Control;
        ds.close();
        ds.setStatement("select id, name, qty, made, note from t_rows" + extra + " order by id");
        ds.open();
        return ds;
    }

    QStringList names(data::Dataset& ds)
    {
        QStringList out;
        for (ds.first(); !ds.eof(); ds.next())
            out << ds.text("name");
        return out;
    }

private slots:
    void initTestCase()
    {
        db_ = std::make_unique<testing::TestDatabase>("dataset");
        dm_ = std::make_unique<data::DataModule>(db_->connectionString());
        db_->exec(
            "create table t_rows (id integer primary key, name text, qty double precision, made date, "
            "note text)");
        db_->exec(
            "insert into t_rows values (1, 'Яковлев Б.', 2.5, '2021-03-05', null), "
            "(2, 'Антонов А.', 10, '2021-03-04', 'x'), (3, 'О''Нил В.', 2.5, null, 'y'), "
            "(4, 'антипов Г.', null, '2021-03-06', '')");
    }
    void cleanupTestCase()
    {
        dm_.reset();
        db_.reset();
    }

    void readsAllRowsWithACurrentRow()
    {
        auto& ds = rows();
        QCOMPARE(ds.recordCount(), 4);
        QCOMPARE(ds.recNo(), 1);
        QCOMPARE(ds.text("name"), QStringLiteral("Яковлев Б."));
        QCOMPARE(ds.number("QTY"), 2.5);  // field names ignore letter case
        QCOMPARE(ds.text("qty"), QStringLiteral("2,5"));
        QCOMPARE(ds.date("made"), QDate(2021, 3, 5));
        QCOMPARE(ds.text("made"), QStringLiteral("05.03.2021"));
        QVERIFY_THROWS_EXCEPTION(fmt::AppError, ds.text("nosuch"));
    }

    void nullsReadAsEmptyOrZero()
    {
        auto& ds = rows();
        QVERIFY(ds.locate("id", 4));
        QCOMPARE(ds.number("qty"), 0.0);
        QCOMPARE(ds.integer("qty"), 0);
        QCOMPARE(ds.text("qty"), QString());
        QVERIFY(ds.locate("id", 1));
        QCOMPARE(ds.text("note"), QString());
        QVERIFY(ds.isNull("note"));
    }

    void textThatIsNoNumberIsAConversionError()
    {
        auto& ds = rows();
        QVERIFY(ds.locate("id", 2));
        QVERIFY_THROWS_EXCEPTION(fmt::ConversionError, ds.integer("note"));
    }

    void recordNumberMovesTheCurrentRow()
    {
        auto& ds = rows();
        ds.setRecNo(3);
        QCOMPARE(ds.integer("id"), 3);
        ds.setRecNo(99);  // past the end: the last row
        QCOMPARE(ds.recNo(), 4);
        ds.prior();
        QCOMPARE(ds.integer("id"), 3);
    }

    void locateFindsTheFirstMatch()
    {
        auto& ds = rows();
        QVERIFY(ds.locate("qty", 2.5));
        QCOMPARE(ds.integer("id"), 1);
        QVERIFY(ds.locate("name", QStringLiteral("О'Нил В.")));
        QCOMPARE(ds.integer("id"), 3);
        QVERIFY(!ds.locate("id", 77));
        QCOMPARE(ds.integer("id"), 3);  // a miss leaves the current row
    }

    void sortInMemory_data()
    {
        QTest::addColumn<QString>("sort");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("text ascending, letter case ignored")
            << "name ASC" << QStringList{"антипов Г.", "Антонов А.", "О'Нил В.", "Яковлев Б."};
        QTest::newRow("text descending") << "name DESC"
                                         << QStringList{"Яковлев Б.", "О'Нил В.", "Антонов А.", "антипов Г."};
        QTest::newRow("number then text")
            << "qty DESC, name ASC" << QStringList{"Антонов А.", "О'Нил В.", "Яковлев Б.", "антипов Г."};
        QTest::newRow("dates, nulls first")
            << "made ASC" << QStringList{"О'Нил В.", "Антонов А.", "Яковлев Б.", "антипов Г."};
        QTest::newRow("empty: statement order")
            << "" << QStringList{"Яковлев Б.", "Антонов А.", "О'Нил В.", "антипов Г."};
    }
    void sortInMemory()
    {
        QFETCH(QString, sort);
        QFETCH(QStringList, order);
        auto& ds = rows();
        ds.setSort(sort);
        QCOMPARE(ds.sort(), sort);
        QCOMPARE(names(ds), order);
    }

    void sortIsForgottenOnClose()
    {
        auto& ds = rows();
        ds.setSort("name DESC");
        ds.reload();
        QCOMPARE(ds.sort(), QString());
        QCOMPARE(ds.text("name"), QStringLiteral("Яковлев Б."));
    }

    void sortKeepsTheCurrentRecord()
    {
        auto& ds = rows();
        QVERIFY(ds.locate("id", 3));
        ds.setSort("name ASC");
        QCOMPARE(ds.integer("id"), 3);
        QCOMPARE(ds.recNo(), 3);
    }

    void badSortTextIsAnError()
    {
        auto& ds = rows();
        QVERIFY_THROWS_EXCEPTION(fmt::AppError, ds.setSort("nosuch ASC"));
        QVERIFY_THROWS_EXCEPTION(fmt::AppError, ds.setSort("name UP"));
        QCOMPARE(ds.sort(), QString());
        QCOMPARE(ds.recordCount(), 4);
    }

    void filterInMemory()
    {
        auto& ds = rows();
        ds.setFilter("name like 'ант%'");
        ds.setFiltered(true);
        QCOMPARE(names(ds), (QStringList{"Антонов А.", "антипов Г."}));
        ds.setFilter(data::filters::startsWith("name", "О'Н"));
        QCOMPARE(names(ds), QStringList{"О'Нил В."});
        ds.setFiltered(false);
        QCOMPARE(ds.recordCount(), 4);
        ds.setFilter({});
    }

    void unparsableFilterIsAnErrorNotEverything()
    {
        auto& ds = rows();
        ds.setFilter("id=1");
        ds.setFiltered(true);
        QCOMPARE(ds.recordCount(), 1);
        QVERIFY_THROWS_EXCEPTION(data::FilterError, ds.setFilter("name like 'О'Нил%'"));
        QCOMPARE(ds.recordCount(), 1);  // the earlier filter still holds
        ds.setFiltered(false);
        ds.setFilter({});
    }

    // Every read is told to the observer in a pair, a failed one too, so the
    // busy cursor the application shows meanwhile always goes away again.
    void readsAreToldForTheBusyCursor()
    {
        QList<bool> told;
        data::setLoadObserver([&told](bool loading) { told << loading; });
        rows();
        QCOMPARE(told, (QList<bool>{true, false}));
        told.clear();
        rows().close();  // closing reads nothing
        QCOMPARE(told, (QList<bool>{true, false}));
        told.clear();
        auto& ds = dm_->Control;
        ds.setStatement("select no_such_column from t_rows");
        QVERIFY_THROWS_EXCEPTION(data::DbError, ds.open());
        QCOMPARE(told, (QList<bool>{true, false}));

        ui::showBusyCursorWhileLoading();
        rows();
        QVERIFY(!QApplication::overrideCursor());
        ds.close();
        ds.setStatement("select no_such_column from t_rows");
        QVERIFY_THROWS_EXCEPTION(data::DbError, ds.open());
        QVERIFY(!QApplication::overrideCursor());
    }

    void parametersByNameIgnoringCase()
    {
        auto& ds = dm_->Control;
        ds.close();
        ds.setStatement("select name from t_rows where made=:made and qty>:QTY order by id");
        ds.setParam("MADE", QDate(2021, 3, 4));
        ds.setParam("qty", 1);
        ds.open();
        QCOMPARE(ds.recordCount(), 1);
        QCOMPARE(ds.text("name"), QStringLiteral("Антонов А."));
        ds.close();
    }

    void textParametersCannotChangeTheStatement()
    {
        auto& ds = dm_->Control;
        ds.close();
        ds.setStatement("select count(*) as cnt from t_rows where name=:name");
        ds.setParam("name", QStringLiteral("x' or '1'='1"));
        ds.open();
        QCOMPARE(ds.integer("cnt"), 0);
        ds.close();
    }

    void failingStatementCarriesTheDatabaseText()
    {
        data::Command cmd(dm_->ADO_DB, "bad", "insert into t_rows values (1, 'dup', 0, null, null)");
        try {
            cmd.execute();
            QFAIL("duplicate key accepted");
        } catch (const data::DbError& e) {
            QVERIFY2(e.text().contains("t_rows_pkey"), qPrintable(e.text()));
            QCOMPARE(e.statement(), cmd.statement());
        }
    }

    void commandWithParameters()
    {
        data::Command cmd(dm_->ADO_DB, "ins", "insert into t_rows values (:id, :name, :qty, :made, null)");
        cmd.setParam("id", 10);
        cmd.setParam("name", QStringLiteral("Новиков Д."));
        cmd.setParam("qty", 12.5);
        cmd.setParam("made", QDate(2021, 3, 5));
        QCOMPARE(cmd.execute(), 1);
        QCOMPARE(db_->scalar("select qty from t_rows where id=10").toDouble(), 12.5);
        db_->exec("delete from t_rows where id=10");
    }

    void transactionRollsBackUnlessCommitted()
    {
        data::Command cmd(dm_->ADO_DB, "ins", "insert into t_rows values (20, 'temp', 0, null, null)");
        {
            data::Transaction t(dm_->ADO_DB);
            cmd.execute();
        }
        QCOMPARE(db_->scalar("select count(*) from t_rows where id=20").toInt(), 0);
        {
            data::Transaction t(dm_->ADO_DB);
            cmd.execute();
            t.commit();
        }
        QCOMPARE(db_->scalar("select count(*) from t_rows where id=20").toInt(), 1);
        db_->exec("delete from t_rows where id=20");
    }

    void failedInnerScopeCannotBeCommittedOutside()
    {
        data::Command cmd(dm_->ADO_DB, "ins", "insert into t_rows values (21, 'temp', 0, null, null)");
        data::Transaction outer(dm_->ADO_DB);
        cmd.execute();
        try {
            data::Transaction inner(dm_->ADO_DB);
            throw fmt::AppError("inner step failed");
        } catch (const fmt::AppError&) {
        }
        // nor can the outer scope write anything on its own afterwards
        QVERIFY_THROWS_EXCEPTION(data::DbError, cmd.execute());
        QVERIFY_THROWS_EXCEPTION(data::DbError, outer.commit());
        QCOMPARE(db_->scalar("select count(*) from t_rows where id=21").toInt(), 0);
    }

    void duplicateCheck_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<bool>("duplicate");
        QTest::addColumn<int>("messages");
        QTest::newRow("count 0") << "select 0 as cnt" << false << 0;
        QTest::newRow("count 2") << "select 2 as cnt" << true << 1;
        QTest::newRow("from a table") << "select count(*) as cnt from t_rows where qty=2.5" << true << 1;
    }
    void duplicateCheck()
    {
        QFETCH(QString, statement);
        QFETCH(bool, duplicate);
        QFETCH(int, messages);
        QStringList shown;
        const bool answer =
            dm_->duplicateCheck(statement, "Такая запись уже есть!", [&](const QString& m) { shown << m; });
        QCOMPARE(answer, duplicate);
        QCOMPARE(shown.size(), messages);
        if (messages)
            QCOMPARE(shown.first(), QStringLiteral("Такая запись уже есть!"));
        QVERIFY(!dm_->Control.isOpen());
    }

    void loginAndPasswordWithOdbcSpecialCharacters()
    {
        // a login with ";" and a password with "}" reach the server unchanged
        const QString role = QStringLiteral("a;b_%1").arg(QCoreApplication::applicationPid());
        db_->exec(QStringLiteral("drop role if exists \"%1\"").arg(role));
        db_->exec(QStringLiteral("create role \"%1\" login password 'x}y=z'").arg(role));
        data::ConnectionParams p = db_->params();
        p.login = role;
        p.password = QStringLiteral("x}y=z");
        {
            data::Connection c(data::buildConnectionString(p), QStringLiteral("odbc-special"));
            c.open();
            data::Dataset who(c, "who", "select current_user as u");
            who.open();
            QCOMPARE(who.text("u"), role);
        }
        {
            p.password = QStringLiteral("x}y");
            data::Connection c(data::buildConnectionString(p), QStringLiteral("odbc-special-wrong"));
            QVERIFY_THROWS_EXCEPTION(data::DbError, c.open());
        }
        db_->exec(QStringLiteral("drop role \"%1\"").arg(role));
    }

    void gridsFollowTheDatasetAndOutliveIt()
    {
        auto ds = std::make_unique<data::Dataset>(dm_->ADO_DB, "rows", "select id, name from t_rows order by id");
        const QList<ui::GridColumn> columns{{"name", "Имя"}};
        auto first = std::make_unique<ui::DatasetGrid>(columns);
        ui::DatasetGrid second(columns);
        first->setDataset(ds.get());
        second.setDataset(ds.get());
        ds->open();
        QCOMPARE(first->model()->rowCount(), 4);
        QCOMPARE(second.model()->rowCount(), 4);
        ds->setRecNo(3);
        QCOMPARE(second.currentIndex().row(), 2);
        first.reset();  // one viewer leaving does not silence the other
        ds->setFilter("id=1");
        ds->setFiltered(true);
        QCOMPARE(second.model()->rowCount(), 1);
        QCOMPARE(second.datasetModel()->cellText(0, 0), QStringLiteral("Яковлев Б."));
        ds.reset();  // the dataset goes first: the grid forgets it
        QCOMPARE(second.model()->rowCount(), 0);
        QCOMPARE(second.dataset(), nullptr);
    }

    void sharedStatementsRun()
    {
        // every shared dataset of the data module runs against the database as written
        dm_->Workers.open();
        QVERIFY(dm_->Workers.recordCount() > 0);
        for (const char* f : {"id", "fio", "p_id", "s_staffpos_hl"})
            QVERIFY2(dm_->Workers.hasField(f), f);
        dm_->Workers.close();
        dm_->Oper.open();
        for (const char* f : {"marka", "vid", "naimen", "nmn", "norma", "cena", "id", "i_id", "oper_vid", "i_id_old"})
            QVERIFY2(dm_->Oper.hasField(f), f);
        dm_->Oper.close();
        dm_->Izdel.open();
        dm_->Izdel.close();
        dm_->Vid_oper.open();
        dm_->Vid_oper.close();
        for (int shift = 1; shift <= 4; ++shift) {
            auto& s = dm_->smena(shift);
            s.setParam("data", QDateTime(QDate(2026, 11, 30), QTime(0, 0)));
            s.setParam("ok", "ta");
            s.open();
            s.close();
        }
        for (int shift = 1; shift <= 3; ++shift) {
            auto& t = dm_->timeSheet(shift);
            t.setParam("mnth", 11);
            t.setParam("yea", 2026);
            t.open();
            QVERIFY(t.hasField("summ"));
            t.close();
        }
    }
};

TABEL_TEST_MAIN(DatasetTest)
#include "test_dataset.moc"
