#include "office/workstation.h"

#include <QThread>
#include <chrono>
#include <thread>

#include "core/textformat.h"
#include "data/dberror.h"
#include "records/crew.h"
#include "records/monthrebuild.h"
#include "records/shiftrecordstore.h"

namespace office {

namespace {

qint64 now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Actions per thousand of each kind, in the order of Kind, the rebuild's
// given by the plan: mostly records entered and corrected, some accepted,
// now and then a month rebuilt.
int weight(Kind kind, const Plan& plan)
{
    constexpr int weights[kindCount] = {250, 170, 80, 110, 90, 50, 0, 150, 100};
    return kind == Kind::Rebuild ? plan.rebuildsPerThousand : weights[int(kind)];
}

}  // namespace

Workstation::Workstation(const Plan& plan, int number)
    : plan_(plan)
    , number_(number)
    , random_(plan.seed * 1000 + quint32(number))
    , dm_(plan.connection)
    , acceptance_(dm_)
    , ins_person_(dm_.ADO_DB, QStringLiteral("ins_person"), records::crewMemberInsertStatement())
    , save_all_(dm_.ADO_DB, QStringLiteral("save_all"), records::crewDivisionStatement())
    , smena_gds_use_(dm_.ADO_DB, QStringLiteral("smena_gds_use"), records::materialUseInsertStatement())
{
    // As the login window leaves them: every record but the hidden ones.
    for (int shift = 1; shift <= 4; ++shift)
        dm_.smena(shift).setParam(QStringLiteral("ok"), QStringLiteral("ta"));
}

void Workstation::connect()
{
    dm_.ADO_DB.open();
    loadJournal(pickDay());
}

void Workstation::loadJournal(const QDate& date)
{
    // As a date change: the four shifts closed, then read for the new date.
    journalDate_ = date;
    for (int shift = 1; shift <= 4; ++shift)
        dm_.smena(shift).close();
    for (int shift = 1; shift <= 4; ++shift) {
        data::Dataset& ds = dm_.smena(shift);
        ds.setParam(QStringLiteral("data"), QDateTime(date, QTime(0, 0)));
        ds.open();
    }
}

QList<Entry> Workstation::run()
{
    QList<Entry> entries;
    entries.reserve(plan_.actions);
    for (int n = 1; n <= plan_.actions; ++n) {
        if (plan_.pauseMs > 0)
            QThread::msleep(ulong(pick(plan_.pauseMs + 1)));
        if (n == 1 || pick(1000) < plan_.rendezvousPerThousand)
            waitForTick();
        Entry entry;
        entry.workstation = number_;
        entry.number = n;
        // A clerk's first action of the day: a record, the moment she starts.
        entry.kind = n == 1 ? Kind::NewRecord : chooseKind();
        entry.outcome = QStringLiteral("ok");
        entry.started = now();
        try {
            act(entry);
        } catch (const data::DbError& e) {
            entry.outcome = QStringLiteral("failed");
            entry.error = e.databaseText() + QStringLiteral(" | ") + e.statement();
        } catch (const std::exception& e) {
            entry.outcome = QStringLiteral("failed");
            entry.error = QString::fromUtf8(e.what());
        }
        if (entry.ended == 0)
            entry.ended = now();
        entries.append(entry);
    }
    return entries;
}

// Most records are of the first shift and of the latest day, as in an
// office; so the workstations meet at the same cells more often.
int Workstation::pickShift()
{
    const int roll = pick(100);
    return roll < 60 ? 1 : roll < 85 ? 2 : roll < 95 ? 3 : 4;
}

QDate Workstation::pickDay()
{
    const int n = int(plan_.days.size());
    return pick(5) < 2 ? plan_.days.last() : plan_.days[pick(n)];
}

void Workstation::waitForTick()
{
    // Every workstation's clock is the machine's: those that wait start
    // their next action within microseconds of each other.
    constexpr qint64 tick = 50'000'000;
    const qint64 at = (now() / tick + 1) * tick;
    std::this_thread::sleep_until(std::chrono::steady_clock::time_point(std::chrono::nanoseconds(at)));
}

Kind Workstation::chooseKind()
{
    int total = 0;
    for (int k = 0; k < kindCount; ++k)
        total += weight(Kind(k), plan_);
    int roll = pick(total);
    for (int k = 0; k < kindCount; ++k) {
        roll -= weight(Kind(k), plan_);
        if (roll < 0)
            return Kind(k);
    }
    return Kind::JournalRead;
}

void Workstation::act(Entry& entry)
{
    using Action = void (Workstation::*)(Entry&);
    // in the order of Kind
    static constexpr Action actions[kindCount] = {
        &Workstation::newRecord, &Workstation::change,      &Workstation::deletion,
        &Workstation::materials, &Workstation::acceptance,  &Workstation::crewDivision,
        &Workstation::rebuild,   &Workstation::journalRead, &Workstation::sheetRead};
    (this->*actions[int(entry.kind)])(entry);
}

namespace {

void noteValues(Entry& entry, const records::ShiftRecordValues& v)
{
    entry.worker = v.worker;
    entry.shift = v.shift;
    entry.date = v.date;
    entry.hours = v.hours;
    entry.quantity = v.quantity;
    entry.rejects = v.rejects;
    entry.price = v.price;
}

}  // namespace

records::ShiftRecordValues Workstation::newValues()
{
    const Work& work = plan_.works[pick(int(plan_.works.size()))];
    records::ShiftRecordValues v;
    v.worker = plan_.workers[pick(int(plan_.workers.size()))].code;
    v.product = work.product;
    v.operation = work.operation;
    v.price = fmt::round4(work.price);
    v.quantity = 1 + pick(40) + (pick(4) == 0 ? 0.5 : 0);
    v.rejects = pick(3);
    v.date = pickDay();
    v.shift = pickShift();
    v.hours = 1 + pick(11);
    return v;
}

int Workstation::saveNew(Entry& entry, const records::ShiftRecordValues& v)
{
    const int id = records::saveShiftRecord(dm_, v, 0, QDate::currentDate());
    afterSave(dm_.smena(v.shift));
    entry.record = id;
    noteValues(entry, v);
    return id;
}

void Workstation::newRecord(Entry& entry)
{
    const records::ShiftRecordValues v = newValues();
    entry.started = now();
    saveNew(entry, v);
    entry.ended = now();
}

void Workstation::afterSave(data::Dataset& shift)
{
    // As the editor's "Запись": the time sheet read again when it is next
    // shown, the journal's shift now.
    for (int n = 1; n <= 3; ++n)
        dm_.timeSheet(n).close();
    shift.reloadAtRow(shift.recNo());
}

data::Dataset* Workstation::journalRow()
{
    // The journal shows what it read last, which other workstations may have changed since.
    data::Dataset& shift = dm_.smena(pickShift());
    const int worker = shift.fieldIndex(QStringLiteral("w_id"));
    const int price = shift.fieldIndex(QStringLiteral("cena"));
    const int ok = shift.fieldIndex(QStringLiteral("ok"));
    QList<int> candidates;
    for (int row = 0; row < shift.recordCount(); ++row) {
        const int code = shift.valueAt(row, worker).toInt();
        const bool ours =
            std::any_of(plan_.workers.begin(), plan_.workers.end(), [code](const Worker& w) { return w.code == code; });
        if (ours && shift.valueAt(row, price).toDouble() < crewPriceFloor &&
            data::variantText(shift.valueAt(row, ok)) != QLatin1String("ok"))
            candidates << row + 1;
    }
    if (candidates.isEmpty())
        return nullptr;
    shift.setRecNo(candidates[pick(int(candidates.size()))]);
    return &shift;
}

data::Dataset* Workstation::journalRecord(Entry& entry)
{
    data::Dataset* row = journalRow();
    if (!row) {
        entry.outcome = QStringLiteral("nothing");
        return nullptr;
    }
    entry.record = row->integer(QStringLiteral("id"));
    entry.started = now();
    return row;
}

void Workstation::change(Entry& entry)
{
    data::Dataset* row = journalRecord(entry);
    if (!row)
        return;
    // The record as the editor opens it, then moved: another worker, day or
    // shift, or other hours, one of them or several. Pieces, rejects and
    // price stay, so that what a crew division shared still adds up.
    records::ShiftRecordValues v;
    v.worker = row->integer(QStringLiteral("w_id"));
    v.product = row->integer(QStringLiteral("i_id"));
    v.operation = row->integer(QStringLiteral("o_id"));
    v.price = row->number(QStringLiteral("cena"));
    v.quantity = row->number(QStringLiteral("kol_vo"));
    v.rejects = row->integer(QStringLiteral("brak"));
    v.date = row->date(QStringLiteral("data"));
    v.shift = row->integer(QStringLiteral("smena"));
    v.hours = row->integer(QStringLiteral("time"));
    v.requisition = row->int64(QStringLiteral("id_doc"));
    v.line = row->int64(QStringLiteral("id_doc_item"));
    const int id = entry.record;
    const int moves = 1 + pick(15);
    if (moves & 1)
        v.worker = plan_.workers[pick(int(plan_.workers.size()))].code;
    if (moves & 2)
        v.date = pickDay();
    if (moves & 4)
        v.shift = pickShift();
    if (moves & 8)
        v.hours = 1 + pick(11);
    entry.started = now();
    try {
        records::saveShiftRecord(dm_, v, id, QDate::currentDate());
    } catch (const records::StaleRecord&) {
        entry.outcome = QStringLiteral("stale");
    }
    afterSave(*row);
    entry.ended = now();
    noteValues(entry, v);
}

void Workstation::deletion(Entry& entry)
{
    data::Dataset* row = journalRecord(entry);
    if (!row)
        return;
    const records::Deletion done = records::deleteCurrentRecord(dm_, *row, [] { return true; });
    entry.ended = now();
    entry.outcome = done == records::Deletion::Deleted ? QStringLiteral("ok")
                    : done == records::Deletion::Stale ? QStringLiteral("stale")
                                                       : QStringLiteral("refused");
}

void Workstation::materials(Entry& entry)
{
    data::Dataset* row = journalRecord(entry);
    if (!row)
        return;
    try {
        records::addMaterialUse(dm_.ADO_DB, smena_gds_use_, entry.record, plan_.material, 0.5 + pick(20));
    } catch (const records::StaleRecord&) {
        entry.outcome = QStringLiteral("stale");
    }
    entry.ended = now();
}

void Workstation::acceptance(Entry& entry)
{
    data::Dataset* row = journalRecord(entry);
    if (!row)
        return;
    const records::Acceptance done = acceptance_.acceptCurrent(*row);
    entry.ended = now();
    switch (done) {
        case records::Acceptance::Accepted:
            break;
        case records::Acceptance::Stale:
            entry.outcome = QStringLiteral("stale");
            return;
        case records::Acceptance::NoMaterials:
            entry.outcome = QStringLiteral("nomaterials");
            return;
        case records::Acceptance::Refused:
            entry.outcome = QStringLiteral("refused");
            return;
    }
    noteRecord(entry, entry.record);
}

// The record as it is stored now (after an acceptance nobody may change it).
void Workstation::noteRecord(Entry& entry, int id)
{
    dm_.readControl(QStringLiteral("select ") + valueColumns() + QStringLiteral(" from accounts_dep.smena where id=") +
                        QString::number(id),
                    [&entry](const data::Dataset& r) {
                        if (!r.isEmpty())
                            static_cast<Values&>(entry) = valuesOf(r);
                    });
}

void Workstation::crewDivision(Entry& entry)
{
    // As the editor in add mode: "Запись", two crew members through the
    // worker picker, "Сохранить".
    records::ShiftRecordValues v = newValues();
    v.price = crewPriceFloor + (plan_.round * 100.0 + number_) * 100000 + entry.number;
    v.quantity = 3 + pick(60) + (pick(3) == 0 ? 0.25 : 0);
    v.rejects = pick(5);
    entry.started = now();
    saveNew(entry, v);
    QList<int> crew;
    for (int member = 0; member < 2; ++member) {
        const Worker& w = plan_.workers[pick(int(plan_.workers.size()))];
        records::addCrewMember(ins_person_, entry.record, w.person);
        if (w.code != v.worker && !crew.contains(w.code))
            crew << w.code;
    }
    records::divideBetweenCrew(dm_, save_all_, entry.record);
    entry.ended = now();
    entry.participants = 1 + int(crew.size());
}

void Workstation::rebuild(Entry& entry)
{
    records::timesheet::rebuildMonth(dm_, plan_.month(), plan_.year());
    entry.ended = now();
}

void Workstation::journalRead(Entry& entry)
{
    loadJournal(pickDay());
    entry.ended = now();
    for (int shift = 1; shift <= 4; ++shift)
        entry.rows += dm_.smena(shift).recordCount();
}

void Workstation::sheetRead(Entry& entry)
{
    for (int shift = 1; shift <= 3; ++shift) {
        data::Dataset& sheet = dm_.timeSheet(shift);
        sheet.close();
        sheet.setParam(QStringLiteral("mnth"), plan_.month());
        sheet.setParam(QStringLiteral("yea"), plan_.year());
        sheet.open();
        entry.rows += sheet.recordCount();
    }
    entry.ended = now();
}

}  // namespace office
