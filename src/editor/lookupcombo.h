#pragma once
// A drop-down list over a dataset, keyed by one field and showing another
// (the requisition and line combos of the shift record editor). It keeps the
// dataset's current row on the entry it shows: choosing an entry, setting
// the key while the list is open, or opening the list after the key was set
// moves the cursor to the row with that key. A key that matches no row shown
// (0 among them) shows nothing. Only the rows that pass the dataset's filter
// are offered.

#include <QComboBox>

#include "data/dataset.h"

namespace data {
class Dataset;
}

namespace editor {

class LookupComboBox : public QComboBox {
    Q_OBJECT
public:
    LookupComboBox(data::Dataset& list, QString keyField, QString displayField, QWidget* parent = nullptr);
    ~LookupComboBox() override;

    data::Dataset& list() const { return list_; }

    qint64 keyValue() const { return key_; }
    void setKeyValue(qint64 key);
    // True when an entry is shown (the key matches a row of the list).
    bool showsEntry() const { return currentIndex() >= 0; }

signals:
    // The user has made the combo's choice: its drop-down list closed (with
    // or without picking an entry), or an arrow key stepped to another entry.
    void chosen();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reload();
    void showKey();
    void userActivated(int index);

    data::Dataset& list_;
    data::Subscription subscription_;
    QString keyField_;
    QString displayField_;
    qint64 key_ = 0;
    bool closingPopup_ = false;
};

}  // namespace editor
