// The journal's record actions and the windows they open: the shift record
// editor with its worker and operation pickers, and the operation list of
// the menu "Цены".

#include <QAbstractItemView>
#include <QAction>
#include <QPushButton>

#include "app/roles.h"
#include "editor/shiftrecordeditor.h"
#include "journal/journalwindow.h"
#include "journal/recordactions.h"
#include "reference/operationlist.h"
#include "reference/workerlist.h"
#include "ui/datasetgrid.h"

namespace journal {

struct JournalWindow::RecordWindows {
    explicit RecordWindows(JournalWindow& journal)
        : workers(journal.dataModule())
        , operations(journal.dataModule())
        , editor(journal, workers, operations)
        , acceptance(journal.dataModule())
    {
    }
    reference::WorkerList workers;
    reference::OperationList operations;
    editor::ShiftRecordEditor editor;
    RecordAcceptance acceptance;
};

void JournalWindow::RecordWindowsDeleter::operator()(RecordWindows* windows) const
{
    delete windows;
}

editor::ShiftRecordEditor& JournalWindow::recordEditor()
{
    return recordWindows_->editor;
}
reference::WorkerList& JournalWindow::workerList()
{
    return recordWindows_->workers;
}
reference::OperationList& JournalWindow::operationList()
{
    return recordWindows_->operations;
}

void JournalWindow::connectRecordActions()
{
    recordWindows_.reset(new RecordWindows(*this));
    editor::ShiftRecordEditor& editor = recordWindows_->editor;
    reference::OperationList& operations = recordWindows_->operations;
    operations.setPriceDay([this] { return reference::PriceDay{dayOff(), currentShift()}; });
    operations.setRequisitionProduct([&editor] { return editor.requisitionProduct(); });

    connect(addButton, &QPushButton::clicked, this, [&editor] { editor.openForAdding(); });
    connect(editButton, &QPushButton::clicked, this, [&editor] { editor.openForChanging(); });
    connect(pricesAction, &QAction::triggered, this, [&operations] { operations.openAsList(); });
    connect(workersAction, &QAction::triggered, this, [this] { workerList().openAsList(); });

    connect(deleteButton, &QPushButton::clicked, this, [this] { deleteRecord(); });
    connect(acceptButton, &QPushButton::clicked, this, [this] { acceptRecord(); });
    connect(DBGrid2, &QAbstractItemView::doubleClicked, this, [this] { recordDoubleClicked(); });
}

void JournalWindow::deleteRecord()
{
    deleteCurrentRecord(dataModule(), currentDataset(), currentShift());
}

void JournalWindow::acceptRecord()
{
    recordWindows_->acceptance.acceptCurrent(currentDataset());
}

void JournalWindow::recordDoubleClicked()
{
    // Timekeepers accept with a double-click; everyone else looks at the record.
    if (app::roleForLogin(userLogin()) == app::Role::Timekeeper) {
        acceptRecord();
        return;
    }
    if (currentDataset().isOpen() && !currentDataset().isEmpty())
        recordEditor().openForViewing();
}

}  // namespace journal
