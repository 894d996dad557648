#include "reports/summarystatements.h"

namespace reports {

namespace {

const QString period = QStringLiteral(" and smena.data<:data2 and smena.data>=:data1");

// Good pieces per product number, colour, kind, operation kind and factor,
// with `mass` the factor times them as given.
QString productTotals(const QString& mass)
{
    return QStringLiteral("select sum(smena.kol_vo-smena.brak) as kolvo, vid_oper.vid, izdel.nom, oper.naimen, "
                          "color, ") +
           mass +
           QStringLiteral(" as mass from accounts_dep.smena,accounts_dep.izdel,accounts_dep.vid_oper, "
                          "accounts_dep.oper where izdel.id=smena.i_id and vid_oper.id=oper.vid and "
                          "oper.id=smena.o_id") +
           period +
           QStringLiteral(" group by izdel.nom,color, oper.naimen, vid_oper.vid, izdel.massa order by izdel.nom");
}

}  // namespace

QString workersReportStatement()
{
    return QStringLiteral(
               "select person.s_caption fio, smena.w_id, sum(smena.kol_vo-smena.brak) as kolvo, "
               "sum((kol_vo-brak)*smena.cena) as summa,vid_oper.vid, izdel.nom, oper.naimen, color "
               "from cmn_contractor.person person,accounts_dep.smena,accounts_dep.izdel,accounts_dep.vid_oper, "
               "accounts_dep.oper where w_id=s_code::integer and izdel.id=smena.i_id and vid_oper.id=oper.vid and "
               "oper.id=smena.o_id") +
           period +
           QStringLiteral(" group by smena.w_id, fio, izdel.nom, oper.naimen, vid_oper.vid, color "
                          "order by fio, smena.w_id, izdel.nom");
}

QString productsReportStatement()
{
    return productTotals(QStringLiteral("round((izdel.massa*sum(smena.kol_vo-smena.brak))::numeric,2)"));
}

QString workersDetailStatement()
{
    return QStringLiteral(
               "select s_caption fio, smena.w_id, izdel.marka, vid_oper.vid, oper.naimen, sum(smena.kol_vo) as "
               "kolvo, sum(smena.brak) as brk, sum((kol_vo-brak)* smena.cena) as summa, color, "
               "sum(prize*(kol_vo-brak)*smena.cena/100) as s_prize "
               "from cmn_contractor.person person,accounts_dep.izdel,accounts_dep.oper,accounts_dep.smena,"
               "accounts_dep.vid_oper where smena.o_id=oper.id and smena.w_id=s_code::integer and "
               "smena.i_id=izdel.id and oper.vid=vid_oper.id") +
           period +
           QStringLiteral(" group by smena.w_id, fio, marka, vid_oper.vid, oper.naimen, color "
                          "order by fio, smena.w_id, marka, vid_oper.vid, oper.naimen");
}

namespace {

// The detailed products report, with the requisition's number when asked.
QString productsDetail(bool requisitions)
{
    QString s = QStringLiteral(
        "select izdel.marka, vid_oper.vid vid, oper.naimen, izdel.nom, sum(smena.kol_vo) as kolvo, "
        "sum(smena.brak) as brk, sum((kol_vo-brak)*smena.cena) as summa, color, "
        "round((izdel.massa*sum(smena.kol_vo))::numeric,2) as mass");
    if (requisitions)
        s += QStringLiteral(", doc_in.s_number");
    s += QStringLiteral(" from accounts_dep.izdel,accounts_dep.oper,accounts_dep.smena,accounts_dep.vid_oper");
    if (requisitions)
        s += QStringLiteral(", mnf_doc.doc doc_in");
    s += QStringLiteral(" where smena.o_id=oper.id and smena.i_id=izdel.id and oper.vid=vid_oper.id") + period;
    if (requisitions)
        s += QStringLiteral(" and doc_in.id = smena.id_doc group by s_number, izdel.nom, marka, vid_oper.vid, "
                            "oper.naimen, color,massa order by s_number, izdel.nom,marka, vid_oper.vid, oper.naimen");
    else
        s += QStringLiteral(" group by izdel.nom, marka, vid_oper.vid, oper.naimen, color,massa "
                            "order by izdel.nom,marka, vid_oper.vid, oper.naimen");
    return s;
}

}  // namespace

QString productsDetailStatement()
{
    return productsDetail(false);
}

QString requisitionsStatement()
{
    return productsDetail(true);
}

QString productionExportStatement()
{
    return productTotals(QStringLiteral("izdel.massa*sum(smena.kol_vo-smena.brak)"));
}

}  // namespace reports
