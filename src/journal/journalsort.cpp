#include "journal/journalsort.h"

#include <QHash>

namespace journal {

std::optional<QString> sortAfterTitleClick(const QString& field, const QString& presentSort)
{
    if (field == QLatin1String("id_doc")) {
        return presentSort.contains(QLatin1String("DESC")) ? QStringLiteral("id_doc ASC, fio ASC")
                                                           : QStringLiteral("id_doc DESC, fio ASC");
    }
    // Column field -> the dataset field it sorts by.
    static const QHash<QString, QString> sortField = {
        {QStringLiteral("fio"), QStringLiteral("fio")},       {QStringLiteral("marka"), QStringLiteral("marka")},
        {QStringLiteral("vid"), QStringLiteral("vid")},       {QStringLiteral("nmn"), QStringLiteral("naimen")},
        {QStringLiteral("kol_vo"), QStringLiteral("kol_vo")}, {QStringLiteral("summa"), QStringLiteral("summa")},
        {QStringLiteral("ok"), QStringLiteral("ok")},         {QStringLiteral("vvod"), QStringLiteral("vvod")},
    };
    const auto it = sortField.constFind(field);
    if (it == sortField.constEnd())
        return std::nullopt;
    return *it + (presentSort.contains(QLatin1String("ASC")) ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
}

}  // namespace journal
