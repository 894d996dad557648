#pragma once
// The product editor (Form7, group box "Данные об изделии"): the mark,
// unique whatever its letter case, and "Коробки", the per-piece
// coefficient; the product group follows from the mark.

#include <optional>

#include "reference/bookwindow.h"

class QLineEdit;

namespace data {
class DataModule;
}

namespace reference {

class ProductEditor : public BookEditor {
    Q_OBJECT
public:
    explicit ProductEditor(data::DataModule& dataModule, QWidget* parent = nullptr);

    // "Заведение нового изделия" with both fields empty.
    void openForAdding();
    // "Изменение данных изделия" on the product: its mark trimmed and its
    // "Коробки" in the general number format.
    void openForChanging(qint64 id, const QString& mark, double massa);

    std::optional<qint64> changing() const { return changing_; }

    QLineEdit* markEdit;   // "Марка"
    QLineEdit* massaEdit;  // "Коробки": digits and a decimal comma

private:
    void open();
    // Empty fields, the duplicate check, the number; writes the product with
    // its group, re-reads Izdel and closes.
    void save() override;

    data::DataModule& dataModule_;
    std::optional<qint64> changing_;
};

}  // namespace reference
