#pragma once
// Several workstations of one test at once: a workstation is a thread with a
// connection of its own, and a test sees another one waiting at a lock by
// asking the server. Only the sessions of the test's own database count,
// since other suites (and the same suite without the sheet's key) run at the
// same time on the same server.

#include <QAtomicInt>
#include <QString>
#include <QThread>
#include <functional>
#include <stdexcept>

#include "data/datamodule.h"

namespace testing {

// Polls `seen` (a statement giving a boolean) until it holds; false after 10 s.
inline bool eventually(data::DataModule& dm, const QString& seen)
{
    for (int i = 0; i < 1000; ++i) {
        if (dm.scalar(seen).toBool())
            return true;
        QThread::msleep(10);
    }
    return false;
}

// The number of locks that sessions of this database wait for, of those that
// `condition` (" and ..." on pg_locks l) leaves. A session is of this database
// when it holds or waits for a lock there: a waiter at a row holds its table,
// a waiter at an advisory lock waits there. (pg_stat_activity would not do:
// inside a transaction it shows the sessions as they were at its first use.)
inline QString waitingLocks(const QString& condition = {})
{
    return QStringLiteral(
               "select count(*) from pg_locks l where not l.granted and l.pid in (select pid from pg_locks where "
               "database = (select oid from pg_database where datname = current_database()))") +
           condition;
}

inline QString advisoryLocksOnly()
{
    return QStringLiteral(" and l.locktype='advisory'");
}

// True once more than `count` locks are waited for.
inline QString moreWaitingThan(int count, const QString& condition = {})
{
    return QStringLiteral("select (%1) > %2").arg(waitingLocks(condition)).arg(count);
}

inline QString someoneWaits(const QString& condition = {})
{
    return moreWaitingThan(0, condition);
}

// Inside a workstation: waits until the test sets `flag`. Throws after 30 s,
// so that a test that failed before setting it does not wait for ever.
inline void await(const QAtomicInt& flag)
{
    for (int i = 0; i < 6000; ++i) {
        if (flag.loadAcquire())
            return;
        QThread::msleep(5);
    }
    throw std::runtime_error("the test did not go on within 30 s");
}

// Runs `work` on a connection of its own in a thread; its error, if any, is kept.
class Workstation {
public:
    Workstation(const QString& connection, std::function<void(data::DataModule&)> work)
        : thread_(QThread::create([this, connection, work] {
            try {
                data::DataModule dm(connection);
                work(dm);
            } catch (const std::exception& e) {
                error_ = QString::fromUtf8(e.what());
            }
        }))
    {
        thread_->start();
    }
    ~Workstation()
    {
        thread_->wait();
        delete thread_;
    }
    Workstation(const Workstation&) = delete;
    Workstation& operator=(const Workstation&) = delete;

    // Waits until the work has set `flag`; false when it ended without
    // (its error says why) or has not set it within 30 s.
    bool reaches(const QAtomicInt& flag)
    {
        for (int i = 0; i < 6000; ++i) {
            if (flag.loadAcquire())
                return true;
            if (thread_->isFinished())
                return flag.loadAcquire();
            QThread::msleep(5);
        }
        return false;
    }
    // False when the work has not ended within 30 s.
    bool finish() { return thread_->wait(30000); }
    const QString& error() const { return error_; }

private:
    QString error_;
    QThread* thread_;
};

}  // namespace testing
