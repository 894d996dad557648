#pragma once
// The crew area "Бригада" of the shift record editor: crew members added
// through the worker picker, the selected one removed, and "Сохранить",
// which shares the record between its worker and the crew in the database
// and closes the editor.

#include <QObject>

namespace editor {

class ShiftRecordEditor;

class CrewArea : public QObject {
    Q_OBJECT
public:
    // Connects the area's buttons of the editor.
    explicit CrewArea(ShiftRecordEditor& editor);

    // "Добавить": a worker from the worker list joins the crew.
    void add();
    // "Удалить": removes the selected crew member; nothing when the list is empty.
    void removeSelected();
    // "Сохранить": divide_between_person, then the editor closes, also when it failed.
    void finish();

private:
    ShiftRecordEditor& editor_;
};

}  // namespace editor
