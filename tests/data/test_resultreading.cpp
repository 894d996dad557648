// Reading a result in blocks against the real server, on awkward values:
// a null in every column type, 15-digit ids, numeric with six decimals,
// Cyrillic and characters outside the basic plane, texts and bytes longer
// than a block holds, results of no rows and of 100,000 rows. Each value
// must have the type, null-ness and contents that reading the query one
// value at a time gives (the reference), and the expected contents.

#include <QSqlRecord>
#include <QTest>
#include <cmath>

#include "data/connection.h"
#include "data/dataset.h"
#include "data/dberror.h"
#include "data/resultrows.h"
#include "data/statement.h"
#include "support/testdatabase.h"
#include "support/testmain.h"

namespace {

// The query's rows read one value at a time, as QtSql's own loop reads them.
data::ResultRows readValueByValue(data::Connection& connection, const QString& statement)
{
    QSqlQuery q = data::runStatement(connection, statement);
    data::ResultRows out;
    const QSqlRecord record = q.record();
    for (int i = 0; i < record.count(); ++i)
        out.fields << record.fieldName(i);
    while (q.next()) {
        QList<QVariant> row;
        for (int i = 0; i < record.count(); ++i)
            row << q.value(i);
        out.rows << row;
    }
    return out;
}

data::ResultRows readInBlocks(data::Connection& connection, const QString& statement,
                              const data::Parameters& params = {})
{
    return data::selectRows(connection, statement, params);
}

QString describe(const QVariant& v)
{
    return QStringLiteral("%1%2 %3").arg(QString::fromLatin1(v.metaType().name()),
                                         v.isNull() ? QStringLiteral(" null") : QString(), v.toString().left(40));
}

// The same fields, and every value of the same type, null-ness and contents.
void compareWithReference(const data::ResultRows& got, const data::ResultRows& want)
{
    QCOMPARE(got.fields, want.fields);
    QCOMPARE(got.rows.size(), want.rows.size());
    for (qsizetype r = 0; r < want.rows.size(); ++r)
        for (qsizetype c = 0; c < want.fields.size(); ++c) {
            const QVariant& g = got.rows[r][c];
            const QVariant& w = want.rows[r][c];
            const QByteArray where = QStringLiteral("row %1, %2: %3 instead of %4")
                                         .arg(r)
                                         .arg(want.fields[c], describe(g), describe(w))
                                         .toUtf8();
            const bool bothNaN =
                g.typeId() == QMetaType::Double && std::isnan(g.toDouble()) && std::isnan(w.toDouble());
            QVERIFY2(g.metaType() == w.metaType() && g.isNull() == w.isNull() && (g == w || bothNaN),
                     where.constData());
        }
}

const QString kAwkward = QStringLiteral(
    "select id, n_small, n_int, n_big, n_id, n_num, n_float, n_real, d_date, d_stamp, d_stamp_frac, d_time, "
    "s_ok, s_var, s_text, s_long, s_long2, s_lines, s_lines::char(12) as s_lines_char, b_flag, b_bytes, "
    "current_user as who, "
    "s_ok::\"char\" as one_char, n_int::oid as an_oid, n_int::money as money from t_awkward order by id");

}  // namespace

class ResultReadingTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<testing::TestDatabase> db_;
    std::unique_ptr<data::Connection> connection_;

