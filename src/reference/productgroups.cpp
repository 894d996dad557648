#include "reference/productgroups.h"

#include <array>

namespace reference {

namespace {

struct GroupRule {
    const char* prefix;  // compared with as many upper-cased leading characters
    const char* group;
};

// All letters are Cyrillic except the Latin "Z" of "ПРZ" and "L" of "КР АL";
// the "Х" of "12Х18" is Cyrillic too.
constexpr std::array<GroupRule, 22> kRules{{
    {"ПЛ", "Платик"},
    {"КР", "Кронштейны оцинкованные"},
    {"ПП", "Паранитовые прокладки"},
    {"М2", "М2"},
    {"ПР", "Профиль основной"},
    {"ПРН", "Профиль Н-обр."},
    {"ПРГ", "Профиль ГО"},
    {"ПРZ", "Профиль Z-обр."},
    {"САМ", "Саморезы"},
    {"МДФ", "МДФ скобы"},
    {"УДЛ", "Удленитель"},
    {"КЛОЦ", "Кляммеры оцинкованные"},
    {"С1КЛ", "Кляммеры поворотные"},
    {"С2КЛ", "Кляммеры дистанционные"},
    {"С3КЛ", "Кляммеры концевые"},
    {"ПДГВ", "Профильи декоративн. горизонт.вертик."},
    {"ПРД У", "Профили дек. угловые"},
    {"ПРД В", "Профили дек. вертикальные"},
    {"ПРД Г", "Профили дек. горизонтальные"},
    {"КЛ430", "Кляммеры нерж., 430"},
    {"КР АL", "Кронштейны аллюминиевые"},
    {"КЛ1304", "Кляммеры нерж., 12Х18"},
}};

}  // namespace

QString productGroup(const QString& mark)
{
    QString group;
    for (const GroupRule& rule : kRules) {
        const QString prefix = QString::fromUtf8(rule.prefix);
        if (mark.left(prefix.size()).toUpper() == prefix)
            group = QString::fromUtf8(rule.group);
    }
    if (group.isEmpty())
        group = mark.left(3);
    return group;
}

}  // namespace reference
