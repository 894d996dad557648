#include "editor/materialstatements.h"

namespace editor::statements {

namespace {

// One aggregate row over the stock lying in the source warehouse of the
// record's requisition: the caption with the sum (decimal comma, no trailing
// zeros) and the sum itself. `stockRows` joins stk_remainder.remainder rem.
QString stockSum(const QString& caption, const QString& stockRows)
{
    return QStringLiteral(
               "select format('%1: %s'::text, "
               "replace(trim_scale(coalesce(sum(rem.f_qty), 0)::numeric)::text, '.', ',')) AS s_full_caption, "
               "coalesce(sum(rem.f_qty), 0) as f_qty_free\n"
               "from accounts_dep.smena smena\n"
               "inner join mnf_doc.doc mnf_doc on mnf_doc.id = smena.id_doc\n"
               "inner join cmn_doc.doc cmn_doc on cmn_doc.id_reference = mnf_doc.id\n"
               "      and cmn_doc.id_type = mnf_doc.id_type\n")
               .arg(caption)
        + stockRows;
}

}  // namespace

QString materialsOffered()
{
    return QStringLiteral("select * from accounts_dep.get_gds_from_by_smena(:id_smena)");
}

QString unreservedStock()
{
    return stockSum(QStringLiteral("Остток по резерву на складе"),
                    QStringLiteral("inner join stk_remainder.remainder rem on rem.id_stock = mnf_doc.id_stock_from\n"
                                   "      and rem.id_reserved_doc is null\n"
                                   "      and rem.id_reserved_doc_item is null\n"
                                   "where smena.id = :id_smena  and rem.id_gds = :id_gds"));
}

QString reservedStock()
{
    // Only the chosen material: the line may hold reserves of several.
    return stockSum(QStringLiteral("Свободный остаток на складе"),
                    QStringLiteral("inner join stk_remainder.remainder rem on rem.id_reserved_doc = cmn_doc.id\n"
                                   "      and rem.id_reserved_doc_item = smena.id_doc_item\n"
                                   "      and rem.id_stock = mnf_doc.id_stock_from\n"
                                   "where smena.id = :id_smena  and rem.id_gds = :id_gds"));
}

QString materialNorm()
{
    return QStringLiteral(
        "select * from mnf_operation.operation where id_gds_from = :id_gds_from and id_gds_to = :id_gds_to");
}

QString materialUseDelete(qint64 id)
{
    return QStringLiteral("delete from accounts_dep.smena_gds_use where id=") + QString::number(id);
}

QString crewMemberDelete(qint64 id)
{
    return QStringLiteral("delete from accounts_dep.person_temp where id=") + QString::number(id);
}

}  // namespace editor::statements
