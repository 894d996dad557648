#pragma once
// Every window of the program, built once for the whole run in the order of
// start-up, and connected: the journal asks for the windows it opens through
// its signals, and this is the one place that connects them to the windows.
// A new window is a member here and the line that connects it.

#include <QString>

#include "app/loginwindow.h"
#include "data/datamodule.h"
#include "editor/materialdialog.h"
#include "editor/shiftrecordeditor.h"
#include "journal/journalwindow.h"
#include "reference/kindeditor.h"
#include "reference/kindlist.h"
#include "reference/normeditor.h"
#include "reference/operationeditor.h"
#include "reference/operationlist.h"
#include "reference/producteditor.h"
#include "reference/productlist.h"
#include "reference/workerlist.h"
#include "reports/summaryreportswindow.h"
#include "session/runstate.h"
#include "timesheet/timesheetwindow.h"

namespace app {

class Windows {
public:
    // The data module starts with the given connection string (the built-in
    // one when empty); the login window gets the command line.
    explicit Windows(const QString& connectionString = {}, CommandLine args = {});
    Windows(const Windows&) = delete;
    Windows& operator=(const Windows&) = delete;

    data::DataModule dataModule;  // DataModule6
    session::RunState state;
    journal::JournalWindow journal;         // Form1
    LoginWindow login;                      // Form23, the main window
    reference::ProductList products;        // Form3
    reference::OperationList operations;    // Form4
    reference::WorkerList workers;          // Form5
    reference::ProductEditor productEditor; // Form7
    reference::OperationKindList kinds;     // Form8
    reference::OperationKindEditor kindEditor;  // Form9
    reference::OperationEditor operationEditor; // Form10
    editor::ShiftRecordEditor editor;       // Form11
    reports::SummaryReportsWindow summaryReports;  // Form18
    timesheet::TimeSheetWindow timeSheet;   // Form19
    reference::NormEditor normEditor;       // Form22
    // Form24, a window over the editor: a child of it that must go first,
    // so it stays declared after the editor.
    editor::MaterialDialog materialDialog;
};

}  // namespace app
