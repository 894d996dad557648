-- Demo plant: demo.generate(scale, end_date, months) fills the ERP stand-in
-- and the program's tables with a plant of about 300 × scale employees and
-- shift records from the first day of the month `months` - 1 months before
-- end_date up to end_date (by default three months). See README.md.
--
-- Every random choice is a hash of the row's own keys and a salt (demo.rnd),
-- so the result depends only on (scale, end_date, months), never on query plans or
-- row order: the same call on an empty database gives the same data.

create schema demo;

-- A number in [0, 1) from a salt and one or two keys.
create function demo.rnd(salt integer, a bigint)
returns double precision
language sql immutable parallel safe
as $$ select (hashint8extended(a, salt) & 4503599627370495)::double precision / 4503599627370496 $$;

create function demo.rnd(salt integer, a bigint, b bigint)
returns double precision
language sql immutable parallel safe
as $$ select (hashint8extended(b, hashint8extended(a, salt)) & 4503599627370495)::double precision / 4503599627370496 $$;

-- 1 .. n from a number in [0, 1).
create function demo.pick(n integer, r double precision)
returns integer
language sql immutable parallel safe
as $$ select least(n, 1 + floor(n * r)::integer) $$;

-- Product group of a mark, by the product group rules of the product book:
-- the last rule whose prefix equals the mark's upper-cased beginning wins;
-- no rule: the first three characters of the trimmed mark.
create function demo.product_group(marka text)
returns text
language sql immutable
as $$
    select coalesce(
        (select g.name
           from (values
                 (1, 'ПЛ', 'Платик'),
                 (2, 'КР', 'Кронштейны оцинкованные'),
                 (3, 'ПП', 'Паранитовые прокладки'),
                 (4, 'М2', 'М2'),
                 (5, 'ПР', 'Профиль основной'),
                 (6, 'ПРН', 'Профиль Н-обр.'),
                 (7, 'ПРГ', 'Профиль ГО'),
                 (8, U&'\041F\0420Z', 'Профиль Z-обр.'),
                 (9, 'САМ', 'Саморезы'),
                 (10, 'МДФ', 'МДФ скобы'),
                 (11, 'УДЛ', 'Удленитель'),
                 (12, 'КЛОЦ', 'Кляммеры оцинкованные'),
                 (13, 'С1КЛ', 'Кляммеры поворотные'),
                 (14, 'С2КЛ', 'Кляммеры дистанционные'),
                 (15, 'С3КЛ', 'Кляммеры концевые'),
                 (16, 'ПДГВ', 'Профильи декоративн. горизонт.вертик.'),
                 (17, 'ПРД У', 'Профили дек. угловые'),
                 (18, 'ПРД В', 'Профили дек. вертикальные'),
                 (19, 'ПРД Г', 'Профили дек. горизонтальные'),
                 (20, 'КЛ430', 'Кляммеры нерж., 430'),
                 (21, U&'\041A\0420 \0410L', 'Кронштейны аллюминиевые'),
                 (22, 'КЛ1304', 'Кляммеры нерж., 12Х18')
                ) g (n, prefix, name)
          where upper(left(marka, length(g.prefix))) = g.prefix
          order by g.n desc
          limit 1),
        left(btrim(marka), 3))
$$;

-- Female form of a surname.
create function demo.female_surname(surname text)
returns text
language sql immutable
as $$
    select case when surname ~ 'ий$' then left(surname, -2) || 'ая'
                when surname ~ '(ов|ев|ёв|ин|ын)$' then surname || 'а'
                else surname end
$$;

