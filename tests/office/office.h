#pragma once
// An office of several workstations at once against one database: what they
// share (the plan), what each of them did (one entry per action), and the
// kinds of action a clerk or a timekeeper takes.

#include <QDate>
#include <QJsonObject>
#include <QList>
#include <QString>

namespace data {
class Dataset;
}

namespace office {

enum class Kind {
    NewRecord,     // "Запись" of a new record with its day cell
    Change,        // "Запись" of a record read in the journal: another worker, day, shift or hours
    Deletion,      // "Удалить" in the journal
    Materials,     // a material consumed by a record read in the journal
    Acceptance,    // "Принять" in the journal
    CrewDivision,  // a new record, two crew members, "Сохранить"
    Rebuild,       // "Перестроить" of the time sheet
    JournalRead,   // a date chosen in the journal: its four shifts
    SheetRead,     // the time sheet's month: its three shifts
};
constexpr int kindCount = 9;
QString kindName(Kind kind);
Kind kindNamed(const QString& name);

struct Worker {
    int code = 0;       // w_id
    qint64 person = 0;  // cmn_contractor.person.id, for crew rows
};

struct Work {
    int product = 0;
    int operation = 0;
    double price = 0;
};

// What every workstation of one run is given.
struct Plan {
    QString connection;     // connection string of the workstations
    QList<Worker> workers;  // the few workers they all record for
    QList<QDate> days;      // the few days, all of one month
    QList<Work> works;      // operations on products the records name
    qint64 material = 0;    // goods id of the materials consumed
    int actions = 50;       // per workstation
    int pauseMs = 0;        // longest pause between two actions (uniform from 0)
    int rebuildsPerThousand = 5;
    int rendezvousPerThousand = 0;  // actions begun at a tick of the shared clock, so that several coincide
    quint32 seed = 1;
    int round = 0;  // runs on one database are numbered, so that crew prices stay unique

    int month() const { return days.first().month(); }
    int year() const { return days.first().year(); }
    QJsonObject toJson() const;
    static Plan fromJson(const QJsonObject& json);
};

// A crew division's own price (from this one up, unique for each division of
// a database: of run, workstation and action, so at most 99 workstations of
// 99999 actions), so that the parts of one record are found by it
// afterwards; other actions leave such records alone.
constexpr double crewPriceFloor = 100000;
constexpr int mostWorkstations = 99;
constexpr int mostActions = 99999;

// A record's values that the checks compare.
struct Values {
    int worker = 0, shift = 0, hours = 0, rejects = 0;
    QDate date;
    double quantity = 0, price = 0;
};

// The columns of accounts_dep.smena that Values holds, and reading them from a row.
QString valueColumns();
Values valuesOf(const data::Dataset& row);

// One action of one workstation, as it ended; its values are those of the
// record as written or as found accepted.
struct Entry : Values {
    int workstation = 0;
    int number = 0;
    Kind kind = Kind::JournalRead;
    qint64 started = 0;  // steady clock, ns, the same for every process of the machine
    qint64 ended = 0;
    // ok, stale (accepted or deleted elsewhere meanwhile), refused (the
    // journal's copy shows it accepted), nomaterials, nothing (no row to act
    // on), failed
    QString outcome;
    QString error;
    int record = 0;        // the record acted on or written
    int participants = 0;  // a crew division: the record's worker and his crew
    int rows = 0;          // a read: the rows read

    double ms() const { return double(ended - started) / 1e6; }
    bool failed() const { return outcome == QLatin1String("failed"); }
    QJsonObject toJson() const;
    static Entry fromJson(const QJsonObject& json);
};

}  // namespace office
