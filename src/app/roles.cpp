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

void applyRole(journal::JournalWindow& j, session::Role role)
{
    const session::RoleRights r = session::rightsOf(role);
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
