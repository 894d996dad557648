#include "data/dataset.h"

#include <QCollator>
#include <QDateTime>
#include <algorithm>
#include <cmath>

#include "core/variants.h"
#include "data/connection.h"
#include "data/dberror.h"
#include "data/resultrows.h"

namespace data {

namespace {

std::function<void(bool)>& loadObserver()
{
    static std::function<void(bool)> observer;
    return observer;
}

// Tells the observer about one read, its end included when the read throws.
class Loading {
public:
    Loading()
    {
        if (loadObserver())
            loadObserver()(true);
    }
    ~Loading()
    {
        if (loadObserver())
            loadObserver()(false);
    }
    Loading(const Loading&) = delete;
    Loading& operator=(const Loading&) = delete;
};

struct SortKey {
    int column;
    bool descending;
};

QList<SortKey> parseSort(const QString& text, const QStringList& fields)
{
    QList<SortKey> keys;
    for (const QString& rawItem : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList words = rawItem.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty())
            continue;
        bool descending = false;
        if (words.size() == 2 && words[1].compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0)
            descending = true;
        else if (words.size() == 2 && words[1].compare(QLatin1String("ASC"), Qt::CaseInsensitive) != 0)
            throw fmt::AppError(QStringLiteral("Неверный порядок сортировки «%1»").arg(text));
        else if (words.size() > 2)
            throw fmt::AppError(QStringLiteral("Неверный порядок сортировки «%1»").arg(text));
        int column = -1;
        for (int i = 0; i < fields.size(); ++i)
            if (fields[i].compare(words[0], Qt::CaseInsensitive) == 0)
                column = i;
        if (column < 0)
            throw fmt::AppError(QStringLiteral("Поле «%1» не найдено").arg(words[0]));
        keys.append({column, descending});
    }
    return keys;
}

int compareValues(const QVariant& a, const QVariant& b, const QCollator& collator)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull() ? 0 : (a.isNull() ? -1 : 1);
    if (core::isNumber(a) && core::isNumber(b)) {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (a.typeId() == QMetaType::QDate && b.typeId() == QMetaType::QDate)
        return a.toDate() < b.toDate() ? -1 : (b.toDate() < a.toDate() ? 1 : 0);
    if (a.typeId() == QMetaType::QDateTime && b.typeId() == QMetaType::QDateTime)
        return a.toDateTime() < b.toDateTime() ? -1 : (b.toDateTime() < a.toDateTime() ? 1 : 0);
    return collator.compare(a.toString(), b.toString());
}

}  // namespace

QString variantText(const QVariant& v)
{
    if (v.isNull())
        return {};
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return fmt::general(v.toDouble());
    case QMetaType::QDate:
        return fmt::dateText(v.toDate());
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        if (dt.time() == QTime(0, 0))
            return fmt::dateText(dt.date());
        return fmt::dateText(dt.date()) + QLatin1Char(' ') + dt.time().toString(QStringLiteral("HH:mm:ss"));
    }
    default:
        return v.toString();
    }
}

qint64 variantInt64(const QVariant& v, const QString& field)
{
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
        return std::llround(v.toDouble());
    if (core::isNumber(v) || v.typeId() == QMetaType::Bool)
        return v.toLongLong();
    bool ok = false;
    const QString s = fmt::trimmed(v.toString());
    const qint64 r = s.toLongLong(&ok);
    if (!ok)
        throw fmt::ConversionError(
            QStringLiteral("«%1» поля «%2» не является правильным целым числом").arg(v.toString(), field));
    return r;
}

int variantInteger(const QVariant& v, const QString& field)
{
    const qint64 r = variantInt64(v, field);
    if (r < INT32_MIN || r > INT32_MAX)
        throw fmt::ConversionError(
            QStringLiteral("«%1» поля «%2» не является правильным целым числом").arg(v.toString(), field));
    return int(r);
}

