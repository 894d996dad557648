-- Assertion helpers for the database tests; session-local (pg_temp), so
-- every test script includes this file first.

create function pg_temp.check(ok boolean, message text)
returns void
language plpgsql
as $$
begin
    if ok is not true then
        raise exception 'FAILED: %', message;
    end if;
end
$$;

-- Runs a statement of the program (parameters already replaced by
-- literals) into a temporary table, checks its column names in order and
-- that it gives at least min_rows rows; returns the number of rows.
create function pg_temp.expect_columns(label text, statement text, columns text[], min_rows bigint default 1)
returns bigint
language plpgsql
as $$
declare
    t text := 'q_' || md5(label);
    got text[];
    n bigint;
begin
    execute format('drop table if exists pg_temp.%I', t);
    execute format('create temp table %I as %s', t, statement);
    select array_agg(attname::text order by attnum) into got
      from pg_attribute
     where attrelid = format('pg_temp.%I', t)::regclass and attnum > 0 and not attisdropped;
    if got is distinct from columns then
        raise exception 'FAILED %: columns % instead of %', label, got, columns;
    end if;
    execute format('select count(*) from pg_temp.%I', t) into n;
    if n < min_rows then
        raise exception 'FAILED %: % rows, expected at least %', label, n, min_rows;
    end if;
    return n;
end
$$;

-- Number of rows a statement gives.
create function pg_temp.row_count(statement text)
returns bigint
language plpgsql
as $$
declare
    n bigint;
begin
    execute format('select count(*) from (%s) q', statement) into n;
    return n;
end
$$;

-- d1 .. d31 as a column list.
create function pg_temp.day_columns(prefix text default 'd')
returns text[]
language sql
as $$ select array_agg(prefix || n order by n) from generate_series(1, 31) n $$;
