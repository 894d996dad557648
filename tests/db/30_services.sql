-- ERP services and table rules, each through the statement the program
-- sends (literals in place of its parameters). Changes data: runs after
-- the read-only scripts.

\ir helpers.sql
\ir statements.sql

-- Fixtures: a kind, a product with an operation, three employees A, B, C.
create temp table fx (key text primary key, value bigint not null);
do $$
declare
    kind integer;
    product bigint;
begin
    insert into accounts_dep.vid_oper (vid) values ('Проверочная сварка') returning id into kind;
    insert into accounts_dep.izdel (marka, nom, massa) values ('ПРОВ-1', 'ПРО', 0.5) returning id into product;
    insert into fx values ('kind', kind), ('product', product);
    insert into fx
    select k, p.id
      from (select id, row_number() over (order by id) as n
              from cmn_contractor.person where b_employee) p
      join (values ('a', 1), ('b', 2), ('c', 3)) w (k, n) on w.n = p.n;
end
$$;
create function pg_temp.fx(k text) returns bigint language sql as $$ select value from fx where key = k $$;
create function pg_temp.code(k text) returns integer language sql as
    $$ select s_code::integer from cmn_contractor.person where id = pg_temp.fx(k) $$;

-- A shift record written by the program's insert statement (vvod as the
-- 'DD.MM.YYYY' text the program sends); returns its id.
create function pg_temp.add_record(worker integer, operation integer, day text, shift integer, hours integer,
                                   pieces text default '10', rejects text default '0', ok text default 'no')
returns integer
language plpgsql
as $$
declare
    new_id integer;
    product integer := (select i_id from accounts_dep.oper where oper.id = operation);
