#pragma once
// The materials area of the shift record editor: the materials the record
// consumed, "Добавить" through the material dialog, "Удалить" of the
// selected row, the total "Итого:" and the hidden remainder "Осталось:".

#include <QObject>

namespace editor {

class MaterialDialog;
class ShiftRecordEditor;

class MaterialsArea : public QObject {
    Q_OBJECT
public:
    // Connects the area's buttons of the editor.
    explicit MaterialsArea(ShiftRecordEditor& editor);

    // The dialog "Добавить" opens; set before the window is first shown.
    void setDialog(MaterialDialog& dialog) { dialog_ = &dialog; }
    MaterialDialog& dialog() { return *dialog_; }

    // "Добавить": the dialog, then the record's lists again and the remainder.
    void add();
    // "Удалить": deletes the selected material row at once; nothing when the list is empty.
    void removeSelected();

private:
    ShiftRecordEditor& editor_;
    MaterialDialog* dialog_ = nullptr;
};

}  // namespace editor
