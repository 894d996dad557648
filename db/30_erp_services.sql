-- ERP services the accounting program calls: requisition views, lookups
-- by shift record, acceptance, crew division, and the database settings
-- the program's statements depend on. README.md describes their workings.

-- ------------------------------------------------------------ settings
-- The program sends dates as 'DD.MM.YYYY' literals (vvod), names OPER,
-- IZDEL, VID_OPER without schema and reads "today" in the plant's time
-- zone. These are database settings; CREATE DATABASE ... TEMPLATE does not
-- copy them, so a clone must call this function once (connections opened
-- afterwards get the settings).
create function accounts_dep.apply_database_settings()
returns void
language plpgsql
as $$
declare
    db text := current_database();
begin
    execute format('alter database %I set search_path = "$user", public, accounts_dep', db);
    execute format('alter database %I set datestyle = %L', db, 'ISO, DMY');
    execute format('alter database %I set timezone = %L', db, 'Europe/Moscow');
end
$$;

-- ---------------------------------------------------------- requisitions
-- Caption of a requisition line: "2. Кронштейн КР 200, 150 шт".
create function accounts_dep.requisition_item_caption(n_pos integer, s_gds text, f_qty numeric, s_unit text)
returns varchar
language sql immutable parallel safe
as $$
    select format('%s. %s, %s', n_pos, s_gds,
                  case when f_qty > 0
                       then replace(trim_scale(f_qty)::text, '.', ',') || ' ' || s_unit
                       else 'без ограничения' end)::varchar(254)
$$;

-- Requisitions that are not deleted, newest first.
create view accounts_dep.v_mnf_requisition as
select d.id::t_id as id,
       format('Заявка № %s от %s', d.s_number, to_char(d.d_date, 'dd.mm.yyyy'))::varchar(254) as s_caption,
       d.s_number,
       d.d_date,
       d.id_stock_from
  from mnf_doc.doc d
 where d.id_type = 1
   and not d.b_deleted
 order by d.d_date desc, d.id desc;

-- Lines of those requisitions; s_gds_mc is the product's id in izdel as text.
create view accounts_dep.v_mnf_requisition_item as
select i.id::t_id as id,
       i.id_doc,
       accounts_dep.requisition_item_caption(i.n_pos, g.s_caption, i.f_qty, g.s_unit) as s_caption,
       i.id_gds,
       i.f_qty,
       g.s_mc as s_gds_mc
  from mnf_doc.doc_item i
  join mnf_doc.doc d on d.id = i.id_doc
  join cmn_gds_and_srv.gds_and_srv g on g.id = i.id_gds
 where d.id_type = 1
   and not d.b_deleted
 order by i.id_doc, i.n_pos;

-- The requisition line of a shift record (also of a deleted requisition);
-- no row when the record has none.
create function accounts_dep.get_doc_item_caption_by_smena(p_id_smena bigint)
returns table (id t_id, s_caption varchar)
language sql stable
as $$
    select i.id::t_id,
           accounts_dep.requisition_item_caption(i.n_pos, g.s_caption, i.f_qty, g.s_unit)
      from accounts_dep.smena s
      join mnf_doc.doc_item i on i.id = s.id_doc_item
      join cmn_gds_and_srv.gds_and_srv g on g.id = i.id_gds
     where s.id = p_id_smena
$$;

-- Materials a shift record may consume: those the routing prescribes for
-- the record's product, and those reserved in stock for its requisition line.
create function accounts_dep.get_gds_from_by_smena(p_id_smena bigint)
returns table (id t_id, s_caption varchar)
language sql stable
as $$
    select g.id::t_id, g.s_caption
      from cmn_gds_and_srv.gds_and_srv g
     where g.id in (select o.id_gds_from
                      from accounts_dep.smena s
                      join mnf_operation.operation o on o.id_gds_to = s.i_id
                     where s.id = p_id_smena
                    union
                    select r.id_gds
                      from accounts_dep.smena s
                      join stk_remainder.remainder r on r.id_reserved_doc_item = s.id_doc_item
                     where s.id = p_id_smena
                       and s.id_doc_item <> 0)
     order by g.s_caption, g.id
$$;

-- Consignments of a goods item, oldest first, with the warehouse they lie in.
create function accounts_dep.show_consignment(p_id_gds bigint)
returns table (id t_id, stock_s_caption varchar, s_caption varchar)
language sql stable
as $$
    select c.id::t_id, st.s_caption, c.s_caption
      from stk_remainder.consignment c
      join stk_remainder.stock st on st.id = c.id_stock
     where c.id_gds = p_id_gds
     order by c.d_date, c.id
$$;

-- The consignment a material is written off from: the oldest one with
-- stock in the given warehouse, else the oldest one with stock anywhere.
create function accounts_dep.pick_consignment(p_id_gds bigint, p_id_stock bigint)
returns t_id
language sql stable
as $$
    select c.id::t_id
      from stk_remainder.consignment c
     where c.id_gds = p_id_gds
       and exists (select 1 from stk_remainder.remainder r
                    where r.id_consignment = c.id and r.f_qty > 0)
     order by (c.id_stock is not distinct from p_id_stock) desc, c.d_date, c.id
     limit 1
$$;

-- ------------------------------------------------------------ acceptance
-- The shift record, locked for the rest of the transaction; an unknown id is an error.
create function accounts_dep.smena_locked(p_id_smena bigint)
returns accounts_dep.smena
language plpgsql
as $$
declare
    rec accounts_dep.smena;
begin
    select * into rec from accounts_dep.smena where id = p_id_smena for update;
    if not found then
        raise exception 'Запись № % не найдена', p_id_smena using errcode = 'no_data_found';
    end if;
    return rec;
