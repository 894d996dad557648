#pragma once
// One simulated workstation: its own connection and data module, and a
// seeded random mix of the office's actions on the plan's workers and days,
// each done through the program's own code as the windows do it.

#include <QList>
#include <random>

#include "data/command.h"
#include "data/datamodule.h"
#include "office/office.h"
#include "records/recordactions.h"
#include "records/shiftrecordstore.h"

namespace office {

class Workstation {
public:
    Workstation(const Plan& plan, int number);
    // Opens the connection and reads once, so that the first action does not pay for it.
    void connect();
    // Runs the plan's actions; an action that throws is entered as failed and the next one follows.
    QList<Entry> run();

private:
    Kind chooseKind();
    // Waits for the next tick of a clock all workstations share, so that
    // those that wait act at the same moment.
    void waitForTick();
    void act(Entry& entry);
    void newRecord(Entry& entry);
    void change(Entry& entry);
    void deletion(Entry& entry);
    void materials(Entry& entry);
    void acceptance(Entry& entry);
    void crewDivision(Entry& entry);
    void rebuild(Entry& entry);
    void journalRead(Entry& entry);
    void sheetRead(Entry& entry);

    void loadJournal(const QDate& date);
    // A new record's values: one of the plan's workers, works, days and shifts.
    records::ShiftRecordValues newValues();
    // "Запись" of a new record, entered as the entry's record.
    int saveNew(Entry& entry, const records::ShiftRecordValues& v);
    void afterSave(data::Dataset& shift);
    // A shift of the journal's date as the journal read it last, with a record of the plan's
    // workers made current that the journal shows as not accepted and that
    // is no crew division's; null when there is none.
    data::Dataset* journalRow();
    // The same, entered as the record acted on, or the entry marked "nothing".
    data::Dataset* journalRecord(Entry& entry);
    void noteRecord(Entry& entry, int id);
    int pickShift();
    QDate pickDay();
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    const Plan& plan_;
    int number_;
    std::mt19937 random_;
    QDate journalDate_;
    data::DataModule dm_;
    records::RecordAcceptance acceptance_;
    data::Command ins_person_;
    data::Command save_all_;
    data::Command smena_gds_use_;
};

}  // namespace office