begin
    execute 'insert into accounts_dep.SMENA(w_id, i_id, o_id, cena, kol_vo, brak, data, smena, color, time, vvod,ok, '
            'prize, id_doc, id_doc_item, f_gds_qty_use, id_gds_use, id_cons_use) values('
            || worker || ', ' || product || ', ' || operation || ', ' || '12.5' || ',' || pieces || ', ' || rejects
            || ', to_date(''' || day || ''', ''DD.MM.YYYY HH24:MI:SS''), ' || shift || ', ' || 0 || ', ' || hours
            || ', ''' || day || ''', ''' || 'no' || ''', 0, 0, 0, 0, 0, 0) returning id'
       into new_id;
    if ok is distinct from 'no' then
        update accounts_dep.smena set ok = add_record.ok where smena.id = new_id;
    end if;
    return new_id;
end
$$;

-- An added operation gets its first norm at the starting price, so the
-- operation list shows it; without norms it leaves the list (but not the
-- export); deleting it takes its norms along.
do $$
declare
    op integer;
    listed record;
begin
    execute 'insert into accounts_dep.oper(vid, naimen, i_id, cena_new) values ('
            || pg_temp.fx('kind') || ', 0, ' || pg_temp.fx('product') || ', 12.5)';
    select max(id) into op from accounts_dep.oper where i_id = pg_temp.fx('product');
    insert into fx values ('operation', op);

    perform pg_temp.check((select count(*) = 1 and min(price) = 12.5 and min(norma) = 0 and min(prize) = 0
                             from accounts_dep.norm where o_id = op), 'first norm at cena_new');
    execute format('select * from (%s) q where id = %s', pg_temp.statement('oper'), op) into listed;
    perform pg_temp.check(listed.norma = 1 and listed.cena = 12.5 and listed.nmn = 'Готовая продукция'
                          and listed.marka = 'ПРОВ-1' and listed.vid = 'Проверочная сварка',
                          'Oper lists the new operation with its price');

    execute 'insert into accounts_dep.oper(vid, naimen, i_id, cena_new) values ('
            || pg_temp.fx('kind') || ', 1, ' || pg_temp.fx('product') || ', 3.75)';
    select max(id) into op from accounts_dep.oper where i_id = pg_temp.fx('product');
    delete from accounts_dep.norm where o_id = op;
    perform pg_temp.check(pg_temp.row_count(format('select * from (%s) q where id = %s',
                                                   pg_temp.statement('oper'), op)) = 0,
                          'an operation without norms is not in Oper');
    perform pg_temp.check(pg_temp.row_count(format('select * from (%s) q where id = %s',
                                                   pg_temp.statement('oper_export'), op)) = 1,
                          'the export lists it all the same');

    execute 'update accounts_dep.oper set vid=' || pg_temp.fx('kind') || ', naimen=' || 1 || ',  i_id='
            || pg_temp.fx('product') || ' where id=' || op;
    insert into accounts_dep.norm (o_id, norma, price, prize) values (op, 50, 4, 5);
    execute 'delete from accounts_dep.oper where id=' || op;
    perform pg_temp.check(not exists (select 1 from accounts_dep.norm where o_id = op), 'norms go with the operation');
end
$$;

-- The journal shows neither a record with ok null or "ta" nor one whose
-- operation kind was deleted; they stay stored.
do $$
declare
    journal jsonb := '{"data": "''2026-12-07 00:00:00''::timestamp", "ok": "''ta''"}';
    listed text := format('select id from (%s) q', pg_temp.statement('smena1', journal));
    shown integer;
    hidden_null integer;
    hidden_ta integer;
    orphan integer;
    kind integer;
    op integer;
begin
    shown := pg_temp.add_record(pg_temp.code('a'), pg_temp.fx('operation')::integer, '07.12.2026', 1, 8);
    hidden_null := pg_temp.add_record(pg_temp.code('b'), pg_temp.fx('operation')::integer, '07.12.2026', 1, 8, ok => null);
    hidden_ta := pg_temp.add_record(pg_temp.code('c'), pg_temp.fx('operation')::integer, '07.12.2026', 1, 8, ok => 'ta');
    perform pg_temp.check((select ok is null from accounts_dep.smena where id = hidden_null), 'ok null is stored');

    insert into accounts_dep.vid_oper (vid) values ('Удаляемый вид') returning id into kind;
    insert into accounts_dep.oper (vid, naimen, i_id, cena_new) values (kind, 0, pg_temp.fx('product'), 2)
        returning id into op;
    orphan := pg_temp.add_record(pg_temp.code('a'), op, '07.12.2026', 1, 2);
    perform pg_temp.check(pg_temp.row_count(listed || ' where id = ' || orphan) = 1, 'listed while its kind exists');
    execute 'delete from accounts_dep.vid_oper where id=' || kind;

    perform pg_temp.check(pg_temp.row_count(format('%s where id in (%s, %s, %s, %s)',
                                                   listed, shown, hidden_null, hidden_ta, orphan)) = 1
                          and pg_temp.row_count(listed || ' where id = ' || shown) = 1,
                          'Smena1 lists only the record with ok "no" and a kind');
    perform pg_temp.check((select count(*) from accounts_dep.smena where id in (hidden_null, hidden_ta, orphan)) = 3,
                          'the hidden records stay stored');
end
$$;

-- Acceptance: ok becomes "ok", the materials get their consignment; a
-- second acceptance changes nothing; an unknown record is an error.
do $$
declare
    rec integer := pg_temp.add_record(pg_temp.code('a'), pg_temp.fx('operation')::integer, '08.12.2026', 1, 8);
    material bigint := (select id_gds from stk_remainder.remainder where id_reserved_doc is null and f_qty > 0
                         order by id limit 1);
    result integer;
begin
    insert into accounts_dep.smena_gds_use (id_smena, id_gds_use, f_qty_use) values (rec, material, 1.5);
    execute pg_temp.statement('smena_gds_use_cnt', jsonb_build_object('id_smena', rec)) into result;
    perform pg_temp.check(result = 1, 'the record has one material');
    execute replace('select accounts_dep.smena__accept_row_hwo(:id)', ':id', rec::text) into result;
    perform pg_temp.check(result = 1 and (select ok = 'ok' from accounts_dep.smena where id = rec), 'accepted');
    perform pg_temp.check((select bool_and(id_cons_use is not null) from accounts_dep.smena_gds_use where id_smena = rec),
                          'materials carry their consignment');
    perform pg_temp.check(pg_temp.row_count(format('select * from (%s) q where s_cons_use_hl like ''Партия № %%''',
                                                   pg_temp.statement('lines_m', jsonb_build_object('id_smena', rec)))) = 1,
                          'the materials list shows the consignment');
    execute replace('select accounts_dep.smena__accept_row_hwo(:id)', ':id', rec::text) into result;
    perform pg_temp.check(result = 0, 'a second acceptance changes nothing');
    begin
        perform accounts_dep.smena__accept_row_hwo(-1);
        raise exception 'FAILED: accepting an unknown record';
    exception when no_data_found then
        null;
    end;
end
$$;