end
$$;

-- Accepts a shift record: ok becomes 'ok', and every material row of the
-- record that has no consignment yet gets the one it is written off from.
-- Returns 1, or 0 when the record was already accepted (nothing changes).
create function accounts_dep.smena__accept_row_hwo(p_id_smena bigint)
returns integer
language plpgsql
as $$
declare
    rec accounts_dep.smena;
    stock t_id;
begin
    rec := accounts_dep.smena_locked(p_id_smena);
    if rec.ok = 'ok' then
        return 0;
    end if;
    update accounts_dep.smena set ok = 'ok' where id = rec.id;
    select id_stock_from into stock from mnf_doc.doc where id = rec.id_doc;
    update accounts_dep.smena_gds_use u
       set id_cons_use = accounts_dep.pick_consignment(u.id_gds_use, stock)
     where u.id_smena = rec.id
       and u.id_cons_use is null;
    return 1;
end
$$;

-- ------------------------------------------------------------ time sheet
-- Sets the time sheet cell of a worker, shift and date to the hours of the
-- worker's shift records of that shift and date, creating the month's row
-- when there is none (the maintenance rule of the time sheet).
create function accounts_dep.h_tabel_set_cell(p_w_id integer, p_smena integer, p_data date)
returns void
language plpgsql
as $$
declare
    hours integer;
    updated integer;
    cell text := 'd' || extract(day from p_data)::integer;
begin
    select coalesce(sum(time), 0) into hours
      from accounts_dep.smena
     where w_id = p_w_id and smena = p_smena and data = p_data;
    -- updated, or inserted when there is no row: a database without the
    -- table's unique key works the same
    execute format('update accounts_dep.h_tabel set %1$I = $5 '
                   'where w_id = $1 and smena = $2 and month = $3 and year = $4', cell)
      using p_w_id, p_smena, extract(month from p_data)::integer, extract(year from p_data)::integer, hours;
    get diagnostics updated = row_count;
    if updated = 0 then
        execute format('insert into accounts_dep.h_tabel (w_id, smena, month, year, %1$I) '
                       'values ($1, $2, $3, $4, $5)', cell)
          using p_w_id, p_smena, extract(month from p_data)::integer, extract(year from p_data)::integer, hours;
    end if;
end
$$;

-- ------------------------------------------------------------------ crew
-- Shares a shift record between its worker and the crew listed for it in
-- person_temp, in one transaction:
--  * participants: the record's worker first, then each crew member once,
--    in the order they were added (repeats and the worker himself skipped);
--  * the whole pieces of kol_vo and the rejects brak are split evenly; the
--    pieces left over go one each to the participants in that order; a
--    fractional part of kol_vo stays with the record's worker;
--  * the record keeps the worker's share; every crew member gets a new
--    record with his share and everything else copied (same product,
--    operation, price, date, shift, hours, acceptance code, requisition;
--    material columns 0; the materials rows stay with the original record);
--  * each crew member's time sheet cell for that shift and date is set to
--    his hours; the worker's hours do not change;
--  * the record's person_temp rows are deleted, so a second call changes
--    nothing.
-- Refuses an accepted record. Returns the number of participants.
create function accounts_dep.divide_between_person(p_id_smena bigint)
returns integer
language plpgsql
as $$
declare
    rec accounts_dep.smena;
    crew integer[];
    n integer;
    whole bigint;
    frac double precision;
    kol_base bigint;
    kol_rest bigint;
    brak_base integer;
    brak_rest integer;
    i integer;
begin
    rec := accounts_dep.smena_locked(p_id_smena);
    if rec.ok = 'ok' then
        raise exception 'Запись № % принята, делить её нельзя', p_id_smena;
    end if;

    select coalesce(array_agg(code order by first_added), '{}') into crew
      from (select p.s_code::integer as code, min(t.id) as first_added
              from accounts_dep.person_temp t
              join cmn_contractor.person p on p.id = t.id_person
             where t.id_smena = rec.id
             group by 1) c
     where c.code is distinct from rec.w_id;
    n := 1 + cardinality(crew);

    if n > 1 then
        whole := floor(coalesce(rec.kol_vo, 0));
        frac := coalesce(rec.kol_vo, 0) - whole;
        kol_base := floor(whole::numeric / n);
        kol_rest := whole - kol_base * n;
        brak_base := floor(coalesce(rec.brak, 0)::numeric / n);
        brak_rest := coalesce(rec.brak, 0) - brak_base * n;

        update accounts_dep.smena
           set kol_vo = kol_base + (kol_rest > 0)::integer + frac,
               brak = brak_base + (brak_rest > 0)::integer
         where id = rec.id;

        for i in 1 .. n - 1 loop
            insert into accounts_dep.smena (w_id, i_id, o_id, cena, kol_vo, brak, data, smena, color, time,
                                            ok, vvod, prize, id_doc, id_doc_item,
                                            f_gds_qty_use, id_gds_use, id_cons_use)
            values (crew[i], rec.i_id, rec.o_id, rec.cena,
                    kol_base + (kol_rest > i)::integer, brak_base + (brak_rest > i)::integer,
                    rec.data, rec.smena, rec.color, rec.time, rec.ok, rec.vvod, rec.prize,
                    rec.id_doc, rec.id_doc_item, 0, 0, 0);
            if rec.data is not null and rec.smena is not null then
                perform accounts_dep.h_tabel_set_cell(crew[i], rec.smena, rec.data);
            end if;
        end loop;
    end if;

    delete from accounts_dep.person_temp where id_smena = rec.id;
    return n;
end
$$;
