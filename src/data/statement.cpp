#include "data/statement.h"

#include <QSqlError>

#include "data/connection.h"
#include "data/dberror.h"

namespace data {

PositionalStatement toPositional(const QString& statement)
{
    PositionalStatement out;
    out.text.reserve(statement.size());
    const qsizetype n = statement.size();
    qsizetype i = 0;
    auto isNameChar = [](QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); };
    while (i < n) {
        const QChar c = statement.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // copy a quoted text or name as it is (a doubled quote stays inside)
            qsizetype j = i + 1;
            while (j < n) {
                if (statement.at(j) == c) {
                    if (j + 1 < n && statement.at(j + 1) == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            out.text += statement.mid(i, j - i + 1);
            i = j + 1;
            continue;
        }
        if (c == QLatin1Char(':')) {
            if (i + 1 < n && statement.at(i + 1) == QLatin1Char(':')) {
                out.text += QStringLiteral("::");
                i += 2;
                continue;
            }
            if (i + 1 < n && isNameChar(statement.at(i + 1))) {
                qsizetype j = i + 1;
                while (j < n && isNameChar(statement.at(j)))
                    ++j;
                out.names << statement.mid(i + 1, j - i - 1);
                out.text += QLatin1Char('?');
                i = j;
                continue;
            }
        }
        out.text += c;
        ++i;
    }
    return out;
}

qsizetype Parameters::indexOf(const QString& name) const
{
    for (qsizetype i = 0; i < items_.size(); ++i)
        if (items_[i].first.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void Parameters::declare(const QStringList& names)
{
    QList<QPair<QString, QVariant>> items;
    for (const QString& name : names) {
        bool seen = false;
        for (const auto& it : items)
            seen = seen || it.first.compare(name, Qt::CaseInsensitive) == 0;
        if (seen)
            continue;
        const qsizetype old = indexOf(name);
        items.append({name, old >= 0 ? items_[old].second : QVariant()});
    }
    items_ = items;
}

bool Parameters::contains(const QString& name) const { return indexOf(name) >= 0; }

void Parameters::set(const QString& name, const QVariant& value)
{
    const qsizetype i = indexOf(name);
    if (i < 0)
        throw fmt::AppError(QStringLiteral("Параметр «%1» не найден").arg(name));
    items_[i].second = value;
}

QVariant Parameters::value(const QString& name) const
{
    const qsizetype i = indexOf(name);
    if (i < 0)
        throw fmt::AppError(QStringLiteral("Параметр «%1» не найден").arg(name));
    return items_[i].second;
}

QStringList Parameters::names() const
{
    QStringList out;
    for (const auto& it : items_)
        out << it.first;
    return out;
}

QSqlQuery runStatement(Connection& connection, const QString& statement, const Parameters& params, bool forwardOnly)
{
    QSqlDatabase db = connection.database();
    QSqlQuery query(db);
    query.setForwardOnly(forwardOnly);
    query.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    const PositionalStatement positional = toPositional(statement);
    bool ok = false;
    if (positional.names.isEmpty()) {
        ok = query.exec(statement);
    } else {
        ok = query.prepare(positional.text);
        if (ok) {
            for (const QString& name : positional.names)
                query.addBindValue(params.value(name));
            ok = query.exec();
        }
    }
    if (!ok) {
        const QSqlError e = query.lastError();
        QString text = e.databaseText();
        if (text.isEmpty())
            text = e.text();
        throw DbError(text, statement);
    }
    return query;
}

}  // namespace data
