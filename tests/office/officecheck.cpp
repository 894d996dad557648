#include "office/officecheck.h"

#include <QHash>
#include <algorithm>
#include <cmath>

#include "core/textformat.h"
#include "data/datamodule.h"

namespace office {

namespace {

struct Stored : Values {
    bool accepted = false;
};

bool isWrite(const Entry& e)
{
    return e.outcome == QLatin1String("ok") &&
           (e.kind == Kind::NewRecord || e.kind == Kind::Change || e.kind == Kind::CrewDivision);
}

bool sameWhere(const Values& a, const Values& b)
{
    return a.worker == b.worker && a.shift == b.shift && a.date == b.date && a.hours == b.hours && a.price == b.price;
}

QString where(const Values& v)
{
    return QStringLiteral("worker %1, shift %2, %3, %4 h")
        .arg(v.worker)
        .arg(v.shift)
        .arg(fmt::dateText(v.date))
        .arg(v.hours);
}

QString action(const Entry& e)
{
    return QStringLiteral("%1 (workstation %2, action %3)").arg(kindName(e.kind)).arg(e.workstation).arg(e.number);
}

template <typename Row>
void readRows(data::DataModule& dm, const QString& statement, Row&& row)
{
    data::Dataset rows(dm.ADO_DB, QStringLiteral("check"), statement);
    rows.open();
    for (int r = 0; r < rows.recordCount(); ++r) {
        rows.setRecNo(r + 1);
        row(std::as_const(rows));
    }
}

QHash<int, Stored> storedRecords(data::DataModule& dm, const QList<int>& ids)
{
    QHash<int, Stored> stored;
    for (qsizetype from = 0; from < ids.size(); from += 1000) {
        QStringList list;
        for (qsizetype i = from; i < std::min(ids.size(), from + 1000); ++i)
            list << QString::number(ids[i]);
        readRows(dm,
                 QStringLiteral("select id, ok, ") + valueColumns() +
                     QStringLiteral(" from accounts_dep.smena where id in (") + list.join(QLatin1Char(',')) +
                     QLatin1Char(')'),
                 [&stored](const data::Dataset& r) {
                     Stored row{valuesOf(r)};
                     row.accepted = r.text(QStringLiteral("ok")) == QLatin1String("ok");
                     stored.insert(r.integer(QStringLiteral("id")), row);
                 });
    }
    return stored;
}

void checkRecord(int id, const QList<const Entry*>& history, const Stored* stored, QStringList& breaches)
{
    const Entry* deleted = nullptr;
    const Entry* accepted = nullptr;
    QList<const Entry*> writes;
    for (const Entry* e : history) {
        if (e->outcome != QLatin1String("ok"))
            continue;
        if (e->kind == Kind::Deletion)
            deleted = e;
        else if (e->kind == Kind::Acceptance && !accepted)
            accepted = e;  // the first: a later one found it accepted already
        else if (isWrite(*e))
            writes << e;
    }
    if (deleted) {
        if (stored)
            breaches << QStringLiteral("record %1 is still there after its %2").arg(id).arg(action(*deleted));
        return;
    }
    if (!stored) {
        // every record acted on was there once
        breaches << QStringLiteral("record %1 is gone, though no deletion of it succeeded").arg(id);
        return;
    }
    // The record holds what the last of its writes wrote: one that no other
    // write began after (writes that overlapped may have ended either way).
    QList<const Entry*> last;
    for (const Entry* w : writes) {
        if (std::none_of(writes.begin(), writes.end(), [w](const Entry* other) { return other->started > w->ended; }))
            last << w;
    }
    if (!writes.isEmpty() &&
        std::none_of(last.begin(), last.end(), [stored](const Entry* w) { return sameWhere(*w, *stored); }))
        breaches << QStringLiteral("record %1 holds %2, which its last write did not write (last written: %3 by %4)")
                        .arg(id)
                        .arg(where(*stored), where(*writes.last()), action(*writes.last()));
    if (accepted) {
        if (!stored->accepted)
            breaches << QStringLiteral("record %1 is not accepted after its %2").arg(id).arg(action(*accepted));
        if (!sameWhere(*accepted, *stored) || accepted->quantity != stored->quantity ||
            accepted->rejects != stored->rejects)
            breaches << QStringLiteral("record %1 changed after its %2: %3 then, %4 now")
                            .arg(id)
                            .arg(action(*accepted), where(*accepted), where(*stored));
        for (const Entry* w : writes) {
            if (w->started > accepted->ended)
                breaches << QStringLiteral("record %1 was changed by %2 after its %3")
                                .arg(id)
                                .arg(action(*w), action(*accepted));
        }
    }
    // A refusal as accepted or deleted elsewhere must be true: both are for good.
    for (const Entry* e : history) {
        if (e->outcome == QLatin1String("stale") && stored && !stored->accepted)
            breaches << QStringLiteral("record %1 was refused to %2 as accepted or deleted, but it is neither")
                            .arg(id)
                            .arg(action(*e));
    }
}

void checkDivisions(data::DataModule& dm, const QList<Entry>& entries, QStringList& breaches)
{
    QHash<qint64, const Entry*> divisions;
    for (const Entry& e : entries) {
        if (e.kind == Kind::CrewDivision && e.outcome == QLatin1String("ok"))
            divisions.insert(qint64(e.price), &e);
    }
    if (divisions.isEmpty())
        return;
    QHash<qint64, std::tuple<int, double, int>> parts;
    readRows(dm,
             QStringLiteral("select cena, count(*) as n, sum(kol_vo) as q, sum(brak) as b from accounts_dep.smena "
                            "where cena >= %1 group by cena")
                 .arg(crewPriceFloor),
             [&parts](const data::Dataset& r) {
                 parts.insert(
                     qint64(r.number(QStringLiteral("cena"))),
                     {r.integer(QStringLiteral("n")), r.number(QStringLiteral("q")), r.integer(QStringLiteral("b"))});
             });
    for (auto it = divisions.cbegin(); it != divisions.cend(); ++it) {
        const Entry& e = **it;
        const auto [n, q, b] = parts.value(it.key());
        if (n != e.participants || std::abs(q - e.quantity) > 1e-9 || b != e.rejects)
            breaches << QStringLiteral(
                            "record %1 divided by %2 into %3 parts of %4 pieces and %5 rejects; "
                            "now %6 parts of %7 pieces and %8 rejects")
                            .arg(e.record)
                            .arg(action(e))
                            .arg(e.participants)
                            .arg(e.quantity)
                            .arg(e.rejects)
                            .arg(n)
                            .arg(q)
                            .arg(b);
    }
}

}  // namespace

QString sheetBreachesStatement(int month, int year, const QList<int>& workers)
{
    QString only;
    if (!workers.isEmpty()) {
        QStringList codes;
        for (const int w : workers)
            codes << QString::number(w);
        only = QStringLiteral(" and w_id in (") + codes.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    QStringList cells;
    for (int day = 1; day <= 31; ++day)
        cells << QStringLiteral("h.d%1").arg(day);
    const QDate first(year, month, 1);
    const QString sheet = QStringLiteral("accounts_dep.h_tabel where month=%1 and year=%2").arg(month).arg(year) + only;
    return QStringLiteral(
               "with cells as (select h.w_id, h.smena, c.day::integer as day, c.hours from %1 cross join lateral "
               "unnest(array[%2]) with ordinality as c(hours, day) where h.month=%3 and h.year=%4%8), "
               "sums as (select w_id, smena, extract(day from data)::integer as day, sum(time)::integer as hours "
               "from accounts_dep.smena where data >= '%5' and data < '%6' and w_id is not null and smena is not "
               "null%8 "
               "group by 1, 2, 3), "
               "sheet_rows as (select w_id, smena, count(*) as n from %7 group by 1, 2) ")
               .arg(QStringLiteral("accounts_dep.h_tabel h"), cells.join(QStringLiteral(", ")))
               .arg(month)
               .arg(year)
               .arg(first.toString(Qt::ISODate), first.addMonths(1).toString(Qt::ISODate), sheet, only) +
           QStringLiteral(
               "select format('worker %s, shift %s: %s rows of the month', w_id, smena, n) as breach from sheet_rows "
               "where n > 1 "
               "union all select format('worker %s, shift %s: records of the month, no time sheet row', w_id, smena) "
               "from (select distinct w_id, smena from sums) s where not exists (select 1 from sheet_rows r where "
               "r.w_id = s.w_id and r.smena = s.smena) "
               "union all select format('worker %s, shift %s, day %s: the cell holds %s, the records %s hours', "
               "c.w_id, c.smena, c.day, c.hours, coalesce(s.hours, 0)) from cells c left join sums s on s.w_id = "
               "c.w_id and s.smena = c.smena and s.day = c.day where c.hours is distinct from coalesce(s.hours, 0)");
}

QStringList sheetBreaches(data::DataModule& dm, const Plan& plan)
{
    QList<int> workers;
    for (const Worker& w : plan.workers)
        workers << w.code;
    QStringList breaches;
    readRows(dm, sheetBreachesStatement(plan.month(), plan.year(), workers),
             [&breaches](const data::Dataset& r) { breaches << r.text(QStringLiteral("breach")); });
    return breaches;
}

QStringList check(data::DataModule& dm, const Plan& plan, const QList<Entry>& entries)
{
    QStringList breaches;
    QHash<int, QList<const Entry*>> histories;
    for (const Entry& e : entries) {
        if (e.failed())
            breaches << QStringLiteral("%1 failed: %2").arg(action(e), e.error);
        if (e.record != 0)
            histories[e.record].append(&e);
    }
    QList<int> ids = histories.keys();
    std::sort(ids.begin(), ids.end());
    const QHash<int, Stored> stored = storedRecords(dm, ids);
    for (const int id : ids) {
        QList<const Entry*>& history = histories[id];
        std::sort(history.begin(), history.end(), [](const Entry* a, const Entry* b) { return a->ended < b->ended; });
        const auto found = stored.constFind(id);
        checkRecord(id, history, found == stored.cend() ? nullptr : &*found, breaches);
    }
    readRows(dm, sheetBreachesStatement(plan.month(), plan.year()),
             [&breaches](const data::Dataset& r) { breaches << r.text(QStringLiteral("breach")); });
    checkDivisions(dm, entries, breaches);
    return breaches;
}

}  // namespace office
