#pragma once
// Rows of the editor and reference list suites, on dates and ids the demo
// data does not use (March 2021).
//
// Workers: 990001 "Тестов А.А.", 990002 "О'Нил Б.Б." (stored with trailing
// blanks), 990003 "Тестова В.В.".
// Products 9100001 "ТЕСТ-1", 9100002 "ТЕСТ-2"; kinds 9001 "Сварка",
// 9002 "Краска порошковая". Operations with their lowest norm price:
//   9301 ТЕСТ-1 Сварка Готовая продукция 10 (a second norm of 11)
//   9302 ТЕСТ-1 Краска Заготовки 1.03125
//   9303 ТЕСТ-2 Сварка Заготовки 1.09375
//   9304 ТЕСТ-2 Краска Готовая продукция 7.5 (i_id_old ТЕСТ-1)
// Requisition 3900000001 "Т-1" of 01.03.2021: line 1 ТЕСТ-1 150 pieces
// (3910000001), line 2 goods without a product code (3910000002).
// Requisition 3900000002 "Т-2" of 02.03.2021: line 1 ТЕСТ-2 20 pieces.
// Shift 1 of 05.03.2021:
//   990101 accepted ("ok"), Тестов, 9301
//   990102 "no", О'Нил, 9303, no requisition, 4 pieces at 12.5, one material of 2.5
//   990103 "no", Тестова, 9301, requisition Т-1 line 1, 3 pieces at 10

#include <QDate>

#include "support/testdatabase.h"

namespace testing {

inline const QDate kFixtureDate(2021, 3, 5);

// The three shift records of 05.03.2021 (and the material of 990102) as the
// fixture has them, whatever a test did to them.
inline void restoreFixtureRecords(const TestDatabase& db)
{
    db.exec(QStringLiteral("delete from accounts_dep.smena where id in (990101, 990102, 990103)"));
    db.exec(QStringLiteral(
        "insert into accounts_dep.smena (id, w_id, i_id, o_id, cena, kol_vo, brak, data, smena, time, ok, vvod, "
        "id_doc, id_doc_item) values "
        "(990101, 990001, 9100001, 9301, 10, 5, 0, '2021-03-05', 1, 8, 'ok', '2021-03-05', 0, 0), "
        "(990102, 990002, 9100002, 9303, 12.5, 4, 1, '2021-03-05', 1, 6, 'no', '2021-03-05', 0, 0), "
        "(990103, 990003, 9100001, 9301, 10, 3, 0, '2021-03-05', 1, 7, 'no', '2021-03-05', 3900000001, "
        "3910000001)"));
    db.exec(
        QStringLiteral("insert into accounts_dep.smena_gds_use (id_smena, id_gds_use, f_qty_use) values "
                       "(990102, 9200004, 2.5)"));
}

inline void addEditorFixture(const TestDatabase& db)
{
    db.exec(
        QStringLiteral("insert into cmn_contractor.person (id, s_code, s_caption, b_employee) values "
                       "(990001, '990001', 'Тестов А.А.', true), (990002, '990002', 'О''Нил Б.Б.  ', true), "
                       "(990003, '990003', 'Тестова В.В.', true)"));
    db.exec(
        QStringLiteral("insert into accounts_dep.vid_oper (id, vid) values (9001, 'Сварка'), "
                       "(9002, 'Краска порошковая')"));
    db.exec(
        QStringLiteral("insert into accounts_dep.izdel (id, marka, nom) values (9100001, 'ТЕСТ-1', 'Тест'), "
                       "(9100002, 'ТЕСТ-2', 'Тест')"));
    db.exec(
        QStringLiteral("insert into accounts_dep.oper (id, vid, naimen, i_id, i_id_old, cena_new) values "
                       "(9301, 9001, 0, 9100001, null, 11), (9302, 9002, 1, 9100001, null, 1.03125), "
                       "(9303, 9001, 1, 9100002, null, 1.09375), (9304, 9002, 0, 9100002, 9100001, 7.5)"));
    db.exec(QStringLiteral("insert into accounts_dep.norm (o_id, norma, price) values (9301, 100, 10)"));
    db.exec(
        QStringLiteral("insert into cmn_gds_and_srv.gds_and_srv (id, s_caption, s_mc) values "
                       "(9200001, 'ТЕСТ-1 изделие', '9100001'), (9200002, 'Лента без кода', null), "
                       "(9200003, 'ТЕСТ-2 изделие', '9100002'), (9200004, 'Проволока тестовая', null)"));
    db.exec(
        QStringLiteral("insert into mnf_doc.doc (id, id_type, s_number, d_date) values "
                       "(3900000001, 1, 'Т-1', '2021-03-01'), (3900000002, 1, 'Т-2', '2021-03-02')"));
    db.exec(
        QStringLiteral("insert into mnf_doc.doc_item (id, id_doc, n_pos, id_gds, f_qty) values "
                       "(3910000001, 3900000001, 1, 9200001, 150), (3910000002, 3900000001, 2, 9200002, 0), "
                       "(3910000003, 3900000002, 1, 9200003, 20)"));
    restoreFixtureRecords(db);
}

}  // namespace testing
