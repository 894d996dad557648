#include "app/windows.h"

namespace app {

Windows::Windows(const QString& connectionString, CommandLine args)
    : dataModule(connectionString)
    , journal(dataModule, state)
    , login(dataModule, state, journal, std::move(args))
    , products(dataModule)
    , operations(dataModule, state)
    , workers(dataModule)
    , productEditor(dataModule)
    , kinds(dataModule)
    , kindEditor(dataModule)
    , operationEditor(dataModule, products, kinds)
    , editor(dataModule, state, workers, operations)
    , summaryReports(dataModule.ADO_DB)
    , timeSheet(dataModule, state)
    , normEditor(dataModule)
    , materialDialog(dataModule.ADO_DB, &editor)
{
    using journal::JournalWindow;
    QObject::connect(&journal, &JournalWindow::addRecordRequested, &editor, &editor::ShiftRecordEditor::openForAdding);
    QObject::connect(&journal, &JournalWindow::changeRecordRequested, &editor,
                     &editor::ShiftRecordEditor::openForChanging);
    QObject::connect(&journal, &JournalWindow::viewRecordRequested, &editor,
                     &editor::ShiftRecordEditor::openForViewing);
    QObject::connect(&journal, &JournalWindow::workersRequested, &workers, &reference::WorkerList::openAsList);
    QObject::connect(&journal, &JournalWindow::productsRequested, &products, &reference::ProductList::openAsList);
    QObject::connect(&journal, &JournalWindow::operationKindsRequested, &kinds,
                     &reference::OperationKindList::openAsList);
    QObject::connect(&journal, &JournalWindow::pricesRequested, &operations, &reference::OperationList::openAsList);
    QObject::connect(&journal, &JournalWindow::timeSheetRequested, &timeSheet,
                     &timesheet::TimeSheetWindow::openOnMonth);
    QObject::connect(&journal, &JournalWindow::summaryReportsRequested, &summaryReports,
                     &reports::SummaryReportsWindow::openOnPeriod);

    using namespace reference;
    QObject::connect(&products, &ProductList::addRequested, &productEditor, &ProductEditor::openForAdding);
    QObject::connect(&products, &ProductList::changeRequested, &productEditor, &ProductEditor::openForChanging);
    QObject::connect(&kinds, &OperationKindList::addRequested, &kindEditor, &OperationKindEditor::openForAdding);
    QObject::connect(&kinds, &OperationKindList::changeRequested, &kindEditor,
                     &OperationKindEditor::openForChanging);
    QObject::connect(&operations, &OperationList::addRequested, &operationEditor, &OperationEditor::openForAdding);
    QObject::connect(&operations, &OperationList::changeRequested, &operationEditor,
                     &OperationEditor::openForChanging);
    QObject::connect(&operations, &OperationList::normsRequested, &normEditor,
                     &NormEditor::openForCurrentOperation);

    editor.setMaterialDialog(materialDialog);
    operations.setRequisitionProduct([this] { return editor.requisitionProduct(); });
}

}  // namespace app
