#include "demorows.h"

#include <QFile>
#include <QRegularExpression>

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace testing {
namespace {

const QStringList surnames = {u"Иванов"_s,  u"Петров"_s,  u"Сидоров"_s,  u"Кузнецов"_s, u"Смирнов"_s,
                              u"Попов"_s,   u"Васильев"_s, u"Соколов"_s, u"Михайлов"_s, u"Новиков"_s,
                              u"Фёдоров"_s, u"Морозов"_s, u"Волков"_s,   u"Алексеев"_s, u"Лебедев"_s};
const QStringList kinds = {u"Резка"_s, u"Гибка"_s, u"Сварка"_s, u"Покраска"_s, u"Сборка"_s, u"Упаковка"_s};
const QStringList marks = {u"Стеллаж СТ-1200"_s, u"Шкаф ШМ-2"_s, u"Полка П-600"_s, u"Верстак ВС-1"_s,
                           u"Тумба Т-45"_s};

QString person(int i)
{
    return surnames.at(i % surnames.size()) + u" "_s + QChar(u'А' + i % 20) + u". "_s + QChar(u'В' + i % 7)
           + u"."_s + (i >= surnames.size() ? u" ("_s + QString::number(i / surnames.size()) + u")"_s : QString());
}

QString product(int i)
{
    return u"%1.%2"_s.arg(100 + i * 7).arg(i % 3 + 1, 3, 10, QLatin1Char('0'));
}

int colour(int i)
{
    const int colours[] = {0, 1, 1013, 0, 9003, 0, 1};
    return colours[i % 7];
}

}  // namespace

report::MemoryTable timesheetRows(int persons, int daysInMonth)
{
    QStringList fields = {u"fio"_s};
    for (int d = 1; d <= 31; ++d)
        fields.append(u"sd%1"_s.arg(d));
    report::MemoryTable table(fields);
    for (int p = 0; p < persons; ++p) {
        QVariantList row = {person(p)};
        for (int d = 1; d <= 31; ++d) {
            if (d > daysInMonth)
                row.append(QVariant());
            else if ((d + p) % 7 == 5 || (d + p) % 7 == 6)
                row.append(qlonglong(0));
            else
                row.append(qlonglong(p % 5 == 0 && d % 4 == 0 ? 11 : 8));
        }
        table.append(row);
    }
    return table;
}

report::MemoryTable workersRows(int persons)
{
    report::MemoryTable table(
        {u"fio"_s, u"w_id"_s, u"nom"_s, u"naimen"_s, u"vid"_s, u"color"_s, u"kolvo"_s, u"summa"_s});
    for (int p = 0; p < persons; ++p)
        for (int n = 0; n < 2 + p % 3; ++n)
            for (int k = 0; k < 1 + (p + n) % 3; ++k)
                table.append({person(p), 1000 + p, product(p + n), (p + n) % 2, kinds.at((k + n) % kinds.size()),
                              colour(p + k), double(10 + 3 * k + p), (10 + 3 * k + p) * 12.375});
    return table;
}

report::MemoryTable productsRows(int products)
{
    report::MemoryTable table({u"nom"_s, u"naimen"_s, u"vid"_s, u"color"_s, u"mass"_s, u"kolvo"_s});
    for (int i = 0; i < products; ++i)
        for (int k = 0; k < 2 + i % 3; ++k)
            table.append({product(i), i % 2, kinds.at(k % kinds.size()), colour(i + k), (20 + k) * 0.25 * (i + 1),
                          double(20 + k + i)});
    return table;
}

report::MemoryTable workersDetailRows(int persons)
{
    report::MemoryTable table({u"fio"_s, u"w_id"_s, u"marka"_s, u"vid"_s, u"naimen"_s, u"color"_s, u"brk"_s,
                               u"kolvo"_s, u"summa"_s, u"s_prize"_s});
    for (int p = 0; p < persons; ++p)
        for (int k = 0; k < 3 + p % 4; ++k) {
            const double kolvo = 10 + k + p;
            const qlonglong brk = (k + p) % 3;
            const double summa = (kolvo - brk) * 1.5;
            table.append({person(p), 1000 + p, marks.at((p + k) % marks.size()), kinds.at(k % kinds.size()), k % 2,
                          colour(p + k), brk, kolvo, summa, summa * 0.1});
        }
    return table;
}

report::MemoryTable productsDetailRows(int products, bool withRequisitions)
{
    QStringList fields = {u"marka"_s, u"vid"_s, u"naimen"_s, u"nom"_s,  u"kolvo"_s,
                          u"brk"_s,   u"summa"_s, u"color"_s, u"mass"_s};
    if (withRequisitions)
        fields.append(u"s_number"_s);
    report::MemoryTable table(fields);
    for (int i = 0; i < products; ++i)
        for (int k = 0; k < 2 + i % 4; ++k) {
            const double kolvo = 5 + k * 2 + i;
            const qlonglong brk = k % 2;
            QVariantList row = {marks.at(i % marks.size()), kinds.at(k % kinds.size()), i % 2, product(i), kolvo, brk,
                                (kolvo - brk) * 2.125, colour(i + k), kolvo * 0.35};
            if (withRequisitions)
                row.append(u"З-%1"_s.arg(1000 + i / 3));
            table.append(row);
        }
    return table;
}

int pdfPages(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression pageObject(QStringLiteral("/Type\\s*/Page(?!s)"));
    return int(QString::fromLatin1(file.readAll()).count(pageObject));
}

}  // namespace testing
