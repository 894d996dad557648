#pragma once
// Rows of the crew and materials suites, on a date and ids the demo data does
// not use (shift 1 of 05.03.2021).
//
// Workers: 995001 "Бригадиров А.А." (the record's worker), 995002
// "Помощников Б.Б.", 995003 "Третьякова В.В.".
// Product 9500001 "БР-1" (goods 9500001), kind 9501 "Сварка", operation 9501
// at 10 per piece.
// Materials: 9600001 "Проволока Св-08" 0.25 per piece, 9600002 "Грунт ГФ-021"
// without a norm for БР-1, 9600003 "Лента 1,0х100" 0.5 per piece.
// Warehouse 3950000001 "Склад БР" (source of the requisition) and 3950000002
// "Склад прочий".
// Requisition 3950000010 "БР-1" of 01.03.2021 (register row 3950000020),
// line 3950000011: БР-1 without a limit.
// Stock in the source warehouse: Проволока 4 free + 6 reserved for the line;
// Грунт 100 reserved for the line; Лента 1000 free. Elsewhere: Проволока 50
// free in the other warehouse, 7 reserved for another line.
// Record 995101 ("no"): Бригадиров, operation 9501, 10 pieces, 1 reject,
// 8 hours, on the requisition's line, no materials.
// Record 995102 ("ok"): Бригадиров, the same, accepted.

#include <QDate>

#include "support/testdatabase.h"

namespace crewtest {

inline const QDate kDate(2021, 3, 5);
inline constexpr int kRecord = 995101;
inline constexpr int kAccepted = 995102;
inline constexpr int kWorker = 995001;
inline constexpr qint64 kRequisition = 3950000010;
inline constexpr qint64 kLine = 3950000011;
inline constexpr int kOperation = 9501;
inline constexpr qint64 kWire = 9600001;
inline constexpr qint64 kPrimer = 9600002;
inline constexpr qint64 kTape = 9600003;

inline void addCrewFixture(const testing::TestDatabase& db)
{
    db.exec(QStringLiteral(
        "insert into cmn_contractor.person (id, s_code, s_caption, b_employee) values "
        "(995001, '995001', 'Бригадиров А.А.', true), (995002, '995002', 'Помощников Б.Б.', true), "
        "(995003, '995003', 'Третьякова В.В.', true)"));
    db.exec(QStringLiteral("insert into accounts_dep.vid_oper (id, vid) values (9501, 'Сварка')"));
    db.exec(QStringLiteral(
        "insert into cmn_gds_and_srv.gds_and_srv (id, s_caption, s_unit, s_mc) values "
        "(9500001, 'БР-1 изделие', 'шт', '9500001'), (9600001, 'Проволока Св-08', 'кг', null), "
        "(9600002, 'Грунт ГФ-021', 'кг', null), (9600003, 'Лента 1,0х100', 'м', null)"));
    db.exec(QStringLiteral("insert into accounts_dep.izdel (id, marka, nom) values (9500001, 'БР-1', 'Тест')"));
    db.exec(QStringLiteral(
        "insert into accounts_dep.oper (id, vid, naimen, i_id, cena_new) values (9501, 9501, 0, 9500001, 10)"));
    db.exec(QStringLiteral(
        "insert into mnf_operation.operation (id_gds_from, id_gds_to, f_qty_from) values "
        "(9600001, 9500001, 0.25), (9600003, 9500001, 0.5)"));
    db.exec(QStringLiteral("insert into stk_remainder.stock (id, s_caption) values "
                           "(3950000001, 'Склад БР'), (3950000002, 'Склад прочий')"));
    db.exec(QStringLiteral("insert into mnf_doc.doc (id, id_type, s_number, d_date, id_stock_from) values "
                           "(3950000010, 1, 'БР-1', '2021-03-01', 3950000001)"));
    db.exec(QStringLiteral(
        "insert into cmn_doc.doc (id, id_reference, id_type) values (3950000020, 3950000010, 1)"));
    db.exec(QStringLiteral("insert into mnf_doc.doc_item (id, id_doc, n_pos, id_gds, f_qty) values "
                           "(3950000011, 3950000010, 1, 9500001, 0)"));
    db.exec(QStringLiteral(
        "insert into stk_remainder.remainder (id_stock, id_gds, f_qty, id_reserved_doc, id_reserved_doc_item) values "
        "(3950000001, 9600001, 4, null, null), (3950000001, 9600001, 6, 3950000020, 3950000011), "
        "(3950000001, 9600002, 100, 3950000020, 3950000011), (3950000001, 9600003, 1000, null, null), "
        "(3950000002, 9600001, 50, null, null), (3950000001, 9600001, 7, 3950000020, 3950000099)"));
    db.exec(QStringLiteral(
        "insert into accounts_dep.smena (id, w_id, i_id, o_id, cena, kol_vo, brak, data, smena, time, ok, vvod, "
        "id_doc, id_doc_item) values "
        "(995101, 995001, 9500001, 9501, 10, 10, 1, '2021-03-05', 1, 8, 'no', '2021-03-05', 3950000010, 3950000011), "
        "(995102, 995001, 9500001, 9501, 10, 5, 0, '2021-03-05', 1, 8, 'ok', '2021-03-05', 3950000010, 3950000011)"));
}

}  // namespace crewtest
