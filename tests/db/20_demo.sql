-- The demo plant keeps the invariants the program relies on.

\ir helpers.sql

-- Time sheet = shift records: every cell holds the hours of its worker,
-- shift and day; every row belongs to a worker with records in that
-- shift and month; every worker, shift and month with records has a row.
do $$
declare
    differences bigint;
begin
    with cells as (
        select h.w_id, h.smena, h.year, h.month, c.day::integer as day, c.hours
          from accounts_dep.h_tabel h
          cross join lateral unnest(array[h.d1, h.d2, h.d3, h.d4, h.d5, h.d6, h.d7, h.d8, h.d9, h.d10, h.d11,
                                          h.d12, h.d13, h.d14, h.d15, h.d16, h.d17, h.d18, h.d19, h.d20, h.d21,
                                          h.d22, h.d23, h.d24, h.d25, h.d26, h.d27, h.d28, h.d29, h.d30, h.d31])
                         with ordinality c (hours, day)),
    worked as (
        select w_id, smena::integer as smena, extract(year from data)::integer as year,
               extract(month from data)::integer as month, extract(day from data)::integer as day,
               sum(time)::integer as hours
          from accounts_dep.smena
         group by 1, 2, 3, 4, 5)
    select count(*) into differences
      from cells
      full join worked using (w_id, smena, year, month, day)
     where cells.hours is null                            -- records without a time sheet row
        or cells.hours <> coalesce(worked.hours, 0);      -- a cell that differs
    perform pg_temp.check(differences = 0, format('h_tabel differs from smena in %s cells', differences));

    perform pg_temp.check(not exists (
        select 1 from accounts_dep.h_tabel h
         where not exists (select 1 from accounts_dep.smena s
                            where s.w_id = h.w_id and s.smena = h.smena
                              and s.data >= make_date(h.year, h.month, 1)
                              and s.data < make_date(h.year, h.month, 1) + interval '1 month')),
        'every time sheet row has shift records');
    perform pg_temp.check((select count(*) from accounts_dep.h_tabel) > 500, 'the time sheet is filled');
end
$$;

-- Workers: codes read as integers, one row per employee, names in the
-- "Фамилия И.О." form, some without a position today.
do $$
begin
    perform pg_temp.check((select bool_and(s_code ~ '^[0-9]+$') from cmn_contractor.person), 'codes are digits');
    perform pg_temp.check((select count(*) from cmn_contractor.person where s_code::t_integer > 0)
                          = (select count(*) from cmn_contractor.person), 'every s_code reads as t_integer');
    perform pg_temp.check((select count(*) from cmn_contractor.person where s_code ~ '^0') > 0,
                          'some codes carry leading zeros');
    perform pg_temp.check((select count(*) from cmn_contractor.person where b_employee) = 300,
                          '300 employees at scale 1');
    perform pg_temp.check((select bool_and(btrim(s_caption) ~ '^[А-ЯЁ][а-яё]+ [А-ЯЁ]\.[А-ЯЁ]\.$')
                             from cmn_contractor.person), 'captions are "Фамилия И.О."');
    perform pg_temp.check(not exists (
        select 1
          from hrms_movement.movement a
          join hrms_movement.movement b on b.id_employee = a.id_employee and b.id > a.id
         where daterange(a.d_begin, a.d_end, '[]') && daterange(b.d_begin, b.d_end, '[]')),
        'appointments of one person do not overlap');
    perform pg_temp.check((select count(*) from cmn_contractor.person p
                            where p.b_employee
                              and not exists (select 1 from hrms_movement.movement m
                                               where m.id_employee = p.id
                                                 and now()::t_date between m.d_begin and coalesce(m.d_end, now()::t_date)))
                          between 20 and 100, 'some employees hold no position today');
    perform pg_temp.check(exists (select 1 from hrms_movement.movement where d_end is not null),
                          'some appointments are closed');
end
$$;

-- Products: groups follow the product group rules, every rule is met.
do $$
declare
    c record;
