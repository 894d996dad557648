#pragma once
// Shift records of a few days of 2021 (the demo data lies elsewhere), with
// workers, products and operations of their own, for the journal's tests.

#include <QDate>
#include <QString>

namespace testing {
class TestDatabase;
}

namespace journaltest {

inline const QDate kWednesday(2021, 3, 3);
inline const QDate kSaturday(2021, 3, 6);
inline const QDate kSunday(2021, 3, 7);

struct Record {
    QString worker;  // "Антонов А." ... (fixture workers)
    QString product;  // "ЗТ-101" ...
    QString kind;  // "Тест-сварка", "Тест-сборка"
    int shift;
    QDate date;
    double quantity;
    int rejects;
    QString ok;  // an empty QString() stores null
    qint64 requisition = 0;
};

// Workers, products, operation kinds and operations.
void insertReferences(const testing::TestDatabase& db);
// One shift record; returns its id.
int insertRecord(const testing::TestDatabase& db, const Record& r);

}  // namespace journaltest
