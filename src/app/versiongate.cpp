#include "app/versiongate.h"

#include <QTimer>

#include "app/windows.h"
#include "data/command.h"
#include "data/connection.h"
#include "data/dataset.h"
#include "ui/application.h"
#include "ui/messages.h"
#include "ui/program.h"

namespace app {

namespace gatestatements {

QString readStamp()
{
    return QStringLiteral("select d, t from accounts_dep.ver limit 1");
}

QString insertStamp(const BuildStamp& s)
{
    return QStringLiteral("insert into accounts_dep.ver (d, t) values (%1, %2)").arg(s.date).arg(s.time);
}

QString updateStamp(const BuildStamp& s)
{
    // The condition keeps the table from going back when another workstation
    // has written a newer stamp since it was read.
    return QStringLiteral("update accounts_dep.ver set d=%1, t=%2 where d<%1 or (d=%1 and t<%2)")
        .arg(s.date)
        .arg(s.time);
}

}  // namespace gatestatements

QString refusalText()
{
    return QStringLiteral("Версия программы не соответсвует БД! Запустите программу через 5 мин.");
}

namespace {

// A missing row reads as 0 and 0.
BuildStamp storedStamp(const data::Dataset& ver)
{
    if (ver.isEmpty())
        return {};
    return {ver.integer(QStringLiteral("d")), ver.integer(QStringLiteral("t"))};
}

}  // namespace

bool buildMayRun(data::Connection& connection, const BuildStamp& build)
{
    // Objects of its own rather than the data module's scratch query: the gate
    // runs from a timer, possibly while another operation is using Control.
    data::Dataset ver(connection, QStringLiteral("Ver"), gatestatements::readStamp());
    ver.open();
    const BuildStamp stored = storedStamp(ver);
    if (stored < build) {
        data::Command write(connection, QStringLiteral("VerWrite"),
                            ver.isEmpty() ? gatestatements::insertStamp(build) : gatestatements::updateStamp(build));
        write.execute();
    }
    ver.reload();
    return !(storedStamp(ver) > build);
}

VersionGate::VersionGate(Windows& windows, BuildStamp build) : windows_(windows), build_(build) {}

void VersionGate::install()
{
    windows_.login.setActivationHook([this] { run(); });
    QTimer* timer = windows_.journal.Timer1;
    QObject::connect(timer, &QTimer::timeout, timer, [this] {
        // A tick that comes while a user action's transaction is open (a
        // window letting events through meanwhile) waits for the next one: the
        // gate's statements would become part of that action, and their error
        // would undo it.
        if (windows_.dataModule.ADO_DB.inTransaction())
            return;
        ui::guarded([this] { run(); });
    });
    timer->start();
}

void VersionGate::run()
{
    windows_.state.setBuildStamp(build_.date, build_.time);
    if (!buildMayRun(windows_.dataModule.ADO_DB, build_))
        refuse();
}

void VersionGate::refuse()
{
    // Switched on first: it fires also while the message (or any other modal
    // window) is open, so that nobody has to acknowledge anything.
    windows_.login.Timer1->start();
    ui::showError(refusalText());
    ui::endProgram();
}

}  // namespace app
