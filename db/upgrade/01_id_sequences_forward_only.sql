-- For a plant's database whose program tables were built before December
-- 2026: the trigger function that keeps the id sequences ahead of explicit
-- ids could set a sequence back while another workstation was inserting, so
-- that a later save failed on a duplicate id ("duplicate key value violates
-- unique constraint smena_pkey" or "h_tabel_pkey"). This replaces the
-- function (the triggers that call it stay as they are) and moves every
-- sequence it serves past the largest id of the tables that draw from it,
-- in case a setback has left one behind. Nothing is ever moved back; safe to
-- run again.
--
--   psql -h SERVER -d DATABASE -U ACCOUNT -v ON_ERROR_STOP=1 -1 -f db/upgrade/01_id_sequences_forward_only.sql

\ir ../functions/keep_id_sequence_ahead.sql

-- Every sequence the triggers name, past the largest id of every table
-- that draws from it: the trigger's own table, and others whose id defaults
-- to it or owns it (the ERP's goods table shares its sequence with izdel).
do $$
declare
    served record;
    drawer record;
    top bigint;
    found_top bigint;
begin
    for served in
        select distinct convert_from(substring(t.tgargs from 1 for position(decode('00', 'hex') in t.tgargs) - 1),
                                     'UTF8')::regclass as seq
          from pg_catalog.pg_trigger t
         where t.tgfoid = 'accounts_dep.keep_id_sequence_ahead()'::regprocedure
    loop
        top := null;
        for drawer in
            select t.tgrelid::regclass as tab, 'id'::name as col
              from pg_catalog.pg_trigger t
             where t.tgfoid = 'accounts_dep.keep_id_sequence_ahead()'::regprocedure
               and convert_from(substring(t.tgargs from 1 for position(decode('00', 'hex') in t.tgargs) - 1),
                                'UTF8')::regclass = served.seq
            union
            select a.adrelid::regclass, c.attname
              from pg_catalog.pg_depend d
              join pg_catalog.pg_attrdef a on a.oid = d.objid
              join pg_catalog.pg_attribute c on c.attrelid = a.adrelid and c.attnum = a.adnum
             where d.classid = 'pg_catalog.pg_attrdef'::regclass and d.refobjid = served.seq
            union
            select d.refobjid::regclass, c.attname
              from pg_catalog.pg_depend d
              join pg_catalog.pg_attribute c on c.attrelid = d.refobjid and c.attnum = d.refobjsubid
             where d.classid = 'pg_catalog.pg_class'::regclass and d.objid = served.seq
               and d.refclassid = 'pg_catalog.pg_class'::regclass and d.deptype in ('a', 'i')
        loop
            execute format('select max(%I)::bigint from %s', drawer.col, drawer.tab) into found_top;
            top := greatest(top, found_top);
        end loop;
        perform accounts_dep.move_id_sequence_past(served.seq, top);
    end loop;
end
$$;
