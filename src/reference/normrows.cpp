#include "reference/normrows.h"

#include <QFont>
#include <QTimer>

#include "core/textformat.h"
#include "ui/messages.h"

namespace reference {

namespace {

const std::array<const char*, 3> kFields = {"norma", "price", "prize"};

}  // namespace

NormRows::NormRows(data::Dataset& norms, QObject* parent) : QAbstractTableModel(parent), norms_(&norms)
{
    subscription_ = norms.subscribe([this](data::DatasetChange change) {
        if (change == data::DatasetChange::Current)
            return;
        beginResetModel();
        if (change == data::DatasetChange::Destroyed)
            norms_ = nullptr;
        changedRow_.reset();
        changes_ = {};
        endResetModel();
    });
}

int NormRows::savedCount() const
{
    return norms_ && norms_->isOpen() ? norms_->recordCount() : 0;
}

int NormRows::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !norms_ || !norms_->isOpen() ? 0 : savedCount() + 1;
}

int NormRows::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(kFields.size());
}

int NormRows::normId(int row) const
{
    if (row < 0 || row >= savedCount())
        return 0;
    return data::variantInteger(norms_->valueAt(row, norms_->fieldIndex(QStringLiteral("id"))), QStringLiteral("id"));
}

int NormRows::rowOfNorm(int id) const
{
    for (int row = 0; row < savedCount(); ++row)
        if (normId(row) == id)
            return row;
    return savedCount();
}

QVariant NormRows::stored(int row, int column) const
{
    if (row >= savedCount())
        return {};
    return norms_->valueAt(row, norms_->fieldIndex(QString::fromLatin1(kFields[column])));
}

QVariant NormRows::value(int row, int column) const
{
    if (changedRow_ == row && changes_[column])
        return *changes_[column];
    return stored(row, column);
}

NormValues NormRows::values(int row) const
{
    const auto number = [&](int column) {
        const QVariant v = value(row, column);
        return v.isNull() ? 0.0 : data::variantNumber(v, QString::fromLatin1(kFields[column]));
    };
    return NormValues{int(number(Norma)), number(Price), int(number(Prize))};
}

void NormRows::forgetChanges()
{
    const std::optional<int> row = changedRow_;
    changedRow_.reset();
    changes_ = {};
    if (row)
        emit dataChanged(index(*row, 0), index(*row, columnCount() - 1));
}

QString NormRows::priceText(double price)
{
    QString text = fmt::fixed(price, 3);
    if (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    return text;
}

QVariant NormRows::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const QVariant v = value(index.row(), index.column());
    if (v.isNull())
        return QString();
    const double number = data::variantNumber(v, QString::fromLatin1(kFields[index.column()]));
    if (index.column() == Price && role == Qt::DisplayRole)
        return priceText(number);
    return fmt::general(number);
}

bool NormRows::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const QString text = value.toString();
    QVariant parsed;
    try {
        if (index.column() == Price)
            parsed = fmt::parseNumber(text);
        else
            parsed = fmt::parseInteger(text);
    } catch (const fmt::ConversionError& e) {
        // Told once the grid has finished with its editor.
        QTimer::singleShot(0, this, [message = e.text()] { ui::showError(message); });
        return false;
    }
    if (parsed == this->value(index.row(), index.column()) && changedRow_ != index.row())
        return true;  // nothing changed
    if (changedRow_ != index.row()) {
        forgetChanges();
        changedRow_ = index.row();
    }
    changes_[index.column()] = parsed;
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags NormRows::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant NormRows::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role != Qt::DisplayRole)
            return {};
        if (section == currentRow_)
            return isNewLine(section) ? QStringLiteral("▶*") : QStringLiteral("▶");
        return isNewLine(section) ? QStringLiteral("*") : QString();
    }
    if (role == Qt::FontRole) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Norma: return QStringLiteral("Норматив");
    case Price: return QStringLiteral("Цена");
    case Prize: return QStringLiteral("Премия, %");
    default: return {};
    }
}

void NormRows::setCurrentRow(int row)
{
    if (row == currentRow_)
        return;
    currentRow_ = row;
    emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

}  // namespace reference
