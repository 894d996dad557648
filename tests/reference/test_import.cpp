// The legacy import from the journal's hidden entry, on a real previous
// database: a SQLite file reached through the SQLite ODBC driver as the data
// source "Tabel", and the fresh test database as "Tabel_PgSQL", both declared
// in ODBC files of the suite's own. The database here keeps no sequence ahead
// by itself and its sequences have given nothing yet, as on a new plant.

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/windows.h"
#include "data/connection.h"
#include "data/statement.h"
#include "editor/dialogscript.h"
#include "editor/userinput.h"
#include "records/shiftrecordstore.h"
#include "support/messagerecorder.h"
#include "support/testdatabase.h"
#include "support/testmain.h"
#include "tools/legacysource/legacysource.h"
#include "ui/datasetgrid.h"

using namespace reference;

namespace {

const QStringList kTargets{QStringLiteral("h_tabel"), QStringLiteral("izdel"),   QStringLiteral("nomenkl"),
                           QStringLiteral("oper"),    QStringLiteral("vid_oper"), QStringLiteral("workers"),
                           QStringLiteral("smena")};

// "v0:v1,v0:v1,..." of the chosen columns of a legacy table, in id order.
QString joined(const legacy::Table& t, const QList<int>& columns)
{
    QStringList rows;
    for (const QVariantList& row : t.rows) {
        QStringList values;
        for (int c : columns)
            values << row[c].toString();
        rows << values.join(QLatin1Char(':'));
    }
    return rows.join(QLatin1Char(','));
}

}  // namespace

class ImportTest : public QObject {
    Q_OBJECT
private:
    QString dir_;
    QList<legacy::Table> tables_ = legacy::makeTables();
    std::unique_ptr<testing::TestDatabase> db_;
    std::unique_ptr<data::Connection> legacyFile_;
    std::unique_ptr<app::Windows> windows_;
    std::unique_ptr<testing::DialogScript> script_;

    data::DataModule& dm() { return windows_->dataModule; }
    LegacyImport& legacyImport() { return windows_->journal.legacyImport; }
    QString text(const QString& statement) const { return db_->scalar(statement).toString(); }
    int count(const QString& statement) const { return db_->scalar(statement).toInt(); }

    // The same columns of our table ("a || ':' || b"), in id order.
    QString stored(const QString& table, const QString& columns) const
    {
        return text(QStringLiteral("select string_agg(%1, ',' order by id) from accounts_dep.%2 where id > 0")
                        .arg(columns, table));
    }
    // Every row of each target table, ids included.
    QStringList snapshot() const
    {
        QStringList out;
        for (const QString& t : kTargets)
            out << text(QStringLiteral("select coalesce(string_agg(x::text, '|' order by x::text), '') "
                                       "from accounts_dep.%1 x")
                            .arg(t));
        return out;
    }

    // The previous database as the generator makes it: six tables in the
    // file, the shift records in public.smena of our database.
    void writeLegacyDatabase()
    {
        for (const legacy::Table& t : tables_)
            if (t.name != QLatin1String("SMENA"))
                legacy::writeTable(*legacyFile_, t);
        data::Connection ours(db_->connectionString(), QStringLiteral("legacy-smena"));
        legacy::writeTable(ours, legacy::table(tables_, QStringLiteral("SMENA")), QStringLiteral("public.smena"));
    }
    void legacyStatement(const QString& statement) { data::runStatement(*legacyFile_, statement); }