create function demo.generate(scale integer, end_date date, months integer default 3)
returns text
language plpgsql
as $$
declare
    period_start date := (date_trunc('month', end_date) - (months - 1) * interval '1 month')::date;
    n_employees integer := 300 * scale;
    n_others integer := 20 * scale;
    surnames text[] := array[
        'Иванов', 'Петров', 'Сидоров', 'Смирнов', 'Кузнецов', 'Попов', 'Васильев', 'Соколов',
        'Михайлов', 'Новиков', 'Фёдоров', 'Морозов', 'Волков', 'Алексеев', 'Лебедев', 'Семёнов',
        'Егоров', 'Павлов', 'Козлов', 'Степанов', 'Николаев', 'Орлов', 'Андреев', 'Макаров',
        'Никитин', 'Захаров', 'Зайцев', 'Соловьёв', 'Борисов', 'Яковлев', 'Григорьев', 'Романов',
        'Воробьёв', 'Сергеев', 'Кузьмин', 'Фролов', 'Александров', 'Дмитриев', 'Королёв', 'Гусев',
        'Киселёв', 'Ильин', 'Максимов', 'Поляков', 'Сорокин', 'Виноградов', 'Ковалёв', 'Белов',
        'Медведев', 'Антонов', 'Тарасов', 'Жуков', 'Баранов', 'Филиппов', 'Комаров', 'Давыдов',
        'Беляев', 'Герасимов', 'Богданов', 'Осипов', 'Сидоренко', 'Матвеев', 'Титов', 'Марков',
        'Миронов', 'Крылов', 'Куликов', 'Карпов', 'Власов', 'Мельников', 'Денисов', 'Гаврилов',
        'Тихонов', 'Казаков', 'Афанасьев', 'Данилов', 'Савельев', 'Тимофеев', 'Фомин', 'Чернов',
        'Абрамов', 'Мартынов', 'Ефимов', 'Федотов', 'Щербаков', 'Назаров', 'Калинин', 'Исаев',
        'Чернышёв', 'Быков', 'Маслов', 'Родионов', 'Коновалов', 'Лазарев', 'Воронин', 'Климов',
        'Филатов', 'Пономарёв', 'Голубев', 'Кудрявцев', 'Прохоров', 'Наумов', 'Потапов', 'Журавлёв',
        'Овчинников', 'Трофимов', 'Леонов', 'Соболев', 'Ермаков', 'Колесников', 'Гончаров', 'Емельянов',
        'Никифоров', 'Грачёв', 'Котов', 'Гришин', 'Ефремов', 'Архипов', 'Громов', 'Кириллов',
        'Малышев', 'Панов', 'Моисеев', 'Румянцев', 'Акимов', 'Кондратьев', 'Бирюков', 'Горбунов',
        'Анисимов', 'Ерёмин', 'Тихомиров', 'Галкин', 'Лукьянов', 'Михеев', 'Скворцов', 'Юдин',
        'Белоусов', 'Нестеров', 'Симонов', 'Прокофьев', 'Харитонов', 'Князев', 'Цветков', 'Левин',
        'Митрофанов', 'Воронов', 'Аксёнов', 'Софронов', 'Мальцев', 'Логинов', 'Горшков', 'Савин',
        'Краснов', 'Майоров', 'Демидов', 'Елисеев', 'Рыбаков', 'Сафонов', 'Плотников', 'Демин',
        'Хохлов', 'Жданов', 'Кравец', 'Шевчук', 'Бондаренко', 'Ткаченко', 'Коваленко', 'Литвинов',
        'Островский', 'Покровский', 'Вишневский', 'Рождественский', 'Толстой', 'Трубецкой'];
    male_names text[] := array[
        'Александр', 'Алексей', 'Анатолий', 'Андрей', 'Антон', 'Аркадий', 'Борис', 'Вадим',
        'Валентин', 'Валерий', 'Василий', 'Виктор', 'Виталий', 'Владимир', 'Вячеслав', 'Геннадий',
        'Георгий', 'Григорий', 'Дмитрий', 'Евгений', 'Егор', 'Иван', 'Игорь', 'Илья',
        'Кирилл', 'Константин', 'Леонид', 'Максим', 'Михаил', 'Никита', 'Николай', 'Олег',
        'Павел', 'Пётр', 'Роман', 'Руслан', 'Сергей', 'Станислав', 'Степан', 'Юрий'];
    female_names text[] := array[
        'Александра', 'Алла', 'Анастасия', 'Анна', 'Валентина', 'Вера', 'Галина', 'Дарья',
        'Евгения', 'Екатерина', 'Елена', 'Жанна', 'Зинаида', 'Ирина', 'Лариса', 'Людмила',
        'Марина', 'Мария', 'Надежда', 'Наталья', 'Нина', 'Оксана', 'Ольга', 'Раиса',
        'Светлана', 'Софья', 'Тамара', 'Татьяна', 'Юлия', 'Яна'];
    patronymics_m text[] := array[
        'Александрович', 'Алексеевич', 'Анатольевич', 'Андреевич', 'Борисович', 'Валерьевич',
        'Васильевич', 'Викторович', 'Владимирович', 'Геннадьевич', 'Григорьевич', 'Дмитриевич',
        'Евгеньевич', 'Иванович', 'Игоревич', 'Константинович', 'Леонидович', 'Михайлович',
        'Николаевич', 'Олегович', 'Павлович', 'Петрович', 'Романович', 'Сергеевич', 'Степанович',
        'Фёдорович', 'Юрьевич', 'Яковлевич'];
    patronymics_f text[] := array[
        'Александровна', 'Алексеевна', 'Анатольевна', 'Андреевна', 'Борисовна', 'Валерьевна',
        'Васильевна', 'Викторовна', 'Владимировна', 'Геннадьевна', 'Григорьевна', 'Дмитриевна',
        'Евгеньевна', 'Ивановна', 'Игоревна', 'Константиновна', 'Леонидовна', 'Михайловна',
        'Николаевна', 'Олеговна', 'Павловна', 'Петровна', 'Романовна', 'Сергеевна', 'Степановна',
        'Фёдоровна', 'Юрьевна', 'Яковлевна'];
    production_posts text[] := array[
        'Сварщик', 'Электрогазосварщик', 'Маляр', 'Маляр порошковой окраски', 'Слесарь-сборщик',
        'Слесарь механосборочных работ', 'Оператор станков с ЧПУ', 'Токарь', 'Фрезеровщик',
        'Штамповщик', 'Резчик металла', 'Гибщик', 'Упаковщик', 'Комплектовщик',
        'Наладчик оборудования', 'Подсобный рабочий'];
    other_posts text[] := array[
        'Кладовщик', 'Контролёр ОТК', 'Мастер участка', 'Старший мастер', 'Электромонтёр',
        'Грузчик', 'Табельщик', 'Технолог'];
    ral text[] := array['9016', '7035', '8017', '3005', '1013', '6005', '5005'];
    n_pickable integer;
    hours_columns text;
    hours_sums text;
    n_records bigint;
    n_products bigint;
    n_operations bigint;
    n_requisitions bigint;
