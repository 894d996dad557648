// The journal's record actions: "Добавить", "Изменить", "Удалить", "Принять",
// the double-click on a record, the reference-book entries of the menu and the
// hidden legacy import.

#include <QAbstractItemView>
#include <QAction>
#include <QLabel>
#include <QPushButton>

#include "journal/journalwindow.h"
#include "records/recordactions.h"
#include "records/shiftrecordstore.h"
#include "session/roles.h"
#include "session/runstate.h"
#include "ui/application.h"
#include "ui/busycursor.h"
#include "ui/datasetgrid.h"
#include "ui/messages.h"

namespace journal {

void JournalWindow::connectRecordActions()
{
    connect(addButton, &QPushButton::clicked, this, &JournalWindow::addRecordRequested);
    connect(editButton, &QPushButton::clicked, this, &JournalWindow::changeRecordRequested);
    connect(pricesAction, &QAction::triggered, this, &JournalWindow::pricesRequested);
    connect(workersAction, &QAction::triggered, this, &JournalWindow::workersRequested);
    connect(productsAction, &QAction::triggered, this, &JournalWindow::productsRequested);
    connect(importAction, &QAction::triggered, this, [this] { importLegacyDatabase(); });

    connect(deleteButton, &QPushButton::clicked, this, [this] { deleteRecord(); });
    connect(acceptButton, &QPushButton::clicked, this, [this] { acceptRecord(); });
    connect(DBGrid2, &QAbstractItemView::doubleClicked, this, [this] { recordDoubleClicked(); });
}

void JournalWindow::deleteRecord()
{
    const records::Deletion deletion =
        records::deleteCurrentRecord(dataModule(), currentDataset(),
                                     [] { return ui::askDelete(QStringLiteral("Удалить позицию из списка?")); });
    if (deletion == records::Deletion::Stale)
        ui::showError(records::staleRecordText());
}

void JournalWindow::acceptRecord()
{
    switch (acceptance_.acceptCurrent(currentDataset())) {
    case records::Acceptance::NoMaterials:
        ui::showError(QStringLiteral("Не заведен расход ТМЦ!"));
        break;
    case records::Acceptance::Stale:
        ui::showError(records::staleRecordText());
        break;
    case records::Acceptance::Refused:
    case records::Acceptance::Accepted:
        break;
    }
}

void JournalWindow::importLegacyDatabase()
{
    ui::guarded([this] {
        const ui::BusyCursor busy;
        legacyImport.run(dataModule_.ADO_DB, [this](const QString& line) { Label1->setText(line); });
    });
}

void JournalWindow::recordDoubleClicked()
{
    // Timekeepers accept with a double-click; everyone else looks at the record.
    if (session::roleForLogin(state_.userLogin()) == session::Role::Timekeeper) {
        acceptRecord();
        return;
    }
    if (currentDataset().isOpen() && !currentDataset().isEmpty())
        emit viewRecordRequested();
}

}  // namespace journal
