#pragma once
// The kind editor (Form9, group box "Вид операции"): one name, stored
// trimmed and unique whatever its letter case.

#include <optional>

#include "reference/bookwindow.h"

class QLineEdit;

namespace data {
class DataModule;
}

namespace reference {

class OperationKindEditor : public BookEditor {
    Q_OBJECT
public:
    explicit OperationKindEditor(data::DataModule& dataModule, QWidget* parent = nullptr);

    // "Заведение нового вида операций" with an empty field.
    void openForAdding();
    // "Изменение данных вида операции" on the kind, its name trimmed.
    void openForChanging(int id, const QString& name);

    // The kind being changed; none for a new one.
    std::optional<int> changing() const { return changing_; }

    QLineEdit* nameEdit;  // "Операция"

private:
    void open();
    // Empty name, then the duplicate check; writes, re-reads Vid_oper and closes.
    void save() override;

    data::DataModule& dataModule_;
    std::optional<int> changing_;
};

}  // namespace reference
