#pragma once
// A fresh database for one test suite: cloned from the template that
// ./test.sh builds from db/, dropped again when the suite ends.

#include <QString>
#include <QVariant>

#include "data/connectionstring.h"

namespace testing {

class TestDatabase {
public:
    // Creates a database named after the suite (and the process id).
    explicit TestDatabase(const QString& suite);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    const QString& name() const { return name_; }
    // Connection parameters of the built-in account for this database.
    data::ConnectionParams params() const;
    QString connectionString() const;

    // Runs statements on a connection of its own (for set-up and checks
    // outside the program's connection). Throws DbError.
    void exec(const QString& statement) const;
    QVariant scalar(const QString& statement) const;

    // Ends the server session with that backend process id, as a server
    // restart or an administrator would, and waits until it is gone.
    void endSession(int backendPid) const;

    static QString server();
    // The suite runs on a database whose h_tabel has no unique key
    // (TABEL_TEST_WITHOUT_SHEET_KEY=1), as a plant's database may.
    static bool withoutSheetKey();
    // The name the database of a suite gets, known before it is made.
    static QString nameFor(const QString& suite);

private:
    QString name_;
    QString adminConnection_;
};

}  // namespace testing