    void runImport() { windows_->journal.importAction->trigger(); }

private slots:
    void initTestCase()
    {
        dir_ = QDir::tempPath() + QStringLiteral("/tabel_import_%1").arg(QCoreApplication::applicationPid());
        QDir(dir_).removeRecursively();
        const QString database = testing::TestDatabase::nameFor(QStringLiteral("import"));
        const QString password = data::defaultConnectionParams().password;
        const QString server = testing::TestDatabase::server();
        legacy::useOdbcFiles(dir_, {legacy::sqliteSource(QStringLiteral("Tabel"), dir_ + QStringLiteral("/legacy.db")),
                                    legacy::postgresSource(QStringLiteral("Tabel_PgSQL"), server, database, password),
                                    legacy::postgresSource(QStringLiteral("Tabel_PgSQL_Wrong"), server, database,
                                                           QStringLiteral("не тот пароль"))});
        db_ = std::make_unique<testing::TestDatabase>(QStringLiteral("import"));
        QCOMPARE(db_->name(), database);

        // Only the import may move the sequences here, and they start from 1.
        db_->exec(QStringLiteral(
            "do $$ declare t record; begin "
            "for t in select tgname, tgrelid::regclass as rel from pg_trigger where tgname like '%_keep_ids' loop "
            "execute format('drop trigger %I on %s', t.tgname, t.rel); end loop; end $$"));
        db_->exec(QStringLiteral("select setval(pg_get_serial_sequence('accounts_dep.' || t, 'id'), 1, false) from "
                                 "unnest(array['h_tabel', 'nomenkl', 'oper', 'vid_oper', 'workers', 'smena']) t"));
        db_->exec(QStringLiteral("select setval('cmn_gds_and_srv.gds_and_srv_id_seq', 1, false)"));
        // Rows with id 0 or below are not the import's.
        db_->exec(QStringLiteral("insert into accounts_dep.vid_oper (id, vid) values (0, 'Без вида')"));
        db_->exec(QStringLiteral("insert into accounts_dep.workers (id, fio) values (0, 'Нулевой'), (-1, 'Минус')"));

        legacyFile_ = std::make_unique<data::Connection>(
            legacy::sqliteConnectionString(dir_ + QStringLiteral("/legacy.db")), QStringLiteral("legacy-file"));
        writeLegacyDatabase();
        windows_ = std::make_unique<app::Windows>(db_->connectionString());
    }
    void init() { script_ = std::make_unique<testing::DialogScript>(); }
    void cleanup()
    {
        script_.reset();
        legacyImport().setSources(configuredImportSources());
        legacyImport().setBatchRows(1000);
    }
    void cleanupTestCase()
    {
        windows_.reset();
        legacyFile_.reset();
        db_.reset();
        QDir(dir_).removeRecursively();
    }

    void everyTableIsCopiedWithItsIdsAndReferences()
    {
        QVERIFY(!windows_->journal.importAction->isVisible());
        QVERIFY(windows_->journal.Label1->isHidden());
        testing::MessageRecorder messages;
        runImport();
        QCOMPARE(messages.texts(), QStringList());
        QCOMPARE(windows_->journal.Label1->text(), QStringLiteral("smena: 120 из 120 записей"));

        using legacy::table;
        // The ids and every reference between the rows, as they were.
        QCOMPARE(stored(QStringLiteral("vid_oper"), QStringLiteral("id::text")),
                 joined(table(tables_, QStringLiteral("VID_OPER")), {0}));
        QCOMPARE(stored(QStringLiteral("izdel"), QStringLiteral("id::text")),
                 joined(table(tables_, QStringLiteral("IZDEL")), {0}));
        QCOMPARE(stored(QStringLiteral("workers"), QStringLiteral("id::text")),
                 joined(table(tables_, QStringLiteral("WORKERS")), {0}));
        QCOMPARE(stored(QStringLiteral("oper"), QStringLiteral("id || ':' || vid || ':' || i_id")),
                 joined(table(tables_, QStringLiteral("OPER")), {0, 1, 4}));
        QCOMPARE(stored(QStringLiteral("smena"), QStringLiteral("id || ':' || w_id || ':' || i_id || ':' || o_id")),
                 joined(table(tables_, QStringLiteral("SMENA")), {0, 1, 2, 3}));
        QCOMPARE(stored(QStringLiteral("h_tabel"), QStringLiteral("id || ':' || w_id || ':' || smena")),
                 joined(table(tables_, QStringLiteral("H_TABEL")), {0, 1, 4}));
        QCOMPARE(count(QStringLiteral("select count(*) from accounts_dep.nomenkl")), 10);

        // Missing numbers arrive as 0, missing texts and dates stay missing.
        QCOMPARE(text(QStringLiteral("select d7 || '/' || d1 from accounts_dep.h_tabel where id = %1")
                          .arg(legacy::timeSheetId(0))),
                 QStringLiteral("0/8"));
        QCOMPARE(text(QStringLiteral("select massa from accounts_dep.izdel where id = %1").arg(legacy::productId(2))),
                 QStringLiteral("0"));
        QCOMPARE(text(QStringLiteral("select massa from accounts_dep.izdel where id = %1").arg(legacy::productId(3))),
                 QStringLiteral("16.25"));
        QCOMPARE(text(QStringLiteral("select cena || '/' || naimen from accounts_dep.oper where id = %1")
                          .arg(legacy::operationId(5))),
                 QStringLiteral("0/1"));
        QCOMPARE(text(QStringLiteral("select cena from accounts_dep.oper where id = %1").arg(legacy::operationId(6))),
                 QStringLiteral("3"));
        QCOMPARE(text(QStringLiteral("select kol_vo from accounts_dep.smena where id = %1")
                          .arg(legacy::shiftRecordId(4))),
                 QStringLiteral("0"));
        QCOMPARE(text(QStringLiteral("select kol_vo from accounts_dep.smena where id = %1")
                          .arg(legacy::shiftRecordId(13))),
                 QStringLiteral("23.5"));  // a half piece is kept
        QCOMPARE(count(QStringLiteral("select count(*) from accounts_dep.smena where id = %1 and data is null")
                           .arg(legacy::shiftRecordId(7))),
                 1);
        QCOMPARE(count(QStringLiteral("select count(*) from accounts_dep.workers where id = %1 and addr is null")
                           .arg(legacy::workerId(1))),
                 1);
        QCOMPARE(count(QStringLiteral("select count(*) from accounts_dep.nomenkl where nom is null")), 1);
        QCOMPARE(text(QStringLiteral("select data || ' ' || vvod || ' ' || time || ' ' || cena || ' ' || ok "
                                     "from accounts_dep.smena where id = %1")
                          .arg(legacy::shiftRecordId(0))),
                 QStringLiteral("2020-11-02 2020-11-03 10:15:00 4 1.5 no"));

        // Texts pass as they are, whatever they hold.
        QCOMPARE(text(QStringLiteral("select fio from accounts_dep.workers where id = %1").arg(legacy::workerId(2))),
                 legacy::awkwardName);
        QCOMPARE(text(QStringLiteral("select marka from accounts_dep.izdel where id = %1").arg(legacy::productId(1))),
                 legacy::awkwardName);
        QCOMPARE(text(QStringLiteral("select vid from accounts_dep.vid_oper where id = %1").arg(legacy::kindId(3))),
                 legacy::awkwardName);

        // Rows with id 0 or below were not emptied.
        QCOMPARE(text(QStringLiteral("select string_agg(id || fio, ',' order by id) from accounts_dep.workers "
                                     "where id <= 0")),
                 QStringLiteral("-1Минус,0Нулевой"));
        QCOMPARE(text(QStringLiteral("select vid from accounts_dep.vid_oper where id = 0")), QStringLiteral("Без вида"));
    }

