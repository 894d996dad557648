#pragma once
// What the reference book windows are made of: the list windows' grid,
// search field and button row, and the editors' frame, a group box of
// labelled fields above "Записать" (the default button) and "Отмена".

#include <QDialog>
#include <QList>
#include <initializer_list>

#include "reference/searchkeys.h"
#include "ui/datasetgrid.h"

class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;

namespace reference {

// The list's grid (DBGrid1) over the dataset, named for screen readers, its last column stretched.
ui::DatasetGrid* makeListGrid(QWidget* parent, QList<ui::GridColumn> columns, data::Dataset& list,
                              const QString& accessibleName);
// The search field under a list ("Поиск") with the keys that move the list.
QLineEdit* makeSearchField(QWidget* parent, data::Dataset& list, OtherKeys others = OtherKeys::Blocked);
// The buttons of a list window: these on the left, the last one (the exit) on the right.
QHBoxLayout* buttonRow(std::initializer_list<QWidget*> buttons);

// The buttons of a list that is also a picker, for one mode: in list mode
// "Добавить" (the default button), "Изменить" and "Удалить"; in picker mode
// "Выбрать" alone, the default button. The opener makes the default button an
// ordinary one again when the window closes.
enum class ListMode { List, Picker };
void showModeButtons(ListMode mode, QPushButton* add, QPushButton* select, QPushButton* remove);

class BookEditor : public QDialog {
    Q_OBJECT
public:
    QGroupBox* groupBox;
    QPushButton* saveButton;    // "Записать"
    QPushButton* cancelButton;  // "Отмена": closes without saving

protected:
    BookEditor(const QString& objectName, const QString& groupTitle, QWidget* parent);
    // A row of the group box: the label names the input; an optional button beside it.
    void addField(const QString& caption, QWidget* input, QWidget* button = nullptr);
    // Runs on "Записать"; errors go to the standard error box and the editor stays open.
    virtual void save() = 0;

private:
    QGridLayout* fields_;
    int fieldCount_ = 0;
};

}  // namespace reference
