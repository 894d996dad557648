-- Database settings the program's texts depend on, and the time sheet
-- statements of save, deletion and month rebuild on a record written with
-- a day above 12 (a month-first date order would refuse or misread it).

\ir helpers.sql
\ir statements.sql

do $$
begin
    perform pg_temp.check(current_setting('datestyle') = 'ISO, DMY', 'date order day-month');
    perform pg_temp.check(current_setting('search_path') like '%accounts_dep%', 'accounts_dep on the search path');
    perform pg_temp.check(current_setting('timezone') = 'Europe/Moscow', 'plant time zone');
    perform pg_temp.check(iif(1 = 0, 'да', 'нет') = 'нет' and iif(null, 'да', 'нет') = 'нет', 'iif');
end
$$;

do $$
declare
    w integer := (select s_code::integer from cmn_contractor.person where b_employee order by id limit 1);
    op integer := (select min(o_id) from accounts_dep.norm);
    product integer := (select i_id from accounts_dep.oper where id = op);
    rec integer;
    cnt integer;
    tim integer;
    stored record;
begin
    -- Save (insert) of 24.12.2021, shift 2, 3 hours, then the time sheet cell.
    execute 'insert into accounts_dep.SMENA(w_id, i_id, o_id, cena, kol_vo, brak, data, smena, color, time, vvod,ok, '
            'prize, id_doc, id_doc_item, f_gds_qty_use, id_gds_use, id_cons_use) values('
            || w || ', ' || product || ', ' || op || ', ' || '12.5' || ',' || '2.5' || ', ' || '0'
            || ', to_date(''' || '24.12.2021' || ''', ''DD.MM.YYYY HH24:MI:SS''), ' || 2 || ', ' || 0 || ', ' || 3
            || ', ''' || '24.12.2021' || ''', ''' || 'no' || ''', 0, ' || 0 || ', ' || 0 || ', 0, 0, 0) returning id'
       into rec;
    select data, vvod, ok into stored from accounts_dep.smena where id = rec;
    perform pg_temp.check(stored.data = '2021-12-24' and stored.vvod = '2021-12-24 00:00' and stored.ok = 'no',
                          'date and entry date of 24.12.2021');

    execute 'select count(w_id) as cnt from accounts_dep.h_tabel where w_id=' || w || ' and smena=2 and month=12 and year=2021'
       into cnt;
    execute 'select sum(time) as tim from accounts_dep.smena where w_id=' || w
            || ' and smena=2 and data=to_date(''24.12.2021'', ''DD.MM.YYYY'') group by w_id, smena, data'
       into tim;
    perform pg_temp.check(cnt = 0 and tim = 3, 'no row yet, 3 hours');
    execute 'insert into accounts_dep.h_tabel(smena, w_id, month, year, d24) values(2, ' || w || ', 12, 2021, ' || tim || ')';

    -- Change (update) to 5 hours on 05.03.2021: the day cell of March.
    execute 'update accounts_dep.SMENA set w_id=' || w || ', i_id=' || product || ', o_id=' || op
            || ', cena=12.5, kol_vo=2.5, brak=0, data=to_date(''05.03.2021'', ''DD.MM.YYYY''), smena=2, color=0, '
            || 'time=5, vvod=''05.03.2021'', prize=0, id_doc=0, id_doc_item=0, f_gds_qty_use=0, id_gds_use=0, '
            || 'id_cons_use=0 where id=' || rec;
    perform pg_temp.check((select data = '2021-03-05' and vvod = '2021-03-05 00:00' from accounts_dep.smena where id = rec),
                          '05.03.2021 is the 5th of March');
    perform pg_temp.check(pg_temp.row_count(format('select * from (%s) q where id = %s and vvod = ''2021-03-05''',
        pg_temp.statement('smena2', '{"data": "''2021-03-05 00:00:00''::timestamp", "ok": "''ta''"}'), rec)) = 1,
        'the journal shows it on its date with its entry date');

    -- Month rebuild: the cell written from the text the rebuild sends.
    execute 'delete from accounts_dep.h_tabel where month=3 and year=2021';
    execute 'insert into accounts_dep.h_tabel(smena, w_id, month, year, d5) values(2, ' || w || ', 3, 2021, 1)';
    execute 'update accounts_dep.h_tabel set d5=''' || 5 || ''' where w_id=' || w || ' and smena=2 and month=3 and year=2021';
    perform pg_temp.check((select d5 from accounts_dep.h_tabel where w_id = w and smena = 2 and month = 3 and year = 2021) = 5,
                          'rebuilt cell');

    -- Deletion: the record goes, the cell becomes 0.
    execute 'delete from accounts_dep.smena where id=' || rec;
    execute 'select sum(time) as tim from accounts_dep.smena where w_id=' || w
            || ' and smena=2 and data=to_date(''05.03.2021'', ''DD.MM.YYYY'') group by w_id, smena, data'
       into tim;
    execute 'update accounts_dep.h_tabel set d5=' || coalesce(tim, 0) || ' where w_id=' || w
            || ' and smena=2 and month=3 and year=2021';
    perform pg_temp.check((select d5 from accounts_dep.h_tabel where w_id = w and smena = 2 and month = 3 and year = 2021) = 0,
                          'cell after deletion');
end
$$;