    // Run again, on a server that reads backslashes in texts as escapes.
    void aSecondRunGivesTheNomenclatureFreshIds()
    {
        const int lastBefore = count(QStringLiteral("select max(id) from accounts_dep.nomenkl"));
        const QString others = snapshot().mid(3).join(QLatin1Char('\n'));
        db_->exec(QStringLiteral("alter database %1 set standard_conforming_strings = off").arg(db_->name()));
        legacyImport().setSources(configuredImportSources());  // connects anew
        testing::MessageRecorder messages;
        runImport();
        db_->exec(QStringLiteral("alter database %1 reset standard_conforming_strings").arg(db_->name()));
        QCOMPARE(messages.texts(), QStringList());
        QCOMPARE(count(QStringLiteral("select count(*) from accounts_dep.nomenkl")), 10);
        QVERIFY(count(QStringLiteral("select min(id) from accounts_dep.nomenkl")) > lastBefore);
        QCOMPARE(snapshot().mid(3).join(QLatin1Char('\n')), others);  // the copy of the rest is the same
    }

    // A row the database refuses, in the second of the table's inserts: its
    // step's table stays exactly as it was, the steps before it are done, the
    // ones after it do not run.
    void aRefusedRowLeavesItsTableAsItWas()
    {
        legacyImport().setBatchRows(3);
        db_->exec(QStringLiteral("update accounts_dep.smena set kol_vo = 999 where id = 1"));
        db_->exec(QStringLiteral("delete from accounts_dep.nomenkl"));  // step 3 fills it again
        const QStringList before = snapshot();
        legacyStatement(QStringLiteral("update WORKERS set FIO = '%1' where id = %2")
                            .arg(QString(130, QChar(0x416)))
                            .arg(legacy::workerId(4)));

        testing::MessageRecorder messages;
        runImport();
        QCOMPARE(messages.count(), 1);
        const QString message = messages.lastText();
        QVERIFY2(message.startsWith(QStringLiteral("Импорт остановлен на шаге 6 из 7 (WORKERS → accounts_dep.workers), "
                                                   "запись 5 (id 5): база данных не приняла запись.\n")),
                 qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("value too long")), qPrintable(message));
        QVERIFY(message.endsWith(QStringLiteral("Таблица accounts_dep.workers не изменена, таблицы следующих шагов не "
                                                "тронуты.")));
        QCOMPARE(messages.messages().last().caption, QStringLiteral("Ошибка"));

