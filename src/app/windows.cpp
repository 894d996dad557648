#include "app/windows.h"

namespace app {

Windows::Windows(const QString& connectionString, CommandLine args)
    : dataModule(connectionString)
    , journal(dataModule, state)
    , login(dataModule, state, journal, std::move(args))
    , operations(dataModule, state)
    , workers(dataModule)
    , editor(dataModule, state, workers, operations)
    , timeSheet(dataModule, state)
    , summaryReports(dataModule.ADO_DB)
    , materialDialog(dataModule.ADO_DB, &editor)
{
    using journal::JournalWindow;
    QObject::connect(&journal, &JournalWindow::addRecordRequested, &editor, &editor::ShiftRecordEditor::openForAdding);
    QObject::connect(&journal, &JournalWindow::changeRecordRequested, &editor,
                     &editor::ShiftRecordEditor::openForChanging);
    QObject::connect(&journal, &JournalWindow::viewRecordRequested, &editor,
                     &editor::ShiftRecordEditor::openForViewing);
    QObject::connect(&journal, &JournalWindow::workersRequested, &workers, &reference::WorkerList::openAsList);
    QObject::connect(&journal, &JournalWindow::pricesRequested, &operations, &reference::OperationList::openAsList);
    QObject::connect(&journal, &JournalWindow::timeSheetRequested, &timeSheet,
                     &timesheet::TimeSheetWindow::openOnMonth);
    QObject::connect(&journal, &JournalWindow::summaryReportsRequested, &summaryReports,
                     &reports::SummaryReportsWindow::openOnPeriod);

    editor.setMaterialDialog(materialDialog);
    operations.setRequisitionProduct([this] { return editor.requisitionProduct(); });
}

}  // namespace app
