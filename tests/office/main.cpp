// The office under load: several workstations at once, each its own process
// with its own connection, each a seeded random mix of the office's actions
// on a few workers and days, so that they meet; afterwards the database is
// checked (officecheck.h) and the times of the actions are printed.
//
//   office_load                     4 workstations x 50 actions on a fresh clone of the test template
//   office_load --database NAME --workstations 1,8,16 --actions 500 [--pause MS] [--rebuilds N]
//               [--rendezvous N] [--seed S]
//
// --pause: the longest pause between two actions of a workstation (0); --rebuilds: month rebuilds in 1000
// actions (5); --rendezvous: actions in 1000 begun at a tick of a clock all workstations share, so that
// several begin at the same moment (100; every workstation's first action, a new record, is one).
//
// Each count of workstations is one run on the same database, one after the
// other; the first run's times are the baseline of the table when it is one
// workstation alone. The exit status is 1 when an action failed or anything
// did not hold. The workstations run this program too: --workstation K --plan FILE --log FILE.

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <iostream>
#include <memory>

#include "core/textformat.h"
#include "data/connectionstring.h"
#include "data/datamodule.h"
#include "office/officecheck.h"
#include "office/officereport.h"
#include "office/workstation.h"
#include "records/monthrebuild.h"
#include "support/testdatabase.h"

namespace {

QString option(const QStringList& args, const QString& name, const QString& fallback = {})
{
    const qsizetype i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args[i + 1] : fallback;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll();
}

// A workstation: connects, says it is ready, waits for the word to go, runs
// its actions and leaves them in its log, one JSON object a line.
int workstation(const QStringList& args)
{
    const office::Plan plan =
        office::Plan::fromJson(QJsonDocument::fromJson(readFile(option(args, QStringLiteral("--plan")))).object());
    office::Workstation station(plan, option(args, QStringLiteral("--workstation")).toInt());
    station.connect();
    std::cout << "ready" << std::endl;
    std::string go;
    std::getline(std::cin, go);
    QByteArray log;
    for (const office::Entry& entry : station.run())
        log += QJsonDocument(entry.toJson()).toJson(QJsonDocument::Compact) + '\n';
    writeFile(option(args, QStringLiteral("--log")), log);
    return 0;
}

// The few workers, days and operations the workstations share: the first six
// employees, the last four days with records, eight operations.
office::Plan choosePlan(data::DataModule& dm, const QString& connection)
{
    office::Plan plan;
    plan.connection = connection;
    data::Dataset rows(dm.ADO_DB, QStringLiteral("plan"));
    rows.setStatement(
        QStringLiteral("select person.s_code::integer as code, person.id as person from "
                       "cmn_contractor.person person where person.b_employee order by 1 limit 6"));
    rows.open();
    for (rows.first(); plan.workers.size() < rows.recordCount(); rows.next())
        plan.workers.append({rows.integer(QStringLiteral("code")), rows.int64(QStringLiteral("person"))});
    const QDate last = dm.scalar(QStringLiteral("select max(data) from accounts_dep.smena")).toDate();
    const QDate first(last.year(), last.month(), 1);
    rows.setStatement(QStringLiteral("select distinct data from accounts_dep.smena where data >= to_date('%1', "
                                     "'DD.MM.YYYY') and data <= to_date('%2', 'DD.MM.YYYY') order by data desc limit 4")
                          .arg(fmt::dateText(first), fmt::dateText(last)));
    rows.open();
    for (rows.first(); plan.days.size() < rows.recordCount(); rows.next())
        plan.days.prepend(rows.date(QStringLiteral("data")));
    rows.setStatement(QStringLiteral(
        "select oper.i_id as product, oper.id as operation, min(norm.price) as price from accounts_dep.oper oper "
        "join accounts_dep.norm norm on norm.o_id = oper.id join accounts_dep.izdel izdel on izdel.id = oper.i_id "
        "join accounts_dep.vid_oper kind on kind.id = oper.vid group by oper.i_id, oper.id order by oper.id limit 8"));
    rows.open();
    for (rows.first(); plan.works.size() < rows.recordCount(); rows.next())
        plan.works.append({rows.integer(QStringLiteral("product")), rows.integer(QStringLiteral("operation")),
                           rows.number(QStringLiteral("price"))});
    plan.material = dm.scalar(QStringLiteral("select min(id) from cmn_gds_and_srv.gds_and_srv")).toLongLong();
    if (plan.workers.size() < 2 || plan.days.isEmpty() || plan.works.isEmpty())
        throw std::runtime_error("the database has too few employees, shift records or operations for an office");
    return plan;
}

// One run: the workstations started, let go together, waited for; their
// actions. Meanwhile the plan's workers' time sheet is checked again and
// again: a later save of a cell, or a rebuild, would hide what is wrong now.
QList<office::Entry> runOffice(const office::Plan& plan, int workstations, data::DataModule& dm, QStringList& seen)
{
    QTemporaryDir dir;
    const QString planFile = dir.filePath(QStringLiteral("plan.json"));
    writeFile(planFile, QJsonDocument(plan.toJson()).toJson());
    std::vector<std::unique_ptr<QProcess>> stations;
    for (int k = 1; k <= workstations; ++k) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--workstation"), QString::number(k), QStringLiteral("--plan"), planFile,
                  QStringLiteral("--log"), dir.filePath(QStringLiteral("ws%1.log").arg(k))});
        stations.push_back(std::move(p));
    }
    for (auto& p : stations) {
        while (!p->canReadLine()) {
            if (!p->waitForReadyRead(120000))
                throw std::runtime_error("a workstation did not get ready: " + p->errorString().toStdString());
        }
        p->readLine();
    }
    for (auto& p : stations) {
        p->write("go\n");
        p->closeWriteChannel();
    }
    for (bool working = true; working;) {
        for (const QString& breach : office::sheetBreaches(dm, plan)) {
            const QString text = QStringLiteral("while they worked: ") + breach;
            if (!seen.contains(text))
                seen << text;
        }
        working = false;
        for (auto& p : stations) {
            if (p->state() != QProcess::NotRunning)
                p->waitForFinished(working ? 0 : 50);
            working = working || p->state() != QProcess::NotRunning;
        }
    }
    QList<office::Entry> entries;
    for (int k = 1; k <= workstations; ++k) {
        QProcess& p = *stations[size_t(k - 1)];
        if ((p.state() != QProcess::NotRunning && !p.waitForFinished(3600 * 1000)) ||
            p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            throw std::runtime_error("workstation " + std::to_string(k) + " ended with an error");
        for (const QByteArray& line : readFile(dir.filePath(QStringLiteral("ws%1.log").arg(k))).split('\n')) {
            if (!line.isEmpty())
                entries.append(office::Entry::fromJson(QJsonDocument::fromJson(line).object()));
        }
    }
    return entries;
}

