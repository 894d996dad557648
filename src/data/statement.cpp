#include "data/statement.h"

#include <QRegularExpression>
#include <QSet>
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

namespace {

// The statement without its quoted texts and comments; a quoted name
// ("accounts_dep"."f") becomes the name q.
QString withoutQuotesAndComments(const QString& statement)
{
    QString out;
    out.reserve(statement.size());
    const qsizetype n = statement.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = statement.at(i);
        const QChar next = i + 1 < n ? statement.at(i + 1) : QChar();
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            qsizetype j = i + 1;
            while (j < n && !(statement.at(j) == c && !(j + 1 < n && statement.at(j + 1) == c)))
                j += statement.at(j) == c ? 2 : 1;
            out += c == QLatin1Char('"') ? QStringLiteral(" q ") : QStringLiteral(" ");
            i = j;
        } else if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
            while (i < n && statement.at(i) != QLatin1Char('\n'))
                ++i;
            out += QLatin1Char(' ');
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            const qsizetype end = statement.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? n : end + 1;
            out += QLatin1Char(' ');
        } else {
            out += c;
        }
    }
    return out;
}

// What may stand before "(" in a statement that only reads: functions that
// change nothing, and the words of the language that take parentheses.
bool readingCall(const QString& name)
{
    static const QSet<QString> names{
        // functions
        "count", "sum", "min", "max", "avg", "coalesce", "nullif", "round", "trunc", "floor", "ceil", "abs",
        "trim", "btrim", "ltrim", "rtrim", "upper", "lower", "length", "replace", "substring", "substr", "left",
        "right", "position", "strpos", "concat", "to_date", "to_char", "to_number", "to_timestamp", "extract",
        "date_part", "date_trunc", "date", "now", "greatest", "least", "trim_scale", "string_agg", "array_agg",
        "cast",
        // words
        "select", "in", "exists", "values", "as", "filter", "over", "and", "or", "not", "on", "from", "where",
        "case", "when", "then", "else", "join", "using", "any", "all", "some", "numeric", "decimal", "varchar",
        "char", "integer"};
    return names.contains(name.toLower());
}

}  // namespace

bool readsOnly(const QString& statement)
{
    const QString text = withoutQuotesAndComments(statement);
    static const QRegularExpression select(QStringLiteral("^\\s*select\\b"),
                                           QRegularExpression::CaseInsensitiveOption);
    // "select ... into" (a new table), a second statement
    static const QRegularExpression writes(QStringLiteral("\\binto\\b|;\\s*\\S"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (!select.match(text).hasMatch() || writes.match(text).hasMatch())
        return false;
    // Every call must be of a function that changes nothing: a schema's
    // function (accounts_dep.smena__accept_row_hwo) or any other may write.
    static const QRegularExpression call(QStringLiteral("(\\.\\s*)?\\b(\\w+)\\s*\\("));
    for (auto it = call.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedLength(1) > 0 || !readingCall(m.captured(2)))
            return false;
    }
    return true;
}

QString lostConnectionNote(bool inTransaction)
{
    QString note = QStringLiteral("Связь с БД потеряна. При следующем действии соединение будет открыто заново.");
    if (inTransaction)
        note += QStringLiteral(" Изменения не сохранены.");
    return note;
}

QString lostAtCommitNote()
{
    return QStringLiteral("Связь с БД потеряна при сохранении: изменения могли не сохраниться, проверьте список. "
                          "При следующем действии соединение будет открыто заново.");
}

namespace {

bool execute(Connection& connection, QSqlQuery& query, const QString& statement, const Parameters& params)
{
    query.setForwardOnly(true);
    query.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    const PositionalStatement positional = toPositional(statement);
    if (positional.names.isEmpty()) {
        connection.logStatement(statement);
        return query.exec(statement);
    }
    if (!query.prepare(positional.text))
        return false;
    QList<QVariant> values;
    for (const QString& name : positional.names)
        values << params.value(name);
    connection.logStatement(positional.text, values);
    for (const QVariant& value : values)
        query.addBindValue(value);
    return query.exec();
}

}  // namespace

void runRepeatable(Connection& connection, const QString& statement, WhenLost whenLost,
                   const std::function<QString()>& attempt)
{
    for (bool repeated = false;; repeated = true) {
        const bool inTransaction = connection.inTransaction();
        const QString text = attempt();
        if (text.isNull())
            return;
        if (!connection.dropIfLost())
            throw DbError(text, statement);
        // Inside a transaction the server has undone the transaction's work:
        // repeating one statement of it would write half of it.
        if (!repeated && !inTransaction && whenLost == WhenLost::RepeatRead && readsOnly(statement))
            continue;
        throw DbError(text + QLatin1Char('\n') + lostConnectionNote(inTransaction), statement);
    }
}

QSqlQuery runStatement(Connection& connection, const QString& statement, const Parameters& params, WhenLost whenLost)
{
    QSqlQuery result;
    runRepeatable(connection, statement, whenLost, [&]() -> QString {
        QSqlQuery query(connection.database());
        if (execute(connection, query, statement, params)) {
            result = std::move(query);
            return {};
        }
        const QSqlError e = query.lastError();
        const QString text = e.databaseText().isEmpty() ? e.text() : e.databaseText();
        return text.isEmpty() ? QStringLiteral("Ошибка выполнения запроса") : text;
    });
    return result;
}

}  // namespace data