begin
    if scale < 1 then
        raise exception 'scale must be 1 or more, got %', scale;
    end if;
    if months < 1 then
        raise exception 'months must be 1 or more, got %', months;
    end if;
    -- The estimates of these one-off queries are far off; compiling them
    -- costs more than running them.
    perform set_config('jit', 'off', true);

    -- ------------------------------------------------------ staff positions
    insert into hrms_staffpos.staffpos (s_caption)
    select p from unnest(production_posts || other_posts) with ordinality u (p, k) order by k;

    -- --------------------------------------------------------------- people
    -- Personnel numbers are unique as integers; one in ten is written with
    -- leading zeros, one name in a hundred carries a trailing blank.
    insert into cmn_contractor.person (s_code, s_caption, s_full_name, b_employee)
    select case when demo.rnd(14, k) < 0.1 then lpad(code::text, 6, '0') else code::text end,
           surname || ' ' || left(first_name, 1) || '.' || left(patronymic, 1) || '.'
               || case when demo.rnd(15, k) < 0.01 then ' ' else '' end,
           surname || ' ' || first_name || ' ' || patronymic,
           k <= n_employees
      from (select k,
                   1000 + 3 * k + floor(3 * demo.rnd(13, k))::integer as code,
                   case when female then demo.female_surname(sur) else sur end as surname,
                   case when female then female_names[demo.pick(cardinality(female_names), demo.rnd(16, k))]
                        else male_names[demo.pick(cardinality(male_names), demo.rnd(16, k))] end as first_name,
                   case when female then patronymics_f[pj] else patronymics_m[pj] end as patronymic
              from generate_series(1, n_employees + n_others) k,
                   lateral (select demo.rnd(11, k) < 0.3 as female,
                                   surnames[demo.pick(cardinality(surnames), demo.rnd(12, k))] as sur,
                                   demo.pick(cardinality(patronymics_m), demo.rnd(17, k)) as pj) x
           ) p
     order by k;

    -- Employees: 88 % do piece work; each has a home shift (1, 2 or 3).
    create temp table emp on commit drop as
    select p.id as person_id,
           p.s_code::integer as w_id,
           demo.rnd(20, p.id) < 0.88 as production,
           case when demo.rnd(21, p.id) < 0.6 then 1 when demo.rnd(21, p.id) < 0.9 then 2 else 3 end as shift,
           demo.rnd(22, p.id) as u
      from cmn_contractor.person p
     where p.b_employee;

    -- Appointments: 7 % none, 8 % only a closed one, the rest an open one
    -- (30 % of them after a closed earlier one, 3 % hired during the period).
    create temp table appointment on commit drop as
    select e.*,
           case when e.u < 0.07 then 'none' when e.u < 0.15 then 'closed' else 'open' end as kind,
           case when demo.rnd(23, e.person_id) < 0.03
                then period_start + floor(40 * demo.rnd(24, e.person_id))::integer
                else end_date - 120 - floor(5000 * demo.rnd(24, e.person_id))::integer end as d_open,
           case when e.production
                then production_posts[demo.pick(cardinality(production_posts), demo.rnd(25, e.person_id))]
                else other_posts[demo.pick(cardinality(other_posts), demo.rnd(25, e.person_id))] end as post,
           case when e.production
                then production_posts[demo.pick(cardinality(production_posts), demo.rnd(26, e.person_id))]
                else other_posts[demo.pick(cardinality(other_posts), demo.rnd(26, e.person_id))] end as earlier_post
      from emp e;

    insert into hrms_movement.movement (id_employee, id_staffpos, d_begin, d_end)
    select m.person_id, sp.id, m.d_begin, m.d_end
      from (select a.person_id, a.earlier_post as post,
                   a.d_open - 200 - floor(2000 * demo.rnd(27, a.person_id))::integer as d_begin,
                   a.d_open - 1 as d_end
              from appointment a
             where a.kind = 'open' and demo.rnd(28, a.person_id) < 0.3
            union all
            select a.person_id, a.post, a.d_open, null
              from appointment a
             where a.kind = 'open'
            union all
            select a.person_id, a.post,
                   end_date - 400 - floor(3000 * demo.rnd(29, a.person_id))::integer,
                   end_date - 30 - floor(300 * demo.rnd(30, a.person_id))::integer
              from appointment a
             where a.kind = 'closed') m
      join hrms_staffpos.staffpos sp on sp.s_caption = m.post
     order by m.person_id, m.d_begin;

    -- ------------------------------------------------------------ materials
    create temp table mat (k integer, name text, unit text, per_piece numeric) on commit drop;
    insert into mat values
        (1, 'Лист оцинкованный 0,55 мм', 'кг', 0.3), (2, 'Лист оцинкованный 0,7 мм', 'кг', 0.35),
        (3, 'Лист оцинкованный 1,2 мм', 'кг', 0.5), (4, 'Лист горячекатаный 2 мм', 'кг', 0.8),
        (5, 'Лист нерж. AISI 430 1,0 мм', 'кг', 0.05), (6, 'Лист нерж. 12Х18Н10Т 1,0 мм', 'кг', 0.05),
        (7, 'Лента оцинкованная 1,0х100 мм', 'кг', 0.2), (8, 'Профиль алюминиевый АД31', 'кг', 0.25),
        (9, 'Уголок 40х40х4', 'кг', 0.6), (10, 'Полоса 40х4', 'кг', 0.4),
        (11, 'Проволока сварочная Св-08Г2С 1,2 мм', 'кг', 0.02), (12, 'Электроды МР-3 3 мм', 'кг', 0.03),
        (13, 'Углекислота', 'кг', 0.02), (14, 'Краска порошковая RAL 9016', 'кг', 0.02),
        (15, 'Краска порошковая RAL 7035', 'кг', 0.02), (16, 'Краска порошковая RAL 8017', 'кг', 0.02),
        (17, 'Эмаль ПФ-115 серая', 'кг', 0.015), (18, 'Грунт ГФ-021', 'кг', 0.01),
        (19, 'Растворитель 646', 'л', 0.005), (20, 'Паронит ПОН-Б 2 мм', 'кг', 0.05),
        (21, 'Плита МДФ 16 мм', 'м2', 0.01), (22, 'Проволока стальная 4 мм', 'кг', 0.01),
        (23, 'Заклёпка вытяжная 4х10', 'шт', 2), (24, 'Плёнка стрейч', 'кг', 0.002),
        (25, 'Коробка гофрокартон', 'шт', 0.02), (26, 'Круг отрезной 125 мм', 'шт', 0.005),
        (27, 'Круг зачистной 125 мм', 'шт', 0.005);
    alter table mat add column id bigint;
    update mat set id = g.id
      from (select m.k, nextval('cmn_gds_and_srv.gds_and_srv_id_seq') as id
              from (select k from mat order by k) m) g
     where g.k = mat.k;
    insert into cmn_gds_and_srv.gds_and_srv (id, s_caption, s_unit)
    select id, name, unit from mat order by k;

    -- ------------------------------------------------------ operation kinds
    -- naimen 1: work on blanks, 0: on finished products; paint 1 primer, 2 RAL colour.
    create temp table kind (k integer, name text, naimen integer, price numeric, paint integer) on commit drop;
    insert into kind values
        (1, 'Рубка', 1, 0.6, 0), (2, 'Резка', 1, 0.8, 0), (3, 'Резка лазерная', 1, 1.5, 0),
        (4, 'Вырубка', 1, 0.5, 0), (5, 'Пробивка', 1, 0.4, 0), (6, 'Гибка', 1, 0.7, 0),
        (7, 'Штамповка', 1, 0.45, 0), (8, 'Сверление', 1, 0.35, 0), (9, 'Зенковка', 1, 0.3, 0),
        (10, 'Нарезка резьбы', 1, 0.5, 0), (11, 'Токарная обработка', 1, 2.2, 0), (12, 'Фрезеровка', 1, 2.5, 0),
        (13, 'Сварка', 0, 3.5, 0), (14, 'Сварка полуавтоматом', 0, 3.0, 0), (15, 'Зачистка', 0, 0.6, 0),
        (16, 'Шлифовка', 0, 0.9, 0), (17, 'Грунтовка', 0, 0.8, 1), (18, 'Покраска', 0, 1.6, 2),
        (19, 'КРАСКА порошковая', 0, 1.8, 2), (20, 'Краска жидкая', 0, 1.4, 2), (21, 'Сборка', 0, 2.0, 0),
        (22, 'Клепка', 0, 0.9, 0), (23, 'Маркировка', 0, 0.2, 0), (24, 'Упаковка', 0, 0.25, 0),
        (25, 'Контроль ОТК', 0, 0.15, 0);
    insert into accounts_dep.vid_oper (vid) select name from kind order by k;
    alter table kind add column id integer;
    update kind set id = v.id from accounts_dep.vid_oper v where v.vid = kind.name;

    -- ------------------------------------------------------------- products
    -- Families of marks, chosen to meet every product group rule (and a few
    -- marks that meet none): prefix, goods noun, weight (products at scale 1),
    -- factor range, size series, materials, kinds of work on blanks and on
    -- finished products.
    create temp table fam (f integer, prefix text, noun text, weight integer,
                           massa_lo float8, massa_hi float8, size0 integer, step integer,
                           mats integer[], blanks integer[], finish integer[]) on commit drop;
    insert into fam values
        (1, 'ПЛ-', 'Платик', 6, 0.05, 0.4, 20, 10, '{1,2,24}', '{1,5,7}', '{15,24}'),
        (2, 'КР ', 'Кронштейн оцинкованный', 10, 0.2, 1.5, 50, 10, '{3,7,25}', '{1,5,6,7}', '{13,15,25,24}'),
        (3, 'ПП-', 'Прокладка паронитовая', 5, 0.01, 0.05, 10, 5, '{20,25}', '{4,2}', '{24}'),
        (4, 'М2-', 'Каркас', 4, 1.0, 4.0, 100, 20, '{4,9,11,13}', '{2,8}', '{14,16,18,24}'),
        (5, 'ПР ', 'Профиль', 10, 0.3, 2.0, 20, 5, '{1,2}', '{1,6}', '{18,24}'),
        (6, 'ПРН-', 'Профиль Н-образный', 8, 0.3, 2.0, 10, 2, '{2,14}', '{1,6}', '{19,24}'),
        (7, 'прг-', 'Профиль ГО', 6, 0.3, 2.0, 20, 5, '{2,15}', '{1,6}', '{19,24}'),
        (8, U&'\041F\0420Z-', 'Профиль Z-образный', 6, 0.3, 2.0, 25, 5, '{2,16}', '{1,6}', '{19,20,24}'),
        (9, 'САМ ', 'Саморез', 5, 0.001, 0.01, 13, 3, '{22,25}', '{1,10}', '{24}'),
        (10, 'МДФ-', 'Скоба МДФ', 4, 0.02, 0.1, 1, 1, '{21,22}', '{7,6}', '{24}'),
        (11, 'УДЛ-', 'Удлинитель кронштейна', 5, 0.1, 0.6, 50, 25, '{3,7}', '{1,5,6}', '{13,24}'),
        (12, 'КЛОЦ-', 'Кляммер оцинкованный', 5, 0.01, 0.05, 1, 1, '{7,24}', '{4,6,7}', '{24}'),
        (13, 'С1КЛ-', 'Кляммер поворотный', 4, 0.01, 0.05, 1, 1, '{5,25}', '{4,6}', '{22,24}'),
        (14, 'С2КЛ-', 'Кляммер дистанционный', 4, 0.01, 0.05, 1, 1, '{5,25}', '{4,6}', '{22,24}'),
        (15, 'С3КЛ-', 'Кляммер концевой', 3, 0.01, 0.05, 1, 1, '{5,25}', '{4,6}', '{22,24}'),
        (16, 'ПДГВ-', 'Профиль декоративный', 5, 0.2, 1.2, 40, 10, '{8,14,19}', '{2,12}', '{17,18,24}'),
        (17, 'ПРД У ', 'Профиль декоративный угловой', 4, 0.2, 1.2, 40, 10, '{8,15}', '{2,6}', '{19,24}'),
        (18, 'ПРД В ', 'Профиль декоративный вертикальный', 4, 0.2, 1.2, 40, 10, '{8,15}', '{2,6}', '{19,24}'),
        (19, 'ПРД Г ', 'Профиль декоративный горизонтальный', 4, 0.2, 1.2, 40, 10, '{8,15}', '{2,6}', '{19,24}'),
        (20, 'КЛ430-', 'Кляммер нерж. AISI 430', 3, 0.01, 0.05, 1, 1, '{5}', '{4,6}', '{24}'),
        (21, U&'\041A\0420 \0410L ', 'Кронштейн алюминиевый', 5, 0.1, 0.8, 50, 10, '{8,23}', '{2,5,8}', '{22,21,24}'),
        (22, 'КЛ1304-', 'Кляммер нерж. 12Х18Н10Т', 3, 0.01, 0.05, 1, 1, '{6}', '{4,6}', '{24}'),
        (23, 'КЛ ', 'Кляммер', 2, 0.01, 0.05, 10, 1, '{5}', '{4}', '{24}'),
        (24, 'ПРД ', 'Профиль декоративный прямой', 2, 0.2, 1.2, 40, 10, '{8}', '{2}', '{18}'),
        (25, 'ОТЛ-', 'Отлив оконный', 4, 0.2, 1.0, 100, 50, '{1,17,18}', '{1,6}', '{17,20,24}'),
        (26, 'Кассета КФ-', 'Кассета фасадная', 4, 0.5, 3.0, 1, 1, '{3,14,23}', '{3,6,8}', '{21,19,25,24}'),
        (27, 'ЗТ', 'Закладная', 0, 0.8, 0.8, 0, 0, '{9,12}', '{2}', '{13}');

    create temp table prod on commit drop as
    select p.*, nextval('cmn_gds_and_srv.gds_and_srv_id_seq') as id
      from (select f.f, j, f.noun, f.mats, f.blanks, f.finish,
                   case when f.weight = 0 then f.prefix
                        else case when f.f = 8 and j % 2 = 1 then U&'\041F\0420z-' else f.prefix end
                             || (f.size0 + f.step * (j - 1))
                             || case when j % 5 = 0 then '-1' else '' end end as marka,
                   round((f.massa_lo + (f.massa_hi - f.massa_lo) * demo.rnd(31, f.f, j))::numeric, 5)::float8 as massa
              from fam f,
                   generate_series(1, greatest(1, f.weight * scale)) j
             order by f.f, j) p;

    insert into cmn_gds_and_srv.gds_and_srv (id, s_caption, s_unit, s_mc)
    select id, noun || ' ' || marka, 'шт', id::text from prod order by prod.id;
    insert into accounts_dep.izdel (id, marka, nom, massa)
    select id, marka, demo.product_group(marka), massa from prod order by id;

    -- Material norms of each product: the family's first material always,
    -- each further one with probability 3/4.
    insert into mnf_operation.operation (id_gds_from, id_gds_to, f_qty_from)
    select m.id, p.id, round((m.per_piece * (0.5 + demo.rnd(32, p.id, m.k)))::numeric, 4)
      from prod p
      cross join lateral unnest(p.mats) with ordinality u (mk, pos)
      join mat m on m.k = u.mk
     where u.pos = 1 or demo.rnd(33, p.id, m.k) < 0.75
     order by p.id, u.pos;

    -- ----------------------------------------------------------- operations
    -- Each product: its family's kinds of work, the first of each list always,
    -- the others with probability 0.7. Prices follow the kind and the
    -- product's factor; a few carry five decimals. Four in five operations
    -- also carry the price of the previous database in cena.
    insert into accounts_dep.oper (vid, naimen, i_id, cena_new, cena)
    select o.vid, o.naimen, o.i_id, o.price, case when demo.rnd(36, o.i_id, o.vid) < 0.8 then o.price end
      from (select k.id as vid, k.naimen, p.id as i_id,
                   case when demo.rnd(35, p.id, k.k) < 0.03
                        then floor(k.price * (1 + p.massa)) + (array[0.03125, 0.09375])[demo.pick(2, demo.rnd(37, p.id, k.k))]
                        else round((k.price * (0.6 + p.massa) * (0.8 + 0.4 * demo.rnd(38, p.id, k.k)))::numeric, 2)
                   end::float8 as price,
                   u.list, u.pos
              from prod p
              cross join lateral (select b, 1 as list, pos from unnest(p.blanks) with ordinality x (b, pos)
                                  union all
                                  select b, 2, pos from unnest(p.finish) with ordinality x (b, pos)) u (kk, list, pos)
              join kind k on k.k = u.kk
             where u.pos = 1 or demo.rnd(34, p.id, k.k) < 0.7) o
     order by o.i_id, o.list, o.pos;

    -- One or two further norms (more pieces, higher price, bonus) for two
    -- operations in three.
    insert into accounts_dep.norm (o_id, norma, price, prize)
    select o.id, 100 * e, round((o.cena_new * (1 + 0.1 * e))::numeric, 2)::float8, 5 * e
      from accounts_dep.oper o
      cross join generate_series(1, 2) e
     where e <= floor(3 * demo.rnd(39, o.id))
     order by o.id, e;

    -- Some operations also serve an earlier product of the same family;
    -- a few have lost their norms (they are not offered for picking).
    update accounts_dep.oper o
       set i_id_old = prev.id
      from prod p
      join prod prev on prev.f = p.f and prev.j = p.j - 1
     where o.i_id = p.id
       and demo.rnd(40, o.id) < 0.03;
    delete from accounts_dep.norm n
     where n.o_id in (select o.id from accounts_dep.oper o where demo.rnd(41, o.id) < 0.01);

    -- Operations that can be picked, by product, with their prices.
    create temp table prod_ops on commit drop as
    select o.i_id,
           array_agg(o.id order by o.id) as ops,
           array_agg(n.price order by o.id) as prices,
           array_agg(o.vid order by o.id) as kinds
      from accounts_dep.oper o
      join (select o_id, min(price) as price from accounts_dep.norm group by o_id) n on n.o_id = o.id
     group by o.i_id;

    -- ------------------------------------------------------------ warehouses
    insert into stk_remainder.stock (s_caption)
    values ('Склад металла'), ('Склад ЛКМ'), ('Склад комплектующих'), ('Центральный склад'),
           ('Склад готовой продукции');

    -- ----------------------------------------------------------- requisitions
    -- About 2 × scale a working day from three weeks before the period on.
    create temp table req on commit drop as
    select r.*, nextval('mnf_doc.doc_id_seq') as id
      from (select d::date as d_date, n,
                   row_number() over (order by d, n) as num,
                   (select min(id) from stk_remainder.stock) + demo.pick(4, demo.rnd(52, d::date - date '2000-01-01', n)) - 1 as id_stock_from,
                   demo.rnd(53, d::date - date '2000-01-01', n) < 0.02 as deleted
              from generate_series(period_start - 21, end_date, interval '1 day') d,
                   generate_series(1, round(scale * (1 + 2 * demo.rnd(51, d::date - date '2000-01-01')))::integer) n
             where extract(isodow from d) <= 5
             order by d, n) r;

    insert into mnf_doc.doc (id, id_type, s_number, d_date, id_stock_from, b_deleted)
    select id, 1, 'ЗП-' || lpad(num::text, 5, '0'), d_date, id_stock_from, deleted from req order by id;
    insert into cmn_doc.doc (id_reference, id_type)
    select id, 1 from req order by id;

    -- Weekly output reports: documents of another type, not requisitions.
    insert into mnf_doc.doc (id_type, s_number, d_date, id_stock_from)
    select 2, 'АВ-' || lpad(row_number() over (order by d)::text, 4, '0'), d::date,
           (select max(id) from stk_remainder.stock)
      from generate_series(period_start, end_date, interval '1 day') d
     where extract(isodow from d) = 5
     order by d;
    insert into cmn_doc.doc (id_reference, id_type)
    select id, 2 from mnf_doc.doc where id_type = 2 order by id;

    -- Lines: 1 to 5 distinct products that have operations to pick from.
    create temp table line on commit drop as
    select l.*, nextval('mnf_doc.doc_item_id_seq') as id
      from (select c.id_doc, row_number() over (partition by c.id_doc order by c.slot) as n_pos, c.i_id,
                   case when demo.rnd(55, c.id_doc, c.slot) < 0.05 then 0
                        else round((50 + 950 * demo.rnd(56, c.id_doc, c.slot)) / 10) * 10 end::numeric as f_qty
              from (select distinct on (r.id, po.i_id) r.id as id_doc, s as slot, po.i_id
                      from req r
                      cross join generate_series(1, demo.pick(5, demo.rnd(54, r.id))) s
                      join (select i_id, row_number() over (order by i_id) as rn from prod_ops) po
                        on po.rn = demo.pick((select count(*)::integer from prod_ops), demo.rnd(57, r.id, s))
                     order by r.id, po.i_id, s) c
             order by c.id_doc, c.slot) l;

    insert into mnf_doc.doc_item (id, id_doc, n_pos, id_gds, f_qty)
    select id, id_doc, n_pos, i_id, f_qty from line order by id;

    -- ----------------------------------------------------------------- stock
    -- One to three consignments of every material in each of the four
    -- source warehouses, with free stock; about one material in seven runs
    -- short in a warehouse (1 to 10 per consignment).
    insert into stk_remainder.consignment (id_gds, id_stock, s_number, d_date, s_caption)
    select c.id_gds, c.id_stock, c.num, c.d_date,
           'Партия № ' || c.num || ' от ' || to_char(c.d_date, 'dd.mm.yyyy')
      from (select m.id as id_gds, st.id as id_stock,
                   'П-' || lpad((row_number() over (order by m.k, st.id, n))::text, 5, '0') as num,
                   end_date - 5 - floor(200 * demo.rnd(61, m.id * 10 + st.id, n))::integer as d_date,
                   m.k, n
              from mat m
              cross join (select id from stk_remainder.stock order by id limit 4) st
              cross join generate_series(1, 3) n
             where n <= demo.pick(3, demo.rnd(60, m.id, st.id))) c
     order by c.k, c.id_stock, c.n;

    insert into stk_remainder.remainder (id_stock, id_gds, id_consignment, f_qty)
    select c.id_stock, c.id_gds, c.id,
           case when demo.rnd(65, c.id_gds, c.id_stock) < 0.15 then
                     case when m.unit = 'шт' then round(1 + 9 * demo.rnd(62, c.id))
                          else round((1 + 9 * demo.rnd(62, c.id))::numeric, 3) end
                when m.unit = 'шт' then round(100 + 5000 * demo.rnd(62, c.id))
                else round((20 + 2000 * demo.rnd(62, c.id))::numeric, 3) end * scale
      from stk_remainder.consignment c
      join mat m on m.id = c.id_gds
     order by c.id;

    -- Half of the requisition lines have their materials reserved in the
    -- requisition's source warehouse.
    insert into stk_remainder.remainder (id_stock, id_gds, id_consignment, f_qty,
                                         id_reserved_doc, id_reserved_doc_item)
    select r.id_stock_from, o.id_gds_from,
           (select c.id from stk_remainder.consignment c
             where c.id_gds = o.id_gds_from and c.id_stock = r.id_stock_from
             order by c.d_date, c.id limit 1),
           round((greatest(l.f_qty, 100) * o.f_qty_from * (0.6 + 0.6 * demo.rnd(64, l.id, o.id_gds_from)))::numeric, 3),
           cd.id, l.id
      from line l
      join req r on r.id = l.id_doc
      join cmn_doc.doc cd on cd.id_reference = r.id and cd.id_type = 1
      join mnf_operation.operation o on o.id_gds_to = l.i_id
     where demo.rnd(63, l.id) < 0.5
     order by l.id, o.id;

    -- --------------------------------------------------------- shift records
    -- Requisition lines open on a date (requisitions of the three weeks
    -- before), numbered per date; products with operations, numbered.
    create temp table day_line on commit drop as
    select d::date as d, row_number() over (partition by d::date order by l.id)::integer as n, l.id as id_line
      from generate_series(period_start, end_date, interval '1 day') d
      join req r on r.d_date between d::date - 20 and d::date and not r.deleted
      join line l on l.id_doc = r.id;
    create temp table day_count on commit drop as
    select d, count(*)::integer as lines from day_line group by d;
    create temp table product_pick on commit drop as
    select row_number() over (order by i_id)::integer as n, i_id from prod_ops;
    select count(*) into n_pickable from product_pick;
    analyze req, line, day_line, day_count, product_pick, prod_ops, emp, appointment;

    -- Hours of a worker's day in one shift, split into 1 to 3 records.
    create temp table pattern (lo float8, hi float8, hours integer[]) on commit drop;
    insert into pattern values
        (0.00, 0.50, '{8}'), (0.50, 0.54, '{11}'), (0.54, 0.57, '{10}'), (0.57, 0.60, '{4}'),
        (0.60, 0.72, '{4,4}'), (0.72, 0.80, '{6,2}'), (0.80, 0.88, '{5,3}'),
        (0.88, 0.95, '{3,3,2}'), (0.95, 1.01, '{4,2,2}');

    -- Working days: 86 % of the piece workers come; on Saturdays (a day off,
    -- double price) 8 %, on Sundays 1 %. One day in twenty also has 2 to 4
    -- hours of overtime (shift 4).
    create temp table slot on commit drop as
    with present as (
        select e.w_id, e.shift, d::date as d, extract(isodow from d)::integer as dow,
               (d::date - date '2000-01-01') as dn
          from emp e
          join appointment a on a.person_id = e.person_id
          cross join generate_series(period_start, end_date, interval '1 day') d
         where e.production
           and (a.kind <> 'open' or d::date >= a.d_open)
           and demo.rnd(65, e.w_id, d::date - date '2000-01-01')
               < case when extract(isodow from d) <= 5 then 0.86
                      when extract(isodow from d) = 6 then 0.08 else 0.01 end)
    select p.w_id, p.d, p.dow >= 6 as day_off, p.shift as smena, u.k, u.hours,
           p.w_id::bigint * 100000000 + p.dn * 100 + p.shift * 10 + u.k as key
      from present p
      join pattern pt on demo.rnd(66, p.w_id, p.dn) >= pt.lo and demo.rnd(66, p.w_id, p.dn) < pt.hi
      cross join lateral unnest(pt.hours) with ordinality u (hours, k)
    union all
    select p.w_id, p.d, false, 4, 1, 2 + floor(3 * demo.rnd(68, p.w_id, p.dn))::integer,
           p.w_id::bigint * 100000000 + p.dn * 100 + 41
      from present p
     where p.dow <= 5 and demo.rnd(67, p.w_id, p.dn) < 0.05;

    analyze slot;

    -- Every record planned with its id (in date, shift, worker order): 85 %
    -- work on a line of an open requisition (the line's product), the others
    -- on any product; then one of the product's operations. The price is
    -- the operation's, doubled on a day off, ×1.2 in shift 3 and ×1.5 in
    -- overtime; the code is mostly "ok" for older records, "no" for recent.
    create temp table planned on commit drop as
    select row_number() over (order by r.d, r.smena, r.w_id, r.k)::integer as id,
           r.w_id, r.i_id, r.o_id, r.d, r.smena, r.hours, r.key,
           round(round(r.price::numeric, 4) * case when r.day_off then 2 else 1 end
                 * case r.smena when 3 then 1.2 when 4 then 1.5 else 1 end, 4)::float8 as cena,
           r.kol_vo,
           case when demo.rnd(75, r.key) < 0.12
                then least(floor(r.kol_vo), 1 + floor(5 * demo.rnd(76, r.key))) else 0 end as brak,
           case when k.paint = 1 and demo.rnd(77, r.key) < 0.8 then 1
                when k.paint = 2 and demo.rnd(77, r.key) < 0.8
                     then ral[demo.pick(cardinality(ral), demo.rnd(78, r.key))]::integer
                else 0 end as color,
           case when end_date - r.d > 14
                then case when r.u < 0.90 then 'ok' when r.u < 0.975 then 'no' when r.u < 0.995 then 'да' else 'ta' end
                else case when r.u < 0.78 then 'no' when r.u < 0.96 then 'ok' when r.u < 0.995 then 'да' else 'ta' end
           end as ok,
           least(r.d + floor(3 * demo.rnd(79, r.key))::integer, greatest(r.d, end_date))::timestamp as vvod,
           case when demo.rnd(80, r.key) < 0.04 then (array[10, 15])[demo.pick(2, demo.rnd(81, r.key))] else 0 end as prize,
           coalesce(r.id_doc, 0) as id_doc, coalesce(r.id_doc_item, 0) as id_doc_item, r.id_stock_from
      from (select c.*, po.ops[x.i] as o_id, po.prices[x.i] as price, po.kinds[x.i] as vid,
                   demo.rnd(82, c.key) as u,
                   case when c.f_qty > 0 then least(c.f_qty, q.q) else q.q end::float8 as kol_vo
              from (select s.*, l.id_doc, l.id as id_doc_item, l.f_qty, rq.id_stock_from,
                           coalesce(l.i_id, pp.i_id) as i_id
                      from slot s
                      left join day_count dc on dc.d = s.d and demo.rnd(70, s.key) < 0.85
                      left join day_line dl on dl.d = s.d and dl.n = demo.pick(dc.lines, demo.rnd(71, s.key))
                      left join line l on l.id = dl.id_line
                      left join req rq on rq.id = l.id_doc
                      join product_pick pp on pp.n = demo.pick(n_pickable, demo.rnd(72, s.key))) c
              join prod_ops po on po.i_id = c.i_id
              cross join lateral (select demo.pick(cardinality(po.ops), demo.rnd(73, c.key)) as i) x
              cross join lateral (select round(5 + 295 * demo.rnd(74, c.key) ^ 2)
                                         + case when demo.rnd(83, c.key) < 0.03 then 0.5 else 0 end as q) q
           ) r
      join kind k on k.id = r.vid;

    -- The records and their materials are consistent by construction: when
    -- the account may, load them without firing row triggers (foreign key
    -- checks) and move the record id sequence by hand.
    begin
        perform set_config('session_replication_role', 'replica', true);
    exception when insufficient_privilege then
        null;
    end;

    insert into accounts_dep.smena (id, w_id, i_id, o_id, cena, kol_vo, brak, data, smena, color, time, ok, vvod,
                                    prize, id_doc, id_doc_item, f_gds_qty_use, id_gds_use, id_cons_use)
    select id, w_id, i_id, o_id, cena, kol_vo, brak, d, smena, color, hours, ok, vvod,
           prize, id_doc, id_doc_item, 0, 0, 0
      from planned
     order by id;
    perform setval(pg_get_serial_sequence('accounts_dep.smena', 'id'), (select max(id) from accounts_dep.smena));

    -- Materials: every accepted record has them (with the consignment they
    -- were written off from, as the acceptance sets it), half of the others too.
    create temp table used on commit drop as
    select p.id as id_smena, p.ok, coalesce(p.id_stock_from, 0) as id_stock, o.id_gds_from,
           round((p.kol_vo * o.f_qty_from)::numeric, 3) as f_qty_use
      from planned p
      join (select o.*, row_number() over (partition by o.id_gds_to order by o.id) as n
              from mnf_operation.operation o) o on o.id_gds_to = p.i_id and o.n <= 2
     where p.ok = 'ok' or demo.rnd(84, p.id) < 0.5;

    create temp table write_off on commit drop as
    select g.id_gds_from, g.id_stock, accounts_dep.pick_consignment(g.id_gds_from, nullif(g.id_stock, 0)) as id_cons
      from (select distinct id_gds_from, id_stock from used where ok = 'ok') g;

    insert into accounts_dep.smena_gds_use (id_smena, id_gds_use, id_cons_use, f_qty_use)
    select u.id_smena, u.id_gds_from, w.id_cons, u.f_qty_use
      from used u
      left join write_off w on u.ok = 'ok' and w.id_gds_from = u.id_gds_from and w.id_stock = u.id_stock
     order by u.id_smena, u.id_gds_from;

    perform set_config('session_replication_role', 'origin', true);

    -- ------------------------------------------------------------ time sheet
    -- Cell dN of (worker, shift, month, year) = hours of that day's records.
    select string_agg('d' || n, ', ' order by n),
           string_agg(format('coalesce(sum(time) filter (where extract(day from data) = %s), 0)', n), ', ' order by n)
      into hours_columns, hours_sums
      from generate_series(1, 31) n;
    execute format('insert into accounts_dep.h_tabel (w_id, smena, month, year, %s) '
                   'select w_id, smena, extract(month from data)::integer, extract(year from data)::integer, %s '
                   '  from accounts_dep.smena '
                   ' where w_id is not null and smena is not null and data is not null '
                   ' group by 1, 2, 3, 4 order by 4, 3, 2, 1',
                   hours_columns, hours_sums);

    select count(*) into n_records from accounts_dep.smena;
    select count(*) into n_products from accounts_dep.izdel;
    select count(*) into n_operations from accounts_dep.oper;
    select count(*) into n_requisitions from mnf_doc.doc where id_type = 1;
    return format('%s employees, %s products, %s operations, %s requisitions, %s shift records %s..%s',
                  n_employees, n_products, n_operations, n_requisitions, n_records, period_start, end_date);
end
$$;
