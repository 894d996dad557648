#pragma once
// The operation editor (Form10, group box "Цена операции"): the product and
// the kind of an operation, chosen through their pickers, and its type.
// A new operation also takes its starting price, "min Цена", from which the
// database gives it its first norm row.

#include <optional>

#include "reference/bookwindow.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace data {
class DataModule;
}

namespace reference {

class OperationKindList;
class ProductList;

class OperationEditor : public BookEditor {
    Q_OBJECT
public:
    OperationEditor(data::DataModule& dataModule, ProductList& products, OperationKindList& kinds,
                    QWidget* parent = nullptr);

    // "Заведение новой цены за операцию": empty product and kind, "Готовая
    // продукция", an empty "min Цена". The remembered product and kind ids
    // stay as they were; only the pickers set them.
    void openForAdding();
    // "Изменение данных о цене за операцию" on the operation list's current
    // operation; "min Цена" is disabled.
    void openForChanging();

    std::optional<int> changing() const { return changing_; }
    qint64 productId() const { return productId_; }
    int kindId() const { return kindId_; }

    QLineEdit* productEdit;  // "Марка изделия", read-only
    QPushButton* productButton;
    QLineEdit* kindEdit;     // "Операция", read-only
    QPushButton* kindButton;
    QComboBox* typeBox;      // "Вид": position = naimen
    QLineEdit* priceEdit;    // "min Цена"

private:
    void open();
    void pickProduct();
    void pickKind();
    // Empty fields, the duplicate check; Oper_ins or Oper_ed, Oper re-read, closed.
    void save() override;

    data::DataModule& dataModule_;
    ProductList& products_;
    OperationKindList& kinds_;
    std::optional<int> changing_;
    qint64 productId_ = 0;
    int kindId_ = 0;
};

}  // namespace reference
