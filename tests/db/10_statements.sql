-- Every statement the program reads with runs on the demo database as
-- written (parameters replaced by literals) and gives the columns the
-- program reads. Demo data: scale 1 ending 30.11.2026; journal date
-- 13.11.2026 (a Friday more than two weeks back, so its records are mostly
-- accepted), month 11.2026, report period 01.10.2026 - 01.11.2026.

\ir helpers.sql
\ir statements.sql

do $$
declare
    journal jsonb := '{"data": "''2026-11-13 00:00:00''::timestamp", "ok": "''ta''"}';
    month jsonb := '{"mnth": "11", "yea": "2026"}';
    period jsonb := '{"data1": "''2026-10-01 00:00:00''::timestamp", "data2": "''2026-11-01 00:00:00''::timestamp"}';
    shift_columns text[] := array['data', 'smena', 'i_id', 'o_id', 'w_id', 'cena', 'fio', 'marka', 'vid', 'nmn',
                                  'naimen', 'kol_vo', 'brak', 'summa', 'prize', 'id', 'color', 'time', 'ok', 'vvod',
                                  'id_doc', 'id_doc_item', 'f_gds_qty_use', 'id_gds_use', 'id_cons_use'];
    sheet_columns text[] := array['fio', 'id', 'w_id', 'smena', 'month', 'year'] || pg_temp.day_columns() || array['summ'];
    rec accounts_dep.smena;
    item jsonb;
    n bigint;