-- One time sheet row per worker, shift, month and year; cells start at 0.
do $$
begin
    insert into accounts_dep.h_tabel (smena, w_id, month, year, d5) values (2, 17, 3, 2021, 8);
    perform pg_temp.check((select d1 + d2 + d3 + d4 + d5 + d6 + d7 + d8 + d9 + d10 + d11 + d12 + d13 + d14 + d15 + d16
                                  + d17 + d18 + d19 + d20 + d21 + d22 + d23 + d24 + d25 + d26 + d27 + d28 + d29 + d30 + d31
                             from accounts_dep.h_tabel where w_id = 17 and smena = 2 and month = 3 and year = 2021) = 8,
                          'unwritten cells are 0');
    begin
        insert into accounts_dep.h_tabel (smena, w_id, month, year, d6) values (2, 17, 3, 2021, 4);
        raise exception 'FAILED: a second time sheet row was stored';
    exception when unique_violation then
        null;
    end;
    perform pg_temp.check((select d6 from accounts_dep.h_tabel where w_id = 17 and smena = 2 and month = 3 and year = 2021) = 0,
                          'the first row is unchanged');
end
$$;

-- Crew: 10 pieces with 2 rejects shared by A and the crew B, C (B added
-- twice, A himself once): A 4 and 1, B 3 and 1, C 3 and 0; everyone keeps
-- the 8 hours and gets them in his time sheet cell; the crew list is used up.
do $$
declare
    rec integer := pg_temp.add_record(pg_temp.code('a'), pg_temp.fx('operation')::integer, '05.12.2026', 2, 8, '10', '2');
    k text;
    result integer;
