#include <QTest>

#include "data/filter.h"
#include "support/testmain.h"

namespace {

const QStringList kColumns{"id_doc", "fio", "i_id", "i_id_old", "marka"};

struct Row {
    QVariant id_doc, fio, i_id, i_id_old, marka;
    QVariant at(int c) const
    {
        switch (c) {
        case 0: return id_doc;
        case 1: return fio;
        case 2: return i_id;
        case 3: return i_id_old;
        default: return marka;
        }
    }
};

}  // namespace

class FilterTest : public QObject {
    Q_OBJECT
private slots:
    void matching_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<bool>("matches");
        // the row: id_doc 12, fio "О'Нил А.Б.", i_id 5, i_id_old null, marka "АБ-100"
        QTest::newRow("number equal") << "id_doc=12" << true;
        QTest::newRow("number differs") << "id_doc=0" << false;
        QTest::newRow("spaces around") << " id_doc = 12 " << true;
        QTest::newRow("prefix") << "marka like 'АБ%'" << true;
        QTest::newRow("prefix ignores letter case") << "marka like 'аб%'" << true;
        QTest::newRow("prefix misses") << "marka like 'В%'" << false;
        QTest::newRow("apostrophe doubled") << "fio like 'О''Н%'" << true;
        QTest::newRow("inner wildcard") << "marka like '%-1%'" << true;
        QTest::newRow("whole text") << "marka like 'АБ-100'" << true;
        QTest::newRow("and") << "i_id=5 and marka like 'АБ%'" << true;
        QTest::newRow("and, one false") << "i_id=5 and marka like 'В%'" << false;
        QTest::newRow("or with null") << "i_id=7 or i_id_old=7" << false;
        QTest::newRow("or") << "i_id=5 or i_id_old=5" << true;
        QTest::newRow("null never equal") << "i_id_old=0" << false;
        QTest::newRow("parentheses") << "(i_id=7 or id_doc=12) and marka like 'А%'" << true;
        QTest::newRow("column name case") << "ID_DOC=12" << true;
        QTest::newRow("keywords in capitals") << "i_id=5 AND marka LIKE 'АБ%'" << true;
    }
    void matching()
    {
        QFETCH(QString, expression);
        QFETCH(bool, matches);
        const Row row{12, QStringLiteral("О'Нил А.Б."), 5, QVariant(), QStringLiteral("АБ-100")};
        const data::Filter f = data::Filter::parse(expression, kColumns);
        QCOMPARE(f.matches([&](int c) { return row.at(c); }), matches);
    }

    void invalidExpressions_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::newRow("apostrophe spliced as typed") << "fio like 'О'Нил%'";
        QTest::newRow("nothing after the operator") << "i_id=";
        QTest::newRow("unknown column") << "nosuch=1";
        QTest::newRow("unclosed parenthesis") << "(i_id=1";
        QTest::newRow("dangling and") << "i_id=1 and";
        QTest::newRow("no operator") << "i_id 5";
        QTest::newRow("like with a number") << "i_id like 5";
    }
    void invalidExpressions()
    {
        QFETCH(QString, expression);
        QVERIFY_THROWS_EXCEPTION(data::FilterError, data::Filter::parse(expression, kColumns));
    }

    void builtTextsAreSafe()
    {
        const QString expr = data::filters::startsWith("fio", "О'Нил");
        QCOMPARE(expr, QStringLiteral("fio like 'О''Нил%'"));
        const data::Filter f = data::Filter::parse(expr, kColumns);
        QVERIFY(f.matches([](int c) { return c == 1 ? QVariant(QStringLiteral("О'Нил А.Б.")) : QVariant(); }));
        QCOMPARE(data::filters::equals("id_doc", 0), QStringLiteral("id_doc=0"));
    }
};

TABEL_TEST_MAIN(FilterTest)
#include "test_filter.moc"
