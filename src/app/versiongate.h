#pragma once
// The version gate: keeps every running copy of the program at one build.
// The newest build that runs stamps accounts_dep.ver; a copy of an older build
// is refused and ends, at its login window and every 30 seconds while it runs.

#include <QString>

#include "app/buildstamp.h"

class QTimer;

namespace data {
class Connection;
}

namespace app {

class Windows;

namespace gatestatements {
QString readStamp();                        // the first row of accounts_dep.ver
QString insertStamp(const BuildStamp& s);   // the first row of an empty table
QString updateStamp(const BuildStamp& s);   // moves the row forward, never back
}  // namespace gatestatements

// "Версия программы не соответсвует БД! Запустите программу через 5 мин."
QString refusalText();

// Compares the build with the stamp in accounts_dep.ver: a newer build writes
// its stamp (an empty table gets its first row), an equal one writes nothing.
// True when the build may run, false when the table holds a newer build.
// Throws DbError.
bool buildMayRun(data::Connection& connection, const BuildStamp& build);

class VersionGate {
public:
    // The gate of the given build for the program's windows: the stamp goes
    // to the run-wide state, the journal's Timer1 runs the gate, the login
    // window's 5.5 s timer ends a refused copy.
    VersionGate(Windows& windows, BuildStamp build);

    // Runs as the first step of the login window's activation and on every
    // tick of the journal's Timer1, which starts here and runs to the end.
    void install();

    // One run of the gate. A refused build switches the login window's timer
    // on, shows the refusal and ends the program; the program ends when the
    // message is acknowledged or when the timer fires, whichever comes first.
    // A database error is thrown and nothing else happens.
    void run();

    const BuildStamp& build() const { return build_; }

private:
    void refuse();

    Windows& windows_;
    BuildStamp build_;
};

}  // namespace app