private slots:
    void initTestCase()
    {
        db_ = std::make_unique<testing::TestDatabase>("resultreading");
        connection_ = std::make_unique<data::Connection>(db_->connectionString());
        db_->exec(
            "create table t_awkward (id integer primary key, n_small smallint, n_int integer, n_big bigint, "
            "n_id t_id, n_num t_float, n_float double precision, n_real real, d_date date, d_stamp timestamp(0), "
            "d_stamp_frac timestamp, d_time time(0), s_ok char(2), s_var varchar(512), s_text text, s_long text, "
            "s_long2 varchar(20000), s_lines text, b_flag boolean, b_bytes bytea)");
        // Row 1: a value in every column; row 2: null in every column but
        // the key; row 3: the other edge of each type.
        db_->exec(
            "insert into t_awkward values "
            "(1, -32768, 2147483647, 999999999999999, 999999999999999, 1234.123456, 0.1, 1.5, "
            " '2021-03-05', '2026-11-30 23:59:59', '2026-11-30 08:15:30.125', '17:45:00', 'ok', "
            " 'Кронштейн оцинкованный КР 200, «150 шт»', 'Ёлкин Ё.Ё. 𝄞 ✓', repeat('Щука ', 4000), "
            " repeat('ж', 256) || repeat('z', 3000), E'Строка\\nвторая\\r\\nтретья\\nи ещё', true, "
            " decode(repeat('00ff', 600), 'hex')), "
            "(2, null, null, null, null, null, null, null, null, null, null, null, null, null, null, null, null, "
            " null, null, null), "
            "(3, 32767, -2147483648, -999999999999999, 3000000001, -0.000001, -1e300, -3.25, '0001-01-01', "
            " '1970-01-01 00:00:00', '2000-02-29 00:00:00.000001', '00:00:00', 'o ', '', repeat('я', 255), "
            " repeat('я', 256), repeat('я', 257), E'a\\nb', false, ''), "
            // Row 4: values the server writes in other forms.
            "(4, 0, 0, 0, 0, 'NaN', 'Infinity', 'Infinity', 'infinity', '-infinity', '0044-03-15 12:00:00 BC', "
            " '24:00:00', 'да', 'x', 'y', 'z', 'w', E'\\r\\n', null, '\\x00')");
    }
    void cleanupTestCase()
    {
        connection_.reset();
        db_.reset();
    }

    void everyColumnTypeAsReadOneValueAtATime()
    {
        compareWithReference(readInBlocks(*connection_, kAwkward), readValueByValue(*connection_, kAwkward));
    }

    void valuesKeepTheirContents()
    {
        data::Dataset ds(*connection_, "awkward", kAwkward);
        ds.open();
        QCOMPARE(ds.recordCount(), 4);
        // 15-digit ids stay exact: no detour through a double.
        QCOMPARE(ds.value("n_big").metaType(), QMetaType::fromType<qlonglong>());
        QCOMPARE(ds.int64("n_big"), Q_INT64_C(999999999999999));
        QCOMPARE(ds.int64("n_id"), Q_INT64_C(999999999999999));
        QCOMPARE(ds.number("n_num"), 1234.123456);
        QCOMPARE(ds.text("n_num"), QStringLiteral("1234,123456"));
        QCOMPARE(ds.integer("n_small"), -32768);
        QCOMPARE(ds.date("d_date"), QDate(2021, 3, 5));
        QCOMPARE(ds.value("d_stamp").toDateTime(), QDateTime(QDate(2026, 11, 30), QTime(23, 59, 59)));
        QCOMPARE(ds.value("d_stamp_frac").toDateTime().time(), QTime(8, 15, 30, 125));
        QCOMPARE(ds.text("s_ok"), QStringLiteral("ok"));
        QCOMPARE(ds.text("s_var"), QStringLiteral("Кронштейн оцинкованный КР 200, «150 шт»"));
        QCOMPARE(ds.text("s_text"), QStringLiteral("Ёлкин Ё.Ё. 𝄞 ✓"));
        // Longer than a block holds: read whole.
        QCOMPARE(ds.text("s_long"), QStringLiteral("Щука ").repeated(4000));
        QCOMPARE(ds.text("s_long2"), QString(256, QChar(u'ж')) + QString(3000, QLatin1Char('z')));
        QCOMPARE(ds.value("b_bytes").toByteArray(), QByteArray::fromHex(QByteArray("00ff").repeated(600)));
        // Line feeds come as CR LF, as the connection's driver settings have it.
        QCOMPARE(ds.text("s_lines"), QStringLiteral("Строка\r\nвторая\r\nтретья\r\nи ещё"));

        ds.next();  // the row of nulls
        for (const QString& field : ds.fieldNames())
            if (field != "id" && field != "who")
                QVERIFY2(ds.isNull(field), qPrintable(field));
        QCOMPARE(ds.text("s_var"), QString());
        QCOMPARE(ds.int64("n_id"), Q_INT64_C(0));
        QCOMPARE(ds.date("d_date"), QDate());

        ds.next();
        QCOMPARE(ds.int64("n_big"), Q_INT64_C(-999999999999999));
        QCOMPARE(ds.int64("n_id"), Q_INT64_C(3000000001));
        QCOMPARE(ds.number("n_num"), -0.000001);
        QCOMPARE(ds.text("s_ok"), QStringLiteral("o "));
        // An empty text is a text, not a null.
        QVERIFY(!ds.isNull("s_var"));
        QCOMPARE(ds.text("s_var"), QString());
        QCOMPARE(ds.text("s_text").size(), 255);
        QCOMPARE(ds.text("s_long").size(), 256);
        QCOMPARE(ds.text("s_long2").size(), 257);
        QCOMPARE(ds.text("s_lines"), QStringLiteral("a\r\nb"));
        QCOMPARE(ds.text("s_lines_char"), QStringLiteral("a\r\nb") + QString(9, QLatin1Char(' ')));
        QCOMPARE(ds.date("d_date"), QDate(1, 1, 1));
    }

    void parametersAreBoundAsQtSqlBindsThem_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::newRow("int") << QVariant(5);
        QTest::newRow("null int") << QVariant(QMetaType::fromType<int>());
        QTest::newRow("15-digit id") << QVariant(Q_INT64_C(999999999999999));
        QTest::newRow("double") << QVariant(2.5);
        QTest::newRow("six decimals") << QVariant(1234.123456);
        QTest::newRow("not exact") << QVariant(0.1);
        QTest::newRow("small") << QVariant(-1e-7);
        QTest::newRow("negative") << QVariant(-7);
        QTest::newRow("null double") << QVariant(QMetaType::fromType<double>());
        QTest::newRow("bool") << QVariant(true);
        QTest::newRow("date") << QVariant(QDate(2021, 3, 5));
        QTest::newRow("invalid date") << QVariant(QDate());
        QTest::newRow("code") << QVariant(QStringLiteral("ta"));
        QTest::newRow("padded code") << QVariant(QStringLiteral("o "));
        QTest::newRow("unpadded code") << QVariant(QStringLiteral("o"));
        QTest::newRow("year 44") << QVariant(QDate(44, 3, 15));
        QTest::newRow("empty text") << QVariant(QString(""));
        QTest::newRow("null text") << QVariant(QString());
        QTest::newRow("Cyrillic") << QVariant(QStringLiteral("Ёлкин Ё.Ё. 𝄞"));
        QTest::newRow("long text") << QVariant(QStringLiteral("Щ").repeated(300));
        QTest::newRow("apostrophe") << QVariant(QStringLiteral("О'Нил' or 1=1 --"));
        // Bound by QtSql's own driver.
        QTest::newRow("date and time") << QVariant(QDateTime(QDate(2026, 11, 30), QTime(8, 15, 30)));
        QTest::newRow("no type") << QVariant();
        QTest::newRow("bytes") << QVariant(QByteArray("\x01\x02", 2));
    }
    void parametersAreBoundAsQtSqlBindsThem()
    {
        // The value the server got, and a comparison with a char(2) column
        // (which depends on the type the server gives the parameter), are
        // those QtSql's own binding gives; so is an error.
        QFETCH(QVariant, value);
        const QString statement =
            "select (:v)::text as value, count(*) filter (where s_ok = :v) as codes, "
            "count(*) filter (where s_var = :v) as texts from t_awkward";
        data::Parameters params;
        params.declare({"v"});
        params.set("v", value);
        data::ResultRows want;
        QString wantError;
        try {
            QSqlQuery q = data::runStatement(*connection_, statement, params);
            want.fields = QStringList{"value", "codes", "texts"};
            while (q.next())
                want.rows << QList<QVariant>{q.value(0), q.value(1), q.value(2)};
        } catch (const data::DbError& e) {
            wantError = e.text();
        }
        try {
            const data::ResultRows got = readInBlocks(*connection_, statement, params);
            QCOMPARE(QString(), wantError);
            compareWithReference(got, want);
        } catch (const data::DbError& e) {
            // The server's message; the driver's own line after it depends
            // on whether it prepared the statement first.
            QVERIFY(!wantError.isEmpty());
            QCOMPARE(e.text().section(QLatin1Char('\n'), 0, 0), wantError.section(QLatin1Char('\n'), 0, 0));
        }
    }

    void errorsAreTheServers_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("division by zero") << "select 1 / :v as x" << QVariant(0);
        QTest::newRow("not a number") << "select id from t_awkward where id = :v" << QVariant(QStringLiteral("ab"));
        QTest::newRow("no such column") << "select no_such_column from t_awkward where id = :v" << QVariant(1);
        QTest::newRow("no such table") << "select * from no_such_table" << QVariant();
    }
    void errorsAreTheServers()
    {
        QFETCH(QString, statement);
        QFETCH(QVariant, value);
        data::Parameters params;
        params.declare(data::toPositional(statement).names);
        if (params.contains("v"))
            params.set("v", value);
        QString want;
        try {
            data::runStatement(*connection_, statement, params);
        } catch (const data::DbError& e) {
            want = e.text();
        }
        QVERIFY(!want.isEmpty());
        try {
            readInBlocks(*connection_, statement, params);
            QFAIL("the statement was read");
        } catch (const data::DbError& e) {
            QCOMPARE(e.text().section(QLatin1Char('\n'), 0, 0), want.section(QLatin1Char('\n'), 0, 0));
            QCOMPARE(e.statement(), statement);
        }
        // The connection goes on.
        QCOMPARE(readInBlocks(*connection_, "select 1 as one").rows.size(), 1);
    }

    void noRowsStillNameTheFields()
    {
        const QString statement = "select id, s_var, n_num from t_awkward where id < 0";
        const data::ResultRows got = readInBlocks(*connection_, statement);
        QCOMPARE(got.fields, QStringList({"id", "s_var", "n_num"}));
        QVERIFY(got.rows.isEmpty());
        compareWithReference(got, readValueByValue(*connection_, statement));
    }

    void aHundredThousandRows()
    {
        // Many blocks, a null now and then, a long text now and then, values
        // that tell the rows apart.
        const QString statement =
            "select k, 'Работник № ' || k as caption, case when k % 7 <> 0 then k * 0.5 end as half, "
            "date '2021-01-01' + (k % 1000) as d, case when k % 1000 = 0 then repeat('д', 300 + k / 1000) else 'x' end "
            "as note, "
            "(k::bigint * 1000000000)::t_id as big "
            "from generate_series(1, 100000) k order by k";
        const data::ResultRows got = readInBlocks(*connection_, statement);
        QCOMPARE(got.rows.size(), 100000);
        double sum = 0;
        int nulls = 0;
        for (qsizetype i = 0; i < got.rows.size(); ++i) {
            const QList<QVariant>& row = got.rows[i];
            const int k = int(i + 1);
            if (row[0].toInt() != k || row[1].toString() != QStringLiteral("Работник № %1").arg(k) ||
                row[5].toLongLong() != qint64(k) * 1000000000 || row[3].toDate() != QDate(2021, 1, 1).addDays(k % 1000))
                QFAIL(qPrintable(QStringLiteral("row %1 read wrong").arg(k)));
            if (k % 1000 == 0 && row[4].toString() != QString(300 + k / 1000, QChar(u'д')))
                QFAIL(qPrintable(QStringLiteral("long text of row %1 read wrong").arg(k)));
            if (row[2].isNull())
                ++nulls;
            else
                sum += row[2].toDouble();
        }
        QCOMPARE(nulls, 100000 / 7);
        double expected = 0;
        for (int k = 1; k <= 100000; ++k)
            if (k % 7 != 0)
                expected += k * 0.5;
        QCOMPARE(sum, expected);
        compareWithReference(got, readValueByValue(*connection_, statement));
    }

    void bothWaysOfRunningReadAgain()
    {
        // A dataset whose value QtSql binds (a date and time) is read through
        // QtSql's statement; the others on a statement of their own. Either
        // reads every row again on a reload, beside the other.
        data::Dataset own(*connection_, "own", kAwkward);
        data::Dataset qtSql(*connection_, "qtSql", "select k from generate_series(1, 5000) k where :t < now()");
        qtSql.setParam("t", QDateTime(QDate(2021, 3, 5), QTime(8, 0)));
        own.open();
        qtSql.open();
        own.reload();
        qtSql.reload();
        QCOMPARE(own.recordCount(), 4);
        QCOMPARE(qtSql.recordCount(), 5000);
        qtSql.last();
        QCOMPARE(qtSql.integer("k"), 5000);
    }
};

TABEL_TEST_MAIN(ResultReadingTest)
#include "test_resultreading.moc"
