// The search filters of the reference lists applied to rows in memory: a
// typed apostrophe is a letter, a requisition line without a product code
// offers no operation.

#include <QTest>

#include "data/filter.h"
#include "reference/searchfilters.h"

namespace {

struct Row {
    QString fio;
    QString marka;
    int i_id;
    QVariant i_id_old;
};

const QStringList kColumns{QStringLiteral("fio"), QStringLiteral("marka"), QStringLiteral("i_id"),
                           QStringLiteral("i_id_old")};

const QList<Row> kRows{
    {QStringLiteral("О'Нил Б.Б."), QStringLiteral("АБ-1"), 12, {}},
    {QStringLiteral("Онегин В.В."), QStringLiteral("АБ-2"), 13, 12},
    {QStringLiteral("Иванов И.И."), QStringLiteral("ВГ-1"), 12, {}},
    {QStringLiteral("Петров П.П."), QStringLiteral("АБ-3"), 14, {}},
};

// Indexes of the rows the filter lets through; all of them without a filter.
QList<int> passing(const std::optional<QString>& filter)
{
    QList<int> out;
    for (int i = 0; i < kRows.size(); ++i) {
        const Row& r = kRows[i];
        const QVariantList values{r.fio, r.marka, r.i_id, r.i_id_old};
        if (!filter || data::Filter::parse(*filter, kColumns).matches([&](int c) { return values[c]; }))
            out << i;
    }
    return out;
}

}  // namespace

class SearchFiltersTest : public QObject {
    Q_OBJECT
private slots:
    void workerSearch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("rows");
        QTest::newRow("empty: all") << "" << QList<int>{0, 1, 2, 3};
        QTest::newRow("apostrophe") << "О'Н" << QList<int>{0};
        QTest::newRow("apostrophe alone") << "'" << QList<int>{};
        QTest::newRow("prefix, any case") << "он" << QList<int>{1};
        QTest::newRow("quote and percent") << "О'%" << QList<int>{0};
    }
    void workerSearch()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, rows);
        QCOMPARE(passing(reference::workerSearchFilter(text)), rows);
    }

    void operationSearch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<QString>>("product");
        QTest::addColumn<QList<int>>("rows");
        const std::optional<QString> none;
        QTest::newRow("no requisition, blank") << "  " << none << QList<int>{0, 1, 2, 3};
        QTest::newRow("no requisition, mark") << "аб" << none << QList<int>{0, 1, 3};
        QTest::newRow("no requisition, apostrophe") << "А'Б" << none << QList<int>{};
        QTest::newRow("product, own and old") << "" << std::optional<QString>(QStringLiteral("12")) << QList<int>{0, 1, 2};
        QTest::newRow("product and mark: own only")
            << "АБ" << std::optional<QString>(QStringLiteral(" 12 ")) << QList<int>{0};
        QTest::newRow("product code empty") << "" << std::optional<QString>(QString()) << QList<int>{};
        QTest::newRow("product code no number")
            << "АБ" << std::optional<QString>(QStringLiteral("12 or 1=1")) << QList<int>{};
    }
    void operationSearch()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<QString>, product);
        QFETCH(QList<int>, rows);
        QCOMPARE(passing(reference::operationSearchFilter(text, product)), rows);
    }
};

QTEST_GUILESS_MAIN(SearchFiltersTest)
#include "test_searchfilters.moc"