double variantNumber(const QVariant& v, const QString& field)
{
    if (v.isNull())
        return 0;
    if (core::isNumber(v) || v.typeId() == QMetaType::Bool)
        return v.toDouble();
    try {
        return fmt::parseNumber(v.toString());
    } catch (const fmt::ConversionError&) {
        throw fmt::ConversionError(
            QStringLiteral("«%1» поля «%2» не является правильным числом").arg(v.toString(), field));
    }
}

struct ListenerList {
    int nextId = 1;
    QList<QPair<int, DatasetListener>> items;
};

Subscription& Subscription::operator=(Subscription&& other) noexcept
{
    if (this != &other) {
        reset();
        list_ = std::move(other.list_);
        id_ = other.id_;
        other.id_ = 0;
    }
    return *this;
}

void Subscription::reset()
{
    if (auto list = list_.lock()) {
        for (qsizetype i = 0; i < list->items.size(); ++i)
            if (list->items[i].first == id_) {
                list->items.removeAt(i);
                break;
            }
    }
    list_.reset();
    id_ = 0;
}

Dataset::Dataset(Connection& connection, QString name, QString statement)
    : connection_(connection), name_(std::move(name)), listeners_(std::make_shared<ListenerList>())
{
    setStatement(statement);
}

Dataset::~Dataset()
{
    notify(DatasetChange::Destroyed);
}

Subscription Dataset::subscribe(DatasetListener listener)
{
    const int id = listeners_->nextId++;
    listeners_->items.append({id, std::move(listener)});
    return Subscription(listeners_, id);
}

void Dataset::setStatement(const QString& statement)
{
    close();
    statement_ = statement;
    params_.declare(toPositional(statement).names);
}

void setLoadObserver(std::function<void(bool)> observer) { loadObserver() = std::move(observer); }

void Dataset::open()
{
    if (open_)
        return;
    {
        const Loading loading;
        // A read that met a lost connection is read again on a new one.
        ResultRows result = selectRows(connection_, statement_, params_, WhenLost::RepeatRead);
        fields_ = std::move(result.fields);
        rows_ = std::move(result.rows);
        open_ = true;
        sort_.clear();
        rebuildView(false);
    }
    notify();
}

void Dataset::close()
{
    if (!open_)
        return;
    open_ = false;
    rows_.clear();
    view_.clear();
    current_ = -1;
    sort_.clear();
    notify();
}

void Dataset::reload()
{
    close();
    open();
}

void Dataset::reloadKeepingSort()
{
    const QString sort = sort_;
    reload();
    if (!sort.isEmpty())
        setSort(sort);
    first();
}

void Dataset::reloadAtRow(int recNo)
{
    reloadKeepingSort();
    if (recNo > 0 && !isEmpty())
        setRecNo(recNo);
}

void Dataset::notify(DatasetChange change)
{
    // A listener may end its own subscription (or another's) while it is told.
    const auto items = listeners_->items;
    for (const auto& item : items)
        if (item.second)
            item.second(change);
}

