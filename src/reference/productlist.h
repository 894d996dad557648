#pragma once
// The product list (Form3, "Изделия"): the product picker of the operation
// editor, and a list whose products are added, changed (double-click) and
// deleted through the product editor. The journal shows its menu entry
// "Изделия" disabled.

#include <QDialog>
#include <optional>

class QLineEdit;
class QPushButton;

namespace data {
class DataModule;
}
namespace ui {
class DatasetGrid;
}

namespace reference {

// What the picker hands over: the mark trimmed and the id.
struct ProductPick {
    QString mark;
    qint64 id = 0;
};

class ProductList : public QDialog {
    Q_OBJECT
public:
    enum class Mode { List = 0, Picker = 1 };

    explicit ProductList(data::DataModule& dataModule, QWidget* parent = nullptr);

    // List mode: "Добавить" and "Удалить" shown, no search field; Izdel closed afterwards.
    void openAsList();
    // Picker mode: the search field shown and cleared; a double-click takes
    // a row. Nothing when the window was left without taking one.
    std::optional<ProductPick> pick();

    Mode mode() const { return mode_; }

    ui::DatasetGrid* grid;
    QLineEdit* searchEdit;
    QPushButton* addButton;
    QPushButton* selectButton;  // never shown: a row is taken by a double-click
    QPushButton* deleteButton;
    QPushButton* exitButton;

signals:
    // Functions of the product editor; the list returns to its row number afterwards.
    void addRequested();
    void changeRequested(qint64 id, const QString& mark, double massa);

private:
    void rowDoubleClicked();
    void addProduct();
    void deleteProduct();
    // Runs the editor and moves the list back to the row number it had.
    template <typename Fn>
    void keepingRow(Fn&& openEditor);

    data::DataModule& dataModule_;
    Mode mode_ = Mode::List;
    std::optional<ProductPick> picked_;
};

}  // namespace reference
