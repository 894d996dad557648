#include "reference/referencestatements.h"

#include "core/textformat.h"

namespace reference::statements {

namespace {

QString except(const QString& condition, bool present, qint64 id)
{
    return present ? condition + QStringLiteral(" and id<>") + QString::number(id) : condition;
}

QString id(qint64 value)
{
    return QString::number(value);
}

// Rows of the table whose name column, upper-cased, equals the name upper-cased here.
QString nameDuplicate(const char* table, const char* column, const QString& name, bool present, qint64 exceptId)
{
    return except(QStringLiteral("select count(*) as cnt from accounts_dep.%1 where upper(%2)=")
                          .arg(QLatin1String(table), QLatin1String(column))
                      + fmt::quoted(name.toUpper()),
                  present, exceptId);
}

}  // namespace

QString kindDuplicate(const QString& trimmedName, std::optional<int> exceptId)
{
    return nameDuplicate("vid_oper", "vid", trimmedName, exceptId.has_value(), exceptId.value_or(0));
}

QString productDuplicate(const QString& trimmedMark, std::optional<qint64> exceptId)
{
    return nameDuplicate("izdel", "marka", trimmedMark, exceptId.has_value(), exceptId.value_or(0));
}

QString operationDuplicate(int kind, int type, qint64 product, std::optional<int> exceptId)
{
    return except(QStringLiteral("select count(*) as cnt from accounts_dep.OPER where vid=") + id(kind)
                      + QStringLiteral(" and naimen=") + id(type) + QStringLiteral(" and i_id=") + id(product),
                  exceptId.has_value(), exceptId.value_or(0));
}

QString kindInsert()
{
    return QStringLiteral("insert into accounts_dep.vid_oper (vid) values (:vid)");
}

QString kindUpdate()
{
    return QStringLiteral("update accounts_dep.vid_oper set vid=:vid where id=:id");
}

QString productInsert()
{
    return QStringLiteral("insert into accounts_dep.izdel (marka, nom, massa) values (:marka, :nom, :massa)");
}

QString productUpdate()
{
    return QStringLiteral("update accounts_dep.izdel set marka=:marka, nom=:nom, massa=:massa where id=:id");
}

QString kindUsage(int kind)
{
    return QStringLiteral("select (select count(*) from accounts_dep.oper where vid=%1) as operations, 0 as records")
        .arg(kind);
}

QString productUsage(qint64 product)
{
    return QStringLiteral(
               "select (select count(*) from accounts_dep.oper where i_id=%1 or i_id_old=%1) as operations, "
               "(select count(*) from accounts_dep.smena where i_id=%1) as records")
        .arg(product);
}

QString operationUsage(int operation)
{
    return QStringLiteral("select 0 as operations, (select count(*) from accounts_dep.smena where o_id=%1) as records")
        .arg(operation);
}

QString kindDelete(int kind)
{
    return QStringLiteral("delete from accounts_dep.vid_oper where id=") + id(kind);
}

QString productDelete(qint64 product)
{
    return QStringLiteral("delete from accounts_dep.izdel where id=") + id(product);
}

QString operationNormsDelete(int operation)
{
    return QStringLiteral("delete from accounts_dep.norm where o_id=") + id(operation);
}

QString operationNorms()
{
    return QStringLiteral("select id, o_id, norma, price, prize from accounts_dep.norm where o_id=:o_id order by norma, id");
}

QString normInsert(int operation, int norma, double price, int prize)
{
    return QStringLiteral("insert into accounts_dep.norm (o_id, norma, price, prize) values (%1, %2, %3, %4) returning id")
        .arg(id(operation), id(norma), fmt::sqlNumber(price), id(prize));
}

QString normUpdate(int normId, int norma, double price, int prize)
{
    return QStringLiteral("update accounts_dep.norm set norma=%1, price=%2, prize=%3 where id=%4")
        .arg(id(norma), fmt::sqlNumber(price), id(prize), id(normId));
}

QString normDelete(int normId)
{
    return QStringLiteral("delete from accounts_dep.norm where id=") + id(normId);
}

QString operationsExport()
{
    return QStringLiteral(
        "select izdel.MARKA, vid_oper.VID, oper.NAIMEN, case when naimen=0 then 'Готовая продукция' else "
        "'Заготовки' end as nmn, oper.CENA, oper.id, oper.i_id, oper.VID as oper_vid from accounts_dep.OPER, "
        "accounts_dep.IZDEL, accounts_dep.VID_OPER where OPER.i_id=IZDEL.id and oper.vid=vid_oper.id order by "
        "izdel.marka, vid_oper.vid, oper.naimen");
}

}  // namespace reference::statements
