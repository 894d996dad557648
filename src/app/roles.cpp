#include "app/roles.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "journal/journalwindow.h"
#include "ui/datasetgrid.h"

namespace app {

Role roleForLogin(const QString& login)
{
    if (login == QLatin1String("clerka") || login == QLatin1String("clerkb") || login == QLatin1String("clerkc"))
        return Role::Timekeeper;
    if (login == QLatin1String("econom"))
        return Role::ReadOnly;
    if (login == QLatin1String("sys"))
        return Role::Sys;
    return Role::DataEntry;
}

RoleRights rightsOf(Role role)
{
    switch (role) {
    case Role::Timekeeper: return {false, true, false, false, false, true};
    case Role::ReadOnly: return {false, false, false, false, true, false};
    case Role::Sys: return {true, true, true, true, true, true};
    case Role::DataEntry: return {true, false, true, true, true, true};
    }
    return {};
}

void applyRole(journal::JournalWindow& j, Role role)
{
    const RoleRights r = rightsOf(role);
    j.addButton->setEnabled(r.editRecords);
    j.editButton->setEnabled(r.editRecords);
    j.deleteButton->setEnabled(r.editRecords);
    j.acceptButton->setEnabled(r.accept);
    j.referenceMenu->menuAction()->setEnabled(r.references);
    j.timeSheetAction->setEnabled(r.timeSheet);
    j.reportsMenu->menuAction()->setEnabled(r.reports);
    for (int shift = 1; shift <= 4; ++shift)
        j.shiftButton(shift)->setEnabled(r.journalControls);
    j.CBox1->setEnabled(r.journalControls);
    j.refreshButton->setEnabled(r.journalControls);
    j.DBGrid2->setEnabled(r.journalControls);
    j.DateT->setEnabled(r.journalControls);
    j.exitAction->setEnabled(true);
}

}  // namespace app