int coordinator(const QStringList& args)
{
    std::unique_ptr<testing::TestDatabase> fresh;
    QString connection;
    const QString database = option(args, QStringLiteral("--database"));
    if (database.isEmpty()) {
        fresh = std::make_unique<testing::TestDatabase>(QStringLiteral("office"));
        connection = fresh->connectionString();
    } else {
        data::ConnectionParams params = data::defaultConnectionParams();
        params.server = qEnvironmentVariable("PGHOST", testing::TestDatabase::server());
        params.database = database;
        connection = data::buildConnectionString(params);
    }
    QList<int> counts;
    for (const QString& n : option(args, QStringLiteral("--workstations"), QStringLiteral("4")).split(QLatin1Char(',')))
        counts << n.toInt();

    data::DataModule dm(connection);
    office::Plan plan = choosePlan(dm, connection);
    plan.actions = option(args, QStringLiteral("--actions"), QStringLiteral("50")).toInt();
    plan.pauseMs = option(args, QStringLiteral("--pause"), QStringLiteral("0")).toInt();
    plan.rebuildsPerThousand = option(args, QStringLiteral("--rebuilds"), QStringLiteral("5")).toInt();
    plan.rendezvousPerThousand = option(args, QStringLiteral("--rendezvous"), QStringLiteral("100")).toInt();
    const quint32 seed = option(args, QStringLiteral("--seed"), QStringLiteral("1")).toUInt();
    for (const int n : counts) {
        if (n < 1 || n > office::mostWorkstations)
            throw std::invalid_argument("--workstations: each count from 1 to 99");
    }
    if (plan.actions < 1 || plan.actions > office::mostActions)
        throw std::invalid_argument("--actions: from 1 to 99999");
    // The month as the program would rebuild it: the check then sees what the workstations did.
    records::timesheet::rebuildMonth(dm, plan.month(), plan.year());
    office::printPlan(plan);

    QList<office::Entry> all;
    QList<office::Run> runs;
    QStringList reported;  // by earlier runs: every run checks all the actions so far
    bool held = true;
    for (int r = 0; r < counts.size(); ++r) {
        plan.round = r;
        plan.seed = seed + quint32(r);
        QStringList breaches;
        const office::CpuTimes before = office::CpuTimes::now();
        const QList<office::Entry> entries = runOffice(plan, counts[r], dm, breaches);
        const double busy = office::CpuTimes::now().busyShareSince(before);
        all += entries;
        for (const QString& breach : office::check(dm, plan, all)) {
            if (!reported.contains(breach))
                breaches << breach;
        }
        reported += breaches;
        runs.append(office::Run{counts[r], entries, breaches, busy});
        office::printRun(runs.last());
        held = held && breaches.isEmpty();
    }
    office::printTimes(runs);
    return held ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        return args.contains(QStringLiteral("--workstation")) ? workstation(args) : coordinator(args);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "office_load: %s\n", e.what());
        return 2;
    }
}
