#include "data/shiftstatements.h"

namespace data::statements {

namespace {

const char* const kNmn = "(SELECT (CASE naimen WHEN 0 THEN 'Готовая продукция' ELSE 'Заготовки' END)) as nmn";

}  // namespace

QString shiftRecords(int shift)
{
    if (shift == 1) {
        return QStringLiteral(
                   "select smena.id, smena.data, smena.smena, smena.i_id, smena.o_id, smena.w_id, "
                   "smena.cena,person.s_caption fio, izdel.marka, vid_oper.vid, ")
            + QString::fromUtf8(kNmn)
            + QStringLiteral(
                   ", oper.naimen, smena.kol_vo, smena.brak, round((kol_vo::numeric-brak::numeric)*smena.cena::numeric, "
                   "2) as summa, smena.prize, color,time, smena.ok, date(vvod) as vvod, smena.id_doc, "
                   "smena.id_doc_item, smena.f_gds_qty_use, smena.id_gds_use, smena.id_cons_use from "
                   "cmn_contractor.person person,accounts_dep.izdel,accounts_dep.oper,accounts_dep.smena,"
                   "accounts_dep.vid_oper where smena.i_id=izdel.id and smena.o_id=oper.id and "
                   "w_id=person.s_code::t_integer and oper.vid=vid_oper.id and smena.smena=1 and smena.data=:data "
                   "and ok!=:ok order by fio, izdel.marka, vid_oper.vid, oper.naimen, color");
    }
    return QStringLiteral(
               "select smena.data, smena.smena, smena.i_id, smena.o_id, smena.w_id, smena.cena, s_caption fio, "
               "izdel.marka, vid_oper.vid, ")
        + QString::fromUtf8(kNmn)
        + QStringLiteral(
               ", oper.naimen, smena.kol_vo, smena.brak, round((kol_vo::numeric-brak::numeric)*smena.cena::numeric, 2) "
               "as summa, smena.prize, smena.id, color,time,smena.ok,date(vvod) as vvod, smena.id_doc, "
               "smena.id_doc_item, smena.f_gds_qty_use, smena.id_gds_use, smena.id_cons_use from "
               "cmn_contractor.person person,accounts_dep.izdel,accounts_dep.oper,accounts_dep.smena,"
               "accounts_dep.vid_oper where smena.i_id=izdel.id and smena.o_id=oper.id and w_id=s_code::t_integer "
               "and oper.vid=vid_oper.id and smena.smena=%1 and smena.data=:data and ok<>:ok order by fio")
            .arg(shift);
}

QString timeSheet(int shift)
{
    return QStringLiteral(
               "select person.s_caption fio, h_tabel.*,(d1+d2+d3+d4+d5+d6+d7+d8+d9+d10+d11 "
               "+d12+d13+d14+d15+d16+d17+d18+d19+d20+d21+d22+d23+d24+d25 +d26+d27+d28+d29+d30+d31) as summ from "
               "accounts_dep.h_tabel, cmn_contractor.person where h_tabel.w_id=person.s_code::integer and "
               "h_tabel.smena=%1 and month=:mnth and year=:yea order by fio")
        .arg(shift);
}

QString workers()
{
    return QStringLiteral(
        "select person.s_code id, person .s_caption fio, person.id p_id ,staffpos.s_caption as s_staffpos_hl from "
        "cmn_contractor.person person left join hrms_movement.movement pers_move on pers_move.id_employee = "
        "person.id and now()::t_date between pers_move.d_begin and coalesce(pers_move.d_end, now()::t_date) left "
        "join hrms_staffpos.staffpos staffpos on staffpos.id = pers_move.id_staffpos where person.b_employee = true "
        "order by fio");
}

QString products()
{
    return QStringLiteral("select marka, id, nom, round(massa::numeric, 5) massa from accounts_dep.IZDEL order by marka");
}

QString operations()
{
    return QStringLiteral("select izdel.MARKA, vid_oper.VID, oper.NAIMEN, ") + QString::fromUtf8(kNmn)
        + QStringLiteral(
               ", count(o_id) norma, min(price)::numeric cena, oper.id, oper.i_id, oper.VID as oper_vid, "
               "oper.i_id_old from accounts_dep.norm,accounts_dep.OPER,accounts_dep.IZDEL,accounts_dep.VID_OPER "
               "where OPER.i_id=IZDEL.id and norm.o_id=oper.id and oper.vid=vid_oper.id group by izdel.MARKA, "
               "vid_oper.VID, oper.NAIMEN, oper.id, oper.i_id, oper.VID order by izdel.marka, vid_oper.vid, "
               "oper.naimen");
}

QString operationKinds()
{
    return QStringLiteral("select * from accounts_dep.VID_OPER order by vid");
}

QString operationInsert()
{
    return QStringLiteral(
        "insert into accounts_dep.oper(vid, naimen, i_id, cena_new) values (:oper_vid, :naimen, :i_id, :cena_new)");
}

QString operationUpdate()
{
    return QStringLiteral("update accounts_dep.oper set vid=:oper_vid, naimen=:naimen,  i_id=:i_id where id=:id");
}

QString operationDelete()
{
    return QStringLiteral("delete from accounts_dep.oper where id=:id");
}

}  // namespace data::statements
