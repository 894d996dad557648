#include "editor/editorstatements.h"

#include "data/filter.h"

namespace editor::statements {

QString requisitions()
{
    return QStringLiteral("select id, s_caption from accounts_dep.v_mnf_requisition");
}

QString requisitionLines()
{
    return QStringLiteral("select id, id_doc, s_caption, id_gds, f_qty, s_gds_mc from accounts_dep.v_mnf_requisition_item");
}

QString recordRequisition(int recordId)
{
    return QStringLiteral(
               "select format('Заявка № %s от %s', doc.s_number, to_char(doc.d_date, 'dd.mm.yyyy')) as s_caption, "
               "doc.id as id from accounts_dep.smena smena inner join mnf_doc.doc doc on doc.id = smena.id_doc "
               "where smena.id = ")
        + QString::number(recordId);
}

QString recordRequisitionLine(int recordId)
{
    return QStringLiteral(
               "select id::t_id, s_caption, 0::t_id as id_doc, 0::t_id as id_gds, 0::t_float as f_qty, 0::t_code as "
               "s_gds_mc from accounts_dep.get_doc_item_caption_by_smena(")
        + QString::number(recordId) + QLatin1Char(')');
}

QString linesOf(qint64 requisitionId)
{
    return data::filters::equals(QStringLiteral("id_doc"), requisitionId);
}

QString materials()
{
    return QStringLiteral(
        "select sgu.id as id\n"
        "      ,vcgi.s_caption\n"
        "      ,cons_use.stock_s_caption\n"
        "      ,cons_use.s_caption as s_cons_use_hl\n"
        "      ,sgu.f_qty_use\n"
        "from accounts_dep.smena_gds_use sgu\n"
        "inner join cmn_gds_and_srv.gds_and_srv vcgi on vcgi.id = sgu.id_gds_use\n"
        "left join accounts_dep.show_consignment(sgu.id_gds_use) cons_use on cons_use.id = sgu.id_cons_use\n"
        "where sgu.id_smena = :id_smena");
}

QString materialsTotal()
{
    return QStringLiteral(
        "select sum(f_qty_use) as sum_qty_use from accounts_dep.smena_gds_use sgu where sgu.id_smena =:id_smena");
}

QString crew()
{
    return QStringLiteral(
        "select person_temp.id\n"
        "      ,person.s_caption as s_caption\n"
        "from accounts_dep.person_temp person_temp\n"
        "inner join cmn_contractor.person person on person.id = person_temp.id_person\n"
        "where person_temp.id_smena = :s_id");
}

}  // namespace editor::statements
