#include "export/spreadsheet.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QtDebug>

#include <memory>

#include "export/desktopopener.h"
#include "export/workbook.h"
#include "export/workbookfile.h"
#include "ui/messages.h"

namespace xlsx {
namespace {

const QString fileTemplate = QStringLiteral("tabel-XXXXXX.xlsx");

struct Session {
    std::unique_ptr<Workbook> workbook;
    bool changed = false;  // changed since it was last shown
    QString directory;
    Opener opener = openOnDesktop;
    QString lastFile;
};

Session& session()
{
    static Session s;
    return s;
}

QString outputDirectory()
{
    const QString& d = session().directory;
    return d.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::TempLocation) : d;
}

// True when new workbook files can be made in the output directory.
bool outputWritable()
{
    const QString dir = outputDirectory();
    if (!QDir().mkpath(dir))
        return false;
    QTemporaryFile probe(QDir(dir).filePath(fileTemplate));
    return probe.open();  // removed again when the probe goes
}

// A new file of a name no other file had, left empty for the workbook.
bool reserveFile(QString* path)
{
    const QString dir = outputDirectory();
    if (!QDir().mkpath(dir))
        return false;
    QTemporaryFile file(QDir(dir).filePath(fileTemplate));
    file.setAutoRemove(false);
    if (!file.open())
        return false;
    *path = file.fileName();
    return true;
}

void showOpenFailure()
{
    ui::showError(QStringLiteral("Ошибка открытия файла Microsoft Excel."));
}

void show(const Workbook& workbook)
{
    Session& s = session();
    QString path;
    if (!reserveFile(&path)) {
        qWarning().noquote() << "no new file can be made in" << outputDirectory();
        showOpenFailure();
        return;
    }
    if (QString reason; !save(workbook, path, &reason)) {
        qWarning().noquote() << "workbook file" << path << "not written:" << reason;
        QFile::remove(path);
        showOpenFailure();
        return;
    }
    s.changed = false;
    s.lastFile = path;
    if (!s.opener(path)) {
        ui::showError(QStringLiteral("Невозможно открыть Microsoft Excel."));
        ui::showInfo(QStringLiteral("Книга Excel"),
                     QStringLiteral("Книга сохранена в файле\n%1").arg(QDir::toNativeSeparators(path)));
    }
}

void showWriteFailure(const QString& caption, int sheet, int column, int row)
{
    ui::show({ui::Icon::Error, caption,
              QStringLiteral("Ошибка при записи: лист %1, столбец %2, строка %3").arg(sheet).arg(column).arg(row),
              QMessageBox::Ok});
}

// The checks every write makes before fill changes the cell.
template <typename Fill>
int write(int sheet, int column, int row, const QString& text, Fill&& fill)
{
    if (text.isEmpty())
        return 1;
    Session& s = session();
    Sheet* target = s.workbook ? s.workbook->sheet(sheet) : nullptr;
    if (!target) {
        showWriteFailure(QStringLiteral("Ошибочный номер листа Microsoft Excel"), sheet, column, row);
        return -1;
    }
    if (!Sheet::validAddress(column, row) || text.size() > maxTextLength) {
        showWriteFailure(QStringLiteral("Ошибка Microsoft Excel"), sheet, column, row);
        return -1;
    }
    fill(*target);
    s.changed = true;
    return 1;
}

}  // namespace

int SpreadsheetOpen()
{
    if (!outputWritable()) {
        showOpenFailure();
        return -1;
    }
    Session& s = session();
    s.workbook = std::make_unique<Workbook>();
    s.changed = true;
    return 1;
}

int SpreadsheetSetVisible(bool visible)
{
    const Session& s = session();
    if (visible && s.workbook && s.changed)
        show(*s.workbook);
    return 1;
}

int SpreadsheetWrite(int sheet, int column, int row, const QString& text)
{
    return write(sheet, column, row, text, [&](Sheet& target) { target.setValue(column, row, text); });
}

int SpreadsheetWriteFormatted(int sheet, int column, int row, const QString& text, bool textFormat,
                              bool fitWidth, bool bold)
{
    return write(sheet, column, row, text, [&](Sheet& target) {
        if (textFormat)
            target.setTextFormat(column, row);
        target.setValue(column, row, text);
        // Bold before fitting, so that the fit measures the cell as it is shown.
        target.setBold(column, row, bold);
        if (fitWidth)
            target.autoFit(column);
    });
}

QString exportCaption(int written, int total)
{
    return QStringLiteral("Excel (%1 из %2)").arg(written).arg(total);
}

void setOpener(Opener opener) { session().opener = std::move(opener); }
void resetOpener() { session().opener = openOnDesktop; }
void setOutputDirectory(const QString& directory) { session().directory = directory; }
const Workbook* activeWorkbook() { return session().workbook.get(); }
QString lastShownFile() { return session().lastFile; }

void releaseSpreadsheet()
{
    Session& s = session();
    s.workbook.reset();
    s.changed = false;
    s.lastFile.clear();
}

}  // namespace xlsx
