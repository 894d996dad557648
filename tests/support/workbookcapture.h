#pragma once
// Catches the workbooks that exports hand to the desktop during a suite: they
// are written into a temporary folder of the suite and listed instead of
// opened. The spreadsheet layer is set back when it ends.

#include <QStringList>
#include <QTemporaryDir>

#include "export/spreadsheet.h"

namespace testing {

class WorkbookCapture {
public:
    WorkbookCapture()
    {
        xlsx::setOutputDirectory(folder_.path());
        xlsx::setOpener([this](const QString& path) {
            opened_ << path;
            return true;
        });
    }
    ~WorkbookCapture()
    {
        xlsx::resetOpener();
        xlsx::setOutputDirectory({});
        xlsx::releaseSpreadsheet();
    }
    WorkbookCapture(const WorkbookCapture&) = delete;
    WorkbookCapture& operator=(const WorkbookCapture&) = delete;

    // The folder, also for other files of the suite.
    QString folder() const { return folder_.path(); }
    // Workbook files handed over since the last clear(), in order.
    const QStringList& opened() const { return opened_; }
    void clear() { opened_.clear(); }

private:
    QTemporaryDir folder_;
    QStringList opened_;
};

}  // namespace testing
