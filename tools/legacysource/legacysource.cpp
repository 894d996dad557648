#include "tools/legacysource/legacysource.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <stdexcept>

#include "core/textformat.h"
#include "data/connection.h"
#include "data/statement.h"

namespace legacy {

namespace {

QVariant missing() { return QVariant(); }

Table timeSheet(const Sizes& s)
{
    Table t{QStringLiteral("H_TABEL"),
            {QStringLiteral("id INTEGER"), QStringLiteral("w_id INTEGER"), QStringLiteral("month SMALLINT"),
             QStringLiteral("year SMALLINT"), QStringLiteral("smena SMALLINT")},
            {}};
    for (int day = 1; day <= 31; ++day)
        t.columns << QStringLiteral("d%1 SMALLINT").arg(day);
    for (int i = 0; i < s.timeSheetRows; ++i) {
        // one row per worker and shift of November 2020
        QVariantList row{timeSheetId(i), workerId((i / 3) % s.workers), 11, 2020, 1 + i % 3};
        for (int day = 1; day <= 31; ++day)
            row << ((day + i) % 7 == 0 ? missing() : QVariant((day + i) % 5 == 0 ? 0 : 8));
        t.rows << row;
    }
    return t;
}

Table products(const Sizes& s)
{
    Table t{QStringLiteral("IZDEL"),
            {QStringLiteral("id INTEGER"), QStringLiteral("MARKA VARCHAR(50)"), QStringLiteral("nom VARCHAR(100)"),
             QStringLiteral("massa DECIMAL(19,4)")},
            {}};
    for (int i = 0; i < s.products; ++i)
        t.rows << QVariantList{productId(i),
                               i == 1 ? awkwardName : QStringLiteral("СТ-%1").arg(100 + i),
                               i == 4 ? missing() : QVariant(QStringLiteral("Стеллаж складской %1").arg(i + 1)),
                               i == 2 ? missing() : QVariant(12.5 + i * 1.25)};
    return t;
}

Table nomenclature(const Sizes& s)
{
    Table t{QStringLiteral("NOMENKL"),
            {QStringLiteral("id INTEGER"), QStringLiteral("marka VARCHAR(7)"), QStringLiteral("Nom VARCHAR(150)")},
            {}};
    for (int i = 0; i < s.nomenclature; ++i)
        t.rows << QVariantList{i + 1, QStringLiteral("Н-%1").arg(i + 1),
                               i == 3 ? missing() : QVariant(QStringLiteral("Позиция номенклатуры %1").arg(i + 1))};
    return t;
}

Table operations(const Sizes& s)
{
    Table t{QStringLiteral("OPER"),
            {QStringLiteral("id INTEGER"), QStringLiteral("VID INTEGER"), QStringLiteral("NAIMEN INTEGER"),
             QStringLiteral("CENA DECIMAL(19,4)"), QStringLiteral("i_id INTEGER")},
            {}};
    for (int i = 0; i < s.operations; ++i)
        t.rows << QVariantList{operationId(i), kindId(i % s.kinds), i % 2,
                               i == 5 ? missing() : QVariant(1.5 + i * 0.25), productId(i % s.products)};
    return t;
}

Table kinds(const Sizes& s)
{
    Table t{QStringLiteral("VID_OPER"), {QStringLiteral("id INTEGER"), QStringLiteral("VID VARCHAR(50)")}, {}};
    for (int i = 0; i < s.kinds; ++i)
        t.rows << QVariantList{kindId(i), i == 3 ? awkwardName : QStringLiteral("Операция старой базы %1").arg(i + 1)};
    return t;
}

Table workers(const Sizes& s)
{
    Table t{QStringLiteral("WORKERS"),
            {QStringLiteral("id INTEGER"), QStringLiteral("FIO VARCHAR(50)"), QStringLiteral("ADDR VARCHAR(100)")},
            {}};
    for (int i = 0; i < s.workers; ++i)
        t.rows << QVariantList{workerId(i),
                               i == 2 ? awkwardName : QStringLiteral("Работник Старой Базы %1").arg(i + 1),
                               i == 1 ? missing() : QVariant(QStringLiteral("ул. Заводская, %1").arg(i + 1))};
    return t;
}

Table shiftRecords(const Sizes& s)
{
    Table t{QStringLiteral("SMENA"),
            {QStringLiteral("id INTEGER"), QStringLiteral("w_id INTEGER"), QStringLiteral("i_id INTEGER"),
             QStringLiteral("o_id INTEGER"), QStringLiteral("kol_vo DOUBLE PRECISION"), QStringLiteral("brak INTEGER"),
             QStringLiteral("smena INTEGER"), QStringLiteral("cena DOUBLE PRECISION"), QStringLiteral("color INTEGER"),
             QStringLiteral("ok VARCHAR(2)"), QStringLiteral("data DATE"), QStringLiteral("time INTEGER"),
             QStringLiteral("vvod TIMESTAMP")},
            {}};
    const QDate first(2020, 11, 2);
    for (int i = 0; i < s.shiftRecords; ++i) {
        const int operation = i % s.operations;
        const QDate day = first.addDays(i % 28);
        t.rows << QVariantList{shiftRecordId(i),
                               workerId(i % s.workers),
                               productId(operation % s.products),
                               operationId(operation),
                               i % 17 == 4 ? missing() : QVariant(10 + i % 40 + (i % 10 == 3 ? 0.5 : 0.0)),
                               i % 9 == 0 ? 1 : 0,
                               1 + i % 3,
                               1.5 + operation * 0.25,
                               i % 11 == 0 ? 1 : 0,
                               i % 4 == 0 ? QStringLiteral("no") : QStringLiteral("ok"),
                               i % 23 == 7 ? missing() : QVariant(day),
                               i % 6 == 0 ? 4 : 8,
                               QDateTime(day.addDays(1), QTime(10, 15, i % 60))};
    }
    return t;
}

QString literal(const QVariant& v)
{
    if (v.isNull())
        return QStringLiteral("null");
    switch (v.typeId()) {
    case QMetaType::QString:
        return fmt::quoted(v.toString());
    case QMetaType::QDate:
        return fmt::quoted(v.toDate().toString(Qt::ISODate));
    case QMetaType::QDateTime:
        return fmt::quoted(v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', 17);
    default:
        return v.toString();
    }
}

void writeFile(const QString& path, const QString& text)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(text.toUtf8()) < 0)
        throw std::runtime_error("cannot write " + path.toStdString());
}

}  // namespace

