#pragma once
// The spreadsheet layer every export writes through.
//
// SpreadsheetOpen starts a new, empty workbook (one sheet); the writes fill its
// cells; SpreadsheetSetVisible(true) hands it to the user: the workbook is
// written to a new file of its own in the output directory (the system's
// temporary folder unless set), "tabel-XXXXXX.xlsx", which is never written
// again, and that file is opened in the desktop's spreadsheet application. The
// user keeps or discards it there. When no application opens it, the user is
// told where the file is.
//
// Sheets, columns and rows are counted from 1 (column 1 is A). Results: 1 on
// success, -1 on failure after the failure's message has been shown.

#include <QString>

#include <functional>

namespace xlsx {

class Workbook;

// 1, or -1 when the workbook cannot be made ("Ошибка открытия файла Microsoft Excel.").
int SpreadsheetOpen();

// Shows (true) the workbook; hiding (false) changes nothing, as the workbook is
// not shown until the export ends. Does nothing before the first
// SpreadsheetOpen and when the workbook has not changed since it was shown.
// Always 1.
int SpreadsheetSetVisible(bool visible);

// Sets the cell's value to the text, taken as typed: a number when the text is
// one (export/workbook.h: numberOf), else text. An empty text returns 1 and
// touches nothing.
int SpreadsheetWrite(int sheet, int column, int row, const QString& text);

// As SpreadsheetWrite, and: textFormat gives the cell the "@" format before
// the value is set (the value stays text), fitWidth fits the column to the
// cells it holds now, bold sets the cell's bold flag (on or off).
int SpreadsheetWriteFormatted(int sheet, int column, int row, const QString& text, bool textFormat,
                              bool fitWidth, bool bold);

// What an export tells while it writes: 0 of N before the first row, then
// after each row the rows written so far.
using ExportProgress = std::function<void(int written, int total)>;

// The export button's caption for that progress: "Excel (k из N)".
QString exportCaption(int written, int total);

// ---- Seams for tests and tools ----

// Opens a written workbook file for the user; false when nothing can open it.
// By default the desktop's application for the file type.
using Opener = std::function<bool(const QString& filePath)>;
void setOpener(Opener opener);
void resetOpener();

// Folder of the workbook files; empty for the system's temporary folder.
void setOutputDirectory(const QString& directory);

// The workbook being filled (null before the first SpreadsheetOpen), and the
// file the last showing wrote (empty if none).
const Workbook* activeWorkbook();
QString lastShownFile();

// Forgets the workbook, as at the start of the program.
void releaseSpreadsheet();

}  // namespace xlsx