begin
    foreach k in array array['b', 'c', 'b', 'a'] loop
        execute 'insert into accounts_dep.person_temp(id_smena, id_person) values(' || rec || ','''
                || pg_temp.fx(k) || ''')';
    end loop;
    perform pg_temp.check(pg_temp.row_count(pg_temp.statement('lines_c', jsonb_build_object('s_id', rec))) = 4,
                          'crew list');
    execute replace('select accounts_dep.divide_between_person(:s_id)', ':s_id', rec::text) into result;
    perform pg_temp.check(result = 3, 'three participants');

    perform pg_temp.check((select array_agg(array[w_id, kol_vo::integer, brak, time] order by id)
                             from accounts_dep.smena
                            where data = '2026-12-05' and smena = 2 and o_id = pg_temp.fx('operation'))
                          = array[array[pg_temp.code('a'), 4, 1, 8], array[pg_temp.code('b'), 3, 1, 8],
                                  array[pg_temp.code('c'), 3, 0, 8]],
                          'pieces and rejects shared, hours kept');
    perform pg_temp.check((select count(*) = 2 and bool_and(ok = 'no' and cena = 12.5 and id_doc_item = 0)
                             from accounts_dep.smena where id > rec and data = '2026-12-05'),
                          'crew records copy the rest of the record');
    perform pg_temp.check((select count(*) = 2 and bool_and(d5 = 8)
                             from accounts_dep.h_tabel
                            where w_id in (pg_temp.code('b'), pg_temp.code('c')) and smena = 2 and month = 12 and year = 2026),
                          'crew time sheet cells');
    perform pg_temp.check(not exists (select 1 from accounts_dep.person_temp where id_smena = rec), 'crew list used up');

    execute replace('select accounts_dep.divide_between_person(:s_id)', ':s_id', rec::text) into result;
    perform pg_temp.check(result = 1 and (select count(*) from accounts_dep.smena where data = '2026-12-05') = 3,
                          'a second call changes nothing');
end
$$;

-- A fractional part of the pieces stays with the record's worker; an
-- accepted record is not divided.
do $$
declare
    rec integer := pg_temp.add_record(pg_temp.code('a'), pg_temp.fx('operation')::integer, '06.12.2026', 3, 4, '7.5', '0');
begin
    insert into accounts_dep.person_temp (id_smena, id_person) values (rec, pg_temp.fx('b'));
    perform accounts_dep.divide_between_person(rec);
    perform pg_temp.check((select array_agg(kol_vo order by id) from accounts_dep.smena where data = '2026-12-06')
                          = array[4.5, 3]::float8[], '7,5 pieces: 4,5 and 3');

    perform accounts_dep.smena__accept_row_hwo(rec);
    begin
        perform accounts_dep.divide_between_person(rec);
        raise exception 'FAILED: an accepted record was divided';
    exception when raise_exception then
        if sqlerrm like 'FAILED%' then
            raise;
        end if;
    end;
end
$$;

-- Deleting a record (as the journal does) takes its materials and crew rows.
do $$
declare
    rec integer := pg_temp.add_record(pg_temp.code('c'), pg_temp.fx('operation')::integer, '09.12.2026', 1, 8);
begin
    insert into accounts_dep.smena_gds_use (id_smena, id_gds_use, f_qty_use)
    select rec, id_gds, 1 from stk_remainder.remainder order by id limit 1;
    insert into accounts_dep.person_temp (id_smena, id_person) values (rec, pg_temp.fx('a'));
    execute 'delete from accounts_dep.smena where id=' || rec;
    perform pg_temp.check(not exists (select 1 from accounts_dep.smena_gds_use where id_smena = rec)
                          and not exists (select 1 from accounts_dep.person_temp where id_smena = rec),
                          'materials and crew go with the record');
end
$$;

-- Rows copied with their ids (the legacy import) do not block the ids
-- the database gives later.
do $$
declare
    top integer := (select max(id) from accounts_dep.vid_oper) + 50;
    top_product bigint := (select last_value from cmn_gds_and_srv.gds_and_srv_id_seq) + 50;
    top_record integer := (select max(id) from accounts_dep.smena) + 50;
    next_id bigint;
begin
    insert into accounts_dep.vid_oper (id, vid) values (top, 'Из старой базы');
    insert into accounts_dep.vid_oper (vid) values ('Новый вид') returning id into next_id;
    perform pg_temp.check(next_id = top + 1, 'vid_oper id after an imported one');

    insert into accounts_dep.izdel (id, marka, nom, massa) values (top_product, 'СТАР-1', 'СТА', 1);
    insert into accounts_dep.izdel (marka, nom, massa) values ('НОВ-1', 'НОВ', 1) returning id into next_id;
    perform pg_temp.check(next_id = top_product + 1, 'izdel id after an imported one');

    insert into accounts_dep.smena (id, w_id, data, smena, time, ok) values (top_record, 1, '2026-12-01', 1, 0, 'no');
    next_id := pg_temp.add_record(pg_temp.code('a'), pg_temp.fx('operation')::integer, '01.12.2026', 1, 1);
    perform pg_temp.check(next_id = top_record + 1, 'smena id after an imported one');
end
$$;

-- The id sequence is only ever moved forward, and only past explicit ids
-- beyond it; tried on a table of its own with the same trigger.
do $$
declare
    seq text;
    drawn bigint;
    next_id bigint;
begin
    create temp table ids (id bigint generated by default as identity, note text);
    seq := pg_get_serial_sequence('pg_temp.ids', 'id');
    execute format('create trigger ids_keep_ids after insert on pg_temp.ids referencing new table as new_rows '
                   'for each statement execute function accounts_dep.keep_id_sequence_ahead(%L)', seq);

    insert into ids (id) values (1);  -- the sequence has given nothing yet
    insert into ids (note) values ('generated') returning id into next_id;
    perform pg_temp.check(next_id = 2, 'an explicit first id is not given again');

    -- other sessions have drawn ahead: an id the sequence gave earlier does not set it back
    drawn := nextval(seq::regclass);
    perform nextval(seq::regclass);
    insert into ids (id) values (drawn);
    insert into ids (note) values ('generated') returning id into next_id;
    perform pg_temp.check(next_id = drawn + 2, 'an id below the position leaves the sequence where it was');

    insert into ids (id) values (next_id + 10), (next_id + 30), (next_id + 20);
    drawn := next_id + 30;
    insert into ids (note) values ('generated') returning id into next_id;
    perform pg_temp.check(next_id = drawn + 1, 'several explicit ids: the next id is past the largest');

    -- a sequence stepping by 5 that has given nothing yet
    alter table ids alter column id set increment by 5 restart with 1;
    insert into ids (id) values (12);
    insert into ids (note) values ('generated') returning id into next_id;
    perform pg_temp.check(next_id = 16, 'steps of 5 from 1, past 12: the next id is 16');
    insert into ids (id) values (18);
    insert into ids (note) values ('generated') returning id into next_id;
    perform pg_temp.check(next_id = 21, 'steps of 5 from 16, past 18: the next id is 21');
    alter table ids alter column id set increment by 1;

    insert into ids (id) values (next_id + 5000000);  -- too far to draw value by value
    drawn := next_id + 5000000;
    insert into ids (note) values ('generated') returning id into next_id;
    perform pg_temp.check(next_id = drawn + 1, 'an id millions beyond: the next id is past it');
    drop table ids;
end
$$;

-- The build stamp table holds one row at most.
do $$
begin
    insert into accounts_dep.ver (d, t) values (20211223, 43515);
    update accounts_dep.ver set d = 20211223, t = 43516;
    begin
        insert into accounts_dep.ver (d, t) values (20211224, 0);
        raise exception 'FAILED: a second build stamp row was stored';
    exception when unique_violation then
        null;
    end;
    perform pg_temp.check((select count(*) = 1 and min(t) = 43516 from accounts_dep.ver), 'one stamp row');
end
$$;
