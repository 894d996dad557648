#pragma once
// The role table: what a login may use in the journal.

#include <QString>

namespace session {

enum class Role {
    Timekeeper,  // "clerka", "clerkb", "clerkc": accept records
    ReadOnly,    // "econom": reports only
    Sys,         // "sys": enter and accept records
    DataEntry,   // any other login, the empty one included
};

// The trimmed login, compared exactly (letter case included).
Role roleForLogin(const QString& login);

struct RoleRights {
    bool editRecords;     // "Добавить", "Изменить", "Удалить"
    bool accept;          // "Принять"
    bool references;      // menu "Справочники"
    bool timeSheet;       // menu "Табель по времени"
    bool reports;         // menu "Отчеты"
    bool journalControls; // shift buttons, "Выходной", "Обновить", the grid, the date picker
};
RoleRights rightsOf(Role role);

}  // namespace session