begin
    -- Journal: the four shift datasets of one date.
    perform pg_temp.expect_columns('Smena1', pg_temp.statement('smena1', journal),
        array['id', 'data', 'smena', 'i_id', 'o_id', 'w_id', 'cena', 'fio', 'marka', 'vid', 'nmn', 'naimen',
              'kol_vo', 'brak', 'summa', 'prize', 'color', 'time', 'ok', 'vvod', 'id_doc', 'id_doc_item',
              'f_gds_qty_use', 'id_gds_use', 'id_cons_use'], 50);
    perform pg_temp.expect_columns('Smena2', pg_temp.statement('smena2', journal), shift_columns, 20);
    perform pg_temp.expect_columns('Smena3', pg_temp.statement('smena3', journal), shift_columns, 5);
    perform pg_temp.expect_columns('Smena4', pg_temp.statement('smena4', journal), shift_columns, 1);
    n := pg_temp.row_count(pg_temp.statement('smena1', journal));
    perform pg_temp.check(n = (select count(*) from accounts_dep.smena
                                where data = '2026-11-13' and smena = 1 and ok <> 'ta'),
                          'Smena1 lists every record of the date and shift except "ta"');

    -- Reference books.
    n := pg_temp.expect_columns('Workers', pg_temp.statement('workers'), array['id', 'fio', 'p_id', 's_staffpos_hl'], 300);
    perform pg_temp.check(n = (select count(*) from cmn_contractor.person where b_employee),
                          'Workers lists each employee once');
    perform pg_temp.expect_columns('Izdel', pg_temp.statement('izdel'), array['marka', 'id', 'nom', 'massa'], 100);
    perform pg_temp.expect_columns('Oper', pg_temp.statement('oper'),
        array['marka', 'vid', 'naimen', 'nmn', 'norma', 'cena', 'id', 'i_id', 'oper_vid', 'i_id_old'], 300);
    perform pg_temp.expect_columns('Vid_oper', pg_temp.statement('vid_oper'), array['id', 'vid'], 20);
    perform pg_temp.expect_columns('operations export', pg_temp.statement('oper_export'),
        array['marka', 'vid', 'naimen', 'nmn', 'cena', 'id', 'i_id', 'oper_vid'], 300);

    -- Time sheet.
    perform pg_temp.expect_columns('H_Tabel_1', pg_temp.statement('h_tabel_1', month), sheet_columns, 100);
    perform pg_temp.expect_columns('H_Tabel_2', pg_temp.statement('h_tabel_2', month), sheet_columns, 50);
    perform pg_temp.expect_columns('H_Tabel_3', pg_temp.statement('h_tabel_3', month), sheet_columns, 10);
    perform pg_temp.expect_columns('H_Tabel', pg_temp.statement('h_tabel', month),
        array['fio'] || pg_temp.day_columns('sd'), 200);
    perform pg_temp.expect_columns('dt', pg_temp.statement('dt', '{"data": "''2026-11-13 00:00:00''::timestamp"}'),
        array['smena', 'w_id', 'tim'], 100);

    -- Editor, materials and crew of an accepted record with a requisition
    -- whose line has stock reserved.
    select s.* into strict rec
      from accounts_dep.smena s
     where s.ok = 'ok' and s.id_doc <> 0
       and exists (select 1 from stk_remainder.remainder r where r.id_reserved_doc_item = s.id_doc_item)
     order by s.id
     limit 1;
    item := jsonb_build_object('id_smena', rec.id::text, 's_id', rec.id::text);
    perform pg_temp.expect_columns('smena_gds_use_cnt', pg_temp.statement('smena_gds_use_cnt', item), array['id_cnt']);
    perform pg_temp.expect_columns('sum_smena_gds_use', pg_temp.statement('sum_smena_gds_use', item), array['sum_qty_use']);
    perform pg_temp.expect_columns('R1', pg_temp.statement('r1'), array['id', 's_caption'], 100);
    perform pg_temp.expect_columns('R2', pg_temp.statement('r2'),
        array['id', 'id_doc', 's_caption', 'id_gds', 'f_qty', 's_gds_mc'], 300);
    perform pg_temp.expect_columns('R3', pg_temp.statement('r3') || rec.id, array['s_caption', 'id'], 1);
    perform pg_temp.expect_columns('R4', pg_temp.statement('r4') || rec.id || ')',
        array['id', 's_caption', 'id_doc', 'id_gds', 'f_qty', 's_gds_mc'], 1);
    perform pg_temp.check((select g.id from accounts_dep.get_doc_item_caption_by_smena(rec.id) g limit 1) = rec.id_doc_item,
                          'R4: the first row is the record''s requisition line');
    perform pg_temp.expect_columns('lines M', pg_temp.statement('lines_m', item),
        array['id', 's_caption', 'stock_s_caption', 's_cons_use_hl', 'f_qty_use'], 1);
    perform pg_temp.expect_columns('lines C', pg_temp.statement('lines_c', item), array['id', 's_caption'], 0);
    perform pg_temp.expect_columns('v_cmn_gds_in', pg_temp.statement('v_cmn_gds_in', item), array['id', 's_caption'], 1);
    item := item || jsonb_build_object(
        'id_gds', (select g.id::text from accounts_dep.get_gds_from_by_smena(rec.id) g limit 1),
        'id_gds_from', (select o.id_gds_from::text from mnf_operation.operation o where o.id_gds_to = rec.i_id limit 1),
        'id_gds_to', rec.i_id::text);
    perform pg_temp.expect_columns('lines S1', pg_temp.statement('lines_s1', item), array['s_full_caption', 'f_qty_free'], 1);
    perform pg_temp.expect_columns('lines S2', pg_temp.statement('lines_s2', item), array['s_full_caption', 'f_qty_free'], 1);
    perform pg_temp.expect_columns('operation', pg_temp.statement('operation', item),
        array['id', 'id_gds_from', 'id_gds_to', 'f_qty_from'], 1);

    -- Summary reports.
    perform pg_temp.expect_columns('report 1', pg_temp.statement('report1', period),
        array['fio', 'kolvo', 'summa', 'vid', 'nom', 'naimen', 'color'], 100);
    perform pg_temp.expect_columns('report 2', pg_temp.statement('report2', period),
        array['kolvo', 'vid', 'nom', 'naimen', 'color', 'mass'], 50);
    perform pg_temp.expect_columns('report 3', pg_temp.statement('report3', period),
        array['fio', 'marka', 'vid', 'naimen', 'kolvo', 'brk', 'summa', 'color', 's_prize'], 100);
    perform pg_temp.expect_columns('report 4', pg_temp.statement('report4', period),
        array['marka', 'vid', 'naimen', 'nom', 'kolvo', 'brk', 'summa', 'color', 'mass'], 100);
    perform pg_temp.expect_columns('report 5', pg_temp.statement('report5', period),
        array['marka', 'vid', 'naimen', 'nom', 'kolvo', 'brk', 'summa', 'color', 'mass', 's_number'], 100);
    perform pg_temp.expect_columns('report 6', pg_temp.statement('report6', period),
        array['kolvo', 'vid', 'nom', 'naimen', 'color', 'mass'], 50);
end
$$;
