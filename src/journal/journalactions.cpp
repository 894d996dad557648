// The journal's record actions and the windows they open: the shift record
// editor with its worker and operation pickers, and the operation list of
// the menu "Цены".

#include <QAction>
#include <QPushButton>

#include "editor/shiftrecordeditor.h"
#include "journal/journalwindow.h"
#include "reference/operationlist.h"
#include "reference/workerlist.h"

namespace journal {

struct JournalWindow::RecordWindows {
    explicit RecordWindows(JournalWindow& journal)
        : workers(journal.dataModule()),
          operations(journal.dataModule()),
          editor(journal, workers, operations)
    {
    }
    reference::WorkerList workers;
    reference::OperationList operations;
    editor::ShiftRecordEditor editor;
};

void JournalWindow::RecordWindowsDeleter::operator()(RecordWindows* windows) const { delete windows; }

editor::ShiftRecordEditor& JournalWindow::recordEditor() { return recordWindows_->editor; }
reference::WorkerList& JournalWindow::workerList() { return recordWindows_->workers; }
reference::OperationList& JournalWindow::operationList() { return recordWindows_->operations; }

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
}

}  // namespace journal
