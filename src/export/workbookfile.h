#pragma once
// Writes a workbook as an .xlsx file.

#include <QString>

namespace xlsx {

class Workbook;

// Writes the workbook to path (an existing file is replaced). Returns false
// and the reason in *error when the file cannot be written.
bool save(const Workbook& workbook, const QString& path, QString* error = nullptr);

}  // namespace xlsx