QList<Table> makeTables(const Sizes& sizes)
{
    return {timeSheet(sizes), products(sizes), nomenclature(sizes), operations(sizes),
            kinds(sizes),     workers(sizes),  shiftRecords(sizes)};
}

const Table& table(const QList<Table>& tables, const QString& name)
{
    for (const Table& t : tables)
        if (t.name == name)
            return t;
    throw std::runtime_error("no legacy table " + name.toStdString());
}

void writeTable(data::Connection& connection, const Table& table, const QString& as)
{
    data::Transaction transaction(connection);
    data::runStatement(connection, QStringLiteral("drop table if exists ") + as);
    data::runStatement(connection, QStringLiteral("create table %1 (%2)").arg(as, table.columns.join(QStringLiteral(", "))));
    constexpr int batch = 200;
    for (qsizetype from = 0; from < table.rows.size(); from += batch) {
        QStringList tuples;
        for (qsizetype i = from; i < std::min(table.rows.size(), from + batch); ++i) {
            QStringList values;
            for (const QVariant& v : table.rows[i])
                values << literal(v);
            tuples << QLatin1Char('(') + values.join(QStringLiteral(", ")) + QLatin1Char(')');
        }
        data::runStatement(connection, QStringLiteral("insert into %1 values %2").arg(as, tuples.join(QStringLiteral(", "))));
    }
    transaction.commit();
}

QString sqliteConnectionString(const QString& file)
{
    return QStringLiteral("DRIVER={SQLite3};Database=") + file;
}

DataSource sqliteSource(const QString& name, const QString& file)
{
    return {name, {{QStringLiteral("Driver"), QStringLiteral("SQLite3")}, {QStringLiteral("Database"), file}}};
}

DataSource postgresSource(const QString& name, const QString& server, const QString& database,
                          const QString& password)
{
    return {name,
            {{QStringLiteral("Driver"), QStringLiteral("PostgreSQL UNICODE")},
             {QStringLiteral("Servername"), server},
             {QStringLiteral("Port"), QStringLiteral("5432")},
             {QStringLiteral("Database"), database},
             {QStringLiteral("Password"), password}}};
}

void useOdbcFiles(const QString& dir, const QList<DataSource>& sources)
{
    QDir().mkpath(dir);
    // The drivers by the names Debian installs them under; the driver
    // manager finds them in its own library folder.
    writeFile(dir + QStringLiteral("/odbcinst.ini"),
              QStringLiteral("[PostgreSQL UNICODE]\nDriver = psqlodbcw.so\n\n[SQLite3]\nDriver = libsqlite3odbc.so\n"));
    QString ini;
    for (const DataSource& source : sources) {
        ini += QLatin1Char('[') + source.name + QStringLiteral("]\n");
        for (const auto& [key, value] : source.settings)
            ini += key + QStringLiteral(" = ") + value + QLatin1Char('\n');
        ini += QLatin1Char('\n');
    }
    writeFile(dir + QStringLiteral("/odbc.ini"), ini);
    qputenv("ODBCSYSINI", QFile::encodeName(dir));
    qputenv("ODBCINI", QFile::encodeName(dir + QStringLiteral("/odbc.ini")));
}

}  // namespace legacy
