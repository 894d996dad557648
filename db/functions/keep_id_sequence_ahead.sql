-- Explicit ids (the legacy import copies them; other tools of the plant may
-- write them too) must not make later generated ids collide: after an
-- insert, the id sequence named by the trigger's argument is moved past the
-- largest id just written, when that id lies beyond what the sequence has
-- given.
--
-- Several workstations insert at once, so a sequence is only ever moved
-- forward. An insert whose ids the sequence gave leaves it alone: such an id
-- is never beyond the sequence's position. The move itself draws values with
-- nextval, which is atomic and which no other session's drawing can undo.
-- Reading the position and then setting it with setval would take back the
-- values that other sessions drew in between, and their next inserts would
-- collide. Only a gap too wide to draw value by value (an id millions beyond
-- the position) is closed with setval, one session at a time; a generated id
-- drawn in that very instant could be given again, a risk left to such far
-- ids alone.
--
-- A sequence that hands out blocks of values to each session (CACHE above 1)
-- reports the end of the last block handed out, so an explicit id inside a
-- block another session holds is not seen as beyond it. The program's id
-- sequences hand out one value at a time (identity columns do so unless told otherwise).

-- Moves the sequence forward until its next value is past top; nothing when it is already.
create or replace function accounts_dep.move_id_sequence_past(seq regclass, top bigint)
returns void
language plpgsql
as $$
declare
    last bigint;
    called boolean;
    step bigint;
    draws bigint;
begin
    if top is null then
        return;
    end if;
    execute format('select last_value, is_called from %s', seq) into last, called;
    if top < last or (top = last and called) then
        return;
    end if;
    select seqincrement into step from pg_catalog.pg_sequence where seqrelid = seq;
    if step is null or step <= 0 then
        return;
    end if;
    -- Draws until the last one drawn is at least top, were nobody else
    -- drawing; whoever draws meanwhile only moves it further.
    draws := (top - last) / step + case when called then 0 else 1 end;
    if draws <= 0 then
        return;
    elsif draws <= 1000000 then
        perform max(nextval(seq)) from generate_series(1, draws);
    else
        -- Sessions that set the same sequence take turns, and none sets it
        -- below where another left it.
        perform pg_advisory_xact_lock(seq::oid::bigint);
        execute format('select last_value from %s', seq) into last;
        perform setval(seq, greatest(top, last), true);
    end if;
end
$$;

create or replace function accounts_dep.keep_id_sequence_ahead()
returns trigger
language plpgsql
as $$
begin
    perform accounts_dep.move_id_sequence_past(tg_argv[0]::regclass, (select max(id) from new_rows));
    return null;
end
$$;