begin
    for c in select * from (values
        ('ПРН-12', 'Профиль Н-обр.'), ('прг-30', 'Профиль ГО'), ('ПРД У 40', 'Профили дек. угловые'),
        ('ПРД 40', 'Профиль основной'), (U&'\041A\0420 \0410L 200', 'Кронштейны аллюминиевые'),
        ('КР 200', 'Кронштейны оцинкованные'), ('КЛ1304-1', 'Кляммеры нерж., 12Х18'), ('КЛ 10', 'КЛ '),
        ('ЗТ', 'ЗТ'), (U&'\041F\0420z-25', 'Профиль Z-обр.'), ('Кассета КФ-1', 'Кас')) t (marka, nom)
    loop
        perform pg_temp.check(demo.product_group(c.marka) = c.nom,
                              format('group of %s is %s, not %s', c.marka, demo.product_group(c.marka), c.nom));
    end loop;
    perform pg_temp.check((select bool_and(nom = demo.product_group(marka)) from accounts_dep.izdel),
                          'every product carries the group of its mark');
    perform pg_temp.check((select count(distinct nom) from accounts_dep.izdel
                            where nom not in ('КЛ ', 'ОТЛ', 'Кас', 'ЗТ')) = 22, 'all 22 group rules are met');
    perform pg_temp.check((select bool_and(g.s_mc = i.id::text) from accounts_dep.izdel i
                             join cmn_gds_and_srv.gds_and_srv g on g.id = i.id), 'a product is its own goods item');
end
$$;

-- Operations, norms, requisitions, stock.
do $$
begin
    perform pg_temp.check((select max(n) = 3 and min(n) = 1
                             from (select count(*) n from accounts_dep.norm group by o_id) x), '1 to 3 norms');
    perform pg_temp.check(exists (select 1 from accounts_dep.oper o
                                   where not exists (select 1 from accounts_dep.norm n where n.o_id = o.id)),
                          'a few operations have no norm');
    perform pg_temp.check(exists (select 1 from accounts_dep.oper where i_id_old is not null), 'i_id_old is used');
    perform pg_temp.check(exists (select 1 from accounts_dep.vid_oper where upper(vid) like '%КРАСКА%'),
                          'paint kinds exist');
    perform pg_temp.check((select bool_and(exists (select 1 from accounts_dep.oper o join accounts_dep.norm n on n.o_id = o.id
                                                    where o.i_id = i.s_gds_mc::integer))
                             from accounts_dep.v_mnf_requisition_item i),
                          'every requisition line names a product with operations to pick');
    perform pg_temp.check(exists (select 1 from stk_remainder.remainder where id_reserved_doc is null)
                          and exists (select 1 from stk_remainder.remainder where id_reserved_doc is not null),
                          'free and reserved stock');
    perform pg_temp.check(exists (select 1 from mnf_doc.doc where id_type <> 1)
                          and exists (select 1 from mnf_doc.doc where b_deleted),
                          'documents that are not listed as requisitions');
end
$$;

-- Shift records.
do $$
begin
    perform pg_temp.check((select min(data) = '2026-09-01' and max(data) = '2026-11-30' from accounts_dep.smena),
                          'records span September to November 2026');
    perform pg_temp.check((select count(distinct smena) = 4 from accounts_dep.smena), 'records in all four shifts');
    perform pg_temp.check((select count(distinct ok) = 4 from accounts_dep.smena), 'codes no, ok, да and ta');
    perform pg_temp.check((select count(*) filter (where ok = 'ok') > 0.8 * count(*)
                             from accounts_dep.smena where data < '2026-11-15'), 'older records mostly accepted');
    perform pg_temp.check((select count(*) filter (where ok = 'no') > 0.6 * count(*)
                             from accounts_dep.smena where data > '2026-11-16'), 'recent records mostly not');
    perform pg_temp.check(not exists (select 1 from accounts_dep.smena s
                                       where s.ok = 'ok'
                                         and not exists (select 1 from accounts_dep.smena_gds_use u where u.id_smena = s.id)),
                          'every accepted record has its materials');
    perform pg_temp.check(not exists (select 1 from accounts_dep.smena s
                                        join accounts_dep.v_mnf_requisition_item i on i.id = s.id_doc_item
                                       where s.kol_vo > i.f_qty and i.f_qty > 0),
                          'no record exceeds its line''s requirement');
    perform pg_temp.check(not exists (select 1 from accounts_dep.smena s
                                        left join cmn_contractor.person p on s.w_id = p.s_code::integer
                                       where p.id is null), 'every record belongs to a person');
end
$$;
