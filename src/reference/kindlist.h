#pragma once
// The kind list (Form8, "Виды операций"): opened as a list from the
// journal's menu "Операции", where kinds are added, changed and deleted
// through the kind editor, and as the kind picker of the operation editor.

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

// What the picker hands over: the name trimmed and the id; an empty name
// and 0 when the list showed no row.
struct KindPick {
    QString name;
    int id = 0;
};

class OperationKindList : public QDialog {
    Q_OBJECT
public:
    enum class Mode { List = 0, Picker = 1 };

    explicit OperationKindList(data::DataModule& dataModule, QWidget* parent = nullptr);

    // List mode: "Добавить" (default), "Изменить", "Удалить"; Vid_oper closed afterwards.
    void openAsList();
    // Picker mode: "Выбрать" as the default button, the search field shown
    // and cleared. Nothing when the window was left without taking a row.
    std::optional<KindPick> pick();

    Mode mode() const { return mode_; }

    ui::DatasetGrid* grid;
    QLineEdit* searchEdit;
    QPushButton* addButton;
    QPushButton* selectButton;  // "Изменить" in list mode, "Выбрать" in picker mode
    QPushButton* deleteButton;
    QPushButton* exitButton;

signals:
    // Functions of the kind editor.
    void addRequested();
    void changeRequested(int id, const QString& name);

private:
    void activate();
    void select();
    void deleteKind();

    data::DataModule& dataModule_;
    Mode mode_ = Mode::List;
    std::optional<KindPick> picked_;
};

}  // namespace reference
