#pragma once
// A statement's result held in memory: rows, a current row, the record count
// and number, an in-memory sort and filter, named parameters. Reload = close
// and open.

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

#include "data/filter.h"
#include "data/statement.h"

namespace data {

class Connection;

enum class DatasetChange {
    Reset,      // opened, closed, sorted or filtered: the rows are new
    Current,    // only the current row moved
    Destroyed,  // the dataset is going away: forget it
};

using DatasetListener = std::function<void(DatasetChange)>;

// Told when any dataset starts reading its rows from the database (true) and
// when it has them or the read failed (false), in pairs, possibly nested. The
// windows show the busy cursor meanwhile; without an observer nothing is told.
void setLoadObserver(std::function<void(bool loading)> observer);

// Keeps one listener of a dataset subscribed for its lifetime. Ending it
// after the dataset is gone does nothing, so owners need not order their
// destruction by hand.
class Subscription {
public:
    Subscription() = default;
    Subscription(std::weak_ptr<struct ListenerList> list, int id) : list_(std::move(list)), id_(id) {}
    ~Subscription() { reset(); }
    Subscription(Subscription&& other) noexcept : list_(std::move(other.list_)), id_(other.id_) { other.id_ = 0; }
    Subscription& operator=(Subscription&& other) noexcept;
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    void reset();

private:
    std::weak_ptr<struct ListenerList> list_;
    int id_ = 0;
};

class Dataset {
public:
    Dataset(Connection& connection, QString name, QString statement = {});
    virtual ~Dataset();
    Dataset(const Dataset&) = delete;
    Dataset& operator=(const Dataset&) = delete;

    const QString& name() const { return name_; }
    Connection& connection() const { return connection_; }

    // Replacing the statement closes the dataset and declares its parameters.
    void setStatement(const QString& statement);
    const QString& statement() const { return statement_; }

    Parameters& params() { return params_; }
    const Parameters& params() const { return params_; }
    void setParam(const QString& name, const QVariant& value) { params_.set(name, value); }

    // Runs the statement with the current parameter values and reads all rows.
    void open();
    void close();
    void reload();
    // Reloads and sets the same sort again; the first row is current.
    void reloadKeepingSort();
    // The same, then moves to the record number when there are rows and it is above 0.
    void reloadAtRow(int recNo);
    // reloadAtRow at the present record number.
    void reloadInPlace() { reloadAtRow(recNo()); }
    bool isOpen() const { return open_; }

    // Tells the listener of every change of the rows or of the current row,
    // and of the dataset's end, as long as the subscription lives.
    [[nodiscard]] Subscription subscribe(DatasetListener listener);

    QStringList fieldNames() const { return fields_; }
    bool hasField(const QString& field) const { return fieldIndex(field) >= 0; }
    int fieldIndex(const QString& field) const;

    // Rows that pass the filter, in sort order.
    int recordCount() const { return int(view_.size()); }
    bool isEmpty() const { return view_.isEmpty(); }
    // 1-based position of the current row; 0 when there is none.
    int recNo() const { return current_ + 1; }
    // Moves the current row; a number past the end moves to the last row.
    void setRecNo(int recNo);
    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return eof_ || view_.isEmpty(); }

    // Sort text "col ASC, col2 DESC"; empty = the statement's order. Forgotten on close.
    void setSort(const QString& sortText);
    const QString& sort() const { return sort_; }

    void setFilter(const QString& expression);
    const QString& filter() const { return filterText_; }
    void setFiltered(bool on);
    bool filtered() const { return filtered_; }

    // Makes the first row whose field equals the value current; false when none does.
    bool locate(const QString& field, const QVariant& value);

    // Values of the current row. A null value reads as the empty text or 0;
    // an unknown field, or no current row, is an error.
    QVariant value(const QString& field) const;
    bool isNull(const QString& field) const { return value(field).isNull(); }
    QString text(const QString& field) const;
    int integer(const QString& field) const;
    qint64 int64(const QString& field) const;
    double number(const QString& field) const;
    QDate date(const QString& field) const;

    // Values at a view position (0-based), for grids and reports.
    QVariant valueAt(int row, int column) const;

private:
    void rebuildView(bool keepCurrent);
    const QList<QVariant>& currentRow(const QString& field) const;
    void notify(DatasetChange change = DatasetChange::Reset);

    Connection& connection_;
    QString name_;
    QString statement_;
    Parameters params_;
    bool open_ = false;
    QStringList fields_;
    QList<QList<QVariant>> rows_;
    QList<int> view_;  // indexes into rows_
    int current_ = -1;  // index into view_
    bool eof_ = false;
    QString sort_;
    QString filterText_;
    bool filtered_ = false;
    std::shared_ptr<ListenerList> listeners_;
};

// Field value conversions shared by datasets and grids.
QString variantText(const QVariant& value);
int variantInteger(const QVariant& value, const QString& field);
qint64 variantInt64(const QVariant& value, const QString& field);
double variantNumber(const QVariant& value, const QString& field);

}  // namespace data
