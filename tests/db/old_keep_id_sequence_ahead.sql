-- The id sequences' trigger function as plants' databases built before
-- December 2026 hold it (it set a sequence back when another session drew
-- between its reading and its setval): what db/upgrade/01 replaces.
create or replace function accounts_dep.keep_id_sequence_ahead()
returns trigger
language plpgsql
as $$
declare
    seq regclass := tg_argv[0]::regclass;
    top bigint;
    last bigint;
begin
    select max(id) into top from new_rows;
    if top is null then
        return null;
    end if;
    execute format('select last_value from %s', seq) into last;
    if top >= last then
        perform setval(seq, top, true);
    end if;
    return null;
end
$$;
