#pragma once
// Drawing of the journal's "OK" column: the background as usual (the
// selection colour on the selected row), the acceptance code in bold, green
// for "ok" and "да", red for any other value, the empty one included.

#include <QColor>
#include <QStyledItemDelegate>

namespace journal {

// RGB(0,128,0) for "ok" and "да", RGB(255,0,0) otherwise.
QColor acceptanceColour(const QString& code);

class OkColumnDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace journal
