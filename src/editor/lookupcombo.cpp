#include "editor/lookupcombo.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QTimer>

#include "data/dataset.h"

namespace editor {

LookupComboBox::LookupComboBox(data::Dataset& list, QString keyField, QString displayField, QWidget* parent)
    : QComboBox(parent), list_(list), keyField_(std::move(keyField)), displayField_(std::move(displayField))
{
    setEditable(false);
    setMaxVisibleItems(20);
    subscription_ = list_.subscribe([this](data::DatasetChange change) {
        if (change == data::DatasetChange::Reset)
            reload();
    });
    connect(this, &QComboBox::activated, this, &LookupComboBox::userActivated);
    // However the drop-down list closes (an entry clicked, Enter, Escape, a click elsewhere).
    view()->window()->installEventFilter(this);
    reload();
}

LookupComboBox::~LookupComboBox() = default;

void LookupComboBox::reload()
{
    const QSignalBlocker quiet(this);
    clear();
    if (list_.isOpen()) {
        const int keyColumn = list_.fieldIndex(keyField_);
        const int textColumn = list_.fieldIndex(displayField_);
        for (int row = 0; row < list_.recordCount(); ++row)
            addItem(data::variantText(list_.valueAt(row, textColumn)),
                    data::variantInt64(list_.valueAt(row, keyColumn), keyField_));
    }
    showKey();
}

void LookupComboBox::showKey()
{
    const int index = key_ == 0 ? -1 : findData(key_);
    {
        const QSignalBlocker quiet(this);
        setCurrentIndex(index);
    }
    if (index >= 0 && list_.recNo() != index + 1)
        list_.setRecNo(index + 1);
}

void LookupComboBox::setKeyValue(qint64 key)
{
    key_ = key;
    showKey();
}

void LookupComboBox::userActivated(int index)
{
    if (index < 0)
        return;
    key_ = itemData(index).toLongLong();
    list_.setRecNo(index + 1);
    if (!closingPopup_)
        emit chosen();
}

bool LookupComboBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Hide && watched == view()->window()) {
        // The entry picked in the list is taken only after the list has
        // closed: tell of the choice once that has happened.
        closingPopup_ = true;
        QTimer::singleShot(0, this, [this] {
            closingPopup_ = false;
            emit chosen();
        });
    }
    return QComboBox::eventFilter(watched, event);
}

}  // namespace editor
