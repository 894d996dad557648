#include "reference/legacysteps.h"

#include <QDateTime>
#include <QLocale>
#include <cmath>
#include <optional>

#include "core/textformat.h"
#include "core/variants.h"

namespace reference {

namespace {

QList<ImportColumn> columns(Carry carry, const QStringList& names)
{
    QList<ImportColumn> out;
    for (const QString& name : names)
        out.append({name, carry});
    return out;
}

QList<ImportColumn> timeSheetColumns()
{
    QStringList names{QStringLiteral("id"), QStringLiteral("w_id"), QStringLiteral("month"), QStringLiteral("year"),
                      QStringLiteral("smena")};
    for (int day = 1; day <= 31; ++day)
        names << QStringLiteral("d%1").arg(day);
    return columns(Carry::Whole, names);
}

bool isTextType(int type) { return type == QMetaType::QString || type == QMetaType::QByteArray; }

[[noreturn]] void refuse(const QVariant& value, const char* what)
{
    throw fmt::ConversionError(QStringLiteral("«%1» — %2").arg(value.toString(), QString::fromUtf8(what)));
}

// The number a whole-number variant holds (a char type's too, not its character).
QString wholeText(const QVariant& value)
{
    return value.typeId() == QMetaType::ULongLong ? value.toString() : QString::number(value.toLongLong());
}

QString numberText(double value) { return QString::number(value, 'g', QLocale::FloatingPointShortest); }

// A number of the previous database: as it is, or read from its text (a
// point or a comma before the decimals); a blank text is missing.
std::optional<double> readNumber(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    const int type = value.typeId();
    if (core::isWholeNumber(value) || type == QMetaType::Bool)
        return value.toDouble();
    if (core::isFloatingPoint(value)) {
        const double v = value.toDouble();
        if (!std::isfinite(v))
            refuse(value, "не число");
        return v;
    }
    if (isTextType(type)) {
        const QString text = fmt::trimmed(value.toString());
        if (text.isEmpty())
            return std::nullopt;
        try {
            return fmt::parseNumber(text);
        } catch (const fmt::ConversionError&) {
            refuse(value, "не число");
        }
    }
    refuse(value, "не число");
}

QString wholeLiteral(const QVariant& value)
{
    if (value.isNull())
        return QStringLiteral("0");
    if (core::isWholeNumber(value))
        return wholeText(value);
    const std::optional<double> v = readNumber(value);
    if (!v)
        return QStringLiteral("0");
    if (*v != std::floor(*v) || std::fabs(*v) > 9.0e15)
        refuse(value, "не целое число");
    return QString::number(qint64(*v));
}

QString floatLiteral(const QVariant& value)
{
    const std::optional<double> v = readNumber(value);
    return v ? numberText(*v) : QStringLiteral("0");
}

// E'...' with backslashes and apostrophes doubled: one meaning whatever the
// server's standard_conforming_strings says.
QString textLiteral(const QString& text)
{
    if (text.contains(QChar(0)))
        throw fmt::ConversionError(QStringLiteral("текст содержит знак с кодом 0"));
    QString s = text;
    s.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    s.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QStringLiteral("E'") + s + QLatin1Char('\'');
}

QString timeText(const QTime& time)
{
    return time.toString(time.msec() ? QStringLiteral("HH:mm:ss.zzz") : QStringLiteral("HH:mm:ss"));
}

// Dates and times keep their meaning. They are read as text (the source's
// statement casts them), so no clock of the workstation shifts them. A date
// in the program's own form dd.MM.yyyy, with or without a time, is written in
// ISO form, which the server reads the same whatever its date order; other
// texts (ISO dates, hours "8") go as they are, for the database to read.
QString momentLiteral(const QVariant& value)
{
    if (value.isNull())
        return QStringLiteral("null");
    switch (value.typeId()) {
    case QMetaType::QDate:
        return fmt::quoted(value.toDate().toString(Qt::ISODate));
    case QMetaType::QDateTime: {
        const QDateTime moment = value.toDateTime();
        return fmt::quoted(moment.date().toString(Qt::ISODate) + QLatin1Char(' ') + timeText(moment.time()));
    }
    case QMetaType::QTime:
        return fmt::quoted(timeText(value.toTime()));
    default:
        break;
    }
    if (core::isNumber(value))
        return floatLiteral(value);
    const QString text = fmt::trimmed(value.toString());
    if (text.isEmpty())
        return QStringLiteral("null");
    const bool ourForm = text.size() >= 10 && text.at(2) == QLatin1Char('.') && text.at(5) == QLatin1Char('.');
    const QDate date = ourForm ? QDate::fromString(text.left(10), QStringLiteral("dd.MM.yyyy")) : QDate();
    if (date.isValid()) {
        const QString rest = text.mid(10).trimmed();
        if (rest.isEmpty())
            return fmt::quoted(date.toString(Qt::ISODate));
        for (const char* form : {"H:mm:ss", "H:mm"}) {
            const QTime time = QTime::fromString(rest, QString::fromLatin1(form));
            if (time.isValid())
                return fmt::quoted(date.toString(Qt::ISODate) + QLatin1Char(' ') + timeText(time));
        }
    }
    return textLiteral(text);
}

}  // namespace

const QList<CopyStep>& copySteps()
{
    auto whole = [](const QStringList& names) { return columns(Carry::Whole, names); };
    auto floating = [](const QStringList& names) { return columns(Carry::Float, names); };
    auto text = [](const QStringList& names) { return columns(Carry::Text, names); };
    using L = QStringList;
    static const QList<CopyStep> steps{
        {QStringLiteral("H_TABEL"), QStringLiteral("accounts_dep.h_tabel"), true, false, timeSheetColumns()},
        {QStringLiteral("IZDEL"), QStringLiteral("accounts_dep.izdel"), true, false,
         whole(L{"id"}) + text(L{"marka", "nom"}) + floating(L{"massa"})},
        {QStringLiteral("NOMENKL"), QStringLiteral("accounts_dep.nomenkl"), false, false, text(L{"marka", "nom"})},
        {QStringLiteral("OPER"), QStringLiteral("accounts_dep.oper"), true, false,
         whole(L{"id", "vid", "naimen"}) + floating(L{"cena"}) + whole(L{"i_id"})},
        {QStringLiteral("VID_OPER"), QStringLiteral("accounts_dep.vid_oper"), true, false,
         whole(L{"id"}) + text(L{"vid"})},
        {QStringLiteral("WORKERS"), QStringLiteral("accounts_dep.workers"), true, false,
         whole(L{"id"}) + text(L{"fio", "addr"})},
        {QStringLiteral("smena"), QStringLiteral("accounts_dep.smena"), true, true,
         whole(L{"id", "w_id", "i_id", "o_id"}) + floating(L{"kol_vo"}) + whole(L{"brak", "smena"})
             + floating(L{"cena"}) + whole(L{"color"}) + text(L{"ok"}) + columns(Carry::Moment, L{"data", "time", "vvod"})},
    };
    return steps;
}

QString importLiteral(const QVariant& value, Carry carry)
{
    switch (carry) {
    case Carry::Whole:
        return wholeLiteral(value);
    case Carry::Float:
        return floatLiteral(value);
    case Carry::Text:
        return value.isNull() ? QStringLiteral("null") : textLiteral(value.toString());
    case Carry::Moment:
        return momentLiteral(value);
    }
    return QStringLiteral("null");
}

QString importProgressLine(const QString& source, int row, int rows)
{
    return QStringLiteral("%1: %2 из %3 записей").arg(source).arg(row).arg(rows);
}

namespace importstatements {

namespace {

QString columnList(const CopyStep& step)
{
    QStringList names;
    for (const ImportColumn& c : step.columns)
        names << c.name;
    return names.join(QStringLiteral(", "));
}

}  // namespace

QString sourceSelect(const CopyStep& step)
{
    QStringList names;
    for (const ImportColumn& c : step.columns)
        names << (c.carry == Carry::Moment ? QStringLiteral("CAST(%1 AS VARCHAR(40)) AS %1").arg(c.name) : c.name);
    return QStringLiteral("select ") + names.join(QStringLiteral(", ")) + QStringLiteral(" from ") + step.source
        + (step.sorted ? QStringLiteral(" order by id ASC") : QString());
}

QString emptyTarget(const CopyStep& step)
{
    return QStringLiteral("delete from ") + step.target + QStringLiteral(" where id>0");
}

QString insertRows(const CopyStep& step, const QStringList& tuples)
{
    // The copied ids are written even where the plant's table generates its
    // ids always.
    return QStringLiteral("insert into ") + step.target + QStringLiteral(" (") + columnList(step) + QStringLiteral(")")
        + (step.keepsIds() ? QStringLiteral(" overriding system value") : QString()) + QStringLiteral(" values ")
        + tuples.join(QStringLiteral(", "));
}

QString idSequence(const QString& table)
{
    // A sequence of its own (serial, identity), else the one that the default
    // of the column or of its domain draws from.
    const QString t = fmt::quoted(table);
    return QStringLiteral(
               "select coalesce(pg_get_serial_sequence(%1, 'id'), "
               "(select substring(coalesce(pg_get_expr(d.adbin, d.adrelid), y.typdefault) "
               "from 'nextval[(]''([^'']+)''') "
               "from pg_attribute c join pg_type y on y.oid = c.atttypid "
               "left join pg_attrdef d on d.adrelid = c.attrelid and d.adnum = c.attnum "
               "where c.attrelid = %1::regclass and c.attname = 'id'))")
        .arg(t);
}

QString tableIdentity(const QString& table)
{
    return QStringLiteral("select coalesce(to_regclass(%1)::oid::text, '') || '|' || current_database() || '|' || "
                          "pg_postmaster_start_time()")
        .arg(fmt::quoted(table));
}

QString moveSequencePast(const QString& sequence, const QString& table)
{
    const QString s = fmt::quoted(sequence) + QStringLiteral("::regclass");
    return QStringLiteral("select setval(%1, greatest((select coalesce(max(id), 0) from %2), nextval(%1)))")
        .arg(s, table);
}

}  // namespace importstatements

}  // namespace reference
