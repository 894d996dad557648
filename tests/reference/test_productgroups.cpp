// The product group a mark gets: every rule, the last match winning, the
// upper-casing of the compared prefix (Latin z and l too), and the marks no
// rule matches.

#include <QTest>

#include "reference/productgroups.h"

class ProductGroupsTest : public QObject {
    Q_OBJECT
private slots:
    void groups_data()
    {
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("group");
        const auto row = [](const char* mark, const char* group) {
            QTest::newRow(mark) << QString::fromUtf8(mark) << QString::fromUtf8(group);
        };
        // Each rule on a mark of its own.
        row("ПЛ-10", "Платик");
        row("КР 200", "Кронштейны оцинкованные");
        row("ПП 3", "Паранитовые прокладки");
        row("М2-40", "М2");
        row("ПР 40", "Профиль основной");
        row("ПРН-12", "Профиль Н-обр.");
        row("ПРГ 60", "Профиль ГО");
        row("ПРZ 20", "Профиль Z-обр.");
        row("САМ 4,2", "Саморезы");
        row("МДФ-1", "МДФ скобы");
        row("УДЛ 100", "Удленитель");
        row("КЛОЦ-5", "Кляммеры оцинкованные");
        row("С1КЛ 7", "Кляммеры поворотные");
        row("С2КЛ 7", "Кляммеры дистанционные");
        row("С3КЛ 7", "Кляммеры концевые");
        row("ПДГВ 1", "Профильи декоративн. горизонт.вертик.");
        row("ПРД У 40", "Профили дек. угловые");
        row("ПРД В 40", "Профили дек. вертикальные");
        row("ПРД Г 40", "Профили дек. горизонтальные");
        row("КЛ430-2", "Кляммеры нерж., 430");
        row("КР АL 200", "Кронштейны аллюминиевые");
        row("КЛ1304-1", "Кляммеры нерж., 12Х18");
        // The prefix is upper-cased before it is compared.
        row("прг-5", "Профиль ГО");
        row("прz 20", "Профиль Z-обр.");
        row("кр аl 200", "Кронштейны аллюминиевые");
        // A longer prefix that does not match leaves the shorter one's group.
        row("ПРД 40", "Профиль основной");
        row("ПРДУ 40", "Профиль основной");
        // Cyrillic А with Cyrillic Л is not the rule's Latin L.
        row("КР АЛ 200", "Кронштейны оцинкованные");
        // A Latin P in place of the Cyrillic Р matches no rule.
        row("ПPZ", "ПPZ");
        // No rule: the first three characters as typed, blanks and case kept.
        row("КЛ 10", "КЛ ");
        row("кл 10", "кл ");
        row("АБ", "АБ");
        row("Х", "Х");
        row("", "");
    }

    void groups()
    {
        QFETCH(QString, mark);
        QFETCH(QString, group);
        QCOMPARE(reference::productGroup(mark), group);
    }
};

QTEST_GUILESS_MAIN(ProductGroupsTest)
#include "test_productgroups.moc"