        const QStringList after = snapshot();
        QCOMPARE(after[5], before[5]);  // workers
        QCOMPARE(after[6], before[6]);  // smena: not run
        QCOMPARE(count(QStringLiteral("select count(*) from accounts_dep.nomenkl")), 10);  // done
        QCOMPARE(windows_->journal.Label1->text(), QStringLiteral("WORKERS: 3 из 20 записей"));  // the first insert

        // The program goes on: the journal reads a day again, on its own
        // connection, without an error.
        windows_->journal.setJournalDate(QDate(2020, 11, 2));
        windows_->journal.changeDate();
        QVERIFY(dm().smena(1).isOpen());
        QCOMPARE(messages.count(), 1);

        legacyStatement(QStringLiteral("update WORKERS set FIO = 'Работник Старой Базы 5' where id = %1")
                            .arg(legacy::workerId(4)));
        runImport();
        QCOMPARE(messages.count(), 1);
        QCOMPARE(text(QStringLiteral("select kol_vo from accounts_dep.smena where id = 1")), QStringLiteral("10"));
    }

    // Sources that cannot be read or carried change nothing, and say where.
    void unreadableSourcesChangeNothing()
    {
        struct Case {
            const char* name;
            std::function<void()> spoil;
            ImportSources sources;
            QString message;
            int firstUntouched;  // index into kTargets: the tables from here on are as they were
            QString progress = {};  // the last progress line, when it is checked
        };
        ImportSources noLegacy = configuredImportSources();
        noLegacy.legacyDsn = QStringLiteral("Нет_такого");
        ImportSources wrongPassword = configuredImportSources();
        wrongPassword.targetDsn = QStringLiteral("Tabel_PgSQL_Wrong");
        const QString noOper = QStringLiteral("Импорт остановлен на шаге 4 из 7 (OPER → accounts_dep.oper)");
        const QList<Case> cases{
            {"missing data source", [] {}, noLegacy,
             QStringLiteral("Импорт не начат: нет соединения с источником данных «Нет_такого».\n"), 0},
            {"wrong password", [] {}, wrongPassword,
             QStringLiteral("Импорт не начат: нет соединения с источником данных «Tabel_PgSQL_Wrong».\n"), 0},
            {"missing table", [&] { legacyStatement(QStringLiteral("drop table WORKERS")); }, configuredImportSources(),
             QStringLiteral("Импорт остановлен на шаге 6 из 7 (WORKERS → accounts_dep.workers): таблица не прочитана.\n"),
             5, QStringLiteral("VID_OPER: 12 из 12 записей")},
            {"value that is no number",
             [&] {
                 legacy::Table oper = legacy::table(tables_, QStringLiteral("OPER"));
                 oper.columns[1] = QStringLiteral("VID VARCHAR(10)");
                 oper.rows[2][1] = QStringLiteral("5а");
                 legacy::writeTable(*legacyFile_, oper);
             },
             configuredImportSources(),
             noOper + QStringLiteral(", запись 3 (id 5), поле vid: «5а» — не число.\n"), 3},
            {"fraction for a whole number",
             [&] {
                 legacy::Table oper = legacy::table(tables_, QStringLiteral("OPER"));
                 oper.columns[4] = QStringLiteral("i_id DOUBLE PRECISION");
                 oper.rows[1][4] = 6.5;
                 legacy::writeTable(*legacyFile_, oper);
             },
             configuredImportSources(),
             noOper + QStringLiteral(", запись 2 (id 3), поле i_id: «6.5» — не целое число.\n"), 3},
            {"no previous shift records: the name is our own table",
             [&] { db_->exec(QStringLiteral("drop table public.smena")); }, configuredImportSources(),
             QStringLiteral("Импорт остановлен на шаге 7 из 7 (smena → accounts_dep.smena): на соединении программы "
                            "имя smena означает саму таблицу accounts_dep.smena, а не записи прежней базы.\n"),
             6},
        };
        for (const Case& c : cases) {
            db_->exec(QStringLiteral("update accounts_dep.izdel set massa = -1 where id = %1").arg(legacy::productId(0)));
            const QStringList before = snapshot();
            c.spoil();
            legacyImport().setSources(c.sources);
            testing::MessageRecorder messages;
            runImport();
            QVERIFY2(messages.count() == 1, c.name);
            QVERIFY2(messages.lastText().startsWith(c.message), qPrintable(messages.lastText()));
            const QStringList after = snapshot();
            for (int t = c.firstUntouched; t < kTargets.size(); ++t)
                QVERIFY2(after[t] == before[t], qPrintable(QStringLiteral("%1: %2").arg(c.name, kTargets[t])));
            if (!c.progress.isEmpty())
                QCOMPARE(windows_->journal.Label1->text(), c.progress);
            // The steps before the failing one are done, each in its own transaction.
            QVERIFY2(count(QStringLiteral("select count(*) from accounts_dep.izdel where massa = -1"))
                         == (c.firstUntouched > 1 ? 0 : 1),
                     c.name);
            writeLegacyDatabase();
        }
    }

    // The sequences stand past the copied ids: what is added next through
    // the program does not collide with a copied row.
    void recordsAddedAfterAnImportGetNewIds()
    {
        // A sequence already past the copied ids stays where it is.
        db_->exec(QStringLiteral("select setval(pg_get_serial_sequence('accounts_dep.vid_oper', 'id'), 5000)"));
        testing::MessageRecorder messages;
        runImport();
        QCOMPARE(messages.texts(), QStringList());

        script_->on<OperationKindList>(QStringLiteral("Form8"), [&](OperationKindList& list) {
            script_->on<OperationKindEditor>(QStringLiteral("Form9"), [&](OperationKindEditor& e) {
                e.nameEdit->setText(QStringLiteral("Вид после импорта"));
                e.saveButton->click();
                QCOMPARE(e.result(), int(QDialog::Accepted));
            });
            list.addButton->click();
            list.exitButton->click();
        });
        windows_->journal.operationKindsAction->trigger();

        script_->on<ProductList>(QStringLiteral("Form3"), [&](ProductList& list) {
            script_->on<ProductEditor>(QStringLiteral("Form7"), [&](ProductEditor& e) {
                e.markEdit->setText(QStringLiteral("ПИ-1 после импорта"));
                e.massaEdit->setText(QStringLiteral("1"));
                e.saveButton->click();
                QCOMPARE(e.result(), int(QDialog::Accepted));
            });
            list.addButton->click();
            list.exitButton->click();
        });
        windows_->products.openAsList();

        script_->on<OperationList>(QStringLiteral("Form4"), [&](OperationList& list) {
            script_->on<OperationEditor>(QStringLiteral("Form10"), [&](OperationEditor& e) {
                script_->on<ProductList>(QStringLiteral("Form3"), [&](ProductList& products) {
                    testing::typeText(products.searchEdit, QStringLiteral("пи-1 после"));
                    QCOMPARE(dm().Izdel.recordCount(), 1);
                    emit products.grid->doubleClicked(products.grid->model()->index(0, 0));
                });
                e.productButton->click();
                script_->on<OperationKindList>(QStringLiteral("Form8"), [&](OperationKindList& kinds) {
                    testing::typeText(kinds.searchEdit, QStringLiteral("вид после"));
                    QCOMPARE(dm().Vid_oper.recordCount(), 1);
                    kinds.selectButton->click();
                });
                e.kindButton->click();
                testing::typeText(e.priceEdit, QStringLiteral("2,5"));
                e.saveButton->click();
                QCOMPARE(e.result(), int(QDialog::Accepted));
            });
            list.addButton->click();
            list.exitButton->click();
        });
        windows_->journal.pricesAction->trigger();
        QCOMPARE(script_->pending(), 0);
        QCOMPARE(messages.texts(), QStringList());

        const int product = count(QStringLiteral("select id from accounts_dep.izdel where marka = 'ПИ-1 после импорта'"));
        const int kind = count(QStringLiteral("select id from accounts_dep.vid_oper where vid = 'Вид после импорта'"));
        const int operation = count(QStringLiteral("select id from accounts_dep.oper where i_id = %1").arg(product));
        QVERIFY(kind > 5000);
        QVERIFY(product > legacy::productId(7));
        QVERIFY(operation > legacy::operationId(29));

        // A shift record and its day cell, saved as the editor saves them.
        records::ShiftRecordValues v;
        v.worker = legacy::workerId(0);
        v.product = product;
        v.operation = operation;
        v.price = 2.5;
        v.quantity = 3;
        v.date = QDate(2020, 12, 1);
        v.hours = 8;
        const int record = records::saveShiftRecord(dm(), v, 0, QDate(2020, 12, 1));
        QVERIFY(record > legacy::shiftRecordId(119));
        QVERIFY(count(QStringLiteral("select id from accounts_dep.h_tabel where w_id = %1 and month = 12")
                          .arg(v.worker))
                > legacy::timeSheetId(24));
    }
};

TABEL_TEST_MAIN(ImportTest)
#include "test_import.moc"