int Dataset::fieldIndex(const QString& field) const
{
    for (int i = 0; i < fields_.size(); ++i)
        if (fields_[i].compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void Dataset::rebuildView(bool keepCurrent)
{
    const int currentRow = (keepCurrent && current_ >= 0 && current_ < view_.size()) ? view_[current_] : -1;
    std::optional<Filter> filter;
    if (filtered_ && !filterText_.isEmpty())
        filter = Filter::parse(filterText_, fields_);
    QList<int> view;
    view.reserve(rows_.size());
    for (int i = 0; i < rows_.size(); ++i) {
        if (filter && !filter->matches([&](int c) { return rows_[i][c]; }))
            continue;
        view.append(i);
    }
    if (!sort_.isEmpty()) {
        const QList<SortKey> keys = parseSort(sort_, fields_);
        QCollator collator{QLocale(QLocale::Russian, QLocale::Russia)};
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::stable_sort(view.begin(), view.end(), [&](int a, int b) {
            for (const SortKey& k : keys) {
                const int c = compareValues(rows_[a][k.column], rows_[b][k.column], collator);
                if (c != 0)
                    return k.descending ? c > 0 : c < 0;
            }
            return false;
        });
    }
    view_ = view;
    eof_ = false;
    current_ = view_.isEmpty() ? -1 : 0;
    if (currentRow >= 0) {
        const qsizetype at = view_.indexOf(currentRow);
        if (at >= 0)
            current_ = int(at);
    }
}

void Dataset::setRecNo(int recNo)
{
    if (view_.isEmpty())
        return;
    current_ = std::clamp(recNo, 1, int(view_.size())) - 1;
    eof_ = false;
    notify(DatasetChange::Current);
}

void Dataset::first()
{
    current_ = view_.isEmpty() ? -1 : 0;
    eof_ = false;
    notify(DatasetChange::Current);
}

void Dataset::last()
{
    current_ = int(view_.size()) - 1;
    eof_ = false;
    notify(DatasetChange::Current);
}

void Dataset::next()
{
    if (current_ + 1 < view_.size())
        ++current_;
    else
        eof_ = true;
    notify(DatasetChange::Current);
}

void Dataset::prior()
{
    if (current_ > 0)
        --current_;
    eof_ = false;
    notify(DatasetChange::Current);
}

void Dataset::setSort(const QString& sortText)
{
    if (open_)
        parseSort(sortText, fields_);  // reject a bad text before anything changes
    sort_ = sortText;
    if (open_) {
        rebuildView(true);
        notify();
    }
}

void Dataset::setFilter(const QString& expression)
{
    if (open_ && filtered_ && !expression.isEmpty())
        Filter::parse(expression, fields_);
    filterText_ = expression;
    if (open_ && filtered_) {
        rebuildView(false);
        notify();
    }
}

void Dataset::setFiltered(bool on)
{
    if (on && open_ && !filterText_.isEmpty())
        Filter::parse(filterText_, fields_);
    filtered_ = on;
    if (open_) {
        rebuildView(false);
        notify();
    }
}

bool Dataset::locate(const QString& field, const QVariant& value)
{
    const int c = fieldIndex(field);
    if (c < 0)
        throw fmt::AppError(QStringLiteral("Поле «%1» не найдено").arg(field));
    for (int i = 0; i < view_.size(); ++i) {
        const QVariant& v = rows_[view_[i]][c];
        if (v.isNull() || value.isNull())
            continue;
        bool same = false;
        if (core::isNumber(value) && core::isNumber(v))
            same = v.toDouble() == value.toDouble();
        else if (core::isNumber(value))
            same = fmt::trimmed(v.toString()) == variantText(value);
        else
            same = variantText(v) == value.toString();
        if (same) {
            current_ = i;
            eof_ = false;
            notify(DatasetChange::Current);
            return true;
        }
    }
    return false;
}

const QList<QVariant>& Dataset::currentRow(const QString& field) const
{
    if (!open_)
        throw fmt::AppError(QStringLiteral("%1: набор данных закрыт").arg(name_));
    if (current_ < 0 || current_ >= view_.size())
        throw fmt::AppError(QStringLiteral("%1: нет текущей записи").arg(name_));
    if (fieldIndex(field) < 0)
        throw fmt::AppError(QStringLiteral("%1: поле «%2» не найдено").arg(name_, field));
    return rows_[view_[current_]];
}

QVariant Dataset::value(const QString& field) const
{
    return currentRow(field)[fieldIndex(field)];
}

QString Dataset::text(const QString& field) const { return variantText(value(field)); }
int Dataset::integer(const QString& field) const { return variantInteger(value(field), field); }
qint64 Dataset::int64(const QString& field) const { return variantInt64(value(field), field); }
double Dataset::number(const QString& field) const { return variantNumber(value(field), field); }

QDate Dataset::date(const QString& field) const
{
    const QVariant v = value(field);
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    const QString s = fmt::trimmed(v.toString());
    QDate d = QDate::fromString(s.left(10), Qt::ISODate);
    return d.isValid() ? d : fmt::parseDate(s);
}

QVariant Dataset::valueAt(int row, int column) const
{
    if (row < 0 || row >= view_.size() || column < 0 || column >= fields_.size())
        return {};
    return rows_[view_[row]][column];
}

}  // namespace data
