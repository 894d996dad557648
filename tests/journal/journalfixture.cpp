#include "journalfixture.h"

#include "core/textformat.h"
#include "support/testdatabase.h"

namespace journaltest {

void insertReferences(const testing::TestDatabase& db)
{
    db.exec(QStringLiteral(
        "insert into cmn_contractor.person (s_code, s_caption, b_employee) values "
        "('900001', 'Антонов А.', true), ('900002', 'Борисов В.', true), ('900003', 'Яковлев Б.', true)"));
    db.exec(QStringLiteral("insert into accounts_dep.izdel (marka, nom, massa) values "
                           "('ЗТ-101', 'Тест', 1), ('ЗТ-202', 'Тест', 1), ('ЗТ-303', 'Тест', 1)"));
    db.exec(QStringLiteral("insert into accounts_dep.vid_oper (vid) values ('Тест-сварка'), ('Тест-сборка')"));
    db.exec(QStringLiteral(
        "insert into accounts_dep.oper (vid, naimen, i_id, cena_new) "
        "select v.id, case v.vid when 'Тест-сварка' then 0 else 1 end, i.id, 10 "
        "from accounts_dep.vid_oper v, accounts_dep.izdel i where v.vid like 'Тест-%' and i.marka like 'ЗТ-%'"));
}

int insertRecord(const testing::TestDatabase& db, const Record& r)
{
    const QString ok = r.ok.isNull() ? QStringLiteral("null") : fmt::quoted(r.ok);
    return db
        .scalar(QStringLiteral(
                    "insert into accounts_dep.smena (w_id, i_id, o_id, cena, kol_vo, brak, data, smena, color, time, "
                    "ok, vvod, prize, id_doc, id_doc_item, f_gds_qty_use, id_gds_use, id_cons_use) "
                    "select p.s_code::integer, o.i_id, o.id, 10, %1, %2, '%3', %4, 0, 8, %5, '%3', 0, %6, 0, 0, 0, 0 "
                    "from cmn_contractor.person p, accounts_dep.oper o, accounts_dep.izdel i, accounts_dep.vid_oper v "
                    "where p.s_caption = %7 and p.s_code like '9000%' and o.i_id = i.id and o.vid = v.id "
                    "and i.marka = %8 and v.vid = %9 returning id")
                    .arg(fmt::sqlNumber(r.quantity))
                    .arg(r.rejects)
                    .arg(r.date.toString(Qt::ISODate))
                    .arg(r.shift)
                    .arg(ok)
                    .arg(r.requisition)
                    .arg(fmt::quoted(r.worker), fmt::quoted(r.product), fmt::quoted(r.kind)))
        .toInt();
}

}  // namespace journaltest
