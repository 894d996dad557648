-- For a plant's database whose program tables were built before December
-- 2026: the trigger function that keeps the id sequences ahead of explicit
-- ids could set a sequence back while another workstation was inserting, so
-- that a later save failed on a duplicate id ("duplicate key value violates
-- unique constraint smena_pkey" or "h_tabel_pkey"). This replaces the
-- function (the triggers that call it stay as they are) and moves every
-- sequence it serves past the largest id of its table, in case a setback
-- has left one behind. Nothing is ever moved back; safe to run again.
--
--   psql -h SERVER -d DATABASE -U ACCOUNT -v ON_ERROR_STOP=1 -1 -f db/upgrade/01_id_sequences_forward_only.sql

\ir ../functions/keep_id_sequence_ahead.sql

do $$
declare
    served record;
begin
    for served in
        select t.tgrelid::regclass as tab, split_part(encode(t.tgargs, 'escape'), '\000', 1) as seq
          from pg_catalog.pg_trigger t
         where t.tgfoid = 'accounts_dep.keep_id_sequence_ahead()'::regprocedure
    loop
        execute format('select accounts_dep.move_id_sequence_past(%L::regclass, (select max(id) from %s))',
                       served.seq, served.tab);
    end loop;
end
$$;
