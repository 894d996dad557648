#pragma once
// Shift records and time sheet rows written straight into a test database,
// around the program: a record of a worker, shift, date and hours (product
// and operation 0, so the journal does not list it), a snapshot of a month's
// rows or one cell, and a trigger that makes every write of the time sheet fail.

#include <QDate>
#include <QString>
#include <QVariant>

#include "support/testdatabase.h"

namespace testing {

inline QString recordInsert(int worker, int shift, const QDate& date, int hours)
{
    return QStringLiteral(
               "insert into accounts_dep.smena(w_id, i_id, o_id, cena, kol_vo, brak, data, smena, color, "
               "time, vvod, ok, prize, id_doc, id_doc_item, f_gds_qty_use, id_gds_use, id_cons_use) "
               "values(%1, 0, 0, 1, 1, 0, '%2', %3, 0, %4, now(), 'no', 0, 0, 0, 0, 0, 0)")
        .arg(worker)
        .arg(date.toString(Qt::ISODate))
        .arg(shift)
        .arg(hours);
}

// The time sheet's cell of the worker, shift and day; null when the month has
// no row for them.
inline QVariant storedCell(const TestDatabase& db, int worker, int shift, const QDate& day)
{
    return db.scalar(QStringLiteral("select d%1 from accounts_dep.h_tabel where w_id=%2 and smena=%3 and month=%4 "
                                    "and year=%5")
                         .arg(day.day())
                         .arg(worker)
                         .arg(shift)
                         .arg(day.month())
                         .arg(day.year()));
}

// Every row of the month as text, in the order of their ids; empty for none.
inline QString monthRowsText(const TestDatabase& db, int month, int year)
{
    return db
        .scalar(QStringLiteral("select string_agg(h_tabel::text, ';' order by id) from accounts_dep.h_tabel "
                               "where month=%1 and year=%2")
                    .arg(month)
                    .arg(year))
        .toString();
}

// The text of the error the trigger raises.
inline const QString kRefusedWrite = QStringLiteral("табель закрыт для записи");

// Until allowTimeSheetWrites, every insert into the time sheet fails, also one of no rows.
inline void refuseTimeSheetWrites(const TestDatabase& db)
{
    db.exec(QStringLiteral("create function accounts_dep.test_refuse() returns trigger language plpgsql as "
                           "$$ begin raise exception '%1'; end $$")
                .arg(kRefusedWrite));
    db.exec(
        QStringLiteral("create trigger test_refuse before insert on accounts_dep.h_tabel "
                       "for each statement execute function accounts_dep.test_refuse()"));
}

inline void allowTimeSheetWrites(const TestDatabase& db)
{
    db.exec(QStringLiteral("drop trigger test_refuse on accounts_dep.h_tabel"));
    db.exec(QStringLiteral("drop function accounts_dep.test_refuse()"));
}

// Takes the unique key off h_tabel while it lives, so that a test can plant the
// duplicate rows a plant's database may hold; puts the key back afterwards
// (the test leaves no duplicates behind). Without the key already, nothing.
class SheetKeyDropped {
public:
    explicit SheetKeyDropped(const TestDatabase& db)
        : db_(db)
        , had_(db.scalar(QStringLiteral("select count(*) from pg_constraint where conname='h_tabel_cell_key'")).toInt()
               > 0)
    {
        if (had_)
            db_.exec(QStringLiteral("alter table accounts_dep.h_tabel drop constraint h_tabel_cell_key"));
    }
    ~SheetKeyDropped()
    {
        if (!had_)
            return;
        try {
            db_.exec(QStringLiteral("alter table accounts_dep.h_tabel add constraint h_tabel_cell_key "
                                    "unique (w_id, smena, month, year)"));
        } catch (const std::exception& e) {
            // a test that failed half-way left duplicates: the rest of the suite goes on without the key
            qWarning("h_tabel keeps no unique key: %s", e.what());
        }
    }
    SheetKeyDropped(const SheetKeyDropped&) = delete;
    SheetKeyDropped& operator=(const SheetKeyDropped&) = delete;

private:
    const TestDatabase& db_;
    bool had_;
};

}  // namespace testing
