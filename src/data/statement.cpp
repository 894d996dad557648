#include "data/statement.h"

#include <QRegularExpression>
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

bool readsOnly(const QString& statement)
{
    // Judged on the text outside quoted texts, which may hold anything.
    QString text;
    bool quoted = false;
    for (const QChar c : statement) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        else if (!quoted)
            text += c;
    }
    static const QRegularExpression select(QStringLiteral("^\\s*select\\b"),
                                           QRegularExpression::CaseInsensitiveOption);
    // a schema's function call, "select ... into" (a new table), a second statement
    static const QRegularExpression writes(QStringLiteral("\\b\\w+\\s*\\.\\s*\\w+\\s*\\(|\\binto\\b|;\\s*\\S"),
                                           QRegularExpression::CaseInsensitiveOption);
    return select.match(text).hasMatch() && !writes.match(text).hasMatch();
}

QString lostConnectionNote(bool inTransaction)
{
    QString note = QStringLiteral("Связь с БД потеряна. При следующем действии соединение будет открыто заново.");
    if (inTransaction)
        note += QStringLiteral(" Изменения не сохранены.");
    return note;
}

namespace {

bool execute(QSqlQuery& query, const QString& statement, const Parameters& params)
{
    query.setForwardOnly(true);
    query.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    const PositionalStatement positional = toPositional(statement);
    if (positional.names.isEmpty())
        return query.exec(statement);
    if (!query.prepare(positional.text))
        return false;
    for (const QString& name : positional.names)
        query.addBindValue(params.value(name));
    return query.exec();
}

}  // namespace

QSqlQuery runStatement(Connection& connection, const QString& statement, const Parameters& params, WhenLost whenLost)
{
    for (bool repeated = false;; repeated = true) {
        const bool inTransaction = connection.inTransaction();
        QSqlQuery query(connection.database());
        if (execute(query, statement, params))
            return query;
        const QSqlError e = query.lastError();
        QString text = e.databaseText();
        if (text.isEmpty())
            text = e.text();
        query = QSqlQuery();
        if (!connection.dropIfLost())
            throw DbError(text, statement);
        // Inside a transaction the server has undone the transaction's work:
        // repeating one statement of it would write half of it.
        if (!repeated && !inTransaction && whenLost == WhenLost::RepeatRead && readsOnly(statement))
            continue;
        throw DbError(text + QLatin1Char('\n') + lostConnectionNote(inTransaction), statement);
    }
}

}  // namespace data
